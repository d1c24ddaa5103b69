// A saved match dropped on the window, or opened, during a network game: the
// player answers Yes to ending the network game, and the match is what the
// board shows once the network game has ended. The end of the network game
// puts its own new game on the board only where nothing else has taken it.
#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "ModalAnswer.h"
#include "NetTexts.h"
#include "NetworkPlayFixture.h"
#include "SavedGame.h"

namespace reversi::nettest {
namespace {

// A record as bytes (a move has the layout of the file, without gaps).
std::string RecordBytes(const std::vector<TMove>& moves) {
    return std::string(reinterpret_cast<const char*>(moves.data()), moves.size() * sizeof(TMove));
}

struct Shown {
    tBoard board{};
    std::string moves;
    bool operator==(const Shown&) const = default;
};

Shown ShownNow(const GameState& g) { return {g.Boards[0], RecordBytes(g.Tracker->moves())}; }

// The match a file holds: its record, and the board after its last move.
Shown InFile(const QString& file) {
    SavedMatch match;
    EXPECT_TRUE(ReadMatchFile(file.toStdString(), match).Ok());
    Shown shown;
    shown.moves = RecordBytes(match.moves);
    if (!match.moves.empty()) {
        const TMove& last = match.moves.back();
        shown.board = last.board;
        test::PlayOn(match.boardsize, shown.board, last.dest, last.who, last.opp);
    }
    return shown;
}

class NetworkMatchLoadTest : public NetworkPlayTest {
protected:
    // A local match of a few moves saved to a file, then a network game on.
    void SaveMatchAndStartNetworkGame() {
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath(QStringLiteral("kept.kzv"));
        for (int i = 0; i < 3; ++i) {
            const auto squares = window_->LegalSquares();
            ASSERT_FALSE(squares.empty());
            window_->ClickSquare(squares.back().first, squares.back().second);
        }
        ASSERT_TRUE(Game().Tracker->SaveToFile(Game(), file_.toStdString()).Ok());
        StartGame(false, true);
        ASSERT_TRUE(Game().NetworkGame);
        ASSERT_EQ(Game().Tracker->count(), 0);
    }

    // Answers the question about ending the network game with Yes.
    static std::unique_ptr<test::ModalAnswer> AnswerAbortYes() {
        return test::ModalAnswer::For<QMessageBox>(
            [](QMessageBox* box) {
                EXPECT_EQ(box->text().toStdString(), nettext::AbortQuestion);
                box->button(QMessageBox::Yes)->click();
            },
            "the question about ending the network game");
    }

    // The match stays after everything queued meanwhile has run.
    void ExpectMatchKept() {
        const Shown expected = InFile(file_);
        ASSERT_EQ(expected.moves.size(), 6 * sizeof(TMove));  // three moves, three replies
        ASSERT_TRUE(WaitUntil([&] { return !Game().NetworkGame && ShownNow(Game()) == expected; }))
            << "the match did not open";
        // The end of the network game was reported before the load; what it
        // queued has run once the posted events are through.
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(ShownNow(Game()) == expected) << "a new game replaced the match";
        EXPECT_EQ(Game().Tracker->count(), 6);
        EXPECT_EQ(form_->StatusPanelText(2).toStdString(), "Move 6/6");
        EXPECT_FALSE(form_->NetSession().IsConnected());
    }

    QTemporaryDir dir_;
    QString file_;
};

TEST_F(NetworkMatchLoadTest, ADroppedMatchAnsweredYesIsTheGameShownAfterTheNetworkGame) {
    SaveMatchAndStartNetworkGame();
    LocalMoves();  // something of the network game on the board
    const auto answer = AnswerAbortYes();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file_)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form_, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form_, &drop);
    ExpectMatchKept();
    EXPECT_TRUE(answer->Answered());
}

TEST_F(NetworkMatchLoadTest, AnOpenedMatchAnsweredYesIsTheGameShownAfterTheNetworkGame) {
    SaveMatchAndStartNetworkGame();
    LocalMoves();
    // The menu item is locked during the game; its handler asks all the same
    // when reached (the question's order is the same as for a drop).
    auto* open = test::Child<QAction>(*form_, "ListMenuLoad");
    open->setEnabled(true);
    window_->messages->chosenFile = file_;
    const auto answer = AnswerAbortYes();
    open->trigger();
    ExpectMatchKept();
    EXPECT_TRUE(answer->Answered());
}

TEST_F(NetworkMatchLoadTest, WithoutAnythingDroppedTheEndOfTheNetworkGameStartsALocalGame) {
    SaveMatchAndStartNetworkGame();
    LocalMoves();
    PeerMoves();
    ASSERT_EQ(Game().Tracker->count(), 2);
    test::Child<QAction>(*form_, "NetMenuDisconnect")->trigger();
    ASSERT_TRUE(WaitUntil([this] { return !Game().NetworkGame && Game().Tracker->count() == 0; }))
        << "no new local game after the network game";
    EXPECT_EQ(form_->StatusPanelText(2).toStdString(), "Move 0/0");
}

}  // namespace
}  // namespace reversi::nettest

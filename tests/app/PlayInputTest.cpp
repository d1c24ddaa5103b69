// The player's input on the board: tracking with the hand cursor, clicks,
// keys, the hint with its practice question, a new game, passes, input
// refused while the computer thinks, the animated move, the right-click
// help, the peer's move and the result window.
#include <algorithm>
#include <random>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "ModalAnswer.h"
#include "WaitUntil.h"
#include "PlayTestSupport.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;

using test::GameSetup;
using test::PlayingWindow;

using platform::TSoundEffect;
constexpr TSoundEffect EffectCorrect = TSoundEffect::correct;
constexpr TSoundEffect EffectEndgame = TSoundEffect::endgame;
constexpr TSoundEffect EffectMove = TSoundEffect::move;
constexpr TSoundEffect EffectMoveHint = TSoundEffect::movehint;
constexpr TSoundEffect EffectStMove = TSoundEffect::stmove;

int Count(const std::vector<TSoundEffect>& v, TSoundEffect value) {
    return static_cast<int>(std::count(v.begin(), v.end(), value));
}

bool HasMove(const tBoard& board, int me) {
    for (int sq = 0; sq < 144; ++sq)
        if (IsPlayingSquare(sq, 8) && CanMove8(board, sq, me, 5 - me)) return true;
    return false;
}
tBoard After(tBoard board, int sq, int me) {
    test::PlayOn(8, board, sq, me, 5 - me);
    return board;
}

// A position of a random 8 x 8 game with white to move and a white move
// that passes the test, found by playing random games.
struct Found {
    tBoard board{};
    int move = PassMove;
};
template <class Wanted>
Found FindWhiteMove(Wanted wanted) {
    std::mt19937 rng(7);
    for (int game = 0; game < 2000; ++game) {
        GameState start;
        NewGame(start);
        tBoard b = start.Boards[0];
        int side = CellWhite;
        for (int ply = 0; ply < 80; ++ply) {
            std::vector<int> legal;
            for (int sq = 0; sq < 144; ++sq)
                if (IsPlayingSquare(sq, 8) && CanMove8(b, sq, side, 5 - side)) legal.push_back(sq);
            if (legal.empty()) {
                if (!HasMove(b, 5 - side)) break;
                side = 5 - side;
                continue;
            }
            if (side == CellWhite)
                for (int m : legal)
                    if (wanted(b, m)) return {b, m};
            const int m = legal[rng() % legal.size()];
            b = After(b, m, side);
            side = 5 - side;
        }
    }
    return {};
}

// Puts a found position on the window's board with white (the player) to move.
void SetPosition(PlayingWindow& w, const tBoard& board) {
    auto& g = w.Game();
    g.Boards[0] = board;
    g.SideToMove = CellWhite;
    g.FirstMove = false;
    g.GameOver = false;
    w.form->DrawBoard();
}

TEST(PlayPasses, PlayerPassAfterTheComputersMoveLetsTheComputerMoveAgain) {
    PlayingWindow w({8, 1, false, false, CellBlack});
    // After the player's move and the computer's answer the player has no
    // move while the computer still has one.
    const Found f = FindWhiteMove([](const tBoard& b, int m) {
        const tBoard afterPlayer = After(b, m, CellWhite);
        if (!HasMove(afterPlayer, CellBlack)) return false;
        SearchInput in;
        in.Position = afterPlayer;
        in.SideToMove = CellBlack;
        const int answer = RunSearch(in).Move;
        const tBoard afterComputer = After(afterPlayer, answer, CellBlack);
        return !HasMove(afterComputer, CellWhite) && HasMove(afterComputer, CellBlack);
    });
    ASSERT_NE(f.move, PassMove);
    SetPosition(w, f.board);
    const int before = w.Game().Tracker->count();
    w.ClickSquare(SquareColumn(f.move, 8), SquareRow(f.move, 8));
    ASSERT_GE(w.messages->finals.size(), 1);
    EXPECT_EQ(w.messages->finals[0].toStdString(), "Yellow pass");
    // The player's move, the computer's answer, and its move again.
    ASSERT_GE(w.Game().Tracker->count(), before + 3);
    const auto& moves = w.Game().Tracker->moves();
    EXPECT_EQ(moves[before].who, CellWhite);
    EXPECT_EQ(moves[before + 1].who, CellBlack);
    EXPECT_EQ(moves[before + 2].who, CellBlack);
    EXPECT_TRUE(w.Game().GameOver || w.Game().SideToMove == CellWhite);
}

TEST(PlayPasses, ComputerPassHandsTheMoveBackToThePlayer) {
    PlayingWindow w({8, 1, false, false, CellBlack});
    const Found f = FindWhiteMove([](const tBoard& b, int m) {
        const tBoard after = After(b, m, CellWhite);
        return !HasMove(after, CellBlack) && HasMove(after, CellWhite);
    });
    ASSERT_NE(f.move, PassMove);
    SetPosition(w, f.board);
    const int before = w.Game().Tracker->count();
    w.ClickSquare(SquareColumn(f.move, 8), SquareRow(f.move, 8));
    ASSERT_EQ(w.messages->finals.size(), 1);
    EXPECT_EQ(w.messages->finals[0].toStdString(), "Green pass");
    EXPECT_EQ(Count(w.sounds, EffectEndgame), 1);
    EXPECT_EQ(w.Game().Tracker->count(), before + 1);
    EXPECT_EQ(w.Game().SideToMove, CellWhite);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Yellow is moving");
}

TEST(PlayInput, TrackingShowsTheHandOverLegalSquaresWithOneSound) {
    PlayingWindow w({});
    auto& form = *w.form;
    const QPoint legal = form.SquareCentre(4, 2);  // E6, legal for white
    QTest::mouseMove(form.BoardWidget(), legal);
    EXPECT_EQ(form.CursorSquare().x(), 4);
    EXPECT_EQ(form.CursorSquare().y(), 2);
    EXPECT_EQ(form.BoardWidget()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Count(w.sounds, EffectCorrect), 1);
    QTest::mouseMove(form.BoardWidget(), legal + QPoint(5, 5));  // same square
    EXPECT_EQ(Count(w.sounds, EffectCorrect), 1);
    QTest::mouseMove(form.BoardWidget(), form.SquareCentre(0, 0));
    EXPECT_EQ(form.BoardWidget()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(Count(w.sounds, EffectCorrect), 1);
    // The border keeps the last square, each coordinate on its own.
    QTest::mouseMove(form.BoardWidget(), QPoint(5, form.SquareCentre(0, 3).y()));
    EXPECT_EQ(form.CursorSquare().x(), 0);
    EXPECT_EQ(form.CursorSquare().y(), 3);
    QTest::mouseMove(form.BoardWidget(),
                     QPoint(form.SquareCentre(6, 0).x(), form.BoardWidget()->height() - 3));
    EXPECT_EQ(form.CursorSquare().x(), 6);
    EXPECT_EQ(form.CursorSquare().y(), 3);
    // An illegal square: a click does nothing.
    w.ClickSquare(0, 0);
    EXPECT_EQ(w.Game().Tracker->count(), 0);
}

TEST(PlayInput, KeysMoveTheCursorAndEnterPlays) {
    PlayingWindow w({});
    auto& form = *w.form;
    QTest::keyClick(&form, Qt::Key_Left);  // stops at the edge
    QTest::keyClick(&form, Qt::Key_Up);
    EXPECT_EQ(form.CursorSquare().x(), 0);
    EXPECT_EQ(form.CursorSquare().y(), 0);
    for (int i = 0; i < 4; ++i) QTest::keyClick(&form, Qt::Key_Right);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(Count(w.sounds, EffectCorrect), 0);
    QTest::keyClick(&form, Qt::Key_Down);  // E6: legal
    EXPECT_EQ(form.CursorSquare().x(), 4);
    EXPECT_EQ(form.CursorSquare().y(), 2);
    EXPECT_EQ(Count(w.sounds, EffectCorrect), 1);
    QTest::keyClick(&form, Qt::Key_Return);
    w.Settle();
    ASSERT_EQ(w.Game().Tracker->count(), 2);  // the player's move and the reply
    EXPECT_EQ(w.Game().Tracker->moves()[0].dest, 53);
    EXPECT_EQ(Count(w.sounds, EffectStMove), 2);
    for (int i = 0; i < 12; ++i) QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(form.CursorSquare().y(), 7);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.windowState() & Qt::WindowMinimized);
}

TEST(PlayHint, NoKeepsTheGameCountedYesMakesItPracticeAndAsksOnce) {
    PlayingWindow w({});
    auto& form = *w.form;
    w.messages->answer = false;
    form.HintItemClick();
    ASSERT_EQ(w.messages->questions.size(), 1);
    EXPECT_EQ(w.messages->questions[0].toStdString(),
              "Looks like you would like to use Hint.\nThe game becomes practice (no statistics "
              "recording)!\nDo you really want Hint?");
    EXPECT_FALSE(w.Game().PracticeGame);
    EXPECT_EQ(Count(w.sounds, EffectMoveHint), 0);

    // Yes: at the start of the game the hint is the fixed first move.
    w.messages->answer = true;
    Child<QAction>(form, "HintItem")->trigger();
    EXPECT_TRUE(w.Game().PracticeGame);
    EXPECT_EQ(form.CursorSquare().x(), 4);
    EXPECT_EQ(form.CursorSquare().y(), 2);
    EXPECT_EQ(Count(w.sounds, EffectMoveHint), 1);
    EXPECT_EQ(w.Game().Tracker->count(), 0);  // the hint plays nothing

    // Later hints in the same game ask nothing and show the search's answer.
    w.ClickSquare(4, 2);
    form.HintItemClick();
    w.Settle();
    EXPECT_EQ(w.messages->questions.size(), 2);
    const int expected = RunSearch(SearchInputFromGame(w.Game())).Move;
    EXPECT_EQ(SquareIndex(form.CursorSquare().x(), form.CursorSquare().y(), 8), expected);
    EXPECT_EQ(Count(w.sounds, EffectMoveHint), 2);
    EXPECT_TRUE(Child<QAction>(form, "NewGameItem")->isEnabled());
    EXPECT_TRUE(Child<QAction>(form, "HintItem")->isEnabled());

    // A new game is counted again and asks again.
    form.NewGameItemClick();
    EXPECT_FALSE(w.Game().PracticeGame);
    form.HintItemClick();
    EXPECT_EQ(w.messages->questions.size(), 3);
}

TEST(PlayNewGame, RestartsDuringAGame) {
    PlayingWindow w({8, 2, false, false, CellWhite});
    auto& form = *w.form;
    ASSERT_EQ(w.Game().Tracker->count(), 1);
    const auto legal = w.LegalSquares();
    w.ClickSquare(legal[0].first, legal[0].second);
    ASSERT_EQ(w.Game().Tracker->count(), 3);
    EXPECT_TRUE(Child<QToolButton>(form, "SpeedButtonUndo")->isEnabled());

    Child<QAction>(form, "NewGameItem")->trigger();
    // The computer (white) opened the new game at once, without a search,
    // and its fixed opening enables the undo and redo buttons, not the
    // Match menu's items (nor their shortcuts).
    ASSERT_EQ(w.Game().Tracker->count(), 1);
    EXPECT_TRUE(Child<QToolButton>(form, "SpeedButtonUndo")->isEnabled());
    EXPECT_TRUE(Child<QToolButton>(form, "SpeedButtonRedo")->isEnabled());
    EXPECT_FALSE(Child<QAction>(form, "ListMenuUndoMove")->isEnabled());
    EXPECT_FALSE(Child<QAction>(form, "ListMenuRedoMove")->isEnabled());
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.Game().Tracker->current(), 1) << "Ctrl+Z stepped back";
    EXPECT_EQ(w.Game().Tracker->moves()[0].dest, 53);
    EXPECT_EQ(w.Game().SideToMove, CellBlack);
    EXPECT_FALSE(w.Game().GameOver);
    EXPECT_FALSE(form.Browsing());
    EXPECT_EQ(form.StatusPanelText(2).toStdString(), "Move 1/1");
    EXPECT_EQ(form.StatusPanelText(0).toStdString(), "Green is moving");
    EXPECT_EQ(form.StatusPanelText(1).toStdString(), "Yellow 4 : Green 1");
}

TEST(PlaySearch, InputIsRefusedWhileTheComputerThinksAndCloseStopsIt) {
    PlayingWindow w({8, 9, false, true, CellBlack});
    auto& form = *w.form;
    bool checked = false;
    int movesDuringSearch = -1;
    // Polls until the reply's search runs, then tries every kind of input.
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, &form, [&] {
        auto& g = w.Game();
        if (!g.ThreadRunning || checked) return;
        probe.stop();
        const tBoard board = g.Boards[0];
        const int moves = g.Tracker->count();
        EXPECT_FALSE(Child<QAction>(form, "NewGameItem")->isEnabled());
        EXPECT_FALSE(Child<QAction>(form, "HintItem")->isEnabled());
        EXPECT_FALSE(Child<QAction>(form, "OptionsItem")->isEnabled());
        // Clicks, keys, the hint, a new game and the help marks change nothing.
        g.SideToMove = CellWhite;  // even were it the player's colour
        w.ClickSquare(2, 3, false);
        g.SideToMove = CellBlack;
        QTest::keyClick(&form, Qt::Key_Return);
        form.HintItemClick();
        form.NewGameItemClick();
        QTest::mouseClick(form.BoardWidget(), Qt::RightButton, Qt::NoModifier,
                          form.SquareCentre(3, 3));
        EXPECT_FALSE(form.Animations().HelpAnimationEnabled);
        EXPECT_EQ(g.Boards[0], board);
        EXPECT_EQ(g.Tracker->count(), moves);
        EXPECT_TRUE(w.messages->questions.isEmpty());
        movesDuringSearch = moves;
        checked = true;
        form.close();  // stops the search: no move is played
    });
    probe.start();
    w.ClickSquare(4, 2);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(w.Game().ThreadRunning);
    EXPECT_EQ(w.Game().Tracker->count(), movesDuringSearch);
    EXPECT_TRUE(w.Game().GameOver);
}

TEST(PlayAnimation, TheReplyWaitsForThePlayersAnimationAndClicksWaitForTheReply) {
    PlayingWindow w({8, 1, false, false, CellBlack, true});
    auto& form = *w.form;
    w.ClickSquare(4, 2);
    // Both moves are placed; the reply's animation runs now.
    ASSERT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_EQ(Count(w.sounds, EffectMove), 2);
    EXPECT_EQ(Count(w.sounds, EffectStMove), 0);
    ASSERT_TRUE(form.Animations().MoveAnimationEnabled);
    EXPECT_FALSE(form.Animations().CursorAnimationEnabled);
    // A click while it runs is ignored.
    const auto legal = w.LegalSquares();
    w.ClickSquare(legal[0].first, legal[0].second);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    // It ends after its 15 frames and leaves the board at rest on screen.
    ASSERT_TRUE(test::WaitUntil([&] { return !form.Animations().MoveAnimationEnabled; }, 5000))
        << "!form.Animations().MoveAnimationEnabled";
    EXPECT_TRUE(form.Animations().CursorAnimationEnabled);
    EXPECT_EQ(form.Animations().CurrentAnimFrame, 15);
    graphics::BoardPainter fresh;
    fresh.SetPosition(&w.Game().Boards[0]);
    fresh.Pictures() = form.Painter().Pictures();
    fresh.CreateBackBuffer(8);
    fresh.DrawBoard();
    EXPECT_TRUE(fresh.BackBuffer() == form.Painter().BackBuffer());
    w.ClickSquare(legal[0].first, legal[0].second);
    EXPECT_GE(w.Game().Tracker->count(), 3);
}

TEST(PlayAnimation, AReplyFoundForAReplacedPositionIsDropped) {
    PlayingWindow w({8, 1, false, false, CellWhite, true});
    auto& form = *w.form;
    form.SetAnimationInterval(40);
    ASSERT_EQ(w.Game().Tracker->count(), 1);  // the computer's opening
    ASSERT_TRUE(test::WaitUntil([&] { return !form.Animations().MoveAnimationEnabled; }, 5000))
        << "!form.Animations().MoveAnimationEnabled";
    // The player's animation is held on its first frame, so the reply is
    // found while it runs however long the search takes on a busy machine.
    form.SetAnimationInterval(60000);
    // While the reply waits for the player's animation, a new game starts
    // (and the computer opens it again).
    bool replaced = false;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, &form, [&] {
        if (replaced || w.Game().ThreadRunning || !form.Animations().MoveAnimationEnabled ||
            w.Game().Tracker->count() != 2)
            return;
        replaced = true;
        probe.stop();
        form.SetAnimationInterval(40);
        form.NewGameItemClick();
    });
    probe.start();
    // Past a deadline the animation goes on, so a reply never found fails
    // here instead of holding the click for ever.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &form, [&] { form.SetAnimationInterval(40); });
    deadline.start(60000);
    const auto legal = w.LegalSquares();
    w.ClickSquare(legal[0].first, legal[0].second);
    ASSERT_TRUE(replaced) << "no reply was found while the player's move was animating";
    // Only the new game's opening is on the board.
    ASSERT_EQ(w.Game().Tracker->count(), 1);
    EXPECT_EQ(w.Game().Tracker->moves()[0].dest, 53);
    EXPECT_EQ(w.Game().SideToMove, CellBlack);
    ASSERT_TRUE(test::WaitUntil([&] { return !form.Animations().MoveAnimationEnabled; }, 5000))
        << "!form.Animations().MoveAnimationEnabled";
}

TEST(PlayAnimation, RightClickShowsTheHelpMarks) {
    PlayingWindow w({8, 1, false, false, CellBlack, true});
    auto& form = *w.form;
    // Nothing to show before the first move is refused only when no square
    // is legal; at the start the legal squares are marked.
    QTest::mouseClick(form.BoardWidget(), Qt::RightButton, Qt::NoModifier, form.SquareCentre(0, 0));
    ASSERT_TRUE(form.Animations().HelpAnimationEnabled);
    EXPECT_EQ(form.Animations().WhereCanMove[53], graphics::MarkAvailable);
    // The left click's move takes the marks off.
    w.ClickSquare(4, 2);
    EXPECT_FALSE(form.Animations().HelpAnimationEnabled);
    ASSERT_TRUE(test::WaitUntil([&] { return !form.Animations().MoveAnimationEnabled; }, 5000))
        << "!form.Animations().MoveAnimationEnabled";
    QTest::mouseClick(form.BoardWidget(), Qt::RightButton, Qt::NoModifier, form.SquareCentre(0, 0));
    ASSERT_TRUE(form.Animations().HelpAnimationEnabled);
    // The computer's reply is marked as the previous move.
    EXPECT_EQ(form.Animations().WhereCanMove[w.Game().Tracker->moves()[1].dest],
              graphics::MarkPrevious);
    ASSERT_TRUE(test::WaitUntil([&] { return !form.Animations().HelpAnimationEnabled; }, 5000))
        << "!form.Animations().HelpAnimationEnabled";
    EXPECT_EQ(form.Animations().HelpMoveAnimFrame, 40);
}

TEST(PlayTwoPlayers, TheLoopOnlyCountsAndShowsWhoseTurnItIs) {
    PlayingWindow w({});
    w.Game().VsComputer = false;
    w.ClickSquare(4, 2);  // white E6
    EXPECT_EQ(w.Game().Tracker->count(), 1);
    EXPECT_EQ(w.Game().SideToMove, CellBlack);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Green is moving");
    w.ClickSquare(5, 2);  // black F6
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Yellow is moving");
    EXPECT_EQ(w.form->StatusPanelText(1).toStdString(), "Yellow 3 : Green 3");
    // No practice question in a game between two players.
    w.form->HintItemClick();
    w.Settle();
    EXPECT_TRUE(w.messages->questions.isEmpty());
    EXPECT_EQ(Count(w.sounds, EffectMoveHint), 1);
}

TEST(PlayAnimation, TheResultWindowOpensOnTheFinalPositionAtRest) {
    PlayingWindow w({8, 1, false, false, CellBlack, true});
    auto& form = *w.form;
    auto& g = w.Game();
    g.VsComputer = false;
    // White's move on H1 fills the field and ends the game.
    test::PutWhiteOneMoveFromAFullField(g.Boards[0]);
    g.SideToMove = CellWhite;
    form.DrawBoard();
    bool checked = false;
    w.messages->onFinal = [&] {
        checked = true;
        EXPECT_FALSE(form.Animations().MoveAnimationEnabled) << "still animating under the result";
        graphics::BoardPainter fresh;
        fresh.SetPosition(&w.Game().Boards[0]);
        fresh.Pictures() = form.Painter().Pictures();
        fresh.CreateBackBuffer(8);
        fresh.DrawBoard();
        EXPECT_TRUE(fresh.BackBuffer() == form.Painter().BackBuffer())
            << "the board does not show the final position";
    };
    w.ClickSquare(7, 7);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(g.GameOver);
    EXPECT_EQ(w.messages->finals.size(), 1);
}

TEST(PlayInput, AClickNeverPlaysTheComputersColour) {
    PlayingWindow w({});
    auto& g = w.Game();
    // The computer's turn with no search running, as after opening a match
    // saved at its move: a click on a legal square plays nothing.
    g.ComputerSide = CellWhite;
    ASSERT_EQ(g.SideToMove, CellWhite);
    const auto legal = w.LegalSquares();
    ASSERT_FALSE(legal.empty());
    w.ClickSquare(legal[0].first, legal[0].second);
    EXPECT_EQ(g.Tracker->count(), 0);
    EXPECT_EQ(w.form->BoardWidget()->cursor().shape(), Qt::ArrowCursor);
}

TEST(PlayNetwork, PeerMoveIsPlayedThroughTheSamePathAndIllegalOnesDropped) {
    PlayingWindow w({});
    auto& g = w.Game();
    g.VsComputer = false;
    g.NetworkGame = true;
    g.ComputerSide = CellBlack;  // the local player is black; the peer white
    struct Square {
        int x, y;
    };
    // Illegal, or off the field.
    for (const Square bad : {Square{0, 0}, Square{9, 2}, Square{4, 9}, Square{-1, 2}}) {
        w.form->ApplyRemoteMove(bad.x, bad.y);
        EXPECT_EQ(g.Tracker->count(), 0) << bad.x << "," << bad.y;
    }
    w.form->ApplyRemoteMove(4, 2);  // E6
    ASSERT_EQ(g.Tracker->count(), 1);
    EXPECT_EQ(g.Tracker->moves()[0].dest, 53);
    EXPECT_EQ(g.SideToMove, CellBlack);
    EXPECT_EQ(Count(w.sounds, EffectStMove), 1);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Green is moving");
    EXPECT_EQ(w.form->BoardWidget()->cursor().shape(), Qt::ArrowCursor);
}

TEST(FinalWindow, CaptionButtonSizeAndTexts) {
    TFinalDlg dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Information");
    EXPECT_EQ(dialog.BitBtn1->text().toStdString(), "Ok");
    EXPECT_EQ(dialog.size(), QSize(241, 80));
    struct Case {
        int m, a, b;
        const char* text;
    };
    const Case cases[] = {{0, 40, 24, "Yellow won 40 : 24"},
                          {1, 40, 24, "Green won 40 : 24"},
                          {2, 0, 0, "Tie up"},
                          {3, 0, 0, "Yellow pass"},
                          {4, 0, 0, "Green pass"}};
    for (const auto& c : cases) {
        dialog.SetOutMessage(c.m, c.a, c.b, SideNames{});
        EXPECT_EQ(dialog.FinalMessage->text().toStdString(), c.text);
    }
    const auto escape = test::ModalAnswer::For<TFinalDlg>(
        [](TFinalDlg* open) { QTest::keyClick(open, Qt::Key_Escape); }, "the result window");
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace reversi

namespace reversi {
namespace {
using test::Child;

// The real modal windows, answered from a zero-timer while they are open.
TEST(ModalGameMessages, ResultWindowIsCentredOverTheMainWindowAndOkCloses) {
    QSettings().clear();
    QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
    TReversiForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QString text;
    QPoint offset;
    const auto ok = test::ModalAnswer::For<TFinalDlg>(
        [&](TFinalDlg* dialog) {
            text = dialog->FinalMessage->text();
            offset = dialog->frameGeometry().center() - form.frameGeometry().center();
            QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
        },
        "the result window");
    bool closed = false;
    TModalGameMessages().ShowFinal(
        &form, TFinalDlg::OutMessage(static_cast<int>(GameMessageKind::BlackPasses), 0, 0, {}),
        [&] { closed = true; });
    ASSERT_TRUE(test::WaitUntil([&] { return closed; })) << "the result window did not close";
    EXPECT_EQ(text.toStdString(), "Green pass");
    EXPECT_LE(offset.manhattanLength(), 4);
}

TEST(ModalGameMessages, ConfirmationIsTrueOnlyForYes) {
    for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Escape}) {
        QString caption;
        const auto answer = test::ModalAnswer::For<QMessageBox>(
            [&](QMessageBox* box) {
                caption = box->windowTitle();
                if (button == QMessageBox::Escape) {
                    QTest::keyClick(box, Qt::Key_Escape);
                } else {
                    box->button(button)->click();
                }
            },
            "the confirmation box");
        const bool yes = TModalGameMessages().Confirm(nullptr, HintPracticeQuestion());
        EXPECT_EQ(yes, button == QMessageBox::Yes);
        EXPECT_EQ(caption.toStdString(), "Confirm");
    }
}

}  // namespace
}  // namespace reversi

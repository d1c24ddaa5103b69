// Saving, opening and dropping matches in the window: round trips at several
// points of a game on both fields, a match of the other field size, damaged
// files and files of another kind, a save that cannot be written, and a match
// saved at the computer's turn.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>

#include "BusyPanel.h"
#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using test::Child;
using test::PlayingWindow;

// Plays `moves` moves by clicking legal squares (the computer replies).
void PlayMoves(PlayingWindow& w, int moves) {
    for (int i = 0; i < moves && !w.Game().GameOver; ++i) {
        const auto legal = w.LegalSquares();
        if (legal.empty()) break;
        w.ClickSquare(legal[static_cast<std::size_t>(i) % legal.size()].first,
                      legal[static_cast<std::size_t>(i) % legal.size()].second);
    }
}

struct Snapshot {
    tBoard board;
    int side;
    int count;
    bool over;
    int boardSize;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const PlayingWindow& w) {
    const auto& g = w.Game();
    return {g.Boards[0], g.SideToMove, g.Tracker->count(), g.GameOver, g.BoardSize};
}

void Save(PlayingWindow& w, const QString& file) {
    w.messages->chosenFile = file;
    Child<QAction>(*w.form, "ListMenuSave")->trigger();
}

void Open(PlayingWindow& w, const QString& file) {
    w.messages->chosenFile = file;
    Child<QAction>(*w.form, "ListMenuLoad")->trigger();
    w.Settle();
}

class SavedMatchTest : public ::testing::TestWithParam<int> {
protected:
    QTemporaryDir dir;
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_P(SavedMatchTest, RoundTripsAtSeveralPointsOfAGame) {
    const int n = GetParam();
    for (const int moves : {0, 3, 12}) {
        SCOPED_TRACE(moves);
        PlayingWindow w({.boardSize = n});
        PlayMoves(w, moves);
        const Snapshot saved = Take(w);
        const QString status0 = w.form->StatusPanelText(0);
        Save(w, File("round.kzv"));
        ASSERT_TRUE(QFile::exists(File("round.kzv")));
        EXPECT_EQ(w.messages->fileDialogs.last().toStdString(), "Save...");

        w.form->NewGameItemClick();
        Open(w, File("round.kzv"));
        EXPECT_EQ(w.messages->fileDialogs.last().toStdString(), "Open...");
        EXPECT_EQ(Take(w), saved);
        EXPECT_FALSE(w.form->Browsing());
        EXPECT_EQ(w.form->StatusPanelText(0), status0);
        EXPECT_EQ(w.form->StatusPanelText(2).toStdString(),
                  "Move " + std::to_string(saved.count) + "/" + std::to_string(saved.count));
    }
}

INSTANTIATE_TEST_SUITE_P(BothFields, SavedMatchTest, ::testing::Values(8, 10));

TEST(SavedMatch, AFinishedGameOpensAsGameOverAndAPendingPassIsCorrected) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("end.kzv"));
    PlayingWindow w({});
    auto& g = w.Game();
    PlayMoves(w, 64);
    ASSERT_TRUE(g.GameOver);
    Save(w, file);
    w.form->NewGameItemClick();
    ASSERT_FALSE(g.GameOver);
    Open(w, file);
    EXPECT_TRUE(g.GameOver);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Game over");
}

// Counts the showings of the "Loading..." panel and keeps where it stood.
class PanelShowings : public QObject {
public:
    explicit PanelShowings(TReversiForm& form) : panel_(Child<BusyPanel>(form, "LoadingPanel")) {
        panel_->installEventFilter(this);
    }
    ~PanelShowings() override { panel_->removeEventFilter(this); }
    PanelShowings(const PanelShowings&) = delete;
    PanelShowings& operator=(const PanelShowings&) = delete;
    int count = 0;
    QPoint at;
    bool Visible() const { return panel_->isVisible(); }
    BusyKind Kind() const { return panel_->Kind(); }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            ++count;
            at = panel_->pos();
        }
        return false;
    }

private:
    BusyPanel* panel_;
};

// Writes a 10 x 10 match of four moves to file; answers what it holds.
Snapshot SaveTenFieldMatch(const QString& file) {
    PlayingWindow ten({.boardSize = 10});
    PlayMoves(ten, 4);
    Save(ten, file);
    return Take(ten);
}

TEST(SavedMatch, ATenByTenMatchOpensInAnEightByEightGameBehindTheLoadingPanel) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ten.kzv"));
    const Snapshot saved = SaveTenFieldMatch(file);
    PlayingWindow w({});
    ASSERT_EQ(w.form->SquareSize(), 61);
    const int width = w.form->width();
    // The panel's place comes from the window before it grows.
    const QWidget* client = w.form->BoardWidget()->parentWidget();
    const QPoint middle((client->width() - BusyPanel::kWidth) / 2,
                        (client->height() - BusyPanel::kHeight) / 2);
    const PanelShowings panel(*w.form);
    Open(w, file);
    EXPECT_EQ(panel.count, 1);
    EXPECT_EQ(panel.Kind(), BusyKind::Loading);
    EXPECT_EQ(panel.at, middle);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(Take(w), saved);
    EXPECT_EQ(w.form->SquareSize(), 49);
    EXPECT_EQ(w.form->BoardWidget()->size(), QSize(534, 534));
    EXPECT_EQ(w.form->width(), width + 2);
    EXPECT_EQ(w.form->CurrentSettings().BoardSize, 10);
    EXPECT_EQ(w.form->Painter().Pictures().FigureImageWidth(), 735);

    // A match of the same field loads no pictures.
    Open(w, file);
    EXPECT_EQ(panel.count, 1);
    EXPECT_EQ(Take(w), saved);
}

// A program folder whose DATA links every file of the real one, with
// `damaged` replaced by bytes that are no picture.
bool DataWithDamaged(const QTemporaryDir& dir, const QString& damaged) {
    const QDir real(QCoreApplication::applicationDirPath() + QStringLiteral("/DATA"));
    if (!QDir(dir.path()).mkdir(QStringLiteral("DATA"))) return false;
    for (const QString& name : real.entryList(QDir::Files)) {
        const QString copy = dir.path() + QStringLiteral("/DATA/") + name;
        if (name != damaged) {
            if (!QFile::link(real.filePath(name), copy)) return false;
            continue;
        }
        QFile file(copy);
        if (!file.open(QIODevice::WriteOnly)) return false;
        file.write("\xFF\xD8 not a picture after all");
    }
    return true;
}

TEST(SavedMatch, AMatchWhosePicturesCannotLoadKeepsTheShownMatchFieldAndPictures) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ten.kzv"));
    SaveTenFieldMatch(file);
    PlayingWindow w({});
    PlayMoves(w, 3);
    // Browsing back one move: the record, the position shown and the list
    // selection all stay.
    Child<QAction>(*w.form, "ListMenuUndoMove")->trigger();
    ASSERT_TRUE(w.form->Browsing());
    const Snapshot before = Take(w);
    const int current = w.Game().Tracker->current();
    const QSize size = w.form->size();
    const Settings settings = w.form->CurrentSettings();
    const QImage board = w.form->BoardWidget()->grab().toImage();
    QTemporaryDir data;
    ASSERT_TRUE(DataWithDamaged(data, QStringLiteral("Figs1.jpg")));
    w.form->SetProgramFolder(data.path().toStdString());

    const PanelShowings panel(*w.form);
    QString said;
    {
        const auto box = test::ModalAnswer::For<QMessageBox>(
            [&said](QMessageBox* b) {
                said = b->text();
                b->done(QMessageBox::Ok);
            },
            "the picture error");
        Open(w, file);
    }
    EXPECT_TRUE(said.contains(QStringLiteral("Figs1.jpg"))) << said.toStdString();
    EXPECT_EQ(panel.count, 1);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(Take(w), before);
    EXPECT_EQ(w.Game().Tracker->current(), current);
    EXPECT_TRUE(w.form->Browsing());
    EXPECT_EQ(w.form->SquareSize(), 61);
    EXPECT_EQ(w.form->size(), size);
    EXPECT_EQ(w.form->CurrentSettings(), settings);
    EXPECT_EQ(w.form->Painter().Pictures().FigureImageWidth(), 915);
    EXPECT_EQ(w.form->BoardWidget()->grab().toImage(), board);
}

TEST(SavedMatch, DamagedAndForeignFilesSayWhatIsWrongAndChangeNothing) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.kzv"));
    PlayingWindow w({});
    PlayMoves(w, 3);
    Save(w, good);
    QFile original(good);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();

    struct Case {
        const char* name;
        QByteArray content;
    };
    const Case cases[] = {
        {"cut.kzv", bytes.left(bytes.size() / 2)},
        {"text.kzv", QByteArrayLiteral("just some text, not a game")},
        {"empty.kzv", QByteArray()},
    };
    PlayMoves(w, 2);
    const Snapshot before = Take(w);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        QString seen;
        const auto box = test::ModalAnswer::For<QMessageBox>(
            [&seen](QMessageBox* b) {
                seen = b->text();
                b->done(QMessageBox::Ok);
            },
            "the file's error box");
        Open(w, path);
        EXPECT_FALSE(seen.isEmpty());
        EXPECT_EQ(Take(w), before);
    }
}

TEST(SavedMatch, ASaveIntoAFolderThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
    QTemporaryDir dir;
    PlayingWindow w({});
    PlayMoves(w, 2);
    // A plain file where the folder should be: nothing can be created there.
    const QString blocker = dir.filePath(QStringLiteral("notafolder"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    QString seen;
    const auto box = test::ModalAnswer::For<QMessageBox>(
        [&seen](QMessageBox* b) {
            seen = b->text();
            b->done(QMessageBox::Ok);
        },
        "the save error box");
    Save(w, blocker + QStringLiteral("/game.kzv"));
    EXPECT_TRUE(seen.contains(QStringLiteral("game.kzv"))) << seen.toStdString();
    QFile still(blocker);
    ASSERT_TRUE(still.open(QIODevice::ReadOnly));
    EXPECT_EQ(still.readAll(), QByteArray("x"));
}

TEST(SavedMatch, AMatchSavedAtTheComputersTurnLetsTheComputerMove) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("computer.kzv"));
    {
        // Two people at one board: white plays, then it is black's turn.
        PlayingWindow two({});
        two.Game().VsComputer = false;
        PlayMoves(two, 1);
        ASSERT_EQ(two.Game().SideToMove, CellBlack);
        // Saved as a game against the computer playing black.
        two.Game().VsComputer = true;
        Save(two, file);
    }
    PlayingWindow w({});
    Open(w, file);
    // The computer (black) answered at once: the player is to move.
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_EQ(w.Game().SideToMove, CellWhite);
}

TEST(SavedMatch, ADroppedMatchOpensAndOtherFilesAreRefused) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("drop.kzv"));
    const QString other = dir.filePath(QStringLiteral("notes.txt"));
    PlayingWindow w({});
    PlayMoves(w, 3);
    const Snapshot saved = Take(w);
    Save(w, file);
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("hello");
    f.close();
    w.form->NewGameItemClick();

    auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(w.form.get(), &enter);
        const bool accepted = enter.isAccepted();
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.form.get(), &dropped);
        QCoreApplication::processEvents();
        return accepted;
    };
    const Snapshot fresh = Take(w);
    EXPECT_FALSE(drop({QUrl::fromLocalFile(other)}));
    EXPECT_EQ(Take(w), fresh);
    // Only the first file counts.
    EXPECT_TRUE(drop({QUrl::fromLocalFile(file), QUrl::fromLocalFile(other)}));
    ASSERT_TRUE(test::WaitUntil([&] { return Take(w) == saved; }, 5000)) << "the dropped match";
}

}  // namespace
}  // namespace reversi

// The main window as a new player sees it: title, menus, status bar, move
// list, its size on both field sizes, hints, and a clean close.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "ModalAnswer.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        QSettings().clear();
    }
    std::unique_ptr<TReversiForm> ShowWindow() {
        auto form = std::make_unique<TReversiForm>();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    static int ClientHeight(const TReversiForm& form) {
        return form.height() - form.menuBar()->height();
    }
};

TEST_F(MainWindowTest, StartsWithTitleMenusAndNewGameStatus) {
    auto form = ShowWindow();
    EXPECT_EQ(form->windowTitle().toStdString(), "Zorel Reversi 4.00");
    EXPECT_FALSE(form->LowResolution());

    // The board is drawn: the back buffer is on screen inside the frames, with
    // the four discs of the start position (yellow on D5/E4, green on D4/E5).
    const QImage& screen = form->BoardWidget()->Screen();
    ASSERT_EQ(screen.size(), QSize(528, 528));
    auto centreOf = [&](int x, int y) { return screen.pixelColor(20 + x * 61 + 30, 20 + y * 61 + 30); };
    const QColor yellow = centreOf(3, 3), green = centreOf(4, 3), empty = centreOf(0, 0);
    EXPECT_GT(yellow.red(), yellow.blue() + 60) << "yellow disc on D5";
    EXPECT_GT(green.green(), green.red()) << "green disc on E5";
    EXPECT_EQ(centreOf(4, 4), yellow);
    EXPECT_EQ(centreOf(3, 4), green);
    EXPECT_NE(empty, yellow);
    EXPECT_NE(empty, green);

    QStringList menus;
    for (QAction* a : form->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus.join(QLatin1Char(',')).toStdString(), "Game,Media,Network,Match,Info");

    EXPECT_EQ(form->StatusPanelText(0).toStdString(), "Yellow is moving");
    EXPECT_EQ(form->StatusPanelText(1).toStdString(), "Yellow 2 : Green 2");
    EXPECT_EQ(form->StatusPanelText(2).toStdString(), "Move 0/0");
    EXPECT_TRUE(Game().Tracker != nullptr);
    EXPECT_EQ(Game().SideToMove, 2);
    EXPECT_FALSE(form->Browsing());

    // Undo, redo and both continue buttons start disabled on a new game.
    EXPECT_FALSE(Child<QToolButton>(*form, "SpeedButtonUndo")->isEnabled());
    EXPECT_FALSE(Child<QToolButton>(*form, "SpeedButtonRedo")->isEnabled());
    EXPECT_FALSE(Child<QToolButton>(*form, "SpeedButtonFromThis")->isEnabled());
    EXPECT_FALSE(Child<QToolButton>(*form, "SpeedButtonFromEnd")->isEnabled());
    EXPECT_FALSE(Child<QAction>(*form, "ListMenuUndoMove")->isEnabled());
    EXPECT_FALSE(Child<QAction>(*form, "NetMenuDisconnect")->isEnabled());
    // Not listening by default, and the tick mirrors that.
    EXPECT_FALSE(Child<QAction>(*form, "NetMenuListing")->isChecked());
    EXPECT_TRUE(Child<QWidget>(*form, "MovesListPanel")->isVisible());
    EXPECT_TRUE(Child<QAction>(*form, "ShowMoves1")->isChecked());
}

TEST_F(MainWindowTest, MenuItemsCarryTheirCaptionsHintsAndShortcuts) {
    auto form = std::make_unique<TReversiForm>();
    struct Item {
        QAction* action;
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
    };
    const std::vector<Item> items = {
        {Child<QAction>(*form, "NewGameItem"), "New", "Start new game", QKeySequence(Qt::Key_F2)},
        {Child<QAction>(*form, "ExitItem"), "Exit", "Exit from game", QKeySequence(Qt::ALT | Qt::Key_X)},
        {Child<QAction>(*form, "SelCur2"), "Flaming Cursor", "Flaming style cursor", {}},
        {Child<QAction>(*form, "Musicsource1"), "Music source", "Select folder where music files are placed...",
         QKeySequence(Qt::CTRL | Qt::Key_W)},
        {Child<QAction>(*form, "NetMenuShowIP"), "Get IP address", "Get and display IP address for this computer",
         QKeySequence(Qt::CTRL | Qt::Key_F7)},
        {Child<QAction>(*form, "ListMenuRedoMove"), "Redo move", "Redo to next move", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {Child<QAction>(*form, "ListMenuLoad"), "Open...", "Open saved match", QKeySequence(Qt::CTRL | Qt::Key_L)},
        {Child<QAction>(*form, "DayTipMenuItem"), "Tip Of The Day", "Shows Tip Of The Day dialog box",
         QKeySequence(Qt::CTRL | Qt::Key_F1)},
        {Child<QAction>(*form, "AboutItem"), "About", "Show about box", {}},
    };
    for (const Item& item : items) {
        EXPECT_EQ(item.action->text().toStdString(), item.caption);
        EXPECT_EQ(item.action->statusTip().toStdString(), item.hint) << item.caption;
        EXPECT_EQ(item.action->shortcut(), item.shortcut) << item.caption;
    }
    // The style sub-menus hold exactly their items.
    EXPECT_EQ(Child<QMenu>(*form, "Figures1")->actions().size(), 1);
    EXPECT_EQ(Child<QMenu>(*form, "Cursor1")->actions().size(), 2);
    EXPECT_EQ(Child<QMenu>(*form, "Help1")->actions().size(), 1);
    EXPECT_EQ(Child<QMenu>(*form, "Border1")->actions().size(), 2);
    EXPECT_EQ(Child<QMenu>(*form, "GameMenu")->actions().size(), 5);
    EXPECT_EQ(Child<QMenu>(*form, "Media1")->actions().size(), 11);
    EXPECT_EQ(Child<QMenu>(*form, "NetMenu")->actions().size(), 7);
    EXPECT_EQ(Child<QMenu>(*form, "ListMenu")->actions().size(), 6);
    EXPECT_EQ(Child<QMenu>(*form, "HelpMenu")->actions().size(), 5);
    EXPECT_EQ(Child<QToolButton>(*form, "SpeedButtonFromThis")->toolTip().toStdString(), "Continue from this position");
    EXPECT_EQ(form->OpenDialogSetup().Title.toStdString(), "Open...");
    EXPECT_EQ(form->SaveDialogSetup().Title.toStdString(), "Save...");
    EXPECT_TRUE(form->SaveDialogSetup().Save);
    EXPECT_EQ(form->SaveDialogSetup().Filter.toStdString(), "Zorel Reversi games (*.kzv)");
}

TEST_F(MainWindowTest, TheMoveListShowsTheMatchRecord) {
    auto form = ShowWindow();
    QListWidget* list = Child<QListWidget>(*form, "MovesListBox");
    // A new game: only the end line, shown empty and selected.
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->data(Qt::UserRole).toString().toStdString(), MoveListEndLine);
    EXPECT_TRUE(list->item(0)->text().isEmpty());
    EXPECT_EQ(list->currentRow(), 0);

    // Yellow plays D3 (column 3, row 5 from the top).
    const int d3 = SquareIndex(3, 5, 8);
    ASSERT_TRUE(CanMove(Game().Boards[0], d3, CellWhite, CellBlack));
    Game().Tracker->AddMove(d3, CellWhite, CellBlack);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text().toStdString(), " 1.Yellow ..... D:3");
    EXPECT_EQ(list->currentRow(), 1);

    // Closing detaches the list before it goes.
    form.reset();
    NewGame();
    EXPECT_EQ(Game().Tracker->MoveList(), nullptr);
}

TEST_F(MainWindowTest, ClientSizeFollowsTheRuleOnTheEightField) {
    auto form = ShowWindow();
    const int listWidth = form->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 172;
    EXPECT_EQ(form->MovesListWidth(), listWidth);
    EXPECT_EQ(form->SquareSize(), 61);
    EXPECT_EQ(form->SquareHalf(), 30);
    EXPECT_EQ(form->BoardWidget()->size(), QSize(532, 532));
    EXPECT_EQ(form->centralWidget()->size(), QSize(532 + listWidth, 532));
    EXPECT_EQ(form->width(), 532 + listWidth);
    EXPECT_EQ(ClientHeight(*form), 532 + form->statusBar()->height());
    EXPECT_GE(form->statusBar()->height(), 20);
    // The move list fills the height beside the board, its buttons at the bottom.
    EXPECT_EQ(Child<QWidget>(*form, "MovesListPanel")->geometry(), QRect(532, 0, listWidth, 532));
    EXPECT_EQ(Child<QFrame>(*form, "BtnsToolBar")->height(), 30);
    EXPECT_EQ(Child<QToolButton>(*form, "SpeedButtonUndo")->size(), QSize(45, 22));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());  // fixed size
}

TEST_F(MainWindowTest, ClientSizeFollowsTheRuleOnTheTenField) {
    auto form = ShowWindow();
    form->move(100, 100);
    QCoreApplication::processEvents();
    const QPoint centre = form->frameGeometry().center();
    Game().BoardSize = 10;
    NewGame();
    form->SizeWindowToField();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->SquareSize(), 49);
    EXPECT_EQ(form->SquareHalf(), 25);
    EXPECT_EQ(form->BoardWidget()->size(), QSize(534, 534));
    EXPECT_EQ(form->centralWidget()->size(), QSize(534 + form->MovesListWidth(), 534));
    EXPECT_EQ(form->width(), 534 + form->MovesListWidth());
    EXPECT_EQ(ClientHeight(*form), 534 + form->statusBar()->height());
    // The window keeps its centre (within a pixel of rounding).
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(MainWindowTest, HintsReplaceThePanelsWhileShown) {
    auto form = ShowWindow();
    QStatusTipEvent show(QStringLiteral("Start new game"));
    QCoreApplication::sendEvent(form.get(), &show);
    EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Start new game");
    EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());

    QStatusTipEvent clear{QString()};
    QCoreApplication::sendEvent(form.get(), &clear);
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
    EXPECT_EQ(form->StatusPanelText(2).toStdString(), "Move 0/0");
}

TEST_F(MainWindowTest, ExitClosesAndWritesTheCloseSettings) {
    auto form = ShowWindow();
    Child<QAction>(*form, "ExitItem")->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(Game().GameOver);

    QSettings store;
    EXPECT_TRUE(QFileInfo::exists(store.fileName()));
    EXPECT_EQ(store.value("net/port").toString().toStdString(), "8173");
    EXPECT_EQ(store.value("net/service").toString().toStdString(), "");
    EXPECT_EQ(store.value("net/listn").toString().toStdString(), "no");
    EXPECT_EQ(store.value("options/moves").toString().toStdString(), "yes");
    EXPECT_EQ(store.value("options/call8").toString().toStdString(), "yes");
    EXPECT_EQ(store.value("options/callw").toString().toStdString(), "yes");
    EXPECT_EQ(store.value("options/sound_volume").toString().toStdString(), "225");
    EXPECT_EQ(store.value("options/music_volume").toString().toStdString(), "120");
    EXPECT_TRUE(store.value("options/music_folder").toString().endsWith("DATA/MUSIC"));

    // Destroying after the close is clean and releases the match record.
    form.reset();
    EXPECT_EQ(Game().Tracker, nullptr);
}

TEST_F(MainWindowTest, ClosingWhileTheComputerThinksStopsAndJoinsTheSearch) {
    auto form = ShowWindow();
    auto& g = Game();
    g.BabyLevel = false;
    g.Depth = 9;  // far longer than the test takes to close
    bool finishedBeforeClose = false;
    StartSearch([&finishedBeforeClose] { finishedBeforeClose = true; });
    ASSERT_TRUE(g.ThreadRunning);
    form->close();
    EXPECT_FALSE(form->isVisible());
    // The search is over and released before the window lets go of anything.
    EXPECT_FALSE(g.ThreadRunning);
    EXPECT_EQ(g.SearchThread, nullptr);
    EXPECT_EQ(g.BestMove[0], PassMove);
    EXPECT_TRUE(finishedBeforeClose);
    form.reset();
}

TEST_F(MainWindowTest, DestroyingWithoutCloseStillJoinsTheSearch) {
    auto form = ShowWindow();
    Game().BabyLevel = false;
    Game().Depth = 9;
    StartSearch();
    form.reset();
    EXPECT_FALSE(Game().ThreadRunning);
    EXPECT_EQ(Game().SearchThread, nullptr);
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReportedAndTheWindowStillCloses) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A plain file where the organisation's settings folder should be:
    // nothing can be written.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    QFile file(dir.filePath(QStringLiteral("Quenwick")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    auto form = ShowWindow();
    QString seen;
    const auto closer = test::ModalAnswer::For<QMessageBox>(
        [&seen](QMessageBox* box) {
            seen = box->text();
            box->done(QMessageBox::Ok);
        },
        "the settings error box");
    form->close();
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(seen.startsWith(QLatin1String("The settings could not be written")))
        << seen.toStdString();
}

}  // namespace
}  // namespace reversi

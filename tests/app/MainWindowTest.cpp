// The main window as a new player sees it: title, menus, status bar, move
// list, its size on both field sizes, hints, and a clean close.
#include <atomic>
#include <map>
#include <set>

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
#include "PlayTestSupport.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        // No tip of the day over the windows of these tests.
        QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
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
    auto centreOf = [&](int x, int y) {
        return screen.pixelColor(20 + x * 61 + 30, 20 + y * 61 + 30);
    };
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
    EXPECT_TRUE(test::GameOf(*form).Tracker != nullptr);
    EXPECT_EQ(test::GameOf(*form).SideToMove, 2);
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

// One row of the menu: its component, texts, shortcut and initial state,
// and whether choosing it acts yet (checked by WiredMenuItemsAct).
struct MenuRow {
    const char* name;
    const char* caption;  // nullptr for a separator
    const char* hint;
    QKeySequence shortcut;
    bool checkable = false;
    bool checked = false;
    bool enabled = true;
    bool acts = false;
};

QKeySequence Keys(QKeyCombination key) { return QKeySequence(key); }

// The whole menu in item order: top-level menus each followed by their items,
// sub-menus each followed by theirs.
const std::vector<std::vector<MenuRow>>& MenuTable() {
    static const std::vector<std::vector<MenuRow>> table = {
        {{"GameMenu", "Game", "New game, hint, settings, exit...", {}},
         {"NewGameItem", "New", "Start new game", Keys(Qt::Key_F2), false, false, true, true},
         {"HintItem", "Hint", "Show best move", Keys(Qt::Key_F3), false, false, true, true},
         {"OptionsItem", "Settings", "Game settings", Keys(Qt::Key_F4), false, false, true, true},
         {"GameMenuSeparator", nullptr, nullptr, {}},
         {"ExitItem", "Exit", "Exit from game", Keys(Qt::ALT | Qt::Key_X), false, false, true,
          true}},
        {{"Media1", "Media", "Media settings...", {}},
         {"Figures1", "Figures", "Choice figures style", {}},
         {"Cursor1", "Cursor", "Choice cursor style", {}},
         {"Help1", "Help", "Choice help style", {}},
         {"Border1", "Border", "Choice border style", {}},
         {"N2", nullptr, nullptr, {}},
         {"Animation1", "Animation", "Enable or disable animation", Keys(Qt::ALT | Qt::Key_A), true,
          true, true, true},
         {"Sound1", "Sound", "Enable or disable sound", Keys(Qt::ALT | Qt::Key_S), true, true, true,
          true},
         {"Music1", "Music", "Enable or disable music", Keys(Qt::ALT | Qt::Key_M), true, true, true,
          true},
         {"N4", nullptr, nullptr, {}},
         {"Soundvolume1", "Sound volume", "Adjust music and sound effects volumes...",
          Keys(Qt::CTRL | Qt::Key_Q)},
         {"Musicsource1", "Music source", "Select folder where music files are placed...",
          Keys(Qt::CTRL | Qt::Key_W)}},
        {{"Figures1", "Figures", "Choice figures style", {}},
         {"SelFig1", "Zorel Amber", "Zorel Amber style figures", {}}},
        {{"Cursor1", "Cursor", "Choice cursor style", {}},
         {"SelCur1", "Classic Cursor", "Classic style cursor", {}, false, false, true, true},
         {"SelCur2", "Flaming Cursor", "Flaming style cursor", {}, false, false, true, true}},
        {{"Help1", "Help", "Choice help style", {}},
         {"SelHlp1", "Zorel Help", "Zorel style help", {}}},
        {{"Border1", "Border", "Choice border style", {}},
         {"SelBrdr1", "Hidden Power", "Hidden Power style border", {}, false, false, true, true},
         {"SelBrdr2", "Dark Place", "Dark Place style border", {}, false, false, true, true}},
        {{"NetMenu", "Network", "Network play...", {}},
         {"NetMenuConnect", "Call", "Call remote player", Keys(Qt::Key_F5)},
         // Ticked while listening; listening is on by default.
         {"NetMenuListing", "Allow call", "Allow remote player to call you",
          Keys(Qt::ALT | Qt::Key_L), true, true},
         {"NetMenuDisconnect", "Disconnect", "Disconnect from remote player",
          Keys(Qt::CTRL | Qt::Key_F6), false, false, false},
         {"N6", nullptr, nullptr, {}},
         {"NetMenuSendMessage", "Message", "Send a message to remote player", Keys(Qt::Key_F7),
          false, false, false},
         {"N3", nullptr, nullptr, {}},
         {"NetMenuShowIP", "Get IP address", "Get and display IP address for this computer",
          Keys(Qt::CTRL | Qt::Key_F7)}},
        {{"ListMenu", "Match", "Undo, redo, show and hide moves...", {}},
         {"ListMenuUndoMove", "Undo move", "Undo last move", Keys(Qt::CTRL | Qt::Key_Z), false,
          false, false, true},
         {"ListMenuRedoMove", "Redo move", "Redo to next move", Keys(Qt::CTRL | Qt::Key_X), false,
          false, false, true},
         {"ShowMoves1", "Show moves", "Show or hide moves list", Keys(Qt::Key_F8), true, true, true,
          true},
         {"N1", nullptr, nullptr, {}},
         {"ListMenuSave", "Save...", "Save match", Keys(Qt::CTRL | Qt::Key_S), false, false, true,
          true},
         {"ListMenuLoad", "Open...", "Open saved match", Keys(Qt::CTRL | Qt::Key_L), false, false,
          true, true}},
        {{"HelpMenu", "Info", "Information...", {}},
         {"RulersItem", "Help", "Display short game information", Keys(Qt::Key_F1), false, false,
          true, true},
         {"DayTipMenuItem", "Tip Of The Day", "Shows Tip Of The Day dialog box",
          Keys(Qt::CTRL | Qt::Key_F1), false, false, true, true},
         {"Statistics1", "Statistics", "Display statistics", Keys(Qt::Key_F9), false, false, true,
          true},
         {"HelpMenuSeparator", nullptr, nullptr, {}},
         {"AboutItem", "About", "Show about box", {}}},
    };
    return table;
}

// The action of a row: an item's own action or a sub-menu's header.
QAction* RowAction(const QWidget& form, const char* name) {
    if (auto* menu = form.findChild<QMenu*>(QString::fromLatin1(name))) return menu->menuAction();
    return Child<QAction>(form, name);
}

TEST_F(MainWindowTest, MenuItemsCarryTheirCaptionsHintsAndShortcuts) {
    auto form = std::make_unique<TReversiForm>();
    QStringList topLevel;
    for (const auto& menuRows : MenuTable()) {
        const MenuRow& head = menuRows.front();
        auto* menu = Child<QMenu>(*form, head.name);
        EXPECT_EQ(menu->title().toStdString(), head.caption);
        EXPECT_EQ(menu->menuAction()->statusTip().toStdString(), head.hint) << head.name;
        if (form->menuBar()->actions().contains(menu->menuAction()))
            topLevel << QString::fromLatin1(head.name);
        // The items, in order, exactly those of the table.
        QStringList expected, actual;
        for (std::size_t i = 1; i < menuRows.size(); ++i)
            expected << QString::fromLatin1(menuRows[i].name);
        for (QAction* a : menu->actions()) {
            actual << (a->menu() != nullptr ? a->menu()->objectName() : a->objectName());
        }
        EXPECT_EQ(actual.join(QLatin1Char(',')).toStdString(),
                  expected.join(QLatin1Char(',')).toStdString());
        for (std::size_t i = 1; i < menuRows.size(); ++i) {
            const MenuRow& row = menuRows[i];
            QAction* item = RowAction(*form, row.name);
            if (row.caption == nullptr) {
                EXPECT_TRUE(item->isSeparator()) << row.name;
                EXPECT_TRUE(item->text().isEmpty()) << row.name;
                continue;
            }
            EXPECT_EQ(item->text().toStdString(), row.caption) << row.name;
            EXPECT_EQ(item->statusTip().toStdString(), row.hint) << row.name;
            EXPECT_EQ(item->shortcut(), row.shortcut) << row.name;
            EXPECT_EQ(item->isCheckable(), row.checkable) << row.name;
            // "Allow call" is ticked exactly while listening, which needs a free port.
            if (std::string(row.name) != "NetMenuListing") {
                EXPECT_EQ(item->isChecked(), row.checked) << row.name;
            }
            EXPECT_EQ(item->isEnabled(), row.enabled) << row.name;
        }
    }
    EXPECT_EQ(topLevel.join(QLatin1Char(',')).toStdString(),
              "GameMenu,Media1,NetMenu,ListMenu,HelpMenu");
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
    // The tool-bar buttons and the two file dialogs.
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"SpeedButtonUndo", "Undo move"},
        {"SpeedButtonRedo", "Redo move"},
        {"SpeedButtonFromThis", "Continue from this position"},
        {"SpeedButtonFromEnd", "Continue from last position"},
    };
    for (const auto& [name, hint] : buttons) {
        EXPECT_EQ(Child<QToolButton>(*form, name)->toolTip().toStdString(), hint);
        EXPECT_EQ(Child<QToolButton>(*form, name)->statusTip().toStdString(), hint);
    }
    EXPECT_EQ(form->OpenDialogSetup().Title.toStdString(), "Open...");
    EXPECT_EQ(form->SaveDialogSetup().Title.toStdString(), "Save...");
    EXPECT_FALSE(form->OpenDialogSetup().Save);
    EXPECT_TRUE(form->SaveDialogSetup().Save);
    EXPECT_EQ(form->OpenDialogSetup().Filter.toStdString(), "Zorel Reversi games (*.kzv)");
    EXPECT_EQ(form->SaveDialogSetup().Filter.toStdString(), "Zorel Reversi games (*.kzv)");
}

TEST_F(MainWindowTest, MenuItemsShowIconsAndTheStyleItemsTheirStyles) {
    auto form = std::make_unique<TReversiForm>();
    const QStringList styleItems = {"SelFig1", "SelCur1",  "SelCur2",
                                    "SelHlp1", "SelBrdr1", "SelBrdr2"};
    QList<QImage> styleImages;
    for (const auto& menuRows : MenuTable()) {
        for (std::size_t i = 1; i < menuRows.size(); ++i) {
            const MenuRow& row = menuRows[i];
            if (row.caption == nullptr || form->findChild<QMenu*>(QString::fromLatin1(row.name)))
                continue;
            const QIcon icon = Child<QAction>(*form, row.name)->icon();
            ASSERT_FALSE(icon.isNull()) << row.name;
            const bool style = styleItems.contains(QString::fromLatin1(row.name));
            const QSize size = style ? QSize(32, 32) : QSize(16, 16);
            EXPECT_TRUE(icon.availableSizes().contains(size)) << row.name;
            const QImage image = icon.pixmap(size).toImage();
            // Something is drawn: more than one colour.
            std::set<QRgb> colours;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
            EXPECT_GT(colours.size(), style ? 2U : 1U) << row.name;
            if (style) styleImages << image;
        }
    }
    // Each style looks different from the others.
    ASSERT_EQ(styleImages.size(), styleItems.size());
    for (int a = 0; a < styleImages.size(); ++a)
        for (int b = a + 1; b < styleImages.size(); ++b)
            EXPECT_NE(styleImages[a], styleImages[b])
                << styleItems[a].toStdString() << " " << styleItems[b].toStdString();
    // The style sub-menus show them at full size.
    EXPECT_EQ(Child<QMenu>(*form, "Cursor1")->style()->pixelMetric(QStyle::PM_SmallIconSize), 32);
    EXPECT_EQ(Child<QMenu>(*form, "GameMenu")->style()->pixelMetric(QStyle::PM_SmallIconSize), 16);
}

// Each item marked as acting, chosen from the menu of a window whose modal
// windows are recorded, does its job.
// Chooses the style item `from`, then `to`, and expects the cursor (or
// border) style `style`.
void ExpectStyle(test::PlayingWindow& w, const char* from, const char* to, int style, bool cursor) {
    Child<QAction>(*w.form, from)->trigger();
    Child<QAction>(*w.form, to)->trigger();
    const Settings& s = w.form->CurrentSettings();
    EXPECT_EQ(cursor ? s.CursorStyle : s.BoardBorderStyle, style);
}

TEST(MenuItems, WiredMenuItemsAct) {
    using Check = std::function<void(test::PlayingWindow&)>;
    const std::map<std::string, Check> checks = {
        {"NewGameItem",
         [](test::PlayingWindow& w) {
             const auto legal = w.LegalSquares();
             w.ClickSquare(legal.front().first, legal.front().second);
             ASSERT_GT(w.Game().Tracker->count(), 0);
             Child<QAction>(*w.form, "NewGameItem")->trigger();
             EXPECT_EQ(w.Game().Tracker->count(), 0);
         }},
        {"HintItem",
         [](test::PlayingWindow& w) {
             w.messages->answer = false;
             Child<QAction>(*w.form, "HintItem")->trigger();
             EXPECT_EQ(w.messages->questions, QStringList{HintPracticeQuestion()});
         }},
        {"ExitItem",
         [](test::PlayingWindow& w) {
             Child<QAction>(*w.form, "ExitItem")->trigger();
             EXPECT_FALSE(w.form->isVisible());
         }},
        {"RulersItem",
         [](test::PlayingWindow& w) {
             Child<QAction>(*w.form, "RulersItem")->trigger();
             EXPECT_EQ(w.messages->rules.size(), 1U);
         }},
        {"DayTipMenuItem",
         [](test::PlayingWindow& w) {
             const std::size_t before = w.messages->tips.size();
             Child<QAction>(*w.form, "DayTipMenuItem")->trigger();
             EXPECT_EQ(w.messages->tips.size(), before + 1);
         }},
        {"Statistics1",
         [](test::PlayingWindow& w) {
             Child<QAction>(*w.form, "Statistics1")->trigger();
             EXPECT_EQ(w.messages->statistics.size(), 1U);
         }},
        {"OptionsItem",
         [](test::PlayingWindow& w) {
             Child<QAction>(*w.form, "OptionsItem")->trigger();
             EXPECT_EQ(w.messages->settingsShown, 1);
         }},
        {"SelCur1", [](test::PlayingWindow& w) { ExpectStyle(w, "SelCur2", "SelCur1", 0, true); }},
        {"SelCur2", [](test::PlayingWindow& w) { ExpectStyle(w, "SelCur1", "SelCur2", 1, true); }},
        {"SelBrdr1",
         [](test::PlayingWindow& w) { ExpectStyle(w, "SelBrdr2", "SelBrdr1", 0, false); }},
        {"SelBrdr2",
         [](test::PlayingWindow& w) { ExpectStyle(w, "SelBrdr1", "SelBrdr2", 1, false); }},
        {"Animation1",
         [](test::PlayingWindow& w) {
             const bool before = w.form->CurrentSettings().AnimationOn;
             Child<QAction>(*w.form, "Animation1")->trigger();
             EXPECT_NE(w.form->CurrentSettings().AnimationOn, before);
         }},
        {"Sound1",
         [](test::PlayingWindow& w) {
             const bool before = w.form->CurrentSettings().SoundEffectsOn;
             Child<QAction>(*w.form, "Sound1")->trigger();
             EXPECT_NE(w.form->CurrentSettings().SoundEffectsOn, before);
         }},
        {"Music1",
         [](test::PlayingWindow& w) {
             const bool before = w.form->CurrentSettings().MusicOn;
             Child<QAction>(*w.form, "Music1")->trigger();
             EXPECT_NE(w.form->CurrentSettings().MusicOn, before);
         }},
        {"ShowMoves1",
         [](test::PlayingWindow& w) {
             ASSERT_GT(w.form->MovesListWidth(), 0);
             Child<QAction>(*w.form, "ShowMoves1")->trigger();
             EXPECT_EQ(w.form->MovesListWidth(), 0);
         }},
        {"ListMenuSave",
         [](test::PlayingWindow& w) {
             Child<QAction>(*w.form, "ListMenuSave")->trigger();
             EXPECT_EQ(w.messages->fileDialogs, QStringList{QStringLiteral("Save...")});
         }},
        {"ListMenuLoad",
         [](test::PlayingWindow& w) {
             Child<QAction>(*w.form, "ListMenuLoad")->trigger();
             EXPECT_EQ(w.messages->fileDialogs, QStringList{QStringLiteral("Open...")});
         }},
        {"ListMenuUndoMove",
         [](test::PlayingWindow& w) {
             const auto legal = w.LegalSquares();
             w.ClickSquare(legal.front().first, legal.front().second);
             Child<QAction>(*w.form, "ListMenuUndoMove")->trigger();
             EXPECT_TRUE(w.form->Browsing());
         }},
        {"ListMenuRedoMove",
         [](test::PlayingWindow& w) {
             const auto legal = w.LegalSquares();
             w.ClickSquare(legal.front().first, legal.front().second);
             Child<QAction>(*w.form, "ListMenuUndoMove")->trigger();
             ASSERT_TRUE(w.form->Browsing());
             Child<QAction>(*w.form, "ListMenuRedoMove")->trigger();
             EXPECT_FALSE(w.form->Browsing());
         }},
    };
    std::set<std::string> acting;
    for (const auto& menuRows : MenuTable()) {
        for (const MenuRow& row : menuRows) {
            if (row.acts) acting.insert(row.name);
        }
    }
    for (const auto& [name, check] : checks)
        EXPECT_TRUE(acting.count(name)) << name << " is marked idle";
    for (const std::string& name : acting) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(checks.count(name)) << "no check for " << name;
        test::PlayingWindow w({});
        // The start-up tip has come and gone.
        ASSERT_TRUE(test::WaitUntil([&] { return !w.messages->tips.empty(); }));
        checks.at(name)(w);
    }
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
    auto& g = test::GameOf(*form);
    ASSERT_TRUE(CanMove(g, g.Boards[0], d3, CellWhite, CellBlack));
    g.Tracker->AddMove(g, d3, CellWhite, CellBlack);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text().toStdString(), " 1.Yellow ..... D:3");
    EXPECT_EQ(list->currentRow(), 1);

    // The record and its list go with the window.
    form.reset();
}

TEST_F(MainWindowTest, ClientSizeFollowsTheRuleOnTheEightField) {
    auto form = ShowWindow();
    const int listWidth = form->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 172;
    EXPECT_EQ(form->MovesListWidth(), listWidth);
    EXPECT_EQ(form->SquareSize(), 61);
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
    test::GameOf(*form).BoardSize = 10;
    NewGame(test::GameOf(*form));
    form->SizeWindowToField();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->SquareSize(), 49);
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
    EXPECT_TRUE(test::GameOf(*form).GameOver);

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

    // Destroying after the close is clean.
    form.reset();
}

TEST_F(MainWindowTest, ClosingWhileTheComputerThinksStopsAndJoinsTheSearch) {
    auto form = ShowWindow();
    auto& g = test::GameOf(*form);
    // Depth 9 with the inverted values of level "0-baby", which prune
    // poorly: far longer than the test takes to close.
    g.BabyLevel = true;
    g.Depth = 9;
    bool finishedBeforeClose = false;
    StartSearch(g, [&finishedBeforeClose] { finishedBeforeClose = true; });
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
    auto& g = test::GameOf(*form);
    g.BabyLevel = true;
    g.Depth = 9;
    // The search ends (stopped) and is joined before the window is gone:
    // its completion has run by then.
    std::atomic<bool> finished{false};
    StartSearch(g, [&finished] { finished = true; });
    ASSERT_TRUE(g.ThreadRunning);
    form.reset();
    EXPECT_TRUE(finished);
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

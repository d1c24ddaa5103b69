// The settings dialog opened from the Game menu during a game and what each
// kind of confirmed change does to the game and the window (practice
// question, new game, field size and window size, styles, switches), that
// Cancel changes nothing, and the style items of the Media menu.
#include <functional>
#include <string>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

#include "BusyPanel.h"
#include "DialogPlacement.h"
#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "SettingsChange.h"
#include "SideUnit.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;
using test::GameSetup;
using test::PlayingWindow;

using Edit = std::function<void(TSideDlg&)>;

void Choose(TSideDlg& d, const char* list, int index) {
    Child<QComboBox>(d, list)->setCurrentIndex(index);
}
void Select(TSideDlg& d, const char* radio) { Child<QRadioButton>(d, radio)->setChecked(true); }
void Flip(TSideDlg& d, const char* box) {
    auto* check = Child<QCheckBox>(d, box);
    check->setChecked(!check->isChecked());
}

// Opens the dialog from the Game menu, lets `edit` set its controls and
// closes it with OK (or Cancel).
void UseDialog(PlayingWindow& w, const Edit& edit, bool ok = true) {
    w.messages->onEditSettings = [edit, ok](TSideDlg& d) {
        edit(d);
        return ok;
    };
    const int shown = w.messages->settingsShown;
    Child<QAction>(*w.form, "OptionsItem")->trigger();
    EXPECT_EQ(w.messages->settingsShown, shown + 1) << "the settings dialog did not open";
    w.messages->onEditSettings = nullptr;
}

// Counts the showings of the "Loading..." panel.
class PanelShowings : public QObject {
public:
    explicit PanelShowings(TReversiForm& form) : panel_(Child<BusyPanel>(form, "LoadingPanel")) {
        panel_->installEventFilter(this);
    }
    ~PanelShowings() override { panel_->removeEventFilter(this); }
    int count = 0;
    BusyKind kind() const { return panel_->Kind(); }
    bool visible() const { return panel_->isVisible(); }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++count;
        return false;
    }

private:
    BusyPanel* panel_;
};

// The player (white) plays the first legal square; the computer answers.
void PlayOneMove(PlayingWindow& w) {
    const auto legal = w.LegalSquares();
    ASSERT_FALSE(legal.empty());
    w.ClickSquare(legal[0].first, legal[0].second);
    ASSERT_EQ(w.Game().Tracker->count(), 2) << "the move and the computer's answer";
}

TEST(SettingsDialogFlow, LevelOrEngineChangedDuringAGameAsksAndOnlyYesMakesItPractice) {
    struct Case {
        const char* what;
        Edit edit;
        bool answer;
        int questions;
        int depth;
        bool advanced;
        bool practice;
    };
    const Case cases[] = {
        {"level yes", [](TSideDlg& d) { Choose(d, "ComboBox5", 5); }, true, 1, 5, false, true},
        {"level no", [](TSideDlg& d) { Choose(d, "ComboBox5", 5); }, false, 1, 3, false, false},
        {"engine yes", [](TSideDlg& d) { Choose(d, "ComboBox2", 1); }, true, 1, 3, true, true},
        {"engine no", [](TSideDlg& d) { Choose(d, "ComboBox2", 1); }, false, 1, 3, false, false},
        // After a Yes the game is practice: the engine is not asked about.
        {"both yes",
         [](TSideDlg& d) {
             Choose(d, "ComboBox5", 5);
             Choose(d, "ComboBox2", 1);
         },
         true, 1, 5, true, true},
        {"both no",
         [](TSideDlg& d) {
             Choose(d, "ComboBox5", 5);
             Choose(d, "ComboBox2", 1);
         },
         false, 2, 3, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellBlack});
        PlayOneMove(w);
        const tBoard board = w.Game().Boards[0];
        w.messages->answer = c.answer;
        UseDialog(w, c.edit);

        ASSERT_EQ(w.messages->questions.size(), c.questions);
        EXPECT_EQ(w.messages->questions[0], LevelPracticeQuestion());
        const auto& g = w.Game();
        EXPECT_EQ(g.Depth, c.depth);
        EXPECT_FALSE(g.BabyLevel);
        EXPECT_EQ(g.AdvancedEngine, c.advanced);
        EXPECT_EQ(g.PracticeGame, c.practice);
        // The setting and the dialog show what was kept.
        const Settings& s = w.form->CurrentSettings();
        EXPECT_EQ(s.Depth, c.depth);
        EXPECT_EQ(s.AdvancedEngine, c.advanced);
        // The game goes on: nothing restarted, and it is the player's turn.
        EXPECT_EQ(g.Tracker->count(), 2);
        EXPECT_EQ(g.Boards[0], board);
        EXPECT_EQ(g.SideToMove, CellWhite);
    }
}

TEST(SettingsDialogFlow, TheDialogShowsTheKeptLevelAfterANo) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellBlack});
    PlayOneMove(w);
    w.messages->answer = false;
    UseDialog(w, [](TSideDlg& d) { Choose(d, "ComboBox5", 5); });
    int shownLevel = -1;
    UseDialog(
        w, [&](TSideDlg& d) { shownLevel = Child<QComboBox>(d, "ComboBox5")->currentIndex(); },
        false);
    EXPECT_EQ(shownLevel, 3);
}

TEST(SettingsDialogFlow, NoQuestionBeforeThePlayersFirstMoveOrInAFinishedGame) {
    // The computer (white) has opened: one stored move, the player has not moved.
    {
        PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellWhite});
        ASSERT_EQ(w.Game().Tracker->count(), 1);
        UseDialog(w, [](TSideDlg& d) { Choose(d, "ComboBox5", 0); });
        EXPECT_TRUE(w.messages->questions.isEmpty());
        EXPECT_TRUE(w.Game().BabyLevel);
        EXPECT_EQ(w.Game().Depth, 1);
        EXPECT_FALSE(w.Game().PracticeGame);
        EXPECT_EQ(w.Game().Tracker->count(), 1);
    }
    {
        PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellBlack});
        PlayOneMove(w);
        w.Game().GameOver = true;
        UseDialog(w, [](TSideDlg& d) { Choose(d, "ComboBox2", 1); });
        EXPECT_TRUE(w.messages->questions.isEmpty());
        EXPECT_TRUE(w.Game().AdvancedEngine);
        EXPECT_FALSE(w.Game().PracticeGame);
    }
}

TEST(SettingsDialogFlow, PlayingBlackStartsANewGameThatTheComputerOpensAtOnce) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 2, .computerSide = CellBlack});
    PlayOneMove(w);
    UseDialog(w, [](TSideDlg& d) { Select(d, "RadioButton4"); });
    const auto& g = w.Game();
    EXPECT_TRUE(w.messages->questions.isEmpty());
    EXPECT_EQ(g.ComputerSide, CellWhite);
    EXPECT_EQ(w.form->CurrentSettings().ComputerSide, CellWhite);
    // The computer played its fixed opening in the new game.
    ASSERT_EQ(g.Tracker->count(), 1);
    EXPECT_EQ(g.Tracker->moves()[0].dest, 53);
    EXPECT_EQ(g.SideToMove, CellBlack);
    EXPECT_FALSE(g.PracticeGame);
    EXPECT_FALSE(w.form->Browsing());
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Green is moving");
    EXPECT_EQ(w.form->StatusPanelText(1).toStdString(), "Yellow 4 : Green 1");
    EXPECT_EQ(w.form->StatusPanelText(2).toStdString(), "Move 1/1");
    EXPECT_EQ(w.form->CursorSquare(), QPoint(0, 0));
}

TEST(SettingsDialogFlow, ASecondPlayerStartsANewGameWithoutTheComputer) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 2, .computerSide = CellBlack});
    PlayOneMove(w);
    UseDialog(w, [](TSideDlg& d) { Select(d, "RadioButton2"); });
    const auto& g = w.Game();
    EXPECT_FALSE(g.VsComputer);
    EXPECT_FALSE(w.form->CurrentSettings().VsComputer);
    EXPECT_EQ(g.Tracker->count(), 0);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Yellow is moving");
    EXPECT_EQ(w.form->StatusPanelText(1).toStdString(), "Yellow 2 : Green 2");
    EXPECT_EQ(w.form->StatusPanelText(2).toStdString(), "Move 0/0");
    EXPECT_FALSE(Child<QToolButton>(*w.form, "SpeedButtonUndo")->isEnabled());
    EXPECT_FALSE(Child<QToolButton>(*w.form, "SpeedButtonFromThis")->isEnabled());
    // Both colours are played by clicks now: nobody answers the first move.
    const auto legal = w.LegalSquares();
    w.ClickSquare(legal[0].first, legal[0].second);
    EXPECT_EQ(g.Tracker->count(), 1);
    EXPECT_EQ(g.SideToMove, CellBlack);
}

TEST(SettingsDialogFlow, TheTenFieldAndBackResizeTheWindowAroundItsCentre) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 1, .computerSide = CellBlack});
    auto& form = *w.form;
    form.move(150, 120);
    QCoreApplication::processEvents();
    PlayOneMove(w);
    const QPoint centre = form.frameGeometry().center();
    PanelShowings panel(form);
    EXPECT_EQ(panel.kind(), BusyKind::Loading);

    UseDialog(w, [](TSideDlg& d) { Select(d, "RadioButton8"); });
    QCoreApplication::processEvents();
    const auto& g = w.Game();
    EXPECT_EQ(g.BoardSize, 10);
    EXPECT_EQ(form.CurrentSettings().BoardSize, 10);
    EXPECT_EQ(form.SquareSize(), 49);
    EXPECT_EQ(form.BoardWidget()->size(), QSize(534, 534));
    EXPECT_EQ(form.width(), 534 + form.MovesListWidth());
    EXPECT_EQ(form.Painter().BackBuffer().Width(), 530);
    EXPECT_EQ(form.Painter().Pictures().FigureImageWidth(), 735);
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
    EXPECT_EQ(panel.count, 1) << "the pictures load behind the busy panel";
    EXPECT_FALSE(panel.visible());
    // A new game on the new field, white (the player) to move.
    EXPECT_EQ(g.Tracker->count(), 0);
    EXPECT_EQ(g.Tracker->boardsize(), 10);
    EXPECT_EQ(form.StatusPanelText(1).toStdString(), "Yellow 2 : Green 2");
    EXPECT_FALSE(w.LegalSquares().empty());
    EXPECT_TRUE(w.messages->questions.isEmpty());

    // The new field plays: a click and the computer's answer.
    const auto legal = w.LegalSquares();
    w.ClickSquare(legal[0].first, legal[0].second);
    EXPECT_EQ(g.Tracker->count(), 2);

    UseDialog(w, [](TSideDlg& d) { Select(d, "RadioButton7"); });
    QCoreApplication::processEvents();
    EXPECT_EQ(g.BoardSize, 8);
    EXPECT_EQ(form.SquareSize(), 61);
    EXPECT_EQ(form.BoardWidget()->size(), QSize(532, 532));
    EXPECT_EQ(form.width(), 532 + form.MovesListWidth());
    EXPECT_EQ(form.Painter().Pictures().FigureImageWidth(), 915);
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
    EXPECT_EQ(panel.count, 2);
    EXPECT_EQ(g.Tracker->count(), 0);
}

// A strip of the top border as it is on screen.
QImage TopBorder(const TReversiForm& form) {
    return form.BoardWidget()->Screen().copy(0, 0, form.BoardWidget()->Screen().width(), 16);
}

TEST(SettingsDialogFlow, StylesApplyWithoutANewGameAndOnlyPicturesLoad) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 1, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    const tBoard board = w.Game().Boards[0];
    PanelShowings panel(form);

    // The cursor is drawn, not loaded: no busy panel.
    UseDialog(w, [](TSideDlg& d) { Choose(d, "ComboBox4", 1); });
    EXPECT_EQ(form.CurrentSettings().CursorStyle, 1);
    EXPECT_EQ(panel.count, 0);

    const QImage before = TopBorder(form);
    UseDialog(w, [](TSideDlg& d) { Choose(d, "ComboBox6", 1); });
    EXPECT_EQ(form.CurrentSettings().BoardBorderStyle, 1);
    EXPECT_EQ(panel.count, 1);
    EXPECT_NE(TopBorder(form), before) << "the other border is on screen";

    // The game went on untouched.
    EXPECT_EQ(w.Game().Boards[0], board);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_TRUE(w.messages->questions.isEmpty());
}

TEST(SettingsDialogFlow, MediaStyleItemsApplyTheirStyleAndKeepTheDialogInStep) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 1, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    const tBoard board = w.Game().Boards[0];
    PanelShowings panel(form);
    auto* dialog = form.findChild<TSideDlg*>();
    ASSERT_NE(dialog, nullptr);
    const QImage plain = TopBorder(form);

    Child<QAction>(form, "SelCur2")->trigger();
    EXPECT_EQ(form.CurrentSettings().CursorStyle, 1);
    EXPECT_EQ(Child<QComboBox>(*dialog, "ComboBox4")->currentIndex(), 1);
    EXPECT_EQ(panel.count, 0);

    Child<QAction>(form, "SelBrdr2")->trigger();
    EXPECT_EQ(form.CurrentSettings().BoardBorderStyle, 1);
    EXPECT_EQ(Child<QComboBox>(*dialog, "ComboBox6")->currentIndex(), 1);
    EXPECT_EQ(panel.count, 1);
    EXPECT_NE(TopBorder(form), plain);

    Child<QAction>(form, "SelBrdr1")->trigger();
    Child<QAction>(form, "SelCur1")->trigger();
    EXPECT_EQ(form.CurrentSettings().BoardBorderStyle, 0);
    EXPECT_EQ(form.CurrentSettings().CursorStyle, 0);
    EXPECT_EQ(TopBorder(form), plain);

    // The one figure and help set: chosen again, the pictures still load.
    Child<QAction>(form, "SelFig1")->trigger();
    Child<QAction>(form, "SelHlp1")->trigger();
    EXPECT_EQ(form.CurrentSettings().FiguresStyle, 0);
    EXPECT_EQ(form.CurrentSettings().HelpStyle, 0);
    // Style items carry no check marks, never restart and never run the turn loop.
    for (const char* item : {"SelFig1", "SelCur1", "SelCur2", "SelHlp1", "SelBrdr1", "SelBrdr2"})
        EXPECT_FALSE(Child<QAction>(form, item)->isCheckable()) << item;
    EXPECT_EQ(w.Game().Boards[0], board);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_EQ(w.messages->settingsShown, 0);
}

TEST(SettingsDialogFlow, EachSwitchChangesItsSettingAndItsCheckMark) {
    struct Case {
        const char* box;
        bool Settings::*flag;
        const char* menuItem;  // the Media item that mirrors it, if any
    };
    const Case cases[] = {
        {"CheckBox6", &Settings::MusicOn, "Music1"},
        {"CheckBox1", &Settings::SoundEffectsOn, "Sound1"},
        {"CheckBox2", &Settings::AnimationOn, "Animation1"},
        {"CheckBox3", &Settings::UseSysTray, nullptr},
        {"CheckBox4", &Settings::ShowPreviousMove, nullptr},
        {"CheckBox5", &Settings::ShowAvailableMoves, nullptr},
    };
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 1, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    // A first OK without changes takes the game's values into the settings.
    UseDialog(w, [](TSideDlg&) {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        for (int round = 0; round < 2; ++round) {
            const Settings before = form.CurrentSettings();
            UseDialog(w, [&](TSideDlg& d) { Flip(d, c.box); });
            Settings expected = before;
            expected.*c.flag = !(before.*c.flag);
            EXPECT_EQ(form.CurrentSettings(), expected);
            if (c.menuItem != nullptr) {
                EXPECT_EQ(Child<QAction>(form, c.menuItem)->isChecked(), expected.*c.flag);
            }
        }
    }
    // The help marks follow their two switches.
    UseDialog(w, [](TSideDlg& d) { Flip(d, "CheckBox5"); });
    EXPECT_FALSE(form.Animations().Options().showAvailableMoves);
    EXPECT_TRUE(form.Animations().Options().showPreviousMove);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_TRUE(w.messages->questions.isEmpty());
}

TEST(SettingsDialogFlow, CancelChangesNothingAndPutsTheControlsBack) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    const Settings before = form.CurrentSettings();
    const tBoard board = w.Game().Boards[0];
    PanelShowings panel(form);
    UseDialog(
        w,
        [](TSideDlg& d) {
            Choose(d, "ComboBox5", 7);
            Choose(d, "ComboBox2", 1);
            Select(d, "RadioButton4");
            Select(d, "RadioButton8");
            Choose(d, "ComboBox4", 1);
            Choose(d, "ComboBox6", 1);
            Flip(d, "CheckBox1");
            Flip(d, "CheckBox2");
        },
        false);
    EXPECT_EQ(form.CurrentSettings(), before);
    EXPECT_EQ(w.Game().Depth, 3);
    EXPECT_FALSE(w.Game().AdvancedEngine);
    EXPECT_EQ(w.Game().BoardSize, 8);
    EXPECT_EQ(w.Game().ComputerSide, CellBlack);
    EXPECT_EQ(w.Game().Boards[0], board);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_EQ(panel.count, 0);
    EXPECT_TRUE(w.messages->questions.isEmpty());
    // Reopened, the dialog shows the settings in force.
    Settings shown;
    UseDialog(
        w, [&](TSideDlg& d) { shown = d.Values(Settings{}); }, false);
    EXPECT_EQ(shown.Level(), 3);
    EXPECT_EQ(shown.BoardSize, 8);
    EXPECT_EQ(shown.ComputerSide, CellBlack);
    EXPECT_EQ(shown.CursorStyle, 0);
    EXPECT_EQ(shown.SoundEffectsOn, before.SoundEffectsOn);
}

TEST(SettingsDialogFlow, WhileTheComputerThinksGameChangesAreRefusedWithAMessage) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    const Settings before = form.CurrentSettings();
    QString said;
    auto box = test::ModalAnswer::For<QMessageBox>(
        [&](QMessageBox* m) {
            said = m->text();
            m->accept();
        },
        "the refusal");
    // The search is marked running while the dialog is open (its item is
    // disabled during a search, so this is how the two can meet).
    UseDialog(w, [&w](TSideDlg& d) {
        w.Game().ThreadRunning = true;
        Choose(d, "ComboBox5", 6);
        Select(d, "RadioButton8");
    });
    w.Game().ThreadRunning = false;
    box.reset();
    EXPECT_EQ(said, SettingsRefusedMessage());
    EXPECT_EQ(form.CurrentSettings(), before);
    EXPECT_EQ(w.Game().Depth, 3);
    EXPECT_EQ(w.Game().BoardSize, 8);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_TRUE(w.messages->questions.isEmpty());
}

// A program folder whose DATA holds every file of the real one but `missing`.
bool DataWithout(const QTemporaryDir& dir, const QString& missing) {
    const QDir real(QCoreApplication::applicationDirPath() + QStringLiteral("/DATA"));
    QDir copy(dir.path());
    if (!copy.mkdir(QStringLiteral("DATA"))) return false;
    for (const QString& name : real.entryList(QDir::Files)) {
        if (name == missing) continue;
        if (!QFile::link(real.filePath(name), dir.path() + QStringLiteral("/DATA/") + name))
            return false;
    }
    return true;
}

// Answers every message box with OK and keeps its text.
std::unique_ptr<test::ModalAnswer> CollectMessages(QStringList& said, const char* what) {
    auto answer = test::ModalAnswer::For<QMessageBox>(
        [&said](QMessageBox* m) {
            said << m->text();
            m->accept();
        },
        what);
    return answer;
}

TEST(SettingsDialogFlow, AStyleWhosePicturesCannotLoadIsNamedAndNotTaken) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 1, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    QTemporaryDir dir;
    ASSERT_TRUE(DataWithout(dir, QStringLiteral("Lineh2.jpg")));
    form.SetProgramFolder(dir.path().toStdString());
    const QImage plain = TopBorder(form);

    QStringList said;
    auto box = CollectMessages(said, "the picture error");
    Child<QAction>(form, "SelBrdr2")->trigger();
    box.reset();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QStringLiteral("Lineh2.jpg"))) << said[0].toStdString();
    EXPECT_EQ(form.CurrentSettings().BoardBorderStyle, 0);
    EXPECT_EQ(Child<QComboBox>(*form.findChild<TSideDlg*>(), "ComboBox6")->currentIndex(), 0);
    EXPECT_EQ(TopBorder(form), plain);

    // From the dialog the border is not taken; the cursor and the opponent are.
    box = CollectMessages(said, "the picture error");
    UseDialog(w, [](TSideDlg& d) {
        Choose(d, "ComboBox6", 1);
        Choose(d, "ComboBox4", 1);
        Select(d, "RadioButton2");
    });
    box.reset();
    ASSERT_EQ(said.size(), 2);
    const Settings& s = form.CurrentSettings();
    EXPECT_EQ(s.BoardBorderStyle, 0);
    EXPECT_EQ(s.CursorStyle, 1);
    EXPECT_FALSE(s.VsComputer);
    EXPECT_EQ(w.Game().Tracker->count(), 0) << "the new opponent starts a new game";
    EXPECT_EQ(TopBorder(form), plain);
}

TEST(SettingsDialogFlow, AFieldWhosePicturesCannotLoadStaysAndTheLevelIsAskedAbout) {
    PlayingWindow w(GameSetup{.boardSize = 8, .depth = 3, .computerSide = CellBlack});
    auto& form = *w.form;
    PlayOneMove(w);
    QTemporaryDir dir;
    ASSERT_TRUE(DataWithout(dir, QStringLiteral("Figs1.jpg")));
    form.SetProgramFolder(dir.path().toStdString());
    const QSize size = form.size();
    const tBoard board = w.Game().Boards[0];

    QStringList said;
    auto box = CollectMessages(said, "the picture error");
    UseDialog(w, [](TSideDlg& d) {
        Select(d, "RadioButton8");
        Choose(d, "ComboBox5", 5);
    });
    box.reset();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QStringLiteral("Figs1.jpg"))) << said[0].toStdString();
    // The field, the window and the game stay; without the restart the new
    // level in a counted game is asked about.
    EXPECT_EQ(w.Game().BoardSize, 8);
    EXPECT_EQ(form.CurrentSettings().BoardSize, 8);
    EXPECT_EQ(form.size(), size);
    EXPECT_EQ(form.Painter().Pictures().FigureImageWidth(), 915);
    EXPECT_EQ(w.Game().Boards[0], board);
    EXPECT_EQ(w.Game().Tracker->count(), 2);
    EXPECT_EQ(w.messages->questions.size(), 1);
    EXPECT_EQ(w.Game().Depth, 5);
    EXPECT_TRUE(w.Game().PracticeGame);
}

// Not a check: with REVERSI_SCREENSHOTS set to a folder, writes the window
// with the "Loading..." panel over the board while the 10 x 10 field loads.
TEST(SettingsDialogFlow, LoadingPanelAsPicture) {
    const QString folder = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "REVERSI_SCREENSHOTS not set";
    PlayingWindow w(GameSetup{});
    auto* panel = Child<BusyPanel>(*w.form, "LoadingPanel");
    bool saved = false;
    class Grabber : public QObject {
    public:
        std::function<void()> onShow;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Show) onShow();
            return false;
        }
    } grabber;
    grabber.onShow = [&] {
        panel->repaint();
        saved = w.form->grab().save(QDir(folder).filePath(QStringLiteral("loading.png")));
    };
    panel->installEventFilter(&grabber);
    UseDialog(w, [](TSideDlg& d) { Select(d, "RadioButton8"); });
    panel->removeEventFilter(&grabber);
    EXPECT_TRUE(saved);
}

// The real dialog, opened with F4's item and answered by a player.
class SettingsDialogModal : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        // No tip of the day over the dialogs of these tests.
        QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
        form = std::make_unique<TReversiForm>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->move(200, 100);
        QCoreApplication::processEvents();
    }
    std::unique_ptr<TReversiForm> form;
};

TEST_F(SettingsDialogModal, OpensCentredOverTheWindowAndOkApplies) {
    QPoint at, expected;
    auto answer = test::ModalAnswer::For<TSideDlg>(
        [&](TSideDlg* d) {
            at = d->pos();
            expected = CentredOver(form->frameGeometry(), d->frameGeometry().size());
            Choose(*d, "ComboBox4", 1);
            Child<QPushButton>(*d, "BitBtn1")->click();
        },
        "the settings dialog");
    Child<QAction>(*form, "OptionsItem")->trigger();
    answer.reset();
    EXPECT_EQ(at, expected);
    EXPECT_EQ(form->CurrentSettings().CursorStyle, 1);
}

TEST_F(SettingsDialogModal, EscCancels) {
    const Settings before = form->CurrentSettings();
    auto answer = test::ModalAnswer::For<TSideDlg>(
        [&](TSideDlg* d) {
            Choose(*d, "ComboBox6", 1);
            QTest::keyClick(Child<QComboBox>(*d, "ComboBox6"), Qt::Key_Escape);
        },
        "the settings dialog");
    Child<QAction>(*form, "OptionsItem")->trigger();
    answer.reset();
    EXPECT_EQ(form->CurrentSettings(), before);
}

}  // namespace
}  // namespace reversi

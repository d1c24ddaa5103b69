// The settings dialog as a player uses it: its texts, the values it shows and
// hands back, OK, Cancel, Enter and Esc, and what confirming it means.
#include <functional>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "Board.h"
#include "EngineUnit.h"
#include "SettingsChange.h"
#include "SideUnit.h"

namespace reversi {
namespace {

class SideDlgTest : public testing::Test {
protected:
    template <typename T>
    T* Control(const char* name) {
        auto* control = dialog.findChild<T*>(QString::fromLatin1(name));
        if (!control) ADD_FAILURE() << "no control " << name;
        return control;
    }
    // Opens the dialog without a modal loop.
    void Open(const Settings& settings) {
        dialog.SetValues(settings);
        dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    // Clicks a control where a player would: in its middle, or on the
    // indicator of a check or radio button.
    static void Click(QWidget* w) {
        const QPoint at = qobject_cast<QAbstractButton*>(w) && !qobject_cast<QPushButton*>(w)
                              ? QPoint(8, w->height() / 2)
                              : w->rect().center();
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    }
    void Choose(const char* list, int index) {
        auto* combo = Control<QComboBox>(list);
        combo->setFocus();
        combo->setCurrentIndex(index);
    }
    // Waits, bounded, until the dialog has closed.
    void ExpectClosed(int result) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !dialog.isVisible(); }, 2000))
            << "the dialog did not close";
        EXPECT_EQ(dialog.result(), result);
    }
    static QStringList Items(QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        return items;
    }

    TSideDlg dialog;
};

TEST_F(SideDlgTest, TextsOfEveryPageAndControl) {
    Open(Settings{});
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_EQ(Control<QPushButton>("BitBtn1")->text(), "Ok");
    EXPECT_EQ(Control<QPushButton>("BitBtn2")->text(), "Cancel");
    auto* pages = Control<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), "Opponent");
    EXPECT_EQ(pages->tabText(1), "Level");
    EXPECT_EQ(pages->tabText(2), "Media");
    EXPECT_EQ(pages->tabText(3), "Advanced");
    const std::pair<const char*, const char*> boxes[] = {{"GroupBox1", "Opponent"},
                                                         {"GroupBox2", "You play"},
                                                         {"GroupBox3", "Computer level"},
                                                         {"GroupBox4", "Field size"},
                                                         {"GroupBox5", "Figures"},
                                                         {"GroupBox6", "Border"},
                                                         {"GroupBox7", "Cursor"},
                                                         {"GroupBox8", "On right mouse click show"},
                                                         {"GroupBox9", "Engine"},
                                                         {"GroupBox10", "Help"},
                                                         {"GroupBox11", "Advanced settings"}};
    for (const auto& [name, title] : boxes) EXPECT_EQ(Control<QGroupBox>(name)->title(), title);
    const std::pair<const char*, const char*> buttons[] = {
        {"RadioButton1", "Computer"},     {"RadioButton2", "Player"},
        {"RadioButton3", "&Yellow"},      {"RadioButton4", "&Green"},
        {"RadioButton7", "&8 x 8"},       {"RadioButton8", "&10 x 10"},
        {"CheckBox1", "Sound"},           {"CheckBox2", "Animation"},
        {"CheckBox3", "Use SysTray"},     {"CheckBox4", "Previous move"},
        {"CheckBox5", "Available moves"}, {"CheckBox6", "Music"}};
    for (const auto& [name, text] : buttons) {
        EXPECT_EQ(Control<QAbstractButton>(name)->text(), text) << name;
    }
    EXPECT_EQ(Items(Control<QComboBox>("ComboBox1")), QStringList({"Zorel Amber"}));
    EXPECT_EQ(Items(Control<QComboBox>("ComboBox2")), QStringList({"Normal", "Advanced"}));
    EXPECT_EQ(Items(Control<QComboBox>("ComboBox3")), QStringList({"Zorel Help"}));
    EXPECT_EQ(Items(Control<QComboBox>("ComboBox4")),
              QStringList({"Classic Cursor", "Flaming Cursor"}));
    EXPECT_EQ(Items(Control<QComboBox>("ComboBox5")),
              QStringList({"0-baby", "1-kiddy", "2-pupil", "3-teenager", "4-student",
                           "5-able pupil", "6-skilled", "7-boss", "8-president", "9-Merlin"}));
    EXPECT_EQ(Items(Control<QComboBox>("ComboBox6")), QStringList({"Hidden Power", "Dark Place"}));
    for (auto* combo : dialog.findChildren<QComboBox*>()) EXPECT_FALSE(combo->isEditable());
    dialog.reject();
}

TEST_F(SideDlgTest, ShowsAndHandsBackEverySetting) {
    Settings a;
    a.VsComputer = false;
    a.SetLevel(7);
    a.ComputerSide = CellWhite;
    a.BoardSize = 10;
    a.AdvancedEngine = true;
    a.SoundEffectsOn = false;
    a.MusicOn = false;
    a.AnimationOn = false;
    a.UseSysTray = false;
    a.ShowPreviousMove = false;
    a.ShowAvailableMoves = false;
    a.CursorStyle = 1;
    a.BoardBorderStyle = 1;
    Settings b;  // the defaults: every switch on, baby level, 8 x 8, normal engine
    for (const auto& settings : {a, b, a}) {
        dialog.SetValues(settings);
        EXPECT_EQ(dialog.Values(Settings{}), settings);
    }
    dialog.SetValues(a);
    EXPECT_EQ(Control<QComboBox>("ComboBox5")->currentText(), "7-boss");
    EXPECT_TRUE(Control<QRadioButton>("RadioButton8")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_EQ(Control<QComboBox>("ComboBox4")->currentText(), "Flaming Cursor");
    EXPECT_EQ(Control<QComboBox>("ComboBox6")->currentText(), "Dark Place");
    EXPECT_EQ(Control<QComboBox>("ComboBox2")->currentText(), "Advanced");
}

TEST_F(SideDlgTest, BabyLevelAndLevelOneAreDifferentItems) {
    Settings s;
    s.Depth = 1;
    s.BabyLevel = true;
    dialog.SetValues(s);
    EXPECT_EQ(Control<QComboBox>("ComboBox5")->currentIndex(), 0);
    s.BabyLevel = false;
    dialog.SetValues(s);
    EXPECT_EQ(Control<QComboBox>("ComboBox5")->currentText(), "1-kiddy");
    EXPECT_FALSE(dialog.Values(Settings{}).BabyLevel);
    EXPECT_EQ(dialog.Values(Settings{}).Depth, 1);
}

TEST_F(SideDlgTest, AStyleWithoutItemLeavesTheListEmptyAndKeepsTheValue) {
    Settings s;
    s.FiguresStyle = -1;
    s.CursorStyle = 7;
    s.HelpStyle = 2;
    s.BoardBorderStyle = -3;
    dialog.SetValues(s);
    for (const char* name : {"ComboBox1", "ComboBox4", "ComboBox3", "ComboBox6"}) {
        EXPECT_EQ(Control<QComboBox>(name)->currentIndex(), -1) << name;
    }
    EXPECT_EQ(dialog.Values(s), s);
}

TEST_F(SideDlgTest, TheColourIsChosenOnlyAgainstTheComputer) {
    Settings s;
    s.VsComputer = false;
    Open(s);
    auto* white = Control<QRadioButton>("RadioButton3");
    auto* black = Control<QRadioButton>("RadioButton4");
    EXPECT_FALSE(white->isEnabled());
    EXPECT_FALSE(black->isEnabled());
    Click(Control<QRadioButton>("RadioButton1"));
    EXPECT_TRUE(white->isEnabled());
    EXPECT_TRUE(black->isEnabled());
    Click(Control<QRadioButton>("RadioButton2"));
    EXPECT_FALSE(white->isEnabled());
    // Setting the values runs the same rule.
    dialog.SetValues(Settings{});
    EXPECT_TRUE(white->isEnabled());
    dialog.reject();
}

TEST_F(SideDlgTest, TheNetworkLockDisablesTheGameControls) {
    dialog.SetValues(Settings{});
    dialog.SetGameControlsEnabled(false);
    for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                             "RadioButton7", "RadioButton8", "ComboBox5", "ComboBox2"}) {
        EXPECT_FALSE(Control<QWidget>(name)->isEnabled()) << name;
    }
    for (const char* name : {"ComboBox1", "ComboBox3", "ComboBox4", "ComboBox6", "CheckBox1"}) {
        EXPECT_TRUE(Control<QWidget>(name)->isEnabled()) << name;
    }
    // Unlocked with "Player" chosen, the colour is available all the same,
    // and stays so while the opponent choice does not change.
    Settings players;
    players.VsComputer = false;
    dialog.SetValues(players);
    dialog.SetGameControlsEnabled(true);
    for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                             "RadioButton7", "RadioButton8", "ComboBox5", "ComboBox2"}) {
        EXPECT_TRUE(Control<QWidget>(name)->isEnabled()) << name;
    }
    dialog.SetValues(players);
    EXPECT_TRUE(Control<QWidget>("RadioButton3")->isEnabled()) << "the same opponent again";
    // A change of the opponent runs the rule again.
    dialog.SetValues(Settings{});
    Control<QRadioButton>("RadioButton2")->setChecked(true);
    EXPECT_FALSE(Control<QWidget>("RadioButton3")->isEnabled());
    EXPECT_FALSE(Control<QWidget>("RadioButton4")->isEnabled());
}

TEST_F(SideDlgTest, OkHandsBackWhatWasClicked) {
    const Settings current;
    Open(current);
    Control<QTabWidget>("PageControl1")->setCurrentIndex(1);
    Choose("ComboBox5", 4);
    Click(Control<QRadioButton>("RadioButton8"));
    Control<QTabWidget>("PageControl1")->setCurrentIndex(3);
    Click(Control<QCheckBox>("CheckBox6"));
    Click(Control<QPushButton>("BitBtn1"));
    ExpectClosed(QDialog::Accepted);
    Settings expected = current;
    expected.SetLevel(4);
    expected.BoardSize = 10;
    expected.MusicOn = false;
    EXPECT_EQ(dialog.Values(current), expected);
}

TEST_F(SideDlgTest, CancelChangesNothing) {
    Settings current;
    current.SetLevel(3);
    Open(current);
    Choose("ComboBox5", 9);
    Click(Control<QRadioButton>("RadioButton2"));
    Click(Control<QCheckBox>("CheckBox1"));
    Choose("ComboBox4", 1);
    Click(Control<QPushButton>("BitBtn2"));
    ExpectClosed(QDialog::Rejected);
    // The window puts the controls back; reopened, the dialog shows the old values.
    dialog.SetValues(current);
    Open(current);
    EXPECT_EQ(dialog.Values(current), current);
    EXPECT_EQ(Control<QComboBox>("ComboBox5")->currentText(), "3-teenager");
    dialog.reject();
}

TEST_F(SideDlgTest, EnterConfirmsAndEscCancelsFromAnyControl) {
    const char* controls[] = {"RadioButton1", "CheckBox2", "ComboBox5", "ComboBox6",
                              "RadioButton7", "BitBtn2",   "BitBtn1"};
    auto* pages = Control<QTabWidget>("PageControl1");
    for (const char* name : controls) {
        for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                          std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
            SCOPED_TRACE(std::string(name) + (key == Qt::Key_Return ? " Enter" : " Esc"));
            Open(Settings{});
            auto* control = Control<QWidget>(name);
            for (int page = 0; page < pages->count(); ++page) {
                if (pages->widget(page)->isAncestorOf(control)) pages->setCurrentIndex(page);
            }
            control->setFocus();
            QTest::keyClick(control, key);
            ExpectClosed(result);
        }
    }
}

TEST_F(SideDlgTest, ReopensOnTheLastPageWithTheColourNamesOfTheMoment) {
    Open(Settings{});
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentIndex(), 0);
    Control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    dialog.reject();
    ExpectClosed(QDialog::Rejected);
    dialog.SetSideNames({.white = QStringLiteral("White"), .black = QStringLiteral("Black")});
    Open(Settings{});
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentIndex(), 2);
    EXPECT_EQ(Control<QRadioButton>("RadioButton3")->text(), "&White");
    EXPECT_EQ(Control<QRadioButton>("RadioButton4")->text(), "&Black");
    dialog.reject();
}

// Each kind of change made with the controls and confirmed, and what it means
// for a game against the computer at level 3 in which the human has moved.
TEST_F(SideDlgTest, EachKindOfChangeConfirmedGivesItsPlan) {
    struct Row {
        const char* name;
        std::function<void()> act;
        bool answer;  // to the practice question
        std::function<void(const SettingsPlan&)> check;
    };
    Settings current;
    current.SetLevel(3);
    GameSituation playing;
    const Row rows[] = {
        {"level, Yes", [&] { Choose("ComboBox5", 5); }, true,
         [](const SettingsPlan& p) {
             EXPECT_TRUE(p.BecomesPractice);
             EXPECT_EQ(p.Result.Level(), 5);
             EXPECT_FALSE(p.Restart);
         }},
        {"level, No", [&] { Choose("ComboBox5", 5); }, false,
         [](const SettingsPlan& p) {
             EXPECT_FALSE(p.BecomesPractice);
             EXPECT_EQ(p.Result.Level(), 3);
         }},
        {"engine", [&] { Choose("ComboBox2", 1); }, true,
         [](const SettingsPlan& p) {
             EXPECT_TRUE(p.BecomesPractice);
             EXPECT_TRUE(p.Result.AdvancedEngine);
         }},
        {"side", [&] { Click(Control<QRadioButton>("RadioButton4")); }, true,
         [](const SettingsPlan& p) {
             EXPECT_TRUE(p.Restart);
             EXPECT_EQ(p.Result.ComputerSide, CellWhite);
             EXPECT_FALSE(p.Reload());
         }},
        {"opponent", [&] { Click(Control<QRadioButton>("RadioButton2")); }, true,
         [](const SettingsPlan& p) {
             EXPECT_TRUE(p.Restart);
             EXPECT_FALSE(p.Result.VsComputer);
         }},
        {"field size", [&] { Click(Control<QRadioButton>("RadioButton8")); }, true,
         [](const SettingsPlan& p) {
             EXPECT_TRUE(p.Restart);
             EXPECT_TRUE(p.FieldSizeChanged);
             EXPECT_TRUE(p.ReloadFigures && p.ReloadHelp && !p.ReloadBorder);
             EXPECT_EQ(p.Result.BoardSize, 10);
         }},
        {"cursor", [&] { Choose("ComboBox4", 1); }, true,
         [](const SettingsPlan& p) {
             EXPECT_FALSE(p.Restart || p.Reload());
             EXPECT_EQ(p.Result.CursorStyle, 1);
         }},
        {"border", [&] { Choose("ComboBox6", 1); }, true,
         [](const SettingsPlan& p) {
             EXPECT_FALSE(p.Restart);
             EXPECT_TRUE(p.ReloadBorder && !p.ReloadFigures && !p.ReloadHelp);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Open(current);
        row.act();
        Click(Control<QPushButton>("BitBtn1"));
        ExpectClosed(QDialog::Accepted);
        int asked = 0;
        const auto plan = PlanSettingsChange(current, dialog.Values(current), playing, [&] {
            ++asked;
            return row.answer;
        });
        EXPECT_LE(asked, 1);
        EXPECT_FALSE(plan.Refused);
        row.check(plan);
    }

    // Each switch, clicked and confirmed, changes its own flag only.
    const std::pair<const char*, TSettingsToggle> switches[] = {
        {"CheckBox6", TSettingsToggle::Music},
        {"CheckBox1", TSettingsToggle::SoundEffects},
        {"CheckBox2", TSettingsToggle::Animation},
        {"CheckBox3", TSettingsToggle::SysTray},
        {"CheckBox4", TSettingsToggle::PreviousMove},
        {"CheckBox5", TSettingsToggle::AvailableMoves}};
    for (const auto& [name, toggle] : switches) {
        SCOPED_TRACE(name);
        Open(current);
        Control<QTabWidget>("PageControl1")->setCurrentIndex(3);
        Click(Control<QCheckBox>(name));
        Click(Control<QPushButton>("BitBtn1"));
        ExpectClosed(QDialog::Accepted);
        const auto plan =
            PlanSettingsChange(current, dialog.Values(current), playing, [] { return true; });
        EXPECT_EQ(plan.ChangedToggles, std::vector<TSettingsToggle>{toggle});
        EXPECT_EQ(ToggleValue(plan.Result, toggle), !ToggleValue(current, toggle));
    }
}

// Not a check: with REVERSI_SCREENSHOTS set to a folder, writes each page of
// the dialog there as a PNG, to be looked at.
TEST_F(SideDlgTest, PagesAsPictures) {
    const QString folder = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "REVERSI_SCREENSHOTS not set";
    Settings s;
    s.SetLevel(5);
    Open(s);
    auto* pages = Control<QTabWidget>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QTest::qWait(50);
        EXPECT_TRUE(dialog.grab().save(
            QDir(folder).filePath(QStringLiteral("settings-page%1.png").arg(page + 1))));
    }
    dialog.reject();
}

}  // namespace
}  // namespace reversi

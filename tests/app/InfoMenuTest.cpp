// The Info menu of the main window: the statistics window on the current
// game's level, the tip of the day from the menu and at start-up with its
// values stored, and the rules page laid over the board.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include "DayTipUnit.h"
#include "DialogPlacement.h"
#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "RulersUnit.h"
#include "SettingsStore.h"
#include "Statistics.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using test::Child;
using test::GameSetup;
using test::PlayingWindow;

// A window that has shown its start-up tip to the recorder and from now on
// opens the real modal windows.
void UseRealWindows(PlayingWindow& w) {
    ASSERT_TRUE(test::WaitUntil([&] { return !w.messages->tips.empty(); }))
        << "the start-up tip was not shown";
    w.messages = nullptr;
    w.form->SetGameMessages(std::make_unique<TModalGameMessages>());
}

struct StatisticsCase {
    GameSetup setup;
    const char* boardRadio;
    const char* engineRadio;
    int level;
};

class StatisticsItem : public testing::TestWithParam<StatisticsCase> {};

TEST_P(StatisticsItem, OpensOnTheCurrentFieldEngineAndLevel) {
    const StatisticsCase& c = GetParam();
    PlayingWindow w(c.setup);
    UseRealWindows(w);
    QString title, levelText;
    bool boardChecked = false, engineChecked = false;
    QRect frame;
    {
        const auto answer = test::ModalAnswer::For<TStatisticsForm>(
            [&](TStatisticsForm* form) {
                title = form->windowTitle();
                frame = form->frameGeometry();
                boardChecked = Child<QRadioButton>(*form, c.boardRadio)->isChecked();
                engineChecked = Child<QRadioButton>(*form, c.engineRadio)->isChecked();
                levelText = Child<QComboBox>(*form, "ComboBox1")->currentText();
                Child<QPushButton>(*form, "OkBitBtn")->click();
            },
            "the statistics window");
        Child<QAction>(*w.form, "Statistics1")->trigger();
    }
    EXPECT_EQ(title.toStdString(), "Statistics");
    EXPECT_TRUE(boardChecked) << c.boardRadio;
    EXPECT_TRUE(engineChecked) << c.engineRadio;
    EXPECT_EQ(levelText, TStatisticsTable::LevelName(c.level));
    EXPECT_EQ(frame.topLeft(), CentredOver(w.form->frameGeometry(), frame.size()))
        << "centred over the window by the outer frames";
}

INSTANTIATE_TEST_SUITE_P(
    Levels, StatisticsItem,
    testing::Values(StatisticsCase{{8, 1, true, false}, "Board8Radio", "EngineNormalRadio", 0},
                    StatisticsCase{{10, 3, false, true}, "Board10Radio", "EngineAdvancedRadio", 3},
                    StatisticsCase{{8, 5, false, true}, "Board8Radio", "EngineAdvancedRadio", 5}),
    [](const testing::TestParamInfo<StatisticsCase>& tested) {
        return std::string(tested.param.boardRadio) + tested.param.engineRadio +
               std::to_string(tested.param.level);
    });

// What a tip window showed while it was open.
struct TipSeen {
    QString title, label, check, next, close, tip;
    bool ticked = false;
};

TipSeen Look(TDayTipForm* form) {
    return {form->windowTitle(),
            Child<QLabel>(*form, "ShowDayTipLabel")->text(),
            Child<QCheckBox>(*form, "ShowCheckBox")->text(),
            Child<QPushButton>(*form, "NextTipBitBtn")->text(),
            Child<QPushButton>(*form, "OkBitBtn")->text(),
            Child<QPlainTextEdit>(*form, "TipsMemo")->toPlainText(),
            Child<QCheckBox>(*form, "ShowCheckBox")->isChecked()};
}

TEST(TipOfTheDayItem, GoesOnWithTheNextTipAndStoresItsValuesEachTimeItCloses) {
    PlayingWindow w({});
    UseRealWindows(w);
    QAction* item = Child<QAction>(*w.form, "DayTipMenuItem");

    // First ever opening: tip 0. "Next Tip" twice, untick, "Close".
    TipSeen first, afterTwo;
    {
        const auto answer = test::ModalAnswer::For<TDayTipForm>(
            [&](TDayTipForm* form) {
                first = Look(form);
                Child<QPushButton>(*form, "NextTipBitBtn")->click();
                Child<QPushButton>(*form, "NextTipBitBtn")->click();
                Child<QCheckBox>(*form, "ShowCheckBox")->setChecked(false);
                afterTwo = Look(form);
                Child<QPushButton>(*form, "OkBitBtn")->click();
            },
            "the tip of the day");
        item->trigger();
    }
    EXPECT_EQ(first.title.toStdString(), "Tip of the Day");
    EXPECT_EQ(first.label.toStdString(), "Welcome to \"Zorel Reversi\" !");
    EXPECT_EQ(first.check.toStdString(), "Show Tips on Startup");
    EXPECT_EQ(first.next.toStdString(), "Next Tip");
    EXPECT_EQ(first.close.toStdString(), "Close");
    EXPECT_TRUE(first.ticked);
    EXPECT_EQ(first.tip, TDayTipForm::TipText(0));
    EXPECT_EQ(afterTwo.tip, TDayTipForm::TipText(2));

    // The values reached the file (read back by a fresh store) and the window.
    Settings stored = SettingsStore().Load();
    EXPECT_FALSE(stored.ShowTips);
    EXPECT_EQ(stored.CurrentTip, 2);
    EXPECT_FALSE(w.form->CurrentSettings().ShowTips);
    EXPECT_EQ(w.form->CurrentSettings().CurrentTip, 2);

    // The next opening shows tip 3, unticked; Escape closes it and still
    // stores where it stood.
    TipSeen second;
    {
        const auto answer = test::ModalAnswer::For<TDayTipForm>(
            [&](TDayTipForm* form) {
                second = Look(form);
                QTest::keyClick(form, Qt::Key_Escape);
            },
            "the tip of the day, again");
        item->trigger();
    }
    EXPECT_EQ(second.tip, TDayTipForm::TipText(3));
    EXPECT_FALSE(second.ticked);
    stored = SettingsStore().Load();
    EXPECT_FALSE(stored.ShowTips);
    EXPECT_EQ(stored.CurrentTip, 3);
}

struct StartTipCase {
    const char* stored;  // "options/showtips"
    std::size_t tipsShown;
};

class StartUpTip : public testing::TestWithParam<StartTipCase> {};

TEST_P(StartUpTip, ShowsOnceAfterTheFirstPaintWhenTipsAreOn) {
    QSettings().clear();
    QSettings().setValue(QStringLiteral("options/showtips"),
                         QString::fromLatin1(GetParam().stored));
    QSettings().setValue(QStringLiteral("options/currenttip"), QStringLiteral("3"));
    QSettings().sync();
    PlayingWindow w({.keepSettings = true});
    auto* timer = Child<QTimer>(*w.form, "TipShowTimer");
    // The first paint arms the timer; its one run decides.
    ASSERT_TRUE(test::WaitUntil([&] { return !timer->isActive(); })) << "the tip timer never ran";
    // A paint arms the timer as it runs: a second run would show here.
    w.form->BoardWidget()->repaint();
    ASSERT_TRUE(test::WaitUntil([&] { return !timer->isActive(); })) << "the tip timer ran again";
    ASSERT_EQ(w.messages->tips.size(), GetParam().tipsShown);
    if (GetParam().tipsShown > 0) {
        EXPECT_TRUE(w.messages->tips[0].showTips);
        EXPECT_EQ(w.messages->tips[0].currentTip, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(On, StartUpTip,
                         testing::Values(StartTipCase{"yes", 1}, StartTipCase{"no", 0}),
                         [](const testing::TestParamInfo<StartTipCase>& tested) {
                             return std::string("ShowTips_") + tested.param.stored;
                         });

TEST(StartUpTip, UntickedAtStartIsStoredAndKeepsTheNextStartQuiet) {
    {
        PlayingWindow w({});
        w.messages->tipAnswer = [](bool, int current) {
            return TipValues{.showTips = false, .currentTip = TDayTipForm::NextTipIndex(current)};
        };
        ASSERT_TRUE(test::WaitUntil([&] { return !w.messages->tips.empty(); }))
            << "the start-up tip was not shown";
        w.form->close();
    }
    const Settings stored = SettingsStore().Load();
    EXPECT_FALSE(stored.ShowTips);
    EXPECT_EQ(stored.CurrentTip, 0);

    PlayingWindow again({.keepSettings = true});
    auto* timer = Child<QTimer>(*again.form, "TipShowTimer");
    ASSERT_TRUE(test::WaitUntil([&] { return !timer->isActive(); })) << "the tip timer never ran";
    EXPECT_TRUE(again.messages->tips.empty());
}

TEST(RulesItem, OpensTheRulesPageOverTheBoard) {
    PlayingWindow w({});
    UseRealWindows(w);
    TReversiForm& form = *w.form;
    const int menu = form.menuBar()->height();
    const QRect expected(form.mapToGlobal(QPoint(0, menu)) + QPoint(2, 2),
                         QSize(form.width() - form.MovesListWidth() - 4,
                               form.height() - menu - form.statusBar()->height() - 4));
    QString title, ok, page;
    QRect frame;
    {
        const auto answer = test::ModalAnswer::For<TRulersForm>(
            [&](TRulersForm* rules) {
                title = rules->windowTitle();
                ok = Child<QPushButton>(*rules, "OkBitBtn")->text();
                page = Child<QTextBrowser>(*rules, "RulersHTML")->toPlainText();
                frame = rules->frameGeometry();
                Child<QPushButton>(*rules, "OkBitBtn")->click();
            },
            "the rules page");
        Child<QAction>(form, "RulersItem")->trigger();
    }
    EXPECT_EQ(title.toStdString(), "Help");
    EXPECT_EQ(ok.toStdString(), "Ok");
    EXPECT_TRUE(page.contains(QStringLiteral("The goal"))) << page.left(200).toStdString();
    EXPECT_EQ(frame, expected);
}

}  // namespace
}  // namespace reversi

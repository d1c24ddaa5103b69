// The statistics window: its texts, the selection it opens with, the figures
// it shows, the clearing buttons with their questions, and its keys.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "ModalAnswer.h"
#include "WindowChildren.h"
#include "Statistics.h"

namespace reversi {
namespace {

using test::ModalAnswer;

using test::Child;

std::string Text(const QWidget& form, const char* name) {
    if (auto* label = form.findChild<QLabel*>(QString::fromLatin1(name))) {
        return label->text().toStdString();
    }
    ADD_FAILURE() << "no label named " << name;
    return {};
}

void Record(TStatisticsTable& table, int size, bool advanced, int level, int wins, int losses,
            int ties) {
    for (int i = 0; i < wins; ++i) table.Count(size, advanced, level, PlayerResult::PlayerWon);
    for (int i = 0; i < losses; ++i) table.Count(size, advanced, level, PlayerResult::ComputerWon);
    for (int i = 0; i < ties; ++i) table.Count(size, advanced, level, PlayerResult::Tie);
}

// Clicks a radio button on its round mark.
void ClickRadio(const QWidget& form, const char* name) {
    auto* radio = Child<QRadioButton>(form, name);
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    ASSERT_TRUE(radio->isChecked()) << name;
}

// Clicks a clearing button and answers the question with Yes or No; returns
// the question asked (empty when none came).
QString ClickAndAnswer(QToolButton* button, QMessageBox::StandardButton answer,
                       QString* caption = nullptr) {
    QString question;
    ModalAnswer reply([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return false;
        question = box->text();
        if (caption) *caption = box->windowTitle();
        box->button(answer)->click();
        return true;
    });
    button->click();
    EXPECT_TRUE(reply.Answered());
    return question;
}

TEST(StatisticsForm, CaptionsAndLevelList) {
    TStatisticsTable table;
    TStatisticsForm form(table, 8, false, 0);
    EXPECT_EQ(form.windowTitle().toStdString(), "Statistics");
    EXPECT_EQ(form.size(), QSize(313, 355));
    EXPECT_EQ(Child<QPushButton>(form, "OkBitBtn")->text().toStdString(), "Ok");
    auto* pages = Child<QTabWidget>(form, "StatisticsPageControl");
    EXPECT_EQ(pages->tabText(0).toStdString(), "Total");
    EXPECT_EQ(pages->tabText(1).toStdString(), "Detalils");
    EXPECT_EQ(pages->currentIndex(), 1);
    const std::pair<const char*, const char*> labels[] = {
        {"Label2", "Select level"},  {"Label3", "Games"},        {"Label1", "Games"},
        {"Label4", "Wins"},          {"Label7", "Wins"},         {"Label5", "Losses"},
        {"Label8", "Losses"},        {"Label6", "Tie Up games"}, {"Label9", "Tie Up games"},
        {"Label10", "Average skill"}};
    for (const auto& [name, text] : labels) EXPECT_EQ(Text(form, name), text) << name;
    EXPECT_EQ(Child<QGroupBox>(form, "StatisticsGroupBox")->title().toStdString(),
              "Show statistics for");
    EXPECT_EQ(Child<QGroupBox>(form, "EngineRadioGroup")->title().toStdString(), "Engine");
    EXPECT_EQ(Child<QGroupBox>(form, "BoardRadioGroup")->title().toStdString(), "Field size");
    EXPECT_EQ(Child<QRadioButton>(form, "EngineNormalRadio")->text().toStdString(), "Normal");
    EXPECT_EQ(Child<QRadioButton>(form, "EngineAdvancedRadio")->text().toStdString(), "Advanced");
    EXPECT_EQ(Child<QRadioButton>(form, "Board8Radio")->text().toStdString(), "8x8");
    EXPECT_EQ(Child<QRadioButton>(form, "Board10Radio")->text().toStdString(), "10x10");
    auto* levels = Child<QComboBox>(form, "ComboBox1");
    ASSERT_EQ(levels->count(), 10);
    EXPECT_FALSE(levels->isEditable());
    for (int level = 0; level < 10; ++level) {
        EXPECT_EQ(levels->itemText(level), TStatisticsTable::LevelName(level));
    }
    EXPECT_TRUE(Child<QLabel>(form, "SkillLabel")->font().bold());
}

TEST(StatisticsForm, OpensAtTheCurrentGamesBlockAndLevel) {
    struct Case {
        int size;
        bool advanced;
        int level;
        const char* board;
        const char* engine;
    };
    const Case cases[] = {{8, false, 0, "Board8Radio", "EngineNormalRadio"},
                          {8, true, 1, "Board8Radio", "EngineAdvancedRadio"},
                          {10, false, 5, "Board10Radio", "EngineNormalRadio"},
                          {10, true, 9, "Board10Radio", "EngineAdvancedRadio"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        TStatisticsTable table;
        Record(table, c.size, c.advanced, c.level, 3, 1, 2);
        TStatisticsForm form(table, c.size, c.advanced, c.level);
        EXPECT_TRUE(Child<QRadioButton>(form, c.board)->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(form, c.engine)->isChecked());
        EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->currentIndex(), c.level);
        EXPECT_EQ(Text(form, "SelectedGamesLabel"), "6");
        EXPECT_EQ(Text(form, "TotalGamesLabel"), "6");
    }
}

TEST(StatisticsForm, ShowsTotalsSkillAndTheSelectedLevel) {
    TStatisticsTable table;
    Record(table, 10, false, 2, 3, 1, 0);
    Record(table, 10, false, 5, 1, 0, 4);
    Record(table, 10, false, 8, 2, 2, 1);
    Record(table, 8, false, 5, 0, 7, 0);  // another block
    TStatisticsForm form(table, 10, false, 5);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(Text(form, "TotalGamesLabel"), "14");
    EXPECT_EQ(Text(form, "TotalWinsLabel"), "6");
    EXPECT_EQ(Text(form, "TotalLossesLabel"), "3");
    EXPECT_EQ(Text(form, "TotalTieUpGamesLabel"), "5");
    EXPECT_EQ(Text(form, "SkillLabel"), "5-able pupil");
    EXPECT_EQ(Text(form, "SelectedGamesLabel"), "5");
    EXPECT_EQ(Text(form, "SelectedWinsLabel"), "1");
    EXPECT_EQ(Text(form, "SelectedLossesLabel"), "0");
    EXPECT_EQ(Text(form, "SelectedTieUpGamesLabel"), "4");

    // Another level of the same block.
    Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(8);
    EXPECT_EQ(Text(form, "SelectedGamesLabel"), "5");
    EXPECT_EQ(Text(form, "SelectedWinsLabel"), "2");
    EXPECT_EQ(Text(form, "SelectedLossesLabel"), "2");
    EXPECT_EQ(Text(form, "SelectedTieUpGamesLabel"), "1");

    // Another block by a click on the field size: the level selection stays.
    ClickRadio(form, "Board8Radio");
    EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->currentIndex(), 8);
    EXPECT_EQ(Text(form, "TotalGamesLabel"), "7");
    EXPECT_EQ(Text(form, "TotalLossesLabel"), "7");
    EXPECT_EQ(Text(form, "SkillLabel"), "0-baby");
    EXPECT_EQ(Text(form, "SelectedGamesLabel"), "0");
    Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(5);
    EXPECT_EQ(Text(form, "SelectedLossesLabel"), "7");

    // An empty block by a click on the engine.
    ClickRadio(form, "EngineAdvancedRadio");
    EXPECT_EQ(Text(form, "TotalGamesLabel"), "0");
    EXPECT_EQ(Text(form, "SkillLabel"), "0-baby");
}

TEST(StatisticsForm, LargeCountersShowAsUnsignedDecimals) {
    QByteArray stored(640, '\0');
    for (int i = 0; i < 4; ++i) stored[i] = '\xff';  // Games of 8x8 Normal "0-baby"
    TStatisticsTable table;
    table.FromBytes(stored);
    TStatisticsForm form(table, 8, false, 0);
    EXPECT_EQ(Text(form, "SelectedGamesLabel"), "4294967295");
    EXPECT_EQ(Text(form, "TotalGamesLabel"), "4294967295");
}

TEST(StatisticsForm, ClearButtonsAreEnabledOnlyWithGamesToClear) {
    TStatisticsTable table;
    Record(table, 8, true, 3, 1, 0, 0);
    TStatisticsForm form(table, 8, true, 4);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* clearLevel = Child<QToolButton>(form, "SpeedButtonClearLevelStat");
    auto* clearAll = Child<QToolButton>(form, "SpeedButtonClearAllLevelsStat");
    EXPECT_FALSE(clearLevel->isEnabled());  // level 4 has no games
    EXPECT_TRUE(clearAll->isEnabled());
    Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(3);
    EXPECT_TRUE(clearLevel->isEnabled());
    ClickRadio(form, "EngineNormalRadio");
    EXPECT_FALSE(clearLevel->isEnabled());
    EXPECT_FALSE(clearAll->isEnabled());
}

TEST(StatisticsForm, ClearLevelAsksAndNoChangesNothing) {
    TStatisticsTable table;
    Record(table, 8, false, 2, 4, 1, 0);
    const QByteArray before = table.ToBytes();
    TStatisticsForm form(table, 8, false, 2);
    form.show();
    QString caption;
    const QString question = ClickAndAnswer(Child<QToolButton>(form, "SpeedButtonClearLevelStat"),
                                            QMessageBox::No, &caption);
    EXPECT_EQ(question.toStdString(), "Do you want delete statistics for this level?");
    EXPECT_EQ(caption.toStdString(), "Confirm");
    EXPECT_EQ(table.ToBytes(), before);
    EXPECT_EQ(Text(form, "SelectedGamesLabel"), "5");
}

TEST(StatisticsForm, ClearLevelOfAnotherBlockReturnsToTheCurrentGame) {
    TStatisticsTable table;
    Record(table, 8, false, 2, 4, 1, 0);  // the current game's block and level
    Record(table, 10, true, 7, 1, 1, 1);  // the one cleared
    Record(table, 10, true, 6, 2, 0, 0);  // stays
    TStatisticsForm form(table, 8, false, 2);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ClickRadio(form, "Board10Radio");
    ClickRadio(form, "EngineAdvancedRadio");
    Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(7);
    ASSERT_EQ(Text(form, "SelectedGamesLabel"), "3");
    EXPECT_EQ(
        ClickAndAnswer(Child<QToolButton>(form, "SpeedButtonClearLevelStat"), QMessageBox::Yes)
            .toStdString(),
        "Do you want delete statistics for this level?");
    EXPECT_EQ(table.Record(3, 7), TStatisticsRecord{});
    EXPECT_EQ(table.Record(3, 6).Games, 2u);
    EXPECT_EQ(table.Record(0, 2).Games, 5u);
    // Back at 8x8 Normal "2-pupil".
    EXPECT_TRUE(Child<QRadioButton>(form, "Board8Radio")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(form, "EngineNormalRadio")->isChecked());
    EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->currentIndex(), 2);
    EXPECT_EQ(Text(form, "SelectedGamesLabel"), "5");
}

TEST(StatisticsForm, ClearAllLevelsClearsTheShownBlockOnly) {
    TStatisticsTable table;
    for (int level = 0; level < 10; ++level) Record(table, 10, false, level, 1, 0, 0);
    Record(table, 8, false, 1, 1, 0, 0);
    TStatisticsForm form(table, 10, false, 1);
    form.show();
    auto* clearAll = Child<QToolButton>(form, "SpeedButtonClearAllLevelsStat");
    EXPECT_EQ(ClickAndAnswer(clearAll, QMessageBox::No).toStdString(),
              "Do you want delete statistics for all levels?");
    EXPECT_EQ(table.BlockTotals(2).Games, 10u);
    ClickAndAnswer(clearAll, QMessageBox::Yes);
    EXPECT_EQ(table.BlockTotals(2), TStatisticsRecord{});
    EXPECT_EQ(table.BlockTotals(0).Games, 1u);
    EXPECT_EQ(Text(form, "TotalGamesLabel"), "0");
    EXPECT_FALSE(clearAll->isEnabled());
}

TEST(StatisticsForm, EscAndEnterCloseFromTheFormTheButtonAndTheLevelList) {
    TStatisticsTable table;
    for (const char* target : {"", "OkBitBtn", "ComboBox1"}) {
        for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(std::string(target) + " " + std::to_string(key));
            TStatisticsForm form(table, 8, false, 0);
            form.open();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
            QWidget* receiver = *target ? Child<QWidget>(form, target) : &form;
            ASSERT_NE(receiver, nullptr);
            receiver->setFocus();
            QTest::keyClick(receiver, key);
            EXPECT_FALSE(form.isVisible());
        }
    }
}

TEST(StatisticsForm, OkCloses) {
    TStatisticsTable table;
    TStatisticsForm form(table, 8, false, 0);
    form.open();
    QTest::mouseClick(Child<QPushButton>(form, "OkBitBtn"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(StatisticsForm, Screenshot) {
    TStatisticsTable table;
    Record(table, 8, false, 3, 12, 5, 2);
    Record(table, 8, false, 5, 4, 3, 0);
    TStatisticsForm form(table, 8, false, 3);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QString dir = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "set REVERSI_SCREENSHOTS to a folder to keep pictures";
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/statistics_levels.png")));
    Child<QTabWidget>(form, "StatisticsPageControl")->setCurrentIndex(0);
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/statistics_total.png")));
}

}  // namespace
}  // namespace reversi

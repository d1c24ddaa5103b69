// The "Music source" command with a scripted folder chooser and answers.
#include <gtest/gtest.h>

#include <QStringList>

#include <optional>

#include "GameMessages.h"
#include "MusicSource.h"

namespace reversi {
namespace {

class ScriptedChooser : public TFolderChooser {
public:
    std::optional<QString> answer;
    QString openedOn;
    int shown = 0;
    std::optional<QString> ChooseFolder(QWidget*, const QString& start) override {
        ++shown;
        openedOn = start;
        return answer;
    }
};

class ScriptedMessages : public TGameMessages {
public:
    bool yes = false;
    QStringList asked;
    void ShowFinal(QWidget*, const QString&, std::function<void()> closed) override {
        if (closed) closed();
    }
    void ShowStatistics(QWidget*, TStatisticsTable&, int, bool, int) override {}
    TipValues ShowDayTip(QWidget*, bool showTips, int currentTip) override {
        return {showTips, currentTip};
    }
    void ShowRules(QWidget*, const QRect&) override {}
    bool Confirm(QWidget*, const QString& text) override {
        asked << text;
        return yes;
    }
};

class MusicSourceTest : public testing::Test {
protected:
    ScriptedChooser chooser;
    ScriptedMessages messages;
    const QString current = QStringLiteral("/home/me/old music");
    const QString fallback = DefaultMusicFolder(QStringLiteral("/opt/reversi"));
    QString Run() { return ChooseMusicSource(chooser, messages, nullptr, current, fallback); }
};

TEST_F(MusicSourceTest, AChosenFolderIsTakenWithoutAQuestion) {
    chooser.answer = QStringLiteral("/home/me/new");
    EXPECT_EQ(Run(), QStringLiteral("/home/me/new"));
    EXPECT_EQ(chooser.openedOn, current);
    EXPECT_TRUE(messages.asked.isEmpty());
}

TEST_F(MusicSourceTest, CancelThenYesTakesTheDefaultFolder) {
    messages.yes = true;
    EXPECT_EQ(Run(), QStringLiteral("/opt/reversi/DATA/MUSIC"));
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked[0],
              QStringLiteral("New music folder is not selected.\nSetup default music folder?"));
}

TEST_F(MusicSourceTest, CancelThenNoKeepsTheFolder) {
    messages.yes = false;
    EXPECT_EQ(Run(), current);
    EXPECT_EQ(messages.asked.size(), 1);
}

}  // namespace
}  // namespace reversi

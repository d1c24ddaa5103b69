// Whole games against the computer played by clicks on the board, on both
// field sizes, at several levels and with both engines, checked against a
// replay of the match record: whose move each was, every pass shown where
// the rules demand it, and the final message.
#include <algorithm>

#include <QLabel>
#include <gtest/gtest.h>

#include "PlayTestSupport.h"
#include "SettingsStore.h"
#include "StatisticsTable.h"

namespace reversi {
namespace {

using test::GameSetup;
using test::PlayingWindow;

constexpr platform::TSoundEffect EffectEndgame = platform::TSoundEffect::endgame;

struct Counts {
    int white = 0, black = 0;
};
Counts CountDiscs(const tBoard& board, int n) {
    Counts c;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            c.white += board[SquareIndex(x, y, n)] == CellWhite;
            c.black += board[SquareIndex(x, y, n)] == CellBlack;
        }
    return c;
}
bool HasMove(const tBoard& board, int n, int me) {
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (test::CanMoveOn(n, board, SquareIndex(x, y, n), me, 5 - me)) return true;
    return false;
}

// The messages a correct game shows, rebuilt from the match record: a pass
// for each side that had no move while the other had one, then the result.
QStringList ExpectedMessages(const PlayingWindow& w, int n) {
    const auto& moves = w.Game().Tracker->moves();
    QStringList expected;
    int toMove = CellWhite;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        EXPECT_EQ(moves[i].who, toMove) << "move " << i;
        tBoard after = i + 1 < moves.size() ? moves[i + 1].board : w.Game().Boards[0];
        const int mover = moves[i].who;
        const int other = 5 - mover;
        if (HasMove(after, n, other)) {
            toMove = other;
        } else if (HasMove(after, n, mover)) {
            expected << TFinalDlg::OutMessage(other == CellWhite ? 3 : 4, 0, 0, SideNames{});
            toMove = mover;
        } else {
            EXPECT_EQ(i + 1, moves.size()) << "moves after the end";
        }
    }
    const Counts c = CountDiscs(w.Game().Boards[0], n);
    if (c.white == c.black) {
        expected << TFinalDlg::OutMessage(2, 0, 0, SideNames{});
    } else if (c.black > c.white) {
        expected << TFinalDlg::OutMessage(1, c.black, c.white, SideNames{});
    } else {
        expected << TFinalDlg::OutMessage(0, c.white, c.black, SideNames{});
    }
    return expected;
}

struct GameCase {
    const char* name;
    GameSetup setup;
    unsigned seed;
    bool practice = false;  // a hint first makes the game practice
};

class PlayWholeGame : public testing::TestWithParam<GameCase> {};

TEST_P(PlayWholeGame, ClicksUntilGameOver) {
    const GameCase& c = GetParam();
    PlayingWindow w(c.setup);
    auto& g = w.Game();
    const int n = c.setup.boardSize;
    if (c.setup.computerSide == CellWhite) {
        // The computer opened at once with its fixed first move.
        ASSERT_EQ(g.Tracker->count(), 1);
        EXPECT_EQ(g.Tracker->moves()[0].dest, n == 8 ? 53 : 54);
    }
    std::vector<PlayerResult> results;
    QObject::connect(w.form.get(), &TReversiForm::gameResultRecorded,
                     [&](PlayerResult r) { results.push_back(r); });
    if (c.practice) {
        w.form->HintItemClick();
        w.Settle();
        ASSERT_TRUE(g.PracticeGame);
    }
    std::mt19937 rng(c.seed);
    int clicks = 0;
    while (!g.GameOver && clicks < n * n) {
        ASSERT_NE(g.SideToMove, g.ComputerSide) << "the player is to move after each reply";
        ASSERT_FALSE(g.ThreadRunning);
        const auto legal = w.LegalSquares();
        ASSERT_FALSE(legal.empty());
        const auto [x, y] = legal[rng() % legal.size()];
        const int before = g.Tracker->count();
        w.ClickSquare(x, y);
        ASSERT_GT(g.Tracker->count(), before) << "the click played no move";
        EXPECT_EQ(g.Tracker->moves()[static_cast<std::size_t>(before)].dest, SquareIndex(x, y, n));
        ++clicks;
    }
    ASSERT_TRUE(g.GameOver);
    EXPECT_EQ(w.form->StatusPanelText(0).toStdString(), "Game over");
    EXPECT_EQ(w.messages->finals, ExpectedMessages(w, n))
        << w.messages->finals.join(" | ").toStdString();
    EXPECT_EQ(std::count(w.sounds.begin(), w.sounds.end(), EffectEndgame),
              w.messages->finals.size());
    const Counts counts = CountDiscs(g.Boards[0], n);
    // A counted game records exactly one result; practice records none.
    if (c.practice) {
        EXPECT_TRUE(results.empty());
        EXPECT_TRUE(w.messages->statistics.empty());
    } else {
        // Counted once, and the statistics window opened on this level.
        ASSERT_EQ(w.messages->statistics.size(), 1U);
        EXPECT_EQ(w.messages->statistics[0].Games, 1U);
        const int computer = c.setup.computerSide == CellWhite ? counts.white : counts.black;
        const int player = c.setup.computerSide == CellWhite ? counts.black : counts.white;
        const PlayerResult expected = computer == player  ? PlayerResult::Tie
                                      : computer > player ? PlayerResult::ComputerWon
                                                          : PlayerResult::PlayerWon;
        EXPECT_EQ(results, std::vector<PlayerResult>{expected});
    }
    EXPECT_EQ(
        w.form->StatusPanelText(1).toStdString(),
        "Yellow " + std::to_string(counts.white) + " : Green " + std::to_string(counts.black));
    EXPECT_EQ(
        w.form->StatusPanelText(2).toStdString(),
        "Move " + std::to_string(g.Tracker->count()) + "/" + std::to_string(g.Tracker->count()));
    // Clicks after the end do nothing.
    const int moves = g.Tracker->count();
    w.ClickSquare(0, 0);
    EXPECT_EQ(g.Tracker->count(), moves);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, PlayWholeGame,
    testing::Values(
        GameCase{"Baby8ComputerWhite", {8, 1, true, false, CellWhite}, 1},
        GameCase{"Baby10ComputerBlackPractice", {10, 1, true, false, CellBlack}, 2, true},
        GameCase{"Pupil8AdvancedComputerBlack", {8, 2, false, true, CellBlack}, 3},
        GameCase{"Pupil10AdvancedComputerWhite", {10, 2, false, true, CellWhite}, 4},
        GameCase{"Teenager8ComputerWhite", {8, 3, false, false, CellWhite}, 5},
        GameCase{"Kiddy10ComputerBlack", {10, 1, false, false, CellBlack}, 6},
        GameCase{"Student8AdvancedComputerWhitePractice", {8, 4, false, true, CellWhite}, 7, true}),
    [](const testing::TestParamInfo<GameCase>& tested) { return std::string(tested.param.name); });

// Plays random legal squares until the game is over (at most `clicks`
// moves); false when a click played nothing.
bool PlayClicks(PlayingWindow& w, unsigned seed, int clicks) {
    auto& g = w.Game();
    std::mt19937 rng(seed);
    for (int i = 0; i < clicks && !g.GameOver; ++i) {
        const auto legal = w.LegalSquares();
        if (legal.empty()) return false;
        const auto [x, y] = legal[rng() % legal.size()];
        const int before = g.Tracker->count();
        w.ClickSquare(x, y);
        if (g.Tracker->count() <= before) return false;
    }
    return true;
}

// The statistics as a fresh start reads them from the settings file.
TStatisticsTable StoredStatistics() {
    TStatisticsTable table;
    EXPECT_FALSE(table.FromBytes(SettingsStore().LoadStatistics().bytes));
    return table;
}

struct UncountedCase {
    const char* name;
    bool practice;  // a hint makes the game practice, played to its end
};

class UncountedGame : public testing::TestWithParam<UncountedCase> {};

TEST_P(UncountedGame, LeavesTheStoredStatisticsAtZero) {
    {
        PlayingWindow w({8, 1, true, false, CellBlack});
        std::vector<PlayerResult> results;
        QObject::connect(w.form.get(), &TReversiForm::gameResultRecorded,
                         [&](PlayerResult r) { results.push_back(r); });
        if (GetParam().practice) {
            w.form->HintItemClick();
            ASSERT_TRUE(PlayClicks(w, 11, 100));
            ASSERT_TRUE(w.Game().GameOver);
        } else {
            // Abandoned mid-way by a new game, which is then left unplayed.
            ASSERT_TRUE(PlayClicks(w, 12, 6));
            ASSERT_FALSE(w.Game().GameOver);
            w.form->NewGameItemClick();
            EXPECT_EQ(w.Game().Tracker->count(), 0);
        }
        EXPECT_TRUE(results.empty());
        EXPECT_TRUE(w.messages->statistics.empty());
        w.form->close();
    }
    EXPECT_EQ(StoredStatistics(), TStatisticsTable());
}

INSTANTIATE_TEST_SUITE_P(Kinds, UncountedGame,
                         testing::Values(UncountedCase{"Practice", true},
                                         UncountedCase{"AbandonedByNewGame", false}),
                         [](const testing::TestParamInfo<UncountedCase>& tested) {
                             return std::string(tested.param.name);
                         });

TEST(CountedGames, TwoGamesAtOneLevelAddUpAcrossACloseAndAFreshStart) {
    const GameSetup setup{8, 2, false, false, CellBlack};
    const int block = TStatisticsTable::BlockIndex(8, false);
    std::vector<PlayerResult> results;
    auto expectRecord = [&](const TStatisticsRecord& r) {
        auto count = [&](PlayerResult kind) {
            return static_cast<std::uint32_t>(std::count(results.begin(), results.end(), kind));
        };
        EXPECT_EQ(r.Games, static_cast<std::uint32_t>(results.size()));
        EXPECT_EQ(r.Wins, count(PlayerResult::PlayerWon));
        EXPECT_EQ(r.Losses, count(PlayerResult::ComputerWon));
        EXPECT_EQ(r.Ties, count(PlayerResult::Tie));
    };
    for (unsigned game = 0; game < 2; ++game) {
        GameSetup s = setup;
        s.keepSettings = game > 0;
        PlayingWindow w(s);
        QObject::connect(w.form.get(), &TReversiForm::gameResultRecorded,
                         [&](PlayerResult r) { results.push_back(r); });
        // The fresh start reads what the last close stored: the menu's
        // statistics window opens on it.
        w.form->findChild<QAction*>(QStringLiteral("Statistics1"))->trigger();
        ASSERT_EQ(w.messages->statistics.size(), 1U);
        EXPECT_EQ(w.messages->statistics[0].Games, game);
        ASSERT_TRUE(PlayClicks(w, 20 + game, 100));
        ASSERT_TRUE(w.Game().GameOver);
        ASSERT_EQ(results.size(), game + 1);
        w.form->close();
        expectRecord(StoredStatistics().Record(block, 2));
    }
    // Nothing else was counted.
    TStatisticsTable expected;
    for (PlayerResult r : results) expected.Count(8, false, 2, r);
    EXPECT_EQ(StoredStatistics(), expected);
}

}  // namespace
}  // namespace reversi

// The statistics counters: their stored bytes, the counting of game ends,
// the average skill, clearing, and hostile stored values.
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include "GameState.h"
#include "StatisticsTable.h"

namespace reversi {
namespace {

std::uint32_t CounterAt(const QByteArray& bytes, int offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return v;
}

// Every byte outside [offset, offset + 16) of the value is zero.
void ExpectZeroOutsideRecord(const QByteArray& bytes, int offset) {
    for (int i = 0; i < bytes.size(); ++i) {
        if (i >= offset && i < offset + 16) continue;
        ASSERT_EQ(bytes[i], '\0') << "byte " << i;
    }
}

TEST(StatisticsBytes, EmptyTableIs640ZeroBytes) {
    const QByteArray bytes = TStatisticsTable().ToBytes();
    ASSERT_EQ(bytes.size(), 640);
    EXPECT_EQ(bytes, QByteArray(640, '\0'));
}

TEST(StatisticsBytes, FirstBabyWinOn8x8NormalSetsBytes0And4Only) {
    TStatisticsTable table;
    table.Count(8, false, TStatisticsTable::LevelIndex(true, 1), PlayerResult::PlayerWon);
    const QByteArray bytes = table.ToBytes();
    ASSERT_EQ(bytes.size(), 640);
    QByteArray expected(640, '\0');
    expected[0] = 1;
    expected[4] = 1;
    EXPECT_EQ(bytes, expected);
}

TEST(StatisticsBytes, RecordOffsetsOfBlocksAndLevels) {
    struct Case {
        int boardSize;
        bool advanced;
        bool baby;
        int depth;
        PlayerResult result;
        int offset;       // start of the record
        int resultField;  // offset of the counter besides Games that grows
    };
    const Case cases[] = {
        {8, false, true, 1, PlayerResult::PlayerWon, 0, 4},
        {8, false, false, 1, PlayerResult::PlayerWon, 16, 4},  // depth 1 is "1-kiddy", not baby
        {8, true, false, 4, PlayerResult::ComputerWon, 160 + 64, 8},
        {10, false, false, 2, PlayerResult::Tie, 320 + 32, 12},
        {10, true, false, 9, PlayerResult::ComputerWon, 624, 8},
        {10, true, true, 9, PlayerResult::PlayerWon, 480, 4},  // the baby flag wins over the depth
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        TStatisticsTable table;
        table.Count(c.boardSize, c.advanced, TStatisticsTable::LevelIndex(c.baby, c.depth),
                    c.result);
        const QByteArray bytes = table.ToBytes();
        EXPECT_EQ(CounterAt(bytes, c.offset), 1u);
        EXPECT_EQ(CounterAt(bytes, c.offset + c.resultField), 1u);
        int sum = 0;
        for (const char b : bytes) sum += static_cast<unsigned char>(b);
        EXPECT_EQ(sum, 2);
        ExpectZeroOutsideRecord(bytes, c.offset);
    }
}

TEST(StatisticsBytes, TieAddsToGamesAndTiesOnly) {
    TStatisticsTable table;
    table.Count(8, false, 3, PlayerResult::Tie);
    table.Count(8, false, 3, PlayerResult::Tie);
    const TStatisticsRecord r = table.Record(0, 3);
    EXPECT_EQ(r, (TStatisticsRecord{2, 0, 0, 2}));
    const QByteArray bytes = table.ToBytes();
    EXPECT_EQ(CounterAt(bytes, 48), 2u);
    EXPECT_EQ(CounterAt(bytes, 48 + 12), 2u);
    ExpectZeroOutsideRecord(bytes, 48);
}

TEST(StatisticsBytes, CountersAreLittleEndianAndRoundTrip) {
    QByteArray stored(640, '\0');
    // Record (block 2, level 7), Wins = 0x04030201 and Ties = 0xA0B0C0D0.
    const int at = 2 * 160 + 7 * 16;
    const char wins[] = {0x01, 0x02, 0x03, 0x04};
    const unsigned char ties[] = {0xD0, 0xC0, 0xB0, 0xA0};
    for (int i = 0; i < 4; ++i) {
        stored[at + 4 + i] = wins[i];
        stored[at + 12 + i] = static_cast<char>(ties[i]);
    }
    stored[639] = '\x7f';  // the last byte: high byte of Ties of (3, 9)
    TStatisticsTable table;
    EXPECT_FALSE(table.FromBytes(stored));
    EXPECT_EQ(table.Record(2, 7), (TStatisticsRecord{0, 0x04030201u, 0, 0xA0B0C0D0u}));
    EXPECT_EQ(table.Record(3, 9).Ties, 0x7F000000u);
    EXPECT_EQ(table.ToBytes(), stored);
}

TEST(StatisticsBytes, CountersWrapAt2To32) {
    QByteArray stored(640, '\0');
    for (int i = 0; i < 8; ++i) stored[i] = '\xff';  // Games and Wins of (0, 0)
    TStatisticsTable table;
    table.FromBytes(stored);
    table.Count(8, false, 0, PlayerResult::PlayerWon);
    EXPECT_EQ(table.Record(0, 0), (TStatisticsRecord{0, 0, 0, 0}));
    table.Count(8, false, 0, PlayerResult::PlayerWon);
    EXPECT_EQ(table.Record(0, 0), (TStatisticsRecord{1, 1, 0, 0}));
}

TEST(StatisticsBytes, LevelOutsideTheTableIsClampedNotWrittenBeyond) {
    TStatisticsTable table;
    table.Count(10, true, 12, PlayerResult::Tie);
    table.Count(8, false, -3, PlayerResult::Tie);
    EXPECT_EQ(table.Record(3, 9).Games, 1u);
    EXPECT_EQ(table.Record(0, 0).Games, 1u);
    EXPECT_EQ(table.ToBytes().size(), 640);
}

// --- stored values from the settings store ---

TStatisticsTable FullTable() {
    TStatisticsTable table;
    for (int size : {8, 10}) {
        for (bool advanced : {false, true}) {
            for (int level = 0; level < 10; ++level) {
                table.Count(size, advanced, level, PlayerResult::ComputerWon);
            }
        }
    }
    return table;
}

TEST(StatisticsStoredValue, HostileAndShortValues) {
    QByteArray five("\x05\x00\x00\x00\x09", 5);
    QByteArray exact(640, '\x01');
    QByteArray tooLong(641, '\x01');
    QByteArray huge(1 << 20, '\x01');
    struct Case {
        const char* name;
        QVariant value;
        bool refused;
        TStatisticsRecord first;  // record (0, 0) afterwards
        TStatisticsRecord last;   // record (3, 9) afterwards
    };
    const TStatisticsRecord ones{0x01010101u, 0x01010101u, 0x01010101u, 0x01010101u};
    const std::vector<Case> cases = {
        {"no value", QVariant(), false, {}, {}},
        {"empty bytes", QVariant(QByteArray()), false, {}, {}},
        {"five bytes fill the start", QVariant(five), false, {5, 9, 0, 0}, {}},
        {"exactly 640", QVariant(exact), false, ones, ones},
        {"641 bytes", QVariant(tooLong), true, {}, {}},
        {"a megabyte", QVariant(huge), true, {}, {}},
        {"a text", QVariant(QStringLiteral("\x01\x01\x01\x01")), true, {}, {}},
        {"a number", QVariant(7), true, {}, {}},
        {"a list", QVariant(QStringList{QStringLiteral("1")}), true, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The table held other counts before: whatever happens, nothing of them stays.
        TStatisticsTable table = FullTable();
        EXPECT_EQ(table.FromStoredValue(c.value), c.refused);
        EXPECT_EQ(table.Record(0, 0), c.first);
        EXPECT_EQ(table.Record(3, 9), c.last);
        EXPECT_EQ(table.ToBytes().size(), 640);
        if (c.refused) {
            EXPECT_EQ(table.ToBytes(), QByteArray(640, '\0'));
        }
    }
}

TEST(StatisticsStoredValue, ShortValueKeepsTheRestZero) {
    QByteArray stored(100, '\x02');
    TStatisticsTable table;
    EXPECT_FALSE(table.FromBytes(stored));
    const QByteArray bytes = table.ToBytes();
    EXPECT_EQ(bytes.left(100), stored);
    EXPECT_EQ(bytes.mid(100), QByteArray(540, '\0'));
    // Byte 100 is the first byte of Wins of (0, 6): bytes 96..99 are its Games.
    EXPECT_EQ(table.Record(0, 6), (TStatisticsRecord{0x02020202u, 0, 0, 0}));
}

TEST(StatisticsStoredValue, ThroughASettingsFile) {
    // The settings store keeps the value in an INI file: bytes come back as
    // bytes, while a hand-edited text or number comes back as text.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    TStatisticsTable counted;
    counted.Count(10, true, 9, PlayerResult::ComputerWon);
    {
        QSettings store(file, QSettings::IniFormat);
        store.setValue(QStringLiteral("Statistics"), counted.ToBytes());
        store.setValue(QStringLiteral("Text"), QStringLiteral("hello"));
        store.setValue(QStringLiteral("Number"), 12);
    }
    QSettings store(file, QSettings::IniFormat);
    TStatisticsTable table;
    EXPECT_FALSE(table.FromStoredValue(store.value(QStringLiteral("Statistics"))));
    EXPECT_EQ(table, counted);
    EXPECT_TRUE(table.FromStoredValue(store.value(QStringLiteral("Text"))));
    EXPECT_TRUE(table.FromStoredValue(store.value(QStringLiteral("Number"))));
    EXPECT_FALSE(table.FromStoredValue(store.value(QStringLiteral("Missing"))));
    EXPECT_EQ(table, TStatisticsTable());
}

TEST(StatisticsStoredValue, RefusalIsReportedWithAMessage) {
    EXPECT_FALSE(StatisticsRefusedMessage().isEmpty());
}

// --- queries of the window ---

TEST(StatisticsQueries, BlockTotalsSumTheTenLevelsOfOneBlock) {
    TStatisticsTable table;
    table.Count(10, false, 0, PlayerResult::PlayerWon);
    table.Count(10, false, 4, PlayerResult::ComputerWon);
    table.Count(10, false, 9, PlayerResult::Tie);
    table.Count(10, false, 9, PlayerResult::PlayerWon);
    table.Count(10, true, 9, PlayerResult::PlayerWon);  // another block
    EXPECT_EQ(table.BlockTotals(2), (TStatisticsRecord{4, 2, 1, 1}));
    EXPECT_EQ(table.BlockTotals(3), (TStatisticsRecord{1, 1, 0, 0}));
    EXPECT_EQ(table.BlockTotals(0), TStatisticsRecord{});
}

TEST(StatisticsQueries, AverageSkillIsTheHighestLevelWithMoreWinsThanLosses) {
    struct Result {
        int level;
        int wins;
        int losses;
    };
    struct Case {
        const char* name;
        std::vector<Result> results;
        int skill;
    };
    const std::vector<Case> cases = {
        {"empty block", {}, 0},
        {"only losses", {{3, 0, 2}, {7, 1, 4}}, 0},
        {"equal wins and losses do not count", {{6, 2, 2}}, 0},
        {"levels 2 and 5", {{2, 3, 1}, {5, 1, 0}, {8, 1, 1}}, 5},
        {"a win at level 9", {{9, 1, 0}, {1, 5, 0}}, 9},
        {"won only at baby", {{0, 4, 1}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStatisticsTable table;
        for (const auto& r : c.results) {
            for (int i = 0; i < r.wins; ++i) table.Count(8, true, r.level, PlayerResult::PlayerWon);
            for (int i = 0; i < r.losses; ++i) {
                table.Count(8, true, r.level, PlayerResult::ComputerWon);
            }
        }
        // Ties play no part.
        table.Count(8, true, 4, PlayerResult::Tie);
        EXPECT_EQ(table.AverageSkill(1), c.skill);
        EXPECT_EQ(table.AverageSkill(0), 0);  // the other blocks stay empty
    }
}

TEST(StatisticsQueries, WinsAndLossesAreComparedUnsigned) {
    // Wins 0x80000000 is more than Losses 1 (a signed comparison would say less).
    QByteArray stored(640, '\0');
    stored[16 * 4 + 7] = '\x80';  // Wins of (0, 4), high byte
    stored[16 * 4 + 8] = '\x01';  // Losses of (0, 4)
    TStatisticsTable table;
    table.FromBytes(stored);
    EXPECT_EQ(table.AverageSkill(0), 4);
}

TEST(StatisticsQueries, LevelNames) {
    const char* names[] = {"0-baby",       "1-kiddy",   "2-pupil", "3-teenager",  "4-student",
                           "5-able pupil", "6-skilled", "7-boss",  "8-president", "9-Merlin"};
    for (int level = 0; level < 10; ++level) {
        EXPECT_EQ(TStatisticsTable::LevelName(level).toStdString(), names[level]);
    }
    EXPECT_TRUE(TStatisticsTable::LevelName(10).isEmpty());
    EXPECT_TRUE(TStatisticsTable::LevelName(-1).isEmpty());
}

TEST(StatisticsQueries, OutOfRangeQueriesReadEmpty) {
    const TStatisticsTable table = FullTable();
    EXPECT_EQ(table.Record(4, 0), TStatisticsRecord{});
    EXPECT_EQ(table.Record(0, 10), TStatisticsRecord{});
    EXPECT_EQ(table.Record(-1, 0), TStatisticsRecord{});
    EXPECT_EQ(table.BlockTotals(4), TStatisticsRecord{});
}

// --- clearing ---

TEST(StatisticsClearing, ClearLevelZeroesItsSixteenBytesOnly) {
    TStatisticsTable table = FullTable();
    const QByteArray before = table.ToBytes();
    table.ClearLevel(2, 5);
    const QByteArray after = table.ToBytes();
    const int at = 2 * 160 + 5 * 16;
    EXPECT_EQ(after.mid(at, 16), QByteArray(16, '\0'));
    EXPECT_EQ(after.left(at), before.left(at));
    EXPECT_EQ(after.mid(at + 16), before.mid(at + 16));
}

TEST(StatisticsClearing, ClearBlockZeroesItsHundredSixtyBytesOnly) {
    TStatisticsTable table = FullTable();
    const QByteArray before = table.ToBytes();
    table.ClearBlock(1);
    const QByteArray after = table.ToBytes();
    EXPECT_EQ(after.mid(160, 160), QByteArray(160, '\0'));
    EXPECT_EQ(after.left(160), before.left(160));
    EXPECT_EQ(after.mid(320), before.mid(320));
}

TEST(StatisticsClearing, ClearingOutsideTheTableChangesNothing) {
    TStatisticsTable table = FullTable();
    const QByteArray before = table.ToBytes();
    table.ClearLevel(4, 0);
    table.ClearLevel(0, 10);
    table.ClearBlock(-1);
    table.ClearBlock(4);
    EXPECT_EQ(table.ToBytes(), before);
}

TEST(StatisticsIndex, BlocksAndLevels) {
    EXPECT_EQ(TStatisticsTable::BlockIndex(8, false), 0);
    EXPECT_EQ(TStatisticsTable::BlockIndex(8, true), 1);
    EXPECT_EQ(TStatisticsTable::BlockIndex(10, false), 2);
    EXPECT_EQ(TStatisticsTable::BlockIndex(10, true), 3);
    EXPECT_EQ(TStatisticsTable::LevelIndex(true, 7), 0);
    EXPECT_EQ(TStatisticsTable::LevelIndex(false, 1), 1);
    EXPECT_EQ(TStatisticsTable::LevelIndex(false, 9), 9);
    EXPECT_EQ(TStatisticsTable::LevelIndex(false, 0), 1);
    EXPECT_EQ(TStatisticsTable::LevelIndex(false, INT_MAX), 9);
}

}  // namespace
}  // namespace reversi

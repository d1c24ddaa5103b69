// The counters of finished games against the computer, per field size, engine
// and level, and their stored form: 640 bytes, little-endian, no header.
#pragma once

#include <array>
#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "Board.h"
#include "TurnAccounting.h"

namespace reversi {

// The four counters of one field size, engine and level.
struct TStatisticsRecord {
    std::uint32_t Games = 0;
    std::uint32_t Wins = 0;    // the human player won
    std::uint32_t Losses = 0;  // the computer won
    std::uint32_t Ties = 0;

    bool operator==(const TStatisticsRecord&) const = default;
};

class TStatisticsTable {
public:
    static constexpr int Levels = 10;
    static constexpr int Blocks = 4;
    static constexpr int RecordBytes = 16;
    static constexpr int BlockBytes = Levels * RecordBytes;
    static constexpr int ByteSize = Blocks * BlockBytes;  // 640

    // Block of a field size and engine: 0 8x8 Normal, 1 8x8 Advanced,
    // 2 10x10 Normal, 3 10x10 Advanced (every size but 8 counts as 10).
    static int BlockIndex(int boardSize, bool advancedEngine);
    // Level of the game state: 0 for the baby level, otherwise the depth
    // (kept within 1..9).
    static int LevelIndex(bool babyLevel, int depth);
    // "0-baby" .. "9-Merlin"; an empty text outside 0..9.
    static QString LevelName(int level);

    // Replaces the table by a stored value. A value of up to 640 bytes fills
    // the start of the table and leaves the rest zero; a longer one is
    // refused and the table is all zero. Returns true when refused.
    bool FromBytes(const QByteArray& bytes);
    // As FromBytes, for the value as the settings store holds it: only a
    // byte array is taken; a text or a number is refused. No value at all
    // (first start) gives an all-zero table and is not a refusal.
    bool FromStoredValue(const QVariant& value);
    // The 640 bytes to store.
    QByteArray ToBytes() const;

    // Counts one finished game at the given field size, engine and level
    // (level clamped to 0..9). Counters wrap at 2^32.
    void Count(int boardSize, bool advancedEngine, int level, PlayerResult result);

    // Queries of the statistics window; block 0..3 and level 0..9, anything
    // else reads as an empty record.
    TStatisticsRecord Record(int block, int level) const;
    // The four counters summed over the ten levels of a block (wrapping).
    TStatisticsRecord BlockTotals(int block) const;
    // The highest level of the block with more wins than losses, 0 when none.
    int AverageSkill(int block) const;

    // Sets one record, or the ten records of a block, to zero.
    void ClearLevel(int block, int level);
    void ClearBlock(int block);

    bool operator==(const TStatisticsTable&) const = default;

private:
    static bool Valid(int block, int level);
    // Record of block b and level l at index b * Levels + l; four 32-bit
    // counters each, in the order they are stored.
    std::array<std::array<std::uint32_t, 4>, Blocks * Levels> records_{};
};

// What the status bar says once when a stored value was refused.
QString StatisticsRefusedMessage();

}  // namespace reversi

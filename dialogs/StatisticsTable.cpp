#include "StatisticsTable.h"

#include <algorithm>

#include <QMetaType>

#include "Board.h"

namespace reversi {

namespace {

constexpr std::array<const char*, TStatisticsTable::Levels> LevelNames = {
    "0-baby",       "1-kiddy",   "2-pupil", "3-teenager",  "4-student",
    "5-able pupil", "6-skilled", "7-boss",  "8-president", "9-Merlin"};

constexpr int GamesField = 0;
constexpr int WinsField = 1;
constexpr int LossesField = 2;
constexpr int TiesField = 3;

}  // namespace

int TStatisticsTable::BlockIndex(int boardSize, bool advancedEngine) {
    return (boardSize != 8 ? 2 : 0) + (advancedEngine ? 1 : 0);
}

int TStatisticsTable::LevelIndex(bool babyLevel, int depth) {
    return babyLevel ? 0 : std::clamp(depth, 1, Levels - 1);
}

QString TStatisticsTable::LevelName(int level) {
    if (level < 0 || level >= Levels) return {};
    return QString::fromLatin1(LevelNames[static_cast<std::size_t>(level)]);
}

bool TStatisticsTable::Valid(int block, int level) {
    return block >= 0 && block < Blocks && level >= 0 && level < Levels;
}

bool TStatisticsTable::FromBytes(const QByteArray& bytes) {
    records_ = {};
    if (bytes.size() > ByteSize) return true;
    // Byte i of the value is byte i % 4 (little-endian) of counter i / 4.
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto counter = static_cast<std::size_t>(i / 4);
        const auto byte = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
        records_[counter / 4][counter % 4] |= byte << (8 * (i % 4));
    }
    return false;
}

bool TStatisticsTable::FromStoredValue(const QVariant& value) {
    if (!value.isValid()) {
        records_ = {};
        return false;
    }
    if (value.metaType() != QMetaType::fromType<QByteArray>()) {
        records_ = {};
        return true;
    }
    return FromBytes(value.toByteArray());
}

QByteArray TStatisticsTable::ToBytes() const {
    QByteArray bytes(ByteSize, '\0');
    qsizetype at = 0;
    for (const auto& record : records_) {
        for (const std::uint32_t counter : record) {
            for (int shift = 0; shift < 32; shift += 8) {
                bytes[at++] = static_cast<char>((counter >> shift) & 0xFFu);
            }
        }
    }
    return bytes;
}

void TStatisticsTable::Count(int boardSize, bool advancedEngine, int level, PlayerResult result) {
    const int l = std::clamp(level, 0, Levels - 1);
    auto& record =
        records_[static_cast<std::size_t>(BlockIndex(boardSize, advancedEngine) * Levels + l)];
    record[GamesField] += 1;
    switch (result) {
        case PlayerResult::Tie:
            record[TiesField] += 1;
            break;
        case PlayerResult::PlayerWon:
            record[WinsField] += 1;
            break;
        case PlayerResult::ComputerWon:
            record[LossesField] += 1;
            break;
    }
}

TStatisticsRecord TStatisticsTable::Record(int block, int level) const {
    if (!Valid(block, level)) return {};
    const auto& r = records_[static_cast<std::size_t>(block * Levels + level)];
    return {r[GamesField], r[WinsField], r[LossesField], r[TiesField]};
}

TStatisticsRecord TStatisticsTable::BlockTotals(int block) const {
    TStatisticsRecord sum;
    for (int level = 0; level < Levels; ++level) {
        const TStatisticsRecord r = Record(block, level);
        sum.Games += r.Games;
        sum.Wins += r.Wins;
        sum.Losses += r.Losses;
        sum.Ties += r.Ties;
    }
    return sum;
}

int TStatisticsTable::AverageSkill(int block) const {
    int skill = 0;
    for (int level = 0; level < Levels; ++level) {
        const TStatisticsRecord r = Record(block, level);
        if (r.Wins > r.Losses) skill = level;
    }
    return skill;
}

void TStatisticsTable::ClearLevel(int block, int level) {
    if (!Valid(block, level)) return;
    records_[static_cast<std::size_t>(block * Levels + level)] = {};
}

void TStatisticsTable::ClearBlock(int block) {
    for (int level = 0; level < Levels; ++level) ClearLevel(block, level);
}

QString StatisticsRefusedMessage() {
    return QStringLiteral("The stored statistics were unreadable; they start again from zero.");
}

}  // namespace reversi

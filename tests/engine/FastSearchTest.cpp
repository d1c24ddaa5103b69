// The fast search (RunSearch) against the plain reference search
// (ReferenceSearch): the same answer on many seeded random positions, at
// every depth, level and engine on both field sizes; stop requests; the
// root's pass rule.
//
// REVERSI_SEARCH_COMPARE_POSITIONS=n sets the number of random positions per
// field size (fewer are used under the sanitizers by default).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <random>
#include <string>
#include <thread>

#include "EngineUnit.h"
#include "RandomPositions.h"
#include "RulesCore.h"

using namespace reversi;
using namespace std::chrono_literals;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int DefaultPositions = 6;
#else
constexpr int DefaultPositions = 40;
#endif

int PositionCount() {
    if (const char* s = std::getenv("REVERSI_SEARCH_COMPARE_POSITIONS")) return std::max(1, std::atoi(s));
    return DefaultPositions;
}

SearchInput Input(const tBoard& b, int side, int depth, bool baby, bool advanced, int n) {
    SearchInput in;
    in.Position = b;
    in.SideToMove = side;
    in.Depth = depth;
    in.BabyLevel = baby;
    in.AdvancedEngine = advanced;
    in.BoardSize = n;
    return in;
}

bool HasLegalSquare(const SearchInput& in) {
    for (int s = 0; s < 144; ++s)
        if (IsPlayingSquare(s, in.BoardSize) &&
            (in.BoardSize == 8 ? CanMove8 : CanMove10)(in.Position, s, in.SideToMove, Opponent(in.SideToMove)))
            return true;
    return false;
}

// Compares both searches on one input; returns false on a difference.
bool SameAnswer(const SearchInput& in, const std::string& what) {
    const auto ref = ReferenceSearch(in);
    const auto fast = RunSearch(in);
    const std::string where = what + " depth " + std::to_string(in.Depth) + (in.BabyLevel ? " baby" : "") +
                              (in.AdvancedEngine ? " advanced" : "");
    if (ref.Move == PassMove && fast.Move != PassMove) {
        // The reference passes with a legal square only when every value is
        // below its window; the fast search plays the best square then.
        EXPECT_TRUE(HasLegalSquare(in)) << where;
        EXPECT_LE(ref.Score, -32767) << where;
        return !::testing::Test::HasFailure();
    }
    EXPECT_EQ(fast.Move, ref.Move) << where;
    if (ref.Score > -32767 && ref.Score < 32767) {
        EXPECT_EQ(fast.Score, ref.Score) << where;
    }
    EXPECT_FALSE(fast.Stopped) << where;
    return fast.Move == ref.Move;
}

// Random middle and end games: moves spread over the whole game, so that
// passes and finished games occur below the root.
std::vector<PlayedPosition> Positions(int n, int count, std::uint32_t seed0) {
    std::vector<PlayedPosition> out;
    const int squares = n * n - 4;
    for (int k = 0; k < count; ++k) {
        const std::uint32_t seed = seed0 + static_cast<std::uint32_t>(k);
        const int moves = 4 + static_cast<int>((seed * 2654435761u) % static_cast<std::uint32_t>(squares - 4));
        out.push_back(RandomPosition(n, seed, moves));
    }
    return out;
}

}  // namespace

TEST(FastSearch, SameAnswersAsTheReferenceToDepthSeven) {
    const int count = PositionCount();
    for (int n : {8, 10})
        for (const auto& p : Positions(n, count, 1000u * static_cast<std::uint32_t>(n)))
            for (int depth = 1; depth <= 7; ++depth)
                for (bool baby : {false, true})
                    for (bool advanced : {false, true}) {
                        const auto in = Input(p.Board, p.SideToMove, depth, baby, advanced, n);
                        ASSERT_TRUE(SameAnswer(in, std::to_string(n) + " moves " + std::to_string(p.MovesPlayed)));
                    }
}

// The search's answers on a fixed set of positions, both field sizes, both
// engines, with and without the weakest level, depths 1 to 6 (1 to 4 for the
// weakest level on 10 x 10, whose inverted values prune poorly), compared with
// answers stored once in data/search_golden.txt. Any change to the search or
// the evaluation that changes an answer fails here.
//
// To write the file anew (only after a deliberate change of the computer's
// play): REVERSI_WRITE_SEARCH_GOLDEN=1 engine_tests --gtest_filter='SearchGolden*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EngineUnit.h"
#include "RandomPositions.h"
#include "RulesCore.h"

#ifndef SEARCH_GOLDEN_FILE
#error "SEARCH_GOLDEN_FILE must name the golden answers file"
#endif

using namespace reversi;

namespace {

// The deepest search stored for a position and engine.
int GoldenDepth(int n, bool baby) { return baby && n == 10 ? 4 : 6; }

struct Engine {
    const char* name;
    bool baby, advanced;
};
constexpr Engine Engines[] = {{"normal", false, false},
                              {"advanced", false, true},
                              {"baby", true, false},
                              {"baby-advanced", true, true}};

// Column by column from column A, each column from the top row down.
std::string ToText(const tBoard& b, int n) {
    std::string s;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const auto c = b[SquareIndex(x, y, n)];
            s += c == CellWhite ? 'w' : c == CellBlack ? 'b' : '+';
        }
    return s;
}

bool FromText(const std::string& s, int n, tBoard& b) {
    if (static_cast<int>(s.size()) != n * n) return false;
    b = tBoard{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const char c = s[static_cast<std::size_t>(x * n + y)];
            b[SquareIndex(x, y, n)] = c == 'w' ? CellWhite : c == 'b' ? CellBlack : CellEmpty;
        }
    return true;
}

struct GoldenPosition {
    int n;
    int side;
    tBoard board;
};

// The positions: the start, random middle games, near-end positions and a
// position in which the side to move must pass.
std::vector<GoldenPosition> Positions() {
    std::vector<GoldenPosition> out;
    for (int n : {8, 10}) {
        out.push_back({n, CellWhite, n == 8 ? rules::StartBoard<8>() : rules::StartBoard<10>()});
        const std::vector<int> moves =
            n == 8 ? std::vector<int>{9, 18, 27, 36, 46, 54} : std::vector<int>{12, 30, 48, 66, 84};
        std::uint32_t seed = 2024;
        for (int m : moves) {
            const auto p = RandomPosition(n, seed++, m);
            out.push_back({n, p.SideToMove, p.Board});
        }
    }
    tBoard pass{};
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) pass[SquareIndex(x, y, 8)] = CellEmpty;
    pass[12] = CellBlack;
    pass[13] = CellWhite;
    pass[88] = CellWhite;
    pass[87] = CellBlack;
    pass[86] = CellBlack;
    out.push_back({8, CellWhite, pass});
    out.push_back({8, CellBlack, pass});
    return out;
}

std::vector<int> Answers(const GoldenPosition& p, const Engine& e) {
    std::vector<int> answers;
    for (int depth = 1; depth <= GoldenDepth(p.n, e.baby); ++depth) {
        SearchInput in;
        in.BoardSize = p.n;
        in.Position = p.board;
        in.SideToMove = p.side;
        in.Depth = depth;
        in.BabyLevel = e.baby;
        in.AdvancedEngine = e.advanced;
        answers.push_back(RunSearch(in).Move);
    }
    return answers;
}

}  // namespace

TEST(SearchGolden, AnswersMatchTheStoredOnes) {
    if (std::getenv("REVERSI_WRITE_SEARCH_GOLDEN")) {
        std::ofstream out(SEARCH_GOLDEN_FILE);
        out << "# size side engine board, then the answers for depth 1, 2, ...\n";
        for (const auto& p : Positions())
            for (const auto& e : Engines) {
                out << p.n << ' ' << p.side << ' ' << e.name << ' ' << ToText(p.board, p.n);
                for (int a : Answers(p, e)) out << ' ' << a;
                out << '\n';
            }
        ASSERT_TRUE(out.good());
        GTEST_SKIP() << "wrote " << SEARCH_GOLDEN_FILE;
    }

    std::ifstream in(SEARCH_GOLDEN_FILE);
    ASSERT_TRUE(in) << "cannot open " << SEARCH_GOLDEN_FILE;
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        GoldenPosition p{};
        std::string engineName, text;
        ASSERT_TRUE(fields >> p.n >> p.side >> engineName >> text) << line;
        ASSERT_TRUE(FromText(text, p.n, p.board)) << line;
        const Engine* engine = nullptr;
        for (const auto& e : Engines)
            if (engineName == e.name) engine = &e;
        ASSERT_NE(engine, nullptr) << line;
        std::vector<int> expected;
        for (int a; fields >> a;) expected.push_back(a);
        ASSERT_EQ(static_cast<int>(expected.size()), GoldenDepth(p.n, engine->baby)) << line;
        EXPECT_EQ(Answers(p, *engine), expected) << line;
        ++checked;
    }
    // Every position with every engine: the file is complete.
    EXPECT_EQ(checked, static_cast<int>(Positions().size() * std::size(Engines)));
}

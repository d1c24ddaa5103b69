#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineUnit.h"
#include "FakeMoveList.h"

using namespace reversi;
using reversi::testing::FakeMoveList;
using reversi::testing::TrackerFixture;

namespace {

struct MatchRecordTest : TrackerFixture {
    void SetUp() override { StartGame(8); }

    // Plays the first legal square (lowest index) of the side to move, as the
    // window does: record, place, flip, hand over the turn. A side without a
    // move passes (not recorded). Returns the square played.
    int PlayOne() {
        auto& g = game();
        for (int pass = 0; pass < 2; ++pass) {
            const int me = g.SideToMove;
            for (int sq = 0; sq < 144; ++sq) {
                if (IsPlayingSquare(sq, g.BoardSize) && CanMove(g, g.Boards[0], sq, me, 5 - me)) {
                    Tracker().AddMove(g, sq, me, 5 - me);
                    g.Boards[0][sq] = static_cast<std::uint8_t>(me);
                    MakeMove(g, g.Boards[0], sq, me, 5 - me);
                    g.SideToMove = 5 - me;
                    return sq;
                }
            }
            g.SideToMove = 5 - me;
        }
        ADD_FAILURE() << "game over";
        return PassMove;
    }

    // Plays n moves and returns the position before each and after the last.
    std::vector<tBoard> Play(int n) {
        std::vector<tBoard> positions{game().Boards[0]};
        for (int i = 0; i < n; ++i) {
            PlayOne();
            positions.push_back(game().Boards[0]);
        }
        return positions;
    }

    std::vector<std::string> ExpectedLines() {
        std::vector<std::string> lines;
        const auto& t = Tracker();
        for (int i = 0; i < t.count(); ++i) {
            const TMove& m = t.moves()[i];
            lines.push_back(
                OBoardTracker::MoveListLine(i + 1, t.SideName(m.who), m.dest, t.boardsize()));
        }
        lines.push_back("*FLAG:EOL*");
        return lines;
    }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(MoveListLineTest, PadName) {
    struct Case {
        const char* name;
        const char* padded;
    };
    const Case cases[] = {
        {"", " ..........."},
        {"Yellow", "Yellow ....."},
        {"Green", "Green ......"},
        {"Abcdefghij", "Abcdefghij ."},
        {"Abcdefghijk", "Abcdefghijk "},
        {"Abcdefghijkl", "Abcdefghijkl"},
        {"A much longer colour name", "A much longer colour name"},
        {"Gr\xC3\xBCn", "Gr\xC3\xBCn ......."},  // counted in characters, not bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OBoardTracker::PadName(c.name), c.padded) << '"' << c.name << '"';
    }
}

TEST(MoveListLineTest, LineTexts) {
    // The record gives each colour its name; the line shows the name given.
    OBoardTracker record(8);
    struct Case {
        const char* white;
        const char* black;
        int n, who, dest, size;
        const char* line;
    };
    const Case cases[] = {
        {"Yellow", "Green", 1, 2, 53, 8, " 1.Yellow ..... E:6"},
        {"Yellow", "Green", 2, 3, 63, 8, " 2.Green ...... F:6"},
        {"Yellow", "Green", 9, 3, 88, 8, " 9.Green ...... H:1"},
        {"Yellow", "Green", 10, 2, 11, 8, "10.Yellow ..... A:8"},
        {"Yellow", "Green", 60, 3, 81, 8, "60.Green ...... H:8"},
        {"Yellow", "Green", 1, 2, 13, 10, " 1.Yellow ..... A:10"},
        {"Yellow", "Green", 96, 3, 130, 10, "96.Green ...... J:1"},
        {"Yellow", "Green", 12, 2, 54, 10, "12.Yellow ..... D:5"},
        {"", "", 3, 2, 18, 8, " 3. ........... A:1"},
        {"", "Abcdefghijk", 4, 3, 18, 8, " 4.Abcdefghijk  A:1"},
        {"Abcdefghijkl", "", 15, 2, 18, 8, "15.Abcdefghijkl A:1"},
        {"Abcdefghijklmnop", "", 7, 2, 18, 8, " 7.Abcdefghijklmnop A:1"},
    };
    for (const auto& c : cases) {
        record.SetSideNames(c.white, c.black);
        EXPECT_EQ(OBoardTracker::MoveListLine(c.n, record.SideName(c.who), c.dest, c.size), c.line)
            << c.line;
    }
    // Colour 2 and any colour other than 3 use the white name.
    record.SetSideNames("W", "B");
    EXPECT_EQ(record.SideName(CellWhite), "W");
    EXPECT_EQ(record.SideName(CellBlack), "B");
    EXPECT_EQ(record.SideName(0), "W");
    EXPECT_EQ(OBoardTracker::MoveListLine(1, record.SideName(0), 11, 8), " 1.W .......... A:8");
}

TEST_F(MatchRecordTest, NewRecordShowsOnlyTheEndLine) {
    EXPECT_EQ(Tracker().count(), 0);
    EXPECT_EQ(Tracker().current(), 0);
    EXPECT_EQ(Tracker().boardsize(), 8);
    EXPECT_EQ(list.lines, (Calls{"*FLAG:EOL*"}));
    EXPECT_EQ(list.selected, 0);

    Play(3);
    NewGame(game());  // the list and the names carry over to the new record
    EXPECT_EQ(Tracker().count(), 0);
    EXPECT_EQ(Tracker().MoveList(), &list);
    EXPECT_EQ(Tracker().SideName(CellWhite), "Yellow");
    EXPECT_EQ(Tracker().SideName(CellBlack), "Green");
    EXPECT_EQ(list.lines, (Calls{"*FLAG:EOL*"}));
    EXPECT_EQ(list.selected, 0);
}

TEST_F(MatchRecordTest, AddMoveStoresThePositionBeforeAndAppendsALine) {
    const auto positions = Play(3);
    ASSERT_EQ(Tracker().count(), 3);
    EXPECT_EQ(Tracker().current(), 3);
    for (int i = 0; i < 3; ++i) {
        const TMove& m = Tracker().moves()[i];
        EXPECT_EQ(m.board, positions[i]) << i;
        EXPECT_EQ(m.who, i % 2 == 0 ? 2 : 3);
        EXPECT_EQ(m.opp, 5 - m.who);
    }
    EXPECT_EQ(list.lines, ExpectedLines());
    EXPECT_EQ(list.lines[0], " 1.Yellow ..... C:4");  // 35: first legal square by index
    EXPECT_EQ(list.selected, 3);
    EXPECT_EQ(list.calls, (Calls{"insert 0", "select 1", "scroll", "insert 1", "select 2", "scroll",
                                 "insert 2", "select 3", "scroll"}));
}

TEST_F(MatchRecordTest, UndoRestoresThePositionBeforeTheMove) {
    const auto positions = Play(4);
    game().GameOver = true;
    list.calls.clear();
    ASSERT_TRUE(Tracker().Undo(game()));
    EXPECT_EQ(Tracker().current(), 3);
    EXPECT_EQ(Tracker().count(), 4);
    EXPECT_EQ(game().Boards[0], positions[3]);
    EXPECT_EQ(game().SideToMove, 3);
    EXPECT_FALSE(game().GameOver);
    EXPECT_EQ(list.calls, (Calls{"select 3", "repaint"}));

    while (Tracker().Undo(game())) {
    }
    EXPECT_EQ(Tracker().current(), 0);
    EXPECT_EQ(game().Boards[0], positions[0]);
    EXPECT_EQ(game().SideToMove, 2);

    // At the start: False, and nothing at all changes.
    game().GameOver = true;
    list.calls.clear();
    EXPECT_FALSE(Tracker().Undo(game()));
    EXPECT_TRUE(game().GameOver);
    EXPECT_EQ(game().Boards[0], positions[0]);
    EXPECT_TRUE(list.calls.empty());
}

TEST_F(MatchRecordTest, RedoWithShowEachFollowsEveryStep) {
    const auto positions = Play(4);
    Tracker().GoToStart(game());
    game().FirstMove = true;
    list.calls.clear();
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(Tracker().Redo(game(), true));
        EXPECT_EQ(Tracker().current(), i);
        EXPECT_EQ(game().Boards[0], positions[i]) << i;
        EXPECT_EQ(game().SideToMove, Tracker().moves()[i - 1].opp);
    }
    EXPECT_FALSE(game().FirstMove);
    EXPECT_EQ(list.calls, (Calls{"select 1", "repaint", "select 2", "repaint", "select 3",
                                 "repaint", "select 4", "repaint"}));
    // At the end: False and the list is not touched.
    list.calls.clear();
    EXPECT_FALSE(Tracker().Redo(game(), true));
    EXPECT_TRUE(list.calls.empty());
}

TEST_F(MatchRecordTest, RedoWithoutShowEachUpdatesTheListOnceAtTheEnd) {
    const auto positions = Play(5);
    Tracker().GoToStart(game());
    list.calls.clear();
    int steps = 0;
    while (Tracker().Redo(game(), false)) ++steps;
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(game().Boards[0], positions[5]);
    EXPECT_EQ(list.calls, (Calls{"select 5", "repaint"}));
    EXPECT_EQ(list.selected, 5);
}

TEST_F(MatchRecordTest, GoToMove) {
    const auto positions = Play(5);
    game().GameOver = true;
    list.calls.clear();
    ASSERT_TRUE(Tracker().GoToMove(game(), 2));
    EXPECT_EQ(Tracker().current(), 2);
    EXPECT_EQ(Tracker().count(), 5);
    EXPECT_EQ(game().Boards[0], positions[2]);
    EXPECT_EQ(game().SideToMove, Tracker().moves()[2].who);
    EXPECT_TRUE(game().GameOver);  // left to the caller
    EXPECT_EQ(list.calls, (Calls{"select 2", "repaint"}));

    ASSERT_TRUE(Tracker().GoToMove(game(), 0));
    EXPECT_EQ(game().Boards[0], positions[0]);

    // The end line and anything outside the record are refused.
    list.calls.clear();
    for (const int i : {5, 6, -1, -1000}) {
        EXPECT_FALSE(Tracker().GoToMove(game(), i)) << i;
    }
    EXPECT_EQ(Tracker().current(), 0);
    EXPECT_EQ(game().Boards[0], positions[0]);
    EXPECT_TRUE(list.calls.empty());
}

TEST_F(MatchRecordTest, GoToStartStepsBackWithoutTheList) {
    const auto positions = Play(6);
    game().GameOver = true;
    list.calls.clear();
    Tracker().GoToStart(game());
    EXPECT_EQ(Tracker().current(), 0);
    EXPECT_EQ(Tracker().count(), 6);
    EXPECT_EQ(game().Boards[0], positions[0]);
    EXPECT_EQ(game().SideToMove, 2);
    EXPECT_FALSE(game().GameOver);
    EXPECT_TRUE(list.calls.empty());
}

TEST_F(MatchRecordTest, GoToStartOnAnEmptyRecordChangesNothing) {
    game().GameOver = true;
    game().SideToMove = 3;
    const tBoard before = game().Boards[0];
    Tracker().GoToStart(game());
    EXPECT_TRUE(game().GameOver);
    EXPECT_EQ(game().SideToMove, 3);
    EXPECT_EQ(game().Boards[0], before);
}

TEST_F(MatchRecordTest, RebuildListDropsTheMovesAfterThePositionShown) {
    Play(5);
    ASSERT_TRUE(Tracker().GoToMove(game(), 2));
    list.calls.clear();
    Tracker().RebuildList();
    EXPECT_EQ(Tracker().count(), 2);
    EXPECT_EQ(Tracker().current(), 2);
    EXPECT_EQ(list.lines, ExpectedLines());
    EXPECT_EQ(list.lines.size(), 3u);
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(list.calls.front(), "clear");
    EXPECT_EQ(list.calls.back(), "repaint");

    // The next move lands just above the end line.
    const tBoard shown = game().Boards[0];
    PlayOne();
    EXPECT_EQ(Tracker().count(), 3);
    EXPECT_EQ(Tracker().moves()[2].board, shown);
    EXPECT_EQ(list.lines, ExpectedLines());
    EXPECT_EQ(list.selected, 3);
}

TEST_F(MatchRecordTest, AddMoveAfterUndoOverwritesTheLaterMoves) {
    Play(4);
    ASSERT_TRUE(Tracker().Undo(game()));
    ASSERT_TRUE(Tracker().Undo(game()));
    Tracker().Truncate();
    EXPECT_EQ(Tracker().count(), 2);
    EXPECT_EQ(Tracker().current(), 2);
    Tracker().Undo(game());
    const tBoard shown = game().Boards[0];
    PlayOne();
    EXPECT_EQ(Tracker().count(), 2);
    EXPECT_EQ(Tracker().current(), 2);
    EXPECT_EQ(Tracker().moves()[1].board, shown);
}

TEST_F(MatchRecordTest, TenByTenLinesUseTheTenByTenLayout) {
    StartGame(10);
    EXPECT_EQ(Tracker().boardsize(), 10);
    Play(12);
    EXPECT_EQ(list.lines, ExpectedLines());
    EXPECT_EQ(list.lines[0], " 1.Yellow ..... D:5");  // 54
    EXPECT_EQ(list.lines[9].substr(0, 3), "10.");
    Tracker().GoToStart(game());
    while (Tracker().Redo(game(), false)) {
    }
    EXPECT_EQ(Tracker().current(), 12);
}

TEST_F(MatchRecordTest, WorksWithoutAList) {
    Tracker().SetMoveList(nullptr);
    list.calls.clear();
    const auto positions = Play(3);
    EXPECT_TRUE(Tracker().Undo(game()));
    EXPECT_TRUE(Tracker().Redo(game(), true));
    EXPECT_FALSE(Tracker().Redo(game(), false));
    EXPECT_TRUE(Tracker().GoToMove(game(), 1));
    Tracker().RebuildList();
    EXPECT_EQ(Tracker().count(), 1);
    EXPECT_TRUE(list.calls.empty());

    // Attaching a list shows the record as it stands.
    FakeMoveList other;
    Tracker().SetMoveList(&other);
    EXPECT_EQ(other.lines, ExpectedLines());
    EXPECT_EQ(other.selected, 1);
}

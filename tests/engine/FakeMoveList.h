// A move list that keeps its lines and selection like the window's list does
// and logs every call, so tests can see what the match record asked for.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "EngineUnit.h"
#include "MoveList.h"

namespace reversi::testing {

class FakeMoveList : public MoveListView {
public:
    std::vector<std::string> lines;
    int selected = -1;
    std::vector<std::string> calls;

    void RemoveAllLines() override {
        lines.clear();
        selected = -1;
        calls.push_back("clear");
    }
    void InsertLine(int index, const std::string& text) override {
        EXPECT_GE(index, 0);
        EXPECT_LE(index, static_cast<int>(lines.size()));
        lines.insert(lines.begin() + index, text);
        calls.push_back("insert " + std::to_string(index));
    }
    void SelectLine(int index) override {
        EXPECT_GE(index, 0);
        EXPECT_LT(index, static_cast<int>(lines.size()));
        selected = index;
        calls.push_back("select " + std::to_string(index));
    }
    void Repaint() override { calls.push_back("repaint"); }
    void ScrollToEnd() override { calls.push_back("scroll"); }
};

// A fixture base: StartGame replaces the fixture's game by a fresh one of the
// given size, with the fake list attached and its call log emptied.
struct TrackerFixture : ::testing::Test {
    FakeMoveList list;

    void StartGame(int size) {
        state_.emplace();
        SetSideNames(game(), "Yellow", "Green");
        game().BoardSize = size;
        NewGame(game());
        Tracker().SetMoveList(&list);
        list.calls.clear();
    }

    GameState& game() { return *state_; }
    OBoardTracker& Tracker() { return *game().Tracker; }

private:
    // Declared after the list: the record goes before the list it points to.
    std::optional<GameState> state_;
};

}  // namespace reversi::testing

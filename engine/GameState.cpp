#include "GameState.h"

#include "MatchRecord.h"
#include "Rules.h"
#include "SearchThread.h"

namespace reversi {

GameState::GameState() = default;
GameState::~GameState() = default;

namespace {
std::unique_ptr<GameState>& Instance() {
    static std::unique_ptr<GameState> state = std::make_unique<GameState>();
    return state;
}
}  // namespace

GameState& Game() { return *Instance(); }

void ResetGameState() { Instance() = std::make_unique<GameState>(); }

void SelectEngine() {
    auto& r = Game().Routines;
    if (Game().BoardSize == 8) {
        r = {InitBoards8, CanMove8, MakeMove8};
    } else {
        r = {InitBoards10, CanMove10, MakeMove10};
    }
}

void NewGame() {
    SelectEngine();
    InitBoards();
    NewBoardTracker();
    auto& g = Game();
    g.GameOver = false;
    g.SideToMove = 2;
    g.FirstMove = true;
    g.PracticeGame = false;
}

int OtherSide() { return Game().SideToMove == 3 ? 2 : 3; }

bool IsPlayersTurn() { return Game().ComputerSide == Game().SideToMove; }

void SetSideNames(const std::string& white, const std::string& black) {
    Game().WhiteName = white;
    Game().BlackName = black;
}

std::string GetWhiteName() { return Game().WhiteName; }
std::string GetBlackName() { return Game().BlackName; }

}  // namespace reversi

#include "GameState.h"

#include "MatchRecord.h"
#include "Rules.h"
#include "SearchThread.h"

namespace reversi {

GameState::GameState() : Tracker(std::make_unique<OBoardTracker>(BoardSize)) {}

GameState::~GameState() = default;

void SelectEngine(GameState& game) {
    if (game.BoardSize == 8) {
        game.Routines = {InitBoards8, CanMove8, MakeMove8};
    } else {
        game.Routines = {InitBoards10, CanMove10, MakeMove10};
    }
}

void NewGame(GameState& game) {
    SelectEngine(game);
    InitBoards(game);
    NewBoardTracker(game);
    game.GameOver = false;
    game.SideToMove = 2;
    game.FirstMove = true;
    game.PracticeGame = false;
}

int OtherSide(const GameState& game) { return game.SideToMove == 3 ? 2 : 3; }

bool IsPlayersTurn(const GameState& game) { return game.ComputerSide == game.SideToMove; }

void SetSideNames(GameState& game, const std::string& white, const std::string& black) {
    if (game.Tracker) game.Tracker->SetSideNames(white, black);
}

void InitBoards(GameState& game) { game.Routines.InitBoards(game.Boards); }

bool CanMove(const GameState& game, const tBoard& board, int square, int me, int opp) {
    return game.Routines.CanMove(board, square, me, opp);
}

void MakeMove(GameState& game, tBoard& board, int square, int me, int opp) {
    if (square != PassMove) game.FirstMove = false;
    game.Routines.MakeMove(board, square, me, opp);
}

}  // namespace reversi

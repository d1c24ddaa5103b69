// The game state that every part of the program reads and writes: one set of
// values, gathered in one object reached through Game().
#pragma once

#include <array>
#include <memory>
#include <string>

#include "Board.h"

namespace reversi {

class OBoardTracker;
class TMyThread;

// The rules of the current field size, bound by SelectEngine.
struct EngineRoutines {
    void (*InitBoards)() = nullptr;
    bool (*CanMove)(const tBoard& board, int square, int me, int opp) = nullptr;
    void (*MakeMove)(tBoard& board, int square, int me, int opp) = nullptr;
};

struct GameState {
    GameState();
    ~GameState();
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    // Boards[0] is the game position, the only board anything reads.
    // InitBoards puts the start position into 0 to 8 and clears 9 and 10;
    // the search works on its own copies (SearchContext), taken from
    // Boards[0] when it starts.
    std::array<tBoard, 11> Boards{};
    // BestMove[0] is the last search's answer: FinishSearch copies the
    // search's best moves here on the main thread.
    std::array<int, 11> BestMove{};

    bool GameOver = false;
    int SideToMove = 0;
    int ComputerSide = 0;
    bool VsComputer = false;
    bool NetworkGame = false;
    bool FirstMove = true;
    bool PracticeGame = false;
    int Depth = 1;
    bool BabyLevel = false;
    bool AdvancedEngine = false;
    int BoardSize = 8;
    std::string WhiteName;
    std::string BlackName;
    std::string GameTitle = "Zorel Reversi 4.00";
    // A search has been started by StartSearch and its answer not yet taken
    // by FinishSearch (SearchThread.h). Written only by the main thread; the
    // search thread has its own atomic flag (TMyThread::Running).
    bool ThreadRunning = false;
    // The search most recently started, owned here until FinishSearch joins
    // and releases it; destroying the game state stops and joins it.
    std::unique_ptr<TMyThread> SearchThread;

    std::unique_ptr<OBoardTracker> Tracker;
    EngineRoutines Routines;
};

// The one game state of the program.
GameState& Game();
// Puts every value back to its initial state (for tests and a fresh start).
void ResetGameState();

// Binds the routine set to the field size: 8 gives the 8 x 8 routines, any
// other value the 10 x 10 ones.
void SelectEngine();
// SelectEngine, InitBoards, a new empty match record, then white to move.
// Keeps level, engine, opponent, side and field size.
void NewGame();
// 2 when SideToMove is 3, otherwise 3.
int OtherSide();
// In a network game: the local player is to move.
bool IsPlayersTurn();
void SetSideNames(const std::string& white, const std::string& black);
std::string GetWhiteName();
std::string GetBlackName();

// Shorthands for the bound routines.
inline void InitBoards() { Game().Routines.InitBoards(); }
inline bool CanMove(const tBoard& b, int square, int me, int opp) {
    return Game().Routines.CanMove(b, square, me, opp);
}
inline void MakeMove(tBoard& b, int square, int me, int opp) {
    Game().Routines.MakeMove(b, square, me, opp);
}

}  // namespace reversi

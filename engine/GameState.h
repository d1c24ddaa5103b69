// The game being played, as one value: the position and the side to move,
// the game flags, the match record and the running search. Its owner (the
// game controller) hands it to the engine functions that work on it; the
// engine itself keeps no game of its own.
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
    void (*InitBoards)(std::array<tBoard, 11>& boards) = nullptr;
    bool (*CanMove)(const tBoard& board, int square, int me, int opp) = nullptr;
    void (*MakeMove)(tBoard& board, int square, int me, int opp) = nullptr;
};

struct GameState {
    // An empty match record for the 8 x 8 field, no routines bound yet.
    GameState();
    // Stops and joins a search still running.
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
    std::string GameTitle = "Zorel Reversi 4.00";
    // A search has been started by StartSearch and its answer not yet taken
    // by FinishSearch (SearchThread.h). Written only by the main thread; the
    // search thread has its own atomic flag (TMyThread::Running).
    bool ThreadRunning = false;
    // The search most recently started, owned here until FinishSearch joins
    // and releases it; destroying the game state stops and joins it.
    std::unique_ptr<TMyThread> SearchThread;

    // The match record; it also keeps the colour names of its move list.
    std::unique_ptr<OBoardTracker> Tracker;
    EngineRoutines Routines;
};

// Binds the routine set to the field size: 8 gives the 8 x 8 routines, any
// other value the 10 x 10 ones.
void SelectEngine(GameState& game);
// SelectEngine, InitBoards, a new empty match record, then white to move.
// Keeps level, engine, opponent, side, field size and the colour names.
void NewGame(GameState& game);
// 2 when SideToMove is 3, otherwise 3.
int OtherSide(const GameState& game);
// In a network game: the local player is to move.
bool IsPlayersTurn(const GameState& game);
// The colour names the move list shows (kept by the match record).
void SetSideNames(GameState& game, const std::string& white, const std::string& black);

// The bound routines. MakeMove also marks that the game's first move has been
// made (a pass does not count).
void InitBoards(GameState& game);
bool CanMove(const GameState& game, const tBoard& board, int square, int me, int opp);
void MakeMove(GameState& game, tBoard& board, int square, int me, int opp);

}  // namespace reversi

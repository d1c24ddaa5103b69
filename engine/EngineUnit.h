// The game engine: board, rules, game state, search and match record.
// Standard C++ only; the window, graphics and network code build on it.
#pragma once

#include "Board.h"
#include "BoardText.h"
#include "Evaluation.h"
#include "GameState.h"
#include "MatchRecord.h"
#include "MoveList.h"
#include "Rules.h"
#include "SavedGame.h"
#include "Search.h"
#include "SearchThread.h"
#include "TurnAccounting.h"

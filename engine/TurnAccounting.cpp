#include "TurnAccounting.h"

#include "GameState.h"
#include "Rules.h"

namespace reversi {

namespace {
bool CanPlay(const tBoard& board, int boardSize, int square, Side side) {
    const int me = ToCell(side);
    return boardSize == 8 ? CanMove8(board, square, me, Opponent(me))
                          : CanMove10(board, square, me, Opponent(me));
}
}  // namespace

PositionCounts CountPosition(const tBoard& board, int boardSize) {
    PositionCounts c;
    for (int x = 0; x < boardSize; ++x)
        for (int y = 0; y < boardSize; ++y) {
            const int sq = SquareIndex(x, y, boardSize);
            if (board[static_cast<std::size_t>(sq)] == CellWhite) ++c.white;
            if (board[static_cast<std::size_t>(sq)] == CellBlack) ++c.black;
            if (!c.whiteCanMove) c.whiteCanMove = CanPlay(board, boardSize, sq, Side::White);
            if (!c.blackCanMove) c.blackCanMove = CanPlay(board, boardSize, sq, Side::Black);
        }
    return c;
}

TurnOutcome AccountTurn(const tBoard& board, int boardSize, Side justMoved) {
    TurnOutcome out;
    out.counts = CountPosition(board, boardSize);
    const PositionCounts& c = out.counts;
    out.toMove = Opponent(justMoved);
    if (!c.whiteCanMove && !c.blackCanMove) {
        out.event = TurnEvent::GameOver;
        if (c.white == c.black) {
            out.message = GameMessageKind::Tie;
        } else if (c.black > c.white) {
            out.message = GameMessageKind::BlackWins;
            out.first = c.black;
            out.second = c.white;
        } else {
            out.message = GameMessageKind::WhiteWins;
            out.first = c.white;
            out.second = c.black;
        }
        return out;
    }
    const bool canMove = out.toMove == Side::White ? c.whiteCanMove : c.blackCanMove;
    if (!canMove) {
        // One pass at most: the colour passed back to always has a move.
        out.event = TurnEvent::Pass;
        out.message =
            out.toMove == Side::White ? GameMessageKind::WhitePasses : GameMessageKind::BlackPasses;
        out.toMove = justMoved;
    }
    return out;
}

PlayerResult ResultForPlayer(const PositionCounts& counts, Side computer) {
    const int mine = computer == Side::White ? counts.white : counts.black;
    const int theirs = computer == Side::White ? counts.black : counts.white;
    if (mine == theirs) return PlayerResult::Tie;
    return mine > theirs ? PlayerResult::ComputerWon : PlayerResult::PlayerWon;
}

std::optional<PlayerResult> CountedResult(const GameState& game, const PositionCounts& counts) {
    if (!game.GameOver || !game.VsComputer || game.PracticeGame || game.NetworkGame) {
        return std::nullopt;
    }
    return ResultForPlayer(counts, SideOf(game.ComputerSide));
}

TurnOutcome AdvanceTurn(GameState& game) {
    const TurnOutcome out = AccountTurn(game.Boards[0], game.BoardSize, SideOf(game.SideToMove));
    game.SideToMove = ToCell(out.toMove);
    if (out.event == TurnEvent::GameOver) game.GameOver = true;
    return out;
}

PositionStatus DescribePosition(const tBoard& board, int boardSize) {
    PositionStatus s;
    s.counts = CountPosition(board, boardSize);
    s.gameOver = !s.counts.whiteCanMove && !s.counts.blackCanMove;
    return s;
}

PositionStatus SettleShownPosition(GameState& game) {
    const PositionStatus s = DescribePosition(game.Boards[0], game.BoardSize);
    game.GameOver = s.gameOver;
    if (s.gameOver) return s;
    if (!s.counts.whiteCanMove && game.SideToMove == CellWhite) game.SideToMove = CellBlack;
    if (!s.counts.blackCanMove && game.SideToMove == CellBlack) game.SideToMove = CellWhite;
    return s;
}

tBoard LegalSquareMarks(const tBoard& board, int boardSize, Side side) {
    tBoard marks{};
    for (int x = 0; x < boardSize; ++x)
        for (int y = 0; y < boardSize; ++y) {
            const int sq = SquareIndex(x, y, boardSize);
            if (CanPlay(board, boardSize, sq, side)) marks[static_cast<std::size_t>(sq)] = 1;
        }
    return marks;
}

}  // namespace reversi

// The three animations of the board, driven by one 40 ms tick:
//   - the move animation: the placed disc and the captured discs turning
//     over, 15 frames (sheet columns 0 to 14);
//   - the cursor animation: the flaming cursor burns (the classic one is
//     simply kept on screen);
//   - the help animation, started by a right click: 40 frames of marks on
//     the squares where the side to move may play and on the squares the
//     last move changed (the old disc fading in and out under a shrinking
//     frame).
// Each step composes only the squares concerned in the back buffer and
// presents them one by one, with the cursor drawn on top and taken off
// again. At most one of the move and help animations runs at a time; the
// cursor animation pauses while either of them runs.
//
// Typical use by the main window (the painter shows the game's position):
//   animations.SaveOldBoard();  make the move on the position;
//   animations.StartMoveAnimation();
//   every 40 ms: animations.Tick();
#pragma once

#include <array>
#include <functional>

#include "Board.h"
#include "BoardPainter.h"

namespace reversi::graphics {

// Kinds of square change in a move animation (values of animmap).
enum MoveAnimationKind : int {
    AnimNone = 0,
    AnimEmptyToWhite = 1,
    AnimEmptyToBlack = 2,
    AnimBlackToWhite = 3,
    AnimWhiteToBlack = 4,
};

// Marks of the help animation (values of WhereCanMove).
enum HelpMark : std::uint8_t {
    MarkNone = 0,
    MarkAvailable = 1,  // the side to move may play here
    MarkPrevious = 2,   // the last move changed this square
};

inline constexpr int HelpFrames = 40;

// Fade of the previous position's disc over the help frames: how much of it
// shows (255 = all of it), rising, holding at frames 17 to 22, and falling.
inline constexpr std::array<int, HelpFrames> PrevMoveBlendTable{
    0,   8,   16,  32,  48,  64,  80,  96,  112, 128, 144, 160, 176, 192,
    208, 224, 240, 255, 255, 255, 255, 255, 255, 240, 224, 208, 192, 176,
    160, 144, 128, 112, 96,  80,  64,  48,  32,  16,  8,   0};

// The square a move animation shows for a change from old to new cell
// code, or AnimNone when the square did not change that way.
int MoveAnimationKindFor(int oldCell, int newCell);

// The switches that change what the animations show.
struct AnimationOptions {
    bool animationOn = true;         // moves turn over; otherwise they appear at once
    bool showAvailableMoves = true;  // the help marks the legal squares
    bool showPreviousMove = true;    // the help marks the squares the last move changed
};

class BoardAnimations {
public:
    explicit BoardAnimations(BoardPainter& painter, std::function<bool()> browsing = {},
                             std::function<void()> moveAnimationStarted = {});

    // The tick (every 40 ms on the main thread): the move step, the cursor
    // step and the help step, each while its flag is set; each flag is read
    // just before its step, so an animation ending in this tick lets the
    // cursor step run in the same tick.
    void Tick();

    void SetOptions(const AnimationOptions& options) { options_ = options; }
    const AnimationOptions& Options() const { return options_; }

    // Just before a move is made on the position shown: takes the help marks
    // off and keeps the position the move starts from.
    void SaveOldBoard();
    // Right after the move was made: with animation on, animates every square
    // that changed and pauses the cursor animation; with animation off does
    // nothing (the caller redraws the board). True when an animation started.
    bool StartMoveAnimation();
    void StopMoveAnimation();
    // Takes running help marks off the board (each marked square redrawn
    // plain) and resumes the cursor animation. The marks themselves stay.
    void ClearHelpMarks();
    // The right click: unless refused (browsing, an animation running),
    // marks the legal squares (non-zero in legalSquares, by square index) and
    // the squares the last move changed and, when there is at least one
    // mark, starts the help animation. True when it started. The caller
    // refuses it while the computer thinks or the peer is to move.
    bool StartHelpAnimation(const tBoard& legalSquares);

    void MoveAnimationStep();
    void CursorAnimationStep();
    void HelpAnimationStep();
    // One square of the help animation; true when it was the cursor square.
    bool DrawAvailableMoveMark(int x, int y, int column);
    bool DrawPreviousMoveMark(int x, int y, int level);

    // Browsing an earlier position: no animation draws meanwhile. The window
    // hands its browsing flag over through this.
    std::function<bool()> Browsing;
    // Called when a move animation starts: the window's mouse pointer becomes
    // the default arrow.
    std::function<void()> MoveAnimationStarted;

    // Animation kind of each square of the running move animation.
    std::array<int, 144> animmap{};
    // The position before the last move.
    tBoard oldbrd{};
    // Help marks by square index.
    tBoard WhereCanMove{};
    int CurrentAnimFrame = 0;
    int HelpMoveAnimFrame = 0;
    bool MoveAnimationEnabled = false;
    bool CursorAnimationEnabled = false;
    bool HelpAnimationEnabled = false;
    // oldbrd does not describe the last move: no previous-move marks.
    bool HelpMoveNoMoves1st = true;

private:
    bool IsBrowsing() const { return Browsing && Browsing(); }
    // Presents square (x, y), whose new picture is in the back buffer, with
    // the cursor on top when it is the cursor square; true in that case.
    bool SquareStep(int x, int y);

    BoardPainter& painter_;
    AnimationOptions options_;
};

}  // namespace reversi::graphics

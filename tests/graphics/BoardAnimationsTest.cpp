// The move, cursor and help animations, watched through a presenter that
// records every square put on screen and the colour it showed.
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "BoardAnimations.h"
#include "EngineUnit.h"
#include "RecordingPresenter.h"
#include "TestPictures.h"

namespace reversi::graphics {
namespace {

using test::CellColour;
using test::CellSheet;

struct Shown {
    ScreenRect rect;
    Pixel centre;  // the square's centre pixel as presented
    Pixel corner;  // its lower-left pixel, outside every help frame
    Pixel probe;   // the pixel the test asked to watch, or 0
};

// The shared recording presenter, also noting what each presented square
// showed at the moment it was presented.
class RecordingPresenter : public test::RecordingPresenter {
public:
    void PresentRect(const TMemBlock& back, ScreenRect rect) override {
        test::RecordingPresenter::PresentRect(back, rect);
        const int cx = rect.left + rect.width / 2;
        const int cy = back.Height() - 1 - (rect.top + rect.height / 2);
        Pixel probe = 0;
        if (probeX >= rect.left && probeX < rect.left + rect.width && probeY >= 0 &&
            back.Height() - 1 - probeY >= rect.top &&
            back.Height() - 1 - probeY < rect.top + rect.height)
            probe = back.At(probeX, probeY);
        const Pixel corner = back.At(rect.left, back.Height() - rect.top - rect.height);
        shown.push_back({rect, back.At(cx, cy), corner, probe});
    }
    std::vector<Shown> Take() { return std::exchange(shown, {}); }

    std::vector<Shown> shown;
    // A buffer pixel (column, row from the bottom) sampled when its square is shown.
    int probeX = -1, probeY = -1;
};

class BoardAnimationsTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override { Prepare(8); }

    // A fresh game of size n, drawn.
    void Prepare(int n) {
        state_.emplace();
        game().BoardSize = n;
        animations.SetOptions({});
        NewGame(game());
        painter.SetPresenter(&presenter);
        painter.SetPosition(&game().Boards[0]);
        const int s = SquareSizeFor(n);
        auto& p = painter.Pictures();
        p.FigureImage = CellSheet(FigureSheetColumns, FigureSheetRows, s);
        p.HelpImage = CellSheet(HelpSheetColumns, HelpSheetRows, s);
        p.LineHImage = TMemBlock(LineHWidth, LineHHeight);
        p.LineVImage = TMemBlock(LineVWidth, LineVHeight);
        painter.CreateBackBuffer(n);
        painter.DrawBoard();
        painter.PresentBuffer();
        animations.CursorAnimationEnabled = true;
    }

    // The legal squares of the side to move.
    tBoard Legal() {
        const auto& g = game();
        return LegalSquareMarks(g.Boards[0], g.BoardSize, SideOf(g.SideToMove));
    }

    // Plays square sq for the side to move the way the game does.
    void Play(int sq) {
        auto& g = game();
        animations.SaveOldBoard();
        g.Tracker->AddMove(g, sq, g.SideToMove, OtherSide(g));
        g.Boards[0][sq] = static_cast<std::uint8_t>(g.SideToMove);
        MakeMove(g, g.Boards[0], sq, g.SideToMove, OtherSide(g));
        g.SideToMove = OtherSide(g);
    }

    ScreenRect RectOf(int x, int y) const {
        const auto geo = painter.Geometry();
        return {geo.SquareLeft(x), geo.SquareTop(y), geo.S, geo.S};
    }
    // Colour of sheet cell (row pair base, column) on square (x, y).
    static Pixel Cell(int x, int y, int rowBase, int column) {
        return CellColour(column, rowBase + (x + y) % 2);
    }
    std::set<std::pair<int, int>> SquaresShown(const std::vector<Shown>& shown) const {
        std::set<std::pair<int, int>> squares;
        const auto geo = painter.Geometry();
        for (const auto& s : shown)
            squares.insert({(s.rect.left - 20) / geo.S, (s.rect.top - 20) / geo.S});
        return squares;
    }
    TMemBlock FreshBoard() {
        BoardPainter fresh;
        fresh.SetPosition(&game().Boards[0]);
        fresh.Pictures() = painter.Pictures();
        fresh.CreateBackBuffer(painter.Geometry().N);
        fresh.DrawBoard();
        return fresh.BackBuffer();
    }

    GameState& game() { return *state_; }

    // First, so that the position outlives the painter showing it.
    std::optional<GameState> state_;
    RecordingPresenter presenter;
    BoardPainter painter;
    BoardAnimations animations{painter};
};

TEST(MoveAnimationKind, EachChangeHasItsKind) {
    struct Case {
        int before, after, kind;
    };
    const Case cases[] = {
        {CellEmpty, CellWhite, AnimEmptyToWhite}, {CellEmpty, CellBlack, AnimEmptyToBlack},
        {CellBlack, CellWhite, AnimBlackToWhite}, {CellWhite, CellBlack, AnimWhiteToBlack},
        {CellWhite, CellWhite, AnimNone},         {CellEmpty, CellEmpty, AnimNone},
        {CellOutside, CellOutside, AnimNone},
    };
    for (const auto& c : cases) EXPECT_EQ(MoveAnimationKindFor(c.before, c.after), c.kind);
}

TEST_F(BoardAnimationsTest, MoveFlippingThreeDiscsAnimatesFourSquaresInFifteenTicks) {
    // White at D5 (x 3, y 3) flanks three black discs in a row to its right;
    // white plays the empty square beyond them.
    auto& b = game().Boards[0];
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) b[SquareIndex(x, y, 8)] = CellEmpty;
    b[SquareIndex(1, 3, 8)] = CellWhite;
    for (int x = 2; x <= 4; ++x) b[SquareIndex(x, 3, 8)] = CellBlack;
    game().SideToMove = CellWhite;
    painter.DrawBoard();
    painter.NewPosX = painter.OldPosX = 0;  // cursor away from the move
    painter.NewPosY = painter.OldPosY = 0;
    Play(SquareIndex(5, 3, 8));

    ASSERT_TRUE(animations.StartMoveAnimation());
    EXPECT_FALSE(animations.CursorAnimationEnabled);
    EXPECT_EQ(animations.animmap[SquareIndex(5, 3, 8)], AnimEmptyToWhite);
    for (int x = 2; x <= 4; ++x)
        EXPECT_EQ(animations.animmap[SquareIndex(x, 3, 8)], AnimBlackToWhite);
    int marked = 0;
    for (int k : animations.animmap) marked += k != AnimNone;
    EXPECT_EQ(marked, 4);

    presenter.Take();
    int ticks = 0;
    while (animations.MoveAnimationEnabled && ticks < 100) {
        animations.Tick();
        const auto shown = presenter.Take();
        // Four animated squares, then the cursor square (no cursor among
        // them); the last tick also runs the resumed cursor step.
        ASSERT_EQ(shown.size(), ticks == 14 ? 6U : 5U) << "tick " << ticks;
        const std::set<std::pair<int, int>> expected{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {0, 0}};
        EXPECT_EQ(SquaresShown(shown), expected);
        // The placed square shows column `tick` of the white placing row; the
        // flipped ones the black-to-white row until the last frame.
        for (const auto& s : shown) {
            if (s.rect == RectOf(5, 3)) {
                EXPECT_EQ(s.centre, Cell(5, 3, 6, ticks));
            }
            if (s.rect == RectOf(3, 3)) {
                EXPECT_EQ(s.centre, Cell(3, 3, ticks == 14 ? 6 : 2, ticks)) << "tick " << ticks;
            }
        }
        ++ticks;
    }
    EXPECT_EQ(ticks, 15);
    EXPECT_TRUE(animations.CursorAnimationEnabled);
    // The last frame leaves the back buffer as the board at rest.
    EXPECT_TRUE(painter.BackBuffer() == FreshBoard());
}

TEST_F(BoardAnimationsTest, WhiteTurnedBlackEndsOnTheBlackDisc) {
    Play(53);  // white E6
    animations.StopMoveAnimation();
    painter.DrawBoard();
    Play(43);  // black D6 flips D5 (x 3, y 3)
    ASSERT_TRUE(animations.StartMoveAnimation());
    EXPECT_EQ(animations.animmap[43], AnimEmptyToBlack);
    EXPECT_EQ(animations.animmap[44], AnimWhiteToBlack);
    for (int i = 0; i < 15; ++i) animations.Tick();
    EXPECT_FALSE(animations.MoveAnimationEnabled);
    EXPECT_TRUE(painter.BackBuffer() == FreshBoard());
}

TEST_F(BoardAnimationsTest, CursorOnAnAnimatedSquareIsDrawnWithIt) {
    Play(53);
    painter.NewPosX = SquareColumn(53, 8);
    painter.NewPosY = SquareRow(53, 8);
    ASSERT_TRUE(animations.StartMoveAnimation());
    presenter.Take();
    animations.Tick();
    const auto shown = presenter.Take();
    // Two animated squares, and the square the cursor left; no extra cursor present.
    EXPECT_EQ(SquaresShown(shown).size(), 3U);
    EXPECT_EQ(painter.OldPosX, painter.NewPosX);
    // The cursor never stays in the back buffer.
    for (int i = 0; i < 14; ++i) animations.Tick();
    EXPECT_TRUE(painter.BackBuffer() == FreshBoard());
}

TEST_F(BoardAnimationsTest, AnimationOffStartsNothing) {
    animations.SetOptions({.animationOn = false});
    Play(53);
    EXPECT_FALSE(animations.StartMoveAnimation());
    EXPECT_FALSE(animations.MoveAnimationEnabled);
    EXPECT_TRUE(animations.CursorAnimationEnabled);
}

TEST_F(BoardAnimationsTest, BrowsingStopsTheMoveAnimationWithoutDrawing) {
    bool browsing = false;
    animations.Browsing = [&] { return browsing; };
    Play(53);
    ASSERT_TRUE(animations.StartMoveAnimation());
    animations.Tick();
    browsing = true;
    presenter.Take();
    animations.Tick();
    EXPECT_FALSE(animations.MoveAnimationEnabled);
    EXPECT_TRUE(animations.CursorAnimationEnabled);
    EXPECT_TRUE(presenter.Take().empty());
}

TEST_F(BoardAnimationsTest, StartingAMoveAnimationResetsThePointer) {
    int resets = 0;
    animations.MoveAnimationStarted = [&] { ++resets; };
    Play(53);
    animations.StartMoveAnimation();
    EXPECT_EQ(resets, 1);
}

TEST_F(BoardAnimationsTest, HelpMarksLegalAndChangedSquaresForFortyTicks) {
    Play(53);  // white E6 flips E5; black to move
    animations.StopMoveAnimation();
    painter.DrawBoard();
    ASSERT_TRUE(animations.StartHelpAnimation(Legal()));
    EXPECT_FALSE(animations.CursorAnimationEnabled);
    // Black's legal squares D6, F6, F4 and white's changed squares E6, E5.
    for (int sq : {43, 63, 65}) EXPECT_EQ(animations.WhereCanMove[sq], MarkAvailable) << sq;
    for (int sq : {53, 54}) EXPECT_EQ(animations.WhereCanMove[sq], MarkPrevious) << sq;
    int marks = 0;
    for (int m : animations.WhereCanMove) marks += m != MarkNone;
    EXPECT_EQ(marks, 5);

    // Watch the corner where the shrinking frame of E5 (x 4, y 3) starts.
    const auto geo = painter.Geometry();
    const int left = geo.SquareLeft(4), bottom = geo.SquareBottom(3);
    presenter.Take();
    const Pixel whiteRest = Cell(4, 3, 6, 14);
    const Pixel blackRest = Cell(4, 3, 4, 14);
    for (int f = 0; f < HelpFrames; ++f) {
        presenter.probeX = left + 1 + f;
        presenter.probeY = bottom + f;
        ASSERT_TRUE(animations.HelpAnimationEnabled) << f;
        animations.Tick();
        const auto shown = presenter.Take();
        // Five marks and the cursor; the last frame also takes the marks off.
        if (f < HelpFrames - 1) {
            EXPECT_EQ(shown.size(), 6U) << f;
        }
        std::set<std::pair<int, int>> seen;
        for (const auto& s : shown) {
            if (!seen.insert({s.rect.left, s.rect.top}).second) continue;
            if (s.rect == RectOf(3, 2)) {
                EXPECT_EQ(s.centre, CellColour(f, 1)) << f;  // D6, odd
            }
            if (s.rect == RectOf(4, 3)) {
                // E5 was black and is white now: the black disc fades in and out.
                if (f >= 17 && f <= 22) {
                    EXPECT_EQ(s.centre, blackRest) << f;
                }
                if (f == 0 || f == 39) {
                    EXPECT_EQ(s.centre, MakePixel(RedOf(whiteRest) - 1, GreenOf(whiteRest) - 1,
                                                  BlueOf(whiteRest) - 1))
                        << f;
                }
                // The frame is drawn while f < S / 2.
                EXPECT_EQ(s.probe != s.corner, f < geo.S / 2) << f;
            }
        }
    }
    EXPECT_FALSE(animations.HelpAnimationEnabled);
    EXPECT_TRUE(animations.CursorAnimationEnabled);
    // The marks were taken off the board.
    EXPECT_TRUE(painter.BackBuffer() == FreshBoard());
}

TEST_F(BoardAnimationsTest, ShrinkingFrameLastsTwentyFourFramesOnTheLargeField) {
    Prepare(10);
    const int sq = 54;  // white's opening square on 10 x 10
    Play(sq);
    animations.StopMoveAnimation();
    painter.DrawBoard();
    ASSERT_TRUE(animations.StartHelpAnimation(Legal()));
    const int x = SquareColumn(sq, 10), y = SquareRow(sq, 10);
    const auto geo = painter.Geometry();
    int framed = 0;
    for (int f = 0; f < HelpFrames; ++f) {
        presenter.probeX = geo.SquareLeft(x) + 1 + f;
        presenter.probeY = geo.SquareBottom(y) + f;
        animations.Tick();
        for (const auto& s : presenter.Take())
            if (s.rect == RectOf(x, y) && s.probe != s.corner) {
                ++framed;
                break;
            }
    }
    EXPECT_EQ(framed, 24);
}

TEST_F(BoardAnimationsTest, HelpWithBothMarkKindsHiddenStillRunsFortyTicks) {
    animations.SetOptions({.showAvailableMoves = false, .showPreviousMove = false});
    ASSERT_TRUE(animations.StartHelpAnimation(Legal()));
    presenter.Take();
    int ticks = 0;
    while (animations.HelpAnimationEnabled && ticks < 100) {
        animations.Tick();
        const auto shown = presenter.Take();
        if (animations.HelpAnimationEnabled) {
            EXPECT_EQ(shown.size(), 1U);  // the cursor square only
        }
        ++ticks;
    }
    EXPECT_EQ(ticks, 40);
}

TEST_F(BoardAnimationsTest, HelpStartsNothingWithoutMarksOrWhenRefused) {
    // No legal square for the side to move and no last move: nothing starts.
    auto& b = game().Boards[0];
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) b[SquareIndex(x, y, 8)] = CellWhite;
    game().SideToMove = CellBlack;
    EXPECT_FALSE(animations.StartHelpAnimation(Legal()));
    EXPECT_TRUE(animations.CursorAnimationEnabled);

    NewGame(game());

    animations.Browsing = [] { return true; };
    EXPECT_FALSE(animations.StartHelpAnimation(Legal()));
    animations.Browsing = nullptr;

    Play(53);
    animations.StartMoveAnimation();
    EXPECT_FALSE(animations.StartHelpAnimation(Legal()));
    animations.StopMoveAnimation();

    EXPECT_TRUE(animations.StartHelpAnimation(Legal()));
}

TEST_F(BoardAnimationsTest, SavingTheOldBoardTakesHelpMarksOff) {
    ASSERT_TRUE(animations.StartHelpAnimation(Legal()));
    animations.Tick();
    animations.SaveOldBoard();
    EXPECT_FALSE(animations.HelpAnimationEnabled);
    EXPECT_TRUE(animations.CursorAnimationEnabled);
    EXPECT_FALSE(animations.HelpMoveNoMoves1st);
    EXPECT_TRUE(painter.BackBuffer() == FreshBoard());
}

TEST_F(BoardAnimationsTest, CursorStepPresentsTheCursorSquareUnlessBrowsing) {
    presenter.Take();
    animations.Tick();
    EXPECT_EQ(presenter.Take().size(), 1U);
    animations.Browsing = [] { return true; };
    animations.Tick();
    EXPECT_TRUE(presenter.Take().empty());
}

}  // namespace
}  // namespace reversi::graphics

// A game whose last move ends it (or makes the other colour pass) while
// another game takes the board during that move's animation: a new game (the
// menu item and F2), an opened match, a dropped match, a settings change that
// restarts. The game's message shows over its own finished board, the game
// is counted once, and nothing of it appears over the game that follows.
#include <algorithm>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "FinalUnit.h"
#include <QPushButton>

#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "TimerBarrier.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using platform::TSoundEffect;
using test::Child;
using test::PlayingWindow;
using test::WaitUntil;

constexpr int Deadline = 5000;

struct Snapshot {
    tBoard board{};
    int side = 0;
    int count = 0;
    bool over = false;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TReversiForm& form) {
    const auto& g = test::GameOf(form);
    return {g.Boards[0], g.SideToMove, g.Tracker->count(), g.GameOver};
}

// The board widget shows exactly the position at rest.
bool ScreenShowsPosition(const TReversiForm& form) {
    graphics::BoardPainter fresh;
    fresh.SetPosition(&test::GameOf(form).Boards[0]);
    fresh.Pictures() = form.Painter().Pictures();
    fresh.CreateBackBuffer(test::GameOf(form).BoardSize);
    fresh.DrawBoard();
    return fresh.BackBuffer() == form.Painter().BackBuffer();
}

// A game against the computer (black) with animation on, whose player
// (white) is one move from an end, and a saved match to open or drop.
class LastFlip : public testing::Test {
public:
    void SetUp() override {
        window = std::make_unique<PlayingWindow>(test::GameSetup{.animation = true});
        form = window->form.get();
        // The program's own pace: the last move turns over for 600 ms.
        form->SetAnimationInterval(40);
        QObject::connect(form, &TReversiForm::gameResultRecorded,
                         [this](PlayerResult r) { results.push_back(r); });
        // A match of two moves, saved to be opened or dropped later.
        window->ClickSquare(4, 2);
        ASSERT_TRUE(WaitUntil([&] { return !form->Animations().MoveAnimationEnabled; }, Deadline));
        ASSERT_TRUE(dir.isValid());
        matchFile = dir.filePath(QStringLiteral("saved.kzv"));
        window->messages->chosenFile = matchFile;
        Child<QAction>(*form, "ListMenuSave")->trigger();
        saved = Take(*form);
        ASSERT_EQ(saved.count, 2);
        // Every message records whether it came over the game it is about.
        window->messages->onFinal = [this] {
            shownOverOwnGame.push_back(Take(*form) == finished && ScreenShowsPosition(*form) &&
                                       !form->Animations().MoveAnimationEnabled);
        };
    }

    // Puts `board` on the window with white, the player, to move.
    void SetPosition(const tBoard& board) {
        auto& g = Game();
        g.Boards[0] = board;
        g.SideToMove = CellWhite;
        g.GameOver = false;
        g.FirstMove = false;
        form->DrawBoard();
    }

    // White's move on H1 fills the field: the player wins 64 : 0.
    void SetUpWinningMove() {
        tBoard b = Game().Boards[0];
        test::PutWhiteOneMoveFromAFullField(b);
        SetPosition(b);
        lastMove = {7, 7};
        finished = Expected(b, SquareIndex(7, 7, 8), true);
    }

    // The position and record once white has played `square` on `board`.
    Snapshot Expected(tBoard board, int square, bool over) const {
        test::PlayOn(8, board, square, CellWhite, CellBlack);
        return {board, over ? CellBlack : CellWhite, Game().Tracker->count() + 1, over};
    }

    // Clicks the last move and runs `replace` once, while that move still
    // turns over and its message waits; then lets every event settle.
    void PlayLastMoveAndReplace(const std::function<void()>& replace,
                                const std::function<bool()>& replaced) {
        bool fired = false;
        QTimer probe;
        probe.setInterval(1);
        QObject::connect(&probe, &QTimer::timeout, form, [&] {
            if (fired || !form->Animations().MoveAnimationEnabled || Take(*form) != finished)
                return;
            fired = true;
            probe.stop();
            replace();
        });
        probe.start();
        window->ClickSquare(lastMove.first, lastMove.second);
        ASSERT_TRUE(fired) << "the last move's animation was over before the replacement";
        ASSERT_TRUE(WaitUntil(replaced, Deadline)) << "the new game did not take the board";
        ASSERT_TRUE(WaitUntil([&] { return !form->Animations().MoveAnimationEnabled; }, Deadline));
        // Anything still queued for the old game, or due on the animation
        // timer's next ticks, would show by now.
        ASSERT_TRUE(test::PostedEventsHandled());
        ASSERT_TRUE(test::FreshTimerTicked(40)) << "no barrier timer ticked";
    }

    int Sounds(TSoundEffect effect) const {
        return static_cast<int>(std::count(window->sounds.begin(), window->sounds.end(), effect));
    }

    std::unique_ptr<PlayingWindow> window;
    // The game on the window's board.
    GameState& Game() const { return test::GameOf(*form); }

    TReversiForm* form = nullptr;
    QTemporaryDir dir;
    QString matchFile;
    Snapshot saved;
    Snapshot finished;
    std::pair<int, int> lastMove;
    std::vector<PlayerResult> results;
    std::vector<bool> shownOverOwnGame;
};

void Drop(TReversiForm& form, const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &dropped);
}

// Each way another game takes the board, and how to know it has.
struct Replacement {
    const char* name;
    std::function<void(LastFlip&)> replace;
    std::function<bool(const LastFlip&)> replaced;
};

void PrintTo(const Replacement& row, std::ostream* os) { *os << row.name; }

bool FreshGame(const LastFlip& t) {
    const auto& g = t.Game();
    return g.Tracker->count() == 0 && g.SideToMove == CellWhite && !g.GameOver;
}

const Replacement Replacements[] = {
    {"NewGameItem", [](LastFlip& t) { Child<QAction>(*t.form, "NewGameItem")->trigger(); },
     [](const LastFlip& t) { return FreshGame(t); }},
    {"F2", [](LastFlip& t) { QTest::keyClick(t.form, Qt::Key_F2); },
     [](const LastFlip& t) { return FreshGame(t); }},
    {"Open",
     [](LastFlip& t) {
         t.window->messages->chosenFile = t.matchFile;
         Child<QAction>(*t.form, "ListMenuLoad")->trigger();
     },
     [](const LastFlip& t) { return Take(*t.form) == t.saved; }},
    {"Drop", [](LastFlip& t) { Drop(*t.form, t.matchFile); },
     [](const LastFlip& t) { return Take(*t.form) == t.saved; }},
    // The player takes black: a new game, which the computer opens.
    {"SettingsRestart",
     [](LastFlip& t) {
         t.window->messages->onEditSettings = [](TSideDlg& d) {
             Child<QRadioButton>(d, "RadioButton4")->setChecked(true);
             return true;
         };
         Child<QAction>(*t.form, "OptionsItem")->trigger();
     },
     [](const LastFlip& t) {
         const auto& g = t.Game();
         return g.ComputerSide == CellWhite && g.Tracker->count() == 1 &&
                g.Tracker->moves()[0].dest == 53 && g.SideToMove == CellBlack;
     }},
};

class GameEndDuringLastFlip : public LastFlip, public testing::WithParamInterface<Replacement> {};

TEST_P(GameEndDuringLastFlip, ShowsItsResultFirstAndCountsItOnce) {
    ASSERT_NO_FATAL_FAILURE(SetUpWinningMove());
    const Replacement& row = GetParam();
    const TStatisticsRecord before = window->messages->statistics.empty()
                                         ? TStatisticsRecord{}
                                         : window->messages->statistics.back();
    ASSERT_NO_FATAL_FAILURE(
        PlayLastMoveAndReplace([&] { row.replace(*this); }, [&] { return row.replaced(*this); }));
    ASSERT_EQ(window->messages->finals, QStringList{QStringLiteral("Yellow won 64 : 0")})
        << "one result, and none over the new game";
    EXPECT_EQ(shownOverOwnGame, std::vector<bool>{true}) << "the result came over another board";
    EXPECT_EQ(Sounds(TSoundEffect::endgame), 1);
    EXPECT_EQ(results, std::vector<PlayerResult>{PlayerResult::PlayerWon});
    // The statistics window opened once, on the finished game's entry.
    ASSERT_EQ(window->messages->statistics.size(), 1U);
    EXPECT_EQ(window->messages->statistics[0].Games, before.Games + 1);
    EXPECT_EQ(window->messages->statistics[0].Wins, before.Wins + 1);
    EXPECT_TRUE(row.replaced(*this)) << "the new game stays on the board";
    EXPECT_TRUE(ScreenShowsPosition(*form));
}

INSTANTIATE_TEST_SUITE_P(EveryWayIn, GameEndDuringLastFlip, testing::ValuesIn(Replacements),
                         [](const testing::TestParamInfo<Replacement>& row) {
                             return std::string(row.param.name);
                         });

// A position of a random game, white to move, and a white move after which
// black must pass while the game goes on.
std::pair<tBoard, int> FindMoveThatMakesBlackPass() {
    std::mt19937 rng(11);
    const tBoard start = [] {
        GameState game;
        NewGame(game);
        return game.Boards[0];
    }();
    for (int game = 0; game < 2000; ++game) {
        tBoard b = start;
        int side = CellWhite;
        for (int ply = 0; ply < 80; ++ply) {
            std::vector<int> legal;
            for (int sq = 0; sq < 144; ++sq)
                if (IsPlayingSquare(sq, 8) && CanMove8(b, sq, side, 5 - side)) legal.push_back(sq);
            if (legal.empty()) break;
            if (side == CellWhite)
                for (int m : legal) {
                    tBoard after = b;
                    test::PlayOn(8, after, m, CellWhite, CellBlack);
                    const PositionCounts c = CountPosition(after, 8);
                    if (!c.blackCanMove && c.whiteCanMove) return {b, m};
                }
            const int m = legal[rng() % legal.size()];
            test::PlayOn(8, b, m, side, 5 - side);
            side = 5 - side;
        }
    }
    return {start, PassMove};
}

TEST_F(LastFlip, APassShowsOverItsOwnGameBeforeANewGame) {
    auto [board, move] = FindMoveThatMakesBlackPass();
    ASSERT_NE(move, PassMove);
    SetPosition(board);
    lastMove = {SquareColumn(move, 8), SquareRow(move, 8)};
    finished = Expected(board, move, false);
    ASSERT_NO_FATAL_FAILURE(
        PlayLastMoveAndReplace([&] { Child<QAction>(*form, "NewGameItem")->trigger(); },
                               [this] { return FreshGame(*this); }));
    ASSERT_EQ(window->messages->finals, QStringList{QStringLiteral("Green pass")});
    EXPECT_EQ(shownOverOwnGame, std::vector<bool>{true}) << "the pass came over another board";
    EXPECT_EQ(Sounds(TSoundEffect::endgame), 1);
    EXPECT_TRUE(results.empty());
    EXPECT_TRUE(window->messages->statistics.empty());
    EXPECT_TRUE(FreshGame(*this)) << "the old game's turn loop went on in the new game";
}

// Without a replacement the result waits for the animation and comes once.
TEST_F(LastFlip, TheResultComesOnceWhenNothingReplacesTheGame) {
    ASSERT_NO_FATAL_FAILURE(SetUpWinningMove());
    window->ClickSquare(lastMove.first, lastMove.second);
    EXPECT_EQ(window->messages->finals, QStringList{QStringLiteral("Yellow won 64 : 0")});
    EXPECT_EQ(shownOverOwnGame, std::vector<bool>{true});
    EXPECT_EQ(results, std::vector<PlayerResult>{PlayerResult::PlayerWon});
    EXPECT_EQ(window->messages->statistics.size(), 1U);
}

// Two players on one board may step back while the last move still turns
// over: the result comes over the finished board first, then the step.
TEST_F(LastFlip, AStepBackShowsTheResultOverTheFinishedBoardFirst) {
    ASSERT_NO_FATAL_FAILURE(SetUpWinningMove());
    Game().VsComputer = false;
    QAction* undo = Child<QAction>(*form, "ListMenuUndoMove");
    ASSERT_TRUE(undo->isEnabled());
    ASSERT_NO_FATAL_FAILURE(PlayLastMoveAndReplace(
        [&] { undo->trigger(); }, [&] { return Game().Tracker->current() == finished.count - 1; }));
    EXPECT_EQ(window->messages->finals, QStringList{QStringLiteral("Yellow won 64 : 0")});
    EXPECT_EQ(shownOverOwnGame, std::vector<bool>{true}) << "the result came over another board";
    EXPECT_EQ(Game().Tracker->current(), finished.count - 1) << "the step back was lost";
}

// Closing the window in the last move's animation: the game is counted in
// what the close stores, and the closed window shows nothing more.
TEST_F(LastFlip, ClosingDuringTheLastFlipStoresTheFinishedGame) {
    ASSERT_NO_FATAL_FAILURE(SetUpWinningMove());
    ASSERT_NO_FATAL_FAILURE(PlayLastMoveAndReplace([&] { form->close(); }, [] { return true; }));
    EXPECT_TRUE(window->messages->finals.isEmpty());
    EXPECT_EQ(results, std::vector<PlayerResult>{PlayerResult::PlayerWon});
    TStatisticsTable stored;
    EXPECT_FALSE(stored.FromBytes(SettingsStore().LoadStatistics().bytes));
    const TStatisticsRecord record = stored.Record(TStatisticsTable::BlockIndex(8, false),
                                                   TStatisticsTable::LevelIndex(false, 1));
    EXPECT_EQ(record.Games, 1U);
    EXPECT_EQ(record.Wins, 1U);
}

// The real result window opens without a loop of its own and reports its
// close once.
TEST(ModalResultWindow, ReportsItsCloseOnce) {
    TModalGameMessages messages;
    int closed = 0;
    const auto ok = test::ModalAnswer::For<TFinalDlg>(
        [&](TFinalDlg* open) { open->BitBtn1->click(); }, "the result window");
    messages.ShowFinal(nullptr, QStringLiteral("Tie up"), [&] { ++closed; });
    EXPECT_EQ(closed, 0) << "the window closed before anybody answered it";
    ASSERT_TRUE(test::WaitUntil([&] { return closed > 0; })) << "the close was not reported";
    EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace reversi

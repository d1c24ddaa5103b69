// The game flow without a window: whole games, passes, the computer's turn
// with its late and stale answers, the boxes the flow waits for, undo, redo,
// continuing from an earlier position, opening a match and a network game.
// A small view stands in for the window: it reports the end of each move's
// animation and the close of each box, at once or when the test says.
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "GameController.h"
#include "GameStateAccess.h"

namespace reversi {
namespace {

struct PlayedMove {
    int square = 0;
    Side mover = Side::White;
    bool operator==(const PlayedMove&) const = default;
};

// What the window would show, and its answers to the controller.
class View {
public:
    explicit View(GameController& game) : game_(game) {
        QObject::connect(&game, &GameController::moveMade, [this](int square, Side mover) {
            moves.push_back({square, mover});
            if (holdAnimations) {
                animating = true;
            } else {
                game_.MoveShown();
            }
        });
        QObject::connect(&game, &GameController::showTurnMessage, [this](const TurnOutcome& o) {
            messages.push_back(o);
            statusWhenShown.push_back(game_.Status());
            if (holdMessages) {
                messageOpen = true;
            } else {
                game_.MessageClosed();
            }
        });
        QObject::connect(&game, &GameController::hintFound,
                         [this](int square) { hints.push_back(square); });
        QObject::connect(&game, &GameController::moveToSend,
                         [this](int x, int y) { sent.emplace_back(x, y); });
        QObject::connect(&game, &GameController::resultCounted,
                         [this](PlayerResult r, const StatisticsEntry&) { results.push_back(r); });
        QObject::connect(&game, &GameController::statisticsDue,
                         [this](const StatisticsEntry&) { ++statisticsShown; });
        QObject::connect(&game, &GameController::positionReplaced, [this] { ++replaced; });
    }

    // Forgets what was shown (a fresh game).
    void Clear() {
        moves.clear();
        messages.clear();
        statusWhenShown.clear();
        results.clear();
        statisticsShown = 0;
    }
    void EndAnimation() {
        animating = false;
        game_.MoveShown();
    }
    void CloseMessage() {
        messageOpen = false;
        game_.MessageClosed();
    }

    bool holdAnimations = false;
    bool holdMessages = false;
    bool animating = false;
    bool messageOpen = false;
    std::vector<PlayedMove> moves;
    std::vector<TurnOutcome> messages;
    std::vector<GameStatus> statusWhenShown;
    std::vector<int> hints;
    std::vector<std::pair<int, int>> sent;
    std::vector<PlayerResult> results;
    int statisticsShown = 0;
    int replaced = 0;

private:
    GameController& game_;
};

// Delivers every event posted so far: a search that has been joined posted
// its completion before it ended, so after this nothing of it is to come.
void DeliverPosted() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Handles events until the flow has gone as far as it goes by itself.
bool Settle(const GameController& game, int timeoutMs = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!game.Settled()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTest::qWait(2);
    }
    return true;
}

GameValues AgainstComputer(Side computer, int depth = 1, int boardSize = 8) {
    return {.vsComputer = true,
            .computerSide = computer,
            .depth = depth,
            .babyLevel = false,
            .advancedEngine = false,
            .boardSize = boardSize};
}

GameValues TwoPlayers(int boardSize = 8) {
    GameValues v = AgainstComputer(Side::Black, 1, boardSize);
    v.vsComputer = false;
    return v;
}

std::vector<int> LegalSquares(const GameController& game) {
    std::vector<int> squares;
    const int n = game.BoardSize();
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (game.PlayerMayPlay(SquareIndex(x, y, n))) squares.push_back(SquareIndex(x, y, n));
    return squares;
}

class GameControllerTest : public testing::Test {
protected:
    void TearDown() override { game.Stop(); }

    void Start(const GameValues& values) {
        game.SetValues(values);
        game.NewGame();
        ASSERT_TRUE(Settle(game)) << "the new game did not settle";
    }
    // Plays random legal squares of the player until the game is over;
    // the flow settles after each.
    void PlayToTheEnd(unsigned seed) {
        std::mt19937 rng(seed);
        for (int guard = 0; !game.GameOver() && guard < 200; ++guard) {
            const std::vector<int> legal = LegalSquares(game);
            ASSERT_FALSE(legal.empty()) << "the player is to move but has no square";
            ASSERT_TRUE(game.PlayerMove(legal[rng() % legal.size()]));
            ASSERT_TRUE(Settle(game)) << "the flow did not settle";
        }
        ASSERT_TRUE(game.GameOver());
    }

    GameController game;
    View view{game};
};

TEST_F(GameControllerTest, AWholeGameAgainstTheComputerCountsOnceAndShowsTheStatisticsAfterIt) {
    for (const Side computer : {Side::Black, Side::White}) {
        SCOPED_TRACE(computer == Side::Black ? "computer black" : "computer white");
        view.Clear();
        Start(AgainstComputer(computer, 2));
        PlayToTheEnd(7);
        // Both colours played; every move of the computer followed one of
        // the player's or a pass of the player's.
        ASSERT_FALSE(view.moves.empty());
        ASSERT_FALSE(view.messages.empty());
        EXPECT_EQ(view.messages.back().event, TurnEvent::GameOver);
        EXPECT_TRUE(view.statusWhenShown.back().gameOver) << "the result came over a live game";
        EXPECT_EQ(view.results.size(), 1U);
        EXPECT_EQ(view.statisticsShown, 1);
        EXPECT_EQ(game.Status().movesStored, static_cast<int>(view.moves.size()));
        EXPECT_EQ(view.results.front(), ResultForPlayer(game.Status().counts, computer));
    }
}

TEST_F(GameControllerTest, APracticeGameOrOneOfTwoPlayersIsNotCounted) {
    Start(AgainstComputer(Side::Black));
    game.MakePractice();
    PlayToTheEnd(3);
    EXPECT_TRUE(view.results.empty());
    EXPECT_EQ(view.statisticsShown, 0);

    Start(TwoPlayers());
    std::mt19937 rng(5);
    while (!game.GameOver()) {
        const std::vector<int> legal = LegalSquares(game);
        ASSERT_FALSE(legal.empty());
        ASSERT_TRUE(game.PlayerMove(legal[rng() % legal.size()]));
        ASSERT_TRUE(Settle(game));
    }
    EXPECT_TRUE(view.results.empty());
}

TEST_F(GameControllerTest, APassIsShownBeforeTheSideThatKeepsTheMovePlaysOn) {
    // Random games between two players until some have passed.
    int passes = 0;
    for (unsigned seed = 1; seed < 60 && passes < 3; ++seed) {
        view.messages.clear();
        view.statusWhenShown.clear();
        Start(TwoPlayers());
        std::mt19937 rng(seed);
        while (!game.GameOver()) {
            const std::vector<int> legal = LegalSquares(game);
            ASSERT_FALSE(legal.empty()) << "a side to move without a square";
            const Side mover = game.SideToMove();
            ASSERT_TRUE(game.PlayerMove(legal[rng() % legal.size()]));
            if (!view.messages.empty() && view.messages.back().event == TurnEvent::Pass &&
                view.messages.size() > static_cast<std::size_t>(passes)) {
                const TurnOutcome& pass = view.messages.back();
                // The other colour passed: the mover moves again.
                EXPECT_EQ(pass.message, mover == Side::White ? GameMessageKind::BlackPasses
                                                             : GameMessageKind::WhitePasses);
                EXPECT_EQ(game.SideToMove(), mover);
                EXPECT_EQ(view.statusWhenShown.back().toMove, mover);
                ++passes;
            }
        }
    }
    EXPECT_GE(passes, 1) << "no random game had a pass";
}

TEST_F(GameControllerTest, TheComputerOpensWithItsFixedMoveAndOnlyTheStepButtonsOpen) {
    for (const int n : {8, 10}) {
        SCOPED_TRACE(n);
        view.moves.clear();
        QSignalSpy thinking(&game, &GameController::thinkingChanged);
        Start(AgainstComputer(Side::White, 3, n));
        ASSERT_EQ(view.moves.size(), 1U);
        EXPECT_EQ(view.moves.front(), (PlayedMove{n == 8 ? 53 : 54, Side::White}));
        EXPECT_EQ(thinking.count(), 0) << "a search ran for the fixed first move";
        const GameCommands c = game.Commands();
        EXPECT_TRUE(c.stepButtons);
        EXPECT_FALSE(c.stepMenu) << "the Match menu's undo and redo opened";
        // After the player's move and the reply both open.
        ASSERT_TRUE(game.PlayerMove(LegalSquares(game).front()));
        ASSERT_TRUE(Settle(game));
        EXPECT_TRUE(game.Commands().stepMenu);
        EXPECT_TRUE(game.Commands().stepButtons);
    }
}

TEST_F(GameControllerTest, TheReplyWaitsForTheAnimationOfThePlayersMove) {
    Start(AgainstComputer(Side::Black));
    view.holdAnimations = true;
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    EXPECT_FALSE(game.Commands().stepMenu) << "steps while the computer replies";
    // The search ends during the animation; its answer waits for it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !game.Thinking(); }, 30000));
    QTest::qWait(1);
    EXPECT_EQ(view.moves.size(), 1U);
    EXPECT_FALSE(game.Settled()) << "the answer was dropped";
    // A click meanwhile plays nothing: it is the computer's turn.
    EXPECT_FALSE(game.PlayerMove(SquareIndex(5, 2, 8)));
    view.EndAnimation();
    ASSERT_EQ(view.moves.size(), 2U);
    EXPECT_EQ(view.moves[1].mover, Side::Black);
    view.EndAnimation();
    EXPECT_TRUE(game.Settled());
    EXPECT_TRUE(game.Commands().stepMenu);
}

TEST_F(GameControllerTest, WhileTheComputerThinksNothingChangesThePositionAndAStopDropsTheAnswer) {
    Start(AgainstComputer(Side::Black, 9));
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    ASSERT_TRUE(game.Thinking());
    const tBoard searched = game.Position();
    const GameCommands c = game.Commands();
    EXPECT_FALSE(c.newGame);
    EXPECT_FALSE(c.hint);
    EXPECT_FALSE(c.stepButtons);
    game.NewGame();
    game.Undo();
    game.Hint();
    EXPECT_FALSE(game.PlayerMove(SquareIndex(3, 2, 8)));
    EXPECT_EQ(game.Position(), searched);
    EXPECT_EQ(game.Status().movesStored, 1);
    // A late completion of another search finds nothing to do.
    game.SearchDone(12345);
    EXPECT_TRUE(game.Thinking());
    game.StopThinking();
    EXPECT_FALSE(game.Thinking());
    DeliverPosted();  // a completion posted by the stopped search is dropped
    EXPECT_EQ(view.moves.size(), 1U) << "the stopped search's answer was played";
    EXPECT_EQ(game.Position(), searched);
}

TEST_F(GameControllerTest, AnAnswerWaitingForTheAnimationIsDroppedWithAReplacedGame) {
    Start(AgainstComputer(Side::Black));
    view.holdAnimations = true;
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !game.Thinking(); }, 30000));
    QTest::qWait(1);
    ASSERT_FALSE(game.Settled());
    game.NewGame();  // the answer belongs to the old game
    view.EndAnimation();
    EXPECT_TRUE(Settle(game));
    EXPECT_EQ(view.moves.size(), 1U) << "the old game's answer reached the new game";
    EXPECT_EQ(game.Status().movesStored, 0);
}

TEST_F(GameControllerTest, TheHintPointsWithoutPlayingAndTheFirstHintIsTheFixedMove) {
    Start(AgainstComputer(Side::Black));
    EXPECT_TRUE(game.HintAsksPractice());
    game.MakePractice();
    EXPECT_FALSE(game.HintAsksPractice());
    game.Hint();
    ASSERT_TRUE(Settle(game));
    EXPECT_EQ(view.hints, std::vector<int>{53});
    ASSERT_TRUE(game.PlayerMove(53));
    ASSERT_TRUE(Settle(game));
    const int moves = game.Status().movesStored;
    game.Hint();
    ASSERT_TRUE(Settle(game));
    ASSERT_EQ(view.hints.size(), 2U);
    EXPECT_TRUE(game.PlayerMayPlay(view.hints[1]));
    EXPECT_EQ(game.Status().movesStored, moves) << "the hint played a move";
}

TEST_F(GameControllerTest, UndoRedoAndContinueFromAnEarlierPosition) {
    Start(TwoPlayers());
    std::mt19937 rng(11);
    for (int i = 0; i < 6; ++i) {
        const std::vector<int> legal = LegalSquares(game);
        ASSERT_TRUE(game.PlayerMove(legal[rng() % legal.size()]));
    }
    ASSERT_TRUE(game.Commands().stepMenu);
    const tBoard last = game.Position();
    game.Undo();
    game.Undo();
    EXPECT_TRUE(game.Browsing());
    EXPECT_TRUE(game.Commands().continueButtons);
    EXPECT_EQ(game.Status().movesApplied, 4);
    EXPECT_TRUE(LegalSquares(game).empty()) << "a square plays while browsing";
    game.Redo();
    game.Redo();
    EXPECT_FALSE(game.Browsing()) << "the last move redone ends browsing";
    EXPECT_EQ(game.Position(), last);
    game.JumpTo(2);
    EXPECT_TRUE(game.Browsing());
    EXPECT_EQ(game.Status().movesApplied, 2);
    // Two players: no question; the later moves are gone.
    EXPECT_TRUE(game.ContinueFromShown());
    EXPECT_FALSE(game.Browsing());
    EXPECT_EQ(game.Status().movesStored, 2);
    EXPECT_FALSE(game.ContinueFromShown()) << "continued while not browsing";
}

TEST_F(GameControllerTest, ContinuingWhereTheComputerIsToMoveLetsItReplyAtOnce) {
    Start(AgainstComputer(Side::Black));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(game.PlayerMove(LegalSquares(game).front()));
        ASSERT_TRUE(Settle(game));
    }
    ASSERT_EQ(game.Status().movesStored, 4);
    game.Undo();  // black, the computer, is to move in the shown position
    ASSERT_EQ(game.SideToMove(), Side::Black);
    EXPECT_TRUE(game.ContinueAsksPractice());
    EXPECT_TRUE(game.ContinueFromShown());
    EXPECT_TRUE(game.PracticeGame());
    ASSERT_TRUE(Settle(game));
    EXPECT_EQ(game.Status().movesStored, 4) << "three kept and the computer's new answer";
    EXPECT_EQ(game.SideToMove(), Side::White);
    EXPECT_TRUE(game.Commands().stepMenu);
}

TEST_F(GameControllerTest, CommandsThatReplaceTheGameWaitForItsBoxToClose) {
    // A two-player game played to its end with the result box left open.
    Start(TwoPlayers());
    view.holdMessages = true;
    std::mt19937 rng(2);
    while (!game.GameOver()) {
        if (view.messageOpen) view.CloseMessage();
        const std::vector<int> legal = LegalSquares(game);
        ASSERT_FALSE(legal.empty());
        ASSERT_TRUE(game.PlayerMove(legal[rng() % legal.size()]));
    }
    if (!view.messageOpen) GTEST_SKIP() << "the game ended without its box";
    ASSERT_EQ(view.messages.back().event, TurnEvent::GameOver);
    const tBoard finished = game.Position();
    const int replacedBefore = view.replaced;
    game.Undo();
    game.NewGame();
    EXPECT_EQ(game.Position(), finished) << "the game left the board under its box";
    EXPECT_EQ(view.replaced, replacedBefore);
    EXPECT_FALSE(game.Settled());
    // Closed, what waited follows in order: the step back, then the new game.
    view.CloseMessage();
    EXPECT_EQ(view.replaced, replacedBefore + 2);
    EXPECT_EQ(game.Status().movesStored, 0);
    EXPECT_FALSE(game.Browsing());
    EXPECT_TRUE(game.Settled());
}

TEST_F(GameControllerTest, ABoxWaitingForTheLastMovesAnimationShowsAtOnceWhenACommandComes) {
    Start(TwoPlayers());
    std::mt19937 rng(2);
    while (!game.GameOver()) {
        const std::vector<int> legal = LegalSquares(game);
        ASSERT_FALSE(legal.empty());
        // The last move's animation is held: its box waits for it.
        const tBoard before = game.Position();
        view.holdAnimations = true;
        ASSERT_TRUE(game.PlayerMove(legal[rng() % legal.size()]));
        if (game.MessageDue()) {
            const std::size_t shown = view.messages.size();
            QSignalSpy cut(&game, &GameController::animationCut);
            game.NewGame();
            EXPECT_EQ(cut.count(), 1) << "the animation went on under the box";
            EXPECT_EQ(view.messages.size(), shown + 1) << "the box did not show first";
            EXPECT_EQ(game.Status().movesStored, 0) << "the new game did not follow the box";
            return;
        }
        view.EndAnimation();
        view.holdAnimations = false;
        (void)before;
    }
    FAIL() << "no box came in the whole game";
}

TEST_F(GameControllerTest, AnOpenedMatchStartsAtItsFirstPositionAndTheComputerMovesAtItsTurn) {
    // A record of two moves, white then black, against the computer playing white.
    Start(TwoPlayers());
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    ASSERT_TRUE(game.PlayerMove(LegalSquares(game).front()));
    SavedMatch match;
    match.boardsize = 8;
    match.moves = GameStateAccess::Of(game).Tracker->moves();
    match.VsComputer = true;
    match.ComputerSide = CellWhite;
    match.Depth = 1;
    const tBoard last = game.Position();

    game.SetValues(TwoPlayers());
    game.Reset();  // a new game and an empty record before the match is taken
    game.TakeMatch(std::move(match));
    EXPECT_TRUE(game.Browsing());
    EXPECT_EQ(game.Status().movesApplied, 0);
    EXPECT_EQ(game.Status().movesStored, 2);
    EXPECT_TRUE(game.Values().vsComputer);
    game.ReturnToLast();
    EXPECT_FALSE(game.Browsing());
    EXPECT_EQ(game.Position(), last);
    EXPECT_EQ(game.SideToMove(), Side::White);
    game.ResumeMatch();
    ASSERT_TRUE(Settle(game));
    EXPECT_EQ(game.Status().movesStored, 3) << "the computer did not answer at its turn";
    EXPECT_EQ(game.SideToMove(), Side::Black);
}

TEST_F(GameControllerTest, ANetworkGameSendsThePlayersMovesAndPlaysThePeersLegalOnes) {
    Start(AgainstComputer(Side::Black));
    game.StartNetworkGame(/*localBlack=*/false, 8);
    EXPECT_TRUE(game.NetworkGame());
    const GameCommands c = game.Commands();
    EXPECT_FALSE(c.hint);
    EXPECT_FALSE(c.matchFiles);
    EXPECT_FALSE(c.stepMenu || c.stepButtons);
    EXPECT_FALSE(game.WaitingForPeer()) << "white moves first";
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    EXPECT_EQ(view.sent, (std::vector<std::pair<int, int>>{{4, 2}}));
    EXPECT_TRUE(game.WaitingForPeer());
    // The peer's turn: the player's clicks, illegal squares and squares off
    // the field play nothing.
    EXPECT_FALSE(game.PlayerMove(SquareIndex(3, 2, 8)));
    EXPECT_FALSE(game.PeerMayPlay(0, 0));
    EXPECT_FALSE(game.PeerMayPlay(9, 9));
    EXPECT_FALSE(game.PeerMayPlay(-1, 2));
    game.PeerMove(0, 0);
    EXPECT_EQ(view.moves.size(), 1U);
    // A legal move of the peer waits for the animation of the move before.
    view.holdAnimations = true;
    view.animating = true;
    ASSERT_TRUE(game.PeerMayPlay(3, 2) || game.PeerMayPlay(5, 2) || game.PeerMayPlay(5, 4));
    int px = 3, py = 2;
    for (const auto& [x, y] : {std::pair{3, 2}, std::pair{5, 2}, std::pair{5, 4}})
        if (game.PeerMayPlay(x, y)) {
            px = x;
            py = y;
            break;
        }
    game.PeerMove(px, py);
    ASSERT_EQ(view.moves.size(), 2U);
    EXPECT_EQ(view.moves[1], (PlayedMove{SquareIndex(px, py, 8), Side::Black}));
    EXPECT_EQ(view.sent.size(), 1U) << "the peer's move went back to it";
    EXPECT_FALSE(game.WaitingForPeer());

    game.EndNetworkGame(AgainstComputer(Side::White, 4));
    EXPECT_FALSE(game.NetworkGame());
    EXPECT_TRUE(game.Values().vsComputer);
    EXPECT_EQ(game.Values().computerSide, Side::White);
    EXPECT_TRUE(game.Commands().hint);
}

TEST_F(GameControllerTest, ThePeersMoveWaitsForTheAnimationOfThePlayersMove) {
    Start(TwoPlayers());
    game.StartNetworkGame(/*localBlack=*/false, 8);
    view.holdAnimations = true;
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    int px = -1, py = -1;
    for (int x = 0; x < 8 && px < 0; ++x)
        for (int y = 0; y < 8; ++y)
            if (game.PeerMayPlay(x, y)) {
                px = x;
                py = y;
                break;
            }
    ASSERT_GE(px, 0);
    game.PeerMove(px, py);
    EXPECT_EQ(view.moves.size(), 1U) << "the peer's move came over a running animation";
    view.EndAnimation();
    EXPECT_EQ(view.moves.size(), 2U);
}

TEST_F(GameControllerTest, AStartedNetworkGameStopsTheComputersSearch) {
    Start(AgainstComputer(Side::Black, 9));
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    ASSERT_TRUE(game.Thinking());
    game.StartNetworkGame(/*localBlack=*/true, 10);
    EXPECT_FALSE(game.Thinking());
    EXPECT_EQ(game.BoardSize(), 10);
    EXPECT_EQ(game.Status().movesStored, 0);
    EXPECT_TRUE(game.WaitingForPeer()) << "the peer plays white";
    DeliverPosted();
    EXPECT_EQ(view.moves.size(), 1U) << "the local game's answer reached the network game";
}

TEST_F(GameControllerTest, AfterAStopNothingMovesAndNoBoxShows) {
    Start(AgainstComputer(Side::Black));
    view.holdAnimations = true;
    ASSERT_TRUE(game.PlayerMove(SquareIndex(4, 2, 8)));
    game.Stop();
    EXPECT_FALSE(game.Thinking());
    view.EndAnimation();
    DeliverPosted();
    EXPECT_EQ(view.moves.size(), 1U);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(game.PlayerMayMove());
}

}  // namespace
}  // namespace reversi

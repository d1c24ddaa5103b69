// The game flow: the turn loop, the computer's move on its search thread,
// and the one path by which every move reaches the board. Whose turn it is
// and how the game ends is the engine's answer (AdvanceTurn); this file only
// shows it.
#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

#include "AsyncTimer.h"
#include "BoardView.h"
#include "EngineUnit.h"
#include "MainWindow.h"
#include "NetworkSession.h"

namespace reversi {

namespace {
using platform::TSoundEffect;
// White's fixed first move when the computer opens: E6 on 8 x 8, D5 on 10 x 10.
constexpr int FirstMove8 = 53;
constexpr int FirstMove10 = 54;
}  // namespace

void TReversiForm::PlaceMove(int square) {
    // A message of the turn before shows over the position it is about.
    FinishPendingTurn();
    auto& g = Game();
    const int me = g.SideToMove;
    const int opp = Opponent(me);
    animations_.SaveOldBoard();
    // Recorded before the board changes: the record keeps the position before.
    g.Tracker->AddMove(square, me, opp);
    g.Boards[0][static_cast<std::size_t>(square)] = static_cast<std::uint8_t>(me);
    MakeMove(g.Boards[0], square, me, opp);
    ShowMoveCounter();
    // The move sounds as its animation starts, or once the board shows it.
    if (settings_.AnimationOn) PlaySoundAt(SoundEvent::MovePlaced);
    animations_.StartMoveAnimation();
    if (!settings_.AnimationOn) PlaySoundAt(SoundEvent::MovePlaced);
}

bool TReversiForm::WaitForMoveAnimation() {
    auto& g = Game();
    const tBoard position = g.Boards[0];
    while (settings_.AnimationOn && animations_.MoveAnimationEnabled) {
        if (AsyncTimerAnimation == nullptr || !AsyncTimerAnimation->Enabled()) {
            animations_.StopMoveAnimation();  // nothing would ever end it
            DrawBoard();
            break;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (closed_ || g.Boards[0] != position) return false;
    }
    return true;
}

bool TReversiForm::CountAndSwitchSide() {
    if (!settings_.AnimationOn) {
        // Without animation the board is redrawn here at once.
        DrawBoard();
        update();
    }
    const TurnOutcome outcome = AdvanceTurn(Game());
    ShowTurnOutcome(outcome);
    return outcome.event != TurnEvent::GameOver;
}

void TReversiForm::ShowTurnOutcome(const TurnOutcome& outcome) {
    const auto& g = Game();
    ShowScore(outcome.counts);
    if (outcome.event == TurnEvent::NextSide) {
        ShowMover(outcome.toMove);
        ReversiStatusBar->repaint();
        return;
    }
    if (outcome.event == TurnEvent::GameOver) {
        StatusPanels[0]->setText(QStringLiteral("Game over"));
    } else {
        ShowMover(outcome.toMove);
    }
    ReversiStatusBar->repaint();
    // A finished game counts now, once, as the game it ends: whatever
    // happens while its message waits cannot lose or move the count.
    const std::optional<PlayerResult> result =
        outcome.event == TurnEvent::GameOver ? CountedResult(g, outcome.counts) : std::nullopt;
    const StatisticsEntry entry = CurrentStatisticsEntry();
    if (result) CountGameResult(*result, entry);
    pendingTurn_ =
        PendingTurnMessage{.outcome = outcome,
                           .result = result,
                           .entry = entry,
                           .netHold = g.NetworkGame ? Session->HoldInput() : NetInputHold{}};
    // The message comes once the last move stands on the board: the move
    // animation finishes first (the game is already marked over, so nothing
    // run meanwhile can continue it). A command that replaces the game
    // meanwhile shows the message before it goes on (FinishPendingTurn).
    WaitForMoveAnimation();
    if (closed_) {
        pendingTurn_.reset();  // a closed window shows no more messages
        return;
    }
    ShowPendingTurnMessage();
}

void TReversiForm::FinishPendingTurn() {
    if (!pendingTurn_) return;
    // The last move stands on the board at once under its message.
    if (animations_.MoveAnimationEnabled) {
        animations_.StopMoveAnimation();
        DrawBoard();
    }
    ShowPendingTurnMessage();
}

void TReversiForm::ShowPendingTurnMessage() {
    if (!pendingTurn_) return;
    // Taken out whole: its hold on the peer's input lasts until this returns.
    const PendingTurnMessage pending = std::move(*pendingTurn_);
    pendingTurn_.reset();
    const TurnOutcome& outcome = pending.outcome;
    PlaySoundAt(outcome.event == TurnEvent::GameOver ? SoundEvent::GameOverShown
                                                     : SoundEvent::PassShown);
    // Something run while the message is open (the peer's restart) may put
    // another game on the board: the message is then taken down
    // (LeaveShownGame), and the statistics of the old game stay closed.
    const unsigned game = gameSerial_;
    turnMessageOpen_ = true;
    GameMessages().ShowFinal(this, outcome.message, outcome.first, outcome.second);
    turnMessageOpen_ = false;
    if (gameSerial_ != game) return;
    // A counted game opens the statistics on the entry it was counted in.
    if (pending.result)
        GameMessages().ShowStatistics(this, statistics_, pending.entry.boardSize,
                                      pending.entry.advancedEngine, pending.entry.level);
}

void TReversiForm::LeaveShownGame() {
    FinishPendingTurn();
    if (turnMessageOpen_) GameMessages().CloseFinal();
    animations_.ClearHelpMarks();
    animations_.StopMoveAnimation();
    ++gameSerial_;
}

void TReversiForm::ReplaceShownGameLater(std::function<void()> replace) {
    const unsigned shown = gameSerial_;
    QMetaObject::invokeMethod(
        this,
        [this, shown, replace = std::move(replace)] {
            // Whatever took the board meanwhile stays: the replacement was
            // meant for the game that was shown when it was asked for.
            if (!closed_ && gameSerial_ == shown) replace();
        },
        Qt::QueuedConnection);
}

bool TReversiForm::PlayerMayMove() const {
    const auto& g = Game();
    if (g.GameOver || g.ThreadRunning || g.Routines.CanMove == nullptr) return false;
    if (g.NetworkGame) return IsPlayersTurn();
    // Against the computer a click only ever plays the player's colour.
    return !(g.VsComputer && g.SideToMove == g.ComputerSide);
}

void TReversiForm::ProcessTurn(bool SkipFirstCount) {
    auto& g = Game();
    // The game this loop runs for: once another has taken the board (while
    // a message or an animation was waited for), the loop is over.
    const unsigned game = gameSerial_;
    bool count = !SkipFirstCount;
    while (!g.GameOver) {
        if (count && !CountAndSwitchSide()) return;
        count = true;
        // The window closed, or the game was replaced, while a message waited.
        if (g.GameOver || gameSerial_ != game) return;

        if (!g.VsComputer || g.SideToMove != g.ComputerSide) {
            if (g.NetworkGame)
                boardWidget_->setCursor(IsPlayersTurn() ? Qt::ArrowCursor : Qt::WaitCursor);
            return;
        }

        // The computer's turn.
        boardWidget_->setCursor(Qt::WaitCursor);
        const tBoard searched = g.Boards[0];
        const int side = g.SideToMove;
        const int answer = RunEngine();
        boardWidget_->setCursor(Qt::ArrowCursor);

        if (answer != PassMove) {
            // The player's move may still be animating: show the reply after it.
            if (!WaitForMoveAnimation() || gameSerial_ != game) return;
            // The answer is for the position searched and nothing else: a
            // position replaced meanwhile (new game, load, undo) drops it.
            if (g.GameOver || g.Boards[0] != searched || g.SideToMove != side) return;
            if (IsPlayingSquare(answer, g.BoardSize) &&
                CanMove(g.Boards[0], answer, side, Opponent(side)))
                PlaceMove(answer);
        }
        if (g.NetworkGame) return;
    }
}

void TReversiForm::SetGameItemsEnabled(bool enabled) {
    NewGameItem->setEnabled(enabled);
    HintItem->setEnabled(enabled);
    OptionsItem->setEnabled(enabled);
}

int TReversiForm::RunEngine() {
    auto& g = Game();
    SetGameItemsEnabled(false);
    int answer = PassMove;
    const int opening = g.BoardSize == 8 ? FirstMove8 : FirstMove10;
    // The first move of a game is fixed: no search. (Only where it is legal:
    // a position set up otherwise is searched like any other.)
    if (g.FirstMove && g.SideToMove == CellWhite &&
        CanMove(g.Boards[0], opening, CellWhite, CellBlack)) {
        SetUndoRedoControls(true);
        answer = opening;
    } else {
        // Nothing may step through the record while the search runs (a hint's
        // search included): the controls are off until its answer is in.
        const bool stepsWereOn = ListMenuUndoMove->isEnabled();
        DisableUndoRedo();
        // The search runs on its own thread; the window keeps handling events
        // in this local loop until the search's completion (a queued call)
        // ends it. Input that would change the position is refused meanwhile.
        // Each wait has its own number, so a completion that arrives late
        // can never end the wait for a later search.
        QEventLoop wait;
        searchWait_ = &wait;
        const unsigned serial = ++searchSerial_;
        StartSearch([this, serial] {
            QMetaObject::invokeMethod(
                this,
                [this, serial] {
                    if (searchWait_ != nullptr && serial == searchSerial_) searchWait_->quit();
                },
                Qt::QueuedConnection);
        });
        if (g.SearchThread && g.SearchThread->Running()) wait.exec();
        searchWait_ = nullptr;
        // A loop left early (the program quitting) must not wait for a long search.
        if (g.SearchThread && g.SearchThread->Running()) StopSearch();
        answer = FinishSearch();
        // Back on as before, unless a network game began meanwhile.
        if (stepsWereOn) UpdateUndoRedo();
    }
    SetGameItemsEnabled(true);
    return answer;
}

void TReversiForm::StopSearchAndWait() {
    // A stopped search answers "no move"; joining it here means nothing the
    // window frees afterwards can still be in use by it.
    if (Game().SearchThread || Game().ThreadRunning) {
        StopSearch();
        FinishSearch();
    }
    if (searchWait_ != nullptr) searchWait_->quit();
}

void TReversiForm::DisableUndoRedo() { SetUndoRedoControls(false); }

void TReversiForm::UpdateUndoRedo() {
    if (Game().NetworkGame) {
        DisableUndoRedo();
        return;
    }
    if (Game().Tracker && Game().Tracker->count() > 0) SetUndoRedoControls(true);
}

TReversiForm::StatisticsEntry TReversiForm::CurrentStatisticsEntry() const {
    const auto& g = Game();
    return {.boardSize = g.BoardSize,
            .advancedEngine = g.AdvancedEngine,
            .level = TStatisticsTable::LevelIndex(g.BabyLevel, g.Depth)};
}

void TReversiForm::CountGameResult(PlayerResult result, const StatisticsEntry& entry) {
    statistics_.Count(entry.boardSize, entry.advancedEngine, entry.level, result);
    emit gameResultRecorded(result);
}

void TReversiForm::SetBrowsing(bool browsing) {
    // The continue buttons follow (BindMoveListPanel).
    browsing_.SetActive(browsing);
}

void TReversiForm::SetGameMessages(std::unique_ptr<TGameMessages> messages) {
    if (messages) gameMessages_ = std::move(messages);
}

}  // namespace reversi

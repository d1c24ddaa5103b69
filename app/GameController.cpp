#include "GameController.h"

#include <utility>

#include "EngineUnit.h"
#include "StatisticsTable.h"

namespace reversi {

namespace {
// White's fixed first move when the computer opens: E6 on 8 x 8, D5 on 10 x 10.
constexpr int FirstMove8 = 53;
constexpr int FirstMove10 = 54;

int OpeningSquare(int boardSize) { return boardSize == 8 ? FirstMove8 : FirstMove10; }
}  // namespace

GameController::GameController(QObject* parent) : QObject(parent) {
    connect(&browsing_, &TBrowsing::activeChanged, this, [this](bool active) {
        emit browsingChanged(active);
        EmitCommandsIfChanged();
    });
    shownCommands_ = Commands();
}

GameController::~GameController() { StopThinking(); }

// --- What the game is ---------------------------------------------------------

const tBoard& GameController::Position() const { return state_.Boards[0]; }
int GameController::BoardSize() const { return state_.BoardSize; }
Side GameController::SideToMove() const { return SideOf(state_.SideToMove); }
bool GameController::GameOver() const { return state_.GameOver; }
bool GameController::NetworkGame() const { return state_.NetworkGame; }

GameValues GameController::Values() const { return GameValuesOf(state_); }

GameStatus GameController::Status() const {
    const auto& g = state_;
    const PositionStatus shown = DescribePosition(g.Boards[0], g.BoardSize);
    return {.counts = shown.counts,
            .gameOver = g.GameOver || shown.gameOver,
            .toMove = SideOf(g.SideToMove),
            .movesApplied = g.Tracker ? g.Tracker->current() : 0,
            .movesStored = g.Tracker ? g.Tracker->count() : 0};
}

GameCommands GameController::Commands() const {
    const bool thinking = Thinking();
    const bool network = NetworkGame();
    return {.newGame = !thinking,
            .hint = !thinking && !network,
            .stepMenu = stepMenuOn_ && !thinking,
            .stepButtons = stepButtonsOn_ && !thinking,
            .continueButtons = Browsing(),
            .matchFiles = !network};
}

StatisticsEntry GameController::CurrentStatisticsEntry() const {
    const auto& g = state_;
    return {.boardSize = g.BoardSize,
            .advancedEngine = g.AdvancedEngine,
            .level = TStatisticsTable::LevelIndex(g.BabyLevel, g.Depth)};
}

bool GameController::Thinking() const { return search_.has_value() || state_.ThreadRunning; }

bool GameController::Settled() const {
    return !search_ && !reply_ && !peerSquare_ && afterMessage_.empty() &&
           !(message_ && !message_->open);
}

bool GameController::PracticeGame() const { return state_.PracticeGame; }

bool GameController::WaitingForPeer() const { return NetworkGame() && !IsPlayersTurn(state_); }

std::string GameController::BoardText() const {
    std::string text;
    BoardToText(state_, text);
    return text;
}

// --- Rules of the flow ----------------------------------------------------------

bool GameController::ComputersTurn() const {
    const auto& g = state_;
    return g.VsComputer && !g.NetworkGame && g.SideToMove == g.ComputerSide;
}

bool GameController::PlayerMayMove() const {
    const auto& g = state_;
    if (stopped_ || g.GameOver || Thinking() || g.Routines.CanMove == nullptr) return false;
    // In a network game the "computer side" is the local player's colour.
    if (g.NetworkGame) return IsPlayersTurn(g);
    // Against the computer a click only ever plays the player's colour.
    return !ComputersTurn();
}

bool GameController::PlayerMayPlay(int square) const {
    const auto& g = state_;
    return !Browsing() && PlayerMayMove() && IsPlayingSquare(square, g.BoardSize) &&
           CanMove(g, g.Boards[0], square, g.SideToMove, OtherSide(g));
}

bool GameController::BoardInputOpen() const { return !Thinking() && !WaitingForPeer(); }

bool GameController::PointerTracked() const { return !Browsing() && BoardInputOpen(); }

bool GameController::HistoryChoiceOnClick() const {
    return Browsing() && !GameOver() && BoardInputOpen();
}

bool GameController::HelpAllowed() const { return BoardInputOpen(); }

bool GameController::PeerMayPlay(int x, int y) const {
    const auto& g = state_;
    const int n = g.BoardSize;
    if (stopped_ || !g.NetworkGame || g.GameOver || Thinking() || IsPlayersTurn(g)) return false;
    if (x < 0 || x >= n || y < 0 || y >= n || g.Routines.CanMove == nullptr) return false;
    return CanMove(g, g.Boards[0], SquareIndex(x, y, n), g.SideToMove, OtherSide(g));
}

bool GameController::HintAllowed() const {
    const auto& g = state_;
    return !stopped_ && !g.GameOver && !g.NetworkGame && !animating_ && !Browsing() &&
           !Thinking() && !message_;
}

bool GameController::HintAsksPractice() const {
    const auto& g = state_;
    return g.VsComputer && !g.PracticeGame;
}

bool GameController::ContinueAsksPractice() const { return HintAsksPractice(); }

bool GameController::StepsAllowed() const { return stepButtonsOn_ && !Thinking(); }

tBoard GameController::LegalMarks() const {
    const auto& g = state_;
    return LegalSquareMarks(g.Boards[0], g.BoardSize, SideOf(g.SideToMove));
}

// --- The flow's engine room ---------------------------------------------------------

template <class Body>
void GameController::Command(Body&& body) {
    const bool outer = !busy_;
    busy_ = true;
    body();
    if (!outer) {
        again_ = true;
        return;
    }
    busy_ = false;
    Advance();
}

void GameController::Advance() {
    again_ = true;
    if (busy_) return;
    busy_ = true;
    while (again_) {
        again_ = false;
        Step();
    }
    busy_ = false;
    EmitCommandsIfChanged();
    if (statisticsDue_) {
        const StatisticsEntry entry = *statisticsDue_;
        statisticsDue_.reset();
        emit statisticsDue(entry);
    }
}

void GameController::Step() {
    if (stopped_) return;
    auto& g = state_;
    // A pass or result shows once the move before it stands on the board,
    // and the flow waits until its box has closed.
    if (message_) {
        if (message_->open || animating_) return;
        message_->open = true;
        emit showTurnMessage(message_->outcome);
        return;
    }
    // What waited for the box comes first, in order. It runs as a command
    // of its own: it may open a dialog and wait for its player.
    if (!afterMessage_.empty()) {
        auto command = std::move(afterMessage_.front());
        afterMessage_.pop_front();
        busy_ = false;
        command();
        busy_ = true;
        again_ = true;
        return;
    }
    // The computer's answer and the peer's move come after the animation of
    // the move before them.
    if (reply_) {
        if (animating_) return;
        const int answer = *reply_;
        reply_.reset();
        PlayAnswer(answer);
        again_ = true;
        return;
    }
    if (peerSquare_) {
        if (animating_) return;
        const int square = *peerSquare_;
        peerSquare_.reset();
        const int n = g.BoardSize;
        if (PeerMayPlay(SquareColumn(square, n), SquareRow(square, n))) {
            PlaceMove(square);
            Account();
        }
        again_ = true;
        return;
    }
    if (search_) return;
    if (flowActive_ && !g.GameOver && !Browsing() && ComputersTurn()) {
        RunEngine(SearchPurpose::Reply);
        again_ = true;
        return;
    }
    // The flow rests: the player (or the peer) is to move, or the game is over.
    flowActive_ = false;
    if (updateStepsAtRest_) {
        updateStepsAtRest_ = false;
        UpdateSteps();
    }
}

void GameController::EmitCommandsIfChanged() {
    const GameCommands now = Commands();
    if (now == shownCommands_) return;
    shownCommands_ = now;
    emit commandsChanged();
}

void GameController::PlaceMove(int square) {
    auto& g = state_;
    const int me = g.SideToMove;
    const int opp = Opponent(me);
    emit moveStarting();
    // Recorded before the board changes: the record keeps the position before.
    g.Tracker->AddMove(g, square, me, opp);
    g.Boards[0][static_cast<std::size_t>(square)] = static_cast<std::uint8_t>(me);
    MakeMove(g, g.Boards[0], square, me, opp);
    // The window reports the end of the move's animation (at once without one).
    animating_ = true;
    emit moveMade(square, SideOf(me));
}

void GameController::Account() {
    auto& g = state_;
    const TurnOutcome outcome = AdvanceTurn(g);
    flowActive_ = true;
    emit statusChanged();
    if (outcome.event == TurnEvent::NextSide) return;
    // A finished game counts now, once, as the game it ends: whatever
    // happens while its box waits cannot lose or move the count.
    const std::optional<PlayerResult> result =
        outcome.event == TurnEvent::GameOver ? CountedResult(g, outcome.counts) : std::nullopt;
    const StatisticsEntry entry = CurrentStatisticsEntry();
    if (result) emit resultCounted(*result, entry);
    message_ = PendingMessage{.outcome = outcome, .result = result, .entry = entry, .open = false};
    emit turnMessageDue(outcome);
}

void GameController::RunEngine(SearchPurpose purpose) {
    auto& g = state_;
    const int opening = OpeningSquare(g.BoardSize);
    // The first move of a game is fixed: no search. (Only where it is legal:
    // a position set up otherwise is searched like any other.) It opens the
    // two step buttons, not the Match menu's items.
    if (g.FirstMove && g.SideToMove == CellWhite &&
        CanMove(g, g.Boards[0], opening, CellWhite, CellBlack)) {
        stepButtonsOn_ = true;
        if (purpose == SearchPurpose::Reply) {
            reply_ = opening;
        } else {
            emit hintFound(opening);
        }
        return;
    }
    search_ = SearchJob{.purpose = purpose,
                        .serial = ++searchSerial_,
                        .position = g.Boards[0],
                        .side = SideOf(g.SideToMove)};
    const unsigned serial = search_->serial;
    // The completion runs on the search thread: it only posts the answer's
    // arrival here. The search is joined before this object goes.
    reversi::StartSearch(state_, [this, serial] {
        QMetaObject::invokeMethod(
            this, [this, serial] { SearchDone(serial); }, Qt::QueuedConnection);
    });
    emit thinkingChanged(true);
}

void GameController::SearchDone(unsigned serial) {
    Command([&] {
        // A completion that arrives late (the search was stopped or replaced)
        // finds nothing to do.
        if (!search_ || search_->serial != serial) return;
        const SearchJob job = *search_;
        search_.reset();
        const int answer = FinishSearch(state_);
        emit thinkingChanged(false);
        const auto& g = state_;
        // The answer is for the position searched and nothing else.
        const bool same =
            !g.GameOver && g.Boards[0] == job.position && SideOf(g.SideToMove) == job.side;
        if (job.purpose == SearchPurpose::Hint) {
            if (same && answer != PassMove && IsPlayingSquare(answer, g.BoardSize))
                emit hintFound(answer);
            return;
        }
        if (same) reply_ = answer;
    });
}

void GameController::PlayAnswer(int answer) {
    auto& g = state_;
    if (g.GameOver || Browsing() || !ComputersTurn()) return;
    // An answer that is not legal here (or "no move") plays nothing; the
    // accounting then hands the turn on.
    if (answer != PassMove && IsPlayingSquare(answer, g.BoardSize) &&
        CanMove(g, g.Boards[0], answer, g.SideToMove, OtherSide(g)))
        PlaceMove(answer);
    Account();
}

void GameController::Replace(bool newGame) {
    StopThinking();
    reply_.reset();
    peerSquare_.reset();
    animating_ = false;
    flowActive_ = false;
    if (newGame) ++gameSerial_;
}

bool GameController::Deferred(std::function<void()> command) {
    if (!message_) return false;
    // The box shows at once, over the last move standing whole.
    if (animating_) {
        animating_ = false;
        emit animationCut();
    }
    afterMessage_.push_back(std::move(command));
    Advance();
    return true;
}

void GameController::SetStepsOn(bool menu, bool buttons) {
    stepMenuOn_ = menu;
    stepButtonsOn_ = buttons;
}

void GameController::UpdateSteps() {
    const auto& g = state_;
    if (g.NetworkGame) {
        SetStepsOn(false, false);
        return;
    }
    if (g.Tracker && g.Tracker->count() > 0) SetStepsOn(true, true);
}

// --- Commands ---------------------------------------------------------------------

void GameController::SetValues(const GameValues& values) {
    PutGameValues(state_, values);
    EmitCommandsIfChanged();
}

void GameController::MakePractice() { state_.PracticeGame = true; }

void GameController::NewGame() {
    if (stopped_ || Thinking()) return;
    if (Deferred([this] { NewGame(); })) return;
    Command([this] {
        Reset();
        emit positionReplaced();
        flowActive_ = true;
    });
}

void GameController::Reset() {
    Replace(true);
    reversi::NewGame(state_);
    browsing_.SetActive(false);
    SetStepsOn(false, false);
    EmitCommandsIfChanged();
}

void GameController::SetBrowsing(bool active) { browsing_.SetActive(active); }

void GameController::SetSideNames(const std::string& white, const std::string& black) {
    reversi::SetSideNames(state_, white, black);
}

void GameController::SetMoveList(MoveListView* list) {
    if (state_.Tracker) state_.Tracker->SetMoveList(list);
}

void GameController::ReleaseRecord() {
    auto& g = state_;
    if (!g.Tracker) return;
    g.Tracker->SetMoveList(nullptr);
    g.Tracker.reset();
}

FileResult GameController::SaveMatch(const std::string& file) const {
    return state_.Tracker->SaveToFile(state_, file);
}

bool GameController::PlayerMove(int square) {
    bool played = false;
    Command([&] {
        if (message_ || animating_ || !PlayerMayPlay(square)) return;
        auto& g = state_;
        // As long as the computer replies, no step through the record.
        if (g.VsComputer) SetStepsOn(false, false);
        const int n = g.BoardSize;
        PlaceMove(square);
        if (g.NetworkGame) emit moveToSend(SquareColumn(square, n), SquareRow(square, n));
        Account();
        updateStepsAtRest_ = true;
        played = true;
    });
    return played;
}

void GameController::PeerMove(int x, int y) {
    Command([&] {
        if (!PeerMayPlay(x, y)) return;
        // Played by the flow, after the last move's animation.
        peerSquare_ = SquareIndex(x, y, state_.BoardSize);
    });
}

void GameController::Hint() {
    Command([this] {
        if (!HintAllowed()) return;
        RunEngine(SearchPurpose::Hint);
    });
}

void GameController::ShowStep(bool shown) {
    if (!shown) return;
    emit positionReplaced();
}

void GameController::Undo() {
    if (Deferred([this] { Undo(); })) return;
    Command([this] { ShowStep(browsing_.Undo(state_).has_value()); });
}

void GameController::Redo() {
    if (Deferred([this] { Redo(); })) return;
    Command([this] { ShowStep(browsing_.Redo(state_).has_value()); });
}

void GameController::JumpTo(int line) {
    if (Deferred([this, line] { JumpTo(line); })) return;
    Command([this, line] { ShowStep(browsing_.JumpTo(state_, line).has_value()); });
}

void GameController::ReturnToLast() {
    if (Deferred([this] { ReturnToLast(); })) return;
    Command([this] { ShowStep(browsing_.ReturnToLast(state_).has_value()); });
}

bool GameController::ContinueFromShown() {
    bool continued = false;
    Command([&] {
        // The practice question has been answered yes (or was not asked).
        const auto outcome = browsing_.ContinueFromShown(state_, [] { return true; });
        if (outcome != TBrowsing::ContinueOutcome::Continued) return;
        continued = true;
        emit statusChanged();
        // As after the player's move: no steps while the computer replies.
        if (state_.VsComputer) {
            SetStepsOn(false, false);
            updateStepsAtRest_ = true;
        }
        flowActive_ = true;
    });
    return continued;
}

void GameController::ResumeMatch() {
    Command([this] {
        if (state_.GameOver || !ComputersTurn()) return;
        SetStepsOn(false, false);
        updateStepsAtRest_ = true;
        flowActive_ = true;
    });
}

void GameController::ProcessTurn(bool SkipFirstCount) {
    Command([&] {
        if (stopped_ || state_.GameOver) return;
        if (!SkipFirstCount) {
            Account();
            return;
        }
        flowActive_ = true;
    });
}

void GameController::TakeMatch(SavedMatch&& match) {
    Command([&] {
        Replace(true);
        auto& g = state_;
        g.Tracker->TakeMatch(g, std::move(match));
        g.BoardSize = g.Tracker->boardsize();
        g.GameOver = false;
        g.SideToMove = CellWhite;
        SelectEngine(g);
        InitBoards(g);
        UpdateSteps();
        g.Tracker->GoToStart(g);
        browsing_.Refresh(state_);
        browsing_.SetActive(true);
        emit positionReplaced();
    });
}

void GameController::StartNetworkGame(bool localBlack, int boardSize) {
    Command([&] {
        Replace(true);
        auto& g = state_;
        g.BoardSize = boardSize;
        reversi::NewGame(state_);
        browsing_.SetActive(false);
        SetStepsOn(false, false);
        g.NetworkGame = true;
        g.VsComputer = false;
        // In a network game the "computer side" is the local player's colour.
        g.ComputerSide = localBlack ? CellBlack : CellWhite;
        emit positionReplaced();
    });
}

void GameController::EndNetworkGame(const GameValues& local) {
    Command([&] {
        auto& g = state_;
        g.NetworkGame = false;
        // Opponent and colour return to the settings' values.
        g.VsComputer = local.vsComputer;
        g.ComputerSide = ToCell(local.computerSide);
        UpdateSteps();
        emit statusChanged();
    });
}

void GameController::WhenNoMessage(std::function<void()> command) {
    if (Deferred(command)) return;
    command();
}

void GameController::StopThinking() {
    if (!search_ && !state_.SearchThread && !state_.ThreadRunning) return;
    // A stopped search answers "no move"; joining it here means nothing
    // freed afterwards can still be in use by it.
    reversi::StopSearch(state_);
    FinishSearch(state_);
    const bool was = search_.has_value();
    search_.reset();
    if (was) emit thinkingChanged(false);
}

void GameController::Stop() {
    StopThinking();
    stopped_ = true;
    state_.GameOver = true;
    message_.reset();
    afterMessage_.clear();
    reply_.reset();
    peerSquare_.reset();
}

// --- What the window reports ---------------------------------------------------------

void GameController::MoveShown() {
    Command([this] { animating_ = false; });
}

void GameController::MessageClosed() {
    Command([this] {
        if (!message_ || !message_->open) return;
        const PendingMessage closed = std::move(*message_);
        message_.reset();
        // A counted game opens the statistics on the entry it was counted in.
        if (closed.result) statisticsDue_ = closed.entry;
        emit turnMessageDone();
    });
}

}  // namespace reversi

// The game flow: the turn loop, the computer's move on its search thread,
// and the one path by which every move reaches the board.
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

namespace reversi {

namespace {
// Sound effects of the game flow.
constexpr int EffectEndgame = 3;
constexpr int EffectMove = 5;
constexpr int EffectStMove = 7;
// White's fixed first move when the computer opens: E6 on 8 x 8, D5 on 10 x 10.
constexpr int FirstMove8 = 53;
constexpr int FirstMove10 = 54;
}  // namespace

void TReversiForm::PlaceMove(int square) {
    auto& g = Game();
    const int me = g.SideToMove;
    const int opp = OtherSide();
    SaveOldBoard();
    // Recorded before the board changes: the record keeps the position before.
    g.Tracker->AddMove(square, me, opp);
    g.Boards[0][static_cast<std::size_t>(square)] = static_cast<std::uint8_t>(me);
    MakeMove(g.Boards[0], square, me, opp);
    ShowMoveCounter();
    if (g.AnimationOn && g.FiguresStyle == 0) PlaySoundEffect(EffectMove);
    StartMoveAnimation();
    if (!g.AnimationOn) PlaySoundEffect(EffectStMove);
}

bool TReversiForm::CountAndSwitchSide() {
    auto& g = Game();
    if (!g.AnimationOn) {
        // Without animation the board is redrawn here at once.
        DrawBoard();
        update();
    }
    const tBoard& board = g.Boards[0];
    const int n = g.BoardSize;
    int white = 0, black = 0;
    bool whiteCanMove = false, blackCanMove = false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int sq = SquareIndex(x, y, n);
            if (board[sq] == CellWhite) ++white;
            if (board[sq] == CellBlack) ++black;
            if (!whiteCanMove) whiteCanMove = CanMove(board, sq, CellWhite, CellBlack);
            if (!blackCanMove) blackCanMove = CanMove(board, sq, CellBlack, CellWhite);
        }
    const QString whiteName = QString::fromStdString(GetWhiteName());
    const QString blackName = QString::fromStdString(GetBlackName());
    StatusPanels[1]->setText(
        QStringLiteral("%1 %2 : %3 %4").arg(whiteName).arg(white).arg(blackName).arg(black));
    g.SideToMove = 5 - g.SideToMove;

    if (!whiteCanMove && !blackCanMove) {
        StatusPanels[0]->setText(QStringLiteral("Game over"));
        // Over before the message shows, so nothing that runs while it is
        // open can continue this game.
        g.GameOver = true;
        PlaySoundEffect(EffectEndgame);
        if (white == black) {
            GameMessages().ShowFinal(this, 2, 0, 0);
        } else if (black > white) {
            GameMessages().ShowFinal(this, 1, black, white);
        } else {
            GameMessages().ShowFinal(this, 0, white, black);
        }
        if (g.VsComputer && !g.PracticeGame && !g.NetworkGame) {
            const int computer = g.ComputerSide == CellWhite ? white : black;
            const int human = g.ComputerSide == CellWhite ? black : white;
            RecordGameResult(computer == human ? 0 : computer > human ? 2 : 1);
        }
        return false;
    }
    // One pass at most per cycle: the side switched to always has a move.
    if (g.SideToMove == CellWhite && !whiteCanMove) {
        g.SideToMove = CellBlack;
        PlaySoundEffect(EffectEndgame);
        GameMessages().ShowFinal(this, 3, 0, 0);
    } else if (g.SideToMove == CellBlack && !blackCanMove) {
        g.SideToMove = CellWhite;
        PlaySoundEffect(EffectEndgame);
        GameMessages().ShowFinal(this, 4, 0, 0);
    }
    const QString mover = g.SideToMove == CellBlack ? blackName : whiteName;
    StatusPanels[0]->setText(mover + QStringLiteral(" is moving"));
    ReversiStatusBar->repaint();
    return true;
}

void TReversiForm::ProcessTurn(bool SkipFirstCount) {
    auto& g = Game();
    bool count = !SkipFirstCount;
    while (!g.GameOver) {
        if (count && !CountAndSwitchSide()) return;
        count = true;
        if (g.GameOver) return;  // the window closed while a message was open

        if (!g.VsComputer || g.SideToMove != g.ComputerSide) {
            if (g.NetworkGame)
                BoardWidget->setCursor(IsPlayersTurn() ? Qt::ArrowCursor : Qt::WaitCursor);
            return;
        }

        // The computer's turn.
        BoardWidget->setCursor(Qt::WaitCursor);
        const tBoard searched = g.Boards[0];
        const int side = g.SideToMove;
        const int answer = RunEngine();
        if (JustStartedNetGame) {
            JustStartedNetGame = false;
        } else {
            BoardWidget->setCursor(Qt::ArrowCursor);
        }

        if (answer != PassMove) {
            // The player's move may still be animating: show the reply after it.
            while (g.AnimationOn && MoveAnimationEnabled) {
                if (AsyncTimerAnimation == nullptr || !AsyncTimerAnimation->Enabled()) {
                    StopMoveAnimation();  // nothing would ever end it
                    break;
                }
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                if (g.GameOver || HelpMoveNoMoves1st) return;
            }
            // The answer is for the position searched and nothing else: a
            // position replaced meanwhile (new game, load, undo) drops it.
            if (g.GameOver || g.Boards[0] != searched || g.SideToMove != side) return;
            if (IsPlayingSquare(answer, g.BoardSize) && CanMove(g.Boards[0], answer, side, 5 - side))
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
    if (g.FirstMove && g.SideToMove == CellWhite && CanMove(g.Boards[0], opening, CellWhite, CellBlack)) {
        SpeedButtonUndo->setEnabled(true);
        SpeedButtonRedo->setEnabled(true);
        answer = opening;
    } else {
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

void TReversiForm::DisableUndoRedo() {
    ListMenuUndoMove->setEnabled(false);
    ListMenuRedoMove->setEnabled(false);
    SpeedButtonUndo->setEnabled(false);
    SpeedButtonRedo->setEnabled(false);
}

void TReversiForm::UpdateUndoRedo() {
    if (Game().NetworkGame) {
        DisableUndoRedo();
        return;
    }
    if (Game().Tracker && Game().Tracker->count() > 0) {
        ListMenuUndoMove->setEnabled(true);
        ListMenuRedoMove->setEnabled(true);
        SpeedButtonUndo->setEnabled(true);
        SpeedButtonRedo->setEnabled(true);
    }
}

void TReversiForm::RecordGameResult(int result) {
    if (GameResultRecorded) GameResultRecorded(result);
    // The statistics count the result here and open their window.
}

void TReversiForm::SetGameMessages(std::unique_ptr<TGameMessages> messages) {
    if (messages) gameMessages_ = std::move(messages);
}

void TReversiForm::MusicPingTimerTimer() {
    // Starts the next music file when one has ended: music player work.
}

void TReversiForm::FirstDelayAsyncTimerTimer() {
    // Starts the auto-repeat of a held undo or redo button: move list work.
}

void TReversiForm::RepeatAsyncTimerTimer() {
    // One undo or redo step while the button is held: move list work.
}

}  // namespace reversi

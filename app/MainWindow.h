// The main window: the board, the move list with its buttons, the menus and
// the status bar, and the life of the program from creation to shutdown.
// It wires the subsystems together and turns what the engine answers into
// texts, sounds and dialogs; the rules and the turn accounting live in the
// engine, each other subsystem in a class of its own.
//
// The class is spread over several files by concern:
//   MainWindowLife.cpp      creation, activation, close and destruction
//   MainWindowMenus.cpp     the menu tree and its texts
//   MainWindowMoveList.cpp  the move list panel with its tool bar
//   MainWindowStatus.cpp    the status bar and the hints shown in it
//   MainWindowSettings.cpp  the settings value and what follows a change of it
//   MainWindowBoard.cpp     the board area, its size and its input hooks
//   MainWindowGame.cpp      the turn loop, the engine call and placing a move
//   MainWindowInput.cpp     mouse, keys, hint, new game and the peer's move
//   MainWindowAnimation.cpp the animation tick and the right-click help
//   MainWindowSound.cpp     playing the sound effects
//   MainWindowFiles.cpp     opening a saved match
//   MainWindowNetwork.cpp   network play: the session, its dialogs and the network game
#pragma once

#include <array>
#include <memory>

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>

#include "BoardAnimations.h"
#include "BoardPainter.h"
#include "BoardView.h"
#include "CommandLine.h"
#include "FileDialogs.h"
#include "GameMessages.h"
#include "KeySequenceMatcher.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SoundEffects.h"
#include "SoundLayer.h"
#include "StatisticsTable.h"
#include "TurnAccounting.h"

class QAction;
class QDialog;
class QEventLoop;
class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QMouseEvent;
class QStatusBar;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class QWidget;

namespace reversi {

namespace graphics {
class TAsyncTimer;
}
class BusyPanel;
class MovesListAdapter;
class NetworkSession;
class TCallDlg;
class TCallReq;
class TRemoteField;
class TSendDlg;
class TSideDlg;

class TReversiForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TReversiForm(QWidget* parent = nullptr);
    ~TReversiForm() override;

    // Square size and its half: 61 / 30 on the 8 x 8 field, 49 / 25 on 10 x 10.
    static constexpr int SquareSizeFor(int boardSize) { return boardSize == 10 ? 49 : 61; }

    // --- What the window shows --------------------------------------------
    bool LowResolution() const { return lowResolution_; }
    int SquareSize() const { return SqSize; }
    int SquareHalf() const { return SqHalf; }
    // Width the move list adds to the client area (0 while it is hidden).
    int MovesListWidth() const { return movesListWidth_; }
    // Browsing an earlier position of the match record.
    bool Browsing() const { return UndoRedoF; }
    // The text of status panel 0, 1 or 2.
    QString StatusPanelText(int panel) const;
    // Size of the board area: field size x square size + 44 each way.
    int BoardAreaSize() const;
    // Width of the move list panel when shown: its list plus a scroll bar.
    int MovesListPanelWidth() const;
    // The square under the pointer (column, row).
    QPoint CursorSquare() const { return {painter_.NewPosX, painter_.NewPosY}; }
    // Board-widget point of the centre of square (x, y).
    QPoint SquareCentre(int x, int y) const;
    platform::BoardView* BoardWidget() const { return boardWidget_; }
    const graphics::BoardPainter& Painter() const { return painter_; }
    const graphics::BoardAnimations& Animations() const { return animations_; }
    const TFileDialogSetup& OpenDialogSetup() const { return OpenListDialog; }
    const TFileDialogSetup& SaveDialogSetup() const { return SaveListDialog; }

    // --- The settings -------------------------------------------------------
    const Settings& CurrentSettings() const { return settings_; }
    // Takes a new settings value: the menu check marks and the animations
    // follow it at once. (Changes that restart the game or reload pictures
    // are the settings dialog's business.)
    void ChangeSettings(const Settings& settings);

    // --- Commands -------------------------------------------------------------
    // Sets the square size from the field size, sizes the board area, the
    // move list and the status panels by the window size rule, and keeps the
    // window's centre when it is already on screen.
    void SizeWindowToField();
    // Loads the picture sets for the field size and styles; throws
    // PictureError, naming the file, when a picture is missing or damaged.
    void LoadPictureSets();
    // Composes the whole board in the back buffer and puts it on screen.
    void DrawBoard();
    void NewGameItemClick();
    void HintItemClick();
    // The player's keys on the board: Return, Enter and Space play the
    // cursor square, the arrows move it, Escape minimises.
    void FormKeyDown(int key);
    // The peer's move at column x, row y: played when it is legal for the
    // side to move and nothing else runs.
    void ApplyRemoteMove(int x, int y);
    // Runs the mouse tracking for a point of the board widget, as a mouse
    // move there would (also used where the pointer is warped).
    void MouseMoveAt(QPoint point);
    // Warps the pointer to the centre of square (x, y) and tracks it there.
    void PointAtSquare(int x, int y);
    // Reads a saved match into the record and sets the window up for it.
    // False when the file is no match or could not be read (a message has
    // then been shown for a damaged or unreadable file).
    bool LoadMatch(const QString& FileName);

    // The network session (tests set its address and port and read its state).
    NetworkSession& NetSession() const { return *Session; }

    // Replaces the presenter of the modal game messages (tests).
    void SetGameMessages(std::unique_ptr<TGameMessages> messages);
    // The animation tick's interval in milliseconds (tests run it faster).
    void SetAnimationInterval(int milliseconds);

signals:
    // Each sound effect the game asks for while sound is on (also without
    // an audio device).
    void soundPlayed(platform::TSoundEffect effect);
    // A finished game against the computer that counts: not practice, not
    // a network game.
    void gameResultRecorded(PlayerResult result);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Creation steps, in the order the constructor runs them. FormCreate
    // throws when the start cannot complete (a picture is missing).
    void CreateComponents();
    void FormCreate();
    void CreateMenus();
    void CreateMoveListPanel();
    void CreateStatusBar();
    void SetupTexts();
    void LoadSettings();
    void LoadStatistics();
    void ApplyCommandLine();
    void StartSound();
    void BindGameFlowItems();
    void ShowNewGameStatus();

    // Shutdown steps.
    void FormClose();
    void FormDestroy();
    void SaveSettingsOnClose();

    // Window life handlers.
    void FormActivate();
    void TipShowTimerTimer();
    void DisplayHint(const QString& hint);
    void AboutItemClick();
    void ExitItemClick();
    void MusicPingTimerTimer();
    void FirstDelayAsyncTimerTimer();
    void RepeatAsyncTimerTimer();
    void AsyncTimerAnimationTimer();

    // Board input hooks: mouse events on the board widget arrive here.
    void FormMouseDown(QMouseEvent* e);
    void FormMouseMove(QMouseEvent* e);
    void FormClick();
    void FirstBoardPaint();
    void OpenCommandLineGame(const QString& file);

    // The game flow.
    // The turn loop: counts, passes, game end, the computer's reply.
    void ProcessTurn(bool SkipFirstCount);
    // One cycle's accounting of the turn loop; false when the game is over.
    bool CountAndSwitchSide();
    // Shows what the engine answered for a turn: the status texts, the pass
    // or result message with its sound, and the count of a finished game.
    void ShowTurnOutcome(const TurnOutcome& outcome);
    // Runs the search for the side to move and waits for its answer while the
    // window keeps handling events.
    int RunEngine();
    // Asks a running search to stop and waits until its thread has ended.
    void StopSearchAndWait();
    // Makes a move that is legal for the side to move: the one path of the
    // player's click, the peer's move and the computer's answer.
    void PlaceMove(int square);
    // Waits, handling events, until a running move animation has ended.
    // False when the wait was cut short (the game ended or the position
    // changed meanwhile).
    bool WaitForMoveAnimation();
    // The colour whose square a click on the board plays now, if any: the
    // side to move, unless it is the computer's or the peer's turn.
    bool PlayerMayMove() const;
    void SetGameItemsEnabled(bool enabled);
    void DisableUndoRedo();
    void UpdateUndoRedo();
    void SetBrowsing(bool browsing);
    // Status panel 2: "Move " + moves applied + "/" + moves stored.
    void ShowMoveCounter();
    // Status panels 0 and 1 from the position: whose turn or "Game over",
    // and the score. Changes no game state.
    void ShowScoreAndTurn();
    void ShowScore(const PositionCounts& counts);
    void ShowMover(Side side);
    void PlaySoundEffect(platform::TSoundEffect effect);
    void RecordGameResult(PlayerResult result);
    TGameMessages& GameMessages() { return *gameMessages_; }
    // The painter and the animations take the look settings from here.
    void ApplyLookToGraphics();

    // --- Components -----------------------------------------------------------
    QMenu* GameMenu = nullptr;
    QAction* NewGameItem = nullptr;
    QAction* HintItem = nullptr;
    QAction* OptionsItem = nullptr;
    QAction* ExitItem = nullptr;

    QMenu* Media1 = nullptr;
    QMenu* Figures1 = nullptr;
    QAction* SelFig1 = nullptr;
    QMenu* Cursor1 = nullptr;
    QAction* SelCur1 = nullptr;
    QAction* SelCur2 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* SelHlp1 = nullptr;
    QMenu* Border1 = nullptr;
    QAction* SelBrdr1 = nullptr;
    QAction* SelBrdr2 = nullptr;
    QAction* Animation1 = nullptr;
    QAction* Sound1 = nullptr;
    QAction* Music1 = nullptr;
    QAction* Soundvolume1 = nullptr;
    QAction* Musicsource1 = nullptr;

    QMenu* NetMenu = nullptr;
    QAction* NetMenuConnect = nullptr;
    QAction* NetMenuListing = nullptr;
    QAction* NetMenuDisconnect = nullptr;
    QAction* NetMenuSendMessage = nullptr;
    QAction* NetMenuShowIP = nullptr;

    QMenu* ListMenu = nullptr;
    QAction* ListMenuUndoMove = nullptr;
    QAction* ListMenuRedoMove = nullptr;
    QAction* ShowMoves1 = nullptr;
    QAction* ListMenuSave = nullptr;
    QAction* ListMenuLoad = nullptr;

    QMenu* HelpMenu = nullptr;
    QAction* RulersItem = nullptr;
    QAction* DayTipMenuItem = nullptr;
    QAction* Statistics1 = nullptr;
    QAction* AboutItem = nullptr;

    QStatusBar* ReversiStatusBar = nullptr;
    std::array<QLabel*, 3> StatusPanels{};

    TFileDialogSetup OpenListDialog;
    TFileDialogSetup SaveListDialog{.Save = true, .Title = {}, .Filter = {}};

    QWidget* ClientArea = nullptr;
    platform::BoardView* boardWidget_ = nullptr;
    QWidget* MovesListPanel = nullptr;
    QWidget* Panel1 = nullptr;
    QListWidget* MovesListBox = nullptr;
    QFrame* BtnsToolBar = nullptr;
    QToolButton* SpeedButtonUndo = nullptr;
    QToolButton* SpeedButtonRedo = nullptr;
    QToolButton* SpeedButtonFromThis = nullptr;
    QToolButton* SpeedButtonFromEnd = nullptr;

    QTimer* TipShowTimer = nullptr;
    QTimer* MusicPingTimer = nullptr;
    // Thread-driven timers: auto-repeat of the undo and redo buttons (first
    // delay, then repeat) and the animations.
    graphics::TAsyncTimer* FirstDelayAsyncTimer = nullptr;
    graphics::TAsyncTimer* RepeatAsyncTimer = nullptr;
    graphics::TAsyncTimer* AsyncTimerAnimation = nullptr;
    QSystemTrayIcon* TrayIcon = nullptr;

    // --- State ------------------------------------------------------------------
    SettingsStore store_;
    Settings settings_;
    TStatisticsTable statistics_;
    // The painter composes the back buffer from the game's position; the
    // animations draw through it (nothing while browsing).
    graphics::BoardPainter painter_;
    graphics::BoardAnimations animations_{
        painter_, [this] { return UndoRedoF; },
        [this] { if (boardWidget_ != nullptr) boardWidget_->setCursor(Qt::ArrowCursor); }};
    std::unique_ptr<MovesListAdapter> movesListAdapter_;
    std::unique_ptr<TGameMessages> gameMessages_ = std::make_unique<TModalGameMessages>();
    // Sound output and the eight effects; the music stream and its channel.
    platform::SoundLayer Sound;
    platform::SoundEffects Effects;
    platform::MusicStream MusicStream;

    int SqSize = 61;
    int SqHalf = 30;
    int movesListWidth_ = 0;
    bool MovesVisible = true;
    bool UndoRedoF = false;
    // What the command line asked for, done when the window is first shown.
    CommandLineAction pendingCommand_;
    bool ToolTipWasShown = false;
    // The wait of RunEngine, quit by the search's completion.
    QEventLoop* searchWait_ = nullptr;
    unsigned searchSerial_ = 0;
    bool lowResolution_ = false;
    bool closed_ = false;
    bool created_ = false;

    // --- Network ---
    // Creates the session and the network dialogs and binds the Network menu.
    void CreateNetwork();
    // Takes the port from the settings and listens unless listening is off.
    void StartNetwork();
    // The Network menu's items from the session's state.
    void ApplyNetMenuStates();
    void NetMenuConnectClick();
    void NetMenuListingClick();
    void NetMenuDisconnectClick();
    void NetMenuSendMessageClick();
    void NetMenuShowIPClick();
    // A link has started or a caller was turned away: the window comes up.
    void BringToFront();
    void CallRequested(const QString& callerName, bool localBlack, bool field10);
    void NetGameStarted(bool localBlack, bool field10);
    // A new network game on the call's terms (the lock is already taken).
    void StartNetGame();
    // The link is over: back to a local game; abandoned: the peer left.
    void EndNetGame(bool abandoned);
    // The lock of a network game on the game settings (hint, save, open, the
    // settings dialog's game controls, undo and redo).
    void SetGameSettingsLocked(bool locked);
    // Changes the field size for a network game: pictures, window, back buffer.
    // False, after a message, when the pictures cannot be loaded.
    bool ChangeFieldSize(int boardSize);
    void ChatReceived(const QString& text);
    void RemoteBoardReceived(const QByteArray& boardText);
    // The typed characters go to the hidden key sequences.
    void FormKeyPress(const QString& typed);
    void RunHiddenAction(HiddenAction action);
    // A "NETWORK: " message: a plain box that does not stop the window.
    void ShowNetworkMessage(const QString& text);
    // Opens a dialog over the window without a nested event loop.
    void OpenCentred(QDialog* dialog);

    NetworkSession* Session = nullptr;
    TSideDlg* SideDlg = nullptr;
    TCallDlg* CallDlg = nullptr;
    TCallReq* CallReq = nullptr;
    TSendDlg* SendDlg = nullptr;
    QPointer<TRemoteField> RemoteField;
    BusyPanel* ConnectingPanel = nullptr;
    KeySequenceMatcher hiddenKeys_;
};

}  // namespace reversi

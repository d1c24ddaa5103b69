// The main window: the board, the move list with its buttons, the menus and
// the status bar, and the life of the program from creation to shutdown.
//
// The class is spread over several files by concern:
//   MainWindowLife.cpp      creation, activation, close and destruction
//   MainWindowMenus.cpp     the menu tree and its texts
//   MainWindowMoveList.cpp  the move list panel with its tool bar
//   MainWindowStatus.cpp    the status bar and the hints shown in it
//   MainWindowSettings.cpp  settings read at start and written at close
//   MainWindowBoard.cpp     the board area, its size and its input hooks
//   MainWindowGame.cpp      the turn loop, the engine call and placing a move
//   MainWindowInput.cpp     mouse, keys, hint, new game and the peer's move
//   MainWindowAnimation.cpp the animation tick and the right-click help
//   MainWindowSound.cpp     playing the sound effects
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>

#include "AsyncTimer.h"
#include "Board.h"
#include "BoardAnimations.h"
#include "BoardPainter.h"
#include "BoardView.h"
#include "FileDialogs.h"
#include "GameMessages.h"
#include "SoundEffects.h"
#include "SoundLayer.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QKeyEvent;
class QMouseEvent;
class QStatusBar;
class QSystemTrayIcon;
class QTcpServer;
class QTcpSocket;
class QTimer;
class QFrame;
class QToolButton;
class QWidget;

namespace reversi {

namespace graphics {
class TAsyncTimer;
}
class MovesListAdapter;

class TReversiForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TReversiForm(QWidget* parent = nullptr);
    ~TReversiForm() override;

    // Square size and its half: 61 / 30 on the 8 x 8 field, 49 / 25 on 10 x 10.
    static constexpr int SquareSizeFor(int boardSize) { return boardSize == 10 ? 49 : 61; }

    // --- Read by tests and by the other parts of the window ---------------
    bool LowResolution() const { return lowResolution_; }
    int SqSize = 61;
    int SqHalf = 30;
    // Width the move list adds to the client area (0 while it is hidden).
    int MovesListWidth = 0;
    bool MovesVisible = true;
    // Browsing an earlier position of the match record.
    bool UndoRedoF = false;

    // Sets the square size from the field size, sizes the board area, the
    // move list and the status panels by the window size rule, and keeps the
    // window's centre when it is already on screen.
    void SizeWindowToField();
    // Size of the board area: field size x square size + 44 each way.
    int BoardAreaSize() const;
    // Width of the move list panel when shown: its list plus a scroll bar.
    int MovesListPanelWidth() const;
    // The text of status panel 0, 1 or 2.
    QString StatusPanelText(int panel) const;

    // --- Game flow hooks ---------------------------------------------------
    // Loads the picture sets for the field size and styles; throws
    // PictureError, naming the file, when a picture is missing or damaged.
    void LoadPictureSets();
    // Composes the whole board in the back buffer and puts it on screen.
    void DrawBoard();
    // The turn loop: counts, passes, game end, the computer's reply.
    void ProcessTurn(bool SkipFirstCount);
    // Runs the search for the side to move and waits for its answer while the
    // window keeps handling events.
    int RunEngine();
    // Asks a running search to stop and waits until its thread has ended.
    void StopSearchAndWait();
    // Makes a move that is legal for the side to move: the one path of the
    // player's click, the peer's move and the computer's answer.
    void PlaceMove(int square);
    // The player's input, the hint, a new game and the peer's move.
    void FormKeyDown(int key);
    void HintItemClick();
    void NewGameItemClick();
    void ApplyRemoteMove();
    // Runs the mouse tracking for a point of the board widget, as a mouse
    // move there would (also used where the pointer is warped).
    void MouseMoveAt(QPoint point);
    // Warps the pointer to the centre of square (x, y) and tracks it there.
    void PointAtSquare(int x, int y);
    // Board-widget point of the centre of square (x, y).
    QPoint SquareCentre(int x, int y) const;
    void DisableUndoRedo();
    void UpdateUndoRedo();
    // Plays sound effect 0..7 when sound is on.
    void PlaySoundEffect(int index);
    // Replaces the presenter of the modal game messages (tests).
    void SetGameMessages(std::unique_ptr<TGameMessages> messages);
    TGameMessages& GameMessages() { return *gameMessages_; }
    // Called with each effect played (tests).
    std::function<void(int)> SoundPlayed;
    // Counts a finished game against the computer that is not practice: 0
    // tie, 1 the player won, 2 the computer won. The statistics fill this in.
    void RecordGameResult(int result);
    // Called with each result counted (tests).
    std::function<void(int)> GameResultRecorded;

    // The animations' entry points under the names the game flow uses.
    void SaveOldBoard() { Animations.SaveOldBoard(); }
    void StartMoveAnimation() { Animations.StartMoveAnimation(); }
    void StopMoveAnimation() { Animations.StopMoveAnimation(); }
    void ClearHelpMarks() { Animations.ClearHelpMarks(); }
    // Status panel 2: "Move " + moves applied + "/" + moves stored.
    void ShowMoveCounter();
    // Status panels 0 and 1 from the position: whose turn or "Game over",
    // and the score. Changes no game state.
    void ShowScoreAndTurn();
    // Reads a saved match into the record and sets the window up for it.
    // False when the file is no match or could not be read (a message has
    // then been shown for a damaged or unreadable file).
    bool LoadMatch(const QString& FileName);

    // --- Components (named as the rest of the program addresses them) -----
    QMenu* GameMenu = nullptr;
    QAction* NewGameItem = nullptr;
    QAction* HintItem = nullptr;
    QAction* OptionsItem = nullptr;
    QAction* GameMenuSeparator = nullptr;
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
    QAction* N2 = nullptr;
    QAction* Animation1 = nullptr;
    QAction* Sound1 = nullptr;
    QAction* Music1 = nullptr;
    QAction* N4 = nullptr;
    QAction* Soundvolume1 = nullptr;
    QAction* Musicsource1 = nullptr;

    QMenu* NetMenu = nullptr;
    QAction* NetMenuConnect = nullptr;
    QAction* NetMenuListing = nullptr;
    QAction* NetMenuDisconnect = nullptr;
    QAction* N6 = nullptr;
    QAction* NetMenuSendMessage = nullptr;
    QAction* N3 = nullptr;
    QAction* NetMenuShowIP = nullptr;

    QMenu* ListMenu = nullptr;
    QAction* ListMenuUndoMove = nullptr;
    QAction* ListMenuRedoMove = nullptr;
    QAction* ShowMoves1 = nullptr;
    QAction* N1 = nullptr;
    QAction* ListMenuSave = nullptr;
    QAction* ListMenuLoad = nullptr;

    QMenu* HelpMenu = nullptr;
    QAction* RulersItem = nullptr;
    QAction* DayTipMenuItem = nullptr;
    QAction* Statistics1 = nullptr;
    QAction* HelpMenuSeparator = nullptr;
    QAction* AboutItem = nullptr;

    QStatusBar* ReversiStatusBar = nullptr;
    std::array<QLabel*, 3> StatusPanels{};

    QTcpSocket* RevClientSocket = nullptr;
    QTcpServer* RevServerSocket = nullptr;
    TFileDialogSetup OpenListDialog;
    TFileDialogSetup SaveListDialog{.Save = true, .Title = {}, .Filter = {}};

    QWidget* ClientArea = nullptr;
    // The board on screen, the painter that composes the back buffer and the
    // board's animations (which draw nothing while browsing, and reset the
    // pointer when a move animation starts).
    platform::BoardView* BoardWidget = nullptr;
    graphics::BoardPainter Painter;
    graphics::BoardAnimations Animations{
        Painter, [this] { return UndoRedoF; },
        [this] { if (BoardWidget != nullptr) BoardWidget->setCursor(Qt::ArrowCursor); }};
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

    // --- Handlers of the window's life --------------------------------------
    void FormActivate();
    void TipShowTimerTimer();
    void DisplayHint(const QString& hint);
    void AboutItemClick();
    void ExitItemClick();
    void MusicPingTimerTimer();
    void FirstDelayAsyncTimerTimer();
    void RepeatAsyncTimerTimer();
    void AsyncTimerAnimationTimer();

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
    void ApplyCommandLine();
    void StartSound();
    // Binds "New" and "Hint" of the Game menu to the game flow.
    void BindGameFlowItems();
    void StartListening();
    void ShowNewGameStatus();

    // Shutdown steps.
    void FormClose();
    void FormDestroy();
    // Writes what the window keeps in the settings store at close.
    void SaveSettingsOnClose();

    // Board input hooks: mouse events on the board widget arrive here.
    void FormMouseDown(QMouseEvent* e);
    void FormMouseMove(QMouseEvent* e);
    void FormClick();
    void FirstBoardPaint();
    void OpenCommandLineGame();

    std::unique_ptr<MovesListAdapter> movesListAdapter_;
    std::unique_ptr<TGameMessages> gameMessages_ = std::make_unique<TModalGameMessages>();
    // One cycle's accounting of the turn loop; false when the game is over.
    bool CountAndSwitchSide();
    void SetGameItemsEnabled(bool enabled);
    // The wait of RunEngine, quit by the search's completion.
    class QEventLoop* searchWait_ = nullptr;
    unsigned searchSerial_ = 0;

    bool lowResolution_ = false;
    bool closed_ = false;
    bool created_ = false;

public:
    // --- Fields of the game flow, animation and network parts --------------
    // The cursor square and the animation state live in the painter and the
    // animations; these names reach them.
    int& OldPosX = Painter.OldPosX;
    int& OldPosY = Painter.OldPosY;
    int& NewPosX = Painter.NewPosX;
    int& NewPosY = Painter.NewPosY;
    std::array<int, 144>& animmap = Animations.animmap;
    tBoard& oldbrd = Animations.oldbrd;
    tBoard& WhereCanMove = Animations.WhereCanMove;
    int& animfrms = Painter.animfrms;
    bool ShutDownServerListing = true;
    bool isserver = false;
    bool connectflag = false;
    bool giveawaysend = false;
    bool needreopensrv = false;
    bool justconnecting = false;
    int NETPort = 8173;
    QString NETService;
    int chartcode = 0;
    int charttype = 0;
    bool& MoveAnimationEnabled = Animations.MoveAnimationEnabled;
    bool& CursorAnimationEnabled = Animations.CursorAnimationEnabled;
    bool& HelpAnimationEnabled = Animations.HelpAnimationEnabled;
    int& HelpMoveAnimFrame = Animations.HelpMoveAnimFrame;
    int& CurrentAnimFrame = Animations.CurrentAnimFrame;
    bool& HelpMoveNoMoves1st = Animations.HelpMoveNoMoves1st;
    bool JustStartedNetGame = false;
    int MF_t = 0, MF_l = 0, MF_w = 0, MF_h = 0;
    int RepeatButtonType = 0;
    bool RepeatButtonProcessed = false;
    bool ForceConnect = false;
    bool ForceLoadGame = false;
    QString ForceConnectStr;
    QString ForceLoadGameStr;
    bool ToolTipWasShown = false;
    // Sound output and the eight effects; the music stream and its channel.
    platform::SoundLayer Sound;
    platform::SoundEffects Effects;
    bool FSOUND_Inited = false;
    platform::MusicStream MusicStream;
    int MusicChannel = platform::SoundLayer::kNoChannel;
    bool FindFirstOk = false;
    int SoundVolume = 225;
    int MusicVolume = 120;
    QString MusicFolder;
};

}  // namespace reversi

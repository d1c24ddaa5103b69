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
//   MainWindowGame.cpp      the hooks of the turn loop and the engine call
#pragma once

#include <array>
#include <memory>

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "AsyncTimer.h"
#include "Board.h"
#include "BoardPainter.h"
#include "BoardView.h"
#include "FileDialogs.h"
#include "SoundEffects.h"
#include "SoundLayer.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
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
    // The turn loop: counts, passes, game end, the computer's reply.
    void ProcessTurn(bool SkipFirstCount);
    // Runs the search for the side to move and waits for its answer while the
    // window keeps handling events.
    int RunEngine();
    // Asks a running search to stop and waits until its thread has ended.
    void StopSearchAndWait();
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
    // The board on screen and the painter that composes the back buffer.
    platform::BoardView* BoardWidget = nullptr;
    graphics::BoardPainter Painter;
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
    void LoadPictureSets();
    void StartListening();
    void ShowNewGameStatus();
    void DrawBoard();

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

    bool lowResolution_ = false;
    bool closed_ = false;
    bool created_ = false;

public:
    // --- Fields of the game flow, animation and network parts --------------
    int OldPosX = 0, OldPosY = 0, NewPosX = 0, NewPosY = 0;
    std::array<int, 144> animmap{};
    tBoard oldbrd{};
    tBoard WhereCanMove{};
    int animfrms = 14;
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
    bool MoveAnimationEnabled = false;
    bool CursorAnimationEnabled = false;
    bool HelpAnimationEnabled = false;
    int HelpMoveAnimFrame = 0;
    int CurrentAnimFrame = 0;
    bool HelpMoveNoMoves1st = true;
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

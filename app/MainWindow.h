// The main window: the board, the move list with its buttons, the menus and
// the status bar, and the life of the program from creation to shutdown.
// It wires the subsystems together and turns what the game controller tells
// into the board, texts, sounds and dialogs; the game flow lives in the
// controller, the rules and the turn accounting in the engine, each other
// subsystem in a class of its own.
//
// The class is spread over several files by concern:
//   MainWindowLife.cpp      creation, activation, close and destruction
//   MainWindowMenus.cpp     the menu tree and its texts
//   MainWindowMoveList.cpp  the move list panel with its tool bar, its mouse
//                           handling, showing and hiding it, the held buttons
//   MainWindowStatus.cpp    the status bar and the hints shown in it
//   MainWindowSettings.cpp  the settings value and what follows a change of it
//   MainWindowBoard.cpp     the board area, its size and its input hooks
//   MainWindowGame.cpp      the game controller's signals on the board and in boxes
//   MainWindowInput.cpp     mouse, keys, hint, new game and the peer's move
//   MainWindowAnimation.cpp the animation tick and the right-click help
//   MainWindowSound.cpp     playing the sound effects
//   MainWindowFiles.cpp     saving, opening and dropping matches
//   MainWindowMedia.cpp     the music player, the media toggles, volumes and the tray
//   MainWindowInfo.cpp      the Info menu: statistics, tip of the day, rules
//   MainWindowIcons.cpp     the icons of the menu items and style sub-menus
//   MainWindowBrowse.cpp    undo, redo, browsing the record and continuing from it
//   MainWindowSideDlg.cpp   the settings dialog and the style items of the Media menu
//   MainWindowNetwork.cpp   network play: the session, its dialogs and the network game
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>

#include "AutoRepeat.h"
#include "BoardAnimations.h"
#include "BoardPainter.h"
#include "BoardPress.h"
#include "BoardView.h"
#include "CommandLine.h"
#include "FileDialogs.h"
#include "GameController.h"
#include "GameMessages.h"
#include "MusicPlayer.h"
#include "MusicSource.h"
#include "KeySequenceMatcher.h"
#include "NetInputHold.h"
#include "Settings.h"
#include "SideNames.h"
#include "SettingsStore.h"
#include "SoundEffects.h"
#include "SoundEvents.h"
#include "SoundLayer.h"
#include "StatisticsTable.h"
#include "TurnAccounting.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QDialog;
class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QMouseEvent;
class QStatusBar;
class QTimer;
class QToolButton;
class QWidget;

namespace reversi {

namespace graphics {
class TAsyncTimer;
}
class BusyPanel;
class TPictureLoading;
class TUncoverWatch;
class MovesListAdapter;
class TrayController;
class TVolumeDlg;
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

    // Square size: 61 on the 8 x 8 field, 49 on 10 x 10.
    static constexpr int SquareSizeFor(int boardSize) { return boardSize == 10 ? 49 : 61; }

    // --- What the window shows --------------------------------------------
    bool LowResolution() const { return lowResolution_; }
    int SquareSize() const { return SqSize; }
    // Width the move list adds to the client area (0 while it is hidden).
    int MovesListWidth() const { return movesListWidth_; }
    // Browsing an earlier position of the match record.
    bool Browsing() const { return game_.Browsing(); }
    // The game being played and its flow.
    const GameController& Controller() const { return game_; }
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
    void SizeWindowToField(int boardSize);
    // Loads the picture sets for the field size and styles; throws
    // PictureError, naming the file, when a picture is missing or damaged.
    void LoadPictureSets();
    void LoadPictureSets(int boardSize);
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
    bool LoadMatch(const std::filesystem::path& FileName);

    // The network session (tests set its address and port and read its state).
    NetworkSession& NetSession() const { return *Session; }

    // Replaces the presenter of the modal game messages (tests).
    void SetGameMessages(std::unique_ptr<TGameMessages> messages);
    // The animation tick's interval in milliseconds (tests run it faster).
    void SetAnimationInterval(int milliseconds);
    // The folder whose DATA the pictures are loaded from (the program's own
    // folder; tests give one with a damaged copy).
    void SetProgramFolder(const std::filesystem::path& folder) { programFolder_ = folder; }
    // Runs on the picture loader's thread before each reload reads its files
    // (tests slow the load with it).
    void SetPictureLoadHook(std::function<void()> hook);

    // --- Media -------------------------------------------------------------------
    // The music player, or none while there is no sound output.
    const MusicPlayer* Music() const { return musicPlayer_.get(); }
    // Plays the music through `output` from now on (tests; call before show).
    void SetMusicOutput(std::unique_ptr<platform::MusicOutput> output);
    // Replaces the question whether the desktop has a tray (tests).
    void SetTrayAvailableQuery(std::function<bool()> query);

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
    // A held step button lets go without a step: the held repetition stops
    // and both buttons are drawn up.
    void EndStepPress();
    void AsyncTimerAnimationTimer();

    // Board input hooks: mouse events on the board widget arrive here.
    void FormMouseDown(QMouseEvent* e);
    void FormMouseMove(QMouseEvent* e);
    void FormClick();
    void FirstBoardPaint();
    void OpenCommandLineGame(const std::filesystem::path& file);

    // The game flow: the controller's signals on the board, the status bar,
    // in sounds and boxes.
    void BindGame();
    // The position is about to change by a move / has changed by one.
    void ShowMove(int square, Side mover);
    // Another position stands on the board: no marks, no animation, the
    // status texts, the board drawn whole.
    void ShowReplacedPosition();
    // The three status panels and, in a network game, the waiting cursor,
    // from the controller's status: the one place these texts are made.
    void ShowStatus();
    // Status panel 2: "Move " + moves applied + "/" + moves stored.
    void ShowMoveCounter();
    // The menu items and buttons of the game follow the controller's commands.
    void ApplyGameCommands();
    // The pass or result box, opened without waiting in it; its close goes
    // back to the controller.
    void ShowTurnMessage(const TurnOutcome& outcome);
    // A notice in the status bar's single panel for ten seconds, over the
    // three panels; given before the window is up, it shows once it is.
    void ShowStatusNotice(const QString& text);
    void PlaySoundEffect(platform::TSoundEffect effect);
    // Counts a finished game in the statistics (the window opens later,
    // after the result message).
    void CountGameResult(PlayerResult result, const StatisticsEntry& entry);
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

    // --- State ------------------------------------------------------------------
    // The game being played; declared first of the state, so that it goes
    // last, once nothing that shows it remains.
    GameController game_;
    SettingsStore store_;
    Settings settings_;
    TStatisticsTable statistics_;
    // The painter composes the back buffer from the game's position; the
    // animations draw through it (nothing while browsing).
    graphics::BoardPainter painter_;
    graphics::BoardAnimations animations_{painter_, [this] { return game_.Browsing(); },
                                          [this] {
                                              if (boardWidget_ != nullptr)
                                                  boardWidget_->setCursor(Qt::ArrowCursor);
                                          }};
    std::unique_ptr<MovesListAdapter> movesListAdapter_;
    std::unique_ptr<TGameMessages> gameMessages_ = std::make_unique<TModalGameMessages>();
    // Sound output and the eight effects.
    platform::SoundLayer Sound;
    platform::SoundEffects Effects;

    int SqSize = 61;
    // The field the window, the pictures and the back buffer are sized for.
    int fieldSize_ = 8;
    // The colour names of the figures shown, for every text that names a colour.
    SideNames sideNames_;
    // Takes the colour names of the figure style: the texts, the dialogs and
    // the move list's lines follow.
    void TakeSideNames(int figuresStyle);
    int movesListWidth_ = 0;
    bool MovesVisible = true;
    // What the command line asked for, done when the window is first shown.
    CommandLineAction pendingCommand_;
    bool ToolTipWasShown = false;
    // In a network game the peer's moves, restarts and hang-up wait while
    // the player reads a pass or result box (a board request and chat do not).
    NetInputHold netHold_;
    bool lowResolution_ = false;
    bool closed_ = false;
    bool created_ = false;

    // --- Media ---
    void CreateMediaComponents();
    void StartMusicPlayer(std::unique_ptr<platform::MusicOutput> output);
    // The player follows the music settings (folder, volume, switch).
    void ApplyMediaSettings();
    // Stops the music and takes the icon out of the tray (closing).
    void StopMedia();
    // The effect of a game event, when it has one and sound is on.
    void PlaySoundAt(SoundEvent event);
    void Animation1Click();
    void Sound1Click();
    void Music1Click();
    void Soundvolume1Click();
    void Musicsource1Click();
    void changeEvent(QEvent* e) override;
    void AppOnMin();
    void AppOnRest();
    void RestoreFromTray();

    std::unique_ptr<MusicPlayer> musicPlayer_;
    TVolumeDlg* VolumeForm = nullptr;
    TrayController* tray_ = nullptr;
    std::function<bool()> trayAvailable_;
    std::unique_ptr<TFolderChooser> folderChooser_;
    // --- Info menu ---
    void BindInfoItems();
    void Statistics1Click();
    void DayTipMenuItemClick();
    void RulersItemClick();
    // Shows the tip of the day and keeps and stores its values.
    void ShowDayTip();

    // --- Menu icons ---
    void SetMenuIcons();
    // --- Browsing and the move list -------------------------------------------
    void ListMenuUndoMoveClick();
    void ListMenuRedoMoveClick();
    void SpeedButtonFromThisClick();
    void SpeedButtonFromEndClick();
    // A board click while browsing: keep browsing or continue from here or
    // from the last position.
    void AnswerHistoryChoice();
    // Connects the list, its buttons, the Match menu items and the
    // auto-repeat timers (created first) to their handlers.
    void BindMoveListPanel();
    void MovesListBoxMouseDown(Qt::MouseButton button, int y);
    void MovesListBoxMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int y);
    void ScrollMovesList(bool down);
    int MovesListTopIndex() const;
    void ShowMoves1Click();
    // The square a click at a board-widget point plays (over the border the
    // tracked square's coordinate); none outside the board widget.
    std::optional<QPoint> SquareUnder(QPoint point) const;

    TAutoRepeat autoRepeat_{nullptr, nullptr, {}};
    TBoardPress boardPress_;

    // --- Saved matches ---
    void BindFileItems();
    void ListMenuSaveClick();
    void ListMenuLoadClick();
    // The file dialog of Match > Open..., then the match chosen.
    void ChooseAndOpenMatch();
    // Loads a match and shows it at its last position; the computer moves
    // when the match stands at its turn. False when nothing was loaded.
    bool OpenMatch(const std::filesystem::path& file);
    static QString NotAMatchMessage(const std::filesystem::path& file);
    // The first dropped file when it is a local saved match.
    static std::optional<std::filesystem::path> DroppedMatchFile(const QMimeData* data);
    void dragEnterEvent(QDragEnterEvent* e) override;
    // While connected to a peer: asks whether to end the network game, and
    // ends it on Yes. True when the caller may go on.
    bool MayAbortNetworkGame();
    void dropEvent(QDropEvent* e) override;
    // --- Settings dialog ---
    // Game > Settings: shows the dialog on the settings in force; OK applies
    // what it shows, any other close puts its controls back.
    void OptionsItemClick();
    // The dialog itself, once no box of the game is due.
    void EditSettings();
    // The settings value with the game values of the game being played
    // (outside a network game, where the link owns them).
    Settings SettingsInForce() const;
    // Carries out confirming the dialog: current is what it was opened on.
    void ApplySettings(const Settings& current, Settings chosen);
    // A style item of the Media menu: takes the styles of chosen.
    void ApplyLookStyles(const Settings& chosen);
    // Loads every picture set for the styles of look and the field boardSize
    // into pictures behind the "Loading..." panel. False, after a message
    // naming the file, when a picture could not be loaded.
    bool LoadPicturesBehindPanel(const Settings& look, int boardSize,
                                 graphics::PictureSets& pictures);
    // The load itself behind the given panel, off the main thread: the
    // message naming the file, or empty when every picture loaded.
    QString LoadPicturesBehind(BusyPanel& panel, QPoint topLeft, const Settings& look,
                               int boardSize, graphics::PictureSets& pictures);
    // Puts loaded pictures in place, sizes the window for the field boardSize
    // (keeping its centre) and recreates the back buffer.
    void TakePictures(graphics::PictureSets&& pictures, int boardSize);
    void BindSettingsItems();
    TSideDlg* SideDlg = nullptr;
    BusyPanel* LoadingPanel = nullptr;
    TPictureLoading* pictureLoading_ = nullptr;
    // What a closed dialog covered, to be painted before a reload starts.
    TUncoverWatch* uncoverWatch_ = nullptr;
    std::filesystem::path programFolder_ = graphics::ProgramFolder();
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
    // The lock of a network game on the settings dialog's game controls
    // (hint, save, open, undo and redo follow the controller's commands).
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
    QDialog* ShowNetworkMessage(const QString& text);
    // Opens a dialog over the window without a nested event loop.
    void OpenCentred(QDialog* dialog);

    NetworkSession* Session = nullptr;
    TCallDlg* CallDlg = nullptr;
    TCallReq* CallReq = nullptr;
    TSendDlg* SendDlg = nullptr;
    QPointer<TRemoteField> RemoteField;
    BusyPanel* ConnectingPanel = nullptr;
    KeySequenceMatcher hiddenKeys_;
};

}  // namespace reversi

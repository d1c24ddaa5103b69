// The window's components, the board area with its size, and the hooks the
// board's mouse events and first paint are routed to.
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>

#include "AsyncTimer.h"
#include "BusyPanel.h"
#include "UncoverWait.h"
#include "ButtonIcons.h"
#include "DialogMinimiseWatch.h"
#include "BoardView.h"
#include "CallDialog.h"
#include "EngineUnit.h"
#include "MainWindow.h"
#include "PictureLoading.h"
#include "WindowPlacement.h"
#include "SideUnit.h"

namespace reversi {

void TReversiForm::CreateComponents() {
    CreateMenus();
    CreateStatusBar();

    ClientArea = new QWidget(this);
    setCentralWidget(ClientArea);

    // The board area: the back buffer inside its frames. Its mouse events
    // reach the window's handlers through the event filter; it takes the
    // keyboard focus, so the keys reach the window's key handler.
    boardWidget_ = new platform::BoardView(ClientArea);
    boardWidget_->setObjectName(QStringLiteral("BoardWidget"));
    boardWidget_->setFocusPolicy(Qt::StrongFocus);
    boardWidget_->installEventFilter(this);
    painter_.SetPresenter(boardWidget_);
    painter_.SetPosition(&game_.Position());
    connect(boardWidget_, &platform::BoardView::firstPainted, this, &TReversiForm::FirstBoardPaint);

    CreateMoveListPanel();

    CreateNetwork();

    auto makeAsyncTimer = [this](int interval, void (TReversiForm::*handler)()) {
        auto* timer = new graphics::TAsyncTimer(this);
        timer->SetInterval(interval);
        timer->SetThreadPriority(QThread::TimeCriticalPriority);
        timer->SetOnTimer([this, handler](graphics::TAsyncTimer&) { (this->*handler)(); });
        return timer;
    };
    FirstDelayAsyncTimer = makeAsyncTimer(500, &TReversiForm::FirstDelayAsyncTimerTimer);
    RepeatAsyncTimer = makeAsyncTimer(40, &TReversiForm::RepeatAsyncTimerTimer);
    AsyncTimerAnimation = makeAsyncTimer(40, &TReversiForm::AsyncTimerAnimationTimer);
    BindMoveListPanel();

    TipShowTimer = new QTimer(this);
    TipShowTimer->setObjectName(QStringLiteral("TipShowTimer"));
    TipShowTimer->setInterval(250);
    connect(TipShowTimer, &QTimer::timeout, this, &TReversiForm::TipShowTimerTimer);
    MusicPingTimer = new QTimer(this);
    MusicPingTimer->setInterval(250);
    connect(MusicPingTimer, &QTimer::timeout, this, &TReversiForm::MusicPingTimerTimer);

    setWindowIcon(PaintProgramIcon());
    CreateMediaComponents();

    // The settings dialog lives as long as the window; the busy panel shows
    // over the board while pictures load.
    SideDlg = new TSideDlg(this);
    LoadingPanel = new BusyPanel(BusyKind::Loading, ClientArea);
    LoadingPanel->setObjectName(QStringLiteral("LoadingPanel"));
    pictureLoading_ = new TPictureLoading(*this);
    uncoverWatch_ = new TUncoverWatch(*this);
    // A dialog minimised by the window manager takes the window with it.
    new TDialogMinimiseWatch(*this);
    BindSettingsItems();

    // The window follows the fixed size of its client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

int TReversiForm::BoardAreaSize() const { return fieldSize_ * SqSize + 44; }

void TReversiForm::SizeWindowToField() { SizeWindowToField(game_.BoardSize()); }

void TReversiForm::SizeWindowToField(int boardSize) {
    fieldSize_ = boardSize;
    SqSize = SquareSizeFor(boardSize);
    const int area = BoardAreaSize();
    boardWidget_->setFixedSize(area, area);
    boardWidget_->move(0, 0);
    MovesListPanel->setGeometry(area, 0, MovesListPanelWidth(), area);
    MovesListPanel->setVisible(MovesVisible && movesListWidth_ > 0);

    // The window keeps its centre when its size changes.
    const QRect before = frameGeometry();
    ClientArea->setFixedSize(area + movesListWidth_, area);
    layout()->activate();
    if (isVisible()) move(RecentredGeometry(before, frameGeometry().size()).topLeft());
}

void TReversiForm::LoadPictureSets() { LoadPictureSets(game_.BoardSize()); }

void TReversiForm::LoadPictureSets(int boardSize) {
    // Throws PictureError, naming the file, when a picture is missing or damaged.
    const Settings& s = settings_;
    // The colour names come with the figures, even when their sheet is missing.
    TakeSideNames(s.FiguresStyle);
    graphics::LoadAllPictures(painter_.Pictures(), s.BoardBorderStyle, s.FiguresStyle, s.HelpStyle,
                              boardSize, programFolder_);
    painter_.TheCursor().SetCursorStyle(s.CursorStyle);
}

void TReversiForm::TakeSideNames(int figuresStyle) {
    const graphics::ColourNames names = graphics::FigureColourNames(figuresStyle);
    sideNames_ = {.white = QString::fromStdString(names.white),
                  .black = QString::fromStdString(names.black)};
    game_.SetSideNames(names.white, names.black);
    if (SideDlg != nullptr) SideDlg->SetSideNames(sideNames_);
    if (CallDlg != nullptr) CallDlg->SetSideNames(sideNames_);
}

void TReversiForm::DrawBoard() {
    if (painter_.Geometry().N != game_.BoardSize() || painter_.BackBuffer().Width() == 0) {
        painter_.CreateBackBuffer(game_.BoardSize());
    }
    painter_.DrawBoard();
    painter_.PresentBuffer();
}

bool TReversiForm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == boardWidget_) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
                FormMouseDown(static_cast<QMouseEvent*>(e));
                [[fallthrough]];
            case QEvent::MouseButtonDblClick:
                // Where the left button went down (a double click's second press too).
                if (const auto* m = static_cast<QMouseEvent*>(e); m->button() == Qt::LeftButton)
                    boardPress_.Press(SquareUnder(m->position().toPoint()));
                break;
            case QEvent::MouseButtonRelease: {
                // The click plays the square under the pointer: track it first, in
                // case no move event reported it (a click without a move). Only a
                // release over the pressed square is a click.
                const auto* m = static_cast<QMouseEvent*>(e);
                if (m->button() == Qt::LeftButton &&
                    boardPress_.Release(SquareUnder(m->position().toPoint()))) {
                    FormMouseMove(static_cast<QMouseEvent*>(e));
                    FormClick();
                }
                break;
            }
            case QEvent::MouseMove:
                FormMouseMove(static_cast<QMouseEvent*>(e));
                break;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TReversiForm::FirstBoardPaint() {
    // The first paint arms the tip of the day, 250 ms later.
    if (!ToolTipWasShown) TipShowTimer->start();
}

}  // namespace reversi

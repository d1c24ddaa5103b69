// The window's components, the board area with its size, and the hooks the
// board's mouse events and first paint are routed to.
#include <QFileDialog>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "ButtonIcons.h"
#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::CreateComponents() {
    CreateMenus();
    CreateStatusBar();

    ClientArea = new QWidget(this);
    setCentralWidget(ClientArea);

    // The board area. The board widget itself comes with the board graphics;
    // until then this keeps its place, dark and inert.
    BoardWidget = new QWidget(ClientArea);
    BoardWidget->setAutoFillBackground(true);
    QPalette dark = BoardWidget->palette();
    dark.setColor(QPalette::Window, QColor(20, 20, 20));
    BoardWidget->setPalette(dark);
    BoardWidget->setMouseTracking(true);
    BoardWidget->installEventFilter(this);

    CreateMoveListPanel();

    RevClientSocket = new QTcpSocket(this);
    RevServerSocket = new QTcpServer(this);

    OpenListDialog = new QFileDialog(this);
    OpenListDialog->setAcceptMode(QFileDialog::AcceptOpen);
    OpenListDialog->setFileMode(QFileDialog::ExistingFile);
    OpenListDialog->setDefaultSuffix(QStringLiteral("kzv"));
    SaveListDialog = new QFileDialog(this);
    SaveListDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveListDialog->setDefaultSuffix(QStringLiteral("kzv"));

    TipShowTimer = new QTimer(this);
    TipShowTimer->setInterval(250);
    connect(TipShowTimer, &QTimer::timeout, this, &TReversiForm::TipShowTimerTimer);
    MusicPingTimer = new QTimer(this);
    MusicPingTimer->setInterval(250);
    connect(MusicPingTimer, &QTimer::timeout, this, &TReversiForm::MusicPingTimerTimer);

    setWindowIcon(PaintProgramIcon());
    TrayIcon = new QSystemTrayIcon(windowIcon(), this);

    // The window follows the fixed size of its client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

int TReversiForm::BoardAreaSize() const { return Game().BoardSize * SqSize + 44; }

void TReversiForm::SizeWindowToField() {
    SqSize = SquareSizeFor(Game().BoardSize);
    SqHalf = Game().BoardSize == 10 ? 25 : 30;
    const int area = BoardAreaSize();
    BoardWidget->setGeometry(0, 0, area, area);
    MovesListPanel->setGeometry(area, 0, MovesListWidth, area);
    MovesListPanel->setVisible(MovesVisible && MovesListWidth > 0);

    // The window keeps its centre when its size changes.
    const QRect before = frameGeometry();
    const QSize oldSize = size();
    ClientArea->setFixedSize(area + MovesListWidth, area);
    layout()->activate();
    if (isVisible()) {
        const QSize grown = size() - oldSize;
        move(before.x() - grown.width() / 2, before.y() - grown.height() / 2);
    }
}

void TReversiForm::LoadPictureSets() {
    // The border, figure and help-mark pictures and the cursor style are
    // loaded here once the picture sets exist.
}

void TReversiForm::DrawBoard() {
    // Composes the back buffer once the board graphics exist.
    BoardWidget->update();
}

bool TReversiForm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == BoardWidget) {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            FormMouseDown(static_cast<QMouseEvent*>(e));
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) FormClick();
            break;
        case QEvent::MouseMove:
            FormMouseMove(static_cast<QMouseEvent*>(e));
            break;
        case QEvent::Paint:
            if (!ToolTipWasShown && !TipShowTimer->isActive()) FirstBoardPaint();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TReversiForm::FirstBoardPaint() {
    // The first paint arms the tip of the day, 250 ms later.
    TipShowTimer->start();
}

void TReversiForm::FormMouseDown(QMouseEvent*) {
    // Right-button help marks: animation work.
}

void TReversiForm::FormMouseMove(QMouseEvent*) {
    // Cursor tracking over the squares: player input work.
}

void TReversiForm::FormClick() {
    // A click on a square plays a move: player input work.
}

}  // namespace reversi

// The move list panel at the right of the board: the list itself and the
// tool bar with the undo, redo and continue buttons under it; the list's
// mouse handling, showing and hiding the panel, and the held step buttons.
#include <QAction>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

#include "AsyncTimer.h"
#include "ButtonIcons.h"
#include "EngineUnit.h"
#include "EventHook.h"
#include "MainWindow.h"
#include "MoveListBox.h"
#include "MoveListDelegate.h"
#include "MoveListPointer.h"
#include "MovesListAdapter.h"

namespace reversi {

namespace {

QToolButton* AddSpeedButton(QFrame* bar, ButtonIcon icon, const char* name) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(PaintButtonIcon(icon));
    button->setFixedSize(45, 22);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->layout()->addWidget(button);
    return button;
}

}  // namespace

void TReversiForm::CreateMoveListPanel() {
    MovesListPanel = new QWidget(ClientArea);
    MovesListPanel->setObjectName(QStringLiteral("MovesListPanel"));
    auto* row = new QHBoxLayout(MovesListPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // A one-pixel line between the board and the list.
    Panel1 = new QWidget(MovesListPanel);
    Panel1->setFixedWidth(1);
    row->addWidget(Panel1);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    row->addLayout(column);

    auto* listBox = new TMoveListBox(MovesListPanel);
    MovesListBox = listBox;
    MovesListBox->setObjectName(QStringLiteral("MovesListBox"));
    MovesListBox->setFocusPolicy(Qt::NoFocus);
    MovesListBox->setUniformItemSizes(true);
    MovesListBox->setSpacing(0);
    // The list draws its own highlight; the platform's selection plays no part.
    MovesListBox->setSelectionMode(QAbstractItemView::NoSelection);
    MovesListBox->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    MovesListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MovesListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont listFont(QStringLiteral("Monospace"));
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPixelSize(13);
    MovesListBox->setFont(listFont);
    listBox->SetColours(QColor(85, 74, 67), QColor(58, 25, 0));
    column->addWidget(MovesListBox, 1);
    movesListAdapter_ = std::make_unique<MovesListAdapter>(MovesListBox);

    // A plain strip rather than a movable tool bar: the four 45-pixel buttons
    // fill the list's width exactly, inside a border of 2 pixels.
    BtnsToolBar = new QFrame(MovesListPanel);
    BtnsToolBar->setObjectName(QStringLiteral("BtnsToolBar"));
    BtnsToolBar->setFixedHeight(30);
    auto* buttons = new QHBoxLayout(BtnsToolBar);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(0);
    SpeedButtonUndo = AddSpeedButton(BtnsToolBar, ButtonIcon::Undo, "SpeedButtonUndo");
    SpeedButtonRedo = AddSpeedButton(BtnsToolBar, ButtonIcon::Redo, "SpeedButtonRedo");
    SpeedButtonFromThis = AddSpeedButton(BtnsToolBar, ButtonIcon::FromThis, "SpeedButtonFromThis");
    SpeedButtonFromEnd = AddSpeedButton(BtnsToolBar, ButtonIcon::FromEnd, "SpeedButtonFromEnd");
    SpeedButtonUndo->setEnabled(false);
    SpeedButtonRedo->setEnabled(false);
    buttons->addStretch(1);
    column->addWidget(BtnsToolBar);
}

void TReversiForm::BindMoveListPanel() {
    MovesListBox->setItemDelegate(new MoveListDelegate(
        [this] { return movesListAdapter_ ? movesListAdapter_->HighlightedLine() : -1; },
        MovesListBox));
    // The list's mouse goes to the window's handlers only, so the list never
    // moves its own current line.
    MovesListBox->viewport()->setMouseTracking(true);
    TEventHook::Install(MovesListBox->viewport(), this, [this](QObject*, QEvent* e) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                const auto* m = static_cast<QMouseEvent*>(e);
                MovesListBoxMouseDown(m->button(), qRound(m->position().y()));
                return true;
            }
            case QEvent::MouseMove: {
                const auto* m = static_cast<QMouseEvent*>(e);
                MovesListBoxMouseMove(m->buttons(), m->modifiers(), qRound(m->position().y()));
                return true;
            }
            case QEvent::MouseButtonRelease:
                return true;
            default:
                return false;
        }
    });

    // The step buttons have no click: presses and releases drive the
    // auto-repeat, which makes every step. While the steps are closed a
    // press does nothing.
    autoRepeat_ = TAutoRepeat(FirstDelayAsyncTimer, RepeatAsyncTimer, [this](RepeatButton b) {
        if (b == RepeatButton::Undo) ListMenuUndoMoveClick();
        if (b == RepeatButton::Redo) ListMenuRedoMoveClick();
    });
    auto hookStepButton = [this](QToolButton* button, RepeatButton which) {
        TEventHook::Install(button, this, [this, which](QObject*, QEvent* e) {
            // Only presses and releases are looked at: the button's other
            // events come also while the window is being taken down.
            const bool press =
                e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
            const bool release = e->type() == QEvent::MouseButtonRelease;
            if ((!press && !release) || !game_.Commands().stepButtons) return false;
            if (press) autoRepeat_.Press(which);
            if (release) autoRepeat_.Release(which);
            return false;
        });
    };
    hookStepButton(SpeedButtonUndo, RepeatButton::Undo);
    hookStepButton(SpeedButtonRedo, RepeatButton::Redo);

    connect(SpeedButtonFromThis, &QToolButton::clicked, this,
            &TReversiForm::SpeedButtonFromThisClick);
    connect(SpeedButtonFromEnd, &QToolButton::clicked, this,
            &TReversiForm::SpeedButtonFromEndClick);
    connect(ListMenuUndoMove, &QAction::triggered, this, &TReversiForm::ListMenuUndoMoveClick);
    connect(ListMenuRedoMove, &QAction::triggered, this, &TReversiForm::ListMenuRedoMoveClick);
    connect(ShowMoves1, &QAction::triggered, this, &TReversiForm::ShowMoves1Click);
}

int TReversiForm::MovesListTopIndex() const {
    // The list scrolls by whole lines: the scroll value is the top line.
    return MovesListBox->verticalScrollBar()->value();
}

void TReversiForm::ScrollMovesList(bool down) {
    MovesListBox->verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderSingleStepAdd
                                                          : QAbstractSlider::SliderSingleStepSub);
}

void TReversiForm::MovesListBoxMouseDown(Qt::MouseButton button, int y) {
    if (button != Qt::LeftButton || !movesListAdapter_) return;
    const MoveListPress press = PressOnMoveList(
        y, MoveListDelegate::ItemHeight, MovesListTopIndex(), movesListAdapter_->LineCount(),
        movesListAdapter_->HighlightedLine(), MovesListBox->viewport()->height(), game_.StepsAllowed());
    switch (press.action) {
        case MoveListPress::Action::None:
            return;
        case MoveListPress::Action::ReturnToLast:
            SpeedButtonFromEndClick();
            return;
        case MoveListPress::Action::JumpTo:
            game_.JumpTo(press.line);
            if (press.scrollUp) ScrollMovesList(false);
            if (press.scrollDown) ScrollMovesList(true);
            return;
    }
}

void TReversiForm::MovesListBoxMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                         int y) {
    if (!movesListAdapter_) return;
    const Qt::CursorShape shape =
        MoveListCursor(y, MoveListDelegate::ItemHeight, MovesListTopIndex(),
                       movesListAdapter_->LineCount(), game_.StepsAllowed());
    MovesListBox->viewport()->setCursor(shape);
    // Dragging with the left button jumps from line to line.
    if (shape == Qt::PointingHandCursor && DragsThroughMoves(buttons, modifiers))
        MovesListBoxMouseDown(Qt::LeftButton, y);
}

void TReversiForm::ShowMoves1Click() {
    MovesVisible = !MovesVisible;
    movesListWidth_ = MovesVisible ? MovesListPanelWidth() : 0;
    ShowMoves1->setChecked(MovesVisible);
    // The board area stays; the window narrows or widens around it and
    // keeps its centre.
    SizeWindowToField();
}

void TReversiForm::FirstDelayAsyncTimerTimer() { autoRepeat_.FirstDelayElapsed(); }

void TReversiForm::RepeatAsyncTimerTimer() { autoRepeat_.RepeatElapsed(); }

void TReversiForm::EndStepPress() {
    if (autoRepeat_.Held() == RepeatButton::None) return;
    autoRepeat_.Cancel();
    SpeedButtonUndo->setDown(false);
    SpeedButtonRedo->setDown(false);
}

int TReversiForm::MovesListPanelWidth() const {
    // The list is as wide as 172 pixels plus its vertical scroll bar.
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 172;
}

}  // namespace reversi

// The move list panel at the right of the board: the list itself and the
// tool bar with the undo, redo and continue buttons under it.
#include <QHBoxLayout>
#include <QListWidget>
#include <QStyle>
#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

#include "ButtonIcons.h"
#include "MainWindow.h"
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

    MovesListBox = new QListWidget(MovesListPanel);
    MovesListBox->setObjectName(QStringLiteral("MovesListBox"));
    MovesListBox->setFocusPolicy(Qt::NoFocus);
    MovesListBox->setUniformItemSizes(true);
    MovesListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MovesListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont listFont(QStringLiteral("Monospace"));
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPixelSize(13);
    MovesListBox->setFont(listFont);
    QPalette listColours = MovesListBox->palette();
    listColours.setColor(QPalette::Base, QColor(85, 74, 67));
    listColours.setColor(QPalette::Text, QColor(58, 25, 0));
    MovesListBox->setPalette(listColours);
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

int TReversiForm::MovesListPanelWidth() const {
    // The list is as wide as 172 pixels plus its vertical scroll bar.
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 172;
}

}  // namespace reversi

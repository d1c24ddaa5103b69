// The status bar: three panels (whose turn, score, move counter), replaced
// by one line of text while a menu item or button hint is shown, or for a
// while by a notice.
#include <utility>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "MenuHintWatch.h"

namespace reversi {

namespace {

// How long a notice stays in the status bar.
constexpr int NoticeMs = 10000;

// A notice given before the window is up would lie under the panels, which
// show with the window: this one waits for the window to be shown, then goes.
class NoticeOnShow : public QObject {
public:
    NoticeOnShow(QStatusBar* bar, QWidget* window, QString text)
        : QObject(window), bar_(bar), text_(std::move(text)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show && !shown_) {
            shown_ = true;
            bar_->showMessage(text_, NoticeMs);
            deleteLater();
        }
        return false;
    }

private:
    QStatusBar* bar_;
    QString text_;
    bool shown_ = false;
};

}  // namespace

void TReversiForm::CreateStatusBar() {
    ReversiStatusBar = statusBar();
    ReversiStatusBar->setSizeGripEnabled(false);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(13);
    ReversiStatusBar->setFont(fixed);

    // Panels 0 and 1 take four tenths of the width each, panel 2 one fifth.
    auto* panels = new QWidget(ReversiStatusBar);
    auto* row = new QHBoxLayout(panels);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const std::array<int, 3> stretch{4, 4, 2};
    for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
        auto* label = new QLabel(panels);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(0);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        row->addWidget(label, stretch[i]);
        StatusPanels[i] = label;
    }
    ReversiStatusBar->addWidget(panels, 1);
    // The bar hides the panels under a message in a way its own relayout
    // undoes (a widget put back into a layout is shown again), so a notice
    // given as the window shows could end up under the panels: they follow
    // the message themselves, hidden while there is one.
    connect(ReversiStatusBar, &QStatusBar::messageChanged, panels,
            [panels](const QString& message) { panels->setVisible(message.isEmpty()); });
    ReversiStatusBar->setFixedHeight(std::max(20, ReversiStatusBar->sizeHint().height()));

    // A menu's hint is current only while the menu is open: once it has
    // closed, however, the panels come back.
    auto* menuHints = new MenuHintWatch(menuBar());
    connect(menuHints, &MenuHintWatch::hintShown, this, &TReversiForm::DisplayHint);
    connect(menuHints, &MenuHintWatch::hintEnded, this, [this] { DisplayHint(QString()); });
}

QString TReversiForm::StatusPanelText(int panel) const {
    if (panel < 0 || panel >= static_cast<int>(StatusPanels.size())) return {};
    return StatusPanels[static_cast<std::size_t>(panel)]->text();
}

void TReversiForm::ShowStatusNotice(const QString& text) {
    if (isVisible()) {
        ReversiStatusBar->showMessage(text, NoticeMs);
    } else {
        new NoticeOnShow(ReversiStatusBar, this, text);
    }
}

void TReversiForm::DisplayHint(const QString& hint) {
    if (hint.isEmpty()) {
        ReversiStatusBar->clearMessage();
    } else {
        ReversiStatusBar->showMessage(hint);
    }
}

}  // namespace reversi

// The start-up form: 252 x 125 pixels without a border, the 254 x 127 logo
// centred in it (one pixel lost on every side).
#include "StartUpLogo.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include "IntroResources.h"

namespace reversi::intro {

namespace {

class TStartUpForm : public QWidget {
public:
    explicit TStartUpForm(QImage picture)
        : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
          picture_(std::move(picture)) {
        setObjectName(QStringLiteral("StartUpForm"));
        setFixedSize(252, 125);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        p.drawImage(QPoint((width() - picture_.width()) / 2, (height() - picture_.height()) / 2),
                    picture_);
    }

private:
    QImage picture_;
};

}  // namespace

StartUpLogo::StartUpLogo() {
    QImage picture = QImage::fromData(StartUpLogoJpeg(), "JPG");
    if (picture.isNull()) return;  // no picture: start without a logo
    form_ = std::make_unique<TStartUpForm>(std::move(picture));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = form_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        form_->move(frame.topLeft());
    }
    form_->show();
    // Shown and painted at once: the event loop does not run until the
    // program's windows are built.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    form_->repaint();
}

StartUpLogo::~StartUpLogo() {
    if (form_) form_->hide();
}

}  // namespace reversi::intro

// The about box: the intro animation in a sunken frame; a click or the
// window's close closes it, no key does.
#pragma once

#include <memory>
#include <optional>

#include <QDialog>
#include <QImage>
#include <QString>

class QWidget;

namespace reversi::graphics {
class TAsyncTimer;
}

namespace reversi::intro {

class IntroAssets;
class IntroRenderer;
class IntroThread;

// Opens the about box modally over `owner` and returns when it is closed.
// When the intro's resources cannot be loaded, the error is shown first and
// the box opens without the animation.
void ShowAboutBox(QWidget* owner);

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);
    ~TAboutBox() override;

    // Empty when the intro started; otherwise the message of what failed.
    const QString& StartError() const { return startError_; }
    // The frame as last put on screen (380 x 260), null before the first.
    const QImage& FrameImage() const { return image_; }
    // Whether the animation thread runs: from creation until the box closes.
    bool Animating() const { return thread_ != nullptr; }

    // Closing the box (a click, the window's close) also stops the animation
    // and joins its thread.
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Keys do not close the box: Escape and Enter are not the dialog's here.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void StartIntro();
    void StopIntro();
    // Renders when the animation moved (or always, when forced) and keeps the
    // frame as an image; returns whether a new frame was made.
    bool RenderIntroFrame(bool force);

    std::unique_ptr<IntroAssets> assets_;
    std::unique_ptr<IntroRenderer> renderer_;
    std::unique_ptr<IntroThread> thread_;
    graphics::TAsyncTimer* timer_ = nullptr;  // child
    QImage image_;
    QString startError_;
};

}  // namespace reversi::intro

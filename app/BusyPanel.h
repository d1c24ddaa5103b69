#pragma once
// The small "busy" panel shown in the middle of the main window while it
// reloads its pictures ("Loading...") or places a network call
// ("Connecting..."): 200 x 60 pixels, a picture and a blinking caption. A
// widget of the main thread, animated by a 50 ms timer.

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <QWidget>

namespace reversi {

enum class BusyKind { Loading, Connecting };

class BusyPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 60;
    static constexpr int kFrameMs = 50;

    // A hidden panel on `parent` (the main window's client area).
    BusyPanel(BusyKind kind, QWidget* parent);

    // The panel's top-left in a client area of `clientSize` above a status bar
    // of `statusBarHeight`: centred, raised by half the status bar.
    [[nodiscard]] static QPoint PlaceIn(QSize clientSize, int statusBarHeight);
    [[nodiscard]] static QString CaptionFor(BusyKind kind);

    // Shows the panel at `topLeft` and paints its first frame at once, so it is
    // seen even when the caller goes straight into slow work.
    void Start(QPoint topLeft);
    // Hides it; the window's next paint covers where it was.
    void Stop();

    [[nodiscard]] BusyKind Kind() const { return kind_; }
    [[nodiscard]] bool IsRunning() const { return timer_.isActive(); }
    // The frame counter: 0..240, one step per 50 ms, then back to 0.
    [[nodiscard]] int Frame() const { return frame_; }
    // The caption shows for 12 frames and hides for 12 (0.6 s each).
    [[nodiscard]] static bool CaptionShownAt(int frame) { return frame % 24 < 12; }
    [[nodiscard]] bool IsCaptionShown() const { return CaptionShownAt(frame_); }
    [[nodiscard]] const QPixmap& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void NextFrame();

    BusyKind kind_;
    QPixmap picture_;
    QTimer timer_;
    int frame_ = 0;
};

}  // namespace reversi

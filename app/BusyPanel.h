#pragma once
// The small "busy" panel shown in the middle of the main window while it
// reloads its pictures ("Loading...") or places a network call
// ("Connecting..."): 200 x 60 pixels, a picture and a blinking caption. A
// widget of the main thread, animated by a 50 ms timer.
//
// One busy panel shows at a time: a panel started while another panel of the
// same window shows (a reload while a call is being placed) covers it, and
// the covered one comes back, still running, when the newer one stops.

#include <QPixmap>
#include <QPoint>
#include <QPointer>
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
    // A panel that goes while running gives way as Stop does.
    ~BusyPanel() override;

    // The panel's top-left in a client area of `clientSize` above a status bar
    // of `statusBarHeight`: centred, raised by half the status bar.
    [[nodiscard]] static QPoint PlaceIn(QSize clientSize, int statusBarHeight);
    [[nodiscard]] static QString CaptionFor(BusyKind kind);

    // Shows the panel at `topLeft` and paints its first frame at once, so it is
    // seen even when the caller goes straight into slow work. A panel of the
    // same window that shows is hidden meanwhile.
    void Start(QPoint topLeft);
    // Hides it; the window's next paint covers where it was. The panel it
    // covered shows again, when that one still runs.
    void Stop();

    [[nodiscard]] BusyKind Kind() const { return kind_; }
    // Started and not yet stopped (also while another panel covers it).
    [[nodiscard]] bool IsRunning() const { return running_; }
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
    // Hides the panel that shows on the same window, if any, and keeps it.
    void CoverShownPanel();
    // Shows the panel at its place, kept as an offset from the window's centre
    // so that it stays centred when the window was resized meanwhile.
    void ShowAtPlace();

    BusyKind kind_;
    QPixmap picture_;
    QTimer timer_;
    int frame_ = 0;
    bool running_ = false;
    QPoint offsetFromCentre_;
    QPointer<BusyPanel> covered_;
};

}  // namespace reversi

// The picture reload behind the "Loading..." panel, slowed by a hook on the
// loader's thread: the panel blinks while the files load, the window takes
// no input meanwhile, and what was loaded is taken only at the end.
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "BusyPanel.h"
#include "PlayTestSupport.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;
using test::GameSetup;
using test::PlayingWindow;

// Holds the loader's thread until released, at most `limit`, so that a test
// that never releases it fails instead of hanging.
class LoadGate {
public:
    void Hold() {
        thread_ = QThread::currentThread();
        entered_ = true;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!released_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        timedOut_ = !released_;
    }
    void Release() { released_ = true; }
    bool Entered() const { return entered_; }
    bool TimedOut() const { return timedOut_; }
    QThread* Thread() const { return thread_; }

private:
    std::atomic<bool> entered_{false};
    std::atomic<bool> released_{false};
    std::atomic<bool> timedOut_{false};
    std::atomic<QThread*> thread_{nullptr};
};

// The pixels of the panel's caption box, as the panel paints them now.
QImage CaptionPixels(BusyPanel& panel) {
    return panel.grab()
        .toImage()
        .copy(QRect(50, 20, 120, 20))
        .convertToFormat(QImage::Format_RGB32);
}

TEST(PictureLoading, ThePanelBlinksWhileASlowedLoadRunsAndTheWindowTakesNoInput) {
    PlayingWindow w(GameSetup{.computerSide = CellBlack});
    auto* panel = Child<BusyPanel>(*w.form, "LoadingPanel");
    LoadGate gate;
    w.form->SetPictureLoadHook([&gate] { gate.Hold(); });

    const int movesBefore = w.Game().Tracker->count();
    const auto legal = w.LegalSquares();
    ASSERT_FALSE(legal.empty());
    std::set<QByteArray> captions;
    int ticksWhileLoading = 0;
    bool clicked = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!gate.Entered() || !panel->isVisible()) return;
        ++ticksWhileLoading;
        const QImage caption = CaptionPixels(*panel);
        captions.insert(
            QByteArray(reinterpret_cast<const char*>(caption.constBits()), caption.sizeInBytes()));
        if (!clicked) {
            // The player clicks a legal square and asks for the settings
            // (F4): neither may start anything.
            clicked = true;
            w.ClickSquare(legal[0].first, legal[0].second);
            QTest::keyClick(w.form.get(), Qt::Key_F4);
        }
        // Shown and hidden: the caption has blinked.
        if (captions.size() >= 2) gate.Release();
    });
    watcher.start(20);
    Child<QAction>(*w.form, "SelBrdr2")->trigger();
    watcher.stop();
    gate.Release();

    EXPECT_FALSE(gate.TimedOut()) << "the caption never changed while the load waited";
    EXPECT_GE(captions.size(), 2u) << "the panel stood still";
    EXPECT_GT(ticksWhileLoading, 2) << "the main thread was blocked by the load";
    EXPECT_NE(gate.Thread(), QThread::currentThread()) << "the pictures loaded on the main thread";
    EXPECT_EQ(w.Game().Tracker->count(), movesBefore) << "a click played during the load";
    EXPECT_EQ(w.messages->settingsShown, 0) << "F4 opened the settings during the load";
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(w.form->CurrentSettings().BoardBorderStyle, 1) << "the new border was not taken";

    // Afterwards the window takes input again.
    w.form->SetPictureLoadHook({});
    w.ClickSquare(legal[0].first, legal[0].second);
    EXPECT_TRUE(test::WaitUntil([&] { return w.Game().Tracker->count() > movesBefore; }))
        << "the click after the load was not taken";
}

TEST(PictureLoading, ABoxThatOpensDuringTheLoadTakesItsInput) {
    PlayingWindow w(GameSetup{});
    auto* panel = Child<BusyPanel>(*w.form, "LoadingPanel");
    LoadGate gate;
    w.form->SetPictureLoadHook([&gate] { gate.Hold(); });
    // A box of the program that a timer opens while the pictures load (as the
    // tip of the day may): its button answers a click.
    bool boxOpened = false;
    bool boxAnswered = false;
    QTimer opener;
    opener.setSingleShot(true);
    QObject::connect(&opener, &QTimer::timeout, [&] {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Box"), QStringLiteral("During"),
                        QMessageBox::Ok, w.form.get());
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            if (!box.isVisible()) return;
            clicker.stop();
            QTest::mouseClick(static_cast<QWidget*>(box.button(QMessageBox::Ok)), Qt::LeftButton);
            // Dropped input leaves the box up: it is closed, and the test fails.
            QTimer::singleShot(2000, &box, [&box] { box.done(QMessageBox::Cancel); });
        });
        clicker.start(10);
        boxOpened = true;
        boxAnswered = box.exec() == QMessageBox::Ok;
        gate.Release();
    });
    QTimer starter;
    QObject::connect(&starter, &QTimer::timeout, [&] {
        if (gate.Entered() && panel->isVisible() && !opener.isActive() && !boxOpened)
            opener.start(0);
    });
    starter.start(10);
    Child<QAction>(*w.form, "SelBrdr2")->trigger();
    starter.stop();
    gate.Release();
    EXPECT_TRUE(boxOpened);
    EXPECT_TRUE(boxAnswered) << "the click on the box's button was dropped";
    EXPECT_FALSE(gate.TimedOut());
    EXPECT_EQ(w.form->CurrentSettings().BoardBorderStyle, 1);
}

// Not a check: with REVERSI_SCREENSHOTS set to a folder, writes what the
// screen shows while a slowed reload runs, once with the caption shown and
// once without (loading_caption_on.png, loading_caption_off.png). On X11
// (under xvfb-run with QT_QPA_PLATFORM=xcb) these are the screen's own pixels.
TEST(PictureLoading, BlinkingPanelAsPictures) {
    const QString folder = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "REVERSI_SCREENSHOTS not set";
    PlayingWindow w(GameSetup{});
    auto* panel = Child<BusyPanel>(*w.form, "LoadingPanel");
    LoadGate gate;
    w.form->SetPictureLoadHook([&gate] { gate.Hold(); });
    bool on = false, off = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!gate.Entered() || !panel->isVisible()) return;
        const bool shown = panel->IsCaptionShown();
        if ((shown && on) || (!shown && off)) return;
        // Let the frame reach the screen first.
        QTest::qWait(100);
        if (panel->IsCaptionShown() != shown) return;
        const QPixmap screen = w.form->screen()->grabWindow(0);
        screen.save(QDir(folder).filePath(shown ? QStringLiteral("loading_caption_on.png")
                                                : QStringLiteral("loading_caption_off.png")));
        (shown ? on : off) = true;
        if (on && off) gate.Release();
    });
    watcher.start(20);
    Child<QAction>(*w.form, "SelBrdr2")->trigger();
    watcher.stop();
    gate.Release();
    EXPECT_TRUE(on && off);
}

}  // namespace
}  // namespace reversi

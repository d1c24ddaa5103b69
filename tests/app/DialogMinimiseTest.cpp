// A dialog over the main window that the window manager minimises must not
// leave the main window blocked and out of reach: either the main window goes
// down with it (and brings it back when it is restored) or the dialog comes
// back at once. Each dialog is opened from its menu item, minimised through
// the window manager and closed again once it is back in view. On the
// offscreen platform only the program's own answer is seen; the same tests
// run under a window manager (app_dialog_minimise_under_window_manager, with
// openbox), whose own handling of a minimised dialog comes first there.
#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;
using test::WaitUntil;

constexpr int DeadlineMs = 30000;

bool InView(const QWidget* w) {
    return w->isVisible() && !w->isMinimized() && w->windowHandle() != nullptr &&
           w->windowHandle()->isExposed();
}

// Drives one dialog from a timer while the code that opened it waits: the
// dialog is minimised once it is in view; then, when the main window went
// down with it, the main window is restored; once the dialog is in view again
// over a main window in view, it is closed.
class MinimiseRound : public QObject {
public:
    explicit MinimiseRound(QWidget& form) : form_(form) {
        connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
        clock_.start();
        timer_.start(10);
    }
    bool Done() const { return phase_ == Phase::Done; }
    std::string Failure() const { return failure_; }
    bool SawDialogMinimised() const { return sawMinimised_; }

private:
    enum class Phase { Opening, Minimised, Restoring, Done };

    void Step() {
        if (clock_.elapsed() > DeadlineMs) return Fail("the round did not finish in time");
        switch (phase_) {
            case Phase::Opening: {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal == nullptr || modal == &form_ || !InView(modal)) return;
                dialog_ = modal;
                dialog_->windowHandle()->installEventFilter(this);
                // What the window manager's minimise button does.
                dialog_->showMinimized();
                phase_ = Phase::Minimised;
                return;
            }
            case Phase::Minimised:
                if (!dialog_) return Fail("the dialog went away");
                if (!sawMinimised_) return;
                if (form_.isMinimized()) {
                    form_.showNormal();
                    phase_ = Phase::Restoring;
                    return;
                }
                if (InView(dialog_) && InView(&form_)) Close();
                return;
            case Phase::Restoring:
                if (!dialog_) return Fail("the dialog went away");
                if (InView(dialog_) && InView(&form_)) Close();
                return;
            case Phase::Done:
                return;
        }
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && dialog_ && dialog_->windowHandle() &&
            dialog_->windowHandle()->windowState() == Qt::WindowMinimized)
            sawMinimised_ = true;
        return false;
    }

    void Close() {
        timer_.stop();
        phase_ = Phase::Done;
        if (auto* d = qobject_cast<QDialog*>(dialog_.data())) {
            d->reject();
        } else {
            dialog_->close();
        }
    }

    void Fail(const std::string& why) {
        failure_ = why + (dialog_ ? std::string(" (") + dialog_->metaObject()->className() + ")"
                                  : std::string(" (no dialog seen)"));
        if (dialog_) {
            failure_ += std::string(dialog_->isMinimized() ? ", dialog minimised" : "") +
                        (form_.isMinimized() ? ", main window minimised" : ", main window shown");
        }
        // Unblock the test.
        if (dialog_) {
            dialog_->showNormal();
            if (auto* d = qobject_cast<QDialog*>(dialog_.data())) d->reject();
        }
        timer_.stop();
        phase_ = Phase::Done;
    }

    QWidget& form_;
    QPointer<QWidget> dialog_;
    QTimer timer_;
    QElapsedTimer clock_;
    Phase phase_ = Phase::Opening;
    bool sawMinimised_ = false;
    std::string failure_;
};

class DialogMinimiseTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        QSettings().clear();
        QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
        // Without the tray, as on a desktop that has none: nothing else brings
        // the window back.
        QSettings().setValue(QStringLiteral("options/usetr"), QStringLiteral("no"));
        form_ = std::make_unique<TReversiForm>();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get(), DeadlineMs));
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get(), DeadlineMs));
    }
    void TearDown() override {
        if (form_) form_->close();
    }
    std::unique_ptr<TReversiForm> form_;
};

TEST_P(DialogMinimiseTest, AMinimisedDialogNeverStrandsTheMainWindow) {
    MinimiseRound round(*form_);
    Child<QAction>(*form_, GetParam())->trigger();
    ASSERT_TRUE(WaitUntil([&] { return round.Done(); }, DeadlineMs + 5000));
    EXPECT_EQ(round.Failure(), "");
    EXPECT_TRUE(round.SawDialogMinimised()) << "the window manager did not minimise the dialog";
    EXPECT_TRUE(
        WaitUntil([&] { return QApplication::activeModalWidget() == nullptr; }, DeadlineMs));
    EXPECT_TRUE(WaitUntil([&] { return InView(form_.get()); }, DeadlineMs))
        << "the main window is not in view at the end";
}

// The settings, statistics, tip, rules, volume and about windows, the call
// dialog and the own-address window.
INSTANTIATE_TEST_SUITE_P(EveryDialog, DialogMinimiseTest,
                         testing::Values("OptionsItem", "Statistics1", "DayTipMenuItem",
                                         "RulersItem", "Soundvolume1", "AboutItem",
                                         "NetMenuConnect", "NetMenuShowIP"),
                         [](const testing::TestParamInfo<const char*>& item) {
                             return std::string(item.param);
                         });

}  // namespace
}  // namespace reversi

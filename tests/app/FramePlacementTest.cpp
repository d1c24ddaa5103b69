// Windows placed over the main window by their outer frames: before they are
// shown by the main window's decoration, and again by their own once the
// window system has framed them (the offscreen platform frames every window
// with a thin border of its own).
#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "DialogPlacement.h"
#include "FramePlacement.h"
#include "WaitUntil.h"

namespace reversi {
namespace {

using test::WaitUntil;

TEST(FramePlacement, AWindowFramedOtherwiseThanAssumedIsPlacedAgainByItsOwnFrame) {
    QWidget window;
    const QRect frame(300, 200, 400, 300);
    const QMargins assumed(1, 20, 1, 1);  // a title bar the window does not get
    TFramePlacer::Place(window, assumed,
                        [frame](const QMargins& m) { return ClientInFrame(frame, m); });
    EXPECT_EQ(window.geometry(), ClientInFrame(frame, assumed)) << "placed before it is shown";

    window.show();
    ASSERT_TRUE(WaitUntil([&] { return window.windowHandle()->isExposed(); })) << "not shown";
    const QMargins own = DecorationOf(window);
    ASSERT_FALSE(own.isNull()) << "the platform framed the window without a border";
    ASSERT_NE(own, assumed);
    ASSERT_TRUE(WaitUntil([&] { return window.geometry() == ClientInFrame(frame, own); }))
        << "not placed again by its own decoration";
    EXPECT_EQ(window.frameGeometry(), frame);
}

TEST(FramePlacement, ADialogIsCentredOnTheMainWindowByBothOuterFrames) {
    QWidget owner;
    owner.setGeometry(100, 100, 700, 560);
    owner.show();
    ASSERT_TRUE(WaitUntil([&] { return owner.windowHandle()->isExposed(); }));
    QDialog dialog(&owner);
    dialog.setFixedSize(313, 355);
    // Shown and hidden once before, as the dialogs made at start-up are.
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return dialog.windowHandle()->isExposed(); }));
    dialog.hide();
    owner.move(40, 30);

    PlaceCentredOver(dialog, owner);
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return dialog.windowHandle()->isExposed(); }));
    const QRect over = owner.frameGeometry();
    const QRect frame = dialog.frameGeometry();
    EXPECT_EQ(frame.size(), QSize(313, 355).grownBy(DecorationOf(owner)));
    EXPECT_EQ(frame.topLeft(), CentredOver(over, frame.size()));
}

TEST(FramePlacement, AQuestionIsCentredOnTheScreenAtTheSizeItTakesWhenShown) {
    // A message box works out its size only as it is shown: the question
    // asked on the statistics is centred by that size, not by its first one.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"),
                    QStringLiteral("Do you want delete statistics for this level?"),
                    QMessageBox::Yes | QMessageBox::No);
    box.adjustSize();
    PlaceCentredOnScreen(box);
    box.show();
    ASSERT_TRUE(WaitUntil([&] { return box.windowHandle()->isExposed(); }, 30000));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = box.frameGeometry();
    EXPECT_EQ(frame.topLeft(), CentredOver(screen, frame.size()))
        << "frame " << frame.width() << " x " << frame.height() << " at " << frame.x() << ", "
        << frame.y();
}

}  // namespace
}  // namespace reversi

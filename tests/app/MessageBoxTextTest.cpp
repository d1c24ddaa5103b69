// Long names in the program's message boxes: a file name far wider than a
// box may be (one word without blanks) is broken over lines within the box,
// and the box stays on the screen.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <gtest/gtest.h>

#include "MessageBoxes.h"
#include "ModalAnswer.h"

namespace reversi {
namespace {

struct Seen {
    bool textFits = false;
    bool boxOnScreen = false;
    QString shownText;
    std::string detail;
};

Seen LookAt(QMessageBox* box) {
    Seen seen;
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr) return seen;
    // A label narrower than the least it needs cuts its text off.
    seen.textFits = label->minimumSizeHint().width() <= label->width() &&
                    label->geometry().right() < box->width();
    seen.boxOnScreen = box->screen()->availableGeometry().contains(box->frameGeometry());
    seen.shownText = box->text();
    seen.detail = "label " + std::to_string(label->width()) + " needs " +
                  std::to_string(label->minimumSizeHint().width()) + ", box " +
                  std::to_string(box->width());
    return seen;
}

TEST(MessageBoxText, AVeryLongFileNameBreaksWithinTheBox) {
    QString folder = QStringLiteral("/home/player/");
    for (int i = 0; i < 12; ++i) folder += QStringLiteral("a_rather_long_folder_name_%1/").arg(i);
    const QString name = folder + QString(180, QLatin1Char('x')) + QStringLiteral(".rev");
    const QString text = QStringLiteral("Cannot open the file ") + name;
    using Show = void (*)(const QString&, QWidget*);
    for (const Show show : {Show(&ShowErrorMessage), Show(&ShowPlainMessage)}) {
        Seen seen;
        auto answer = test::ModalAnswer::For<QMessageBox>(
            [&seen](QMessageBox* box) {
                seen = LookAt(box);
                box->done(QMessageBox::Ok);
            },
            "the message box");
        show(text, nullptr);
        answer.reset();
        EXPECT_TRUE(seen.textFits) << seen.detail;
        EXPECT_TRUE(seen.boxOnScreen);
        // The name is all there, only with places to break it.
        QString shown = seen.shownText;
        shown.remove(QChar(0x200B));
        EXPECT_EQ(shown, text);
    }
}

TEST(MessageBoxText, ShortTextsStayAsTheyAre) {
    const QString text = QStringLiteral("The settings could not be written to /tmp/a/b.conf");
    QString shown;
    auto answer = test::ModalAnswer::For<QMessageBox>(
        [&shown](QMessageBox* box) {
            shown = box->text();
            box->done(QMessageBox::Ok);
        },
        "the message box");
    ShowErrorMessage(text, nullptr);
    answer.reset();
    EXPECT_EQ(shown, text);
}

}  // namespace
}  // namespace reversi

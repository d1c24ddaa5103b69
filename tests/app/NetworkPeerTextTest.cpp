// What the peer writes, as the window's player reads it: the caller's name
// and chat lines in the Western Windows code page, the name on one line in
// the request and the caption, the peer's host name on the listening side,
// and the network message boxes centred on the screen.
#include <QHostInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "DialogPlacement.h"
#include "ModalAnswer.h"
#include "NetTexts.h"
#include "NetworkPlayFixture.h"
#include "RemoteBoardView.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi::nettest {
namespace {

constexpr int LongWait = 30000;

// Whether the outer frame of window stands centred on its screen.
bool FrameCentredOnScreen(const QWidget& window) {
    const QRect screen = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    return frame.topLeft() == CentredOver(screen, frame.size());
}

// Puts the main window in a corner, so that centred over it and centred on
// the screen differ.
void MoveToCorner(QWidget& form) {
    form.move(0, 0);
    ASSERT_TRUE(WaitUntil([&] { return form.frameGeometry().topLeft() == QPoint(0, 0); }))
        << "the main window did not move";
    const QRect screen = form.screen()->geometry();
    ASSERT_NE(CentredOver(form.frameGeometry(), QSize(200, 100)),
              CentredOver(screen, QSize(200, 100)))
        << "the main window is centred on the screen already";
}

TEST_F(NetworkPlayTest, ACallersNameInTheWindowsCodePageIsShownOnOneLine) {
    // "TWO", a line break, "LINES" and the euro sign as a Windows peer writes it.
    CallAndAccept("BW8TWO\r\nLINES\x80");
    auto* req = Child<TCallReq>(*form_, "CallReq");
    const QString oneLine = QStringLiteral("TWO  LINES\u20AC");
    EXPECT_EQ(req->CallerText(), QLatin1Char('"') + oneLine + QLatin1Char('"'));
    EXPECT_EQ(form_->windowTitle(), Title + QStringLiteral(" + ") + oneLine);
}

TEST_F(NetworkPlayTest, ChatTravelsInTheWindowsCodePageBothWays) {
    CallAndAccept("BW8PEER");
    auto* chat = Child<TSendDlg>(*form_, "SendDlg");
    peer_.Send(
        "T\x93"
        "caf\xe9\x94 5\x80");
    const QString received = QStringLiteral(">>\u201Ccaf\u00E9\u201D 5\u20AC");
    ASSERT_TRUE(WaitUntil([&] { return chat->LogLines().contains(received); }, LongWait))
        << chat->LogLines().join(QLatin1Char('|')).toStdString();
    chat->SetEditText(QStringLiteral("\u0160ach \u2013 \u263A"));
    chat->SendButton()->click();
    EXPECT_EQ(peer_.Read(9), QByteArray("T\x8a"
                                        "ach \x96 ?"));
}

TEST_F(NetworkPlayTest, TheListeningSideNamesThePeerByAReverseLookUp) {
    const QString expected = QHostInfo::fromName(QStringLiteral("127.0.0.1")).hostName();
    if (expected.isEmpty() || expected == QStringLiteral("127.0.0.1"))
        GTEST_SKIP() << "this machine's resolver has no name for 127.0.0.1";
    CallAndAccept("BW8PEER");
    QTest::keyClicks(form_, QStringLiteral("sblqudnkwajx"));
    TIPConfForm* remote = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            remote = form_->findChild<TIPConfForm*>();
            return remote != nullptr && remote->isVisible();
        },
        LongWait))
        << "no remote-system window";
    ASSERT_TRUE(WaitUntil([&] { return remote->LookedUp(); }, LongWait)) << "no look-up answer";
    EXPECT_EQ(remote->HostText(), expected);
    EXPECT_EQ(remote->AddressText(), QStringLiteral("127.0.0.1"));
    remote->close();
}

TEST_F(NetworkPlayTest, NetworkMessagesStandCentredOnTheScreen) {
    ASSERT_NO_FATAL_FAILURE(MoveToCorner(*form_));
    // Outside a network game the hidden sequence says so.
    QTest::keyClicks(form_, QStringLiteral("vmtrqz"));
    const QString notInGame = QString::fromLatin1(nettext::NoNetworkGame);
    QMessageBox* box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxWith(*form_, notInGame)) != nullptr; }));
    ASSERT_TRUE(WaitUntil([&] { return box->windowHandle()->isExposed(); }, LongWait));
    EXPECT_TRUE(WaitUntil([&] { return FrameCentredOnScreen(*box); }, LongWait))
        << "at " << box->frameGeometry().x() << "," << box->frameGeometry().y();
    box->accept();

    // The peer's hang-up in a game.
    CallAndAccept("BW8PEER");
    ASSERT_NO_FATAL_FAILURE(MoveToCorner(*form_));
    peer_.socket.abort();
    const QString abandoned = QString::fromLatin1(nettext::PeerAbandoned);
    ASSERT_TRUE(
        WaitUntil([&] { return (box = MessageBoxWith(*form_, abandoned)) != nullptr; }, LongWait));
    ASSERT_TRUE(WaitUntil([&] { return box->windowHandle()->isExposed(); }, LongWait));
    EXPECT_TRUE(WaitUntil([&] { return FrameCentredOnScreen(*box); }, LongWait))
        << "at " << box->frameGeometry().x() << "," << box->frameGeometry().y();
    box->accept();
}

TEST_F(NetworkPlayTest, ThePlainQuestionStandsCentredOnTheScreen) {
    ASSERT_NO_FATAL_FAILURE(MoveToCorner(*form_));
    bool centred = false;
    const auto answer = test::ModalAnswer::For<QMessageBox>(
        [&](QMessageBox* box) {
            centred = WaitUntil(
                [&] { return box->windowHandle()->isExposed() && FrameCentredOnScreen(*box); },
                LongWait);
            box->button(QMessageBox::No)->click();
        },
        "the plain question", LongWait);
    EXPECT_FALSE(window_->messages->AskPlain(form_, QString::fromLatin1(nettext::AbortQuestion)));
    EXPECT_TRUE(centred) << "not centred on the screen";
}

}  // namespace
}  // namespace reversi::nettest

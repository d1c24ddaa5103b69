// The Network menu through the real window, state by state of the link on
// the called and on the calling side, against the menu's item table; a call
// with an empty address, and a call placed while another is under way.
#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "../network/StalledListener.h"
#include "BusyPanel.h"
#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "NetTexts.h"
#include "NetworkPlayFixture.h"
#include "NetworkSession.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi::nettest {
namespace {

// The Network menu's items in each state of the link, against the item
// table: with no link (a call under way included) "Call" and "Allow call"
// are enabled and "Disconnect" and "Message" are not; with a link up the
// other way round. "Allow call" is ticked exactly while the window listens;
// "Get IP address" is always enabled.
struct MenuRow {
    bool call, allowCall, disconnect, message;
    bool operator==(const MenuRow&) const = default;
};
constexpr MenuRow NoLink{true, true, false, false};
constexpr MenuRow LinkUp{false, false, true, true};

void PrintTo(const MenuRow& r, std::ostream* os) {
    *os << "Call " << r.call << ", Allow call " << r.allowCall << ", Disconnect " << r.disconnect
        << ", Message " << r.message;
}

class NetworkMenuTest : public NetworkPlayTest {
protected:
    void ExpectMenu(const char* state, const MenuRow& row) {
        const MenuRow now{Child<QAction>(*form_, "NetMenuConnect")->isEnabled(),
                          Child<QAction>(*form_, "NetMenuListing")->isEnabled(),
                          Child<QAction>(*form_, "NetMenuDisconnect")->isEnabled(),
                          Child<QAction>(*form_, "NetMenuSendMessage")->isEnabled()};
        EXPECT_EQ(now, row) << state;
        EXPECT_EQ(Child<QAction>(*form_, "NetMenuListing")->isChecked(),
                  form_->NetSession().IsListening())
            << state << ": the tick of \"Allow call\"";
        EXPECT_TRUE(Child<QAction>(*form_, "NetMenuShowIP")->isEnabled()) << state;
    }
    void PlaceCall(const QString& address) {
        Child<QAction>(*form_, "NetMenuConnect")->trigger();
        auto* call = Child<TCallDlg>(*form_, "CallDlg");
        ASSERT_TRUE(call->isVisible()) << "\"Call\" opened no dialog";
        call->SetAddress(address);
        call->CallButton()->click();
    }
    void CloseBox(const char* text) {
        QMessageBox* box = MessageBoxWith(*form_, QString::fromLatin1(text));
        ASSERT_NE(box, nullptr) << "no box \"" << text << "\"";
        box->accept();
    }
};

TEST_F(NetworkMenuTest, CalledSideFollowsTheItemTable) {
    auto* allow = Child<QAction>(*form_, "NetMenuListing");
    ExpectMenu("idle, listening", NoLink);
    EXPECT_TRUE(allow->isChecked());
    allow->trigger();
    ExpectMenu("idle, not listening", NoLink);
    EXPECT_FALSE(allow->isChecked());
    allow->trigger();

    peer_.socket.connectToHost(QHostAddress(QHostAddress::LocalHost),
                               form_->NetSession().ListeningPort());
    ASSERT_TRUE(peer_.socket.waitForConnected(Wait));
    ASSERT_TRUE(WaitUntil([&] { return form_->NetSession().IsConnected(); }));
    ExpectMenu("link, the request awaited", LinkUp);
    peer_.Send("BW8PEER");
    auto* req = Child<TCallReq>(*form_, "CallReq");
    ASSERT_TRUE(WaitUntil([&] { return req->isVisible(); }));
    ExpectMenu("link, callee deciding", LinkUp);
    req->YesButton()->click();
    ASSERT_EQ(peer_.Read(1), "Y");
    ExpectMenu("link, callee accepted", LinkUp);
    peer_.Send("G");
    ASSERT_TRUE(WaitUntil([this] { return Game().NetworkGame; }));
    ExpectMenu("network game", LinkUp);
    Child<QAction>(*form_, "NetMenuDisconnect")->trigger();
    ExpectMenu("idle after Disconnect", NoLink);
    EXPECT_TRUE(allow->isChecked()) << "the called side listens again after its Disconnect";
}

TEST_F(NetworkMenuTest, CallingSideFollowsTheItemTable) {
    auto* allow = Child<QAction>(*form_, "NetMenuListing");
    ASSERT_TRUE(allow->isChecked());
    // An empty address: the socket cannot be opened; listening stays off.
    PlaceCall(QString());
    ASSERT_NO_FATAL_FAILURE(CloseBox(nettext::OpenSocketError));
    EXPECT_FALSE(form_->NetSession().IsListening());
    EXPECT_FALSE(allow->isChecked()) << "listening was opened again after the open error";
    ExpectMenu("idle after an empty address", NoLink);
    ASSERT_TRUE(test::PostedEventsHandled());
    EXPECT_FALSE(allow->isChecked());
    // The player's own "Allow call" works as ever.
    allow->trigger();
    EXPECT_TRUE(allow->isChecked());
    allow->trigger();

    // A call that stays under way: still no link.
    test::StalledListener stalled;
    ASSERT_TRUE(stalled.Ready());
    form_->NetSession().SetPort(stalled.Port(), {});
    PlaceCall(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(form_->NetSession().IsCalling());
    QTest::qWait(200);
    ASSERT_TRUE(form_->NetSession().IsCalling());
    ExpectMenu("calling", NoLink);
    // The panel showed while the socket opened; the wait leaves the board free.
    EXPECT_FALSE(Child<BusyPanel>(*form_, "ConnectingPanel")->isVisible());

    // "Call" again: the dialog opens; its call replaces the first.
    AdoptingServer listener(peer_.socket);
    ASSERT_TRUE(listener.listen(QHostAddress(QHostAddress::LocalHost), 0));
    form_->NetSession().SetPort(listener.serverPort(), {});
    PlaceCall(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(WaitUntil([&] { return listener.Adopted(); })) << "the second call did not arrive";
    ASSERT_TRUE(WaitUntil([&] { return form_->NetSession().IsConnected(); }));
    ExpectMenu("link, caller waiting", LinkUp);
    EXPECT_FALSE(Child<BusyPanel>(*form_, "ConnectingPanel")->isVisible());
    ASSERT_EQ(peer_.Read(3), "BW8");
    const QByteArray name = WindowCallerName();
    ASSERT_EQ(peer_.Read(name.size()), name) << "the caller's name";
    peer_.Send("Y");
    ASSERT_EQ(peer_.Read(1), "G");
    ASSERT_TRUE(WaitUntil([this] { return Game().NetworkGame; }));
    ExpectMenu("network game", LinkUp);
    peer_.socket.abort();
    ASSERT_TRUE(WaitUntil([&] {
        return MessageBoxWith(*form_, QString::fromLatin1(nettext::PeerAbandoned)) != nullptr;
    }));
    ExpectMenu("idle after the peer left", NoLink);
}

}  // namespace
}  // namespace reversi::nettest

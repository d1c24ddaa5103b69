// The network dialogs as a player meets them: the call dialog's choices, the
// request's countdown, the chat log, the own-address window, the peer's board,
// and the hidden key sequences.
#include <QApplication>
#include <QClipboard>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "KeySequenceMatcher.h"
#include "OwnAddressDialog.h"
#include "RemoteBoardView.h"
#include "../app/WaitUntil.h"

namespace reversi {
namespace {

constexpr int Wait = 5000;

TEST(CallDialogTest, OffersTheStoredChoicesAndUpperCasesTheAddress) {
    TCallDlg dialog;
    dialog.SetChoices(false, false);
    dialog.SetAddress(QStringLiteral("OLDHOST"));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Call opponent"));
    EXPECT_EQ(dialog.CallButton()->text(), QStringLiteral("Call"));
    EXPECT_FALSE(dialog.CallAsWhite());
    EXPECT_FALSE(dialog.CallSize8());
    dialog.AddressLine()->clear();
    QTest::keyClicks(dialog.AddressLine(), QStringLiteral("pc-42.lan"));
    EXPECT_EQ(dialog.Address(), QStringLiteral("PC-42.LAN"));
    dialog.SetChoices(true, true);
    QTest::mouseClick(dialog.CallButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, Wait));
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Accepted);
    EXPECT_TRUE(dialog.CallAsWhite());
    EXPECT_TRUE(dialog.CallSize8());
}

TEST(CallDialogTest, IsABorderedDialogOfOneSize) {
    TCallDlg dialog;
    dialog.open();
    EXPECT_EQ(dialog.size(), QSize(300, 232));
    EXPECT_EQ(dialog.minimumSize(), QSize(300, 232)) << "it can be made smaller";
    EXPECT_EQ(dialog.maximumSize(), QSize(300, 232)) << "it can be made larger or maximised";
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(dialog.isSizeGripEnabled());
    dialog.resize(500, 400);
    EXPECT_EQ(dialog.size(), QSize(300, 232));
    // Everything in it still fits.
    for (QWidget* w :
         {static_cast<QWidget*>(dialog.CallButton()), static_cast<QWidget*>(dialog.CancelButton()),
          static_cast<QWidget*>(dialog.AddressLine())}) {
        const QRect inDialog(w->mapTo(&dialog, QPoint(0, 0)), w->size());
        EXPECT_TRUE(dialog.rect().contains(inDialog)) << w->metaObject()->className();
    }
    dialog.reject();
}

TEST(CallRequestTest, ALongNameWithALineBreakIsShownWholeOnOneLine) {
    TCallReq dialog;
    dialog.SetTickInterval(60 * 1000);
    const QString name = QStringLiteral("WWWWWWW\r\nWWWWWWW");
    dialog.SetRequest(name, QStringLiteral("Green"), QStringLiteral("10 x 10"));
    dialog.open();
    EXPECT_EQ(dialog.CallerText(), QStringLiteral("\"WWWWWWW  WWWWWWW\""));
    QLabel* caller = nullptr;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (l->text() == dialog.CallerText()) caller = l;
    ASSERT_NE(caller, nullptr);
    const QFontMetrics metrics(caller->font());
    EXPECT_GE(caller->width(), metrics.horizontalAdvance(caller->text())) << "the name is clipped";
    EXPECT_GT(caller->width(), 145);
    EXPECT_LE(caller->height(), metrics.height() + 2) << "more than one line";
    // The same for a short name shown after it: the label shrinks to it.
    dialog.reject();
    dialog.SetRequest(QStringLiteral("BO"), QStringLiteral("Green"), QStringLiteral("8 x 8"));
    dialog.open();
    EXPECT_LT(caller->width(), 145);
    dialog.reject();
}

TEST(CallRequestTest, ShowsTheCallQuotedAndCountsDownToARefusal) {
    TCallReq dialog;
    dialog.SetTickInterval(60 * 1000);  // steps only by hand below
    dialog.SetRequest(QStringLiteral("<i>EVE</i>"), QStringLiteral("Green"),
                      QStringLiteral("8 x 8"));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    EXPECT_TRUE(dialog.IsProcessing());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Call"));
    EXPECT_EQ(dialog.CallerText(), QStringLiteral("\"<i>EVE</i>\""));
    EXPECT_EQ(dialog.ColourText(), QStringLiteral("\"Green\""));
    EXPECT_EQ(dialog.SizeText(), QStringLiteral("\"8 x 8\""));
    EXPECT_EQ(dialog.NoButton()->text(), QStringLiteral("No=30"));
    EXPECT_EQ(dialog.YesButton()->text(), QStringLiteral("Yes"));
    for (int tick = 1; tick <= 299; ++tick) {
        dialog.Tick();
        ASSERT_EQ(dialog.NoButton()->text(), QStringLiteral("No=%1").arg(30 - tick / 10)) << tick;
    }
    EXPECT_EQ(finished.count(), 0) << "still open after 29.9 seconds";
    dialog.Tick();
    EXPECT_EQ(dialog.NoButton()->text(), QStringLiteral("No=0"));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
    EXPECT_FALSE(dialog.IsProcessing());

    // A new showing starts afresh; Yes accepts; a hang-up refuses.
    dialog.open();
    EXPECT_EQ(dialog.Position(), 0);
    EXPECT_EQ(dialog.NoButton()->text(), QStringLiteral("No=30"));
    QTest::mouseClick(dialog.YesButton(), Qt::LeftButton);
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished[1][0].toInt(), QDialog::Accepted);
    dialog.open();
    dialog.CloseForHangUp();
    ASSERT_EQ(finished.count(), 3);
    EXPECT_EQ(finished[2][0].toInt(), QDialog::Rejected);
}

TEST(CallRequestTest, TermsOfTheCallAreShownFromTheLocalSide) {
    TCallReq dialog;
    dialog.SetTickInterval(60 * 1000);
    dialog.SetRequest(QStringLiteral("BOB"), true, false);
    dialog.open();
    EXPECT_EQ(dialog.ColourText(), QStringLiteral("\"Green\""));
    EXPECT_EQ(dialog.SizeText(), QStringLiteral("\"8 x 8\""));
    dialog.reject();
    // The colour goes by the names the window hands over.
    dialog.SetRequest(QString(), false, true,
                      {.white = QStringLiteral("White"), .black = QStringLiteral("Black")});
    dialog.open();
    EXPECT_EQ(dialog.CallerText(), QStringLiteral("\"\""));
    EXPECT_EQ(dialog.ColourText(), QStringLiteral("\"White\""));
    EXPECT_EQ(dialog.SizeText(), QStringLiteral("\"10 x 10\""));
    dialog.reject();
}

TEST(CallRequestTest, RealTimerRefusesByItself) {
    TCallReq dialog;
    dialog.SetTickInterval(1);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, Wait))
        << "the countdown never ended";
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
}

TEST(ChatDialogTest, LogsBothDirectionsAsPlainTextAndKeepsTheHistory) {
    TSendDlg dialog;
    EXPECT_EQ(dialog.EditText(), QStringLiteral("Hi!"));
    dialog.AddReceived(QStringLiteral("<b>bold</b>"));
    dialog.AddReceived(QString());
    EXPECT_EQ(dialog.CommitSent(), QStringLiteral("Hi!"));
    EXPECT_EQ(dialog.CommitSent(), QStringLiteral("Hi!"));
    EXPECT_EQ(dialog.LogLines(), (QStringList{QStringLiteral(">><b>bold</b>"), QStringLiteral(">>"),
                                              QStringLiteral("<<Hi!"), QStringLiteral("<<Hi!")}));
    EXPECT_EQ(dialog.History(), (QStringList{QStringLiteral("Hi!"), QStringLiteral("Hi!")}));
    dialog.SetEditText(QStringLiteral("gg"));
    dialog.CommitSent();
    EXPECT_EQ(dialog.History().first(), QStringLiteral("gg")) << "newest first";

    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Send message"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
}

TEST(ChatDialogTest, ResizingKeepsTheButtonsCentredAtTheBottom) {
    TSendDlg dialog;
    dialog.show();
    for (const QSize size : {QSize(352, 314), QSize(600, 500), QSize(240, 220)}) {
        dialog.resize(size);
        // The layout follows the resize as a posted event.
        ASSERT_TRUE(test::PostedEventsHandled());
        const QRect send = dialog.SendButton()->geometry();
        const QRect cancel = dialog.CancelButton()->geometry();
        EXPECT_EQ(send.bottom(), dialog.height() - 11) << size.width();
        EXPECT_EQ(cancel.left() - send.right() - 1, 10);
        EXPECT_LE(std::abs(send.left() - (dialog.width() - cancel.right() - 1)), 1);
        EXPECT_LT(dialog.Log()->geometry().bottom(), send.top());
        EXPECT_GT(dialog.Log()->height(), 20);
    }
}

TEST(OwnAddressTest, ListsAddressesAndCopiesThem) {
    for (const QString& line : ListLocalAddresses()) {
        EXPECT_FALSE(QHostAddress(line).isNull()) << line.toStdString();
        EXPECT_FALSE(QHostAddress(line).isLoopback()) << line.toStdString();
    }
    TShowIPDlg dialog;
    dialog.SetAddresses({QStringLiteral("192.168.1.20"), QStringLiteral("10.0.0.7")});
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    EXPECT_EQ(dialog.Addresses().size(), 2);
    QTest::mouseClick(dialog.CopyButton(), Qt::LeftButton);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("192.168.1.20\n10.0.0.7"));
}

TEST(RemoteBoardTest, PaintsBlackAndWhiteCellsAndLeavesEmptyOnesBlank) {
    TRemoteField view;
    QByteArray board(64, '+');
    board[0] = 'b';      // A8
    board[8 + 1] = 'w';  // B7
    board[63] = 'x';     // H1: anything else is grey
    view.SetBoard(board, 8);
    const QImage image = view.grab().toImage();
    ASSERT_EQ(image.size(), QSize(128, 128));
    const QColor background = image.pixelColor(16 * 3 + 8, 16 * 3 + 8);
    EXPECT_EQ(image.pixelColor(8, 8), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(14, 14), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(15, 15), background) << "one background line between cells";
    EXPECT_EQ(image.pixelColor(16 + 8, 16 + 8), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(7 * 16 + 8, 7 * 16 + 8), QColor(127, 127, 127));

    // A short text (a peer on the small field) on the large field paints
    // what it has and nothing past it.
    view.SetBoard(QByteArray(30, 'b'), 10);
    const QImage small = view.grab().toImage();
    EXPECT_EQ(small.pixelColor(6, 6), QColor(0, 0, 0));
    EXPECT_EQ(small.pixelColor(3 * 12 + 6, 6), background);

    QSignalSpy finished(&view, &QDialog::finished);
    view.open();
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(finished.count(), 1) << "a click closes it";
}

TEST(RemoteBoardTest, EveryByteButEmptyWhiteAndBlackPaintsGrey) {
    TRemoteField view;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        if (c == '+' || c == 'w' || c == 'b') continue;
        view.SetBoard(QByteArray(64, c), 8);
        const QImage image = view.grab().toImage();
        ASSERT_EQ(image.pixelColor(8, 8), QColor(127, 127, 127)) << "byte " << byte;
        ASSERT_EQ(image.pixelColor(7 * 16 + 14, 7 * 16 + 14), QColor(127, 127, 127))
            << "byte " << byte;
    }
}

TEST(RemoteBoardTest, RemoteSystemNamesThePeerByAReverseLookUp) {
    // What this machine's resolver calls the loopback address (its hosts
    // file normally says "localhost").
    const QString expected = QHostInfo::fromName(QStringLiteral("127.0.0.1")).hostName();
    TIPConfForm form(QString(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(form.AddressText(), QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.LookedUp(); }, 30000)) << "no answer";
    if (expected.isEmpty() || expected == QStringLiteral("127.0.0.1")) {
        EXPECT_EQ(form.HostText(), QString()) << "no name found, none shown";
    } else {
        EXPECT_EQ(form.HostText(), expected);
    }
    // Something that is no address is not looked up.
    TIPConfForm none(QStringLiteral("CALLED"), QString());
    EXPECT_TRUE(none.LookedUp());
    EXPECT_EQ(none.HostText(), QStringLiteral("CALLED"));
}

TEST(RemoteBoardTest, RemoteSystemShowsNameAndAddressAsPlainText) {
    TIPConfForm form(QStringLiteral("<b>peer</b>"), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Remote system"));
    EXPECT_EQ(form.HostText(), QStringLiteral("<b>peer</b>"));
    EXPECT_EQ(form.AddressText(), QStringLiteral("10.0.0.7"));
}

std::vector<HiddenAction> Type(KeySequenceMatcher& m, const QString& keys) {
    std::vector<HiddenAction> out;
    for (QChar c : keys) {
        const HiddenAction a = m.Feed(c);
        if (a != HiddenAction::None) out.push_back(a);
    }
    return out;
}

TEST(KeySequenceTest, SequencesMatchThroughOtherKeysAndSelectors) {
    using A = std::vector<HiddenAction>;
    const A board{HiddenAction::BoardRequest};
    const A system{HiddenAction::RemoteSystem};
    struct Case {
        const char* keys;
        A expected;
    } const cases[] = {
        {"vmtrqz", board},  // selected from the start
        {"vmtrqzvmtrqz", A{board[0], board[0]}},
        {"vmt12XYrqz", board},  // other keys do not spoil it
        {"VMTRQZ", {}},         // upper case never matches
        {"vmtpvmtrqz", board},  // selector A restarts A
        {"sblqudnkwajx", system},
        {"blqudnkwajx", {}},                // B needs its selector
        {"vmtsblqudnkwajxvmtrqz", system},  // B stays selected after it
        {"sblqupvmtrqz", board},            // back to A
    };
    for (const Case& c : cases) {
        KeySequenceMatcher m;
        EXPECT_EQ(Type(m, QString::fromLatin1(c.keys)), c.expected) << c.keys;
    }
    KeySequenceMatcher m;
    Type(m, QStringLiteral("vmtrqz"));
    EXPECT_EQ(m.Matched(), 0);
}

}  // namespace
}  // namespace reversi

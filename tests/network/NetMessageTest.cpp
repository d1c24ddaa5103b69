// The messages on the wire byte for byte, and the splitting of a received
// byte stream into them: merged, split at every byte, oversized, unknown.
#include <algorithm>
#include <vector>

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "NetMessage.h"
#include "NetReceiveBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace reversi {
namespace {

const QByteArray Board8 =
    QByteArray(27, '+') + "wb" + QByteArray(5, '+') + "bw" + QByteArray(28, '+');

TEST(NetMessageTest, EveryMessageIsWrittenByteForByte) {
    struct Case {
        QByteArray encoded;
        QByteArray expected;
    };
    const Case cases[] = {
        {EncodeCallRequest({true, false, QStringLiteral("BOB")}), "BW8BOB"},
        {EncodeCallRequest({false, true, QString()}), "BB0"},
        // The name is cut to 16 letters; letters outside the code page
        // become "?".
        {EncodeCallRequest({true, true, QStringLiteral("ABCDEFGHIJKLMNOPQRS")}),
         "BW0ABCDEFGHIJKLMNOP"},
        {EncodeNetSignal(NetMessageKind::BusyReply), "A"},
        {EncodeNetSignal(NetMessageKind::RefusalReply), "N"},
        {EncodeNetSignal(NetMessageKind::AcceptReply), "Y"},
        {EncodeNetSignal(NetMessageKind::StartConfirm), "G"},
        {EncodeNetSignal(NetMessageKind::Restart), "R"},
        {EncodeNetSignal(NetMessageKind::BoardRequest), "F"},
        {EncodeMove(3, 5), "M35"},
        {EncodeMove(0, 9), "M09"},
        {EncodeChat(QStringLiteral("Hi!")), "THi!"},
        {EncodeChat(QString()), "T"},
        {EncodeChat(QString::fromUtf8("caf\u00e9 \u263a")), "Tcaf\xe9 ?"},
        {EncodeChat(QStringLiteral("\u201cOK\u201d \u20ac5")),
         "T\x93OK\x94 \x80"
         "5"},
        {EncodeCallRequest({true, false, QStringLiteral("\u0160TEFAN")}), "BW8\x8aTEFAN"},
        {EncodeBoardReply(Board8), "D" + Board8},
    };
    for (const Case& c : cases) EXPECT_EQ(c.encoded, c.expected) << c.expected.constData();
}

TEST(NetMessageTest, CallRequestsAndMovesAreReadAsEveryPeerWritesThem) {
    auto call = [](const char* bytes) {
        return DecodeCallRequest({NetMessageKind::CallRequest, QByteArray(bytes)});
    };
    EXPECT_EQ(call("W8TOM"), (NetCallRequest{true, false, QStringLiteral("TOM")}));
    EXPECT_EQ(call("B0"), (NetCallRequest{false, true, QString()}));
    // Any colour but "W" is black, any size but "8" is 10 x 10.
    EXPECT_EQ(call("x?N"), (NetCallRequest{false, true, QStringLiteral("N")}));
    EXPECT_FALSE(call("W"));
    EXPECT_EQ(call("W8<b>12345678901234567890")->callerName, QStringLiteral("<b>1234567890123"));
    // The name is read in the Western Windows code page.
    EXPECT_EQ(call("W8\x8aT\x80")->callerName, QStringLiteral("\u0160T\u20ac"));

    auto move = [](const char* bytes) {
        return DecodeMove({NetMessageKind::Move, QByteArray(bytes)});
    };
    EXPECT_EQ(move("35"), (NetSquare{3, 5}));
    EXPECT_EQ(move("90"), (NetSquare{9, 0}));
    EXPECT_FALSE(move("3"));
    EXPECT_FALSE(move("A5"));
    EXPECT_FALSE(move("3:"));
    EXPECT_FALSE(move("351"));
}

TEST(NetMessageTest, OneLineTextTurnsLineBreaksAndControlsIntoBlanks) {
    struct Case {
        QString text;
        QString oneLine;
    };
    const Case cases[] = {
        {QStringLiteral("PLAIN NAME"), QStringLiteral("PLAIN NAME")},
        {QStringLiteral("TWO\r\nLINES"), QStringLiteral("TWO  LINES")},
        {QStringLiteral("A\nB\rC\tD"), QStringLiteral("A B C D")},
        {QString(QChar(0)) + QStringLiteral("X") + QChar(0x1B), QStringLiteral(" X ")},
        // A C1 control, as an undefined byte of the code page reads.
        {QStringLiteral("A") + QChar(0x8D) + QStringLiteral("B"), QStringLiteral("A B")},
        {QStringLiteral("A\u2028B\u2029C"), QStringLiteral("A B C")},
        {QStringLiteral("caf\u00e9 \u20ac"), QStringLiteral("caf\u00e9 \u20ac")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OneLineText(c.text), c.oneLine) << c.oneLine.toStdString();
}

// Splits everything that arrives, taking the texts only when told the
// sender has gone quiet.
std::vector<NetMessage> Split(NetReceiveBuffer& buffer, const std::vector<QByteArray>& reads) {
    std::vector<NetMessage> out;
    for (const QByteArray& read : reads) {
        EXPECT_TRUE(buffer.Append(read));
        while (auto m = buffer.Next(false)) out.push_back(*m);
    }
    while (auto m = buffer.Next(true)) out.push_back(*m);
    return out;
}

struct Sample {
    QByteArray bytes;
    NetMessage message;
};

std::vector<Sample> Samples(int n) {
    const QByteArray board = n == 8 ? Board8 : QByteArray(100, 'b');
    return {
        {"A", {NetMessageKind::BusyReply, {}}},
        {"N", {NetMessageKind::RefusalReply, {}}},
        {"Y", {NetMessageKind::AcceptReply, {}}},
        {"G", {NetMessageKind::StartConfirm, {}}},
        {"R", {NetMessageKind::Restart, {}}},
        {"F", {NetMessageKind::BoardRequest, {}}},
        {"M35", {NetMessageKind::Move, "35"}},
        {"D" + board, {NetMessageKind::BoardReply, board}},
        {"BW8HOST", {NetMessageKind::CallRequest, "W8HOST"}},
        {"THello there", {NetMessageKind::Chat, "Hello there"}},
    };
}

TEST(NetReceiveBufferTest, EveryMessageSplitAtEveryByteComesOutWhole) {
    for (int n : {8, 10}) {
        for (const Sample& s : Samples(n)) {
            for (qsizetype cut = 1; cut < s.bytes.size(); ++cut) {
                NetReceiveBuffer buffer;
                buffer.SetFieldSize(n);
                const auto out = Split(buffer, {s.bytes.left(cut), s.bytes.mid(cut)});
                ASSERT_EQ(out.size(), 1u) << s.bytes.constData() << " cut at " << cut;
                EXPECT_EQ(out[0], s.message) << s.bytes.constData() << " cut at " << cut;
                EXPECT_TRUE(buffer.IsEmpty());
            }
        }
    }
}

TEST(NetReceiveBufferTest, MessagesInOneReadComeOutOneByOne) {
    // Every message of fixed length followed by every other message, in one
    // read and cut at every byte of the pair.
    for (int n : {8, 10}) {
        const auto samples = Samples(n);
        for (const Sample& first : samples) {
            if (first.message.kind == NetMessageKind::Chat ||
                first.message.kind == NetMessageKind::CallRequest) {
                continue;  // a text takes all that follows
            }
            for (const Sample& second : samples) {
                const QByteArray both = first.bytes + second.bytes;
                for (qsizetype cut = 0; cut < both.size(); ++cut) {
                    NetReceiveBuffer buffer;
                    buffer.SetFieldSize(n);
                    const auto out = Split(buffer, {both.left(cut), both.mid(cut)});
                    ASSERT_EQ(out.size(), 2u) << both.constData() << " cut at " << cut;
                    EXPECT_EQ(out[0], first.message);
                    EXPECT_EQ(out[1], second.message);
                }
            }
        }
    }
}

TEST(NetReceiveBufferTest, TextsWaitForTheSenderToGoQuietAndTakeTheRest) {
    NetReceiveBuffer buffer;
    ASSERT_TRUE(buffer.Append("THello"));
    EXPECT_FALSE(buffer.Next(false));
    EXPECT_TRUE(buffer.WaitsForQuiet());
    ASSERT_TRUE(buffer.Append(" M35"));
    const auto chat = buffer.Next(true);
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->payload, "Hello M35");
    // "T" alone is an empty chat line.
    ASSERT_TRUE(buffer.Append("T"));
    EXPECT_EQ(buffer.Next(true), (NetMessage{NetMessageKind::Chat, {}}));
    // A call request too short to carry colour and size is dropped.
    ASSERT_TRUE(buffer.Append("BW"));
    EXPECT_FALSE(buffer.Next(true));
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(NetReceiveBufferTest, BoardReplyTakesItsWholeLengthWhateverTheBytes) {
    // Cells of any byte, message letters among them: none starts a message.
    struct Case {
        int n;
        QByteArray cells;
    };
    const Case cases[] = {
        {8, Board8},
        {8, QByteArray(64, 'M')},
        {8, QByteArray(64, 'R')},
        {8, "D" + QByteArray(62, 'x') + "T"},
        {10, QByteArray(100, '\0')},
        {10, QByteArray(50, 'w') + QByteArray(50, 'F')},
    };
    for (const Case& c : cases) {
        NetReceiveBuffer buffer;
        buffer.SetFieldSize(c.n);
        const auto out = Split(buffer, {"D" + c.cells.left(7), c.cells.mid(7) + "M35"});
        ASSERT_EQ(out.size(), 2u) << c.cells.toStdString();
        EXPECT_EQ(out[0], (NetMessage{NetMessageKind::BoardReply, c.cells}));
        EXPECT_EQ(out[1], (NetMessage{NetMessageKind::Move, "35"}));
    }
}

TEST(NetReceiveBufferTest, BoardCutShortIsTakenAsItStandsOnceTheSenderIsQuiet) {
    // A peer on the small field answers while we expect the large one: what
    // came before it went quiet is its board, the bytes after it included.
    NetReceiveBuffer buffer;
    buffer.SetFieldSize(10);
    ASSERT_TRUE(buffer.Append("D" + Board8 + "M35"));
    EXPECT_FALSE(buffer.Next(false));
    EXPECT_TRUE(buffer.WaitsForQuiet());
    EXPECT_EQ(buffer.Next(true), (NetMessage{NetMessageKind::BoardReply, Board8 + "M35"}));
    EXPECT_TRUE(buffer.IsEmpty());
    ASSERT_TRUE(buffer.Append("Dwwb"));
    EXPECT_FALSE(buffer.Next(false));
    EXPECT_EQ(buffer.Next(true), (NetMessage{NetMessageKind::BoardReply, "wwb"}));
}

TEST(NetReceiveBufferTest, ManyMessagesComeOutInOrderThroughReadsOfAnySize) {
    // A long stream taken in reads of uneven size, each as large as there is
    // room for: every message comes out once, in order, and the buffer never
    // holds more than its capacity.
    QByteArray stream;
    std::vector<NetMessage> expected;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray move = QByteArray("M") + char('0' + i % 10) + char('0' + i / 10 % 10);
        stream += move + "R" + "D" + Board8;
        expected.push_back({NetMessageKind::Move, move.mid(1)});
        expected.push_back({NetMessageKind::Restart, {}});
        expected.push_back({NetMessageKind::BoardReply, Board8});
    }
    NetReceiveBuffer buffer(1000);
    std::vector<NetMessage> out;
    qsizetype at = 0;
    int read = 0;
    while (at < stream.size() || !buffer.IsEmpty()) {
        const qsizetype size =
            std::min({buffer.Room(), qsizetype(1 + (read++ * 37) % 700), stream.size() - at});
        ASSERT_TRUE(buffer.Append(QByteArrayView(stream).sliced(at, size)));
        at += size;
        ASSERT_LE(buffer.Size(), 1000);
        const std::size_t before = out.size();
        while (auto m = buffer.Next(false)) out.push_back(*m);
        ASSERT_TRUE(out.size() > before || at < stream.size() || buffer.IsEmpty())
            << "the stream stalls at " << at;
    }
    ASSERT_EQ(out.size(), expected.size());
    EXPECT_TRUE(out == expected);
}

TEST(NetReceiveBufferTest, UnknownFirstByteDropsWhatHasArrived) {
    NetReceiveBuffer buffer;
    const QByteArray junks[] = {"x", "m35", QByteArray("\0M35", 4), "ello world", "+wbF"};
    for (const QByteArray& junk : junks) {
        ASSERT_TRUE(buffer.Append(junk));
        EXPECT_FALSE(buffer.Next(true)) << junk.toStdString();
        EXPECT_TRUE(buffer.IsEmpty()) << junk.toStdString();
    }
    EXPECT_GT(buffer.DroppedBytes(), 0);
    // The stream starts afresh with the next read.
    ASSERT_TRUE(buffer.Append("M35"));
    EXPECT_EQ(buffer.Next(false), (NetMessage{NetMessageKind::Move, "35"}));
}

TEST(NetReceiveBufferTest, MoreThanTheCapacityIsRefusedAndEmptiesTheBuffer) {
    NetReceiveBuffer buffer(100);
    ASSERT_TRUE(buffer.Append("T" + QByteArray(98, 'a')));
    EXPECT_TRUE(buffer.Append("b"));
    EXPECT_EQ(buffer.Size(), 100);
    EXPECT_FALSE(buffer.Append("c"));
    EXPECT_TRUE(buffer.IsEmpty());
    // Whole messages taken as they come never fill it.
    NetReceiveBuffer steady(10);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(steady.Append("M35F"));
        while (steady.Next(false)) {
        }
    }
    EXPECT_TRUE(steady.IsEmpty());
}

TEST(NetFuzzCorpusTest, EverySeedRunsThroughTheSplitterAndTheLink) {
    const QDir dir(QStringLiteral(NET_FUZZ_CORPUS));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << NET_FUZZ_CORPUS;
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray data = file.readAll();
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                         static_cast<std::size_t>(data.size())),
                  0)
            << name.toStdString();
    }
}

}  // namespace
}  // namespace reversi

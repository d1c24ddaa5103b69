// Arbitrary bytes from a network peer, in arbitrary pieces, through the
// message splitter and the link's conversation, as both the calling and the
// called side. Built by libFuzzer; the seed corpus is replayed by the tests.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "NetLink.h"
#include "NetReceiveBuffer.h"

namespace {

// Accepts whatever the link offers, so that every state is reached.
class Peer : public reversi::NetLinkOutput {
public:
    explicit Peer(reversi::NetLink*& link) : link_(link) {}
    void SendToPeer(const QByteArray& bytes) override { sent_ += bytes.size(); }
    void EndLink(reversi::NetLinkEnd) override {}
    void CallRequested(const reversi::NetCallRequest& request) override {
        link_->AnswerCall(!request.callerName.isEmpty());
    }
    void GameStarted() override { link_->RequestBoard(); }
    void GameRestarted() override { link_->SendRestart(); }
    void MoveReceived(int x, int y) override { link_->SendMove(9 - x, 9 - y); }
    void ChatReceived(const QString& text) override { link_->SendChat(text); }
    void RemoteBoardReceived(const QByteArray& board) override {
        if (!board.isEmpty()) link_->RequestBoard();
    }

private:
    reversi::NetLink*& link_;
    qsizetype sent_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte sets the side, the field size and the buffer's capacity.
    const std::uint8_t setup = data[0];
    reversi::NetLink* link = nullptr;
    Peer peer(link);
    reversi::NetLink conversation(peer);
    link = &conversation;
    conversation.SetMoveCheck([n = setup & 2 ? 10 : 8](int x, int y) { return x < n && y < n; });
    conversation.SetBoardTextSource([] { return QByteArray(64, '+'); });
    reversi::NetReceiveBuffer buffer(setup & 4 ? 64 : reversi::NetReceiveBuffer::DefaultCapacity);
    buffer.SetFieldSize(setup & 2 ? 10 : 8);
    if (setup & 1) {
        conversation.StartAsListener();
    } else {
        conversation.StartAsCaller({true, false, QStringLiteral("FUZZ")});
    }

    // Then pieces: a length byte (its top bit: the sender goes quiet after
    // the piece), followed by that many bytes.
    std::size_t at = 1;
    while (at < size) {
        const std::uint8_t head = data[at++];
        const std::size_t length = std::min<std::size_t>(head & 0x7f, size - at);
        if (!buffer.Append(QByteArrayView(reinterpret_cast<const char*>(data + at),
                                          static_cast<qsizetype>(length)))) {
            conversation.Reset();
            conversation.StartAsListener();
        }
        at += length;
        const bool quiet = (head & 0x80) != 0;
        while (const auto message = buffer.Next(quiet)) conversation.Receive(*message);
        if (buffer.Size() > (setup & 4 ? 64 : reversi::NetReceiveBuffer::DefaultCapacity)) {
            std::abort();
        }
    }
    return 0;
}

// How fast a flood from a network peer goes through the receive buffer and
// the link's conversation: 60,000 bytes of one message letter, taken in
// reads of at most the buffer's size as the session takes them, during a
// game. items_per_second counts received bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include <QByteArray>

#include "NetLink.h"
#include "NetReceiveBuffer.h"

using namespace reversi;

namespace {

constexpr qsizetype FloodSize = 60000;

// Takes whatever the link hands over and answers board requests.
class Sink : public NetLinkOutput {
public:
    void SendToPeer(const QByteArray& bytes) override { sent += bytes.size(); }
    void EndLink(NetLinkEnd) override {}
    void CallRequested(const NetCallRequest&) override {}
    void GameStarted() override {}
    void GameRestarted() override { ++restarts; }
    void MoveReceived(int, int) override {}
    void ChatReceived(const QString&) override {}
    void RemoteBoardReceived(const QByteArray&) override {}
    qsizetype sent = 0;
    int restarts = 0;
};

void BM_Flood(benchmark::State& state) {
    const char letter = static_cast<char>(state.range(0));
    const QByteArray flood(FloodSize, letter);
    for (auto _ : state) {
        Sink sink;
        NetLink link(sink);
        link.SetMoveCheck([](int, int) { return true; });
        link.SetBoardTextSource([] { return QByteArray(64, '+'); });
        link.StartAsCaller({true, false, QStringLiteral("BENCH")});
        link.Receive({NetMessageKind::AcceptReply, {}});
        NetReceiveBuffer buffer;
        qsizetype at = 0;
        while (at < flood.size() || !buffer.IsEmpty()) {
            const qsizetype take = std::min(buffer.Room(), flood.size() - at);
            buffer.Append(QByteArrayView(flood).sliced(at, take));
            at += take;
            const bool quiet = at == flood.size();
            bool any = false;
            while (auto message = buffer.Next(quiet)) {
                link.Receive(*message);
                any = true;
            }
            if (!any && take == 0) break;
        }
        benchmark::DoNotOptimize(sink.sent);
    }
    state.SetItemsProcessed(state.iterations() * FloodSize);
    state.SetLabel(std::string(1, letter));
}
BENCHMARK(BM_Flood)->Arg('R')->Arg('A')->Arg('F')->Arg('D')->Arg('M')->Arg('T')->Arg('B')->Unit(
    benchmark::kMicrosecond);

}  // namespace

// A hold on what the network peer sends: while one is alive, the session
// handles at once only what leaves the game alone (board requests and
// replies, chat lines) and keeps the rest, the peer's hang-up included, in
// order; once the last hold goes, what waited is handled in that order. The
// window keeps one while its player reads a box.
#pragma once

#include <QPointer>

namespace reversi {

class NetworkSession;

class NetInputHold {
public:
    NetInputHold() = default;  // holds nothing
    explicit NetInputHold(NetworkSession& session);
    ~NetInputHold();
    NetInputHold(NetInputHold&& other) noexcept;
    NetInputHold& operator=(NetInputHold&& other) noexcept;
    NetInputHold(const NetInputHold&) = delete;
    NetInputHold& operator=(const NetInputHold&) = delete;

private:
    void Let();

    QPointer<NetworkSession> session_;
};

}  // namespace reversi

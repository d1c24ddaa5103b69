// The conversation of one network link, without sockets: which message is
// sent when, and which received message is taken in which state. The network
// session feeds it the peer's messages and carries out what it asks for.
#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "NetMessage.h"

namespace reversi {

// Where a link stands. Idle: no link. The caller waits for the answer to its
// call request; the called side first waits for the request, then for its
// player's decision, then (having accepted) for the caller's start.
enum class NetLinkState {
    Idle,
    CallerWaiting,
    CalleeWaitingRequest,
    CalleeDeciding,
    CalleeAccepted,
    Game,
};

// Why the link ends on the protocol's own account.
enum class NetLinkEnd {
    PeerBusy,      // the peer answered "A"
    PeerRefused,   // the peer answered "N"
    LocalRefused,  // our player declined the call ("N" has gone out)
};

// What the link asks of its owner.
class NetLinkOutput {
public:
    virtual ~NetLinkOutput() = default;
    virtual void SendToPeer(const QByteArray& bytes) = 0;
    // The link is over; the owner closes the connection.
    virtual void EndLink(NetLinkEnd why) = 0;
    virtual void CallRequested(const NetCallRequest& request) = 0;
    virtual void GameStarted() = 0;
    virtual void GameRestarted() = 0;
    virtual void MoveReceived(int x, int y) = 0;
    virtual void ChatReceived(const QString& text) = 0;
    virtual void RemoteBoardReceived(const QByteArray& boardText) = 0;
};

class NetLink {
public:
    // Whether the peer's move at (x, y) may be played now: the peer is to
    // move and the move is legal. Unset: every move is refused.
    using MoveCheck = std::function<bool(int x, int y)>;
    // The local board as text, for answering a board request.
    using BoardTextSource = std::function<QByteArray()>;

    explicit NetLink(NetLinkOutput& output);

    void SetMoveCheck(MoveCheck check) { moveCheck_ = std::move(check); }
    void SetBoardTextSource(BoardTextSource source) { boardText_ = std::move(source); }

    // Our call has connected: the call request goes out.
    void StartAsCaller(const NetCallRequest& ownCall);
    // We accepted a caller's connection: its call request is awaited.
    void StartAsListener();
    // The connection is gone (either side closed it).
    void Reset();

    // One message from the connected peer.
    void Receive(const NetMessage& message);
    // Whether handling a message of this kind leaves the game on the board
    // as it stands (a board request, a chat line, a board reply): such a
    // message may be handled while the player reads a box.
    static bool LeavesGameAlone(NetMessageKind kind);

    // The called player's decision; only while deciding. Returns whether it
    // was taken.
    bool AnswerCall(bool accept);

    // Local actions; each is sent only where it makes sense and returns
    // whether it was sent.
    bool SendMove(int x, int y);         // during a network game
    bool SendRestart();                  // during a network game
    bool SendChat(const QString& text);  // while a link is up
    bool RequestBoard();                 // during a network game

    NetLinkState State() const { return state_; }
    bool IsUp() const { return state_ != NetLinkState::Idle; }
    bool IsServer() const { return isServer_; }
    bool InGame() const { return state_ == NetLinkState::Game; }
    bool IsDeciding() const { return state_ == NetLinkState::CalleeDeciding; }
    // The call's terms as this side sees them (valid from the call request on).
    bool LocalBlack() const;
    bool Field10() const { return call_.field10; }
    const NetCallRequest& Call() const { return call_; }

private:
    void Send(NetMessageKind kind);

    NetLinkOutput& out_;
    NetLinkState state_ = NetLinkState::Idle;
    bool isServer_ = false;
    NetCallRequest call_;
    int boardRequests_ = 0;  // board requests sent and not yet answered
    // The game stands as a restart left it: no move since the last restart
    // either side made. A further restart would change nothing.
    bool freshRestart_ = false;
    MoveCheck moveCheck_;
    BoardTextSource boardText_;
};

}  // namespace reversi

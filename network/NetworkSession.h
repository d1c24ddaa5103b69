// The network session: listening for calls, placing one, the one linked peer,
// the busy answer to anybody else, and the messages of the link, on
// QTcpServer / QTcpSocket on the main thread. The window reacts to its signals.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

#include "NetInputHold.h"
#include "NetLink.h"
#include "NetReceiveBuffer.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace reversi {

struct Settings;

class NetworkSession : public QObject, private NetLinkOutput {
    Q_OBJECT
public:
    explicit NetworkSession(QObject* parent = nullptr);
    ~NetworkSession() override;

    // Port and service name of both sockets (the service's port wins when
    // the name is not empty).
    void ApplySettings(const Settings& settings);
    void SetPort(int port, const QString& service);
    // Where listening binds; every local address unless told otherwise.
    void SetListenAddress(const QHostAddress& address) { listenAddress_ = address; }
    // The computer name sent with a call; the host name, cut to 16 letters.
    void SetLocalName(const QString& name) { localName_ = name; }
    // The game's check of the peer's moves and the board a peer's board
    // request is answered with, used by the link (see NetLink). Without a
    // board the answer is an empty field of the link's size.
    void SetMoveCheck(NetLink::MoveCheck check) { link_.SetMoveCheck(std::move(check)); }
    void SetBoardTextSource(NetLink::BoardTextSource source);
    // The field size, which sets the length of a received board.
    void SetFieldSize(int n) { buffer_.SetFieldSize(n); }

    // Waits, all in milliseconds: a call that has not connected; a caller
    // whose call request does not come; a turned-away or refused caller that
    // does not hang up; the quiet after which a text message is complete.
    void SetCallTimeout(int ms) { callTimeoutMs_ = ms; }
    void SetRequestTimeout(int ms) { requestTimeoutMs_ = ms; }
    void SetLingerTime(int ms) { lingerMs_ = ms; }
    void SetTextSettleTime(int ms);

    // Listening. StartListening is silent and says whether it listens;
    // ToggleListening is the menu's "Allow call" and reports a failure (used
    // during a call, it also decides what listening does after the call).
    bool StartListening();
    void StopListening();
    void ToggleListening();
    bool IsListening() const;
    quint16 ListeningPort() const;

    // Places a call, ending one still under way; the outcome comes later as
    // linkStarted or errorMessage. While a call is under way, callers are
    // answered busy.
    void Call(const QString& address, bool callerWhite, bool field10);
    // Ends the link (or the call under way) from this side, without a word.
    void Disconnect();
    // The called player's decision after callRequested.
    void AnswerCall(bool accept);

    // Messages to the peer; each goes out only where it makes sense (a move,
    // "New" and the board request during a network game, a chat line while a
    // link is up) and returns whether it went.
    bool SendMove(int x, int y);
    bool SendRestart();
    bool SendChat(const QString& text);
    bool RequestBoard();

    // Link state.
    bool IsConnected() const { return link_.IsUp(); }          // a peer is linked
    bool IsServer() const { return link_.IsServer(); }         // we accepted the link
    bool IsCalling() const { return calling_; }                // a call is under way
    bool IsBusyReplyPending() const;                           // a turned-away caller is still on
    bool NeedsReopenListening() const { return needReopen_; }  // listening closed for a call
    bool InGame() const { return link_.InGame(); }
    bool IsDeciding() const { return link_.IsDeciding(); }
    NetLinkState LinkState() const { return link_.State(); }
    bool LocalBlack() const { return link_.LocalBlack(); }
    bool Field10() const { return link_.Field10(); }
    QString PeerCallerName() const { return link_.Call().callerName; }
    // The address line of the last call placed.
    QString CallAddress() const { return callAddress_; }
    // The linked peer as the socket knows it (name empty when unknown).
    QString PeerName() const;
    QString PeerAddress() const;

    // Holds the peer's input while the window's player reads a box. What
    // leaves the game alone is still handled at once (a board request is
    // answered, a chat line or the answer to our board request is passed
    // on); every other message, and the peer's hang-up, waits in order until
    // the last hold goes, and is handled then.
    NetInputHold HoldInput() { return NetInputHold(*this); }
    bool IsInputHeld() const { return holds_ > 0; }
    // Something the peer sent (or its hang-up) is still to be handled: held,
    // waiting for its turn or for the rest of a message.
    bool HasPendingInput() const;

signals:
    // Any of the state accessors above may have changed (menu states).
    void linkStateChanged();
    // A link is up: our call connected, or a caller was accepted.
    void linkStarted();
    // A caller turned away with "A" (the window may come to the front).
    void busyReplySent();
    // The caller's request: the window asks its player, then AnswerCall.
    void callRequested(const QString& callerName, bool localBlack, bool field10);
    // The caller hung up while its request was being decided.
    void callRequestCancelled();
    // A network game starts on the call's terms ("Y" for the caller, "G"
    // for the called side), or the peer chose "New".
    void gameStarted(bool localBlack, bool field10);
    void gameRestarted();
    // A move of the peer that the move check accepted.
    void moveReceived(int x, int y);
    void chatReceived(const QString& text);
    // The peer's answer to our board request: N x N board characters.
    void remoteBoardReceived(const QByteArray& boardText);
    // The link is over; abandoned: the peer left a link that was up.
    void linkEnded(bool abandoned);
    // A "NETWORK: " message for the player.
    void errorMessage(const QString& text);

private:
    friend class NetInputHold;
    void Hold();
    void Release();

    // NetLinkOutput
    void SendToPeer(const QByteArray& bytes) override;
    void EndLink(NetLinkEnd why) override;
    void CallRequested(const NetCallRequest& request) override;
    void GameStarted() override;
    void GameRestarted() override;
    void MoveReceived(int x, int y) override;
    void ChatReceived(const QString& text) override;
    void RemoteBoardReceived(const QByteArray& boardText) override;

    bool OpenServer();
    void ReopenListening();
    int ResolvePort() const;
    void OnNewConnection();
    void OnCallConnected();
    void OnCallFailed();
    // The connection of the linked peer: its events come to us.
    void AttachPeer(QTcpSocket* socket);
    void OnPeerReadyRead();
    void OnPeerGone(QTcpSocket* socket);
    void EndForPeerGone();
    // Moves what the peer's socket holds into the buffer, as much as there
    // is room for; whether anything came.
    bool ReadPeer();
    // The next complete message of the peer, reading its socket as needed;
    // readMore is set when anything new came.
    std::optional<NetMessage> NextFromPeer(bool senderQuiet, bool& readMore);
    // Keeps a message for the hold's release; false when too much waits
    // already (the peer floods the link).
    bool SetAside(NetMessage message);
    NetMessage TakeSetAside();
    void ClearSetAside();
    // Reads and dispatches the peer's messages one at a time until none is
    // complete, for a slice of time at most; the rest follows from the event
    // loop, so the window answers its player meanwhile. senderQuiet: the
    // settle time passed with nothing new. While the input is held, only
    // what leaves the game alone is handled, the rest is set aside; once the
    // hold goes, what was set aside comes first.
    void Drain(bool senderQuiet);
    // The rest of the peer's input is handled once the window has had its turn.
    void DrainLater();
    // Our replies went out (some of them), or the wait for that is over.
    void OnRepliesSent();
    void OnSendWaitOver();
    void Flooded();
    void EndCall();
    // Drops the peer connection: closed at once, or left to the peer to
    // close (at most the linger time) after a last answer.
    void DropPeer(bool letPeerClose);
    void Linger(QTcpSocket* socket, bool busy);

    NetLink link_;
    NetReceiveBuffer buffer_;
    QTcpServer* server_ = nullptr;
    QPointer<QTcpSocket> caller_;  // our call while it connects
    QPointer<QTcpSocket> peer_;    // the linked peer's connection
    std::vector<QPointer<QTcpSocket>> busySockets_;
    QTimer* callTimer_ = nullptr;
    QTimer* requestTimer_ = nullptr;
    QTimer* settleTimer_ = nullptr;
    QTimer* drainTimer_ = nullptr;
    // The handling of the peer's input waits for our replies to go out.
    QTimer* sendWaitTimer_ = nullptr;
    qint64 backlogAtPause_ = 0;
    bool sendStalled_ = false;  // the peer took none of them: no more waits
    QHostAddress listenAddress_ = QHostAddress(QHostAddress::Any);
    int port_ = 8173;
    QString service_;
    QString localName_;
    QString callAddress_;
    NetCallRequest pendingCall_;
    bool calling_ = false;
    bool needReopen_ = false;
    bool dispatching_ = false;  // a message is being handled (Drain is on the stack)
    bool peerGone_ = false;     // the peer hung up; the link ends once its bytes are handled
    bool flooded_ = false;      // a text filled the buffer, or too much waits for a hold
    int holds_ = 0;             // holds on the peer's input that are alive
    // The peer's messages that wait for the holds to go, in order, and their bytes.
    std::deque<NetMessage> setAside_;
    qsizetype setAsideBytes_ = 0;
    int callTimeoutMs_ = 20000;
    int requestTimeoutMs_ = 30000;
    int lingerMs_ = 60000;
};

}  // namespace reversi

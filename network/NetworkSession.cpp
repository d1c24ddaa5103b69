// Listening, calling, the linked peer and the turned-away callers, and the
// hand-over of received bytes to the link's conversation.
#include "NetworkSession.h"

#include <netdb.h>

#include <string>

#include <QElapsedTimer>
#include <QHostInfo>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "NetTexts.h"
#include "Settings.h"

namespace reversi {

namespace {
// A peer that stops reading while we keep sending (it asks for boards in a
// loop) is dropped before our send buffer grows without end.
constexpr qint64 SendBacklogCap = 1024 * 1024;
// Past this much unsent, what waits goes to the system at once; past the
// second, the handling of the peer's input waits until some of it has gone
// (a peer that reads slowly is answered at its pace), for the stall time at
// most: a peer that takes nothing in that time is not waited for again, and
// the cap above cuts it off.
constexpr qint64 SendFlushBacklog = 64 * 1024;
constexpr qint64 SendPauseBacklog = 256 * 1024;
constexpr int SendStallMs = 1000;
// The longest the peer's input is handled before the window has its turn.
constexpr qint64 DrainSliceMs = 20;
// The socket is read again before a message only once this much room is
// free: the buffer's bytes are then moved at most once per this many taken.
constexpr qsizetype ReadChunk = NetReceiveBuffer::DefaultCapacity / 4;
// What may wait for the input's hold, in messages and in bytes: a peer that
// keeps sending while its messages wait is cut off as one that floods.
constexpr std::size_t MaxSetAsideMessages = 4096;
constexpr qsizetype MaxSetAsideBytes = NetReceiveBuffer::DefaultCapacity;
}  // namespace

NetworkSession::NetworkSession(QObject* parent) : QObject(parent), link_(*this) {
    localName_ = QSysInfo::machineHostName().left(MaxComputerName);
    SetBoardTextSource({});

    server_ = new QTcpServer(this);
    connect(server_, &QTcpServer::newConnection, this, &NetworkSession::OnNewConnection);

    callTimer_ = new QTimer(this);
    callTimer_->setSingleShot(true);
    connect(callTimer_, &QTimer::timeout, this, &NetworkSession::OnCallFailed);

    requestTimer_ = new QTimer(this);
    requestTimer_->setSingleShot(true);
    connect(requestTimer_, &QTimer::timeout, this, [this] {
        // A caller that never says what it wants holds the link: let it go.
        if (link_.State() != NetLinkState::CalleeWaitingRequest) return;
        link_.Reset();
        DropPeer(false);
        emit linkEnded(false);
        emit linkStateChanged();
    });

    settleTimer_ = new QTimer(this);
    settleTimer_->setSingleShot(true);
    settleTimer_->setInterval(40);
    connect(settleTimer_, &QTimer::timeout, this, [this] { Drain(true); });

    drainTimer_ = new QTimer(this);
    drainTimer_->setSingleShot(true);
    drainTimer_->setInterval(0);
    connect(drainTimer_, &QTimer::timeout, this, [this] { Drain(false); });

    sendWaitTimer_ = new QTimer(this);
    sendWaitTimer_->setSingleShot(true);
    sendWaitTimer_->setInterval(SendStallMs);
    connect(sendWaitTimer_, &QTimer::timeout, this, &NetworkSession::OnSendWaitOver);
}

void NetworkSession::SetBoardTextSource(NetLink::BoardTextSource source) {
    if (!source) {
        source = [this] {
            const int n = link_.Field10() ? 10 : 8;
            return QByteArray(n * n, '+');
        };
    }
    link_.SetBoardTextSource(std::move(source));
}

NetworkSession::~NetworkSession() {
    // Sockets closing while we are destroyed must not call back into us
    // (the accepted ones are the server's children).
    for (QTcpSocket* socket : findChildren<QTcpSocket*>()) socket->disconnect(this);
    server_->disconnect(this);
}

void NetworkSession::ApplySettings(const Settings& settings) {
    SetPort(settings.NETPort, settings.NETService);
}

void NetworkSession::SetPort(int port, const QString& service) {
    port_ = port;
    service_ = service;
}

void NetworkSession::SetTextSettleTime(int ms) { settleTimer_->setInterval(ms); }

int NetworkSession::ResolvePort() const {
    if (service_.isEmpty()) return port_ >= 0 && port_ <= 65535 ? port_ : -1;
    const servent* entry = getservbyname(service_.toLocal8Bit().constData(), "tcp");
    if (entry == nullptr) return -1;
    return ntohs(static_cast<uint16_t>(entry->s_port));
}

// --- Listening --------------------------------------------------------------

bool NetworkSession::OpenServer() {
    if (server_->isListening()) return true;
    const int port = ResolvePort();
    return port >= 0 && server_->listen(listenAddress_, static_cast<quint16>(port));
}

bool NetworkSession::StartListening() {
    const bool ok = OpenServer();
    emit linkStateChanged();
    return ok;
}

void NetworkSession::StopListening() {
    server_->close();
    emit linkStateChanged();
}

void NetworkSession::ToggleListening() {
    // Chosen during a call, the player's choice stands after it: listening
    // closed for the call is not opened again by its end.
    needReopen_ = false;
    if (server_->isListening()) {
        server_->close();
    } else if (!OpenServer()) {
        emit linkStateChanged();
        emit errorMessage(QString::fromLatin1(nettext::CannotListen));
        return;
    }
    emit linkStateChanged();
}

bool NetworkSession::IsListening() const { return server_->isListening(); }

quint16 NetworkSession::ListeningPort() const { return server_->serverPort(); }

void NetworkSession::ReopenListening() {
    needReopen_ = false;
    if (!OpenServer()) {
        emit linkStateChanged();
        emit errorMessage(QString::fromLatin1(nettext::CannotListen));
        return;
    }
    emit linkStateChanged();
}

bool NetworkSession::IsBusyReplyPending() const {
    for (const auto& s : busySockets_) {
        if (s) return true;
    }
    return false;
}

void NetworkSession::OnNewConnection() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        if (link_.IsUp() || calling_) {
            // Somebody else is linked, or our own call is under way: answer
            // "A" and read nothing from it.
            socket->write(EncodeNetSignal(NetMessageKind::BusyReply));
            Linger(socket, true);
            emit busyReplySent();
            emit linkStateChanged();
            continue;
        }
        AttachPeer(socket);
        link_.StartAsListener();
        requestTimer_->start(requestTimeoutMs_);
        emit linkStarted();
        emit linkStateChanged();
        // Bytes that came with the connection are not announced again.
        if (socket->bytesAvailable() > 0) OnPeerReadyRead();
    }
}

void NetworkSession::Linger(QTcpSocket* socket, bool busy) {
    socket->disconnect(this);
    socket->setParent(this);
    QPointer<QTcpSocket> guarded(socket);
    if (busy) busySockets_.push_back(guarded);
    // Whatever it sends is not read; the socket goes when it hangs up or
    // after the linger time.
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    auto finish = [this, guarded] {
        if (!guarded) return;
        guarded->disconnect(this);
        guarded->abort();
        guarded->deleteLater();
        std::erase_if(busySockets_,
                      [&](const QPointer<QTcpSocket>& s) { return !s || s == guarded; });
        emit linkStateChanged();
    };
    connect(socket, &QTcpSocket::disconnected, this, finish);
    // The peer hangs up after reading our answer; closing first would make
    // it take our close for a peer that left.
    QTimer::singleShot(lingerMs_, this, finish);
}

// --- Calling ----------------------------------------------------------------

void NetworkSession::Call(const QString& address, bool callerWhite, bool field10) {
    if (link_.IsUp()) return;
    // A new call replaces the one under way.
    if (calling_) EndCall();
    callAddress_ = address;
    pendingCall_ = NetCallRequest{callerWhite, field10, localName_};
    calling_ = true;
    if (server_->isListening()) {
        server_->close();
        needReopen_ = true;
    }
    const int port = ResolvePort();
    if (address.trimmed().isEmpty() || port <= 0) {
        // The socket cannot even be opened: listening stays closed, to be
        // opened again by the next call's connect or failure.
        calling_ = false;
        emit linkStateChanged();
        emit errorMessage(QString::fromLatin1(nettext::OpenSocketError));
        return;
    }
    caller_ = new QTcpSocket(this);
    connect(caller_, &QTcpSocket::connected, this, &NetworkSession::OnCallConnected);
    connect(caller_, &QTcpSocket::errorOccurred, this, [this] {
        if (calling_) OnCallFailed();
    });
    callTimer_->start(callTimeoutMs_);
    emit linkStateChanged();
    caller_->connectToHost(address.trimmed(), static_cast<quint16>(port));
}

void NetworkSession::EndCall() {
    callTimer_->stop();
    calling_ = false;
    if (caller_) {
        caller_->disconnect(this);
        caller_->abort();
        caller_->deleteLater();
        caller_ = nullptr;
    }
}

void NetworkSession::OnCallFailed() {
    if (!calling_) return;
    EndCall();
    if (needReopen_) ReopenListening();
    emit linkStateChanged();
    emit errorMessage(QString::fromLatin1(nettext::CallError));
}

void NetworkSession::OnCallConnected() {
    if (!calling_ || !caller_) return;
    callTimer_->stop();
    calling_ = false;
    QTcpSocket* socket = caller_;
    caller_ = nullptr;
    socket->disconnect(this);
    if (needReopen_) ReopenListening();
    AttachPeer(socket);
    link_.StartAsCaller(pendingCall_);
    emit linkStarted();
    emit linkStateChanged();
}

// --- The link ---------------------------------------------------------------

void NetworkSession::AttachPeer(QTcpSocket* socket) {
    peer_ = socket;
    buffer_.Clear();
    ClearSetAside();
    peerGone_ = false;
    // While a handler's nested loop keeps us from reading, the socket holds
    // no more than the buffer would take; the rest waits in the system.
    socket->setReadBufferSize(NetReceiveBuffer::DefaultCapacity);
    sendWaitTimer_->stop();
    sendStalled_ = false;
    // Unlike readyRead, which Qt holds back while its own slot runs, this
    // comes inside a handler's nested loop too: held input is read there.
    connect(socket, &QTcpSocket::channelReadyRead, this, &NetworkSession::OnPeerReadyRead);
    connect(socket, &QTcpSocket::bytesWritten, this, &NetworkSession::OnRepliesSent);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { OnPeerGone(socket); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket->state() == QAbstractSocket::UnconnectedState) OnPeerGone(socket);
    });
}

void NetworkSession::Disconnect() {
    if (calling_) {
        EndCall();
        if (needReopen_) ReopenListening();
        emit linkStateChanged();
        return;
    }
    if (!peer_ && !link_.IsUp()) return;
    link_.Reset();
    DropPeer(false);
    emit linkEnded(false);
    emit linkStateChanged();
}

void NetworkSession::AnswerCall(bool accept) {
    link_.AnswerCall(accept);
    emit linkStateChanged();
}

void NetworkSession::DropPeer(bool letPeerClose) {
    requestTimer_->stop();
    settleTimer_->stop();
    drainTimer_->stop();
    sendWaitTimer_->stop();
    buffer_.Clear();
    ClearSetAside();
    QTcpSocket* socket = peer_;
    peer_ = nullptr;
    if (!socket) return;
    if (letPeerClose) {
        Linger(socket, false);
        return;
    }
    socket->disconnect(this);
    // What is still to be sent goes out before the connection closes.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(lingerMs_, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

void NetworkSession::OnPeerGone(QTcpSocket* socket) {
    if (socket != peer_) return;
    if (holds_ > 0) {
        // The player reads a box: the hang-up is heard after what came
        // before it, once the box has closed. What of that leaves the game
        // alone is handled now.
        peerGone_ = true;
        Drain(true);
        return;
    }
    if (dispatching_) {
        // Heard inside a handler's nested loop (a modal box): the link ends
        // now, so that a window waiting for its player learns of it, and
        // nothing more of the gone link is handled.
        EndForPeerGone();
        return;
    }
    // What the peer sent before it hung up is handled first, in order; the
    // dispatch ends the link once the buffer is done.
    peerGone_ = true;
    Drain(true);
}

void NetworkSession::EndForPeerGone() {
    peerGone_ = false;
    const bool deciding = link_.IsDeciding();
    const bool abandoned = link_.IsUp() && !deciding;
    link_.Reset();
    DropPeer(false);
    if (deciding) emit callRequestCancelled();
    emit linkEnded(abandoned);
    emit linkStateChanged();
}

void NetworkSession::OnPeerReadyRead() { Drain(false); }

bool NetworkSession::ReadPeer() {
    const qint64 room = buffer_.Room();
    if (room <= 0 || peer_->bytesAvailable() <= 0) return false;
    // Only as much as the buffer takes: the rest waits in the socket and,
    // past its own limit, in the system, which slows the sender down.
    const QByteArray fresh = peer_->read(room);
    buffer_.Append(fresh);
    return !fresh.isEmpty();
}

void NetworkSession::Hold() { ++holds_; }

void NetworkSession::Release() {
    if (holds_ > 0 && --holds_ == 0) DrainLater();
}

void NetworkSession::DrainLater() {
    if (peer_) drainTimer_->start();
}

bool NetworkSession::HasPendingInput() const {
    if (peerGone_ || !setAside_.empty() || drainTimer_->isActive() || sendWaitTimer_->isActive())
        return true;
    return peer_ && (!buffer_.IsEmpty() || peer_->bytesAvailable() > 0);
}

bool NetworkSession::SetAside(NetMessage message) {
    setAsideBytes_ += 1 + message.payload.size();
    setAside_.push_back(std::move(message));
    return setAside_.size() <= MaxSetAsideMessages && setAsideBytes_ <= MaxSetAsideBytes;
}

NetMessage NetworkSession::TakeSetAside() {
    NetMessage message = std::move(setAside_.front());
    setAside_.pop_front();
    setAsideBytes_ -= 1 + message.payload.size();
    return message;
}

void NetworkSession::ClearSetAside() {
    setAside_.clear();
    setAsideBytes_ = 0;
}

std::optional<NetMessage> NetworkSession::NextFromPeer(bool senderQuiet, bool& readMore) {
    for (;;) {
        // The socket is read again whenever there is room: bytes that came
        // during a handler's nested loop were announced while they could not
        // be handled, and are not announced again.
        if (buffer_.Room() >= ReadChunk && ReadPeer()) readMore = true;
        // A text ends where the sender went quiet; bytes that came since
        // say it has not, unless it has hung up.
        const bool quiet = peerGone_ || (senderQuiet && !readMore);
        std::optional<NetMessage> message = buffer_.Next(quiet);
        // What is at the front may be completed by what the socket holds.
        if (message || !ReadPeer()) return message;
        readMore = true;
    }
}

void NetworkSession::Drain(bool senderQuiet) {
    if (sendWaitTimer_->isActive()) return;
    // One message at a time: a handler may run a nested event loop (a modal
    // box), and what arrives meanwhile waits for the loop below, which is
    // still on the stack. Only while the input is held does a nested call go
    // on, to handle what leaves the game alone and set the rest aside, which
    // touches nothing the handler below relies on.
    const bool nested = dispatching_;
    if (nested && holds_ == 0) return;
    dispatching_ = true;
    QElapsedTimer slice;
    slice.start();
    bool readMore = false;
    bool sliceOver = false;
    bool repliesWait = false;
    while (peer_ && link_.IsUp()) {
        std::optional<NetMessage> message;
        if (holds_ == 0) {
            // The hold went during a handler's loop: the loop below goes on.
            if (nested) break;
            // What waited for the hold comes first, in order.
            if (!setAside_.empty()) message = TakeSetAside();
        }
        if (!message) {
            message = NextFromPeer(senderQuiet, readMore);
            if (!message) {
                // A text that fills the whole buffer without its end: a flood.
                if (buffer_.IsFull()) flooded_ = true;
                break;
            }
        }
        if (holds_ > 0 && !NetLink::LeavesGameAlone(message->kind)) {
            // It may change or replace the game under the player's box: it
            // waits, and a move is checked only when it is handled.
            if (!SetAside(std::move(*message))) {
                flooded_ = true;
                break;
            }
        } else {
            link_.Receive(*message);
            if (!sendStalled_ && peer_ && peer_->bytesToWrite() > SendPauseBacklog) {
                repliesWait = true;
                break;
            }
        }
        if (slice.elapsed() >= DrainSliceMs) {
            sliceOver = true;
            break;
        }
    }
    dispatching_ = nested;
    if (flooded_) {
        flooded_ = false;
        peerGone_ = false;
        Flooded();
        return;
    }
    if (repliesWait && peer_ && link_.IsUp()) {
        backlogAtPause_ = peer_->bytesToWrite();
        sendWaitTimer_->start();
        return;
    }
    if (sliceOver && peer_ && link_.IsUp()) {
        // The rest after the window's own events; a hang-up waits for it.
        DrainLater();
        return;
    }
    // The hold went during a handler's loop: the loop below goes on.
    if (nested && holds_ == 0) return;
    // Held, the hang-up waits for the release, which goes on from here.
    if (peerGone_ && holds_ == 0) {
        if (peer_) {
            EndForPeerGone();
        } else {
            peerGone_ = false;  // the link ended on its own account meanwhile
        }
        return;
    }
    // What is left waits for more bytes, or for the sender to go quiet; a
    // quiet drain that read nothing new leaves an incomplete move alone
    // until more arrives.
    if (peer_ && !peerGone_ && !buffer_.IsEmpty() && (!senderQuiet || readMore))
        settleTimer_->start();
}

void NetworkSession::OnRepliesSent() {
    // The peer reads again: it is waited for again next time.
    sendStalled_ = false;
    if (!sendWaitTimer_->isActive()) return;
    sendWaitTimer_->stop();
    DrainLater();
}

void NetworkSession::OnSendWaitOver() {
    // Nothing went out in all that time: the peer has stopped reading.
    if (peer_ && peer_->bytesToWrite() >= backlogAtPause_) sendStalled_ = true;
    DrainLater();
}

void NetworkSession::Flooded() {
    link_.Reset();
    DropPeer(false);
    emit linkEnded(false);
    emit linkStateChanged();
    emit errorMessage(QString::fromLatin1(nettext::PeerFlooded));
}

QString NetworkSession::PeerName() const { return peer_ ? peer_->peerName() : QString(); }

QString NetworkSession::PeerAddress() const {
    if (!peer_) return {};
    QHostAddress address = peer_->peerAddress();
    bool ok = false;
    const QHostAddress v4(address.toIPv4Address(&ok));
    return ok ? v4.toString() : address.toString();
}

// --- What the link asks for --------------------------------------------------

void NetworkSession::SendToPeer(const QByteArray& bytes) {
    if (!peer_) return;
    peer_->write(bytes);
    if (peer_->bytesToWrite() > SendFlushBacklog) peer_->flush();
    if (peer_->bytesToWrite() > SendBacklogCap) {
        // Called from inside the link's dispatch: end it after this message.
        QTimer::singleShot(0, this, [this] {
            if (peer_ && peer_->bytesToWrite() > SendBacklogCap) Flooded();
        });
    }
}

void NetworkSession::EndLink(NetLinkEnd why) {
    DropPeer(why == NetLinkEnd::LocalRefused);
    emit linkEnded(false);
    emit linkStateChanged();
    if (why == NetLinkEnd::PeerBusy) emit errorMessage(QString::fromLatin1(nettext::PeerBusy));
    if (why == NetLinkEnd::PeerRefused)
        emit errorMessage(QString::fromLatin1(nettext::PeerRefused));
}

void NetworkSession::CallRequested(const NetCallRequest& request) {
    requestTimer_->stop();
    emit linkStateChanged();
    emit callRequested(request.callerName, link_.LocalBlack(), request.field10);
}

void NetworkSession::GameStarted() {
    buffer_.SetFieldSize(link_.Field10() ? 10 : 8);
    emit linkStateChanged();
    emit gameStarted(link_.LocalBlack(), link_.Field10());
}

void NetworkSession::GameRestarted() { emit gameRestarted(); }

void NetworkSession::MoveReceived(int x, int y) { emit moveReceived(x, y); }

void NetworkSession::ChatReceived(const QString& text) { emit chatReceived(text); }

void NetworkSession::RemoteBoardReceived(const QByteArray& boardText) {
    emit remoteBoardReceived(boardText);
}

// --- Local actions ------------------------------------------------------------

bool NetworkSession::SendMove(int x, int y) { return link_.SendMove(x, y); }
bool NetworkSession::SendRestart() { return link_.SendRestart(); }
bool NetworkSession::SendChat(const QString& text) { return link_.SendChat(text); }
bool NetworkSession::RequestBoard() { return link_.RequestBoard(); }

}  // namespace reversi

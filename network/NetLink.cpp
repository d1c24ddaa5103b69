// The link's conversation: what each received message does in each state.
#include "NetLink.h"

namespace reversi {

NetLink::NetLink(NetLinkOutput& output) : out_(output) {}

bool NetLink::LocalBlack() const { return isServer_ ? call_.callerWhite : !call_.callerWhite; }

void NetLink::Send(NetMessageKind kind) { out_.SendToPeer(EncodeNetSignal(kind)); }

void NetLink::StartAsCaller(const NetCallRequest& ownCall) {
    isServer_ = false;
    call_ = ownCall;
    call_.callerName = call_.callerName.left(MaxComputerName);
    boardRequests_ = 0;
    state_ = NetLinkState::CallerWaiting;
    out_.SendToPeer(EncodeCallRequest(call_));
}

void NetLink::StartAsListener() {
    isServer_ = true;
    call_ = NetCallRequest{};
    boardRequests_ = 0;
    state_ = NetLinkState::CalleeWaitingRequest;
}

void NetLink::Reset() {
    state_ = NetLinkState::Idle;
    boardRequests_ = 0;
    freshRestart_ = false;
}

void NetLink::Receive(const NetMessage& message) {
    if (state_ == NetLinkState::Idle) return;
    switch (message.kind) {
        case NetMessageKind::CallRequest:
            if (state_ != NetLinkState::CalleeWaitingRequest) return;
            if (const auto request = DecodeCallRequest(message)) {
                call_ = *request;
                state_ = NetLinkState::CalleeDeciding;
                out_.CallRequested(call_);
            }
            return;
        case NetMessageKind::BusyReply:
        case NetMessageKind::RefusalReply:
            if (state_ != NetLinkState::CallerWaiting) return;
            state_ = NetLinkState::Idle;
            out_.EndLink(message.kind == NetMessageKind::BusyReply ? NetLinkEnd::PeerBusy
                                                                   : NetLinkEnd::PeerRefused);
            return;
        case NetMessageKind::AcceptReply:
            if (state_ != NetLinkState::CallerWaiting) return;
            Send(NetMessageKind::StartConfirm);
            state_ = NetLinkState::Game;
            freshRestart_ = false;
            out_.GameStarted();
            return;
        case NetMessageKind::StartConfirm:
            if (state_ != NetLinkState::CalleeAccepted) return;
            state_ = NetLinkState::Game;
            freshRestart_ = false;
            out_.GameStarted();
            return;
        case NetMessageKind::Restart:
            // A run of restarts with no move between is one restart: the
            // ones after the first would put the same new game on the board.
            if (state_ != NetLinkState::Game || freshRestart_) return;
            freshRestart_ = true;
            out_.GameRestarted();
            return;
        case NetMessageKind::Move:
            if (state_ != NetLinkState::Game) return;
            if (const auto square = DecodeMove(message)) {
                if (moveCheck_ && moveCheck_(square->x, square->y)) {
                    freshRestart_ = false;
                    out_.MoveReceived(square->x, square->y);
                }
            }
            return;
        case NetMessageKind::Chat:
            out_.ChatReceived(DecodeNetText(message.payload));
            return;
        case NetMessageKind::BoardRequest:
            out_.SendToPeer(EncodeBoardReply(boardText_ ? boardText_() : QByteArray()));
            return;
        case NetMessageKind::BoardReply:
            // Only an answer to our own request opens a view.
            if (state_ != NetLinkState::Game || boardRequests_ == 0) return;
            --boardRequests_;
            out_.RemoteBoardReceived(message.payload);
            return;
    }
}

bool NetLink::LeavesGameAlone(NetMessageKind kind) {
    return kind == NetMessageKind::BoardRequest || kind == NetMessageKind::Chat ||
           kind == NetMessageKind::BoardReply;
}

bool NetLink::AnswerCall(bool accept) {
    if (state_ != NetLinkState::CalleeDeciding) return false;
    if (accept) {
        Send(NetMessageKind::AcceptReply);
        state_ = NetLinkState::CalleeAccepted;
    } else {
        Send(NetMessageKind::RefusalReply);
        state_ = NetLinkState::Idle;
        out_.EndLink(NetLinkEnd::LocalRefused);
    }
    return true;
}

bool NetLink::SendMove(int x, int y) {
    if (state_ != NetLinkState::Game || x < 0 || x > 9 || y < 0 || y > 9) return false;
    freshRestart_ = false;
    out_.SendToPeer(EncodeMove(x, y));
    return true;
}

bool NetLink::SendRestart() {
    if (state_ != NetLinkState::Game) return false;
    freshRestart_ = true;
    Send(NetMessageKind::Restart);
    return true;
}

bool NetLink::SendChat(const QString& text) {
    if (!IsUp()) return false;
    out_.SendToPeer(EncodeChat(text));
    return true;
}

bool NetLink::RequestBoard() {
    if (state_ != NetLinkState::Game) return false;
    ++boardRequests_;
    Send(NetMessageKind::BoardRequest);
    return true;
}

}  // namespace reversi

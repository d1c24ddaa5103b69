// Cutting the received bytes of a network link into messages.
#include "NetReceiveBuffer.h"

namespace reversi {

namespace {
bool IsBoardChar(char c) { return c == 'w' || c == 'b' || c == '+'; }
}  // namespace

NetReceiveBuffer::NetReceiveBuffer(qsizetype capacity) : capacity_(capacity) {}

void NetReceiveBuffer::SetFieldSize(int n) { fieldSize_ = n == 10 ? 10 : 8; }

bool NetReceiveBuffer::Append(QByteArrayView bytes) {
    if (bytes.size() > capacity_ - data_.size()) {
        DropAll();
        dropped_ += bytes.size();
        return false;
    }
    data_.append(bytes);
    return true;
}

void NetReceiveBuffer::Clear() { data_.clear(); }

void NetReceiveBuffer::DropAll() {
    dropped_ += data_.size();
    data_.clear();
}

bool NetReceiveBuffer::WaitsForQuiet() const {
    if (data_.isEmpty()) return false;
    const char first = data_[0];
    return first == static_cast<char>(NetMessageKind::CallRequest) ||
           first == static_cast<char>(NetMessageKind::Chat);
}

std::optional<NetMessage> NetReceiveBuffer::Next(bool senderQuiet) {
    if (data_.isEmpty()) return std::nullopt;
    const std::optional<NetMessageKind> kind = NetMessageKindOf(data_[0]);
    if (!kind) {
        DropAll();
        return std::nullopt;
    }
    qsizetype length = 1;
    switch (*kind) {
        case NetMessageKind::Move:
            if (data_.size() < 3) return std::nullopt;
            length = 3;
            break;
        case NetMessageKind::BoardReply: {
            const qsizetype cells = qsizetype(fieldSize_) * fieldSize_;
            qsizetype run = 0;
            while (run < cells && 1 + run < data_.size() && IsBoardChar(data_[1 + run])) ++run;
            // Complete when the board is whole or a byte that is no board cell
            // ends it; otherwise more of it is on its way.
            const bool ended = run == cells || 1 + run < data_.size();
            if (!ended && !senderQuiet) return std::nullopt;
            length = 1 + run;
            break;
        }
        case NetMessageKind::CallRequest:
        case NetMessageKind::Chat:
            if (!senderQuiet) return std::nullopt;
            length = data_.size();
            if (*kind == NetMessageKind::CallRequest && length < 3) {
                // Too short to say colour and size: not a call request.
                DropAll();
                return std::nullopt;
            }
            break;
        default:
            break;
    }
    NetMessage message{*kind, data_.mid(1, length - 1)};
    data_.remove(0, length);
    return message;
}

}  // namespace reversi

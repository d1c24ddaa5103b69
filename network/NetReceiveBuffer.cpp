// Cutting the received bytes of a network link into messages.
#include "NetReceiveBuffer.h"

#include <algorithm>

namespace reversi {

NetReceiveBuffer::NetReceiveBuffer(qsizetype capacity) : capacity_(capacity) {}

void NetReceiveBuffer::SetFieldSize(int n) { fieldSize_ = n == 10 ? 10 : 8; }

bool NetReceiveBuffer::Append(QByteArrayView bytes) {
    if (bytes.size() > Room()) {
        DropAll();
        dropped_ += bytes.size();
        return false;
    }
    data_.append(bytes);
    return true;
}

void NetReceiveBuffer::Clear() {
    data_.clear();
    head_ = 0;
}

void NetReceiveBuffer::DropAll() {
    dropped_ += Size();
    Clear();
}

void NetReceiveBuffer::Consume(qsizetype length) {
    head_ += length;
    if (head_ >= data_.size()) {
        // Nothing left: the storage is kept for the next read.
        data_.resize(0);
        head_ = 0;
    } else if (head_ >= Size()) {
        // The read part outweighs the rest: moving the rest down costs no
        // more than the bytes taken since the last move.
        data_.remove(0, head_);
        head_ = 0;
    }
}

bool NetReceiveBuffer::WaitsForQuiet() const {
    if (IsEmpty()) return false;
    const char first = At(0);
    if (first == static_cast<char>(NetMessageKind::BoardReply))
        return Size() < 1 + qsizetype(fieldSize_) * fieldSize_;
    return first == static_cast<char>(NetMessageKind::CallRequest) ||
           first == static_cast<char>(NetMessageKind::Chat);
}

std::optional<NetMessage> NetReceiveBuffer::Next(bool senderQuiet) {
    if (IsEmpty()) return std::nullopt;
    const std::optional<NetMessageKind> kind = NetMessageKindOf(At(0));
    if (!kind) {
        DropAll();
        return std::nullopt;
    }
    qsizetype length = 1;
    switch (*kind) {
        case NetMessageKind::Move:
            if (Size() < 3) return std::nullopt;
            length = 3;
            break;
        case NetMessageKind::BoardReply: {
            // The whole board, or what came of it before the sender went quiet.
            const qsizetype whole = 1 + qsizetype(fieldSize_) * fieldSize_;
            if (Size() < whole && !senderQuiet) return std::nullopt;
            length = std::min(whole, Size());
            break;
        }
        case NetMessageKind::CallRequest:
        case NetMessageKind::Chat:
            if (!senderQuiet) return std::nullopt;
            length = Size();
            if (*kind == NetMessageKind::CallRequest && length < 3) {
                // Too short to say colour and size: not a call request.
                DropAll();
                return std::nullopt;
            }
            break;
        default:
            break;
    }
    NetMessage message{*kind, data_.mid(head_ + 1, length - 1)};
    Consume(length);
    return message;
}

}  // namespace reversi

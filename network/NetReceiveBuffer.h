// Splits the byte stream of a network link into messages. TCP keeps no
// message boundaries, so the buffer cuts by the known length of each kind.
#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>

#include "NetMessage.h"

namespace reversi {

// Lengths: "A", "N", "Y", "G", "R", "F" are one byte, "M" three, "D" one plus
// N x N board characters, whatever those bytes are (none of them is read as
// a message of its own; a board cut short is taken as it stands once the
// sender has gone quiet). "B" and "T" carry no length: they take everything
// that has arrived once the sender has gone quiet (the caller tells the
// buffer so), which joins a text that arrives in two reads. A byte that
// names no message at the front means the stream is out of step (the tail of
// a text, or garbage): everything buffered is dropped, and the next read
// starts afresh.
//
// Taking a message from the front costs nothing but the message: the bytes
// before a read position are given back only once they outweigh the rest.
class NetReceiveBuffer {
public:
    static constexpr qsizetype DefaultCapacity = 64 * 1024;

    explicit NetReceiveBuffer(qsizetype capacity = DefaultCapacity);

    // The field size that sets the length of a board reply: 8 or 10.
    void SetFieldSize(int n);
    int FieldSize() const { return fieldSize_; }

    // Adds received bytes. False, and the buffer emptied, when they would
    // take it over its capacity: the peer floods the link.
    bool Append(QByteArrayView bytes);

    // The next complete message, or nothing while the front one is still
    // incomplete. senderQuiet: nothing has arrived for a while, so a "B" or
    // "T" at the front is complete, and so is a board cut short.
    std::optional<NetMessage> Next(bool senderQuiet);

    // The message at the front waits for the sender to go quiet: a "B" or
    // "T", or a board reply that is not whole yet.
    bool WaitsForQuiet() const;
    qsizetype Size() const { return data_.size() - head_; }
    bool IsEmpty() const { return Size() == 0; }
    // How many more bytes Append takes; none once the buffer is full.
    qsizetype Room() const { return capacity_ - Size(); }
    bool IsFull() const { return Room() <= 0; }
    // Bytes dropped so far because they named no message or were malformed.
    qsizetype DroppedBytes() const { return dropped_; }
    void Clear();

private:
    char At(qsizetype i) const { return data_[head_ + i]; }
    // Takes `length` bytes from the front.
    void Consume(qsizetype length);
    void DropAll();

    QByteArray data_;
    qsizetype head_ = 0;  // where the unread bytes of data_ begin
    qsizetype capacity_;
    int fieldSize_ = 8;
    qsizetype dropped_ = 0;
};

}  // namespace reversi

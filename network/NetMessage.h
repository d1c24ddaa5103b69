// The one-letter messages two copies of the game exchange over TCP: their
// kinds, how each is written byte for byte, and how a received one is read.
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace reversi {

// The first byte of every message names it.
enum class NetMessageKind : char {
    CallRequest = 'B',   // "B" + colour ("W"/"B") + size ("8"/"0") + caller name
    BusyReply = 'A',     // to a second caller while a link is up
    RefusalReply = 'N',  // the called player declined (or did not answer)
    AcceptReply = 'Y',   // the called player accepted
    StartConfirm = 'G',  // the caller's answer to "Y"
    Restart = 'R',       // "New" during a network game
    Move = 'M',          // "M" + column digit + row digit
    Chat = 'T',          // "T" + text
    BoardRequest = 'F',  // asks the peer for its board
    BoardReply = 'D',    // "D" + board text, N x N characters
};

// The kind named by a first byte, or nothing for a byte that names none.
std::optional<NetMessageKind> NetMessageKindOf(char first);

// One received message: its kind and the bytes after its letter.
struct NetMessage {
    NetMessageKind kind = NetMessageKind::BusyReply;
    QByteArray payload;

    bool operator==(const NetMessage&) const = default;
};

// What a call request says.
struct NetCallRequest {
    bool callerWhite = true;  // the caller plays white
    bool field10 = false;     // 10 x 10 rather than 8 x 8
    QString callerName;       // at most MaxComputerName characters

    bool operator==(const NetCallRequest&) const = default;
};

// Longest computer name a call request carries.
inline constexpr int MaxComputerName = 16;

// Texts travel one byte per character in the Western Windows code page
// (1252); a character outside it is sent as "?".
QByteArray EncodeNetText(const QString& text);
QString DecodeNetText(const QByteArray& bytes);

// A peer's text for a one-line place (a label, a window title): every line
// break and other control character becomes a blank.
QString OneLineText(const QString& text);

// The messages without payload: "A", "N", "Y", "G", "R", "F".
QByteArray EncodeNetSignal(NetMessageKind kind);
// "B" + "W" or "B" + "8" or "0" + the name cut to MaxComputerName characters.
QByteArray EncodeCallRequest(const NetCallRequest& request);
// "M" + column digit + row digit; x and y are 0 to 9.
QByteArray EncodeMove(int x, int y);
QByteArray EncodeChat(const QString& text);
// "D" + the board text as it stands.
QByteArray EncodeBoardReply(const QByteArray& boardText);

// Readers of received messages. A call request needs its colour and size
// bytes: a character other than "W" means black, other than "8" means 10 x 10
// (as every peer reads them); the name is cut to MaxComputerName characters.
std::optional<NetCallRequest> DecodeCallRequest(const NetMessage& message);
// A move needs exactly two decimal digits.
struct NetSquare {
    int x = 0;
    int y = 0;
    bool operator==(const NetSquare&) const = default;
};
std::optional<NetSquare> DecodeMove(const NetMessage& message);

}  // namespace reversi

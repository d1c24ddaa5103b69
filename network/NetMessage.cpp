// Writing and reading the one-letter network messages.
#include "NetMessage.h"

#include "Windows1252.h"

namespace reversi {

std::optional<NetMessageKind> NetMessageKindOf(char first) {
    switch (first) {
        case 'B':
        case 'A':
        case 'N':
        case 'Y':
        case 'G':
        case 'R':
        case 'M':
        case 'T':
        case 'F':
        case 'D':
            return static_cast<NetMessageKind>(first);
        default:
            return std::nullopt;
    }
}

QByteArray EncodeNetText(const QString& text) { return EncodeWindows1252(text); }

QString DecodeNetText(const QByteArray& bytes) { return DecodeWindows1252(bytes); }

QString OneLineText(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const QChar::Category category = c.category();
        // Controls (tab, CR, LF, the C1 range) and the Unicode line and
        // paragraph separators all break or shift a label's line.
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return out;
}

QByteArray EncodeNetSignal(NetMessageKind kind) { return QByteArray(1, static_cast<char>(kind)); }

QByteArray EncodeCallRequest(const NetCallRequest& request) {
    QByteArray out;
    out += static_cast<char>(NetMessageKind::CallRequest);
    out += request.callerWhite ? 'W' : 'B';
    out += request.field10 ? '0' : '8';
    out += EncodeNetText(request.callerName.left(MaxComputerName));
    return out;
}

QByteArray EncodeMove(int x, int y) {
    QByteArray out;
    out += static_cast<char>(NetMessageKind::Move);
    out += static_cast<char>('0' + x);
    out += static_cast<char>('0' + y);
    return out;
}

QByteArray EncodeChat(const QString& text) {
    return static_cast<char>(NetMessageKind::Chat) + EncodeNetText(text);
}

QByteArray EncodeBoardReply(const QByteArray& boardText) {
    return static_cast<char>(NetMessageKind::BoardReply) + boardText;
}

std::optional<NetCallRequest> DecodeCallRequest(const NetMessage& message) {
    if (message.kind != NetMessageKind::CallRequest || message.payload.size() < 2) {
        return std::nullopt;
    }
    NetCallRequest request;
    request.callerWhite = message.payload[0] == 'W';
    request.field10 = message.payload[1] != '8';
    request.callerName = DecodeNetText(message.payload.mid(2, MaxComputerName));
    return request;
}

std::optional<NetSquare> DecodeMove(const NetMessage& message) {
    if (message.kind != NetMessageKind::Move || message.payload.size() != 2) return std::nullopt;
    const char cx = message.payload[0], cy = message.payload[1];
    if (cx < '0' || cx > '9' || cy < '0' || cy > '9') return std::nullopt;
    return NetSquare{cx - '0', cy - '0'};
}

}  // namespace reversi

// The Western Windows code page: Latin-1 but for 0x80-0x9F, where it keeps
// typographic signs and a few letters instead of the C1 controls.
#include "Windows1252.h"

#include <array>

namespace reversi {

namespace {
constexpr char Unmappable = '?';
constexpr char16_t FirstSpecial = 0x80;
constexpr char16_t LastSpecial = 0x9F;

// The characters of bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined stand for the C1 controls of their own numbers.
constexpr std::array<char16_t, 32> Specials = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char16_t CharOf(unsigned char byte) {
    if (byte >= FirstSpecial && byte <= LastSpecial) return Specials[byte - FirstSpecial];
    return byte;
}

char ByteOf(char16_t c) {
    if (c < FirstSpecial || (c > LastSpecial && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < Specials.size(); ++i) {
        if (Specials[i] == c) return static_cast<char>(FirstSpecial + i);
    }
    return Unmappable;
}
}  // namespace

QByteArray EncodeWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character beyond the 16-bit range is one character, not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        out += c.isSurrogate() ? Unmappable : ByteOf(c.unicode());
    }
    return out;
}

QString DecodeWindows1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes) out += QChar(CharOf(static_cast<unsigned char>(b)));
    return out;
}

}  // namespace reversi

#include "FileNameText.h"

#include <cstdint>

namespace reversi {

namespace {

// The length of the well-formed UTF-8 sequence at the start of s, or 0.
std::size_t SequenceLength(std::string_view s) {
    const auto byte = [&s](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t n = SequenceLength(bytes);
        if (n == 0) return false;
        bytes.remove_prefix(n);
    }
    return true;
}

std::string ReadableFileName(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t n = SequenceLength(bytes);
        if (n > 0) {
            text.append(bytes.substr(0, n));
            bytes.remove_prefix(n);
            continue;
        }
        const auto stray = static_cast<std::uint8_t>(bytes.front());
        AppendUtf8(text, stray >= 0xA0 ? char32_t{stray} : char32_t{0xFFFD});
        bytes.remove_prefix(1);
    }
    return text;
}

}  // namespace reversi

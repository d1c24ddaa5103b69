// Text in the Western Windows code page (1252), one byte per character, as
// peers on the network send chat lines and computer names.
#pragma once

#include <QByteArray>
#include <QString>

namespace reversi {

// Each character as its byte in the code page; a character the code page
// lacks becomes "?" (one for each character, a pair of surrogates included).
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) come from the C1 controls of the same numbers.
[[nodiscard]] QByteArray EncodeWindows1252(const QString& text);

// Each byte as its character in the code page; the five undefined bytes
// become the C1 controls of the same numbers, as Windows reads them.
[[nodiscard]] QString DecodeWindows1252(const QByteArray& bytes);

}  // namespace reversi

// File names as the system gives them are bytes, not text: a name written
// on an older system may hold Latin-1 bytes that are no UTF-8. The program
// keeps such names as they are (std::filesystem::path holds the bytes) and
// turns them into text only to show them.
#pragma once

#include <string>
#include <string_view>

namespace reversi {

// The name as UTF-8 text for a message: valid UTF-8 as it is; every other
// byte from 0xA0 up as its Latin-1 letter ("caf\xe9" reads "café"), and any
// other stray byte as U+FFFD.
std::string ReadableFileName(std::string_view bytes);

// True when bytes are well-formed UTF-8.
bool IsUtf8(std::string_view bytes);

}  // namespace reversi

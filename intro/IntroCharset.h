// The characters of the intro's glyph strip, in strip order, and the scroll
// message. Shared by the intro and the generator that draws the strip.
#pragma once

#include <string_view>

namespace reversi::intro {

// A character's glyph code is its position here, counted from 1.
inline constexpr std::u16string_view IntroCharset =
    u" .,:;!?\"%&*/<>$[]()-0123456789qwertyuiopasdfghjklzxcvbnm"
    u"QWERTYUIOPASDFGHJKLZXCVBNM"
    u"йцукенгшщзхъфывапролджэячсмитьбюё"
    u"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";

inline constexpr int IntroCharCount = 148;
static_assert(IntroCharset.size() == IntroCharCount);

inline constexpr std::u16string_view IntroScrollMessage =
    u"RESPECTED USERS !  I, author of this program, pleased that you decided to play a party "
    u"in this game. I hope that my realization of game \"Reversi\" you really have liked. If "
    u"this so or not so, report to me your opinion. If will be shown interest from your "
    u"side, wait other games from me!"
    u"                                               ";  // 47 spaces
static_assert(IntroScrollMessage.size() == 332);

// Sizes of the intro's pictures.
inline constexpr int FontWidth = 2820;
inline constexpr int FontHeight = 20;
inline constexpr int FrameWidth = 380;
inline constexpr int FrameHeight = 260;
inline constexpr int TextureSize = 256;
inline constexpr int PaletteBytes = 256 * 4;

}  // namespace reversi::intro

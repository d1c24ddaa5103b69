// The saved match file (".kzv"): fixed-width little-endian fields without
// gaps. Version 2 (written):
//
//   0        4      signature "2VZK" ("0VZK", "1VZK" for versions 0 and 1)
//   4        4      field size, 8 or 10
//   8        4      c, the number of moves
//   12       156 c  the moves: dest, who, opp (4 bytes each), board (144)
//   12+156c  4      ComputerSide
//   16+156c  1      VsComputer
//   17+156c  1      PracticeGame      (versions 1 and 2)
//   18+156c  1      BabyLevel         (version 2)
//   19+156c  1      AdvancedEngine    (version 2)
//   20+156c  4      Depth             (version 2)
//
// Flags are written as 0 or 1; any byte other than 0 reads as set. Bytes
// after the last field are ignored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "MatchRecord.h"

namespace reversi {

// The three signatures, index = version.
inline constexpr std::array<std::array<char, 4>, 3> MatchSignatures{{
    {'0', 'V', 'Z', 'K'},
    {'1', 'V', 'Z', 'K'},
    {'2', 'V', 'Z', 'K'},
}};

// Most moves a game can hold: every empty square of the start position filled.
constexpr int MaxMoves(int boardsize) { return boardsize * boardsize - 4; }
// Size of a version 2 file of c moves.
constexpr std::size_t MatchFileSize(int c) { return 24 + 156 * static_cast<std::size_t>(c); }

// A whole match file in memory. Values a version does not hold stay empty.
struct SavedMatch {
    int version = 2;
    int boardsize = 8;
    std::vector<TMove> moves;
    int ComputerSide = 0;
    bool VsComputer = false;
    std::optional<bool> PracticeGame;    // versions 1 and 2
    std::optional<bool> BabyLevel;       // version 2
    std::optional<bool> AdvancedEngine;  // version 2
    std::optional<int> Depth;            // version 2
};

// The version (0 to 2) of a file beginning with bytes, or nothing when the
// first four bytes are not a match signature.
std::optional<int> MatchFileVersion(std::span<const std::uint8_t> bytes);
// Whether a file is a saved match by its signature, reading only its first
// bytes and only when it is a regular file (a pipe, a device or a folder is
// refused without waiting): Ok, NotAMatch, or Failed with a message naming
// the file and the reason it cannot be read.
FileResult CheckMatchFile(const std::string& FileName);
// True when CheckMatchFile answers Ok (the test a dropped file must pass
// before it is loaded).
bool FileHasMatchSignature(const std::string& FileName);

// Reads and checks a whole match file into match without changing anything
// else: Ok, NotAMatch (no signature), or Failed with a message for the
// player. Only regular files are read.
FileResult ReadMatchFile(const std::string& FileName, SavedMatch& match);

// The file bytes of a match, always version 2 (missing optional values are
// written as False and Depth 1).
std::vector<std::uint8_t> EncodeMatch(const SavedMatch& match);

enum class DecodeStatus {
    Ok,
    NotAMatch,  // no signature
    Short,      // the file ends before its last field
    Invalid,    // problem names what is wrong
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Ok;
    std::string problem;
    SavedMatch match;
};

// Parses and checks a whole file: field size 8 or 10; move count from 0 to
// MaxMoves; every dest a playing square; who and opp 2 and 3; every board 0
// on its border and 1, 2 or 3 on its playing squares; ComputerSide 2 or 3;
// Depth 1 to 9.
DecodeResult DecodeMatch(std::span<const std::uint8_t> bytes);

}  // namespace reversi

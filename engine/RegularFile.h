// Reading a file that the program takes in whole (a saved match, a picture)
// only when it is a regular file, without ever waiting on it: a named pipe,
// a device, a socket or a folder is refused before a read could block on it.
// The saved matches, the pictures and the music player all ask here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace reversi {

enum class FileRefusal {
    None,        // read
    Missing,     // nothing of that name
    Folder,      // a folder
    NotRegular,  // a named pipe, a device or a socket
    CannotOpen,  // a regular file that cannot be opened (error says why)
    CannotRead,  // opened, but the read failed (error says why)
    TooLarge,    // longer than the caller takes (see LongerFile)
};

// What a file longer than the bytes asked for gives: its start, or a refusal.
enum class LongerFile { ReadStart, Refuse };

struct RegularFileBytes {
    FileRefusal refusal = FileRefusal::None;
    int error = 0;            // the system's error number for CannotOpen and CannotRead
    std::uintmax_t size = 0;  // the file's size when it was opened
    std::vector<std::uint8_t> bytes;

    bool Ok() const { return refusal == FileRefusal::None; }
};

// True when path (links followed) names a regular file. Looks at the file's
// status only; nothing is opened.
bool IsRegularFile(const std::filesystem::path& path);

// Reads at most maxBytes from the start of the regular file at path. The
// file's status is looked at before it is opened, and again on the opened
// file (opened without blocking), so a pipe put in its place meanwhile is
// refused as well. The bytes are read at the file's own size: the cap is a
// limit, never an allocation, and a file that grows or shrinks while it is
// read gives what it held (up to the cap).
RegularFileBytes ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                 LongerFile longer = LongerFile::ReadStart);

// The reason of a refusal in words, as the system says it ("No such file or
// directory", "Is a directory", "Permission denied", ...).
std::string RefusalReason(const RegularFileBytes& read);

}  // namespace reversi

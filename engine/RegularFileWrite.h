// Writing a whole file the player named (a saved match): only a regular file
// is written, or a new one created. A pipe, a device, a socket or a folder of
// that name is refused before anything is written, and so is a file the
// player may not write; each stays as it was. A symbolic link is written
// through: the link stays, the file it points to holds the bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace reversi {

enum class WriteRefusal {
    None,          // written
    Folder,        // a folder stands there
    NotRegular,    // a named pipe, a device or a socket stands there
    CannotCreate,  // the file cannot be created or may not be written (error says why)
    CannotWrite,   // writing failed part-way; an existing file is whole (error says why)
};

struct RegularFileWrite {
    WriteRefusal refusal = WriteRefusal::None;
    int error = 0;  // the system's error number for CannotCreate and CannotWrite

    bool Ok() const { return refusal == WriteRefusal::None; }
};

// Makes bytes the whole content of the file at path (at the end of its links).
// The bytes go to a new file beside it, renamed over it once they are on
// disk, so a failed write leaves an existing file whole; only where no new
// file can be made beside a writable file is that file emptied and written
// in place.
RegularFileWrite WriteRegularFile(const std::filesystem::path& path,
                                  std::span<const std::uint8_t> bytes);

// The reason of a refusal in words, as the system says it.
std::string WriteRefusalReason(const RegularFileWrite& write);

}  // namespace reversi

#include "RegularFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reversi {

namespace {

RegularFileBytes Refused(FileRefusal refusal, int error = 0) {
    RegularFileBytes r;
    r.refusal = refusal;
    r.error = error;
    return r;
}

// The refusal for a status that is not a regular file's.
FileRefusal KindRefusal(mode_t mode) {
    return S_ISDIR(mode) ? FileRefusal::Folder : FileRefusal::NotRegular;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

bool IsRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

RegularFileBytes ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                 LongerFile longer) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        const int error = errno;
        return error == ENOENT || error == ENOTDIR ? Refused(FileRefusal::Missing, error)
                                                   : Refused(FileRefusal::CannotOpen, error);
    }
    // A pipe or a device is never opened: opening one can wait for a writer
    // or act on the device.
    if (!S_ISREG(status.st_mode)) return Refused(KindRefusal(status.st_mode));

    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) return Refused(FileRefusal::CannotOpen, errno);
    if (::fstat(file.Get(), &status) != 0) return Refused(FileRefusal::CannotOpen, errno);
    if (!S_ISREG(status.st_mode)) return Refused(KindRefusal(status.st_mode));

    RegularFileBytes r;
    r.size = static_cast<std::uintmax_t>(status.st_size);
    if (longer == LongerFile::Refuse && r.size > maxBytes) return Refused(FileRefusal::TooLarge);
    // The buffer holds the file's own size, never the cap: a picture of a few
    // kilobytes costs a few kilobytes however large a file the caller takes.
    r.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(r.size, maxBytes)));
    std::size_t got = 0;
    while (got < r.bytes.size()) {
        const ssize_t n = ::read(file.Get(), r.bytes.data() + got, r.bytes.size() - got);
        if (n == 0) break;  // the file shrank while it was read
        if (n < 0) {
            if (errno == EINTR) continue;
            return Refused(FileRefusal::CannotRead, errno);
        }
        got += static_cast<std::size_t>(n);
    }
    r.bytes.resize(got);
    if (got < r.bytes.capacity() / 2) r.bytes.shrink_to_fit();
    // The file may have grown since its size was looked at: what was added
    // is read in small steps, up to the cap (one byte past it for a refusal).
    if (got == static_cast<std::size_t>(std::min<std::uintmax_t>(r.size, maxBytes))) {
        const std::size_t limit = longer == LongerFile::Refuse ? maxBytes + 1 : maxBytes;
        std::array<std::uint8_t, 4096> chunk{};
        while (r.bytes.size() < limit) {
            const std::size_t ask = std::min(chunk.size(), limit - r.bytes.size());
            const ssize_t n = ::read(file.Get(), chunk.data(), ask);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                return Refused(FileRefusal::CannotRead, errno);
            }
            r.bytes.insert(r.bytes.end(), chunk.begin(), chunk.begin() + n);
        }
        if (r.bytes.size() > maxBytes) return Refused(FileRefusal::TooLarge);
    }
    return r;
}

std::string RefusalReason(const RegularFileBytes& read) {
    switch (read.refusal) {
        case FileRefusal::None:
            return {};
        case FileRefusal::Missing:
            return std::generic_category().message(read.error != 0 ? read.error : ENOENT);
        case FileRefusal::Folder:
            return std::generic_category().message(EISDIR);
        case FileRefusal::NotRegular:
            return "Not a regular file";
        case FileRefusal::TooLarge:
            return std::generic_category().message(EFBIG);
        case FileRefusal::CannotOpen:
        case FileRefusal::CannotRead:
            break;
    }
    return std::generic_category().message(read.error != 0 ? read.error : EIO);
}

}  // namespace reversi

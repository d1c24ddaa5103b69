#include "RegularFile.h"

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
    r.bytes.resize(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(file.Get(), r.bytes.data() + got, maxBytes - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return Refused(FileRefusal::CannotRead, errno);
        }
        got += static_cast<std::size_t>(n);
    }
    r.bytes.resize(got);
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

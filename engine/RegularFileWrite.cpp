#include "RegularFileWrite.h"

#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reversi {

namespace {

namespace fs = std::filesystem;

RegularFileWrite Refused(WriteRefusal refusal, int error = 0) { return {refusal, error}; }

// The file a write reaches: path itself, or the end of its chain of links
// (which need not exist: a dangling link names the file to create).
std::optional<fs::path> LinkTarget(fs::path path, int& error) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::error_code ec;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            error = ec.value();
            return std::nullopt;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    error = ELOOP;
    return std::nullopt;
}

// 0 when the player may write the existing regular file, else why not. The
// system's check lets the superuser write any file; for it a file without
// a single write bit counts as marked read-only and is left so.
int WriteDenied(const fs::path& file, const struct stat& status) {
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    if (::geteuid() == 0 && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
    return 0;
}

// What stands at file now: nothing (ENOENT), a regular file, or a refusal.
std::optional<RegularFileWrite> KindRefusal(const fs::path& file, struct stat& status,
                                            bool& exists) {
    exists = ::lstat(file.c_str(), &status) == 0;
    if (!exists) {
        if (errno == ENOENT) return std::nullopt;
        return Refused(WriteRefusal::CannotCreate, errno);
    }
    if (S_ISDIR(status.st_mode)) return Refused(WriteRefusal::Folder);
    if (!S_ISREG(status.st_mode)) return Refused(WriteRefusal::NotRegular);
    return std::nullopt;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return ::fsync(fd) == 0;
}

fs::path TemporaryName(const fs::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    fs::path name = target;
    name += ".tmp" + std::to_string(random() % 1000000000ull);
    return name;
}

// Writes into the file at target in place (it exists and may be written).
RegularFileWrite WriteInPlace(const fs::path& target, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Refused(WriteRefusal::CannotCreate, errno);
    const bool written = WriteAll(fd, bytes);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) return Refused(WriteRefusal::CannotWrite, writeError);
    return {};
}

}  // namespace

RegularFileWrite WriteRegularFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    int error = 0;
    const std::optional<fs::path> found = LinkTarget(path, error);
    if (!found) return Refused(WriteRefusal::CannotCreate, error);
    const fs::path& target = *found;

    struct stat status {};
    bool exists = false;
    if (auto refused = KindRefusal(target, status, exists)) return *refused;
    if (exists) {
        if (const int denied = WriteDenied(target, status); denied != 0)
            return Refused(WriteRefusal::CannotCreate, denied);
    }

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = TemporaryName(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int createError = errno;
        // A writable file in a folder that takes no new file: written in place.
        if (exists && createError == EACCES) return WriteInPlace(target, bytes);
        return Refused(WriteRefusal::CannotCreate, createError);
    }
    if (exists) {
        // The replacement keeps the old file's owner (where allowed) and mode.
        (void)::fchown(fd, status.st_uid, status.st_gid);
        (void)::fchmod(fd, status.st_mode & 07777);
    }
    const bool written = WriteAll(fd, bytes);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return Refused(WriteRefusal::CannotWrite, writeError != 0 ? writeError : EIO);
    }

    // Looked at again just before the rename: something put there meanwhile
    // that is no regular file stays as it is.
    struct stat now {};
    bool stillThere = false;
    if (auto refused = KindRefusal(target, now, stillThere)) {
        ::unlink(temp.c_str());
        return *refused;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.c_str());
        return Refused(WriteRefusal::CannotCreate, renameError);
    }
    return {};
}

std::string WriteRefusalReason(const RegularFileWrite& write) {
    switch (write.refusal) {
        case WriteRefusal::None:
            return {};
        case WriteRefusal::Folder:
            return std::generic_category().message(EISDIR);
        case WriteRefusal::NotRegular:
            return "Not a regular file";
        case WriteRefusal::CannotCreate:
        case WriteRefusal::CannotWrite:
            break;
    }
    return std::generic_category().message(write.error != 0 ? write.error : EIO);
}

}  // namespace reversi

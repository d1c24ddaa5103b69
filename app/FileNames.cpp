#include "FileNames.h"

#include <system_error>

#include <QFile>
#include <QUrl>

#include <sys/stat.h>

#include "FileNameText.h"

namespace reversi {

namespace fs = std::filesystem;

QString ShownFileName(const fs::path& file) {
    return QString::fromStdString(ReadableFileName(file.native()));
}

std::optional<fs::path> LocalFileOfUrl(const QUrl& url) {
    if (!url.isLocalFile()) return std::nullopt;
    // The encoded path keeps every byte; decoding it by hand keeps them too.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (bytes.isEmpty()) return std::nullopt;
    return fs::path(bytes.toStdString());
}

fs::path FileNamed(const QString& text) { return fs::path(QFile::encodeName(text).toStdString()); }

fs::path ExistingFileNamed(const QString& text) {
    const fs::path named = FileNamed(text);
    struct stat status {};
    if (named.empty() || ::lstat(named.c_str(), &status) == 0) return named;
    const fs::path folder = named.has_parent_path() ? named.parent_path() : fs::path(".");
    const std::string wanted = named.filename().native();
    std::optional<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().native();
        if (IsUtf8(name) || ReadableFileName(name) != wanted) continue;
        // Two names that read alike: neither is meant.
        if (found) return named;
        found = it->path();
    }
    return found.value_or(named);
}

}  // namespace reversi

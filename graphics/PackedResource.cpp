// Reading and unpacking packed resources.
#include "PackedResource.h"

#include <QFile>
#include <QFileInfo>

#include "LzhDecode.h"

namespace reversi::graphics {

namespace {

std::string NameOf(const QString& path) { return QFileInfo(path).fileName().toStdString(); }

}  // namespace

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ResourceError("Resource " + NameOf(path) + " not found");
    }
    return file.readAll();
}

void UnpackBytes(std::span<const std::uint8_t> packed, std::span<std::uint8_t> dest,
                 const QString& name) {
    if (packed.size() < 4) throw ResourceError("Resource " + NameOf(name) + " is damaged");
    const std::uint32_t size = static_cast<std::uint32_t>(packed[0]) |
                               (static_cast<std::uint32_t>(packed[1]) << 8) |
                               (static_cast<std::uint32_t>(packed[2]) << 16) |
                               (static_cast<std::uint32_t>(packed[3]) << 24);
    if (size != dest.size()) throw ResourceError("Resource " + NameOf(name) + " is damaged");
    LzhDecode(packed.subspan(4), dest);
}

void UnpackResource(const QString& path, std::span<std::uint8_t> dest) {
    const QByteArray bytes = ReadResource(path);
    UnpackBytes({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                 static_cast<std::size_t>(bytes.size())},
                dest, path);
}

}  // namespace reversi::graphics

// Packed resources: a 32-bit little-endian unpacked size followed by an LZH
// stream, stored in the Qt resource system (or any file) and unpacked into a
// buffer of the caller.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include <QByteArray>
#include <QString>

namespace reversi::graphics {

// A resource that is missing or does not fit its buffer. what() names it:
// "Resource NAME not found" or "Resource NAME is damaged".
class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole content of the resource at `path` (":/..." or a file path).
// Throws ResourceError when it cannot be opened.
QByteArray ReadResource(const QString& path);

// Unpacks the packed resource at `path` into dest. The resource must be at
// least 4 bytes long and its unpacked size must equal dest.size(); otherwise
// ResourceError is thrown and dest is left untouched.
void UnpackResource(const QString& path, std::span<std::uint8_t> dest);

// The same for packed bytes already in memory; `name` is used in the message.
void UnpackBytes(std::span<const std::uint8_t> packed, std::span<std::uint8_t> dest,
                 const QString& name);

}  // namespace reversi::graphics

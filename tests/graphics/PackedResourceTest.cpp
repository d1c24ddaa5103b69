// Packed resources: the size header is checked against the caller's buffer
// before anything is written, and errors name the resource.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "LzhEncoder.h"
#include "PackedResource.h"

using namespace reversi::graphics;
using Bytes = std::vector<std::uint8_t>;

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const Bytes& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

template <class F>
void ExpectResourceError(F f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const ResourceError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

}  // namespace

TEST(PackedResource, UnpacksToExactlyItsSize) {
    QTemporaryDir dir;
    Bytes data(5000);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * i / 7);
    const QString path =
        WriteFile(dir, QStringLiteral("PICTURE"), reversi::tools::PackResourceBytes(data));
    Bytes out(data.size());
    UnpackResource(path, out);
    EXPECT_EQ(out, data);
}

TEST(PackedResource, HeaderIsLittleEndian) {
    const Bytes packed = reversi::tools::PackResourceBytes(Bytes(0x010203, 0));
    ASSERT_GE(packed.size(), 4u);
    EXPECT_EQ(packed[0], 0x03);
    EXPECT_EQ(packed[1], 0x02);
    EXPECT_EQ(packed[2], 0x01);
    EXPECT_EQ(packed[3], 0x00);
}

TEST(PackedResource, EmptyPictureNeedsOnlyTheHeader) {
    // A size of 0 and no stream after it is a whole picture of no bytes.
    Bytes none;
    EXPECT_NO_THROW(UnpackBytes(Bytes{0, 0, 0, 0}, none, QStringLiteral("EMPTY")));
    // The same header does not do for a picture of one byte: the sizes differ.
    Bytes one(1, 0x55);
    ExpectResourceError(
        [&] {
            UnpackBytes(Bytes{0, 0, 0, 0}, one, QStringLiteral("EMPTY"));
        },
        "Resource EMPTY is damaged");
    EXPECT_EQ(one, Bytes(1, 0x55));
}

TEST(PackedResource, RejectsWhatDoesNotFitWithoutWriting) {
    QTemporaryDir dir;
    const Bytes packed = reversi::tools::PackResourceBytes(Bytes(100, 7));
    const QString path = WriteFile(dir, QStringLiteral("INTRO_X"), packed);
    struct Case {
        const char* name;
        std::size_t bufferSize;
    };
    for (const Case c :
         {Case{"smaller buffer", 99}, Case{"larger buffer", 101}, Case{"empty buffer", 0}}) {
        Bytes out(c.bufferSize, 0x55);
        ExpectResourceError([&] { UnpackResource(path, out); }, "Resource INTRO_X is damaged");
        EXPECT_EQ(out, Bytes(c.bufferSize, 0x55)) << c.name;
    }
    for (std::size_t length = 0; length < 4; ++length) {
        const QString shortPath =
            WriteFile(dir, QStringLiteral("SHORT"),
                      Bytes(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(length)));
        Bytes out(length == 0 ? 0 : 100, 0x55);
        ExpectResourceError([&] { UnpackResource(shortPath, out); }, "Resource SHORT is damaged");
    }
}

TEST(PackedResource, MissingResourceIsNamed) {
    Bytes out(10);
    ExpectResourceError([&] { UnpackResource(QStringLiteral(":/intro/NO_SUCH"), out); },
                        "Resource NO_SUCH not found");
}

// The intro's resources live under ":/intro/" (resources/intro.qrc).
#include "IntroResources.h"

#include <QFile>

#include "PackedResource.h"

// The resource file is compiled into a static library: make sure its
// registration is linked and run.
static void InitIntroResources() { Q_INIT_RESOURCE(intro); }

namespace reversi::intro {

namespace {

std::vector<std::uint8_t> Unpack(const char* name, std::size_t size) {
    std::vector<std::uint8_t> out(size);
    graphics::UnpackResource(QStringLiteral(":/intro/") + QLatin1String(name), out);
    return out;
}

}  // namespace

IntroAssets LoadIntroAssets() {
    InitIntroResources();
    const QByteArray meshBytes = graphics::ReadResource(QStringLiteral(":/intro/INTRO_3DMESH"));
    IntroMesh mesh = ParseIntroMesh({reinterpret_cast<const std::uint8_t*>(meshBytes.constData()),
                                     static_cast<std::size_t>(meshBytes.size())});
    return IntroAssets(std::move(mesh), Unpack("INTRO_FONTIM", FontWidth * FontHeight),
                       Unpack("INTRO_FRONTIM", FrameWidth * FrameHeight),
                       Unpack("INTRO_BACKFONE", PaletteBytes + TextureSize * TextureSize));
}

QByteArray StartUpLogoJpeg() {
    InitIntroResources();
    QFile file(QStringLiteral(":/intro/StartUpLogo.jpg"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace reversi::intro

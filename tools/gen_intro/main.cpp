// gen_intro OUTDIR: writes the intro's resources (mesh, packed glyph strip,
// front layer and background texture) and the start-up logo into OUTDIR.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include <QGuiApplication>

#include "IntroMesh.h"
#include "IntroPictures.h"
#include "LzhEncoder.h"

namespace {

void Write(const std::string& path, const char* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Write(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_intro OUTDIR\n");
        return 2;
    }
    // Drawing text needs a GUI application, but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const std::string dir = argv[1];
    try {
        using reversi::tools::PackResourceBytes;
        WriteBytes(dir + "/INTRO_3DMESH", MakeIntroMesh());
        WriteBytes(dir + "/INTRO_FONTIM", PackResourceBytes(MakeIntroFont()));
        WriteBytes(dir + "/INTRO_FRONTIM", PackResourceBytes(MakeIntroFront()));
        WriteBytes(dir + "/INTRO_BACKFONE", PackResourceBytes(MakeIntroBackground()));
        const QByteArray logo = MakeStartUpLogo();
        Write(dir + "/StartUpLogo.jpg", logo.constData(), static_cast<std::size_t>(logo.size()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_intro: %s\n", e.what());
        return 1;
    }
    return 0;
}

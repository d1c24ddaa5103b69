// gen_sounds: writes the game's eight sound effects as Ogg Vorbis files.
// Usage: gen_sounds [output-folder]   (default: DATA in the current folder)
// The output is the same on every run, so the committed files can be remade
// and compared.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "Effects.h"
#include "OggWriter.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path("DATA");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "gen_sounds: cannot create %s: %s\n", folder.c_str(),
                     ec.message().c_str());
        return 1;
    }

    std::uint32_t serial = 0x52455601;  // fixed per file, for repeatable output
    for (const gensounds::NamedSound& effect : gensounds::makeEffects()) {
        const fs::path path = folder / (effect.name + ".ogg");
        const std::string error = gensounds::writeOggVorbis(
            path, effect.sound.samples(), gensounds::kSampleRate, 0.3f, serial++, effect.name);
        if (!error.empty()) {
            std::fprintf(stderr, "gen_sounds: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s  %.2f s\n", path.c_str(), effect.sound.seconds());
    }
    return 0;
}

// gen_music: writes the game's own music track as an Ogg Vorbis file.
// Usage: gen_music [output-folder]   (default: DATA/MUSIC in the current folder)
// The output is the same on every run, so the committed file can be remade
// and compared.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "OggWriter.h"
#include "Tune.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path("DATA/MUSIC");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "gen_music: cannot create %s: %s\n", folder.c_str(),
                     ec.message().c_str());
        return 1;
    }
    const std::vector<float> tune = genmusic::composeTune();
    const fs::path path = folder / "evening_board.ogg";
    const std::string error = gensounds::writeOggVorbis(path, tune, genmusic::kTuneSampleRate, 0.3f,
                                                        0x4D555331u, "Evening Board");
    if (!error.empty()) {
        std::fprintf(stderr, "gen_music: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s  %.1f s\n", path.c_str(), double(tune.size()) / genmusic::kTuneSampleRate);
    return 0;
}

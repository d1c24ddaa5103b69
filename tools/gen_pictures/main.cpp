// gen_pictures OUTDIR [--preview PREVIEWDIR]
//
// Paints the board pictures of the game and writes them as JPEG files into
// OUTDIR: the figure sheet, the help-mark sheet and the two border styles.
// The output is the same, byte for byte, on every run. With --preview it then
// reads them back and writes boards composed from them into PREVIEWDIR.
#include "Border.h"
#include "Jpeg.h"
#include "Preview.h"
#include "Sheets.h"

#include <cstdio>
#include <string>

namespace {
constexpr int kQuality = 90;
}

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: %s OUTDIR [--preview PREVIEWDIR]\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    bool ok = writeJpeg(out + "/Figs1.jpg", figureSheet(), kQuality);
    ok = ok && writeJpeg(out + "/Help1.jpg", helpSheet(), kQuality);
    for (int style = 0; style < 2 && ok; ++style) {
        const BorderStrips strips = borderStrips(style);
        const std::string n = std::to_string(style + 1);
        ok = writeJpeg(out + "/Lineh" + n + ".jpg", strips.horizontal, kQuality) &&
             writeJpeg(out + "/Linev" + n + ".jpg", strips.vertical, kQuality);
    }
    if (!ok) {
        std::fprintf(stderr, "gen_pictures: could not write the pictures into %s\n", out.c_str());
        return 1;
    }
    if (argc == 4 && !writePreviews(out, argv[3])) {
        std::fprintf(stderr, "gen_pictures: could not write the previews into %s\n", argv[3]);
        return 1;
    }
    return 0;
}

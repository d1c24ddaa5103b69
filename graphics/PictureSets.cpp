#include "PictureSets.h"

#include <QCoreApplication>

#include "BoardGeometry.h"
#include "Downscale.h"
#include "JpegLoader.h"

namespace reversi::graphics {

namespace {

std::filesystem::path DataFile(const std::filesystem::path& programFolder, const char* name) {
    return programFolder / "DATA" / name;
}

// Loads a sheet of cols x rows cells of 61 pixels, shrunk to 49-pixel cells
// when small.
TMemBlock LoadSheet(const std::filesystem::path& file, int cols, int rows, bool small) {
    TMemBlock full = LoadJpegToBuffer(file, cols * LargeSquareSize, rows * LargeSquareSize);
    if (!small) return full;
    return DownscaleImage(full, cols * SmallSquareSize, rows * SmallSquareSize);
}

}  // namespace

std::filesystem::path ProgramFolder() {
    if (QCoreApplication::instance() == nullptr) return std::filesystem::current_path();
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

void LoadLineImages(PictureSets& sets, int borderStyle,
                    const std::filesystem::path& programFolder) {
    const bool second = borderStyle == 1;
    TMemBlock h = LoadJpegToBuffer(DataFile(programFolder, second ? "Lineh2.jpg" : "Lineh1.jpg"),
                                   LineHWidth, LineHHeight);
    TMemBlock v = LoadJpegToBuffer(DataFile(programFolder, second ? "Linev2.jpg" : "Linev1.jpg"),
                                   LineVWidth, LineVHeight);
    sets.LineHImage = std::move(h);
    sets.LineVImage = std::move(v);
}

ColourNames FigureColourNames(int /*figuresStyle*/) { return {"Yellow", "Green"}; }

void LoadFigureImage(PictureSets& sets, int figuresStyle, bool small,
                     const std::filesystem::path& programFolder) {
    (void)figuresStyle;  // only style 0 has pictures
    sets.FigureImage =
        LoadSheet(DataFile(programFolder, "Figs1.jpg"), FigureSheetColumns, FigureSheetRows, small);
}

void LoadHelpImage(PictureSets& sets, int helpStyle, bool small,
                   const std::filesystem::path& programFolder) {
    (void)helpStyle;  // only style 0 has pictures
    sets.HelpImage =
        LoadSheet(DataFile(programFolder, "Help1.jpg"), HelpSheetColumns, HelpSheetRows, small);
}

void LoadAllPictures(PictureSets& sets, int borderStyle, int figuresStyle, int helpStyle,
                     int boardSize, const std::filesystem::path& programFolder) {
    PictureSets fresh;
    const bool small = boardSize != 8;
    LoadLineImages(fresh, borderStyle, programFolder);
    LoadFigureImage(fresh, figuresStyle, small, programFolder);
    LoadHelpImage(fresh, helpStyle, small, programFolder);
    sets = std::move(fresh);
}

}  // namespace reversi::graphics

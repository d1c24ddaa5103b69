// The picture sets of the board: the figure sheet (empty square, discs and
// every disc animation frame), the help-mark sheet and the two border-strip
// pictures, loaded from the folder DATA beside the program.
//
// Figure sheet: 15 columns (animation frames) x 8 rows of square cells.
// Rows from the top come in pairs, the first for squares whose x + y is
// even, the second for odd squares: 0/1 white turning black (frames 0..13),
// 2/3 black turning white, 4/5 black being placed (column 0 the empty
// square, 14 the black disc at rest), 6/7 white being placed (14 the white
// disc at rest). Sheet row r lies in buffer rows (7 - r) S .. (7 - r) S + S - 1.
//
// Help sheet: 40 frames x 2 rows (top: even squares, bottom: odd squares).
//
// Horizontal strips (530 x 80), 20 rows each from the top: 8 x 8 top,
// 8 x 8 bottom (left 528 columns), 10 x 10 top, 10 x 10 bottom. Vertical
// strips (80 x 490), 20 columns each from the left: 8 x 8 left, 8 x 8 right
// (top 488 rows), 10 x 10 left, 10 x 10 right.
#pragma once

#include <filesystem>
#include <string>

#include "PixelBuffer.h"

namespace reversi::graphics {

inline constexpr int FigureSheetColumns = 15;
inline constexpr int FigureSheetRows = 8;
inline constexpr int HelpSheetColumns = 40;
inline constexpr int HelpSheetRows = 2;
inline constexpr int LineHWidth = 530, LineHHeight = 80;
inline constexpr int LineVWidth = 80, LineVHeight = 490;
// Sheet column of a disc at rest (the last frame of a placing animation).
inline constexpr int RestFrame = 14;

struct PictureSets {
    TMemBlock LineHImage;   // 530 x 80
    TMemBlock LineVImage;   // 80 x 490
    TMemBlock FigureImage;  // 915 x 488, or 735 x 392 for the 10 x 10 field
    TMemBlock HelpImage;    // 2440 x 122, or 1960 x 98 for the 10 x 10 field

    int FigureImageWidth() const { return FigureImage.Width(); }
    int FigureImageHeight() const { return FigureImage.Height(); }
    int HelpImageWidth() const { return HelpImage.Width(); }
    int HelpImageHeight() const { return HelpImage.Height(); }
};

// The folder that holds DATA: the program's own folder.
std::filesystem::path ProgramFolder();

// Every loader reads into temporaries and replaces its pictures only when all
// of its files loaded; on failure it throws PictureError (naming the file)
// and leaves `sets` as it was. Style numbers without files fall back to
// style 0. `programFolder` is the folder that contains DATA.

// Border style 0: "DATA/Lineh1.jpg" and "DATA/Linev1.jpg"; style 1:
// "DATA/Lineh2.jpg" and "DATA/Linev2.jpg".
void LoadLineImages(PictureSets& sets, int borderStyle,
                    const std::filesystem::path& programFolder = ProgramFolder());
// Sets the colour names of the figure set, then loads "DATA/Figs1.jpg",
// shrunk to 49-pixel cells when small (the 10 x 10 field).
void LoadFigureImage(PictureSets& sets, int figuresStyle, bool small,
                     const std::filesystem::path& programFolder = ProgramFolder());
// Loads "DATA/Help1.jpg", shrunk to 49-pixel cells when small.
void LoadHelpImage(PictureSets& sets, int helpStyle, bool small,
                   const std::filesystem::path& programFolder = ProgramFolder());
// The colour names a figure style shows: style 0 (and every other, as only
// style 0 has pictures) names white "Yellow" and black "Green".
struct ColourNames {
    std::string white;
    std::string black;
};
ColourNames FigureColourNames(int figuresStyle);

// Loads every set for the given styles and field size together: either all
// of them are replaced or (on PictureError) none.
void LoadAllPictures(PictureSets& sets, int borderStyle, int figuresStyle, int helpStyle,
                     int boardSize, const std::filesystem::path& programFolder = ProgramFolder());

}  // namespace reversi::graphics

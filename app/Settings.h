// Every value the program keeps in its settings store ("net" and "options"),
// as one plain value owned by the application. The settings store reads and
// writes it; the window, the dialogs, the music player and the network
// session take what they need from it. The engine never sees it: the game
// values (level, engine, opponent, side, field size) are copied into the
// game state when a game starts.
#pragma once

#include <QString>

namespace reversi {

struct Settings {
    // --- "net" ---
    int NETPort = 8173;                 // TCP port of the listening and calling sockets
    QString NETService;                 // a service name whose port is used instead, when not empty
    bool ShutDownServerListing = true;  // not listening for calls at start

    // --- "options": the game ---
    bool VsComputer = true;  // against the computer; otherwise two players at one board
    int Depth = 1;           // search depth 1..9
    bool BabyLevel = true;   // the "0-baby" level (depth 1, inverted values)
    int ComputerSide = 3;    // the colour the computer plays (3: the human plays white)
    int BoardSize = 8;       // 8 or 10
    bool AdvancedEngine = false;

    // --- "options": look and behaviour ---
    bool SoundEffectsOn = true;
    bool MusicOn = true;
    bool AnimationOn = true;
    bool UseSysTray = true;
    int FiguresStyle = 0;      // 0 only
    int CursorStyle = 0;       // 0 classic, 1 flaming
    int HelpStyle = 0;         // 0 only
    int BoardBorderStyle = 0;  // 0 or 1
    bool ShowPreviousMove = true;
    bool ShowAvailableMoves = true;
    bool ShowMovesList = true;
    bool ShowTips = true;
    int CurrentTip = 1000;
    int SoundVolume = 225;  // 0..255
    int MusicVolume = 120;  // 0..255
    QString MusicFolder;    // empty until the store fills in DATA/MUSIC beside the program

    // --- "options": defaults of the call dialog ---
    bool CallAsWhite = true;
    bool CallSize8 = true;

    // The level as the settings dialog and the store number it: 0 the baby
    // level, otherwise the depth.
    int Level() const { return BabyLevel ? 0 : Depth; }
    // Sets depth and baby flag from a level, clamping as the store does:
    // below 1 is the baby level at depth 1, above 9 is depth 9.
    void SetLevel(int level) {
        BabyLevel = level < 1;
        Depth = level < 1 ? 1 : (level > 9 ? 9 : level);
    }

    bool operator==(const Settings&) const = default;
};

}  // namespace reversi

// Icons of the menu items, painted in code (16 x 16), and the icons of the
// style sub-menus (32 x 32), each cut or drawn from the style it names.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace reversi {

enum class MenuIcon {
    NewGame,
    Hint,
    Settings,
    Exit,
    Animation,
    Sound,
    Music,
    Volume,
    MusicFolder,
    Call,
    Listen,
    Disconnect,
    Message,
    ShowIP,
    Undo,
    Redo,
    ShowMoves,
    Save,
    Open,
    Rules,
    DayTip,
    Statistics,
    About,
};

// A 16 x 16 icon with a greyed form for a disabled item.
QIcon PaintMenuIcon(MenuIcon kind);

// The ink of the check mark of an item that is on (grey when it is disabled).
inline constexpr QRgb CheckMarkInk = qRgb(0, 120, 0);

// The icon of a checkable item: its pictures of the "on" state carry a bold
// check mark over the icon, so an item that is on shows the mark whatever the
// style draws for items with icons (some only frame the icon).
QIcon WithCheckMark(const QIcon& icon);

// The style icons. The pictures come from the data folder given (the
// program's DATA folder); a picture that cannot be read gives a plain tile,
// the menu still works.
QIcon FigureStyleIcon(const QString& dataFolder);             // one disc of the figure sheet
QIcon CursorStyleIcon(int style);                             // 0 classic, 1 flaming, on a square
QIcon HelpStyleIcon(const QString& dataFolder);               // one frame of the help marks
QIcon BorderStyleIcon(const QString& dataFolder, int style);  // a cut of the border strip

}  // namespace reversi

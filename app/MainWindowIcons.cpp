// The icons of the menu items and of the style sub-menus.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

#include "MainWindow.h"
#include "MenuIcons.h"
#include "PictureSets.h"

namespace reversi {

namespace {
// The style sub-menus draw their icons at 32 x 32.
class LargeIconStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_SmallIconSize) return 32;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
}  // namespace

void TReversiForm::SetMenuIcons() {
    const std::pair<QAction*, MenuIcon> items[] = {
        {NewGameItem, MenuIcon::NewGame},
        {HintItem, MenuIcon::Hint},
        {OptionsItem, MenuIcon::Settings},
        {ExitItem, MenuIcon::Exit},
        {Animation1, MenuIcon::Animation},
        {Sound1, MenuIcon::Sound},
        {Music1, MenuIcon::Music},
        {Soundvolume1, MenuIcon::Volume},
        {Musicsource1, MenuIcon::MusicFolder},
        {NetMenuConnect, MenuIcon::Call},
        {NetMenuListing, MenuIcon::Listen},
        {NetMenuDisconnect, MenuIcon::Disconnect},
        {NetMenuSendMessage, MenuIcon::Message},
        {NetMenuShowIP, MenuIcon::ShowIP},
        {ListMenuUndoMove, MenuIcon::Undo},
        {ListMenuRedoMove, MenuIcon::Redo},
        {ShowMoves1, MenuIcon::ShowMoves},
        {ListMenuSave, MenuIcon::Save},
        {ListMenuLoad, MenuIcon::Open},
        {RulersItem, MenuIcon::Rules},
        {DayTipMenuItem, MenuIcon::DayTip},
        {Statistics1, MenuIcon::Statistics},
        {AboutItem, MenuIcon::About},
    };
    for (const auto& [item, kind] : items) item->setIcon(PaintMenuIcon(kind));
    // Every item that can be ticked shows its tick over its icon.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        for (QAction* item : menu->actions())
            if (item->isCheckable() && !item->icon().isNull())
                item->setIcon(WithCheckMark(item->icon()));
    }

    // The style items show their style at 32 x 32.
    const QString dataFolder =
        QString::fromStdString((graphics::ProgramFolder() / "DATA").string());
    SelFig1->setIcon(FigureStyleIcon(dataFolder));
    SelCur1->setIcon(CursorStyleIcon(0));
    SelCur2->setIcon(CursorStyleIcon(1));
    SelHlp1->setIcon(HelpStyleIcon(dataFolder));
    SelBrdr1->setIcon(BorderStyleIcon(dataFolder, 0));
    SelBrdr2->setIcon(BorderStyleIcon(dataFolder, 1));
    auto* large = new LargeIconStyle;
    large->setParent(this);
    for (QMenu* styles : {Figures1, Cursor1, Help1, Border1}) styles->setStyle(large);
}

}  // namespace reversi

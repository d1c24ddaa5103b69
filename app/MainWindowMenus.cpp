// The menu tree of the main window and the texts of its items.
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "MainWindow.h"

namespace reversi {

namespace {

QAction* AddItem(QMenu* menu, const QKeySequence& shortcut = {}) {
    QAction* item = menu->addAction(QString());
    if (!shortcut.isEmpty()) item->setShortcut(shortcut);
    return item;
}

QAction* AddToggle(QMenu* menu, const QKeySequence& shortcut, bool ticked) {
    QAction* item = AddItem(menu, shortcut);
    item->setCheckable(true);
    item->setChecked(ticked);
    return item;
}

// Every component carries its name, so tests and style sheets can find it.
template <class T>
T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

void SetTexts(QAction* item, const char* caption, const char* hint) {
    item->setText(QString::fromLatin1(caption));
    item->setStatusTip(QString::fromLatin1(hint));
}

void SetTexts(QMenu* menu, const char* caption, const char* hint) {
    SetTexts(menu->menuAction(), caption, hint);
    menu->setTitle(QString::fromLatin1(caption));
}

void SetTexts(QToolButton* button, const char* hint) {
    button->setToolTip(QString::fromLatin1(hint));
    button->setStatusTip(QString::fromLatin1(hint));
}

void SetupFileDialog(TFileDialogSetup& dialog, const char* title) {
    dialog.Title = QString::fromLatin1(title);
    dialog.Filter = QStringLiteral("Zorel Reversi games (*.kzv)");
}

}  // namespace

void TReversiForm::CreateMenus() {
    QMenuBar* bar = menuBar();

    GameMenu = Named(bar->addMenu(QString()), "GameMenu");
    NewGameItem = Named(AddItem(GameMenu, Qt::Key_F2), "NewGameItem");
    HintItem = Named(AddItem(GameMenu, Qt::Key_F3), "HintItem");
    OptionsItem = Named(AddItem(GameMenu, Qt::Key_F4), "OptionsItem");
    Named(GameMenu->addSeparator(), "GameMenuSeparator");
    ExitItem = Named(AddItem(GameMenu, Qt::ALT | Qt::Key_X), "ExitItem");

    Media1 = Named(bar->addMenu(QString()), "Media1");
    Figures1 = Named(Media1->addMenu(QString()), "Figures1");
    SelFig1 = Named(AddItem(Figures1), "SelFig1");
    Cursor1 = Named(Media1->addMenu(QString()), "Cursor1");
    SelCur1 = Named(AddItem(Cursor1), "SelCur1");
    SelCur2 = Named(AddItem(Cursor1), "SelCur2");
    Help1 = Named(Media1->addMenu(QString()), "Help1");
    SelHlp1 = Named(AddItem(Help1), "SelHlp1");
    Border1 = Named(Media1->addMenu(QString()), "Border1");
    SelBrdr1 = Named(AddItem(Border1), "SelBrdr1");
    SelBrdr2 = Named(AddItem(Border1), "SelBrdr2");
    Named(Media1->addSeparator(), "N2");
    Animation1 = Named(AddToggle(Media1, Qt::ALT | Qt::Key_A, true), "Animation1");
    Sound1 = Named(AddToggle(Media1, Qt::ALT | Qt::Key_S, true), "Sound1");
    Music1 = Named(AddToggle(Media1, Qt::ALT | Qt::Key_M, true), "Music1");
    Named(Media1->addSeparator(), "N4");
    Soundvolume1 = Named(AddItem(Media1, Qt::CTRL | Qt::Key_Q), "Soundvolume1");
    Musicsource1 = Named(AddItem(Media1, Qt::CTRL | Qt::Key_W), "Musicsource1");

    NetMenu = Named(bar->addMenu(QString()), "NetMenu");
    NetMenuConnect = Named(AddItem(NetMenu, Qt::Key_F5), "NetMenuConnect");
    NetMenuListing = Named(AddToggle(NetMenu, Qt::ALT | Qt::Key_L, true), "NetMenuListing");
    NetMenuDisconnect = Named(AddItem(NetMenu, Qt::CTRL | Qt::Key_F6), "NetMenuDisconnect");
    NetMenuDisconnect->setEnabled(false);
    Named(NetMenu->addSeparator(), "N6");
    NetMenuSendMessage = Named(AddItem(NetMenu, Qt::Key_F7), "NetMenuSendMessage");
    NetMenuSendMessage->setEnabled(false);
    Named(NetMenu->addSeparator(), "N3");
    NetMenuShowIP = Named(AddItem(NetMenu, Qt::CTRL | Qt::Key_F7), "NetMenuShowIP");

    ListMenu = Named(bar->addMenu(QString()), "ListMenu");
    ListMenuUndoMove = Named(AddItem(ListMenu, Qt::CTRL | Qt::Key_Z), "ListMenuUndoMove");
    ListMenuUndoMove->setEnabled(false);
    ListMenuRedoMove = Named(AddItem(ListMenu, Qt::CTRL | Qt::Key_X), "ListMenuRedoMove");
    ListMenuRedoMove->setEnabled(false);
    ShowMoves1 = Named(AddToggle(ListMenu, Qt::Key_F8, true), "ShowMoves1");
    Named(ListMenu->addSeparator(), "N1");
    ListMenuSave = Named(AddItem(ListMenu, Qt::CTRL | Qt::Key_S), "ListMenuSave");
    ListMenuLoad = Named(AddItem(ListMenu, Qt::CTRL | Qt::Key_L), "ListMenuLoad");

    HelpMenu = Named(bar->addMenu(QString()), "HelpMenu");
    RulersItem = Named(AddItem(HelpMenu, Qt::Key_F1), "RulersItem");
    DayTipMenuItem = Named(AddItem(HelpMenu, Qt::CTRL | Qt::Key_F1), "DayTipMenuItem");
    Statistics1 = Named(AddItem(HelpMenu, Qt::Key_F9), "Statistics1");
    Named(HelpMenu->addSeparator(), "HelpMenuSeparator");
    AboutItem = Named(AddItem(HelpMenu), "AboutItem");

    // The commands of this window's own life. Every other item is bound by
    // the part of the program that owns its action.
    connect(ExitItem, &QAction::triggered, this, &TReversiForm::ExitItemClick);
    connect(AboutItem, &QAction::triggered, this, &TReversiForm::AboutItemClick);
    BindGameFlowItems();
    BindFileItems();
    BindInfoItems();
    SetMenuIcons();
}

void TReversiForm::SetupTexts() {
    SetTexts(SpeedButtonUndo, "Undo move");
    SetTexts(SpeedButtonRedo, "Redo move");
    SetTexts(SpeedButtonFromThis, "Continue from this position");
    SetTexts(SpeedButtonFromEnd, "Continue from last position");
    SetupFileDialog(OpenListDialog, "Open...");
    SetupFileDialog(SaveListDialog, "Save...");

    SetTexts(GameMenu, "Game", "New game, hint, settings, exit...");
    SetTexts(NewGameItem, "New", "Start new game");
    SetTexts(HintItem, "Hint", "Show best move");
    SetTexts(OptionsItem, "Settings", "Game settings");
    SetTexts(ExitItem, "Exit", "Exit from game");

    SetTexts(Media1, "Media", "Media settings...");
    SetTexts(Figures1, "Figures", "Choice figures style");
    SetTexts(SelFig1, "Zorel Amber", "Zorel Amber style figures");
    SetTexts(Cursor1, "Cursor", "Choice cursor style");
    SetTexts(SelCur1, "Classic Cursor", "Classic style cursor");
    SetTexts(SelCur2, "Flaming Cursor", "Flaming style cursor");
    SetTexts(Help1, "Help", "Choice help style");
    SetTexts(SelHlp1, "Zorel Help", "Zorel style help");
    SetTexts(Border1, "Border", "Choice border style");
    SetTexts(SelBrdr1, "Hidden Power", "Hidden Power style border");
    SetTexts(SelBrdr2, "Dark Place", "Dark Place style border");
    SetTexts(Animation1, "Animation", "Enable or disable animation");
    SetTexts(Sound1, "Sound", "Enable or disable sound");
    SetTexts(Music1, "Music", "Enable or disable music");
    SetTexts(Soundvolume1, "Sound volume", "Adjust music and sound effects volumes...");
    SetTexts(Musicsource1, "Music source", "Select folder where music files are placed...");

    SetTexts(NetMenu, "Network", "Network play...");
    SetTexts(NetMenuConnect, "Call", "Call remote player");
    SetTexts(NetMenuListing, "Allow call", "Allow remote player to call you");
    SetTexts(NetMenuDisconnect, "Disconnect", "Disconnect from remote player");
    SetTexts(NetMenuSendMessage, "Message", "Send a message to remote player");
    SetTexts(NetMenuShowIP, "Get IP address", "Get and display IP address for this computer");

    SetTexts(ListMenu, "Match", "Undo, redo, show and hide moves...");
    SetTexts(ListMenuUndoMove, "Undo move", "Undo last move");
    SetTexts(ListMenuRedoMove, "Redo move", "Redo to next move");
    SetTexts(ShowMoves1, "Show moves", "Show or hide moves list");
    SetTexts(ListMenuSave, "Save...", "Save match");
    SetTexts(ListMenuLoad, "Open...", "Open saved match");

    SetTexts(HelpMenu, "Info", "Information...");
    SetTexts(RulersItem, "Help", "Display short game information");
    SetTexts(DayTipMenuItem, "Tip Of The Day", "Shows Tip Of The Day dialog box");
    SetTexts(Statistics1, "Statistics", "Display statistics");
    SetTexts(AboutItem, "About", "Show about box");
}

}  // namespace reversi

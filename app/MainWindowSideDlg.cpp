// The settings dialog over the main window and what confirming it does, and
// the style items of the Media menu. What a change means is decided by the
// settings plan; this file carries it out on the window and the game.
#include <exception>
#include <utility>

#include <QAction>
#include <QStatusBar>

#include "BusyPanel.h"
#include "UncoverWait.h"
#include "EngineUnit.h"
#include "FramePlacement.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "PictureLoading.h"
#include "SettingsChange.h"
#include "SettingsGameValues.h"
#include "SideUnit.h"

namespace reversi {

void TReversiForm::BindSettingsItems() {
    connect(OptionsItem, &QAction::triggered, this, &TReversiForm::OptionsItemClick);
    // Each style item sets one style and applies the look, even when it is
    // already the style in force.
    const auto bindStyle = [this](QAction* item, int Settings::*style, int value) {
        connect(item, &QAction::triggered, this, [this, style, value] {
            Settings chosen = settings_;
            chosen.*style = value;
            ApplyLookStyles(chosen);
        });
    };
    bindStyle(SelFig1, &Settings::FiguresStyle, 0);
    bindStyle(SelCur1, &Settings::CursorStyle, 0);
    bindStyle(SelCur2, &Settings::CursorStyle, 1);
    bindStyle(SelHlp1, &Settings::HelpStyle, 0);
    bindStyle(SelBrdr1, &Settings::BoardBorderStyle, 0);
    bindStyle(SelBrdr2, &Settings::BoardBorderStyle, 1);
}

Settings TReversiForm::SettingsInForce() const {
    if (game_.NetworkGame()) return settings_;
    // A loaded match may have changed the field; the game values of the game
    // on the board are the ones the dialog shows and compares against.
    return WithGameValues(settings_, game_.Values());
}

void TReversiForm::OptionsItemClick() {
    // The item is disabled while the computer thinks; a shortcut that still
    // arrives is ignored.
    if (game_.Thinking()) return;
    // A game whose end still waits for its box ends first: the settings may
    // replace it.
    game_.WhenNoMessage([this] { EditSettings(); });
}

void TReversiForm::EditSettings() {
    if (game_.Thinking()) return;
    const Settings current = SettingsInForce();
    SideDlg->SetValues(current);
    SideDlg->adjustSize();
    PlaceCentredOver(*SideDlg, *this);
    if (!GameMessages().EditSettings(*SideDlg)) {
        SideDlg->SetValues(current);
        return;
    }
    ApplySettings(current, SideDlg->Values(current));
}

void TReversiForm::ApplySettings(const Settings& current, Settings chosen) {
    repaint();
    const GameValues values = game_.Values();
    const GameSituation situation{
        .GameOver = game_.GameOver(),
        .NetworkGame = game_.NetworkGame(),
        .PracticeGame = game_.PracticeGame(),
        .HumanNotYetMoved =
            HumanNotYetMoved(ToCell(values.computerSide), game_.Status().movesStored),
        .Browsing = game_.Browsing(),
        .ComputerThinking = game_.Thinking()};

    // The pictures come first: a look or field whose pictures cannot be
    // loaded is not taken (the message names the file), the rest still is.
    graphics::PictureSets pictures;
    const SettingsPlan preview =
        PlanSettingsChange(current, chosen, situation, [] { return true; });
    const int pictureField = preview.FieldSizeChanged ? preview.Result.BoardSize : values.boardSize;
    if (!preview.Refused && preview.Reload() &&
        !LoadPicturesBehindPanel(preview.Result, pictureField, pictures)) {
        chosen = WithoutPictureChange(chosen, current);
    }

    const SettingsPlan plan = PlanSettingsChange(current, chosen, situation, [this] {
        return GameMessages().Confirm(this, LevelPracticeQuestion());
    });
    if (plan.Refused) {
        ShowPlainMessage(SettingsRefusedMessage(), this);
        SideDlg->SetValues(current);
        return;
    }

    const Settings& result = plan.Result;
    // Level and engine count from the computer's next move; opponent and
    // colour wait for a game that is not played over the network.
    GameValues next = GameValuesOf(result);
    if (game_.NetworkGame()) {
        next.vsComputer = values.vsComputer;
        next.computerSide = values.computerSide;
    }
    if (!plan.FieldSizeChanged) next.boardSize = values.boardSize;
    game_.SetValues(next);
    if (plan.BecomesPractice) game_.MakePractice();
    // The switches with their check marks, the animations' options, the rest
    // frame of the figures and the dialog's controls follow the new value.
    ChangeSettings(result);
    painter_.TheCursor().SetCursorStyle(result.CursorStyle);
    // The new pictures (and with a new field the new window size) come
    // before the new game, so its texts use the colour names they bring.
    if (plan.Reload()) TakePictures(std::move(pictures), next.boardSize);
    if (plan.Restart) {
        painter_.NewPosX = painter_.NewPosY = 0;
        painter_.OldPosX = painter_.OldPosY = 0;
        // After a restart where the computer now plays white it opens at once.
        game_.NewGame();
    } else {
        DrawBoard();
        repaint();
        // A new level counts from the computer's next move.
        if (plan.RunTurnLoop) game_.ProcessTurn(true);
    }
    ShowStatus();
}

void TReversiForm::ApplyLookStyles(const Settings& chosen) {
    repaint();
    const Settings current = settings_;
    SettingsPlan plan = PlanLookStyles(current, chosen);
    graphics::PictureSets pictures;
    if (plan.Reload() && !LoadPicturesBehindPanel(plan.Result, game_.BoardSize(), pictures)) {
        plan = PlanLookStyles(current, WithoutPictureChange(chosen, current));
    }
    ChangeSettings(plan.Result);
    painter_.TheCursor().SetCursorStyle(plan.Result.CursorStyle);
    if (plan.Reload()) TakePictures(std::move(pictures), game_.BoardSize());
    DrawBoard();
    repaint();
    ShowStatus();
}

bool TReversiForm::LoadPicturesBehindPanel(const Settings& look, int boardSize,
                                           graphics::PictureSets& pictures) {
    // The window shows itself whole first: a dialog just closed over it
    // leaves no remains around the panel.
    uncoverWatch_->AwaitUncovered();
    repaint();
    // The panel sits in the middle of the board area (the client area above
    // the status bar).
    const int bar = ReversiStatusBar->height();
    const QString failure = LoadPicturesBehind(
        *LoadingPanel,
        BusyPanel::PlaceIn(QSize(ClientArea->width(), ClientArea->height() + bar), bar), look,
        boardSize, pictures);
    if (failure.isEmpty()) return true;
    ShowErrorMessage(failure, this);
    return false;
}

QString TReversiForm::LoadPicturesBehind(BusyPanel& panel, QPoint topLeft, const Settings& look,
                                         int boardSize, graphics::PictureSets& pictures) {
    // The load waits in a local event loop: what the peer sends meanwhile is
    // handled after it.
    const NetInputHold hold = Session != nullptr ? NetInputHold(*Session) : NetInputHold();
    return pictureLoading_->LoadBehind(panel, topLeft,
                                       {.borderStyle = look.BoardBorderStyle,
                                        .figuresStyle = look.FiguresStyle,
                                        .helpStyle = look.HelpStyle,
                                        .boardSize = boardSize,
                                        .programFolder = programFolder_},
                                       pictures);
}

void TReversiForm::SetPictureLoadHook(std::function<void()> hook) {
    pictureLoading_->SetWorkerHook(std::move(hook));
}

void TReversiForm::TakePictures(graphics::PictureSets&& pictures, int boardSize) {
    painter_.Pictures() = std::move(pictures);
    TakeSideNames(settings_.FiguresStyle);
    SizeWindowToField(boardSize);
    painter_.CreateBackBuffer(boardSize);
}

}  // namespace reversi

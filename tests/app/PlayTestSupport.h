// Helpers of the game-play widget tests: a window whose modal messages are
// recorded instead of shown, and a player that clicks legal squares.
#pragma once

#include <functional>
#include <memory>
#include <random>
#include <vector>

#include <QSettings>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "FieldRules.h"
#include "FinalUnit.h"
#include "GameStateAccess.h"
#include "GameMessages.h"
#include "AsyncTimer.h"
#include "MainWindow.h"
#include "SideUnit.h"
#include "WaitUntil.h"

namespace reversi::test {

// The game the window's controller owns, for setting up positions and
// reading what the flow made of them.
inline GameState& GameOf(const TReversiForm& window) {
    return GameStateAccess::Of(window.Controller());
}

// The legal squares of the side to move of a game, as (x, y).
inline std::vector<std::pair<int, int>> LegalSquaresOf(const GameState& g) {
    std::vector<std::pair<int, int>> squares;
    for (int x = 0; x < g.BoardSize; ++x)
        for (int y = 0; y < g.BoardSize; ++y)
            if (CanMove(g, g.Boards[0], SquareIndex(x, y, g.BoardSize), g.SideToMove, OtherSide(g)))
                squares.emplace_back(x, y);
    return squares;
}

class RecordingMessages : public TGameMessages {
public:
    // The box is answered at once unless holdFinal is set: then it stays
    // open until CloseHeldFinal.
    void ShowFinal(QWidget*, const QString& text, std::function<void()> closed) override {
        finals << text;
        if (onFinal) onFinal();
        if (holdFinal) {
            heldFinal = std::move(closed);
            return;
        }
        if (closed) closed();
    }
    // Closes a held box (as the player's OK would).
    void CloseHeldFinal() {
        auto closed = std::move(heldFinal);
        heldFinal = nullptr;
        if (closed) closed();
    }
    bool FinalOpen() const { return static_cast<bool>(heldFinal); }
    void ShowStatistics(QWidget*, TStatisticsTable& table, int boardSize, bool advanced,
                        int level) override {
        statistics.push_back(
            table.Record(TStatisticsTable::BlockIndex(boardSize, advanced), level));
    }
    TipValues ShowDayTip(QWidget*, bool showTips, int currentTip) override {
        tips.push_back({.showTips = showTips, .currentTip = currentTip});
        return tipAnswer ? tipAnswer(showTips, currentTip) : TipValues{showTips, currentTip};
    }
    void ShowRules(QWidget*, const QRect& frame) override { rules.push_back(frame); }
    bool Confirm(QWidget*, const QString& text) override {
        questions << text;
        return answer;
    }
    void Inform(QWidget*, const QString& text) override { informed << text; }
    TChoiceAnswer AskHistoryChoice(QWidget*) override {
        ++choicesAsked;
        return choice;
    }
    QString ChooseMatchFile(QWidget*, const TFileDialogSetup& setup) override {
        fileDialogs << setup.Title;
        return chosenFile;
    }
    // The settings dialog: onEditSettings sets its controls as a player
    // would and answers true for OK; without it the dialog is cancelled.
    bool EditSettings(TSideDlg& dialog) override {
        ++settingsShown;
        return onEditSettings ? onEditSettings(dialog) : false;
    }
    QStringList finals;
    bool holdFinal = false;
    std::function<void()> heldFinal;
    QStringList questions;
    QStringList informed;
    // The titles of the file dialogs opened, and the file each one answers.
    QStringList fileDialogs;
    QString chosenFile;
    // The history choice: how often it was offered and the answer it gives.
    int choicesAsked = 0;
    TChoiceAnswer choice = TChoiceAnswer::ReturnToHistory;
    // The record the statistics window opened on, each time it opened.
    std::vector<TStatisticsRecord> statistics;
    // The values each tip window opened with; tipAnswer gives the values it
    // hands back (by default the ones it opened with).
    std::vector<TipValues> tips;
    std::function<TipValues(bool, int)> tipAnswer;
    // The frame of each rules page shown.
    std::vector<QRect> rules;
    // Runs while the result window would be open.
    std::function<void()> onFinal;
    bool answer = true;
    std::function<bool(TSideDlg&)> onEditSettings;
    int settingsShown = 0;
};

struct GameSetup {
    int boardSize = 8;
    int depth = 1;
    bool baby = false;
    bool advanced = false;
    int computerSide = CellBlack;
    bool animation = false;
    // Starts on the settings and statistics a previous window stored.
    bool keepSettings = false;
};

// A shown main window set up for one game against the computer. The
// computer opens at once when it plays white.
class PlayingWindow {
public:
    explicit PlayingWindow(const GameSetup& setup) {
        if (!setup.keepSettings) QSettings().clear();
        form = std::make_unique<TReversiForm>();
        auto owned = std::make_unique<RecordingMessages>();
        messages = owned.get();
        form->SetGameMessages(std::move(owned));
        QObject::connect(form.get(), &TReversiForm::soundPlayed,
                         [this](platform::TSoundEffect effect) { sounds.push_back(effect); });
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) ADD_FAILURE() << "window not shown";
        Settings settings = form->CurrentSettings();
        settings.SoundEffectsOn = true;
        settings.AnimationOn = setup.animation;
        form->ChangeSettings(settings);
        auto& g = Game();
        g.Depth = setup.depth;
        g.BabyLevel = setup.baby;
        g.AdvancedEngine = setup.advanced;
        g.ComputerSide = setup.computerSide;
        g.VsComputer = true;
        if (g.BoardSize != setup.boardSize) {
            g.BoardSize = setup.boardSize;
            form->LoadPictureSets();
            form->SizeWindowToField();
        }
        // Animations at a faster pace keep the tests short.
        form->SetAnimationInterval(5);
        sounds.clear();
        form->NewGameItemClick();
        Settle();
    }

    // Waits until the game flow has gone as far as it goes by itself (the
    // computer has replied); fails the test past the deadline.
    void Settle() const { SettleWindow(*form); }
    static void SettleWindow(const TReversiForm& window) {
        if (!WaitUntil([&] { return window.Controller().Settled(); }))
            ADD_FAILURE() << "the game flow did not settle";
    }

    // A left click at the centre of square (x, y) of the board widget; the
    // flow settles after it unless told not to (a click inside the flow).
    void ClickSquare(int x, int y, bool settle = true) {
        QTest::mouseMove(form->BoardWidget(), form->SquareCentre(x, y));
        QTest::mouseClick(form->BoardWidget(), Qt::LeftButton, Qt::NoModifier,
                          form->SquareCentre(x, y));
        if (settle) Settle();
    }

    // The game on this window's board.
    GameState& Game() const { return GameOf(*form); }

    // The legal squares of the side to move, as (x, y).
    std::vector<std::pair<int, int>> LegalSquares() const { return LegalSquaresOf(Game()); }

    std::unique_ptr<TReversiForm> form;
    RecordingMessages* messages = nullptr;
    std::vector<platform::TSoundEffect> sounds;
};

// Fills the 8 x 8 field of board with white but for G1 (black) and H1
// (empty): white's H1 then fills the field and wins 64 : 0.
inline void PutWhiteOneMoveFromAFullField(tBoard& board) {
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) board[SquareIndex(x, y, 8)] = CellWhite;
    board[SquareIndex(6, 7, 8)] = CellBlack;
    board[SquareIndex(7, 7, 8)] = CellEmpty;
}

}  // namespace reversi::test

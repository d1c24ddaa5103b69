#include "SettingsChange.h"

#include <array>

#include "Board.h"

namespace reversi {

namespace {

constexpr std::array<TSettingsToggle, 6> AllToggles = {
    TSettingsToggle::Music,   TSettingsToggle::SoundEffects, TSettingsToggle::Animation,
    TSettingsToggle::SysTray, TSettingsToggle::PreviousMove, TSettingsToggle::AvailableMoves};

// Takes the four picture and cursor styles of chosen and marks the sheets
// that must be loaded again.
void TakeStyles(SettingsPlan& plan, const Settings& current, const Settings& chosen) {
    plan.Result.BoardBorderStyle = chosen.BoardBorderStyle;
    plan.Result.FiguresStyle = chosen.FiguresStyle;
    plan.Result.CursorStyle = chosen.CursorStyle;
    plan.Result.HelpStyle = chosen.HelpStyle;
    plan.FigureStyleChanged = chosen.FiguresStyle != current.FiguresStyle;
    plan.ReloadBorder = chosen.BoardBorderStyle != current.BoardBorderStyle;
    plan.ReloadFigures = plan.FigureStyleChanged || plan.FieldSizeChanged;
    plan.ReloadHelp = chosen.HelpStyle != current.HelpStyle || plan.FieldSizeChanged;
}

}  // namespace

bool HumanNotYetMoved(int computerSide, int storedMoves) {
    if (computerSide == CellBlack) return storedMoves < 1;
    if (computerSide == CellWhite) return storedMoves < 2;
    return false;
}

bool ToggleValue(const Settings& settings, TSettingsToggle toggle) {
    switch (toggle) {
        case TSettingsToggle::Music:
            return settings.MusicOn;
        case TSettingsToggle::SoundEffects:
            return settings.SoundEffectsOn;
        case TSettingsToggle::Animation:
            return settings.AnimationOn;
        case TSettingsToggle::SysTray:
            return settings.UseSysTray;
        case TSettingsToggle::PreviousMove:
            return settings.ShowPreviousMove;
        case TSettingsToggle::AvailableMoves:
            return settings.ShowAvailableMoves;
    }
    return false;
}

void SetToggle(Settings& settings, TSettingsToggle toggle, bool on) {
    switch (toggle) {
        case TSettingsToggle::Music:
            settings.MusicOn = on;
            break;
        case TSettingsToggle::SoundEffects:
            settings.SoundEffectsOn = on;
            break;
        case TSettingsToggle::Animation:
            settings.AnimationOn = on;
            break;
        case TSettingsToggle::SysTray:
            settings.UseSysTray = on;
            break;
        case TSettingsToggle::PreviousMove:
            settings.ShowPreviousMove = on;
            break;
        case TSettingsToggle::AvailableMoves:
            settings.ShowAvailableMoves = on;
            break;
    }
}

bool SettingsPlan::Changed(TSettingsToggle toggle) const {
    for (const auto t : ChangedToggles) {
        if (t == toggle) return true;
    }
    return false;
}

SettingsPlan PlanSettingsChange(const Settings& current, const Settings& chosen,
                                const GameSituation& situation,
                                const std::function<bool()>& confirmPractice) {
    SettingsPlan plan;
    plan.Result = current;

    // During a network game the link owns the game values (the dialog's game
    // controls are locked then); they stay as they are.
    const bool game = !situation.NetworkGame;
    const bool levelChanged = game && chosen.Level() != current.Level();
    const bool engineChanged = game && chosen.AdvancedEngine != current.AdvancedEngine;
    const bool sideChanged =
        game && (chosen.ComputerSide == CellBlack ? CellBlack : CellWhite) != current.ComputerSide;
    const bool opponentChanged = game && chosen.VsComputer != current.VsComputer;
    const int chosenSize = chosen.BoardSize == 8 ? 8 : 10;
    const bool sizeChanged = game && chosenSize != current.BoardSize;

    // A search works on the position and the level of its start; nothing of
    // the game changes under it.
    if (situation.ComputerThinking &&
        (levelChanged || engineChanged || sideChanged || opponentChanged || sizeChanged)) {
        plan.Refused = true;
        return plan;
    }

    plan.Restart = sideChanged || opponentChanged || sizeChanged;
    plan.FieldSizeChanged = sizeChanged;

    // A level or engine change in a game whose result would be counted makes
    // it practice, after the player agrees. A game about to restart is not
    // asked about: its result is never counted.
    bool practice = situation.PracticeGame;
    const auto asks = [&] {
        return !situation.GameOver && current.VsComputer && !situation.HumanNotYetMoved &&
               !practice && !plan.Restart;
    };
    if (levelChanged) {
        bool keep = true;
        if (asks()) {
            keep = confirmPractice();
            if (keep) {
                practice = true;
                plan.BecomesPractice = true;
            }
        }
        if (keep) {
            plan.Result.SetLevel(chosen.Level());
            plan.LevelChanged = true;
        }
    }
    if (engineChanged) {
        bool keep = true;
        if (asks()) {
            keep = confirmPractice();
            if (keep) plan.BecomesPractice = true;
        }
        if (keep) {
            plan.Result.AdvancedEngine = chosen.AdvancedEngine;
            plan.EngineChanged = true;
        }
    }

    for (const auto toggle : AllToggles) {
        const bool on = ToggleValue(chosen, toggle);
        if (on != ToggleValue(current, toggle)) plan.ChangedToggles.push_back(toggle);
        SetToggle(plan.Result, toggle, on);
    }

    if (game) {
        plan.Result.ComputerSide = chosen.ComputerSide == CellBlack ? CellBlack : CellWhite;
        plan.Result.VsComputer = chosen.VsComputer;
        plan.Result.BoardSize = chosenSize;
    }
    TakeStyles(plan, current, chosen);
    plan.RunTurnLoop = !situation.ComputerThinking && (plan.Restart || !situation.Browsing);
    return plan;
}

SettingsPlan PlanLookStyles(const Settings& current, const Settings& chosen) {
    SettingsPlan plan;
    plan.Result = current;
    TakeStyles(plan, current, chosen);
    return plan;
}

Settings WithoutPictureChange(const Settings& chosen, const Settings& current) {
    Settings kept = chosen;
    kept.BoardBorderStyle = current.BoardBorderStyle;
    kept.FiguresStyle = current.FiguresStyle;
    kept.HelpStyle = current.HelpStyle;
    kept.BoardSize = current.BoardSize;
    return kept;
}

QString LevelPracticeQuestion() {
    return QStringLiteral(
        "Looks like you would like to change Computer`s Level.\n"
        "The game becomes practice (no statistics recording)!\n"
        "Do you really want do this?");
}

QString SettingsRefusedMessage() {
    return QStringLiteral(
        "The computer is thinking about its move.\n"
        "Opponent, colour, level, engine and field size can be changed after it has moved.");
}

}  // namespace reversi

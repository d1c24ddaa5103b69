// What confirming the settings dialog or choosing a style of the Media menu
// means for the game: a plan decided from the settings before and after, which
// the window then carries out (practice flag, new game, pictures, window size).
#pragma once

#include <functional>
#include <vector>

#include <QString>

#include "Settings.h"

namespace reversi {

// Where the game stands when the dialog is confirmed.
struct GameSituation {
    bool GameOver = false;
    bool NetworkGame = false;
    bool PracticeGame = false;
    // The human has made no move yet in this game (see HumanNotYetMoved).
    bool HumanNotYetMoved = false;
    // The board shows an earlier position of the match record.
    bool Browsing = false;
    // A search for the computer's move is running.
    bool ComputerThinking = false;
};

// True while the human has made no move yet in a game against the computer,
// judged from the number of stored moves: the human plays white and moves
// first when the computer plays black (3); the computer's opening is move 1
// when it plays white (2); any other side gives false.
bool HumanNotYetMoved(int computerSide, int storedMoves);

// The switches of the dialog that are kept in step with a flag of the
// settings (and, for music, sound and animation, a check mark of the Media menu).
enum class TSettingsToggle {
    Music,
    SoundEffects,
    Animation,
    SysTray,
    PreviousMove,
    AvailableMoves
};

bool ToggleValue(const Settings& settings, TSettingsToggle toggle);
void SetToggle(Settings& settings, TSettingsToggle toggle, bool on);

// What the window does after the dialog's OK, in the order of the members.
struct SettingsPlan {
    // The computer is thinking and the game values (opponent, colour, level,
    // engine, field size) were changed: nothing at all is applied; the window
    // shows SettingsRefusedMessage() and puts the dialog back to the old values.
    bool Refused = false;
    // The settings to keep from now on. After a No to the practice question
    // the old level or engine is back in them.
    Settings Result;
    // The player answered Yes to the practice question: the game is practice.
    bool BecomesPractice = false;
    bool LevelChanged = false;
    bool EngineChanged = false;
    // The switches whose value changed, in the order music, sound effects,
    // animation, tray, previous move, available moves.
    std::vector<TSettingsToggle> ChangedToggles;
    // A new game: the opponent, the colour or the field size changed.
    bool Restart = false;
    // New square size and window size.
    bool FieldSizeChanged = false;
    // The figure style changed (last frame of the move animation).
    bool FigureStyleChanged = false;
    // Picture sheets to load again behind the busy panel.
    bool ReloadBorder = false;
    bool ReloadFigures = false;
    bool ReloadHelp = false;
    // Run the turn loop after drawing: not while browsing (a restart ends
    // browsing) and never beside a running search.
    bool RunTurnLoop = false;

    // Any sheet to reload; a reload also resizes the window and recreates
    // the back buffer.
    bool Reload() const { return ReloadBorder || ReloadFigures || ReloadHelp; }
    bool Changed(TSettingsToggle toggle) const;
};

// Decides what confirming the dialog means. current: the settings in force;
// chosen: current with the dialog's values. confirmPractice is called for
// the practice question, at most once for the level and then at most once
// for the engine (not again after a Yes), and answers true for Yes. It is
// not called when the plan is refused or the game restarts anyway.
SettingsPlan PlanSettingsChange(const Settings& current, const Settings& chosen,
                                const GameSituation& situation,
                                const std::function<bool()>& confirmPractice);

// What choosing a style in the Media menu means: only the four styles of
// chosen are taken; nothing restarts, no turn loop runs, and a search may
// go on meanwhile.
SettingsPlan PlanLookStyles(const Settings& current, const Settings& chosen);

// chosen with the picture styles (border, figures, help) and the field size
// of current: what is left of a change whose pictures could not be loaded.
// The cursor style and everything else stay as chosen.
Settings WithoutPictureChange(const Settings& chosen, const Settings& current);

// The confirmation text asked before a level or engine change makes the
// game practice.
QString LevelPracticeQuestion();
// The message shown when the dialog's OK is refused during a search.
QString SettingsRefusedMessage();

}  // namespace reversi

// What confirming the settings dialog means, decided without a window: the
// practice question, a new game, the pictures to reload, the switches, and
// the refusal while the computer thinks.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Board.h"
#include "SettingsChange.h"

namespace reversi {
namespace {

// A game against the computer at level 3 in which the human has moved.
Settings Level3() {
    Settings s;
    s.SetLevel(3);
    return s;
}

GameSituation UnderWay() {
    GameSituation g;
    g.HumanNotYetMoved = false;
    return g;
}

struct Case {
    std::string name;
    std::function<void(Settings&)> current;  // from Level3()
    std::function<void(Settings&)> chosen;   // from the current settings
    std::function<void(GameSituation&)> situation;  // from UnderWay()
    std::vector<bool> answers;  // answers to the practice questions, in order
    // Expected:
    int questions = 0;
    bool refused = false;
    bool practice = false;
    int level = 3;
    bool advanced = false;
    bool restart = false;
    bool sizeChanged = false;
    bool reloadBorder = false;
    bool reloadFigures = false;
    bool reloadHelp = false;
    bool turnLoop = true;
};

const auto Same = [](Settings&) {};
const auto Playing = [](GameSituation&) {};

std::vector<Case> Cases() {
    return {
        {"level during a game, Yes", Same, [](Settings& s) { s.SetLevel(5); }, Playing, {true},
         1, false, true, 5},
        {"level during a game, No", Same, [](Settings& s) { s.SetLevel(5); }, Playing, {false},
         1, false, false, 3},
        {"level before the human's first move", Same, [](Settings& s) { s.SetLevel(5); },
         [](GameSituation& g) { g.HumanNotYetMoved = true; }, {}, 0, false, false, 5},
        {"level between two players", [](Settings& s) { s.VsComputer = false; },
         [](Settings& s) { s.SetLevel(5); }, Playing, {}, 0, false, false, 5},
        {"level in a finished game", Same, [](Settings& s) { s.SetLevel(5); },
         [](GameSituation& g) { g.GameOver = true; }, {}, 0, false, false, 5},
        {"level in a practice game", Same, [](Settings& s) { s.SetLevel(5); },
         [](GameSituation& g) { g.PracticeGame = true; }, {}, 0, false, false, 5},
        {"level in a network game stays", Same, [](Settings& s) { s.SetLevel(5); },
         [](GameSituation& g) { g.NetworkGame = true; }, {}, 0, false, false, 3},
        {"baby to level 1 is a change", [](Settings& s) { s.SetLevel(0); },
         [](Settings& s) { s.SetLevel(1); }, Playing, {true}, 1, false, true, 1},
        {"level 1 to baby, No", [](Settings& s) { s.SetLevel(1); },
         [](Settings& s) { s.SetLevel(0); }, Playing, {false}, 1, false, false, 1},
        {"engine during a game, Yes", Same, [](Settings& s) { s.AdvancedEngine = true; },
         Playing, {true}, 1, false, true, 3, true},
        {"engine during a game, No", Same, [](Settings& s) { s.AdvancedEngine = true; },
         Playing, {false}, 1, false, false, 3, false},
        {"level Yes: the engine is not asked again", Same,
         [](Settings& s) {
             s.SetLevel(7);
             s.AdvancedEngine = true;
         },
         Playing, {true}, 1, false, true, 7, true},
        {"level No, then the engine is asked", Same,
         [](Settings& s) {
             s.SetLevel(7);
             s.AdvancedEngine = true;
         },
         Playing, {false, true}, 2, false, true, 3, true},
        {"side: a new game", Same, [](Settings& s) { s.ComputerSide = CellWhite; }, Playing, {},
         0, false, false, 3, false, true},
        {"opponent: a new game", Same, [](Settings& s) { s.VsComputer = false; }, Playing, {},
         0, false, false, 3, false, true},
        {"side and level: a new game, no question", Same,
         [](Settings& s) {
             s.ComputerSide = CellWhite;
             s.SetLevel(6);
         },
         Playing, {}, 0, false, false, 6, false, true},
        {"field 8 to 10", Same, [](Settings& s) { s.BoardSize = 10; }, Playing, {}, 0, false,
         false, 3, false, true, true, false, true, true},
        {"field 10 to 8", [](Settings& s) { s.BoardSize = 10; },
         [](Settings& s) { s.BoardSize = 8; }, Playing, {}, 0, false, false, 3, false, true, true,
         false, true, true},
        {"field size in a network game stays", Same, [](Settings& s) { s.BoardSize = 10; },
         [](GameSituation& g) { g.NetworkGame = true; }, {}, 0},
        {"side in a network game stays", Same, [](Settings& s) { s.ComputerSide = CellWhite; },
         [](GameSituation& g) { g.NetworkGame = true; }, {}, 0},
        {"cursor only: no reload, no restart", Same, [](Settings& s) { s.CursorStyle = 1; },
         Playing, {}, 0},
        {"border: only the border pictures", Same, [](Settings& s) { s.BoardBorderStyle = 1; },
         Playing, {}, 0, false, false, 3, false, false, false, true},
        {"figures", [](Settings& s) { s.FiguresStyle = 1; },
         [](Settings& s) { s.FiguresStyle = 0; }, Playing, {}, 0, false, false, 3, false, false,
         false, false, true},
        {"help marks", [](Settings& s) { s.HelpStyle = 1; }, [](Settings& s) { s.HelpStyle = 0; },
         Playing, {}, 0, false, false, 3, false, false, false, false, false, true},
        {"nothing changed", Same, Same, Playing, {}, 0},
        {"browsing: no turn loop", Same, [](Settings& s) { s.CursorStyle = 1; },
         [](GameSituation& g) { g.Browsing = true; }, {}, 0, false, false, 3, false, false,
         false, false, false, false, false},
        {"browsing and a new game: the turn loop runs", Same,
         [](Settings& s) { s.ComputerSide = CellWhite; },
         [](GameSituation& g) { g.Browsing = true; }, {}, 0, false, false, 3, false, true},
        {"thinking: a level change is refused", Same, [](Settings& s) { s.SetLevel(5); },
         [](GameSituation& g) { g.ComputerThinking = true; }, {}, 0, true},
        {"thinking: an engine change is refused", Same,
         [](Settings& s) { s.AdvancedEngine = true; },
         [](GameSituation& g) { g.ComputerThinking = true; }, {}, 0, true},
        {"thinking: a side change is refused", Same,
         [](Settings& s) { s.ComputerSide = CellWhite; },
         [](GameSituation& g) { g.ComputerThinking = true; }, {}, 0, true},
        {"thinking: a field size change is refused", Same, [](Settings& s) { s.BoardSize = 10; },
         [](GameSituation& g) { g.ComputerThinking = true; }, {}, 0, true},
        {"thinking: a style applies, the search goes on", Same,
         [](Settings& s) { s.BoardBorderStyle = 1; },
         [](GameSituation& g) { g.ComputerThinking = true; }, {}, 0, false, false, 3, false,
         false, false, true, false, false, false},
    };
}

TEST(SettingsChange, PlanForEachKindOfChange) {
    for (const auto& c : Cases()) {
        SCOPED_TRACE(c.name);
        Settings current = Level3();
        c.current(current);
        Settings chosen = current;
        c.chosen(chosen);
        GameSituation situation = UnderWay();
        c.situation(situation);

        int asked = 0;
        const auto plan = PlanSettingsChange(current, chosen, situation, [&] {
            const bool answer = asked < static_cast<int>(c.answers.size()) && c.answers[asked];
            ++asked;
            return answer;
        });

        EXPECT_EQ(asked, c.questions);
        EXPECT_EQ(plan.Refused, c.refused);
        if (c.refused) {
            EXPECT_EQ(plan.Result, current) << "a refused change applies nothing";
            continue;
        }
        EXPECT_EQ(plan.BecomesPractice, c.practice);
        EXPECT_EQ(plan.Result.Level(), c.level);
        EXPECT_EQ(plan.Result.AdvancedEngine, c.advanced);
        EXPECT_EQ(plan.Restart, c.restart);
        EXPECT_EQ(plan.FieldSizeChanged, c.sizeChanged);
        EXPECT_EQ(plan.ReloadBorder, c.reloadBorder);
        EXPECT_EQ(plan.ReloadFigures, c.reloadFigures);
        EXPECT_EQ(plan.ReloadHelp, c.reloadHelp);
        EXPECT_EQ(plan.RunTurnLoop, c.turnLoop);
        EXPECT_EQ(plan.LevelChanged, plan.Result.Level() != current.Level());
        EXPECT_EQ(plan.EngineChanged, plan.Result.AdvancedEngine != current.AdvancedEngine);
        // The looks are always taken; the game values unless a network game holds them.
        EXPECT_EQ(plan.Result.CursorStyle, chosen.CursorStyle);
        EXPECT_EQ(plan.Result.BoardBorderStyle, chosen.BoardBorderStyle);
        EXPECT_EQ(plan.Result.FiguresStyle, chosen.FiguresStyle);
        EXPECT_EQ(plan.Result.HelpStyle, chosen.HelpStyle);
        const Settings& game = situation.NetworkGame ? current : chosen;
        EXPECT_EQ(plan.Result.BoardSize, game.BoardSize);
        EXPECT_EQ(plan.Result.ComputerSide, game.ComputerSide);
        EXPECT_EQ(plan.Result.VsComputer, game.VsComputer);
    }
}

TEST(SettingsChange, TheQuestionIsTheLevelQuestion) {
    EXPECT_EQ(LevelPracticeQuestion().toStdString(),
              "Looks like you would like to change Computer`s Level.\n"
              "The game becomes practice (no statistics recording)!\n"
              "Do you really want do this?");
}

TEST(SettingsChange, EachSwitchChangesOnlyItself) {
    const TSettingsToggle toggles[] = {TSettingsToggle::Music,     TSettingsToggle::SoundEffects,
                                       TSettingsToggle::Animation, TSettingsToggle::SysTray,
                                       TSettingsToggle::PreviousMove,
                                       TSettingsToggle::AvailableMoves};
    for (const bool start : {true, false}) {
        Settings current = Level3();
        for (const auto t : toggles) SetToggle(current, t, start);
        for (const auto toggle : toggles) {
            SCOPED_TRACE(static_cast<int>(toggle));
            Settings chosen = current;
            SetToggle(chosen, toggle, !start);
            ASSERT_NE(chosen, current);
            const auto plan = PlanSettingsChange(current, chosen, UnderWay(), [] {
                ADD_FAILURE() << "a switch asks nothing";
                return false;
            });
            EXPECT_EQ(plan.ChangedToggles, std::vector<TSettingsToggle>{toggle});
            EXPECT_TRUE(plan.Changed(toggle));
            EXPECT_EQ(plan.Result, chosen);
            EXPECT_FALSE(plan.Restart);
            EXPECT_FALSE(plan.Reload());
        }
    }
}

TEST(SettingsChange, SeveralSwitchesInTheirOrder) {
    Settings current = Level3();
    Settings chosen = current;
    chosen.ShowAvailableMoves = !chosen.ShowAvailableMoves;
    chosen.MusicOn = !chosen.MusicOn;
    chosen.AnimationOn = !chosen.AnimationOn;
    const auto plan = PlanSettingsChange(current, chosen, UnderWay(), [] { return true; });
    EXPECT_EQ(plan.ChangedToggles,
              (std::vector<TSettingsToggle>{TSettingsToggle::Music, TSettingsToggle::Animation,
                                            TSettingsToggle::AvailableMoves}));
}

TEST(SettingsChange, MediaStylesTakeOnlyTheStyles) {
    Settings current = Level3();
    Settings chosen = current;
    chosen.CursorStyle = 1;
    chosen.BoardBorderStyle = 1;
    chosen.SetLevel(9);         // not a style: ignored
    chosen.BoardSize = 10;      // not a style: ignored
    chosen.MusicOn = false;     // not a style: ignored
    const auto plan = PlanLookStyles(current, chosen);
    EXPECT_FALSE(plan.Refused);
    EXPECT_FALSE(plan.Restart);
    EXPECT_FALSE(plan.RunTurnLoop);
    EXPECT_TRUE(plan.ReloadBorder);
    EXPECT_FALSE(plan.ReloadFigures);
    EXPECT_FALSE(plan.ReloadHelp);
    EXPECT_TRUE(plan.ChangedToggles.empty());
    Settings expected = current;
    expected.CursorStyle = 1;
    expected.BoardBorderStyle = 1;
    EXPECT_EQ(plan.Result, expected);

    // The same cursor chosen again still gives a plan (the cursor is set anew),
    // with nothing to reload.
    const auto again = PlanLookStyles(expected, expected);
    EXPECT_FALSE(again.Reload());
    EXPECT_EQ(again.Result, expected);
}

TEST(SettingsChange, HumanNotYetMovedCountsTheComputersOpening) {
    struct Row {
        int computerSide;
        int stored;
        bool expected;
    };
    const Row rows[] = {{CellBlack, 0, true},  {CellBlack, 1, false}, {CellWhite, 0, true},
                        {CellWhite, 1, true},  {CellWhite, 2, false}, {0, 0, false},
                        {CellEmpty, 0, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(HumanNotYetMoved(r.computerSide, r.stored), r.expected)
            << "side " << r.computerSide << ", " << r.stored << " stored";
    }
}

}  // namespace
}  // namespace reversi

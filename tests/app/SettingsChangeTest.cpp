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

using SettingsEdit = std::function<void(Settings&)>;
using SituationEdit = std::function<void(GameSituation&)>;

struct Case {
    std::string name;
    SettingsEdit chosen;                              // from the current settings
    SettingsEdit current = [](Settings&) {};          // from Level3()
    SituationEdit situation = [](GameSituation&) {};  // from UnderWay()
    std::vector<bool> answers = {};                   // answers to the practice questions, in order
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

const auto Level5 = [](Settings& s) { s.SetLevel(5); };
const auto Advanced = [](Settings& s) { s.AdvancedEngine = true; };
const auto Level7Advanced = [](Settings& s) {
    s.SetLevel(7);
    s.AdvancedEngine = true;
};
const auto ComputerWhite = [](Settings& s) { s.ComputerSide = CellWhite; };
const auto Field10 = [](Settings& s) { s.BoardSize = 10; };
const auto Network = [](GameSituation& g) { g.NetworkGame = true; };
const auto Browsing = [](GameSituation& g) { g.Browsing = true; };
const auto Thinking = [](GameSituation& g) { g.ComputerThinking = true; };

std::vector<Case> Cases() {
    return {
        {.name = "level during a game, Yes",
         .chosen = Level5,
         .answers = {true},
         .questions = 1,
         .practice = true,
         .level = 5},
        {.name = "level during a game, No",
         .chosen = Level5,
         .answers = {false},
         .questions = 1,
         .level = 3},
        {.name = "level before the human's first move",
         .chosen = Level5,
         .situation = [](GameSituation& g) { g.HumanNotYetMoved = true; },
         .level = 5},
        {.name = "level between two players",
         .chosen = Level5,
         .current = [](Settings& s) { s.VsComputer = false; },
         .level = 5},
        {.name = "level in a finished game",
         .chosen = Level5,
         .situation = [](GameSituation& g) { g.GameOver = true; },
         .level = 5},
        {.name = "level in a practice game",
         .chosen = Level5,
         .situation = [](GameSituation& g) { g.PracticeGame = true; },
         .level = 5},
        {.name = "level in a network game stays",
         .chosen = Level5,
         .situation = Network,
         .level = 3},
        {.name = "baby to level 1 is a change",
         .chosen = [](Settings& s) { s.SetLevel(1); },
         .current = [](Settings& s) { s.SetLevel(0); },
         .answers = {true},
         .questions = 1,
         .practice = true,
         .level = 1},
        {.name = "level 1 to baby, No",
         .chosen = [](Settings& s) { s.SetLevel(0); },
         .current = [](Settings& s) { s.SetLevel(1); },
         .answers = {false},
         .questions = 1,
         .level = 1},
        {.name = "engine during a game, Yes",
         .chosen = Advanced,
         .answers = {true},
         .questions = 1,
         .practice = true,
         .advanced = true},
        {.name = "engine during a game, No",
         .chosen = Advanced,
         .answers = {false},
         .questions = 1,
         .advanced = false},
        {.name = "level Yes: the engine is not asked again",
         .chosen = Level7Advanced,
         .answers = {true},
         .questions = 1,
         .practice = true,
         .level = 7,
         .advanced = true},
        {.name = "level No, then the engine is asked",
         .chosen = Level7Advanced,
         .answers = {false, true},
         .questions = 2,
         .practice = true,
         .level = 3,
         .advanced = true},
        {.name = "side: a new game", .chosen = ComputerWhite, .restart = true},
        {.name = "opponent: a new game",
         .chosen = [](Settings& s) { s.VsComputer = false; },
         .restart = true},
        {.name = "side and level: a new game, no question",
         .chosen =
             [](Settings& s) {
                 s.ComputerSide = CellWhite;
                 s.SetLevel(6);
             },
         .level = 6,
         .restart = true},
        {.name = "field 8 to 10",
         .chosen = Field10,
         .restart = true,
         .sizeChanged = true,
         .reloadFigures = true,
         .reloadHelp = true},
        {.name = "field 10 to 8",
         .chosen = [](Settings& s) { s.BoardSize = 8; },
         .current = Field10,
         .restart = true,
         .sizeChanged = true,
         .reloadFigures = true,
         .reloadHelp = true},
        {.name = "field size in a network game stays", .chosen = Field10, .situation = Network},
        {.name = "side in a network game stays", .chosen = ComputerWhite, .situation = Network},
        {.name = "cursor only: no reload, no restart",
         .chosen = [](Settings& s) { s.CursorStyle = 1; }},
        {.name = "border: only the border pictures",
         .chosen = [](Settings& s) { s.BoardBorderStyle = 1; },
         .reloadBorder = true},
        {.name = "figures",
         .chosen = [](Settings& s) { s.FiguresStyle = 0; },
         .current = [](Settings& s) { s.FiguresStyle = 1; },
         .reloadFigures = true},
        {.name = "help marks",
         .chosen = [](Settings& s) { s.HelpStyle = 0; },
         .current = [](Settings& s) { s.HelpStyle = 1; },
         .reloadHelp = true},
        {.name = "nothing changed", .chosen = [](Settings&) {}},
        {.name = "browsing: no turn loop",
         .chosen = [](Settings& s) { s.CursorStyle = 1; },
         .situation = Browsing,
         .turnLoop = false},
        {.name = "browsing and a new game: the turn loop runs",
         .chosen = ComputerWhite,
         .situation = Browsing,
         .restart = true},
        {.name = "thinking: a level change is refused",
         .chosen = Level5,
         .situation = Thinking,
         .refused = true},
        {.name = "thinking: an engine change is refused",
         .chosen = Advanced,
         .situation = Thinking,
         .refused = true},
        {.name = "thinking: a side change is refused",
         .chosen = ComputerWhite,
         .situation = Thinking,
         .refused = true},
        {.name = "thinking: a field size change is refused",
         .chosen = Field10,
         .situation = Thinking,
         .refused = true},
        {.name = "thinking: a style applies, the search goes on",
         .chosen = [](Settings& s) { s.BoardBorderStyle = 1; },
         .situation = Thinking,
         .reloadBorder = true,
         .turnLoop = false},
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
    const TSettingsToggle toggles[] = {
        TSettingsToggle::Music,   TSettingsToggle::SoundEffects, TSettingsToggle::Animation,
        TSettingsToggle::SysTray, TSettingsToggle::PreviousMove, TSettingsToggle::AvailableMoves};
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
    chosen.SetLevel(9);      // not a style: ignored
    chosen.BoardSize = 10;   // not a style: ignored
    chosen.MusicOn = false;  // not a style: ignored
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
    const Row rows[] = {{CellBlack, 0, true}, {CellBlack, 1, false}, {CellWhite, 0, true},
                        {CellWhite, 1, true}, {CellWhite, 2, false}, {0, 0, false},
                        {CellEmpty, 0, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(HumanNotYetMoved(r.computerSide, r.stored), r.expected)
            << "side " << r.computerSide << ", " << r.stored << " stored";
    }
}

}  // namespace
}  // namespace reversi

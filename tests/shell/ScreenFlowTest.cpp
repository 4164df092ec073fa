// The screen flow around a level: the menu over it, saving, and what follows each ending.
#include "shell/ScreenFlow.h"

#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "media/Game_Sounds.h"
#include "shell/Globals.h"
#include "shell/MainLoop.h"
#include "shell/MainMenu.h"
#include "shell/MapScreen.h"
#include "support/ShellTestSupport.h"

#include <memory>
#include <utility>
#include <vector>

namespace
{

// A world that counts its steps and may ask for a save.
class FakeWorld final : public Level
{
public:
    explicit FakeWorld(GameEvents* events) : Level(events) {}

    void SetProjection() override {}
    void Plot() override {}
    Level_Action Poll(KeyData keys) override
    {
        seen = keys;
        steps++;
        saveGame = askSave;
        return Level_Continue;
    }

    static inline int steps = 0;
    static inline bool askSave = false;
    static inline KeyData seen; // the keys of the last step
};

struct Built
{
    Level_Type type;
    bool ending;
};

std::vector<Built> built;

Level* MakeFake(GameEvents* events, Level_Type type, bool ending)
{
    built.push_back({type, ending});
    return new FakeWorld(events);
}

class ScreenFlowTest : public ShellTestSupport
{
protected:
    void SetUp() override
    {
        ShellTestSupport::SetUp();
        gameSounds = new Game_Sounds();
        gameEvents = new GameEvents();
        menu = new MainMenu();
        worldMaker = MakeFake;
        built.clear();
        FakeWorld::steps = 0;
        FakeWorld::askSave = false;
        keyData = KeyData();
        menuOn = false;
        quit = false;
        saveSlot = 0;
        curLevel = Level_TreeV;
        levelAction = Level_Continue;
        fading = 0;
        fadeVal = 1.0;
        InitLevel();
    }

    void TearDown() override
    {
        ShutDown();
        worldMaker = BuildWorld;
        endingPlayed = false;
        saveSlot = -1;
        curLevel = Level_None;
        ShellTestSupport::TearDown();
    }

    // A level step with one key in a state.
    static bool Poll(int index, std::uint8_t state)
    {
        KeyData keys = Keys({index}, state);
        return LevelPoll(&keys);
    }

    // Finishes the current level with a result as the main loop does at black.
    void Finish(Level_Action result)
    {
        levelAction = result;
        FinishedLevel();
    }
};

} // namespace

TEST_F(ScreenFlowTest, EscapeOpensTheMenuInAStepTheLevelTakesAndClosesItInOneItDoesNot)
{
    EXPECT_FALSE(Poll(KeyIndex_Escape, KeyState_Pressed));
    EXPECT_TRUE(menuOn);
    EXPECT_EQ(1, FakeWorld::steps);
    EXPECT_FALSE(Poll(KeyIndex_Escape, KeyState_Held));
    EXPECT_TRUE(menuOn) << "opening and closing act on the press";
    EXPECT_FALSE(Poll(KeyIndex_Escape, KeyState_Pressed));
    EXPECT_FALSE(menuOn);
    EXPECT_EQ(1, FakeWorld::steps);
    EXPECT_FALSE(Poll(KeyIndex_A, KeyState_Pressed));
    EXPECT_EQ(2, FakeWorld::steps);
}

TEST_F(ScreenFlowTest, LeavingThroughTheMenuStillMakesTheLevelsEventsPermanent)
{
    Poll(KeyIndex_Escape, KeyState_Pressed);
    Poll(KeyIndex_Down, KeyState_Pressed);
    (*gameEvents)[5] = 120; // happened at tick 120 of this level
    EXPECT_TRUE(Poll(KeyIndex_Enter, KeyState_Released));
    EXPECT_EQ(Level_Left, levelAction);
    EXPECT_FALSE(menuOn);

    FinishedLevel();
    EXPECT_EQ(nullptr, level);
    ASSERT_NE(nullptr, mapScreen);
    EXPECT_EQ(Level_None, curLevel);
    EXPECT_EQ(Level_Continue, levelAction);
    EXPECT_EQ(GameEvent_HasHappened, (*gameEvents)[5]);
}

TEST_F(ScreenFlowTest, SaveRequestOfAStepIsWrittenInThatStep)
{
    FakeWorld::askSave = true;
    Step();
    EXPECT_FALSE(saveGame);
    EXPECT_TRUE(std::filesystem::exists(MapScreen::SlotFile(0)));
}

TEST_F(ScreenFlowTest, FinalWorldLeadsToTheEndingAndThenTheMapAndTheMastersWorldRestarts)
{
    curLevel = Level_Final;
    Finish(Level_Completed);
    ASSERT_EQ(2u, built.size());
    EXPECT_TRUE(built[1].ending);
    EXPECT_EQ(Level_Final, curLevel) << "the closing village keeps the final world's number";
    Finish(Level_Completed);
    EXPECT_EQ(2u, built.size()) << "the ending is not played again";
    ASSERT_NE(nullptr, mapScreen);
    EXPECT_EQ(Level_None, curLevel);

    delete mapScreen;
    mapScreen = nullptr;
    curLevel = Level_Kilig;
    InitLevel();
    Finish(Level_Restart);
    EXPECT_EQ(Level_Kilig, built.back().type);
    EXPECT_EQ(nullptr, mapScreen) << "the introduction's end rebuilds the world";
}

TEST_F(ScreenFlowTest, AKeyDownAsAWorldBeginsStaysHeldThereButItsReleaseDoesNotActAndOnTheMapWaitsForANewPress)
{
    // Steps of the world with the keys as the window procedure leaves them, aged as the main loop does.
    auto step = [](std::initializer_list<std::pair<int, std::uint8_t>> states) {
        for (auto [index, state] : states)
            keyData.keys[index] = state;
        LevelPoll(&keyData);
        keyData.Clean();
        return FakeWorld::seen;
    };
    auto begin = [](Level_Type type) {
        delete std::exchange(level, nullptr);
        curLevel = type;
        InitLevel();
    };
    // The action key that chose the world and a walk key, both held into it; Enter pressed in the
    // very step the world is built.
    keyData.keys[KeyIndex_GameAction] = KeyState_Held;
    keyData.keys[KeyIndex_GameRight] = KeyState_Held;
    keyData.keys[KeyIndex_Enter] = KeyState_Pressed;
    begin(Level_TreeV);
    KeyData seen = step({});
    EXPECT_EQ(KeyState_Held, seen.keys[KeyIndex_GameAction]);
    EXPECT_EQ(KeyState_Held, seen.keys[KeyIndex_GameRight]) << "a held walk goes on";
    seen = step({{KeyIndex_GameAction, KeyState_Released}, {KeyIndex_Enter, KeyState_Released}});
    EXPECT_EQ(KeyState_Up, seen.keys[KeyIndex_GameAction]);
    EXPECT_EQ(KeyState_Up, seen.keys[KeyIndex_Enter]);
    // Pressed again inside the world, it acts when let go.
    EXPECT_EQ(KeyState_Pressed, step({{KeyIndex_GameAction, KeyState_Pressed}}).keys[KeyIndex_GameAction]);
    EXPECT_EQ(KeyState_Held, step({}).keys[KeyIndex_GameAction]);
    EXPECT_EQ(KeyState_Released, step({{KeyIndex_GameAction, KeyState_Released}}).keys[KeyIndex_GameAction]);
    EXPECT_EQ(KeyState_Up, step({{KeyIndex_GameRight, KeyState_Released}}).keys[KeyIndex_GameRight]);

    // The same for the closing village, which no map screen leads into: the key pressed in the den
    // and held as it ends.
    begin(Level_Final);
    step({{KeyIndex_GameAction, KeyState_Pressed}});
    Finish(Level_Completed);
    ASSERT_TRUE(built.back().ending);
    EXPECT_EQ(KeyState_Up, step({{KeyIndex_GameAction, KeyState_Released}}).keys[KeyIndex_GameAction]);

    // The map acts on a held key: one pressed as the village ends enters no world until it is let go
    // and pressed again.
    step({{KeyIndex_GameAction, KeyState_Pressed}});
    Finish(Level_Completed);
    ASSERT_NE(nullptr, mapScreen);
    auto mapStep = [](std::uint8_t action) {
        keyData.keys[KeyIndex_GameAction] = action;
        Level_Type const chosen = MapPoll(&keyData);
        keyData.Clean();
        return chosen;
    };
    EXPECT_EQ(Level_None, mapStep(KeyState_Held));
    EXPECT_EQ(Level_None, mapStep(KeyState_Released));
    EXPECT_EQ(Level_None, mapStep(KeyState_Pressed));
    EXPECT_EQ(Level_Final, mapStep(KeyState_Held));
}

TEST_F(ScreenFlowTest, FadeOutReachesBlackOnceAtTheStepItsSpeedGives)
{
    for (auto [speed, steps] : {std::pair{0.03, 34}, std::pair{0.003, 334}})
    {
        fadeSpeed = speed;
        fading = 1;
        fadeVal = 1.0;
        int black = 0;
        for (int i = 1; i <= 2 * steps; i++)
            if (PollFade())
                black = black == 0 ? i : -1;
        EXPECT_EQ(steps, black) << speed;
        EXPECT_EQ(0, fading) << "faded back in";
        EXPECT_EQ(1.0, fadeVal);
    }
    fadeSpeed = 0.03;
}

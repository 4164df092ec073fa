// The game program itself, run headless with scripted input: from a slot with every path of the map open, the
// map starts at the den and enters it; once the hero leaves by the menu, and once he walks to the throwing
// spot and throws until the dragon dies, the white disc covers the screen, and the closing village follows,
// where act held from the den does not act.
#include "engine/GameEvents.h"
#include "final/FinalFightScript.h"
#include "shell/World_Table.h"
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

namespace
{

bool White(std::array<int, 3> c)
{
    return c[0] == 255 && c[1] == 255 && c[2] == 255;
}
// The den's back wall: dark red rock (the village's earth has a few pixels of it in its cracks; the
// den's wall covers most of the screen).
bool CaveWall(std::array<int, 3> c)
{
    return c[0] >= 35 && c[0] <= 120 && c[1] < 60 && c[2] < 50 && c[0] > c[1] + 12;
}
// The dragon's scales.
bool DragonGreen(std::array<int, 3> c)
{
    return c[1] > c[0] + 40 && c[1] > c[2] + 30;
}
// The village's sky.
bool Sky(std::array<int, 3> c)
{
    return c[2] > 200 && c[1] > 140 && c[0] < 160;
}

// Every path of the map open, time travel learnt: the map starts at the den.
GameEvents EveryPathOpen()
{
    GameEvents record;
    record[Event_TimeTravel] = GameEvent_HasHappened;
    for (int p = 0; p < Path_Count; ++p)
        record[Path_FirstEvent + p] = GameEvent_HasHappened;
    return record;
}

// Steps counted from the level's: the hero walks from 100 on and stands on the spot by Fight_Start;
// the dragon dies some 3050 steps later, 700 more end the closing sequence and the slow fade-out
// takes 334. Pictures every Watch_Every steps from Watch_From to Watch_To see the disc (the whole
// screen white for some 90 steps) and the village after it.
constexpr int Fight_Start = 200;
constexpr int Fight_Throws = 1300; // more than the dragon's first cycle needs
constexpr int Watch_From = 3100;
constexpr int Watch_To = 4800;
constexpr int Watch_Every = 40;
// Act pressed once the throws are over, while the den fades out, and held into the village; there
// Escape opens the menu, and act is let go over it.
constexpr int Hold_From = Fight_Start + 3 * Fight_Throws + 50;
constexpr int Menu_At = 4400;

} // namespace

TEST(FinalProgram, TheMapStartsAtTheDenEntersItAndAFightFromTheSpotLeadsThroughTheDiscToTheClosingVillage)
{
    ASSERT_EQ(std::string(WorldRow(Level_Final).folder), "final");
    GameRun visit(Level_Final, EveryPathOpen());
    GameRun fight(Level_Final, EveryPathOpen());
    EXPECT_EQ(visit.slot.LevelStep(), fight.slot.LevelStep());

    // A visit: left (Q) to the throwing spot, a picture of the arena, then out by the menu ("Leave
    // level") and quit from the map.
    std::string const leave = visit.At(100, "key 0x51 down") + visit.At(100 + Final_WalkToSpotSteps, "key 0x51 up")
                              + visit.At(300, "shot den.png") + visit.LeaveByMenu(310);

    // The fight: left (Q) to the spot, then the action key (P) pressed, held and let go, over and
    // over; pictures all through the closing sequence and into the village; the window closed.
    std::string script = fight.At(100, "key 0x51 down") + fight.At(100 + Final_WalkToSpotSteps, "key 0x51 up");
    for (int i = 0; i < Fight_Throws; ++i)
        script += fight.At(Fight_Start + 3 * i, "key 0x50 down") + fight.At(Fight_Start + 3 * i + 2, "key 0x50 up");
    script += fight.At(Hold_From, "key 0x50 down") + fight.At(Menu_At - 10, "shot village.png")
              + fight.At(Menu_At, "key 0x1B down") + fight.At(Menu_At + 2, "key 0x1B up")
              + fight.At(Menu_At + 20, "key 0x50 up") + fight.At(Menu_At + 40, "shot menu.png");
    for (int s = Watch_From; s <= Watch_To; s += Watch_Every)
        script += fight.At(s, "shot watch" + std::to_string(s) + ".png");
    script += fight.At(Watch_To + 10, "close");

    int visitCode = -1;
    std::thread second([&] { visitCode = visit.Run(leave); });
    int const fightCode = fight.Run(script);
    second.join();

    EXPECT_EQ(0, visitCode) << visit.log;
    EXPECT_EQ(std::string::npos, visit.log.find("rror")) << visit.log;
    Shot const den(visit.data / "den.png");
    EXPECT_GT(den.Share(CaveWall), 0.2) << "the den's wall";
    EXPECT_GT(den.Share(DragonGreen), 0.005) << "the dragon";
    GameEvents const left((visit.data / "saves/save0").c_str());
    EXPECT_FALSE(left.damaged);

    EXPECT_EQ(0, fightCode) << fight.log;
    EXPECT_EQ(std::string::npos, fight.log.find("rror")) << fight.log;
    int disc = -1; // the first picture the white disc covers
    // The first after it that shows the village's sky and not the den's wall, which fills most of
    // the den's pictures (the village's earth and bark have a little of its colour).
    int village = -1;
    for (int s = Watch_From; s <= Watch_To; s += Watch_Every)
    {
        Shot const shot(fight.data / ("watch" + std::to_string(s) + ".png"));
        ASSERT_GT(shot.width, 0) << "no picture at " << s;
        double const white = shot.Share(White);
        if (disc < 0 && white > 0.99)
            disc = s;
        if (disc >= 0 && village < 0 && shot.Share(Sky) > 0.2 && shot.Share(CaveWall) < 0.1)
            village = s;
    }
    EXPECT_GE(disc, 0) << "the white disc never covered the screen";
    EXPECT_GT(village, disc) << "the closing village never showed";
    // The key held from the den does not act in the village: let go, it does not choose the menu's
    // "Resume", whose light panel stays over the village's earth.
    Shot const before(fight.data / "village.png");
    Shot const menu(fight.data / "menu.png");
    ASSERT_GT(menu.width, 0);
    EXPECT_GT(menu.Sum(200.0, 150.0), before.Sum(200.0, 150.0) + 60) << "the menu closed";
}

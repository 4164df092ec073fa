// The game program itself, run headless with scripted input from the title through the map into the master's
// world, once on a first visit (the house) and once after it (the dungeon), and out by the menu.
#include "killig/Kilig.h"
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

namespace
{

// The dungeon's dark back wall and its grey-brown stone.
bool DungeonWall(std::array<int, 3> c)
{
    return c[0] < 80 && c[1] < 80 && c[2] < 85 && c[2] >= c[1];
}
bool DungeonStone(std::array<int, 3> c)
{
    return c[0] > 90 && c[0] < 140 && c[1] > 85 && c[1] < 135 && c[2] > 75 && c[2] < 125;
}
// The house's plastered walls and its boards.
bool HouseWall(std::array<int, 3> c)
{
    return c[0] > 160 && c[1] > 130 && c[1] < 185 && c[2] > 90 && c[2] < 140;
}

} // namespace

TEST(KiligProgram, EntersTheHouseOnAFirstVisitAndTheDungeonAfterItFromTheMap)
{
    GameEvents learnt;
    learnt[Event_TimeTravel] = GameEvent_HasHappened;
    learnt[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    GameRun house(Level_Kilig);
    GameRun dungeon(Level_Kilig, learnt);
    // Into the world, a picture 100 steps in, then out by the menu ("Leave level") and quit from the map.
    auto const visit = [](GameRun& game) { return game.Run(game.At(100, "shot level.png") + game.LeaveByMenu(110)); };
    int houseCode = -1;
    std::thread second([&] { houseCode = visit(house); });
    int const dungeonCode = visit(dungeon);
    second.join();

    EXPECT_EQ(0, houseCode) << house.log;
    EXPECT_EQ(std::string::npos, house.log.find("rror")) << house.log;
    EXPECT_GT(Shot(house.data / "level.png").Share(&HouseWall), 0.3) << "the house's walls fill the picture";
    EXPECT_EQ(0, dungeonCode) << dungeon.log;
    EXPECT_EQ(std::string::npos, dungeon.log.find("rror")) << dungeon.log;
    EXPECT_GT(Shot(dungeon.data / "level.png").Share(&DungeonWall), 0.2) << "the dungeon's back wall";
    EXPECT_GT(Shot(dungeon.data / "level.png").Share(&DungeonStone), 0.2) << "the first room's floor";

    // Left by the menu: nothing learnt on the first visit, nothing forgotten after it.
    GameEvents const first((house.data / "saves/save0").c_str());
    EXPECT_EQ(first[Kilig_Event_IntroSeen], GameEvent_HasntHappened);
    EXPECT_EQ(first[Event_TimeTravel], GameEvent_HasntHappened);
    GameEvents const later((dungeon.data / "saves/save0").c_str());
    EXPECT_EQ(later[Kilig_Event_IntroSeen], GameEvent_HasHappened);
    EXPECT_EQ(later[Event_TimeTravel], GameEvent_HasHappened);
}

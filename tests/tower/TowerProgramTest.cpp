// The game program itself, run headless from the title through the map into the tower: the whole
// tower is shown, and the giant walks left out of it by the second exit, back to the map, which
// opens nothing (only the main exit earns a path).
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <string>

TEST(TowerProgram, EntersTheTowerFromTheMapAndTheGiantWalksOutByTheSecondExit)
{
    GameEvents progress;
    progress[Event_TimeTravel] = GameEvent_HasHappened;
    GameRun game(Level_Tower, progress);

    // In the tower: a look at the whole tower, then left (Q) out of it; the map follows, where
    // Escape quits.
    std::string const script = game.At(30, "shot tower.png") + game.At(40, "key 0x51 down")
                               + game.At(400, "key 0x51 up") + game.At(700, "key 0x1B down");
    EXPECT_EQ(0, game.Run(script)) << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;
    EXPECT_GT(Shot(game.data / "tower.png").Colours(), 8u) << "a picture of the tower, not a cleared screen";
    GameEvents const saved((game.data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Path_FirstEvent + 6], GameEvent_HasntHappened) << "only the tower's main exit opens path 6";
}

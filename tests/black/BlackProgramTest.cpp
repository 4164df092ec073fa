// The game program itself, run headless from the title through the map into the Black mountains and
// out again by the menu.
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

TEST(BlackProgram, TheMapOpensTheMountainsUnderTheirNightSkyAndTheMenuLeavesThem)
{
    GameRun game(Level_Black);
    // In the level: a screenshot, then out by the menu.
    EXPECT_EQ(0, game.Run(game.At(100, "shot level.png") + game.LeaveByMenu(110))) << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;

    // The mountains' night sky over the screen's top middle, the road's stone along its bottom.
    Shot const shot(game.data / "level.png");
    ASSERT_GT(shot.width, 0) << "no screenshot";
    Shot::Colour const sky = shot.Pixel(shot.width / 2, shot.height / 8);
    EXPECT_LT(sky[0] + sky[1], 200) << "a night sky";
    EXPECT_GT(sky[2], sky[1]) << "a night sky";
    Shot::Colour const road = shot.Pixel(shot.width / 2, shot.height - 10);
    EXPECT_NEAR(road[0], road[2], 30) << "grey stone";
    EXPECT_GT(road[0] + road[1] + road[2], 200) << "grey stone";
    if (char const* keep = std::getenv("HM_BLACK_SHOT"))
        std::filesystem::copy_file(game.data / "level.png", keep, std::filesystem::copy_options::overwrite_existing);

    GameEvents const saved((game.data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Path_FirstEvent + 7], GameEvent_HasntHappened) << "left, not completed";
}

// The game program itself, run headless with scripted input from the title through the map into the
// canyon.
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <string>

TEST(ChasmProgram, EntersTheCanyonFromTheMapAndPlaysIt)
{
    GameRun game(Level_Chasm);
    std::string const script = game.At(150, "shot start.png") + game.At(160, "key 0x57 down")
                               + game.At(460, "shot road.png") + game.At(615, "key 0x57 up")
                               + game.At(700, "shot gap.png") + game.At(710, "close");
    EXPECT_EQ(game.Run(script), 0) << game.log;
    EXPECT_EQ(game.log.find("rror"), std::string::npos) << game.log;
    for (char const* name : {"start.png", "road.png", "gap.png"})
        EXPECT_GT(Shot(game.data / name).Colours(), 20u) << name << ": a picture of the canyon, not a cleared screen";
    // Pixels of the warm sky over the canyon.
    auto const canyon = [](Shot::Colour c) { return c[0] > 190 && c[1] > 120 && c[1] < 200 && c[2] < 150; };
    EXPECT_GT(Shot(game.data / "start.png").Count(canyon), 20000) << "the canyon's sky behind the start";
    EXPECT_NE(Shot(game.data / "start.png").rgb, Shot(game.data / "road.png").rgb) << "the walk went down the road";
}

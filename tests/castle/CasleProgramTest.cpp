// The game program itself, run headless with scripted input: from the title through the map into the
// castle, where the owner stands in his hall, and closed there.
#include "castle/Casle_Ids.h"
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

TEST(CasleProgram, TheMapOpensTheCastleWhereTheOwnerStandsInHisHall)
{
    GameEvents progress;
    progress[1] = GameEvent_HasHappened;
    progress.gems = 7;
    GameRun game(Level_Casle, progress);
    // In the hall, a little way right towards the owner, then a picture and the end.
    EXPECT_EQ(0, game.Run(game.At(20, "key 0x57 down") + game.At(40, "key 0x57 up") + game.At(200, "shot hall.png")
                          + game.At(210, "close")))
        << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;
    Shot const hall(game.data / "hall.png");
    EXPECT_GT(hall.Colours(), 8u) << "a picture, not a cleared screen";
    // Pixels of the owner's robe, a strong red.
    auto const robe = [](Shot::Colour c) { return c[0] > 140 && c[1] < 60 && c[2] < 70; };
    EXPECT_GT(hall.Count(robe), 40) << "the owner in his red robe";
    if (char const* keep = std::getenv("HM_KEEP_SHOT"))
        std::filesystem::copy_file(game.data / "hall.png", keep, std::filesystem::copy_options::overwrite_existing);
}

// The game program itself, run headless with scripted input, from the title through the map into the
// riddle-giver's house, where the player walks up to the riddle-giver and is greeted, then leaves by
// the menu.
#include "engine/GameEvents.h"
#include "petra/Petra_Events.h"
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <string>

TEST(PetraProgram, EntersTheHouseFromTheMapGreetsThePlayerAndLeavesByTheMenu)
{
    GameRun game(Level_Petra);
    // In the house: a look at the room, a walk right (W) to the riddle-giver, the action key (P) to
    // talk, a look at the greeting, then out by the menu.
    std::string const script = game.At(100, "shot room.png") + game.At(110, "key 0x57 down")
                               + game.At(165, "key 0x57 up") + game.At(230, "key 0x50 down")
                               + game.At(234, "key 0x50 up") + game.At(300, "shot greeting.png")
                               + game.LeaveByMenu(310);
    EXPECT_EQ(game.Run(script), 0) << game.log;
    EXPECT_EQ(game.log.find("rror"), std::string::npos) << game.log;

    // The riddle-giver's room: its wallpaper fills the view, the riddle-giver in its purple robe
    // stands on the floor; in the greeting its speech bubble covers much of the screen.
    Shot const room(game.data / "room.png"), greeting(game.data / "greeting.png");
    auto const wallpaper = [](Shot::Colour c) { return c[0] > 225 && c[1] > 215 && c[2] > 180 && c[2] < 200; };
    auto const robe = [](Shot::Colour c) { return c[0] > 80 && c[0] < 130 && c[1] < 60 && c[2] > 110 && c[2] < 160; };
    auto const bubble = [](Shot::Colour c) { return c[0] > 250 && c[1] > 250 && c[2] > 235 && c[2] < 250; };
    EXPECT_GT(room.Count(wallpaper), 640 * 480 / 4) << "the riddle-giver's room";
    EXPECT_GT(room.Count(robe), 10) << "the riddle-giver";
    EXPECT_GT(greeting.Count(bubble), 640 * 480 / 20) << "the greeting's bubble";

    // The map saved the slot after the level: the greeting was cut short, so the riddle-giver
    // has not yet been met, and the level was left, not completed.
    GameEvents const saved((game.data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Event_MetPetra], GameEvent_HasntHappened);
    EXPECT_EQ(saved.gems, 0);
}

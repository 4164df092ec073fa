// The game program itself, run headless with scripted input from the title through the map into the
// village: the street at the start and at the standing gate a walk to the right comes up against,
// each drawn all over.
#include "support/GameRun.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

namespace
{

// The colour the window is cleared to: wherever it shows, nothing was drawn.
bool BareClear(std::array<int, 3> c)
{
    return c[0] < 8 && c[1] < 8 && c[2] > 190 && c[2] < 215;
}

// The daylight of the sky over the street.
bool Sky(std::array<int, 3> c)
{
    return c[2] > 180 && c[2] > c[0] + 40;
}

} // namespace

TEST(TreeVProgram, EntersTheVillageFromTheMapAndDrawsTheStreetAndTheGateAllOver)
{
    GameEvents learnt;
    learnt[Event_TimeTravel] = GameEvent_HasHappened;
    GameRun game(Level_TreeV, learnt);
    // X walks right (the hints name the second set of keys); after 300 steps the player has long
    // reached the gate, which he cannot pass without shooting it down.
    std::string const script = game.At(100, "shot start.png") + game.At(110, "key 0x58 down")
                               + game.At(410, "shot gate.png") + game.At(412, "key 0x58 up") + game.LeaveByMenu(420);
    EXPECT_EQ(0, game.Run(script)) << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;

    Shot const start(game.data / "start.png");
    Shot const gate(game.data / "gate.png");
    ASSERT_GT(start.width, 0);
    ASSERT_GT(gate.width, 0);
    EXPECT_EQ(start.Count(&BareClear), 0);
    EXPECT_EQ(gate.Count(&BareClear), 0);
    EXPECT_GT(start.Share(&Sky), 0.1) << "the sky over the street";
    EXPECT_GT(gate.Share(&Sky), 0.1) << "the sky over the gate";
}

TEST(TreeVProgram, TheKeyThatChoseTheVillageHeldIntoItDoesNotShootTheGate)
{
    // The act key that chose the village held on for 40 steps of it, against one let go on the
    // map: released, it would shoot the gate's switch, the nearest target, and the gate would lie
    // over the ditch. A walk right brings the gate into view; both runs draw the same picture there.
    GameRun held(Level_TreeV);
    GameRun tapped(Level_TreeV);
    std::string const enter = "800 key 0x0D down\n805 key 0x0D up\n900 key 0x50 down\n";
    std::string const walk = held.At(60, "key 0x58 down") + held.At(460, "shot gate.png") + held.At(462, "close");
    std::thread other([&] { EXPECT_EQ(0, tapped.Run(walk)) << tapped.log; });
    EXPECT_EQ(0, GameRun::RunIn(held.data, held.Scripted("script", enter + held.At(40, "key 0x50 up") + walk),
                                &held.log))
        << held.log;
    other.join();
    Shot const heldGate(held.data / "gate.png");
    ASSERT_GT(heldGate.width, 0);
    EXPECT_TRUE(heldGate.rgb == Shot(tapped.data / "gate.png").rgb) << "the gate stands";
}

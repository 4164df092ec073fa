// The shmoo: its hop cycle from its phase, the take-off sound, a hop of no height, where it hurts.
#include "creatures/Shmoo.h"

#include "platform/Audio.h"
#include "support/SmallMap.h"
#include "support/TestAudio.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

constexpr unsigned int Ground = 1; // above the floor; the shmoo settles onto it
constexpr unsigned int Top = 2;    // 80 above the floor
constexpr unsigned int Level = 3;  // level with the floor
constexpr unsigned int High = 4;   // 600 above the floor: no ground within reach

std::unique_ptr<Map> ShmooMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(Ground, 0.0, 50.0);
    writer.AddRefPoint(Top, 0.0, 80.0);
    writer.AddRefPoint(Level, 0.0, 0.0);
    writer.AddRefPoint(High, 0.0, 600.0);
    return ReadSmallMap(writer);
}

// A shmoo whose hop leaves the ground after the given cycle tick: its phase comes from its own
// hash, so shmoos are built until one has it.
std::unique_ptr<Shmoo> ShmooWithPhase(Map const* map, int phase, unsigned int top)
{
    for (int i = 0; i < 20000; i++)
    {
        auto shmoo = std::make_unique<Shmoo>(map, Ground, top, 2);
        if (shmoo->Phase() == phase)
            return shmoo;
    }
    ADD_FAILURE() << "no shmoo with phase " << phase;
    return std::make_unique<Shmoo>(map, Ground, top, 2);
}

} // namespace

TEST(Shmoo, RestsAtItsPhaseAndHopsOverTheCycleEndUnbroken)
{
    std::unique_ptr<Map> map = ShmooMap();
    std::unique_ptr<Shmoo> shmoo = ShmooWithPhase(map.get(), 200, Top);
    EXPECT_EQ(shmoo->GetGround(), Pointf(0.0, 0.0));

    // Airborne for ticks 201 to 249 and 0 to 49 of each cycle, as one hop.
    std::vector<Tick> airborne;
    double highest = 0.0;
    for (Tick t = 300; t < 700; t++)
    {
        int up = -1;
        Pointf const at = shmoo->PositionAtTime(t, &up, false);
        if (up == 1)
            airborne.push_back(t);
        else
            EXPECT_EQ(at, shmoo->GetGround()) << "tick " << t;
        highest = std::max(highest, at.y);
    }
    ASSERT_EQ(airborne.size(), 99u);
    EXPECT_EQ(airborne.front(), 451);
    EXPECT_EQ(airborne.back(), 549);
    for (std::size_t i = 1; i < airborne.size(); i++)
        ASSERT_EQ(airborne[i], airborne[i - 1] + 1) << "the hop is broken at " << airborne[i];
    EXPECT_DOUBLE_EQ(highest, 80.0);
    EXPECT_DOUBLE_EQ(shmoo->PositionAtTime(500, nullptr, false).y, 80.0) << "the top at the cycle's end";

    // Several steps run between frames: the step asks for the take-off sound, at rest on the
    // take-off tick, and only while alive.
    TestFolder dir(true);
    TestAudio::WriteSounds(".", {"boing"});
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Game_Sounds sounds;
    gameSounds = &sounds;
    auto heard = [&](Tick from, Tick to) {
        std::vector<Tick> ticks;
        for (Tick t = from; t < to; t++)
        {
            shmoo->MoveToTime(map.get(), t);
            if (TestAudio::ChannelOf("sounds/boing.wav") >= 0)
                ticks.push_back(t);
            sounds.Stop(Sound_Boing);
        }
        return ticks;
    };
    EXPECT_EQ(heard(0, 600), (std::vector<Tick>{200, 450}));
    shmoo->Hit(300, 2, 0);
    EXPECT_EQ(heard(0, 600), (std::vector<Tick>{200}));
    gameSounds = nullptr;
    Audio::Close();
}

TEST(Shmoo, AHopOfNoHeightChangesOnlyItsSpriteAndNoGroundLeavesItUpright)
{
    std::unique_ptr<Map> map = ShmooMap();
    Shmoo flat(map.get(), Ground, Level, 1);
    int up = 0;
    int ups = 0;
    for (Tick t = 0; t < 250; t++)
    {
        EXPECT_EQ(flat.PositionAtTime(t, &up, false), Pointf(0.0, 0.0)) << "tick " << t;
        ups += up;
    }
    EXPECT_EQ(ups, 99);

    Shmoo floating(map.get(), High, High, 1);
    EXPECT_EQ(floating.GetGround(), Pointf(0.0, 600.0));
    EXPECT_EQ(floating.GetGroundAngle(), 0.0);
}

TEST(Shmoo, HurtsFromItsCentreInTheAirAndFromItsFeetAtRest)
{
    std::unique_ptr<Map> map = ShmooMap();
    std::unique_ptr<Shmoo> shmoo = ShmooWithPhase(map.get(), 100, Top);
    Tick const rest = 100;
    Tick const top = 150; // the middle of the hop

    Pointf const feet(0.0, 0.0);
    Pointf const justAbove(0.0, 11.1);
    Pointf const outOfReach(5.6, 5.6);
    Pointf const inTheAir(0.0, 80.0);
    EXPECT_EQ(shmoo->IsPlayerHit(rest, &feet), 1);
    EXPECT_EQ(shmoo->IsPlayerHit(rest, &justAbove), 1);
    EXPECT_EQ(shmoo->IsPlayerHit(rest, &outOfReach), 0);
    EXPECT_EQ(shmoo->IsPlayerHit(top, &feet), 0);
    EXPECT_EQ(shmoo->IsPlayerHit(top, &inTheAir), 1);

    Pointf aim;
    EXPECT_TRUE(shmoo->GetTargetPos(map.get(), top, aim));
    EXPECT_EQ(aim, inTheAir);
    shmoo->Hit(200, 1, 0);
    shmoo->Hit(210, 1, 0);
    EXPECT_FALSE(shmoo->GetTargetPos(map.get(), 210, aim));
    EXPECT_EQ(shmoo->IsPlayerHit(top + 250, &inTheAir), 0);
    EXPECT_EQ(shmoo->IsPlayerHit(top, &inTheAir), 1) << "alive again before its death";
}

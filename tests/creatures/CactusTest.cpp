// The cactus: its trigger's reach, hop sequences that never overlap and end at home, the hop sound.
#include "creatures/Cactus.h"

#include "platform/Audio.h"
#include "support/SmallMap.h"
#include "support/TestAudio.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

constexpr unsigned int Home = 1;
constexpr int Hops = 2;
constexpr int Sequence = Hops * 104;

std::unique_ptr<Map> CactusMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(Home, 0.0, 0.0);
    return ReadSmallMap(writer);
}

int FrameAt(Cactus const& cactus, Tick t)
{
    int frame = -1;
    cactus.PositionAtTime(t, &frame, nullptr, false);
    return frame;
}

} // namespace

TEST(Cactus, TriggersUpTo250LeftOrLevelAndNeverRight)
{
    std::unique_ptr<Map> map = CactusMap();
    double const eps = 1e-7; // within the tolerance
    struct Case
    {
        double x;
        bool triggers;
    };
    for (Case const c : {Case{-250.0, true}, Case{-250.0 - eps, true}, Case{-250.01, false}, Case{0.0, true},
                         Case{eps, true}, Case{0.01, false}})
    {
        Cactus cactus(map.get(), Home, Hops, 1);
        Pointf const player(c.x, 500.0); // the player's height does not matter
        cactus.PlayerAtPos(100, &player);
        EXPECT_EQ(FrameAt(cactus, 100) != 0, c.triggers) << "player at " << c.x;
    }
}

TEST(Cactus, HopsOutAndHomeAndIgnoresTriggersThatWouldOverlap)
{
    std::unique_ptr<Map> map = CactusMap();
    Cactus cactus(map.get(), Home, Hops, 3);
    Pointf const near(-100.0, 0.0);
    // Triggered in the step that showed it at rest, it shows its squat at once, as that tick
    // will show whenever it is visited again.
    cactus.MoveToTime(map.get(), 1000);
    cactus.PlayerAtPos(1000, &near);
    EXPECT_EQ(cactus.GetFrame(), 1);

    int frame = -1;
    bool left = false;
    // Each hop squats at its start, leaves the ground 20 below home and lands 39 further on.
    EXPECT_EQ(cactus.PositionAtTime(1015, &frame, &left, false), Pointf(0.0, 0.0));
    EXPECT_EQ(frame, 1);
    EXPECT_TRUE(left);
    EXPECT_EQ(cactus.PositionAtTime(1016, &frame, &left, false), Pointf(0.0, -20.0));
    EXPECT_EQ(frame, 2);
    EXPECT_EQ(cactus.PositionAtTime(1052, &frame, &left, false), Pointf(-39.0, 0.0));
    EXPECT_EQ(frame, 1);
    EXPECT_EQ(cactus.PositionAtTime(1104, &frame, &left, false), Pointf(-78.0, 0.0));
    EXPECT_FALSE(left) << "hopping back home";
    EXPECT_EQ(cactus.PositionAtTime(1000 + Sequence - 1, &frame, &left, false), Pointf(0.0, 0.0));
    EXPECT_EQ(frame, 4);
    EXPECT_EQ(cactus.PositionAtTime(1000 + Sequence, &frame, &left, false), Pointf(0.0, 0.0));
    EXPECT_EQ(frame, 0);
    EXPECT_TRUE(left);

    // A trigger or a hit while it hops starts nothing; the hit still counts.
    cactus.PlayerAtPos(1100, &near);
    cactus.Hit(1150, 1, 0);
    EXPECT_EQ(FrameAt(cactus, 1000 + Sequence + 10), 0);
    EXPECT_EQ(cactus.GetHitPoints(1150, 3), 2);

    // Back in time, a sequence that would run into the recorded one is refused; one that ends as it starts is not.
    cactus.PlayerAtPos(1000 - Sequence + 1, &near);
    EXPECT_EQ(FrameAt(cactus, 1000 - Sequence + 1), 0);
    cactus.Hit(1000 - Sequence, 1, 0);
    EXPECT_EQ(FrameAt(cactus, 1000 - Sequence), 1);
    EXPECT_EQ(FrameAt(cactus, 1000), 1);

    // It hurts around its body's centre, 48 above its feet, until it dies.
    cactus.MoveToTime(map.get(), 2000);
    Pointf const body(0.0, 48.0 + 47.9);
    EXPECT_EQ(cactus.IsPlayerHit(2000, &body), 1);
    cactus.Hit(2000, 1, 0);
    EXPECT_EQ(cactus.IsPlayerHit(2000, &body), 1) << "alive at its death tick";
    EXPECT_EQ(cactus.IsPlayerHit(2001, &body), 0);
    Pointf aim;
    EXPECT_FALSE(cactus.GetTargetPos(map.get(), 2001, aim));
    EXPECT_EQ(aim, Pointf(0.0, 48.0));
}

TEST(Cactus, AsksForOneHopSoundPerHopOnlyWhileAlive)
{
    TestFolder dir(true);
    TestAudio::WriteSounds(".", {"jump"});
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Game_Sounds sounds;
    gameSounds = &sounds;
    sounds.SetCentrePoint(Pointf(0.0, 0.0), 1.0);
    std::unique_ptr<Map> map = CactusMap();
    Cactus cactus(map.get(), Home, Hops, 1);

    auto heard = [&](Tick from, Tick to) {
        std::vector<Tick> ticks;
        for (Tick t = from; t < to; t++)
        {
            cactus.MoveToTime(map.get(), t);
            if (TestAudio::ChannelOf("sounds/jump.wav") >= 0)
                ticks.push_back(t);
            sounds.Stop(Cactus::Cactus_HopSound);
        }
        return ticks;
    };
    Pointf const near(-10.0, 0.0);
    cactus.PlayerAtPos(0, &near);
    EXPECT_EQ(heard(0, Sequence), (std::vector<Tick>{16, 68, 120, 172}));
    cactus.Hit(120, 1, 0);
    EXPECT_EQ(heard(0, Sequence), (std::vector<Tick>{16, 68}));
    sounds.mute = 1;
    EXPECT_TRUE(heard(0, Sequence).empty());

    gameSounds = nullptr;
    Audio::Close();
}

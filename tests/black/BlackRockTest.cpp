// Rock streams: the spacing of the rocks along their path, a path dropped straight down, the touch
// that hurts, the landing sound ahead of the landing, and streams that cannot be made.
#include "black/BlackTestSupport.h"
#include "black/Black_Rock.h"
#include "platform/Audio.h"
#include "support/TestAudio.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

class BlackRockTest : public BlackFixture
{
protected:
    // The first tick at which rock k of the stream stands at step i of the path.
    static Tick TickAtStep(Black_Rock const& stream, int k, int i)
    {
        int const n = stream.GetPath().Count();
        int const spacing = n / stream.GetCount();
        return ((i - spacing * k - stream.GetPhase()) % n + n) % n;
    }

    static Pointf At(Black_Rock const& stream, Tick t, int k)
    {
        Pointf p;
        EXPECT_TRUE(stream.GetPosAtTime(t, k, &p, nullptr));
        return p;
    }

    std::unique_ptr<Map> map = ReadSmallMap(BlackWriter());
};

} // namespace

TEST_F(BlackRockTest, RocksRunAtEqualSpacingAndTheLeftOverStepsWidenTheGapBackToTheFirst)
{
    std::srand(7);
    // Thrown in the open, where every step of the path is a different place.
    Black_Rock five(map.get(), BlackMap_Open, -0.3, 2.5, 1380, 5);
    for (Tick t : {0, 1379, 4000})
        for (int k = 1; k < 5; ++k)
            EXPECT_EQ(At(five, t, k), At(five, t + 276 * k, 0)) << "rock " << k << " tick " << t;
    EXPECT_NE(At(five, 10, 1), At(five, 10 + 275, 0));

    Black_Rock four(map.get(), BlackMap_Open, -0.5, 2.2, 1214, 4);
    for (Tick t : {0, 700, 1213})
    {
        EXPECT_EQ(At(four, t, 3), At(four, t + 909, 0));
        EXPECT_EQ(At(four, t + 305, 3), At(four, t, 0)) << "rock 0 follows rock 3 by 305";
    }
    // The phase is the stream's own, from the C library's sequence.
    std::srand(7);
    Black_Rock again(map.get(), BlackMap_Open, -0.3, 2.5, 1380, 5);
    EXPECT_EQ(again.GetPhase(), five.GetPhase());
}

TEST_F(BlackRockTest, AStreamOfNoSpeedDropsStraightDownTurningLeftAndHurtsOnlyStrictlyWithinReach)
{
    Black_Rock stream(map.get(), BlackMap_High, 0.0, 0.0, 400, 1);
    FlatList<Pointf> const& path = stream.GetPath();
    EXPECT_EQ(path[0], Pointf(100.0, 300.0));
    EXPECT_NEAR(path[10].y, 300.0 - 0.05 * 55, 1e-9);
    bool landed = false;
    for (int i = 0; i < path.Count(); ++i)
    {
        ASSERT_NEAR(path[i].x, 100.0, 1e-6) << "step " << i;
        ASSERT_GE(path[i].y, -1e-6) << "step " << i;
        landed = landed || path[i].y < 0.5;
        double angle = 0.0;
        stream.GetPosAtTime(TickAtStep(stream, 0, i), 0, nullptr, &angle);
        ASSERT_NEAR(angle, -0.1 * i, 1e-4) << "step " << i;
    }
    EXPECT_TRUE(landed);

    Tick const t = TickAtStep(stream, 0, 0);
    Pointf const near[] = {{112.0, 311.9}, {88.0, 288.1}, {100.0, 323.99}};
    Pointf const far[] = {{112.0, 312.0}, {88.0, 288.0}, {76.0, 300.0}};
    for (Pointf const& p : near)
        EXPECT_EQ(stream.IsPlayerHit(t, &p), 1) << p.x << ", " << p.y;
    for (Pointf const& p : far)
        EXPECT_EQ(stream.IsPlayerHit(t, &p), 0) << p.x << ", " << p.y;
}

TEST_F(BlackRockTest, ALandingIsHeardFourTicksBeforeTheRockReachesTheGround)
{
    TestAudio::WriteWav(Game_Sounds::FileName(Sound_BoulderLand));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Black_Rock stream(map.get(), BlackMap_High, 0.0, 0.0, 400, 1);
    int landing = 0;
    while (stream.GetPath()[landing].y > 1e-6) // on the floor itself
        ++landing;
    Tick const t = TickAtStep(stream, 0, landing);
    sounds.SetCentrePoint(stream.GetPath()[landing], 1.0);
    auto heard = [&](Tick at) {
        stream.MoveToTime(map.get(), at);
        bool const playing = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_BoulderLand)) >= 0;
        sounds.Stop(Sound_BoulderLand);
        return playing;
    };
    EXPECT_FALSE(heard(t - 5));
    EXPECT_TRUE(heard(t - 4));
    EXPECT_FALSE(heard(t - 3));
    EXPECT_FALSE(heard(t));
    EXPECT_TRUE(heard(t - 4 + 400)) << "the next time round";
}

TEST_F(BlackRockTest, AStreamWithoutRocksOrStepsIsRefused)
{
    for (std::pair<int, int> const& stream :
         {std::pair{1380, 0}, std::pair{0, 5}, std::pair{-3, 2}, std::pair{100, -1}})
    {
        int const steps = stream.first;
        int const rocks = stream.second;
        Error const e = ThrownError([&] { Black_Rock(map.get(), BlackMap_High, 0.0, 1.0, steps, rocks); });
        EXPECT_EQ(e.Code(), Error_ParseFile) << steps << " steps, " << rocks << " rocks";
        EXPECT_NE(std::string(e.Text()).find("test/map"), std::string::npos) << e.Text();
    }
    Black_Rock one(map.get(), BlackMap_High, 0.0, 1.0, 1, 3);
    EXPECT_EQ(At(one, 12345, 2), map->GetRefPoint(BlackMap_High));
}

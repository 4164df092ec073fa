// The fireball: its flight worked out against the map, where it is in each period, its warning, its
// hit, the way it faces and its drawing.
#include "chasm/ChasmTestSupport.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/TestAudio.h"

#include <gtest/gtest.h>

#include <filesystem>

class ChasmFireBallTest : public ChasmFixture
{
protected:
    std::unique_ptr<Map> map = ReadSmallMap(ChamberWriter());
};

TEST_F(ChasmFireBallTest, ItFliesItsBouncingPathOncePerPeriodAndIsGoneBetween)
{
    Chasm_FireBall ball(map.get(), ChasmChamber_Floor, 0.3, 7.0, 79, 200, 0);
    FlatList<Pointf> const& path = ball.GetPath();
    ASSERT_EQ(path.Count(), 79);
    EXPECT_EQ(path[0], map->GetRefPoint(ChasmChamber_Floor));
    // Up at 7 a tick, pulled down 0.2 a tick each tick, and back off the chamber's floor.
    EXPECT_NEAR(path[1].x - path[0].x, 2.0686, 1e-4);
    EXPECT_NEAR(path[1].y - path[0].y, 6.4874, 1e-4);
    bool rose = false;
    for (int i = 1; i < path.Count(); ++i)
    {
        EXPECT_GE(path[i].y, 400.0) << "inside the chamber's floor at " << i;
        EXPECT_LE(path[i].y, 700.0) << "inside its ceiling at " << i;
        rose = rose || (i > 1 && path[i].y > path[i - 1].y && path[i - 1].y < path[i - 2].y);
    }
    EXPECT_TRUE(rose) << "never bounced";

    Pointf at;
    for (Tick t : {0, 200, 400})
    {
        ASSERT_TRUE(ball.GetPosAtTime(t, &at)) << "tick " << t;
        EXPECT_EQ(at, path[0]);
    }
    ASSERT_TRUE(ball.GetPosAtTime(78, &at));
    EXPECT_EQ(at, path[78]);
    EXPECT_TRUE(ball.GetPosAtTime(278, nullptr));
    for (Tick t : {79, 150, 199, 279})
        EXPECT_FALSE(ball.GetPosAtTime(t, &at)) << "tick " << t;

    // Before its cycle begins it is nowhere.
    Chasm_FireBall late(map.get(), ChasmChamber_Floor, 0.3, 7.0, 79, 200, 10);
    EXPECT_TRUE(late.GetPosAtTime(-10, nullptr));
    EXPECT_LT(late.GetFrame(-11), 0);
    EXPECT_FALSE(late.GetPosAtTime(-11, nullptr));
    EXPECT_FALSE(late.GetPosAtTime(-200, nullptr));
    EXPECT_EQ(late.IsPlayerHit(-11, &path[0]), 0);
}

TEST_F(ChasmFireBallTest, ItHurtsOnlyStrictlyNearerThanEighteenWhileInFlight)
{
    Chasm_FireBall ball(map.get(), ChasmChamber_Middle, 1.0, 3.0, 10, 20, 0);
    Pointf const at = ball.GetPath()[0];
    Pointf const probes[] = {Pointf(at.x + 18.0, at.y), Pointf(at.x - 9.0, at.y + 9.0), Pointf(at.x, at.y - 17.99),
                             Pointf(at.x + 8.99, at.y - 9.0)};
    int const hurts[] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ball.IsPlayerHit(0, &probes[i]), hurts[i]) << "probe " << i;
    EXPECT_EQ(ball.IsPlayerHit(40, &at), 1) << "the next flight";
    EXPECT_EQ(ball.IsPlayerHit(15, &at), 0) << "between flights";
    EXPECT_EQ(ball.IsPlayerHit(15, &ball.GetPath()[9]), 0);
}

TEST_F(ChasmFireBallTest, ItWarnsAtItsLaunchPoint35TicksBeforeEachLaunchUnlessMuted)
{
    TestAudio::WriteWav(Game_Sounds::FileName(Sound_Squish));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Chasm_FireBall ball(map.get(), ChasmChamber_Floor, 0.3, 7.0, 79, 200, 0);
    auto heard = [&](Tick t) {
        ball.MoveToTime(map.get(), t);
        bool const playing = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_Squish)) >= 0;
        sounds.Stop(Sound_Squish);
        return playing;
    };
    sounds.SetCentrePoint(ball.GetPath()[0], 1.0);
    for (Tick t : {0, 164, 165, 166, 200, 365, -35})
        EXPECT_EQ(heard(t), t == 165 || t == 365) << "tick " << t;
    sounds.mute = 1;
    EXPECT_FALSE(heard(165)) << "while time travel moves the clock";
    sounds.mute = 0;
    // Heard only near its launch point.
    sounds.SetCentrePoint(Pointf(ball.GetPath()[0].x + 800.0, ball.GetPath()[0].y), 1.0);
    EXPECT_FALSE(heard(365));
}

TEST_F(ChasmFireBallTest, ItFacesAlongItsPathFromTheFirstTickOfEachFlight)
{
    // Longer than its period: always in flight, back at its launch point every 200 ticks.
    Chasm_FireBall ball(map.get(), ChasmChamber_Corner, 0.8, 6.0, 250, 200, 0);
    FlatList<Pointf> const& path = ball.GetPath();
    Pointf at;
    for (Tick t = 0; t < 600; t += 7)
        EXPECT_TRUE(ball.GetPosAtTime(t, nullptr)) << "tick " << t;
    ASSERT_TRUE(ball.GetPosAtTime(199, &at));
    EXPECT_EQ(at, path[199]);
    ASSERT_TRUE(ball.GetPosAtTime(200, &at));
    EXPECT_EQ(at, path[0]);

    double const launch = path[0].Angle(&path[1]);
    EXPECT_NEAR(launch, 0.8, 0.05) << "leaves the way it was thrown";
    for (Tick t : {0, 200, 400})
        EXPECT_DOUBLE_EQ(ball.HeadingAt(t), launch) << "tick " << t;
    EXPECT_DOUBLE_EQ(ball.HeadingAt(201), launch);
    EXPECT_DOUBLE_EQ(ball.HeadingAt(150), path[149].Angle(&path[150]));

    // A flight of a single point has no way to face: it stays upright.
    Chasm_FireBall still(map.get(), ChasmChamber_Corner, 0.8, 6.0, 1, 5, 0);
    EXPECT_EQ(still.HeadingAt(0), 0.0);
    EXPECT_EQ(still.HeadingAt(5), 0.0);
}

TEST_F(ChasmFireBallTest, DrawnCentredTwentyFourUnitsAcrossOnlyWhileInFlight)
{
    // A frame missing fails part-way; what was loaded is freed, and the frames load again.
    std::filesystem::rename("gfx/chasm/fireball/fireball02.png", "gfx/chasm/fireball/kept.png");
    EXPECT_THROW(Chasm_FireBall::Initialise(), Error);
    Chasm_FireBall::Finalise();
    std::filesystem::rename("gfx/chasm/fireball/kept.png", "gfx/chasm/fireball/fireball02.png");
    Chasm_FireBall::Initialise();
    // Seen at scale 1 with the chamber's middle at the screen's centre.
    map->view.x = 450.0 - 320.0;
    map->view.y = 550.0 - 240.0;
    // Always in flight, standing still in the middle; the frames take turns every 4 ticks.
    Chasm_FireBall ball(map.get(), ChasmChamber_Middle, 0.0, 0.0, 1, 1, 0);
    Tick const ticks[] = {0, 3, 4, 8, 12};
    int const frames[] = {0, 0, 1, 2, 0};
    for (int i = 0; i < 5; ++i)
    {
        ClearScreen();
        ball.Render(map.get(), ticks[i]);
        std::array<int, 3> const colour = Colour(ChasmPicture_FireBall[frames[i]]);
        EXPECT_EQ(Pixel(320, 240), colour) << "tick " << ticks[i];
        EXPECT_EQ(Pixel(309, 229), colour);
        EXPECT_EQ(Pixel(330, 250), colour);
        EXPECT_TRUE(IsBlack(306, 240));
        EXPECT_TRUE(IsBlack(320, 254));
    }
    Chasm_FireBall gone(map.get(), ChasmChamber_Middle, 0.0, 0.0, 1, 20, 0);
    ClearScreen();
    gone.Render(map.get(), 7);
    EXPECT_TRUE(IsBlack(320, 240)) << "between flights";
    Chasm_FireBall::Finalise();
}

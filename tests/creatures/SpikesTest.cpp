// Spikes and spike balls: the rows' cycle and its sound, drawn and large phases, the rectangle that
// hurts, the scale, and the balls' diamond reach.
#include "creatures/CreatureTestSupport.h"
#include "support/TestAudio.h"
#include "tools/creatures/CreatureSizes.h"

#include <cstdlib>

namespace
{

// Whether the spikes' rise sound starts while asking for the row at t.
bool SoundAsked(Spikes const& row, Tick t)
{
    row.PositionAtTime(t, true);
    bool const heard = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_Spike)) >= 0;
    gameSounds->Stop(Sound_Spike);
    return heard;
}

} // namespace

class SpikesTest : public CreatureTestSupport
{
};

TEST_F(SpikesTest, RowsRiseOnTheirCycleWithTheSoundAtTheFirstRisingTick)
{
    std::filesystem::create_directories("sounds");
    TestAudio::WriteWav(Game_Sounds::FileName(Sound_Spike));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Creature_World& w = MakeWorld({CreatureZone_Spikes});
    Spikes const& row = *w.spikes[0];
    Pointf const base = w.Ref(CreatureZone_Spikes, SpikesRef_Row);
    sounds.SetCentrePoint(base, 1.0);
    double const h = CreatureSize_Spike.height * 0.5;
    ASSERT_DOUBLE_EQ(row.SpikeHeight(), h);

    EXPECT_DOUBLE_EQ(row.PositionAtTime(199, false).y, base.y - h);
    EXPECT_DOUBLE_EQ(row.PositionAtTime(200, false).y, base.y - h) << "the first rising tick is still sunk";
    EXPECT_DOUBLE_EQ(row.PositionAtTime(201, false).y, base.y - h / 2.0);
    EXPECT_DOUBLE_EQ(row.PositionAtTime(230, false).y, base.y);
    EXPECT_DOUBLE_EQ(row.PositionAtTime(269, false).y, base.y - 29.0 * h / 30.0);
    EXPECT_DOUBLE_EQ(row.PositionAtTime(270, false).y, base.y - h);
    EXPECT_DOUBLE_EQ(row.PositionAtTime(-68, false).y, base.y - h / 4.0) << "before 0 the cycle goes on";

    EXPECT_TRUE(SoundAsked(row, 200));
    EXPECT_TRUE(SoundAsked(row, 470));
    for (Tick t : {199, 201})
        EXPECT_FALSE(SoundAsked(row, t)) << "tick " << t;
    row.PositionAtTime(200, false);
    EXPECT_LT(TestAudio::ChannelOf(Game_Sounds::FileName(Sound_Spike)), 0) << "not asked when not wanted";

    // The drawn phase is the first draw after the seed; phases of a cycle or more wrap.
    std::srand(Fixed_Seed);
    EXPECT_EQ(w.spikes[1]->GetPhase(), std::rand() % Spikes::Spikes_CycleTime);
    Spikes late(w.GetMap(), CreatureWorld_Ref(CreatureZone_Spikes, SpikesRef_Row), 270 + 5, 1);
    for (Tick t = 0; t < 300; t += 7)
        ASSERT_EQ(late.PositionAtTime(t, false), row.PositionAtTime(t + 5, false)) << "tick " << t;

    // Scaled by 2 a spike is its picture's size; the activity scale follows.
    Spikes const& big = *w.spikes[2];
    EXPECT_DOUBLE_EQ(big.SpikeWidth(), CreatureSize_Spike.width);
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    ASSERT_TRUE(big.ActivePoint(centre, radius, scale));
    EXPECT_DOUBLE_EQ(scale, 1.0);
    EXPECT_DOUBLE_EQ(radius, (Spikes_RowCount + 10) * double(CreatureSize_Spike.height));
    late.SetScale(0.0625);
    EXPECT_DOUBLE_EQ(late.GetScale(), 0.03125);
}

TEST_F(SpikesTest, ARaisedRowHurtsStrictlyInsideAndASunkOneNoOneOnTheFloor)
{
    Creature_World& w = MakeWorld({CreatureZone_Spikes});
    Spikes& row = *w.spikes[0];
    Pointf const base = w.Ref(CreatureZone_Spikes, SpikesRef_Row);
    double const width = Spikes_RowCount * row.SpikeWidth();
    double const h = row.SpikeHeight();

    row.MoveToTime(w.GetMap(), 230);
    auto hurts = [&](double x, double y) {
        Pointf const p(base.x + x, base.y + y);
        return row.IsPlayerHit(230, &p);
    };
    EXPECT_EQ(hurts(width / 2, h / 2), 1);
    EXPECT_EQ(hurts(1.0, -base.y), 1) << "standing on the floor over a raised row";
    EXPECT_EQ(hurts(width / 2, h), 0) << "the top edge";
    EXPECT_EQ(hurts(0.0, h / 2), 0) << "the left edge";
    EXPECT_EQ(hurts(width, h / 2), 0) << "the right edge";
    EXPECT_EQ(hurts(width / 2, 0.0), 0) << "the bottom edge";
    EXPECT_EQ(hurts(width / 2, h - 1e-8), 0) << "within the tolerance of the top";

    for (Tick t : {0, 199, 200})
    {
        row.MoveToTime(w.GetMap(), t);
        for (double x = 0.5; x < width; x += 4.0)
        {
            Pointf const onFloor(base.x + x, 0.0);
            ASSERT_EQ(row.IsPlayerHit(t, &onFloor), 0) << "tick " << t << " x " << x;
        }
    }
}

TEST_F(SpikesTest, BallsFollowTheirPathsDrawOnceAndReachADiamond)
{
    Creature_World& w = MakeWorld({CreatureZone_Spikes});
    SpikeBall& still = *w.spikeBalls[0];
    SpikeBall const& swinging = *w.spikeBalls[1];
    Pointf const at = w.Ref(CreatureZone_Spikes, SpikesRef_StillBall);
    Pointf const swing = w.Ref(CreatureZone_Spikes, SpikesRef_SwingBall);
    Path_Sine const path(swing, Spikes_SwingAmplitude, Spikes_SwingSpeed, true, false, 0);
    for (Tick t = 0; t < 400; t += 13)
    {
        ASSERT_EQ(still.PositionAtTime(t), at);
        ASSERT_EQ(swinging.PositionAtTime(t), path.PositionAtTime(t).pos) << "tick " << t;
    }
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    ASSERT_TRUE(swinging.ActivePoint(centre, radius, scale));
    EXPECT_EQ(centre, swing);
    EXPECT_DOUBLE_EQ(radius, 128.0 + 2 * Spikes_SwingAmplitude);

    still.MoveToTime(w.GetMap(), 0);
    auto hurts = [&](double dx, double dy) {
        Pointf const p(at.x + dx, at.y + dy);
        return still.IsPlayerHit(0, &p);
    };
    EXPECT_EQ(hurts(23.9, 0.0), 1);
    EXPECT_EQ(hurts(11.9, 11.9), 1);
    EXPECT_EQ(hurts(12.0, 12.0), 0);
    EXPECT_EQ(hurts(16.0, -16.0), 0) << "inside the circle of 24, outside the diamond";
    EXPECT_EQ(hurts(-24.0, 0.0), 0);

    // One draw at construction, whatever the path.
    std::srand(5);
    std::rand();
    int const second = std::rand();
    std::srand(5);
    SpikeBall drawn(new Path_None(at));
    EXPECT_EQ(std::rand(), second);
}

// The rock-throwing goblin: its reach and throw thresholds, blocks, wind-up frames, rocks after a
// travel back and after its death, and a rock thrown too close to fly.
#include "creatures/GoblinDefend.h"

#include "engine/TimeSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace
{

constexpr int Goblin_HitPoints = 3;

// A seed whose first draw decides a throw.
unsigned int ThrowingSeed()
{
    unsigned int seed = 1;
    for (;; ++seed)
    {
        std::srand(seed);
        if ((std::rand() & GoblinDefend::Goblin_ThrowChance) == GoblinDefend::Goblin_ThrowDraw)
            return seed;
    }
}

// The player d to the right of (or, negative, to the left of) the goblin's centre, level with it.
Pointf Beside(GoblinDefend const& g, double d)
{
    return Pointf(g.GetPos().x + d, g.GetPos().y);
}

// Decides at t with the generator set to throw on its next draw.
void ThrowAt(GoblinDefend& g, Tick t, double d)
{
    std::srand(ThrowingSeed());
    Pointf const player = Beside(g, d);
    g.PlayerAtPos(t, &player);
}

} // namespace

TEST(GoblinDefend, TurnsWithin500AndThrowsOnlyWithin300WithItsWindUpFrames)
{
    GoblinDefend g(Pointf(100.0, 0.0), Goblin_HitPoints);
    EXPECT_EQ(g.GetPos(), Pointf(100.0, 16.0));

    Pointf far = Beside(g, -500.0 - 1e-3);
    g.PlayerAtPos(10, &far);
    EXPECT_FALSE(g.FacedAt(10));
    Pointf const edge = Beside(g, -500.0);
    g.PlayerAtPos(11, &edge);
    EXPECT_TRUE(g.FacedAt(11));
    EXPECT_TRUE(g.FacingLeftAt(11));

    // At exactly 300 the draw is not even made; just inside it decides a throw.
    ThrowAt(g, 100, 300.0);
    EXPECT_EQ(g.RockCount(), 0);
    EXPECT_EQ(std::rand() & GoblinDefend::Goblin_ThrowChance, GoblinDefend::Goblin_ThrowDraw);
    ThrowAt(g, 200, 299.5);
    ASSERT_EQ(g.RockCount(), 1);
    EXPECT_EQ(g.GetRock(0)->release, 224);
    EXPECT_EQ(g.GetRock(0)->distance, 299);
    EXPECT_FALSE(g.GetRock(0)->left);
    // No second throw while the first winds up, even on a throwing draw.
    ThrowAt(g, 210, 100.0);
    EXPECT_EQ(g.RockCount(), 1);

    int const frames[][2] = {{200, 0}, {201, 2}, {212, 2}, {213, 3}, {223, 3}, {224, 0}};
    for (auto const& [t, frame] : frames)
        EXPECT_EQ(g.FrameAt(t), frame) << "tick " << t;
    Pointf rock;
    EXPECT_EQ(g.RocksAt(223, &rock, 1), 0);
    ASSERT_EQ(g.RocksAt(224, &rock, 1), 1);
    EXPECT_EQ(rock, g.GetPos());
    ASSERT_EQ(g.RocksAt(260, &rock, 1), 1);
    EXPECT_GT(rock.x, g.GetPos().x);
}

TEST(GoblinDefend, BlocksTheFacedSideOutsideAWindUpFor30Ticks)
{
    GoblinDefend g(Pointf(0.0, 0.0), Goblin_HitPoints);
    Pointf const right = Beside(g, 400.0); // too far to throw
    for (Tick t = 0; t < 400; ++t)
        g.PlayerAtPos(t, &right);

    // From the right, which it faces: blocked, no damage, the block held [t - 10, t + 20).
    EXPECT_EQ(g.Hit(300, 1, Target_Hit_FromRight), 0);
    EXPECT_EQ(g.GetHitPoints(1000, Goblin_HitPoints), Goblin_HitPoints);
    EXPECT_EQ(g.FrameAt(289), 0);
    EXPECT_EQ(g.FrameAt(290), 1);
    EXPECT_EQ(g.FrameAt(319), 1);
    EXPECT_EQ(g.FrameAt(320), 0);
    // From the left while it faces right: taken.
    g.Hit(350, 1, 0);
    EXPECT_EQ(g.GetHitPoints(350, Goblin_HitPoints), Goblin_HitPoints - 1);
    EXPECT_FALSE(g.BlockTimes()->Check(350));

    // During a wind-up the faced side is not guarded either.
    ThrowAt(g, 500, 100.0);
    ASSERT_EQ(g.RockCount(), 1);
    g.Hit(510, 1, Target_Hit_FromRight);
    EXPECT_EQ(g.GetHitPoints(510, Goblin_HitPoints), Goblin_HitPoints - 2);
    // A hit whose block would reach back into the wind-up is taken too.
    g.Hit(533, 1, Target_Hit_FromRight);
    EXPECT_EQ(g.GetHitPoints(533, Goblin_HitPoints), 0);
    // A block taken ahead of the clock keeps its side when the player later passes to the other.
    GoblinDefend h(Pointf(0.0, 0.0), Goblin_HitPoints);
    Pointf const left = Beside(h, -400.0);
    for (Tick t = 0; t < 100; ++t)
        h.PlayerAtPos(t, &left);
    EXPECT_EQ(h.Hit(120, 1, 0), 0);
    for (Tick t = 100; t < 200; ++t)
        h.PlayerAtPos(t, &right);
    EXPECT_TRUE(h.FacingLeftAt(139));
    EXPECT_FALSE(h.FacingLeftAt(140));
    EXPECT_EQ(h.GetHitPoints(200, Goblin_HitPoints), Goblin_HitPoints);
}

TEST(GoblinDefend, LivedTicksRepeatTheirRocksAndADeadGoblinsRockFliesOnHarmless)
{
    GoblinDefend g(Pointf(0.0, 0.0), Goblin_HitPoints);
    Pointf const near = Beside(g, -150.0);
    std::srand(7);
    for (Tick t = 0; t < 1000; ++t)
        g.PlayerAtPos(t, &near);
    int const thrown = g.RockCount();
    ASSERT_GT(thrown, 2);
    std::vector<Tick> releases;
    for (int i = 0; i < thrown; ++i)
        releases.push_back(g.GetRock(i)->release);
    // Travelled back 200 ticks and lived again with other draws: the same rocks, no others.
    for (Tick t = 800; t < 1000; ++t)
        g.PlayerAtPos(t, &near);
    ASSERT_EQ(g.RockCount(), thrown);
    for (int i = 0; i < thrown; ++i)
        EXPECT_EQ(g.GetRock(i)->release, releases[i]);

    // Killed while its last rock flies: the rock is drawn on until it lands but hurts no one.
    Tick const release = releases.back();
    Tick const death = release + 5;
    Pointf rock;
    ASSERT_EQ(g.RocksAt(release + 10, &rock, 1), 1);
    EXPECT_EQ(g.IsPlayerHit(release + 10, &rock), 1);
    for (int i = 0; i < Goblin_HitPoints; ++i)
        g.Hit(death, 1, Target_Hit_FromRight); // it faces left: never blocked
    EXPECT_TRUE(g.AliveAt(death));
    EXPECT_FALSE(g.AliveAt(death + 1));
    EXPECT_EQ(g.RocksAt(release + 10, &rock, 1), 1);
    EXPECT_EQ(g.IsPlayerHit(release + 10, &rock), 0);
    Pointf const body = g.GetPos();
    EXPECT_EQ(g.IsPlayerHit(death, &body), 1);
    EXPECT_EQ(g.IsPlayerHit(death + 1, &body), 0);
    Pointf aim;
    EXPECT_FALSE(g.GetTargetPos(nullptr, death + 1, aim));
    // As an activator it is on from the tick after its death.
    EXPECT_FALSE(g.IsActive(death));
    EXPECT_TRUE(g.IsActive(death + 1));
    Tick landed = release + 10;
    while (g.RocksAt(landed, &rock, 1) == 1)
        ++landed;
    EXPECT_LT(landed, release + GoblinDefend::Goblin_RockLife);
    Pointf at;
    EXPECT_FALSE(g.FindThrowPos(landed, release, at, g.GetRock(thrown - 1)->distance, true));

    // Decided under 20 away, a rock has no flight at all; at 20 it drops where it stands.
    GoblinDefend close(Pointf(0.0, 0.0), Goblin_HitPoints);
    ThrowAt(close, 0, 19.5);
    ASSERT_EQ(close.RockCount(), 1);
    EXPECT_EQ(close.GetRock(0)->distance, 19);
    for (Tick t = 24; t < 24 + GoblinDefend::Goblin_RockLife; ++t)
        EXPECT_FALSE(close.FindThrowPos(t, 24, at, 19, false));
    EXPECT_EQ(close.RocksAt(30, &at, 1), 0);
    EXPECT_TRUE(close.FindThrowPos(30, 24, at, 20, false));
    EXPECT_EQ(at.x, close.GetPos().x);
}

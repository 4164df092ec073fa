// Hits and noises of a target at, before and after their ticks, and sharing with replay copies.
#include "Target.h"

#include <gtest/gtest.h>

#include "util/Pointf.h"

namespace
{

// A target that counts how often it is asked where it is.
class CountingTarget final : public Target
{
public:
    CountingTarget() : Target(Sound_None) {}
    explicit CountingTarget(CountingTarget const* other) : Target(other) {}

    bool GetTargetPos(Map const*, Tick, Pointf& pos) const override
    {
        asked++;
        pos = Pointf(1.0, 2.0);
        return true;
    }

    mutable int asked = 0;
};
}

TEST(Target, HitPointsAndDeathFollowTheHitTicks)
{
    CountingTarget target;
    EXPECT_EQ(target.GetDeathTime(5), -1);
    EXPECT_EQ(target.GetDeathTime(0), -1);

    target.Hit(100, 3, 0);
    EXPECT_EQ(target.GetHitPoints(99, 5), 5);
    EXPECT_EQ(target.GetHitPoints(100, 5), 2);
    EXPECT_EQ(target.GetDeathTime(5), -1);

    // Recorded later but landing earlier: it sorts into place.
    target.Hit(80, 3, 0);
    EXPECT_EQ(target.GetHitPoints(80, 5), 2);
    EXPECT_EQ(target.GetHitPoints(100, 5), 0);
    EXPECT_EQ(target.GetDeathTime(5), 100);
    // Without hit points the first hit kills.
    EXPECT_EQ(target.GetDeathTime(0), 80);

    Tick when = 0;
    EXPECT_FALSE(target.BeenHit(79, &when));
    EXPECT_TRUE(target.BeenHit(99, &when));
    EXPECT_EQ(when, 80);
    EXPECT_TRUE(target.BeenHit(500, nullptr));
    EXPECT_TRUE(target.GotHit(80));
    EXPECT_FALSE(target.GotHit(81));
}

TEST(Target, HitsAtOneTickAllCount)
{
    CountingTarget target;
    target.Hit(50, 2, 0);
    target.Hit(50, 2, 0);
    EXPECT_EQ(target.GetHitPoints(49, 4), 4);
    EXPECT_EQ(target.GetHitPoints(50, 4), 0);
    EXPECT_EQ(target.GetDeathTime(4), 50);
}

TEST(Target, HitClashIsStrictOnBothSides)
{
    CountingTarget early;
    early.Hit(91, 1, 0);
    EXPECT_TRUE(early.HitClash(100, 10));

    CountingTarget late;
    late.Hit(109, 1, 0);
    EXPECT_TRUE(late.HitClash(100, 10));

    CountingTarget clear;
    clear.Hit(90, 1, 0);
    clear.Hit(110, 1, 0);
    EXPECT_FALSE(clear.HitClash(100, 10));
    EXPECT_FALSE(CountingTarget().HitClash(100, 10));
}

TEST(Target, NoiseSoundsOnlyAtItsOwnTick)
{
    CountingTarget target;
    target.NoiseHit(99);
    target.MakeNoise(nullptr, 100);
    target.MakeNoise(nullptr, 98);
    EXPECT_EQ(target.asked, 0);
    target.MakeNoise(nullptr, 99);
    EXPECT_EQ(target.asked, 1);
}

TEST(Target, ReplayCopiesShareHitsBothWays)
{
    auto* source = new CountingTarget;
    auto* copy = new CountingTarget(source);
    source->Hit(30, 1, Target_Hit_FromRight);
    copy->Hit(40, 1, 0);
    EXPECT_EQ(copy->GetHitPoints(30, 5), 4);
    EXPECT_EQ(source->GetHitPoints(40, 5), 3);

    // Either holder may go first; the records live as long as one of them.
    delete source;
    EXPECT_EQ(copy->GetHitPoints(40, 5), 3);
    delete copy;
}

TEST(Target, AssignmentBetweenTargetsKeepsEachListAlive)
{
    CountingTarget a;
    CountingTarget b;
    a.Hit(10, 1, 0);
    b = a;
    a.Hit(20, 1, 0);
    EXPECT_EQ(b.GetHitPoints(20, 5), 3);
    b = b;
    EXPECT_EQ(b.GetHitPoints(20, 5), 3);
}

TEST(Target, RemoveHitsLeavesCopiesTheirRecords)
{
    CountingTarget source;
    source.Hit(10, 2, 0);
    {
        CountingTarget copy(&source);
        source.RemoveHits();
        EXPECT_EQ(source.GetHitPoints(100, 5), 5);
        EXPECT_EQ(copy.GetHitPoints(100, 5), 3);
        // The copy's list and the fresh one are now separate.
        source.Hit(20, 1, 0);
        EXPECT_EQ(copy.GetHitPoints(100, 5), 3);
    }
    EXPECT_EQ(source.GetHitPoints(100, 5), 4);
}

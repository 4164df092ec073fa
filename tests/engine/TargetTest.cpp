// Hits and noises of a target at, before and after their ticks, and sharing with replay copies.
#include "engine/Target.h"

#include "util/Pointf.h"

#include <gtest/gtest.h>

#include <initializer_list>

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
} // namespace

TEST(Target, HitPointsAndDeathFollowTheHitTicks)
{
    CountingTarget target;
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
    EXPECT_TRUE(target.GotHit(80));
    EXPECT_FALSE(target.GotHit(81));

    // Two hits landing at one tick both count.
    target.Hit(80, 1, 0);
    EXPECT_EQ(target.GetHitPoints(80, 5), 1);
    EXPECT_EQ(target.GetDeathTime(5), 100);
    EXPECT_EQ(target.GetDeathTime(4), 80);
}

TEST(Target, HitClashIsStrictOnBothSides)
{
    auto clash = [](std::initializer_list<Tick> ticks) {
        CountingTarget target;
        for (Tick t : ticks)
            target.Hit(t, 1, 0);
        return target.HitClash(100, 10);
    };
    EXPECT_TRUE(clash({91}));
    EXPECT_TRUE(clash({109}));
    EXPECT_FALSE(clash({90, 110}));
    EXPECT_FALSE(clash({}));
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

TEST(Target, AssignmentBetweenTargetsKeepsEachListAlive)
{
    CountingTarget a;
    CountingTarget b;
    a.Hit(10, 1, 0);
    b = a;
    a.Hit(20, 1, 0);
    EXPECT_EQ(b.GetHitPoints(20, 5), 3);
    CountingTarget& same = b; // assigned to itself
    b = same;
    EXPECT_EQ(b.GetHitPoints(20, 5), 3);
}

TEST(Target, RemoveHitsLeavesCopiesTheirRecords)
{
    CountingTarget source;
    {
        CountingTarget copy(&source);
        // The copy was made before the hit and still sees it.
        source.Hit(10, 2, 0);
        EXPECT_EQ(copy.GetHitPoints(10, 5), 3);
        source.RemoveHits();
        EXPECT_EQ(source.GetHitPoints(100, 5), 5);
        EXPECT_EQ(copy.GetHitPoints(100, 5), 3);
        // The copy's list and the fresh one are now separate.
        source.Hit(20, 1, 0);
        EXPECT_EQ(copy.GetHitPoints(100, 5), 3);
    }
    EXPECT_EQ(source.GetHitPoints(100, 5), 4);
}

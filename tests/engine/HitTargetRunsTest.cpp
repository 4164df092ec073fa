// Hit targets over long histories: when they were last down and last standing, worked out from the
// runs of hits and block hits, against the plain walk back over the block hits and the hits.
#include "engine/Hit_Target.h"
#include "engine/Target.h"
#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace
{

// Back over the block hits that stood the target up, one at a time, to the latest tick it was down.
Tick WalkLastActive(Hit_Target const& target, bool permanent, Tick t)
{
    for (;;)
    {
        Tick h = -1;
        if (permanent || !target.BeenHit(t, &h))
            return -1;
        Tick const b = target.LastBlockTime(t);
        if (b == -1 || h > b)
            return t;
        t = b - 1;
    }
}

// Back over the hits of the current down run, one at a time, to the tick before the first.
Tick WalkLastInactive(Hit_Target const& target, bool permanent, Tick t)
{
    for (;;)
    {
        Tick h = -1;
        if (permanent || !target.BeenHit(t, &h))
            return t;
        Tick const b = target.LastBlockTime(t);
        if (b != -1 && h <= b)
            return t;
        t = h - 1;
    }
}

// A target with block targets of both kinds, and the hits a long level could give them.
struct Chamber
{
    explicit Chamber(int blockerCount)
        : target(std::make_unique<Hit_Target>(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0))
    {
        for (int i = 0; i < blockerCount; i++)
        {
            bool const anti = i % 2 == 0;
            blockers.push_back(
                std::make_unique<Hit_Target>(Pointf(0.0, 0.0), anti ? Hit_Target_Anti : Hit_Target_Normal, anti, 1.0));
            target->AddBlockTarget(blockers.back().get());
        }
    }

    void ExpectWalkAnswers(Tick t) const
    {
        EXPECT_EQ(target->LastActiveTime(t), WalkLastActive(*target, false, t)) << "tick " << t;
        EXPECT_EQ(target->LastInactiveTime(t), WalkLastInactive(*target, false, t)) << "tick " << t;
    }

    std::unique_ptr<Hit_Target> target;
    std::vector<std::unique_ptr<Hit_Target>> blockers;
};

} // namespace

TEST(HitTarget, LastDownAndStandingTicksMatchTheWalkBackOverLongHistories)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> blockerCount(1, Hit_Target_Max_Blockers);
        Chamber chamber(blockerCount(random));
        // Stretches in which the target or its block targets are hit more often, so that down and
        // standing runs of every length follow each other; hits often land on a tick already hit,
        // by the target and a block target alike, and some are stamped ahead of the clock or behind.
        std::uniform_int_distribution<int> stretch(50, 1500);
        std::uniform_int_distribution<int> percent(0, 99);
        std::uniform_int_distribution<Tick> gap(1, 40);
        std::uniform_int_distribution<Tick> skew(-300, 60);
        std::uniform_int_distribution<std::size_t> anyBlocker(0, chamber.blockers.size() - 1);
        std::vector<Tick> hitTicks;
        Tick clock = 0;
        int targetShare = 50;
        int left = 0;
        for (int n = 0; n < 6000; n++)
        {
            if (left-- == 0)
            {
                left = stretch(random);
                targetShare = percent(random);
            }
            clock += gap(random);
            Tick at = std::max(0, clock + (percent(random) < 20 ? skew(random) : 0));
            if (!hitTicks.empty() && percent(random) < 15)
                at = hitTicks[std::uniform_int_distribution<std::size_t>(0, hitTicks.size() - 1)(random)];
            hitTicks.push_back(at);
            if (percent(random) < targetShare)
                chamber.target->Hit(at, 1, 0);
            else
                chamber.blockers[anyBlocker(random)]->Hit(at, 1, 0);
            // Asked as the clock runs, the ticks near the new hit and now and then a past one.
            if (n % 7 == 0)
            {
                chamber.ExpectWalkAnswers(at);
                chamber.ExpectWalkAnswers(at - 1);
                chamber.ExpectWalkAnswers(std::uniform_int_distribution<Tick>(-5, clock + 100)(random));
            }
        }
        // Every tick of three stretches, and every tick hit and the ticks around it.
        for (int k = 0; k < 3; k++)
        {
            Tick const from = std::uniform_int_distribution<Tick>(0, clock)(random);
            for (Tick t = from; t < from + 400; t++)
                chamber.ExpectWalkAnswers(t);
        }
        for (std::size_t i = 0; i < hitTicks.size(); i += 3)
            for (Tick t = hitTicks[i] - 1; t <= hitTicks[i] + 1; t++)
                chamber.ExpectWalkAnswers(t);
    });
}

TEST(HitTarget, BlockTargetsForgettingOrLeavingChangeTheAnswersAsTheyChangeTheWalk)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 random(seed);
        Chamber chamber(4);
        std::uniform_int_distribution<int> which(0, 4);
        std::uniform_int_distribution<Tick> tick(0, 5000);
        for (int n = 0; n < 800; n++)
        {
            int const k = which(random);
            if (k == 0)
                chamber.target->Hit(tick(random), 1, 0);
            else
                chamber.blockers[std::size_t(k - 1)]->Hit(tick(random), 1, 0);
        }
        for (Tick t = 0; t <= 5000; t += 3)
            chamber.ExpectWalkAnswers(t);
        // A block target that forgets its hits, and one that goes, no longer stand the target up.
        chamber.blockers[1]->RemoveHits();
        chamber.blockers[2].reset();
        for (Tick t = 1; t <= 5000; t += 3)
            chamber.ExpectWalkAnswers(t);
    });

    // Never hit, and a permanent target whatever hits it.
    Chamber quiet(2);
    quiet.blockers[1]->Hit(10, 1, 0);
    for (Tick t : {-1, 0, 10, 200})
        quiet.ExpectWalkAnswers(t);
    Hit_Target permanent(Pointf(0.0, 0.0), Hit_Target_Anti, true, 1.0);
    permanent.AddBlockTarget(quiet.blockers[1].get());
    permanent.Hit(5, 1, 0);
    permanent.Hit(20, 1, 0);
    for (Tick t : {0, 5, 10, 20, 30})
    {
        EXPECT_EQ(permanent.LastActiveTime(t), -1);
        EXPECT_EQ(permanent.LastInactiveTime(t), t);
    }
}

TEST(Target, HitFromFindsTheEarliestHitAtOrAfterATick)
{
    Target target(Sound_Hit);
    Tick when = -7;
    EXPECT_FALSE(target.HitFrom(0, &when));
    EXPECT_EQ(when, -7);
    // Stamped out of order, one tick twice.
    for (Tick t : {40, 10, 25, 25, 0})
        target.Hit(t, 1, 0);
    std::vector<std::pair<Tick, Tick>> const expected = {{-3, 0},  {0, 0},   {1, 10},  {10, 10},
                                                         {11, 25}, {25, 25}, {26, 40}, {40, 40}};
    for (auto const& [from, first] : expected)
    {
        EXPECT_TRUE(target.HitFrom(from, &when)) << "from " << from;
        EXPECT_EQ(when, first) << "from " << from;
    }
    EXPECT_TRUE(target.HitFrom(std::numeric_limits<Tick>::min(), nullptr));
    EXPECT_FALSE(target.HitFrom(41, &when));
}

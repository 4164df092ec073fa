// Tests of key-frame replay with a small creature whose every step depends on the last.
#include "TimeLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "RandomSeed.h"
#include "TimeSet.h"
#include "util/Util.h"

namespace
{

// A creature whose step depends on its previous state, on the tick hash and on a
// record shared with its copies. Kind gives each test its own run of log offsets.
template <int Kind>
class Walker
{
public:
    explicit Walker(TimeSet* sharedPushes) : x(0), speed(1), pushes(sharedPushes) { pushes->TakeRef(); }
    explicit Walker(Walker const* other) : x(other->x), speed(other->speed), pushes(other->pushes) { pushes->TakeRef(); }
    Walker(Walker const&) = delete;
    Walker& operator=(Walker const&) = delete;
    virtual ~Walker() { pushes->Destroy(); }

    void Move(Map const*, Tick t)
    {
        moves++;
        speed = (speed * 7 + (Util::Random(t) & 15) + (pushes->Check(t) ? 100 : 0)) % 997;
        x += speed;
    }

    inline static int moves = 0;
    int x;
    int speed;
    TimeSet* pushes;
};

// The test's own share of a record that walkers share; released after the walkers.
struct Pushes
{
    Pushes() : set(new TimeSet) {}
    ~Pushes() { set->Destroy(); }
    TimeSet* set;
};

// The states of ticks 0 to last, stepped straight from tick 0.
template <int Kind>
std::vector<int> Straight(TimeSet* pushes, Tick last)
{
    Walker<Kind> w(pushes);
    std::vector<int> xs{w.x};
    for (Tick t = 1; t <= last; t++)
    {
        w.Move(nullptr, t);
        xs.push_back(w.x);
    }
    return xs;
}

} // namespace

TEST(TimeLog, KeyFramesFollowTheLogOffset)
{
    Pushes pushes;
    Walker<1> start(pushes.set);
    {
        std::vector<TimeLog<Walker<1>>*> logs;
        for (int i = 0; i < 65; i++)
            logs.push_back(new TimeLog<Walker<1>>);
        TimeLog<Walker<1>>& log = *logs[10];
        EXPECT_EQ(log.Offset(), 10);
        EXPECT_EQ(logs[64]->Offset(), 0);
        logs[64]->Init(&start);
        EXPECT_EQ(logs[64]->KeyFrameCount(), 2);
        EXPECT_EQ(log.FrameIdFromTime(9), 0u);
        EXPECT_EQ(log.FrameIdFromTime(10), 1u);
        EXPECT_EQ(log.FrameIdFromTime(73), 1u);
        EXPECT_EQ(log.FrameIdFromTime(74), 2u);
        EXPECT_EQ(log.TimeFromFrameId(2), 74);
        EXPECT_TRUE(log.IsKeyTime(0) && log.IsKeyTime(10) && log.IsKeyTime(74));
        EXPECT_FALSE(log.IsKeyTime(64));

        log.Init(&start);
        EXPECT_EQ(log.KeyFrameCount(), 1);
        int const expected[][2] = {{9, 1}, {10, 2}, {73, 2}, {74, 3}, {137, 3}, {138, 4}, {200, 4}};
        Tick t = 0;
        for (auto const& [tick, count] : expected)
        {
            while (t < tick)
                log.GetPos(nullptr, ++t);
            EXPECT_EQ(log.KeyFrameCount(), count) << "tick " << tick;
        }
        for (TimeLog<Walker<1>>* each : logs)
            delete each;
    }
    // Every copy the logs made shared the record and has been deleted with them.
    EXPECT_EQ(pushes.set->Refs(), 2);
}

TEST(TimeLog, EveryTickAskedInAnyOrderMatchesAStraightRun)
{
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    Pushes pushes;
    std::vector<int> xs = Straight<2>(pushes.set, 1200);
    for (int round = 0; round < 4; round++)
    {
        Walker<2> start(pushes.set);
        TimeLog<Walker<2>> log;
        log.Init(&start);
        auto expectAt = [&](Tick t) { ASSERT_EQ(log.GetPos(nullptr, t)->x, xs[t]) << "tick " << t; };
        // Before any live play: far ahead, then backwards to 0.
        expectAt(Tick(rng() % 1200));
        for (Tick t = 300; t >= 0; t--)
            expectAt(t);
        // Live play to 500, then random jumps mixed with short forward and backward sweeps.
        for (Tick t = 1; t <= 500; t++)
            expectAt(t);
        Tick t = 500;
        for (int jump = 0; jump < 300; jump++)
        {
            t = Tick(rng() % 1100);
            int sweep = int(rng() % 5) - 2;
            for (int k = 0; k < 20 && t >= 0 && t <= 1200; k++, t += sweep)
                expectAt(t);
            t = std::clamp(t, Tick(0), Tick(1200));
            Walker<2>* ahead = log.GetPosAtTime(nullptr, std::min(t + 37, Tick(1200)));
            EXPECT_EQ(ahead->x, xs[std::min(t + 37, Tick(1200))]);
            delete ahead;
        }
    }
}

TEST(TimeLog, CachedReadsStepNothingAndLiveStepsStartFromACopy)
{
    Pushes pushes;
    std::vector<int> xs = Straight<3>(pushes.set, 300);
    Walker<3> start(pushes.set);
    TimeLog<Walker<3>> log;
    log.Init(&start);
    int before = Walker<3>::moves;
    EXPECT_EQ(log.GetPos(nullptr, 0)->x, 0);
    EXPECT_EQ(Walker<3>::moves, before);
    log.GetPos(nullptr, 100);
    before = Walker<3>::moves;
    Walker<3>* cached = log.GetPos(nullptr, 90);
    EXPECT_EQ(log.GetPos(nullptr, 90), cached);
    EXPECT_EQ(log.GetPos(nullptr, 91)->x, xs[91]);
    EXPECT_EQ(Walker<3>::moves, before + 1);
    // The live step left the cached state of 90 alone.
    EXPECT_EQ(log.GetPos(nullptr, 90)->x, xs[90]);
}

TEST(TimeLog, LivePlayAfterTravellingBackReplacesTheOldFuture)
{
    Pushes pushes;
    Walker<4> start(pushes.set);
    TimeLog<Walker<4>> log;
    log.Init(&start);
    for (Tick t = 1; t <= 200; t++)
        log.GetPos(nullptr, t);
    // Travel back into the window, then play on differently: a push at 105 changes every later step.
    log.GetPos(nullptr, 100);
    pushes.set->Add(105);
    for (Tick t = 101; t <= 180; t++)
        log.GetPos(nullptr, t);
    std::vector<int> xs = Straight<4>(pushes.set, 180);
    for (Tick t : {120, 100, 137, 138, 150, 180, 60, 179})
        EXPECT_EQ(log.GetPos(nullptr, t)->x, xs[t]) << "tick " << t;
}

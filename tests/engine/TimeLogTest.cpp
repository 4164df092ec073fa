// Tests of key-frame replay with a small creature whose every step depends on the last.
#include "engine/TimeLog.h"

#include "engine/TimeSet.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{

// A creature whose step depends on its previous state, on the tick hash and on a record
// of pushes shared with its copies. Kind gives each test its own count of logs.
template <int Kind>
class Walker
{
public:
    explicit Walker(TimeSet* sharedPushes) : x(0), speed(1), pushes(sharedPushes) { pushes->TakeRef(); }
    explicit Walker(Walker const* other) : x(other->x), speed(other->speed), pushes(other->pushes)
    {
        pushes->TakeRef();
    }
    virtual ~Walker() { pushes->Destroy(); }

    void Move(Map const*, Tick t)
    {
        speed = (speed * 7 + (Util::Random(t) & 15) + (pushes->Check(t) ? 100 : 0)) % 997;
        x += speed;
    }

    int x;
    int speed;
    TimeSet* pushes;
};

// A walker's log beside the same walker stepped straight from tick 0.
template <int Kind>
struct Replay
{
    Replay() : pushes(new TimeSet), start(pushes) { log.Init(&start); }
    ~Replay() { pushes->Destroy(); }

    std::vector<int> Straight(Tick last)
    {
        Walker<Kind> w(pushes);
        std::vector<int> xs{w.x};
        for (Tick t = 1; t <= last; t++, xs.push_back(w.x))
            w.Move(nullptr, t);
        return xs;
    }
    int At(Tick t) { return log.GetPos(nullptr, t)->x; }

    TimeSet* pushes; // the test's own reference
    Walker<Kind> start;
    TimeLog<Walker<Kind>> log;
};

} // namespace

TEST(TimeLog, KeyFramesFollowTheLogOffset)
{
    std::vector<TimeLog<Walker<1>>*> logs;
    for (int i = 0; i < 10; i++)
        logs.push_back(new TimeLog<Walker<1>>);
    Replay<1> replay;
    ASSERT_EQ(replay.log.Offset(), 10);
    // Key frames at 0, 10, 74 and 138.
    int const expected[][2] = {{0, 1}, {9, 1}, {10, 2}, {73, 2}, {74, 3}, {137, 3}, {138, 4}, {200, 4}};
    for (Tick t = 0; auto const& [tick, count] : expected)
    {
        while (t < tick)
            replay.At(++t);
        EXPECT_EQ(replay.log.KeyFrameCount(), count) << "tick " << tick;
    }
    // The 65th log of a kind starts over at offset 0 and holds tick 0 as key frames 0 and 1.
    for (int i = 11; i < 65; i++)
        logs.push_back(new TimeLog<Walker<1>>);
    logs.back()->Init(&replay.start);
    EXPECT_EQ(logs.back()->KeyFrameCount(), 2);
    for (TimeLog<Walker<1>>* each : logs)
        delete each;
}

TEST(TimeLog, EveryTickAskedInAnyOrderMatchesAStraightRun)
{
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 4; round++)
    {
        Replay<2> replay;
        std::vector<int> xs = replay.Straight(1200);
        // Far ahead before any live play, back down to 0, live play to 500, then random
        // jumps each followed by a short sweep forwards or backwards.
        std::vector<Tick> ticks{Tick(rng() % 1100)};
        for (Tick t = 300; t >= -500; t--)
            ticks.push_back(t < 0 ? -t : t);
        for (int jump = 0; jump < 300; jump++)
            for (Tick t = rng() % 1100, k = 0, step = Tick(rng() % 5) - 2; k < 20 && t >= 0; k++, t += step)
                ticks.push_back(t);
        for (Tick t : ticks)
        {
            ASSERT_EQ(replay.At(t), xs[t]) << "tick " << t;
            Walker<2>* ahead = replay.log.GetPosAtTime(nullptr, t + t % 50);
            ASSERT_EQ(ahead->x, xs[t + t % 50]) << "look-ahead from " << t;
            delete ahead;
        }
    }
}

TEST(TimeLog, LivePlayAfterTravellingBackReplacesTheOldFuture)
{
    Replay<3> replay;
    for (Tick t = 1; t <= 200; t++)
        replay.At(t);
    // Back into the cached window, where a second read is the same cached state.
    Walker<3>* cached = replay.log.GetPos(nullptr, 100);
    EXPECT_EQ(replay.log.GetPos(nullptr, 100), cached);
    // Then on live with a push at 105 that changes every later step.
    replay.pushes->Add(105);
    for (Tick t = 101; t <= 180; t++)
        replay.At(t);
    // Past the new present the old future is gone as well: key frame 192 came from it.
    std::vector<int> xs = replay.Straight(300);
    for (Tick t : {120, 250, 195, 100, 101, 137, 138, 150, 180, 60, 300, 179})
        EXPECT_EQ(replay.At(t), xs[t]) << "tick " << t;
}

// Tests of key-frame replay with a small creature whose every step depends on the last.
#include "engine/TimeLog.h"

#include "engine/TimeSet.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
        moves++;
        speed = (speed * 7 + (Util::Random(t) & 15) + (pushes->Check(t) ? 100 : 0)) % 997;
        x += speed;
    }

    int x;
    int speed;
    TimeSet* pushes;
    inline static long moves = 0; // steps of every walker of the kind
};

// The walker keeping its state apart, so that its log keeps key frames as keys in blocks.
template <int Kind>
class KeyedWalker : public Walker<Kind>
{
public:
    struct Key
    {
        int x;
        int speed;
    };
    explicit KeyedWalker(TimeSet* sharedPushes) : Walker<Kind>(sharedPushes) {}
    explicit KeyedWalker(KeyedWalker const* other) : Walker<Kind>(other) {}

    void SaveKey(Key& key) const { key = Key{this->x, this->speed}; }
    void LoadKey(Key const& key)
    {
        this->x = key.x;
        this->speed = key.speed;
    }
};

// A walker's log beside the same walker stepped straight from tick 0; W is the walker, or the
// walker keeping its state apart.
template <int Kind, class W = Walker<Kind>>
struct Replay
{
    // groups, when given, are placed for every step the log takes, as a level's are.
    explicit Replay(Replay_Groups* moving = nullptr) : pushes(new TimeSet), start(pushes), groups(moving)
    {
        log.Init(&start);
    }
    ~Replay() { pushes->Destroy(); }

    std::vector<int> Straight(Tick last)
    {
        W w(pushes);
        std::vector<int> xs{w.x};
        for (Tick t = 1; t <= last; t++, xs.push_back(w.x))
        {
            if (groups != nullptr)
                groups->PlaceGroups(t - 1);
            w.Move(nullptr, t);
        }
        if (groups != nullptr)
            groups->RestoreGroups();
        return xs;
    }
    int At(Tick t) { return log.GetPos(nullptr, t, Object_Step{false, groups})->x; }
    // What a travel step asks: the tick shown again.
    int Shown(Tick t) { return log.GetPos(nullptr, t, Object_Step{true, groups})->x; }
    // The same asked as a level asks its creatures, a planned run stepped from outside first;
    // the state asked then costs no step of its own.
    int Planned(Tick t, bool replaying)
    {
        Object_Step const step{replaying, groups};
        Tick from = 0;
        Tick to = 0;
        bool const planned = log.Plan(t, step, from, to);
        if (planned)
        {
            EXPECT_LE(from, to);
            EXPECT_GE(to, t);
            for (Tick k = from + 1; k <= to; k++)
            {
                if (groups != nullptr)
                    groups->PlaceGroups(k - 1);
                log.StepPlanned(nullptr, k);
            }
            log.FinishPlanned();
        }
        int x = 0;
        long const moves = Moves([&] { x = log.GetPos(nullptr, t, step)->x; });
        EXPECT_TRUE(!planned || moves == 0) << "tick " << t;
        return x;
    }
    // The steps one call took.
    template <class F>
    static long Moves(F&& call)
    {
        long const before = Walker<Kind>::moves;
        call();
        return Walker<Kind>::moves - before;
    }

    TimeSet* pushes; // the test's own reference
    W start;
    Replay_Groups* groups;
    TimeLog<W> log;
};

// One moving group, placed at a height of its own for each tick. Placed for the grid's queries
// alone it is left where it stands: a step that asks the grid would have it placed by its first
// look there, and no walker here asks one.
struct Replay_Lift final : Replay_Groups
{
    static int Height(Tick t) { return int(Util::Random(t, 7) & 63); }
    void StartPass(Tick) override {}
    void PlaceGroups(Tick t) override { height = Height(t); }
    void PlaceGroupsForGrid(Tick) override {}
    void RestoreGroups() override { height = -1000; } // the live step's place, never read by a step
    int height = -1000;
};

// The walker keeping its state apart whose step reads where the lift stands itself, not through
// the grid's queries.
template <int Kind>
class LiftReadingWalker final : public KeyedWalker<Kind>
{
public:
    explicit LiftReadingWalker(TimeSet* sharedPushes) : KeyedWalker<Kind>(sharedPushes) {}
    explicit LiftReadingWalker(LiftReadingWalker const* other) : KeyedWalker<Kind>(other) {}

    void Move(Map const* map, Tick t)
    {
        KeyedWalker<Kind>::Move(map, t);
        this->x += lift->height;
    }
    inline static Replay_Lift const* lift = nullptr;
};

} // namespace

TEST(TimeLog, KeyFramesFollowTheLogOffsetAndOffsetsSpreadOverTheGap)
{
    std::vector<TimeLog<Walker<1>>*> logs;
    std::vector<bool> taken(Enemy_MaxFrameGap, false);
    for (int i = 0; i < Enemy_MaxFrameGap; i++)
    {
        logs.push_back(new TimeLog<Walker<1>>);
        int const offset = logs.back()->Offset();
        EXPECT_FALSE(taken[offset]) << "offset " << offset << " twice";
        taken[offset] = true;
        // Consecutive logs are far apart: their windows are rebuilt on different travel steps.
        if (i > 0)
        {
            int const gap = std::abs(offset - logs[i - 1]->Offset());
            EXPECT_GE(std::min(gap, Enemy_MaxFrameGap - gap), 16);
        }
    }
    // The 65th log of a kind starts over at offset 0 and holds tick 0 as key frames 0 and 1.
    Replay<1> replay;
    ASSERT_EQ(replay.log.Offset(), 0);
    EXPECT_EQ(replay.log.KeyFrameCount(), 2);
    Tick const o = logs[5]->Offset();
    logs[5]->Init(&replay.start);
    Tick const expected[][2] = {{0, 1}, {o - 1, 1}, {o, 2}, {o + 63, 2}, {o + 64, 3}, {o + 127, 3}, {o + 128, 4}};
    for (Tick t = 0; auto const& [tick, count] : expected)
    {
        while (t < tick)
            logs[5]->GetPos(nullptr, ++t);
        EXPECT_EQ(logs[5]->KeyFrameCount(), count) << "tick " << tick;
    }
    for (TimeLog<Walker<1>>* each : logs)
        delete each;
}

namespace
{

// Every tick asked of a log of walkers W, in any order, against a straight run.
template <int Kind, class W>
void CheckEveryTickInAnyOrder(Replay_Groups* groups = nullptr)
{
    ForEachSeed([groups](unsigned seed) {
        std::mt19937 rng(seed);
        Replay<Kind, W> replay(groups);
        std::vector<int> xs = replay.Straight(1200);
        // Far ahead before any live play, back down to 0, live play to 500, then random
        // jumps each followed by a short sweep forwards or backwards.
        std::vector<Tick> ticks{Tick(rng() % 1100)};
        for (Tick t = 300; t >= -500; t--)
            ticks.push_back(t < 0 ? -t : t);
        for (int jump = 0; jump < 300; jump++)
            for (Tick t = rng() % 1100, k = 0, step = Tick(rng() % 5) - 2; k < 20 && t >= 0; k++, t += step)
                ticks.push_back(t);
        for (std::size_t i = 0; i < ticks.size(); i++)
        {
            Tick const t = ticks[i];
            // Live play and travel alike, asked alone or planned: live play from a tick makes the
            // same future here.
            int const way = int(i % 5);
            int const x = way == 0 ? replay.Shown(t) : way == 1 ? replay.At(t) : replay.Planned(t, way == 2);
            ASSERT_EQ(x, xs[t]) << "tick " << t << " way " << way;
            // A look ahead steps against the groups as they stand now.
            if (groups == nullptr)
            {
                W* ahead = replay.log.GetPosAtTime(nullptr, t + t % 50);
                ASSERT_EQ(ahead->x, xs[t + t % 50]) << "look-ahead from " << t;
                delete ahead;
            }
            // A copy of a tick at or before it, cached or stepped from its key frame.
            Tick const earlier = t - t % 70;
            W* copy = replay.log.GetCopyAtTime(nullptr, earlier, groups);
            ASSERT_EQ(copy->x, xs[earlier]) << "copy of " << earlier << " after " << t;
            delete copy;
        }
    });
}

} // namespace

TEST(TimeLog, EveryTickAskedInAnyOrderMatchesAStraightRun)
{
    CheckEveryTickInAnyOrder<2, Walker<2>>();
}

// A log of a walker that keeps its state apart keeps the states at hand as keys: the same answers.
TEST(TimeLog, AKeyedLogAnswersEveryTickInAnyOrderAsAStraightRun)
{
    static_assert(TimeLog_Keyed<KeyedWalker<21>>);
    CheckEveryTickInAnyOrder<21, KeyedWalker<21>>();
}

// A walker that reads a group's place itself gets the groups placed whole for every tick its log
// steps, however the tick is reached.
TEST(TimeLog, AKeyedLogSteppingAWalkerThatReadsAGroupItselfMatchesAStraightRun)
{
    static_assert(TimeLog_Keyed<LiftReadingWalker<22>> && !TimeLog_AsksGrid<LiftReadingWalker<22>>);
    Replay_Lift lift;
    LiftReadingWalker<22>::lift = &lift;
    CheckEveryTickInAnyOrder<22, LiftReadingWalker<22>>(&lift);
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

    // On to 200, back to 195 among the states live play cached, and on live again: each tick asked
    // costs a step of its own (no state of the old future is taken), and the ticks before the
    // travel stay cached (the old future's states do not crowd them out).
    auto const steps = [&](Tick t, bool shown) {
        return Replay<3>::Moves([&] { EXPECT_EQ(shown ? replay.Shown(t) : replay.At(t), xs[t]) << "tick " << t; });
    };
    for (Tick t = 180; t <= 200; t++)
        replay.At(t);
    EXPECT_EQ(steps(195, true), 0);
    for (Tick t = 196; t <= 198; t++)
        EXPECT_EQ(steps(t, false), 1) << "tick " << t << " played live";
    EXPECT_EQ(steps(193, true), 0) << "a tick cached before the travel";
}

// What a level asks of a creature's log: live play, a travel back at full speed, creeping forward
// from 0, forward at full speed, and play again from a tick of the past. Every call stays within
// one window of steps, and travel leaves the key frames alone.
TEST(TimeLog, TravelAndPlayAgainMatchAStraightRunWithinAWindowOfStepsPerCall)
{
    Replay<4> replay;
    std::vector<int> xs = replay.Straight(6000);
    auto within = [&replay](Tick t, bool shown, long most) {
        int x = 0;
        long const moves = Replay<4>::Moves([&] { x = shown ? replay.Shown(t) : replay.At(t); });
        EXPECT_LE(moves, most) << "tick " << t;
        return x;
    };
    for (Tick t = 1; t <= 6000; t++)
        ASSERT_EQ(within(t, false, 1), xs[t]);
    int const keyFrames = replay.log.KeyFrameCount();
    // A travel starts within the states of live play.
    EXPECT_EQ(within(6000, true, 0), xs[6000]);
    EXPECT_EQ(within(5999, true, 0), xs[5999]);
    for (Tick t = 5990; t >= 0; t -= 16)
        ASSERT_EQ(within(t, true, Enemy_MaxFrameGap), xs[t]);
    EXPECT_EQ(within(0, true, Enemy_MaxFrameGap), xs[0]);
    long const creep = Replay<4>::Moves([&] {
        for (Tick t = 1; t <= 600; t += 1 + t % 2)
            ASSERT_EQ(within(t, true, 2), xs[t]);
    });
    EXPECT_LE(creep, 600);
    EXPECT_EQ(replay.log.KeyFrameCount(), keyFrames);
    EXPECT_EQ(replay.log.StaleKeyFrames(), 0);
    for (Tick t = 608; t <= 3000; t += 8)
        ASSERT_EQ(within(t, true, Enemy_MaxFrameGap), xs[t]);
    for (Tick t = 2990; t >= 125; t -= 16)
        ASSERT_EQ(within(t, true, Enemy_MaxFrameGap), xs[t]);
    EXPECT_EQ(within(125, true, Enemy_MaxFrameGap), xs[125]);
    EXPECT_EQ(replay.log.KeyFrameCount(), keyFrames);

    // Play again from 125 with a push at 126: the key frames after it are stale, freed a few a
    // call or overwritten by the new future's.
    replay.pushes->Add(126);
    std::vector<int> const now = replay.Straight(6000);
    for (Tick t = 126; t <= 400; t++)
    {
        ASSERT_EQ(within(t, false, 1), now[t]);
        if (t == 126)
        {
            EXPECT_GT(replay.log.StaleKeyFrames(), 80);
        }
    }
    EXPECT_EQ(replay.log.StaleKeyFrames(), 0);
    ForEachSeed([&](unsigned seed) {
        std::mt19937 rng(seed);
        for (int i = 0; i < 40; i++)
        {
            Tick const t = Tick(rng() % 401);
            ASSERT_EQ(within(t, true, Enemy_MaxFrameGap), now[t]) << "tick " << t;
        }
    });
}

// A culled creature's log keeps up while it sleeps, so that coming back after a long cull is an
// ordinary step, and the ticks it slept through replay like any other.
TEST(TimeLog, ALongCullCostsNoStepMoreThanTheSleepBudget)
{
    Replay<5> replay;
    std::vector<int> xs = replay.Straight(41000);
    for (Tick t = 1; t <= 1000; t++)
        replay.At(t);
    long most = 0;
    for (Tick t = 1001; t < 41000; t++)
        most = std::max(most, Replay<5>::Moves([&] { replay.log.Sleep(nullptr, t); }));
    EXPECT_LE(most, TimeLog_SleepBudget);
    long const wake = Replay<5>::Moves([&] { EXPECT_EQ(replay.At(41000), xs[41000]); });
    EXPECT_LE(wake, TimeLog_SleepBudget);
    for (Tick t : {20000, 1000, 40990, 35000})
        EXPECT_LE(Replay<5>::Moves([&] { EXPECT_EQ(replay.Shown(t), xs[t]) << "tick " << t; }), Enemy_MaxFrameGap);

    // Culled again, and play goes on from 30000 after a travel back, differently from there.
    replay.pushes->Add(30001);
    std::vector<int> const now = replay.Straight(30200);
    // It starts again from 30000 in one step of its own, within a window of steps.
    int longer = 0;
    for (Tick t = 30001; t < 30200; t++)
    {
        long const moves = Replay<5>::Moves([&] { replay.log.Sleep(nullptr, t); });
        EXPECT_LE(moves, Enemy_MaxFrameGap + TimeLog_CatchUpSpread);
        longer += moves > TimeLog_SleepBudget;
    }
    EXPECT_EQ(longer, 1);
    EXPECT_EQ(replay.At(30200), now[30200]);
    EXPECT_EQ(replay.Shown(30100), now[30100]);
}

// Play that goes on from a tick of the past while the creature is culled: its log starts again
// from the tick before, never from a state cached before the new records were made, also when a
// second travel back comes before the log's turn to catch up.
TEST(TimeLog, ACulledLogStartsAgainFromTheTickBeforePlayWentOn)
{
    Replay<6> replay;
    ASSERT_EQ(replay.log.Offset(), 0) << "its turns to catch up fall on multiples of 16";
    for (Tick t = 1; t <= 1000; t++)
        replay.At(t);
    // Each travel back ends at a tick from which play goes on with a push on the next tick.
    auto playOnFrom = [&replay](Tick from, Tick to) {
        replay.pushes->Add(from + 1);
        for (Tick t = from + 1; t <= to; t++)
            replay.log.Sleep(nullptr, t);
    };
    // Back to 500; the log catches up at 512 and keeps the states of its window from 512 on
    // cached. Then back to 515, among them, and on to a wake at 531.
    playOnFrom(500, 520);
    playOnFrom(515, 530);
    // Live play to 600 keeps 576 on cached; back to 585, and before the turn at 592, to 580.
    for (Tick t = 531; t <= 600; t++)
        replay.At(t);
    playOnFrom(585, 588);
    playOnFrom(580, 620);
    std::vector<int> const xs = replay.Straight(700);
    for (Tick t : {621, 700})
        EXPECT_EQ(replay.At(t), xs[t]) << "tick " << t;
    for (Tick t : {516, 531, 581, 600, 586})
        EXPECT_EQ(replay.Shown(t), xs[t]) << "tick " << t;
}


TEST(TimeLog, KeyedFramesDroppedAfterTravelBackAtEveryBlockBoundaryKeepThePresentOnes)
{
    static_assert(TimeLog_Keyed<KeyedWalker<20>>);
    TimeSet* pushes = new TimeSet;
    std::vector<int> straight;
    {
        KeyedWalker<20> w(pushes);
        straight.push_back(w.x);
        for (Tick t = 1; t <= 4250; t++, straight.push_back(w.x))
            w.Move(nullptr, t);
    }
    // The ends span blocks of 64 key frames that end just before, at and just after them, for
    // every key-frame offset the log may take.
    for (Tick end = 4050; end <= 4250; end++)
    {
        SCOPED_TRACE("played to tick " + std::to_string(end));
        KeyedWalker<20> start(pushes);
        TimeLog<KeyedWalker<20>> log;
        log.Init(&start);
        for (Tick t = 1; t <= end; t++)
            ASSERT_EQ(log.GetPos(nullptr, t)->x, straight[std::size_t(t)]) << "played tick " << t;
        for (Tick t = end; t >= 100; t--)
            ASSERT_EQ(log.GetPos(nullptr, t, Object_Step{true, nullptr})->x, straight[std::size_t(t)])
                << "shown tick " << t;
        // Play goes on from tick 100: the frames of the old future are freed a few a step.
        for (Tick t = 101; t <= 500; t++)
            ASSERT_EQ(log.GetPos(nullptr, t)->x, straight[std::size_t(t)]) << "played again tick " << t;
        EXPECT_EQ(log.StaleKeyFrames(), 0);
        for (Tick t = 500; t >= 0; t -= 7)
            ASSERT_EQ(log.GetPos(nullptr, t, Object_Step{true, nullptr})->x, straight[std::size_t(t)])
                << "shown again tick " << t;
    }
    pushes->Destroy();
}

// Step_Memo: it learns only once a state comes back at another tick, and never answers a state
// with anything but the step's own result.
#include "engine/Step_Memo.h"

#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace
{

struct Memo_State
{
    std::uint32_t at;
    std::uint32_t extra;
};

// What a step did besides: here the loop's round it began in.
struct Memo_Effect
{
    std::uint32_t round = 0;
};

using Memo = Step_Memo<Memo_State, Memo_Effect>;

// A step that runs in a loop of the given length from state 0, after a lead-in of states off it.
struct Memo_Walk
{
    std::uint32_t loop;
    std::uint32_t leadIn;

    Memo_State Step(Memo_State s) const
    {
        if (s.extra != 0)
            return s.extra == 1 ? Memo_State{0, 0} : Memo_State{0, s.extra - 1};
        return Memo_State{(s.at + 1) % loop, 0};
    }
    Memo_State Start() const { return Memo_State{0, leadIn}; }
};

// Steps once through the memo as a creature does: the memo's answer when it has one, else the step,
// learnt. Returns the state after.
Memo_State MemoStep(Memo& memo, Memo_Walk const& walk, Memo_State s, Tick t, int& answered)
{
    std::uint32_t const h = Memo::Hash(s);
    Memo_State next{};
    Memo_Effect effect;
    if (memo.Next(s, h, next, effect))
    {
        EXPECT_EQ(effect.round, s.at) << "the effect learnt with the step from that state";
        answered++;
        return next;
    }
    next = walk.Step(s);
    if (memo.Learning(h, t))
        memo.Learn(s, h, next, Memo_Effect{s.at});
    return next;
}

} // namespace

TEST(StepMemo, LearnsOnlyOnceAStateComesBackAtAnotherTick)
{
    Memo memo;
    Memo_Walk const walk{5000, 3};
    int answered = 0;

    // Stepping the same ticks again (a travel re-simulating them) is no loop.
    for (int pass = 0; pass < 3; pass++)
    {
        Memo_State s = walk.Start();
        for (Tick t = 1; t <= 200; t++)
            s = MemoStep(memo, walk, s, t, answered);
    }
    EXPECT_EQ(memo.Size(), 0);
    EXPECT_EQ(answered, 0);

    // A short loop: the states come back at other ticks, and the memo answers the second round on.
    Memo loopMemo;
    Memo_Walk const shortLoop{50, 3};
    Memo_State s = shortLoop.Start();
    for (Tick t = 1; t <= 53; t++)
        s = MemoStep(loopMemo, shortLoop, s, t, answered);
    EXPECT_EQ(loopMemo.Size(), 0) << "nothing has come back yet";
    for (Tick t = 54; t <= 200; t++)
        s = MemoStep(loopMemo, shortLoop, s, t, answered);
    EXPECT_GT(loopMemo.Size(), 0);
    EXPECT_LE(loopMemo.Size(), 51);
    int const before = answered;
    for (Tick t = 201; t <= 250; t++)
        s = MemoStep(loopMemo, shortLoop, s, t, answered);
    EXPECT_EQ(answered - before, 50) << "a whole round of the loop from the memo";
}

TEST(StepMemo, AnswersOnlyWhatTheStepGivesOverLoopsOfAnyLengthAndTravels)
{
    ForEachSeed(TestSeeds_Default, [](unsigned seed) {
        std::mt19937 random(seed);
        Memo_Walk const walk{std::uniform_int_distribution<std::uint32_t>(1, 3 * Step_Memo_States)(random),
                             std::uniform_int_distribution<std::uint32_t>(0, 40)(random)};
        SCOPED_TRACE(testing::Message() << "loop " << walk.loop << ", lead-in " << walk.leadIn);
        Memo memo;
        int answered = 0;
        // States of the ticks played, as the log's key frames would give them back.
        std::vector<Memo_State> played{walk.Start()};
        Tick t = 0;
        for (int step = 0; step < 12000; step++)
        {
            // Now and then a travel back: the ticks after it are stepped again.
            if (t > 10 && std::uniform_int_distribution<int>(0, 499)(random) == 0)
            {
                t -= std::uniform_int_distribution<Tick>(1, std::min<Tick>(t, 1500))(random);
                played.resize(std::size_t(t) + 1);
            }
            Memo_State const s = played.back();
            Memo_State const next = MemoStep(memo, walk, s, t + 1, answered);
            Memo_State const truth = walk.Step(s);
            ASSERT_EQ(next.at, truth.at) << "at tick " << t + 1;
            ASSERT_EQ(next.extra, truth.extra) << "at tick " << t + 1;
            played.push_back(next);
            t++;
        }
        EXPECT_LE(memo.Size(), Step_Memo_States);
        if (walk.loop <= Step_Memo_States / 2)
        {
            EXPECT_GT(answered, 6000) << "a short loop is answered from the memo";
        }
    });
}

namespace
{

// Steps once as a walking creature does, the recent ticks' steps first: returns the state after
// and counts the answers from the memo (its recent steps apart in fromRecent).
Memo_State MemoStepRecent(Memo& memo, Memo_Walk const& walk, Memo_State s, Tick t, int& answered, int& fromRecent)
{
    Memo_Effect effect;
    auto const same = [&s](Memo_State const& kept) { return kept.at == s.at && kept.extra == s.extra; };
    if (Memo_State const* kept = memo.Recently(t, same, effect))
    {
        EXPECT_EQ(effect.round, s.at) << "the effect kept with the step from that state";
        fromRecent++;
        return *kept;
    }
    std::uint32_t const h = Memo::Hash(s);
    Memo_State next{};
    if (memo.Next(s, h, next, effect))
    {
        EXPECT_EQ(effect.round, s.at);
        answered++;
        return next;
    }
    next = walk.Step(s);
    if (!memo.Learning(h, t) || !memo.Learn(s, h, next, Memo_Effect{s.at}))
        memo.Keep(t, s, next, Memo_Effect{s.at});
    return next;
}

} // namespace

TEST(StepMemo, KeepsTheRecentTicksOfAWalkThatNeverLoopsOnceATickIsSteppedAgainOrLongWithoutALoop)
{
    Memo_Walk const drift{0xffffffffu, 0}; // no state comes back in the run
    int answered = 0;
    int fromRecent = 0;

    // Early on, a travel back re-simulating ticks starts keeping them: the first travel finds a
    // tick stepped again and keeps the steps from there on, the next keeps the rest, and the
    // one after is answered whole.
    Memo early;
    std::vector<Memo_State> played{drift.Start()};
    for (Tick t = 1; t <= 600; t++)
        played.push_back(MemoStepRecent(early, drift, played.back(), t, answered, fromRecent));
    EXPECT_FALSE(early.KeepsRecent()) << "nothing was stepped again yet";
    for (int travel = 0; travel < 2; travel++)
        for (Tick t = 301; t <= 600; t++)
            MemoStepRecent(early, drift, played[std::size_t(t) - 1], t, answered, fromRecent);
    EXPECT_TRUE(early.KeepsRecent());
    int before = fromRecent;
    for (Tick t = 301; t <= 600; t++)
        EXPECT_EQ(MemoStepRecent(early, drift, played[std::size_t(t) - 1], t, answered, fromRecent).at,
                  played[std::size_t(t)].at);
    EXPECT_EQ(fromRecent - before, 300);

    // A walk noted Step_Memo_Seen steps without a loop keeps them from then on, so that its first
    // travel back is answered already.
    Memo memo;
    played.assign(1, drift.Start());
    for (Tick t = 1; t < Step_Memo_Seen; t++)
        played.push_back(MemoStepRecent(memo, drift, played.back(), t, answered, fromRecent));
    EXPECT_FALSE(memo.KeepsRecent());
    for (Tick t = Step_Memo_Seen; t <= 3000; t++)
        played.push_back(MemoStepRecent(memo, drift, played.back(), t, answered, fromRecent));
    EXPECT_TRUE(memo.KeepsRecent());
    EXPECT_EQ(memo.Size(), 0) << "no loop";
    before = fromRecent;
    for (Tick t = 1501; t <= 3000; t++)
        EXPECT_EQ(MemoStepRecent(memo, drift, played[std::size_t(t) - 1], t, answered, fromRecent).at,
                  played[std::size_t(t)].at);
    EXPECT_EQ(fromRecent - before, 1500);

    // The same tick from another state (another history) is stepped, not answered.
    Memo_State const other{played[2000].at, 5};
    Memo_State const next = MemoStepRecent(memo, drift, other, 2001, answered, fromRecent);
    EXPECT_EQ(next.at, drift.Step(other).at);
    EXPECT_EQ(next.extra, drift.Step(other).extra);
    // And a tick kept so long ago that its slot went to a later one is stepped again.
    int const kept = fromRecent;
    MemoStepRecent(memo, drift, played[2999], 3000 - Step_Memo_Recent, answered, fromRecent);
    EXPECT_EQ(fromRecent, kept);
    EXPECT_EQ(answered, 0);
}

TEST(StepMemo, AWalkThatLoopsLetsItsRecentTicksGoAndAnswersOnlyWhatTheStepGives)
{
    ForEachSeed(TestSeeds_Default, [](unsigned seed) {
        std::mt19937 random(seed);
        // Loops longer than the run never come back; the others are learnt once seen.
        Memo_Walk const walk{std::uniform_int_distribution<std::uint32_t>(50, 30000)(random),
                             std::uniform_int_distribution<std::uint32_t>(0, 40)(random)};
        SCOPED_TRACE(testing::Message() << "loop " << walk.loop << ", lead-in " << walk.leadIn);
        Memo memo;
        int answered = 0;
        int fromRecent = 0;
        std::vector<Memo_State> played{walk.Start()};
        Tick t = 0;
        for (int step = 0; step < 12000; step++)
        {
            if (t > 10 && std::uniform_int_distribution<int>(0, 299)(random) == 0)
            {
                t -= std::uniform_int_distribution<Tick>(1, std::min<Tick>(t, 2 * Step_Memo_Recent))(random);
                played.resize(std::size_t(t) + 1);
            }
            Memo_State const s = played.back();
            Memo_State const next = MemoStepRecent(memo, walk, s, t + 1, answered, fromRecent);
            Memo_State const truth = walk.Step(s);
            ASSERT_EQ(next.at, truth.at) << "at tick " << t + 1;
            ASSERT_EQ(next.extra, truth.extra) << "at tick " << t + 1;
            played.push_back(next);
            t++;
        }
        // A loop learnt lets the recent ticks go: the memo answers them. A loop too long for the
        // memo's table keeps them again once the table is full.
        if (memo.Size() > 0 && memo.Size() < Step_Memo_States)
        {
            EXPECT_FALSE(memo.KeepsRecent());
        }
        if (memo.Size() == Step_Memo_States)
        {
            EXPECT_TRUE(memo.KeepsRecent());
            EXPECT_GT(fromRecent, 0) << "travels over ticks stepped since the table filled";
        }
    });
}

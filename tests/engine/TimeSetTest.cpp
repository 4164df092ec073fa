// Tests of the tick set: merging, splitting, queries and a comparison with a plain model.
#include "engine/TimeSet.h"

#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{

// The runs as "start-end" pairs, read back through the public queries.
std::string Runs(TimeSet const& set)
{
    std::string out;
    Tick start = 0;
    for (Tick t = -1000; set.CheckUp(t, &start);)
    {
        t = set.NextFreeTime(start);
        out += std::to_string(start) + "-" + std::to_string(t) + " ";
    }
    return out;
}

} // namespace

TEST(TimeSet, MergesTouchingRunsButNotAcrossAGapAndSplitsOnRemove)
{
    struct Step
    {
        bool add;
        Tick start, end;
        char const* runs;
    } const steps[] = {
        {true, 10, 20, "10-20 "},
        {true, 22, 30, "10-20 22-30 "},
        {true, 16, 25, "10-30 "},
        {true, 50, 52, "10-30 50-52 "},
        {true, 54, 56, "10-30 50-52 54-56 "},
        {true, 52, 54, "10-30 50-56 "},
        {true, 80, 85, "10-30 50-56 80-85 "},
        {true, 45, 50, "10-30 45-56 80-85 "},
        {true, 31, 79, "10-30 31-79 80-85 "},
        {true, 25, 35, "10-79 80-85 "},
        {true, 79, 80, "10-85 "},
        {false, 30, 50, "10-30 50-85 "},
        {false, 25, 40, "10-25 50-85 "},
        {false, 40, 55, "10-25 55-85 "},
        {false, 5, 30, "55-85 "},
        {false, 60, 62, "55-60 62-85 "},
        {true, 61, 62, "55-60 61-85 "},
        {true, 85, 86, "55-60 61-86 "},
        {true, 60, 61, "55-86 "},
        // Empty and reversed ranges change nothing, also where an empty run could stick.
        {true, 5, 5, "55-86 "},
        {true, 90, 90, "55-86 "},
        {false, 70, 70, "55-86 "},
        {false, 80, 60, "55-86 "},
        {true, 90, 91, "55-86 90-91 "},
        {true, 91, 89, "55-86 90-91 "},
    };
    TimeSet set;
    for (Step const& step : steps)
    {
        if (step.add)
            set.AddRange(TimeRange(step.start, step.end));
        else
            set.Remove(TimeRange(step.start, step.end));
        EXPECT_EQ(Runs(set), step.runs) << (step.add ? "add " : "remove ") << step.start << "-" << step.end;
    }
}

TEST(TimeSet, AgreesWithAPlainModelUnderRandomOperations)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        constexpr int Ticks = 3000;
        TimeSet set;
        std::vector<char> model(Ticks, 0);
        auto member = [&](int t) { return t >= 0 && t < Ticks && model[t]; };
        auto count = [&](int s, int e) {
            int n = 0;
            for (int i = s; i < e; i++)
                n += member(i);
            return n;
        };
        // The first tick from `from` in steps of dir that is a member (or not), or the model's end.
        auto walk = [&](int from, int dir, bool wanted) {
            while (from >= 0 && from < Ticks && member(from) != wanted)
                from += dir;
            return from;
        };
        for (int op = 0; op < 400; op++)
        {
            // Edits stay clear of the model's ends so that every walk below ends inside it.
            int s = pick(10, Ticks - 200), e = s + pick(-2, pick(0, 1) ? 4 : 150), kind = pick(0, 2);
            int t = pick(0, Ticks - 1), gap = pick(0, 30);
            bool safe = count(s - gap + 1, s + gap) == 0;
            if (kind == 0)
                set.AddRange(TimeRange(s, e));
            else if (kind == 1)
                set.Remove(TimeRange(s, e));
            else
                ASSERT_EQ(set.AddIfSafe(s, gap), safe) << "tick " << s << " gap " << gap;
            if (kind < 2)
                std::fill(model.begin() + s, model.begin() + std::max(s, e), kind == 0);
            else if (safe)
                model[s] = 1;
            ASSERT_EQ(set.Check(t), member(t)) << "tick " << t;
            ASSERT_EQ(set.CheckRange(TimeRange(s, e)), count(s, e) > 0) << s << "-" << e;
            ASSERT_EQ(set.Safe(t, gap), count(t - gap + 1, t + gap) == 0) << "tick " << t << " gap " << gap;
            ASSERT_EQ(set.Count(t), count(0, t)) << "tick " << t;
            Tick found = -1;
            ASSERT_EQ(set.CheckDown(t, &found) ? found : -1, walk(t, -1, true)) << "tick " << t;
            ASSERT_EQ(set.CheckUp(t, &found) ? found : Ticks, walk(t, 1, true)) << "tick " << t;
            ASSERT_EQ(set.LastFreeTime(t), walk(t, -1, false)) << "tick " << t;
            ASSERT_EQ(set.NextFreeTime(t), walk(t, 1, false)) << "tick " << t;
        }
    });
}

// Tests of the value runs: splitting and joining runs, queries and a comparison with a plain model.
#include "engine/TimeSet2.h"

#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{

// One character per tick from 9 to 27: the tick's value, or '.' where it has none.
std::string Values(TimeSet2 const& set)
{
    std::string out;
    for (int t = 9, value = 0; t < 28; t++)
        out += set.Find(t, &value) ? char('0' + value) : '.';
    return out;
}

} // namespace

TEST(TimeSet2, SplitsWidensAndJoinsRuns)
{
    struct Step
    {
        Tick first, last;
        int value;
        char const* values;
    } const steps[] = {
        {11, 13, 5, "..555.............."}, {10, 10, 5, ".5555.............."}, {20, 21, 1, ".5555......11......"},
        {22, 26, 5, ".5555......1155555."}, {22, 22, 1, ".5555......1115555."}, {12, 12, 2, ".5525......1115555."},
        {12, 12, 5, ".5555......1115555."}, {23, 23, 1, ".5555......1111555."}, {25, 25, 5, ".5555......1111555."},
    };
    TimeSet2 set;
    for (Step const& step : steps)
    {
        for (Tick t = step.first; t <= step.last; t++)
            set.Add(t, step.value);
        EXPECT_EQ(Values(set), step.values) << step.first << "-" << step.last << " with " << step.value;
    }
}

TEST(TimeSet2, AgreesWithAPlainModelUnderRandomOperations)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        constexpr int Ticks = 400, None = -1;
        TimeSet2 set;
        std::vector<int> model(Ticks, None);
        // The nearest tick from t in steps of dir carrying a value other than the one at t.
        auto differing = [&](int t, int dir) {
            int i = t;
            while (i >= 0 && i < Ticks && (model[i] == None || model[i] == model[t]))
                i += dir;
            return i;
        };
        for (int op = 0; op < 600; op++)
        {
            // A narrow band of few values, so that runs touch, split and join often.
            int t = pick(30, 230), v = pick(0, 3), gap = pick(0, 12), q = pick(0, 260), e = q + pick(-1, 6);
            int down = differing(t, -1), up = differing(t, 1);
            bool safe = (down < 0 || down + gap <= t) && (up >= Ticks || up - gap >= t);
            if (pick(0, 3) == 0)
            {
                ASSERT_EQ(set.AddIfSafe(t, v, gap), safe) << "tick " << t << " gap " << gap;
            }
            else
            {
                set.Add(t, v);
                safe = true;
            }
            if (safe)
                model[t] = v;
            int value = None, found = None;
            Tick tick = -1;
            ASSERT_EQ(set.Find(q, &value) ? value : None, model[q]) << "tick " << q;
            ASSERT_EQ(set.Check(q, v), model[q] == v) << "tick " << q;
            ASSERT_EQ(set.CheckRange(TimeRange2(q, e, v)), std::count(&model[q], &model[std::max(q, e)], v) > 0)
                << q << "-" << e;
            down = differing(q, -1), up = differing(q, 1);
            ASSERT_EQ(set.CheckDown(q, &found, &tick) ? tick : -1, down) << "tick " << q;
            ASSERT_EQ(found, down < 0 ? None : model[down]);
            found = None;
            ASSERT_EQ(set.CheckUp(q, &found, &tick) ? tick : Ticks, up) << "tick " << q;
            ASSERT_EQ(found, up < Ticks ? model[up] : None);
            int freeDown = q, freeUp = q;
            while (freeDown >= 0 && model[freeDown] != None)
                freeDown--;
            while (model[freeUp] != None)
                freeUp++;
            ASSERT_EQ(set.LastFreeTime(q), freeDown);
            ASSERT_EQ(set.NextFreeTime(q), freeUp);
        }
    });
}

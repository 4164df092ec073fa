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

// The scales' pattern: values set mostly at the front of a long history, some set back in it,
// over hundreds of runs; every query is compared with a scan of plain values at many ticks,
// those before the first run and after the last included.
TEST(TimeSet2, LongHistoriesAnswerAsPlainScans)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        constexpr int First = -50, Ticks = 3000, None = -1;
        TimeSet2 set;
        std::vector<int> plain(Ticks, None); // plain[t - First]
        auto at = [&](int t) { return t < First || t >= First + Ticks ? None : plain[t - First]; };
        int front = 0;
        for (int op = 0; op < 2500; op++)
        {
            int t = 0;
            if (pick(0, 4) > 0)
                t = front = std::min(front + pick(0, 2), First + Ticks - 60);
            else
                t = pick(First + 10, front);
            int const v = pick(0, 2);
            set.Add(t, v);
            plain[t - First] = v;
            if (op % 50 != 0)
                continue;
            for (int q = First - 5; q < First + Ticks + 5; q += pick(1, 9))
            {
                int const w = at(q);
                int down = q, up = q;
                while (down >= First && (at(down) == None || at(down) == w))
                    down--;
                while (up < First + Ticks && (at(up) == None || at(up) == w))
                    up++;
                int value = None;
                Tick tick = 0;
                ASSERT_EQ(set.Find(q, &value) ? value : None, w) << "tick " << q;
                bool found = set.CheckDown(q, &value, &tick);
                ASSERT_EQ(found, down >= First) << "tick " << q;
                if (found)
                {
                    ASSERT_TRUE(tick == down && value == at(down)) << "tick " << q << ": " << tick;
                }
                found = set.CheckUp(q, &value, &tick);
                ASSERT_EQ(found, up < First + Ticks) << "tick " << q;
                if (found)
                {
                    ASSERT_TRUE(tick == up && value == at(up)) << "tick " << q << ": " << tick;
                }
                int freeDown = q, freeUp = q;
                while (at(freeDown) != None)
                    freeDown--;
                while (at(freeUp) != None)
                    freeUp++;
                ASSERT_EQ(set.LastFreeTime(q), freeDown) << "tick " << q;
                int start = q + 1;
                if (w != None)
                    for (start = q; at(start - 1) == w;)
                        start--;
                ASSERT_EQ(set.RunStart(q), start) << "tick " << q;
                ASSERT_EQ(set.NextFreeTime(q), freeUp) << "tick " << q;
                int const e = q + pick(-1, 40);
                bool carries = false;
                for (int x = q; x < e; x++)
                    carries = carries || at(x) == v;
                ASSERT_EQ(set.CheckRange(TimeRange2(q, e, v)), carries) << q << "-" << e;
            }
        }
        // Every run is as long as it can be: joining again changes nothing.
        set.Join();
        for (int q = First; q < First + Ticks; q++)
        {
            int value = None;
            ASSERT_EQ(set.Find(q, &value) ? value : None, at(q)) << "tick " << q;
        }
    });
}

// Tests of the tick set: merging, splitting, queries and a comparison with a plain model.
#include "TimeSet.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "RandomSeed.h"

namespace
{

// The runs as "start-end" pairs, read back through the public queries.
std::string Runs(TimeSet const& set)
{
    std::string out;
    Tick t = -1000;
    Tick start = 0;
    while (set.CheckUp(t, &start))
    {
        t = set.NextFreeTime(start);
        out += (out.empty() ? "" : " ") + std::to_string(start) + "-" + std::to_string(t);
    }
    return out;
}

} // namespace

TEST(TimeSet, MergesTouchingRunsButNotAcrossAGapAndSplitsOnRemove)
{
    TimeSet set;
    set.AddRange(TimeRange(10, 20));
    set.AddRange(TimeRange(22, 30));
    set.AddRange(TimeRange(16, 25));
    EXPECT_EQ(Runs(set), "10-30");
    set.AddRange(TimeRange(50, 52));
    set.AddRange(TimeRange(54, 56));
    set.AddRange(TimeRange(52, 54));
    EXPECT_EQ(Runs(set), "10-30 50-56");
    set.AddRange(TimeRange(80, 85));
    set.AddRange(TimeRange(45, 50));
    EXPECT_EQ(Runs(set), "10-30 45-56 80-85");
    set.AddRange(TimeRange(31, 79));
    EXPECT_EQ(Runs(set), "10-30 31-79 80-85");
    set.AddRange(TimeRange(25, 35));
    set.AddRange(TimeRange(79, 80));
    EXPECT_EQ(Runs(set), "10-85");
    set.Remove(TimeRange(30, 50));
    EXPECT_EQ(Runs(set), "10-30 50-85");
    set.Remove(TimeRange(25, 40));
    set.Remove(TimeRange(40, 55));
    EXPECT_EQ(Runs(set), "10-25 55-85");
    set.Remove(TimeRange(5, 30));
    EXPECT_EQ(Runs(set), "55-85");
    set.Remove(TimeRange(60, 62));
    EXPECT_EQ(Runs(set), "55-60 62-85");
    set.Add(61);
    set.Add(60);
    set.Add(85);
    EXPECT_EQ(Runs(set), "55-86");
}

TEST(TimeSet, QueriesAtAndAroundTheEdgesOfARun)
{
    TimeSet set;
    set.AddRange(TimeRange(55, 85));
    Tick found = 0;
    EXPECT_TRUE(set.Check(55));
    EXPECT_FALSE(set.Check(85));
    EXPECT_TRUE(set.CheckDown(100, &found));
    EXPECT_EQ(found, 84);
    EXPECT_TRUE(set.CheckDown(60, &found));
    EXPECT_EQ(found, 60);
    EXPECT_FALSE(set.CheckDown(54, nullptr));
    EXPECT_TRUE(set.CheckUp(10, &found));
    EXPECT_EQ(found, 55);
    EXPECT_FALSE(set.CheckUp(85, nullptr));
    EXPECT_EQ(set.LastFreeTime(60), 54);
    EXPECT_EQ(set.NextFreeTime(60), 85);
    EXPECT_EQ(set.Count(60), 5);
    EXPECT_EQ(set.Count(200), 30);
    EXPECT_EQ(set.Count(55), 0);
}

TEST(TimeSet, EmptyRangesChangeNothing)
{
    TimeSet set;
    set.AddRange(TimeRange(5, 5));
    set.AddRange(TimeRange(9, 3));
    EXPECT_FALSE(set.CheckUp(-100, nullptr));
    set.Add(5);
    EXPECT_EQ(Runs(set), "5-6");
    set.AddRange(TimeRange(6, 6));
    set.AddRange(TimeRange(4, 4));
    set.Remove(TimeRange(5, 5));
    set.Remove(TimeRange(6, 4));
    EXPECT_EQ(Runs(set), "5-6");
    set.AddRange(TimeRange(20, 30));
    set.Remove(TimeRange(25, 25));
    EXPECT_EQ(Runs(set), "5-6 20-30");
}

TEST(TimeSet, SafeAllowsMembersExactlyAtTheGap)
{
    TimeSet set;
    set.Add(10);
    EXPECT_TRUE(set.Safe(13, 3));
    EXPECT_FALSE(set.Safe(12, 3));
    EXPECT_TRUE(set.Safe(7, 3));
    EXPECT_FALSE(set.Safe(8, 3));
    EXPECT_TRUE(set.Safe(10, 0));
    EXPECT_FALSE(set.AddIfSafe(12, 3));
    EXPECT_TRUE(set.AddIfSafe(13, 3));
    EXPECT_EQ(Runs(set), "10-11 13-14");
}

TEST(TimeSet, AgreesWithAPlainModelUnderRandomOperations)
{
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    constexpr int Ticks = 3000;
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 10; round++)
    {
        TimeSet set;
        std::vector<bool> model(Ticks, false);
        auto member = [&](int t) { return t >= 0 && t < Ticks && model[t]; };
        for (int op = 0; op < 400; op++)
        {
            // Edits stay clear of the model's ends so every walk below ends inside it.
            int s = pick(10, Ticks - 200);
            int e = s + pick(-2, pick(0, 1) ? 4 : 150);
            int t = pick(0, Ticks - 1);
            int gap = pick(0, 30);
            switch (pick(0, 3))
            {
            case 0:
                set.AddRange(TimeRange(s, e));
                for (int i = s; i < e; i++)
                    model[i] = true;
                break;
            case 1:
                set.Remove(TimeRange(s, e));
                for (int i = s; i < e; i++)
                    model[i] = false;
                break;
            case 2:
                set.Add(s);
                model[s] = true;
                break;
            default:
            {
                bool safe = true;
                for (int i = s - gap + 1; i < s + gap; i++)
                    safe = safe && !member(i);
                ASSERT_EQ(set.AddIfSafe(s, gap), safe) << "tick " << s << " gap " << gap;
                if (safe)
                    model[s] = true;
            }
            }
            ASSERT_EQ(set.Check(t), member(t)) << "tick " << t;
            bool any = false;
            for (int i = s; i < e; i++)
                any = any || member(i);
            ASSERT_EQ(set.CheckRange(TimeRange(s, e)), any) << s << "-" << e;
            int down = t;
            while (down >= 0 && !member(down))
                down--;
            Tick found = -1;
            ASSERT_EQ(set.CheckDown(t, &found), down >= 0) << "tick " << t;
            if (down >= 0)
            {
                ASSERT_EQ(found, down);
            }
            int up = t;
            while (up < Ticks && !member(up))
                up++;
            ASSERT_EQ(set.CheckUp(t, &found), up < Ticks) << "tick " << t;
            if (up < Ticks)
            {
                ASSERT_EQ(found, up);
            }
            int freeDown = t;
            while (member(freeDown))
                freeDown--;
            ASSERT_EQ(set.LastFreeTime(t), freeDown);
            int freeUp = t;
            while (member(freeUp))
                freeUp++;
            ASSERT_EQ(set.NextFreeTime(t), freeUp);
            int count = 0;
            for (int i = 0; i < t; i++)
                count += member(i);
            ASSERT_EQ(set.Count(t), count) << "tick " << t;
        }
    }
}

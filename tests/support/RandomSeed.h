// The seeds of the randomized tests: a fixed list that every run repeats, then one fresh seed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <random>
#include <vector>

// HM_TEST_SEED when set, to repeat a failure, else a fresh one.
inline unsigned TestSeed()
{
    if (char const* fixed = std::getenv("HM_TEST_SEED"))
        return unsigned(std::strtoul(fixed, nullptr, 10));
    return std::random_device()();
}

// The seeds a randomized test runs when it names none of its own.
inline std::initializer_list<unsigned> const TestSeeds_Default = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                                  11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

// The first seeds of the list, for runs that take seconds a seed (a whole world played and
// travelled through, a level's replay run): every run repeats these few, and a fresh one.
inline std::initializer_list<unsigned> const TestSeeds_Long = {1, 2, 3};

// The seeds a loop over seeds runs, in order: the fixed ones (none when HM_TEST_SEED repeats one),
// then fresh, which the loop names with any failure ("HM_TEST_SEED=...").
inline std::vector<unsigned> TestSeedRun(std::initializer_list<unsigned> fixed, unsigned fresh)
{
    std::vector<unsigned> seeds;
    if (std::getenv("HM_TEST_SEED") == nullptr)
        seeds.assign(fixed.begin(), fixed.end());
    seeds.push_back(fresh);
    return seeds;
}

inline std::vector<unsigned> TestSeedRun(std::initializer_list<unsigned> fixed)
{
    return TestSeedRun(fixed, TestSeed());
}

// Runs check(seed) for each of the fixed seeds, so that a fault any of them catches fails every
// run, and then for one fresh seed that may find what they miss. A failure names its seed; with
// HM_TEST_SEED set only that seed runs. Stops at the first seed that fails fatally.
template <class Check>
void ForEachSeed(std::initializer_list<unsigned> fixed, Check&& check)
{
    std::vector<unsigned> seeds;
    bool const repeat = std::getenv("HM_TEST_SEED") != nullptr;
    if (!repeat)
        seeds.assign(fixed.begin(), fixed.end());
    seeds.push_back(TestSeed());
    for (std::size_t i = 0; i < seeds.size(); i++)
    {
        bool const fresh = i + 1 == seeds.size() && !repeat;
        SCOPED_TRACE(testing::Message() << (fresh ? "fresh seed: " : "seed: ") << "HM_TEST_SEED=" << seeds[i]);
        check(seeds[i]);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

template <class Check>
void ForEachSeed(Check&& check)
{
    ForEachSeed(TestSeeds_Default, check);
}

// The seed of the randomized tests: HM_TEST_SEED when set, to repeat a failure, else a fresh one.
#pragma once

#include <cstdlib>
#include <random>

inline unsigned TestSeed()
{
    if (char const* fixed = std::getenv("HM_TEST_SEED"))
        return unsigned(std::strtoul(fixed, nullptr, 10));
    return std::random_device()();
}

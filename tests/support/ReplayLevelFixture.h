// Test support: a fixture for a test that plays a level class of its own (a small level that places
// a world's objects), built with the fixture's events and dropped before the fixture's window and
// sounds.
#pragma once

#include "support/KeyScript.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>

template <class Fixture, class Level>
class ReplayLevelFixture : public Fixture
{
protected:
    void TearDown() override
    {
        level.reset();
        Fixture::TearDown();
    }

    // Drops any level built before, starts a fresh key script and builds the level with the
    // fixture's events. A build that throws fails the test with the error's text and leaves no level;
    // use as ASSERT_TRUE(BuildLevel()).
    bool BuildLevel()
    {
        level.reset();
        this->keyScript = KeyScript();
        try
        {
            level = std::make_unique<Level>(&this->events);
        }
        catch (Error const& e)
        {
            ADD_FAILURE() << "building the level: " << e.Text();
            return false;
        }
        return true;
    }

    // For each seed of the long list and a fresh one: the C library's generator seeded with it, the
    // level built afresh and a harness over it, and body(harness, random) with random seeded alike
    // to play, travel and check. Stops at the first seed that fails fatally.
    template <class Body>
    void ReplayEachSeed(Body&& body)
    {
        ForEachSeed(TestSeeds_Long, [&](unsigned seed) {
            std::mt19937 random(seed);
            std::srand(seed);
            ASSERT_TRUE(BuildLevel());
            ReplayHarness harness(*level, this->keyScript);
            body(harness, random);
            level.reset();
        });
    }

    std::unique_ptr<Level> level;
};

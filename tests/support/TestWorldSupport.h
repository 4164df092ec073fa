// Test support: the level fixture with the test world to step and its sounds written.
#pragma once

#include "engine/KeyData.h"
#include "support/KeyScript.h"
#include "support/LevelFixture.h"
#include "support/TestAudio.h"
#include "testworld/Test_World.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class TestWorldSupport : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        TestAudio::WriteSounds(data->path, {"ticking", "success"});
    }

    void TearDown() override
    {
        world.reset();
        LevelFixture::TearDown();
    }

    Test_World& MakeWorld()
    {
        try
        {
            world = std::make_unique<Test_World>(&events);
        }
        catch (Error const& e)
        {
            ADD_FAILURE() << "building the test world: " << e.Text();
            throw;
        }
        return *world;
    }

    KeyData NextKeys(std::vector<int> const& held) { return keyScript.Next(held); }

    Level_Action Step(std::vector<int> const& held = {}) { return world->Poll(NextKeys(held)); }

    std::unique_ptr<Test_World> world;
};

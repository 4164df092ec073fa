// Test support: a generated data folder with the test world, a window, the sound table and a world to step.
#pragma once

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "support/KeyScript.h"
#include "support/TestAudio.h"
#include "support/TestFolder.h"
#include "testworld/Test_World.h"
#include "tools/DataGen.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

class TestWorldSupport : public testing::Test
{
protected:
    // The data is the same for every test: written once, entered by each test.
    static void SetUpTestSuite()
    {
        data = new TestFolder(false);
        DataGen::WriteAll(data->path.string());
        TestAudio::WriteSounds(data->path, {"ticking", "success"});
    }
    static void TearDownTestSuite()
    {
        delete data;
        data = nullptr;
    }

    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(data->path);
        MessageBox::SetRecordOnly(true);
        ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
        gameSounds = &sounds;
        events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    }
    void TearDown() override
    {
        world.reset();
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
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

    static inline TestFolder* data = nullptr;
    std::filesystem::path previous;
    Game_Sounds sounds;
    GameEvents events;
    std::unique_ptr<Test_World> world;
    KeyScript keyScript;
};

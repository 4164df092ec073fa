// Test support: a generated data folder made the working directory, a window, the sound table and
// the events of a game past its first time travel; the test builds the level to step.
#pragma once

#include "engine/GameEvents.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "support/KeyScript.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

#include <filesystem>

class LevelFixture : public testing::Test
{
protected:
    // The data is the same for every test of a suite: written once, entered by each test.
    static void SetUpTestSuite()
    {
        data = new TestFolder(false);
        DataGen::WriteAll(data->path.string());
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
    // A derived fixture drops its level before this runs: the level still uses the sounds and window.
    void TearDown() override
    {
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
    }

    static inline TestFolder* data = nullptr;
    std::filesystem::path previous;
    Game_Sounds sounds;
    GameEvents events;
    KeyScript keyScript;
};

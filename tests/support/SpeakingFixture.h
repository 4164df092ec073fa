// A fixture for engine tests that speak: generated pictures and font in a scratch folder made
// the working directory, a window with its GL context, and the speech bubbles set up.
#pragma once

#include "engine/SpeechBubble.h"
#include "media/GameFont.h"
#include "platform/GameWindow.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

class SpeakingFixture : public ::testing::Test
{
protected:
    // The data is the same for every test of a suite: written once.
    static void SetUpTestSuite()
    {
        data = new TestFolder(true);
        DataGen::WriteImages(data->Path());
        DataGen::WriteFont(data->Path());
        DataGen::WriteSpeechBubbles(data->Path());
    }

    static void TearDownTestSuite()
    {
        delete data;
        data = nullptr;
    }

    SpeakingFixture()
    {
        EXPECT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
        font = new GameFont();
        SpeechBubble::Initialise(font);
    }

    ~SpeakingFixture() override
    {
        SpeechBubble::Finalise();
        delete font;
        GameWindow::Close();
    }

    static inline TestFolder* data = nullptr;
    GameFont* font = nullptr;
};

// A fixture for engine tests that speak: generated pictures and font in a scratch folder made
// the working directory, a window with its GL context, and the speech bubbles set up.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "GameFont.h"
#include "SpeechBubble.h"
#include "platform/GameWindow.h"
#include "tools/DataGen.h"

class SpeakingFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/hm_speaking_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        DataDir() = pattern;
        DataGen::WriteImages(DataDir());
        DataGen::WriteFont(DataDir());
        DataGen::WriteSpeechBubbles(DataDir());
        PreviousDir() = std::filesystem::current_path();
        std::filesystem::current_path(DataDir());
    }

    static void TearDownTestSuite()
    {
        std::filesystem::current_path(PreviousDir());
        std::error_code ignored;
        std::filesystem::remove_all(DataDir(), ignored);
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

    static std::string& DataDir()
    {
        static std::string dir;
        return dir;
    }
    static std::filesystem::path& PreviousDir()
    {
        static std::filesystem::path dir;
        return dir;
    }
    GameFont* font = nullptr;
};

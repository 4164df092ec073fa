// Shared by the shell's tests: the generated data set in a scratch working folder, a window
// with its GL context, and key records built step by step.
#pragma once

#include "KeyData.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "tools/DataGen.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <unistd.h>

class ShellTestSupport : public testing::Test
{
protected:
    // The images and the font are made once for all the shell's tests.
    static void SetUpTestSuite()
    {
        if (!dataDir.empty())
            return;
        char pattern[] = "/tmp/hm_shell_XXXXXX";
        char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        dataDir = made;
        DataGen::WriteImages(dataDir);
        DataGen::WriteFont(dataDir);
    }

    void SetUp() override
    {
        MessageBox::SetRecordOnly(true);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dataDir);
        ClearWritten();
        DefaultKeyAssign();
        ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void TearDown() override
    {
        GameWindow::Close();
        ClearWritten();
        std::filesystem::current_path(previous);
    }

    // What the game writes into its working folder.
    static void ClearWritten()
    {
        std::error_code ignored;
        std::filesystem::remove_all("saves", ignored);
        std::filesystem::remove("keyassign", ignored);
    }

    static std::array<int, 3> Pixel(int x, int y)
    {
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // A key record for one step: the keys given take the state, all others are up.
    static KeyData Keys(std::initializer_list<int> indices, std::uint8_t state)
    {
        KeyData keys;
        for (int i : indices)
            keys.keys[i] = state;
        return keys;
    }

    static inline std::string dataDir;
    std::filesystem::path previous;
};

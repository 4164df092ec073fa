// Shared by the shell's tests: the generated data set as the working folder, a window with its
// GL context, and key records for single steps.
#pragma once

#include "engine/KeyData.h"
#include "support/MediaTestSupport.h"
#include "tools/DataGen.h"
#include "tools/PuzzleWriter.h"

#include <memory>

class ShellTestSupport : public testing::Test
{
protected:
    // The images and the font are made once for all the shell's tests.
    static void SetUpTestSuite()
    {
        if (data)
            return;
        data = std::make_unique<TestFolder>(false);
        DataGen::WriteImages(data->path.string());
        DataGen::WriteFont(data->path.string());
        DataGen::WriteSpeechBubbles(data->path.string());
        PuzzleWriter::WriteAll(data->path.string());
    }

    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(data->path);
        DefaultKeyAssign();
        ASSERT_NO_FATAL_FAILURE(OpenScreenWindow());
    }

    void TearDown() override
    {
        if (GameWindow::IsOpen())
            GameWindow::Close();
        // What the game writes into its working folder.
        std::filesystem::remove_all("saves");
        std::filesystem::remove("keyassign");
        std::filesystem::current_path(previous);
    }

    // A key record for one step: the keys given take the state, all others are up.
    static KeyData Keys(std::initializer_list<int> indices, std::uint8_t state)
    {
        KeyData keys;
        for (int i : indices)
            keys.keys[i] = state;
        return keys;
    }

    // One step of a screen with one key in a state.
    template <class Screen>
    static auto Feed(Screen& screen, int index, std::uint8_t state)
    {
        KeyData keys = Keys({index}, state);
        return screen.Poll(&keys);
    }

    static inline std::unique_ptr<TestFolder> data;
    std::filesystem::path previous;
};

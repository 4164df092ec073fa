// Test support: one frame of a level drawn as the program draws it, over a clear colour that no
// picture of the game uses, and read back from the window: where the frame shows bare clear colour.
#pragma once

#include "engine/Level.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

struct LevelFrame
{
    static constexpr int Width = 640;
    static constexpr int Height = 480;

    // Draws the level's frame over magenta and reads it back; the window's clear colour is left as
    // it was.
    static LevelFrame Draw(Level& level)
    {
        float before[4] = {};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, before);
        level.SetProjection();
        glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        level.Plot();
        glClearColor(before[0], before[1], before[2], before[3]);
        LevelFrame frame;
        frame.rgba.resize(std::size_t(Width) * Height * 4);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
        return frame;
    }

    // The pixels that still show the clear colour.
    int Cleared() const
    {
        int count = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4)
            count += rgba[i] == 255 && rgba[i + 1] == 0 && rgba[i + 2] == 255 ? 1 : 0;
        return count;
    }

    std::vector<unsigned char> rgba; // rows from the bottom
};

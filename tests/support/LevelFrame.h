// Test support: the window's picture read back, and one frame of a level drawn as the program draws
// it over a clear colour that no picture of the game uses: where the frame shows bare clear colour.
#pragma once

#include "engine/Level.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

// The window's picture as it stands, w x h from the bottom left, RGBA rows from the bottom.
inline std::vector<unsigned char> ScreenPixels(int w = 640, int h = 480)
{
    std::vector<unsigned char> pixels(std::size_t(w) * std::size_t(h) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// How many pixels of two pictures of one size differ.
inline int DifferingPixels(std::vector<unsigned char> const& a, std::vector<unsigned char> const& b)
{
    int count = 0;
    for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] || a[i + 3] != b[i + 3] ? 1 : 0;
    return count;
}

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
        frame.rgba = ScreenPixels(Width, Height);
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

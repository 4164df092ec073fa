// Test support for the village: the frame a level draws, read back from the window, with the colours
// its games are told by: the red, blue, green and yellow of Marbles' marbles and jars, and white.
#pragma once

#include "engine/Level.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <vector>

using FramePixels_Rgb = std::array<int, 3>;

// The hues in the order of the marbles' colours, then white.
constexpr int FramePixels_Red = 0;
constexpr int FramePixels_Blue = 1;
constexpr int FramePixels_Green = 2;
constexpr int FramePixels_Yellow = 3;
constexpr int FramePixels_White = 4;
constexpr int FramePixels_Hues = 5;

struct FramePixels
{
    static constexpr int Width = 640;
    static constexpr int Height = 480;

    // Draws one frame of the level as the program does and reads it back.
    static FramePixels Draw(Level& drawn)
    {
        drawn.SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        drawn.Plot();
        FramePixels frame;
        frame.rgba.resize(std::size_t(Width) * Height * 4);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
        return frame;
    }

    // The colour at a point of the screen (y from the bottom), clamped to the frame.
    FramePixels_Rgb At(double x, double y) const
    {
        int const px = std::clamp(int(x), 0, Width - 1);
        int const py = std::clamp(int(y), 0, Height - 1);
        unsigned char const* p = &rgba[(std::size_t(py) * Width + px) * 4];
        return {p[0], p[1], p[2]};
    }

    // Every pixel of a box of the screen, clipped to the frame.
    void ForEach(double x0, double y0, double x1, double y1, std::function<void(FramePixels_Rgb)> const& see) const
    {
        for (int y = std::max(0, int(y0)); y < std::min(Height, int(y1)); y++)
            for (int x = std::max(0, int(x0)); x < std::min(Width, int(x1)); x++)
                see(At(x, y));
    }

    // The pixels of a box whose hue is hue.
    int Count(double x0, double y0, double x1, double y1, int hue) const
    {
        int n = 0;
        ForEach(x0, y0, x1, y1, [&](FramePixels_Rgb c) { n += HueOf(c) == hue ? 1 : 0; });
        return n;
    }

    // A saturated red, blue, green or yellow, or a near white; -1 for anything else (skin, wood,
    // the dark rims of the pictures).
    static int HueOf(FramePixels_Rgb c)
    {
        int const r = c[0], g = c[1], b = c[2];
        if (r > 225 && g > 225 && b > 225)
            return FramePixels_White;
        if (r > 150 && g < 90 && b < 90)
            return FramePixels_Red;
        if (b > 150 && r < 110 && b > g + 60)
            return FramePixels_Blue;
        if (g > 120 && r < 110 && b < 110 && g > r + 50)
            return FramePixels_Green;
        if (r > 170 && g > 150 && b < 90)
            return FramePixels_Yellow;
        return -1;
    }

    static int Brightness(FramePixels_Rgb c) { return c[0] + c[1] + c[2]; }

    std::vector<unsigned char> rgba;
};

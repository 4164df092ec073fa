// Test support: white outlines in the frame just drawn that split nothing a player could see: a white
// run across a stretch that looks the same on both sides of it, or any white run standing upright
// (the tops of floors, the only outlines meant to be seen, lie flat or slope).
#pragma once

#include <GL/gl.h>

#include <cstdlib>
#include <vector>

struct FrameLines_Stray
{
    int x, y; // where the run starts, y from the bottom of the 640 x 480 screen
    bool upright;
};

// Leaves out the rows of the hearts and clocks at the top and of the hint panel at the bottom.
inline std::vector<FrameLines_Stray> FrameLines_StrayWhite()
{
    int const w = 640, h = 480, low = 48, high = 424;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * h * 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    auto at = [&](int x, int y) { return &pixels[(static_cast<std::size_t>(y) * w + x) * 4]; };
    auto white = [&](int x, int y) {
        unsigned char const* p = at(x, y);
        return p[0] >= 250 && p[1] >= 250 && p[2] >= 250;
    };
    std::vector<FrameLines_Stray> stray;
    for (int y = low; y < high; ++y)
        for (int x = 0; x < w;)
        {
            int end = x;
            while (end < w && white(end, y))
                ++end;
            if (end - x >= 40)
            {
                // The mean difference between the rows two above and two below, along the run.
                long differ = 0;
                for (int i = x; i < end; ++i)
                    for (int c = 0; c < 3; ++c)
                        differ += std::abs(at(i, y + 2)[c] - at(i, y - 2)[c]);
                if (differ < 24L * 3 * (end - x))
                    stray.push_back({x, y, false});
            }
            x = end + 1;
        }
    for (int x = 0; x < w; ++x)
        for (int y = low; y < high;)
        {
            int end = y;
            while (end < high && white(x, end))
                ++end;
            if (end - y >= 24)
                stray.push_back({x, y, true});
            y = end + 1;
        }
    return stray;
}

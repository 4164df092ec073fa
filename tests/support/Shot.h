// Test support: a screenshot the real program wrote (the input script's "shot" line), read back as
// RGB, top row first, with the counts the program tests check colours by. A picture the program
// did not leave fails the test, saying so, and reads as no colour at all.
#pragma once

#include "support/PngPixels.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

struct Shot
{
    using Colour = std::array<int, 3>;
    using Test = std::function<bool(Colour)>;

    int width = 0; // 0 when the file cannot be read
    int height = 0;
    std::vector<unsigned char> rgb;

    explicit Shot(std::filesystem::path const& file)
    {
        PngPixels_Read(file, PNG_FORMAT_RGB, rgb, width, height);
        if (width == 0)
            ADD_FAILURE() << "no picture: the program left no readable " << file;
    }

    // The colour of a pixel of the picture, row y counted from the top; {-1, -1, -1} outside it.
    Colour Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return {-1, -1, -1};
        std::size_t const i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }

    // The colour at a logical point of the 640x480 screen, y from the bottom.
    Colour At(double x, double y) const
    {
        int const px = std::clamp(static_cast<int>(x * width / 640.0), 0, std::max(width - 1, 0));
        int const py = std::clamp(static_cast<int>((480.0 - y) * height / 480.0), 0, std::max(height - 1, 0));
        return Pixel(px, py);
    }
    int Sum(double x, double y) const
    {
        Colour const c = At(x, y);
        return c[0] + c[1] + c[2];
    }

    // The pixels of the whole picture whose colour passes the test.
    int Count(Test const& test) const
    {
        int count = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            count += test({rgb[i], rgb[i + 1], rgb[i + 2]}) ? 1 : 0;
        return count;
    }

    // Logical points of a box (x0 to x1, y0 to y1, one unit apart) whose colour passes the test.
    int Count(double x0, double y0, double x1, double y1, Test const& test) const
    {
        int count = 0;
        for (double y = y0; y < y1; y += 1.0)
            for (double x = x0; x < x1; x += 1.0)
                count += test(At(x, y)) ? 1 : 0;
        return count;
    }

    // The share of the picture's points, on a grid, whose colour passes the test.
    double Share(Test const& test) const
    {
        int hits = 0;
        int all = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3 * 7, ++all)
            hits += test({rgb[i], rgb[i + 1], rgb[i + 2]}) ? 1 : 0;
        return all == 0 ? 0.0 : double(hits) / all;
    }

    // How many colours the picture holds; 0 when it could not be read.
    std::size_t Colours() const
    {
        std::set<int> seen;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            seen.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return seen.size();
    }
};

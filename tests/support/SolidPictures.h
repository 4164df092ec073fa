// Test support: the pictures a world's objects load, each a solid colour, for tests that place the
// objects without the generated data.
#pragma once

#include "tools/Canvas.h"

#include <filesystem>
#include <string>
#include <vector>

// Writes folder/NAME.png for each name (NAME may hold a subfolder), picture i a w x h block of
// colour(i); the folders are made as needed.
template <class Colour>
void WriteSolidPictures(std::filesystem::path const& folder, std::vector<std::string> const& names, Colour&& colour,
                        int w = 8, int h = 8)
{
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        std::filesystem::path const file = folder / (names[i] + ".png");
        std::filesystem::create_directories(file.parent_path());
        Canvas(w, h, colour(int(i))).WritePng(file.string());
    }
}

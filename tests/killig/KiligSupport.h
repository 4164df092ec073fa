// Kilig test support: the master's frames and a ball picture, each a solid colour of its own,
// written into a test's data folder.
#pragma once

#include "killig/Kilig_Dude.h"
#include "support/SolidPictures.h"
#include "tools/Canvas.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The colour of the master's frame f.
inline Rgba KiligFrameColour(int f)
{
    return Rgba{std::uint8_t(40 * f + 30), 120, 60, 255};
}

inline void WriteKiligImages(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx/killig";
    std::vector<std::string> frames;
    for (int f = 0; f < Kilig_Dude_NumFrames; f++)
        frames.push_back("killig0" + std::to_string(f));
    WriteSolidPictures(gfx, frames, KiligFrameColour);
    WriteSolidPictures(gfx / "objects", {"redblue"}, [](int) { return Rgba{200, 40, 200, 255}; });
}

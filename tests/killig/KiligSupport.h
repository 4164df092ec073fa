// Kilig test support: the master's frames and a ball picture, each a solid colour of its own,
// written into a test's data folder.
#pragma once

#include "killig/Kilig_Dude.h"
#include "tools/Canvas.h"

#include <cstdint>
#include <filesystem>
#include <string>

// The colour of the master's frame f.
inline Rgba KiligFrameColour(int f)
{
    return Rgba{std::uint8_t(40 * f + 30), 120, 60, 255};
}

inline void WriteKiligImages(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx/killig";
    std::filesystem::create_directories(gfx / "objects");
    for (int f = 0; f < Kilig_Dude_NumFrames; f++)
        Canvas(8, 8, KiligFrameColour(f)).WritePng((gfx / ("killig0" + std::to_string(f) + ".png")).string());
    Canvas(8, 8, Rgba{200, 40, 200, 255}).WritePng((gfx / "objects/redblue.png").string());
}

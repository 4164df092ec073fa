// Chasm test support: the generated data with the canyon's own pictures added, each a solid colour,
// and a small closed chamber for fireballs to bounce in.
#pragma once

#include "chasm/Chasm_FireBall.h"
#include "chasm/Chasm_HangOn.h"
#include "engine/Level.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "support/LevelFixture.h"
#include "support/MediaTestSupport.h"
#include "support/SmallMap.h"
#include "tools/Canvas.h"

#include <filesystem>
#include <memory>
#include <string>

// The flower is taller than wide, so that its anchor shows in either direction.
constexpr int ChasmPicture_FlowerWidth = 20;
constexpr int ChasmPicture_FlowerHeight = 50;
constexpr Rgba ChasmPicture_Flower{200, 40, 40, 255};
constexpr Rgba ChasmPicture_FireBall[3] = {{240, 160, 0, 255}, {240, 200, 0, 255}, {240, 240, 0, 255}};
constexpr Rgba ChasmPicture_Fan{40, 200, 200, 255};

inline void WriteChasmPictures(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx/chasm";
    std::filesystem::create_directories(gfx / "fireball");
    std::filesystem::create_directories(gfx / "objects");
    Canvas(ChasmPicture_FlowerWidth, ChasmPicture_FlowerHeight, ChasmPicture_Flower)
        .WritePng((gfx / "flower.png").string());
    for (int i = 0; i < 3; ++i)
        Canvas(8, 8, ChasmPicture_FireBall[i])
            .WritePng((gfx / "fireball").string() + "/fireball0" + std::to_string(i) + ".png");
    for (int i = 0; i < 3; ++i)
        Canvas(12, 12, ChasmPicture_Fan).WritePng((gfx / "objects").string() + "/fan" + std::to_string(i) + ".png");
}

// The floor's top at y 0 from x -2000 to 2000, a closed chamber whose inside runs from x 300 to
// 600 and y 400 to 700, and launch points inside it; seen with the origin at the screen's centre.
constexpr unsigned int ChasmChamber_Floor = 1;  // (450, 410): just above the chamber's floor
constexpr unsigned int ChasmChamber_Corner = 2; // (310, 410): by its left wall
constexpr unsigned int ChasmChamber_Middle = 3; // (450, 550)

inline MapWriter ChamberWriter()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(280.0, 380.0, 620.0, 400.0, 0, 0, true, false, 64.0);
    writer.AddBox(280.0, 700.0, 620.0, 720.0, 0, 0, true, false, 64.0);
    writer.AddBox(280.0, 400.0, 300.0, 700.0, 0, 0, true, false, 64.0);
    writer.AddBox(600.0, 400.0, 620.0, 700.0, 0, 0, true, false, 64.0);
    writer.AddRefPoint(ChasmChamber_Floor, 450.0, 410.0);
    writer.AddRefPoint(ChasmChamber_Corner, 310.0, 410.0);
    writer.AddRefPoint(ChasmChamber_Middle, 450.0, 550.0);
    return writer;
}

// The number of ticks a record holds over a whole level.
inline Tick Recorded(TimeSet const& set)
{
    return set.Count(Level_TotalTime + 1);
}

class ChasmFixture : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteChasmPictures(data->path.string());
    }
};

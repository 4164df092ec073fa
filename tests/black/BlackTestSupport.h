// Black mountains test support: the generated data with the mountains' own pictures added, each a
// solid colour, a small map for the rocks to roll over, and the screen helpers.
#pragma once

#include "engine/Map.h"
#include "support/LevelFixture.h"
#include "support/MediaTestSupport.h"
#include "support/SmallMap.h"
#include "tools/Canvas.h"

#include <GL/gl.h>

#include <array>
#include <filesystem>
#include <string>

// The ogre's body is the size its areas are worked out from: 64 wide and 96 high.
constexpr int BlackPicture_OgreWidth = 64;
constexpr int BlackPicture_OgreHeight = 96;
constexpr int BlackPicture_ArmWidth = 40;
constexpr int BlackPicture_ArmHeight = 10;
constexpr Rgba BlackPicture_Body{200, 40, 40, 255};
constexpr Rgba BlackPicture_Arm{40, 200, 40, 255};
constexpr Rgba BlackPicture_Die[3] = {{40, 40, 200, 255}, {200, 200, 40, 255}, {200, 40, 200, 255}};
constexpr Rgba BlackPicture_Rock{120, 120, 120, 255};

inline void WriteBlackPictures(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx/black";
    std::filesystem::create_directories(gfx / "ogre");
    Canvas(16, 16, BlackPicture_Rock).WritePng((gfx / "rock.png").string());
    Canvas(BlackPicture_OgreWidth, BlackPicture_OgreHeight, BlackPicture_Body)
        .WritePng((gfx / "ogre/ogrebody.png").string());
    Canvas(BlackPicture_ArmWidth, BlackPicture_ArmHeight, BlackPicture_Arm)
        .WritePng((gfx / "ogre/ogrearm.png").string());
    for (int i = 0; i < 3; ++i)
        Canvas(BlackPicture_OgreWidth, BlackPicture_OgreHeight, BlackPicture_Die[i])
            .WritePng((gfx / ("ogre/ogredie" + std::to_string(i + 1) + ".png")).string());
}

// The floor's top at y 0 from x -2000 to 2000, with a wall whose right face is at x -300; a
// boulder's resting point 20 above the floor, a point high above it and a point in the open air
// far from everything.
constexpr unsigned int BlackMap_Ledge = 1; // (-240, 20)
constexpr unsigned int BlackMap_High = 2;  // (100, 300)
constexpr unsigned int BlackMap_Open = 3;  // (8000, 5000): beyond the floor, nothing below it for good
constexpr double BlackMap_WallFace = -300.0;

inline MapWriter BlackWriter()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(-400.0, 0.0, BlackMap_WallFace, 400.0, 0, 0, true, false, 64.0);
    writer.AddRefPoint(BlackMap_Ledge, -240.0, 20.0);
    writer.AddRefPoint(BlackMap_High, 100.0, 300.0);
    writer.AddRefPoint(BlackMap_Open, 8000.0, 5000.0);
    return writer;
}

// Seen at scale 1 with the point at the screen's centre (320, 240).
inline void LookAt(Map& map, Pointf const& p)
{
    map.view.x = p.x - 320.0;
    map.view.y = p.y - 240.0;
    map.view.scale = 1.0;
}

class BlackFixture : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteBlackPictures(data->path.string());
    }
};

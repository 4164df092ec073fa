// Den test support: the dragon's pictures, each a solid colour (the side views two-tone, snout
// on the right), added to the generated data, and a screen to draw on and read back.
#pragma once

#include "final/Final_Dragon.h"
#include "support/LevelFixture.h"
#include "support/MediaTestSupport.h"
#include "tools/Canvas.h"

#include <GL/gl.h>

#include <array>
#include <filesystem>
#include <string>

constexpr int DragonPicture_BodyWidth = 256;
constexpr int DragonPicture_BodyHeight = 200;
constexpr int DragonPicture_HeadWidth = 96;
constexpr int DragonPicture_HeadHeight = 64;

constexpr Rgba DragonPicture_Body{30, 110, 40, 255};
constexpr Rgba DragonPicture_Neck{150, 90, 40, 255};
constexpr Rgba DragonPicture_Look0Back{200, 200, 0, 255};
constexpr Rgba DragonPicture_Look0Snout{250, 120, 0, 255};
constexpr Rgba DragonPicture_Look1Back{200, 0, 200, 255};
constexpr Rgba DragonPicture_Look1Snout{120, 0, 250, 255};
constexpr Rgba DragonPicture_Front0{0, 200, 100, 255};
constexpr Rgba DragonPicture_Front1{0, 100, 200, 255};
constexpr Rgba DragonPicture_Gem{90, 90, 90, 255};
constexpr Rgba DragonPicture_GemOn{250, 250, 250, 255};
constexpr Rgba DragonPicture_Flame{255, 60, 0, 255};
constexpr Rgba DragonPicture_SmallRock{120, 120, 160, 255};
constexpr Rgba DragonPicture_LargeRock{100, 60, 60, 255};

inline void WriteDragonPictures(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx/final/dragon";
    std::filesystem::create_directories(gfx);
    auto solid = [&gfx](char const* name, int w, int h, Rgba c) { Canvas(w, h, c).WritePng((gfx / name).string()); };
    auto twoTone = [&gfx](char const* name, Rgba back, Rgba snout) {
        Canvas c(DragonPicture_HeadWidth, DragonPicture_HeadHeight, back);
        c.FillRect(DragonPicture_HeadWidth / 2, 0, DragonPicture_HeadWidth / 2, DragonPicture_HeadHeight, snout);
        c.WritePng((gfx / name).string());
    };
    solid("body.png", DragonPicture_BodyWidth, DragonPicture_BodyHeight, DragonPicture_Body);
    solid("neck.png", 16, 64, DragonPicture_Neck);
    twoTone("headlook0.png", DragonPicture_Look0Back, DragonPicture_Look0Snout);
    twoTone("headlook1.png", DragonPicture_Look1Back, DragonPicture_Look1Snout);
    solid("headfwd0.png", DragonPicture_HeadWidth, DragonPicture_HeadHeight, DragonPicture_Front0);
    solid("headfwd1.png", DragonPicture_HeadWidth, DragonPicture_HeadHeight, DragonPicture_Front1);
    solid("gem.png", 20, 20, DragonPicture_Gem);
    solid("gemon.png", 20, 20, DragonPicture_GemOn);
    solid("flame.png", 16, 16, DragonPicture_Flame);
    solid("smallrock.png", 12, 12, DragonPicture_SmallRock);
    solid("largerock.png", 30, 30, DragonPicture_LargeRock);
}

// The pixels of the whole screen that are not black.
inline int LitPixels()
{
    std::vector<unsigned char> rgba(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int lit = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        lit += rgba[i] != 0 || rgba[i + 1] != 0 || rgba[i + 2] != 0 ? 1 : 0;
    return lit;
}

class FinalFixture : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteDragonPictures(data->path.string());
    }
};

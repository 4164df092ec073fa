// PolyBatch: maps drawn in batches show exactly the pixels of their polygons drawn one by one, and
// the GL is left as drawing one by one leaves it.
#include "engine/PolyBatch.h"

#include "engine/Map.h"
#include "engine/Poly.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "support/LevelFrame.h"
#include "support/MapFiles.h"
#include "support/MediaTestSupport.h"
#include "support/RandomSeed.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/worlds/treevillage.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr double Pi = 3.14159265358979;

// Texture ids of the drawing fixture's image map.
enum : unsigned int
{
    Noise = 1,      // opaque, repeating: filled unblended
    RgbNoise = 2,   // no alpha channel, repeating: unblended
    SeeThrough = 3, // alpha from clear to full: blended
    Clamped = 4,    // opaque pixels, but padded with a clear band on every side: blended
    Plain = 5,      // opaque, repeating, nearest filtering: unblended
    Flicker = 6,    // animated: an opaque frame, then a see-through one
    Keyed = 7,      // a key colour masked out: blended
    LastId = Keyed
};

// A picture whose neighbouring texels all differ, so that a texel taken from elsewhere, or
// filtered differently, shows.
void WriteNoise(std::string const& name, int w, int h, std::uint8_t alpha, int seed, PngFormat format = PngFormat::Rgba)
{
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            int const k = x * 37 + y * 11 + seed * 71;
            std::uint8_t const a = alpha == 0 ? std::uint8_t((x * 29 + y * 13) % 256) : alpha;
            c.Set(x, y, Rgba{std::uint8_t(k), std::uint8_t(x * 5 + y * 53 + seed), std::uint8_t(x * y + seed * 3), a});
        }
    c.WritePng("gfx/map/" + name, format);
}

// A ground that differs from pixel to pixel, so that whatever blends over it shows how.
void DrawGround(Textures const& textures)
{
    glClearColor(0.2f, 0.3f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    textures.Associate(0, Noise);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(0.0f, 3.1f);
    glVertex2f(0.0f, 480.0f);
    glTexCoord2f(4.3f, 3.1f);
    glVertex2f(640.0f, 480.0f);
    glTexCoord2f(4.3f, 0.0f);
    glVertex2f(640.0f, 0.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

// Every polygon of the map drawn on its own, in order: what a batch must match.
void DrawOneByOne(MapBase const& map, Textures const& textures, Tick time)
{
    for (unsigned int i = 0; i < map.polyCount; ++i)
        map.polys[i]->Render(&textures, &map.view, time);
}

// Convex polygons, clockwise with y up, of every texture and none, some with outlines, scattered
// over and beyond a 640x480 screen at scale 1.
MapWriter RandomPolygons(std::mt19937& random, int count)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    MapWriter writer;
    for (int p = 0; p < count; ++p)
    {
        double const cx = -150.0 + unit(random) * 940.0, cy = -150.0 + unit(random) * 780.0;
        double const radius = 4.0 + std::pow(unit(random), 2.0) * 400.0;
        int const n = 3 + int(unit(random) * 6.0);
        std::vector<double> angles;
        for (int i = 0; i < n; ++i)
            angles.push_back(unit(random) * 2.0 * Pi);
        std::sort(angles.rbegin(), angles.rend()); // clockwise
        MapWriter_Poly poly{unsigned(unit(random) * (LastId + 1)), 0, false, unit(random) < 0.3, {}};
        bool const fitted = unit(random) < 0.3;
        double const texScale = 16.0 + unit(random) * 200.0, shift = unit(random) * 3.0;
        for (double a : angles)
        {
            double const x = cx + radius * std::sin(a), y = cy + radius * std::cos(a);
            double const u = fitted ? 0.5 + 0.5 * std::sin(a) : x / texScale + shift;
            double const v = fitted ? 0.5 + 0.5 * std::cos(a) : y / texScale - shift;
            poly.points.push_back({x, y, u, v, unit(random) < 0.15});
        }
        writer.AddPoly(poly);
    }
    return writer;
}
} // namespace

class PolyBatchDraw : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        std::filesystem::create_directories("gfx/map");
        WriteNoise("noise.png", 53, 31, 255, 1);
        WriteNoise("rgbnoise.png", 24, 40, 255, 2, PngFormat::Rgb);
        WriteNoise("seethrough.png", 40, 24, 0, 3);
        WriteNoise("clamped.png", 30, 30, 255, 4);
        WriteNoise("plain.png", 16, 16, 255, 5);
        WriteNoise("flicker00.png", 32, 32, 255, 6);
        WriteNoise("flicker01.png", 32, 32, 0, 7);
        Canvas keyed(32, 32, Rgba{0, 0, 255, 255});
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 150)
                    keyed.Set(x, y, Rgba{std::uint8_t(x * 8), std::uint8_t(y * 8), 40, 255});
        keyed.WritePng("gfx/map/keyed.png", PngFormat::Rgb);
        dir.WriteText("world/imagemap", "world\n0 noise.png hv\n1 noise.png hv\n2 rgbnoise.png hv\n"
                                        "3 seethrough.png hv\n4 clamped.png\n5 plain.png hvp\n"
                                        "6 flicker**.png hv 2 256\n7 keyed.png m\n");
        textures = std::make_unique<Textures>("world/imagemap");
    }
    void TearDown() override
    {
        textures.reset();
        MediaTestSupport_Gl::TearDown();
    }

    std::unique_ptr<Textures> textures;
};

TEST_F(PolyBatchDraw, OpaqueTexturesFillUnblendedAndTheStateIsLeftAsOneByOne)
{
    ASSERT_TRUE(textures->GetFrame(0, Noise)->SamplesOpaque());
    ASSERT_TRUE(textures->GetFrame(0, RgbNoise)->SamplesOpaque());
    ASSERT_TRUE(textures->GetFrame(0, Plain)->SamplesOpaque());
    ASSERT_FALSE(textures->GetFrame(0, SeeThrough)->SamplesOpaque());
    ASSERT_FALSE(textures->GetFrame(0, Clamped)->SamplesOpaque());
    ASSERT_FALSE(textures->GetFrame(0, Keyed)->SamplesOpaque());
    ASSERT_TRUE(textures->GetFrame(255, Flicker)->SamplesOpaque());
    ASSERT_FALSE(textures->GetFrame(256, Flicker)->SamplesOpaque());

    MapWriter writer;
    writer.AddBox(10, 10, 100, 100, Noise, 0, false, false, 64);
    writer.AddBox(50, 50, 150, 150, SeeThrough, 0, false, false, 64);
    writer.AddBox(100, 100, 200, 200, Flicker, 0, false, false, 64);
    auto map = MapFiles::Load<MapBase>(writer, textures.get());

    auto check = [&](Tick time, bool blendAfterFlicker) {
        PolyBatch batch(textures.get(), &map->view, time);
        batch.Draw(map->polys[0]);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        batch.Draw(map->polys[1]);
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        batch.Draw(map->polys[2]);
        EXPECT_EQ(glIsEnabled(GL_BLEND) == GL_TRUE, blendAfterFlicker) << "time " << time;
        batch.Finish();
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    };
    check(0, false);
    check(300, true);

    // A batch that draws nothing changes nothing; one that found blending off leaves it off.
    glEnable(GL_TEXTURE_2D);
    {
        PolyBatch batch(textures.get(), &map->view, 0);
    }
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_BLEND);
    {
        PolyBatch batch(textures.get(), &map->view, 0);
        batch.Draw(map->polys[1]);
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending turned on where the caller had it off";
    }
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glEnable(GL_BLEND);
}

TEST_F(PolyBatchDraw, RandomMapsShowThePixelsOfTheirPolygonsDrawnOneByOne)
{
    ForEachSeed(TestSeeds_Default, [&](unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        MapWriter writer = RandomPolygons(random, 70);
        // The view moves and zooms the map over the screen.
        writer.SetView(-80.0 + unit(random) * 160.0, -80.0 + unit(random) * 160.0, 0.6 + unit(random) * 1.2);
        auto const bytes = MapFiles::Bytes(writer);
        auto plain = MapFiles::Load<MapBase>(bytes, textures.get());
        auto map = MapFiles::Load<Map>(bytes, textures.get());
        map->PreprocessCollision();
        Tick const time = unit(random) < 0.5 ? 100 : 400; // the flickering texture's two frames

        DrawGround(*textures);
        DrawOneByOne(*plain, *textures, time);
        std::vector<unsigned char> const expected = ScreenPixels();

        DrawGround(*textures);
        plain->Render(time);
        EXPECT_EQ(DifferingPixels(ScreenPixels(), expected), 0) << "the plain drawing of a background map";
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_BLEND));

        DrawGround(*textures);
        map->Render(time, Map_Render_Flags(Map_Render_Back | Map_Render_Fore));
        EXPECT_EQ(DifferingPixels(ScreenPixels(), expected), 0) << "both layers of a level map";
    });
}

// The village's backdrop with its own textures (sky, hills, trunks, crowns), tiled as the village
// tiles it, over the village's map.
TEST_F(PolyBatchDraw, TheVillagesBackdropAndMapShowTheSamePixels)
{
    DataGen::WriteTextureLists(dir.Path());
    MapWriter::WritePlaceholders(dir.Path(), DataGen::worldDirs, 1);
    TreeVillage::Write(dir.Path());
    Textures village("treevillage/imagemap");
    FILE* file = HM_OpenFile("treevillage/bgmap", "rb");
    ASSERT_NE(file, nullptr);
    auto const backdrop = std::make_unique<MapBase>(&village, file, "treevillage/bgmap");
    std::fclose(file);
    file = HM_OpenFile("treevillage/map", "rb");
    ASSERT_NE(file, nullptr);
    auto const map = std::make_unique<Map>(&village, file, "treevillage/map");
    std::fclose(file);
    map->PreprocessCollision();

    auto frame = [&](bool oneByOne, double x, double y, double scale, Tick time) {
        glClearColor(0.0f, 0.0f, 0.8f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        backdrop->view.scale = 1.2 * scale;
        double const wrapX = TreeVillage::BgWrapX, wrapY = TreeVillage::BgWrapY;
        for (double ty = std::fmod(y, wrapY) + wrapY; ty + wrapY > -480.0 / backdrop->view.scale; ty -= wrapY)
            for (double tx = std::fmod(x, wrapX) + wrapX; tx + wrapX > -640.0 / backdrop->view.scale; tx -= wrapX)
            {
                backdrop->view.x = tx;
                backdrop->view.y = ty;
                if (oneByOne)
                    DrawOneByOne(*backdrop, village, time);
                else
                    backdrop->MapBase::Render(time);
            }
        Pointf const centre(x + 320.0 / scale, y + 240.0 / scale);
        map->view.scale = scale;
        map->MoveMap(&centre, CameraMove_Jump);
        if (oneByOne)
            DrawOneByOne(*map, village, time);
        else
            map->Render(time, Map_Render_Flags(Map_Render_Back | Map_Render_Fore));
        return ScreenPixels();
    };
    double const views[][3] = {{0.0, 1500.0, 1.0}, {3170.5, 1617.25, 0.8}, {5301.0, 820.0, 1.3}, {7000.0, 1200.0, 0.5}};
    for (auto const& v : views)
        EXPECT_EQ(DifferingPixels(frame(false, v[0], v[1], v[2], 5000), frame(true, v[0], v[1], v[2], 5000)), 0)
            << "view at " << v[0] << ", " << v[1] << " scale " << v[2];
}

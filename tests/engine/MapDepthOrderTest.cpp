// Maps drawn in depth order: every generated world's map, with a backdrop under it and something
// translucent between its layers, shows the pixels of drawing each thing in turn.
#include "engine/Map.h"
#include "engine/Poly.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "support/LevelFrame.h"
#include "support/MapViews.h"
#include "support/MediaTestSupport.h"
#include "support/WorldMaps.h"
#include "tools/DataGen.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

class MapDepthOrder : public MediaTestSupport_Gl
{
protected:
    // A frame as a level draws one: a backdrop over the whole screen, the back layer, a
    // half-transparent box and an opaque sprite between the layers, the fore layer, then a line on
    // top. In depth order the backdrop and what lies between the layers are drawn at the depths
    // the map gives them.
    static std::vector<unsigned char> Frame(Map& map, Image const* backdrop, Image const* sprite, Tick time,
                                            bool depthOrder, int width)
    {
        glClearColor(0.1f, 0.7f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        if (depthOrder)
        {
            EXPECT_TRUE(map.RenderOpaqueFirst(time));
            glDepthRange(map.BackdropDepth(), map.BackdropDepth());
        }
        backdrop->Render(Pointf(-6.0, -6.0), 0.0, 652.0, 492.0, Image_Left | Image_Bottom, nullptr);
        map.Render(time, Map_Render_Back);
        MapViews::ObjectsStandIn(map, depthOrder);
        sprite->Render(Pointf(320.0, 240.0), 0.3, 1.5, Image_Centre | Image_Middle, nullptr);
        map.Render(time, Map_Render_Fore);
        map.EndDepthOrder();
        glDisable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
        glBegin(GL_LINES);
        glVertex2f(0.0f, 10.0f);
        glVertex2f(640.0f, 470.0f);
        glEnd();
        return ScreenPixels(width, width * 3 / 4);
    }
};

// Over the whole map squeezed onto the screen (outlines and fills packed closest), at views drawn
// from a fixed seed, and in a viewport smaller than the screen, the depth order shows what drawing
// in order does: opaque fills and outlines in front win, translucent fills and everything between
// the layers blend over what was drawn before them, and the backdrop shows only where no polygon
// covers it.
TEST_F(MapDepthOrder, EveryWorldsMapShowsThePixelsOfDrawingInOrder)
{
    DataGen::WriteAll(dir.Path());
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    ASSERT_GE(depthBits, 24) << "the game's window has no depth buffer to draw in depth order with";
    std::mt19937 random(3);
    int drawn = 0;
    int translucent = 0;
    WorldMaps::ForEach([&](char const* folder, Textures const& textures, Map& map) {
        Tick const time = 256 * 700;
        Image const* backdrop = nullptr;
        Image const* sprite = nullptr;
        for (unsigned int i = 0; i < map.polyCount; ++i)
        {
            Poly const* poly = map.polys[i];
            if (poly->texture == 0)
                continue;
            Image const* frame = textures.GetFrame(time, poly->texture);
            if (frame->SamplesOpaque())
                backdrop = backdrop != nullptr ? backdrop : frame;
            else
            {
                sprite = frame;
                translucent++;
            }
        }
        ASSERT_NE(backdrop, nullptr) << folder;
        if (sprite == nullptr)
            sprite = backdrop;
        for (MapViews::View const& v : MapViews::Of(MapViews::Bound(map), random))
            for (int const width : {640, 320})
            {
                glViewport(0, 0, width, width * 3 / 4);
                map.view.x = v.x;
                map.view.y = v.y;
                map.view.scale = v.scale;
                std::vector<unsigned char> const expected = Frame(map, backdrop, sprite, time, false, width);
                std::vector<unsigned char> const ordered = Frame(map, backdrop, sprite, time, true, width);
                EXPECT_EQ(DifferingPixels(ordered, expected), 0)
                    << folder << " at " << v.x << ", " << v.y << " scale " << v.scale << " in " << width << " pixels";
                drawn++;
            }
        EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
    });
    glViewport(0, 0, 640, 480);
    EXPECT_GE(drawn, 8 * 8) << "the worlds' maps were not all drawn";
    EXPECT_GT(translucent, 0) << "no map has a translucent fill to blend in order";
}

// Where the GL cannot draw in depth order, the map says so, draws nothing and leaves the depth
// test off, and Render draws every layer in order.
TEST_F(MapDepthOrder, APerspectiveTransformKeepsDrawingInOrder)
{
    DataGen::WriteAll(dir.Path());
    std::string const folder = DataGen::worldDirs[0];
    std::string const mapFile = folder + "/map";
    FILE* file = HM_OpenFile(mapFile.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    Textures textures((folder + "/imagemap").c_str());
    auto const map = std::make_unique<Map>(&textures, file, mapFile.c_str());
    std::fclose(file);
    map->PreprocessCollision();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glFrustum(0.0, 640.0, 0.0, 480.0, 1.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT);
    std::vector<unsigned char> const before = ScreenPixels();
    EXPECT_FALSE(map->RenderOpaqueFirst(256 * 700));
    EXPECT_FALSE(map->DepthOrdered());
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
    EXPECT_EQ(DifferingPixels(ScreenPixels(), before), 0);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

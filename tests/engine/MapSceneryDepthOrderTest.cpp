// A scenery map drawn behind a map in depth order (Map::RenderSceneryOpaqueFirst): the village's
// background tile, copied side by side and over itself, shows the pixels of drawing each copy of
// each polygon in turn under the map's layers.
#include "engine/Map.h"
#include "engine/MapBase.h"
#include "engine/Poly.h"
#include "engine/PolyBatch.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "support/LevelFrame.h"
#include "support/MapViews.h"
#include "support/MediaTestSupport.h"
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

namespace
{

constexpr double TileWidth = 360.0;  // the village's background tile repeats this far across
constexpr double TileHeight = 401.0; // and this far up

class MapSceneryDepthOrder : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        DataGen::WriteAll(dir.Path());
        textures = std::make_unique<Textures>("treevillage/imagemap");
        map = Load<Map>("treevillage/map");
        scenery = Load<MapBase>("treevillage/bgmap");
        map->PreprocessCollision();
    }

    template <class M>
    std::unique_ptr<M> Load(char const* name)
    {
        FILE* file = HM_OpenFile(name, "rb");
        EXPECT_NE(file, nullptr) << name;
        auto loaded = std::make_unique<M>(textures.get(), file, name);
        std::fclose(file);
        return loaded;
    }

    // The scenery in order, as a world draws it without depth order: each polygon at every
    // origin where it shows before the next polygon.
    void SceneryInOrder(std::vector<Pointf> const& origins, Tick time)
    {
        PolyBatch batch(textures.get(), &scenery->view, time);
        for (unsigned int i = 0; i < scenery->polyCount; ++i)
            for (Pointf const& at : origins)
            {
                scenery->view.x = at.x;
                scenery->view.y = at.y;
                Pointf const lo = scenery->ScreenToWorld(Pointf(0.0, 0.0));
                Pointf const hi = scenery->ScreenToWorld(Pointf(640.0, 480.0));
                Rectf const shows(&lo, &hi);
                if (scenery->polys[i]->GetBound()->Intersect(&shows))
                    batch.Draw(scenery->polys[i]);
            }
        batch.Finish();
    }

    // A level's frame: the scenery, the map's back layer, a half-transparent box between the
    // layers, the fore layer.
    std::vector<unsigned char> Frame(std::vector<Pointf> const& origins, Tick time, bool depthOrder)
    {
        glClearColor(0.1f, 0.7f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        if (depthOrder)
        {
            EXPECT_TRUE(map->RenderOpaqueFirst(time));
            glDepthRange(map->BackdropDepth(), map->BackdropDepth());
            EXPECT_TRUE(map->RenderSceneryOpaqueFirst(*scenery, origins, time));
        }
        else
            SceneryInOrder(origins, time);
        map->Render(time, Map_Render_Back);
        MapViews::ObjectsStandIn(*map, depthOrder);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        map->Render(time, Map_Render_Fore);
        map->EndDepthOrder();
        return ScreenPixels();
    }

    // The tile's copies over the whole screen at the scenery's scale, from a corner at (x, y);
    // with overlap, a second set of copies lies over the first a little across and up, so that
    // the copies of one shape overlap too.
    std::vector<Pointf> Copies(double x, double y, bool overlap) const
    {
        double const b = scenery->view.scale;
        std::vector<Pointf> origins;
        for (double oy = y; oy + TileHeight > -480.0 / b; oy -= TileHeight)
            for (double ox = x; ox + TileWidth > -640.0 / b; ox -= TileWidth)
            {
                origins.emplace_back(ox, oy);
                if (overlap)
                    origins.emplace_back(ox + 37.0, oy + 53.0);
            }
        return origins;
    }

    std::unique_ptr<Textures> textures;
    std::unique_ptr<Map> map;
    std::unique_ptr<MapBase> scenery;
};

} // namespace

// At the map's whole view and three others, with the tile at several scales and places, its
// copies abutting as the village lays them and lying over one another: the opaque shapes drawn
// first and the blending ones after show what drawing every copy in order shows.
TEST_F(MapSceneryDepthOrder, CopiesOfTheVillagesTileShowThePixelsOfDrawingThemInOrder)
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    ASSERT_GE(depthBits, 24);
    Tick const time = 256 * 700;
    // Every shape of the tile is opaque; every third takes a picture of the map's that blends.
    unsigned int blends = 0;
    for (unsigned int i = 0; i < map->polyCount && blends == 0; ++i)
        if (map->polys[i]->texture != 0 && !textures->GetFrame(time, map->polys[i]->texture)->SamplesOpaque())
            blends = map->polys[i]->texture;
    ASSERT_NE(blends, 0u) << "the village's map has no picture that blends";
    int opaque = 0;
    for (unsigned int i = 0; i < scenery->polyCount; ++i)
    {
        if (i % 3 == 1)
            scenery->polys[i]->texture = blends;
        opaque += textures->GetFrame(time, scenery->polys[i]->texture)->SamplesOpaque() ? 1 : 0;
    }
    EXPECT_GT(opaque, 0) << "the tile has no shape to draw first";

    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int drawn = 0;
    for (MapViews::View const& v : MapViews::Of(MapViews::Bound(*map), random))
    {
        map->view.x = v.x;
        map->view.y = v.y;
        map->view.scale = v.scale;
        // At the whole map's view the tile would be copied more times than the backdrop has depths.
        scenery->view.scale = std::max(1.2 * v.scale, 0.72);
        for (bool const overlap : {false, true})
        {
            std::vector<Pointf> const origins = Copies(40.0 + unit(random) * TileWidth, 40.0 + unit(random) * TileHeight, overlap);
            std::vector<unsigned char> const expected = Frame(origins, time, false);
            std::vector<unsigned char> const ordered = Frame(origins, time, true);
            EXPECT_EQ(DifferingPixels(ordered, expected), 0)
                << "at " << v.x << ", " << v.y << " scale " << v.scale << (overlap ? " with copies overlapping" : "");
            drawn++;
        }
    }
    EXPECT_EQ(drawn, 8);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
}

// Outside a frame begun in depth order, or with more copies than the backdrop has depths for,
// nothing is drawn and the caller draws the scenery in order.
TEST_F(MapSceneryDepthOrder, OutsideDepthOrderOrWithTooManyCopiesItDrawsNothing)
{
    Tick const time = 256 * 700;
    scenery->view.scale = 1.0;
    glClear(GL_COLOR_BUFFER_BIT);
    std::vector<unsigned char> const before = ScreenPixels();
    EXPECT_FALSE(map->RenderSceneryOpaqueFirst(*scenery, Copies(100.0, 100.0, false), time));
    EXPECT_EQ(DifferingPixels(ScreenPixels(), before), 0);

    ASSERT_TRUE(map->RenderOpaqueFirst(time));
    std::vector<unsigned char> const opaqueFirst = ScreenPixels();
    std::vector<Pointf> const many(4096 / scenery->polyCount, Pointf(100.0, 100.0));
    EXPECT_FALSE(map->RenderSceneryOpaqueFirst(*scenery, many, time));
    EXPECT_EQ(DifferingPixels(ScreenPixels(), opaqueFirst), 0);
    map->EndDepthOrder();
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
}

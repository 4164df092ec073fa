// The generated creatures and map textures, checked by their pixels: each creature fills the box it
// is drawn in and walkers stand on its foot; textures that repeat show no seam; fitted crowns are
// solid inside and clear round.
#include "support/PngPixels.h"
#include "support/TestFolder.h"
#include "tools/MapTextures.h"
#include "tools/creatures/CreatureSprites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{

struct Span
{
    int left, right, top, bottom;
};

Span InkOf(PngPixels const& p)
{
    Span s{p.width, -1, p.height, -1};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.Alpha(x, y) >= 128)
                s = {std::min(s.left, x), std::max(s.right, x), std::min(s.top, y), std::max(s.bottom, y)};
    return s;
}

class WorldPictures : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new TestFolder(false);
        CreatureSprites::WriteAll(folder->Path());
        MapTextures::Write(folder->Path());
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    static PngPixels Picture(std::string const& name) { return PngPixels(folder->path / name); }

    static inline TestFolder* folder = nullptr;
};

} // namespace

TEST_F(WorldPictures, EachCreatureFillsItsBoxAndWalkersStandOnItsFoot)
{
    struct Kind
    {
        char const* file;
        bool standing; // drawn with its feet on the picture's foot
    };
    Kind const kinds[] = {
        {"gfx/goblin/goblin00.png", true},
        {"gfx/rat/rat.png", true},
        {"gfx/goblindefend/goblin00.png", true},
        {"gfx/cactus/cactus00.png", true},
        {"gfx/imp/imp02.png", true},
        {"gfx/shmoo/shmoodown.png", true},
        {"gfx/bat/bat01.png", false},
        {"gfx/vulture/vulture02.png", false},
        {"gfx/wasp/wasp00.png", false},
        {"gfx/mozzy/mozzy00.png", false},
        {"gfx/shmoo/shmooup.png", false},
        {"gfx/spider/spider00.png", false},
        {"gfx/grethyn/mouth04.png", false},
        {"gfx/spikeball.png", false},
        {"gfx/map/spike.png", true},
        {"gfx/wavyblob/greenface.png", false},
        {"gfx/vine.png", false},
        {"gfx/goblindefend/rock.png", false},
    };
    for (Kind const& k : kinds)
    {
        PngPixels const p = Picture(k.file);
        ASSERT_GT(p.width, 0) << k.file;
        Span const s = InkOf(p);
        double const across = (s.right - s.left + 1.0) / p.width, down = (s.bottom - s.top + 1.0) / p.height;
        EXPECT_GE(std::max(across, down), 0.85) << k.file << " is drawn small in its box";
        EXPECT_GE(std::min(across, down), 0.45) << k.file << " is drawn thin in its box";
        if (k.standing)
        {
            EXPECT_GE(s.bottom, p.height - 2) << k.file << " floats above its foot";
        }
    }
}

TEST_F(WorldPictures, RepeatingTexturesJoinWithoutASeamAndFittedPicturesAreSolidInsideAndClearRound)
{
    // Across the join, neighbouring lines of pixels differ no more than the most different
    // neighbouring lines inside the picture (the edges of its courses and strata) do.
    for (char const* name :
         {"rock", "grass", "plank", "bark", "earth", "hills", "roof", "sand", "cliff", "boulder", "thatch", "ashlar"})
    {
        PngPixels const t = Picture(std::string("gfx/map/") + name + ".png");
        ASSERT_GT(t.width, 0) << name;
        // The difference between column a and column b, or between row a and row b.
        auto lines = [&t](int a, int b, bool columns) {
            double sum = 0;
            for (int i = 0; i < (columns ? t.height : t.width); ++i)
                for (int c = 0; c < 3; ++c)
                    sum += std::abs((columns ? t.At(a, i) : t.At(i, a))[c] - (columns ? t.At(b, i) : t.At(i, b))[c]);
            return sum;
        };
        for (bool columns : {true, false})
        {
            int const n = columns ? t.width : t.height;
            double inside = 0;
            for (int i = 0; i + 1 < n; ++i)
                inside = std::max(inside, lines(i, i + 1, columns));
            EXPECT_LE(lines(n - 1, 0, columns), 1.25 * inside)
                << name << " shows a seam between its " << (columns ? "sides" : "top and foot");
        }
    }

    // The tower's masonry is seen from far off, a screen pixel spanning a dozen of its texels: it
    // changes gently from texel to texel, so no joint falls between the pixels sampled.
    PngPixels const ashlar = Picture("gfx/map/ashlar.png");
    int steepest = 0;
    for (int y = 0; y < ashlar.height; ++y)
        for (int x = 0; x < ashlar.width; ++x)
            for (int c = 0; c < 3; ++c)
            {
                int const here = ashlar.At(x, y)[c];
                steepest = std::max({steepest, std::abs(here - ashlar.At((x + 1) % ashlar.width, y)[c]),
                                     std::abs(here - ashlar.At(x, (y + 1) % ashlar.height)[c])});
            }
    EXPECT_LE(steepest, 10) << "a sharp joint in the masonry";

    // A crown fills its octagon's inner circle and leaves the corners clear; a wheel is clear
    // between its spokes.
    PngPixels const crown = Picture("gfx/map/bush.png");
    for (int y = 0; y < crown.height; ++y)
        for (int x = 0; x < crown.width; ++x)
        {
            double const r =
                std::hypot(x + 0.5 - crown.width / 2.0, y + 0.5 - crown.height / 2.0) / (crown.width / 2.0);
            if (r < 0.6)
            {
                ASSERT_EQ(crown.Alpha(x, y), 255) << "a hole in the crown at " << x << ", " << y;
            }
            if (r > 1.0)
            {
                ASSERT_EQ(crown.Alpha(x, y), 0) << "leaves outside the crown's octagon at " << x << ", " << y;
            }
        }
    PngPixels const wheel = Picture("gfx/map/wheel.png");
    EXPECT_EQ(wheel.Alpha(0, 0), 0);
    EXPECT_EQ(wheel.Alpha(64 + 30, 64 + 12), 0) << "between the spokes";
    EXPECT_EQ(wheel.Alpha(64, 64 - 54), 255) << "the rim";
}

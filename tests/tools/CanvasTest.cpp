// Canvas: exact pixels, anti-aliased shapes and their paints, frames and wrapping, text, and the
// picture laid on a key colour; everything the generator's pictures are painted with.
#include "tools/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace
{

Rgba const red{220, 30, 40, 255};
Rgba const blue{20, 40, 230, 255};
Rgba const green{30, 200, 60, 255};

bool Near(Rgba a, Rgba b, int within)
{
    return std::abs(a.r - b.r) <= within && std::abs(a.g - b.g) <= within && std::abs(a.b - b.b) <= within
           && std::abs(a.a - b.a) <= within;
}

// The columns and rows that hold any pixel at least half covered.
struct Extent
{
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

Extent InkOf(Canvas const& c)
{
    Extent e;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Get(x, y).a >= 128)
            {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

} // namespace

TEST(Canvas, PixelsKeepTheirColourAndACopyIsItsOwn)
{
    Canvas c(8, 6, green);
    EXPECT_EQ(c.Get(7, 5), green);
    c.Set(1, 2, red);
    c.Set(2, 2, Rgba{});
    c.Set(3, 2, Rgba{200, 100, 50, 128});
    c.Set(-1, 2, red); // outside: ignored
    EXPECT_EQ(c.Get(1, 2), red);
    EXPECT_EQ(c.Get(2, 2), Rgba{});
    EXPECT_TRUE(Near(c.Get(3, 2), Rgba{200, 100, 50, 128}, 2)) << "half-covered pixels keep their colour";
    EXPECT_EQ(c.Get(8, 0), Rgba{}) << "outside the picture is clear";

    c.FillRect(-2, 4, 5, 9, blue);
    EXPECT_EQ(c.Get(0, 5), blue);
    EXPECT_EQ(c.Get(2, 4), blue);
    EXPECT_EQ(c.Get(3, 4), green);

    Canvas framed(6, 6);
    framed.FrameRect(0, 1, 6, 5, 2, red);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(framed.Get(x, y).a, y >= 1 && (x < 2 || x > 3 || y < 3 || y > 3) ? 255 : 0) << x << ", " << y;

    Canvas copy = c;
    copy.Fill(Canvas_Shape::Rect(0, 0, 8, 6), red);
    EXPECT_EQ(c.Get(5, 0), green) << "drawing on a copy leaves the original";
    Canvas moved = std::move(copy);
    EXPECT_EQ(moved.Get(5, 0), red);
    c = moved;
    EXPECT_EQ(c.Get(5, 0), red);

    // Blending keeps the stronger alpha and mixes the colour by the cover.
    Canvas clear(2, 1);
    clear.Blend(0, 0, red, 0.5);
    EXPECT_EQ(clear.Get(0, 0).a, 128);
    c.Blend(5, 0, blue, 0.5);
    EXPECT_EQ(c.Get(5, 0).a, 255);
    EXPECT_TRUE(Near(c.Get(5, 0), red.Mix(blue, 0.5), 2));
}

TEST(Canvas, ShapesCoverWhatTheyOutlineWithSoftEdgesOnlyWhereTheyCutPixels)
{
    Canvas c(32, 32);
    c.Fill(Canvas_Shape::Rect(2, 3, 4, 5), red);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(c.Get(x, y).a, x >= 2 && x < 6 && y >= 3 && y < 8 ? 255 : 0) << x << ", " << y;

    c.Fill(Canvas_Shape::Circle(20, 20, 8), blue);
    EXPECT_EQ(c.Get(20, 20), blue);
    EXPECT_EQ(c.Get(20, 11).a, 0);
    EXPECT_EQ(c.Get(29, 29).a, 0);
    int partial = 0;
    for (int x = 10; x < 32; ++x)
        partial += c.Get(x, 20).a > 0 && c.Get(x, 20).a < 255 ? 1 : 0;
    EXPECT_EQ(partial, 2) << "one soft pixel at each side of the circle's row";

    // A capsule covers both ends and the bar between; a blob passes through its points.
    Canvas limb(32, 16);
    limb.Fill(Canvas_Shape::Capsule(4, 8, 28, 8, 6), red);
    Extent const bar = InkOf(limb);
    EXPECT_EQ(bar.left, 1);
    EXPECT_EQ(bar.right, 30);
    EXPECT_EQ(bar.bottom - bar.top, 5);
    Canvas blob(32, 32);
    blob.Fill(Canvas_Shape::Blob({4, 16, 16, 4, 28, 16, 16, 28}), red);
    Extent const round = InkOf(blob);
    EXPECT_NEAR(round.left, 4, 1);
    EXPECT_NEAR(round.right, 27, 1);
    EXPECT_NEAR(round.top, 4, 1);
    EXPECT_NEAR(round.bottom, 27, 1);

    // Traced outlines lie on the path: the inside stays clear.
    Canvas ring(32, 32);
    ring.Trace(Canvas_Shape::Circle(16, 16, 10), Canvas_Pen{blue, 2});
    EXPECT_EQ(ring.Get(16, 16).a, 0);
    EXPECT_EQ(ring.Get(16, 6).a, 255);
}

TEST(Canvas, PartsPutTogetherFillAsOneWhicheverWayTheyRunAndAMirroredPartCutsAHole)
{
    Canvas c(40, 20);
    // Corners given the other way round, over a circle: the overlap is filled, not cancelled.
    Canvas_Shape both = Canvas_Shape::Polygon({4, 4, 4, 16, 20, 16, 20, 4});
    both.Add(Canvas_Shape::Circle(18, 10, 5));
    c.Fill(both, red);
    EXPECT_EQ(c.Get(17, 10), red);
    EXPECT_EQ(c.Get(21, 10), red);

    Canvas ring(40, 40);
    ring.Fill(Canvas_Shape::Circle(20, 20, 15).Add(Canvas_Shape::Circle(20, 20, 8).Scaled(-1, 1, 20, 20)), blue);
    EXPECT_EQ(ring.Get(20, 20).a, 0) << "the hole";
    EXPECT_EQ(ring.Get(20, 8), blue) << "the rim";

    // Shapes turned, moved and scaled land where their points are sent.
    Canvas turned(40, 40);
    turned.Fill(Canvas_Shape::Rect(20, 18, 12, 4).Turned(3.14159265358979 / 2, 20, 20).Moved(2, 0), red);
    Extent const e = InkOf(turned);
    EXPECT_EQ(e.left, 20);
    EXPECT_EQ(e.right, 23);
    EXPECT_EQ(e.top, 20);
    EXPECT_EQ(e.bottom, 31);
    Canvas scaled(40, 40);
    scaled.Fill(Canvas_Shape::Rect(10, 10, 4, 4).Scaled(2, 3, 10, 10), red);
    EXPECT_EQ(InkOf(scaled).right, 17);
    EXPECT_EQ(InkOf(scaled).bottom, 21);
}

TEST(Canvas, GradientsRunThroughTheirStopsAndLitBodiesAreLightAbove)
{
    Canvas c(101, 3);
    c.Fill(Canvas_Shape::Rect(0, 0, 101, 3), Canvas_Paint::Linear(0.5, 0, 100.5, 0, red, blue).Stop(0.5, green));
    EXPECT_TRUE(Near(c.Get(0, 1), red, 3));
    EXPECT_TRUE(Near(c.Get(50, 1), green, 3));
    EXPECT_TRUE(Near(c.Get(100, 1), blue, 3));
    EXPECT_TRUE(Near(c.Get(25, 1), red.Mix(green, 0.5), 4));

    Canvas round(41, 41);
    round.Fill(Canvas_Shape::Rect(0, 0, 41, 41), Canvas_Paint::Radial(20.5, 20.5, 20, green, red));
    EXPECT_TRUE(Near(round.Get(20, 20), green, 3));
    EXPECT_TRUE(Near(round.Get(0, 0), red, 3)) << "flat beyond the radius";

    Canvas lit(4, 20);
    lit.Fill(Canvas_Shape::Rect(0, 0, 4, 20), Canvas_Paint::Lit(Rgba{100, 120, 140, 255}, 0, 20));
    Rgba const top = lit.Get(1, 0), bottom = lit.Get(1, 19);
    EXPECT_GT(top.r + top.g + top.b, 3 * 130);
    EXPECT_LT(bottom.r + bottom.g + bottom.b, 3 * 110);
}

TEST(Canvas, FramesTurnMoveAndScaleUntilTheyEndAndWrappingCarriesShapesRoundTheEdges)
{
    Canvas c(32, 32);
    {
        Canvas::Frame const moved = c.Moved(10, 0);
        {
            Canvas::Frame const turned = c.Turned(3.14159265358979 / 2, 16, 16);
            c.Fill(Canvas_Shape::Rect(16, 15, 10, 2), red); // points right; turned, it points down
        }
        c.Fill(Canvas_Shape::Rect(0, 0, 2, 2), blue); // only moved
    }
    c.Fill(Canvas_Shape::Rect(0, 30, 2, 2), green); // neither
    EXPECT_EQ(c.Get(26, 24), red);
    EXPECT_EQ(c.Get(36 - 16, 24).a, 0);
    EXPECT_EQ(c.Get(10, 0), blue);
    EXPECT_EQ(c.Get(0, 0).a, 0);
    EXPECT_EQ(c.Get(0, 31), green);

    Canvas mirror(20, 10);
    {
        Canvas::Frame const flipped = mirror.Scaled(-1, 1, 10, 0);
        mirror.Fill(Canvas_Shape::Rect(0, 0, 3, 10), red);
    }
    EXPECT_EQ(mirror.Get(19, 5), red);
    EXPECT_EQ(mirror.Get(0, 5).a, 0);

    // A shape over a corner of a wrapped picture shows at all four corners; not once the frame ends.
    Canvas tile(16, 16);
    {
        Canvas::Frame const wrap = tile.Wrapped();
        tile.Fill(Canvas_Shape::Circle(0, 0, 3), red);
        tile.Line(-4, 8, 4, 8, Canvas_Pen{blue, 2});
    }
    tile.Fill(Canvas_Shape::Circle(16, 4, 2), green);
    for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}})
        EXPECT_EQ(tile.Get(x, y), red) << x << ", " << y;
    EXPECT_EQ(tile.Get(15, 8), blue);
    EXPECT_EQ(tile.Get(1, 8), blue);
    EXPECT_EQ(tile.Get(0, 4).a, 0) << "drawn after the wrapping ended";
}

TEST(Canvas, TextSitsWhereItsAlignmentSaysWithItsRimRound)
{
    Canvas_Text style;
    style.size = 20;
    style.colour = Rgba{255, 255, 255, 255};
    int const width = Canvas::TextWidth("Hollow", 20, true);
    EXPECT_GT(width, 40);
    EXPECT_LT(width, 90);

    for (Canvas_Align align : {Canvas_Align::Left, Canvas_Align::Centre, Canvas_Align::Right})
    {
        Canvas c(200, 40);
        style.align = align;
        c.Text(100, 28, "Hollow", style);
        Extent const ink = InkOf(c);
        double const middle = (ink.left + ink.right) / 2.0;
        double const expected = align == Canvas_Align::Left     ? 100 + width / 2.0
                                : align == Canvas_Align::Centre ? 100
                                                                : 100 - width / 2.0;
        EXPECT_NEAR(middle, expected, 3.0) << static_cast<int>(align);
        EXPECT_LE(ink.bottom, 28 + 2) << "no descender in the word: nothing below the baseline but the rim";
        EXPECT_GE(ink.top, 28 - 20);
        int white = 0, dark = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
            {
                Rgba const p = c.Get(x, y);
                white += p.a == 255 && p.r > 240 ? 1 : 0;
                dark += p.a > 200 && p.r < 60 ? 1 : 0;
            }
        EXPECT_GT(white, 60);
        EXPECT_GT(dark, 60) << "the rim";
    }

    Canvas bare(100, 40);
    style.rim = Rgba{};
    style.align = Canvas_Align::Centre;
    bare.Text(50, 28, "Hollow", style);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_FALSE(bare.Get(x, y).a > 100 && bare.Get(x, y).r < 200) << "a rim with alpha 0 is left out";
}

TEST(Canvas, OnAKeyEveryPixelIsTheKeyOrOpaqueAndACutTakesItsRectangle)
{
    Canvas c(32, 32);
    c.Fill(Canvas_Shape::Circle(16, 16, 10.3), Canvas_Paint::Radial(16, 16, 10, red, green));
    Rgba const key{0, 0, 255, 255};
    Canvas const keyed = c.OnKey(key);
    int keys = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
        {
            Rgba const p = keyed.Get(x, y);
            ASSERT_EQ(p.a, 255);
            if (p == key)
                ++keys;
            else
                ASSERT_TRUE(p.b < 100) << "a half-keyed fringe at " << x << ", " << y;
        }
    EXPECT_GT(keys, 32 * 32 - 360);
    EXPECT_LT(keys, 32 * 32 - 300);
    EXPECT_EQ(keyed.Get(16, 16), c.Get(16, 16)) << "the inside keeps its colour";

    Canvas const cut = c.Cut(10, 10, 30, 4);
    EXPECT_EQ(cut.Width(), 30);
    EXPECT_EQ(cut.Get(6, 2), c.Get(16, 12));
    EXPECT_EQ(cut.Get(25, 2).a, 0) << "beyond the picture";
}

TEST(Canvas, ColoursShadeAndMixAndAScatterRepeatsItsSeed)
{
    EXPECT_EQ(Rgba({100, 50, 20, 255}).Shade(0.5), Rgba({50, 25, 10, 255}));
    EXPECT_EQ(Rgba({100, 50, 20, 200}).Shade(2.0), Rgba({255, 255, 255, 200}));
    EXPECT_EQ(red.Mix(blue, 0.0), red);
    EXPECT_EQ(red.Mix(blue, 1.0), blue);
    EXPECT_EQ(red.WithAlpha(7).a, 7);

    Canvas_Scatter a(5), b(5), c(6);
    bool differs = false;
    for (int i = 0; i < 100; ++i)
    {
        double const x = a.Next(-2.0, 3.0);
        EXPECT_EQ(x, b.Next(-2.0, 3.0));
        EXPECT_GE(x, -2.0);
        EXPECT_LT(x, 3.0);
        differs = differs || x != c.Next(-2.0, 3.0);
    }
    EXPECT_TRUE(differs);
    Canvas_Scatter zero(0);
    EXPECT_NE(zero.Next(0, 1), zero.Next(0, 1)) << "any seed scatters";
}

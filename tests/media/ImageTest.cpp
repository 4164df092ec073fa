// Image: PNG decoding into bottom-up buffers, padding and key-colour masks, and quads drawn
// with anchors, mirroring, rotation and a camera transform, read back from the screen.
#include "media/Image.h"

#include "media/ImageFrames.h"
#include "support/MediaTestSupport.h"
#include "tools/Canvas.h"
#include "util/Error.h"
#include "util/Pointf.h"
#include "util/WorldTransform.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>
#include <zlib.h>

namespace
{

Rgba const red{255, 0, 0, 255};
Rgba const green{0, 255, 0, 255};
Rgba const blue{0, 0, 255, 255};
Rgba const white{255, 255, 255, 255};

// Bytes of pixel (x, row) of a kept buffer, row 0 being the bottom.
std::vector<int> BufferPixel(Image const& img, unsigned x, unsigned row)
{
    int bpp = img.HasAlpha() ? 4 : 3;
    unsigned char const* p = img.GetData() + (static_cast<std::size_t>(row) * img.GetWidth() + x) * bpp;
    return std::vector<int>(p, p + bpp);
}

// Four quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
void WriteQuadrants(char const* file)
{
    Canvas c(8, 8);
    c.FillRect(0, 0, 4, 4, red);
    c.FillRect(4, 0, 4, 4, green);
    c.FillRect(0, 4, 4, 4, blue);
    c.FillRect(4, 4, 4, 4, white);
    c.WritePng(file);
}

Error LoadError(char const* file)
{
    return ThrownError([file] { Image img(file, 0, false); });
}

} // namespace

using ImageTest = MediaTestSupport_Gl;

TEST_F(ImageTest, PaddedMaskedPictureLiesUpsideDownInsideClearBands)
{
    // A 10 x 6 picture: its top row red, its bottom-right pixel the (grey) key colour.
    Canvas c(10, 6, Rgba{40, 90, 10, 255});
    c.FillRect(0, 0, 10, 1, red);
    c.Set(9, 5, Rgba{128, 128, 128, 255});
    c.Set(0, 5, Rgba{128, 128, 128, 255});
    c.WritePng("grid.png", PngFormat::Rgb);

    Image img("grid.png", Image_Mask | Image_PadY, true);
    ASSERT_EQ(img.GetWidth(), 10u);
    ASSERT_EQ(img.GetHeight(), 10u);
    ASSERT_TRUE(img.HasAlpha());
    for (unsigned row : {0u, 1u, 8u, 9u})
        for (unsigned x = 0; x < 10; ++x)
            EXPECT_EQ(BufferPixel(img, x, row), (std::vector<int>{0, 0, 0, 0})) << x << "," << row;
    EXPECT_EQ(BufferPixel(img, 3, 7), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(BufferPixel(img, 3, 2), (std::vector<int>{40, 90, 10, 255}));
    // Both grey pixels match the key, wherever they lie.
    EXPECT_EQ(BufferPixel(img, 9, 2), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(BufferPixel(img, 0, 2), (std::vector<int>{0, 0, 0, 0}));
}

// Pictures are read with their rows packed; GL takes rows as padded to four bytes unless told.
TEST_F(ImageTest, AnRgbPictureWhoseRowsAreNoWholeWordsUploadsRowByRow)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4); // as a new context has it
    Canvas c(5, 3);
    c.FillRect(0, 0, 5, 1, red);
    c.FillRect(0, 1, 5, 1, green);
    c.FillRect(0, 2, 5, 1, blue);
    c.WritePng("rows.png", PngFormat::Rgb);
    Image const img("rows.png", Image_Plain, false);
    ASSERT_FALSE(img.HasAlpha());
    img.Associate();
    std::vector<unsigned char> texels(5 * 3 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    // Bottom-up: blue, green, red; the last pixel of each row as well as the first.
    int const wanted[3][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
    for (int row = 0; row < 3; ++row)
        for (int x : {0, 4})
        {
            unsigned char const* p = &texels[static_cast<std::size_t>((row * 5 + x) * 3)];
            EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}),
                      (std::vector<int>(std::begin(wanted[row]), std::end(wanted[row]))))
                << x << "," << row;
        }
}

TEST_F(ImageTest, MaskKeysOutPureBlueWhenItCoversMoreThanThirtyPercent)
{
    Canvas c(10, 10, blue);
    c.FillRect(0, 0, 10, 6, green);
    c.Set(9, 9, red); // bottom-right: would be the key without enough blue
    c.WritePng("mostly.png", PngFormat::Rgb);
    Image keyed("mostly.png", Image_Mask, true);
    EXPECT_EQ(BufferPixel(keyed, 0, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(BufferPixel(keyed, 9, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(BufferPixel(keyed, 0, 9), (std::vector<int>{0, 255, 0, 255}));

    // Exactly 30% blue is not enough: the bottom-right colour (red) is the key instead.
    c.FillRect(0, 0, 10, 7, green);
    c.Set(0, 6, blue);
    c.WritePng("some.png", PngFormat::Rgb);
    Image other("some.png", Image_Mask, true);
    EXPECT_EQ(BufferPixel(other, 0, 0), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(BufferPixel(other, 9, 0), (std::vector<int>{0, 0, 0, 0}));

    // A key taken inside horizontal padding is the last pixel within the band.
    Image padded("some.png", Image_Mask | Image_PadX, true);
    EXPECT_EQ(padded.GetWidth(), 14u);
    EXPECT_EQ(BufferPixel(padded, 11, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(BufferPixel(padded, 2, 0), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(BufferPixel(padded, 1, 5), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(ImageTest, EveryFileLayoutComesOutAsEightBitRgbOrRgba)
{
    Canvas c(5, 3, Rgba{255, 255, 255, 255});
    c.Set(0, 0, Rgba{0, 0, 0, 0});
    c.Set(1, 0, Rgba{170, 60, 20, 255});
    c.Set(2, 0, Rgba{85, 85, 85, 255});
    struct Case
    {
        PngFormat format;
        bool alpha;
        std::vector<int> second; // pixel (1, top row)
        std::vector<int> third;  // pixel (2, top row)
    };
    Case const cases[] = {
        {PngFormat::Palette, false, {170, 60, 20}, {85, 85, 85}},
        {PngFormat::PaletteTrns, true, {170, 60, 20, 255}, {85, 85, 85, 255}},
        {PngFormat::Rgb16, false, {170, 60, 20}, {85, 85, 85}},
        {PngFormat::Grey, false, {170, 170, 170}, {85, 85, 85}},
        {PngFormat::GreyAlpha, true, {170, 170, 170, 255}, {85, 85, 85, 255}},
        {PngFormat::Grey2, false, {170, 170, 170}, {85, 85, 85}},
    };
    for (Case const& k : cases)
    {
        c.WritePng("layout.png", k.format);
        Image img("layout.png", 0, true);
        SCOPED_TRACE(static_cast<int>(k.format));
        EXPECT_EQ(img.GetWidth(), 5u);
        EXPECT_EQ(img.HasAlpha(), k.alpha);
        EXPECT_EQ(BufferPixel(img, 1, 2), k.second);
        EXPECT_EQ(BufferPixel(img, 2, 2), k.third);
        EXPECT_EQ(BufferPixel(img, 4, 0)[0], 255);
    }
}

TEST_F(ImageTest, UnreadableFilesFailWithTheirCodesNamingTheFile)
{
    EXPECT_EQ(LoadError("missing.png").Code(), Error_OpenFile);
    EXPECT_STREQ(LoadError("missing.png").Text(), "missing.png");
    // Far larger than any picture (a sparse terabyte), it is not read at all.
    Canvas(16, 16, red).WritePng("terabyte.png");
    std::filesystem::resize_file("terabyte.png", std::uintmax_t(1) << 40);
    EXPECT_EQ(LoadError("terabyte.png").Code(), Error_OpenFile);
    EXPECT_STREQ(LoadError("terabyte.png").Text(), "terabyte.png");

    dir.WriteText("junk.png", "this is not a picture at all");
    EXPECT_EQ(LoadError("junk.png").Code(), Error_PngRead);
    EXPECT_THAT(LoadError("junk.png").Text(), testing::StartsWith("junk.png: "));

    Canvas(16, 16, red).WritePng("whole.png");
    std::ifstream in("whole.png", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream("cut.png", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
    EXPECT_EQ(LoadError("cut.png").Code(), Error_PngRead);
    EXPECT_THAT(LoadError("cut.png").Text(), testing::StartsWith("cut.png: "));

    // A header claiming a picture far too large for memory is refused before allocating.
    for (std::uint32_t side : {Image::MaxSide + 1, 8000u, 60000u, 0x7FFFFFFFu})
    {
        std::vector<unsigned char> huge(bytes.begin(), bytes.end());
        unsigned char* ihdr = huge.data() + 12; // chunk type, then width and height
        for (int k = 0; k < 2; ++k)
            for (int b = 0; b < 4; ++b)
                ihdr[4 + 4 * k + b] = static_cast<unsigned char>(side >> (24 - 8 * b));
        std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, ihdr, 17));
        for (int b = 0; b < 4; ++b)
            ihdr[17 + b] = static_cast<unsigned char>(crc >> (24 - 8 * b));
        std::ofstream("huge.png", std::ios::binary).write(reinterpret_cast<char*>(huge.data()), huge.size());
        EXPECT_EQ(LoadError("huge.png").Code(), Error_PngRead) << side;
        EXPECT_THAT(LoadError("huge.png").Text(), testing::StartsWith("huge.png: ")) << side;
    }
}

TEST_F(ImageTest, AnchorsMirroringAndRotationPlaceTheQuad)
{
    WriteQuadrants("quad.png");
    Image img("quad.png", Image_Plain, false);

    // Bottom-right anchor: the picture ends at the point.
    img.Render(Pointf(100, 100), 0.0, 4.0, Image_Right | Image_Bottom, nullptr);
    EXPECT_EQ(Pixel(70, 130), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Pixel(98, 102), (std::array<int, 3>{255, 255, 255}));
    EXPECT_TRUE(IsBlack(101, 101));
    EXPECT_TRUE(IsBlack(67, 101));
    EXPECT_TRUE(IsBlack(98, 133));

    // Mirrored, it stays in place with its sides swapped.
    glClear(GL_COLOR_BUFFER_BIT);
    img.Render(Pointf(100, 100), 0.0, 4.0, Image_Right | Image_Bottom | Image_MirrorX, nullptr);
    EXPECT_EQ(Pixel(70, 130), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(Pixel(98, 102), (std::array<int, 3>{0, 0, 255}));
    glClear(GL_COLOR_BUFFER_BIT);
    img.Render(Pointf(100, 100), 0.0, 4.0, Image_Right | Image_Bottom | Image_MirrorY, nullptr);
    EXPECT_EQ(Pixel(70, 130), (std::array<int, 3>{0, 0, 255}));

    // Centred on the point, with a rotation too small to count.
    glClear(GL_COLOR_BUFFER_BIT);
    img.Render(Pointf(200, 200), 1e-8, 32.0, 32.0, Image_Centre | Image_Middle, nullptr);
    EXPECT_EQ(Pixel(185, 215), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Pixel(215, 185), (std::array<int, 3>{255, 255, 255}));
    EXPECT_TRUE(IsBlack(183, 200));

    // A quarter turn towards +x takes the top-left corner to the top-right.
    glClear(GL_COLOR_BUFFER_BIT);
    img.Render(Pointf(200, 200), std::acos(0.0), 32.0, 32.0, Image_Centre | Image_Middle, nullptr);
    EXPECT_EQ(Pixel(215, 215), (std::array<int, 3>{255, 0, 0}));

    // Through a camera: world (55.25, 25.25) at scale 2 is screen (10.5, 10.5), and the size doubles.
    glClear(GL_COLOR_BUFFER_BIT);
    WorldTransform view;
    view.x = 50;
    view.y = 20;
    view.scale = 2.0;
    img.Render(Pointf(55.25, 25.25), 0.0, 2.0, Image_Left | Image_Bottom | Image_Outline, &view);
    EXPECT_EQ(Pixel(12, 12), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(Pixel(40, 40), (std::array<int, 3>{0, 255, 0}));
    EXPECT_TRUE(IsBlack(44, 44));
    EXPECT_EQ(Pixel(10, 25), (std::array<int, 3>{255, 0, 0})); // the outline on the left edge
}

TEST_F(ImageTest, NumberedFramesLoadInOrderAndAMissingOneLeavesNoneLoaded)
{
    Canvas(4, 4, red).WritePng("walk00.png");
    Canvas(6, 4, green).WritePng("walk01.png");
    Image* frames[3] = {};
    Error const missing = ThrownError([&frames] { LoadImageFrames(frames, 3, "walk", 0); });
    EXPECT_EQ(missing.Code(), Error_OpenFile);
    EXPECT_STREQ(missing.Text(), "walk02.png");
    for (Image const* frame : frames)
        EXPECT_EQ(frame, nullptr);

    Canvas(8, 4, blue).WritePng("walk02.png");
    LoadImageFrames(frames, 3, "walk", 0);
    EXPECT_EQ(frames[0]->GetWidth(), 4u);
    EXPECT_EQ(frames[2]->GetWidth(), 8u);
    FreeImageFrames(frames, 3);
    for (Image const* frame : frames)
        EXPECT_EQ(frame, nullptr);
}

TEST_F(ImageTest, OnlyAnOpaquePictureRepeatingBothWaysHasNoSeeThroughSamples)
{
    Canvas c(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            c.Set(x, y, Rgba{std::uint8_t(40 + 50 * x), 200, std::uint8_t(40 + 50 * y), 255});
    c.WritePng("opaque.png");
    c.WritePng("rgb.png", PngFormat::Rgb);
    c.Set(2, 1, Rgba{10, 20, 30, 254});
    c.WritePng("nearly.png");

    // The picture magnified over a red ground, blended or not; the screen read back.
    auto draw = [](Image const& image, bool blend) {
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        if (!blend)
            glDisable(GL_BLEND);
        image.Render(Pointf(100.0, 100.0), 0.0, 40.0, Image_Left | Image_Bottom, nullptr);
        glEnable(GL_BLEND);
        std::vector<unsigned char> pixels(640 * 480 * 4);
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    Image const both("opaque.png", Image_RepeatX | Image_RepeatY, false);
    Image const rgb("rgb.png", Image_RepeatX | Image_RepeatY, false);
    EXPECT_TRUE(both.SamplesOpaque());
    EXPECT_TRUE(rgb.SamplesOpaque());
    EXPECT_EQ(draw(both, true), draw(both, false));
    EXPECT_EQ(draw(rgb, true), draw(rgb, false));

    // Filtering near a clamped side takes in the clear border: what lies beneath shows there.
    for (Image_Flags flags : {Image_RepeatX, Image_RepeatY, 0u})
    {
        Image const clamped("opaque.png", flags, false);
        EXPECT_TRUE(clamped.Opaque());
        EXPECT_FALSE(clamped.SamplesOpaque()) << flags;
        EXPECT_NE(draw(clamped, true), draw(clamped, false)) << flags;
    }
    EXPECT_FALSE(Image("nearly.png", Image_RepeatX | Image_RepeatY, false).SamplesOpaque());
}

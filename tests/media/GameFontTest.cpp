// GameFont: glyphs cut from their sheets, measuring, fitting and anchored drawing, and
// metrics or characters it has no glyph for.
#include "media/GameFont.h"

#include "support/MediaTestSupport.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Pointf.h"

#include <filesystem>
#include <string>
#include <vector>

namespace
{

Error FontFailure()
{
    return ThrownError([] { GameFont font; });
}

} // namespace

class GameFontTest : public MediaTestSupport_Gl
{
protected:
    std::vector<unsigned char> Screen()
    {
        std::vector<unsigned char> pixels(640 * 480 * 4);
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

TEST_F(GameFontTest, MeasuresAndFitsTextByItsMetrics)
{
    WriteBlockFont(dir, BlockFontMetrics(84));
    GameFont font;
    EXPECT_EQ(font.GetHeight(), 10);

    EXPECT_EQ(font.MeasureText("Hi", -1), 1 + 6 + 6);
    EXPECT_EQ(font.MeasureText(" a", -1), 4 + 6);
    EXPECT_EQ(font.MeasureText("Hi there", 2), 13);
    EXPECT_EQ(font.MeasureText("Hi", 99), 13);
    EXPECT_EQ(font.MeasureText("", -1), 0);
    EXPECT_EQ(font.MeasureText(nullptr, -1), 0);
    EXPECT_EQ(font.MeasureText("Hi", 0), 0);

    // A glyph needs width - leftOffset = 5 pixels and then uses its advance of 5.
    EXPECT_EQ(font.FitText("aaaa", -1, 20, 1.0), 4);
    EXPECT_EQ(font.FitText("aaaa", -1, 19, 1.0), 3);
    EXPECT_EQ(font.FitText("aaaa", -1, 4, 1.0), 0);
    EXPECT_EQ(font.FitText("aaaa", 0, 100, 1.0), 0);
    EXPECT_EQ(font.FitText("a a", -1, 14, 1.0), 3);
    EXPECT_EQ(font.FitText("a a", -1, 13, 1.0), 2);
    EXPECT_EQ(font.FitText("a a", -1, 8, 1.0), 1);
    EXPECT_EQ(font.FitText(nullptr, -1, 100, 1.0), 0);
}

TEST_F(GameFontTest, GlyphsComeFromTheirOwnSheets)
{
    WriteBlockFont(dir, BlockFontMetrics(84));
    GameFont font;
    Pointf at(100, 200);
    font.Render("1Aa", -1, Font_Left | Font_Top, &at, 2.0);
    // Each glyph is 12 wide at scale 2 and starts 2 left of its pen; the pen moves 12.
    EXPECT_EQ(Pixel(104, 190), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Pixel(116, 190), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(Pixel(128, 190), (std::array<int, 3>{0, 0, 255}));
    EXPECT_TRUE(IsBlack(104, 201));
    EXPECT_TRUE(IsBlack(104, 179));
    EXPECT_TRUE(IsBlack(96, 190));
}

TEST_F(GameFontTest, AnchorsShiftTheTextByItsSize)
{
    WriteBlockFont(dir, BlockFontMetrics(84));
    GameFont font;
    Pointf topLeft(300, 400);
    font.Render("Hi there", -1, Font_Left | Font_Top, &topLeft, 1.0);
    std::vector<unsigned char> expected = Screen();
    int width = font.MeasureText("Hi there", -1);

    struct
    {
        Font_Render_Flags flags;
        Pointf at;
    } const cases[] = {
        {Font_Centre | Font_Top, Pointf(300 + width / 2, 400)},
        {Font_Right | Font_Middle, Pointf(300 + width, 400 - 5)},
        {Font_Left | Font_Bottom, Pointf(300, 400 - 10)},
    };
    for (auto const& k : cases)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        font.Render("Hi there", -1, k.flags, &k.at, 1.0);
        EXPECT_TRUE(Screen() == expected) << k.flags;
    }
}

TEST_F(GameFontTest, CharactersWithoutGlyphsAreSpacesReportedOnce)
{
    WriteBlockFont(dir, BlockFontMetrics(84));
    GameFont font;
    testing::internal::CaptureStderr();
    EXPECT_EQ(font.MeasureText("a~b", -1), font.MeasureText("a b", -1));
    EXPECT_EQ(font.FitText("a\x80"
                           "b",
                           -1, 100, 1.0),
              3);
    Pointf at(10, 100);
    font.Render("x{y", -1, Font_Left | Font_Top, &at, 1.0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Failed to find char '~'\n");
    // "x" ends at column 15 and "y" starts at 19: the gap is the space drawn for "{".
    EXPECT_FALSE(IsBlack(14, 95));
    EXPECT_TRUE(IsBlack(17, 95));
    EXPECT_FALSE(IsBlack(20, 95));
}

TEST_F(GameFontTest, BrokenFontFilesAreErrorsNamingTheFile)
{
    WriteBlockFont(dir, BlockFontMetrics(83));
    Error early = FontFailure();
    EXPECT_EQ(early.Code(), Error_ParseFile);
    EXPECT_STREQ(early.Text(), "gfx/text/textinfo");

    WriteBlockFont(dir, "4\n1,1,6,5\n2;3\n");
    EXPECT_EQ(FontFailure().Code(), Error_ParseFile);

    // A glyph rectangle reaching past its sheet, or starting before it.
    std::string tooWide = BlockFontMetrics(84);
    tooWide.replace(tooWide.find("\n") + 1, 7, "2,1,900");
    WriteBlockFont(dir, tooWide);
    Error outside = FontFailure();
    EXPECT_EQ(outside.Code(), Error_ParseFile);
    EXPECT_STREQ(outside.Text(), "gfx/text/textinfo");
    std::string before = BlockFontMetrics(84);
    before.replace(before.find("\n") + 1, 5, "0,1,6");
    WriteBlockFont(dir, before);
    EXPECT_EQ(FontFailure().Code(), Error_ParseFile);

    // Good metrics and zeros past any metrics file's size.
    WriteBlockFont(dir, BlockFontMetrics(84));
    std::filesystem::resize_file("gfx/text/textinfo", DataFile_FontLimit + 1);
    EXPECT_EQ(FontFailure().Code(), Error_OpenFile);

    // Widths that overflow the sums of the pen and the measures, or collapse every text.
    for (char const* metric : {"2,1,6,2147483647", "2,1,6,-1", "2,1,-2147483647,5"})
    {
        std::string wild = BlockFontMetrics(84);
        wild.replace(wild.find("\n") + 1, 7, metric);
        WriteBlockFont(dir, wild);
        Error bounds = FontFailure();
        EXPECT_EQ(bounds.Code(), Error_ParseFile) << metric;
        EXPECT_STREQ(bounds.Text(), "gfx/text/textinfo") << metric;
    }
    for (char const* space : {"2147483647", "-4"})
    {
        std::string wild = BlockFontMetrics(84);
        wild.replace(0, 1, space);
        WriteBlockFont(dir, wild);
        EXPECT_EQ(FontFailure().Code(), Error_ParseFile) << space;
    }

    WriteBlockFont(dir, BlockFontMetrics(84));
    std::filesystem::remove("gfx/text/text1.png");
    Error missing = FontFailure();
    EXPECT_EQ(missing.Code(), Error_OpenFile);
    EXPECT_STREQ(missing.Text(), "gfx/text/text1.png");
}

// Shared by the media tests: a scratch data folder made the working directory, and a window
// whose GL context draws the 640x480 screen for pixels to be read back.
#pragma once

#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "support/TestFolder.h"
#include "tools/Canvas.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// The Error that load throws, or one with Error_None when it throws none.
template <class Load>
Error ThrownError(Load load)
{
    try
    {
        load();
    }
    catch (Error const& e)
    {
        return e;
    }
    return Error(Error_None);
}

// The colour at screen pixel (x, y), y from the bottom.
inline std::array<int, 3> Pixel(int x, int y)
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

inline bool IsBlack(int x, int y)
{
    return Pixel(x, y) == std::array<int, 3>{0, 0, 0};
}

// A black screen in screen units, to draw on and read back.
inline void ClearScreen()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// The red, green and blue of a canvas colour, to compare with Pixel.
inline std::array<int, 3> Colour(Rgba c)
{
    return {c.r, c.g, c.b};
}

// Opens the 640x480 window with screen units as its projection; message boxes are only recorded.
inline void OpenScreenWindow()
{
    MessageBox::SetRecordOnly(true);
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

class MediaTestSupport_Gl : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenScreenWindow());
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override { GameWindow::Close(); }

    // A picture whose every pixel differs from its neighbours, so that a texel taken from the
    // wrong place shows; drawn larger than it is, so that its filtering mixes them.
    static void WriteTexelNoise(char const* file, std::uint8_t alpha = 255)
    {
        Canvas c(97, 71);
        for (int y = 0; y < 71; ++y)
            for (int x = 0; x < 97; ++x)
                c.Set(x, y,
                      Rgba{std::uint8_t(x * 37 + y * 11), std::uint8_t(x * 5 + y * 53), std::uint8_t(x * y), alpha});
        c.WritePng(file);
    }
    // The 640x480 screen's pixels, RGB.
    static std::vector<unsigned char> Screen()
    {
        std::vector<unsigned char> pixels(640 * 480 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    TestFolder dir{true}; // data files are opened relative to the working directory
};

// A font whose glyphs are solid blocks, red in sheet 0, green in sheet 1, blue in sheet 2.
// Every glyph is 7 columns cut from column 10i + 1 of its sheet, 10 rows high, with its pen
// 1 column in (width 6, leftOffset 1) and an advance of 5 + 1; a space is 4 wide. records
// below 84 leaves the metrics file short.
inline std::string BlockFontMetrics(int records)
{
    int const sizes[3] = {32, 26, 26};
    std::ostringstream info;
    info << "4\n";
    int written = 0;
    for (int sheet = 0; sheet < 3; ++sheet)
        for (int i = 0; i < sizes[sheet] && written < records; ++i, ++written)
            info << 10 * i + 2 << ",1,6,5\n";
    return info.str();
}

inline void WriteBlockFont(TestFolder const& dir, std::string const& metrics)
{
    int const sizes[3] = {32, 26, 26};
    Rgba const colours[3] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    std::filesystem::create_directories("gfx/text");
    for (int sheet = 0; sheet < 3; ++sheet)
    {
        Canvas c(10 * sizes[sheet] + 10, 10);
        for (int i = 0; i < sizes[sheet]; ++i)
            c.FillRect(10 * i + 1, 0, 7, 10, colours[sheet]);
        c.WritePng("gfx/text/text" + std::to_string(sheet) + ".png");
    }
    dir.WriteText("gfx/text/textinfo", metrics);
}

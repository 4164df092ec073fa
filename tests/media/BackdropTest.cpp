// Backdrop: the kept screen put back shows exactly what drawing the picture shows, and only an
// opaque picture over the whole window drawn the same way is ever put back.
#include "media/Backdrop.h"

#include "support/MediaTestSupport.h"
#include "tools/Canvas.h"

#include <GL/gl.h>

#include <vector>

namespace
{

class BackdropTest : public MediaTestSupport_Gl
{
protected:
    // A frame: whatever lay on the screen, then the backdrop.
    std::vector<unsigned char> Frame(Backdrop& backdrop, Image const& image, Pointf at, double scale)
    {
        glClearColor(0.1f * float(++frames % 7), 0.5f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        backdrop.Render(&image, at, scale, Image_Left | Image_Bottom);
        return Screen();
    }

    int frames = 0;
};

} // namespace

TEST_F(BackdropTest, AnOpaquePictureOverTheWindowIsPutBackPixelForPixel)
{
    WriteTexelNoise("noise.png", 255);
    Image const noise("noise.png", 0, false);
    ASSERT_TRUE(noise.Opaque());
    Backdrop backdrop;
    Pointf const corner(-6.0, -6.0);
    // The first picture is kept at once.
    std::vector<unsigned char> const drawn = Frame(backdrop, noise, corner, 7.0);
    EXPECT_FALSE(backdrop.PutBack());
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(Frame(backdrop, noise, corner, 7.0), drawn) << "frame " << i;
        EXPECT_TRUE(backdrop.PutBack());
    }

    // Drawn elsewhere, or seen through another projection, it is drawn afresh, and kept only
    // once two frames running drew it alike.
    std::vector<unsigned char> const moved = Frame(backdrop, noise, Pointf(-7.0, -6.0), 7.0);
    EXPECT_FALSE(backdrop.PutBack());
    EXPECT_NE(moved, drawn);
    EXPECT_EQ(Frame(backdrop, noise, Pointf(-7.0, -6.0), 7.0), moved);
    EXPECT_FALSE(backdrop.PutBack()) << "kept only after two frames alike";
    EXPECT_EQ(Frame(backdrop, noise, Pointf(-7.0, -6.0), 7.0), moved);
    EXPECT_TRUE(backdrop.PutBack());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(2.0, 638.0, -2.0, 482.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    Frame(backdrop, noise, corner, 7.0);
    EXPECT_FALSE(backdrop.PutBack());
}

TEST_F(BackdropTest, WhatCouldShowWhatLayBeneathIsNeverPutBack)
{
    WriteTexelNoise("seethrough.png", 200);
    WriteTexelNoise("noise.png", 255);
    Image const seeThrough("seethrough.png", 0, false);
    Image const noise("noise.png", 0, false);
    EXPECT_FALSE(seeThrough.Opaque());
    Backdrop backdrop;
    // Through a see-through picture each frame's own ground shows.
    for (int i = 0; i < 4; ++i)
    {
        Frame(backdrop, seeThrough, Pointf(-6.0, -6.0), 7.0);
        EXPECT_FALSE(backdrop.PutBack()) << i;
    }
    // An opaque picture short of the window's right edge leaves the ground there.
    for (int i = 0; i < 4; ++i)
    {
        Frame(backdrop, noise, Pointf(-6.0, -6.0), 6.0);
        EXPECT_FALSE(backdrop.PutBack()) << i;
    }
}

// Backdrop in a frame drawn in depth order: kept ahead of what lies in front of it and put back
// behind that, it shows the pixels of drawing the picture first and the rest over it.
#include "media/Backdrop.h"

#include "support/MediaTestSupport.h"
#include "tools/Canvas.h"

#include <GL/gl.h>

#include <vector>

namespace
{

class BackdropAhead : public MediaTestSupport_Gl
{
protected:
    // What lies in front of the backdrop: an opaque box, moved across by shift, and a
    // half-transparent box over it.
    static void OpaqueBox(float shift)
    {
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.8f, 0.2f, 0.1f, 1.0f);
        glBegin(GL_QUADS);
        glVertex2f(100.0f + shift, 100.0f);
        glVertex2f(300.0f + shift, 100.0f);
        glVertex2f(300.0f + shift, 330.0f);
        glVertex2f(100.0f + shift, 330.0f);
        glEnd();
    }

    static void TranslucentBox()
    {
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.1f, 0.3f, 0.9f, 0.4f);
        glBegin(GL_QUADS);
        glVertex2f(250.0f, 50.0f);
        glVertex2f(600.0f, 50.0f);
        glVertex2f(600.0f, 200.0f);
        glVertex2f(250.0f, 200.0f);
        glEnd();
    }

    // The frame in order: the picture, then what lies in front of it.
    std::vector<unsigned char> InOrder(Image const& image, Pointf at, double scale, float shift)
    {
        Backdrop plain;
        glClear(GL_COLOR_BUFFER_BIT);
        plain.Render(&image, at, scale, Image_Left | Image_Bottom);
        OpaqueBox(shift);
        TranslucentBox();
        return Screen();
    }

    // The frame in depth order: the opaque box first at the higher depth, the picture at the lower
    // one, then the half-transparent box, tested against both.
    std::vector<unsigned char> DepthOrder(Backdrop& backdrop, Image const& image, Pointf at, double scale, float shift)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        backdrop.Ahead(&image, at, scale, Image_Left | Image_Bottom);
        glDepthMask(GL_TRUE);
        glClearDepth(0.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_GREATER);
        glDepthRange(0.75, 0.75);
        OpaqueBox(shift);
        glDepthMask(GL_FALSE);
        glDepthRange(0.25, 0.25);
        backdrop.Render(&image, at, scale, Image_Left | Image_Bottom);
        glDepthRange(0.9, 0.9);
        TranslucentBox();
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
        glDepthRange(0.0, 1.0);
        return Screen();
    }
};

} // namespace

// The first frame draws the picture whole ahead and keeps it; later ones put it back where nothing
// covers it, also while what lies in front moves; a picture moved is drawn where nothing covers
// it, and the next frame drawn the same way draws it whole ahead and keeps it again.
TEST_F(BackdropAhead, KeptAheadAndPutBackBehindWhatLiesInFrontItShowsThePixelsOfDrawingInOrder)
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    ASSERT_GE(depthBits, 24);
    WriteTexelNoise("noise.png");
    Image const noise("noise.png", 0, false);
    Backdrop backdrop;
    Pointf const corner(-6.0, -6.0);
    struct Step
    {
        Pointf at;
        float shift;
        bool putBack;
    };
    Step const steps[] = {{corner, 0.0f, false},  {corner, 0.0f, true}, {corner, 0.0f, true},
                          {corner, 40.0f, true},  {Pointf(-9.0, -6.0), 40.0f, false},
                          {Pointf(-9.0, -6.0), 0.0f, false}, {Pointf(-9.0, -6.0), 0.0f, true}};
    int frame = 0;
    for (Step const& s : steps)
    {
        std::vector<unsigned char> const expected = InOrder(noise, s.at, 7.0, s.shift);
        std::vector<unsigned char> const drawn = DepthOrder(backdrop, noise, s.at, 7.0, s.shift);
        EXPECT_EQ(drawn, expected) << "frame " << frame;
        EXPECT_EQ(backdrop.PutBack(), s.putBack) << "frame " << frame;
        frame++;
    }
}

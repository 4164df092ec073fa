// Backdrop: keeping the screen a full-window opaque picture made, and putting it back.
#include "media/Backdrop.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

namespace
{
double AnchorFraction(Image_Render_Flags flags, Image_Render_Flags low, Image_Render_Flags middle)
{
    if ((flags & low) != 0)
        return 0.0;
    return (flags & middle) != 0 ? 0.5 : 1.0;
}
} // namespace

Backdrop::~Backdrop()
{
    if (kept != 0)
        glDeleteTextures(1, &kept);
}

bool Backdrop::Backdrop_Key::operator==(Backdrop_Key const& other) const
{
    return image == other.image && texture == other.texture && x == other.x && y == other.y && scale == other.scale
           && flags == other.flags && std::memcmp(viewport, other.viewport, sizeof viewport) == 0
           && std::equal(std::begin(projection), std::end(projection), std::begin(other.projection))
           && std::equal(std::begin(modelview), std::end(modelview), std::begin(other.modelview));
}

void Backdrop::Render(Image const* image, Pointf pos, double scale, Image_Render_Flags flags)
{
    Backdrop_Key const key = KeyOf(image, pos, scale, flags);
    if (glIsEnabled(GL_DEPTH_TEST) == GL_TRUE)
    {
        // Drawn after opaque things in front of it (depth order), the picture is not all on screen
        // to keep; a kept screen put back is tested against them as the picture would be.
        putBack = !drawnAhead && holds && key == keptKey && image->Opaque();
        if (putBack)
            Blit();
        else if (!drawnAhead)
        {
            // The first time, keeping and putting back are done once too, under the picture that
            // covers them, as in a frame drawn in order.
            if (kept == 0 && image->Opaque() && Covers(key))
            {
                Keep(key);
                holds = false;
                Blit();
            }
            image->Render(pos, 0.0, scale, flags, nullptr);
        }
        drawnAhead = false;
        lastKey = key;
        return;
    }
    drawnAhead = false;
    putBack = holds && key == keptKey && image->Opaque();
    if (putBack)
    {
        Blit();
        lastKey = key;
        return;
    }
    bool const keepable = image->Opaque() && Covers(key);
    // The first time, the way of putting a screen back is drawn once too, under the picture that
    // covers it: a software GL prepares its drawing of each kind the first time it meets it. The
    // screen is kept then as well, so that the frame after, often drawn alike, puts it back.
    bool const first = keepable && kept == 0;
    if (first)
    {
        Keep(key);
        holds = false;
        Blit();
    }
    image->Render(pos, 0.0, scale, flags, nullptr);
    if (keepable && (first || key == lastKey))
        Keep(key);
    lastKey = key;
}

void Backdrop::Ahead(Image const* image, Pointf pos, double scale, Image_Render_Flags flags)
{
    Backdrop_Key const key = KeyOf(image, pos, scale, flags);
    drawnAhead = false;
    if (!image->Opaque() || (holds && key == keptKey) || (kept != 0 && !(key == lastKey)) || !Covers(key))
        return;
    if (kept == 0)
    {
        Keep(key);
        Blit();
        // Render's ways of drawing behind what lies in front, the kept screen and the picture,
        // prepared here too, under the picture drawn whole next.
        GLint func = GL_LESS;
        GLboolean mask = GL_TRUE;
        glGetIntegerv(GL_DEPTH_FUNC, &func);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_GREATER);
        glDepthMask(GL_FALSE);
        Blit();
        image->Render(pos, 0.0, scale, flags, nullptr);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GLenum(func));
        glDepthMask(mask);
    }
    image->Render(pos, 0.0, scale, flags, nullptr);
    Keep(key);
    drawnAhead = true;
}

Backdrop::Backdrop_Key Backdrop::KeyOf(Image const* image, Pointf pos, double scale, Image_Render_Flags flags) const
{
    Backdrop_Key key;
    key.image = image;
    key.texture = image->GetTexture();
    key.x = pos.x;
    key.y = pos.y;
    key.scale = scale;
    key.flags = flags;
    glGetIntegerv(GL_VIEWPORT, key.viewport);
    glGetDoublev(GL_PROJECTION_MATRIX, key.projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, key.modelview);
    return key;
}

bool Backdrop::Covers(Backdrop_Key const& key) const
{
    double const w = key.image->GetWidth() * key.scale;
    double const h = key.image->GetHeight() * key.scale;
    double const left = key.x - w * AnchorFraction(key.flags, Image_Left, Image_Centre);
    double const bottom = key.y - h * AnchorFraction(key.flags, Image_Bottom, Image_Middle);
    double lo[3] = {};
    double hi[3] = {};
    if (!gluProject(left, bottom, 0.0, key.modelview, key.projection, key.viewport, &lo[0], &lo[1], &lo[2])
        || !gluProject(left + w, bottom + h, 0.0, key.modelview, key.projection, key.viewport, &hi[0], &hi[1], &hi[2]))
        return false;
    return std::min(lo[0], hi[0]) <= key.viewport[0] && std::min(lo[1], hi[1]) <= key.viewport[1]
           && std::max(lo[0], hi[0]) >= key.viewport[0] + key.viewport[2]
           && std::max(lo[1], hi[1]) >= key.viewport[1] + key.viewport[3];
}

void Backdrop::Keep(Backdrop_Key const& key)
{
    int const width = key.viewport[2];
    int const height = key.viewport[3];
    if (kept == 0)
        glGenTextures(1, &kept);
    glBindTexture(GL_TEXTURE_2D, kept);
    if (width != keptWidth || height != keptHeight)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        keptWidth = width;
        keptHeight = height;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, key.viewport[0], key.viewport[1], width, height);
    keptKey = key;
    holds = true;
    Image::CheckGlError();
}

void Backdrop::Blit() const
{
    // Texel for pixel: each pixel's centre falls on its own texel's.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, keptWidth, 0.0, keptHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, kept);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    // Opaque, it blends to itself; a software GL fills faster without blending.
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    if (blending)
        glDisable(GL_BLEND);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(float(keptWidth), 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(float(keptWidth), float(keptHeight));
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, float(keptHeight));
    glEnd();
    if (blending)
        glEnable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    Image::CheckGlError();
}

// A picture held as one OpenGL texture and drawn as a single textured quad.
#include "media/Image.h"

#include "platform/MessageBox.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Pointf.h"
#include "util/Util.h"
#include "util/WorldTransform.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <png.h>

#include <cassert>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace
{

// What the PNG reader hands back; plain data, as libpng may leave its frame by longjmp.
struct PngPicture
{
    std::uint32_t width;
    std::uint32_t height;
    unsigned char* data;
    bool hasAlpha;
    Error_Code failure;
    char reason[128]; // libpng's words for a failure, for the report that names the file
};

// libpng reports through these instead of printing: the reason goes into the report that names
// the file, and warnings about harmless oddities are not the player's business.
void PngFailed(png_structp png, png_const_charp message)
{
    PngPicture* picture = static_cast<PngPicture*>(png_get_error_ptr(png));
    std::snprintf(picture->reason, sizeof picture->reason, "%s", message != nullptr ? message : "unreadable");
    png_longjmp(png, 1);
}

void PngWarned(png_structp, png_const_charp)
{
}

// Reads file into a zeroed buffer, bottom row first, framed by clear bands of 2 pixels on
// each padded side. Grey, sub-byte, 16-bit, palette and tRNS pictures come out as 8-bit
// RGB or RGBA. Every failure frees what it took and reports its code in the result.
PngPicture ReadPng(FILE* file, bool padX, bool padY)
{
    PngPicture picture = {0, 0, nullptr, false, Error_None, "out of memory"};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &picture, PngFailed, PngWarned);
    if (png == nullptr)
    {
        picture.failure = Error_OutOfMemory;
        return picture;
    }
    png_infop info = png_create_info_struct(png);
    // Written after setjmp and read after the jump back, so they live in memory.
    unsigned char* volatile buffer = nullptr;
    png_bytep* volatile rows = nullptr;
    volatile Error_Code failure = Error_PngRead;
    if (info == nullptr)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        picture.failure = Error_OutOfMemory;
        return picture;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        std::free(rows);
        std::free(buffer);
        png_destroy_read_struct(&png, &info, nullptr);
        picture.failure = failure;
        return picture;
    }

    png_init_io(png, file);
    png_set_user_limits(png, Image::MaxSide, Image::MaxSide);
    png_read_info(png, info);
    png_uint_32 fileWidth = 0;
    png_uint_32 fileHeight = 0;
    int bitDepth = 0;
    int colourType = 0;
    png_get_IHDR(png, info, &fileWidth, &fileHeight, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (fileWidth == 0 || fileHeight == 0 || fileWidth > Image::MaxSide || fileHeight > Image::MaxSide
        || static_cast<std::size_t>(fileWidth) * fileHeight > Image::MaxPixels)
        png_error(png, "picture size out of range");

    png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    int channels = png_get_channels(png, info);
    if ((channels != 3 && channels != 4) || png_get_bit_depth(png, info) != 8)
        png_error(png, "unexpected pixel layout");
    bool alpha = channels == 4;
    std::size_t w = fileWidth + (padX ? 4 : 0);
    std::size_t h = fileHeight + (padY ? 4 : 0);
    std::size_t rowBytes = w * channels;
    if (png_get_rowbytes(png, info) != fileWidth * static_cast<std::size_t>(channels))
        png_error(png, "unexpected row size");

    failure = Error_OutOfMemory;
    buffer = static_cast<unsigned char*>(std::calloc(h, rowBytes));
    rows = static_cast<png_bytep*>(std::calloc(fileHeight, sizeof(png_bytep)));
    if (buffer == nullptr || rows == nullptr)
        png_error(png, "out of memory");
    failure = Error_PngRead;
    for (png_uint_32 i = 0; i < fileHeight; ++i)
    {
        std::size_t row = h - i - (padY ? 3 : 1);
        rows[i] = buffer + row * rowBytes + (padX ? 2 * channels : 0);
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);

    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    picture.width = static_cast<std::uint32_t>(w);
    picture.height = static_cast<std::uint32_t>(h);
    picture.data = buffer;
    picture.hasAlpha = alpha;
    return picture;
}

// The width and height that file's header gives, as ReadPng reads it; false when libpng cannot
// read the header or the size is out of range.
bool ReadPngSize(FILE* file, std::uint32_t* width, std::uint32_t* height)
{
    PngPicture picture = {0, 0, nullptr, false, Error_None, ""};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &picture, PngFailed, PngWarned);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_user_limits(png, Image::MaxSide, Image::MaxSide);
    png_read_info(png, info);
    png_uint_32 const w = png_get_image_width(png, info);
    png_uint_32 const h = png_get_image_height(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    if (w == 0 || h == 0 || w > Image::MaxSide || h > Image::MaxSide
        || static_cast<std::size_t>(w) * h > Image::MaxPixels)
        return false;
    *width = w;
    *height = h;
    return true;
}

// Anchor fractions of the flag bits; anything but exactly one bit per group is a broken invariant.
double AnchorX(Image_Render_Flags flags)
{
    switch (flags & 0x07)
    {
    case Image_Left:
        return 0.0;
    case Image_Centre:
        return 0.5;
    case Image_Right:
        return 1.0;
    default:
        assert(false);
        return 0.0;
    }
}

double AnchorY(Image_Render_Flags flags)
{
    switch (flags & 0x70)
    {
    case Image_Top:
        return 1.0;
    case Image_Middle:
        return 0.5;
    case Image_Bottom:
        return 0.0;
    default:
        assert(false);
        return 0.0;
    }
}

} // namespace

Image::Image(char const* file, Image_Flags flags, bool keep)
{
    LoadImage(file, (flags & Image_PadX) != 0, (flags & Image_PadY) != 0);
    try
    {
        SetupOgl(flags, keep);
    }
    catch (Error const& e)
    {
        // The destructor does not run for a constructor that throws.
        std::free(data);
        if (e.Code() != Error_PngRead)
            throw;
        std::string const text = std::string(file) + ": " + e.Text();
        throw Error(Error_PngRead, text.c_str());
    }
    Enlist();
}

Image::Image(Image_Generated kind, unsigned int w, unsigned int h) : width(w), height(h)
{
    if (kind == Image_TvFuzz)
        GenerateTvFuzz();
    Enlist();
}

Image::Image(Image const* img, int x, int y, unsigned int w, unsigned int h)
    : width(w), height(h), hasAlpha(img->hasAlpha)
{
    assert(img->data != NULL);
    assert(x >= 0 && y >= 0 && x + w <= img->width && y + h <= img->height);
    data = static_cast<unsigned char*>(std::calloc(static_cast<std::size_t>(w) * h, BytesPerPixel()));
    if (data == nullptr)
        throw Error(Error_OutOfMemory);
    TakeImageClip(img, x, y);
    SetupOgl(0, false); // frees the pixels when it throws
    Enlist();
}

Image::~Image()
{
    if (prevLive != nullptr)
        prevLive->nextLive = nextLive;
    else
        firstLive = nextLive;
    if (nextLive != nullptr)
        nextLive->prevLive = prevLive;
    std::free(data);
    if (texture != 0)
        glDeleteTextures(1, &texture);
}

void Image::Associate() const
{
    glBindTexture(GL_TEXTURE_2D, texture);
}

void Image::SetTransparency(double alpha)
{
    transparency = alpha;
}

void Image::LoadImage(char const* file, bool padX, bool padY)
{
    FILE* f = HM_OpenFile(file, "rb", DataFile_PictureLimit);
    if (f == nullptr)
        throw Error(Error_OpenFile, file);
    PngPicture picture = ReadPng(f, padX, padY);
    std::fclose(f);
    if (picture.failure != Error_None)
    {
        char text[Error::TextSize];
        std::snprintf(text, sizeof text, "%s: %s", file, picture.reason);
        throw Error(picture.failure, text);
    }
    std::free(data);
    width = picture.width;
    height = picture.height;
    data = picture.data;
    hasAlpha = picture.hasAlpha;
}

void Image::SetupOgl(Image_Flags flags, bool keep)
{
    std::size_t pixels = static_cast<std::size_t>(width) * height;
    if ((flags & Image_Mask) != 0 && !hasAlpha)
        GenerateMask((flags & Image_PadX) != 0, (flags & Image_PadY) != 0);
    else if (hasAlpha)
    {
        // Fully clear pixels turn black so that filtering does not bleed their colour.
        for (std::size_t i = 0; i < pixels; ++i)
        {
            unsigned char* p = data + 4 * i;
            if (p[3] == 0)
                p[0] = p[1] = p[2] = 0;
        }
    }

    opaque = true;
    if (hasAlpha)
        for (std::size_t i = 0; i < pixels && opaque; ++i)
            opaque = data[4 * i + 3] == 255;

    repeatsX = (flags & Image_RepeatX) != 0;
    repeatsY = (flags & Image_RepeatY) != 0;
    repeatsBothWays = repeatsX && repeatsY;
    // A padded picture is often opaque inside its clear bands.
    opaqueInsetX = (flags & Image_PadX) != 0 ? 2 : 0;
    opaqueInsetY = (flags & Image_PadY) != 0 ? 2 : 0;
    if (hasAlpha && !opaque)
    {
        auto const insideOpaque = [&] {
            for (std::uint32_t y = std::uint32_t(opaqueInsetY); y + std::uint32_t(opaqueInsetY) < height; ++y)
                for (std::uint32_t x = std::uint32_t(opaqueInsetX); x + std::uint32_t(opaqueInsetX) < width; ++x)
                    if (data[4 * (std::size_t(y) * width + x) + 3] != 255)
                        return false;
            return true;
        };
        if (!insideOpaque())
            opaqueInsetX = opaqueInsetY = -1;
    }

    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, (flags & Image_RepeatX) != 0 ? GL_REPEAT : GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, (flags & Image_RepeatY) != 0 ? GL_REPEAT : GL_CLAMP);
    GLint filter = (flags & Image_Plain) != 0 ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    GLenum format = hasAlpha ? GL_RGBA : GL_RGB;
    // The rows lie packed, three bytes a pixel without alpha: not padded to whole words.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLenum failure = GL_NO_ERROR;
    if ((flags & Image_Plain) != 0)
        glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, data);
    else
        failure = static_cast<GLenum>(
            gluBuild2DMipmaps(GL_TEXTURE_2D, format, width, height, format, GL_UNSIGNED_BYTE, data));
    // A picture the GL cannot hold (out of memory, most often) is a picture that cannot be
    // loaded, which a data file can ask for; it is no fault in the program.
    GLenum const glFailure = glGetError();
    if (failure == GL_NO_ERROR)
        failure = glFailure;
    if (failure != GL_NO_ERROR)
    {
        glDeleteTextures(1, &texture);
        texture = 0;
        std::free(data);
        data = nullptr;
        throw Error(Error_PngRead, reinterpret_cast<char const*>(gluErrorString(failure)));
    }
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &glWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &glHeight);

    if (!keep)
    {
        std::free(data);
        data = nullptr;
    }
    transparency = 1.0;
    CheckGlError();
}

void Image::GenerateMask(bool padX, bool padY)
{
    assert(!hasAlpha);
    std::size_t pixels = static_cast<std::size_t>(width) * height;
    unsigned char* rgba = static_cast<unsigned char*>(std::calloc(pixels, 4));
    if (rgba == nullptr)
        throw Error(Error_OutOfMemory);
    std::size_t blue = 0;
    for (std::size_t i = 0; i < pixels; ++i)
    {
        unsigned char const* p = data + 3 * i;
        std::memcpy(rgba + 4 * i, p, 3);
        if (p[0] == 0 && p[1] == 0 && p[2] == 255)
            ++blue;
    }

    unsigned char key[3] = {0, 0, 255};
    if (blue <= pixels * 3 / 10)
    {
        std::size_t row = padY ? 2 : 0;
        std::size_t column = width - (padX ? 3 : 1);
        std::memcpy(key, data + 3 * (row * width + column), 3);
    }

    std::uint32_t x0 = padX ? 2 : 0;
    std::uint32_t x1 = padX ? width - 3 : width - 1;
    std::uint32_t y0 = padY ? 2 : 0;
    std::uint32_t y1 = padY ? height - 3 : height - 1;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
        {
            unsigned char* p = rgba + 4 * (static_cast<std::size_t>(y) * width + x);
            bool inside = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            if (inside && std::memcmp(p, key, 3) != 0)
                p[3] = 255;
            else
                std::memset(p, 0, 4);
        }

    std::free(data);
    data = rgba;
    hasAlpha = true;
}

void Image::GenerateTvFuzz()
{
    std::size_t pixels = static_cast<std::size_t>(width) * height;
    hasAlpha = false;
    // One spare byte so that an empty picture still gets a buffer.
    data = static_cast<unsigned char*>(std::malloc(pixels * 3 + 1));
    if (data == nullptr)
        throw Error(Error_OutOfMemory);
    for (std::size_t i = 0; i < pixels; ++i)
    {
        unsigned char grey = static_cast<unsigned char>(std::rand() & 0xFF);
        data[3 * i] = data[3 * i + 1] = data[3 * i + 2] = grey;
    }
    SetupOgl(0, false);
}

void Image::TakeImageClip(Image const* img, int x, int y)
{
    std::size_t bpp = BytesPerPixel();
    for (std::uint32_t row = 0; row < height; ++row)
        std::memcpy(data + row * width * bpp, img->data + ((y + row) * static_cast<std::size_t>(img->width) + x) * bpp,
                    width * bpp);
}

void Image::Render(Pointf pos, double rotation, double scale, Image_Render_Flags flags, WorldTransform const* t) const
{
    Render(pos, rotation, width * scale, height * scale, AnchorX(flags), AnchorY(flags), flags, t);
}

void Image::Render(Pointf pos, double rotation, double drawWidth, double drawHeight, Image_Render_Flags flags,
                   WorldTransform const* t) const
{
    Render(pos, rotation, drawWidth, drawHeight, AnchorX(flags), AnchorY(flags), flags, t);
}

void Image::Render(Pointf pos, double rotation, double scale, double anchorX, double anchorY, Image_Render_Flags flags,
                   WorldTransform const* t) const
{
    Render(pos, rotation, width * scale, height * scale, anchorX, anchorY, flags, t);
}

void Image::Render(Pointf pos, double rotation, double drawWidth, double drawHeight, double anchorX, double anchorY,
                   Image_Render_Flags flags, WorldTransform const* t) const
{
    double s = t != nullptr ? t->scale : 1.0;
    double left = -drawWidth * anchorX * s;
    double right = (1.0 - anchorX) * drawWidth * s;
    double top = (1.0 - anchorY) * drawHeight * s;
    double bottom = -drawHeight * anchorY * s;
    Pointf corners[4] = {Pointf(left, top), Pointf(right, top), Pointf(right, bottom), Pointf(left, bottom)};
    if (!(rotation > -Util::Eps && rotation < Util::Eps))
        for (Pointf& c : corners)
            c.Rotate(nullptr, rotation);
    Pointf origin = pos.WorldToScreen(t);

    double s0 = 0.0, s1 = 1.0, t0 = 0.0, t1 = 1.0;
    if ((flags & Image_MirrorX) != 0)
        std::swap(s0, s1);
    if ((flags & Image_MirrorY) != 0)
        std::swap(t0, t1);
    double const texCoords[4][2] = {{s0, t1}, {s1, t1}, {s1, t0}, {s0, t0}};

    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, static_cast<GLfloat>(transparency));
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i)
    {
        glTexCoord2d(texCoords[i][0], texCoords[i][1]);
        glVertex2f(static_cast<GLfloat>(origin.x + corners[i].x), static_cast<GLfloat>(origin.y + corners[i].y));
    }
    glEnd();

    if ((flags & Image_Outline) != 0)
    {
        glDisable(GL_TEXTURE_2D);
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        glLineWidth(1.0f);
        glBegin(GL_LINE_LOOP);
        for (Pointf const& c : corners)
            glVertex2f(static_cast<GLfloat>(origin.x + c.x), static_cast<GLfloat>(origin.y + c.y));
        glEnd();
    }
    CheckGlError();
}

bool Image::SamplesOpaqueWithin(double s0, double s1, double t0, double t1) const
{
    if (SamplesOpaque())
        return true;
    if (opaqueInsetX < 0 || opaqueInsetY < 0)
        return false;
    // Linear filtering reads the texel on each side of a coordinate, and one more texel of room
    // covers the GL's rounding of the coordinates it interpolates; scaling the picture for its
    // upload blurs the bands by up to a texel of each size.
    auto within = [](double lo, double hi, std::uint32_t size, int uploaded, int inset, bool repeats) {
        if (repeats)
            return inset == 0;
        if (uploaded <= 0)
            return false;
        double const room = (inset + 2.0) / size + 2.0 / uploaded;
        return lo >= room && hi <= 1.0 - room;
    };
    return within(s0, s1, width, glWidth, opaqueInsetX, repeatsX)
           && within(t0, t1, height, glHeight, opaqueInsetY, repeatsY);
}

std::uint64_t Image::FilePixels(char const* file, Image_Flags flags)
{
    FILE* f = HM_OpenFile(file, "rb", DataFile_PictureLimit);
    if (f == nullptr)
        return 0;
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    bool const read = ReadPngSize(f, &w, &h);
    std::fclose(f);
    if (!read)
        return 0;
    std::uint64_t const paddedW = w + ((flags & Image_PadX) != 0 ? 4 : 0);
    std::uint64_t const paddedH = h + ((flags & Image_PadY) != 0 ? 4 : 0);
    return paddedW * paddedH;
}

void Image::Enlist()
{
    nextLive = firstLive;
    if (firstLive != nullptr)
        firstLive->prevLive = this;
    firstLive = this;
}

int Image::LiveCount()
{
    int count = 0;
    for (Image const* image = firstLive; image != nullptr; image = image->nextLive)
        count++;
    return count;
}

void Image::DrawEveryImage(Pointf const& at)
{
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    Image const* drawn = nullptr;
    for (Image const* image = firstLive; image != nullptr; image = image->nextLive)
    {
        if (image->texture == 0)
            continue;
        image->Render(at, 0.0, 2.0, 2.0, Image_Centre | Image_Middle, nullptr);
        if (blending && image->SamplesOpaque())
        {
            glDisable(GL_BLEND);
            image->Render(at, 0.0, 2.0, 2.0, Image_Centre | Image_Middle, nullptr);
            glEnable(GL_BLEND);
        }
        drawn = image;
    }
    if (drawn != nullptr)
        drawn->Render(at, 0.0, 2.0, 2.0, Image_Centre | Image_Middle | Image_Outline, nullptr);
}

void Image::CheckGlError()
{
    GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    MessageBox::Show(reinterpret_cast<char const*>(gluErrorString(error)), "OpenGL error");
    assert(false);
}

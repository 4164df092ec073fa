// Rasterizes characters of a system TrueType font for the generated font sheets and the canvas's text.
#include "tools/GlyphRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace
{

char const* const fontFiles[2] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};

} // namespace

GlyphRasterizer::GlyphRasterizer(int pixelSize, bool bold)
{
    if (FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("FreeType could not start");
    char const* file = fontFiles[bold ? 1 : 0];
    if (FT_New_Face(library, file, 0, &face) != 0 || FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0)
    {
        if (face != nullptr)
            FT_Done_Face(face);
        FT_Done_FreeType(library);
        throw std::runtime_error(std::string("cannot load font ") + file);
    }
}

GlyphRasterizer::~GlyphRasterizer()
{
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

RasterGlyph GlyphRasterizer::Render(char c) const
{
    if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0)
        throw std::runtime_error(std::string("cannot render character ") + c);
    FT_GlyphSlot slot = face->glyph;
    RasterGlyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.rows = static_cast<int>(slot->bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x)
            glyph.coverage[y * glyph.width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
    return glyph;
}

int GlyphRasterizer::Ascender() const
{
    return static_cast<int>((face->size->metrics.ascender + 63) >> 6);
}

int GlyphRasterizer::Descender() const
{
    return static_cast<int>((-face->size->metrics.descender + 63) >> 6);
}

int GlyphRasterizer::MeasureText(std::string const& text) const
{
    int width = 0;
    for (char c : text)
        width += Render(c).advance;
    return width;
}

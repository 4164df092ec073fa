// Rasterizes characters of a system TrueType font for the generated font sheets and the canvas's text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

struct RasterGlyph final
{
    int left = 0;                       // columns from the pen to the bitmap's first column
    int top = 0;                        // rows from the baseline up to the bitmap's first row
    int width = 0;                      // bitmap columns
    int rows = 0;                       // bitmap rows
    int advance = 0;                    // whole pixels the pen moves
    std::vector<std::uint8_t> coverage; // rows × width, top row first
};

class GlyphRasterizer final
{
public:
    // Throws std::runtime_error when the font cannot be loaded.
    GlyphRasterizer(int pixelSize, bool bold);
    ~GlyphRasterizer();
    GlyphRasterizer(GlyphRasterizer const&) = delete;
    GlyphRasterizer& operator=(GlyphRasterizer const&) = delete;

    RasterGlyph Render(char c) const;
    int Ascender() const;  // pixels above the baseline
    int Descender() const; // pixels below the baseline (positive)
    int MeasureText(std::string const& text) const;

private:
    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
};

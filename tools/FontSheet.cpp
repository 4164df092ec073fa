// Builds the three glyph sheets of the game font and their metrics file from a TrueType font.
#include "tools/FontSheet.h"

#include "tools/DataGen.h"
#include "tools/GlyphRasterizer.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace
{

struct SheetRange
{
    char first;
    char last;
};

SheetRange const sheetRanges[FontSheet::sheetCount] = {{'!', '@'}, {'A', 'Z'}, {'a', 'z'}};
int const cellGap = 2;

Rgba const inkColour{255, 255, 255, 255};
Rgba const outlineColour{16, 16, 32, 255};

} // namespace

FontSheet::FontSheet(int pixelSize)
{
    GlyphRasterizer font(pixelSize, true);
    int baseline = font.Ascender() + 1;
    int height = font.Ascender() + font.Descender() + 2;
    spaceWidth = font.Render(' ').advance;

    for (SheetRange range : sheetRanges)
    {
        std::vector<RasterGlyph> glyphs;
        std::vector<FontSheetMetrics> sheetMetrics;
        int cursor = cellGap;
        for (char c = range.first; c <= range.last; ++c)
        {
            RasterGlyph glyph = font.Render(c);
            // The outline widens the ink by one column on each side.
            int inkLeft = glyph.left - 1;
            int inkRight = glyph.left + glyph.width + 1;
            FontSheetMetrics m;
            m.leftOffset = std::max(0, -inkLeft);
            m.originX = cursor + m.leftOffset;
            m.width = std::max(1, inkRight + m.leftOffset);
            m.advance = std::max(0, glyph.advance);
            cursor += m.width + 1 + cellGap;
            glyphs.push_back(std::move(glyph));
            sheetMetrics.push_back(m);
        }

        Canvas sheet(cursor, height);
        for (std::size_t i = 0; i < glyphs.size(); ++i)
        {
            RasterGlyph const& g = glyphs[i];
            int x0 = sheetMetrics[i].originX + g.left;
            int y0 = baseline - g.top;
            for (int pass = 0; pass < 2; ++pass)
                for (int y = 0; y < g.rows; ++y)
                    for (int x = 0; x < g.width; ++x)
                    {
                        double cover = g.coverage[y * g.width + x] / 255.0;
                        if (pass == 1)
                        {
                            sheet.Blend(x0 + x, y0 + y, inkColour, cover);
                            continue;
                        }
                        for (int dy = -1; dy <= 1; ++dy)
                            for (int dx = -1; dx <= 1; ++dx)
                                sheet.Blend(x0 + x + dx, y0 + y + dy, outlineColour, cover);
                    }
        }
        sheets.push_back(std::move(sheet));
        metrics.insert(metrics.end(), sheetMetrics.begin(), sheetMetrics.end());
    }
}

void FontSheet::Write(std::string const& dir) const
{
    std::string textDir = dir + "/gfx/text";
    DataGen::MakeDirs(textDir);
    for (int n = 0; n < sheetCount; ++n)
        sheets[n].WritePng(textDir + "/text" + std::to_string(n) + ".png");

    std::string infoPath = textDir + "/textinfo";
    FILE* file = std::fopen(infoPath.c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + infoPath);
    std::fprintf(file, "%d\n", spaceWidth);
    for (FontSheetMetrics const& m : metrics)
        std::fprintf(file, "%d,%d,%d,%d\n", m.originX, m.leftOffset, m.width, m.advance);
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + infoPath);
}

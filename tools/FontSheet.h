// Builds the three glyph sheets of the game font and their metrics file from a TrueType font.
#pragma once

#include "tools/Canvas.h"

#include <string>
#include <vector>

struct FontSheetMetrics final
{
    int originX = 0;    // the pen's column in the sheet
    int leftOffset = 0; // columns the glyph's ink starts left of the pen
    int width = 0;      // quad width; the glyph's picture is one column wider
    int advance = 0;    // the pen moves advance + 1
};

class FontSheet final
{
public:
    // Sheet 0 holds "!" to "@", sheet 1 "A" to "Z", sheet 2 "a" to "z".
    static constexpr int sheetCount = 3;

    explicit FontSheet(int pixelSize);

    Canvas const& Sheet(int n) const { return sheets[n]; }
    std::vector<FontSheetMetrics> const& Metrics() const { return metrics; }
    int SpaceWidth() const { return spaceWidth; }

    // Writes gfx/text/text0.png to text2.png and gfx/text/textinfo under dir.
    void Write(std::string const& dir) const;

private:
    std::vector<Canvas> sheets;
    std::vector<FontSheetMetrics> metrics; // one per glyph, in glyph order
    int spaceWidth = 0;
};

// FontSheet: every inked pixel of the generated sheets lies inside the rectangle its glyph
// is cut from, so no glyph loses part of its shape to a neighbour or to the sheet's edge.
#include "tools/FontSheet.h"

#include <gtest/gtest.h>

TEST(FontSheet, GlyphRectanglesHoldAllTheirInk)
{
    FontSheet font(20);
    int const firsts[FontSheet::sheetCount] = {0, 32, 58};
    int const counts[FontSheet::sheetCount] = {32, 26, 26};
    ASSERT_EQ(font.Metrics().size(), 84u);
    EXPECT_GT(font.SpaceWidth(), 0);
    for (int sheet = 0; sheet < FontSheet::sheetCount; ++sheet)
    {
        Canvas const& c = font.Sheet(sheet);
        EXPECT_EQ(c.Height(), font.Sheet(0).Height());
        std::vector<int> owner(c.Width(), -1);
        for (int i = 0; i < counts[sheet]; ++i)
        {
            FontSheetMetrics const& m = font.Metrics()[firsts[sheet] + i];
            int from = m.originX - m.leftOffset;
            ASSERT_GE(from, 0);
            ASSERT_LE(from + m.width + 1, c.Width());
            EXPECT_GE(m.advance, 1);
            for (int x = from; x < from + m.width + 1; ++x)
            {
                EXPECT_EQ(owner[x], -1) << "glyph rectangles overlap at column " << x;
                owner[x] = i;
            }
        }
        int inked = 0;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x)
                if (c.Get(x, y).a != 0)
                {
                    ++inked;
                    EXPECT_NE(owner[x], -1) << "sheet " << sheet << " column " << x;
                }
        EXPECT_GT(inked, counts[sheet] * 10);
    }
}

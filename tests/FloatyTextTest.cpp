// Floating labels drawn through the map's view, with the plate centred on the label's point.
#include "FloatyText.h"

#include "tools/DataGen.h"
#include "FloorMap.h"
#include "MediaTestSupport.h"

using FloatyTextTest = MediaTestSupport_Gl;

TEST_F(FloatyTextTest, PlateIsCentredOnThePointWhateverTheAlignment)
{
    DataGen::WriteFont(dir.Path());
    GameFont font;
    auto map = FloorMap::Make(); // world (0, 0) is the screen's centre at scale 1
    int const margin = 4;
    FloatyText label(&font, Pointf(0.0, 100.0), "Label", 1.0, Font_Left | Font_Middle);
    label.SetBackplate(true, margin);
    label.Render(map.get(), 0);

    int const half = font.MeasureText("Label", -1) / 2;
    int const y = 340;
    EXPECT_EQ(Pixel(320 - half - margin + 1, y), (std::array<int, 3>{255, 255, 255}));
    EXPECT_TRUE(IsBlack(320 - half - margin - 3, y));
    EXPECT_EQ(Pixel(320 + half + margin - 1, y + font.GetHeight() / 2 + margin - 2), (std::array<int, 3>{255, 255, 255}));
    // The left-aligned text itself runs on past the plate.
    EXPECT_TRUE(IsBlack(320 + 2 * half + 3, y));

    Pointf centre(0.0, 0.0);
    double radius = 0.0;
    double scale = 0.0;
    EXPECT_TRUE(label.ActivePoint(centre, radius, scale));
    EXPECT_EQ(centre.y, 100.0);
}

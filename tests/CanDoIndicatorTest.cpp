// The hint panel: sliding in while enabled and out when not, drawing only what the world reports.
#include "CanDoIndicator.h"

#include <gtest/gtest.h>

#include "GameFont.h"
#include "MediaTestSupport.h"

namespace {

class FixedHint final : public CanDoIndicator
{
public:
    explicit FixedHint(GameFont const* hintFont) : CanDoIndicator(nullptr, nullptr, hintFont) {}
    bool FindMessage(CanDo_Indicate* indicate, Tick) override
    {
        asked++;
        indicate->mess = report ? "Go" : nullptr;
        indicate->positive = positive;
        return report;
    }

    bool report = true;
    bool positive = true;
    int asked = 0;
};

// Polls until the panel stops moving.
void Settle(FixedHint& hint)
{
    for (double x = -1.0; x != hint.GetPanelPos().x;)
    {
        x = hint.GetPanelPos().x;
        hint.Poll();
    }
}

using CanDoIndicatorTest = MediaTestSupport_Gl;

} // namespace

TEST_F(CanDoIndicatorTest, SlidesInAndOutAndDrawsOnlyAReportedHint)
{
    std::filesystem::create_directories("gfx/general");
    Canvas(16, 16, Rgba{0, 255, 0, 255}).WritePng("gfx/general/thumbsup.png");
    Canvas(16, 16, Rgba{255, 0, 0, 255}).WritePng("gfx/general/thumbsdown.png");
    WriteBlockFont(dir, BlockFontMetrics(84));
    GameFont font;
    FixedHint hint(&font);
    EXPECT_EQ(hint.GetPanelPos().y, 8.0 + CanDo_Image_Pad);
    hint.Render(10);
    EXPECT_EQ(hint.asked, 0) << "a parked panel asks nothing";

    hint.SetEnable(true);
    hint.Poll();
    EXPECT_EQ(hint.GetPanelPos().x, 1280.0 - (1280.0 - 4.0) / 8.0);
    Settle(hint);
    ASSERT_EQ(hint.GetPanelPos().x, 4.0);

    hint.report = false;
    hint.Render(5);
    EXPECT_TRUE(IsBlack(12, 12));
    hint.report = true;
    hint.Render(5);
    EXPECT_EQ(Pixel(12, 12), (std::array<int, 3>{0, 255, 0}));
    EXPECT_FALSE(IsBlack(23, 12)) << "the box around the text";
    hint.positive = false;
    hint.Render(5);
    EXPECT_EQ(Pixel(12, 12), (std::array<int, 3>{255, 0, 0}));

    hint.SetEnable(false);
    hint.Poll();
    EXPECT_EQ(hint.GetPanelPos().x, 4.0 + (1280.0 - 4.0) / 8.0);
    int const asked = hint.asked;
    hint.Render(20);
    EXPECT_EQ(hint.asked, asked + 1) << "still drawn on its way out";
    Settle(hint);
    EXPECT_EQ(hint.GetPanelPos().x, 1280.0);
}

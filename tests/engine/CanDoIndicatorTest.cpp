// The hint panel: sliding in while enabled and out when not, drawing only what the world reports.
#include "engine/CanDoIndicator.h"

#include "media/GameFont.h"
#include "support/MediaTestSupport.h"

namespace
{

// Reports a thumbs-down hint when `report` is set.
class FixedHint final : public CanDoIndicator
{
public:
    FixedHint() : CanDoIndicator(nullptr, nullptr, &ownFont) {}
    bool FindMessage(CanDo_Indicate* indicate, Tick) override
    {
        asked++;
        indicate->mess = report ? "Go" : nullptr;
        return report;
    }
    GameFont ownFont;
    bool report = false;
    int asked = 0;
};

using CanDoIndicatorTest = MediaTestSupport_Gl;

} // namespace

TEST_F(CanDoIndicatorTest, SlidesInAndOutAndDrawsOnlyAReportedHint)
{
    std::filesystem::create_directories("gfx/general");
    Canvas(16, 16, Rgba{0, 255, 0, 255}).WritePng("gfx/general/thumbsup.png");
    Canvas(16, 16, Rgba{255, 0, 0, 255}).WritePng("gfx/general/thumbsdown.png");
    WriteBlockFont(dir, BlockFontMetrics(84));
    FixedHint hint;
    auto settle = [&hint] {
        for (double x = -1.0; x != hint.GetPanelPos().x; hint.Poll())
            x = hint.GetPanelPos().x;
    };
    hint.Render(10);
    EXPECT_EQ(hint.asked, 0) << "a parked panel asks nothing";

    hint.SetEnable(true);
    hint.Poll();
    EXPECT_EQ(hint.GetPanelPos().x, 1280.0 - (1280.0 - 4.0) / 8.0);
    settle();
    ASSERT_EQ(hint.GetPanelPos().x, 4.0);
    hint.Render(5);
    EXPECT_TRUE(IsBlack(12, 12)) << "nothing to report, nothing drawn";
    hint.report = true;
    hint.Render(5);
    EXPECT_EQ(Pixel(12, 12), (std::array<int, 3>{255, 0, 0}));

    hint.SetEnable(false);
    hint.Poll();
    EXPECT_EQ(hint.GetPanelPos().x, 4.0 + (1280.0 - 4.0) / 8.0);
    hint.Render(20);
    EXPECT_EQ(hint.asked, 3) << "still drawn on its way out";
    settle();
    EXPECT_EQ(hint.GetPanelPos().x, 1280.0);
}

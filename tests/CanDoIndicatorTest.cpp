// The hint panel: sliding in while enabled and out when not, and drawing only what the world reports.
#include "CanDoIndicator.h"

#include <gtest/gtest.h>

#include "GameFont.h"
#include "MediaTestSupport.h"

namespace {

class FixedHint final : public CanDoIndicator
{
public:
    explicit FixedHint(GameFont const* hintFont) : CanDoIndicator(nullptr, nullptr, hintFont) {}

    bool FindMessage(CanDo_Indicate* indicate, Tick t) override
    {
        asked++;
        lastTick = t;
        if (!report)
            return false;
        indicate->mess = "Go";
        indicate->positive = positive;
        return true;
    }

    bool report = true;
    bool positive = true;
    int asked = 0;
    Tick lastTick = -1;
};

class CanDoIndicatorTest : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        std::filesystem::create_directories("gfx/general");
        Canvas(16, 16, Rgba{0, 255, 0, 255}).WritePng("gfx/general/thumbsup.png");
        Canvas(16, 16, Rgba{255, 0, 0, 255}).WritePng("gfx/general/thumbsdown.png");
        WriteBlockFont(dir, BlockFontMetrics(84));
        font = std::make_unique<GameFont>();
        hint = std::make_unique<FixedHint>(font.get());
    }

    void TearDown() override
    {
        hint.reset();
        font.reset();
        MediaTestSupport_Gl::TearDown();
    }

    // Polls until the panel stops moving; returns how many polls moved it.
    int Settle()
    {
        int moves = 0;
        for (Pointf before = hint->GetPanelPos(); moves < 1000; moves++)
        {
            hint->Poll();
            if (hint->GetPanelPos().x == before.x)
                break;
            before = hint->GetPanelPos();
        }
        return moves;
    }

    std::unique_ptr<GameFont> font;
    std::unique_ptr<FixedHint> hint;
};

} // namespace

TEST_F(CanDoIndicatorTest, SlidesInWhileEnabledAndParksWhenReleased)
{
    EXPECT_EQ(hint->GetPanelPos().x, 1280.0);
    EXPECT_EQ(hint->GetPanelPos().y, 8.0 + CanDo_Image_Pad) << "half the picture's height above the pad";
    hint->Render(10);
    EXPECT_EQ(hint->asked, 0) << "a parked panel asks nothing";

    hint->SetEnable(true);
    hint->Poll();
    EXPECT_EQ(hint->GetPanelPos().x, 1280.0 - (1280.0 - 4.0) / 8.0);
    EXPECT_LT(Settle(), 1000);
    EXPECT_EQ(hint->GetPanelPos().x, 4.0);

    hint->SetEnable(false);
    hint->Poll();
    double const leaving = hint->GetPanelPos().x;
    EXPECT_EQ(leaving, 4.0 + (1280.0 - 4.0) / 8.0);
    hint->Render(20);
    EXPECT_EQ(hint->asked, 1) << "still drawn on its way out";
    EXPECT_EQ(hint->lastTick, 20);

    EXPECT_LT(Settle(), 1000);
    EXPECT_EQ(hint->GetPanelPos().x, 1280.0);
    hint->Render(30);
    EXPECT_EQ(hint->asked, 1);
}

TEST_F(CanDoIndicatorTest, DrawsTheThumbForTheHintAndNothingWithoutOne)
{
    hint->SetEnable(true);
    Settle();
    Pointf const at = hint->GetPanelPos();
    int const x = int(at.x) + 8;
    int const y = int(at.y);

    hint->report = false;
    hint->Render(5);
    EXPECT_TRUE(IsBlack(x, y));

    hint->report = true;
    hint->Render(5);
    EXPECT_EQ(Pixel(x, y), (std::array<int, 3>{0, 255, 0}));
    hint->positive = false;
    hint->Render(5);
    EXPECT_EQ(Pixel(x, y), (std::array<int, 3>{255, 0, 0}));
    EXPECT_FALSE(IsBlack(int(at.x) + 16 + 3, y)) << "the box around the text, beside the picture";
}

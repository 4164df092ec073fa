// SpeechBubble: word wrap into four rows, smaller text for a long line, the opening, typing and
// closing steps, and where the frame and its text are drawn.
#include "engine/SpeechBubble.h"

#include "media/GameFont.h"
#include "support/MediaTestSupport.h"
#include "util/Pointf.h"
#include "util/WorldTransform.h"

#include <memory>
#include <string>

namespace
{

std::array<int, 3> const grey{128, 128, 128};

// Rows 0 and 3 are 136 pixels wide and take 27 block glyphs; rows 1 and 2 take 42.
Bubble_Text_Spec const narrowRow{160, 129, 265};
Bubble_Text_Spec const wideRow{128, 93, 303};

} // namespace

class SpeechBubbleTest : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        WriteBlockFont(dir, BlockFontMetrics(84));
        for (int type = 0; type < 2; ++type)
        {
            // Grey, keyed only at its odd bottom-right pixel.
            Canvas frame(320, 224, Rgba{128, 128, 128, 255});
            frame.Set(319, 223, Rgba{1, 2, 3, 255});
            frame.WritePng("gfx/text/speechbubble0" + std::to_string(type) + ".png", PngFormat::Rgb);
        }
        font = std::make_unique<GameFont>();
        SpeechBubble::Initialise(font.get());
    }
    void TearDown() override
    {
        SpeechBubble::Finalise();
        font.reset();
        MediaTestSupport_Gl::TearDown();
    }

    // Pixels in the rectangle that are neither black nor the frame's grey: typed text. The
    // rectangle keeps clear of the frame's edges, where filtering blends grey with black.
    static int TextPixels(int x0, int y0, int x1, int y1)
    {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (!IsBlack(x, y) && Pixel(x, y) != grey)
                    ++count;
        return count;
    }

    static void Steps(SpeechBubble& bubble, int n)
    {
        for (int i = 0; i < n; ++i)
            bubble.Poll();
    }

    std::unique_ptr<GameFont> font;
};

TEST_F(SpeechBubbleTest, RowsBreakBetweenWordsAndInsideWordsWiderThanARow)
{
    EXPECT_EQ(SpeechBubble::FitOnLine("aaaaaaaaaa bbbbbbbbbb cccccccccc", 32, &narrowRow), 21);
    EXPECT_EQ(SpeechBubble::FitOnLine("aaaaaaaaaa   bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", 45, &narrowRow), 10);
    EXPECT_EQ(SpeechBubble::FitOnLine("short text", 10, &narrowRow), 10);

    // One word longer than the row is cut at the row's width and goes on in the next row.
    std::string word(60, 'w');
    EXPECT_EQ(SpeechBubble::FitOnLine(word.c_str(), 60, &narrowRow), 27);
    EXPECT_EQ(SpeechBubble::FitText(word.c_str(), -1, Bubble_Speech), 60);
    // A text too long even for the smallest size fills the rows at that size.
    std::string huge(500, 'w');
    int const smallest = 2 * SpeechBubble::FitOnLine(huge.c_str(), 500, &narrowRow, Bubble_SmallestText)
                         + 2 * SpeechBubble::FitOnLine(huge.c_str(), 500, &wideRow, Bubble_SmallestText);
    EXPECT_GT(smallest, 27 + 42 + 42 + 27);
    EXPECT_EQ(SpeechBubble::FitText(huge.c_str(), -1, Bubble_Thought), smallest);

    // maxChars limits the text before it is laid out.
    EXPECT_EQ(SpeechBubble::FitText("aaaaaaaaaa bbbbbbbbbb", 5, Bubble_Speech), 5);
}

TEST_F(SpeechBubbleTest, ALineLongerThanTheRowsIsSetSmallerAndEveryWordShows)
{
    // At most 27 + 42 + 42 + 27 glyphs fit at the font's size; this line holds 160 with its spaces.
    std::string line;
    while (line.size() < 160)
        line += "have you got ";
    line.resize(160);
    EXPECT_EQ(SpeechBubble::FitText(line.c_str(), -1, Bubble_Speech), 160);

    SpeechBubble bubble(line.c_str(), -1, 400, Bubble_Speech);
    EXPECT_EQ(std::string(bubble.GetText()), line);
    EXPECT_LT(bubble.GetTextSize(), 1.0);
    EXPECT_GE(bubble.GetTextSize(), Bubble_SmallestText);
    // Typed in full once every character is out.
    int typedAt = 0;
    for (int step = 1; step <= 300 && typedAt == 0; ++step)
        if ((bubble.Poll() & 2) != 0)
            typedAt = step;
    EXPECT_EQ(typedAt, 160 + 12);

    // Drawn at 0.75 on the screen from (100, 100), the smaller text fills the first row (its top
    // 120 above the point) to the last (its top 49 above) and stays in the middle of the frame.
    Pointf at(100, 100);
    bubble.Render(static_cast<WorldTransform const*>(nullptr), &at);
    int const all = TextPixels(104, 102, 340, 268);
    EXPECT_EQ(TextPixels(150, 130, 340, 230), all);
    EXPECT_GT(TextPixels(150, 212, 340, 221), 0) << "the first row";
    EXPECT_GT(TextPixels(150, 140, 340, 150), 0) << "the last row";

    // A line that fits keeps the font's size, and new text lays out afresh.
    SpeechBubble fits("ab cd", -1, 100, Bubble_Speech);
    EXPECT_EQ(fits.GetTextSize(), 1.0);
    fits.NewText(line.c_str(), -1, 100);
    EXPECT_LT(fits.GetTextSize(), 1.0);
    fits.NewText("ab", -1, 100);
    EXPECT_EQ(fits.GetTextSize(), 1.0);
}

TEST_F(SpeechBubbleTest, PollReportsTheEndOfTypingAndOfDisplayTime)
{
    std::string text;
    while (text.size() < 400)
        text += "abcd ";
    int fits = SpeechBubble::FitText(text.c_str(), -1, Bubble_Speech);
    ASSERT_LT(fits, 400);

    SpeechBubble bubble(text.c_str(), -1, 300, Bubble_Speech);
    int typedAt = 0;
    int endedAt = 0;
    for (int step = 1; step <= 400; ++step)
    {
        int result = bubble.Poll();
        if ((result & 2) != 0)
            typedAt = typedAt == 0 ? step : -1;
        if ((result & 1) != 0)
            endedAt = endedAt == 0 ? step : -1;
    }
    EXPECT_EQ(typedAt, fits + 12);
    EXPECT_EQ(endedAt, 300);

    // New text keeps the bubble open and moves its end to the new time + 12 steps from now.
    SpeechBubble other("hello", -1, 100, Bubble_Thought);
    Steps(other, 50);
    other.NewText("again", -1, 40);
    int step = 1;
    while ((other.Poll() & 1) == 0 && step < 200)
        ++step;
    EXPECT_EQ(step, 40);
    EXPECT_EQ(other.GetType(), Bubble_Thought);
}

TEST_F(SpeechBubbleTest, OpensTypesAndClosesOnTheScreen)
{
    Pointf at(100, 100);
    SpeechBubble bubble("ab cd", -1, 100, Bubble_Speech);

    // Half open at step 6: only the lower-left quarter of the full frame is drawn.
    Steps(bubble, 6);
    bubble.Render(static_cast<WorldTransform const*>(nullptr), &at);
    EXPECT_EQ(Pixel(110, 110), grey);
    EXPECT_TRUE(IsBlack(300, 250));
    EXPECT_TRUE(IsBlack(98, 110));

    // Open: 240 x 168 on the screen, 4 pixels right of the point, and no text yet.
    Steps(bubble, 6);
    glClear(GL_COLOR_BUFFER_BIT);
    bubble.Render(static_cast<WorldTransform const*>(nullptr), &at);
    EXPECT_EQ(Pixel(300, 250), grey);
    EXPECT_EQ(Pixel(342, 266), grey);
    EXPECT_TRUE(IsBlack(346, 150));
    EXPECT_EQ(TextPixels(150, 130, 330, 230), 0);

    // One more character every step, spaces included.
    int previous = 0;
    for (int chars = 1; chars <= 5; ++chars)
    {
        Steps(bubble, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        bubble.Render(static_cast<WorldTransform const*>(nullptr), &at);
        int now = TextPixels(150, 130, 330, 230);
        if (chars == 3)
            EXPECT_EQ(now, previous);
        else
            EXPECT_GT(now, previous) << chars;
        previous = now;
    }

    // Closing: at 94 of 100 the bubble is back to half its size.
    Steps(bubble, 94 - 17);
    glClear(GL_COLOR_BUFFER_BIT);
    bubble.Render(static_cast<WorldTransform const*>(nullptr), &at);
    EXPECT_EQ(Pixel(110, 110), grey);
    EXPECT_TRUE(IsBlack(300, 250));
}

TEST_F(SpeechBubbleTest, FlippedBubbleLiesMirroredLeftOfThePoint)
{
    Pointf at(400, 100);
    SpeechBubble bubble("ab cd ef", -1, 100, Bubble_Speech);
    bubble.flip = 1;
    Steps(bubble, 40);
    bubble.Render(static_cast<WorldTransform const*>(nullptr), &at);
    EXPECT_EQ(Pixel(160, 110), grey);
    EXPECT_EQ(Pixel(394, 110), grey);
    EXPECT_TRUE(IsBlack(397, 110));
    EXPECT_TRUE(IsBlack(155, 110));
    EXPECT_GT(TextPixels(160, 130, 390, 230), 0);
    EXPECT_EQ(TextPixels(396, 100, 640, 268), 0);
}

TEST_F(SpeechBubbleTest, ABubbleThatWouldRunOffTheScreenMovesOntoIt)
{
    // Through a camera at three screen pixels a unit, the frame is 240 x 168 on the screen.
    WorldTransform view;
    view.scale = 3.0;
    SpeechBubble bubble("ab cd ef", -1, 100, Bubble_Speech);
    Steps(bubble, 40);

    // A speaker 40 pixels from the right edge: the whole bubble ends at the edge, text and all.
    Pointf const nearRight(200.0, 30.0);
    bubble.Render(&view, &nearRight);
    EXPECT_EQ(Pixel(402, 100), grey);
    EXPECT_EQ(Pixel(637, 100), grey);
    EXPECT_TRUE(IsBlack(397, 100));
    EXPECT_GT(TextPixels(410, 110, 630, 250), 0);

    // Mirrored for a speaker 40 pixels from the left edge: it starts at the edge.
    bubble.flip = 1;
    glClear(GL_COLOR_BUFFER_BIT);
    Pointf const nearLeft(40.0 / 3.0, 30.0);
    bubble.Render(&view, &nearLeft);
    EXPECT_EQ(Pixel(2, 100), grey);
    EXPECT_EQ(Pixel(237, 100), grey);
    EXPECT_TRUE(IsBlack(243, 100));
    EXPECT_GT(TextPixels(10, 110, 230, 250), 0);

    // One that fits stays where it was put, 4 units right of the speaker.
    bubble.flip = 0;
    glClear(GL_COLOR_BUFFER_BIT);
    Pointf const middle(100.0, 30.0);
    bubble.Render(&view, &middle);
    EXPECT_TRUE(IsBlack(309, 100));
    EXPECT_EQ(Pixel(314, 100), grey);
    EXPECT_EQ(Pixel(549, 100), grey);
    EXPECT_TRUE(IsBlack(555, 100));
}

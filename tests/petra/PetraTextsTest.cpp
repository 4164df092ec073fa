// The riddle-giver's house as drawn from the generated data: the weighing's hint and the question room's
// answer labels lie wholly on the screen, the labels clear of the hearts and clocks along its top.
#include "engine/FloatyText.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "media/GameFont.h"
#include "petra/PetraWorldSupport.h"
#include "petra/Petra_Ids.h"
#include "support/LevelFrame.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace
{

constexpr int ScreenW = 640;
constexpr int ScreenH = 480;
// The hearts stand in the rows above 424 from the left, the clocks in those above 448 round the middle
// (y up).
constexpr double HeartsBottom = 424.0;
constexpr double HeartsRight = 200.0;
constexpr double ClocksBottom = 448.0;

class PetraTexts : public PetraWorldFixture
{
protected:
    // The frame just drawn, RGBA rows from the bottom.
    static std::vector<unsigned char> Frame() { return ScreenPixels(ScreenW, ScreenH); }

    // Where answer label k is drawn on the screen, its white plate included; its width is read from
    // the label itself.
    Rectf LabelOnScreen(int k)
    {
        GameFont const font;
        Pointf at;
        double radius = 0.0, objScale = 0.0;
        World().GetAnswerLabel(k)->ActivePoint(at, radius, objScale);
        Map const& map = TheMap();
        Pointf const q = map.WorldToScreen(at);
        double const halfW = radius / 2.0 * map.view.scale / 2.0 + 1.0; // the radius is twice the width
        double const halfH = font.GetHeight() * Petra_Label_Scale * map.view.scale / 2.0 + 1.0;
        return Rectf(q.x - halfW, q.y - halfH, q.x + halfW, q.y + halfH);
    }

    // Where the message's letters are drawn across the screen, leftmost and rightmost column: the
    // message alone over black, on the screen's own plan, where its box is a grey wash and the
    // letters' faces bright.
    static std::pair<int, int> LettersDrawn(Message const& message)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, ScreenW, 0.0, ScreenH, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        message.Render();
        std::vector<unsigned char> const frame = Frame();
        int left = ScreenW, right = -1;
        for (int y = 0; y < ScreenH; ++y)
            for (int x = 0; x < ScreenW; ++x)
            {
                unsigned char const* p = &frame[(static_cast<std::size_t>(y) * ScreenW + x) * 4];
                if (std::min({p[0], p[1], p[2]}) > 170)
                {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        return {left, right};
    }

    // Each label of the list lies inside the screen and under the top's hearts and clocks, and the
    // frame shows its white plate there.
    void ExpectLabelsShown(std::vector<int> const& labels, char const* view)
    {
        World().SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        World().Plot();
        std::vector<unsigned char> const frame = Frame();
        for (int k : labels)
        {
            Rectf const r = LabelOnScreen(k);
            EXPECT_GE(r.x0, 0.0) << "label " << k << " runs off the left " << view;
            EXPECT_LE(r.x1, ScreenW) << "label " << k << " runs off the right " << view;
            EXPECT_GE(r.y0, 0.0) << "label " << k << " runs off the bottom " << view;
            EXPECT_LE(r.y1, ClocksBottom) << "label " << k << " reaches among the clocks " << view;
            if (r.x0 < HeartsRight)
            {
                EXPECT_LE(r.y1, HeartsBottom) << "label " << k << " reaches among the hearts " << view;
            }
            // Inside its outline, a white plate behind thin letters.
            int white = 0, all = 0;
            for (int y = static_cast<int>(r.y0) + 2; y < static_cast<int>(r.y1) - 1; ++y)
                for (int x = static_cast<int>(r.x0) + 2; x < static_cast<int>(r.x1) - 1; ++x)
                {
                    if (x < 0 || x >= ScreenW || y < 0 || y >= ScreenH)
                        continue;
                    unsigned char const* p = &frame[(static_cast<std::size_t>(y) * ScreenW + x) * 4];
                    white += std::min({p[0], p[1], p[2]}) >= 240 ? 1 : 0;
                    ++all;
                }
            EXPECT_GT(white, all * 2 / 5) << "label " << k << "'s plate is not drawn where it stands " << view;
        }
    }
};

} // namespace

TEST_F(PetraTexts, TheQuestionRoomShowsEveryAnswerLabelAndEachSignReadShowsItsOwnThree)
{
    MakeWorld();
    StandAt(Ref(Petra_Rp_MotelStart));
    ASSERT_EQ(Steps(120), Level_Continue);
    std::vector<int> all;
    for (int k = 0; k < Petra_FloatyText_Count; ++k)
        all.push_back(k);
    ExpectLabelsShown(all, "in the question room");

    // Reading a sign draws the view in close round the reader.
    for (int q = 0; q < Petra_Question_Count; ++q)
    {
        StandAt(Ref(Petra_Rp_Signs + static_cast<unsigned int>(q)));
        ASSERT_EQ(Steps(10), Level_Continue);
        ASSERT_EQ(Step({KeyIndex_GameAction}), Level_Continue);
        ASSERT_EQ(Steps(60), Level_Continue);
        ASSERT_NEAR(TheMap().view.scale, CHAT_SCALE, 0.05) << "the sign of question " << q << " was not read";
        int const first = q * Petra_Answer_Count;
        ExpectLabelsShown({first, first + 1, first + 2}, ("reading the sign of question " + std::to_string(q)).c_str());
        ASSERT_EQ(Steps(400), Level_Continue);
    }
}

TEST_F(PetraTexts, ALineThatFitsTheScreenKeepsItsSizeAndOnlyAWiderOneIsSetSmaller)
{
    MakeWorld();
    Message* message = World().GetMessage();
    // The motel's instruction, 637.5 pixels wide at the messages' size: it fits the screen as it is.
    message->Display("Press the switch by the door when you have answered each question.", 500);
    ASSERT_EQ(Steps(60), Level_Continue);
    auto const [left, right] = LettersDrawn(*message);
    EXPECT_GT(right - left, 625) << "the line is drawn smaller than its size";
    EXPECT_GE(left, 1) << "the line is cut at the screen's left";
    EXPECT_LE(right, ScreenW - 2) << "the line is cut at the screen's right";

    // Twice as long, it is set smaller to keep to the screen.
    message->Clear();
    message->Display("Press the switch by the door when you have answered each question. Press the switch by the door "
                     "when you have answered each question.",
                     500);
    ASSERT_EQ(Steps(60), Level_Continue);
    auto const [wideLeft, wideRight] = LettersDrawn(*message);
    EXPECT_GE(wideLeft, 1) << "the long line is cut at the screen's left";
    EXPECT_LE(wideRight, ScreenW - 2) << "the long line is cut at the screen's right";
    EXPECT_GT(wideRight - wideLeft, 600) << "the long line is set smaller than it needs";
}

TEST_F(PetraTexts, TheWeighingsHintIsWhollyOnTheScreen)
{
    MakeWorld();
    StandAt(Ref(Petra_Rp_FactoryStart));
    ASSERT_EQ(Steps(30), Level_Continue);
    Press(Petra_Group_Weigh);
    Message* message = World().GetMessage();
    ASSERT_NE(message->GetShownText(), nullptr);
    ASSERT_NE(std::string(message->GetShownText()).find("malfunctioning"), std::string::npos);
    ASSERT_EQ(Steps(60), Level_Continue); // the box eases up into view
    auto const [left, right] = LettersDrawn(*message);
    ASSERT_GE(right, left) << "no letter was drawn";
    EXPECT_GE(left, 1) << "the hint is cut at the screen's left";
    EXPECT_LE(right, ScreenW - 2) << "the hint is cut at the screen's right";
    EXPECT_GT(right - left, ScreenW / 2) << "the hint is drawn too small to read";
}

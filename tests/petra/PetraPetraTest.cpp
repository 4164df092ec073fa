// The riddle-giver: the timing of its introductions, when it lets the hero go, its bubble on the
// screen and its standing still.
#include "engine/Event_ChatInfo.h"
#include "engine/SpeechBubble.h"
#include "petra/PetraSupport.h"
#include "petra/Petra_Petra.h"
#include "support/MediaTestSupport.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <utility>
#include <vector>

namespace
{

class PetraPetraTest : public PetraFixture
{
protected:
    PetraPetraTest()
    {
        MakePlayer(&objects);
        petra = std::make_unique<Petra_Petra>(map.get(), 10, player.get(), &message);
        objects.AddObject(petra.get());
    }

    // Starts introduction id and steps until the hero is let go (at most limit steps); notes the
    // step, counted from 0, at which each text first shows. Gives the steps taken.
    int Introduce(Petra_Chat_Id id, int limit, std::vector<std::pair<int, std::string>>& texts)
    {
        player->scripted = true;
        petra->StartTalkOver(id);
        for (int k = 0; k < limit; k++)
        {
            Step(objects);
            if (!player->scripted)
                return k;
            std::string const shown = petra->talkOverBubble != nullptr ? petra->talkOverBubble->GetText() : "";
            if (texts.empty() || texts.back().second != shown)
                texts.emplace_back(k, shown);
        }
        return limit;
    }

    // The lines waiting in the message queue, taken out of it.
    std::vector<std::string> Queued()
    {
        std::vector<std::string> lines;
        for (; message.GetShownText() != nullptr; message.AdvanceQueue())
            lines.emplace_back(message.GetShownText());
        return lines;
    }

    ObjectList objects;
    std::unique_ptr<Petra_Petra> petra;
};

TEST_F(PetraPetraTest, EachIntroductionShowsItsTextsThenQueuesItsInstructionsAndLetsTheHeroGo)
{
    std::vector<std::pair<int, std::string>> texts;
    EXPECT_EQ(Introduce(Petra_Chat_Scales, 2000, texts), 750);
    // The bubble holds as much of each text as its rows take.
    std::pair<int, std::string> const said[] = {{0, "He has access to a weighing machine but it is very low"},
                                                {250, "on power and can only perform one weigh in."},
                                                {500, "How can he discover which product weighs two kilos?"}};
    ASSERT_EQ(texts.size(), 3u);
    for (int i = 0; i < 3; i++)
    {
        EXPECT_EQ(texts[i].first, said[i].first);
        EXPECT_GT(texts[i].second.size(), 20u);
        EXPECT_TRUE(said[i].second.starts_with(texts[i].second)) << texts[i].second;
    }
    EXPECT_EQ(Queued(), (std::vector<std::string>{"Press the switches on the left to make some of each product",
                                                  "Once you've put the products you need on the weighing machine",
                                                  "push the switch on the right to perform the weighing"}));
    EXPECT_EQ(petra->talkOverBubble, nullptr);
    EXPECT_EQ(petra->talkOver, Petra_Chat_None);

    for (Petra_Chat_Id id : {Petra_Chat_Motel, Petra_Chat_Staff})
    {
        texts.clear();
        EXPECT_EQ(Introduce(id, 2000, texts), 500) << id;
        EXPECT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts.back().first, 250);
        EXPECT_EQ(Queued().size(), 1u);
    }

    // Let go, the hero walks again.
    double const x = player->GetPos().x;
    player->keys = Character_Right;
    Step(objects);
    EXPECT_GT(player->GetPos().x, x);
}

TEST_F(PetraPetraTest, ARestartBeginsAgainAndATextTypedOnItsLastStepStillLetsTheHeroGo)
{
    std::vector<std::pair<int, std::string>> texts;
    EXPECT_EQ(Introduce(Petra_Chat_Scales, 300, texts), 300);
    petra->StartTalkOver(Petra_Chat_Motel);
    EXPECT_EQ(petra->talkOverBubble, nullptr);
    texts.clear();
    EXPECT_EQ(Introduce(Petra_Chat_Motel, 2000, texts), 500);
    EXPECT_EQ(texts.front().first, 0);
    EXPECT_TRUE(std::string("Speak to the people in the motel and see if you can").starts_with(texts.front().second));
    Queued();

    // A text whose typing ends on the step its time runs out.
    texts.clear();
    EXPECT_EQ(Introduce(Petra_Chat_Scales, 510, texts), 510);
    char const* const line = "Twenty letters long.";
    petra->talkOverBubble->NewText(line, -1, 20);
    ASSERT_STREQ(petra->talkOverBubble->GetText(), line);
    for (int k = 0; k < 19; k++)
        Step(objects);
    EXPECT_TRUE(player->scripted);
    Step(objects);
    EXPECT_FALSE(player->scripted);
    EXPECT_EQ(petra->talkOverBubble, nullptr);
    EXPECT_TRUE(Queued().empty());
}

TEST_F(PetraPetraTest, ItsBubbleShowsAtTheScreensRightEdgeOnlyWhileItIntroducesAndItNeverWalks)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    auto const drawn = [&] {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        petra->RenderFore(map.get(), clock);
        return !IsBlack(487, 318); // inside the mirrored bubble left of (640, 240)
    };
    EXPECT_FALSE(drawn());
    petra->StartTalkOver(Petra_Chat_Staff);
    for (int k = 0; k < 20; k++)
        Step(objects);
    EXPECT_EQ(petra->talkOverBubble->flip, 1);
    EXPECT_TRUE(drawn());

    // Talked to from either side, it turns but stays where it stands.
    Pointf const stood = petra->GetPos();
    for (double side : {-30.0, 30.0})
    {
        for (int k = 0; k < 50; k++)
        {
            Event_ChatInfo info;
            Pointf const hero(stood.x + side, 0.0);
            bool changed = false;
            petra->TalkTo(&hero, &info, clock, changed);
            Step(objects);
        }
        EXPECT_EQ(petra->GetPos(), stood);
        EXPECT_EQ(petra->frame, side < 0 ? LeftFrame : RightFrame);
    }
}

} // namespace

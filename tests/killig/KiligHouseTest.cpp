// The master's house as a first visit draws it from the generated data: the introduction's walk ends with
// the two apart inside the house, both in view, every line's bubble whole in the frame, and no frame of it
// shows the bare clear colour.
#include "engine/CharStats.h"
#include "engine/SpeechBubble.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Dude.h"
#include "support/LevelFrame.h"
#include "tools/worlds/killig.h"

#include <gtest/gtest.h>


namespace
{

class KiligHouse : public KiligWorldFixture
{
protected:
    // Pixels of the frame drawn over a clear colour no picture of the house uses.
    int ClearPixels() { return LevelFrame::Draw(World()).Cleared(); }

    // Whether a figure standing at p lies wholly inside the view.
    bool InView(Pointf p, double halfWidth, double height)
    {
        Map const* map = world->GetMap();
        Pointf const a = map->WorldToScreen(Pointf(p.x - halfWidth, p.y));
        Pointf const b = map->WorldToScreen(Pointf(p.x + halfWidth, p.y + height));
        return a.x >= 0.0 && b.x <= 640.0 && a.y >= 0.0 && b.y <= 480.0;
    }

    // Whether the bubble a speaker's line opens, at its full size, lies wholly inside the view: it
    // stands over his head on the side away from his listener.
    bool BubbleInView(Pointf const& head, bool toTheRight)
    {
        double const w = Bubble_Width * Bubble_Scale;
        double const x0 = toTheRight ? head.x + Bubble_Gap : head.x - Bubble_Gap - w;
        Map const* map = world->GetMap();
        Pointf const a = map->WorldToScreen(Pointf(x0, head.y));
        Pointf const b = map->WorldToScreen(Pointf(x0 + w, head.y + Bubble_Height * Bubble_Scale));
        return a.x >= 0.0 && b.x <= 640.0 && a.y >= 0.0 && b.y <= 480.0;
    }
    static constexpr double Bubble_Width = 320.0; // the frame's picture
    static constexpr double Bubble_Height = 224.0;
    static constexpr double Bubble_Gap = 4.0; // from the speaker to the frame's side
};

} // namespace

TEST_F(KiligHouse, TheIntroductionsWalkEndsWithTheTwoApartInsideTheHouseEveryBubbleInTheFrameAndNoClearColour)
{
    House();
    Kilig_Dude const* master = World().GetMaster();
    double const wallFace = KiligWriter::House_RightWall;
    int step = 0;
    for (; step < 20000 && World().GetIntroState() < Kilig_Intro_Last; ++step)
    {
        ASSERT_EQ(Step(), Level_Continue) << "step " << step;
        if (step % 50 == 0)
        {
            ASSERT_EQ(ClearPixels(), 0) << "the clear colour shows at step " << step << ", the hero at x "
                                        << Hero()->GetPos().x;
        }
        ASSERT_LT(master->GetPos().x + Kilig_Dude_Width / 2.0, wallFace) << "the master walked into the wall";
        // Every line of the talk, his or the hero's, shows its bubble whole in the frame.
        if (World().GetIntroState() >= Kilig_Intro_Talking)
        {
            ASSERT_TRUE(BubbleInView(master->GetRelativePos(0.0, 0.8), true)) << "the master's bubble at step " << step;
            ASSERT_TRUE(BubbleInView(Hero()->GetRelativePos(0.0, 0.8), false)) << "the hero's bubble at step " << step;
        }
    }
    ASSERT_EQ(World().GetIntroState(), Kilig_Intro_Last);

    // The last stop, held until the world is built again.
    Pointf const hero = Hero()->GetPos();
    Pointf const old = master->GetPos();
    EXPECT_LT(hero.x + Hero()->GetStats()->width / 2.0, old.x - Kilig_Dude_Width / 2.0) << "the two overlap";
    EXPECT_LT(old.x + Kilig_Dude_Width / 2.0, wallFace - 40.0) << "the master stands against the wall";
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(Step(), Level_Continue);
    EXPECT_TRUE(InView(Hero()->GetPos(), Hero()->GetStats()->width / 2.0, Hero()->GetStats()->height));
    EXPECT_TRUE(InView(master->GetPos(), Kilig_Dude_Width / 2.0, Kilig_Dude_Height));
    EXPECT_EQ(ClearPixels(), 0);
}

// The den as the hero sees it: from where he comes in the camera turns to the arena without showing the
// den's frame, and through the fight he and the throwing spot stand well inside the arena's view.
#include "final/FinalWorldSupport.h"

#include <gtest/gtest.h>

namespace
{

using namespace FinalWriter;

constexpr double View_Margin = 0.15; // of the screen's width and height, kept clear of its edges

class FinalDenView : public FinalWorldFixture
{
protected:
    // The world's point on the screen, in pixels from the lower left.
    Pointf OnScreen(Pointf const& p) { return p.WorldToScreen(&world->GetMap()->view); }

    void ExpectWellInside(Pointf const& p, char const* what)
    {
        Pointf const s = OnScreen(p);
        EXPECT_GT(s.x, 640.0 * View_Margin) << what << " near the screen's left edge";
        EXPECT_LT(s.x, 640.0 * (1.0 - View_Margin)) << what << " near the screen's right edge";
        EXPECT_GT(s.y, 480.0 * View_Margin) << what << " near the screen's bottom";
        EXPECT_LT(s.y, 480.0 * (1.0 - View_Margin)) << what << " near the screen's top";
    }
};

} // namespace

TEST_F(FinalDenView, FromTheStartTheCameraTurnsToTheArenaAndNeverShowsTheDensRightWall)
{
    Den();
    ASSERT_TRUE(Final::InArena(Hero()->GetPos())) << "the hero comes in outside the arena";
    Map const* map = world->GetMap();
    for (int i = 0; i <= 60; ++i)
    {
        double const right = map->view.x + 640.0 / map->view.scale;
        ASSERT_LE(right, RightWall_X) << "the den's right wall in view at step " << i;
        Step();
    }
    // By the end of the fade-in the arena fills the screen.
    Steps(Final_WalkToSpotSteps);
    EXPECT_NEAR(map->GetCentrePoint().x, Final_Arena_CentreX, 2.0);
    EXPECT_NEAR(map->GetCentrePoint().y, Final_Arena_CentreY, 2.0);
    EXPECT_NEAR(map->view.scale, Final_Arena_Zoom, 1e-3);
}

TEST_F(FinalDenView, ThroughTheFightTheHeroAndTheThrowingSpotStandWellInsideTheArenasView)
{
    Den();
    WalkToSpot();
    ASSERT_GE(Hero()->GetPos().x, Spot_Left);
    ASSERT_LE(Hero()->GetPos().x, Spot_Right);
    for (int i = 0; i < 600; ++i)
    {
        ASSERT_EQ(Step(FinalThrowKeys(i)), Level_Continue);
        if (i % 50 != 0)
            continue;
        ExpectWellInside(Hero()->GetPos(), "the hero");
        ExpectWellInside(Hero()->GetRelativePos(0.0, 1.0), "the hero's head");
        ExpectWellInside(Pointf(Spot_Left, Ledge_Top), "the spot's far side");
        ExpectWellInside(Pointf(Spot_Right, Ledge_Top), "the spot's near side");
    }
}

// The den as the hero sees it: from where he comes in the camera turns to the arena, whose view ends at the
// den's walls; the walls keep him inside the arena, and down in the pit he shows in front of its fire;
// against the right wall on the ledge he shows whole against the cave, none of his box on the wall's
// picture; and through the fight he and the throwing spot stand well inside the arena's view.
#include "engine/Player_Sprites.h"
#include "final/FinalWorldSupport.h"
#include "support/FrameCheck.h"
#include "support/LevelFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

using namespace FinalWriter;

constexpr double View_Margin = 0.15; // of the screen's width and height, kept clear of its edges

class FinalDenView : public FinalWorldFixture
{
protected:
    // The world's point on the screen, in pixels from the lower left.
    Pointf OnScreen(Pointf const& p) { return p.WorldToScreen(&world->GetMap()->view); }

    double ViewLeft() { return world->GetMap()->view.x; }
    double ViewRight() { return world->GetMap()->view.x + 640.0 / world->GetMap()->view.scale; }

    // Each of the den's walls shows as a strip at its edge of the screen, at most 20 pixels wide.
    void ExpectWallStrips()
    {
        double const most = 20.0 / world->GetMap()->view.scale;
        EXPECT_GT(LeftWall_X, ViewLeft()) << "no left wall at the screen's left edge";
        EXPECT_LT(LeftWall_X, ViewLeft() + most) << "the left wall far into the screen";
        EXPECT_LT(RightWall_X, ViewRight()) << "no right wall at the screen's right edge";
        EXPECT_GT(RightWall_X, ViewRight() - most) << "the right wall far into the screen";
    }

    // The pixels of the player's box, drawn without him, that do not show the cave's back wall
    // (dark red rock, its cracks and embers: red well over green, little blue); the den's rock
    // walls are grey-brown and its ledge blue-grey. The box is shrunk by a pixel for rounding.
    int NotCaveInHisBox()
    {
        FrameCheck_Box const box = FrameCheck::PlayerBox(*world);
        Hero()->hidden = true;
        std::vector<unsigned char> const frame = LevelFrame::Draw(*world).rgba;
        Hero()->hidden = false;
        int count = 0;
        for (int y = int(std::ceil(box.y0 + 1.0)); y < int(box.y1 - 1.0); ++y)
            for (int x = int(std::ceil(box.x0 + 1.0)); x < int(box.x1 - 1.0); ++x)
            {
                unsigned char const* c = &frame[(std::size_t(y) * LevelFrame::Width + std::size_t(x)) * 4];
                count += c[0] > c[1] + 12 && c[2] < 45 ? 0 : 1;
            }
        return count;
    }

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

TEST_F(FinalDenView, FromTheStartTheCameraTurnsToTheArenaWhoseViewEndsAtTheDensRightWall)
{
    Den();
    ASSERT_TRUE(Final::InArena(Hero()->GetPos())) << "the hero comes in outside the arena";
    Map const* map = world->GetMap();
    for (int i = 0; i <= 60; ++i)
    {
        ASSERT_LE(ViewRight(), RightWall_X + Frame_Thickness) << "past the den's frame at step " << i;
        Step();
    }
    // By the end of the fade-in the arena fills the screen, the right wall a strip at its edge.
    Steps(Final_WalkToSpotSteps);
    EXPECT_NEAR(map->GetCentrePoint().x, Final_Arena_CentreX, 2.0);
    EXPECT_NEAR(map->GetCentrePoint().y, Final_Arena_CentreY, 2.0);
    EXPECT_NEAR(map->view.scale, Final_Arena_Zoom, 1e-3);
    ExpectWallStrips();
}

TEST_F(FinalDenView, TheHeroMeetsTheDensWallsInsideTheArenaAndItsViewEndsAtThem)
{
    // Right from the start, walking or jumping, up against the right wall, and never out of the arena.
    for (bool jumping : {false, true})
    {
        Den();
        for (int i = 0; i < 200; ++i)
        {
            std::vector<int> keys{KeyIndex_GameRight};
            if (jumping && i % 40 < 25)
                keys.push_back(KeyIndex_GameJump);
            ASSERT_EQ(Step(keys), Level_Continue);
            ASSERT_TRUE(Final::InArena(Hero()->GetPos()))
                << "out of the arena at step " << i << ", at x " << Hero()->GetPos().x << (jumping ? ", jumping" : "");
        }
        EXPECT_NEAR(Hero()->GetPos().x, RightWall_X, 1.0) << "short of the right wall";
        Steps(60);
        ExpectWallStrips();
    }

    // A running jump over the pit ends against the left wall and down in the pit, never on a floor
    // outside the arena.
    Den();
    Place(Pointf(Pit_Right + 150.0, Floor_Y + 1.0));
    for (int i = 0; i < 150; ++i)
    {
        std::vector<int> keys{KeyIndex_GameLeft};
        if (Hero()->GetPos().x < Pit_Right + 10.0)
            keys.push_back(KeyIndex_GameJump);
        Step(keys);
        Pointf const at = Hero()->GetPos();
        if (Hero()->onGround)
        {
            ASSERT_TRUE(Final::InArena(at) || at.y < Floor_Y - 50.0) << "standing outside the arena at x " << at.x;
        }
    }
    EXPECT_LT(Hero()->GetPos().y, Floor_Y - 50.0) << "not down in the pit";

    // Down there, in the fire, he is drawn in front of it: in the frames his hurt's blink shows him,
    // hiding him changes most of his box.
    int seen = 0;
    for (int i = 0; i < 40; ++i)
    {
        Step();
        std::vector<unsigned char> const shown = LevelFrame::Draw(*world).rgba;
        Hero()->hidden = true;
        std::vector<unsigned char> const hidden = LevelFrame::Draw(*world).rgba;
        Hero()->hidden = false;
        double const scale = world->GetMap()->view.scale;
        seen += DifferingPixels(shown, hidden) > 0.4 * Player_Width * Player_Height * scale * scale ? 1 : 0;
    }
    EXPECT_GE(seen, 10) << "the hero in the pit hidden by its fire";
}

TEST_F(FinalDenView, AgainstTheRightWallOnTheLedgeTheHeroShowsWholeAgainstTheCave)
{
    // Walking right from the start up against the wall, then jumping twice up along it: in every
    // frame his whole box shows him over the cave's wall, none of it over the den's rock wall.
    GameEvents record = Seasoned();
    record[Event_DoubleJump] = GameEvent_HasHappened;
    Den(record);
    Steps(80, {KeyIndex_GameRight});
    Steps(60);
    ASSERT_NEAR(Hero()->GetPos().x, RightWall_X, 1.0) << "short of the right wall";
    ASSERT_NEAR(Hero()->GetPos().y, Ledge_Top, 1.0) << "not on the ledge";
    EXPECT_EQ(NotCaveInHisBox(), 0) << "standing against the wall";
    double top = 0.0;
    for (int i = 0; i < 60; ++i)
    {
        std::vector<int> keys{KeyIndex_GameRight};
        if (i < 10 || (i >= 22 && i < 32))
            keys.push_back(KeyIndex_GameJump);
        ASSERT_EQ(Step(keys), Level_Continue);
        top = std::max(top, Hero()->GetPos().y);
        if (i % 4 == 0)
        {
            EXPECT_EQ(NotCaveInHisBox(), 0) << "jumping against the wall, step " << i << ", at height "
                                            << Hero()->GetPos().y;
        }
    }
    EXPECT_GT(top, Ledge_Top + 100.0) << "no jump up along the wall";
    // Anywhere along the ledge's last stretch, where the rocks never fall.
    for (double x = RightWall_X - 100.0; x <= RightWall_X; x += 20.0)
    {
        Place(Pointf(x, Ledge_Top));
        Step();
        EXPECT_EQ(NotCaveInHisBox(), 0) << "standing on the ledge at x " << Hero()->GetPos().x;
    }
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

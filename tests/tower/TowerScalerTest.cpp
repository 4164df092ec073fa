// The scaling zones: the rectangle that sizes the player, edges included, and the two swaying
// trapezoids they are drawn as.
#include "tower/TowerTestSupport.h"
#include "tower/Tower_Scaler.h"

#include <gtest/gtest.h>

#include <cmath>

class TowerScalerTest : public GroupPlayerTest
{
protected:
    void SetUp() override
    {
        GroupPlayerTest::SetUp();
        MakePlayer();
        map->PreprocessCollision();
    }

    // Whether the zone gives the player at p a new size: he starts the next step growing or
    // shrinking towards it.
    bool Sizes(Tower_Scaler& zone, Pointf p)
    {
        player->SetScale(1.0);
        player->scale = 1.0;
        zone.PlayerAtPos(0, &p);
        player->Move(0);
        return player->GetScale() != 1.0;
    }
};

TEST_F(TowerScalerTest, AZoneSizesAPlayerStandingInItEdgesIncluded)
{
    Tower_Scaler zone(Pointf(100.0, 0.0), 0.5, 0.25, player.get());
    EXPECT_EQ(zone.GetArea().x0, 96.0);
    EXPECT_EQ(zone.GetArea().x1, 104.0);
    EXPECT_EQ(zone.GetArea().y0, -0.5);
    EXPECT_EQ(zone.GetArea().y1, 0.5);
    for (Pointf p : {Pointf(104.0, 0.5), Pointf(96.0, -0.5), Pointf(100.0, 0.0)})
        EXPECT_TRUE(Sizes(zone, p)) << p.x << ", " << p.y;
    for (Pointf p : {Pointf(104.001, 0.0), Pointf(95.999, 0.0), Pointf(100.0, 0.501), Pointf(100.0, -0.501)})
        EXPECT_FALSE(Sizes(zone, p)) << p.x << ", " << p.y;

    // Staying in it, he is given the size it gives, not its own, and comes to it.
    Pointf const inside(100.0, 0.0);
    for (int step = 0; step < 200; step++)
    {
        zone.PlayerAtPos(step, &inside);
        player->Move(step << 8);
    }
    EXPECT_EQ(player->GetScale(), 0.25);
}

TEST_F(TowerScalerTest, DrawnAsADarkTrapezoidOfItsSizeAndARedOneOfTheSizeItGivesSwayingAhead)
{
    Tower_Scaler zone(Pointf(0.0, 0.0), 4.0, 8.0, player.get());
    Pointf corners[4];
    zone.PortalCorners(0, 2.0, corners);
    EXPECT_EQ(corners[0], Pointf(-16.0, 0.0));
    EXPECT_EQ(corners[1], Pointf(16.0, 0.0));
    EXPECT_EQ(corners[2], Pointf(24.0, 48.0)) << "at tick 0 the top is 24 across per unit of scale";
    EXPECT_EQ(corners[3], Pointf(-24.0, 48.0));
    double narrowest = 1e9;
    double widest = 0.0;
    for (Tick t = 0; t < 200; t++)
    {
        zone.PortalCorners(t, 2.0, corners);
        narrowest = std::min(narrowest, corners[2].x - corners[3].x);
        widest = std::max(widest, corners[2].x - corners[3].x);
    }
    EXPECT_NEAR(narrowest, 40.0, 0.01);
    EXPECT_NEAR(widest, 56.0, 0.01);

    // Over white, seen with the zone's point at the screen's centre at 1 screen unit a map unit:
    // the dark one 64 across its base and 96 high, the red one 128 across and 192 high, its top
    // from 160 to 224 across as it sways.
    Pointf const origin(0.0, 0.0);
    map->ScaleMap(1.0, CameraMove_Jump);
    map->MoveMap(&origin, CameraMove_Jump);
    auto const drawn = [&](Tick t, int x, int y) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        zone.RenderFore(map.get(), t);
        return Pixel(x, y);
    };
    auto const near = [](std::array<int, 3> got, std::array<int, 3> want) {
        for (int i = 0; i < 3; i++)
            if (std::abs(got[i] - want[i]) > 3)
                return false;
        return true;
    };
    std::array<int, 3> const white{255, 255, 255};
    std::array<int, 3> const redOnly{255, 178, 178};
    std::array<int, 3> const both{201, 125, 125};
    EXPECT_TRUE(near(drawn(0, 320, 250), both));
    EXPECT_TRUE(near(drawn(0, 370, 245), redOnly));
    EXPECT_TRUE(near(drawn(0, 450, 245), white));
    EXPECT_TRUE(near(drawn(0, 320, 235), white)) << "nothing below the zone's floor";
    // Near the red top: inside while it sways wide (tick 47), outside while narrow (tick 16).
    EXPECT_TRUE(near(drawn(47, 420, 425), redOnly));
    EXPECT_TRUE(near(drawn(16, 420, 425), white));
}

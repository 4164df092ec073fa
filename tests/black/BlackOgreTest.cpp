// The ogre: swings started by a player in its reach, when and where the arm hurts, weapon hits that
// only count, its death by the boulder and what that hands back, and its drawing.
#include "black/BlackTestSupport.h"
#include "black/Black_Ogre.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

// Its feet at (1000, 5): the swings start for a player up to 64 left of them, the arm reaches 32.
Pointf const Feet(1000.0, 5.0);
Pointf const InReach(980.0, 5.0);
Pointf const Between(950.0, 5.0);

class BlackOgreTest : public BlackFixture
{
protected:
    void SetUp() override
    {
        BlackFixture::SetUp();
        ogre = std::make_unique<Black_Ogre>(Feet);
    }
    void TearDown() override
    {
        ogre.reset();
        BlackFixture::TearDown();
    }

    // The player stands at p for the ticks [from, to).
    void Stand(Pointf p, Tick from, Tick to)
    {
        for (Tick t = from; t < to; ++t)
            ogre->PlayerAtPos(t, &p);
    }

    std::unique_ptr<Black_Ogre> ogre;
};

} // namespace

TEST_F(BlackOgreTest, APlayerInReachStartsASwingEverySeventyTicksAndOnlyTheArmsReachHurts)
{
    // In reach from 100, out from 150 to 160, in again: swings at 100, 170 and 240 only.
    Stand(InReach, 100, 150);
    Stand(Pointf(Feet.x - 64.0, Feet.y), 150, 160); // the edge is outside
    Stand(InReach, 160, 300);
    EXPECT_EQ(ogre->SwingAt(169), 100);
    EXPECT_EQ(ogre->SwingAt(239), 170);
    EXPECT_EQ(ogre->SwingAt(300), 240);
    for (Tick t = 95; t < 170; ++t)
        EXPECT_EQ(ogre->IsPlayerHit(t, &InReach), t >= 110 && t <= 150 ? 10 : 0) << "tick " << t;

    // Between the two areas, and on the arm's edges, nobody is hurt.
    double const eps = 1e-9;
    Pointf const safe[] = {Between, {Feet.x - 32.0, Feet.y}, {Feet.x + 5.0 - eps, Feet.y}, {Feet.x, Feet.y + 10.0}};
    for (Pointf const& p : safe)
        EXPECT_EQ(ogre->IsPlayerHit(120, &p), 0) << p.x << ", " << p.y;
    Pointf const corner(Feet.x - 31.99, Feet.y - 9.99);
    EXPECT_EQ(ogre->IsPlayerHit(120, &corner), 10);

    // A swing started after a travel back keeps 70 ticks from those recorded, on both sides.
    Black_Ogre wary(Feet);
    for (Tick t : {500, 431, 499, 430})
        wary.PlayerAtPos(t, &Between);
    EXPECT_EQ(wary.SwingAt(499), 430);
    EXPECT_EQ(wary.SwingAt(500), 500);
}

TEST_F(BlackOgreTest, WeaponHitsOnlyCountAndItsDeathHandsBackTheBlowsAfterIt)
{
    for (int i = 0; i < 31; ++i)
    {
        EXPECT_FALSE(ogre->HitSeveralTimes()) << "after " << i << " hits";
        EXPECT_EQ(ogre->Hit(200 + i, 5, Target_Hit_FromRight), 0);
    }
    EXPECT_TRUE(ogre->HitSeveralTimes());
    EXPECT_FALSE(ogre->IsDead(10000));

    // Blows it dealt the player at 300 and 600, as the object list records them.
    ogre->TakenHit(300, 10);
    ogre->TakenHit(600, 10);
    EXPECT_EQ(ogre->Die(1000), 0);
    EXPECT_EQ(ogre->Die(1200), 0) << "a later death changes nothing";
    EXPECT_EQ(ogre->GetDeathTime(), 1000);
    EXPECT_EQ(ogre->Die(500), 10) << "the blow at 600 never happened";
    EXPECT_EQ(ogre->Die(300), 0) << "a blow at the death tick itself stands";
    EXPECT_EQ(ogre->Die(100), 10);
    EXPECT_EQ(ogre->GetHitCount(), 31);
}

TEST_F(BlackOgreTest, DeadItHurtsNobodyAndIsDrawnFallingLyingAndGoneThenStandingAgainBeforeIt)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    LookAt(*map, Feet);
    auto drawn = [&](Tick t, int x, int y) {
        ClearScreen();
        ogre->Render(map.get(), t);
        return Pixel(x, y);
    };
    // The body stands on its feet, the arm hangs forward from three eighths up it (y 276) and is
    // down from 10 to 19 ticks into a swing.
    Stand(InReach, 500, 501);
    EXPECT_EQ(drawn(400, 320, 300), Colour(BlackPicture_Body));
    EXPECT_EQ(drawn(400, 295, 276), Colour(BlackPicture_Arm));
    EXPECT_EQ(drawn(515, 295, 276), Colour(BlackPicture_Body));
    EXPECT_EQ(drawn(515, 320, 251), Colour(BlackPicture_Arm));
    EXPECT_NEAR(ogre->ArmAngle(545), -1.5707963267949 / 2.0, 1e-12);

    Stand(InReach, 980, 981);
    ogre->Die(1000);
    EXPECT_EQ(ogre->IsPlayerHit(1000, &InReach), 10) << "alive at its death tick";
    EXPECT_EQ(ogre->IsPlayerHit(1001, &InReach), 0);
    Pointf aim;
    EXPECT_TRUE(ogre->GetTargetPos(nullptr, 1000, aim));
    EXPECT_EQ(aim, Pointf(Feet.x, Feet.y + 84.0)) << "seven eighths up its body";
    EXPECT_FALSE(ogre->GetTargetPos(nullptr, 1001, aim));
    EXPECT_TRUE(ogre->IsActive(1001)) << "opens what waits for its death";

    EXPECT_EQ(drawn(1000, 320, 300), Colour(BlackPicture_Body));
    EXPECT_EQ(drawn(1019, 310, 250), Colour(BlackPicture_Die[0])) << "falling back to the left";
    EXPECT_EQ(drawn(1049, 310, 250), Colour(BlackPicture_Die[1]));
    EXPECT_EQ(drawn(1050, 272, 260), Colour(BlackPicture_Die[2])) << "lying left of its feet";
    EXPECT_TRUE(IsBlack(320, 300));
    EXPECT_EQ(drawn(1080, 272, 260), Colour(BlackPicture_Die[2]));
    drawn(1081, 272, 260);
    EXPECT_TRUE(IsBlack(272, 260)) << "gone";
    EXPECT_EQ(drawn(900, 320, 300), Colour(BlackPicture_Body)) << "standing again before its death";
}

// The ogre: when a player in its reach starts swings, when the arm hurts and where, weapon hits
// that only count, its death by the boulder and what it hands back, and its drawing.
#include "black/BlackTestSupport.h"
#include "black/Black_Ogre.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

// Its feet at (1000, 5): the trigger reaches 64 left of them, the arm 32.
Pointf const Feet(1000.0, 5.0);
Pointf const InReach(980.0, 5.0); // both areas
Pointf const Between(950.0, 5.0); // the trigger only
Pointf const OutOfReach(930.0, 5.0);

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
    void Stand(Black_Ogre& o, Pointf p, Tick from, Tick to)
    {
        for (Tick t = from; t < to; ++t)
            o.PlayerAtPos(t, &p);
    }

    // The swing starts recorded before t.
    std::vector<Tick> Swings(Black_Ogre const& o, Tick t)
    {
        std::vector<Tick> starts;
        for (Tick s = o.SwingAt(t); s >= 0; s = o.SwingAt(s - 1))
            starts.insert(starts.begin(), s);
        return starts;
    }

    std::unique_ptr<Black_Ogre> ogre;
};

} // namespace

TEST_F(BlackOgreTest, APlayerStayingInReachStartsASwingEverySeventyTicks)
{
    Stand(*ogre, InReach, 100, 300);
    EXPECT_EQ(Swings(*ogre, 300), (std::vector<Tick>{100, 170, 240}));

    // Out for ten ticks in the middle of a swing: the next one still waits for the gap.
    Black_Ogre back(Feet);
    Stand(back, InReach, 100, 150);
    Stand(back, OutOfReach, 150, 160);
    Stand(back, InReach, 160, 180);
    EXPECT_EQ(Swings(back, 180), (std::vector<Tick>{100, 170}));

    // A swing started before a travel back keeps the next one 70 ticks away on both sides.
    Black_Ogre travelled(Feet);
    Stand(travelled, InReach, 500, 501);
    Stand(travelled, InReach, 431, 500);
    EXPECT_EQ(Swings(travelled, 600), (std::vector<Tick>{500}));
    Stand(travelled, InReach, 430, 431);
    EXPECT_EQ(Swings(travelled, 600), (std::vector<Tick>{430, 500}));
}

TEST_F(BlackOgreTest, TheReachIsStrictlyInsideItsEdges)
{
    double const eps = 1e-9;
    Pointf const outside[] = {{Feet.x - 64.0, Feet.y},      {Feet.x + 5.0, Feet.y},  {Feet.x - 64.0 + eps, Feet.y},
                              {Feet.x + 5.0 - eps, Feet.y}, {Feet.x, Feet.y - 10.0}, {Feet.x, Feet.y + 10.0 - eps}};
    for (Pointf const& p : outside)
    {
        Black_Ogre fresh(Feet);
        fresh.PlayerAtPos(100, &p);
        EXPECT_EQ(fresh.SwingAt(100), -1) << p.x << ", " << p.y;
    }
    Pointf const inside[] = {{Feet.x - 63.99, Feet.y - 9.99}, {Feet.x + 4.99, Feet.y + 9.99}};
    for (Pointf const& p : inside)
    {
        Black_Ogre fresh(Feet);
        fresh.PlayerAtPos(100, &p);
        EXPECT_EQ(fresh.SwingAt(100), 100) << p.x << ", " << p.y;
    }
}

TEST_F(BlackOgreTest, TheArmHurtsFromTenToFiftyTicksIntoASwingAndOnlyCloseInFront)
{
    Stand(*ogre, InReach, 100, 101);
    for (Tick t = 95; t < 175; ++t)
        EXPECT_EQ(ogre->IsPlayerHit(t, &InReach), t >= 110 && t <= 150 ? 10 : 0) << "tick " << t;

    // Between the two areas swings start but never hurt; the arm's edges are strict too.
    Black_Ogre wary(Feet);
    Stand(wary, Between, 100, 300);
    EXPECT_EQ(wary.SwingAt(299), 240);
    Pointf const edges[] = {{Feet.x - 32.0, Feet.y},
                            {Feet.x + 5.0, Feet.y},
                            {Feet.x, Feet.y + 10.0},
                            {Feet.x, Feet.y - 10.0},
                            {Feet.x - 31.99, Feet.y + 9.99}};
    EXPECT_EQ(wary.IsPlayerHit(250, &Between), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(wary.IsPlayerHit(250, &edges[i]), i == 4 ? 10 : 0) << "point " << i;
}

TEST_F(BlackOgreTest, WeaponHitsAreOnlyCountedAndTheBoulderKillsItHandingBackLaterBlows)
{
    for (int i = 0; i < 31; ++i)
    {
        EXPECT_FALSE(ogre->HitSeveralTimes()) << "after " << i << " hits";
        EXPECT_EQ(ogre->Hit(200 + i, 5, Target_Hit_FromRight), 0);
    }
    EXPECT_TRUE(ogre->HitSeveralTimes());
    EXPECT_FALSE(ogre->IsDead(10000));
    Pointf aim;
    EXPECT_TRUE(ogre->GetTargetPos(nullptr, 10000, aim));
    EXPECT_EQ(aim, Pointf(Feet.x, Feet.y + 84.0)) << "seven eighths up its body";

    // Blows it dealt the player at 300 and 600, as the object list records them.
    ogre->TakenHit(300, 10);
    ogre->TakenHit(600, 10);
    EXPECT_EQ(ogre->Die(1000), 0);
    EXPECT_EQ(ogre->GetDeathTime(), 1000);
    EXPECT_EQ(ogre->Die(1200), 0) << "a later death changes nothing";
    EXPECT_EQ(ogre->GetDeathTime(), 1000);
    EXPECT_EQ(ogre->Die(500), 10) << "the blow at 600 never happened";
    EXPECT_EQ(ogre->GetDeathTime(), 500);
    EXPECT_EQ(ogre->Die(300), 0) << "a blow at the death tick itself stands";
    EXPECT_EQ(ogre->Die(100), 10);
    EXPECT_EQ(ogre->GetHitCount(), 31) << "the kills are no weapon hits";
}

TEST_F(BlackOgreTest, DeadItIsHarmlessAndAsDoorsSeeItActiveFromTheNextTick)
{
    Stand(*ogre, InReach, 980, 981);
    ogre->Die(1000);
    EXPECT_EQ(ogre->IsPlayerHit(1000, &InReach), 10) << "alive at its death tick";
    EXPECT_EQ(ogre->IsPlayerHit(1001, &InReach), 0);
    EXPECT_FALSE(ogre->IsActive(1000));
    EXPECT_TRUE(ogre->IsActive(1001));
    Pointf aim;
    EXPECT_TRUE(ogre->GetTargetPos(nullptr, 1000, aim));
    EXPECT_FALSE(ogre->GetTargetPos(nullptr, 1001, aim));
    // It still starts swings, and they hurt again once the clock runs back before its death.
    Stand(*ogre, InReach, 1100, 1101);
    EXPECT_EQ(ogre->SwingAt(1100), 1100);
    EXPECT_EQ(ogre->IsPlayerHit(1120, &InReach), 0);
    EXPECT_EQ(ogre->IsPlayerHit(995, &InReach), 10);
}

TEST_F(BlackOgreTest, DrawnStandingAndSwingingThenFallingLyingAndGone)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    LookAt(*map, Feet);
    auto drawn = [&](Tick t, int x, int y) {
        ClearScreen();
        ogre->Render(map.get(), t);
        return Pixel(x, y);
    };
    // The body stands on its feet; the arm hangs forward from three eighths up it (y 276).
    Stand(*ogre, InReach, 500, 501);
    EXPECT_EQ(drawn(400, 320, 300), Colour(BlackPicture_Body));
    EXPECT_EQ(drawn(400, 295, 276), Colour(BlackPicture_Arm));
    EXPECT_EQ(drawn(400, 320, 251), Colour(BlackPicture_Body));
    // Down from 10 to 19 ticks into the swing, back up by 70.
    EXPECT_EQ(drawn(515, 295, 276), Colour(BlackPicture_Body));
    EXPECT_EQ(drawn(515, 320, 251), Colour(BlackPicture_Arm));
    EXPECT_NEAR(ogre->ArmAngle(505), -1.5707963267949 / 2.0, 1e-12);
    EXPECT_NEAR(ogre->ArmAngle(545), -1.5707963267949 / 2.0, 1e-12);
    EXPECT_EQ(ogre->ArmAngle(570), 0.0);
    EXPECT_EQ(drawn(570, 295, 276), Colour(BlackPicture_Arm));

    ogre->Die(1000);
    EXPECT_EQ(drawn(1000, 320, 300), Colour(BlackPicture_Body));
    // Falling back to the left about its feet.
    EXPECT_EQ(drawn(1019, 310, 250), Colour(BlackPicture_Die[0]));
    EXPECT_EQ(drawn(1020, 310, 250), Colour(BlackPicture_Die[1]));
    EXPECT_EQ(drawn(1049, 310, 250), Colour(BlackPicture_Die[1]));
    // Lying on its back, to the left of its feet.
    EXPECT_EQ(drawn(1050, 272, 260), Colour(BlackPicture_Die[2]));
    EXPECT_TRUE(IsBlack(320, 300));
    EXPECT_EQ(drawn(1080, 272, 260), Colour(BlackPicture_Die[2]));
    drawn(1081, 272, 260);
    EXPECT_TRUE(IsBlack(272, 260)) << "gone";
    EXPECT_TRUE(IsBlack(320, 300));
    EXPECT_EQ(drawn(900, 320, 300), Colour(BlackPicture_Body)) << "standing again before its death";
}

// Rat: its drawn start, pressed against its wall, its death and return after travel, and its bite.
#include "creatures/Rat.h"

#include "creatures/CreatureTestSupport.h"

#include <cmath>
#include <cstdlib>

class RatTest : public CreatureTestSupport
{
};

TEST_F(RatTest, StartsWhereItsDrawsSayAndStaysPressedAgainstItsWall)
{
    for (unsigned int seed : {7u, 8u, 9u})
    {
        SCOPED_TRACE("seed " + std::to_string(seed));
        MakeWorld({CreatureZone_Rats}, seed);
        Map const* map = world->GetMap();
        // Each rat draws its start, then its direction, in the order the level places them.
        std::srand(seed);
        for (Rat* rat : {world->freeRat, world->blockedRat})
        {
            double const r = std::rand() & 0xFF;
            bool const right = std::rand() % 2 == 0;
            rat->MoveToTime(map, 0);
            double const left = rat->LeftLimit();
            EXPECT_DOUBLE_EQ(rat->GetPos().x, left + (rat->RightLimit() - left) * r / 256.0);
            EXPECT_EQ(rat->WalkingLeft(), !right);
        }

        Rat const* rat = world->blockedRat;
        StepTo(2000);
        double const pressed = rat->GetPos().x;
        double const wall = world->Ref(CreatureZone_Rats, CreatureRef_Start).x - 100 + Rats_WallX;
        EXPECT_TRUE(std::fabs(pressed - wall) < 1.0 || std::fabs(pressed - wall - Rats_WallWidth) < 1.0)
            << "x " << pressed;
        for (int i = 0; i < 300; ++i)
        {
            Step();
            ASSERT_NEAR(rat->GetPos().x, pressed, 0.5);
        }
    }
}

TEST_F(RatTest, KilledByOneHitItVanishesFromThatTickAndWalksBeforeItAfterTravel)
{
    MakeWorld({CreatureZone_Rats});
    Rat* rat = world->freeRat;
    Creature_Hitter hitter;
    world->GetObjects()->AddObject(&hitter);
    Tick const death = 605;
    hitter.Plan({600, rat, death - 600, 1, 0});
    StepTo(900);
    ASSERT_EQ(hitter.made, 1);
    EXPECT_TRUE(rat->AliveAt(death - 1));
    EXPECT_FALSE(rat->AliveAt(death));
    Pointf aim;
    EXPECT_FALSE(rat->GetTargetPos(world->GetMap(), world->GetTick() - 1, aim));

    Step({KeyIndex_GameBackInTime});
    ASSERT_TRUE(world->IsTimeTravelling());
    while (world->GetTick() > death - 100)
        Step({KeyIndex_GameBackInTime});
    // Coasting to rest and creeping forward, the rat is shown alive and walking.
    double const before = rat->GetPos().x;
    EXPECT_TRUE(rat->AliveAt(world->GetTick()));
    for (int i = 0; i < 60; ++i)
        Step({KeyIndex_GameForwardInTime});
    EXPECT_LT(world->GetTick(), death);
    EXPECT_NE(rat->GetPos().x, before);
    EXPECT_TRUE(rat->AliveAt(world->GetTick()));
    EXPECT_TRUE(rat->GetTargetPos(world->GetMap(), world->GetTick(), aim));
    world->Plot();
}

TEST_F(RatTest, BitesAboutOneStepInSixtyFourWithinReachOfItsTop)
{
    MakeWorld({CreatureZone_Rats});
    Rat* rat = world->blockedRat;
    Tick const t = 10;
    rat->MoveToTime(world->GetMap(), t);
    Pointf const top = rat->GetRelativePos(0.0, 1.0);
    Pointf const near(top.x - 8.0, top.y + 7.9);
    Pointf const edge(top.x + 16.0, top.y);
    std::srand(42);
    int bites = 0;
    int const tries = 64 * 100;
    for (int i = 0; i < tries; ++i)
    {
        bites += rat->IsPlayerHit(t, &near);
        EXPECT_EQ(rat->IsPlayerHit(t, &edge), 0);
    }
    EXPECT_GT(bites, 60);
    EXPECT_LT(bites, 140);

    rat->Hit(t, 2, 0);
    for (int i = 0; i < 640; ++i)
        ASSERT_EQ(rat->IsPlayerHit(t, &near), 0);
}

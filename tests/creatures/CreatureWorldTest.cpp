// The creature level: built from generated data with every zone, rebuilt in one process, played and drawn.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"
#include "util/Util.h"

namespace
{

std::vector<CreatureWorld_Zone> AllZones()
{
    std::vector<CreatureWorld_Zone> zones;
    for (unsigned int z = 0; z < CreatureZone_Count; ++z)
        zones.push_back(CreatureWorld_Zone(z));
    return zones;
}

} // namespace

class CreatureWorldTest : public CreatureTestSupport
{
};

TEST_F(CreatureWorldTest, ALevelBuiltAgainHandsOutTheSameSerialsAndDraws)
{
    std::vector<CreatureWorld_Zone> const zones = {CreatureZone_Rats, CreatureZone_Vulture, CreatureZone_Shmoo};
    MakeWorld(zones, 3);
    std::uint32_t const serial = Util::NextSerial();
    Pointf const rat = world->rats[1]->GetPos();
    Pointf const vulture = world->vultures[1]->PositionAtTime(world->GetMap(), 500, nullptr);
    int const phase = world->shmoos[2]->Phase();
    MakeWorld(zones, 3);
    EXPECT_EQ(Util::NextSerial(), serial);
    EXPECT_EQ(world->rats[1]->GetPos(), rat);
    EXPECT_EQ(world->vultures[1]->PositionAtTime(world->GetMap(), 500, nullptr), vulture);
    EXPECT_EQ(world->shmoos[2]->Phase(), phase);
}

TEST_F(CreatureWorldTest, EveryZoneBuildsTwiceAndPlaysDrawnWithHitsAndTravel)
{
    MakeWorld(AllZones());
    world.reset();
    MakeWorld(AllZones());
    ASSERT_EQ(world->goblins.size(), 4u);
    ASSERT_EQ(world->rats.size(), 2u);
    ASSERT_EQ(world->vultures.size(), 2u);
    ASSERT_EQ(world->cacti.size(), 2u);
    ASSERT_EQ(world->shmoos.size(), Shmoo_ZoneCount);
    ASSERT_EQ(world->spiders.size(), Spider_ZoneCount);
    // Shmoos settle onto the floor, all but the one with no ground within reach.
    EXPECT_EQ(world->shmoos.front()->GetGround().y, 0.0);
    EXPECT_EQ(world->shmoos.back()->GetGround(), world->Ref(CreatureZone_Shmoo, ShmooRef_Ground(Shmoo_ZoneCount - 1)));

    Creature_Hitter hitter;
    world->GetObjects()->AddObject(&hitter);
    for (std::size_t i = 0; i < world->goblins.size(); ++i)
        hitter.Plan({Tick(300 + 200 * i), world->goblins[i], 20, 1, i % 2 == 0 ? Target_Hit_FromRight : 0u});
    hitter.Plan({900, world->freeRat, 10, 1, 0});
    hitter.Plan({1100, world->vultures[0], 10, 1, 0});
    hitter.Plan({1200, world->cacti[1], 10, 1, Target_Hit_FromRight});
    hitter.Plan({1300, world->shmoos[0], 10, 1, 0});
    hitter.Plan({1400, world->spiders[0], 10, 1, Target_Hit_FromRight});

    for (int step = 0; step < 5000; ++step)
    {
        std::vector<int> held;
        if (step % 1000 == 700)
            held.push_back(KeyIndex_GameBackInTime);
        else if (step % 1000 == 900)
            held.push_back(KeyIndex_GameJump);
        else if (!world->IsTimeTravelling())
        {
            held.push_back((step / 400) % 3 == 2 ? KeyIndex_GameLeft : KeyIndex_GameRight);
            if (step % 60 < 3)
                held.push_back(KeyIndex_GameJump);
        }
        else if (step % 1000 < 800)
            held.push_back(KeyIndex_GameBackInTime);
        Step(held);
        world->Plot();
    }
    EXPECT_EQ(hitter.made, 9);
    EXPECT_FALSE(world->vultures[0]->ShownAt(world->GetTick()));
    EXPECT_TRUE(world->vultures[1]->ShownAt(world->GetTick()));
    EXPECT_TRUE(world->cacti[1]->IsDead(world->GetTick()));
    EXPECT_FALSE(world->spiders[0]->AliveAt(world->GetTick()));
    EXPECT_GT(world->GetPlayer()->GetPos().x, CreatureWorld_ZoneWidth);
}

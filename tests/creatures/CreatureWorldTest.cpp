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
    MakeWorld({CreatureZone_Rats}, 3);
    std::uint32_t const serial = Util::NextSerial();
    Pointf const rat = world->rats[1]->GetPos();
    MakeWorld({CreatureZone_Rats}, 3);
    EXPECT_EQ(Util::NextSerial(), serial);
    EXPECT_EQ(world->rats[1]->GetPos(), rat);
}

TEST_F(CreatureWorldTest, EveryZoneBuildsTwiceAndPlaysDrawnWithHitsAndTravel)
{
    MakeWorld(AllZones());
    world.reset();
    MakeWorld(AllZones());
    ASSERT_EQ(world->goblins.size(), 4u);
    ASSERT_EQ(world->rats.size(), 2u);

    Creature_Hitter hitter;
    world->GetObjects()->AddObject(&hitter);
    for (std::size_t i = 0; i < world->goblins.size(); ++i)
        hitter.Plan({Tick(300 + 200 * i), world->goblins[i], 20, 1, i % 2 == 0 ? Target_Hit_FromRight : 0u});
    hitter.Plan({900, world->freeRat, 10, 1, 0});

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
    EXPECT_EQ(hitter.made, 5);
    EXPECT_GT(world->GetPlayer()->GetPos().x, CreatureWorld_ZoneWidth);
}

// What the test world leaves in the progress record: time travel learnt, and each gem taken once.
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/TestWorldSupport.h"

namespace
{

class TestWorldProgress : public TestWorldSupport
{
protected:
    // Puts the player on the open gem and steps a while.
    void StandOnGem()
    {
        Pointf const gem = world->GetMap()->GetRefPoint(Test_World_Gem);
        world->GetPlayer()->SetPos(&gem);
        for (int i = 0; i < 30; i++)
            Step();
    }
};

} // namespace

TEST_F(TestWorldProgress, BuildingItTeachesTimeTravel)
{
    events.New();
    MakeWorld();
    EXPECT_EQ(events[Event_TimeTravel], GameEvent_HasHappened);
    // So the time keys work from the first step.
    Step({KeyIndex_GameBackInTime});
    EXPECT_TRUE(world->IsTimeTravelling());
}

TEST_F(TestWorldProgress, AGemFoundIsFoundOnce)
{
    MakeWorld();
    StandOnGem();
    ASSERT_EQ(events.gems, 1);
    world.reset();
    events.LevelComplete();

    MakeWorld();
    ASSERT_NE(world->GetChest(), nullptr);
    StandOnGem();
    EXPECT_EQ(events.gems, 1) << "the gem was taken again on the second visit";

    // Once the chest's gem is taken, its chest is gone for good.
    world.reset();
    events.levelFlags[9][1] = 1;
    MakeWorld();
    EXPECT_EQ(world->GetChest(), nullptr);
}

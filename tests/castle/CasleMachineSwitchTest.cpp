// The cog machine: taking the cog for good, and running from the first press after it went in.
#include "CastleSupport.h"
#include "castle/Casle_Machine_Switch.h"
#include "engine/Player_Sprites.h"
#include "support/GroupTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

constexpr unsigned int MachineRef = 2;
Pointf const MachineAt(0.0, 100.0);
Pointf const Aside(500.0, 12.0);

class CasleMachineSwitchTest : public CastleTest
{
protected:
    void SetUp() override
    {
        CastleTest::SetUp();
        MapWriter writer = CastleFloor();
        writer.AddRefPoint(MachineRef, MachineAt.x, MachineAt.y);
        map = MapFiles::Load<Map>(writer);
    }

    // A machine started by the start switch, its cog lying at `at`.
    std::unique_ptr<Casle_Machine_Switch> Make(Pointf at)
    {
        auto machine = std::make_unique<Casle_Machine_Switch>(MakeItem(at, 0.0, Collectable_None), MachineRef);
        machine->AddActivator(&start);
        return machine;
    }
    void Play(Casle_Machine_Switch& machine, Tick from, Tick to)
    {
        for (Tick t = from; t <= to; t++)
            machine.MoveToTime(map.get(), t);
    }

    std::unique_ptr<Map> map;
    ScriptedActivator start;
};

} // namespace

TEST_F(CasleMachineSwitchTest, ACogLetGoWithinReachGoesInForGoodAndAHeldOneNever)
{
    auto within = Make(MachineAt + Pointf(40.0, -23.0));
    auto atReach = Make(MachineAt + Pointf(40.0, -24.0));
    auto held = Make(MachineAt);
    items[2]->SetPlayerHolding(true);
    for (auto* machine : {within.get(), atReach.get(), held.get()})
        Play(*machine, 10, 20);
    EXPECT_EQ(within->GetCogTime(), 10);
    EXPECT_TRUE(within->HasCog(10));
    EXPECT_FALSE(within->HasCog(9));
    EXPECT_EQ(atReach->GetCogTime(), -1);
    EXPECT_EQ(held->GetCogTime(), -1);

    // Parked where it cannot be seen, it neither falls nor can be taken at any tick again.
    items[0]->MoveToTime(map.get(), 200);
    EXPECT_EQ(items[0]->GetPosAtTime(200), MachineAt + Pointf(0.0, 800.0));
    for (Tick t : {0, 10, 11, 1000000})
        EXPECT_FALSE(items[0]->CanCollectAtTime(t)) << t;
}

TEST_F(CasleMachineSwitchTest, APastSelfCarryingTheCogPastTheMachineKeepsIt)
{
    // A self whose head is at the machine carries the cog over ticks 20 to 29 and drops it aside;
    // the cog rides on the head for one more tick.
    Char_Base self;
    self.pos = MachineAt - Player_Sprites::GetHead(&self);
    for (Tick t = 0; t < 40; t++)
        frames.AddEcho(&self);
    auto machine = Make(Aside);
    for (Tick t = 20; t < 30; t++)
        items[0]->PlayerHold(t);
    items[0]->SetPosAtTime(30, Aside, Vectorf(0.0, 0.0), 0.0, true);
    ASSERT_EQ(items[0]->GetPosAtTime(30), MachineAt);
    Play(*machine, 0, 39);
    EXPECT_EQ(machine->GetCogTime(), -1);
}

TEST_F(CasleMachineSwitchTest, TheMachineRunsFromTheTickAfterTheFirstStartOnceTheCogIsIn)
{
    start.On(5, 8);
    auto machine = Make(MachineAt);
    Play(*machine, 10, 10);
    EXPECT_EQ(machine->ActiveTime(), -1) << "started only before the cog went in";
    EXPECT_FALSE(machine->IsActive(100));
    EXPECT_EQ(machine->LastInactiveTime(100), 100);

    start.On(15, 20);
    EXPECT_FALSE(machine->IsActive(15));
    EXPECT_TRUE(machine->IsActive(16));
    EXPECT_TRUE(machine->IsActive(100000));
    EXPECT_EQ(machine->LastActiveTime(15), -1);
    EXPECT_EQ(machine->LastActiveTime(30), 30);
    EXPECT_EQ(machine->LastInactiveTime(14), 14);
    EXPECT_EQ(machine->LastInactiveTime(15), 15);
    EXPECT_EQ(machine->LastInactiveTime(100000), 15);
}

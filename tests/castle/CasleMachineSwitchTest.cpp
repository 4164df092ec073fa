// The cog machine: taking the cog, keeping it, and starting from the first press after it went in.
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
Pointf const Aside(500.0, 12.0); // where an item lies out of the machine's reach

class CasleMachineSwitchTest : public CastleTest
{
protected:
    void SetUp() override
    {
        CastleTest::SetUp();
        if (HasFatalFailure())
            return;
        MapWriter writer = CastleFloor();
        writer.AddRefPoint(MachineRef, MachineAt.x, MachineAt.y);
        map = LoadCastleMap(writer);
        map->PreprocessCollision();
    }

    // A machine whose cog lies at `at` from tick 0 on, started by the start switch.
    std::unique_ptr<Casle_Machine_Switch> Make(Pointf at)
    {
        Collectable* cog = MakeItem(at, 0.0, Collectable_None);
        auto machine = std::make_unique<Casle_Machine_Switch>(cog, MachineRef);
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

TEST_F(CasleMachineSwitchTest, ACogLetGoWithinReachGoesInForGood)
{
    std::unique_ptr<Casle_Machine_Switch> within = Make(MachineAt + Pointf(40.0, -23.0));
    std::unique_ptr<Casle_Machine_Switch> atReach = Make(MachineAt + Pointf(40.0, -24.0));
    Collectable* cog = items[0].get();
    Play(*within, 10, 10);
    Play(*atReach, 10, 40);
    EXPECT_EQ(within->GetCogTime(), 10);
    EXPECT_FALSE(within->HasCog(9));
    EXPECT_TRUE(within->HasCog(10));
    EXPECT_EQ(atReach->GetCogTime(), -1) << "a cog 64 away went in";

    // The machine keeps the cog where it cannot be seen, and nobody takes it at any tick again.
    EXPECT_EQ(cog->GetPosAtTime(10), MachineAt + Pointf(0.0, 800.0));
    cog->MoveToTime(map.get(), 200);
    EXPECT_EQ(cog->GetPosAtTime(200), MachineAt + Pointf(0.0, 800.0)) << "the parked cog fell";
    for (Tick t : {0, 9, 10, 11, 1000000})
        EXPECT_FALSE(cog->CanCollectAtTime(t)) << t;

    // A cog held by the player beside the machine stays with him until he lets go.
    std::unique_ptr<Casle_Machine_Switch> held = Make(MachineAt);
    Collectable* heldCog = items.back().get();
    heldCog->SetPlayerHolding(true);
    Play(*held, 0, 20);
    EXPECT_EQ(held->GetCogTime(), -1);
    heldCog->SetPlayerHolding(false);
    Play(*held, 21, 21);
    EXPECT_EQ(held->GetCogTime(), 21);
}

TEST_F(CasleMachineSwitchTest, APastSelfCarryingTheCogPastTheMachineKeepsIt)
{
    // A self whose head is at the machine carries the cog over ticks 20 to 29, then drops it aside.
    Char_Base self;
    self.pos = Pointf(0.0, 0.0);
    self.pos = MachineAt - Player_Sprites::GetHead(&self);
    for (Tick t = 0; t < 40; t++)
        frames.AddEcho(&self);
    std::unique_ptr<Casle_Machine_Switch> machine = Make(Aside);
    Collectable* cog = items[0].get();
    for (Tick t = 20; t < 30; t++)
        cog->PlayerHold(t);
    cog->SetPosAtTime(30, Aside, Vectorf(0.0, 0.0), 0.0, true);
    EXPECT_EQ(cog->GetPosAtTime(30), MachineAt) << "the cog rides on the head a tick after the carry";

    Play(*machine, 0, 39);
    EXPECT_EQ(machine->GetCogTime(), -1);
    EXPECT_TRUE(cog->CanCollectAtTime(31));
}

TEST_F(CasleMachineSwitchTest, TheMachineRunsFromTheTickAfterTheFirstStartOnceTheCogIsIn)
{
    start.On(5, 8);
    std::unique_ptr<Casle_Machine_Switch> machine = Make(MachineAt);
    Play(*machine, 10, 10);
    EXPECT_EQ(machine->ActiveTime(), -1) << "started only before the cog went in";
    EXPECT_FALSE(machine->IsActive(100));
    EXPECT_EQ(machine->LastInactiveTime(100), 100);
    EXPECT_EQ(machine->LastActiveTime(100), -1);

    start.On(15, 20);
    start.On(40, 45);
    EXPECT_EQ(machine->ActiveTime(), 15);
    EXPECT_FALSE(machine->IsActive(15));
    EXPECT_TRUE(machine->IsActive(16));
    EXPECT_TRUE(machine->IsActive(30)) << "it runs on once the switch is let go";
    EXPECT_EQ(machine->LastActiveTime(15), -1);
    EXPECT_EQ(machine->LastActiveTime(30), 30);
    EXPECT_EQ(machine->LastInactiveTime(14), 14);
    for (Tick t : {15, 16, 30, 100000})
        EXPECT_EQ(machine->LastInactiveTime(t), 15) << t;
}

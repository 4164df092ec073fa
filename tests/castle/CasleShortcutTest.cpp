// The castle's far exit and the socks are guarded by its puzzles: holding a direction or pressing
// random keys from the start, with the fee paid and the gate open, reaches neither.
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "support/RandomSeed.h"
#include "support/ShortcutRun.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

class CasleShortcutTest : public MutedWorldFixture
{
protected:
    void BuildPaid()
    {
        GameEvents record;
        record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
        Build(Level_Casle, record);
    }

    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }

    // Where the player got to: he may pass the gate, but not the doors the machine and the lamps
    // open, nor find the socks.
    void ExpectStoppedShort(ShortcutRun::Result const& r)
    {
        EXPECT_NE(r.action, Level_Completed) << r.how;
        EXPECT_FALSE(As<Casle>().SocksMessageShown()) << r.how << ": found the socks";
        EXPECT_EQ(events[Event_Socks], GameEvent_HasntHappened) << r.how << ": found the socks";
        if (r.action == Level_Continue)
        {
            EXPECT_LT(As<Casle>().GetPlayer()->GetPos().y, CastleWriter::Road_Floor - 100.0)
                << r.how << ": reached the road over the shaft";
        }
    }
};

} // namespace

TEST_F(CasleShortcutTest, HoldingEitherWayWithJumpsDoesNotReachTheFarExit)
{
    for (int direction : {KeyIndex_GameRight, KeyIndex_GameLeft})
    {
        BuildPaid();
        ExpectStoppedShort(ShortcutRun::Hold(Stepper(), direction));
        Destroy();
    }
}

TEST_F(CasleShortcutTest, RandomKeysWithoutSolvingAnythingDoNotReachTheFarExit)
{
    ForEachSeed(ShortcutRun::Seeds, [&](unsigned seed) {
        BuildPaid();
        ExpectStoppedShort(ShortcutRun::Random(Stepper(), seed));
        Destroy();
    });
}

TEST_F(CasleShortcutTest, RandomKeysFromRoom4NeverGetPastDoors10And7)
{
    // Most random runs from the start soon leave by the entrance; these begin past the gate, on
    // the left part of room 4's floor, where no jump nor fall may carry the player past the doors
    // that the machine and the lamps open.
    ForEachSeed(ShortcutRun::Seeds, [&](unsigned seed) {
        BuildPaid();
        Player* player = As<Casle>().GetPlayer();
        Pointf const inside(1190.0, CastleWriter::Room4_Floor + 1.0);
        player->SetPos(&inside);
        double furthest = 0.0; // the furthest right the player came at room 4's height or above
        ShortcutRun::Result const r = ShortcutRun::Random(
            [&](std::vector<int> const& held) {
                Level_Action const action = Step(held);
                Pointf const at = player->GetPos();
                if (at.y > CastleWriter::Room4_Floor - 10.0)
                    furthest = std::max(furthest, at.x);
                return action;
            },
            seed);
        ExpectStoppedShort(r);
        EXPECT_LT(furthest, 1740.0) << r.how << ": past door 7";
        Destroy();
    });
}

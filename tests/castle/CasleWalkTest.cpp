// The generated castle walked by keys along the roads its generator exports: past the owner and his
// fee up the shaft to the far exit, straight through once paid, and out by the entrance; and the
// whole castle replayed along the road and under random keys.
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/GameEvents.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

class CasleWalkTest : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    RoadWalk_Result Walk(char const* road)
    {
        RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Casle, road));
        return walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    }
};

TEST_F(CasleWalkTest, FromTheStartPastTheOwnerAndHisFeeToTheFarExit)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.gems = 7;
    Build(Level_Casle, record);
    RoadWalk_Result const r = Walk("fee");
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_GE(events[Casle_Event_Introduced], 0) << "the introduction was heard";
    EXPECT_GE(events[Casle_Event_FeePaid], 0);
    EXPECT_EQ(events.gems, 0);
    EXPECT_TRUE(As<Casle>().SocksMessageShown()) << "the socks lie on the road";
}

TEST_F(CasleWalkTest, WithTheFeePaidBeforeStraightThroughTheGate)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Build(Level_Casle, record);
    RoadWalk_Result const r = Walk("exit");
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
}

TEST_F(CasleWalkTest, WithoutTheFeeTheGateHoldsAndTheEntranceLetsOut)
{
    Build(Level_Casle);
    RoadWalk_Result const shut = Walk("exit");
    EXPECT_TRUE(shut.stuck) << "walked through the closed gate";
    EXPECT_LT(shut.at.x, CastleWriter::Gate_X) << shut.report;
    RoadWalk_Result const r = Walk("entrance");
    EXPECT_EQ(r.action, Level_Restart) << r.report;
}

TEST_F(CasleWalkTest, TheWholeCastleReplaysAlongTheRoadAndUnderRandomKeys)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    WorldReplay_Options options;
    options.road = "exit";
    WorldReplay::Run(*this, Level_Casle, record, options);
    WorldReplay::Run(*this, Level_Casle, record);
}

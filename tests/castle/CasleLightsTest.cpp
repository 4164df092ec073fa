// Lamps and light groups: a lamp's light from its hits, and a group that latches once all three burn.
#include "CastleSupport.h"
#include "castle/Casle_Light.h"
#include "castle/Casle_Lights.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

class CasleLightsTest : public CastleTest
{
protected:
    void SetUp() override
    {
        CastleTest::SetUp();
        MapWriter writer = CastleFloor();
        for (unsigned int i = 0; i < 3; i++)
            writer.AddRefPoint(4 + i, 100.0 * i, 200.0);
        map = MapFiles::Load<Map>(writer);
        timed = std::make_unique<Casle_Lights>(map.get(), 4, 5, 6, 80);
    }
    void TearDown() override
    {
        timed.reset();
        CastleTest::TearDown();
    }

    std::unique_ptr<Map> map;
    std::unique_ptr<Casle_Lights> timed;
};

std::string On(Casle_Light const* lamp, Tick from, Tick to)
{
    std::string s;
    for (Tick t = from; t <= to; t++)
        s += lamp->IsOn(t) ? '1' : '0';
    return s;
}

} // namespace

TEST_F(CasleLightsTest, ALampBurnsForItsDurationAfterItsLatestHitOrForGood)
{
    Casle_Light* lamp = timed->GetLight(0);
    lamp->Hit(100, 1, 0);
    EXPECT_EQ(On(lamp, 99, 101), "011");
    EXPECT_EQ(On(lamp, 178, 181), "1100");
    lamp->Hit(150, 1, 0);
    EXPECT_EQ(On(lamp, 229, 230), "10");

    Casle_Lights forGood(map.get(), 4, 5, 6, 0);
    forGood.GetLight(1)->Hit(40, 1, 0);
    EXPECT_EQ(On(forGood.GetLight(1), 39, 40) + On(forGood.GetLight(1), 100000, 100000), "011");
}

TEST_F(CasleLightsTest, TheGroupLatchesAtTheFirstTickAllThreeBurnAndRecordsOnlyGoingForward)
{
    Casle_Light* lamps[3] = {timed->GetLight(0), timed->GetLight(1), timed->GetLight(2)};
    lamps[0]->Hit(100, 1, 0);
    lamps[1]->Hit(110, 1, 0);
    lamps[2]->Hit(200, 1, 0); // the first went out at 180
    lamps[0]->Hit(220, 1, 0); // the second went out at 190
    for (Tick t = 0; t < 230; t++)
        timed->MoveToTime(map.get(), t);
    EXPECT_EQ(timed->NextActiveTime(0), -1) << "two lit and one dark latched";
    EXPECT_EQ(lamps[2]->GetAlwaysOnTime(), -1);

    lamps[1]->Hit(230, 1, 0);
    timed->MoveToTime(map.get(), 230);
    EXPECT_EQ(timed->NextActiveTime(0), 230);
    // After the latch every lamp burns for good; at the latched tick only by its own hits.
    for (Casle_Light* lamp : lamps)
    {
        EXPECT_EQ(lamp->GetAlwaysOnTime(), 230);
        EXPECT_TRUE(lamp->IsOn(231));
        EXPECT_TRUE(lamp->IsOn(100000));
    }
    lamps[1]->SetAlwaysOnTime(250);
    EXPECT_EQ(lamps[1]->GetAlwaysOnTime(), 230) << "the earliest latch is kept";
    Casle_Lights unhit(map.get(), 4, 5, 6, 80);
    unhit.GetLight(0)->SetAlwaysOnTime(50);
    EXPECT_EQ(On(unhit.GetLight(0), 49, 51), "001");

    // Back in time nothing is recorded; forward again the span since the last move is.
    timed->MoveToTime(map.get(), 300);
    timed->MoveToTime(map.get(), 250);
    timed->MoveToTime(map.get(), 320);
    EXPECT_EQ(timed->LastInactiveTime(320), 229);
    EXPECT_EQ(timed->NextActiveTime(321), -1);
}

TEST_F(CasleLightsTest, AllThreeBurningAtATickTheClockRunsBackToLatchesNothing)
{
    Casle_Light* lamps[3] = {timed->GetLight(0), timed->GetLight(1), timed->GetLight(2)};
    for (Casle_Light* lamp : lamps)
        lamp->Hit(100, 1, 0);
    timed->MoveToTime(map.get(), 50);
    timed->MoveToTime(map.get(), 300);
    // Travel back into the span where all three burned: shown, not played.
    for (Tick t = 299; t >= 90; t--)
        timed->MoveToTime(map.get(), t);
    EXPECT_EQ(timed->NextActiveTime(0), -1);
    for (Casle_Light* lamp : lamps)
        EXPECT_EQ(lamp->GetAlwaysOnTime(), -1);
    EXPECT_FALSE(lamps[0]->IsOn(300));
    // Played forward from there, the group latches from the tick all three burn.
    timed->MoveToTime(map.get(), 120);
    EXPECT_TRUE(timed->IsActive(120));
    EXPECT_EQ(lamps[0]->GetAlwaysOnTime(), 100);
}

TEST_F(CasleLightsTest, AMoveOverManyTicksLatchesWhereAllThreeBurnNotAtThePreviousMove)
{
    // Shown again after a travel back: the move jumps from before the hits to past the last.
    Casle_Lights forGood(map.get(), 4, 5, 6, 0);
    forGood.GetLight(0)->Hit(100, 1, 0);
    forGood.GetLight(1)->Hit(120, 1, 0);
    forGood.GetLight(2)->Hit(130, 1, 0);
    forGood.MoveToTime(map.get(), 10);
    forGood.MoveToTime(map.get(), 233);
    EXPECT_EQ(forGood.NextActiveTime(0), 130);
    EXPECT_FALSE(forGood.IsActive(129));
    EXPECT_TRUE(forGood.IsActive(233));
    EXPECT_EQ(forGood.GetLight(0)->GetAlwaysOnTime(), 130);

    // Lamps that burn only for a while: the latch starts at the last tick they came on together.
    timed->GetLight(0)->Hit(100, 1, 0);
    timed->GetLight(1)->Hit(105, 1, 0);
    timed->GetLight(2)->Hit(110, 1, 0);
    timed->MoveToTime(map.get(), 50);
    timed->MoveToTime(map.get(), 150);
    EXPECT_EQ(timed->NextActiveTime(0), 110);
    EXPECT_EQ(timed->LastInactiveTime(150), 109);
}

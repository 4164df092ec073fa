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
        if (HasFatalFailure())
            return;
        MapWriter writer = CastleFloor();
        for (unsigned int i = 0; i < 3; i++)
            writer.AddRefPoint(4 + i, 100.0 * i, 200.0);
        map = LoadCastleMap(writer);
        map->PreprocessCollision();
    }
    void TearDown() override
    {
        lights.reset();
        CastleTest::TearDown();
    }

    Casle_Lights& Make(int duration)
    {
        lights = std::make_unique<Casle_Lights>(map.get(), 4, 5, 6, duration);
        return *lights;
    }

    // Moves the group through every tick from..to.
    void Play(Tick from, Tick to)
    {
        for (Tick t = from; t <= to; t++)
            lights->MoveToTime(map.get(), t);
    }

    std::unique_ptr<Map> map;
    std::unique_ptr<Casle_Lights> lights;
};

std::string On(Casle_Light const* lamp, Tick from, Tick to)
{
    std::string s;
    for (Tick t = from; t <= to; t++)
        s += lamp->IsOn(t) ? '1' : '0';
    return s;
}

} // namespace

TEST_F(CasleLightsTest, ALampBurnsForItsDurationAfterEachHitOrForGood)
{
    Casle_Lights& timed = Make(80);
    Casle_Light* lamp = timed.GetLight(0);
    lamp->Hit(100, 1, 0);
    EXPECT_EQ(On(lamp, 99, 101), "011");
    EXPECT_EQ(On(lamp, 178, 181), "1100");
    lamp->Hit(150, 1, 0);
    EXPECT_EQ(On(lamp, 228, 231), "1100") << "the latest hit counts";
    Pointf aim;
    EXPECT_TRUE(lamp->GetTargetPos(map.get(), 0, aim));
    EXPECT_EQ(aim, Pointf(0.0, 200.0));

    // A lamp is lit after its latched tick whatever its hits, at the tick itself only by them;
    // the earliest latch is kept.
    Casle_Light* other = timed.GetLight(2);
    other->SetAlwaysOnTime(50);
    other->SetAlwaysOnTime(70);
    EXPECT_EQ(other->GetAlwaysOnTime(), 50);
    EXPECT_EQ(On(other, 49, 52), "0011");
    EXPECT_EQ(On(other, 100000, 100000), "1");

    Casle_Lights& forGood = Make(0);
    lamp = forGood.GetLight(1);
    lamp->Hit(40, 1, 0);
    EXPECT_EQ(On(lamp, 38, 41), "0011");
    EXPECT_EQ(On(lamp, 100000, 100000), "1");
}

TEST_F(CasleLightsTest, TheGroupLatchesAtTheFirstTickAllThreeBurnAndRecordsOnlyGoingForward)
{
    Casle_Lights& group = Make(80);
    Casle_Light* lamps[3] = {group.GetLight(0), group.GetLight(1), group.GetLight(2)};
    lamps[0]->Hit(100, 1, 0);
    lamps[1]->Hit(110, 1, 0);
    lamps[2]->Hit(200, 1, 0); // the first lamp went out at 180
    lamps[0]->Hit(220, 1, 0); // the second went out at 190
    Play(0, 229);
    for (Tick t = 0; t < 230; t++)
        ASSERT_FALSE(group.IsActive(t)) << t;
    EXPECT_EQ(On(lamps[0], 180, 180), "0") << "two lit and one dark latch nothing";
    EXPECT_EQ(lamps[2]->GetAlwaysOnTime(), -1);

    lamps[1]->Hit(230, 1, 0);
    Play(230, 240);
    EXPECT_FALSE(group.IsActive(229));
    EXPECT_TRUE(group.IsActive(230));
    EXPECT_TRUE(group.IsActive(240));
    for (Casle_Light* lamp : lamps)
    {
        EXPECT_EQ(lamp->GetAlwaysOnTime(), 230);
        EXPECT_TRUE(lamp->IsOn(400)) << "a latched lamp went out";
    }
    EXPECT_FALSE(lamps[1]->IsOn(229)) << "the latch lit a lamp before it";

    // Back in time nothing is recorded; forward again the span since the last move is.
    group.MoveToTime(map.get(), 232);
    group.MoveToTime(map.get(), 300);
    EXPECT_FALSE(group.IsActive(301));
    group.MoveToTime(map.get(), 250);
    group.MoveToTime(map.get(), 320);
    for (Tick t = 230; t <= 320; t++)
        EXPECT_TRUE(group.IsActive(t)) << t;
    EXPECT_FALSE(group.IsActive(321));

    // A group first moved at a tick at which all three burn records from tick 0.
    Casle_Lights& fresh = Make(0);
    for (unsigned int i = 0; i < 3; i++)
        fresh.GetLight(i)->Hit(5, 1, 0);
    fresh.MoveToTime(map.get(), 20);
    EXPECT_TRUE(fresh.IsActive(0));
    EXPECT_TRUE(fresh.IsActive(20));
    EXPECT_FALSE(fresh.IsActive(21));
}

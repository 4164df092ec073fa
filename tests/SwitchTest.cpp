// Floor switches: pressing by the player's feet and scale, the plate's travel, radio groups and blockers.
#include "Switch.h"

#include <gtest/gtest.h>
#include <vector>

#include "GroupPlayerTest.h"
#include "Lift.h"
#include "Switch_Blocker.h"
#include "util/Util.h"

namespace {

class RecordingBlocker final : public Switch_Blocker
{
public:
    RecordingBlocker(std::vector<int>& callLog, int blockerId, bool blocks)
        : log(callLog), id(blockerId), answer(blocks)
    {
    }
    bool IsBlocked(Map const*, Tick) override
    {
        log.push_back(id);
        return answer;
    }

    std::vector<int>& log;
    int id;
    bool answer;
};

using SwitchTest = GroupPlayerTest;

} // namespace

TEST_F(SwitchTest, PlateSinksWhilePressedAndRisesFromWhereItWas)
{
    Player& hero = MakePlayer();
    Switch feet(&hero, map.get(), GroupMap::Group, 1.0);

    for (Tick t = 0; t < 400; t++)
    {
        StandOn((t >= 100 && t < 200) || (t >= 300 && t < 304) ? GroupMap::Group : 0);
        feet.MoveToTime(map.get(), t);
    }
    EXPECT_FALSE(feet.IsActive(99));
    EXPECT_TRUE(feet.IsActive(100));
    EXPECT_EQ(feet.CalcSwitchPos(99), 0.0);
    EXPECT_EQ(feet.CalcSwitchPos(100), -0.5);
    EXPECT_EQ(feet.CalcSwitchPos(118), -9.5);
    EXPECT_EQ(feet.CalcSwitchPos(119), -10.0);
    EXPECT_EQ(feet.CalcSwitchPos(199), -10.0);
    EXPECT_EQ(feet.CalcSwitchPos(200), -9.5);
    EXPECT_EQ(feet.CalcSwitchPos(218), -0.5);
    EXPECT_EQ(feet.CalcSwitchPos(219), 0.0);

    // Four ticks of travel, then it rises from -2.
    EXPECT_EQ(feet.CalcSwitchPos(303), -2.0);
    EXPECT_EQ(feet.CalcSwitchPos(304), -1.5);
    EXPECT_EQ(feet.CalcSwitchPos(307), 0.0);

    FlatList<MoveObject>* orders = nullptr;
    feet.MoveMapGroup(map.get(), 110, &orders);
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ((*orders)[0].group, GroupMap::Group);
    EXPECT_EQ((*orders)[0].newX, 0.0);
    EXPECT_EQ((*orders)[0].newY, -5.5);
}

TEST_F(SwitchTest, OnlyAPlayerAtLeastThePlatesSizePressesIt)
{
    Player& hero = MakePlayer();
    Switch big(&hero, map.get(), GroupMap::Group, 2.0);
    Switch other(&hero, map.get(), GroupMap::Group2, 1.0);
    StandOn(GroupMap::Group);

    hero.scale = 2.0 - 2 * Util::Eps;
    big.MoveToTime(map.get(), 10);
    hero.scale = 2.0 - Util::Eps / 2;
    big.MoveToTime(map.get(), 11);
    other.MoveToTime(map.get(), 11);
    EXPECT_FALSE(big.IsActive(10));
    EXPECT_TRUE(big.IsActive(11));
    EXPECT_FALSE(other.IsActive(11)) << "standing on another group";
    EXPECT_EQ(big.CalcSwitchPos(11), -1.0) << "a bigger plate travels further per tick";
}

TEST_F(SwitchTest, RadioSwitchesHandOver)
{
    Player& hero = MakePlayer();
    Switch a(&hero, map.get(), GroupMap::Group, 1.0);
    Switch b(&hero, map.get(), GroupMap::Group2, 1.0);
    Switch c(&hero, map.get(), GroupMap::Group3, 1.0);
    a.RadioSwitch(&b, &c);
    b.RadioSwitch(&a, &c);
    c.RadioSwitch(&a, &b);

    for (Tick t = 0; t < 60; t++)
    {
        StandOn(t >= 10 && t < 13 ? GroupMap::Group : t >= 30 && t < 35 ? GroupMap::Group2 : 0);
        for (Switch* s : {&a, &b, &c})
            s->MoveToTime(map.get(), t);
    }
    EXPECT_TRUE(a.IsActive(29)) << "stays down after the player stepped off";
    EXPECT_TRUE(a.IsActive(30));
    EXPECT_FALSE(a.IsActive(31)) << "released the tick after a partner went down";
    EXPECT_TRUE(b.IsActive(59));
    EXPECT_FALSE(c.IsActive(59));
}

TEST_F(SwitchTest, BlockersAreAllAskedAndARiddenLiftHoldsThePlateUp)
{
    Lift lift(map.get(), GroupMap::Group2, 20.0, 0.0);
    Player& hero = MakePlayer();
    Switch plate(&hero, map.get(), GroupMap::Group, 1.0);
    std::vector<int> log;
    RecordingBlocker first(log, 1, true);
    RecordingBlocker second(log, 2, false);
    Switch asked(&hero, map.get(), GroupMap::Group, 1.0);
    asked.AddBlocker(&first);
    asked.AddBlocker(&second);
    StandOn(GroupMap::Group);
    asked.MoveToTime(map.get(), 5);
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    EXPECT_FALSE(asked.IsActive(5));

    plate.AddBlocker(&lift);
    Pointf const onLift(100.0, 12.0);
    lift.PlayerAtPos(500, &onLift);
    plate.MoveToTime(map.get(), 500);
    plate.MoveToTime(map.get(), 501);
    EXPECT_FALSE(plate.IsActive(500));
    EXPECT_TRUE(plate.IsActive(501));
    // Back in time before the ride, the plate still cannot be pressed.
    plate.MoveToTime(map.get(), 300);
    EXPECT_FALSE(plate.IsActive(300));
}

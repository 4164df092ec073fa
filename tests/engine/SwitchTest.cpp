// Floor switches: pressing by the player's feet and size, the plate's travel, radio groups and blockers.
#include "engine/Switch.h"

#include "engine/Lift.h"
#include "engine/Switch_Blocker.h"
#include "support/GroupPlayerTest.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <random>
#include <vector>

namespace
{

// Blocks, and notes that it was asked.
class LoggingBlocker final : public Switch_Blocker
{
public:
    LoggingBlocker(std::vector<int>& callLog, int blockerId) : log(callLog), id(blockerId) {}
    bool IsBlocked(Map const*, Tick) override
    {
        log.push_back(id);
        return true;
    }
    std::vector<int>& log;
    int id;
};

using SwitchTest = GroupPlayerTest;

// The offset of a plate of scale 1 (a stroke of 20 ticks) read as a plain recursion.
double RecursiveOffset(Switch const& plate, Tick t)
{
    if (plate.IsActive(t))
    {
        Tick const b = plate.LastInactiveTime(t);
        if (t - b > 20)
            return -10.0;
        double const offset = RecursiveOffset(plate, b) - (t - b) * 0.5;
        return offset < -10.0 || Util::Equal(offset, -10.0) ? -10.0 : offset;
    }
    Tick const p = plate.LastActiveTime(t);
    if (p == -1 || t - p >= 20)
        return 0.0;
    double const offset = RecursiveOffset(plate, p) + (t - p) * 0.5;
    return offset > 0.0 || Util::Equal(offset, 0.0) ? 0.0 : offset;
}

} // namespace

TEST_F(SwitchTest, PlateSinksWhilePressedAndRisesFromWhereItWas)
{
    Player& hero = MakePlayer();
    Switch plate(&hero, map.get(), GroupMap::Group, 1.0);
    Switch big(&hero, map.get(), GroupMap::Group, 2.0);
    for (Tick t = 0; t < 400; t++)
    {
        StandOn((t >= 100 && t < 200) || (t >= 300 && t < 304) ? GroupMap::Group : 0);
        hero.scale = t < 150 ? 2.0 - Util::Eps / 2 : 2.0 - 2 * Util::Eps;
        plate.MoveToTime(map.get(), t);
        big.MoveToTime(map.get(), t);
    }
    EXPECT_EQ(plate.CalcSwitchPos(99), 0.0);
    EXPECT_EQ(plate.CalcSwitchPos(100), -0.5);
    EXPECT_EQ(plate.CalcSwitchPos(118), -9.5);
    EXPECT_EQ(plate.CalcSwitchPos(119), -10.0);
    EXPECT_EQ(plate.CalcSwitchPos(200), -9.5);
    EXPECT_EQ(plate.CalcSwitchPos(218), -0.5);
    EXPECT_EQ(plate.CalcSwitchPos(219), 0.0);
    EXPECT_EQ(plate.CalcSwitchPos(303), -2.0);
    EXPECT_EQ(plate.CalcSwitchPos(304), -1.5) << "rises from where four ticks took it";
    EXPECT_EQ(plate.CalcSwitchPos(307), 0.0);

    // Only a player at least the plate's size presses it; equal within the tolerance counts.
    EXPECT_TRUE(big.IsActive(149));
    EXPECT_FALSE(big.IsActive(150));
    EXPECT_EQ(big.CalcSwitchPos(101), -2.0) << "a bigger plate travels further per tick";
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
    EXPECT_TRUE(a.IsActive(30)) << "stays down after the player stepped off";
    EXPECT_FALSE(a.IsActive(31)) << "released the tick after a partner went down";
    EXPECT_TRUE(b.IsActive(59));
    EXPECT_FALSE(c.IsActive(59));
}

TEST_F(SwitchTest, EveryBlockerIsAskedAndARiddenLiftHoldsThePlateUp)
{
    Player& hero = MakePlayer();
    std::vector<int> log;
    LoggingBlocker first(log, 1);
    LoggingBlocker second(log, 2);
    Switch blocked(&hero, map.get(), GroupMap::Group, 1.0);
    blocked.AddBlocker(&first);
    blocked.AddBlocker(&second);
    StandOn(GroupMap::Group);
    blocked.MoveToTime(map.get(), 5);
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    EXPECT_FALSE(blocked.IsActive(5));

    Lift lift(map.get(), GroupMap::Group2, 20.0, 0.0);
    Switch plate(&hero, map.get(), GroupMap::Group, 1.0);
    plate.AddBlocker(&lift);
    Pointf const onLift(100.0, 12.0);
    lift.PlayerAtPos(500, &onLift);
    for (Tick t : {500, 501, 300})
        plate.MoveToTime(map.get(), t);
    EXPECT_FALSE(plate.IsActive(500));
    EXPECT_TRUE(plate.IsActive(501));
    EXPECT_FALSE(plate.IsActive(300)) << "nor after travelling back before the ride";
}

TEST_F(SwitchTest, TravelMatchesTheRecursiveReadingThroughPressesAtPastTicks)
{
    ForEachSeed([&](unsigned seed) {
        std::mt19937 random(seed);
        std::bernoulli_distribution flip(0.2);
        Player& hero = MakePlayer();
        Switch plate(&hero, map.get(), GroupMap::Group, 1.0);
        bool on = false;
        int shown = 0;
        // While the clock travels the frozen player presses the plate wherever he stands. Every
        // tick shown is asked, as a level asks; every fourth is checked.
        PlayWithTravel(900, 200, 700, 200, [&](Tick t) {
            if (flip(random))
                on = !on;
            StandOn(on ? GroupMap::Group : 0);
            plate.MoveToTime(map.get(), t);
            double const offset = plate.CalcSwitchPos(t);
            if (++shown % 4 != 0)
                return;
            ASSERT_EQ(offset, RecursiveOffset(plate, t)) << "tick " << t;
        });
        for (Tick t = 0; t < 1200; t += 7)
            ASSERT_EQ(plate.CalcSwitchPos(t), RecursiveOffset(plate, t)) << "tick " << t;
    });
}

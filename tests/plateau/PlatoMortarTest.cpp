// The mortar: a past self's use, aiming and strength, shells and rocks, the follower and travel.
#include "engine/KeyData.h"
#include "engine/TimeSet.h"
#include "engine/TimeSet2.h"
#include "plateau/PlatoSupport.h"
#include "plateau/Plato_Mortar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr unsigned int MortarRp = 101;

class PlatoMortarTest : public PlateauFixture
{
protected:
    // The mortar at the origin on the floor; rock 5 is a block to its right, a block of group 27
    // above it; with open, the mortar stands at the floor's right end.
    void Build(bool open = false)
    {
        MapWriter writer = PlateauWriter();
        writer.AddRefPoint(MortarRp, open ? 1990.0 : 0.0, 0.0);
        writer.AddBox(300.0, 0.0, 500.0, 200.0, 0, 5, true, false, 64.0);
        writer.AddBox(-500.0, 600.0, 500.0, 700.0, 0, 27, true, false, 64.0);
        AddMissingGroups(writer, 1, Mortar_NumRocks);
        map = ReadSmallMap(writer);
        MakePlayer(Pointf(open ? 1980.0 : 10.0, 0.0));
        mortar = std::make_unique<Plato_Mortar>(map.get(), &message, player.get(), MortarRp);
    }

    bool Poll(Tick t, std::initializer_list<int> keys = {}, std::uint8_t state = KeyState_Held, bool travel = false)
    {
        KeyData input;
        for (int k : keys)
            input.keys[k] = state;
        return mortar->Poll(map.get(), t, &input, travel);
    }

    bool Take(Tick t) { return Poll(t, {KeyIndex_GameAction}, KeyState_Released); }

    Mortar_Attack Shot(Tick t, double angle, double strength)
    {
        Mortar_Attack attack(t);
        attack.angle = angle;
        attack.strength = strength;
        mortar->FindAttackLength(map.get(), &attack);
        return attack;
    }

    std::unique_ptr<Plato_Mortar> mortar;
};

TEST_F(PlatoMortarTest, APastSelfsUseRefusesTheMortarAndEndsAUseBeforeIt)
{
    Build();
    ASSERT_TRUE(Take(1000));
    EXPECT_TRUE(player->scripted);
    for (Tick t = 1001; t < 1300; t++)
        ASSERT_TRUE(Poll(t, {KeyIndex_GameRight})) << t;
    EXPECT_FALSE(Poll(1300, {KeyIndex_GameJump}, KeyState_Pressed));
    EXPECT_FALSE(player->scripted);
    EXPECT_TRUE(mortar->UseTimes()->Check(1300));

    for (Tick t : {800, 1000, 1150, 1300})
    {
        EXPECT_FALSE(Take(t)) << t;
        EXPECT_FALSE(mortar->active) << t;
    }
    EXPECT_TRUE(Take(799));
    EXPECT_FALSE(Poll(800));
    EXPECT_FALSE(player->scripted);
    // The travelled clock takes nothing and writes nothing.
    EXPECT_FALSE(Poll(600, {KeyIndex_GameAction}, KeyState_Released, true));
    EXPECT_FALSE(mortar->UseTimes()->Check(600));
    EXPECT_FALSE(mortar->AngleLog()->Find(600, nullptr));
}

TEST_F(PlatoMortarTest, AngleAndStrengthStopAtTheirEndsAndStrengthSurvivesTravel)
{
    Build();
    ASSERT_TRUE(Take(10));
    Tick t = 11;
    for (int i = 0; i < 100; i++)
        Poll(t++, {KeyIndex_GameLeft, KeyIndex_GamePrevTarget});
    EXPECT_GE(mortar->FindAngle(t), -0.01);
    EXPECT_LE(mortar->FindAngle(t), 0.0);
    EXPECT_LE(mortar->strength, 1.01);
    EXPECT_GE(mortar->strength, 1.0 - 1e-9);
    for (int i = 0; i < 200; i++)
        Poll(t++, {KeyIndex_GameRight, KeyIndex_GameNextTarget});
    EXPECT_LE(mortar->FindAngle(t), 1.5707963267949 + 0.01);
    EXPECT_GE(mortar->strength, -0.01);
    for (int i = 0; i < 20; i++)
        Poll(t++, {KeyIndex_GamePrevTarget});
    double const kept = mortar->strength;
    for (Tick back = t; back > 0; back -= 16)
        Poll(back, {}, 0, true);
    EXPECT_EQ(mortar->strength, kept);
    EXPECT_DOUBLE_EQ(mortar->FindAngle(0), 0.78539816339745);
    // Recorded as whole 65536ths.
    EXPECT_NEAR(mortar->FindAngle(11), 0.78539816339745, 1.0 / 65536);
    EXPECT_NEAR(mortar->FindAngle(12), 0.78539816339745 - 0.01, 2.0 / 65536);
}

TEST_F(PlatoMortarTest, ShellsBlastTheEarliestLandingAndStopOnAnOpenMap)
{
    Build();
    Mortar_Attack up(0);
    up.angle = 0.0;
    up.strength = 0.0;
    Pointf const gun = mortar->GetGunPos();
    Pointf const first = mortar->ShellPos(&up, 1);
    EXPECT_DOUBLE_EQ(first.x, gun.x);
    EXPECT_DOUBLE_EQ(first.y, gun.y + 10.0 - 0.1);

    // Find a shot that lands on rock 5, then fire it at two ticks, the later one first.
    double angle = 0.0;
    Mortar_Attack probe(0);
    for (int i = 0; i < 30 && mortar->rockFallTime[4] == GameEvent_HasntHappened; i++)
    {
        angle = 0.05 * i;
        probe = Shot(0, angle, 0.3);
    }
    ASSERT_NE(mortar->rockFallTime[4], GameEvent_HasntHappened) << "no shot reaches rock 5";
    int const flight = probe.length + 1;
    mortar->rockFallTime[4] = GameEvent_HasntHappened;
    Shot(500, angle, 0.3);
    EXPECT_EQ(mortar->rockFallTime[4], 500 + flight);
    Shot(300, angle, 0.3);
    EXPECT_EQ(mortar->rockFallTime[4], 300 + flight);
    Shot(400, angle, 0.3);
    EXPECT_EQ(mortar->rockFallTime[4], 300 + flight);

    FlatList<MoveObject>* moves = nullptr;
    mortar->MoveMapGroup(map.get(), 300 + flight - 1, &moves);
    EXPECT_EQ((*moves)[4].newY, 0.0);
    mortar->MoveMapGroup(map.get(), 300 + flight, &moves);
    EXPECT_EQ((*moves)[4].newY, 1000.0);
    EXPECT_EQ((*moves)[4].group, 5u);

    // Straight up into group 27, and on to the floor to the left: nothing blasted.
    Shot(50, 0.0, 1.0);
    Shot(60, -0.2, 0.0);
    int fallen = 0;
    for (Tick fall : mortar->rockFallTime)
        fallen += fall != GameEvent_HasntHappened ? 1 : 0;
    EXPECT_EQ(fallen, 1);

    Build(true);
    Mortar_Attack const away = Shot(10, 1.5707963267949, 1.0);
    EXPECT_GT(away.length, 0);
    EXPECT_LT(away.length, Mortar_MaxTraceSteps);
    for (Tick fall : mortar->rockFallTime)
        EXPECT_EQ(fall, GameEvent_HasntHappened);
}

TEST_F(PlatoMortarTest, TheFollowerLeavesAPastSelfsAnglesAndEachShellBurstsOnce)
{
    Build();
    ASSERT_TRUE(Take(1000));
    Poll(1001, {KeyIndex_GameAction}, KeyState_Released); // a shell
    for (Tick t = 1002; t < 1100; t++)
        Poll(t, {KeyIndex_GameLeft});
    Poll(1100, {KeyIndex_GameJump}, KeyState_Pressed);
    int recorded[1101];
    for (Tick t = 1000; t <= 1100; t++)
        ASSERT_TRUE(mortar->AngleLog()->Find(t, &recorded[t]));
    ASSERT_EQ(mortar->Attacks().Count(), 1);
    Mortar_Attack const* shell = mortar->Attacks()[0];
    Tick const burst = shell->time + shell->length - 1;

    // Idle from 900 on: the gun turns towards the recorded angles, which stay as they were.
    for (Tick t = 900; t <= 1200; t++)
    {
        Poll(t);
        mortar->Plot(map.get(), t);
        mortar->Plot(map.get(), t);
    }
    for (Tick t = 1000; t <= 1100; t++)
    {
        int v = 0;
        ASSERT_TRUE(mortar->AngleLog()->Find(t, &v));
        EXPECT_EQ(v, recorded[t]) << t;
    }
    EXPECT_TRUE(mortar->AngleLog()->Find(999, nullptr)); // the follower's own easing
    EXPECT_EQ(mortar->BurstsPlayed(), 2);                // once when fired, once replayed
    EXPECT_GT(burst, 1001);
}

} // namespace

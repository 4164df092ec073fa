// The imp: its hop from the phase, the tumble after death, how long it is drawn and aimed at, the squeak's draws.
#include "creatures/Imp.h"

#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{

constexpr int Imp_HitPoints = 2;

// A seed whose first draw gives the wanted phase.
unsigned int SeedForPhase(int phase)
{
    unsigned int seed = 1;
    for (;; ++seed)
    {
        std::srand(seed);
        if (std::rand() % Imp::Imp_CycleTime == phase)
            return seed;
    }
}

void Kill(Imp& imp, Tick t)
{
    imp.Hit(t, Imp_HitPoints, 0);
}

} // namespace

TEST(Imp, HopsFromItsPhaseAcrossTheArcWithItsFrames)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    std::srand(SeedForPhase(0));
    Imp imp(map.get(), SmallMap_Above, Imp_HitPoints);
    Imp second(map.get(), SmallMap_Above, Imp_HitPoints);
    // One draw each, the phase.
    std::srand(SeedForPhase(0));
    std::rand();
    EXPECT_EQ(second.Phase(), std::rand() % Imp::Imp_CycleTime);

    double const end = 40.0 * std::sin(0.78539816339745);
    Pointf const left = imp.PositionAtTime(0, nullptr, nullptr, nullptr);
    EXPECT_NEAR(left.x, -end, 1e-9);
    EXPECT_NEAR(left.y, 100.0, 1e-9);
    Pointf const top12 = imp.PositionAtTime(12, nullptr, nullptr, nullptr);
    Pointf const top13 = imp.PositionAtTime(13, nullptr, nullptr, nullptr);
    EXPECT_NEAR(top12.y, top13.y, 1e-9);
    EXPECT_GT(top12.y, imp.PositionAtTime(11, nullptr, nullptr, nullptr).y);
    EXPECT_LT(top12.x, 0.0);
    EXPECT_GT(top13.x, 0.0);
    EXPECT_NEAR(imp.PositionAtTime(25, nullptr, nullptr, nullptr).x, end, 1e-9);
    EXPECT_EQ(imp.PositionAtTime(50, nullptr, nullptr, nullptr), left);
    int const frames[] = {0, 1, 2, 1, 0};
    for (int i = 0; i < 5; ++i)
    {
        int frame = -1;
        bool mirrored = true;
        imp.PositionAtTime(6 * i, &frame, nullptr, &mirrored);
        EXPECT_EQ(frame, frames[i]) << "tick " << 6 * i;
        EXPECT_FALSE(mirrored);
    }
}

TEST(Imp, TumblesFromTheTopOfItsArcAndIsGoneSixtyTicksAfterDeath)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    std::srand(SeedForPhase(0));
    Imp right(map.get(), SmallMap_Above, Imp_HitPoints);
    // At the top moving right: the tumble starts at once, towards +x.
    Kill(right, 12);
    bool minusX = true;
    EXPECT_EQ(right.StartDieAnim(&minusX), 12);
    EXPECT_FALSE(minusX);
    int frame = 0;
    bool mirrored = true;
    double angle = 0.0;
    Pointf const tumbling = right.PositionAtTime(13, &frame, &angle, &mirrored);
    EXPECT_EQ(frame, 3);
    EXPECT_FALSE(mirrored);
    EXPECT_GT(tumbling.x, right.PositionAtTime(12, nullptr, nullptr, nullptr).x);
    // Off the arc's end after 12 ticks, then a slide of 45 that stops.
    double const end = 40.0 * std::sin(0.78539816339745);
    EXPECT_NEAR(right.PositionAtTime(24, nullptr, nullptr, nullptr).x, end, 1e-9);
    EXPECT_NEAR(right.PositionAtTime(54, nullptr, nullptr, nullptr).x, end + 45.0, 1e-9);
    EXPECT_NEAR(right.PositionAtTime(70, nullptr, nullptr, nullptr).x, end + 45.0, 1e-9);

    // Killed on the way back: it hops on to the top, then tumbles towards -x, mirrored.
    std::srand(SeedForPhase(0));
    Imp left(map.get(), SmallMap_Above, Imp_HitPoints);
    Tick const death = 26;
    Kill(left, death);
    EXPECT_EQ(left.StartDieAnim(&minusX), 37);
    EXPECT_TRUE(minusX);
    left.PositionAtTime(40, &frame, nullptr, &mirrored);
    EXPECT_TRUE(mirrored);
    EXPECT_NEAR(left.PositionAtTime(100, nullptr, nullptr, nullptr).x, -end - 45.0, 1e-9);

    // Between the death and 60 ticks after it: moved and drawn, aimed at but not aimable, harmless.
    Pointf aim(-1.0, -1.0);
    left.MoveToTime(map.get(), death - 1);
    Pointf const before = left.GetPosition();
    EXPECT_EQ(left.IsPlayerHit(death - 1, &before), 1);
    left.MoveToTime(map.get(), death + 30);
    Pointf const dying = left.GetPosition();
    EXPECT_EQ(left.IsPlayerHit(death + 30, &dying), 0);
    EXPECT_FALSE(left.GetTargetPos(map.get(), death + 30, aim));
    EXPECT_EQ(aim.x, dying.x);
    EXPECT_EQ(aim.y, dying.y + 16.0);
    EXPECT_TRUE(left.MovedAt(death + 59));
    EXPECT_FALSE(left.MovedAt(death + 60));
    Pointf untouched(-1.0, -1.0);
    EXPECT_FALSE(left.GetTargetPos(map.get(), death + 60, untouched));
    EXPECT_EQ(untouched, Pointf(-1.0, -1.0));

    // The squeak takes one draw at every move while it is moved, and none after.
    std::srand(99);
    int const first = std::rand();
    int const secondDraw = std::rand();
    std::srand(99);
    left.MoveToTime(map.get(), death + 59);
    EXPECT_EQ(std::rand(), secondDraw);
    std::srand(99);
    left.MoveToTime(map.get(), death + 60);
    EXPECT_EQ(std::rand(), first);
}

// The sprinkler: its rhythm and draws, the ring wrapping, a covered leak, and the drops it owns.
#include "creatures/Sprinkler.h"

#include "engine/Particle.h"
#include "support/SmallMap.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

int Alive(Sprinkler const& s)
{
    int count = 0;
    for (int i = 0; i < Max_Particles; ++i)
        count += s.GetParticle(i) != nullptr ? 1 : 0;
    return count;
}

} // namespace

TEST(Sprinkler, SpraysEverySecondStepWithItsDrawsInOrderAndFreesWhatItHolds)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    std::srand(77);
    double const rise = 4.0 * Util::Ran();
    double const drift = 1.0 + 3.0 * Util::Ran();
    int const life = (std::rand() & 0x3F) + 0x40;
    std::srand(77);

    Sprinkler s;
    s.pos = Pointf(0.0, 50.0);
    s.Move(map.get());
    ASSERT_NE(s.GetParticle(0), nullptr);
    EXPECT_EQ(s.GetParticle(0)->GetVel().x, drift);
    EXPECT_EQ(s.GetParticle(0)->GetVel().y, rise);
    EXPECT_EQ(s.GetParticle(0)->GetPos(), s.pos);
    EXPECT_EQ(s.GetNextSlot(), 1);
    s.Move(map.get());
    EXPECT_EQ(s.GetNextSlot(), 1);
    s.Move(map.get());
    EXPECT_EQ(s.GetNextSlot(), 2);
    EXPECT_NE(s.GetParticle(0)->GetPos(), s.pos);

    // The first drop moves its drawn number of steps and is gone at the next.
    for (int moved = 2; moved < life; ++moved)
        s.Move(map.get());
    EXPECT_NE(s.GetParticle(0), nullptr);
    s.Move(map.get());
    EXPECT_EQ(s.GetParticle(0), nullptr);

    // 256 drops in 511 steps: the ring has wrapped twice, and no drop outlived its turn.
    Sprinkler ring;
    ring.pos = Pointf(0.0, 50.0);
    for (int step = 0; step < 511; ++step)
        ring.Move(map.get());
    EXPECT_EQ(ring.GetNextSlot(), 0);
    EXPECT_GT(Alive(ring), 30);
    EXPECT_LE(Alive(ring), 64);
    // Both go with their drops alive; the sanitizer run reports any not freed.
}

TEST(Sprinkler, ACoveredLeakSpraysNothingWhileItsDropsMoveOnAndDie)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    Sprinkler s;
    s.pos = Pointf(0.0, 50.0);
    for (int step = 0; step < 40; ++step)
        s.Move(map.get());
    ASSERT_EQ(s.GetTimer(), 0);
    int const slot = s.GetNextSlot();
    Pointf const before = s.GetParticle(slot - 1)->GetPos();

    s.pos = Pointf(0.0, -50.0); // inside the floor
    s.Move(map.get());
    EXPECT_NE(s.GetParticle(slot - 1)->GetPos(), before);
    for (int step = 1; step < 200; ++step)
    {
        s.Move(map.get());
        ASSERT_EQ(s.GetTimer(), 0);
        ASSERT_EQ(s.GetNextSlot(), slot);
    }
    EXPECT_EQ(Alive(s), 0);

    s.pos = Pointf(0.0, 50.0);
    s.Move(map.get());
    EXPECT_EQ(s.GetNextSlot(), slot + 1);
    EXPECT_EQ(Alive(s), 1);
}

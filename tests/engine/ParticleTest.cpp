// Particles: bounces off the map at half speed, never through it.
#include "engine/Particle.h"

#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Particle, BouncesOffTheFloorWithHalfItsSpeed)
{
    auto map = ReadFloorMap();
    Pointf const start(0.0, 30.0);
    Vectorf const throwVel(1.0, -3.0);
    Particle dot(&start, &throwVel, nullptr, 1000);
    Vectorf before = dot.GetVel();
    int steps = 0;
    while (dot.GetVel().y <= 0.0 && steps < 100)
    {
        before = dot.GetVel();
        dot.Move(map.get(), 1);
        steps++;
    }
    ASSERT_LT(steps, 100) << "never bounced";
    // The speed at the contact includes that step's gravity.
    Vectorf const hit(before.x, before.y - 0.2);
    Vectorf const after = dot.GetVel();
    EXPECT_NEAR(after.x, 0.5 * hit.x, 1e-6);
    EXPECT_NEAR(after.y, -0.5 * hit.y, 1e-6);
    EXPECT_GE(dot.GetPos().y, -1e-6);
    EXPECT_LT(dot.GetPos().y, 0.5);

    for (int i = 0; i < 500; i++)
    {
        dot.Move(map.get(), 1);
        ASSERT_GE(dot.GetPos().y, -1e-6) << "fell through the floor at step " << i;
    }
}

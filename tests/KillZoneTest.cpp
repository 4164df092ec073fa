// Kill zones: the rectangle between two reference points hurts the player by 1 inside it.
#include "KillZone.h"

#include <gtest/gtest.h>

#include "GroupTestSupport.h"

TEST(KillZone, HurtsByOneInsideTheRectangleEdgesIncluded)
{
    std::unique_ptr<Map> map = GroupMap::Make();
    KillZone forward(map.get(), GroupMap::RefA, GroupMap::RefB);
    KillZone backward(map.get(), GroupMap::RefB, GroupMap::RefA);
    // The corners are (-50, 20) and (30, -5).
    Pointf const inside[] = {{0.0, 0.0}, {-50.0, 20.0}, {30.0, -5.0}, {-50.0, -5.0}};
    Pointf const outside[] = {{-50.001, 0.0}, {0.0, 20.001}, {30.001, 0.0}, {0.0, -5.001}};
    for (KillZone* zone : {&forward, &backward})
    {
        for (Pointf const& p : inside)
            EXPECT_EQ(zone->IsPlayerHit(100, &p), 1) << p.x << ", " << p.y;
        for (Pointf const& p : outside)
            EXPECT_EQ(zone->IsPlayerHit(100, &p), 0) << p.x << ", " << p.y;
    }
}

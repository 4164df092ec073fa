// Kill zones: the rectangle between two reference points hurts the player by 1 inside it.
#include "engine/KillZone.h"

#include "support/GroupTestSupport.h"

TEST(KillZone, HurtsByOneInsideTheRectangleEdgesIncluded)
{
    std::unique_ptr<Map> map = GroupMap::Make();
    KillZone forward(map.get(), GroupMap::RefA, GroupMap::RefB);
    KillZone backward(map.get(), GroupMap::RefB, GroupMap::RefA);
    // The corners are (-50, 20) and (30, -5); the last four points lie just outside.
    Pointf const points[] = {{0, 0}, {-50, 20}, {30, -5}, {-50.001, 0}, {0, 20.001}, {30.001, 0}, {0, -5.001}};
    for (KillZone* zone : {&forward, &backward})
        for (int i = 0; i < 7; i++)
            EXPECT_EQ(zone->IsPlayerHit(100, &points[i]), i < 3 ? 1 : 0) << points[i].x << ", " << points[i].y;
}

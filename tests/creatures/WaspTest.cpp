// The wasp: its mover, its reach and size by scale, the hovering wasp, frames and the fall of a dead wasp.
#include "creatures/Wasp.h"

#include "engine/Path.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace
{

constexpr unsigned int LineA = 1; // two points on one horizontal line
constexpr unsigned int LineB = 2;
constexpr unsigned int BoxA = 3; // a box high above the floor
constexpr unsigned int BoxB = 4;

std::unique_ptr<Map> WaspMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(LineA, -300.0, 150.0);
    writer.AddRefPoint(LineB, 300.0, 150.0);
    writer.AddRefPoint(BoxA, -200.0, 900.0);
    writer.AddRefPoint(BoxB, 200.0, 1200.0);
    return ReadSmallMap(writer);
}

} // namespace

TEST(Wasp, FollowsTheEnginesTenPointMoverAndItsBound)
{
    std::unique_ptr<Map> map = WaspMap();
    std::srand(11);
    Path_MultiPoint const mover(map->GetRefPoint(BoxA), map->GetRefPoint(BoxB), 10, 200, 0.2, -1);
    std::srand(11);
    Wasp wasp(map.get(), BoxA, BoxB, 1, 1.0);
    for (Tick t = 0; t < 4000; t += 3)
    {
        bool left = false;
        Position_Info const expected = mover.PositionAtTime(t);
        ASSERT_EQ(wasp.PositionAtTime(map.get(), t, &left), expected.pos) << "tick " << t;
        ASSERT_EQ(left, expected.facingLeft) << "tick " << t;
    }

    Rectf const bound = mover.GetBound();
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    ASSERT_TRUE(wasp.ActivePoint(centre, radius, scale));
    EXPECT_EQ(centre, Pointf((bound.x0 + bound.x1) / 2.0, (bound.y0 + bound.y1) / 2.0));
    double const w = bound.x1 - bound.x0;
    double const h = bound.y1 - bound.y0;
    EXPECT_DOUBLE_EQ(radius, (w > h ? w : h) + 32.0);

    // Points on one line keep it on the line; one point twice keeps it there, heading right.
    Wasp flat(map.get(), LineA, LineB, 1, 1.0);
    Wasp hover(map.get(), LineA, LineA, 1, 1.0);
    for (Tick t = 0; t < 2000; t += 7)
    {
        Pointf const at = flat.PositionAtTime(map.get(), t, nullptr);
        ASSERT_EQ(at.y, 150.0);
        ASSERT_TRUE(at.x >= -300.0 && at.x <= 300.0);
        bool left = true;
        ASSERT_EQ(hover.PositionAtTime(map.get(), t, &left), map->GetRefPoint(LineA));
        ASSERT_FALSE(left);
    }
    hover.MoveToTime(map.get(), 5);
    EXPECT_FALSE(hover.HeadingLeft()) << "drawn mirrored";
}

TEST(Wasp, ScaleSetsReachFrameAndFallAndTheDeadKeepTheirHeading)
{
    std::unique_ptr<Map> map = WaspMap();
    std::srand(4);
    Wasp big(map.get(), BoxA, BoxB, 2, 2.0);
    std::srand(4);
    Wasp small(map.get(), BoxA, BoxB, 1, 1.0);
    EXPECT_EQ(big.GetRect().x0, -32.0);
    EXPECT_EQ(big.GetRect().y1, 32.0);

    big.MoveToTime(map.get(), 300);
    Pointf const at = big.GetPosition();
    Pointf const near(at.x + 31.9, at.y);
    EXPECT_EQ(big.IsPlayerHit(300, &near), 1);
    Pointf const edge(at.x + 20.0, at.y - 12.0);
    EXPECT_EQ(big.IsPlayerHit(300, &edge), 0) << "the reach is a diamond of 32";

    // Frames 0, 1, 2, 1, one a tick; the dead frame once the hits are spent.
    int const beat[] = {0, 1, 2, 1};
    Tick const death = 500;
    EXPECT_EQ(big.Hit(death - 50, 1, 0), 0);
    EXPECT_TRUE(big.AliveAt(death));
    big.Hit(death, 1, 0);
    small.Hit(death, 1, 0);
    EXPECT_EQ(big.FrameAt(death), Wasp::Wasp_Frame_Dead);
    EXPECT_EQ(big.FrameAt(death - 1), beat[(death - 1) % 4]);

    // Both fall from the same place with the same speed; the big one with twice the gravity.
    bool heading = false;
    big.PositionAtTime(map.get(), death, &heading);
    for (Tick k = 1; k < 20; ++k)
    {
        bool left = !heading;
        Pointf const b = big.PositionAtTime(map.get(), death + k, &left);
        Pointf const s = small.PositionAtTime(map.get(), death + k, nullptr);
        ASSERT_EQ(left, heading) << "k " << k;
        ASSERT_NEAR(b.x, s.x, 1e-9);
        ASSERT_NEAR(b.y - s.y, -0.2 * k * (k + 1) / 2.0, 1e-9) << "k " << k;
    }

    Pointf out(-1.0, -1.0);
    EXPECT_FALSE(big.GetTargetPos(map.get(), death + 99, out));
    EXPECT_NE(out, Pointf(-1.0, -1.0));
    out = Pointf(-1.0, -1.0);
    EXPECT_FALSE(big.GetTargetPos(map.get(), death + 100, out));
    EXPECT_EQ(out, Pointf(-1.0, -1.0));
    EXPECT_TRUE(big.ShownAt(death + 99));
    EXPECT_FALSE(big.ShownAt(death + 100));
}

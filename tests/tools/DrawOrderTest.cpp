// The drawing-order check of the worlds' tests: what it reports as hidden and what it lets pass.
#include "support/DrawOrder.h"

#include "engine/Map.h"
#include "support/MapFiles.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint32_t Rock = 1;
constexpr uint32_t Wall = 2;

std::vector<DrawOrder::Hidden> Hidden(MapWriter const& writer, std::set<unsigned int> ignore = {})
{
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    return DrawOrder::Check(*map, std::move(ignore)).Find();
}
} // namespace

TEST(DrawOrder, ReportsABackWallWrittenAfterTheGroundAndADoorUnderALaterPicture)
{
    MapWriter later;
    later.AddBox(0, 0, 1000, 100, Rock, 0, true, false, 64);
    later.AddBox(200, 80, 600, 400, Wall, 0, false, false, 64); // the room's back wall, over the floor
    std::vector<DrawOrder::Hidden> const hidden = Hidden(later);
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_EQ(hidden[0].poly, 0u);
    EXPECT_EQ(hidden[0].cover, 1u);
    EXPECT_TRUE(hidden[0].top);
    EXPECT_GT(hidden[0].at.x, 200.0);
    EXPECT_LT(hidden[0].at.x, 600.0);

    MapWriter before;
    before.AddBox(200, 80, 600, 400, Wall, 0, false, false, 64);
    before.AddBox(0, 0, 1000, 100, Rock, 0, true, false, 64);
    EXPECT_TRUE(Hidden(before).empty());

    // A door (group 3) with a static wall and a pillar picture written after it.
    MapWriter door;
    door.AddBox(0, 0, 1000, 100, Rock, 0, true, false, 64);
    door.AddBox(500, 100, 520, 300, Rock, 3, true, false, 64);
    door.AddBox(490, 100, 530, 300, Wall, 0, false, false, 64);
    std::vector<DrawOrder::Hidden> const doors = Hidden(door);
    ASSERT_EQ(doors.size(), 1u);
    EXPECT_EQ(doors[0].poly, 1u);
    EXPECT_FALSE(doors[0].top);
    EXPECT_TRUE(Hidden(door, {3}).empty()) << "an ignored group is not looked at";
}

TEST(DrawOrder, LetsDressingPassAndLooksOnlyAtTheSameLayerAndAtExposedTops)
{
    MapWriter map;
    map.AddBox(0, 0, 1000, 100, Rock, 0, true, false, 64);
    map.AddBox(0, 80, 1000, 100, Wall, 0, false, false, 64);  // a paved band in the ground's top
    map.AddBox(300, 50, 500, 400, Wall, 0, false, true, 64);  // a foreground arch: drawn in front of all
    map.AddBox(600, 90, 700, 300, 0, 0, false, false, 64);    // untextured: not drawn
    map.AddBox(800, 100, 900, 200, Rock, 0, true, false, 64); // a solid block on the floor
    map.AddBox(790, 150, 910, 250, Wall, 0, false, false, 64); // a sign over the block's top only
    std::vector<DrawOrder::Hidden> const hidden = Hidden(map);
    // The floor's top under the block is not a top a player stands on; the block's is.
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_EQ(hidden[0].poly, 4u);
    EXPECT_EQ(hidden[0].cover, 5u);
}

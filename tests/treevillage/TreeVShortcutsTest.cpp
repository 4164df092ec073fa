// The village's guarded ways out and its drawing: holding a direction or random keys from the start
// reaches neither the way out below, behind the gate that only a shot lays down over its ditch,
// nor the main exit, which only the lift mended by the lift man's errands leads to; and
// the generated map hides no ground a player stands on and no door, plate or lift behind a later
// picture.
#include "engine/Map.h"
#include "support/DrawOrder.h"
#include "support/MapFiles.h"
#include "support/ShortcutRun.h"
#include "support/WorldFixture.h"
#include "treevillage/TreeV_Ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{

class TreeVShortcuts : public MutedWorldFixture
{
protected:
    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
};

// The village's map as the generator wrote it; null, with a failure, when there is none.
std::unique_ptr<Map> GeneratedMap()
{
    std::ifstream file("treevillage/map", std::ios::binary);
    EXPECT_TRUE(file) << "no generated map";
    if (!file)
        return nullptr;
    std::vector<uint8_t> const bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return MapFiles::Load<Map>(bytes);
}

} // namespace

TEST_F(TreeVShortcuts, NeitherHeldDirectionsNorRandomKeysGetPastTheStandingGateToEitherExit)
{
    ShortcutRun::Each([this] { Build(Level_TreeV, events); }, Stepper(), [](ShortcutRun::Result const& r) {
        EXPECT_NE(r.action, Level_Completed) << r.how;
        EXPECT_NE(r.action, Level_Restart) << r.how;
    });
}

TEST_F(TreeVShortcuts, TheGeneratedMapHidesNoGroundAndNoMovingGroupBehindALaterPolygon)
{
    std::unique_ptr<Map> const map = GeneratedMap();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(DrawOrder::NothingHidden(*map));
}

// Shot down, the gate lies flat on the street's level from the ditch's far rim to its hinge on the
// near one, so that the ditch is crossed on it and nowhere else.
TEST_F(TreeVShortcuts, TheGateLyingFlatSpansItsDitchFromRimToHinge)
{
    std::unique_ptr<Map> const map = GeneratedMap();
    ASSERT_NE(map, nullptr);
    TreeV_DoorIds const& gate = TreeV_Doors[0];
    Pointf const hinge = map->GetRefPoint(gate.pivot);
    Rectf spans(1.0e9, 1.0e9, -1.0e9, -1.0e9);
    for (unsigned int i = 0; i < map->polyCount; i++)
    {
        Rectf const& b = map->GetFilter(i).bound;
        if (map->GetFilter(i).group == gate.group)
            spans = Rectf(std::min(spans.x0, b.x0), std::min(spans.y0, b.y0), std::max(spans.x1, b.x1),
                          std::max(spans.y1, b.y1));
    }
    ASSERT_LT(spans.x0, spans.x1) << "no polygon of the gate's group";
    // The ditch: no ground just under the street's level from the hinge leftwards to the far rim.
    auto ground = [&map, &hinge](double x) {
        Pointf const under(x, hinge.y - 1.0);
        unsigned int poly = 0;
        return map->CheckPoint(&under, poly, false);
    };
    EXPECT_TRUE(ground(hinge.x + 2.0)) << "the hinge stands on the ditch's near rim";
    ASSERT_FALSE(ground(hinge.x - 2.0)) << "no ditch left of the hinge";
    double rim = hinge.x - 2.0;
    while (rim > hinge.x - 2000.0 && !ground(rim))
        rim -= 1.0;
    EXPECT_LE(spans.x0, rim + 1.0) << "the gate falls short of the ditch's far rim at " << rim;
    EXPECT_GE(spans.x1, hinge.x - 1.0) << "the gate does not reach its hinge";
    EXPECT_NEAR(spans.y0, hinge.y, 1.0) << "the gate lies at the street's level";
    EXPECT_LT(spans.y1 - spans.y0, (spans.x1 - spans.x0) / 4.0) << "the gate lies flat";
}

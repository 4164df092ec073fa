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

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace
{

class TreeVShortcuts : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
};

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
    std::ifstream file("treevillage/map", std::ios::binary);
    ASSERT_TRUE(file) << "no generated map";
    std::vector<uint8_t> const bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::unique_ptr<Map> const map = MapFiles::Load<Map>(bytes);
    EXPECT_TRUE(DrawOrder::NothingHidden(*map));
}

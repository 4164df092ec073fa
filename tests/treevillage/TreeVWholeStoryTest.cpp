// The village's whole story played by keys alone on the generated data (treevillage/TreeVStoryWalk.h),
// in a world of the test's own; the whole game by keys (tests/wholegame) plays the same walk in the
// real program.
#include "engine/Player.h"
#include "support/WorldFixture.h"
#include "treevillage/FramePixels.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeVStoryWalk.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class TreeVWholeStory : public MutedWorldFixture
{
};

} // namespace

TEST_F(TreeVWholeStory, FromTheStartThroughTheLiftMansErrandsAndUpTheMendedLiftToTheMainExitByKeysAlone)
{
    Build(Level_TreeV, events);
    TreeV& village = As<TreeV>();
    TreeVStoryWalk walk(
        village, [&](std::vector<int> const& held) { return Step(held); },
        [&] { return FramePixels::Draw(village); });
    walk.Play();
    EXPECT_TRUE(events.Happened(20, world->GetTick())) << "the lift was not mended";
    EXPECT_EQ(walk.result, Level_Completed);
    EXPECT_GT(world->GetPlayer()->GetPos().x, 7510.0);
}

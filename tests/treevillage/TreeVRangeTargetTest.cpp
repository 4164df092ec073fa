// The range targets: where they stand and bob, and that only a standing target is drawn and aimed at.
#include "support/MediaTestSupport.h"
#include "support/SmallMap.h"
#include "tools/DataGen.h"
#include "treevillage/TreeV_RangeTarget.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// Every target's reference point, 40 apart along y = 100; the view shows (-320, -240) at the
// screen's lower-left corner.
std::unique_ptr<Map> RangeMap()
{
    MapWriter writer = FloorWriter();
    unsigned int const refPoints[TreeV_RangeTarget_Count] = {4, 5, 9, 10, 11, 12, 13, 14};
    for (int i = 0; i < TreeV_RangeTarget_Count; i++)
        writer.AddRefPoint(refPoints[i], -140.0 + 40.0 * i, 100.0);
    return MapFiles::Load<Map>(writer);
}

} // namespace

class TreeVRangeTargetTest : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        DataGen::WriteImages(dir.path.string());
        TreeV_RangeTarget::Initialise();
    }
    void TearDown() override
    {
        TreeV_RangeTarget::Finalise();
        MediaTestSupport_Gl::TearDown();
    }

    // Whether anything is drawn at the target's place after rendering it on a black screen.
    bool Drawn(TreeV_RangeTarget const& target, Tick t)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        target.Render(map.get(), t);
        Pointf const at = map->WorldToScreen(target.GetPos(map.get(), t));
        return !IsBlack(int(at.x), int(at.y));
    }

    std::unique_ptr<Map> map = RangeMap();
};

TEST_F(TreeVRangeTargetTest, OnlyAStandingTargetIsDrawnOrAimedAt)
{
    TreeV_RangeTarget target(map.get(), 1);
    Pointf at(7.0, 7.0);
    for (TreeV_RangeTarget_State state : {TreeV_RangeTarget_Hidden, TreeV_RangeTarget_Hit})
    {
        target.state = state;
        EXPECT_FALSE(target.GetTargetPos(map.get(), 10, at)) << "state " << state;
        EXPECT_FALSE(Drawn(target, 10)) << "state " << state;
    }
    MapFiles::ExpectPoint(at, 7.0, 7.0);
    target.state = TreeV_RangeTarget_Standing;
    EXPECT_TRUE(target.GetTargetPos(map.get(), 10, at));
    MapFiles::ExpectPoint(at, -100.0, 100.0);
    EXPECT_TRUE(Drawn(target, 10));
}

TEST_F(TreeVRangeTargetTest, TheLastTwoBobAboutTheirPlaces)
{
    TreeV_RangeTarget still(map.get(), 5);
    TreeV_RangeTarget bobbing(map.get(), 6);
    TreeV_RangeTarget last(map.get(), 7);
    MapFiles::ExpectPoint(bobbing.GetPos(map.get(), 0), 100.0, 100.0);
    EXPECT_NEAR(bobbing.GetPos(map.get(), 53).y, 140.0, 0.01);
    EXPECT_NEAR(last.GetPos(map.get(), 53).y, 140.0, 0.01);
    EXPECT_NEAR(bobbing.GetPos(map.get(), 160).y, 100.0 - 40.0, 0.1);
    MapFiles::ExpectPoint(still.GetPos(map.get(), 53), 60.0, 100.0);

    bobbing.state = TreeV_RangeTarget_Standing;
    Pointf at;
    ASSERT_TRUE(bobbing.GetTargetPos(map.get(), 53, at));
    EXPECT_NEAR(at.y, 140.0, 0.01);
    EXPECT_TRUE(Drawn(bobbing, 53));
}

TEST(TreeVRangeTarget, ATargetRefusesAMapWithoutItsReferencePoint)
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(4, 0.0, 100.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    try
    {
        TreeV_RangeTarget(map.get(), 2);
        ADD_FAILURE() << "built without reference point 9";
    }
    catch (Error const& err)
    {
        EXPECT_EQ(err.Code(), Error_ParseFile);
        EXPECT_STREQ(err.Text(), "test/map: no reference point 9");
    }
}

// Hit targets: standing and dropping over the hit records, block targets, and a door worked by one.
#include "Hit_Target.h"

#include <gtest/gtest.h>

#include "tools/DataGen.h"
#include "Door.h"
#include "GroupTestSupport.h"
#include "MediaTestSupport.h"
#include "Path.h"

TEST(HitTarget, DropsWhenHitAndStandsAgainWhenABlockTargetIsHitAfter)
{
    Hit_Target target(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
    Hit_Target reset(Pointf(50.0, 0.0), Hit_Target_Anti, true, 1.0);
    target.AddBlockTarget(&reset);

    EXPECT_TRUE(target.TargetOn(500));
    EXPECT_FALSE(target.IsActive(500));
    EXPECT_EQ(target.LastActiveTime(500), -1);
    EXPECT_EQ(target.LastInactiveTime(500), 500);

    target.Hit(100, 1, 0);
    target.Hit(120, 1, 0);
    EXPECT_TRUE(target.TargetOn(99));
    EXPECT_FALSE(target.TargetOn(100));
    EXPECT_TRUE(target.IsActive(100));
    EXPECT_EQ(target.LastInactiveTime(130), 99);
    EXPECT_EQ(target.LastActiveTime(130), 130);

    reset.Hit(150, 1, 0);
    target.Hit(170, 1, 0);
    EXPECT_EQ(target.LastBlockTime(160), 150);
    EXPECT_TRUE(target.TargetOn(150));
    EXPECT_EQ(target.LastActiveTime(160), 149);
    EXPECT_EQ(target.LastInactiveTime(160), 160);
    EXPECT_FALSE(target.TargetOn(170));
    EXPECT_EQ(target.LastInactiveTime(180), 169);
    EXPECT_EQ(target.LastActiveTime(180), 180);

    // The reset target itself never drops, whatever hits it.
    EXPECT_TRUE(reset.TargetOn(200));
    EXPECT_FALSE(reset.IsActive(200));
    EXPECT_EQ(reset.LastActiveTime(200), -1);
    EXPECT_EQ(reset.LastInactiveTime(200), 200);
}

TEST(HitTarget, SameTickHitsLeaveItDownYetAnswerTheRunsAsStanding)
{
    Hit_Target target(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
    Hit_Target reset(Pointf(50.0, 0.0), Hit_Target_Anti, true, 1.0);
    target.AddBlockTarget(&reset);
    target.Hit(100, 1, 0);
    reset.Hit(130, 1, 0);
    target.Hit(130, 1, 0);

    EXPECT_FALSE(target.TargetOn(130));
    EXPECT_TRUE(target.IsActive(130));
    EXPECT_EQ(target.LastActiveTime(130), 129);
    EXPECT_EQ(target.LastInactiveTime(130), 130);

    // A door it works reads that as the target going off at 130 and falls from there.
    std::unique_ptr<Map> map = GroupMap::Make();
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    door.AddActivator(&target);
    EXPECT_EQ(door.GetPos(129), 60.0);
    EXPECT_EQ(door.GetPos(130), 59.5);
    EXPECT_LT(door.GetPos(140), 59.5);
}

TEST(HitTarget, AimedAtOnlyWhileStandingAtItsPathsPosition)
{
    Hit_Target target(Pointf(10.0, 20.0), Hit_Target_Normal, false, 1.0);
    Pointf pos(0.0, 0.0);
    EXPECT_TRUE(target.GetTargetPos(nullptr, 5, pos));
    EXPECT_EQ(pos.x, 10.0);
    EXPECT_EQ(pos.y, 20.0);

    Path_Round const path(Pointf(0.0, 0.0), 100.0, 50.0, 1.0, false);
    target.SetPath(&path, 30);
    EXPECT_TRUE(target.GetTargetPos(nullptr, 5, pos));
    EXPECT_EQ(pos.x, path.PositionAtTime(35).pos.x);
    EXPECT_EQ(pos.y, path.PositionAtTime(35).pos.y);

    target.Hit(10, 1, 0);
    EXPECT_FALSE(target.GetTargetPos(nullptr, 10, pos));
}

namespace {

class HitTargetDrawing : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        DataGen::WriteImages(dir.Path());
        Hit_Target::Initialise();
    }
    void TearDown() override
    {
        Hit_Target::Finalise();
        MediaTestSupport_Gl::TearDown();
    }
};

} // namespace

TEST_F(HitTargetDrawing, DrawnOnlyWhileStanding)
{
    std::unique_ptr<Map> map = GroupMap::Make();
    Hit_Target target(Pointf(0.0, 100.0), Hit_Target_Normal, false, 2.0);
    target.Hit(50, 1, 0);

    // The view puts the world's origin at the screen's centre.
    target.Render(map.get(), 40);
    EXPECT_FALSE(IsBlack(320, 340));
    EXPECT_TRUE(IsBlack(320 + 14, 340)) << "12 units across at scale 2";
    glClear(GL_COLOR_BUFFER_BIT);
    target.Render(map.get(), 50);
    EXPECT_TRUE(IsBlack(320, 340));
}

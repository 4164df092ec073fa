// Character physics on small maps: walking frames, slopes and walls, sliding, jumps and head bumps.
#include "Character.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "CharStats.h"
#include "Map.h"
#include "MapFiles.h"
#include "Target.h"

namespace
{
constexpr double Deg = 3.1415926535898 / 180.0;

// A character holding its own statistics record, as a concrete character does.
class Walker final : public Character
{
public:
    explicit Walker(double x, double y)
    {
        stats = new CharStats;
        stats->width = 10.0;
        stats->height = 20.0;
        stats->accel = 2.0;
        stats->decel = 0.5;
        stats->maxSpeed = 2.0;
        stats->gravity = 0.5;
        stats->jumpSpeed = 6.0;
        stats->jumpDecay = 0.5;
        stats->frameCount = 5;
        stats->frameDist = 4.0;
        pos = Pointf(x, y);
    }
    Walker(Walker const&) = delete;
    Walker& operator=(Walker const&) = delete;
    ~Walker() override { stats->Destroy(); }

    void Steps(Map const* map, std::uint32_t input, int n)
    {
        for (int i = 0; i < n; i++) {
            keys = input;
            Move(map);
        }
    }
};

class Mark final : public Target
{
public:
    explicit Mark(Pointf at) : Target(Sound_None), where(at) {}
    bool GetTargetPos(Map const*, Tick, Pointf& pos) const override
    {
        pos = where;
        return true;
    }
    Pointf where;
};

// A long floor whose top is y = 0, with whatever else the test adds.
std::unique_ptr<Map> Floor(MapWriter writer = MapWriter())
{
    writer.AddBox(-2000.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    auto map = MapFiles::Load<Map>(writer);
    map->PreprocessCollision();
    return map;
}

// A triangle whose face rises to the right at the given slope, crossing the floor's top at x.
void AddRamp(MapWriter& writer, double x, double degrees, double height)
{
    double const perUnit = 1.0 / std::tan(degrees * Deg);
    double const sunk = 10.0;
    writer.AddPoly({0, 0, true, false,
                    {{x - sunk * perUnit, -sunk, 0, 0, true},
                     {x + height * perUnit, height, 0, 0, true},
                     {x + height * perUnit, -sunk, 0, 0, true}}});
}

// A triangle whose face falls from (x, height) to the right at the given slope, down to y = 0.
void AddDownSlope(MapWriter& writer, double x, double degrees, double height)
{
    double const run = height / std::tan(degrees * Deg);
    writer.AddPoly({0, 0, true, false, {{x, 0.0, 0, 0, true}, {x, height, 0, 0, true}, {x + run, 0.0, 0, 0, true}}});
}
}

TEST(Character, WalkingCyclesFramesAndStandingClearsThem)
{
    auto map = Floor();
    Walker walker(0.0, 1.0);
    walker.Steps(map.get(), 0, 5);
    EXPECT_TRUE(walker.onGround);
    EXPECT_NEAR(walker.pos.y, 0.0, 1e-3);
    EXPECT_EQ(walker.walkFrame, 0u);
    EXPECT_EQ(walker.frame, 0u);

    std::vector<std::uint32_t> seen;
    for (int i = 0; i < 10; i++) {
        walker.Steps(map.get(), Character_Right, 1);
        seen.push_back(walker.walkFrame);
    }
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{1, 1, 2, 2, 3, 3, 4, 4, 1, 1}));
    EXPECT_NEAR(walker.pos.x, 20.0, 1e-6);

    // Both keys together: no change of speed, facing right.
    walker.Steps(map.get(), Character_Left, 1);
    EXPECT_NE(walker.frame & LeftFrame, 0u);
    walker.speed = 0.5;
    walker.Steps(map.get(), Character_Left | Character_Right, 3);
    EXPECT_DOUBLE_EQ(walker.speed, 0.5);
    EXPECT_EQ(walker.frame & LeftFrame, 0u);

    walker.Steps(map.get(), 0, 10);
    EXPECT_EQ(walker.speed, 0.0);
    walker.Steps(map.get(), 0, 1);
    EXPECT_EQ(walker.frame, 0u);
}

TEST(Character, SteepSlopeStopsWhileGentleOneTiltsTheBody)
{
    MapWriter steep;
    AddRamp(steep, 100.0, 62.0, 100.0);
    auto wallMap = Floor(steep);
    Walker blocked(81.0, 0.0);
    blocked.Steps(wallMap.get(), Character_Right, 40);
    EXPECT_LT(blocked.pos.x, 100.5);
    EXPECT_LT(blocked.pos.y, 1.0);
    EXPECT_EQ(blocked.speed, 0.0);

    MapWriter gentle;
    AddRamp(gentle, 100.0, 30.0, 100.0);
    auto rampMap = Floor(gentle);
    Walker climber(80.0, 0.0);
    climber.Steps(rampMap.get(), Character_Right, 40);
    EXPECT_GT(climber.pos.x, 120.0);
    EXPECT_GT(climber.pos.y, 10.0);
    EXPECT_NEAR(std::fabs(climber.angle), 30.0 * Deg, 1e-6);
}

TEST(Character, BodyTiltedBeyondTheSlideAngleSlidesDown)
{
    MapWriter slippery;
    AddDownSlope(slippery, -200.0, 58.0, 320.0);
    auto slideMap = Floor(slippery);
    double const slideX = -200.0 + 0.5 * 320.0 / std::tan(58.0 * Deg);
    Walker slider(slideX, 165.0);
    slider.Steps(slideMap.get(), 0, 100);
    EXPECT_GT(slider.pos.x, slideX + 1.0);
    EXPECT_GT(slider.angle, 56.25 * Deg);

    MapWriter firm;
    AddDownSlope(firm, -200.0, 50.0, 240.0);
    auto standMap = Floor(firm);
    double const standX = -200.0 + 0.5 * 240.0 / std::tan(50.0 * Deg);
    Walker stander(standX, 125.0);
    stander.Steps(standMap.get(), 0, 100);
    EXPECT_NEAR(stander.pos.x, standX, 1e-6);
    EXPECT_NEAR(stander.angle, 50.0 * Deg, 1e-6);
}

TEST(Character, JumpCountsFromTheGroundWithinTheProbe)
{
    auto map = Floor();
    Walker low(0.0, 3.0);
    low.Steps(map.get(), Character_Jump, 1);
    EXPECT_TRUE(low.jumped);
    EXPECT_FALSE(low.airJumped);

    Walker high(0.0, 5.0);
    high.Steps(map.get(), Character_Jump, 1);
    EXPECT_FALSE(high.jumped);

    // A bigger body probes further down.
    Walker big(0.0, 6.0);
    big.scale = 2.0;
    big.Steps(map.get(), Character_Jump, 1);
    EXPECT_TRUE(big.jumped);

    Walker flyer(0.0, 50.0);
    flyer.stats->airJump = true;
    flyer.Steps(map.get(), Character_Jump, 1);
    EXPECT_TRUE(flyer.jumped);
    EXPECT_TRUE(flyer.airJumped);
    flyer.Steps(map.get(), 0, 1);
    flyer.Steps(map.get(), Character_Jump, 1);
    EXPECT_FALSE(flyer.jumped);
    // Landing gives the air jump back.
    flyer.Steps(map.get(), 0, 200);
    EXPECT_TRUE(flyer.onGround);
    EXPECT_FALSE(flyer.airJumped);
}

TEST(Character, HeldJumpDecaysSlowerAndGoesHigher)
{
    auto map = Floor();
    auto peak = [&](std::uint32_t hold) {
        Walker jumper(0.0, 0.0);
        jumper.Steps(map.get(), 0, 3);
        jumper.Steps(map.get(), Character_Jump | hold, 1);
        double const firstSpeed = jumper.jumpSpeed;
        EXPECT_DOUBLE_EQ(firstSpeed, hold != 0 ? 6.0 - 0.2 : 6.0 - 0.5);
        double top = jumper.pos.y;
        for (int i = 0; i < 100; i++) {
            jumper.Steps(map.get(), hold, 1);
            top = std::max(top, jumper.pos.y);
        }
        EXPECT_TRUE(jumper.onGround);
        return top;
    };
    double const tapped = peak(0);
    double const held = peak(Character_JumpHeld);
    EXPECT_GT(held, tapped + 5.0);
}

TEST(Character, HeadBumpStopsTheJumpJustBelowTheCeiling)
{
    MapWriter ceiling;
    ceiling.AddBox(-50.0, 25.0, 50.0, 40.0, 0, 0, true, false, 64.0);
    auto map = Floor(ceiling);
    Walker jumper(0.0, 0.0);
    jumper.Steps(map.get(), 0, 3);
    jumper.Steps(map.get(), Character_Jump | Character_JumpHeld, 1);
    bool bumped = false;
    for (int i = 0; i < 20 && !bumped; i++) {
        EXPECT_LE(jumper.GetHeadPos(nullptr).y, 25.0 + 1e-6);
        if (jumper.jumpSpeed == 0.0 && !jumper.onGround)
            bumped = true;
        else
            jumper.Steps(map.get(), Character_JumpHeld, 1);
    }
    EXPECT_TRUE(bumped);
    EXPECT_LT(jumper.pos.y, 5.0 + 1e-6);
    EXPECT_GT(jumper.pos.y, 3.0);
}

TEST(Character, ChangeStatsKeepsSharingAndHearts)
{
    Walker walker(0.0, 0.0);
    CharStats* shared = walker.stats;
    shared->TakeRef();
    shared->hearts = 3;
    CharStats faster;
    faster.width = 12.0;
    faster.maxSpeed = 9.0;
    faster.airJump = true;
    faster.hearts = 7;
    faster.frameDist = 2.5;
    walker.ChangeStats(&faster);
    EXPECT_EQ(walker.stats, shared);
    EXPECT_EQ(shared->Refs(), 2);
    EXPECT_EQ(shared->hearts, 3);
    EXPECT_EQ(shared->width, 12.0);
    EXPECT_EQ(shared->maxSpeed, 9.0);
    EXPECT_TRUE(shared->airJump);
    EXPECT_EQ(shared->frameDist, 2.5);
    shared->Destroy();
}

TEST(Character, ChatNeedsTheOtherInFrontAndNear)
{
    Walker speaker(0.0, 0.0);
    Walker same(0.0, 0.0);
    Walker ahead(30.0, 0.0);
    Walker behind(-30.0, 0.0);
    Walker farther(50.0, 0.0);
    double dist = 0.0;
    EXPECT_FALSE(speaker.CanChatTo(&same, Character_ChatStart, &dist));
    EXPECT_FALSE(speaker.CanChatTo(&behind, Character_ChatStart, &dist));
    EXPECT_TRUE(speaker.CanChatTo(&ahead, Character_ChatStart, &dist));
    EXPECT_EQ(dist, 30.0);
    EXPECT_FALSE(speaker.CanChatTo(&farther, Character_ChatStart, &dist));
    EXPECT_EQ(dist, 50.0);
    // Once talking, distance alone counts.
    EXPECT_TRUE(speaker.CanChatTo(&behind, Character_ChatGoing, nullptr));
    EXPECT_TRUE(speaker.CanChatTo(&farther, Character_ChatGoing, nullptr));
    speaker.frame |= LeftFrame;
    EXPECT_TRUE(speaker.CanChatTo(&behind, Character_ChatStart, nullptr));
}

TEST(Character, SeesOnlyInItsConeAndPastNoWall)
{
    MapWriter wall;
    wall.AddBox(-120.0, 0.0, -110.0, 100.0, 0, 0, true, false, 64.0);
    auto map = Floor(wall);
    Walker watcher(0.0, 0.0);
    Mark const ahead(Pointf(100.0, 16.0));
    Mark const above(Pointf(0.0, 200.0));
    Mark const tooFar(Pointf(520.0, 16.0));
    Mark const walled(Pointf(-200.0, 16.0));
    EXPECT_TRUE(watcher.IsVisible(map.get(), 0, &ahead, 1.0));
    EXPECT_FALSE(watcher.IsVisible(map.get(), 0, &above, 1.0));
    EXPECT_FALSE(watcher.IsVisible(map.get(), 0, &tooFar, 1.0));
    EXPECT_TRUE(watcher.IsVisible(map.get(), 0, &tooFar, 2.0));
    watcher.frame |= LeftFrame;
    EXPECT_FALSE(watcher.IsVisible(map.get(), 0, &ahead, 1.0));
    EXPECT_FALSE(watcher.IsVisible(map.get(), 0, &walled, 1.0));
}

TEST(Character, BodyBoxAndCollisionFollowTheTilt)
{
    Walker a(0.0, 0.0);
    Pointf const inside(4.0, 19.0);
    Pointf const outside(6.0, 10.0);
    EXPECT_TRUE(a.CheckPoint(&inside));
    EXPECT_FALSE(a.CheckPoint(&outside));
    // Lying on its right side, the body reaches along +x instead.
    a.angle = 3.1415926535898 / 2.0;
    Pointf const along(19.0, -4.0);
    EXPECT_TRUE(a.CheckPoint(&along));
    EXPECT_FALSE(a.CheckPoint(&inside));

    Walker b(8.0, 0.0);
    Walker c(30.0, 0.0);
    a.angle = 0.0;
    EXPECT_TRUE(a.Collide(&b));
    EXPECT_FALSE(a.Collide(&c));
}

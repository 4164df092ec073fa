// Character physics on small maps: walking frames, slopes and walls, sliding, jumps and head bumps.
#include "engine/Character.h"

#include "engine/CharStats.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
constexpr double Deg = 3.1415926535898 / 180.0;

// A character holding its own statistics record, as a concrete character does.
class Walker final : public Character
{
public:
    Walker(double x, double y)
    {
        stats = new CharStats;
        stats->width = 10.0;
        stats->height = 20.0;
        stats->accel = stats->maxSpeed = 2.0;
        stats->decel = stats->gravity = stats->jumpDecay = 0.5;
        stats->jumpSpeed = 6.0;
        stats->frameCount = 5;
        stats->frameDist = 4.0;
        pos = Pointf(x, y);
    }
    Walker(Walker const&) = delete;
    Walker& operator=(Walker const&) = delete;
    ~Walker() override { stats->Destroy(); }

    void Steps(Map const* map, std::uint32_t input, int n)
    {
        for (int i = 0; i < n; i++)
        {
            keys = input;
            Move(map);
        }
    }
};

// A long floor whose top is y = 0, under one more polygon (none when its corners are empty).
std::unique_ptr<Map> Floor(std::vector<MapWriter_Point> corners = {})
{
    MapWriter writer = FloorWriter();
    if (!corners.empty())
        writer.AddPoly({0, 0, true, false, corners});
    return ReadSmallMap(writer);
}

// A face rising to the right at the given slope that crosses the floor's top at x = 100, its foot
// sunk the given depth into the floor.
std::unique_ptr<Map> Ramp(double degrees, double sunk)
{
    double const run = 1.0 / std::tan(degrees * Deg);
    return Floor({{100.0 - sunk * run, -sunk, 0, 0, true},
                  {100.0 + 100.0 * run, 100.0, 0, 0, true},
                  {100.0 + 100.0 * run, -sunk, 0, 0, true}});
}

// A face falling to the right at the given slope from (0, 200); *midX is its x at height 100.
std::unique_ptr<Map> Hill(double degrees, double* midX)
{
    double const run = 1.0 / std::tan(degrees * Deg);
    *midX = 100.0 * run;
    return Floor({{0.0, 0.0, 0, 0, true}, {0.0, 200.0, 0, 0, true}, {200.0 * run, 0.0, 0, 0, true}});
}
} // namespace

TEST(Character, WalkingCyclesFramesAndStandingClearsThem)
{
    auto map = Floor();
    Walker walker(0.0, 1.0);
    walker.Steps(map.get(), 0, 5);
    EXPECT_TRUE(walker.onGround);
    EXPECT_NEAR(walker.pos.y, 0.0, 1e-3);
    EXPECT_EQ(walker.frame, 0u);

    std::vector<std::uint32_t> seen;
    for (int i = 0; i < 10; i++)
    {
        walker.Steps(map.get(), Character_Right, 1);
        seen.push_back(walker.walkFrame);
    }
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{1, 1, 2, 2, 3, 3, 4, 4, 1, 1}));

    // Both keys together: no change of speed, facing right.
    walker.Steps(map.get(), Character_Left, 1);
    EXPECT_NE(walker.frame & LeftFrame, 0u);
    walker.speed = 0.5;
    walker.Steps(map.get(), Character_Left | Character_Right, 3);
    EXPECT_DOUBLE_EQ(walker.speed, 0.5);
    EXPECT_EQ(walker.frame & LeftFrame, 0u);

    walker.Steps(map.get(), 0, 11);
    EXPECT_EQ(walker.speed, 0.0);
    EXPECT_EQ(walker.frame, 0u);
}

TEST(Character, SteepRampStopsWhileGentleOneTiltsTheBody)
{
    // Sunk into the floor, the face is met above it; flush with the floor, the foot is met rather
    // than the crack under it.
    for (double const sunk : {10.0, 0.0})
    {
        SCOPED_TRACE(sunk);
        auto gentle = Ramp(30.0, sunk);
        Walker climber(50.3, 0.0);
        climber.Steps(gentle.get(), Character_Right, 40);
        EXPECT_GT(climber.pos.y, 10.0);
        EXPECT_NEAR(climber.angle, -30.0 * Deg, 1e-6);

        auto steep = Ramp(62.0, sunk);
        Walker blocked(50.3, 0.0);
        blocked.Steps(steep.get(), Character_Right, 40);
        EXPECT_NEAR(blocked.pos.x, 100.0, 1e-9);
        EXPECT_EQ(blocked.pos.y, 0.0);
        EXPECT_EQ(blocked.speed, 0.0);
        EXPECT_TRUE(blocked.onGround);
    }
}

TEST(Character, BodyTiltedBeyondTheSlideAngleSlidesDown)
{
    double x = 0.0;
    auto slippery = Hill(58.0, &x);
    Walker slider(x, 105.0);
    slider.Steps(slippery.get(), 0, 100);
    EXPECT_GT(slider.pos.x, x + 1.0);
    EXPECT_GT(slider.angle, 56.25 * Deg);

    auto firm = Hill(50.0, &x);
    Walker stander(x, 105.0);
    stander.Steps(firm.get(), 0, 100);
    EXPECT_NEAR(stander.pos.x, x, 1e-6);
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

    Walker big(0.0, 6.0);
    big.scale = 2.0;
    big.Steps(map.get(), Character_Jump, 1);
    EXPECT_TRUE(big.jumped);

    // One air jump per flight, given back on landing.
    Walker flyer(0.0, 50.0);
    flyer.stats->airJump = true;
    flyer.Steps(map.get(), Character_Jump, 1);
    EXPECT_TRUE(flyer.jumped && flyer.airJumped);
    flyer.Steps(map.get(), 0, 1);
    flyer.Steps(map.get(), Character_Jump, 1);
    EXPECT_FALSE(flyer.jumped);
    flyer.Steps(map.get(), 0, 200);
    EXPECT_TRUE(flyer.onGround);
    EXPECT_FALSE(flyer.airJumped);
}

TEST(Character, HeldJumpGoesHigherAndLandsAgain)
{
    auto map = Floor();
    auto peak = [&](std::uint32_t hold) {
        Walker jumper(0.0, 0.0);
        jumper.Steps(map.get(), 0, 3);
        jumper.Steps(map.get(), Character_Jump | hold, 1);
        double top = jumper.pos.y;
        for (int i = 0; i < 100; i++)
        {
            jumper.Steps(map.get(), hold, 1);
            top = std::max(top, jumper.pos.y);
        }
        EXPECT_TRUE(jumper.onGround);
        EXPECT_NEAR(jumper.pos.y, 0.0, 1e-3);
        return top;
    };
    EXPECT_GT(peak(Character_JumpHeld), peak(0) + 5.0);
}

TEST(Character, HeadBumpStopsTheJumpJustBelowTheCeiling)
{
    auto map = Floor(
        {{-50.0, 25.0, 0, 0, true}, {-50.0, 40.0, 0, 0, true}, {50.0, 40.0, 0, 0, true}, {50.0, 25.0, 0, 0, true}});
    Walker jumper(0.0, 0.0);
    jumper.Steps(map.get(), 0, 3);
    jumper.Steps(map.get(), Character_Jump | Character_JumpHeld, 1);
    // The head met the ceiling in the first step; gravity has since pulled the body a little.
    EXPECT_EQ(jumper.jumpSpeed, 0.0);
    EXPECT_FALSE(jumper.onGround);
    EXPECT_LE(jumper.GetHeadPos(nullptr).y, 25.0 + 1e-6);
    EXPECT_GT(jumper.pos.y, 4.0);
}

TEST(Character, ChangeStatsKeepsSharingAndHearts)
{
    Walker walker(0.0, 0.0);
    CharStats* shared = walker.stats;
    shared->TakeRef();
    shared->hearts = 3;
    CharStats faster;
    faster.maxSpeed = 9.0;
    faster.hearts = 7;
    faster.frameDist = 2.5;
    walker.ChangeStats(&faster);
    EXPECT_EQ(shared->Refs(), 2);
    EXPECT_EQ(shared->hearts, 3);
    EXPECT_EQ(shared->maxSpeed, 9.0);
    EXPECT_EQ(shared->frameDist, 2.5);
    shared->Destroy();
}

TEST(Character, WalkCycleWithoutFrameDistanceDoesNotStallTheStep)
{
    auto map = Floor();
    Walker walker(0.0, 0.0);
    walker.stats->frameDist = 0.0;
    walker.Steps(map.get(), Character_Right, 3);
    EXPECT_GT(walker.pos.x, 5.0);
}

TEST(Character, StandsAgainstTheSidesOfAPlateSunkIntoAGap)
{
    MapWriter writer;
    writer.AddBox(-1000.0, -100.0, 900.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(960.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(900.0, -20.0, 960.0, 0.0, 0, 1, true, false, 64.0);
    auto map = ReadSmallMap(writer);
    map->MoveGroup(1, 0.0, -6.0);
    for (std::uint32_t const way : {Character_Left, Character_Right})
    {
        Walker walker(930.3, -6.0);
        walker.Steps(map.get(), way, 100);
        EXPECT_NEAR(walker.pos.x, way == Character_Left ? 900.0 : 960.0, 1e-9);
        EXPECT_EQ(walker.pos.y, -6.0);
        EXPECT_TRUE(walker.onGround);
        unsigned int poly = 0;
        EXPECT_TRUE(walker.PolyOn(&poly));
        EXPECT_EQ(map->GetGroup(poly), 1u) << "the plate is what it stands on";
    }
}

TEST(Character, FeetInsideASolidRestThereUntilAJumpTakesThemOut)
{
    auto map = Floor(
        {{-50.0, 20.0, 0, 0, true}, {-50.0, 60.0, 0, 0, true}, {50.0, 60.0, 0, 0, true}, {50.0, 20.0, 0, 0, true}});
    Walker walker(0.0, 30.0);
    walker.Steps(map.get(), 0, 10);
    EXPECT_DOUBLE_EQ(walker.GetPos().y, 30.0);
    unsigned int poly = 0;
    EXPECT_TRUE(walker.PolyOn(&poly));
    EXPECT_EQ(poly, 1u);
    EXPECT_DOUBLE_EQ(walker.GetFallSpeed(), 0.0);

    walker.Steps(map.get(), Character_Jump | Character_JumpHeld, 1);
    walker.Steps(map.get(), Character_JumpHeld, 60);
    EXPECT_DOUBLE_EQ(walker.GetPos().y, 60.0);
    EXPECT_TRUE(walker.onGround);
}

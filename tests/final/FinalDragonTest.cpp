// The dragon by table: its actions, the head's sweep, the flames' and rocks' lives and harm, the
// hit points over cycles, its sounds, its building and its drawing.
#include "final/FinalTestSupport.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/SmallMap.h"
#include "support/TestAudio.h"
#include "util/Error.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace
{
using Births = std::vector<std::pair<Tick, int>>;

Births LiveFlames(Final_Dragon const& dragon, Tick t)
{
    Births live;
    dragon.ForLiveFlames(t, [&](Tick s, int age) {
        live.emplace_back(s, age);
        return false;
    });
    return live;
}

Births LiveRocks(Final_Dragon const& dragon, Tick t)
{
    Births live;
    dragon.ForLiveRocks(t, [&](Tick s, int age) {
        live.emplace_back(s, age);
        return false;
    });
    return live;
}

// The number of different values, to a millionth.
int Different(std::vector<double> const& values)
{
    std::set<long long> seen;
    for (double v : values)
        seen.insert(std::llround(v * 1e6));
    return static_cast<int>(seen.size());
}
} // namespace

class FinalDragonTest : public FinalFixture
{
protected:
    Pointf const foot{3640.0, 600.0};
    Pointf const neckBase{3640.0, 600.0 + DragonPicture_BodyHeight - 16.0};
};

TEST_F(FinalDragonTest, ActionsFollowTheCycleOfThreeRoundsAndTheRest)
{
    Final_Dragon dragon(foot, &sounds);
    struct Row
    {
        Tick t;
        int action;
        int elapsed;
    };
    Row const rows[] = {{0, 0, 0},      {99, 0, 99},   {100, 1, 0},     {299, 1, 199}, {300, 2, 0},
                        {1199, 8, 99},  {1200, 9, 0},  {1349, 9, 149},  {1350, 10, 0}, {1450, 0, 0},
                        {4349, 10, 99}, {4350, 11, 0}, {4749, 11, 399}, {4750, 0, 0},  {9100, 11, 0}};
    for (Row const& row : rows)
    {
        int elapsed = -1;
        EXPECT_EQ(dragon.FindAction(row.t, &elapsed), row.action) << "tick " << row.t;
        EXPECT_EQ(elapsed, row.elapsed) << "tick " << row.t;
    }
    for (Tick t : {1199, 1200, 1349, 1350, 4350 + 1200, 4750 + 1200})
        EXPECT_EQ(dragon.Screaming(t), t == 1200 || t == 1349 || t == 4750 + 1200) << "tick " << t;
}

TEST_F(FinalDragonTest, TheHeadSweepsOutThenHoldsUprightThroughTheScreamOnItsNeck)
{
    Final_Dragon dragon(foot, &sounds);
    EXPECT_NEAR(dragon.GetHeadAngle(0), 0.0, 1e-12);
    for (Tick t = 1; t < 100; ++t)
        EXPECT_LT(dragon.GetHeadAngle(t), dragon.GetHeadAngle(t - 1)) << "tick " << t;
    EXPECT_GT(dragon.GetHeadAngle(99), -1.3);
    EXPECT_NEAR(dragon.GetHeadAngle(99), -1.3, 1e-3);
    EXPECT_DOUBLE_EQ(dragon.GetHeadAngle(100), -1.3);
    // Up from the last fire in half the move, then still for the other half.
    EXPECT_DOUBLE_EQ(dragon.GetHeadAngle(1100), 0.4);
    for (Tick t = 1101; t < 1150; ++t)
        EXPECT_LT(dragon.GetHeadAngle(t), dragon.GetHeadAngle(t - 1)) << "tick " << t;
    EXPECT_GT(dragon.GetHeadAngle(1149), 0.0);
    for (Tick t : {1150, 1199, 1200, 1450 + 1150, 4400})
        EXPECT_EQ(dragon.GetHeadAngle(t), 0.0) << "tick " << t;

    // The head is 130 out along its angle from the neck's base, 16 inside the body's top; the
    // aim is half the head's width further on.
    double a = 1.0;
    MapFiles::ExpectPoint(dragon.GetHeadPos(1250, &a), neckBase.x, neckBase.y + 130.0);
    EXPECT_EQ(a, 0.0);
    Pointf const left = dragon.GetHeadPos(200, &a);
    EXPECT_EQ(a, -1.3);
    EXPECT_NEAR(left.Distance(&neckBase), 130.0, 1e-9);
    EXPECT_LT(left.x, neckBase.x - 120.0);
    Pointf aim;
    ASSERT_TRUE(dragon.GetTargetPos(nullptr, 1250, aim));
    MapFiles::ExpectPoint(aim, neckBase.x, neckBase.y + 130.0 + DragonPicture_HeadWidth / 2);
}

TEST_F(FinalDragonTest, FlamesBornInAFiresFirst150TicksLive50AndHurtNearerThan16)
{
    Final_Dragon dragon(foot, &sounds);
    EXPECT_TRUE(LiveFlames(dragon, 100).empty()) << "the first tick of a fire";
    EXPECT_EQ(LiveFlames(dragon, 101), (Births{{100, 1}}));
    EXPECT_EQ(LiveFlames(dragon, 250).size(), 50u);
    EXPECT_EQ(LiveFlames(dragon, 299), (Births{{249, 50}})) << "born at elapsed 149, at the fire's last tick";
    EXPECT_TRUE(LiveFlames(dragon, 300).empty());
    EXPECT_TRUE(LiveFlames(dragon, 1300).empty()) << "none while screaming";

    double a = 0.0;
    Pointf head = dragon.GetHeadPos(299, &a);
    Pointf const last = dragon.GetFlamePos(249, 50, head, a, nullptr);
    EXPECT_TRUE(dragon.HitFlames(299, head, a, &last));
    head = dragon.GetHeadPos(300, &a);
    Pointf const gone = dragon.GetFlamePos(249, 51, head, a, nullptr);
    EXPECT_FALSE(dragon.HitFlames(300, head, a, &gone));
    EXPECT_FALSE(dragon.HitFlames(300, head, a, &last));
    head = dragon.GetHeadPos(100, &a);
    Pointf const mouth = dragon.GetFlamePos(100, 0, head, a, nullptr);
    EXPECT_EQ(dragon.IsPlayerHit(100, &mouth), 0);

    // The only flame at 101: harmless at |dx| + |dy| of exactly 16.
    head = dragon.GetHeadPos(101, &a);
    Pointf const f = dragon.GetFlamePos(100, 1, head, a, nullptr);
    Pointf const probes[] = {f, f + Pointf(16.0, 0.0), f + Pointf(15.99, 0.0), f + Pointf(-8.0, -8.0),
                             f + Pointf(-8.0, -7.99)};
    int const hurts[] = {1, 0, 1, 0, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dragon.IsPlayerHit(101, &probes[i]), hurts[i]) << "probe " << i;

    // The far fires' flames leave the mouth down and away on the side the head looks to, turned
    // from it by 1.8 and spread by a quarter either way, each at its own fraction; each spins its
    // own way.
    for (Tick fire : {350, 900})
    {
        head = dragon.GetHeadPos(fire, &a);
        std::vector<double> spreads;
        std::vector<double> spins;
        for (Tick s = fire; s < fire + 150; ++s)
        {
            Pointf const p1 = dragon.GetFlamePos(s, 1, head, a, nullptr);
            double spin = 0.0;
            Pointf const p2 = dragon.GetFlamePos(s, 2, head, a, &spin);
            EXPECT_LT(p2.y, p1.y) << "downwards, born at " << s;
            EXPECT_EQ(p2.x < p1.x, a < 0.0) << "outwards, born at " << s;
            double const spread = Util::Angle(p1.Angle(&p2) - (a < 0.0 ? a - 1.8 : a + 1.8));
            EXPECT_GE(spread, -0.25);
            EXPECT_LT(spread, 0.25);
            spreads.push_back(spread);
            spins.push_back(spin);
        }
        EXPECT_GT(Different(spreads), 100) << "fire at " << fire;
        EXPECT_GT(Different(spins), 100) << "fire at " << fire;
    }
}

TEST_F(FinalDragonTest, RocksFallForTheScreamAcrossTheDenAndOnlyLargeOnesHurt)
{
    Final_Dragon dragon(foot, &sounds);
    EXPECT_TRUE(LiveRocks(dragon, 1200).empty());
    EXPECT_EQ(LiveRocks(dragon, 1400).size(), 150u);
    EXPECT_TRUE(LiveRocks(dragon, 1550).empty());

    int small = 0;
    std::vector<double> places;
    std::vector<double> speeds;
    std::vector<double> spins;
    for (Tick s = 1200; s < 1350; ++s)
    {
        bool isSmall = false;
        double spin = 0.0;
        Pointf const p1 = dragon.GetRockPos(s, 1, nullptr, &isSmall);
        Pointf const p2 = dragon.GetRockPos(s, 2, &spin, nullptr);
        EXPECT_GE(p1.x, 2151.0);
        EXPECT_LE(p1.x, 4149.0);
        EXPECT_EQ(p2.x, p1.x) << "straight down";
        double const speed = p1.y - p2.y;
        EXPECT_GE(speed, isSmall ? 8.0 : 4.0) << "born at " << s;
        EXPECT_LT(speed, isSmall ? 12.0 : 8.0) << "born at " << s;
        EXPECT_NEAR(p1.y + speed, 1450.0, 1e-9);
        places.push_back(p1.x);
        small += isSmall ? 1 : 0;
        speeds.push_back(speed);
        spins.push_back(spin);
    }
    EXPECT_GT(Different(places), 120);
    EXPECT_GT(small, 90) << "three in four are small";
    EXPECT_LT(small, 135);
    EXPECT_GT(Different(speeds), 100);
    EXPECT_GT(Different(spins), 100);

    // The lone rock of the first and last tick of six screams' falls: only a large one hurts,
    // and only nearer than 16.
    bool seen[2] = {false, false};
    for (Tick first : {1200, 2650, 4100, 5950, 7400, 8850})
        for (auto const& [s, age] : Births{{first, 1}, {first + 149, 200}})
        {
            ASSERT_EQ(LiveRocks(dragon, s + age), (Births{{s, age}}));
            bool isSmall = false;
            Pointf const at = dragon.GetRockPos(s, age, nullptr, &isSmall);
            seen[isSmall ? 1 : 0] = true;
            Pointf const probes[] = {at, at + Pointf(16.0, 0.0), at + Pointf(0.0, -15.99), at + Pointf(-10.0, 6.0)};
            int const hurts[] = {1, 0, 1, 0};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(dragon.IsPlayerHit(s + age, &probes[i]), isSmall ? 0 : hurts[i])
                    << "rock born at " << s << ", probe " << i;
        }
    EXPECT_TRUE(seen[0] && seen[1]) << "both sizes";
}

TEST_F(FinalDragonTest, HitPointsCountHitsWithinACycleAndTheRestGivesBackUpTo798)
{
    {
        Final_Dragon dragon(foot, &sounds);
        for (Tick t : {-5, 0, 4349, 4350, 4749, 4750, 119999})
            EXPECT_EQ(dragon.GetHitPoints(t), 1000) << "tick " << t;
        // One point a hit, whatever its damage; the first tick of a cycle is the cycle's.
        dragon.Hit(4750, 5, 0);
        EXPECT_EQ(dragon.GetHitPoints(4749), 1000);
        EXPECT_EQ(dragon.GetHitPoints(4750), 999);
        EXPECT_EQ(dragon.GetHitPoints(9099), 999);
        EXPECT_EQ(dragon.GetHitPoints(9101), 1000);
    }

    // 999 hits early, the 1000th (stamped ahead, recorded first) at 2000.
    Final_Dragon dragon(foot, &sounds);
    dragon.Hit(2000, 1, 0);
    for (int i = 0; i < 999; ++i)
        dragon.Hit(100 + i, 4, 0);
    EXPECT_EQ(dragon.GetHitPoints(99), 1000);
    EXPECT_EQ(dragon.GetHitPoints(1999), 1);
    EXPECT_FALSE(dragon.Dead(1999));
    for (Tick t : {2000, 3000, 4350})
        EXPECT_TRUE(dragon.Dead(t)) << "tick " << t;
    EXPECT_EQ(dragon.GetHitPoints(4351), 2);
    EXPECT_FALSE(dragon.Dead(4351));
    // Hits in the rest lower it, never below 2 from its second tick.
    for (int i = 0; i < 50; ++i)
        dragon.Hit(4400, 1, 0);
    EXPECT_EQ(dragon.GetHitPoints(4399), 98);
    EXPECT_EQ(dragon.GetHitPoints(4400), 100);
    EXPECT_EQ(dragon.GetHitPoints(4749), 798);
    // The next cycle starts from there: 798 hits kill it.
    EXPECT_EQ(dragon.GetHitPoints(4750), 798);
    for (int i = 0; i < 797; ++i)
        dragon.Hit(5000, 1, 0);
    EXPECT_EQ(dragon.GetHitPoints(5000), 1);
    dragon.Hit(6000, 1, 0);
    EXPECT_TRUE(dragon.Dead(6000));
    EXPECT_FALSE(dragon.Dead(4750 + 4351));
    // The third cycle starts from the second's rest alone, and a cycle far on is full again.
    EXPECT_EQ(dragon.GetHitPoints(9500), 798);
    EXPECT_EQ(dragon.GetHitPoints(24 * 4750 + 10), 1000);
}

TEST_F(FinalDragonTest, SoundsAtTheStartOfEachFireTheScreamAndEveryHundredTicksOfRestOnlyWhenLived)
{
    for (Sound_Id id : {Sound_Dragon1, Sound_Dragon2, Sound_Recharge})
        TestAudio::WriteWav(Game_Sounds::FileName(id));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Final_Dragon dragon(foot, &sounds);
    auto heard = [&](Tick t, bool replaying) {
        dragon.MoveToTime(nullptr, t, Object_Step{replaying, nullptr});
        int playing = 0;
        for (Sound_Id id : {Sound_Dragon1, Sound_Dragon2, Sound_Recharge})
        {
            if (TestAudio::ChannelOf(Game_Sounds::FileName(id)) >= 0)
                playing = id;
            sounds.Stop(id);
        }
        return playing;
    };
    struct Row
    {
        Tick t;
        int sound;
    };
    Row const rows[] = {{0, 0},    {100, 1},  {101, 0},   {350, 1},  {650, 1},   {900, 1},   {1100, 0}, {1200, 2},
                        {1250, 0}, {1550, 1}, {4350, 34}, {4351, 0}, {4450, 34}, {4650, 34}, {4750, 0}, {4850, 1}};
    for (Row const& row : rows)
        EXPECT_EQ(heard(row.t, false), row.sound) << "tick " << row.t;
    for (Tick t : {100, 1200, 4350})
        EXPECT_EQ(heard(t, true), 0) << "shown again at " << t;
}

TEST_F(FinalDragonTest, AMissingPictureLeavesNothingLoadedAndOneDragonBuildsAfterAnother)
{
    std::filesystem::rename("gfx/final/dragon/largerock.png", "gfx/final/dragon/kept.png");
    Error const missing = ThrownError([&] { Final_Dragon dragon(foot, &sounds); });
    std::filesystem::rename("gfx/final/dragon/kept.png", "gfx/final/dragon/largerock.png");
    EXPECT_EQ(missing.Code(), Error_OpenFile);
    EXPECT_NE(std::string(missing.Text()).find("largerock.png"), std::string::npos) << missing.Text();
    for (int i = 0; i < 2; ++i)
    {
        Final_Dragon dragon(foot, &sounds);
        EXPECT_FALSE(dragon.IsHidden());
    }
}

TEST_F(FinalDragonTest, DrawnBodyNeckAndTheHeadThatSuitsItsActionAndTheHealthBar)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    Final_Dragon dragon(foot, &sounds);
    map->view.x = foot.x - 320.0;
    map->view.y = foot.y - 100.0;
    auto screen = [&](Pointf p) { return map->WorldToScreen(p); };
    auto pixel = [](Pointf p) { return Pixel(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))); };

    // The head's colour at its anchor and at the far side of the picture from the neck, where
    // the side views show the snout.
    struct Row
    {
        Tick t;
        Rgba anchor;
        Rgba far;
    };
    Row const rows[] = {
        {60, DragonPicture_Look0Back, DragonPicture_Look0Snout},  // sweeping left
        {200, DragonPicture_Look1Back, DragonPicture_Look1Snout}, // breathing fire to the left
        {630, DragonPicture_Look0Back, DragonPicture_Look0Snout}, // sweeping right
        {700, DragonPicture_Look1Back, DragonPicture_Look1Snout}, // breathing fire to the right
        {1160, DragonPicture_Front0, DragonPicture_Front0},       // upright
        {1250, DragonPicture_Front1, DragonPicture_Front1},       // screaming
        {4496, DragonPicture_Front0, DragonPicture_Front0},       // resting
    };
    for (Row const& row : rows)
    {
        ClearScreen();
        dragon.Render(map.get(), row.t);
        double a = 0.0;
        Pointf const head = dragon.GetHeadPos(row.t, &a);
        EXPECT_EQ(pixel(screen(head)), Colour(row.anchor)) << "tick " << row.t;
        Pointf far(std::fabs(a) < 0.3 ? 0.0 : (a < 0.0 ? -0.7 : 0.7) * DragonPicture_HeadWidth, 0.0);
        far.Rotate(nullptr, a);
        EXPECT_EQ(pixel(screen(head + far)), Colour(row.far)) << "tick " << row.t;
        EXPECT_EQ(pixel(screen(foot + Pointf(0.0, 100.0))), Colour(DragonPicture_Body));
    }
    // Upright, the neck runs straight up between body and head; the gem shows under the body and
    // blinks while it rests.
    ClearScreen();
    dragon.Render(map.get(), 4496);
    EXPECT_EQ(pixel(screen(neckBase + Pointf(0.0, 60.0))), Colour(DragonPicture_Neck));
    EXPECT_TRUE(IsBlack(static_cast<int>(screen(neckBase).x) + 20, static_cast<int>(screen(neckBase).y) + 60));
    EXPECT_EQ(pixel(screen(foot + Pointf(0.0, -10.0))), Colour(DragonPicture_Gem));
    for (Tick t : {4496, 4500})
    {
        ClearScreen();
        dragon.Render(map.get(), t);
        EXPECT_EQ(pixel(screen(foot + Pointf(0.0, -10.0))),
                  Colour(t == 4500 ? DragonPicture_GemOn : DragonPicture_Gem));
    }

    // The health bar from x 213 to 426, red for the share of hit points left.
    for (int i = 0; i < 500; ++i)
        dragon.Hit(10, 1, 0);
    ClearScreen();
    dragon.RenderFore(map.get(), 9);
    EXPECT_EQ(Pixel(420, 20), (std::array<int, 3>{255, 0, 0}));
    ClearScreen();
    dragon.RenderFore(map.get(), 10);
    EXPECT_EQ(Pixel(315, 20), (std::array<int, 3>{255, 0, 0}));
    EXPECT_TRUE(IsBlack(325, 20));
    EXPECT_TRUE(IsBlack(200, 20));

    // Hidden, nothing of it is drawn.
    dragon.Hide();
    ClearScreen();
    dragon.Render(map.get(), 1250);
    dragon.RenderFore(map.get(), 1250);
    EXPECT_EQ(LitPixels(), 0);
}

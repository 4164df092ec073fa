// Bat flocks: the path's measure and positions, waking, dodging, the beat, deaths on the roost and in
// flight, refused paths, and flocks that must not wake.
#include "creatures/Bat.h"

#include "creatures/Bat_Group.h"
#include "creatures/Bat_Path.h"
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"
#include "support/SmallMap.h"
#include "util/Bezier.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{

// Waypoints along y = 100, each heading +x: 164 apart (20.5 ticks at 8 a tick), the middle one
// twice (a section of no length), and one 200 before the start for a path that leads into it.
constexpr unsigned int Line = 1;      // four waypoints from here
constexpr unsigned int Lead = 9;      // one waypoint
constexpr unsigned int Roost = 11;    // 40 above the line's start
constexpr unsigned int Near = 12;     // nearer than 4 to the line's start
constexpr unsigned int FarRoost = 13; // a roost far right of the line's start
constexpr double Step = 164.0;

std::unique_ptr<Map> BatMap()
{
    MapWriter writer = FloorWriter();
    double const xs[] = {0.0, Step, Step, 2 * Step};
    for (unsigned int i = 0; i < 4; ++i)
    {
        writer.AddRefPoint(Line + 2 * i, xs[i], 100.0);
        writer.AddRefPoint(Line + 2 * i + 1, xs[i] + 10.0, 100.0);
    }
    writer.AddRefPoint(Lead, -200.0, 100.0);
    writer.AddRefPoint(Lead + 1, -190.0, 100.0);
    writer.AddRefPoint(Roost, 0.0, 140.0);
    writer.AddRefPoint(Near, 1.0, 102.0);
    writer.AddRefPoint(FarRoost, 600.0, 300.0);
    return ReadSmallMap(writer);
}

class BatTest : public testing::Test
{
protected:
    void SetUp() override
    {
        map = BatMap();
        path.AddSections(map.get(), Line, 4);
        path.ClosePath();
    }

    Pointf RoostAt(unsigned int ref) const { return map->GetRefPoint(ref); }

    std::unique_ptr<Map> map;
    Bat_Path path;
};

bool Finite(Pointf p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

TEST_F(BatTest, PathsAreMeasuredInTenSamplesAndFlownSectionBySection)
{
    ASSERT_EQ(path.SectionCount(), 3);
    EXPECT_EQ(path.SectionTicks(0), 20);
    EXPECT_EQ(path.SectionTicks(1), 0);

    // 40 above the start: 10 ticks of entry curve, dropping from the roost.
    Pointf const roost = RoostAt(Roost);
    EXPECT_EQ(path.GetPos(&roost, 0), roost);
    EXPECT_LT(path.GetPos(&roost, 1).y, roost.y);
    EXPECT_EQ(path.GetPos(&roost, 10), Pointf(0.0, 100.0));
    EXPECT_EQ(path.GetPos(&roost, 30), Pointf(Step, 100.0));
    // The section of no ticks is passed over without a division.
    EXPECT_NEAR(path.GetPos(&roost, 31).x, Step + Step / 20.0, 1e-9);
    EXPECT_EQ(path.GetPos(&roost, 50), Pointf(2 * Step, 100.0));
    EXPECT_EQ(path.GetPos(&roost, 5000), Pointf(2 * Step, 100.0));

    // Led in from 200 before the start: a joining section, then copies of the other's sections.
    Bat_Path led;
    led.AddSection(map.get(), Lead, Lead + 1);
    led.AddPath(&path);
    led.ClosePath();
    ASSERT_EQ(led.SectionCount(), 4);
    EXPECT_EQ(led.Section(0)->Eval(0.0), Pointf(-200.0, 100.0));
    EXPECT_EQ(led.Section(0)->Eval(1.0), Pointf(0.0, 100.0));
    EXPECT_EQ(led.SectionTicks(0), 25);
    EXPECT_EQ(led.SectionTicks(3), 20);
}

TEST_F(BatTest, ARoostBesideThePathsStartAnswersEveryTickAndAKillAtTheWake)
{
    Pointf const roost = RoostAt(Near);
    for (Tick k = -1; k < 40; ++k)
        ASSERT_TRUE(Finite(path.GetPos(&roost, k))) << "k " << k;
    EXPECT_EQ(path.GetPos(&roost, 0), roost);
    EXPECT_EQ(path.GetPos(&roost, 1), Pointf(0.0, 100.0));

    Bat bat(map.get(), Near, &path, nullptr, 1);
    EXPECT_EQ(bat.Hit(200, 1, 0), 0);
    EXPECT_EQ(bat.WakeTick(), 200);
    for (Tick t = 199; t < 320; ++t)
    {
        bool mirror = true;
        ASSERT_TRUE(Finite(bat.PositionAtTime(map.get(), t, nullptr, &mirror))) << "tick " << t;
    }
}

TEST_F(BatTest, ABrokenPathIsRefusedWhenTheBatIsBuilt)
{
    Bat_Path empty;
    empty.ClosePath();
    Bat_Path open;
    open.AddSections(map.get(), Line, 2);
    Bat_Path single; // one waypoint makes no section
    single.AddSection(map.get(), Line, Line + 1);
    single.ClosePath();
    for (Bat_Path const* bad : {&empty, &open, &single})
    {
        try
        {
            Bat bat(map.get(), Roost, bad, nullptr, 1);
            ADD_FAILURE() << "a path that cannot be flown was accepted";
        }
        catch (Error const& e)
        {
            EXPECT_EQ(e.Code(), Error_ParseFile);
            EXPECT_NE(std::string(e.Text()).find("test/map"), std::string::npos) << e.Text();
        }
    }
}

TEST_F(BatTest, AFlockWakesOnceAndAHitWakesABatAndItsFlockAtTheHitsTick)
{
    std::srand(5);
    Bat_Group flock(nullptr, Pointf(0.0, 0.0), 100.0);
    Bat a(map.get(), Roost, &path, &flock, 2);
    Bat b(map.get(), Roost, &path, &flock, 2);
    Bat c(map.get(), FarRoost, &path, &flock, 2);
    for (Bat* bat : {&a, &b, &c})
        flock.AddBat(bat);

    // Hit on the roost: it wakes at the hit, the others one by one after it.
    EXPECT_EQ(b.Hit(300, 1, 0), 0);
    EXPECT_TRUE(flock.Woken());
    EXPECT_EQ(b.WakeTick(), 300);
    EXPECT_EQ(b.GetHitPoints(300, 2), 1);
    for (Bat const* bat : {&a, &c})
    {
        EXPECT_GE(bat->WakeTick(), 300);
        EXPECT_LE(bat->WakeTick(), 300 + 3 * Bat_Group::Bat_Max_Delay);
    }

    // Nothing changes a wake tick again: more waking, nor hits before or after it.
    Tick const wakes[] = {a.WakeTick(), b.WakeTick(), c.WakeTick()};
    flock.Activate(100);
    a.ActivateAtTime(50, true);
    c.Hit(wakes[2] - 10, 1, 0);
    a.Hit(900, 1, 0);
    EXPECT_EQ(a.WakeTick(), wakes[0]);
    EXPECT_EQ(b.WakeTick(), wakes[1]);
    EXPECT_EQ(c.WakeTick(), wakes[2]);
    EXPECT_EQ(c.GetHitPoints(wakes[2], 2), 1) << "a hit up to 20 before the wake lands";
}

TEST_F(BatTest, AHitLongBeforeTheRecordedWakeIsDodgedOnce)
{
    Bat bat(map.get(), FarRoost, &path, nullptr, 1);
    Pointf const roost = bat.GetRoost();
    bat.ActivateAtTime(200, false);
    EXPECT_EQ(bat.Hit(150, 1, 0), 0);
    EXPECT_TRUE(bat.AliveAt(500));

    int frame = -1;
    bool mirror = true;
    EXPECT_EQ(bat.PositionAtTime(map.get(), 129, &frame, &mirror), roost);
    EXPECT_EQ(frame, 0);
    EXPECT_EQ(bat.PositionAtTime(map.get(), 130, &frame, &mirror), roost);
    EXPECT_NE(frame, 0);
    EXPECT_FALSE(mirror);
    Pointf const side = bat.PositionAtTime(map.get(), 140, nullptr, nullptr);
    EXPECT_NEAR(side.x, roost.x + 10.0, 1e-9);
    EXPECT_NEAR(side.y, roost.y - 10.0, 1e-9);
    Pointf const bottom = bat.PositionAtTime(map.get(), 150, nullptr, &mirror);
    EXPECT_NEAR(bottom.x, roost.x, 1e-9);
    EXPECT_NEAR(bottom.y, roost.y - 20.0, 1e-9);
    EXPECT_TRUE(mirror);
    EXPECT_NE(bat.PositionAtTime(map.get(), 169, nullptr, nullptr), roost);
    EXPECT_EQ(bat.PositionAtTime(map.get(), 170, &frame, nullptr), roost);
    EXPECT_EQ(frame, 0);

    // A second early hit within 40 ticks of that dodge's start adds none.
    EXPECT_EQ(bat.Hit(165, 1, 0), 0);
    EXPECT_EQ(bat.PositionAtTime(map.get(), 175, &frame, nullptr), roost);
    EXPECT_EQ(frame, 0);

    // Killed 15 before its wake, it dies on the roost and drops from 8 below it.
    bat.Hit(185, 1, 0);
    EXPECT_EQ(bat.WakeTick(), 200);
    EXPECT_EQ(bat.PositionAtTime(map.get(), 185, nullptr, nullptr), roost);
    Pointf const dropped = bat.PositionAtTime(map.get(), 186, &frame, nullptr);
    EXPECT_EQ(frame, Bat::Bat_Frame_Dead);
    EXPECT_NEAR(dropped.x, roost.x, 1e-9);
    EXPECT_NEAR(dropped.y, roost.y - 8.0 - 0.2, 1e-9);
    EXPECT_NEAR(bat.PositionAtTime(map.get(), 190, nullptr, nullptr).y, roost.y - 8.0 - 0.2 * 15, 1e-9);
}

TEST_F(BatTest, FlyingBatsBeatInStepWithTheLevelTickAndVanish100TicksAfterDeath)
{
    Bat early(map.get(), Roost, &path, nullptr, 1);
    Bat late(map.get(), FarRoost, &path, nullptr, 1);
    early.ActivateAtTime(0, false);
    late.ActivateAtTime(7, false);
    int const beat[] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 4, 4, 3, 3, 2, 2};
    for (Tick t = 0; t < 64; ++t)
    {
        int frame = -1;
        early.PositionAtTime(map.get(), t, &frame, nullptr);
        ASSERT_EQ(frame, beat[t % 16]) << "tick " << t;
        late.PositionAtTime(map.get(), t, &frame, nullptr);
        ASSERT_EQ(frame, t < 7 ? 0 : beat[t % 16]) << "tick " << t;
    }

    // Hanging, its frame spans the 16 below its point; flying, 8 each side. The far bat flies left.
    late.MoveToTime(map.get(), 6);
    EXPECT_EQ(late.GetRect().y0, -16.0);
    EXPECT_EQ(late.GetRect().y1, 0.0);
    late.MoveToTime(map.get(), 40);
    EXPECT_EQ(late.GetRect().y0, -8.0);
    EXPECT_EQ(late.GetRect().y1, 8.0);
    EXPECT_TRUE(late.Mirrored());
    Pointf const at = late.GetPosition();
    EXPECT_EQ(late.IsPlayerHit(40, &at), 1);

    // Killed in flight it falls from where it flew, is no target, and is gone at death + 100.
    EXPECT_EQ(late.Hit(40, 1, 0), 0);
    Pointf out;
    EXPECT_TRUE(late.GetTargetPos(map.get(), 39, out));
    EXPECT_FALSE(late.GetTargetPos(map.get(), 40, out));
    EXPECT_EQ(late.IsPlayerHit(40, &at), 0);
    EXPECT_LT(late.PositionAtTime(map.get(), 41, nullptr, nullptr).x, at.x);
    late.MoveToTime(map.get(), 139);
    Pointf const last = late.GetPosition();
    EXPECT_TRUE(late.ShownAt(139));
    EXPECT_FALSE(late.ShownAt(140));
    out = Pointf(-1.0, -1.0);
    EXPECT_FALSE(late.GetTargetPos(map.get(), 140, out));
    EXPECT_EQ(out, Pointf(-1.0, -1.0));
    late.MoveToTime(map.get(), 400);
    EXPECT_EQ(late.GetPosition(), last);
}

// The flock in a level: the player's approach wakes it, a player frozen for time travel does not.
class BatFlockTest : public CreatureTestSupport
{
};

TEST_F(BatFlockTest, OnlyAPlayerWhoIsNotTravellingWakesAFlock)
{
    Creature_World& w = MakeWorld({CreatureZone_Bats});
    Player* player = w.GetPlayer();
    Bat_Path const* path = w.batPathA;
    // A flock of one bat round where the player stands, and one of none.
    Bat_Group here(player, player->GetPos(), 50.0);
    Bat bat(w.GetMap(), CreatureWorld_Ref(CreatureZone_Bats, BatsRef_LoneRoost), path, &here, 1);
    here.AddBat(&bat);
    Bat_Group none(player, player->GetPos(), 50.0);

    for (int i = 0; i < 5; ++i)
        Step();
    Step({KeyIndex_GameBackInTime});
    ASSERT_TRUE(player->travelling);
    here.MoveToTime(w.GetMap(), w.GetTick());
    EXPECT_FALSE(here.Woken());
    EXPECT_EQ(bat.WakeTick(), -1);

    player->travelling = false;
    none.MoveToTime(w.GetMap(), 3);
    EXPECT_FALSE(none.Woken());
    here.MoveToTime(w.GetMap(), 3);
    EXPECT_TRUE(here.Woken());
    EXPECT_GE(bat.WakeTick(), 3);
    EXPECT_FALSE(w.batFlock->Woken());
}

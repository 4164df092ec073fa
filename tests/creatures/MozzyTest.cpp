// The mozzy: its beat and bob, when an attack is recorded, the dive, circle and return, death, too narrow a beat.
#include "creatures/Mozzy.h"

#include "support/SmallMap.h"
#include "util/Error.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace
{

constexpr unsigned int Left = 1;
constexpr unsigned int Right = 2;
constexpr double Width = 400.0;
constexpr double Height = 150.0;

std::unique_ptr<Map> MozzyMap(double width = Width)
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(Left, 0.0, Height - 10.0);
    writer.AddRefPoint(Right, width, Height + 10.0);
    return ReadSmallMap(writer);
}

// A seed after which the generator's first value decides an attack.
unsigned int AttackSeed()
{
    unsigned int seed = 1;
    for (;; ++seed)
    {
        std::srand(seed);
        if ((std::rand() & 127) == 54)
            return seed;
    }
}

// Offers the mozzy the player at p at t with the generator set to attack; whether one was recorded.
bool Offer(Mozzy& mozzy, Tick t, Pointf p)
{
    int const before = mozzy.AttackCount();
    std::srand(AttackSeed());
    mozzy.PlayerAtPos(t, &p);
    return mozzy.AttackCount() > before;
}

Pointf const Under(100.0, 0.0); // under the beat, on the floor

} // namespace

TEST(Mozzy, BeatsAtSixUnitsATickAndBobsWithTheTickItself)
{
    std::unique_ptr<Map> map = MozzyMap();
    Mozzy mozzy(map.get(), Left, Right, 1);
    int const period = mozzy.Period();
    // The tick at which the beat stands at its left end.
    Tick const start = (period - mozzy.Phase()) % period;
    bool mirror = true;
    Pointf const a = mozzy.CyclePosition(start, &mirror);
    EXPECT_DOUBLE_EQ(a.x, 0.0);
    EXPECT_FALSE(mirror);
    EXPECT_DOUBLE_EQ(a.y, Height + 8.0 * std::sin(start / 6.0));
    Pointf const b = mozzy.CyclePosition(start + period / 2, &mirror);
    EXPECT_DOUBLE_EQ(b.x, Width);
    EXPECT_TRUE(mirror);
    // Two mozzies bob in step whatever their phases.
    Mozzy other(map.get(), Left, Right, 1);
    for (Tick t = 0; t < 100; t += 7)
        EXPECT_DOUBLE_EQ(mozzy.CyclePosition(t, nullptr).y, other.CyclePosition(t, nullptr).y);
}

TEST(Mozzy, AnAttackNeedsRoomBeforeARecordedHitAndBetweenRecordedAttacks)
{
    std::unique_ptr<Map> map = MozzyMap();
    {
        Mozzy mozzy(map.get(), Left, Right, 5);
        mozzy.Hit(1269, 1, 0);
        EXPECT_FALSE(Offer(mozzy, 1000, Under));
        EXPECT_TRUE(Offer(mozzy, 999, Under));
    }
    {
        Mozzy mozzy(map.get(), Left, Right, 5);
        ASSERT_TRUE(Offer(mozzy, 1000, Under));
        EXPECT_FALSE(Offer(mozzy, 1269, Under));
        EXPECT_FALSE(Offer(mozzy, 731, Under)); // one recorded 269 after it
        EXPECT_TRUE(Offer(mozzy, 1270, Under));
        EXPECT_TRUE(Offer(mozzy, 730, Under));
        // Kept sorted whatever the order recorded.
        ASSERT_EQ(mozzy.AttackCount(), 3);
        EXPECT_EQ(mozzy.GetAttack(0)->time, 730);
        EXPECT_EQ(mozzy.GetAttack(1)->time, 1000);
        EXPECT_EQ(mozzy.GetAttack(2)->time, 1270);
    }
}

TEST(Mozzy, APlayerOnTheEdgeOfTheSpaceUnderTheBeatNeverTriggers)
{
    std::unique_ptr<Map> map = MozzyMap();
    Mozzy mozzy(map.get(), Left, Right, 1);
    double const tiny = Util::Eps / 4.0;
    for (Pointf p : {Pointf(0.0, 50.0), Pointf(Width, 50.0), Pointf(100.0, Height), Pointf(100.0, Height - Width),
                     Pointf(tiny, 50.0), Pointf(Width - tiny, 50.0), Pointf(100.0, Height - tiny)})
        EXPECT_FALSE(Offer(mozzy, 1000, p)) << p.x << ", " << p.y;
    EXPECT_TRUE(Offer(mozzy, 1000, Pointf(1e-6, Height - Width + 1e-6)));
}

TEST(Mozzy, DivesToThePlayerCirclesAboveHimAndReturnsToItsBeat)
{
    std::unique_ptr<Map> map = MozzyMap();
    for (bool playerLeft : {false, true})
    {
        Mozzy mozzy(map.get(), Left, Right, 1);
        // Mid-beat, so that the player stands under it on either side.
        int const period = mozzy.Period();
        Tick const t0 = 1000 + ((period / 4 - (mozzy.Phase() + 1000) % period) % period + period) % period;
        mozzy.MoveToTime(map.get(), t0);
        Pointf const player(playerLeft ? mozzy.GetPosition().x - 30.0 : mozzy.GetPosition().x + 30.0, 20.0);
        ASSERT_TRUE(Offer(mozzy, t0, player));
        EXPECT_EQ(mozzy.GetAttack(0)->facing, playerLeft);

        // The tick of the decision was shown before it was made: it stays as the beat had it.
        bool mirror = false;
        bool beatMirror = false;
        EXPECT_EQ(mozzy.PositionAtTime(t0, &mirror), mozzy.CyclePosition(t0, &beatMirror));
        EXPECT_EQ(mirror, beatMirror);
        mozzy.PositionAtTime(t0 + 1, &mirror);
        EXPECT_EQ(mirror, playerLeft);
        Pointf const low = mozzy.PositionAtTime(t0 + 60, nullptr);
        // The circle's lowest point, at an angle of 3.1415926535898.
        EXPECT_NEAR(low.x, player.x, 1e-9);
        EXPECT_NEAR(low.y, player.y, 1e-9);
        double const angle = Util::Angle(playerLeft ? Util::HalfTurn + 25.0 : Util::HalfTurn - 25.0);
        Pointf const last = mozzy.PositionAtTime(t0 + 210, nullptr);
        EXPECT_DOUBLE_EQ(last.x, player.x + 40.0 * std::sin(angle));
        EXPECT_DOUBLE_EQ(last.y, player.y + 40.0 + 40.0 * std::cos(angle));
        // Every point of the circle is 40 from its centre; the return ends on the beat.
        for (Tick d = 60; d <= 210; d += 10)
        {
            Pointf const p = mozzy.PositionAtTime(t0 + d, nullptr);
            EXPECT_NEAR(std::hypot(p.x - player.x, p.y - player.y - 40.0), 40.0, 1e-9) << d;
        }
        Pointf const back = mozzy.PositionAtTime(t0 + 269, nullptr);
        Pointf const beat = mozzy.CyclePosition(t0 + 270, nullptr);
        EXPECT_NEAR(back.x, beat.x + (last.x - beat.x) / 60.0, 1e-9);
        EXPECT_EQ(mozzy.PositionAtTime(t0 + 270, nullptr), beat);
    }
}

TEST(Mozzy, ADeadMozzyVanishesButStillReportsWhereItWouldBe)
{
    std::unique_ptr<Map> map = MozzyMap();
    Mozzy mozzy(map.get(), Left, Right, 2);
    mozzy.Hit(500, 1, 0);
    mozzy.Hit(600, 1, 0);
    mozzy.MoveToTime(map.get(), 600);
    Pointf const at = mozzy.GetPosition();
    EXPECT_EQ(mozzy.IsPlayerHit(600, &at), 1);
    mozzy.MoveToTime(map.get(), 700);
    EXPECT_EQ(mozzy.GetPosition(), at); // not moved, not falling
    EXPECT_EQ(mozzy.IsPlayerHit(601, &at), 0);
    Pointf aim(-1.0, -1.0);
    EXPECT_FALSE(mozzy.GetTargetPos(map.get(), 700, aim));
    EXPECT_EQ(aim, mozzy.CyclePosition(700, nullptr));
    EXPECT_TRUE(mozzy.GetTargetPos(map.get(), 600, aim));
}

TEST(Mozzy, ABeatNarrowerThanSixIsRefusedNamingTheMapAndItsPoints)
{
    std::unique_ptr<Map> map = MozzyMap(5.0);
    try
    {
        Mozzy mozzy(map.get(), Left, Right, 1);
        FAIL() << "built a mozzy on a beat 5 wide";
    }
    catch (Error const& e)
    {
        EXPECT_EQ(e.Code(), Error_ParseFile);
        std::string const text = e.Text();
        EXPECT_NE(text.find(map->GetFileName()), std::string::npos) << text;
        EXPECT_NE(text.find("1, 2"), std::string::npos) << text;
    }
    std::unique_ptr<Map> narrowest = MozzyMap(6.0);
    Mozzy mozzy(narrowest.get(), Left, Right, 1);
    EXPECT_EQ(mozzy.Period(), 2);
}

// Watching eyes: noticing the present player, following one self at a time, and firing their laser
// from the switch they guard.
#include "CastleSupport.h"
#include "castle/Casle_Eye.h"
#include "castle/Casle_Laser.h"
#include "castle/Casle_Laser_Target.h"
#include "engine/Switch.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace
{

constexpr unsigned int PlateGroup = 24;
Pointf const Far(-400.0, 0.0);    // outside both eyes' sight
Pointf const Near(100.0, 0.0);    // inside both, off the plate
Pointf const OnPlate(230.0, 8.0); // inside both, on the plate

// A plate guarded by two eyes sharing a laser that shines down onto the plate, whose target is
// the plate's own group; the switch asks the eyes, then the target.
class CasleEyeTest : public CastleTest
{
protected:
    void SetUp() override
    {
        CastleTest::SetUp();
        if (HasFatalFailure())
            return;
        MapWriter writer = CastleFloor();
        writer.AddBox(200.0, 0.0, 260.0, 8.0, 0, PlateGroup, true, false, 64.0);
        map = LoadCastleMap(writer);
        MakePlayer(map.get(), Far);
        plate = std::make_unique<Switch>(player.get(), map.get(), PlateGroup, 1.0);
        map->PreprocessCollision();
        platePoly = CastlePolyOf(*map, PlateGroup);
        laser.AddTarget(&target);
        eye1 = std::make_unique<Casle_Eye>(player.get(), &frames, Pointf(150.0, 250.0), 400.0, &laser);
        eye2 = std::make_unique<Casle_Eye>(player.get(), &frames, Pointf(320.0, 250.0), 400.0, &laser);
        plate->AddBlocker(eye1.get());
        plate->AddBlocker(eye2.get());
        plate->AddBlocker(&target);
    }
    void TearDown() override
    {
        eye1.reset();
        eye2.reset();
        plate.reset();
        CastleTest::TearDown();
    }

    void MoveAll(Tick t)
    {
        plate->MoveToTime(map.get(), t);
        laser.MoveToTime(map.get(), t);
        eye1->MoveToTime(map.get(), t);
        eye2->MoveToTime(map.get(), t);
    }

    // One live tick, in the level's order: the plate, the laser and the eyes are moved, then the
    // player's place is recorded.
    void Live(Tick t, Pointf at)
    {
        player->travelling = false;
        player->SetPos(&at);
        StandOn(at == OnPlate, platePoly);
        MoveAll(t);
        frames.AddEcho(player.get());
    }

    // Shows the ticks from `from` back to `to` as a travel does, and starts a new self at `to`.
    void TravelBack(Tick from, Tick to)
    {
        player->travelling = true;
        StandOn(false, 0);
        for (Tick t = from; t >= to; t--)
            MoveAll(t);
        frames.NewFrame(to);
    }

    static std::optional<Pointf> Followed(Casle_Eye const& eye, Tick t)
    {
        Pointf at;
        if (!eye.FollowsAt(t, &at))
            return std::nullopt;
        return at;
    }

    std::unique_ptr<Map> map;
    unsigned int platePoly = 0;
    std::unique_ptr<Switch> plate;
    Casle_Laser laser{Pointf(230.0, 600.0), Util::HalfTurn, false};
    Casle_Laser_Target target{PlateGroup};
    std::unique_ptr<Casle_Eye> eye1;
    std::unique_ptr<Casle_Eye> eye2;
};

} // namespace

TEST_F(CasleEyeTest, ASeenPlayerPressesThePlateOnceAndTheBeamHoldsItUpFromTheNextTick)
{
    for (Tick t = 0; t < 5; t++)
        Live(t, Far);
    for (Tick t = 5; t < 10; t++)
        Live(t, Near);
    for (Tick t = 10; t < 20; t++)
        Live(t, OnPlate);

    EXPECT_FALSE(eye1->FollowsAt(4));
    EXPECT_TRUE(eye1->FollowsAt(5));
    EXPECT_TRUE(plate->IsActive(10)) << "the first tick on the plate";
    EXPECT_FALSE(laser.IsOn(10));
    EXPECT_TRUE(laser.IsOn(11));
    for (Tick t = 11; t < 20; t++)
    {
        EXPECT_FALSE(plate->IsActive(t)) << t;
        EXPECT_TRUE(target.IsActive(t)) << t;
    }
    EXPECT_FALSE(target.IsActive(10));
}

TEST_F(CasleEyeTest, WhileFollowingAPastSelfTheEyesIgnoreThePresentPlayerAndDoNotFire)
{
    for (Tick t = 0; t < 5; t++)
        Live(t, Far);
    for (Tick t = 5; t < 30; t++)
        Live(t, Near);
    TravelBack(29, 3);
    for (Tick t = 3; t < 10; t++)
        Live(t, Far);
    for (Tick t = 10; t < 40; t++)
        Live(t, OnPlate);

    // The past self is watched to its last tick there; the present one, on the plate, from then on.
    EXPECT_EQ(Followed(*eye1, 15), Near);
    EXPECT_EQ(Followed(*eye2, 29), Near);
    EXPECT_EQ(Followed(*eye1, 30), OnPlate);
    for (Tick t = 10; t < 31; t++)
        EXPECT_TRUE(plate->IsActive(t)) << t;
    EXPECT_EQ(laser.LastActiveTime(30), -1) << "the laser was fired while the eyes watched the past";
    EXPECT_EQ(laser.LastActiveTime(31), 31);
    EXPECT_FALSE(plate->IsActive(32));
    EXPECT_TRUE(target.IsActive(32));
}

TEST_F(CasleEyeTest, OnlyAPresentPlayerStrictlyInsideAndNotTravellingIsNoticed)
{
    Live(0, Far);
    Casle_Eye atRadius(player.get(), &frames, Far + Pointf(0.0, 400.0), 400.0, nullptr);
    Casle_Eye justInside(player.get(), &frames, Far + Pointf(0.0, 400.0), 400.0 + 2.0 * Util::Eps, nullptr);
    atRadius.MoveToTime(map.get(), 1);
    justInside.MoveToTime(map.get(), 1);
    EXPECT_FALSE(atRadius.IsAlert());
    EXPECT_FALSE(atRadius.FollowsAt(1));
    EXPECT_TRUE(justInside.IsAlert());
    EXPECT_EQ(Followed(justInside, 1), Far);
    // Without a laser the eye still watches, and asking it to fire does nothing.
    EXPECT_FALSE(justInside.IsBlocked(map.get(), 1));

    player->travelling = true;
    justInside.MoveToTime(map.get(), 2);
    EXPECT_FALSE(justInside.IsAlert());
    EXPECT_FALSE(justInside.FollowsAt(2));
}

TEST_F(CasleEyeTest, LeavingAndComingBackStartsASecondRunAfterThePastSelfsRun)
{
    for (Tick t = 0; t < 10; t++)
        Live(t, Near);
    for (Tick t = 10; t < 20; t++)
        Live(t, Far);
    for (Tick t = 20; t < 25; t++)
        Live(t, Near);
    EXPECT_EQ(Followed(*eye1, 9), Near);
    EXPECT_FALSE(eye1->FollowsAt(10));
    EXPECT_FALSE(eye1->FollowsAt(19));
    EXPECT_EQ(Followed(*eye1, 20), Near);

    // A new self inside the sight over the first run is passed over until that run ends.
    TravelBack(24, 0);
    Pointf const beside(120.0, 0.0);
    for (Tick t = 0; t < 5; t++)
        Live(t, Far);
    for (Tick t = 5; t < 15; t++)
        Live(t, beside);
    EXPECT_EQ(Followed(*eye1, 9), Near);
    EXPECT_EQ(Followed(*eye1, 10), beside);
    EXPECT_EQ(Followed(*eye1, 14), beside);
    EXPECT_EQ(Followed(*eye1, 20), Near) << "the first self's second run";
}

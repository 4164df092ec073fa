// Watching eyes on a guarded plate: noticing the present player, following one self at a time, and
// firing their laser from the switch.
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

// Two eyes share a laser shining down onto the plate, whose group is the laser's target; the
// switch asks the eyes, then the target.
class CasleEyeTest : public CastleTest
{
protected:
    void SetUp() override
    {
        CastleTest::SetUp();
        MapWriter writer = CastleFloor();
        writer.AddBox(200.0, 0.0, 260.0, 8.0, 0, PlateGroup, true, false, 64.0);
        map = MapFiles::Load<Map>(writer);
        MakePlayer(map.get(), Far);
        plate = std::make_unique<Switch>(player.get(), map.get(), PlateGroup, 1.0);
        map->PreprocessCollision();
        laser.AddTarget(&target);
        for (auto& eye : eyes)
        {
            eye = std::make_unique<Casle_Eye>(player.get(), &frames, Pointf(&eye == &eyes[0] ? 150.0 : 320.0, 250.0),
                                              400.0, &laser);
            plate->AddBlocker(eye.get());
        }
        plate->AddBlocker(&target);
    }
    void TearDown() override
    {
        eyes[0].reset();
        eyes[1].reset();
        plate.reset();
        CastleTest::TearDown();
    }

    // Ticks from..to in the level's order: plate, laser, eyes, then the self's place is recorded;
    // while travelling nothing is recorded and the player stands on nothing.
    void Play(Tick from, Tick to, Pointf at, bool travelling = false)
    {
        player->travelling = travelling;
        player->SetPos(&at);
        StandOn(!travelling && at == OnPlate, CastlePolyOf(*map, PlateGroup));
        for (Tick t = from; from <= to ? t <= to : t >= to; t += from <= to ? 1 : -1)
        {
            plate->MoveToTime(map.get(), t);
            laser.MoveToTime(map.get(), t);
            for (auto& eye : eyes)
                eye->MoveToTime(map.get(), t);
            if (!travelling)
                frames.AddEcho(player.get());
        }
    }

    static std::optional<Pointf> Followed(Casle_Eye const& eye, Tick t)
    {
        Pointf at;
        return eye.FollowsAt(t, &at) ? std::optional<Pointf>(at) : std::nullopt;
    }

    std::unique_ptr<Map> map;
    std::unique_ptr<Switch> plate;
    Casle_Laser laser{Pointf(230.0, 600.0), Util::HalfTurn, false};
    Casle_Laser_Target target{PlateGroup};
    std::unique_ptr<Casle_Eye> eyes[2];
};

} // namespace

TEST_F(CasleEyeTest, ASeenPlayerPressesThePlateOnceAndTheBeamHoldsItUpFromTheNextTick)
{
    Play(0, 4, Far);
    Play(5, 9, Near);
    Play(10, 19, OnPlate);
    EXPECT_EQ(Followed(*eyes[0], 5), Near);
    EXPECT_TRUE(plate->IsActive(10));
    EXPECT_FALSE(target.IsActive(10));
    for (Tick t = 11; t < 20; t++)
    {
        EXPECT_FALSE(plate->IsActive(t)) << t;
        EXPECT_TRUE(target.IsActive(t)) << t;
    }
}

TEST_F(CasleEyeTest, WhileFollowingAPastSelfTheEyesIgnoreThePresentPlayerAndDoNotFire)
{
    Play(0, 4, Far);
    Play(5, 29, Near);
    Play(29, 3, Far, true);
    frames.NewFrame(3);
    Play(3, 9, Far);
    Play(10, 40, OnPlate);
    EXPECT_EQ(Followed(*eyes[1], 29), Near);
    EXPECT_EQ(Followed(*eyes[0], 30), OnPlate) << "the present self once the past one's run ended";
    for (Tick t = 10; t <= 31; t++)
        EXPECT_TRUE(plate->IsActive(t)) << t;
    EXPECT_EQ(laser.LastActiveTime(30), -1) << "fired while the eyes watched the past";
    EXPECT_FALSE(plate->IsActive(32));
}

TEST_F(CasleEyeTest, OnlyAPresentPlayerStrictlyInsideAndNotTravellingIsNoticed)
{
    Play(0, 0, Far);
    Casle_Eye atRadius(player.get(), &frames, Far + Pointf(0.0, 400.0), 400.0, nullptr);
    Casle_Eye inside(player.get(), &frames, Far + Pointf(0.0, 400.0), 400.0 + 2.0 * Util::Eps, nullptr);
    atRadius.MoveToTime(map.get(), 1);
    inside.MoveToTime(map.get(), 1);
    EXPECT_FALSE(atRadius.FollowsAt(1));
    EXPECT_EQ(Followed(inside, 1), Far);
    EXPECT_FALSE(inside.IsBlocked(map.get(), 1)) << "an eye without a laser";
    player->travelling = true;
    inside.MoveToTime(map.get(), 2);
    EXPECT_FALSE(inside.IsAlert());
}

TEST_F(CasleEyeTest, LeavingAndComingBackStartsASecondRunAfterThePastSelfsRun)
{
    Play(0, 9, Near);
    Play(10, 19, Far);
    Play(20, 24, Near);
    EXPECT_FALSE(eyes[0]->FollowsAt(15));
    Play(24, 0, Far, true);
    frames.NewFrame(0);
    Pointf const beside(120.0, 0.0);
    Play(0, 4, Far);
    Play(5, 14, beside);
    EXPECT_EQ(Followed(*eyes[0], 9), Near);
    EXPECT_EQ(Followed(*eyes[0], 10), beside);
    EXPECT_EQ(Followed(*eyes[0], 20), Near);
}

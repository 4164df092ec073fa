// The master's world built from the generated data: both forms, the build order, failures part-way, chests and music.
#include "creatures/Imp.h"
#include "creatures/SpikeBall.h"
#include "creatures/Spikes.h"
#include "creatures/WavyBlob.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/KillZone.h"
#include "engine/Lift.h"
#include "engine/PickUp.h"
#include "engine/Switch.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Dude.h"
#include "killig/Kilig_Podium.h"
#include "killig/Kilig_Swivel.h"
#include "support/MapIdSweep.h"
#include "support/WorldReplay.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

class KiligTest : public KiligWorldFixture
{
protected:
    // Building fails with the file missing; whatever the build had made must be gone, so that
    // the next build's initialisations find nothing loaded.
    void ExpectMissing(char const* file, Error_Code code)
    {
        Error const e = WorldSweep::MissingFile(*this, Level_Kilig, file);
        EXPECT_EQ(e.Code(), code) << file;
    }
};

} // namespace

TEST_F(KiligTest, TheFirstVisitWalksInAtTheHouseAndLaterOnesStartInTheFirstRoomWithItsCamera)
{
    Kilig& house = House();
    EXPECT_EQ(Hero()->GetPos().x, Rp(Kilig_Rp_HouseStart).x);
    EXPECT_TRUE(Hero()->scripted);
    EXPECT_TRUE(Hero()->colourGroups);
    EXPECT_EQ(house.GetIntroState(), Kilig_Intro_WalkingIn);
    Pointf const before = Hero()->GetPos();
    Step();
    EXPECT_GT(Hero()->GetPos().x, before.x) << "the hero walks in by himself";

    Dungeon();
    EXPECT_EQ(Hero()->GetPos().x, Rp(Kilig_Rp_DungeonStart).x);
    EXPECT_FALSE(Hero()->scripted);
    EXPECT_TRUE(Hero()->colourGroups);
    // At once, before any step: no easing from where the map's view began.
    Pointf const centre = world->GetMap()->GetCentrePoint();
    EXPECT_NEAR(centre.x, 1050.0, 1e-6);
    EXPECT_NEAR(centre.y, 1600.0, 1e-6);
    EXPECT_NEAR(world->GetMap()->view.scale, 1.55, 1e-9);
    EXPECT_EQ(World().GetCameraRoom(), -1);
    EXPECT_EQ(World().GetRoomSteps(), 0);
}

TEST_F(KiligTest, NoBallStartsWithinAPodiumsReach)
{
    // Else a podium's door would stand open before the player has done anything.
    Kilig& w = Dungeon();
    for (int p = 0; p < Kilig_Podium_Count; ++p)
        for (int b = 0; b < Kilig_Object_Count; ++b)
            EXPECT_FALSE(w.GetPodium(p)->BallCounts(w.GetBall(b), 0)) << "ball " << b << " on podium " << p;
}

TEST_F(KiligTest, ObjectsAndMoversAreListedKindByKindInTheOrderTheyAreRead)
{
    Kilig& w = Dungeon();
    std::vector<Object*> expected;
    for (int i = 0; i < Kilig_Object_Count; ++i)
        expected.push_back(w.GetBall(i));
    for (int i = 0; i < Kilig_Switch_Count; ++i)
        expected.push_back(w.GetSwitch(i));
    for (int i = 0; i < Kilig_Imp_Count; ++i)
        expected.push_back(w.GetImp(i));
    for (int i = 0; i < Kilig_Spikes_Count; ++i)
        expected.push_back(w.GetSpikes(i));
    for (int i = 0; i < Kilig_WavyBlob_Count; ++i)
    {
        for (int arm = 0; arm < WavyBlob_Arm_Count; ++arm)
            expected.push_back(w.GetWavyBlob(i)->GetArm(arm));
        expected.push_back(w.GetWavyBlob(i));
    }
    expected.push_back(w.GetMaster());
    for (int i = 0; i < Kilig_PickUp_Count; ++i)
        expected.push_back(w.GetGem(i));
    for (int i = 0; i < Kilig_Chest_Count; ++i)
        expected.push_back(w.GetChest(i));
    for (int i = 0; i < Kilig_SpikeBall_Count; ++i)
        expected.push_back(w.GetSpikeBall(i));
    // The podiums after the balls: they read where the balls are at their tick.
    for (int i = 0; i < Kilig_Podium_Count; ++i)
        expected.push_back(w.GetPodium(i));
    for (int i = 0; i < Kilig_Lift_Count; ++i)
        expected.push_back(w.GetLift(i));
    for (int i = 0; i < Kilig_Swivel_Count; ++i)
        expected.push_back(w.GetSwivel(i));
    EXPECT_EQ(Objects(), expected);

    // The kill zone hurts but is neither drawn nor moved.
    std::vector<Enemy*> const enemies = Enemies();
    ASSERT_FALSE(enemies.empty());
    EXPECT_EQ(enemies.front(), w.GetKillZone());
    EXPECT_EQ(enemies.size(), std::size_t(1 + Kilig_Imp_Count + Kilig_Spikes_Count
                                          + Kilig_WavyBlob_Count * (WavyBlob_Arm_Count + 1) + Kilig_SpikeBall_Count));

    // The driver moves plates, lifts, doors and swivels, in that order.
    std::vector<MapMoveObject*> movers;
    for (int i = 0; i < Kilig_Switch_Count; ++i)
        movers.push_back(w.GetSwitch(i));
    for (int i = 0; i < Kilig_Lift_Count; ++i)
        movers.push_back(w.GetLift(i));
    for (int i = 0; i < Kilig_Door_Count; ++i)
        movers.push_back(w.GetDoor(i));
    for (int i = 0; i < Kilig_Swivel_Count; ++i)
        movers.push_back(w.GetSwivel(i));
    PtrList<MapMoveObject> const* driven = ReplayWatch_Driver::Movers(w.GetMapMove());
    ASSERT_NE(driven, nullptr);
    ASSERT_EQ(driven->Count(), int(movers.size()));
    for (int i = 0; i < driven->Count(); ++i)
        EXPECT_EQ((*driven)[i], movers[std::size_t(i)]) << "mover " << i;

    // Lift 1 starts at the top of its swing.
    EXPECT_NEAR(w.GetLift(1)->CalcLiftAngle(0), 1.5707963267949, 1e-12);
}

TEST_F(KiligTest, IsDestroyedAndBuiltAgainInOneProcessAndIdlesTenThousandSteps)
{
    Dungeon();
    Destroy();
    House();
    Kilig& w = Dungeon();
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(w.GetPlayer()->IsPlayerDead(), 0);
    EXPECT_EQ(w.GetCameraRoom(), 0);
}

TEST_F(KiligTest, AFailurePartWayIsReportedFreesWhatWasBuiltAndANormalBuildFollows)
{
    // Twice: a level part left behind by the first would trip the second's initialisation.
    ExpectMissing("killig/map", Error_OpenFile);
    {
        std::filesystem::path const path = data->path / "killig/map";
        std::filesystem::rename(path, data->path / "aside");
        Error const e = TryBuild(Level_Kilig);
        EXPECT_STREQ(e.Text(), "killig/map");
        std::filesystem::rename(data->path / "aside", path);
    }
    // Each of these fails after more kinds were readied: a kind left readied would trip the next
    // build's assertion that it is not.
    ExpectMissing("gfx/map/killig/iron.png", Error_OpenFile);
    ExpectMissing("gfx/killig/objects/greenyellow.png", Error_OpenFile);
    ExpectMissing("gfx/wavyblob/skin.png", Error_OpenFile);
    ExpectMissing("gfx/killig/killig03.png", Error_OpenFile);
    ExpectMissing("gfx/spikeball.png", Error_OpenFile);
    Dungeon();
    EXPECT_EQ(Step(), Level_Continue);
}

TEST_F(KiligTest, WithoutItsMusicTheWorldIsBuiltWholeAndPlaysSilent)
{
    std::filesystem::path const path = data->path / "music/killig.mp3";
    ASSERT_TRUE(std::filesystem::exists(path));
    std::filesystem::rename(path, data->path / "aside");
    Kilig& w = Dungeon();
    std::filesystem::rename(data->path / "aside", path);
    EXPECT_NE(w.GetCanDo(), nullptr);
    EXPECT_EQ(Steps(10), Level_Continue);
}

TEST_F(KiligTest, AGemTakenBeforeLeavesItsChestOutAndStaysHidden)
{
    GameEvents record = Learnt();
    record.levelFlags[Level_Kilig - 1][1] = 1;
    Kilig& w = Dungeon(record);
    for (int i = 0; i < Kilig_Chest_Count; ++i)
    {
        ASSERT_NE(w.GetGem(i), nullptr);
        EXPECT_EQ(w.GetChest(i) == nullptr, i == 1) << "chest " << i;
        EXPECT_FALSE(w.GetGem(i)->CanCollect(0)) << "gem " << i << " is in a chest or taken";
    }

    for (int i = 0; i < Kilig_Chest_Count; ++i)
        record.levelFlags[Level_Kilig - 1][i] = 1;
    Kilig& none = Dungeon(record);
    for (Object* object : Objects())
        EXPECT_EQ(dynamic_cast<Chest*>(object), nullptr);
    for (int i = 0; i < Kilig_Chest_Count; ++i)
        EXPECT_EQ(none.GetChest(i), nullptr);
}

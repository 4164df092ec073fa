// The castle built from the generated data: every id present, destroyed and built again, idling,
// the order of its objects and movers, and what the progress record changes at construction.
#include "castle/Casle.h"
#include "castle/Casle_Dude.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Eye.h"
#include "castle/Casle_Laser.h"
#include "castle/Casle_Light.h"
#include "castle/Casle_Lights.h"
#include "castle/Casle_Machine_Switch.h"
#include "castle/Casle_MapMove.h"
#include "castle/Casle_MultiHit.h"
#include "castle/Casle_Podiums.h"
#include "castle/Casle_Swivel.h"
#include "castle/Casle_Symbols.h"
#include "creatures/PushOver.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Poly.h"
#include "engine/Switch.h"
#include "support/MapIdSweep.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

namespace
{

class CasleWorldTest : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    Casle& MakeCastle(GameEvents const& record = GameEvents())
    {
        Build(Level_Casle, record);
        return As<Casle>();
    }
};

// Every reference point and group the castle reads, from its tables.
std::set<MapIdSweep::Id> ReadIds()
{
    using MapIdSweep::Kind;
    std::set<MapIdSweep::Id> ids;
    for (unsigned int rp = 0; rp <= 37; ++rp)
        ids.insert({Kind::RefPoint, rp});
    ids.insert({Kind::RefPoint, Casle_Rp_Gem1});
    ids.insert({Kind::RefPoint, Casle_Rp_Gem2});
    auto group = [&](Casle_GroupId g) { ids.insert({Kind::Group, g}); };
    for (Casle_GroupId g : Casle_SwitchGroups)
        group(g);
    for (Casle_DoorIds const& d : Casle_Doors)
        group(d.group);
    for (Casle_LiftIds const& l : Casle_Lifts)
        group(l.group);
    for (Casle_GroupId g : Casle_PushOverGroups)
        group(g);
    for (Casle_GroupId g : Casle_TargetGroups)
        group(g);
    for (Casle_MultiHitIds const& m : Casle_MultiHits)
        group(m.group);
    for (Casle_GroupId g : Casle_MoverGroups)
        group(g);
    group(Casle_SwivelGroup);
    return ids;
}

// The group's polygons' lowest corner where they stand now.
double GroupBottom(Map const& map, unsigned int group)
{
    double bottom = 1e9;
    for (int i = 0; i < map.polys.Count(); ++i)
        if (map.polys[i]->GetGroup() == group)
            bottom = std::min(bottom, map.polys[i]->GetBound()->y0);
    return bottom;
}

} // namespace

TEST_F(CasleWorldTest, TheGeneratedMapHoldsEveryIdTheCastleReadsAndNoOther)
{
    std::vector<MapIdSweep::Id> const inMap = MapIdSweep::IdsIn(MapIdSweep::Read("castle/map"));
    std::set<MapIdSweep::Id> const read = ReadIds();
    EXPECT_EQ(std::set<MapIdSweep::Id>(inMap.begin(), inMap.end()), read);
    EXPECT_EQ(read.size(), 40u + 70u);
}

TEST_F(CasleWorldTest, BuildsAgainInOneProcessAndIdlesForTenThousandSteps)
{
    MakeCastle();
    Destroy();
    Casle& castle = MakeCastle();
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(castle.GetPlayer()->IsPlayerDead(), 0);
    EXPECT_EQ(castle.GetCurRoom(), 0);
    EXPECT_EQ(castle.GetRoomFrames(), 9999);
}

TEST_F(CasleWorldTest, ObjectsAreMovedAndDrawnInTheOrderTheyAreRegistered)
{
    Casle& c = MakeCastle();
    std::vector<Object*> expected;
    for (int i = 0; i < Casle_Object_Count; ++i)
        expected.push_back(c.GetCastleObject(i));
    for (int i = 0; i < Casle_Switch_Count; ++i)
        expected.push_back(c.GetSwitch(i));
    for (int i = 0; i < Casle_Lift_Count; ++i)
        expected.push_back(c.GetLift(i));
    for (int i = 0; i < Casle_PushOver_Count; ++i)
        expected.push_back(c.GetPushOver(i));
    expected.push_back(c.GetMachine());
    for (int i = 0; i < Casle_Lights_Count; ++i)
    {
        expected.push_back(c.GetLights(i));
        for (unsigned int k = 0; k < Casle_Light_Count; ++k)
            expected.push_back(c.GetLights(i)->GetLight(k));
    }
    // The lasers after the switches, the eyes after the lasers: a switch reads the eyes' sight
    // of the step before, and a target under an eye's beam sees it in the step it fires.
    for (int i = 0; i < Casle_Lasers_Count; ++i)
        expected.push_back(c.GetLaser(i));
    for (int i = 0; i < Casle_Eyes_Count; ++i)
        expected.push_back(c.GetEye(i));
    for (int i = 0; i < Casle_Podiums_Count; ++i)
        expected.push_back(c.GetPodiums(i));
    expected.push_back(c.GetSymbols());
    for (int i = 0; i < Casle_MultiHits_Count; ++i)
        expected.push_back(c.GetMultiHit(i));
    expected.push_back(c.GetSwivel());
    expected.push_back(c.GetDude());
    for (int i = 0; i < Casle_PickUp_Count; ++i)
        expected.push_back(c.GetPickUp(i));
    for (int i = 0; i < Casle_Chest_Count; ++i)
        expected.push_back(c.GetChest(i));
    EXPECT_EQ(Objects(), expected);

    // The driver: the switches, lifts, push-overs, multi-hit blocks, swivel and then the doors,
    // which are in no other list; laser targets are in neither.
    std::vector<MapMoveObject*> movers;
    for (int i = 0; i < Casle_Switch_Count; ++i)
        movers.push_back(c.GetSwitch(i));
    for (int i = 0; i < Casle_Lift_Count; ++i)
        movers.push_back(c.GetLift(i));
    for (int i = 0; i < Casle_PushOver_Count; ++i)
        movers.push_back(c.GetPushOver(i));
    for (int i = 0; i < Casle_MultiHits_Count; ++i)
        movers.push_back(c.GetMultiHit(i));
    movers.push_back(c.GetSwivel());
    for (int i = 0; i < Casle_Door_Count; ++i)
        movers.push_back(c.GetDoor(i));
    std::vector<MapMoveObject*> registered;
    for (int i = 0; i < c.GetDriver()->ObjectCount(); ++i)
        registered.push_back(c.GetDriver()->GetObject(i));
    EXPECT_EQ(registered, movers);
}

TEST_F(CasleWorldTest, WhatAnEarlierVisitLeftIsReadOnceAtConstruction)
{
    double const shut = GroupBottom(*MakeCastle().GetMap(), Casle_EntranceGroup);

    GameEvents before;
    before[Casle_Event_FeePaid] = GameEvent_HasHappened;
    before[Event_Socks] = GameEvent_HasHappened;
    before.levelFlags[Casle_GemRow][0] = 1;
    Casle& c = MakeCastle(before);
    // The entrance stands open from the first step on.
    EXPECT_DOUBLE_EQ(GroupBottom(*c.GetMap(), Casle_EntranceGroup), shut + Casle_EntranceRise);
    EXPECT_EQ(Step(), Level_Continue);
    EXPECT_DOUBLE_EQ(GroupBottom(*c.GetMap(), Casle_EntranceGroup), shut + Casle_EntranceRise);
    // No socks and no message of them; the gem of chest 1 has no chest but is still placed.
    EXPECT_EQ(c.GetPickUp(2), nullptr);
    EXPECT_TRUE(c.SocksMessageShown());
    EXPECT_EQ(c.GetChest(0), nullptr);
    ASSERT_NE(c.GetPickUp(0), nullptr);
    std::vector<Object*> const all = Objects();
    EXPECT_NE(std::find(all.begin(), all.end(), c.GetPickUp(0)), all.end());
    EXPECT_NE(c.GetChest(1), nullptr);
    EXPECT_EQ(c.GetPickUp(0)->level, Casle_GemRow);
    EXPECT_EQ(c.GetPickUp(1)->slot, 1);
    Steps(300);
    EXPECT_EQ(c.GetMessage()->Waiting(), 0);
}

TEST_F(CasleWorldTest, APaidEntranceStaysOpenWhenSwitch1IsPressedAndLetGo)
{
    GameEvents paid;
    paid[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Casle& c = MakeCastle(paid);
    Map const& map = *c.GetMap();
    double const open = GroupBottom(map, Casle_EntranceGroup);
    Player* player = c.GetPlayer();
    // Switch 1 in room 5 works the gate as door 1, but a paid gate neither drops nor falls.
    player->pos = Pointf(1010.0, 3733.0);
    for (int i = 0; i < 100; ++i)
    {
        Steps(1);
        ASSERT_DOUBLE_EQ(GroupBottom(map, Casle_EntranceGroup), open) << "step " << i << " on switch 1";
    }
    player->pos = Pointf(1115.0, 3721.0);
    Steps(300);
    EXPECT_DOUBLE_EQ(GroupBottom(map, Casle_EntranceGroup), open);
    // Open, it lets the player through out of the hall.
    player->pos = Pointf(1250.0, 3001.0);
    Steps(100, {KeyIndex_GameRight});
    EXPECT_GT(player->GetPos().x, 1300.0);
}

TEST_F(CasleWorldTest, WithoutItsMusicTheCastlePlaysOnSilent)
{
    std::filesystem::path const music = data->path / "music/castle.mp3";
    std::filesystem::path const aside = data->path / "castle.mp3.aside";
    std::filesystem::rename(music, aside);
    Error const e = TryBuild(Level_Casle);
    std::filesystem::rename(aside, music);
    EXPECT_EQ(e.Code(), Error_None) << e.Text();
    EXPECT_EQ(Steps(10), Level_Continue);
}

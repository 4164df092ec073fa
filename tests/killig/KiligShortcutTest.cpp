// The master's house and dungeon as a player meets them: the map's drawing order hides nothing stood on
// and no door, plate or lift, and the first room's door keeps both a held direction and random keys
// from the dungeon's exit. A player with the double jump gets past no door whose puzzle he has not
// solved, jumping at any timing, nor drops in behind one from above. No floor lies where a camera
// room's view cuts off whoever stands there, no jump on the way out rises into the last room, and a
// door that shuts on the player or a plate that rises under his foot leaves him free to walk on, and
// no one runs or jumps off a plate under its door as it falls.
#include "engine/Door.h"
#include "killig/KiligWorldSupport.h"
#include "support/DrawOrder.h"
#include "support/FrameCheck.h"
#include "support/PuzzleDoors.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"
#include "tools/worlds/killig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

class KiligShortcut : public KiligWorldFixture
{
protected:
    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }

    // Stands the player at p and waits for the camera to come to rest on him.
    void StandAndLook(Pointf p)
    {
        PutPlayer(*world, p, 1.0);
        auto const& view = world->GetMap()->view;
        // The room's camera is set from where he stood before a step, and eases in from the next.
        for (int i = 0, still = 0; i < 600 && still < 10; ++i)
        {
            double const x = view.x;
            double const y = view.y;
            double const scale = view.scale;
            Step();
            bool const moved =
                std::fabs(view.x - x) > 1e-6 || std::fabs(view.y - y) > 1e-6 || std::fabs(view.scale - scale) > 1e-9;
            still = moved ? 0 : still + 1;
        }
    }

    // A map group's bound where it stands, widened by the cover of its swing.
    Rectf Bound(unsigned int group)
    {
        Rectf bound;
        world->GetMap()->FindGroupBound(group, &bound);
        return bound;
    }

    // A player who has tuned the plateau's aerial: he jumps a second time in the air.
    Kilig& DungeonWithTheDoubleJump()
    {
        GameEvents record = Learnt();
        record[Event_DoubleJump] = GameEvent_HasHappened;
        return Dungeon(record);
    }

    // Where door d's puzzle is solved from: its plate, the podium or the blob.
    Pointf Opener(int d)
    {
        Kilig_DoorIds const& door = Kilig_Doors[d];
        if (door.opener == Kilig_BySwitch)
        {
            Rectf const plate = Bound(Kilig_SwitchGroups[door.index]);
            return Pointf((plate.x0 + plate.x1) / 2.0, plate.y1);
        }
        return Rp(door.opener == Kilig_ByPodium ? Kilig_Rp_Podiums[door.index] : Kilig_Rp_WavyBlobs[door.index]);
    }

    // Whether the player stands on door d's floor beyond it, on the side away from its opener.
    bool Behind(int d)
    {
        Rectf const shut = Bound(Kilig_Doors[d].group);
        double const floor = shut.y0; // the door's picture stands on the floor
        int const side = Opener(d).x < shut.x0 ? 1 : -1;
        Pointf const p = Hero()->GetPos();
        double const beyond = side > 0 ? p.x - shut.x1 : shut.x0 - p.x;
        return Hero()->onGround && beyond > 0.0 && beyond < 120.0 && p.y > floor - 25.0 && p.y < floor + 5.0;
    }

    // What a stand of some steps and then holding each direction makes of the player: "" when he
    // walks away; otherwise where he stays.
    std::string WalksAway(int still)
    {
        for (int i = 0; i < still; ++i)
            Step();
        return ShortcutRun::Wedged(*world, Stepper());
    }
};

} // namespace

TEST_F(KiligShortcut, NoLaterPolygonHidesWhatAPlayerStandsOnOrAMovingGroup)
{
    Kilig& kilig = Dungeon();
    EXPECT_TRUE(DrawOrder::NothingHidden(*kilig.GetMap()));
}

TEST_F(KiligShortcut, HoldingADirectionOrRandomKeysDoNotReachTheDungeonsExit)
{
    ShortcutRun::Each([this] { Dungeon(); }, Stepper(),
                      [](ShortcutRun::Result const& r) { EXPECT_NE(r.action, Level_Completed) << r.how; });
}

TEST_F(KiligShortcut, HoldingRightWithTheDoubleJumpAtAnyTimingNeverTakesThePlayerPastTheFirstRoomsDoor)
{
    // From the dungeon's start over plate 0 without stopping and on against door 0, jumping at each
    // timing of each way of jumping twice: no past self holds the plate, and his feet never cross the
    // door's near face at any height.
    std::string faults;
    for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
        for (int walk = 0; walk < 40; ++walk)
        {
            DungeonWithTheDoubleJump();
            double nearest = 0.0;
            for (int i = 0; i < 400; ++i)
            {
                ASSERT_EQ(Step(ShortcutRun::HeldKeys(KeyIndex_GameRight, i, jumps, walk)), Level_Continue);
                Pointf const p = Hero()->GetPos();
                nearest = std::max(nearest, p.x);
                if (p.x <= KiligWriter::Road_Door0X + 0.5)
                    continue;
                char text[160];
                std::snprintf(text, sizeof text, "%s: at (%.1f, %.1f) after %d steps\n",
                              ShortcutRun::HoldName(KeyIndex_GameRight, jumps, walk).c_str(), p.x, p.y, i + 1);
                faults += text;
                break;
            }
            EXPECT_GT(nearest, KiligWriter::Road_Door0X - Player_Width) << "he never came to the door";
        }
    EXPECT_EQ(faults, "");
}

TEST_F(KiligShortcut, NoDoorAPuzzleOpensIsJumpedOrDroppedInBehindByAPlayerWithTheDoubleJump)
{
    // Each from just before it, held towards it at a spread of timings of each way of jumping; and
    // from the places over or round the doors: the upper floor over blob 0's door,
    // the road past its gallery's end, the top step of the stairs over door 1, the spike ring's
    // lower tier by its end over doors 5 and 6, the road past the gallery of doors 2 to 6, and the
    // floor over doors 11 to 15. He never stands just behind a door whose puzzle he has not solved.
    struct Way
    {
        Pointf from;
        int direction;
        std::vector<int> doors;
    };
    std::vector<Way> ways;
    Dungeon();
    for (int d = 1; d < Kilig_Door_Count; ++d)
    {
        Rectf const shut = Bound(Kilig_Doors[d].group);
        bool const right = Opener(d).x < shut.x0;
        double const x = right ? shut.x0 - 40.0 : shut.x1 + 40.0;
        ways.push_back({Pointf(x, shut.y0), right ? KeyIndex_GameRight : KeyIndex_GameLeft, {d}});
    }
    ways.push_back({Pointf(3100.0, 2010.0), KeyIndex_GameRight, {7}});
    ways.push_back({Pointf(3300.0, KiligWriter::RoadY(3300.0)), KeyIndex_GameLeft, {7}});
    ways.push_back({Pointf(7965.0, 2110.0), KeyIndex_GameRight, {1}});
    ways.push_back({Pointf(10300.0, 2160.0), KeyIndex_GameRight, {5, 6}});
    ways.push_back({Pointf(10650.0, KiligWriter::RoadY(10650.0)), KeyIndex_GameLeft, {6}});
    ways.push_back({Pointf(12200.0, 2680.0), KeyIndex_GameRight, {11, 12, 13, 14, 15}});
    std::string faults;
    for (Way const& way : ways)
        for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk : {0, 9, 13, 22, 30})
            {
                DungeonWithTheDoubleJump();
                PutPlayer(*world, way.from, 1.0);
                for (int i = 0; i < 300; ++i)
                {
                    if (Step(ShortcutRun::HeldKeys(way.direction, i, jumps, walk)) != Level_Continue)
                        break;
                    auto const behind = std::find_if(way.doors.begin(), way.doors.end(), [&](int d) { return Behind(d); });
                    if (behind == way.doors.end())
                        continue;
                    char text[200];
                    std::snprintf(text, sizeof text, "from (%.0f, %.0f), %s: behind door %d at (%.1f, %.1f) after %d steps\n",
                                  way.from.x, way.from.y, ShortcutRun::HoldName(way.direction, jumps, walk).c_str(),
                                  *behind, Hero()->GetPos().x, Hero()->GetPos().y, i + 1);
                    faults += text;
                    break;
                }
            }
    EXPECT_EQ(faults, "");
}

TEST_F(KiligShortcut, NoFloorInACameraRoomLiesWhereTheRoomsViewCutsOffWhoeverStandsThere)
{
    // Within his own width of a room's edge he may stand in a strip the room's view leaves out, as
    // he does walking from room to room; anywhere further in, the room's view shows him whole.
    Kilig& kilig = Dungeon();
    std::vector<StandingSurface> const floors = StandingSurfaces(*kilig.GetMap(), {1.0});
    auto const inside = [](Pointf p, int room) {
        for (Pointf const d : {Pointf(-Player_Width, 0.0), Pointf(Player_Width, 0.0), Pointf(0.0, -Player_Height),
                               Pointf(0.0, Player_Height)})
            if (Kilig::CameraRoom(p + d) != room)
                return false;
        return true;
    };
    std::string cut;
    int looked = 0;
    for (StandingSurface const& floor : floors)
        for (double x = floor.a.x + 2.0; x < floor.b.x - 2.0; x += 4.0)
        {
            Pointf const at(x, floor.a.y + (floor.b.y - floor.a.y) * (x - floor.a.x) / (floor.b.x - floor.a.x));
            int const room = Kilig::CameraRoom(at);
            if (room < 0 || !inside(at, room))
                continue;
            // The view only moves with him in a room whose camera follows him: where he already
            // stands whole in the view he was last looked at in, he stands whole here too.
            PutPlayer(*world, at, 1.0);
            FrameCheck_Box box = FrameCheck::PlayerBox(*world);
            if (kilig.GetCameraRoom() == room && box.Inside(LevelFrame::Width, LevelFrame::Height))
                continue;
            StandAndLook(at);
            ++looked;
            Pointf const stands = Hero()->GetPos();
            box = FrameCheck::PlayerBox(*world);
            if (Kilig::CameraRoom(stands) != room || !inside(stands, room) || Hero()->IsPlayerDead() != 0
                || box.Inside(LevelFrame::Width, LevelFrame::Height))
                continue;
            char text[160];
            std::snprintf(text, sizeof text,
                          "room %d cuts off a player standing at (%.0f, %.0f): box (%.0f, %.0f)-(%.0f, %.0f)\n", room,
                          stands.x, stands.y, box.x0, box.y0, box.x1, box.y1);
            cut += text;
        }
    EXPECT_GT(looked, 19);
    EXPECT_EQ(cut, "");
}

TEST_F(KiligShortcut, AJumpUnderTheWayOutsLintelStaysOutOfTheLastRoomWhoseViewEndsShortOfTheExit)
{
    Dungeon();
    for (double x = KiligWriter::Road_ExitLintelX + 5.0; x < Kilig_ExitX; x += 10.0)
    {
        PutPlayer(*world, Pointf(x, KiligWriter::RoadY(x)), 1.0);
        double top = 0.0;
        for (int i = 0; i < 60; ++i)
        {
            Step(i < 20 ? std::vector<int>{KeyIndex_GameJump} : std::vector<int>());
            top = std::max(top, Hero()->GetPos().y);
            EXPECT_EQ(Kilig::CameraRoom(Hero()->GetPos()), -1) << "jumping at " << x << ", step " << i;
        }
        EXPECT_GT(top, KiligWriter::RoadY(x) + 1.0) << "no jump at " << x;
    }
}

TEST_F(KiligShortcut, ADoorShuttingOnThePlayerOrAPlateRisingUnderHisFootLeavesHimFreeToWalkAway)
{
    for (int d = 0; d < Kilig_Door_Count; ++d)
    {
        Kilig_DoorIds const& door = Kilig_Doors[d];
        if (door.opener != Kilig_BySwitch)
            continue;
        Dungeon();
        // Held open from its plate, then shut on him as he stands in its way.
        Rectf const plate = Bound(Kilig_SwitchGroups[door.index]);
        double const floor = plate.y1;
        PutPlayer(*world, Pointf((plate.x0 + plate.x1) / 2.0, floor), 1.0);
        for (int i = 0; i < 2 * int(door.distance); ++i)
            Step();
        Rectf const open = Bound(door.group);
        PutPlayer(*world, Pointf((open.x0 + open.x1) / 2.0, floor), 1.0);
        EXPECT_EQ(WalksAway(2 * int(door.distance)), "") << "under door " << d;
    }
    for (int s = 0; s < Kilig_Switch_Count; ++s)
        for (int const side : {-1, 1})
        {
            Dungeon();
            // Coming down from a jump onto the plate's end as he runs off it: it sinks under the
            // foot that lands there and rises again once he is past.
            Rectf const plate = Bound(Kilig_SwitchGroups[s]);
            double const end = side < 0 ? plate.x0 : plate.x1;
            PutPlayer(*world, Pointf(end - side * 6.9, plate.y1 + 3.4), 1.0);
            Hero()->speed = side * 4.6;
            Hero()->fallSpeed = 10.4;
            for (int i = 0; i < 20; ++i)
                Step({side < 0 ? KeyIndex_GameLeft : KeyIndex_GameRight});
            EXPECT_EQ(WalksAway(60), "") << "off the " << (side < 0 ? "left" : "right") << " end of plate " << s;
        }
}

TEST_F(KiligShortcut, RunningOrJumpingOffAPlateAtAnyTimingNeverTakesThePlayerPastItsDoorAsItFalls)
{
    // Each door a plate opens, held open from its plate, then run at from the plate (from where he
    // stood, and after backing off it for a run-up), walking or jumping twice with the double jump
    // at a spread of timings: once he is off the plate, the door falls lower than his head before he
    // comes to its middle, and no door falling, bouncing or at rest lets his feet past its middle.
    // The random keys of the check every world runs found the door falling as he got there.
    GameEvents record = Learnt();
    record[Event_DoubleJump] = GameEvent_HasHappened;
    std::string faults;
    int runs = 0;
    for (int d = 0; d < Kilig_Door_Count; ++d)
    {
        Kilig_DoorIds const& ids = Kilig_Doors[d];
        if (ids.opener != Kilig_BySwitch)
            continue;
        for (int back : {0, 12, 30})
            for (int jumps = 0; jumps < 3; ++jumps)
                for (int walk = 0; walk < 40; walk += jumps == 0 ? 40 : 5)
                {
                    Kilig& w = Dungeon(record);
                    Step(); // the groups in their places
                    Rectf const plate = Bound(Kilig_SwitchGroups[ids.index]);
                    std::vector<DoorPlace> const places = PlaceDoor(*w.GetMap(), ids.group, DoorSide::Left);
                    ASSERT_EQ(places.size(), 1u) << "door " << d;
                    Door const* door = w.GetDoor(d);
                    double const distance = ids.distance;
                    PutPlayer(*world, Pointf((plate.x0 + plate.x1) / 2.0, plate.y1), 1.0);
                    for (int i = 0; i < int(distance) + 20; ++i)
                        Step();
                    ASSERT_GT(door->GetPos(world->GetTick()), distance - 1.0) << "door " << d << " does not open";
                    for (int i = 0; i < back; ++i)
                        Step({KeyIndex_GameLeft});
                    ShortcutRun::Jumps const how = jumps == 1 ? ShortcutRun::Jumps::Twice : ShortcutRun::Jumps::AtTop;
                    std::string const name =
                        "door " + std::to_string(d) + ", " + std::to_string(back) + " steps back, "
                        + (jumps == 0 ? std::string("running") : ShortcutRun::HoldName(KeyIndex_GameRight, how, walk));
                    DoorWatch watch(*world, name,
                                    {{"its door", places.front(), [door, distance](Tick t) {
                                          return door->IsActive(t) || door->GetPos(t) >= distance;
                                      }}});
                    ShortcutRun::Run(
                        watch.Wrap(Stepper()), 200,
                        [&](int i) {
                            return jumps == 0 ? std::vector<int>{KeyIndex_GameRight}
                                              : ShortcutRun::HeldKeys(KeyIndex_GameRight, i, how, walk);
                        },
                        name);
                    faults += watch.Report();
                    ++runs;
                }
    }
    EXPECT_GT(runs, 0);
    EXPECT_EQ(faults, "");
}

// The master's house and dungeon as a player meets them: the map's drawing order hides nothing stood on
// and no door, plate or lift, and the first room's door keeps both a held direction and random keys
// from the dungeon's exit. No floor lies where a camera room's view cuts off whoever stands there, no
// jump on the way out rises into the last room, a plate that rises under his foot leaves him free to
// walk on, and no double jump along gallery E's upper floor clears the junction's wall. (Every
// world's puzzle doors against held keys, double jumps, runs off their plates and a door shut on the
// player: tests/shell/WorldKitTest.cpp.)
#include "killig/KiligWorldSupport.h"
#include "support/DrawOrder.h"
#include "support/FrameCheck.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"
#include "tools/worlds/killig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

TEST_F(KiligShortcut, APlateRisingUnderHisFootLeavesHimFreeToWalkAway)
{
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

TEST_F(KiligShortcut, NoDoubleJumpFromGalleryEsUpperFloorOrItsStairsClearsTheJunctionsWall)
{
    // Holding right along the upper floor, with a second press at each jump's top, onto the
    // rippling platforms and up beside the wall; and up the stairs from their first step, the jumps
    // started a few steps apart. Beyond the wall lie door 16's far side, lift 1's ledge and the
    // floor beyond door 19, all above the road's tunnel.
    GameEvents record = Learnt();
    record[Event_DoubleJump] = GameEvent_HasHappened;
    struct Run
    {
        Pointf from;
        ShortcutRun::Jumps jumps;
        int walk;
    };
    std::vector<Run> runs;
    for (int walk = 0; walk < 2; ++walk)
        runs.push_back({Pointf(12200.0, 2680.0), ShortcutRun::Jumps::AtTop, walk});
    for (int walk = 18; walk < 23; ++walk)
        runs.push_back({Pointf(11985.0, 2515.0), ShortcutRun::Jumps::Twice, walk});
    for (Run const& run : runs)
    {
        Dungeon(record);
        PutPlayer(*world, run.from, 1.0);
        for (int i = 0; i < 700; ++i)
        {
            Step(ShortcutRun::HeldKeys(KeyIndex_GameRight, i, run.jumps, run.walk));
            Pointf const p = Hero()->GetPos();
            if (p.x > KiligWriter::Junction_Right && p.y > 2400.0)
            {
                ADD_FAILURE() << "over the junction's wall at (" << p.x << ", " << p.y << ") in step " << i
                              << " from (" << run.from.x << ", " << run.from.y << "), "
                              << ShortcutRun::HoldName(KeyIndex_GameRight, run.jumps, run.walk);
                break;
            }
        }
    }
}

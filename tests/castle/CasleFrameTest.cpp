// What the castle's room cameras show of the generated castle, drawn headless and read back: no bare
// clear colour anywhere, and the floor a player stands on well inside the frame.
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Ids.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "support/FrameCheck.h"
#include "support/LevelFrame.h"
#include "support/ShortcutRun.h"
#include "support/WorldFixture.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapDressing.h"
#include "tools/MapTextures.h"
#include "tools/worlds/castle.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{

constexpr int Frame_W = LevelFrame::Width;
constexpr int Frame_H = LevelFrame::Height;

// Feet at p in room's rectangle, near a side of it that opens into another room, where the camera
// of the room he is entering takes over.
bool Entering(int room, Pointf p)
{
    for (Casle_RoomRect const& r : Casle_RoomRects)
    {
        if (r.room != room || !Casle_InArea(p, r.x0, r.x1, r.y0, r.y1))
            continue;
        double const mid = p.y + Player_Height / 2.0;
        auto other = [&](double x, double y) {
            int const beyond = Casle::FindRoom(Pointf(x, y));
            return beyond >= 0 && beyond != room;
        };
        return (p.x - r.x0 < 50.0 && other(r.x0 - 60.0, mid)) || (r.x1 - p.x < 50.0 && other(r.x1 + 60.0, mid))
               || (p.y - r.y0 < 50.0 && other(p.x, r.y0 - 60.0)) || (r.y1 - p.y < 50.0 && other(p.x, r.y1 + 60.0));
    }
    return false;
}

class CasleFrameTest : public MutedWorldFixture
{
protected:
    // Holds the player at p until the room's camera has come to rest, then draws the frame over a
    // clear colour that nothing in the castle is drawn in, and reads it back.
    LevelFrame FrameAt(Casle& castle, Pointf const& p)
    {
        for (int i = 0; i < 120; ++i)
        {
            castle.GetPlayer()->SetPos(&p);
            Step();
        }
        return LevelFrame::Draw(castle);
    }

    // With HM_CASTLE_FRAMES naming a folder, each room's frame is kept there to be looked at.
    static void Keep(LevelFrame const& frame, std::string const& name)
    {
        char const* dir = std::getenv("HM_CASTLE_FRAMES");
        if (dir == nullptr)
            return;
        Canvas c(Frame_W, Frame_H);
        for (int y = 0; y < Frame_H; ++y)
            for (int x = 0; x < Frame_W; ++x)
            {
                unsigned char const* p = &frame.rgba[(static_cast<std::size_t>(y) * Frame_W + x) * 4];
                c.Set(x, Frame_H - 1 - y, Rgba{p[0], p[1], p[2], 255});
            }
        DataGen::SavePng(c, dir, name);
    }

    // Holds a direction for 1500 steps from where the player stands, with a jump now and then
    // (ShortcutRun.h) or none, and returns what went wrong: the level ended, he stood outside the
    // castle's top and every room rectangle other than falling down the shaft from the top into room
    // 18, or a frame showed him out of sight (FrameCheck.h; the fall down the shaft and a walk from
    // one room into the next let by).
    std::string Hold(Casle& castle, std::string const& name, int direction, bool jumps)
    {
        using namespace CastleWriter;
        // From the top's floor on: the top's view, held at its height, ends above that floor.
        auto falling = [](Pointf p) {
            bool const shaft = p.x >= Top_WallLeftX && p.x <= Top_LeftX;
            return shaft && p.y < Top_Floor && Casle::FindRoom(p) < 0;
        };
        FrameCheck check(castle, name, [&, was = castle.GetPlayer()->GetPos()](World_Base const& w) mutable {
            Pointf const p = w.GetPlayer()->GetPos();
            bool const passing = std::fabs(p.x - was.x) >= 1.0 && Entering(Casle::FindRoom(p), p);
            was = p;
            return falling(p) || passing ? FrameCheck_Let::Frame : FrameCheck_Let::Nothing;
        });
        std::ostringstream outside;
        ShortcutRun::Stepper const step = check.Wrap([&](std::vector<int> const& held) {
            Level_Action const r = Step(held);
            Pointf const p = castle.GetPlayer()->GetPos();
            if (outside.tellp() == 0 && p.y <= Casle_TopZoneY && Casle::FindRoom(p) < 0 && !falling(p))
                outside << name << ": outside the castle's top and rooms at (" << p.x << ", " << p.y << ")\n";
            return r;
        });
        constexpr int Steps = 1500;
        ShortcutRun::Result const r = jumps ? ShortcutRun::Hold(step, direction, Steps)
                                            : ShortcutRun::Run(
                                                step, Steps, [&](int) { return std::vector<int>{direction}; }, "");
        std::string const ended = r.action == Level_Continue ? "" : name + ": " + r.how + "\n";
        if (falling(castle.GetPlayer()->GetPos()))
            outside << name << ": stands in a shaft at the end\n";
        return ended + outside.str() + check.Report();
    }
};

} // namespace

TEST_F(CasleFrameTest, NoRoomCameraShowsTheClearColour)
{
    Build(Level_Casle);
    Casle& castle = As<Casle>();
    for (Casle_RoomRect const& r : Casle_RoomRects)
    {
        Pointf const middle((r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0);
        LevelFrame const frame = FrameAt(castle, middle);
        ASSERT_EQ(castle.GetCurRoom(), r.room) << "the middle of a rectangle of room " << r.room;
        EXPECT_EQ(frame.Cleared(), 0) << "room " << r.room << " at (" << middle.x << ", " << middle.y << ")";
        Keep(frame, "room" + std::to_string(r.room) + "_" + std::to_string(int(middle.x)) + ".png");
    }
    // Over the castle's top the camera follows along it.
    for (double x : {2100.0, 4600.0, 7200.0})
    {
        Pointf const top(x, Casle_TopZoneY + 120.0);
        LevelFrame const frame = FrameAt(castle, top);
        EXPECT_EQ(frame.Cleared(), 0) << "over the castle's top at x " << x;
        Keep(frame, "top_" + std::to_string(int(x)) + ".png");
    }
}

TEST_F(CasleFrameTest, TheFloorsOfTheRoomsStandClearOfTheBottomOfTheirCamerasFrames)
{
    Build(Level_Casle);
    Casle& castle = As<Casle>();
    using namespace CastleWriter;
    struct Stand
    {
        int room;
        double x, floor;
    };
    Stand const stands[] = {
        {0, 1100.0, Hall_Floor},     {4, 1500.0, Room4_Floor},   {5, 950.0, Room4_Floor},
        {10, 2555.0, Room4_Floor},   {19, 4185.0, Road_Floor},   {20, 4720.0, Road_Floor},
        {29, 4210.0, Lower_Floor},   {30, 3800.0, Lower_Floor},  {31, 3520.0, Lower_Floor},
        {32, Pit_WatchX, Pit_Floor}, {33, 5700.0, Lower_Floor},  {34, 4720.0, Lower_Floor},
        {35, 5240.0, Lower_Floor},   {37, 6200.0, Room37_Floor}, {3, 1650.0, Walkway_Floor + 50.0},
        {16, 2870.0, Room16_Floor},  {22, 4600.0, Room22_Floor}, {23, 5200.0, Room22_Floor},
        {24, 5590.0, Room22_Floor},  {25, 6150.0, Room22_Floor}, {13, Room13_StandX, Room13_Floor},
        {11, Room11_PodiumX[1], Road_Floor},
    };
    for (Stand const& s : stands)
    {
        Pointf const feet(s.x, s.floor + 1.0);
        Keep(FrameAt(castle, feet), "stand" + std::to_string(s.room) + ".png");
        ASSERT_EQ(castle.GetCurRoom(), s.room) << "standing at x " << s.x;
        Pointf const on = feet.WorldToScreen(&castle.GetMap()->view);
        EXPECT_GE(on.y, 60.0) << "room " << s.room << ": the floor at the frame's bottom";
        EXPECT_LE(on.y, Frame_H - 120.0) << "room " << s.room;
        EXPECT_GE(on.x, 40.0) << "room " << s.room;
        EXPECT_LE(on.x, Frame_W - 40.0) << "room " << s.room;
    }
}

// Floors not fitted to the rooms' rectangles: the way out by the entrance, whose exit lies 60 left
// of room 0, so that the hall's floor between them, which the player must cross to leave, lies in
// no room (the camera stays on room 0's view there).
struct Unfitted_Area
{
    double x0, x1, y0, y1;
};
constexpr Unfitted_Area Unfitted[] = {
    {Casle_EntranceExitX, 930.0, 2990.0, 3010.0},
};

// Every top a player can stand on in front of a room's back wall, the tops of the doors, lifts and
// other moving groups and the places past an exit, where the level ends, aside, lies in a room
// rectangle, and that room's camera, come to rest, shows
// the player standing there (along the axis it holds: rooms 11 and 36 follow him along x, room 12
// along y), unless he stands by a side of the rectangle that opens into another room, where the
// camera of the room he is entering takes over.
TEST_F(CasleFrameTest, EveryFloorOfTheRoomsLiesInARoomRectangleWhoseCameraShowsThePlayerOnIt)
{
    Build(Level_Casle);
    Casle& castle = As<Casle>();
    MapWriter const map = CastleWriter::BuildMap();
    auto beforeBackWall = [&](double x, double y) {
        for (MapWriter_Poly const& poly : map.polys)
        {
            if (poly.solid || poly.texture != MapTextures::Brick || poly.points.empty())
                continue;
            double x0 = poly.points[0].x, x1 = x0, y0 = poly.points[0].y, y1 = y0;
            for (MapWriter_Point const& c : poly.points)
            {
                x0 = std::min(x0, c.x), x1 = std::max(x1, c.x), y0 = std::min(y0, c.y), y1 = std::max(y1, c.y);
            }
            if (x > x0 && x < x1 && y > y0 && y < y1)
                return true;
        }
        return false;
    };
    std::map<int, std::vector<Pointf>> spots; // by room
    std::ostringstream outside;
    int found = 0;
    for (MapWriter_Poly const& poly : map.polys)
    {
        if (!poly.solid || poly.group != 0)
            continue;
        for (std::size_t i = 0; i < poly.points.size(); ++i)
        {
            MapWriter_Point const& a = poly.points[i];
            MapWriter_Point const& b = poly.points[(i + 1) % poly.points.size()];
            if (!a.drawEdge || b.x == a.x)
                continue;
            int const n = std::max(1, static_cast<int>(std::fabs(b.x - a.x) / 16.0));
            for (int k = 0; k <= n; ++k)
            {
                double const x = a.x + (b.x - a.x) * k / n;
                double const y = a.y + (b.y - a.y) * k / n;
                // Room for him to stand, and not a corner where two solids meet.
                auto covered = [&](double cx, double cy) { return MapDressing::Covered(map, cx, cy, 0, nullptr); };
                if (covered(x, y + 1.0) || covered(x, y + Player_Height - 1.0)
                    || (covered(x - 0.5, y + 1.0) && covered(x + 0.5, y + 1.0))
                    || !beforeBackWall(x, y + Player_Height / 2.0) || y > Casle_TopZoneY
                    || (x > Casle_FarExitX && y < Casle_FarExitY)
                    || (x < Casle_EntranceExitX && y < Casle_EntranceExitY))
                    continue;
                ++found;
                Pointf const feet(x, y);
                if (std::any_of(std::begin(Unfitted), std::end(Unfitted), [&](Unfitted_Area const& u) {
                        return x >= u.x0 && x <= u.x1 && y >= u.y0 && y <= u.y1;
                    }))
                    continue;
                int const room = Casle::FindRoom(feet);
                if (room < 0)
                    outside << " (" << x << ", " << y << ")";
                else if (!Entering(room, feet))
                    spots[room].push_back(feet);
            }
        }
    }
    EXPECT_GT(found, 500);
    EXPECT_EQ(outside.str(), "") << "floors outside every room rectangle";
    for (auto const& [room, feet] : spots)
    {
        FrameAt(castle, feet.front());
        ASSERT_EQ(castle.GetCurRoom(), room);
        WorldTransform const* view = &castle.GetMap()->view;
        bool const holdsX = room != 11 && room != 36;
        bool const holdsY = room != 12;
        for (Pointf const& p : feet)
        {
            Pointf const middle = Pointf(p.x, p.y + Player_Height / 2.0).WorldToScreen(view);
            bool const inX = !holdsX || (middle.x >= 0.0 && middle.x <= Frame_W);
            bool const inY = !holdsY || (middle.y >= 0.0 && middle.y <= Frame_H);
            EXPECT_TRUE(inX && inY) << "room " << room << " does not show the player standing at (" << p.x << ", "
                                    << p.y << "): his middle on the screen at (" << middle.x << ", " << middle.y << ")";
        }
    }
}

TEST_F(CasleFrameTest, HeldByTheShutGateThePlayerAndTheGateAreBothInTheHallsFrame)
{
    Build(Level_Casle);
    Casle& castle = As<Casle>();
    Steps(300, {KeyIndex_GameRight});
    Pointf const at = castle.GetPlayer()->GetPos();
    EXPECT_LT(at.x, CastleWriter::Gate_X) << "walked through the shut gate";
    EXPECT_GT(at.x, CastleWriter::Gate_X - 30.0) << "stopped short of it";
    EXPECT_EQ(castle.GetCurRoom(), 0);
    Keep(LevelFrame::Draw(castle), "gate.png");
    WorldTransform const* view = &castle.GetMap()->view;
    Rectf gate;
    castle.GetMap()->FindGroupBound(Casle_EntranceGroup, &gate);
    for (Pointf const& p : {Pointf(at.x - 10.0, at.y), Pointf(at.x + 10.0, at.y + 20.0), Pointf(gate.x0, gate.y0),
                            Pointf(gate.x1, gate.y1)})
    {
        Pointf const s = p.WorldToScreen(view);
        EXPECT_TRUE(s.x >= 0.0 && s.x <= Frame_W && s.y >= 0.0 && s.y <= Frame_H)
            << "(" << p.x << ", " << p.y << ") on the screen at (" << s.x << ", " << s.y << ")";
    }
}

// Off the road, from the castle's top (reached on room 18's rising platform) and past the fee: a
// player holding either way, with jumps or without, stays inside the castle's rooms and top, in
// sight, and does not end the level: the top's left end drops down its shaft into room 18, its right
// end is a wall, and he holds the other way back from there; room 2's right wall stops him inside
// its camera's frame.
TEST_F(CasleFrameTest, HeldEitherWayFromTheTopOrPastTheFeeThePlayerStaysInTheRoomsInSight)
{
    GameEvents record;
    record[Event_DoubleJump] = GameEvent_HasHappened;
    record[Casle_Event_FeePaid] = GameEvent_HasHappened;
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
        for (bool jumps : {false, true})
        {
            bool const left = direction == KeyIndex_GameLeft;
            std::string const how = std::string(left ? "left" : "right") + (jumps ? ", jumping" : "");
            Build(Level_Casle, record);
            Casle& castle = As<Casle>();
            Pointf const top((CastleWriter::Top_LeftX + CastleWriter::Top_RightX) / 2.0, CastleWriter::Top_Floor + 1.0);
            FrameAt(castle, top);
            EXPECT_EQ(Hold(castle, "from the top, " + how, direction, jumps), "");
            int const back = left ? KeyIndex_GameRight : KeyIndex_GameLeft;
            EXPECT_EQ(Hold(castle, "from the top, " + how + ", and back", back, jumps), "");
            if (!left)
            {
                Build(Level_Casle, record);
                EXPECT_EQ(Hold(As<Casle>(), "past the fee, " + how, direction, jumps), "");
            }
        }
}

// What the castle's room cameras show of the generated castle, drawn headless and read back: no bare
// clear colour anywhere, and the floor a player stands on well inside the frame.
#include "castle/Casle.h"
#include "castle/Casle_Ids.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/LevelFrame.h"
#include "support/WorldFixture.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/worlds/castle.h"
#include "util/Pointf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

constexpr int Frame_W = LevelFrame::Width;
constexpr int Frame_H = LevelFrame::Height;

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
        {24, 5590.0, Room22_Floor},  {25, 6150.0, Room22_Floor}, {13, Room13_CrystalX, Room13_Floor},
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

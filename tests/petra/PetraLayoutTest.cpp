// The generated house laid out for play: the staffs' holders on straight lines and each one within
// the player's reach, the motel's labels readable over their own plates, the people where the rooms
// and the riddle-giver's talk need them, and every floor walked to its walls inside the house's views.
#include "engine/FloatyText.h"
#include "media/GameFont.h"
#include "petra/PetraWorldSupport.h"
#include "petra/Petra_Dude.h"
#include "petra/Petra_Petra.h"
#include "petra/Petra_Staff_Puzzle.h"
#include "support/LevelFrame.h"
#include "support/ShortcutRun.h"
#include "tools/worlds/petra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <set>
#include <vector>

namespace
{

// A flat top the player can stand on: a ledge of the staff room, or its floor.
struct Ledge
{
    double x0, x1, top;
};

class PetraLayoutTest : public PetraWorldFixture
{
protected:
    Pointf Holder(int s) { return Ref(Petra_Staff_BaseRefPt + static_cast<unsigned int>(s)); }

    // The staff room's ledges and floor, read from the generator's map: the solid boxes of the
    // room no wider than a step, and the floor under them.
    static std::vector<Ledge> StaffRoomLedges()
    {
        std::vector<Ledge> ledges{{3130.0, 3870.0, PetraWriter::Petra_StaffFloor}};
        for (MapWriter_Poly const& poly : PetraWriter::BuildMap().polys)
        {
            if (!poly.solid || poly.group != 0)
                continue;
            double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
            for (MapWriter_Point const& p : poly.points)
            {
                x0 = std::min(x0, p.x);
                x1 = std::max(x1, p.x);
                y0 = std::min(y0, p.y);
                y1 = std::max(y1, p.y);
            }
            if (Petra::CameraRoom(Pointf((x0 + x1) / 2.0, y1)) == 10 && x1 - x0 < 60.0
                && y1 > PetraWriter::Petra_StaffFloor)
                ledges.push_back({x0, x1, y1});
        }
        return ledges;
    }

    // Puts the player on a ledge at x and hops towards the other's middle: whether he stands on it.
    bool Hops(Ledge const& from, double x, Ledge const& to)
    {
        StandAt(Pointf(x, from.top));
        Steps(3);
        if (std::fabs(Hero().GetPos().y - from.top) > 1e-6)
            return false;
        HopTo((to.x0 + to.x1) / 2.0);
        Pointf const at = Hero().GetPos();
        return Hero().onGround && std::fabs(at.y - to.top) < 1e-6 && at.x > to.x0 && at.x < to.x1;
    }
};

} // namespace

TEST_F(PetraLayoutTest, TheHoldersOfEachLineStandInAStraightLineEachOnALedgeThatHoldsItsStaff)
{
    MakeWorld();
    for (int l = 0; l < Staff_Lines_Count; ++l)
    {
        Pointf const a = Holder(staffLines[l][0]);
        Pointf const b = Holder(staffLines[l][3]);
        double const length = std::hypot(b.x - a.x, b.y - a.y);
        for (int k = 1; k < 3; ++k)
        {
            Pointf const p = Holder(staffLines[l][k]);
            double const off = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
            EXPECT_NEAR(off, 0.0, 1e-6) << "row " << l << ", holder " << staffLines[l][k];
            double const along = ((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y)) / (length * length);
            EXPECT_GT(along, 0.0) << "row " << l << " in line order";
            EXPECT_LT(along, 1.0) << "row " << l << " in line order";
        }
    }
    for (int s = 0; s < Petra_Staff_Holder_Count; ++s)
    {
        unsigned int poly = 0;
        Pointf const below(Holder(s).x, Holder(s).y - 0.5), above(Holder(s).x, Holder(s).y + 0.5);
        EXPECT_TRUE(TheMap().CheckPoint(&below, poly, false)) << "a ledge under holder " << s;
        EXPECT_FALSE(TheMap().CheckPoint(&above, poly, false)) << "room over holder " << s;
    }
}

TEST_F(PetraLayoutTest, FromTheStaffRoomsFloorEveryHolderIsReachedByHops)
{
    MakeWorld();
    std::vector<Ledge> const ledges = StaffRoomLedges();
    ASSERT_GE(ledges.size(), static_cast<std::size_t>(1 + Petra_Staff_Holder_Count));
    // Breadth first from the floor, trying each ledge within a jump's reach from three places on
    // the one reached: beside the other, or at its own ends.
    std::vector<bool> reached(ledges.size(), false);
    std::deque<std::size_t> queue{0};
    reached[0] = true;
    while (!queue.empty())
    {
        Ledge const from = ledges[queue.front()];
        queue.pop_front();
        for (std::size_t i = 0; i < ledges.size(); ++i)
        {
            Ledge const& to = ledges[i];
            double const mid = (to.x0 + to.x1) / 2.0;
            if (reached[i] || to.top - from.top > 75.0 || std::fabs(mid - (from.x0 + from.x1) / 2.0) > 400.0)
                continue;
            // Beside the other ledge on either side, else the nearest end of this one.
            double const beside = (to.x1 - to.x0) / 2.0 + 16.0;
            for (double x : {mid - beside, mid + beside, from.x0 + 1.0, from.x1 - 1.0})
                if (x > from.x0 && x < from.x1 && Hops(from, x, to))
                {
                    reached[i] = true;
                    queue.push_back(i);
                    break;
                }
        }
    }

    for (int s = 0; s < Petra_Staff_Holder_Count; ++s)
    {
        bool found = false;
        for (std::size_t i = 0; i < ledges.size(); ++i)
            if (reached[i] && Holder(s).x > ledges[i].x0 && Holder(s).x < ledges[i].x1
                && std::fabs(Holder(s).y - ledges[i].top) < 1e-6)
                found = true;
        EXPECT_TRUE(found) << "holder " << s << " at " << Holder(s).x << ", " << Holder(s).y;
    }
}

TEST_F(PetraLayoutTest, EachAnswerLabelStandsOverItsPlateClearOfTheOthersAndEachSignOverItsQuestion)
{
    MakeWorld();
    GameFont const font;
    char const* const texts[9] = {"Olvane",    "Saffrin", "Yavenne", "Pearl necklace", "Quartz ring",
                                  "Ruby ring", "Pellion", "Gask",    "Wendrel"};
    struct Box
    {
        double x0, x1, y0, y1;
    };
    std::vector<Box> boxes;
    for (unsigned int q = 0; q < 3; ++q)
    {
        for (unsigned int k = 0; k < 3; ++k)
        {
            unsigned int const label = 3 * q + k;
            Pointf const at = Ref(Petra_Rp_Labels + label);
            Pointf const plate = PlateTop(Petra_Group_Answer + label);
            EXPECT_NEAR(at.x, plate.x, 1e-9) << "label " << label << " over its plate";
            EXPECT_GT(at.y, plate.y + 20.0) << "label " << label << " above a player on its plate";
            // The label's plate as drawn: the text at the labels' scale, and a margin of one
            // screen pixel around it, taken as one map unit: no more than that at any zoom of 1 or
            // over, as the question room's 1.3.
            double const halfWidth = font.MeasureText(texts[label], -1) * Petra_Label_Scale / 2.0 + 1.0;
            double const halfHeight = font.GetHeight() * Petra_Label_Scale / 2.0 + 1.0;
            boxes.push_back({at.x - halfWidth, at.x + halfWidth, at.y - halfHeight, at.y + halfHeight});
        }
        Pointf const sign = Ref(Petra_Rp_Signs + q);
        EXPECT_NEAR(sign.x, PlateTop(Petra_Group_Answer + 3 * q + 1).x, 1e-9) << "sign " << q << " by its middle plate";
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
        {
            bool const apart = boxes[i].x1 < boxes[j].x0 || boxes[j].x1 < boxes[i].x0 || boxes[i].y1 < boxes[j].y0
                               || boxes[j].y1 < boxes[i].y0;
            EXPECT_TRUE(apart) << "labels " << i << " and " << j << " overlap";
        }
}

TEST_F(PetraLayoutTest, TheNineAnswerLabelsReadTheAnswersInTheOrderOfTheirPlates)
{
    // The labels are the only guide to which plate means which answer: label 3q + k names answer k
    // of question q, stands at its own reference point over plate 3q + k, and the clues' solution
    // (Olvane, the ruby ring, Pellion) lies on the plates the motel accepts, answers 0, 2 and 0.
    Petra& petra = MakeWorld();
    char const* const texts[9] = {"Olvane",    "Saffrin", "Yavenne", "Pearl necklace", "Quartz ring",
                                  "Ruby ring", "Pellion", "Gask",    "Wendrel"};
    std::vector<Object*> const all = Objects();
    for (int k = 0; k < 9; ++k)
    {
        FloatyText const* label = petra.GetAnswerLabel(k);
        ASSERT_NE(label, nullptr) << "label " << k;
        EXPECT_STREQ(label->GetText(), texts[k]) << "label " << k;
        Pointf centre;
        double radius = 0.0;
        double scale = 0.0;
        ASSERT_TRUE(label->ActivePoint(centre, radius, scale));
        EXPECT_EQ(centre, Ref(Petra_Rp_Labels + unsigned(k))) << "label " << k;
        EXPECT_NEAR(centre.x, PlateTop(Petra_Group_Answer + unsigned(k)).x, 1e-9) << "label " << k;
        EXPECT_NE(std::find(all.begin(), all.end(), static_cast<Object const*>(label)), all.end()) << "label " << k;
    }
    EXPECT_STREQ(petra.GetAnswerLabel(0)->GetText(), "Olvane");
    EXPECT_STREQ(petra.GetAnswerLabel(3 + 2)->GetText(), "Ruby ring");
    EXPECT_STREQ(petra.GetAnswerLabel(6 + 0)->GetText(), "Pellion");
}

TEST_F(PetraLayoutTest, TheGuestsStandInTheirRoomsAndTheRiddleGiverIsTalkedToFromTheWayBack)
{
    Petra& petra = MakeWorld();
    Steps(100);
    std::set<int> rooms;
    for (int g = 0; g < Petra_Guest_Count; ++g)
    {
        Pointf const at = petra.GetGuest(g)->GetPos();
        EXPECT_NEAR(at.y, PetraWriter::Petra_MotelFloor, 1e-6) << "guest " << g << " stands on the floor";
        int const room = Petra::CameraRoom(at);
        EXPECT_GE(room, 4) << "guest " << g;
        EXPECT_LE(room, 8) << "guest " << g;
        rooms.insert(room);
    }
    EXPECT_EQ(rooms.size(), 5u) << "a guest in every room";

    Pointf const back = Ref(Petra_Rp_Back);
    Pointf const giver = petra.GetRiddleGiver()->GetPos();
    EXPECT_LT(back.x, giver.x);
    EXPECT_LE(back.DistanceEst(&giver), 64.0 - 1.0);
    EXPECT_EQ(Petra::CameraRoom(back), 1);
    EXPECT_EQ(Petra::CameraRoom(Ref(Petra_Rp_Start)), 1);
}

TEST_F(PetraLayoutTest, WalkedToTheWallsOfEveryFloorThePlayerKeepsHisRoomsViewAndNoFrameShowsPastTheHouse)
{
    // Each floor from a place on it, held left and then right with a jump now and then (the riddle-
    // giver's room only right: its left is the way out). Between the corridor's view and the guests'
    // rooms' the camera follows the player at his own zoom.
    struct Floor
    {
        char const* name;
        double x, y;
        bool left;
        int steps;
    };
    Floor const floors[] = {
        {"the riddle-giver's room", 420.0, PetraWriter::Petra_HallFloor, false, 300},
        {"the factory", 1700.0, PetraWriter::Petra_HallFloor, true, 400},
        {"the motel's corridor", 1000.0, PetraWriter::Petra_MotelFloor, true, 1100},
        {"the question room", 4300.0, PetraWriter::Petra_QuestionFloor, true, 250},
        {"the staff room", 3500.0, PetraWriter::Petra_StaffFloor, true, 350},
    };
    for (Floor const& floor : floors)
        for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
        {
            if (direction == KeyIndex_GameLeft && !floor.left)
                continue;
            MakeWorld();
            StandAt(Pointf(floor.x, floor.y));
            ASSERT_EQ(Steps(5), Level_Continue);
            int worst = 0;
            Pointf worstAt;
            ShortcutRun::Result const r = ShortcutRun::Hold(
                [&](std::vector<int> const& held) {
                    Level_Action const a = Step(held);
                    if (world->GetTick() % 25 == 0)
                        if (int const cleared = LevelFrame::Draw(World()).Cleared(); cleared > worst)
                        {
                            worst = cleared;
                            worstAt = Hero().GetPos();
                        }
                    return a;
                },
                direction, floor.steps);
            std::string const where = std::string(floor.name) + ", " + r.how;
            ASSERT_EQ(r.action, Level_Continue) << where;
            EXPECT_EQ(worst, 0) << where << ": clear colour with the player at (" << worstAt.x << ", " << worstAt.y
                                << ")";
            // Against the wall, at rest: in a camera room, its view settled.
            ASSERT_EQ(Steps(60, {direction}), Level_Continue);
            Pointf const end = Hero().GetPos();
            EXPECT_NE(Petra::CameraRoom(end), 0) << where << ": at the wall, (" << end.x << ", " << end.y << ")";
            EXPECT_EQ(LevelFrame::Draw(World()).Cleared(), 0) << where << ": at the wall";
            Destroy();
        }
}

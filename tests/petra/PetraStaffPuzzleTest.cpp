// The staff puzzle: which lines of four are complete and shown, and how staffs are pulled into
// their holders.
#include "petra/PetraSupport.h"
#include "petra/Petra_Staff_Puzzle.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class PetraStaffPuzzleTest : public PetraFixture
{
protected:
    PetraStaffPuzzleTest() : staffs(MakeItems(10, -1500.0)), list(Pointers(staffs)), puzzle(list.data(), 10) {}

    Pointf Target(int holder) const
    {
        Pointf const at = map->GetRefPoint(Petra_Staff_BaseRefPt + unsigned(holder));
        return Pointf(at.x, at.y + 12.0);
    }

    // From tick t: staff i at offset from holder i's place, or far off when the list ends.
    void Place(std::vector<int> const& holders, Tick t, double offset = 0.0)
    {
        for (int i = 0; i < 10; i++)
        {
            Pointf const at = i < int(holders.size()) ? Target(holders[i]) : Pointf(-1500.0 + 50.0 * i, 12.0);
            Put(i, Pointf(at.x + offset, at.y), t);
        }
    }

    void Put(int staff, Pointf at, Tick t) { staffs[staff]->SetPosAtTime(t, at, Vectorf(0.0, 0.0), 0.0, false); }

    std::vector<int> Shown(Tick t)
    {
        puzzle.MoveToTime(map.get(), t);
        std::vector<int> rows;
        for (int l = 0; l < Staff_Lines_Count; l++)
            if (puzzle.lineDone[l])
                rows.push_back(l);
        return rows;
    }

    std::vector<std::unique_ptr<Collectable>> staffs;
    std::vector<Collectable*> list;
    Petra_Staff_Puzzle puzzle;
};

TEST_F(PetraStaffPuzzleTest, TheStarIsTheSolutionAndALongLineShowsAsOneLine)
{
    Place({11, 13, 7, 17, 15, 2, 14, 4, 1, 20}, 1);
    EXPECT_EQ(Shown(1), (std::vector<int>{49, 62, 65}));
    EXPECT_FALSE(puzzle.Complete());
    puzzle.RenderFore(map.get(), 1);

    Place({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 2);
    EXPECT_EQ(Shown(2), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(puzzle.Complete());

    Place({13, 4, 1, 14, 20}, 3); // five of the line of six
    EXPECT_EQ(Shown(3), (std::vector<int>{49}));
    EXPECT_FALSE(puzzle.Complete());

    Place({6, 16, 5, 20, 19, 7, 15}, 4); // two lines that are listed twice
    EXPECT_EQ(Shown(4), (std::vector<int>{60, 61, 66, 67}));
}

TEST_F(PetraStaffPuzzleTest, AFreeStaffNearAnEmptyHolderIsPulledIntoPlaceAndFillsItFromTheNextStep)
{
    // A filled holder pulls no other staff, whichever comes first in the array.
    for (int filled : {0, 1})
    {
        Tick const t = 10 + filled;
        Place({}, t);
        Put(filled, Target(0), t);
        Put(1 - filled, Pointf(Target(0).x + 5.0, Target(0).y), t);
        puzzle.MoveToTime(map.get(), t);
        EXPECT_TRUE(puzzle.holderFilled[0]);
        EXPECT_EQ(staffs[1 - filled]->GetPosAtTime(t).x, Target(0).x + 5.0);
    }

    // Exactly 2.0 off neither fills nor pulls; of two staffs in reach the later is pulled.
    Place({}, 20);
    Put(0, Pointf(Target(3).x + 2.0, Target(3).y), 20);
    Put(1, Pointf(Target(5).x + 4.0, Target(5).y), 20);
    Put(2, Pointf(Target(5).x - 6.0, Target(5).y), 20);
    for (Tick t = 20; t < 22; t++)
    {
        puzzle.MoveToTime(map.get(), t);
        EXPECT_FALSE(puzzle.holderFilled[3]);
        EXPECT_EQ(staffs[0]->GetPosAtTime(t).x, Target(3).x + 2.0);
        EXPECT_EQ(puzzle.holderFilled[5], t == 21);
        EXPECT_EQ(staffs[1]->GetPosAtTime(t).x, Target(5).x + 4.0);
        EXPECT_EQ(staffs[2]->GetPosAtTime(t), Target(5));
    }
    EXPECT_FALSE(staffs[2]->CanCollectAtTime(20));

    // Exactly 10.0 off (in x and y together) is out of reach; just inside it is pulled.
    Place({}, 25);
    Put(0, Pointf(Target(6).x + 6.0, Target(6).y + 4.0), 25);
    Put(1, Pointf(Target(7).x - 9.5, Target(7).y), 25);
    puzzle.MoveToTime(map.get(), 25);
    EXPECT_EQ(staffs[0]->GetPosAtTime(26), Pointf(Target(6).x + 6.0, Target(6).y + 4.0));
    EXPECT_EQ(staffs[1]->GetPosAtTime(26), Target(7));

    // A held staff is passed over, even in place; put down in reach, it is pulled at once.
    Place({}, 30);
    Put(0, Target(8), 30);
    Put(1, Pointf(Target(9).x, Target(9).y + 7.0), 30);
    staffs[0]->SetPlayerHolding(true);
    staffs[1]->SetPlayerHolding(true);
    puzzle.MoveToTime(map.get(), 30);
    EXPECT_FALSE(puzzle.holderFilled[8]);
    EXPECT_FALSE(puzzle.holderFilled[9]);
    EXPECT_EQ(staffs[1]->GetPosAtTime(30).y, Target(9).y + 7.0);
    staffs[1]->SetPlayerHolding(false);
    puzzle.MoveToTime(map.get(), 31);
    EXPECT_EQ(staffs[1]->GetPosAtTime(31), Target(9));
    EXPECT_FALSE(puzzle.holderFilled[9]);
    puzzle.MoveToTime(map.get(), 32);
    EXPECT_TRUE(puzzle.holderFilled[9]);
    EXPECT_FALSE(puzzle.holderFilled[8]);
}

} // namespace

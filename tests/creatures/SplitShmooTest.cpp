// The splitting shmoo: its draws and landing places, splits by approach and by hits, deaths of whole
// branches, the last generation, the rest before a split, replay of a split, and unusable ranges.
#include "creatures/SplitShmoo.h"

#include "support/SmallMap.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace
{

constexpr double Range = 180.0;

// The blob at rest and the player beside it: moved to t, then asked what it decides there.
void ComeNear(ShmooInst* blob, Map const* map, Tick t)
{
    blob->MoveToTime(map, t);
    Pointf const at = blob->GetPosition();
    blob->PlayerAtPos(t, &at);
}

// Splits nodes 0 to last in turn, each as soon as it may; returns the tick after the last split.
Tick SplitDown(SplitShmoo& s, Map const* map, int last)
{
    Tick t = 100;
    for (int i = 0; i <= last; ++i)
    {
        ShmooInst* blob = s.GetShmoo(i);
        while (!(blob->MoveToTime(map, t), blob->CanSplit(t)))
            ++t;
        ComeNear(blob, map, t);
    }
    return t + 1;
}

} // namespace

TEST(SplitShmoo, DrawsEachLandingPlaceUntilInRangeThenItsFlightNodeByNode)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    std::srand(5);
    SplitShmoo s(map.get(), SmallMap_Above, Range, 1.0);
    int const after = std::rand();

    std::srand(5);
    ShmoosInfo const* tree = s.GetTree();
    Pointf const home(0.0, 100.0);
    for (int i = 0; i < SplitShmoo::Shmoo_Total_Count; ++i)
    {
        ShmooInfo const& node = tree->nodes[i];
        if (i > 0)
        {
            Pointf const from = tree->nodes[ShmoosInfo::GetParent(i)].position;
            double x = 0.0;
            do
                x = from.x + ((std::rand() & 0xFF) - 128);
            while (std::fabs(x - home.x) > Range);
            EXPECT_EQ(node.position, Pointf(x, home.y)) << "node " << i;
        }
        else
            EXPECT_EQ(node.position, home);
        int const flight = (std::rand() & 0x1F) + 50;
        EXPECT_EQ(node.flightTime, flight) << "node " << i;
        EXPECT_DOUBLE_EQ(node.riseSpeed, flight * 0.1);
    }
    EXPECT_EQ(std::rand(), after);

    // With range 0 every blob lands at home.
    SplitShmoo still(map.get(), SmallMap_Above, 0.0, 1.0);
    for (ShmooInfo const& node : still.GetTree()->nodes)
        EXPECT_EQ(node.position, home);
}

TEST(SplitShmoo, ARangeOrScaleWithNoLandingPlaceIsRefused)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    double const nan = std::numeric_limits<double>::quiet_NaN();
    double const inf = std::numeric_limits<double>::infinity();
    double const bad[][2] = {{-1.0, 1.0}, {nan, 1.0}, {Range, inf}, {Range, nan}};
    for (auto const& [range, scale] : bad)
    {
        try
        {
            SplitShmoo s(map.get(), SmallMap_Above, range, scale);
            ADD_FAILURE() << "range " << range << ", scale " << scale << " accepted";
        }
        catch (Error const& e)
        {
            EXPECT_EQ(e.Code(), Error_ParseFile);
            std::string const text = e.Text();
            EXPECT_NE(text.find("point " + std::to_string(SmallMap_Above)), std::string::npos) << text;
            EXPECT_NE(text.find("range"), std::string::npos) << text;
        }
    }
}

TEST(SplitShmoo, SplitsByApproachOrHitAfterItsRestAndTheSplitIsWrittenOnce)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    std::srand(11);
    SplitShmoo s(map.get(), SmallMap_Above, Range, 1.0);
    ShmoosInfo const* tree = s.GetTree();
    ShmooInst* first = s.GetShmoo(0);
    ShmooInst* child = s.GetShmoo(1);

    // Not near enough at exactly 100, near enough just inside.
    first->MoveToTime(map.get(), 99);
    Pointf const edge(first->GetPosition().x + 100.0, first->GetPosition().y);
    first->PlayerAtPos(99, &edge);
    EXPECT_EQ(tree->nodes[0].splitTime, -1);
    ComeNear(first, map.get(), 100);
    ASSERT_EQ(tree->nodes[0].splitTime, 100);

    // The children appear at the split tick where the parent was and fly to their places.
    Pointf at;
    int flying = 0;
    EXPECT_FALSE(tree->GetPos(100, 0, &at, nullptr, false));
    ASSERT_TRUE(tree->GetPos(100, 1, &at, &flying, false));
    EXPECT_EQ(at, tree->nodes[0].position);
    EXPECT_EQ(flying, 1);
    int const flight = tree->nodes[1].flightTime;
    ASSERT_TRUE(tree->GetPos(100 + flight, 1, &at, &flying, false));
    EXPECT_EQ(at, tree->nodes[1].position);
    EXPECT_EQ(flying, 0);

    // Back before the split the whole blob shows; the player there cannot split it earlier.
    ComeNear(first, map.get(), 60);
    EXPECT_TRUE(first->Shown());
    EXPECT_FALSE(tree->GetPos(60, 1, &at, nullptr, false));
    EXPECT_EQ(tree->nodes[0].splitTime, 100);

    // A child rests 50 ticks after landing before it may split, hit or not.
    Tick const ready = 100 + flight + ShmooInst::Shmoo_ResplitDelay;
    child->MoveToTime(map.get(), ready - 1);
    child->Hit(ready - 1, 1, 0);
    ComeNear(child, map.get(), ready - 1);
    EXPECT_EQ(tree->nodes[1].splitTime, -1);
    child->MoveToTime(map.get(), ready);
    child->Hit(ready, 1, 0);
    EXPECT_EQ(tree->nodes[1].splitTime, ready);
    ComeNear(child, map.get(), ready - 1);
    EXPECT_EQ(tree->nodes[1].splitTime, ready);

    // The last generation never splits; hits only wear it down.
    std::srand(11);
    SplitShmoo whole(map.get(), SmallMap_Above, Range, 1.0);
    Tick const t = SplitDown(whole, map.get(), ShmoosInfo::Shmoo_Last_Splitter);
    for (int i = 7; i < SplitShmoo::Shmoo_Total_Count; ++i)
    {
        ShmooInst* last = whole.GetShmoo(i);
        Tick const late = t + 200;
        last->MoveToTime(map.get(), late);
        ASSERT_TRUE(last->Shown()) << "blob " << i;
        EXPECT_FALSE(last->CanSplit(late));
        ComeNear(last, map.get(), late);
        last->Hit(late, 3, 0);
        EXPECT_EQ(whole.GetTree()->nodes[i].splitTime, -1);
        EXPECT_TRUE(last->AliveAt(late + 1));
        last->Hit(late + 1, 1, 0);
        EXPECT_FALSE(last->AliveAt(late + 2));
    }
}

TEST(SplitShmoo, AKillingHitThatSplitsKillsEveryDescendantAtItsTick)
{
    std::unique_ptr<Map> map = ReadFloorMap();
    std::srand(3);
    SplitShmoo s(map.get(), SmallMap_Above, Range, 1.0);
    ShmooInst* first = s.GetShmoo(0);
    first->MoveToTime(map.get(), 40);
    first->Hit(40, 32, 0);
    EXPECT_EQ(s.GetTree()->nodes[0].splitTime, 40);
    for (int i = 0; i < SplitShmoo::Shmoo_Total_Count; ++i)
    {
        ShmooInst* blob = s.GetShmoo(i);
        EXPECT_TRUE(blob->AliveAt(40)) << "blob " << i;
        EXPECT_FALSE(blob->AliveAt(41)) << "blob " << i;
        Pointf aim;
        EXPECT_FALSE(blob->GetTargetPos(map.get(), 41, aim));
        blob->MoveToTime(map.get(), 60);
        EXPECT_FALSE(blob->Shown());
        EXPECT_EQ(blob->IsPlayerHit(60, &aim), 0);
    }
    // The children show at the split tick itself, where the parent was.
    Pointf aim;
    EXPECT_TRUE(s.GetShmoo(1)->GetTargetPos(map.get(), 40, aim));
    EXPECT_EQ(aim, s.GetHome());
}

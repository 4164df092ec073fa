// Collectables: falling, carrying by present and past selves, drops, locks and re-simulation after travel.
#include "engine/Collectable.h"

#include "engine/Player_Sprites.h"
#include "engine/TimeFrames.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{

class CollectableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        map = ReadFloorMap();
        Collectable::Initialise(&frames);
    }
    void TearDown() override { Collectable::Initialise(nullptr); }

    Collectable* Make(Collectable_Flags flags = Collectable_None)
    {
        items.push_back(std::make_unique<Collectable>(map.get(), SmallMap_Above, nullptr, 0, flags));
        return items.back().get();
    }

    // The present player walks along y = 0 with x = tick, recorded tick by tick.
    void Walk(Tick from, Tick to, double y = 0.0)
    {
        for (Tick t = from; t < to; t++)
        {
            Char_Base c;
            c.pos = Pointf(t, y);
            frames.AddEcho(&c);
        }
    }

    Pointf HeadAt(TimeFrame const* frame, Tick t) const
    {
        Char_Base const c = *frame->GetAtTime(t);
        return Player_Sprites::GetHead(&c);
    }

    std::unique_ptr<Map> map;
    TimeFrames frames;
    std::vector<std::unique_ptr<Collectable>> items;
};

void ExpectSamePoint(Pointf a, Pointf b, char const* what)
{
    EXPECT_DOUBLE_EQ(a.x, b.x) << what;
    EXPECT_DOUBLE_EQ(a.y, b.y) << what;
}

} // namespace

TEST_F(CollectableTest, FallsFromAboveItsPointAndComesToRestOnTheFloor)
{
    Collectable* item = Make();
    Pointf const start = item->GetPosAtTime(-1);
    EXPECT_EQ(start.x, 0.0);
    EXPECT_GT(start.y, 100.0);

    item->MoveToTime(map.get(), 3000);
    double lowest = start.y;
    for (Tick t = 0; t <= 3000; t++)
        lowest = std::min(lowest, item->GetPosAtTime(t).y);
    Pointf const rest = item->GetPosAtTime(3000);
    EXPECT_NEAR(rest.y, lowest, 1e-9) << "the item sank below where it came to rest";
    ExpectSamePoint(item->GetPosAtTime(2999), rest, "still moving at the end");
    EXPECT_GT(rest.y, 0.0);
    EXPECT_LT(rest.y, start.y - 90.0);
}

TEST_F(CollectableTest, AnItemWhoseBaseStartsInsideTheFloorRestsThere)
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(SmallMap_Above, 50.0, -40.0);
    map = ReadSmallMap(writer);
    Collectable* item = Make();
    Pointf const start = item->GetPosAtTime(0);
    item->MoveToTime(map.get(), 400);
    for (Tick t : {1, 2, 100, 400})
        ExpectSamePoint(item->GetPosAtTime(t), start, "it moved through the floor");
}

TEST_F(CollectableTest, DroppedItemIsLockedUpToTheDropAndFallsFromTheDropPoint)
{
    Collectable* turning = Make(Collectable_Rotates);
    Collectable* plain = Make();
    for (Collectable* item : {turning, plain})
    {
        item->MoveToTime(map.get(), 50);
        item->SetPosAtTime(50, Pointf(0.0, 60.0), Vectorf(1.0, 0.0), 0.3, true);
        EXPECT_FALSE(item->CanCollectAtTime(50));
        EXPECT_TRUE(item->CanCollectAtTime(51));
        item->MoveToTime(map.get(), 51);
        Pointf const after = item->GetPosAtTime(51);
        EXPECT_DOUBLE_EQ(after.x, 1.0);
        EXPECT_DOUBLE_EQ(after.y, 60.0 - Collectable_Gravity);
    }
    EXPECT_EQ(turning->GetRotationAtTime(50), 0.3);
    EXPECT_EQ(plain->GetRotationAtTime(50), 0.0);

    // Locks only grow, and the last one is for ever; a locked item does not fall.
    plain->Lock(100);
    plain->Lock(60);
    EXPECT_FALSE(plain->CanCollectAtTime(100));
    EXPECT_TRUE(plain->CanCollectAtTime(101));
    plain->Lock();
    EXPECT_FALSE(plain->CanCollectAtTime(2000000000));
    plain->MoveToTime(map.get(), 90);
    ExpectSamePoint(plain->GetPosAtTime(90), plain->GetPosAtTime(51), "a locked item fell");
}

TEST_F(CollectableTest, RidesOnItsCarriersHeadPresentOrPast)
{
    Collectable* item = Make();
    TimeFrame const* first = frames.GetCurrentFrame();
    Walk(0, 30);
    item->MoveToTime(map.get(), 9);
    Pointf const lying = item->GetPosAtTime(9);
    for (Tick t = 10; t < 20; t++)
        item->PlayerHold(t);
    item->SetPosAtTime(20, HeadAt(first, 20), Vectorf(0.0, 0.0), 0.0, true);
    item->MoveToTime(map.get(), 29);

    ExpectSamePoint(item->GetPosAtTime(9), lying, "before the carry");
    ExpectSamePoint(item->GetPosAtTime(10), HeadAt(first, 10), "first carried tick");
    ExpectSamePoint(item->GetPosAtTime(19), HeadAt(first, 19), "last carried tick");
    ExpectSamePoint(item->GetPosAtTime(20), HeadAt(first, 19), "the tick after the carry");
    EXPECT_LT(item->GetPosAtTime(22).y, HeadAt(first, 20).y) << "falls once the carry is over";

    // After travelling back, the old self carries the item again over the same ticks, while the
    // present self walks elsewhere and cannot take it before the drop.
    frames.NewFrame(5);
    Walk(5, 30, 500.0);
    item->MoveToTime(map.get(), 5);
    item->MoveToTime(map.get(), 25);
    ExpectSamePoint(item->GetPosAtTime(15), HeadAt(first, 15), "replayed carry");
    EXPECT_FALSE(item->CanCollectAtTime(12));
    EXPECT_TRUE(item->CanCollectAtTime(21));
}

TEST_F(CollectableTest, CarriedAtTimeTellsEveryTickAnySelfHeldIt)
{
    Collectable* item = Make();
    Walk(0, 40);
    for (Tick t = 10; t < 20; t++)
        item->PlayerHold(t);
    // A second self, after a travel back, carries it over later ticks.
    frames.NewFrame(5);
    Walk(5, 40, 500.0);
    for (Tick t = 30; t < 35; t++)
        item->PlayerHold(t);

    std::vector<Tick> carried;
    for (Tick t = 0; t < 40; t++)
        if (item->CarriedAtTime(t))
            carried.push_back(t);
    std::vector<Tick> expected;
    for (Tick t = 10; t < 20; t++)
        expected.push_back(t);
    for (Tick t = 30; t < 35; t++)
        expected.push_back(t);
    EXPECT_EQ(carried, expected);
    // The item still rides on the head for a tick after the carry, but nobody carries it then.
    ExpectSamePoint(item->GetPosAtTime(20), HeadAt(frames.GetFrame(0), 19), "the tick after the carry");
}

TEST_F(CollectableTest, TravelBackRecomputesTheTicksAfterItFromThere)
{
    Collectable* moved = Make();
    moved->MoveToTime(map.get(), 100);
    Pointf const oldAt80 = moved->GetPosAtTime(80);
    moved->MoveToTime(map.get(), 40);
    moved->SetPosAtTime(40, Pointf(300.0, 200.0), Vectorf(-1.0, 2.0), 0.0, false);
    moved->MoveToTime(map.get(), 60);

    // A second item put in the same state at tick 40 and worked straight through must agree.
    Collectable* fresh = Make();
    fresh->MoveToTime(map.get(), 40);
    fresh->SetPosAtTime(40, Pointf(300.0, 200.0), Vectorf(-1.0, 2.0), 0.0, false);
    fresh->MoveToTime(map.get(), 60);
    for (Tick t = 41; t <= 60; t++)
        ExpectSamePoint(moved->GetPosAtTime(t), fresh->GetPosAtTime(t), "recomputed tick");
    EXPECT_GT(moved->GetPosAtTime(60).x, 250.0);
    // Ticks beyond the clock keep their old values until the clock reaches them again.
    ExpectSamePoint(moved->GetPosAtTime(80), oldAt80, "tick not yet recomputed");
}

namespace
{

// Map groups that only note the ticks they are placed for.
class NotedGroups final : public Replay_Groups
{
public:
    void StartPass(Tick) override {}
    void PlaceGroups(Tick t) override { placed.push_back(t); }
    void RestoreGroups() override { restores++; }

    std::vector<Tick> placed;
    int restores = 0;
};

} // namespace

TEST_F(CollectableTest, ATickShownByTravelIsTheRecordedOneAndPlayWorksOutOnlyNewTicks)
{
    Collectable* item = Make();
    item->MoveToTime(map.get(), 100);
    // A record the fall would not give: shown again as it stands, never worked out again.
    item->SetPosAtTime(60, Pointf(300.0, 200.0), Vectorf(0.0, 0.0), 0.0, false);
    NotedGroups groups;
    Object_Step const travel{true, &groups};
    for (Tick t : {40, 45, 60, 80, 100, 70})
        item->MoveToTime(map.get(), t, travel);
    ExpectSamePoint(item->GetPosAtTime(60), Pointf(300.0, 200.0), "recorded tick");
    EXPECT_TRUE(groups.placed.empty());

    // Play goes on after the travel that ended at 70: 71 is worked out from 70, with the groups
    // as they stood at 70, and the old future after it is no longer the present's.
    Object_Step const play{false, &groups};
    item->MoveToTime(map.get(), 71, play);
    EXPECT_EQ(groups.placed, std::vector<Tick>{70});
    // A travel past the last tick played works out the ticks it reaches.
    groups.placed.clear();
    item->MoveToTime(map.get(), 74, travel);
    EXPECT_EQ(groups.placed, (std::vector<Tick>{71, 72, 73}));
    EXPECT_GE(groups.restores, 2);
    item->MoveToTime(map.get(), 72, travel);
    item->MoveToTime(map.get(), 74, travel);
    EXPECT_EQ(groups.placed.size(), 3u);
}

// The replay harness over the sliding puzzle: played with the mouse, left and come back to, and
// played again differently after a travel back, with the earlier self's clicks still to come.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"

#include <algorithm>
#include <set>

namespace
{

std::vector<CreatureWorld_Zone> const Puzzle_Zones = {CreatureZone_SlideyPuzzle, CreatureZone_Leak};

constexpr int Settle_Steps = 150; // the view eases onto the puzzle before it is clicked
constexpr int Click_Gap = 40;     // steps between clicks

} // namespace

class SlideyPuzzleReplayTest : public CreatureTestSupport
{
protected:
    Slidey_Puzzle* Puzzle() const { return world->slideyPuzzle; }
    double PuzzleX() const { return world->Ref(CreatureZone_SlideyPuzzle, SlideyPuzzleRef_Place0).x; }

    void Idle(int steps)
    {
        for (int i = 0; i < steps; ++i)
            harness->Step(std::vector<int>{});
    }

    // Walks until the player's feet are within 30 of x, then lets him come to a stop.
    void WalkTo(double x)
    {
        for (int i = 0; i < 2000 && std::abs(world->GetPlayer()->GetPos().x - x) > 30.0; ++i)
            harness->Step(
                std::vector<int>{world->GetPlayer()->GetPos().x < x ? KeyIndex_GameRight : KeyIndex_GameLeft});
        Idle(20);
        ASSERT_LT(std::abs(world->GetPlayer()->GetPos().x - x), 50.0);
    }

    // Presses and lets go of the action key.
    void Action()
    {
        harness->Step(std::vector<int>{KeyIndex_GameAction});
        harness->Step(std::vector<int>{});
    }

    void Enter()
    {
        Action();
        ASSERT_TRUE(Puzzle()->IsActive());
        Idle(Settle_Steps);
        EXPECT_NEAR(world->GetMap()->view.scale, Slidey_Puzzle::Camera_Scale, 1e-6);
    }

    void Leave()
    {
        harness->Step(std::vector<int>{KeyIndex_GameJump});
        harness->Step(std::vector<int>{});
        ASSERT_FALSE(Puzzle()->IsActive());
    }

    // A place next to the gap, or with next false one neither next to it nor the gap's; the
    // choice runs round the places with k.
    int Pick(bool next, int k) const
    {
        int const gap = Puzzle()->FindTile(SlideyPuzzle_Gap);
        std::vector<int> places;
        for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
            if (i != gap && Slidey_Puzzle::Adjacent(i, gap) == next)
                places.push_back(i);
        return places[static_cast<std::size_t>(k) % places.size()];
    }

    // Clicks the place's centre, then waits.
    void Click(int place, int wait)
    {
        KeyData keys = keyScript.Next({});
        Pointf const screen = Puzzle()->GetTile(place)->GetPos().WorldToScreen(&world->GetMap()->view);
        keys.mouse = Pointf(screen.x, 479.0 - screen.y);
        keys.leftClick = 1;
        clicks.insert(world->GetTick());
        harness->Step(keys);
        Idle(wait);
    }

    // Ends a travel: coasts to rest and jumps.
    void EndTravel()
    {
        while (world->GetTimeSpeed() != 0)
            harness->Step(std::vector<int>{});
        harness->Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(world->IsTimeTravelling());
    }

    int Hits() const
    {
        int count = 0;
        for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
            for (int n = 0; Puzzle()->GetTile(i)->GetHitTime(n) != GameEvent_HasntHappened; ++n)
                ++count;
        return count;
    }

    std::unique_ptr<ReplayHarness> harness;
    std::set<Tick> clicks; // ticks clicked at
};

TEST_F(SlideyPuzzleReplayTest, EveryTickShownAgainShowsTheTilesItShowedAlsoAfterPlayingItDifferently)
{
    MakeWorld(Puzzle_Zones);
    harness = std::make_unique<ReplayHarness>(*world, keyScript);
    ReplayWatch_CreatureWorld(*harness, *world);

    Idle(20);
    WalkTo(PuzzleX());
    Enter();
    for (int k = 0; k < 8; ++k)
        Click(Pick(k % 3 != 1, k), Click_Gap);
    Tick const firstSession = world->GetTick();
    Leave();
    // Out of reach the action key does nothing; back again it steps in.
    WalkTo(PuzzleX() - 150.0);
    Action();
    EXPECT_FALSE(Puzzle()->IsActive());
    WalkTo(PuzzleX());
    Enter();
    for (int k = 0; k < 6; ++k)
        Click(Pick(k % 2 == 0, k + 1), Click_Gap);
    Leave();
    Idle(50);
    Tick const end = world->GetTick();
    std::set<Tick> const firstClicks = clicks;

    harness->TravelEachSeed(120);
    EXPECT_EQ(harness->mismatch, "");
    EXPECT_GT(harness->compared, 24 * harness->seedsTravelled);

    // Back to the start, then forward into the first session, all the way shown as played.
    while (world->GetTick() > 0)
        harness->Step(std::vector<int>{KeyIndex_GameBackInTime});
    Idle(2);
    while (world->GetTick() < firstSession - 4 * Click_Gap - 256)
        harness->Step(std::vector<int>{KeyIndex_GameForwardInTime});
    std::map<Tick, Replay_Digest> const firstRun = harness->recorded;
    EndTravel();
    Tick const branch = world->GetTick() - 1;
    ASSERT_LT(branch, firstSession - Click_Gap);
    EXPECT_EQ(harness->mismatch, "");

    // The player stands where the travel left him, by the puzzle: in again, clicking otherwise,
    // while the earlier self's clicks still come at their ticks.
    Enter();
    clicks.clear();
    for (int k = 0; k < 10; ++k)
        Click(Pick(k % 4 != 2, 2 * k + 1), Click_Gap - 3);
    Leave();
    Idle(static_cast<int>(std::max<Tick>(0, end - world->GetTick())) + 50);
    EXPECT_EQ(Hits(), static_cast<int>(firstClicks.size() + clicks.size()));

    // The earlier self's clicks after the branch still slide tiles in the new history.
    int earlierSlides = 0;
    for (Tick c : firstClicks)
        if (c > branch && clicks.count(c) == 0 && clicks.count(c - 1) == 0 && clicks.count(c + 1) == 0)
            earlierSlides += ReplayHarness::Difference(harness->recorded.at(c), harness->recorded.at(c + 1), c) != "";
    EXPECT_GT(earlierSlides, 0);
    bool otherwise = false;
    for (Tick t = branch + 1; t < end && !otherwise; ++t)
        otherwise = ReplayHarness::Difference(firstRun.at(t), harness->recorded.at(t), t) != "";
    EXPECT_TRUE(otherwise);

    harness->TravelEachSeed(160);
    EXPECT_EQ(harness->mismatch, "");
    for (Tick t = 0; t < branch; t += 13)
        EXPECT_EQ(ReplayHarness::Difference(firstRun.at(t), harness->recorded.at(t), t), "");
    harness.reset();
}

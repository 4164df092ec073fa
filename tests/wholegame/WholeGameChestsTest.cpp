// The whole game's walks with their chests (WholeGameChests.h), in the worlds themselves: each chest
// walked to and opened by keys, its grid puzzle solved by the cursor keys and action, its gem taken,
// and the road walked on to the world's exit.
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "killig/KiligWorldSupport.h"
#include "petra/Petra.h"
#include "petra/PetraSolveWalk.h"
#include "support/ChestOpener.h"
#include "support/WorldFixture.h"
#include "tools/worlds/killig.h"
#include "wholegame/WholeGameChests.h"

#include <gtest/gtest.h>

namespace
{

class WholeGameChestWalk : public KiligWorldFixture
{
protected:
    RoadWalker::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }

    // The world's road walked with its chests to the level's end; the gems taken, by slot.
    void WalkToTheExit(Level_Type type, std::vector<int> const& slots)
    {
        int const before = events.gems;
        RoadWalk_Result const r = WholeGameChests::Walk(*world, events, type, "exit", Stepper());
        ASSERT_TRUE(r.done) << r.report;
        EXPECT_EQ(r.action, Level_Completed) << r.report;
        EXPECT_EQ(world->GetPlayer()->IsPlayerDead(), 0);
        for (int slot : slots)
            EXPECT_EQ(events.levelFlags[type - 1][slot], 1) << "world " << type << " gem " << slot;
        EXPECT_EQ(events.gems, before + static_cast<int>(slots.size()));
    }
};

} // namespace

TEST_F(WholeGameChestWalk, ThePlateausAndTheCanyonsChestsOnTheWayToTheirExits)
{
    Build(Level_Plato, GameEvents());
    WalkToTheExit(Level_Plato, {0, 1});
    ASSERT_FALSE(HasFatalFailure());
    Build(Level_Chasm);
    WalkToTheExit(Level_Chasm, {0, 1, 2});
    EXPECT_EQ(events.gems, 5);
}

TEST_F(WholeGameChestWalk, TheDungeonsFirstChestUpGalleryAsStairsWithBallOneInHand)
{
    Dungeon();
    RoadWalker::Stepper const step = Stepper();
    RoadWalk_Result const first = RoadWalker(*world, RoadWalker::WorldRoad(Level_Kilig, "first room")).Walk(step);
    ASSERT_TRUE(first.done) << first.report;
    Steps(400);
    Tick const left = world->GetTick();
    ASSERT_TRUE(WalkTo(KiligWriter::Road_Door0X - 30.0));
    KiligTravelBackTo(*world, step, left - 50);
    ASSERT_FALSE(HasFatalFailure());
    WalkToTheExit(Level_Kilig, {0});
}

TEST_F(WholeGameChestWalk, APuzzleIsSolvedByKeysOnlyWhileOpen)
{
    Build(Level_Chasm);
    int steps = 0;
    std::string report;
    EXPECT_FALSE(ChestOpener::Solve(*world, Stepper(), steps, report));
    EXPECT_EQ(report, "no grid puzzle is open");
    EXPECT_EQ(steps, 0);

    // A chest out of reach is not opened, and says so.
    Road way("short of the chest");
    Pointf const chest = world->GetMap()->GetRefPoint(Chasm_Rp_Chests[2]);
    way.Press(chest.x + 80.0, chest.y, "too far", 2);
    ChestOpen_Result const r = ChestOpener::Open(*world, events, way, 2, Stepper());
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.report, "road short of the chest: no grid puzzle is open");
    EXPECT_EQ(events.gems, 0);
}

// The riddle-giver's walk of the whole game: the weighing answered from the weight on the scales and
// the motel's right answers give their gems; the staffs are not carried, and their plate gives none.
TEST_F(WholeGameChestWalk, TheRiddleGiversWalkSolvesTheScalesAndTheMotelByKeys)
{
    Build(Level_Petra, GameEvents());
    auto* house = dynamic_cast<Petra*>(world.get());
    ASSERT_NE(house, nullptr);
    PetraSolveWalk walk(*house, Stepper());
    walk.Play();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(walk.result, Level_Completed);
    EXPECT_EQ(events.levelFlags[Level_Petra - 1][0], 1) << "the weighing";
    EXPECT_EQ(events.levelFlags[Level_Petra - 1][1], 1) << "the motel";
    EXPECT_EQ(events.levelFlags[Level_Petra - 1][2], 0) << "the staffs";
    EXPECT_EQ(events.gems, 2);
}

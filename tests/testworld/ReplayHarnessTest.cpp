// ReplayHarness on the test world: a scripted play, random travel back and forth, a new past after
// a travel, repeated runs, and a deliberately non-replayable object that the harness must catch.
#include "support/ReplayHarness.h"

#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "support/TestWorldSupport.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace
{

constexpr int Script_Steps = 3000;

// The player's part of the scripted play: a list of stages, each holding some game keys until
// the player has reached an x (or for a number of steps), with taps of a key along the way.
class Replay_Script
{
public:
    explicit Replay_Script(bool otherWay) : alternative(otherWay) {}

    // The keys held in this step, given where the player stands.
    std::vector<int> Next(Player const* player)
    {
        double const x = player->GetPos().x;
        ++step;
        ++inStage;
        std::vector<int> held;
        if (alternative)
        {
            // Back and forth at the start with a jump now and then.
            held.push_back((step / 150) % 2 == 0 ? KeyIndex_GameLeft : KeyIndex_GameRight);
            if (step % 37 == 0)
                held.push_back(KeyIndex_GameJump);
            return held;
        }
        switch (stage)
        {
        case 0: // stand still a moment
            Until(inStage >= 50);
            break;
        case 1: // past the collectable to within reach of the hit target
            held.push_back(KeyIndex_GameRight);
            Until(x >= -380.0);
            break;
        case 2: // aim, then let go: the axe flies at the target
            if (inStage < 30)
                held.push_back(KeyIndex_GameAction);
            Until(inStage >= 60);
            break;
        case 3: // back to the collectable and take it
            held.push_back(KeyIndex_GameLeft);
            Until(x <= -420.0);
            break;
        case 4:
            if (inStage > 20 && inStage < 24)
                held.push_back(KeyIndex_GameAction);
            Until(inStage >= 40);
            break;
        case 5: // carry it over the slope onto the plate, jumping now and then
            held.push_back(KeyIndex_GameRight);
            if (inStage % 45 < 3 && x < 700.0)
                held.push_back(KeyIndex_GameJump);
            Until(x >= 880.0);
            break;
        case 6: // wait on the plate while the door opens, then drop the collectable
            if (inStage > 200 && inStage < 204)
                held.push_back(KeyIndex_GameAction);
            Until(inStage >= 240);
            break;
        case 7: // through the door, under the lift
            held.push_back(KeyIndex_GameRight);
            Until(x >= 1500.0 || inStage >= 500);
            break;
        default: // and back again, jumping
            held.push_back((step / 200) % 2 == 0 ? KeyIndex_GameLeft : KeyIndex_GameRight);
            if (step % 53 < 2)
                held.push_back(KeyIndex_GameJump);
            break;
        }
        return held;
    }

private:
    void Until(bool done)
    {
        if (done)
        {
            ++stage;
            inStage = 0;
        }
    }

    bool alternative = false;
    int stage = 0;
    int inStage = 0;
    int step = 0;
};

// Moves forward by one each time it is moved to a tick, whatever the tick: what a creature that
// kept a counter instead of asking its records would do.
class Replay_Drifter final : public Object
{
public:
    void MoveToTime(Map const*, Tick) override { ++moves; }
    int moves = 0;
};

} // namespace

class ReplayHarnessTest : public TestWorldSupport
{
protected:
    void Play(ReplayHarness& harness, Replay_Script& script, int steps)
    {
        for (int i = 0; i < steps; ++i)
            harness.Step(NextKeys(script.Next(world->GetPlayer())));
    }
};

TEST_F(ReplayHarnessTest, EveryTickShownAgainMatchesItsRecordingAndANewPastKeepsTheOldSelf)
{
    MakeWorld();
    ReplayHarness harness(*world, keyScript);
    ReplayWatch_TestWorld(harness, *world);
    Replay_Script script(false);
    Play(harness, script, Script_Steps);
    ASSERT_EQ(harness.Shown(), Script_Steps - 1);
    // The script must have reached what it is meant to exercise.
    auto largest = [&harness](char const* object, char const* field, double sign = 1.0) {
        double most = -1e300;
        for (auto const& [t, digest] : harness.recorded)
            for (Replay_Field const& f : digest)
                if (f.object == object && f.field == field)
                    most = std::max(most, sign * f.value);
        return most;
    };
    auto smallest = [&largest](char const* object, char const* field) { return -largest(object, field, -1.0); };
    EXPECT_GT(largest("door", "opening"), 0.0);
    EXPECT_GT(largest("lift", "offset"), 0.0) << "the axe never hit the target";
    EXPECT_GT(largest("collectable", "x"), 900.0) << "the collectable was not carried to the plate";
    // The lift goes down and up past the walker pacing under it, and the item lying on it falls
    // after it as it goes down.
    EXPECT_LT(smallest("lift", "offset"), -30.0);
    EXPECT_GT(largest("lift", "offset"), 30.0);
    EXPECT_GT(largest("walker 1", "x"), 1300.0);
    EXPECT_LT(smallest("lift item", "y"), 60.0);
    EXPECT_EQ(harness.recorded.at(Script_Steps - 1)[0].object.rfind("group", 0), 0u);

    harness.TravelEachSeed(160);
    ASSERT_TRUE(world->IsTimeTravelling());
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);

    // Come to rest before the end of the recording and start a new past there.
    std::map<Tick, Replay_Digest> const firstRun = harness.recorded;
    harness.SteerToRest(1200, 1400, 1600);
    Tick const branch = world->GetTick();
    ASSERT_GT(branch, 1000);
    ASSERT_LT(branch, Script_Steps - 700);
    harness.Step(NextKeys({KeyIndex_GameJump}));
    ASSERT_FALSE(world->IsTimeTravelling());

    // The self of the first run goes on exactly as recorded while the player does otherwise.
    Replay_Script other(true);
    for (int i = 0; i < 600; ++i)
    {
        harness.Step(NextKeys(other.Next(world->GetPlayer())));
        Tick const t = harness.Shown();
        Replay_Digest const now = harness.Observe(t);
        Replay_Digest before;
        Replay_Digest after;
        for (Replay_Field const& f : firstRun.at(t))
            if (f.object == "self 0")
                before.push_back(f);
        for (Replay_Field const& f : now)
            if (f.object == "self 0")
                after.push_back(f);
        ASSERT_FALSE(before.empty());
        harness.Compare(before, after, t);
        ASSERT_EQ(harness.mismatch, "");
    }

    // Ticks before the new actions answer as they did.
    harness.TravelEachSeed(120);
    EXPECT_EQ(harness.mismatch, "");
}

// The second build in one process also takes its walkers' key frames on the ticks the first did.
TEST_F(ReplayHarnessTest, TwoRunsOfTheScriptEndAlike)
{
    Replay_Digest ends[2];
    for (Replay_Digest& end : ends)
    {
        keyScript = KeyScript();
        events = GameEvents(); // each run starts from the same progress: the gem is still there
        std::srand(1);
        MakeWorld();
        for (int i = 0; i < Test_World_WalkerCount; ++i)
            end.push_back({"walker " + std::to_string(i), "key frames", double(world->GetWalker(i)->KeyFrameOffset())});
        ReplayHarness harness(*world, keyScript);
        ReplayWatch_TestWorld(harness, *world);
        Replay_Script script(false);
        Play(harness, script, Script_Steps);
        Replay_Digest const& last = harness.recorded.at(Script_Steps - 1);
        end.insert(end.end(), last.begin(), last.end());
        world.reset();
    }
    EXPECT_EQ(ReplayHarness::Difference(ends[0], ends[1], Script_Steps - 1), "");
}

TEST_F(ReplayHarnessTest, AnObjectThatDoesNotReplayIsReportedByObjectTickAndField)
{
    MakeWorld();
    Replay_Drifter drifter;
    world->GetObjects()->AddObject(&drifter);
    ReplayHarness harness(*world, keyScript);
    ReplayWatch_TestWorld(harness, *world);
    harness.Watch([&drifter](Tick, Replay_Digest& d) { d.push_back({"drifter", "moves", double(drifter.moves)}); });
    Replay_Script script(false);
    Play(harness, script, 200);
    std::mt19937 random(1);
    harness.Travel(random, 50);
    EXPECT_EQ(harness.mismatch.rfind("object drifter, tick ", 0), 0u) << harness.mismatch;
    EXPECT_NE(harness.mismatch.find("field moves"), std::string::npos) << harness.mismatch;
}

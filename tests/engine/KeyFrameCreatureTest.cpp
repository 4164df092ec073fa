// Key-frame creatures re-simulating their past together: every tick stepped against the groups as
// they stood at the tick before, and each tick's groups placed once in a step of the level.
#include "engine/KeyFrameCreature.h"

#include "engine/ObjectList.h"
#include "support/RandomSeed.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

namespace
{

// The level's groups reduced to the tick they stand at, which the creatures read.
class TickGroups final : public Replay_Groups
{
public:
    void StartPass(Tick) override { placed.clear(); }
    void PlaceGroups(Tick t) override
    {
        if (t == shown)
            return;
        placed[t]++;
        shown = t;
    }
    void RestoreGroups() override { shown = present; }

    Tick present = 0;           // where the level's last step placed them
    Tick shown = 0;             // where they stand now
    std::map<Tick, int> placed; // in the step being made: how often each tick was placed
};

TickGroups const* groupsRead = nullptr;

// Each step depends on the last and on where the groups stood.
class Drifter final : public KeyFrameCreature<Drifter>
{
public:
    explicit Drifter(long start) : x(start) { StartLog(); }
    explicit Drifter(Drifter const* other) { CopyState(*other); }

    void CopyState(Drifter const& other) { x = other.x; }
    void Move(Map const*, Tick t) { x = (x * 31 + t * 7 + groupsRead->shown * 3) % 1000003; }

    long x = 0;
};

// The states of a drifter stepped straight from tick 0, the groups standing at the tick before.
std::vector<long> Straight(long start, Tick last)
{
    std::vector<long> xs{start};
    for (Tick t = 1; t <= last; t++)
        xs.push_back((xs.back() * 31 + t * 7 + (t - 1) * 3) % 1000003);
    return xs;
}

class KeyFrameCreatureTest : public testing::Test
{
protected:
    KeyFrameCreatureTest() { groupsRead = &groups; }
    ~KeyFrameCreatureTest() override { groupsRead = nullptr; }

    // One step of the level at tick t: the objects are moved, then the groups placed for t.
    void Step(Tick t, bool replaying)
    {
        objects.MoveToTime(map.get(), t, Object_Step{replaying, &groups});
        groups.present = groups.shown = t;
    }

    std::unique_ptr<Map> map = ReadFloorMap();
    ObjectList objects;
    TickGroups groups;
};

} // namespace

TEST_F(KeyFrameCreatureTest, CreaturesReSimulatingTogetherMatchAStraightRunAndPlaceEachTickOnce)
{
    std::vector<std::unique_ptr<Drifter>> drifters;
    std::vector<std::vector<long>> straight;
    for (long start : {1, 20, 300, 4000, 50000})
    {
        drifters.push_back(std::make_unique<Drifter>(start));
        objects.AddObject(drifters.back().get());
        straight.push_back(Straight(start, 2000));
    }
    auto check = [&](Tick t) {
        for (std::size_t i = 0; i < drifters.size(); i++)
            ASSERT_EQ(drifters[i]->x, straight[i][std::size_t(t)]) << "drifter " << i << " tick " << t;
        for (auto const& [tick, times] : groups.placed)
            ASSERT_EQ(times, 1) << "tick " << tick << " placed again in the step to " << t;
    };
    for (Tick t = 1; t <= 1500; t++)
    {
        Step(t, false);
        check(t);
    }
    // Travel at random speeds, back at most 16 ticks a step and forward at most 8, then play on
    // from where it stopped (the creatures' pasts do not change, so the future is the same).
    ForEachSeed([&](unsigned seed) {
        std::mt19937 random(seed);
        Tick t = groups.present;
        for (int i = 0; i < 150; i++)
        {
            t = std::clamp<Tick>(t + std::uniform_int_distribution<Tick>(-16, 8)(random), 0, 1990);
            Step(t, true);
            check(t);
        }
        for (int i = 0; i < 5; i++)
        {
            Step(++t, false);
            check(t);
        }
    });
}

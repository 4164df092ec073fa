// The riddle-giver's house built from the generated map with one of its reference points or plates
// taken out: the build fails naming the map and the id, frees all it built (the sanitized build
// checks for leaks after each), and a normal build follows.
//
// CI takes out a fixed, seeded sample of the ids plus a few drawn afresh; run with HM_FULL_SWEEP=1
// to take out every id in turn:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_petra --gtest_filter='PetraMissingId.*'
#include "petra/Petra.h"
#include "support/LevelFixture.h"
#include "support/MapIdSweep.h"
#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

using MapIdSweep::Id;

constexpr char const* MapName = "petra/map";
constexpr std::size_t Fixed_Sample = 20;
constexpr std::size_t Fresh_Sample = 5;
constexpr unsigned Sample_Seed = 50;

class PetraMissingId : public LevelFixture
{
};

} // namespace

TEST_F(PetraMissingId, TheHouseRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    gameSounds->mute = 1;
    MapWriter const full = MapIdSweep::Read(MapName);
    std::vector<Id> const ids = MapIdSweep::IdsIn(full);
    // Every reference point from the start to the motel's, and every plate.
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(Petra_Rp_MotelStart + 1 + Petra_Switch_Count));
    std::vector<Id> chosen = ids;
    unsigned const seed = TestSeed();
    SCOPED_TRACE(testing::Message() << "HM_TEST_SEED=" << seed);
    if (!MapIdSweep::WholeSweepAsked())
    {
        chosen = MapIdSweep::Sample(ids, Fixed_Sample, Sample_Seed);
        for (Id const& id : MapIdSweep::Sample(ids, Fresh_Sample, seed))
            if (std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                chosen.push_back(id);
    }
    for (std::string const& failure : MapIdSweep::Sweep(MapName, MapName, full, chosen, [&] { Petra house(&events); }))
        ADD_FAILURE() << failure;

    Petra const house(&events);
    EXPECT_EQ(house.GetTick(), 0);
}

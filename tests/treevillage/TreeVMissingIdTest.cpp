// The village, and the closing village, built from the generated map with one of its reference points
// or groups taken out: the build fails naming the map and the id, frees all it built (the sanitized
// build checks for leaks after each), and a normal build follows.
//
// CI builds each form without a fixed, seeded sample of the ids plus a few drawn afresh; run
// with HM_FULL_SWEEP=1 to take out every id in turn:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_treevillage --gtest_filter='TreeVMissingId.*'
#include "support/LevelFixture.h"
#include "support/MapIdSweep.h"
#include "support/RandomSeed.h"
#include "treevillage/TreeV.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace
{

using MapIdSweep::Id;
using MapIdSweep::Kind;

constexpr char const* MapName = "treevillage/map";
constexpr std::size_t Fixed_Sample = 20;
constexpr std::size_t Fresh_Sample = 5;
constexpr unsigned Sample_Seed = 30;

// The start of the player and of the villagers that the closing scene gathers elsewhere: the
// ordinary village reads the one set, the closing village the other.
std::set<unsigned int> const Ordinary_Only = {2, 6, 51, 53, 105, 116, 129, 130};
std::set<unsigned int> const Closing_Only = {135, 136, 137, 138, 139, 140, 141, 142};

class TreeVMissingId : public LevelFixture
{
protected:
    void Sweep(bool ending)
    {
        MapWriter const full = MapIdSweep::Read(MapName);
        std::set<unsigned int> const& unread = ending ? Ordinary_Only : Closing_Only;
        std::vector<Id> ids;
        for (Id const& id : MapIdSweep::IdsIn(full))
            if (id.kind == Kind::Group || unread.count(id.id) == 0)
                ids.push_back(id);

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
        std::vector<std::string> const failures =
            MapIdSweep::Sweep(MapName, MapName, full, chosen, [&] { TreeV village(&events, ending); });
        for (std::string const& failure : failures)
            ADD_FAILURE() << (ending ? "closing village, " : "village, ") << failure;

        // The ids each form does not read leave it whole.
        for (unsigned int rp : ending ? Ordinary_Only : Closing_Only)
        {
            MapIdSweep::Without(full, {Kind::RefPoint, rp}).Write(MapName);
            EXPECT_NO_THROW(TreeV(&events, ending)) << "without reference point " << rp;
        }
        full.Write(MapName);
        TreeV const village(&events, ending);
        EXPECT_EQ(village.GetTick(), 0);
    }
};

} // namespace

TEST_F(TreeVMissingId, TheVillageRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    Sweep(false);
}

TEST_F(TreeVMissingId, TheClosingVillageRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    Sweep(true);
}

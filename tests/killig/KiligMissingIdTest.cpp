// The master's world built, in both its forms, from the generated map with one of its reference points or
// groups taken out: the build fails naming the map and the id, frees all it built (the sanitized build checks
// for leaks after each), and a normal build follows.
//
// CI takes out a fixed, seeded sample of the ids plus a few drawn afresh; run with HM_FULL_SWEEP=1 to
// take out every id in turn:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_killig --gtest_filter='KiligMissingId.*'
#include "killig/Kilig.h"
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

constexpr char const* MapName = "killig/map";
constexpr std::size_t Fixed_Sample = 24;
constexpr std::size_t Fresh_Sample = 5;
constexpr unsigned Sample_Seed = 34;

class KiligMissingId : public LevelFixture
{
};

} // namespace

TEST_F(KiligMissingId, TheWorldRefusesAMapWithoutAnIdItReadsInEitherFormAndLeavesNothingBehind)
{
    gameSounds->mute = 1;
    MapWriter const full = MapIdSweep::Read(MapName);
    std::vector<Id> const ids = MapIdSweep::IdsIn(full);
    ASSERT_EQ(ids.size(), std::size_t(Kilig_LastRp + 1 + Kilig_LastGroup));
    std::vector<Id> chosen = ids;
    unsigned const seed = TestSeed();
    SCOPED_TRACE(testing::Message() << "HM_TEST_SEED=" << seed);
    if (!MapIdSweep::WholeSweepAsked())
    {
        chosen = MapIdSweep::Sample(ids, Fixed_Sample, Sample_Seed);
        // The ids one form reads and the other does not.
        std::vector<Id> also = MapIdSweep::Sample(ids, Fresh_Sample, seed);
        for (unsigned int rp : {Kilig_Rp_HouseStart, Kilig_Rp_StopMark, Kilig_Rp_DungeonStart})
            also.push_back({MapIdSweep::Kind::RefPoint, rp});
        for (Id const& id : also)
            if (std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                chosen.push_back(id);
    }
    GameEvents firstVisit;
    GameEvents learnt;
    learnt[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    learnt[Event_TimeTravel] = GameEvent_HasHappened;
    for (std::string const& failure : MapIdSweep::Sweep(MapName, MapName, full, chosen, [&] {
             {
                 Kilig const house(&firstVisit);
             }
             Kilig const dungeon(&learnt);
         }))
        ADD_FAILURE() << failure;

    Kilig const dungeon(&learnt);
    EXPECT_EQ(dungeon.GetTick(), 0);
}

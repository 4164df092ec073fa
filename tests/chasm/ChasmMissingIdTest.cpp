// The canyon built from the generated map with one of the ids it reads taken out: the build fails
// naming the map and the id, frees all it built (the sanitized build checks for leaks after each),
// and a normal build follows. CI takes out a seeded sample; the whole sweep:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_chasm --gtest_filter='ChasmMissingId.*'
#include "chasm/ChasmWorldSupport.h"
#include "support/MapIdSweep.h"

#include <gtest/gtest.h>

class ChasmMissingId : public ChasmWorld
{
};

TEST_F(ChasmMissingId, TheCanyonRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    std::vector<MapIdSweep::MapId> const ids = WorldSweep::IdsRead(*this, Level_Chasm, events);
    // Points 0 to 811 but 158, 352, 355, 356, 430, 431, 444 and 802; no map group.
    EXPECT_EQ(ids.size(), 804u);
    WorldSweep::Run(*this, Level_Chasm, events);
}

TEST_F(ChasmMissingId, TheCanyonRefusesToBuildWithoutAPictureTheWorldsShareAndLeavesNothingBehind)
{
    WorldSweep::SharedPicturesMissing(*this, Level_Chasm, events);
}

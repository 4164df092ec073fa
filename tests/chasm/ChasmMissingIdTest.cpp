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
    EXPECT_EQ(ids.size(), 804u) << "every reference point the world reads, and no map group";
    WorldSweep::Run(*this, Level_Chasm, events);
}

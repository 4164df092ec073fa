// The village, and the closing village, built from the generated map with one of the ids it reads
// taken out: the build fails naming the map and the id, frees all it built (the sanitized build
// checks for leaks after each), and a normal build follows. CI takes out a seeded sample; the whole
// sweep: HM_FULL_SWEEP=1 build/sanitize/tests/test_treevillage --gtest_filter='TreeVMissingId.*'
#include "support/MapIdSweep.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

namespace
{

class TreeVMissingId : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }
};

} // namespace

TEST_F(TreeVMissingId, TheVillageRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    WorldSweep::Run(*this, Level_TreeV, events);
}

TEST_F(TreeVMissingId, TheClosingVillageRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    WorldSweep_Options options;
    options.ending = true;
    WorldSweep::Run(*this, Level_TreeV, events, options);
}

TEST_F(TreeVMissingId, TheVillageRefusesToBuildWithoutAPictureTheWorldsShareAndLeavesNothingBehind)
{
    WorldSweep::SharedPicturesMissing(*this, Level_TreeV, events);
}

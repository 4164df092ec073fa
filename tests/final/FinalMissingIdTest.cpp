// The den built from the generated map with one of the ids it reads taken out: the build fails naming the map
// and the id, frees all it built (the sanitized build checks for leaks after each), and a normal build
// follows. CI takes out a seeded sample; the whole sweep:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_final --gtest_filter='FinalMissingId.*'
#include "final/FinalWorldSupport.h"
#include "support/MapIdSweep.h"

#include <gtest/gtest.h>

namespace
{

class FinalMissingId : public FinalWorldFixture
{
};

} // namespace

TEST_F(FinalMissingId, TheDenRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    WorldSweep::Run(*this, Level_Final, Seasoned());
}

TEST_F(FinalMissingId, TheDenRefusesToBuildWithoutAPictureTheWorldsShareAndLeavesNothingBehind)
{
    WorldSweep::SharedPicturesMissing(*this, Level_Final, Seasoned());
}

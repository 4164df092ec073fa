// The master's world built, in both its forms, from the generated map with one of the ids it reads taken out:
// the build fails naming the map and the id, frees all it built (the sanitized build checks for leaks after
// each), and a normal build follows. CI takes out a seeded sample; the whole sweep:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_killig --gtest_filter='KiligMissingId.*'
#include "killig/KiligWorldSupport.h"
#include "support/MapIdSweep.h"

#include <gtest/gtest.h>

namespace
{

class KiligMissingId : public KiligWorldFixture
{
};

} // namespace

TEST_F(KiligMissingId, TheWorldRefusesAMapWithoutAnIdItReadsInEitherFormAndLeavesNothingBehind)
{
    // The house reads its start and the mark the hero stops at, the dungeon its own start.
    WorldSweep_Options options;
    options.sample = 20;
    WorldSweep::Run(*this, Level_Kilig, GameEvents(), options);
    WorldSweep::Run(*this, Level_Kilig, Learnt(), options);
}

TEST_F(KiligMissingId, TheWorldRefusesToBuildWithoutAPictureTheWorldsShareAndLeavesNothingBehind)
{
    WorldSweep::SharedPicturesMissing(*this, Level_Kilig, Learnt());
}

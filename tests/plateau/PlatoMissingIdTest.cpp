// The plateau built from the generated map with one of the ids it reads taken out: the build fails
// naming the map and the id, frees all it built (the sanitized build checks for leaks after each),
// and a normal build follows. CI takes out a seeded sample; the whole sweep:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_plateau --gtest_filter='PlatoMissingId.*'
#include "support/MapIdSweep.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

class PlatoMissingId : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }
};

TEST_F(PlatoMissingId, ThePlateauRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    WorldSweep::Run(*this, Level_Plato, events);
}

TEST_F(PlatoMissingId, ThePlateauRefusesToBuildWithoutAPictureTheWorldsShareAndLeavesNothingBehind)
{
    WorldSweep::SharedPicturesMissing(*this, Level_Plato, events);
}

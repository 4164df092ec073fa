// The castle built from the generated map with one of the ids it reads taken out: the build fails
// naming the map and the id, frees all it built (the sanitized build checks for leaks after each),
// and a normal build follows. CI takes out a seeded sample; the whole sweep:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_castle --gtest_filter='CasleMissingId.*'
#include "support/MapIdSweep.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

class CasleMissingId : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }
};

TEST_F(CasleMissingId, TheCastleRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    WorldSweep::Run(*this, Level_Casle, events);
}

TEST_F(CasleMissingId, TheCastleRefusesToBuildWithoutAPictureTheWorldsShareAndLeavesNothingBehind)
{
    WorldSweep::SharedPicturesMissing(*this, Level_Casle, events);
}

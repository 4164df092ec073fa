// The plateau played with the worlds' kit: walked by keys along the road its generator exports, and
// replayed whole under random travel.
#include "plateau/Plato.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"

#include <gtest/gtest.h>

class PlatoRoad : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }
};

TEST_F(PlatoRoad, TheWholePlateauReplaysAlongTheRoadAndUnderRandomKeys)
{
    WorldReplay_Options options;
    options.road = "exit";
    WorldReplay::Run(*this, Level_Plato, events, options);
    WorldReplay::Run(*this, Level_Plato, events);
}

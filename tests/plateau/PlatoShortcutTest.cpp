// The plateau as a player meets it: the map's drawing order hides nothing stood on and no moving group,
// and the rock the mortar lifts keeps both a held direction and random keys from the exit.
#include "engine/Map.h"
#include "plateau/Plato.h"
#include "support/DrawOrder.h"
#include "support/ShortcutRun.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

namespace
{

class PlatoShortcut : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    Plato& MakeWorld()
    {
        Build(Level_Plato);
        return As<Plato>();
    }

    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
};

} // namespace

TEST_F(PlatoShortcut, NoLaterPolygonHidesWhatAPlayerStandsOnOrAMovingGroup)
{
    Plato& plato = MakeWorld();
    EXPECT_TRUE(DrawOrder::NothingHidden(*plato.GetMap()));
}

TEST_F(PlatoShortcut, HoldingADirectionOrRandomKeysDoNotPassTheRockToTheExit)
{
    ShortcutRun::Each([this] { MakeWorld(); }, Stepper(),
                      [](ShortcutRun::Result const& r) { EXPECT_NE(r.action, Level_Completed) << r.how; });
}

// The plateau as a player meets it: the map's drawing order hides nothing stood on and no moving group,
// and the rock the mortar lifts keeps both a held direction and random keys from the exit.
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "plateau/Plato.h"
#include "support/DrawOrder.h"
#include "support/RandomSeed.h"
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
    DrawOrder::Check const check(*plato.GetMap());
    std::vector<DrawOrder::Hidden> const hidden = check.Find();
    EXPECT_TRUE(hidden.empty()) << check.Report(hidden);
}

TEST_F(PlatoShortcut, HoldingADirectionOrRandomKeysDoNotPassTheRockToTheExit)
{
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
    {
        MakeWorld();
        ShortcutRun::Result const r = ShortcutRun::Hold(Stepper(), direction);
        EXPECT_NE(r.action, Level_Completed) << r.how;
    }
    ForEachSeed(ShortcutRun::Seeds, [this](unsigned seed) {
        MakeWorld();
        ShortcutRun::Result const r = ShortcutRun::Random(Stepper(), seed);
        EXPECT_NE(r.action, Level_Completed) << r.how;
    });
}

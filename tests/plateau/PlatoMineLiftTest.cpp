// The mine lift in the generated plateau: ridden up its shaft, also pressed against either wall, walked
// off at the top onto the floor and back on, and the mast's mounds that keep the aerials under the
// television's panel.
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "plateau/Plato.h"
#include "plateau/Plato_Aerial.h"
#include "plateau/Plato_Ids.h"
#include "plateau/Plato_MapMove.h"
#include "support/PngPixels.h"
#include "support/ShortcutRun.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

constexpr double ShaftLeft = -3150.0; // the shaft's walls, as the generator digs it
constexpr double ShaftRight = -3000.0;

class PlatoMineLift : public MutedWorldFixture
{
protected:
    Plato& MakeWorld()
    {
        Build(Level_Plato);
        return As<Plato>();
    }

    // Steps with no key until the lift's cycle reaches phase (ticks into its round trip).
    void StepToPhase(Plato& plato, int phase)
    {
        for (int i = 0; i < Mine_Lift_Period && plato.GetTick() % Mine_Lift_Period != phase; ++i)
            ASSERT_EQ(Step(), Level_Continue);
        ASSERT_EQ(plato.GetTick() % Mine_Lift_Period, phase);
    }

    // Holds the direction, jumping now and then, until the lift's cycle reaches phase.
    void HoldToPhase(Plato& plato, int direction, int phase)
    {
        for (int i = 0; i < Mine_Lift_Period && plato.GetTick() % Mine_Lift_Period != phase; ++i)
            ASSERT_EQ(Step(ShortcutRun::HeldKeys(direction, i)), Level_Continue);
        ASSERT_EQ(plato.GetTick() % Mine_Lift_Period, phase);
    }

    // Holds key for steps; the lowest the player's feet came and where he ends.
    double Hold(Plato& plato, int key, int steps)
    {
        double lowest = plato.GetPlayer()->GetPos().y;
        for (int i = 0; i < steps; ++i)
        {
            EXPECT_EQ(Step({key}), Level_Continue);
            lowest = std::min(lowest, plato.GetPlayer()->GetPos().y);
        }
        return lowest;
    }
};

} // namespace

TEST_F(PlatoMineLift, ItIsWalkedOffAtTheTopOntoTheFloorAndBackOnAndRiddenDownAndUpAgain)
{
    Plato& plato = MakeWorld();
    Player* player = plato.GetPlayer();
    int const restsAtTop = 2 * Mine_Lift_Del + Mine_Lift_Wait; // until the round trip's end
    StepToPhase(plato, restsAtTop + 5);
    Pointf const onLift(ShaftRight - 30.0, 1.0);
    player->SetPos(&onLift);
    ASSERT_EQ(Steps(5), Level_Continue);
    ASSERT_NEAR(player->GetPos().y, 0.0, 1.0);

    // Off to the right onto the mine's floor, level: no seam drops him into the shaft.
    EXPECT_GT(Hold(plato, KeyIndex_GameRight, 30), -2.0) << "he dropped at the lift's right edge";
    EXPECT_GT(player->GetPos().x, ShaftRight + 12.0);
    EXPECT_NEAR(player->GetPos().y, 0.0, 1.0);

    // And back onto the lift while it rests at the top.
    ASSERT_LT(plato.GetTick() % Mine_Lift_Period, Mine_Lift_Period - 45);
    EXPECT_GT(Hold(plato, KeyIndex_GameLeft, 45), -2.0) << "he dropped stepping back onto the lift";
    EXPECT_LT(player->GetPos().x, ShaftRight - 10.0);
    EXPECT_GT(player->GetPos().x, ShaftLeft);
    EXPECT_NEAR(player->GetPos().y, 0.0, 1.0);

    // It takes him down the shaft and back up, and he walks off again at the top.
    StepToPhase(plato, Mine_Lift_Del + Mine_Lift_Wait / 2);
    EXPECT_NEAR(player->GetPos().y, -Mine_Lift_Dist, 1.0);
    StepToPhase(plato, restsAtTop + 2);
    EXPECT_NEAR(player->GetPos().y, 0.0, 1.0);
    EXPECT_GT(Hold(plato, KeyIndex_GameRight, 60), -2.0) << "he dropped leaving the lift after the ride";
    EXPECT_GT(player->GetPos().x, ShaftRight + 12.0);
}

TEST_F(PlatoMineLift, ARiderPressedAgainstEitherWallOfTheShaftIsCarriedDownAndUpAndWalksOffTheOtherWay)
{
    Plato& plato = MakeWorld();
    Player* player = plato.GetPlayer();
    int const restsAtTop = 2 * Mine_Lift_Del + Mine_Lift_Wait;
    for (int toward : {KeyIndex_GameLeft, KeyIndex_GameRight})
    {
        bool const left = toward == KeyIndex_GameLeft;
        StepToPhase(plato, restsAtTop + 5);
        Pointf const onLift(left ? ShaftLeft + 20.0 : ShaftRight - 20.0, 1.0);
        player->SetPos(&onLift);
        // Pressed against the wall from half way down to the foot and up again, jumping now and then,
        // he rides on the lift's top.
        StepToPhase(plato, Mine_Lift_Del / 2);
        HoldToPhase(plato, toward, Mine_Lift_Del + Mine_Lift_Wait / 2);
        EXPECT_NEAR(player->GetPos().y, -Mine_Lift_Dist, 1.0) << (left ? "left" : "right") << " wall, at the foot";
        EXPECT_NEAR(player->GetPos().x, left ? ShaftLeft : ShaftRight, 1.0);
        HoldToPhase(plato, toward, restsAtTop - 50); // the last jump's landing on the lift still rising
        StepToPhase(plato, restsAtTop + 2);
        EXPECT_NEAR(player->GetPos().y, 0.0, 1.0) << (left ? "left" : "right") << " wall, back at the top";
        // And walks off across the lift and off its other side.
        EXPECT_GT(Hold(plato, left ? KeyIndex_GameRight : KeyIndex_GameLeft, 60), -2.0);
        if (left)
            EXPECT_GT(player->GetPos().x, ShaftRight + 12.0);
        else
            EXPECT_LT(player->GetPos().x, ShaftLeft - 12.0);
    }
}

TEST_F(PlatoMineLift, TheAerialsAreTurnedFromAboveTheirMastAndTheirPanelLeavesThemInView)
{
    Plato& plato = MakeWorld();
    Map const* map = plato.GetMap();
    Pointf const mast = map->GetRefPoint(Plato_AerialRp);
    // The floor beside the mounds is out of the aerials' reach: the game starts only from a mound.
    for (double dx : {-80.0, 80.0})
    {
        Pointf const floor(mast.x + dx, 1.0);
        EXPECT_GE(floor.DistanceEst(&mast), Aerial_Reach) << dx;
    }
    // From a mound's top, beside the slot the mast stands in, the player looks down on the aerials.
    Player* player = plato.GetPlayer();
    Pointf const onMound(mast.x + 14.0, mast.y + 40.0);
    player->SetPos(&onMound);
    ASSERT_EQ(Steps(30), Level_Continue);
    Pointf const feet = player->GetPos();
    ASSERT_LT(std::fabs(feet.x - mast.x), 20.0);
    ASSERT_LT(feet.DistanceEst(&mast), Aerial_Reach) << "the mound's top is out of reach";
    ASSERT_EQ(Step({KeyIndex_GameAction}), Level_Continue);
    ASSERT_EQ(Step(), Level_Continue);
    ASSERT_TRUE(plato.GetAerial()->active);
    ASSERT_EQ(Steps(120), Level_Continue);

    // Each aerial's far end, at the angles the game starts from and those it is tuned to, and the mast's
    // top stay below the panel's lower edge.
    plato.SetProjection();
    double const panelBottom = Aerial_PanelShown - PngPixels(data->path / "gfx/plateau/tvpicture.png").height;
    PngPixels const aerial(data->path / "gfx/plateau/aerial.png");
    auto onScreen = [&](double y) { return (y - map->GetCentrePoint().y) * map->view.scale + 240.0; };
    for (int i = 0; i < 3; ++i)
        for (double angle : {Aerial_Wrong_Angles[i], Aerial_Correct_Angles[i]})
        {
            double const rise = aerial.width * std::fabs(std::sin(angle)) + aerial.height / 2.0;
            EXPECT_LT(onScreen(mast.y + 16.0 * (i + 1) + rise), panelBottom) << "aerial " << i << " at " << angle;
        }
    EXPECT_LT(onScreen(mast.y + 16.0 * 3 + aerial.height / 2.0), panelBottom) << "the mast's top";
}

// The den's closing sequence after the dragon's death: at its five hundredth step the white disc
// covers the screen, the dragon goes and the hero's aim is dropped with it.
#include "engine/Character.h"
#include "engine/Player.h"
#include "final/FinalWorldSupport.h"

#include <gtest/gtest.h>

namespace
{

// Steps of the closing sequence before the disc covers the screen, as the game gives them.
constexpr int DiscCoversSteps = 500;

class FinalClosingTest : public FinalWorldFixture
{
};

} // namespace

TEST_F(FinalClosingTest, TheHerosTargetsAreDroppedWhenTheDiscCoversTheScreen)
{
    Final& den = Den();
    WalkToSpot();
    ThrowUntilDead(Final_Dragon::Dragon_FullCycle_Time);
    ASSERT_TRUE(Dragon()->Dead(den.GetTick()));
    // Aiming as the sequence begins: the player is no longer stepped, so his list stands.
    Hero()->keys = Character_Aim;
    Hero()->MoveAttack(den.GetTick());
    ASSERT_NE(Hero()->GetTargets(), nullptr) << "nothing in sight to aim at";
    for (int c = 1; c < DiscCoversSteps; ++c)
        ASSERT_EQ(Step(), Level_Continue) << "closing step " << c;
    EXPECT_NE(Hero()->GetTargets(), nullptr) << "dropped before the disc";
    ASSERT_EQ(Step(), Level_Continue);
    EXPECT_EQ(Hero()->GetTargets(), nullptr) << "kept under the disc";
}

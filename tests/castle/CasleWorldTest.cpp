// The castle built from the generated data: every id present, destroyed and built again, idling,
// the object list's order and what the progress record changes at construction.
#include "castle/Casle.h"
#include "engine/Player.h"

#include "support/WorldFixture.h"

#include <gtest/gtest.h>

class CasleWorldTest : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    Casle& MakeCastle()
    {
        Build(Level_Casle);
        return As<Casle>();
    }
};

TEST_F(CasleWorldTest, BuildsAgainInOneProcessAndIdlesForTenThousandSteps)
{
    MakeCastle();
    Destroy();
    Casle& castle = MakeCastle();
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(castle.GetPlayer()->IsPlayerDead(), 0);
}

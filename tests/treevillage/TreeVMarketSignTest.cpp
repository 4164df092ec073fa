// The market sign: tiles turned by hits, the solution, help after many hits and eased turns.
#include "support/SmallMap.h"
#include "treevillage/TreeV_MarketSign.h"

#include <gtest/gtest.h>

namespace
{

constexpr unsigned int SignPoint = 91;
constexpr double P = 1.5707963267949;

class TreeVMarketSignTest : public testing::Test
{
protected:
    TreeVMarketSignTest()
    {
        MapWriter writer = FloorWriter();
        writer.AddRefPoint(SignPoint, 100.0, 200.0);
        map = ReadSmallMap(writer);
    }

    std::unique_ptr<Map> map;
};

TEST_F(TreeVMarketSignTest, TheFewestHitsSolveItAndTravelBackShowsTheEarlierTurns)
{
    TreeV_MarketSign sign(map.get(), SignPoint, false);
    for (int i = 0; i < TreeV_MarketSign_Segments; i++)
        EXPECT_EQ(sign.GetSwitch(i)->GetRotation(0) == 0, i == 1) << i;

    int const needed[TreeV_MarketSign_Segments] = {3, 0, 1, 2, 2, 3};
    Tick t = 100;
    for (int i = 0; i < TreeV_MarketSign_Segments; i++)
        for (int k = 0; k < needed[i]; k++)
            sign.GetSwitch(i)->Hit(t += 10, 1, 0);
    EXPECT_FALSE(sign.IsComplete(t - 1));
    EXPECT_TRUE(sign.IsComplete(t));
    EXPECT_FALSE(sign.IsComplete(50));
    EXPECT_EQ(sign.GetSwitch(0)->GetRotation(115), 2);

    // Four more hits on a tile bring it round to where it was.
    for (int k = 0; k < 4; k++)
        sign.GetSwitch(3)->Hit(t + 10 + k, 1, 0);
    EXPECT_FALSE(sign.IsComplete(t + 12));
    EXPECT_TRUE(sign.IsComplete(t + 13));
}

TEST_F(TreeVMarketSignTest, HelpComesWithTheTwelfthDamageAndASolvedSignStaysSoUntilHit)
{
    TreeV_MarketSign sign(map.get(), SignPoint, true);
    for (Tick t = 0; t < 2000; t += 37)
        EXPECT_TRUE(sign.IsComplete(t)) << t;
    for (Tick k = 1; k <= 12; k++)
        sign.GetSwitch(4)->Hit(100 * k, 1, 0);
    EXPECT_TRUE(sign.IsComplete(99));
    EXPECT_FALSE(sign.IsComplete(100));
    EXPECT_TRUE(sign.IsComplete(400));
    EXPECT_FALSE(sign.ShouldHelp(1199));
    EXPECT_TRUE(sign.ShouldHelp(1200));
    EXPECT_TRUE(sign.IsComplete(1200));
}

TEST_F(TreeVMarketSignTest, ATurnEasesInFromAQuarterBehindAndAlwaysTheSameWay)
{
    TreeV_MarketSign sign(map.get(), SignPoint, false);
    TreeV_SignSegment* tile = sign.GetSwitch(2); // starts three quarters round
    EXPECT_DOUBLE_EQ(tile->DrawnAngle(50), 3 * P);
    tile->Hit(100, 1, 0);
    EXPECT_NEAR(tile->DrawnAngle(100), -P, 1e-12);
    EXPECT_NEAR(tile->DrawnAngle(101), -0.75 * P, 1e-12);
    EXPECT_LT(tile->DrawnAngle(115), 0.0);
    EXPECT_DOUBLE_EQ(tile->DrawnAngle(116), 0.0);
    EXPECT_DOUBLE_EQ(tile->DrawnAngle(99), 3 * P);
}

} // namespace

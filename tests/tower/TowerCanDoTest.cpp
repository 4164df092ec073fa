// The tower's hint panel: its four areas, their bounds and texts, and nothing elsewhere.
#include "engine/GameEvents.h"
#include "support/CanDoFixture.h"
#include "tower/Tower_CanDo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

class TowerCanDoTest : public CanDoFixture<Tower_CanDo>
{
protected:
    TowerCanDoTest() : CanDoFixture(64.0)
    {
        panel = std::make_unique<Tower_CanDo>(player.get(), map.get(), font, &progress);
    }
};

TEST_F(TowerCanDoTest, FourAreasEachWithItsHintLowerEdgesInsideUpperOutside)
{
    bool positive = false;
    EXPECT_EQ(Hint(1730.0, 2700.0, 10, &positive), "Raise lift to the top");
    EXPECT_TRUE(positive);
    EXPECT_EQ(Hint(1551.5, 2810.0, 10, &positive), "Open doors and get through");
    EXPECT_TRUE(positive);
    EXPECT_EQ(Hint(1481.0, 2820.0, 10, &positive), "Hit target and open door");
    EXPECT_TRUE(positive);
    EXPECT_EQ(Hint(730.0 - 1e-8, 200.0 - 1e-8, 10), "Open door and get through") << "within the tolerance";
    EXPECT_EQ(Hint(1515.9, 2849.4, 10), "Hit target and open door");
    EXPECT_EQ(Hint(1611.9, 2849.9, 10), "Open doors and get through");

    // Upper edges, and the gaps between the small areas.
    EXPECT_EQ(Hint(2050.0, 500.0, 10), "");
    EXPECT_EQ(Hint(1516.0, 2830.0, 10), "");
    EXPECT_EQ(Hint(1000.0, 1300.0, 10), "");
    EXPECT_EQ(Hint(1980.0, 2750.0, 10), "");
    EXPECT_EQ(Hint(1800.0, 2800.0, 10), "");
    EXPECT_EQ(Hint(1612.0, 2830.0, 10), "");
    EXPECT_EQ(Hint(1500.0, 2849.5, 10), "");
    EXPECT_EQ(Hint(1500.0, 2849.5 - 1e-8, 10), "") << "within the tolerance of an upper edge is outside";
    EXPECT_EQ(Hint(1530.0, 2830.0, 10), "");
    EXPECT_EQ(Hint(0.0, 0.0, 10), "");

    // The first hint's thumb follows the hint panel's own event at the tick asked.
    EXPECT_EQ(Hint(1000.0, 500.0, 10, &positive), "Open door and get through");
    EXPECT_FALSE(positive);
    progress[Event_Hint] = 20;
    Hint(1000.0, 500.0, 19, &positive);
    EXPECT_FALSE(positive);
    Hint(1000.0, 500.0, 20, &positive);
    EXPECT_TRUE(positive);

    // Outside every area the record is left as it was given.
    Pointf const away(5000.0, 5000.0);
    player->SetPos(&away);
    CanDo_Indicate given{"kept", false};
    EXPECT_TRUE(panel->FindMessage(&given, 30));
    EXPECT_STREQ(given.mess, "kept");
    EXPECT_FALSE(given.positive);
}

} // namespace

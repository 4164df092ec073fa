// The hint panel: the two objectives' areas, their bounds, and the thumbs of getting past the ogre.
#include "black/Black_CanDo.h"
#include "engine/GameEvents.h"
#include "support/CanDoFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

class BlackCanDoTest : public CanDoFixture<Black_CanDo>
{
protected:
    BlackCanDoTest() { panel = std::make_unique<Black_CanDo>(player.get(), map.get(), font, &progress); }
};

} // namespace

TEST_F(BlackCanDoTest, EachObjectiveShowsInsideItsAreaLowerBoundsIncludedAndThePassOnceTheSocksAreFound)
{
    double const eps = 1e-9;
    std::string const pass = "Get past the Ogre";
    EXPECT_EQ(Hint(11700.0, 5400.0, 10), pass);
    EXPECT_EQ(Hint(11700.0 - eps, 5250.0 - eps, 10), pass) << "within the tolerance of the lower bounds";
    EXPECT_EQ(Hint(12300.0, 5400.0, 10), "");
    EXPECT_EQ(Hint(12300.0 - eps, 5400.0, 10), "") << "within the tolerance of the upper bound";
    EXPECT_EQ(Hint(12299.99, 5599.99, 10), pass);
    EXPECT_EQ(Hint(12000.0, 5600.0, 10), "");

    bool positive = false;
    EXPECT_EQ(Hint(13300.0, 6550.0, 10, &positive), "Kill the Ogre");
    EXPECT_TRUE(positive);
    EXPECT_EQ(Hint(14200.0, 7000.0, 10), "");
    EXPECT_EQ(Hint(13500.0, 7300.0, 10), "");
    EXPECT_EQ(Hint(13000.0, 6000.0, 10), "");

    // Thumbs up from the tick the socks are found, down again before it.
    progress[Event_Socks] = 300;
    Hint(12000.0, 5400.0, 299, &positive);
    EXPECT_FALSE(positive);
    Hint(12000.0, 5400.0, 300, &positive);
    EXPECT_TRUE(positive);
}

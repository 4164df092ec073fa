// The hint panel: the two objectives' areas, their bounds, and the thumbs of getting past the ogre.
#include "black/Black_CanDo.h"
#include "engine/GameEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

class BlackCanDoTest : public SpeakingFixture
{
protected:
    BlackCanDoTest() : map(ReadFloorMap())
    {
        Pointf const start(0.0, 0.0);
        player = std::make_unique<Player>(map.get(), &objects, &progress, &sounds, &start, 1.0);
        panel = std::make_unique<Black_CanDo>(player.get(), map.get(), font, &progress);
    }

    // The hint at (x, y) and tick t: its text, "" for none, and whether it is good news.
    std::string Hint(double x, double y, Tick t, bool* positive = nullptr)
    {
        Pointf const at(x, y);
        player->SetPos(&at);
        CanDo_Indicate indicate{nullptr, false};
        bool const found = panel->FindMessage(&indicate, t);
        EXPECT_EQ(found, indicate.mess != nullptr);
        if (positive != nullptr)
            *positive = indicate.positive;
        return found ? indicate.mess : "";
    }

    GameEvents progress;
    Game_Sounds sounds;
    ObjectList objects;
    std::unique_ptr<Map> map;
    std::unique_ptr<Player> player;
    std::unique_ptr<Black_CanDo> panel;
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

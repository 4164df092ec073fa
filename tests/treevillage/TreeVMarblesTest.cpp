// The marbles game: a won game, the fourth miss, the colours, the arrow and Marbles' walks.
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "tools/Canvas.h"
#include "treevillage/TreeV_Marbles.h"
#include "treevillage/VillagerSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{

constexpr unsigned int Marbles_Home = 53;
constexpr unsigned int Marbles_AtPlace = 58;

class TreeVMarblesTest : public VillagerFixture
{
protected:
    static void SetUpTestSuite()
    {
        VillagerFixture::SetUpTestSuite();
        Canvas(8, 8, Rgba{255, 255, 255, 255}).WritePng(data->Path() + "/gfx/treevillage/arrow.png");
        for (int i = 1; i <= 4; i++)
            Canvas(8, 8, Rgba{std::uint8_t(60 * i), 0, 0, 255})
                .WritePng(data->Path() + "/gfx/treevillage/marble" + std::to_string(i) + ".png");
    }

    // A floor from 1500 to 3000 with the four jars beside the player; wall puts a wall
    // between Marbles and his throwing place.
    void Build(unsigned int marblesStart, bool wall = false)
    {
        MapWriter writer;
        writer.SetView(1900.0, -240.0, 1.0);
        writer.AddBox(1500.0, -100.0, 3000.0, 0.0, 0, 0, true, false, 64.0);
        if (wall)
            writer.AddBox(2300.0, 0.0, 2320.0, 300.0, 0, 0, true, false, 64.0);
        writer.AddRefPoint(Marbles_Home, 2200.0, 0.0);
        writer.AddRefPoint(Marbles_AtPlace, 2450.0, 0.0);
        for (int i = 0; i < Marbles_Jars; i++)
            writer.AddRefPoint(Jar_Points[i], 1800.0 + 40.0 * i, 50.0);
        writer.AddRefPoint(200, 2000.0, 0.0);
        map = ReadSmallMap(writer);
        Pointf const start = map->GetRefPoint(200);
        player = std::make_unique<Player>(map.get(), &objects, &progress, &sounds, &start, 1.0);
        TreeV_Dude::Initialise();
        marbles = std::make_unique<TreeV_Dude>(map.get(), TreeV_Dude_Marbles, marblesStart);
        game = std::make_unique<TreeV_Marbles>(player.get(), marbles.get());
    }

    ~TreeVMarblesTest() override
    {
        game.reset();
        marbles.reset();
        TreeV_Dude::Finalise();
    }

    // One step of the world: the game, then Marbles moves.
    int Step(int key = -1)
    {
        KeyData keys;
        if (key >= 0)
            keys.keys[key] = KeyState_Pressed;
        int const r = game->Poll(map.get(), clock, &keys);
        marbles->MoveToTime(map.get(), clock);
        clock++;
        return r;
    }

    // Plays a game steering the arrow to the jar of colour + offset; the result, with the
    // colours thrown in order.
    int Play(int offset, std::vector<int>& colours)
    {
        for (int n = 0; n < 20000; n++)
        {
            if (game->State() == 2 && int(colours.size()) < game->Thrown())
                colours.push_back(game->CurrentMarble());
            int key = -1;
            if (game->State() == 2)
            {
                int const want = (game->CurrentMarble() + offset) % Marbles_Jars;
                if (want > game->ChosenJar())
                    key = KeyIndex_GameRight;
                else if (want < game->ChosenJar())
                    key = KeyIndex_GameLeft;
            }
            int const before = game->State();
            if (int r = Step(key); r != 0)
                return r;
            if (before == 3 && game->State() == 4)
                landedSounds = game->SuccessSounds();
        }
        return 0;
    }

    GameEvents progress;
    Game_Sounds sounds;
    ObjectList objects;
    std::unique_ptr<Map> map;
    std::unique_ptr<Player> player;
    std::unique_ptr<TreeV_Dude> marbles;
    std::unique_ptr<TreeV_Marbles> game;
    Tick clock = 1;
    int landedSounds = -1; // success sounds when the last marble had landed
};

TEST_F(TreeVMarblesTest, FollowingEachColourWinsAndTheFourthMissLoses)
{
    Build(Marbles_Home);
    std::vector<int> colours;
    EXPECT_EQ(Play(0, colours), 1);
    EXPECT_TRUE(player->scripted);
    EXPECT_EQ(game->Thrown(), Marbles_Count);
    EXPECT_EQ(game->Successes(), Marbles_Count);
    EXPECT_EQ(landedSounds, 1) << "the success sound plays as the last marble lands";
    EXPECT_LE(marbles->GetPos().x, Marbles_HomeX + 2.0);
    ASSERT_EQ(colours.size(), std::size_t(Marbles_Count));
    for (std::size_t i = 1; i < colours.size(); i++)
        EXPECT_NE(colours[i], colours[i - 1]) << i;
    EXPECT_NEAR(game->Speed(), Marbles_StartSpeed * std::pow(Marbles_SpeedUp, Marbles_Count), 1e-12);

    // A new game resets the counts; every marble missed ends it on the fourth.
    colours.clear();
    EXPECT_EQ(Play(1, colours), 2);
    EXPECT_EQ(game->Thrown(), Marbles_MaxMisses + 1) << "no further throw";
    EXPECT_EQ(game->Successes(), 0);
    EXPECT_EQ(game->SuccessSounds(), 1) << "no success sound for a loss";
}

TEST_F(TreeVMarblesTest, TheArrowStaysOverTheJarsAndMarblesAtHisPlaceThrowsAtOnce)
{
    Build(Marbles_AtPlace);
    Step();
    EXPECT_EQ(game->State(), 1);
    Step(KeyIndex_GameLeft);
    EXPECT_EQ(game->State(), 2) << "already at his place";
    EXPECT_EQ(game->Thrown(), 1);
    EXPECT_EQ(game->ChosenJar(), 0);
    for (int i = 0; i < 5; i++)
        Step(KeyIndex_GameRight);
    EXPECT_EQ(game->ChosenJar(), Marbles_Jars - 1);
}

TEST_F(TreeVMarblesTest, AWallInHisWayEndsTheWalkAtTheCap)
{
    Build(Marbles_Home, true);
    Step();
    for (int i = 0; i < Marbles_WalkCap; i++)
        Step();
    EXPECT_EQ(game->State(), 1);
    EXPECT_LE(marbles->GetPos().x, 2300.0) << "held up by the wall";
    Step();
    EXPECT_EQ(game->State(), 2);
    EXPECT_EQ(game->Thrown(), 1);
}

} // namespace

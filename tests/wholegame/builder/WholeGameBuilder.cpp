// Builds the whole game's key script (tests/wholegame/README.md): the real program runs here from the
// title, and each world is played by its walk in the order of the map. Run in a data folder, with
//   HM_WHOLEGAME_SCRIPT   the script file to write
//   HM_WHOLEGAME_PART     1: a new game from the title to the map after the plateau, where the game is
//                         closed; 2: the slot that saved, from the title to the end
// The script's first lines are comments giving its length and the digest of the state it ends in.
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "shell/Globals.h"
#include "shell/MapScreen.h"
#include "support/RoadWalker.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeVStoryWalk.h"
#include "wholegame/builder/GameDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace
{

constexpr int Title_Steps = 800;   // the logos and their fades, and the plates risen
constexpr int Enter_Limit = 600;   // steps for a world to come up after action on the map
constexpr int Fade_Limit = 600;    // steps for the screen after a level to come up
constexpr int Map_Limit = 1500;    // steps for the map's path to open and the figure to walk it
constexpr int Level_Limit = 200000;

class WholeGame
{
public:
    explicit WholeGame(GameDriver& driven) : game(driven) {}

    // The title: the first slot (a new game, or the one that saved) is chosen with Enter.
    void Title()
    {
        game.Steps(Title_Steps);
        game.Shot("title");
        game.Steps(2, {KeyIndex_Enter});
        game.Step();
        ASSERT_TRUE(game.Until([&] { return game.MapReady(); }, Map_Limit)) << "the map did not come up";
    }

    // On the map: the figure walks to the world's location along open paths and action plays it.
    void Enter(Level_Type world)
    {
        int const to = world - 1;
        for (int hops = 0; mapScreen && mapScreen->Location() != to && hops < Location_Count; hops++)
        {
            int const key = KeyTowards(mapScreen->Location(), to);
            ASSERT_NE(key, 0) << "no open way on the map from " << mapScreen->Location() << " to " << to;
            game.Steps(2, {key});
            ASSERT_TRUE(game.Until([&] { return game.MapReady(); }, Map_Limit));
        }
        game.Shot(std::string("map-") + std::to_string(world));
        game.Step();
        ASSERT_TRUE(game.Until([&] { return fading == 1; }, 10, {KeyIndex_GameAction}));
        ASSERT_TRUE(game.Until([&] { return level != nullptr && fading == 0; }, Enter_Limit))
            << "world " << world << " did not come up";
        ASSERT_EQ(curLevel, world);
        game.Shot(std::string("start-") + std::to_string(world));
        game.Note("world " + std::to_string(world) + " from step " + std::to_string(game.steps));
    }

    // After a level ends: the shot of its end, and the map (or the world again) once faded in.
    void Leave(Level_Type world, Level_Action result, Level_Action expected)
    {
        ASSERT_EQ(result, expected) << "world " << world;
        game.Shot(std::string("end-") + std::to_string(world));
        game.StopFrames();
        ASSERT_TRUE(game.Until([&] { return levelAction == Level_Continue && fading == 0; }, Fade_Limit));
        if (mapScreen)
        {
            ASSERT_TRUE(game.Until([&] { return game.MapReady(); }, Map_Limit)) << "the map did not settle";
        }
    }

    void Village()
    {
        Enter(Level_TreeV);
        auto* village = dynamic_cast<TreeV*>(level);
        ASSERT_NE(village, nullptr);
        TreeVStoryWalk walk(
            *village, [&](std::vector<int> const& held) { return game.Step(held); }, [&] { return game.Frame(); });
        walk.onGame = [&](char const* name) { game.Shot(std::string("village-") + name); };
        walk.Play();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        Leave(Level_TreeV, walk.result, Level_Completed);
    }

    // A world walked along one of its generator's roads to the end the road leads to.
    void Road(Level_Type world, char const* road, Level_Action expected)
    {
        Enter(world);
        RoadWalker walker(*game.World(), RoadWalker::WorldRoad(world, road));
        RoadWalk_Result const r =
            walker.Walk([&](std::vector<int> const& held) { return game.Step(held); }, Level_Limit);
        ASSERT_TRUE(r.done) << r.report;
        Leave(world, r.action, expected);
    }

private:
    // The key that walks the figure from one location a hop nearer another, over open paths; 0 when
    // none does.
    int KeyTowards(int from, int to) const
    {
        static constexpr int keys[4] = {KeyIndex_GamePrevTarget, KeyIndex_GameNextTarget, KeyIndex_GameLeft,
                                        KeyIndex_GameRight};
        // Breadth first from the target: the hop whose far side is nearest it.
        std::vector<int> distance(Location_Count, -1);
        std::vector<int> queue{to};
        distance[to] = 0;
        for (std::size_t i = 0; i < queue.size(); i++)
            for (int join = 0; join < 4; join++)
            {
                int const next = Location_Joins[queue[i]][join];
                if (next >= 0 && distance[next] < 0 && Open(queue[i], next))
                {
                    distance[next] = distance[queue[i]] + 1;
                    queue.push_back(next);
                }
            }
        for (int join = 0; join < 4; join++)
        {
            int const next = Location_Joins[from][join];
            if (next >= 0 && Open(from, next) && distance[next] >= 0 && distance[next] < distance[from])
                return keys[join];
        }
        return 0;
    }
    bool Open(int a, int b) const
    {
        int const p = mapScreen->FindPath(a, b);
        return p >= 0 && mapScreen->IsPathActive(gameEvents, p);
    }

    GameDriver& game;
};

std::string Environment(char const* name)
{
    char const* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

TEST(WholeGameBuilder, PlaysTheGameAndWritesItsScript)
{
    std::string const file = Environment("HM_WHOLEGAME_SCRIPT");
    std::string const part = Environment("HM_WHOLEGAME_PART");
    ASSERT_FALSE(file.empty()) << "HM_WHOLEGAME_SCRIPT names the script to write";
    ASSERT_TRUE(part == "1" || part == "2") << "HM_WHOLEGAME_PART is 1 or 2";

    GameDriver game;
    game.shotFolder = "shots/" + part;
    WholeGame whole(game);
    whole.Title();
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    if (part == "1")
    {
        whole.Village();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        whole.Road(Level_Plato, "exit", Level_Completed);
        ASSERT_FALSE(testing::Test::HasFatalFailure());
    }
    game.Shot("closed");
    game.Step();
    std::uint32_t const digest = game.Close();

    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", digest);
    std::ofstream out(file);
    out << "# The whole game by keys, part " << part << ": made by tests/wholegame/make-script, not by hand.\n"
        << "# steps " << game.steps << "\n# digest " << hex << "\n"
        << game.script;
    ASSERT_TRUE(out.good()) << "cannot write " << file;
}

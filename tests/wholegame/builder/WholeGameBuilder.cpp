// Builds the whole game's key script (tests/wholegame/README.md): the real program runs here from the
// title, and each world is played by its walk in the order of the map. Run in a data folder, with
//   HM_WHOLEGAME_SCRIPT   the script file to write
//   HM_WHOLEGAME_PART     1: a new game from the title to the map after the plateau, where the game is
//                         closed; 2: the slot that saved, from the title to the end
// Its comment lines give its length in steps, where each world begins, and a check line at each
// screenshot and at the end: "# check STEP DIGEST SLOT NAME", the digest of the state after STEP steps
// (which the program closed a step earlier prints with HM_DIGEST=1) and the FNV-1a sum of the first
// save slot's file then.
#include "castle/CastleRoad.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "final/FinalFightScript.h"
#include "killig/KiligWorldSupport.h"
#include "petra/Petra.h"
#include "petra/PetraSolveWalk.h"
#include "shell/Globals.h"
#include "shell/MapScreen.h"
#include "support/RoadTravel.h"
#include "support/RoadWalker.h"
#include "tools/worlds/killig.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeVStoryWalk.h"
#include "wholegame/WholeGameChests.h"
#include "wholegame/builder/GameDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

namespace
{

constexpr int Village_Check = 5000; // the step of the check CI plays to
constexpr int Title_Steps = 800;    // the logos and their fades, and the plates risen
constexpr int Enter_Limit = 600;    // steps for a world to come up after action on the map
constexpr int Fade_Limit = 600;     // steps for the screen after a level to come up
constexpr int Map_Limit = 1500;     // steps for the map's path to open and the figure to walk it
constexpr int Level_Limit = 200000; // steps of a road at most
constexpr int Intro_Limit = 30000;  // steps of the master's introduction
constexpr int Plate_Wait = 400;     // steps on the dungeon's first plate, its door long open
constexpr int Fight_Limit = 20000;  // steps of throws at the dragon
constexpr int Closing_Limit = 3000; // steps of the den's closing sequence before the village follows
constexpr int Credit_Steps = 400;   // steps each credit of the closing village shows
constexpr int Credits_End = 6000;   // steps of the closing village until its last credit stands

// The worlds' names in the screenshots' names.
char const* const World_Names[] = {"", "village", "plateau", "master", "canyon", "riddles",
                                   "castle", "tower", "mountains", "den"};

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
        game.Shot(std::string("map-") + World_Names[world]);
        game.Step();
        ASSERT_TRUE(game.Until([&] { return fading == 1; }, 10, {KeyIndex_GameAction}));
        ASSERT_TRUE(game.Until([&] { return level != nullptr && fading == 0; }, Enter_Limit))
            << "world " << world << " did not come up";
        ASSERT_EQ(curLevel, world);
        game.Shot(std::string(World_Names[world]) + "-start");
        game.Note("world " + std::to_string(world) + " from step " + std::to_string(game.steps));
    }

    // After a level ends: the shot of its end, and the map (or the world again) once faded in.
    void Leave(Level_Type world, Level_Action result, Level_Action expected, char const* end = "end")
    {
        ASSERT_EQ(result, expected) << "world " << world;
        game.Shot(std::string(World_Names[world]) + "-" + end);
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
        walk.onGame = [&](char const* name) {
            game.Shot(std::string("village-") + name);
            // The screen is read during the games only.
            if (std::string(name).find('-') != std::string::npos)
                game.StopFrames();
        };
        walk.Play();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        Leave(Level_TreeV, walk.result, Level_Completed);
    }

    // A world walked along one of its generator's roads to the end the road leads to, with the
    // detours to the chests on its way (WholeGameChests.h).
    void Walk(Level_Type world, char const* road, Level_Action expected)
    {
        Enter(world);
        RoadWalk_Result const r = WholeGameChests::Walk(
            *game.World(), *gameEvents, world, road, [&](std::vector<int> const& held) { return game.Step(held); },
            Level_Limit, ChestShots(world));
        ASSERT_TRUE(r.done) << r.report;
        Leave(world, r.action, expected);
    }

    // The master's house: his introduction heard to its end, which starts the world again as his
    // dungeon; the first room's plate held, and the door it opened passed by travelling back to
    // when a past self held it; on along the road to the exit.
    void Master()
    {
        Enter(Level_Kilig);
        Level_Action result = Level_Continue;
        for (int i = 0; i < Intro_Limit && result == Level_Continue; i++)
            result = game.Step();
        Leave(Level_Kilig, result, Level_Restart, "introduced");
        ASSERT_TRUE(level != nullptr && curLevel == Level_Kilig) << "the dungeon did not follow the introduction";
        game.Shot("master-dungeon");
        World_Base& dungeon = *game.World();
        RoadWalker::Stepper const step = [&](std::vector<int> const& held) { return game.Step(held); };
        RoadWalk_Result const first = RoadWalker(dungeon, RoadWalker::WorldRoad(Level_Kilig, "first room")).Walk(step);
        ASSERT_TRUE(first.done) << first.report;
        game.Steps(Plate_Wait);
        Tick const left = dungeon.GetTick();
        // Off the plate to the door, which has dropped shut by then; back to when the past self held it.
        Road off("off the plate");
        off.Walk(KiligWriter::Road_Door0X - 30.0, dungeon.GetPlayer()->GetPos().y);
        RoadWalk_Result const walked = RoadWalker(dungeon, off).Walk(step);
        ASSERT_TRUE(walked.done) << walked.report;
        KiligTravelBackTo(dungeon, step, left - 50);
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        RoadWalk_Result const r =
            WholeGameChests::Walk(dungeon, *gameEvents, Level_Kilig, "exit", step, Level_Limit, ChestShots(Level_Kilig));
        ASSERT_TRUE(r.done) << r.report;
        Leave(Level_Kilig, r.action, Level_Completed);
    }

    // The riddle-giver's house: the scales and the motel solved, the staff plate pressed as the staffs
    // lie, and out of the front door (petra/PetraSolveWalk.h).
    void RiddleGiver()
    {
        Enter(Level_Petra);
        auto* house = dynamic_cast<Petra*>(level);
        ASSERT_NE(house, nullptr);
        PetraSolveWalk walk(*house, [&](std::vector<int> const& held) { return game.Step(held); });
        walk.Play();
        ASSERT_FALSE(testing::Test::HasFailure()) << "the riddle-giver's walk";
        game.Note("riddle-giver's gems " + std::to_string(gameEvents->levelFlags[Level_Petra - 1][0]) +
                  std::to_string(gameEvents->levelFlags[Level_Petra - 1][1]) +
                  std::to_string(gameEvents->levelFlags[Level_Petra - 1][2]));
        Leave(Level_Petra, walk.result, Level_Completed);
    }

    // The castle: the owner's introduction heard and his fee paid, and on along its main road
    // through its puzzles and travels, past the socks to the far exit (castle/CastleRoad.h).
    void Castle()
    {
        Enter(Level_Casle);
        auto* castle = dynamic_cast<Casle*>(level);
        ASSERT_NE(castle, nullptr);
        ASSERT_GE(gameEvents->gems, Casle_EntranceFee) << "too few gems for the castle's fee";
        game.Note("castle with " + std::to_string(gameEvents->gems) + " gems");
        RoadWalk_Result const r =
            CastleRoad::Play(*castle, "fee", [&](std::vector<int> const& held) { return game.Step(held); });
        ASSERT_TRUE(r.done) << r.report;
        Leave(Level_Casle, r.action, Level_Completed);
    }

    // The tower along its road, with the travels its points ask for.
    void Tower()
    {
        Enter(Level_Tower);
        RoadTravel walk(*game.World(), RoadWalker::WorldRoad(Level_Tower, "exit"));
        RoadWalk_Result const r = walk.Walk([&](std::vector<int> const& held) { return game.Step(held); }, Level_Limit);
        ASSERT_TRUE(r.done) << r.report;
        Leave(Level_Tower, r.action, Level_Completed);
    }

    // The den: left to the throwing spot and throws until the dragon dies; the closing sequence,
    // then the closing village and its credits to the last.
    void Den()
    {
        Enter(Level_Final);
        game.Steps(Final_WalkToSpotSteps, {KeyIndex_GameLeft});
        game.Shot("den-spot");
        Level_Action result = Level_Continue;
        for (int i = 0; i < Fight_Limit && result == Level_Continue; i++)
            result = game.Step(FinalThrowKeys(i));
        ASSERT_EQ(result, Level_Completed) << "the dragon lives";
        game.Shot("den-end");
        ASSERT_TRUE(game.Until([&] { return endingPlayed && level != nullptr && fading == 0; }, Closing_Limit))
            << "the closing village did not follow";
        game.Shot("closing-village");
        for (int credit = 0; credit * Credit_Steps < Credits_End; credit++)
        {
            game.Steps(Credit_Steps);
            game.Shot("credits-" + std::to_string(credit));
        }
        // "The End" stands; the player leaves by the menu ("Leave level", one down from Resume), and
        // the map that follows saves the finished game.
        game.Steps(2, {KeyIndex_Escape});
        game.Steps(8);
        game.Steps(2, {KeyIndex_Down});
        game.Steps(8);
        game.Steps(2, {KeyIndex_Enter});
        ASSERT_TRUE(game.Until([&] { return game.MapReady(); }, Map_Limit)) << "the menu did not leave the village";
    }

private:
    // A shot of each chest's puzzle as it opens and as it is solved.
    std::function<void(std::string const&, char const*)> ChestShots(Level_Type world)
    {
        return [this, world](std::string const& chest, char const* stage) {
            std::string name = std::string(World_Names[world]) + "-" + chest + "-" + stage;
            std::replace(name.begin(), name.end(), ' ', '-');
            game.Shot(name);
        };
    }

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

// The worlds of a part in the order of the map, each from the map it leaves the player on.
void PlayPart(WholeGame& whole, std::string const& part)
{
    whole.Title();
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    if (part == "1")
    {
        whole.Village();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        whole.Walk(Level_Plato, "exit", Level_Completed);
        return;
    }
    whole.Master();
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    whole.Walk(Level_Chasm, "exit", Level_Completed);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    whole.RiddleGiver();
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    whole.Castle();
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    // Out of the village by its way out below, which opens the path to the tower.
    whole.Walk(Level_TreeV, "exit3", Level_Restart);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    whole.Tower();
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    whole.Walk(Level_Black, "exit", Level_Completed);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    whole.Den();
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
    // A state part way along the village's road, short enough for CI to play up to.
    if (part == "1")
        game.checks[Village_Check] = "village-walking";
    WholeGame whole(game);
    PlayPart(whole, part);
    bool const failed = testing::Test::HasFailure();
    game.Shot(failed ? "failed" : "closed");
    game.Step();
    game.Close();

    // A failed run's script is kept beside the one asked for, to be played and looked at.
    std::ofstream out(failed ? file + ".failed" : file);
    out << "# The whole game by keys, part " << part << ": made by tests/wholegame/make-script, not by hand.\n"
        << "# steps " << game.steps << "\n"
        << game.script;
    ASSERT_TRUE(out.good()) << "cannot write " << file;
}

// The whole game by keys in the real program (README.md). CI plays the committed script's start, a new
// game from the title some way along the village's story, and checks that the program went
// through the very states the builder saw; the whole run is tests/wholegame/run.
#include "castle/Casle_Events.h"
#include "chasm/Chasm_Ids.h"
#include "engine/GameEvents.h"
#include "engine/Level_Type.h"
#include "killig/Kilig.h"
#include "petra/Petra_Events.h"
#include "shell/MapScreen.h"
#include "wholegame/WholeGameScript.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace
{

// The events of the progress record that have happened, for a failure's text.
std::string Happened(GameEvents const& record)
{
    std::string list;
    for (int e = 0; e < Event_Count; e++)
        if (record.Happened(e, 0))
        {
            list += ' ';
            list += std::to_string(e);
        }
    return list;
}

} // namespace

TEST(WholeGame, ANewGameFromTheTitleAlongTheVillagesStoryGoesThroughTheBuildersStates)
{
    WholeGameScript const script(1);
    WholeGame_Check const check = script.Check("village-walking");
    WholeGameFolder game;
    EXPECT_EQ(0, game.Play(script.CutAt(check))) << game.err;
    EXPECT_EQ(game.err, "");
    EXPECT_EQ(game.FirstAstray(script, check.step), "");
    EXPECT_EQ(game.Digest(), check.digest) << "the program went another way than the builder by step " << check.step;
    // A new game is first saved by the map after the village.
    EXPECT_EQ(check.slot, 0u);
    EXPECT_FALSE(std::filesystem::exists(game.data / "saves/save0")) << "saved before the map";
}

// The whole run, two games at once: part 1 from a new game to the map after the plateau, where the
// game is closed, and part 2 from the slot it saved to the end. Each part must go through the state
// of every check line the builder wrote, the first one missed named, end in the state and slot the
// builder ended it in, exit 0 and print nothing on standard error; both games must end alike. The
// screenshots go to the folder HM_WHOLEGAME_SHOTS names; without it the test does not run.
TEST(WholeGame, TheWholeGameByKeysTwiceFromANewSlotToTheEnd)
{
    char const* shots = std::getenv("HM_WHOLEGAME_SHOTS");
    if (!shots || !*shots)
        GTEST_SKIP() << "the whole run is tests/wholegame/run";
    WholeGameFolder games[2];
    auto const started = std::chrono::steady_clock::now();
    int steps = 0;
    for (int part = 1; part <= 2; part++)
    {
        SCOPED_TRACE("part " + std::to_string(part));
        WholeGameScript const script(part);
        WholeGame_Check const end = script.Check("end");
        steps += script.steps;
        int codes[2] = {-1, -1};
        std::thread second([&] { codes[1] = games[1].Play(script.Whole()); });
        codes[0] = games[0].Play(script.Whole());
        second.join();
        for (int i = 0; i < 2; i++)
        {
            SCOPED_TRACE("game " + std::to_string(i + 1));
            EXPECT_EQ(codes[i], 0) << games[i].err;
            EXPECT_EQ(games[i].err, "");
            EXPECT_EQ(games[i].FirstAstray(script, end.step), "");
            EXPECT_EQ(games[i].Digest(), end.digest) << "the program went another way than the builder";
            EXPECT_EQ(games[i].SlotSum(), end.slot) << "the slot is not as the builder saved it";
        }
        EXPECT_EQ(games[0].Digest(), games[1].Digest()) << "two runs of one script ended apart";
        std::printf("part %d: %d steps, digest %s\n", part, script.steps, games[0].Digest().c_str());
    }
    double const seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("the whole game: %d steps, %.0f s for two games at once\n", steps, seconds);

    // The finished game as the map saved it: time travel learnt, the master's introduction heard,
    // the riddle-giver met, the castle's owner heard and paid and the socks found, every path of the
    // map open (the last by the mountains); the gems of the chests opened on the way and of the
    // riddle-giver's weighing and motel taken (its staffs are not set), and every gem taken held but
    // the fee's.
    GameEvents const saved((games[0].data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    for (int e : {int(Event_TimeTravel), int(Kilig_Event_IntroSeen), int(Event_MetPetra), Casle_Event_Introduced,
                  Casle_Event_FeePaid, int(Event_Socks)})
        EXPECT_TRUE(saved.Happened(e, 0)) << "event " << e << " not saved;" << Happened(saved);
    for (int p = 0; p < Path_Count; p++)
        EXPECT_TRUE(saved.Happened(Path_FirstEvent + p, 0)) << "path " << p << " not open;" << Happened(saved);
    struct Gem
    {
        Level_Type world;
        int slot;
    };
    for (Gem const gem : {Gem{Level_Plato, 0}, Gem{Level_Plato, 1}, Gem{Level_Kilig, 0}, Gem{Level_Chasm, 0},
                          Gem{Level_Chasm, 1}, Gem{Level_Chasm, 2}, Gem{Level_Petra, 0}, Gem{Level_Petra, 1}})
        EXPECT_EQ(saved.levelFlags[gem.world - 1][gem.slot], 1) << "world " << gem.world << " gem " << gem.slot;
    int taken = 0;
    for (auto const& row : saved.levelFlags)
        for (std::uint8_t flag : row)
            taken += flag;
    EXPECT_EQ(saved.gems, taken - Casle_EntranceFee) << "gems taken " << taken;
    std::printf("the slot: events%s; %d gems taken, %d held\n", Happened(saved).c_str(), taken, saved.gems);

    // The shots of an earlier run go first: a script of other worlds or chests numbers them apart.
    std::filesystem::create_directories(shots);
    for (auto const& entry : std::filesystem::directory_iterator(shots))
    {
        std::string const name = entry.path().filename().string();
        if (entry.is_regular_file() && (name.starts_with("1-") || name.starts_with("2-")) && name.ends_with(".png"))
            std::filesystem::remove(entry.path());
    }
    for (auto const& entry : std::filesystem::recursive_directory_iterator(games[0].data / "shots"))
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(),
                                       std::filesystem::path(shots) / (entry.path().parent_path().filename().string()
                                                                       + "-" + entry.path().filename().string()),
                                       std::filesystem::copy_options::overwrite_existing);
}

// The game program itself, run headless with scripted input: from the title through the map into the
// castle, where the owner stands in his hall, and closed there; and along the castle's main road by
// the keys the road's walk held in-process, through its first puzzles into the shaft.
#include "CastleRoad.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Ids.h"
#include "castle/Casle_Lights.h"
#include "castle/Casle_Machine_Switch.h"
#include "engine/GameEvents.h"
#include "support/GameRun.h"
#include "support/RecordedKeys.h"
#include "support/Shot.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

TEST(CasleProgram, TheMapOpensTheCastleWhereTheOwnerStandsInHisHall)
{
    GameEvents progress;
    progress[1] = GameEvent_HasHappened;
    progress.gems = 7;
    GameRun game(Level_Casle, progress);
    // In the hall, a little way right towards the owner, then a picture and the end.
    EXPECT_EQ(0, game.Run(game.At(20, "key 0x57 down") + game.At(40, "key 0x57 up") + game.At(200, "shot hall.png")
                          + game.At(210, "close")))
        << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;
    Shot const hall(game.data / "hall.png");
    EXPECT_GT(hall.Colours(), 8u) << "a picture, not a cleared screen";
    // Pixels of the owner's robe, a strong red.
    auto const robe = [](Shot::Colour c) { return c[0] > 140 && c[1] < 60 && c[2] < 70; };
    EXPECT_GT(hall.Count(robe), 40) << "the owner in his red robe";
    if (char const* keep = std::getenv("HM_KEEP_SHOT"))
        std::filesystem::copy_file(game.data / "hall.png", keep, std::filesystem::copy_options::overwrite_existing);
}

namespace
{

// The program's level begins while the map fades out, some 65 steps before the script's
// GameRun::At(0): the in-process walk stands that long first, so that both clocks agree when the
// keys begin, and the castle's timed lifts are where they were.
constexpr int Program_LevelLead = 65;

class CasleProgramRoad : public MutedWorldFixture
{
};

} // namespace

TEST_F(CasleProgramRoad, FromTheMapByTheCogTheMachineAndTheLampsIntoTheShaft)
{
    // The main road played in-process from the start, its keys kept step by step, up to where it
    // has come through doors 10 and 7 into the shaft; then the same keys given to the program,
    // entering the castle from the map: the cog fetched from the past, the machine started, the
    // lamps lit and both doors passed; pictures of the lamps and of the shaft, and out by the menu.
    GameEvents progress;
    progress[Event_TimeTravel] = GameEvent_HasHappened;
    progress[Casle_Event_Introduced] = GameEvent_HasHappened;
    progress[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Build(Level_Casle, progress);
    Casle& castle = As<Casle>();
    for (int i = 0; i < Program_LevelLead; ++i)
        Step({});
    std::vector<std::vector<int>> steps;
    int lit = -1;   // the step at which the lamps of room 4 all burned
    int shaft = -1; // the first step in the shaft after that
    RoadWalk_Result const walk = CastleRoad::Walk(castle, "exit", [&](std::vector<int> const& held) {
        if (shaft >= 0)
            return Level_Left; // far enough
        steps.push_back(held);
        Level_Action const result = Step(held);
        if (lit < 0 && castle.GetLights(0)->IsActive(castle.GetTick() - 1))
            lit = int(steps.size());
        if (lit >= 0 && castle.GetCurRoom() == 12 && castle.GetPlayer()->GetPos().x > 1800.0)
            shaft = int(steps.size());
        return result;
    });
    ASSERT_GE(shaft, 0) << walk.report;
    ASSERT_TRUE(castle.GetMachine()->HasCog(castle.GetTick())) << "the cog went in on the way";
    Destroy();
    std::filesystem::current_path(previous); // the program and the generator are built beside the tests

    GameRun game(Level_Casle, progress);
    int const end = shaft + 80;
    steps.resize(std::size_t(end));
    EXPECT_EQ(0, game.Run(RecordedKeys::Script(game, steps) + game.At(lit + 20, "shot lamps.png")
                          + game.At(end, "shot shaft.png") + game.LeaveByMenu(end + 10)))
        << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;
    // The lamps burning, a strong yellow; out of sight once in the shaft, where the player is.
    auto const flame = [](Shot::Colour c) { return c[0] > 230 && c[1] > 190 && c[2] < 110; };
    auto const shirt = [](Shot::Colour c) { return c[0] < 80 && c[1] < 110 && c[2] > 150; };
    ASSERT_TRUE(std::filesystem::exists(game.data / "lamps.png"));
    ASSERT_TRUE(std::filesystem::exists(game.data / "shaft.png"));
    Shot const lamps(game.data / "lamps.png");
    Shot const inShaft(game.data / "shaft.png");
    EXPECT_GT(lamps.Count(flame), 100) << "the three lamps of room 4 lit";
    EXPECT_EQ(inShaft.Count(flame), 0) << "the shaft, away from the lamps";
    EXPECT_GT(inShaft.Count(shirt), 10) << "the player in the shaft";
    if (char const* keep = std::getenv("HM_CASTLE_ROAD_SHOTS"))
        for (char const* name : {"lamps.png", "shaft.png"})
            std::filesystem::copy_file(game.data / name, std::filesystem::path(keep) / name,
                                       std::filesystem::copy_options::overwrite_existing);
}

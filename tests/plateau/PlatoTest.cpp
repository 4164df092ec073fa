// The plateau world built from the generated data: building, failures part-way, the camera zone, the exit and the
// blows its goblins take.
#include "plateau/Plato.h"

#include "creatures/Goblin.h"
#include "creatures/Rat.h"
#include "creatures/Vulture.h"
#include "engine/Chest.h"
#include "engine/Map.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "plateau/Plato_Aerial.h"
#include "support/FrameLines.h"
#include "support/MapIdSweep.h"
#include "support/WorldFixture.h"
#include "tools/Canvas.h"
#include "tools/worlds/plateau.h"
#include "util/Error.h"
#include "util/Pointf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class PlatoTest : public MutedWorldFixture
{
protected:
    // The fixture starts the C library's generator alike before each build: the rats' starts and the vultures'
    // flights are drawn from it as the world is built.
    Plato& MakeWorld()
    {
        Build(Level_Plato);
        return As<Plato>();
    }

    // Building fails with the file missing; whatever the build had made must be gone.
    void ExpectMissing(char const* file)
    {
        Error const e = WorldSweep::MissingFile(*this, Level_Plato, file);
        EXPECT_EQ(e.Code(), Error_OpenFile) << file;
        EXPECT_STREQ(e.Text(), file);
    }
};

TEST_F(PlatoTest, BuildsAgainInOneProcessAlikeAndIdlesForTenThousandSteps)
{
    std::vector<Pointf> first;
    for (int build = 0; build < 2; build++)
    {
        Destroy();
        Plato& plato = MakeWorld();
        ASSERT_EQ(Step(), Level_Continue);
        std::vector<Pointf> placed;
        for (int i = 0; i < Plato_Rat_Count; ++i)
            placed.push_back(plato.GetRat(i)->GetPos());
        for (int i = 0; i < Plato_Vulture_Count; ++i)
            placed.push_back(plato.GetVulture(i)->GetPosition());
        if (build == 0)
            first = placed;
        else
            for (std::size_t i = 0; i < placed.size(); ++i)
                EXPECT_TRUE(placed[i] == first[i]) << "creature " << i;
    }
    Plato& plato = As<Plato>();
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(plato.GetPlayer()->IsPlayerDead(), 0);
}

TEST_F(PlatoTest, AFailurePartWayIsReportedFreesWhatWasBuiltAndANormalBuildFollows)
{
    // What the build reads before the map, should the data not have it.
    std::filesystem::path const sky = data->path / "gfx/plateau/background.png";
    if (!std::filesystem::exists(sky))
    {
        std::filesystem::create_directories(sky.parent_path());
        Canvas(8, 8, Rgba{90, 140, 220, 255}).WritePng(sky.string());
    }
    // Twice: a level part left behind by the first would trip the second's initialisation.
    ExpectMissing("plateau/map");
    ExpectMissing("plateau/map");
    // Each fails after many kinds were readied: a kind left readied would trip the next build.
    ExpectMissing("gfx/plateau/mortar-gun.png");
    ExpectMissing("gfx/shmoo/shmoodown.png");
    ExpectMissing("gfx/plateau/hermit.png");
    MakeWorld();
    EXPECT_EQ(Step(), Level_Continue);
}

TEST_F(PlatoTest, GemsTakenBeforeLeaveNoChestAndBootsEarnedBeforeLeaveTheAerialTuned)
{
    Plato& fresh = MakeWorld();
    EXPECT_FALSE(fresh.GetAerial()->IsAerialTuned());
    Destroy();

    events.levelFlags[Level_Plato - 1][0] = 1;
    events.levelFlags[Level_Plato - 1][1] = 1;
    events.eventTimes[Event_DoubleJump] = GameEvent_HasHappened;
    Plato& plato = MakeWorld();
    for (int i = 0; i < Plato_PickUp_Count; ++i)
    {
        EXPECT_EQ(plato.GetChest(i), nullptr) << "chest " << i;
        ASSERT_NE(plato.GetGem(i), nullptr) << "gem " << i;
        EXPECT_FALSE(plato.GetGem(i)->CanCollect(plato.GetTick())) << "gem " << i;
    }
    EXPECT_TRUE(plato.GetAerial()->IsAerialTuned());
}

TEST_F(PlatoTest, TheRoadItsLedgesAndTheSkyShowNoStrayOutline)
{
    // The start, a ledge with its creatures, a turtle, a rock shelf overhead, the hut and mast, the mine.
    Plato& plato = MakeWorld();
    for (double x : {200.0, 1500.0, 6500.0, 16200.0, -1230.0, -2600.0})
    {
        Pointf const at(x, PlateauWriter::RoadY(x));
        plato.GetPlayer()->SetPos(&at);
        for (int i = 0; i < 60; ++i)
            Step();
        plato.SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        plato.Plot();
        for (FrameLines_Stray const& line : FrameLines_StrayWhite())
            ADD_FAILURE() << "a white line " << (line.upright ? "upright" : "across") << " at (" << line.x << ", "
                          << line.y << ") with the player at x " << x;
    }
}

TEST_F(PlatoTest, PastTheCameraZoneTheViewHoldsTheMineEndUnlessAMiniGameHoldsThePlayer)
{
    Plato& plato = MakeWorld();
    Player* player = plato.GetPlayer();
    Map const* map = plato.GetMap();
    double const ground = PlateauWriter::Plateau_EndY + 1.0;
    auto standAt = [&](double x) {
        player->pos = Pointf(x, ground);
        for (int i = 0; i < 300; ++i)
        {
            ASSERT_EQ(Step(), Level_Continue);
            player->pos.x = x;
        }
    };

    standAt(Plato_CameraZoneX);
    double const freeScale = map->view.scale;
    EXPECT_GT(std::abs(freeScale - 0.8), 0.05) << "the free camera cannot be told from the held one";

    standAt(Plato_CameraZoneX + 0.5);
    EXPECT_NEAR(map->view.scale, 0.8, 1e-3);
    Pointf const centre = map->GetCentrePoint();
    EXPECT_NEAR(centre.x, 27715.0, 1.0);
    EXPECT_NEAR(centre.y, 1450.0, 1.0);

    standAt(Plato_CameraZoneX);
    EXPECT_NEAR(map->view.scale, freeScale, 1e-3);
    plato.GetAerial()->active = true;
    standAt(Plato_CameraZoneX + 0.5);
    EXPECT_NEAR(map->view.scale, freeScale, 1e-3) << "the camera rule ran while the aerial held the player";
}

TEST_F(PlatoTest, TheExitPassesOnlyALivePlayerBeyondIt)
{
    Plato& plato = MakeWorld();
    Player* player = plato.GetPlayer();
    double const ground = PlateauWriter::Plateau_EndY + 1.0;
    player->pos = Pointf(Plato_ExitX, ground);
    EXPECT_EQ(Step(), Level_Continue);
    ASSERT_EQ(player->pos.x, Plato_ExitX);
    player->pos = Pointf(Plato_ExitX + 0.5, ground);
    EXPECT_EQ(Step(), Level_Completed);

    // Also while a mini-game holds the player.
    plato.GetAerial()->active = true;
    player->pos = Pointf(Plato_ExitX + 0.5, ground);
    EXPECT_EQ(Step(), Level_Completed);

    player->pos = Pointf(Plato_ExitX + 10.0, ground);
    player->Die();
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(Step(), Level_Completed);
}

// Every goblin the plateau places dies of the fourth blow of the first sword, and not before: the
// player, stood a little way off and facing one, aims and throws until it dies. A throw may land on
// a goblin beside it, and counts for that one; after a throw that missed, the next is made from the
// other side.
TEST_F(PlatoTest, EveryGoblinDiesOfTheFourthBlowOfTheFirstSword)
{
    Plato& plato = MakeWorld();
    Player* player = plato.GetPlayer();
    ASSERT_EQ(1, events.GetSwordStrength());
    constexpr Tick landed = 1 << 28; // past every throw's landing
    constexpr int whole = 1000;      // more than any goblin has, so that no blow is lost below 0
    auto taken = [&](int goblin) { return whole - plato.GetGoblin(goblin)->GetHitPoints(landed, whole); };
    std::vector<std::vector<int>> blows(Plato_Goblin_Count);
    for (int i = 0; i < Plato_Goblin_Count; ++i)
    {
        Goblin const* goblin = plato.GetGoblin(i);
        bool fromLeft = true;
        for (int throws = 0; throws < 40 && goblin->AliveAt(landed); ++throws)
        {
            std::vector<int> before;
            for (int j = 0; j < Plato_Goblin_Count; ++j)
                before.push_back(taken(j));
            Pointf const at = goblin->GetPos();
            player->pos = Pointf(at.x + (fromLeft ? -70.0 : 70.0), at.y + 4.0);
            player->Pose(!fromLeft);
            ASSERT_EQ(Step({KeyIndex_GameAction}), Level_Continue);
            ASSERT_EQ(Step({KeyIndex_GameAction}), Level_Continue);
            ASSERT_EQ(Step(), Level_Continue);
            for (int j = 0; j < Plato_Goblin_Count; ++j)
                if (taken(j) > before[j])
                    blows[j].push_back(taken(j) - before[j]);
            if (taken(i) == before[i])
                fromLeft = !fromLeft;
        }
        EXPECT_FALSE(goblin->AliveAt(landed)) << "goblin " << i << " outlived 40 throws";
    }
    for (int i = 0; i < Plato_Goblin_Count; ++i)
        EXPECT_EQ(blows[i], std::vector<int>(4, 1)) << "goblin " << i;
    EXPECT_EQ(player->IsPlayerDead(), 0);
}

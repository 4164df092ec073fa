// Castle test support: the castle's pictures in plain colours, a fixture with a window, a player and
// the past-self recordings, and small maps.
#pragma once

#include "engine/Collectable.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "support/LevelFixture.h"
#include "support/MapFiles.h"
#include "support/SolidPictures.h"
#include "support/TestFolder.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "util/Vectorf.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

inline void WriteCastleImages(std::string const& dir)
{
    WriteSolidPictures(std::filesystem::path(dir) / "gfx/castle",
                       {"eye", "pupil", "lighton", "lightoff", "objects/cog", "objects/mirror", "dadodo00", "dadodo01",
                        "dadodo02", "dadodo03", "dadodo04"},
                       [](int i) { return Rgba{uint8_t(20 * i + 30), 120, 200, 255}; }, 24, 16);
}

// A floor whose top is y = 0 from x -2000 to 2000, seen centred on the origin; the map is read
// without its collision grid, for things that set group covers first.
inline MapWriter CastleFloor()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-2000.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    return writer;
}

inline unsigned int CastlePolyOf(Map const& map, unsigned int group)
{
    for (unsigned int i = 0; i < map.polyCount; i++)
        if (map.GetGroup(i) == group)
            return i;
    ADD_FAILURE() << "no polygon in group " << group;
    return 0;
}

// The level fixture with the castle's pictures added.
class CastleLevelTest : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteCastleImages(data->Path());
    }
};

// Generated pictures in a scratch folder made the working directory, a window, a player of one's
// own, a muted sound table and the recordings that items and eyes follow.
class CastleTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        data = new TestFolder(false);
        DataGen::WriteImages(data->Path());
        WriteCastleImages(data->Path());
    }
    static void TearDownTestSuite() { delete data; }

    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(data->path);
        ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
        Player::Initialise();
        sounds.mute = 1;
        gameSounds = &sounds;
        Collectable::Initialise(&frames);
    }
    void TearDown() override
    {
        items.clear();
        player.reset();
        gameSounds = nullptr;
        Player::Finalise();
        GameWindow::Close();
        std::filesystem::current_path(previous);
    }

    Player& MakePlayer(Map* map, Pointf start)
    {
        player = std::make_unique<Player>(map, &objects, &events, &sounds, &start, 1.0);
        return *player;
    }
    // Feet on polygon poly, or in the air.
    void StandOn(bool on, unsigned int poly)
    {
        player->onGround = on;
        player->groundPoly = on ? poly : 0;
    }
    // A still item centred at p, turned to rotation from tick 0 on.
    Collectable* MakeItem(Pointf p, double rotation = 0.0, Collectable_Flags flags = Collectable_Rotates)
    {
        items.push_back(std::make_unique<Collectable>(p, nullptr, 0, flags));
        items.back()->SetPosAtTime(0, p, Vectorf(0.0, 0.0), rotation, false);
        return items.back().get();
    }

    static inline TestFolder* data = nullptr;
    std::filesystem::path previous;
    Game_Sounds sounds;
    GameEvents events;
    ObjectList objects;
    TimeFrames frames;
    std::unique_ptr<Player> player;
    std::vector<std::unique_ptr<Collectable>> items;
};

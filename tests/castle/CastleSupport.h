// Castle test support: the castle's pictures, each a plain colour of its own, a fixture with a
// window, a player and the past-self recordings, and helpers for mirrors and small maps.
#pragma once

#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "media/Game_Sounds.h"
#include "platform/GameWindow.h"
#include "support/LevelFixture.h"
#include "support/MapFiles.h"
#include "support/TestFolder.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "util/Vectorf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

inline void WriteCastleImages(std::string const& dir)
{
    std::filesystem::path const castle = std::filesystem::path(dir) / "gfx/castle";
    std::filesystem::create_directories(castle / "objects");
    auto save = [](int w, int h, Rgba colour, std::filesystem::path const& file) {
        Canvas(w, h, colour).WritePng(file.string());
    };
    save(32, 24, Rgba{240, 240, 240, 255}, castle / "eye.png");
    save(8, 8, Rgba{20, 20, 20, 255}, castle / "pupil.png");
    save(16, 20, Rgba{250, 230, 80, 255}, castle / "lighton.png");
    save(16, 20, Rgba{60, 60, 40, 255}, castle / "lightoff.png");
    save(24, 24, Rgba{150, 120, 60, 255}, castle / "objects/cog.png");
    save(24, 24, Rgba{170, 200, 240, 255}, castle / "objects/mirror.png");
    for (int i = 0; i < 5; i++)
        save(24, 24, Rgba{uint8_t(100 + 30 * i), 40, 120, 255}, castle / ("dadodo0" + std::to_string(i) + ".png"));
}

// A map read from the writer without its collision grid, for things that set group covers first.
inline std::unique_ptr<Map> LoadCastleMap(MapWriter const& writer)
{
    return MapFiles::Load<Map>(writer);
}

// A floor whose top is y = 0 from x -2000 to 2000, seen centred on the origin at scale 1.
inline MapWriter CastleFloor()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-2000.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    return writer;
}

// Generated pictures and the castle's own in a scratch folder made the working directory, a
// window, the player's sprites, a muted sound table and the recordings that items and eyes follow.
class CastleTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        data = new TestFolder(false);
        DataGen::WriteImages(data->Path());
        WriteCastleImages(data->Path());
    }
    static void TearDownTestSuite()
    {
        delete data;
        data = nullptr;
    }

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
        Collectable::Initialise(nullptr);
        gameSounds = nullptr;
        Player::Finalise();
        GameWindow::Close();
        std::filesystem::current_path(previous);
    }

    // The player, standing at the point.
    Player& MakePlayer(Map* map, Pointf start)
    {
        player = std::make_unique<Player>(map, &objects, &events, &sounds, &start, 1.0);
        return *player;
    }

    // Puts the present player at p, as recorded in the current recording at the next tick.
    void PlaceSelf(Pointf p)
    {
        player->SetPos(&p);
        frames.AddEcho(player.get());
    }

    // Feet on polygon poly, or in the air with none.
    void StandOn(bool on, unsigned int poly)
    {
        player->onGround = on;
        player->groundPoly = on ? poly : 0;
    }

    // A still item with its centre at p, turned to rotation from tick 0 on.
    Collectable* MakeItem(Pointf p, double rotation = 0.0, Collectable_Flags flags = Collectable_Rotates)
    {
        items.push_back(std::make_unique<Collectable>(p, nullptr, unsigned(items.size()), flags));
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

// The level fixture with the castle's pictures added to its data.
class CastleLevelTest : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteCastleImages(data->Path());
    }
};

// The index of the first polygon of a group.
inline unsigned int CastlePolyOf(Map const& map, unsigned int group)
{
    for (unsigned int i = 0; i < map.polyCount; i++)
        if (map.GetGroup(i) == group)
            return i;
    ADD_FAILURE() << "no polygon in group " << group;
    return 0;
}

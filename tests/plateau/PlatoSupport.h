// Plateau test support: the speaking fixture with the plateau's pictures, each a solid colour,
// a small map of the reference points the tests place, and a player on it.
#pragma once

#include "engine/GameEvents.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"
#include "support/SolidPictures.h"
#include "tools/Canvas.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

inline void WritePlateauImages(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx";
    WriteSolidPictures(gfx / "plateau",
                       {"miner00", "miner01", "miner02", "miner03", "miner04", "miner05", "hermit", "aerial",
                        "tvpicture", "tv0", "tv1", "tv2", "tv3", "tumbleweed", "minecart", "mortar-stand",
                        "mortar-gun"},
                       [](int i) { return Rgba{std::uint8_t(10 * (i + 1)), 90, 160, 255}; });
    WriteSolidPictures(gfx / "general", {"explosion"}, [](int) { return Rgba{250, 200, 0, 255}; });
    WriteSolidPictures(gfx / "plateau/caveturtle", {"head", "frontfoot", "backfoot", "spike"},
                       [](int i) { return Rgba{std::uint8_t(10 * (i + 18)), 160, 90, 255}; });
}

// The player starts at rp 3 (x 0); the hermit stands at rp 26 (x 100), the mast at rp 24 (x 300),
// the set at rp 25, miners at rp 55 to 59 (x -300 to -100).
inline MapWriter PlateauWriter()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(3, 0.0, 0.0);
    writer.AddRefPoint(24, 300.0, 0.0);
    writer.AddRefPoint(25, 400.0, 0.0);
    writer.AddRefPoint(26, 100.0, 0.0);
    for (int i = 0; i < 5; i++)
        writer.AddRefPoint(55 + i, -300.0 + 50.0 * i, 0.0);
    return writer;
}

// A small shape far off (non-solid) for each group from first to last that the writer holds no
// polygon of: the mortar requires every rock group of a map and the driver the mine lift's, where a
// test has no use for the group itself.
inline void AddMissingGroups(MapWriter& writer, unsigned int first, unsigned int last)
{
    for (unsigned int group = first; group <= last; group++)
        if (std::none_of(writer.polys.begin(), writer.polys.end(),
                         [group](MapWriter_Poly const& poly) { return poly.group == group; }))
            writer.AddBox(-9000.0, 5000.0, -8990.0, 5010.0, 0, group, false, false, 64.0);
}

class PlateauFixture : public SpeakingFixture
{
protected:
    static void SetUpTestSuite()
    {
        SpeakingFixture::SetUpTestSuite();
        WritePlateauImages(data->Path());
    }

    PlateauFixture() : map(ReadSmallMap(PlateauWriter())), message(font) { Player::Initialise(); }

    ~PlateauFixture() override
    {
        player.reset();
        Player::Finalise();
    }

    Player& MakePlayer(Pointf const& at = Pointf(0.0, 0.0))
    {
        sounds.mute = 1;
        player = std::make_unique<Player>(map.get(), &objects, &events, &sounds, &at, 1.0);
        return *player;
    }

    std::unique_ptr<Map> map;
    Message message;
    Game_Sounds sounds;
    GameEvents events;
    ObjectList objects;
    std::unique_ptr<Player> player;
};

// Petra test support: the speaking fixture with the riddle-giver's, the guests' and the arrow's
// pictures, each a solid colour, a small map of the reference points the objects read, a player,
// carried items and a plate held down at chosen ticks.
#pragma once

#include "engine/Activator.h"
#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "engine/TimeSet.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SolidPictures.h"
#include "support/SpeakingFixture.h"
#include "tools/Canvas.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

constexpr char const* Petra_GuestNames[] = {"harnek", "pellion", "gask",    "wendrel",
                                            "olvane", "imbra",   "saffrin", "yavenne"};

inline Rgba GuestColour(int g)
{
    return Rgba{std::uint8_t(30 * g + 20), 180, 60, 255};
}

inline void WritePetraImages(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx";
    WriteSolidPictures(gfx / "petra", {"petra"}, [](int) { return Rgba{200, 60, 200, 255}; });
    WriteSolidPictures(gfx / "petra/dudes", std::vector<std::string>(Petra_GuestNames, Petra_GuestNames + 8),
                       GuestColour);
    WriteSolidPictures(gfx / "general", {"uparrow"}, [](int) { return Rgba{250, 250, 0, 255}; });
}

// On the long floor: the riddle-giver at rp 10 (x 100) with the hero's place before it at rp 69,
// the puzzle rooms' entries (rp 11, 70), the tubes' mouths in the air (rp 2 to 6), the pan from
// rp 7 to rp 8 with its text at rp 9, the guests at rp 22 to 29 and the 25 staff holders at rp 44
// to 68, 40 apart from x 800.
inline MapWriter PetraWriter()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(10, 100.0, 0.0);
    writer.AddRefPoint(69, 70.0, 0.0);
    writer.AddRefPoint(11, -1500.0, 0.0);
    writer.AddRefPoint(70, -1800.0, 0.0);
    for (int k = 0; k < 5; k++)
        writer.AddRefPoint(2 + k, -1000.0 + 40.0 * k, 200.0);
    writer.AddRefPoint(7, -600.0, 0.0);
    writer.AddRefPoint(8, -500.0, 0.0);
    writer.AddRefPoint(9, -550.0, 100.0);
    for (int g = 0; g < 8; g++)
        writer.AddRefPoint(22 + g, 300.0 + 60.0 * g, 0.0);
    for (int s = 0; s < 25; s++)
        writer.AddRefPoint(44 + s, 800.0 + 40.0 * s, 0.0);
    return writer;
}

// A plate that is down over the ticks it is held.
class Test_Plate final : public Activator
{
public:
    Test_Plate() { activeTimes = new TimeSet(); }
    ~Test_Plate() override { delete activeTimes; }
    Test_Plate(Test_Plate const&) = delete;
    Test_Plate& operator=(Test_Plate const&) = delete;

    void Hold(Tick from, Tick to) { activeTimes->AddRange(TimeRange(from, to)); }
};

class PetraFixture : public SpeakingFixture
{
protected:
    static void SetUpTestSuite()
    {
        SpeakingFixture::SetUpTestSuite();
        WritePetraImages(data->Path());
    }

    PetraFixture() : map(ReadSmallMap(PetraWriter())), message(font)
    {
        Player::Initialise();
        Collectable::Initialise(&frames);
        sounds.mute = 1;
    }

    ~PetraFixture() override
    {
        player.reset();
        Player::Finalise();
    }

    Player& MakePlayer(ObjectList* list, Pointf const& at = Pointf(70.0, 0.0))
    {
        player = std::make_unique<Player>(map.get(), list, &events, &sounds, &at, 1.0);
        return *player;
    }

    // count still items, each standing on the floor at x.
    static std::vector<std::unique_ptr<Collectable>> MakeItems(int count, double x)
    {
        std::vector<std::unique_ptr<Collectable>> items;
        for (int i = 0; i < count; i++)
            items.push_back(std::make_unique<Collectable>(Pointf(x, 12.0), nullptr, unsigned(i), Collectable_None));
        return items;
    }

    static std::vector<Collectable*> Pointers(std::vector<std::unique_ptr<Collectable>> const& items)
    {
        std::vector<Collectable*> list;
        for (auto const& item : items)
            list.push_back(item.get());
        return list;
    }

    // One step as the level takes it: the objects, then the player.
    void Step(ObjectList& list)
    {
        list.MoveToTime(map.get(), clock);
        if (player != nullptr)
            player->Move(clock << 8);
        clock++;
    }

    std::unique_ptr<Map> map;
    Message message;
    Game_Sounds sounds;
    GameEvents events;
    TimeFrames frames;
    std::unique_ptr<Player> player;
    Tick clock = 1;
};

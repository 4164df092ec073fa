// Tower test support: the scales' pictures, each a solid colour, a small map of the scales, and
// a player standing wherever a test puts him on it.
#pragma once

#include "engine/Map.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/GroupPlayerTest.h"
#include "support/MapFiles.h"
#include "support/MediaTestSupport.h"
#include "support/SmallMap.h"
#include "support/TestAudio.h"
#include "tools/Canvas.h"
#include "tower/Tower_Scales.h"

#include <GL/gl.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

constexpr int TowerPicture_LightSide = 20;
constexpr Rgba TowerPicture_LightOn{250, 220, 40, 255};
constexpr Rgba TowerPicture_LightOff{60, 60, 120, 255};
constexpr Rgba TowerPicture_OverOn{230, 30, 30, 255};
constexpr Rgba TowerPicture_OverOff{30, 120, 30, 255};

inline void WriteScalesPictures(std::string const& dir)
{
    std::filesystem::path const gfx = std::filesystem::path(dir) / "gfx/tower/scales";
    std::filesystem::create_directories(gfx);
    int const side = TowerPicture_LightSide;
    Canvas(side, side, TowerPicture_LightOn).WritePng((gfx / "lighton.png").string());
    Canvas(side, side, TowerPicture_LightOff).WritePng((gfx / "lightoff.png").string());
    Canvas(side, side, TowerPicture_OverOn).WritePng((gfx / "overon.png").string());
    Canvas(side, side, TowerPicture_OverOff).WritePng((gfx / "overoff.png").string());
}

// The long floor with the pan (group 8) on it from x 0 to 40 and the lift (group 9) from x 100 to
// 140, both 10 high, and the lights' point above them.
constexpr double TowerScales_PanTop = 10.0;
constexpr double TowerScales_LiftX = 120.0; // the middle of the lift's top
constexpr double TowerScales_LiftTop = 10.0;
constexpr double TowerScales_LightsX = 70.0;
constexpr double TowerScales_LightsY = 60.0;

inline MapWriter ScalesWriter()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(0.0, 0.0, 40.0, TowerScales_PanTop, 0, Scales_Scales_Group, true, false, 64.0);
    writer.AddBox(100.0, 0.0, 140.0, TowerScales_LiftTop, 0, Scales_Lift_Group, true, false, 64.0);
    writer.AddRefPoint(Scales_Lights_Ref, TowerScales_LightsX, TowerScales_LightsY);
    return writer;
}

// The scales on their small map, with the pictures written and the sound table in place (muted
// unless a test opens the audio).
class TowerScalesFixture : public GroupPlayerTest
{
protected:
    TowerScalesFixture() { map = MapFiles::Load<Map>(ScalesWriter()); }

    void SetUp() override
    {
        GroupPlayerTest::SetUp();
        WriteScalesPictures(dir.Path());
        gameSounds = &sounds;
        MakePlayer();
        scales = std::make_unique<Tower_Scales>(map.get(), player.get());
    }

    void TearDown() override
    {
        scales.reset();
        gameSounds = nullptr;
        Audio::Close();
        GroupPlayerTest::TearDown();
    }

    // Opens the audio with the overweight sound written, heard from the lights at full volume.
    void Listen()
    {
        std::filesystem::create_directories("sounds");
        TestAudio::WriteWav(Game_Sounds::FileName(Sound_UiSelect));
        ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
        sounds.mute = 0;
        sounds.SetCentrePoint(scales->GetPos(), 1.0);
    }

    // Whether the overweight sound started since the last ask; stops it.
    bool Sounded()
    {
        bool const heard = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_UiSelect)) >= 0;
        gameSounds->Stop(Sound_UiSelect);
        return heard;
    }

    // The step at tick t with the player on the pan at the given size, or off it when size is 0:
    // the scales weigh him, then (unless told not to) the groups take their places.
    void Weigh(Tick t, double size, bool place = true)
    {
        StandOn(size > 0.0 ? Scales_Scales_Group : 0u);
        if (size > 0.0)
            player->scale = size;
        scales->MoveToTime(map.get(), t);
        FlatList<MoveObject>* orders = nullptr;
        if (place)
            scales->MoveMapGroup(map.get(), t, &orders);
    }

    void Weigh(Tick from, Tick to, double size)
    {
        for (Tick t = from; t < to; t++)
            Weigh(t, size);
    }

    std::unique_ptr<Tower_Scales> scales;
};

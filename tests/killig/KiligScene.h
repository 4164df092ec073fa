// A small level of the dungeon's own objects: two swinging groups, a podium with two balls that opens a
// door, a two-way swivel on its floor switch, and the hint panel.
#pragma once

#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Level.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "engine/TimeFrames.h"
#include "killig/Kilig_CanDo.h"
#include "killig/Kilig_Events.h"
#include "killig/Kilig_MapMove.h"
#include "killig/Kilig_Podium.h"
#include "killig/Kilig_Swivel.h"
#include "media/Image.h"
#include "support/MapFiles.h"
#include "tools/MapWriter.h"

#include <memory>
#include <utility>
#include <vector>

namespace KiligScene
{

constexpr unsigned int StartRp = 0;
constexpr unsigned int BallRp[2] = {12, 13}; // at x 150 and -150
constexpr unsigned int PivotRp = 41;
constexpr unsigned int PodiumRp = 39;
constexpr unsigned int DoorGroup = 63;
constexpr unsigned int SwivelGroup = 64;
constexpr unsigned int PlateGroup = 65;
constexpr double PodiumX = 350.0;
constexpr double PlateX = 530.0; // the middle of the plate
constexpr double CameraScale = 0.125;

inline void AddPoly(MapWriter& writer, unsigned int group, std::vector<std::pair<double, double>> const& corners)
{
    MapWriter_Poly poly{0, group, true, false, {}};
    for (auto const& [x, y] : corners)
        poly.points.push_back({x, y, x / 64.0, y / 64.0, true});
    writer.AddPoly(poly);
}

// A floor between two walls with the plate flush in a gap whose sides slope, so that it can be
// walked out of; the swivel, the swinging groups and the door stand out of the player's way. The
// view takes everything in, so that no group is ever out of sight.
inline std::unique_ptr<Map> SceneMap()
{
    MapWriter writer;
    writer.SetView(-320.0 / CameraScale, 300.0 - 240.0 / CameraScale, CameraScale);
    AddPoly(writer, 0, {{-1900, -100}, {-1900, 0}, {500, 0}, {520, -20}, {520, -100}});
    AddPoly(writer, 0, {{540, -100}, {540, -20}, {560, 0}, {1900, 0}, {1900, -100}});
    AddPoly(writer, PlateGroup, {{500, 0}, {560, 0}, {545, -15}, {515, -15}});
    writer.AddBox(-2000.0, -100.0, -1900.0, 600.0, 0, 0, true, false, 64.0);
    writer.AddBox(1900.0, -100.0, 2000.0, 600.0, 0, 0, true, false, 64.0);
    writer.AddBox(1200.0, 0.0, 1220.0, 100.0, 0, DoorGroup, true, false, 64.0);
    writer.AddBox(700.0, 300.0, 800.0, 310.0, 0, SwivelGroup, true, false, 64.0);
    writer.AddBox(-700.0, 250.0, -600.0, 260.0, 0, 3, true, false, 64.0);
    writer.AddBox(1000.0, 400.0, 1100.0, 410.0, 0, 45, true, false, 64.0);
    writer.AddRefPoint(StartRp, 0.0, 1.0);
    writer.AddRefPoint(BallRp[0], 150.0, 0.0);
    writer.AddRefPoint(BallRp[1], -150.0, 0.0);
    writer.AddRefPoint(PodiumRp, PodiumX, 12.0);
    writer.AddRefPoint(PivotRp, 750.0, 305.0);
    return MapFiles::Load<Map>(writer);
}

} // namespace KiligScene

// The master is not placed: he walks a step for every call rather than by the tick, so he keeps
// nothing to replay, and he walks only before time travel is learnt.
class Kilig_Scene final : public Level
{
public:
    explicit Kilig_Scene(GameEvents* events) : Level(events)
    {
        using namespace KiligScene;
        map = built.Own(SceneMap().release());
        Pointf const start = map->GetRefPoint(StartRp);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        player->SetCameraScale(CameraScale, CameraMove_Jump);
        Pointf const centre(0.0, 300.0);
        player->SetCameraPos(&centre, CameraMove_Jump, 0);
        script = built.Own(new Kilig_Events(gameEvents, message));
        player->levelEvents = script;
        Kilig_MapMove* driver = built.Own(new Kilig_MapMove(map, objects));
        mapMove = driver;

        Collectable::Initialise(timeFrames);
        ballImage = built.Own(new Image("gfx/killig/objects/redblue.png", 0, false));
        for (int i = 0; i < 2; i++)
            balls[i] = built.Own(new Collectable(map, BallRp[i], ballImage, unsigned(i),
                                                 Collectable_Flags(Collectable_Red | Collectable_Blue)));
        plate = built.Own(new Switch(player, map, PlateGroup, 1.0));
        podium = built.Own(new Kilig_Podium(map->GetRefPoint(PodiumRp)));
        for (Collectable* ball : balls)
            podium->AddBall(ball);
        door = built.Own(new Door(map, DoorGroup, 50.0, Direction_Up, 1.0));
        door->AddActivator(podium);
        swivel = built.Own(new Kilig_Swivel(map, SwivelGroup, PivotRp, plate, false));

        // The balls before the podium, which reads where they are.
        for (Collectable* ball : balls)
            objects->AddObject(ball);
        objects->AddObject(static_cast<Object*>(plate));
        objects->AddObject(static_cast<Object*>(podium));
        objects->AddObject(static_cast<Object*>(swivel));
        driver->AddObject(plate);
        driver->AddObject(door);
        driver->AddObject(swivel);
        map->PreprocessCollision();
        panel = built.Own(new Kilig_CanDo(player, map, font, gameEvents, script));
        canDo = panel;
    }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    Kilig_Events* script = nullptr;
    Image* ballImage = nullptr;
    Collectable* balls[2] = {};
    Switch* plate = nullptr;
    Kilig_Podium* podium = nullptr;
    Door* door = nullptr;
    Kilig_Swivel* swivel = nullptr;
    Kilig_CanDo* panel = nullptr;
};

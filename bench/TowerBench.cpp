// The tower played where its objects work hardest, through a whole level's clock: by turns on the
// balance scales (weighing beside the past selves that each travel back leaves) and in the track
// chamber (throwing at the circling targets), travelling back 1500 ticks every 5000, every step
// timed and a frame drawn now and then (WorldRun.h).
#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Player.h"
#include "shell/World_Table.h"
#include "tools/worlds/tower.h"
#include "tower/Tower.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

constexpr Tick StationTicks = 2500;
constexpr int ThrowEvery = 40;  // steps between two throws in the track chamber
constexpr int WeighSteps = 300; // on the pan, then a hop off and a walk back

// Puts the player standing at a station at its size.
void Place(Player& hero, double x, double y, double s)
{
    hero.SetScale(s);
    hero.scale = s;
    hero.SetUpStats();
    hero.pos = Pointf(x, y);
    hero.speed = hero.fallSpeed = hero.jumpSpeed = 0.0;
}

// The keys of step n of a station's play.
std::vector<int> StationKeys(bool scales, int n)
{
    if (!scales)
    {
        int const k = n % ThrowEvery;
        return k < 2 ? std::vector<int>{KeyIndex_GameAction} : std::vector<int>{};
    }
    int const k = n % (WeighSteps + 100);
    if (k < WeighSteps)
        return {};
    if (k < WeighSteps + 20)
        return {KeyIndex_GameLeft, KeyIndex_GameJump};
    return {KeyIndex_GameRight};
}

void TowerStations(benchmark::State& state)
{
    using namespace TowerWriter;
    WorldRun_Data const folder;
    GameEvents events;
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    events.eventTimes[Event_Socks] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> world(MakeWorld(&events, Level_Tower, false));
    Player& hero = *world->GetPlayer();
    // The first frame readies the GL's drawing of every kind of thing (Level::WarmUp): drawn
    // before the run, as the other world runs do. The heap is taken before it: the GL holds and
    // later lets go of much of what that frame takes, so the growth counted from after it would
    // come out short of the records.
    WorldRun_Runner run(state, *world);
    int station = -1;
    int inStation = 0;
    run.Play(WorldRun::TravelEvery, [&] {
        int const wanted = static_cast<int>(world->GetTick() / StationTicks) % 2;
        if (wanted != station)
        {
            station = wanted;
            inStation = 0;
            if (station == 0)
                Place(hero, WingB_PanX, WingB_FloorY, 0.5);
            else
                Place(hero, WingA_Door13X - 30.0, WingA_RoomsY, 1.0);
        }
        run.Step(StationKeys(station == 0, inStation++));
    });
    run.Report();
}

BENCHMARK(TowerStations)->Name("World/tower/stations")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

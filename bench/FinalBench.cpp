// The dragon's den played through a whole level's clock: the hero walks to the throwing spot and throws at the
// dragon's head every few steps, never enough to kill it, with a travel back of 1500 ticks every 5000; every
// step timed (WorldRun.h). Each step asks the dragon whether its flames (50 births) or rocks (200) reach the hero and
// whether it is dead (its hit points over every cycle so far); each frame draws them all.
#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "final/Final.h"
#include "final/Final_Dragon.h"
#include "shell/World_Table.h"
#include "support/RoadWalker.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int ThrowEvery = 12; // steps from one throw to the next: some 360 hits a cycle, a third of a kill

void FinalFight(benchmark::State& state)
{
    WorldRun_Data const folder;
    GameEvents events;
    events[Event_TimeTravel] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> built(MakeWorld(&events, Level_Final, false));
    Final& world = static_cast<Final&>(*built);
    std::string const roads = std::string(WorldRow(Level_Final).folder) + "/road";
    RoadWalker toSpot(world, Road::Read(roads, "throwing spot"));
    WorldRun_Runner run(state, world);
    toSpot.Walk([&](std::vector<int> const& held) { return run.Step(held); });

    int throwStep = 0;
    run.Play(WorldRun::FirstTravel, [&] {
        // Action pressed, held (aiming) and let go (the throw), then a rest.
        int const phase = throwStep++ % ThrowEvery;
        run.Step(phase < 2 ? std::vector<int>{KeyIndex_GameAction} : std::vector<int>{});
    });

    int lowest = Final_Dragon::Dragon_HitPoints;
    for (Tick t = 0; t < WorldRun::RunTo; t += 50)
        lowest = std::min(lowest, world.GetDragon()->GetHitPoints(t));
    run.Report();
    state.counters["road_done"] = toSpot.Done() ? 1 : 0;
    // Steps that ended the level: none, or the run is no fight.
    state.counters["ended"] = run.Results(Level_Left) + run.Results(Level_Completed) + run.Results(Level_Restart);
    state.counters["lowest_hp"] = lowest;
    state.counters["alive"] = world.GetPlayer()->IsPlayerDead() == 0 ? 1 : 0;
}

BENCHMARK(FinalFight)->Name("World/final/fight")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

// The chests the whole game opens on its way, enough gems for the castle's fee with the one the
// village's road picks up: the plateau's two and the canyon's three, which stand on the start's floor
// left of the start, and the dungeon's first, up gallery A's stairs past the red gate. A world's walk
// takes its road with the detours to its chests, each opened by keys (support/ChestOpener.h), in the
// builder and in the tests of these walks alike.
#pragma once

#include "chasm/Chasm_Ids.h"
#include "engine/GameEvents.h"
#include "engine/Level_Type.h"
#include "killig/Kilig_Ids.h"
#include "plateau/Plato_Ids.h"
#include "puzzles/World_Base.h"
#include "support/ChestOpener.h"
#include "support/RoadWalker.h"

#include <functional>
#include <string>
#include <vector>

// A chest: the way there (its last point the station by it), its gem's slot in the world's row, and
// the way back to the road (empty where the road goes on from the chest).
struct WholeGame_Chest
{
    Road way;
    int slot = 0;
    Road back;
};

// The chests opened before point `at` of the road (0: before the road).
struct WholeGame_Detour
{
    int at = 0;
    std::vector<WholeGame_Chest> chests;
};

namespace WholeGameChests
{

constexpr int Station_Wait = 2; // steps after action at a chest, before its puzzle is played

// A chest on the floor the player walks on, at the map's reference point rp.
inline WholeGame_Chest OnTheFloor(World_Base& world, unsigned int rp, int slot)
{
    Pointf const at = world.GetMap()->GetRefPoint(rp);
    WholeGame_Chest chest;
    chest.way = Road("chest " + std::to_string(slot));
    chest.way.Press(at.x, at.y, "chest " + std::to_string(slot), Station_Wait);
    chest.slot = slot;
    return chest;
}

// The detours of the road `road` of the world of type (none for most).
inline std::vector<WholeGame_Detour> Detours(World_Base& world, Level_Type type, std::string const& road)
{
    if (type == Level_Plato && road == "exit")
        return {{0, {OnTheFloor(world, Plato_GemRp + 1, 1), OnTheFloor(world, Plato_GemRp, 0)}}};
    if (type == Level_Chasm && road == "exit")
    {
        WholeGame_Detour detour{0, {}};
        for (int k = Chasm_Chest_Count - 1; k >= 0; k--)
            detour.chests.push_back(OnTheFloor(world, Chasm_Rp_Chests[k], k));
        return {detour};
    }
    if (type == Level_Kilig && road == "exit")
    {
        // After the road's third point, past the red gate with ball 1.
        WholeGame_Chest chest{RoadWalker::WorldRoad(Level_Kilig, "chest 0"), 0,
                              RoadWalker::WorldRoad(Level_Kilig, "from chest 0")};
        return {{3, {chest}}};
    }
    return {};
}

// Points [from, to) of a road, as a road of their own.
inline Road Part(Road const& road, int from, int to)
{
    Road part(road.name + " from point " + std::to_string(from));
    for (int i = from; i < to && i < static_cast<int>(road.points.size()); i++)
        part.Add(road.points[static_cast<std::size_t>(i)]);
    return part;
}

// Walks the road of the world of type with its detours: the road to a detour's point, each chest
// opened and walked back from, on along the road. The result is the last walk's, with the steps of
// all; a chest not opened stops the walk with its report. watch hears each puzzle's stages, with the
// chest's road's name.
inline RoadWalk_Result Walk(World_Base& world, GameEvents const& events, Level_Type type, std::string const& roadName,
                            RoadWalker::Stepper const& step, int maxSteps = 200000,
                            std::function<void(std::string const& chest, char const* stage)> const& watch = {})
{
    Road const road = RoadWalker::WorldRoad(type, roadName);
    std::vector<WholeGame_Detour> const detours = Detours(world, type, roadName);
    RoadWalk_Result r;
    int steps = 0;
    int from = 0;
    for (WholeGame_Detour const& detour : detours)
    {
        if (detour.at > from)
        {
            r = RoadWalker(world, Part(road, from, detour.at)).Walk(step, maxSteps);
            steps += r.steps;
            if (!r.done)
                return r;
        }
        from = detour.at;
        for (WholeGame_Chest const& chest : detour.chests)
        {
            ChestOpener::Watch const stages = [&](char const* stage) {
                if (watch)
                    watch(chest.way.name, stage);
            };
            ChestOpen_Result const opened = ChestOpener::Open(world, events, chest.way, chest.slot, step, stages);
            steps += opened.steps;
            if (!opened.done)
            {
                r.done = false;
                r.stuck = true;
                r.report = opened.report;
                r.steps = steps;
                return r;
            }
            if (!chest.back.points.empty())
            {
                r = RoadWalker(world, chest.back).Walk(step, maxSteps);
                steps += r.steps;
                if (!r.done)
                    return r;
            }
        }
    }
    r = RoadWalker(world, Part(road, from, static_cast<int>(road.points.size()))).Walk(step, maxSteps);
    r.steps += steps;
    return r;
}

} // namespace WholeGameChests

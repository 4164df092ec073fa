// CreatureWorldWriter: the map and image map of the creature test level, written under creatureworld/.
#pragma once

#include "tools/creatures/CreatureWorld_Refs.h"

#include <string>

class MapWriter;

class CreatureWorldWriter final
{
public:
    // dir/creatureworld/map and dir/creatureworld/imagemap; throws std::runtime_error on failure.
    static void Write(std::string const& dir);

    // A zone's own scenery and reference points over the common floor, x0 its start. One per
    // zone, listed in Write's table by zone number; a number without a writer is bare floor.
    using ZoneWriter = void (*)(MapWriter& map, double x0);
    static void GoblinWallZone(MapWriter& map, double x0);
    static void GoblinTurnZone(MapWriter& map, double x0);
    static void RatsZone(MapWriter& map, double x0);
    static void GoblinGroupZone(MapWriter& map, double x0);
    static void VultureZone(MapWriter& map, double x0);
    static void CactusZone(MapWriter& map, double x0);
    static void ShmooZone(MapWriter& map, double x0);
    static void SpiderZone(MapWriter& map, double x0);
    static void GrethynZone(MapWriter& map, double x0);
    // Mozzies and wavy blobs.
    static void MozzyZone(MapWriter& map, double x0);
    static void WavyBlobZone(MapWriter& map, double x0);
    // The sliding puzzle and the leak sprinkler.
    static void SlideyPuzzleZone(MapWriter& map, double x0);
    static void LeakZone(MapWriter& map, double x0);
    // Spikes, spike balls, jets, vines and push-overs.
    static void SpikesZone(MapWriter& map, double x0);
    static void JetsZone(MapWriter& map, double x0);
    static void VinesZone(MapWriter& map, double x0);
    static void PushOverZone(MapWriter& map, double x0);
    // Rock-throwing goblin, splitting shmoos, imps.
    static void GoblinDefendZone(MapWriter& map, double x0);
    static void SplitShmooZone(MapWriter& map, double x0);
    static void ImpZone(MapWriter& map, double x0);

    // Textures of the image map.
    static constexpr unsigned int Stone = 1;
    static constexpr unsigned int Brick = 2;
    static constexpr unsigned int Plank = 3;
};

// The tower with the worlds' kit: replayed whole under random travel (along the giant's road, and
// played at random at the scales and in the track chamber), and refusing a map without an id it
// reads.
//
// CI takes out a seeded sample of the ids; the whole sweep:
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_tower --gtest_filter='TowerRoad.TheTowerRefuses*'
#include "support/MapIdSweep.h"
#include "support/WorldReplay.h"
#include "tools/worlds/tower.h"
#include "tower/TowerWorldSupport.h"
#include "tower/Tower_Scales.h"

using namespace TowerWriter;

class TowerRoad : public TowerWorld
{
protected:
    // A replay run that starts with the player standing at (x, y) at size s.
    static WorldReplay_Options From(double x, double y, double s)
    {
        WorldReplay_Options options;
        options.prepare = [x, y, s](ReplayHarness& harness, World_Base& world) {
            Player& hero = *world.GetPlayer();
            hero.SetScale(s);
            hero.scale = s;
            hero.SetUpStats();
            hero.pos = Pointf(x, y);
            Tower_Scales const* scales = static_cast<Tower&>(world).GetScales();
            harness.Watch([scales](Tick t, Replay_Digest& d) {
                ReplayHarness::Add(d, "scales", "weight", scales->WeightAt(t));
                ReplayHarness::Add(d, "scales", "lights", scales->LightsLit(t));
                ReplayHarness::Add(d, "scales", "overweight", scales->OverweightLit(t));
                ReplayHarness::Add(d, "scales", "pan", scales->CalcScalesPos(t));
                ReplayHarness::Add(d, "scales", "lift", scales->CalcLiftPos(t));
            });
        };
        return options;
    }
};

TEST_F(TowerRoad, TheWholeTowerReplaysAlongTheRoadAndWherePlayerAndPastSelvesWeighAndThrow)
{
    WorldReplay_Options road;
    road.road = "way in";
    WorldReplay::Run(*this, Level_Tower, events, road);
    WorldReplay::Run(*this, Level_Tower, events, From(1930.0, WingB_FloorY, 0.5));
    WorldReplay::Run(*this, Level_Tower, events, From(WingA_Door13X - 30.0, WingA_RoomsY, 1.0));
}

TEST_F(TowerRoad, TheTowerRefusesAMapWithoutAnIdItReadsAndLeavesNothingBehind)
{
    WorldSweep::Run(*this, Level_Tower, events);
}

// Test support: an activator switched on over chosen runs of ticks, and a small map with one moving group.
#pragma once

#include <gtest/gtest.h>
#include <memory>

#include "Activator.h"
#include "Map.h"
#include "MapFiles.h"
#include "TimeSet.h"

class ScriptedActivator final : public Activator
{
public:
    ScriptedActivator() { activeTimes = new TimeSet(); }
    ScriptedActivator(ScriptedActivator const&) = delete;
    ScriptedActivator& operator=(ScriptedActivator const&) = delete;
    ~ScriptedActivator() override { delete activeTimes; }

    // On over the ticks [from, to).
    void On(Tick from, Tick to) { activeTimes->AddRange(TimeRange(from, to)); }
};

namespace GroupMap {

constexpr unsigned int Group = 2;  // a 40 by 10 block standing on the floor, centred on x 0
constexpr unsigned int Group2 = 3; // the same block centred on x 100
constexpr unsigned int Group3 = 4; // and on x 200
constexpr unsigned int RefA = 1;   // (-50, 20)
constexpr unsigned int RefB = 2;   // (30, -5)

// A floor whose top is y 0 from x -1000 to 1000 and the three blocks on it, seen with the
// origin at the centre of the screen. The collision grid is left to the caller, which
// first sets the group's cover.
inline std::unique_ptr<Map> Make()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-1000.0, -100.0, 1000.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(-20.0, 0.0, 20.0, 10.0, 0, Group, true, false, 64.0);
    writer.AddBox(80.0, 0.0, 120.0, 10.0, 0, Group2, true, false, 64.0);
    writer.AddBox(180.0, 0.0, 220.0, 10.0, 0, Group3, true, false, 64.0);
    writer.AddRefPoint(RefA, -50.0, 20.0);
    writer.AddRefPoint(RefB, 30.0, -5.0);
    return MapFiles::Load<Map>(writer);
}

// The index of the first polygon of the group.
inline unsigned int PolyOf(Map const& map, unsigned int group)
{
    for (unsigned int i = 0; i < map.polyCount; i++)
        if (map.GetGroup(i) == group)
            return i;
    ADD_FAILURE() << "no polygon in group " << group;
    return 0;
}

} // namespace GroupMap

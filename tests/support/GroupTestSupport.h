// Test support: an activator on over chosen runs of ticks, and a small map with three moving groups.
#pragma once

#include "engine/Activator.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "support/MapFiles.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <memory>

class ScriptedActivator final : public Activator
{
public:
    ScriptedActivator() { activeTimes = new TimeSet(); }
    ~ScriptedActivator() override { delete activeTimes; }
    void On(Tick from, Tick to) { activeTimes->AddRange(TimeRange(from, to)); }
};

namespace GroupMap
{

constexpr unsigned int Group = 2;  // a 40 by 10 block on the floor (top y 0), centred on x 0
constexpr unsigned int Group2 = 3; // the same on x 100
constexpr unsigned int Group3 = 4; // and on x 200
constexpr unsigned int RefA = 1;   // (-50, 20)
constexpr unsigned int RefB = 2;   // (30, -5)

// Seen with the origin at the screen's centre; without its collision grid.
inline std::unique_ptr<Map> Make()
{
    MapWriter writer = FloorWriter();
    for (unsigned int group : {Group, Group2, Group3})
    {
        double const x = 100.0 * (group - Group);
        writer.AddBox(x - 20.0, 0.0, x + 20.0, 10.0, 0, group, true, false, 64.0);
    }
    writer.AddRefPoint(RefA, -50.0, 20.0);
    writer.AddRefPoint(RefB, 30.0, -5.0);
    return MapFiles::Load<Map>(writer);
}

inline unsigned int PolyOf(Map const& map, unsigned int group)
{
    for (unsigned int i = 0; i < map.polyCount; i++)
        if (map.GetGroup(i) == group)
            return i;
    ADD_FAILURE() << "no polygon in group " << group;
    return 0;
}

} // namespace GroupMap

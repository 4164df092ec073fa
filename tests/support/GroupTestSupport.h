// Test support: an activator on over chosen runs of ticks, and a small map with three moving groups.
#pragma once

#include "engine/Activator.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "support/MapFiles.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

// Reports its changes unless made silent, when the things it works walk back over all its runs.
class ScriptedActivator final : public Activator
{
public:
    explicit ScriptedActivator(bool reports = true) : reportsChanges(reports) { activeTimes = new TimeSet(); }
    ScriptedActivator(ScriptedActivator const&) = delete;
    ScriptedActivator& operator=(ScriptedActivator const&) = delete;
    ~ScriptedActivator() override { delete activeTimes; }
    void On(Tick from, Tick to)
    {
        activeTimes->AddRange(TimeRange(from, to));
        if (reportsChanges)
            Changed(from);
    }
    bool ReportsChanges() const override { return reportsChanges; }

private:
    bool reportsChanges;
};

// Players pressing plates while the clock is shown anywhere: at each tick shown, each plate is
// pressed or let go by chance, and while pressed it is on for one tick at or near the tick shown.
class RandomPresses final
{
public:
    RandomPresses(std::mt19937& engine, double flipChance, std::vector<ScriptedActivator*> pressedPlates)
        : random(engine), flip(flipChance), plates(std::move(pressedPlates)), pressed(plates.size(), false)
    {
    }
    void At(Tick t)
    {
        for (std::size_t i = 0; i < plates.size(); i++)
        {
            if (flip(random))
                pressed[i] = !pressed[i];
            Tick const at = std::max(1, t + late(random));
            if (pressed[i])
                plates[i]->On(at, at + 1);
        }
    }

private:
    std::mt19937& random;
    std::bernoulli_distribution flip;
    std::uniform_int_distribution<Tick> late{-40, 4};
    std::vector<ScriptedActivator*> plates;
    std::vector<bool> pressed;
};

// The lift's phase read as a plain recursion, for comparison wherever that ends.
inline double RecursiveAngle(Lift const& lift, Tick t, double startAngle)
{
    if (lift.IsActive(t))
    {
        Tick const b = lift.LastInactiveTime(t);
        return (t - b) * Lift_Speed + RecursiveAngle(lift, b, startAngle);
    }
    Tick const a = lift.LastActiveTime(t);
    return a != -1 ? RecursiveAngle(lift, a, startAngle) : startAngle;
}

// Shows ticks the way a level's clock does: live from 0 up to live, a travel back at 16 ticks a
// step down to back and forward again at 8 a step up to forward, then live again for again
// ticks. show(t) is called at each tick shown, in that order.
template <class Show>
void PlayWithTravel(Tick live, Tick back, Tick forward, Tick again, Show&& show)
{
    Tick t = 0;
    for (; t < live; t++)
        show(t);
    for (; t > back; t -= 16)
        show(t);
    for (; t < forward; t += 8)
        show(t);
    for (Tick const end = t + again; t < end; t++)
        show(t);
}

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

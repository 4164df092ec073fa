// Casle_Lights: building the lamps and latching the group when all of them burn.
#include "castle/Casle_Lights.h"

#include "castle/Casle_Light.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"

#include <cassert>
#include <memory>

namespace
{
constexpr char const* lightonfile = "gfx/castle/lighton.png";
constexpr char const* lightofffile = "gfx/castle/lightoff.png";
} // namespace

Casle_Lights::Casle_Lights(Map const* map, unsigned int ref0, unsigned int ref1, unsigned int ref2, int duration)
{
    // Nothing is left behind when a picture is missing.
    std::unique_ptr<TimeSet> set(new TimeSet());
    std::unique_ptr<Image> on(new Image(lightonfile, Image_Mask, false));
    std::unique_ptr<Image> off(new Image(lightofffile, Image_Mask, false));
    unsigned int const refs[Casle_Light_Count] = {ref0, ref1, ref2};
    std::unique_ptr<Casle_Light> made[Casle_Light_Count];
    for (int i = 0; i < Casle_Light_Count; i++)
        made[i] = std::make_unique<Casle_Light>(map->GetRefPoint(refs[i]), duration, on.get(), off.get());
    for (int i = 0; i < Casle_Light_Count; i++)
        lights[i] = made[i].release();
    activeTimes = set.release();
    onImg = on.release();
    offImg = off.release();
}

Casle_Lights::~Casle_Lights()
{
    delete activeTimes;
    for (Casle_Light* light : lights)
        delete light;
    delete onImg;
    delete offImg;
}

Casle_Light* Casle_Lights::GetLight(unsigned int id) const
{
    assert(id < Casle_Light_Count && "id < 3");
    return lights[id];
}

void Casle_Lights::MoveToTime(Map const*, Tick t)
{
    if (t >= lastTime && AllOn(t))
    {
        // A move may pass many ticks at once (a replay, or play after a travel): the group latched
        // at the first of them from which all three burn, not at the move before, or a door it
        // opens would open earlier each time those ticks are shown again.
        Tick from = t;
        while (from - 1 > lastTime && AllOn(from - 1))
            --from;
        for (Casle_Light* light : lights)
            light->SetAlwaysOnTime(from);
        activeTimes->AddRange(TimeRange(from, t + 1));
    }
    lastTime = t;
}

bool Casle_Lights::AllOn(Tick t) const
{
    return lights[0]->IsOn(t) && lights[1]->IsOn(t) && lights[2]->IsOn(t);
}

bool Casle_Lights::IsActive(Tick t) const
{
    return activeTimes->Check(t);
}

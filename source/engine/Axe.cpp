// Axe: one throw's record and its drawing in flight.
#include "engine/Axe.h"

#include "engine/Map.h"
#include "media/Image.h"
#include "util/Bezier.h"
#include "util/Util.h"

#include <cassert>

Image* Axe::frame = nullptr;

namespace
{
constexpr double Axe_DrawScale = 0.4;
constexpr double Axe_TurnPerFixedTick = 1.0 / 512.0; // half a radian per tick
} // namespace

Axe::Axe(Tick throwTime, int flightTicks, Bezier* path, double throwerScale)
    : startTime(throwTime), duration(flightTicks), curve(path), scale(throwerScale),
      spin((Util::Random(throwTime) & 0xFF) * (Util::FullTurn / 256.0))
{
}

Axe::~Axe()
{
    delete curve;
}

void Axe::Initialise()
{
    assert(frame == NULL && "frame == NULL");
    frame = new Image("gfx/player/sword.png", Image_Mask, false);
}

void Axe::Finalise()
{
    delete frame;
    frame = nullptr;
}

void Axe::Render(Map const* map, Tick time) const
{
    long long const start = static_cast<long long>(startTime) * 256;
    long long const end = static_cast<long long>(EndTime()) * 256;
    if (time < start || time > end)
        return;
    double const u = static_cast<double>(time - start) / (static_cast<double>(duration) * 256.0);
    Pointf const at = curve->Eval(u);
    frame->Render(at, spin + time * Axe_TurnPerFixedTick, scale * Axe_DrawScale, Image_Centre | Image_Middle,
                  &map->view);
}

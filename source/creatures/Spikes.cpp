// Spikes: the cycle of a row, its rectangle and its drawing.
#include "creatures/Spikes.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cstdlib>

namespace
{
char const* const spikefile = "gfx/map/spike.png";

// a is less than b, values within the tolerance counting as equal.
bool Below(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}
} // namespace

Image* Spikes::frame = nullptr;

Spikes::Spikes(Map const* map, unsigned int ref, int startPhase, int spikeCount)
    : base(map->GetRefPoint(ref)), phase(startPhase == -1 ? std::rand() % Spikes_CycleTime : startPhase),
      position(base), count(spikeCount)
{
}

void Spikes::Initialise()
{
    assert(frame == nullptr && "frame == NULL");
    frame = new Image(spikefile, Image_Mask, false);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Spike);
}

void Spikes::Finalise()
{
    delete frame;
    frame = nullptr;
}

double Spikes::SpikeWidth() const
{
    assert(frame != nullptr && "frame != NULL");
    return frame->GetWidth() * scale;
}

double Spikes::SpikeHeight() const
{
    assert(frame != nullptr && "frame != NULL");
    return frame->GetHeight() * scale;
}

Pointf Spikes::PositionAtTime(Tick t, bool playSound) const
{
    Pointf pos = base;
    double const height = SpikeHeight();
    // Ticks before 0 and phases of a cycle or more still land inside the cycle.
    int const p = ((phase + t) % Spikes_CycleTime + Spikes_CycleTime) % Spikes_CycleTime;
    int const rise = Spikes_DownTime;
    int const up = rise + Spikes_RiseTime;
    int const drop = up + Spikes_UpTime;
    if (p < rise)
        pos.y = base.y - height;
    else if (p < up)
    {
        int const k = p - rise;
        pos.y = Util::FunkyMove(base.y - height, base.y, k, 0.5);
        if (k == 0 && playSound && gameSounds != nullptr)
            gameSounds->Play(Sound_Spike, &pos, false, scale);
    }
    else if (p < drop)
        pos.y = base.y;
    else
        pos.y = base.y - (p - drop) * height / double(Spikes_DropTime);
    return pos;
}

void Spikes::MoveToTime(Map const*, Tick t)
{
    position = PositionAtTime(t, true);
}

void Spikes::Render(Map const* map, Tick) const
{
    assert(frame != nullptr && "frame != NULL");
    double const width = SpikeWidth();
    for (int i = 0; i < count; i++)
        frame->Render(Pointf(position.x + i * width, position.y), 0.0, scale, Image_Left | Image_Bottom, &map->view);
}

bool Spikes::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = base;
    radius = (count + 10) * SpikeHeight();
    objScale = scale;
    return true;
}

int Spikes::IsPlayerHit(Tick, Pointf const* playerPos)
{
    double const right = position.x + count * SpikeWidth();
    double const top = position.y + SpikeHeight();
    bool const inside = Below(position.x, playerPos->x) && Below(playerPos->x, right) && Below(position.y, playerPos->y)
                        && Below(playerPos->y, top);
    return inside ? 1 : 0;
}

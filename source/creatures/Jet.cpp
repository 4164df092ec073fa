// Jet: the period, the particles of the flame and the puffs, and the cone that hurts.
#include "creatures/Jet.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace
{
char const* const jetfile = "gfx/jet/jet.png";
constexpr int Jet_Random_Range = 1023;

bool Above(double a, double b)
{
    return a > b && !Util::Equal(a, b);
}
} // namespace

Image* Jet::img = nullptr;

Jet::Jet(Player const*, Pointf nozzle, Direction blowing, int length, int waitTicks, int fireTicks, int startPhase)
    : position(nozzle), direction(blowing), size(length), fire(fireTicks), period(0), serial(Util::NextSerial())
{
    // Every look at the period divides by it; the sum is taken wide so that no pair of ints wraps.
    std::int64_t const sum = std::int64_t(waitTicks) + fireTicks;
    if (sum < 1 || sum > std::numeric_limits<int>::max())
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text,
                      "jet at (%g, %g), direction %d, size %d: wait %d and fire %d leave a period of %lld; it must "
                      "be from 1 to %d",
                      nozzle.x, nozzle.y, int(blowing), length, waitTicks, fireTicks, static_cast<long long>(sum),
                      std::numeric_limits<int>::max());
        throw Error(Error_ParseFile, text);
    }
    period = static_cast<int>(sum);
    phase = startPhase == -1 ? static_cast<int>((std::int64_t(std::rand() & 0x3FF) * period) / 1024) : startPhase;
}

void Jet::Initialise()
{
    assert(img == nullptr && "img == NULL");
    img = new Image(jetfile, Image_Mask, false);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_SteamJet);
}

void Jet::Finalise()
{
    delete img;
    img = nullptr;
}

int Jet::CycleAt(Tick t) const
{
    // Near the level's start the flame looks at ticks before 0: they lie in the period before.
    return ((phase + t) % period + period) % period;
}

void Jet::MoveToTime(Map const*, Tick t)
{
    if (CycleAt(t) == 0 && gameSounds != nullptr)
        gameSounds->Play(Sound_SteamJet, &position, false, 1.0);
}

template <class Visit>
void Jet::EachParticle(Tick t, Visit visit) const
{
    Tick const t0 = t - Tick(size);
    for (int i = 0; i <= size; i++)
    {
        Tick const tick = t0 + i;
        int const age = int(size) - i;
        int const m = CycleAt(tick);
        if (m <= fire)
            visit(tick, age, true);
        else if ((m - Jet_Fire_Duration) % Jet_Puff_Interval == 0 && age < Jet_Small_Duration)
            visit(tick, age, false);
    }
}

std::vector<Jet_Particle> Jet::ParticlesAt(Tick t) const
{
    std::vector<Jet_Particle> out;
    EachParticle(t, [&](Tick tick, int age, bool big) { out.push_back({ParticlePos(tick, age, big), big}); });
    return out;
}

Pointf Jet::ParticlePos(Tick tick, int age, bool big) const
{
    int const r = (Util::Random(tick, serial) % Jet_Random_Range + Jet_Random_Range) % Jet_Random_Range;
    double sideways = 0.0;
    double along = 0.0;
    if (big)
    {
        sideways = (r / 512.0 - 1.0) * age;
        along = age * Jet_Big_Primary_Speed;
    }
    else
    {
        sideways = (r / 2048.0 - 0.25) * age;
        along = age * Jet_Small_Primary_Speed;
    }
    switch (direction)
    {
    case Direction_Up:
        return Pointf(position.x + sideways, position.y + along);
    case Direction_Down:
        return Pointf(position.x + sideways, position.y - along);
    case Direction_Left:
        return Pointf(position.x - along, position.y + sideways);
    case Direction_Right:
        break;
    }
    return Pointf(position.x + along, position.y + sideways);
}

void Jet::Render(Map const* map, Tick t) const
{
    EachParticle(t, [&](Tick tick, int age, bool big) { RenderJet(map, tick, age, big); });
}

void Jet::RenderJet(Map const* map, Tick tick, int age, bool big) const
{
    assert(img != nullptr && "img != NULL");
    img->Render(ParticlePos(tick, age, big), 0.0, 0.5, Image_Centre | Image_Middle, &map->view);
}

bool Jet::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = position;
    radius = Jet_ActiveDist;
    objScale = 1.0;
    return true;
}

int Jet::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (Above(position.DistanceEst(playerPos), Jet_ActiveDist))
        return 0;
    int const m = CycleAt(t);
    if (m > fire + size)
        return 0;
    double reach = size * Jet_Big_Primary_Speed;
    if (m < size)
        reach = reach * m / size;
    double const d = position.Distance(playerPos);
    if (Above(d, reach))
        return 0;
    if (m > fire && Above((m - Jet_Fire_Duration) * reach / size, d))
        return 0;
    double a = position.Angle(playerPos);
    switch (direction)
    {
    case Direction_Up:
        break;
    case Direction_Down:
        a = Util::Angle(a - Util::HalfTurn);
        break;
    case Direction_Left:
        a = Util::Angle(a + Util::QuarterTurn);
        break;
    case Direction_Right:
        a = Util::Angle(a - Util::QuarterTurn);
        break;
    }
    double const off = std::fabs(a);
    return off < Jet_Hit_Angle && !Util::Equal(off, Jet_Hit_Angle) ? 1 : 0;
}

// Sprinkler: moving, retiring and spraying the drops of the ring.
#include "creatures/Sprinkler.h"

#include "engine/Map.h"
#include "engine/Particle.h"
#include "util/Util.h"

#include <cstdlib>

namespace
{
constexpr std::int32_t Spray_Period = 2; // steps between drops
constexpr double Drop_Shade = 0.9;
constexpr double Drop_RiseMax = 4.0;
constexpr double Drop_DriftMin = 1.0;
constexpr double Drop_DriftRange = 3.0;
constexpr int Drop_LifeMask = 0x3F;
constexpr int Drop_LifeMin = 0x40;
} // namespace

Sprinkler::Sprinkler() = default;

Sprinkler::~Sprinkler()
{
    for (Particle* particle : particles)
        delete particle;
}

void Sprinkler::Move(Map* map)
{
    for (Particle*& particle : particles)
    {
        if (particle != nullptr && particle->Move(map, 1))
        {
            delete particle;
            particle = nullptr;
        }
    }

    unsigned int poly = 0;
    if (map->CheckPoint(&pos, poly, false, 0))
        return;
    timer--;
    while (timer < 0)
    {
        timer += Spray_Period;
        Doderu_Colour const colour(Drop_Shade, Drop_Shade, Drop_Shade);
        // The draws come in this order: rise, then drift, then life.
        double const rise = Drop_RiseMax * Util::Ran();
        double const drift = Drop_DriftMin + Drop_DriftRange * Util::Ran();
        Vectorf const velocity(drift, rise);
        delete particles[nextSlot];
        int const life = (std::rand() & Drop_LifeMask) + Drop_LifeMin;
        particles[nextSlot] = new Particle(&pos, &velocity, &colour, life);
        nextSlot = (nextSlot + 1) % Max_Particles;
    }
}

void Sprinkler::Render(Map* map) const
{
    for (Particle const* particle : particles)
        if (particle != nullptr)
            particle->Render(map);
}

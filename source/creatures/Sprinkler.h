// Sprinkler: the fountain of pale drops spraying from a leak, decoration that keeps no history.
#pragma once

#include "util/Pointf.h"

#include <cstdint>

class Map;
class Particle;

constexpr int Max_Particles = 128;

// A jet of water from a fixed point: one drop every second step, flying up and to the right,
// bouncing off the map and gone after a random life. It changes nothing in the world, so it is
// no object, is never replayed, and takes its randomness from the C library's generator as it
// sprays. Nothing sprays while solid map covers the point.
class Sprinkler final
{
public:
    Sprinkler();
    Sprinkler(Sprinkler const&) = delete;
    Sprinkler& operator=(Sprinkler const&) = delete;
    ~Sprinkler();

    // One step: moves the drops, then sprays.
    void Move(Map* map);
    void Render(Map* map) const;

    Particle const* GetParticle(int slot) const { return particles[slot]; }
    std::int32_t GetTimer() const { return timer; }
    std::int32_t GetNextSlot() const { return nextSlot; }

    Pointf pos; // where the drops start; set by the owner

private:
    std::int32_t timer = 0;                  // steps until the next drop
    std::int32_t nextSlot = 0;               // the ring slot of the next drop
    Particle* particles[Max_Particles] = {}; // owned; null where empty
};

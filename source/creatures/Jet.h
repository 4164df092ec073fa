// Jet: a nozzle that blows a flame in one direction for part of each period and puffs the rest.
#pragma once

#include "engine/Door.h"
#include "engine/Enemy.h"
#include "engine/Object.h"
#include "util/Pointf.h"

#include <cstdint>
#include <vector>

class Image;
class Player;

// One particle of the flame or a puff, as drawn at a tick.
struct Jet_Particle
{
    Pointf pos;
    bool big; // a flame particle, else a puff
};

// Every particle is placed by the hash of the tick at which it left the nozzle, so the flame
// at any tick is a function of the tick alone. The fixed firing time of the worlds also times
// the receding flame and the puffs, whatever firing time a jet is given.
class Jet final : public Object, public Enemy
{
public:
    static constexpr int Jet_Wait_Duration = 250;
    static constexpr int Jet_Fire_Duration = 100;
    static constexpr int Jet_Cycle_Duration = 350;
    static constexpr double Jet_ActiveDist = 1000.0;
    static constexpr double Jet_Big_Primary_Speed = 4.0;
    static constexpr int Jet_Small_Duration = 40;
    static constexpr double Jet_Small_Primary_Speed = 0.3;
    static constexpr double Jet_Hit_Angle = 0.25;
    static constexpr int Jet_Puff_Interval = 16;

    // A phase of -1 draws one from the C library's sequence, 0 to period - 1. Throws
    // Error_ParseFile naming the values when wait + fire is below 1 or beyond an int. The worlds
    // hand in the player, but the jet never needs it: IsPlayerHit is given where the player is.
    Jet(Player const* owner, Pointf nozzle, Direction blowing, int length, int waitTicks, int fireTicks,
        int startPhase);
    Jet(Jet const&) = delete;
    Jet& operator=(Jet const&) = delete;
    ~Jet() override = default;

    static void Initialise();
    static void Finalise();

    // Where the period stands at t, 0 to period - 1; it fires while this is at most fire.
    int CycleAt(Tick t) const;
    // The particles drawn at t, oldest first.
    std::vector<Jet_Particle> ParticlesAt(Tick t) const;
    // Where the particle that left at tick has got to after age ticks.
    Pointf ParticlePos(Tick tick, int age, bool big) const;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    void RenderJet(Map const* map, Tick tick, int age, bool big) const;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    int GetPhase() const { return phase; }
    int GetPeriod() const { return period; }
    Pointf GetPosition() const { return position; }

private:
    // Calls visit(tick, age, big) for each particle drawn at t, oldest first.
    template <class Visit>
    void EachParticle(Tick t, Visit visit) const;

    Pointf position;
    Direction direction;
    double size;
    int fire;
    int period; // the waiting and the firing ticks together
    int phase = 0;
    std::uint32_t serial; // the particles' own hash sequence

    static Image* img;
};

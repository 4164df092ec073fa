// Spikes: a row of floor spikes that shoots up out of the floor and sinks again on a fixed cycle.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "util/Pointf.h"

class Image;

// Sunk most of the cycle, the row shoots up, stays up and sinks back; it hurts a player strictly
// inside its raised rectangle. Where it stands is a function of the tick alone. The size of one
// spike is its picture's size times the scale.
class Spikes final : public Object, public Enemy
{
public:
    static constexpr int Spikes_CycleTime = 270;
    static constexpr int Spikes_DownTime = 200;
    static constexpr int Spikes_RiseTime = 20;
    static constexpr int Spikes_UpTime = 20;
    static constexpr int Spikes_DropTime = 30;
    static constexpr double Spikes_Scale = 0.5;

    // A phase of -1 draws one from the C library's sequence, 0 to 269.
    Spikes(Map const* map, unsigned int ref, int startPhase, int spikeCount);
    Spikes(Spikes const&) = delete;
    Spikes& operator=(Spikes const&) = delete;
    ~Spikes() override = default;

    static void Initialise();
    static void Finalise();

    void SetScale(double s) { scale = s * Spikes_Scale; }

    // The row's lower-left corner at t; asks for the rising sound at the first tick of a rise.
    Pointf PositionAtTime(Tick t, bool playSound) const;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    int GetPhase() const { return phase; }
    double GetScale() const { return scale; }
    Pointf GetPosition() const { return position; }
    // One spike's size at the present scale.
    double SpikeWidth() const;
    double SpikeHeight() const;

private:
    Pointf base;
    int phase;
    Pointf position;
    int count;
    double scale = Spikes_Scale;

    static Image* frame;
};

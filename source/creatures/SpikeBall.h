// SpikeBall: a spiked ball that follows a path and hurts the player it touches.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "util/Pointf.h"

class Image;
class Path;

// Where it is comes from its path and the tick alone; it cannot be hit.
class SpikeBall final : public Object, public Enemy
{
public:
    static constexpr double SpikeBall_Width = 32.0;
    static constexpr double SpikeBall_Height = 32.0;
    static constexpr double SpikeBall_Hit_Dist = 24.0;

    // Takes the path over and deletes it.
    explicit SpikeBall(Path* followed);
    SpikeBall(SpikeBall const&) = delete;
    SpikeBall& operator=(SpikeBall const&) = delete;
    ~SpikeBall() override;

    static void Initialise();
    static void Finalise();

    Pointf PositionAtTime(Tick t) const;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    Pointf GetPosition() const { return position; }

private:
    Path* path;
    Pointf position;

    static Image* frame;
};

// Test_Walker: a creature of the engine test world that paces between two limits and replays by key frames.
#pragma once

#include "engine/Character.h"
#include "engine/KeyFrameCreature.h"

// Walks one way along the ground until it is blocked or passes a limit, then turns. Its state
// at any tick comes from its key-frame log, so after time travel it re-simulates against the
// map groups as they stood at each tick; it exists to exercise that replay in the test world.
class Test_Walker final : public KeyFrameCreature<Test_Walker>, public Character
{
public:
    // The stats are shared: the walker takes a reference. With a cull radius the walker is culled
    // by its distance from the view and keeps up through its log while it sleeps.
    Test_Walker(Pointf start, double leftLimit, double rightLimit, CharStats* sharedStats, double cullRadius = 0.0);
    // The copy the log keeps: shares the stats, has no log of its own.
    explicit Test_Walker(Test_Walker const* source);
    ~Test_Walker() override;
    Test_Walker(Test_Walker const&) = delete;
    Test_Walker& operator=(Test_Walker const&) = delete;

    // Advances the state from tick t - 1 to t.
    void Move(Map const* map, Tick t);

    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;

    bool WalkingLeft() const { return walkingLeft; }

    // Takes the simulated state of another copy.
    void CopyState(Test_Walker const& source);

    // What a key frame of the log keeps: the state CopyState takes.
    struct Key
    {
        Character body;
        double left;
        double right;
        double cull;
        bool walkingLeft;
    };
    void SaveKey(Key& key) const;
    void LoadKey(Key const& key);

private:
    double left = 0.0; // patrol limits, map x
    double right = 0.0;
    bool walkingLeft = false;
    double cull = 0.0; // radius for culling; 0 never culls
};

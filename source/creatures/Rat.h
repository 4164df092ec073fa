// Rat: the small walking enemy that starts at a random place between its limits and bites now and then.
#pragma once

#include "creatures/Walking_Creature.h"

class Image;

// A rat patrols between two reference points with no blocked test (a wall holds it pressed
// against it), and bites a player near its top on about one step in 64 of contact. Where it
// starts and which way it first walks are drawn from the C library generator when it is built.
class Rat final : public Walking_Creature<Rat>
{
public:
    static constexpr double Rat_Width = 32.0;
    static constexpr double Rat_Height = 16.0;
    static constexpr double Rat_FrameRate = 10.0; // distance walked per frame
    static constexpr double Rat_Hit_Dist = 16.0;
    static constexpr double Rat_TargetPos = 0.5;
    static constexpr double TargetHeight = Rat_TargetPos;
    static constexpr int Rat_BiteMask = 63; // of rand(): one value in 64 bites
    static constexpr int Rat_BiteValue = 34;

    // Draws rand() twice: the start x, then the direction.
    Rat(Map const* map, unsigned int ref, unsigned int limit, int startHitPoints);
    explicit Rat(Rat const* source);
    ~Rat() override = default;

    // Loads "gfx/rat/rat.png" and readies the hit sound.
    static void Initialise();
    static void Finalise();

    void Render(Map const* map, Tick t) const override;
    // Draws rand() while the player is within reach: the bite is not replayed.
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    // One step of its walk; walk tells what it did to the animation.
    void Step(Map const* map, Character_Walk& walk);
    void Step(Map const* map)
    {
        Character_Walk walk;
        Step(map, walk);
    }
    // Step asks the map only through Character::Move's grid queries.
    static constexpr bool StepAsksGridOnly = true;

private:
    static inline Image* ratImage = nullptr;
};

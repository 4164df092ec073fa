// Goblin: the walking enemy that patrols between two reference points and hurts on contact.
#pragma once

#include "creatures/Walking_Creature.h"
#include "util/PtrList.h"

class Image;

// No behaviour depends on the kind; it is kept and copied for the worlds that name one.
enum Goblin_Type : int
{
    Goblin_Normal = 0,
};

// A goblin walks left first, turns when a wall stops it (the step it did not move) or when it has
// passed a limit, and hurts a player whose point comes within reach of its middle.
class Goblin final : public Walking_Creature<Goblin>
{
public:
    static constexpr double Goblin_Width = 24.0;
    static constexpr double Goblin_Height = 24.0;
    static constexpr double Goblin_FrameRate = 20.0; // distance walked per frame
    static constexpr int Goblin_FrameCount = 5;
    static constexpr double Goblin_Hit_Dist = 12.0;
    static constexpr double Goblin_TargetPos = 0.8;
    static constexpr double TargetHeight = Goblin_TargetPos;

    Goblin(Map const* map, unsigned int ref, unsigned int leftRef, unsigned int rightRef, Goblin_Type goblinType,
           int startHitPoints);
    explicit Goblin(Goblin const* source);
    ~Goblin() override = default;

    // Loads the frames "gfx/goblin/goblin00" to "04" and readies the hit sound.
    static void Initialise();
    static void Finalise();

    void Render(Map const* map, Tick t) const override;
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
    void CopyState(Goblin const& source);
    Goblin_Type GetType() const { return type; }

private:
    static inline PtrList<Image>* frames = nullptr;

    Goblin_Type type = Goblin_Normal;
};

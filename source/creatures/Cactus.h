// Cactus: a standing enemy that hops away to the left and back home when the player nears or hits it.
#pragma once

#include "engine/EnemyTarget.h"
#include "engine/Object.h"
#include "util/Pointf.h"

class Image;
class TimeSet;

// It stands at its home until the player comes within reach on its left, or until it is hit;
// then it hops a fixed number of hops to the left and as many back, hurting the player it
// touches. What it shows at a tick follows from the ticks at which its hop sequences started
// and from its hits, so it replays exactly after time travel.
class Cactus final : public Object, public EnemyTarget
{
public:
    static constexpr double Cactus_Width = 64.0;
    static constexpr double Cactus_Height = 96.0;
    static constexpr double Cactus_Hit_Dist = 48.0; // also the height of the body's centre
    static constexpr int Cactus_Frames = 5;
    static constexpr double Cactus_Speed = 1.5;     // units per tick in the air
    static constexpr double Cactus_JumpSpeed = 4.0; // upward speed at take-off
    static constexpr double Cactus_FallSpeed = 0.3; // gravity, per tick squared
    static constexpr int Cactus_SquatTime = 16;
    static constexpr int Cactus_JumpTime = 26;
    static constexpr int Cactus_LandTime = 10;
    static constexpr int Cactus_TotalJumpTime = Cactus_SquatTime + Cactus_JumpTime + Cactus_LandTime;
    static constexpr double Cactus_JumpDist = 39.0;
    static constexpr double Cactus_AttackDist = 250.0; // reach of the trigger to the left
    // The hop sound, asked for at each take-off.
    static constexpr Sound_Id Cactus_HopSound = Sound_Jump2;

    Cactus(Map const* map, unsigned int ref, int hops, int startHitPoints);
    Cactus(Cactus const&) = delete;
    Cactus& operator=(Cactus const&) = delete;
    ~Cactus() override;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The position at t (the middle of the sprite's lower edge), with the frame and facing when
    // asked for; playSound asks for the hop sound when t is a take-off.
    Pointf PositionAtTime(Tick t, int* frameOut, bool* facingLeftOut, bool playSound) const;

    Pointf GetPosition() const { return position; }
    int GetFrame() const { return frame; }
    bool FacingLeft() const { return facingLeft; }

private:
    // Ticks of one whole sequence, out and back.
    int SequenceTime() const { return hopCount * 2 * Cactus_TotalJumpTime; }
    // Records a sequence starting at t when none overlaps it. One that starts at the tick just
    // shown is shown at once, as every later visit of that tick will show it.
    void StartHops(Tick t);

    TimeSet* hopRecord = nullptr; // owned: the tick each hop sequence started
    Pointf home;                  // where it stands at rest
    Pointf position;              // at the last move
    bool facingLeft = true;       // at the last move
    int frame = 0;                // at the last move
    int hopCount = 0;             // hops out, and as many back
    Tick shownTick = -1;          // of the last move

    static Image* frames[Cactus_Frames];
};

// Character: a walking body with the shared walking, sliding and jumping physics.
#pragma once

#include "engine/Char_Base.h"
#include "engine/Map.h"

#include <cstdint>

class CharStats;
class Image;
class Target;

// The input of one step, set afresh by the owner before each Move.
enum Character_KeyMove : std::uint32_t
{
    Character_Left = 0x001,
    Character_Right = 0x002,
    Character_Jump = 0x004,
    Character_JumpHeld = 0x008,
    Character_Aim = 0x010,
    Character_Fire = 0x020,
    Character_NextTarget = 0x040,
    Character_PrevTarget = 0x080,
    Character_ToggleView = 0x200,
    Character_RotateCW = 0x400,
    Character_RotateCCW = 0x800,
};

// Type 0 starts a conversation; any other keeps one going.
enum Character_ChatType : int
{
    Character_ChatStart = 0,
    Character_ChatGoing = 1,
};

constexpr double Char_FieldOfVision = 2.0943951023932;
constexpr double Char_LengthOfVision = 500.0;
constexpr double Char_ChatStartDistance = 40.0;
constexpr double Char_ChatDistance = 64.0;

// What one step did to the walk's animation, for a caller that takes the rest of the step from
// elsewhere (a memo of steps) and plays the animation on by Character::Animate.
struct Character_Walk
{
    bool stopped = false; // the speed came to zero before the keys acted: the walk frame starts over
    bool moved = false;   // the body walked stride along the ground
    double stride = 0.0;
};

// Every person in a level walks with this one recipe: the owner sets keys, calls Move once per
// step and reads jumped, onGround, fallSpeed and frame afterwards. The constants come from a
// CharStats that the concrete character creates and holds through its reference count; copies
// and assignment share that record.
class Character : public Char_Base
{
public:
    Character() = default;
    Character(Character const&) = default;
    Character& operator=(Character const&) = default;
    virtual ~Character() = default;

    void Move(Map const* map);
    // The same step, telling what it did to the animation.
    void Move(Map const* map, Character_Walk& walk);
    // What Move does to the animation (frame, walkFrame, walkPhase) in a step that did walk, with
    // keys as they were when that step began. Nothing else of the step depends on the animation,
    // nor the animation on anything else.
    void Animate(Character_Walk const& walk);
    // Walks moveSpeed along the ground; true when the walk ran into a wall or the head struck.
    bool MoveCharacter(Map const* map, double& moveSpeed);
    // 0 moved freely, 1 the feet were stopped, 2 the head was stopped.
    int TryMove(Map const* map, double dx, double dy, bool checkHead);

    bool CheckPoint(Pointf const* p) const;
    bool Collide(Character const* other) const;
    bool IsVisible(Map const* map, Tick t, Target const* target, double visionScale) const;
    bool CanChatTo(Character const* other, Character_ChatType type, double* dist) const;
    void Render(Map const* map, Image const* image) const;

    // The point a half-widths to the right and b heights up the body.
    Pointf GetRelativePos(double a, double b) const;
    Pointf GetHeadPos(Pointf const* at) const;
    bool PolyOn(unsigned int* poly) const;
    CharStats* GetStats() const { return stats; }
    double GetFallSpeed() const { return fallSpeed; }
    // Copies every movement constant into the shared record, keeping its hearts.
    void ChangeStats(CharStats const* newStats);

private:
    // The walk frame shown in a step, and the facing the keys give.
    void StartWalkFrame(bool stopped);
    // Walks the animation on by stride.
    void AdvanceWalkPhase(double stride);
    // TryMove with the sine and cosine of the body's angle given (unused without checkHead).
    int TryMoveTilted(Map const* map, double dx, double dy, bool checkHead, double s, double c);

public:
    std::uint32_t keys = 0;       // Character_KeyMove bits of this step
    CharStats* stats = nullptr;   // held by the concrete character
    double speed = 0.0;           // along the body's right-hand direction
    double fallSpeed = 0.0;       // downwards
    double jumpAngle = 0.0;       // direction of the current jump
    double jumpSpeed = 0.0;       // along jumpAngle
    bool airJumped = false;       // the air jump was used since the last landing
    bool onGround = false;        // the last fall step ended on a polygon
    std::uint32_t groundPoly = 0; // where that landing ended
    std::uint32_t groundEdge = 0;
    bool jumped = false;         // a jump started in this step
    std::uint32_t walkFrame = 0; // walk-cycle frame index
    double walkPhase = 0.0;      // distance left before the next walk frame
};

// A body whose step left it exactly as it was, meeting no cell a group can reach, is left so by
// every step from that state: a person standing still on fixed ground. One whose step met such
// cells is left so while the groups that reach them stand as they stood. Keeps such a state (the
// body and its movement constants, and those groups) so that those steps are skipped.
class Character_Still
{
public:
    // Character::Move(map) on body, unless it stands in the state kept.
    void Move(Character& body, Map const* map);

private:
    static constexpr int Words = 22;
    using State = std::uint64_t[Words];
    static void Save(Character const& body, State& out);

    bool known = false;
    State kept = {};
    Map_GroupsMet met; // of the step that left the state kept
};

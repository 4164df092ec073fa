// Character: one step of walking, braking, sliding, jumping and falling over the map.
#include "engine/Character.h"

#include "engine/CharStats.h"
#include "engine/Map.h"
#include "engine/Target.h"
#include "util/Util.h"

#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>

namespace
{
constexpr double Char_WallAngle = 1.0471975511966;     // a surface this steep stops a walk
constexpr double Char_SlideAngle = 0.9817477042468126; // a body tilted beyond this slides
constexpr double Char_SlideRange = 0.5890486225480875; // the tilt over which sliding builds up
constexpr double Char_VisionEdge = 0.5235987755983;    // the vision cone, measured from the tilt
constexpr double Char_VisionFar = 2.6179938779915;
constexpr double Char_UprightEase = 0.04;  // radians per step back to upright in the air
constexpr double Char_HeldJumpDecay = 0.4; // share of the decay while jump is held
constexpr double Char_GroundProbe = 4.0;   // how far below the feet still counts as standing
constexpr double Char_AirJumpFallLimit = 16.0;

bool IsZero(double v)
{
    return Util::Equal(v, 0.0);
}

// a <= b, equality within the tolerance counting.
bool AtMost(double a, double b)
{
    return a < b || Util::Equal(a, b);
}

LeanDirection LeanFor(bool right)
{
    return right ? LeanDirection_Right : LeanDirection_Left;
}
} // namespace

void Character::Move(Map const* map)
{
    Character_Walk walk;
    Move(map, walk);
}

void Character_Still::Save(Character const& body, State& out)
{
    using std::bit_cast;
    using U = std::uint64_t;
    CharStats const& stats = *body.stats;
    out[0] = bit_cast<U>(body.pos.x);
    out[1] = bit_cast<U>(body.pos.y);
    out[2] = bit_cast<U>(body.angle);
    out[3] = bit_cast<U>(body.scale);
    out[4] = bit_cast<U>(body.speed);
    out[5] = bit_cast<U>(body.fallSpeed);
    out[6] = bit_cast<U>(body.jumpAngle);
    out[7] = bit_cast<U>(body.jumpSpeed);
    out[8] = bit_cast<U>(body.walkPhase);
    out[9] = bit_cast<U>(stats.width);
    out[10] = bit_cast<U>(stats.height);
    out[11] = bit_cast<U>(stats.accel);
    out[12] = bit_cast<U>(stats.decel);
    out[13] = bit_cast<U>(stats.maxSpeed);
    out[14] = bit_cast<U>(stats.gravity);
    out[15] = bit_cast<U>(stats.jumpSpeed);
    out[16] = bit_cast<U>(stats.jumpDecay);
    out[17] = bit_cast<U>(stats.frameDist);
    out[18] = U(body.frame) | U(body.keys) << 32;
    out[19] = U(body.groundPoly) | U(body.groundEdge) << 32;
    out[20] = U(body.walkFrame) | U(stats.frameCount) << 32;
    out[21] = U(body.airJumped) | U(body.onGround) << 1 | U(body.jumped) << 2 | U(stats.airJump) << 3;
    static_assert(Words == 22);
    static_assert(sizeof(Character) == 128, "a field added to Character belongs in Character_Still's state");
}

void Character_Still::Move(Character& body, Map const* map)
{
    State before;
    Save(body, before);
    if (known && std::memcmp(before, kept, sizeof before) == 0 && met.Hold(map))
        return;
    unsigned int const looks = map->groupedLooks;
    map->lookedGroups.Clear();
    body.Move(map);
    State after;
    Save(body, after);
    known = std::memcmp(before, after, sizeof before) == 0;
    if (!known)
        return;
    if (map->groupedLooks == looks)
        met = Map_GroupsMet{};
    else
        known = met.Take(map);
    if (known)
        std::memcpy(kept, after, sizeof kept);
}

void Character::Move(Map const* map, Character_Walk& walk)
{
    assert(stats != NULL && "stats != NULL");
    CharStats const& s = *stats;

    if ((keys & Character_Right) == 0 && speed > 0.0)
    {
        speed -= s.decel;
        if (speed < 0.0)
            speed = 0.0;
    }
    if ((keys & Character_Left) == 0 && speed < 0.0)
    {
        speed += s.decel;
        if (speed > 0.0)
            speed = 0.0;
    }

    walk.stopped = IsZero(speed);
    StartWalkFrame(walk.stopped);

    // Left is tested first so that both keys together cancel out.
    if ((keys & Character_Left) != 0)
    {
        speed -= s.accel;
        if (speed < -s.maxSpeed)
            speed = -s.maxSpeed;
    }
    if ((keys & Character_Right) != 0)
    {
        speed += s.accel;
        if (speed > s.maxSpeed)
            speed = s.maxSpeed;
    }

    double const slide = (2.0 * s.gravity + s.decel) / Char_SlideRange;
    if (onGround && angle > Char_SlideAngle)
        speed += (angle - Char_SlideAngle) * slide;
    if (onGround && angle < -Char_SlideAngle)
        speed += (angle + Char_SlideAngle) * slide;

    // MoveCharacter walks the animation on by the speed it starts with, when it walks at all.
    walk.moved = !IsZero(speed);
    walk.stride = std::fabs(speed);
    if (MoveCharacter(map, speed))
        speed = 0.0;

    jumped = false;
    if ((keys & Character_Jump) != 0 && !airJumped)
    {
        Pointf probe(pos.x, pos.y - Char_GroundProbe * scale);
        // Feet held inside a solid stand on it.
        bool const standing = map->TryMove(&pos, &probe, nullptr, nullptr) || map->Embedded(&pos, nullptr, nullptr);
        if (standing || (s.airJump && fallSpeed < Char_AirJumpFallLimit * scale))
        {
            jumpAngle = angle / 4.0;
            jumpSpeed = s.jumpSpeed;
            fallSpeed = 0.0;
            jumped = true;
            if (!standing)
                airJumped = true;
        }
    }

    if (!IsZero(jumpSpeed))
    {
        jumpSpeed -= (keys & Character_JumpHeld) != 0 ? s.jumpDecay * Char_HeldJumpDecay : s.jumpDecay;
        if (TryMove(map, std::sin(jumpAngle) * jumpSpeed, std::cos(jumpAngle) * jumpSpeed, true) != 0)
        {
            fallSpeed = 0.0;
            jumpSpeed = 0.0;
        }
    }

    Pointf const before = pos;
    unsigned int poly = 0;
    unsigned int edge = 0;
    // A move that starts inside a polygon passes out through its far side, so feet inside a
    // solid (a group moved into them, a travel that ended with one around them) would drop
    // through it and whatever lies below. They rest where they are instead, on that solid,
    // until a walk, a jump or the solid itself takes them out.
    if (map->Embedded(&before, &poly, &edge))
    {
        groundPoly = poly;
        groundEdge = edge;
        fallSpeed = 0.0;
        // A jump still rising goes on and may lift them out; one spent would push them down.
        if (jumpSpeed < 0.0)
            jumpSpeed = 0.0;
        airJumped = false;
        onGround = true;
        return;
    }
    fallSpeed += s.gravity;
    pos.y -= fallSpeed;
    if (pos == before)
        return;
    if (!map->TryMove(&before, &pos, &poly, &edge))
    {
        if (angle > 0.0)
            angle = angle > Char_UprightEase ? angle - Char_UprightEase : 0.0;
        else if (angle < 0.0)
            angle = angle < -Char_UprightEase ? angle + Char_UprightEase : 0.0;
        onGround = false;
        return;
    }
    groundPoly = poly;
    groundEdge = edge;
    fallSpeed = 0.0;
    jumpSpeed = 0.0;
    airJumped = false;
    onGround = true;

    double right = angle;
    double left = angle;
    map->LeanBoth(&pos, angle, right, left);
    if (Util::Equal(right, angle) && Util::Equal(left, angle))
        return;
    // Standing still takes the left-hand lean: both tests pass and the second wins.
    if ((speed > 0.0 || IsZero(speed)) && std::fabs(right) < Util::QuarterTurn
        && !Util::Equal(std::fabs(right), Util::QuarterTurn))
        angle = right;
    if ((speed < 0.0 || IsZero(speed)) && std::fabs(left) < Util::QuarterTurn
        && !Util::Equal(std::fabs(left), Util::QuarterTurn))
        angle = left;
}

void Character::Animate(Character_Walk const& walk)
{
    StartWalkFrame(walk.stopped);
    if (walk.moved)
        AdvanceWalkPhase(walk.stride);
}

void Character::StartWalkFrame(bool stopped)
{
    if (stopped)
        walkFrame = 0;
    frame = (frame & ~FrameMask) | (walkFrame & FrameMask);
    // Both keys together face right.
    if ((keys & Character_Left) != 0)
        frame |= LeftFrame;
    if ((keys & Character_Right) != 0)
        frame &= ~LeftFrame;
}

void Character::AdvanceWalkPhase(double stride)
{
    if (stats->frameCount <= 1)
        return;
    walkPhase -= stride;
    while (walkPhase < 0.0)
    {
        walkPhase += stats->frameDist;
        walkFrame += 1;
        if (walkFrame >= stats->frameCount)
            walkFrame = 1;
        if (stats->frameDist <= 0.0)
            break;
    }
}

bool Character::MoveCharacter(Map const* map, double& moveSpeed)
{
    if (IsZero(moveSpeed))
        return false;
    double const s = std::sin(angle);
    double const c = std::cos(angle);
    int const r = TryMoveTilted(map, c * moveSpeed, -s * moveSpeed, true, s, c);

    AdvanceWalkPhase(std::fabs(moveSpeed));

    if (r != 1)
        return r == 2;

    double const lean = map->Lean(&pos, angle, LeanFor(moveSpeed > 0.0));
    if (std::fabs(lean) > Char_WallAngle || Util::Equal(std::fabs(lean), Char_WallAngle))
    {
        if (AtMost(std::fabs(angle), std::fabs(lean)))
            return true;
    }
    double const change = 2.0 * std::fabs(Util::Angle(lean - angle));
    if (moveSpeed > 0.0)
        moveSpeed = moveSpeed > change ? moveSpeed - change : 0.0;
    else
        moveSpeed = moveSpeed < -change ? moveSpeed + change : 0.0;
    angle = lean;
    return false;
}

int Character::TryMove(Map const* map, double dx, double dy, bool checkHead)
{
    if (!checkHead)
        return TryMoveTilted(map, dx, dy, false, 0.0, 0.0);
    return TryMoveTilted(map, dx, dy, true, std::sin(angle), std::cos(angle));
}

int Character::TryMoveTilted(Map const* map, double dx, double dy, bool checkHead, double s, double c)
{
    if (IsZero(dx) && IsZero(dy))
        return 0;
    Pointf target(pos.x + dx, pos.y + dy);
    bool const feet = map->TryMove(&pos, &target, nullptr, nullptr);
    if (checkHead)
    {
        // The head above the feet before and after, as GetHeadPos places it.
        Pointf const from = GetSpecificPos(0.0, stats->height, &pos, s, c);
        Pointf to = GetSpecificPos(0.0, stats->height, &target, s, c);
        if (map->TryMove(&from, &to, nullptr, nullptr))
        {
            // The body hangs below the point where the head met the ceiling.
            pos = Pointf(to.x - s * stats->height, to.y - c * stats->height);
            return 2;
        }
    }
    pos = target;
    return feet ? 1 : 0;
}

bool Character::CheckPoint(Pointf const* p) const
{
    double dx = 0.0;
    double dy = 0.0;
    GetCoordFromPos(p, dx, dy);
    double const half = stats->width / 2.0;
    return AtMost(-half, dx) && AtMost(dx, half) && AtMost(0.0, dy) && AtMost(dy, stats->height);
}

bool Character::Collide(Character const* other) const
{
    double const half = stats->width / 2.0;
    double const h = stats->height;
    Pointf const corners[4] = {
        GetSpecificPos(-half, 0.0, nullptr),
        GetSpecificPos(half, 0.0, nullptr),
        GetSpecificPos(-half, h, nullptr),
        GetSpecificPos(half, h, nullptr),
    };
    for (Pointf const& corner : corners)
    {
        if (other->CheckPoint(&corner))
            return true;
    }
    return false;
}

bool Character::IsVisible(Map const* map, Tick t, Target const* target, double visionScale) const
{
    Pointf at(0.0, 0.0);
    if (!target->GetTargetPos(map, t, at))
        return false;
    Pointf const eye = GetRelativePos(0.0, 0.8);
    if (!AtMost(eye.DistanceEst(&at), Char_LengthOfVision * visionScale))
        return false;
    double d = Util::DiffAngle(eye.Angle(&at), angle);
    if (d > Util::HalfTurn)
        d -= Util::FullTurn;
    bool inCone = false;
    if ((frame & LeftFrame) != 0)
        inCone = AtMost(-Char_VisionFar, d) && AtMost(d, -Char_VisionEdge);
    else
        inCone = AtMost(Char_VisionEdge, d) && AtMost(d, Char_VisionFar);
    if (!inCone)
        return false;
    return !map->TryMove(&eye, &at, nullptr, nullptr);
}

bool Character::CanChatTo(Character const* other, Character_ChatType type, double* dist) const
{
    Pointf const there = other->GetPos();
    if (type == Character_ChatStart)
    {
        if (Util::Equal(there.x, pos.x))
            return false;
        bool const facingLeft = (frame & LeftFrame) != 0;
        if (facingLeft ? there.x > pos.x : there.x < pos.x)
            return false;
    }
    double const e = pos.DistanceEst(&there);
    if (dist != nullptr)
        *dist = e;
    double const reach = type == Character_ChatStart ? Char_ChatStartDistance : Char_ChatDistance;
    return AtMost(e, reach);
}

void Character::Render(Map const* map, Image const* image) const
{
    Char_Base::Render(map, image, stats->width, stats->height);
}

Pointf Character::GetRelativePos(double a, double b) const
{
    return GetSpecificPos(stats->width / 2.0 * a, stats->height * b, nullptr);
}

Pointf Character::GetHeadPos(Pointf const* at) const
{
    return GetSpecificPos(0.0, stats->height, at);
}

bool Character::PolyOn(unsigned int* poly) const
{
    if (poly != nullptr)
        *poly = groundPoly;
    return onGround;
}

void Character::ChangeStats(CharStats const* newStats)
{
    // Field by field: the record is shared, and its reference count and hearts must stay.
    stats->width = newStats->width;
    stats->height = newStats->height;
    stats->accel = newStats->accel;
    stats->decel = newStats->decel;
    stats->maxSpeed = newStats->maxSpeed;
    stats->gravity = newStats->gravity;
    stats->jumpSpeed = newStats->jumpSpeed;
    stats->jumpDecay = newStats->jumpDecay;
    stats->airJump = newStats->airJump;
    stats->frameCount = newStats->frameCount;
    stats->frameDist = newStats->frameDist;
}

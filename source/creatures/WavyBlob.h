// WavyBlob: a body with four waving arms; coloured arms can be hit only in their colour's phase.
#pragma once

#include "engine/Enemy.h"
#include "engine/EnemyTarget.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "engine/TimeSet.h"
#include "util/Pointf.h"

class Image;
class Path;
class WavyBlob;

// An arm's colour, and the result of the colour cycle.
enum WavyArm_Colour
{
    WavyArm_Grey = 0,
    WavyArm_Blue = 1,
    WavyArm_Red = 2,
    WavyArm_Green = 3,
    WavyArm_Purple = 4,
};

constexpr int WavyBlob_Arm_Count = 4;
constexpr int WavyBlob_Arm_Sections = 10;
constexpr double WavyBlob_Arm_MaxAngle = 0.31415926535898; // bend of a segment against the one before
constexpr double WavyBlob_Arm_MaxSpeed = 32.0;             // shortest wave period (ticks per radian)
constexpr double WavyBlob_Arm_MinSpeed = 64.0;             // longest wave period
constexpr int WavyBlob_Arm_FlailTime = 200;
constexpr double WavyBlob_PanicHDist = 16.0;
constexpr double WavyBlob_PanicVDist = 8.0;
constexpr int WavyBlob_PanicTime = 200;
constexpr int WavyBlob_DeathTime = 100; // ticks a dead body stays drawn

// A chain of ten segments from the body, each bending against the one before along a wave of its
// own period and phase, drawn once when the arm is built. Its shape at a tick is a function of
// the tick, the body's position then, the blob's flail ticks and its own death: a hit arm makes
// every arm of its blob flail four times as fast for a while, and a dead arm curls downwards.
class WavyArm final : public Object, public Target, public Enemy
{
public:
    WavyArm(Pointf root, double base, WavyArm_Colour armColour, TimeSet* flail, TimeSet* hurt, int startHitPoints);
    WavyArm(WavyArm const&) = delete;
    WavyArm& operator=(WavyArm const&) = delete;
    ~WavyArm() override = default;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    // Outside its colour's phase a coloured arm takes nothing.
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    void AssociatePath(Path const* blobPath) { path = blobPath; }
    void SetRootPos(Pointf root) { rootPos = root; }
    // The arms of the same blob, in arm order, and the blob whose position at a tick gives the
    // root then.
    void SetFamily(WavyArm* const (&arms)[WavyBlob_Arm_Count], WavyBlob const* blob);

    // The ten segment end points and directions at t.
    void GetArmPos(Tick t, Pointf (*pos)[WavyBlob_Arm_Sections], double (*angle)[WavyBlob_Arm_Sections]) const;
    // The colour of the cycle at t, dead arms skipped; grey once all four are dead.
    static WavyArm_Colour GetColourForTime(Tick t, bool const* dead);

    WavyArm_Colour GetColour() const { return colour; }
    double GetBaseAngle() const { return baseAngle; }
    Pointf GetSegmentPos(int i) const { return segmentPos[i]; }
    double GetSegmentAngle(int i) const { return segmentAngle[i]; }
    double GetWavePeriod(int i) const { return wavePeriod[i]; }
    int GetWavePhase(int i) const { return wavePhase[i]; }
    bool AliveAt(Tick t) const { return !IsDead(t); }

private:
    // Where the arm leaves the body at t, the path not included.
    Pointf RootAt(Tick t) const;
    // The directions of a living arm at t.
    void WaveAngles(Tick t, double (*angle)[WavyBlob_Arm_Sections]) const;

    WavyArm* siblings[WavyBlob_Arm_Count] = {};
    WavyBlob const* body = nullptr;
    Pointf rootPos;
    double baseAngle;
    WavyArm_Colour colour;
    Pointf segmentPos[WavyBlob_Arm_Sections];
    double segmentAngle[WavyBlob_Arm_Sections] = {};
    double wavePeriod[WavyBlob_Arm_Sections] = {};
    int wavePhase[WavyBlob_Arm_Sections] = {};
    Path const* path = nullptr;
    TimeSet* flailTimes; // the blob's, shared by its arms
    TimeSet* hurtTimes;  // the blob's, shared by its arms
    int hitPoints;
    mutable bool glErrorShown = false; // a drawing error is reported once, not every frame
};

// The body: opened to hits for a while by every accepted arm hit and for good once every arm is
// dead; shakes and blinks after each hit; dead, it drops and is drawn a little longer. It owns
// its arms and its path; the world registers the four arms, then the blob.
class WavyBlob final : public Object, public EnemyTarget
{
public:
    WavyBlob(Map const* map, unsigned int ref, bool isColoured, int bodyHitPoints, int armHitPoints);
    WavyBlob(WavyBlob const&) = delete;
    WavyBlob& operator=(WavyBlob const&) = delete;
    ~WavyBlob() override;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    WavyArm* GetArm(int id) const;
    // The blob takes the path over and hands it to its arms.
    void AssociatePath(Path* blobPath);
    // The body's offset from its base at t from shaking and falling, the path not included.
    Pointf GetPosAtTime(Tick t) const;

    bool IsColoured() const { return coloured; }
    bool AliveAt(Tick t) const { return !IsDead(t); }
    bool ShownAt(Tick t) const { return !IsDead(t) || t <= deathTime + WavyBlob_DeathTime; }
    // Whether a body hit at t would be taken, leaving aside other body hits.
    bool IsOpen(Tick t) const;
    Pointf GetBasePos() const { return basePos; }
    Pointf GetPos() const { return pos; }
    Image const* GetFace() const { return face; }
    Path const* GetPath() const { return path; }

    // The pictures, loaded by Initialise.
    static Image const* ArmFrame() { return armframe; }
    static Image const* TipFrame(WavyArm_Colour c);
    static Image const* FaceFrame(WavyArm_Colour c);

private:
    bool coloured;
    WavyArm* arms[WavyBlob_Arm_Count] = {};
    TimeSet flailTimes;
    TimeSet hurtTimes;
    Pointf basePos;
    Pointf pos;
    Path* path = nullptr;
    Image const* face = nullptr;

    static Image* armframe;
    static Image* greyblobframe;
    static Image* blueblobframe;
    static Image* redblobframe;
    static Image* greenblobframe;
    static Image* purpleblobframe;
    static Image* greyfaceframe;
    static Image* bluefaceframe;
    static Image* redfaceframe;
    static Image* greenfaceframe;
    static Image* purplefaceframe;
};

// SplitShmoo: a blob that splits in two when the player comes near or hits it, down to four generations.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

class Image;
class ShmooInst;

// One node of the tree of blobs.
struct ShmooInfo
{
    ShmooInst* blob = nullptr; // not owned here
    Pointf position;           // where it rests: the landing place (the home for the first)
    Tick splitTime = -1;       // written once; -1 until it splits
    int flightTime = 0;        // from the parent's place to this one
    double riseSpeed = 0.0;    // makes the arc end at the height it started from
};

// The tree of the 15 blobs: node i has the children 2i + 1 and 2i + 2. Every blob's state at a
// tick follows from the tick, the landing places drawn when it was built and the split times.
class ShmoosInfo final
{
public:
    static constexpr int Shmoo_Split_Level = 4;
    static constexpr int Shmoo_Total_Count = 15;
    static constexpr int Shmoo_Last_Splitter = 6; // nodes above it are the last generation

    ShmoosInfo(double blobScale, double landRange);

    static int GetChild(int id, int which) { return which == 0 ? 2 * id + 1 : 2 * id + 2; }
    static int GetParent(int id);
    // 32 for the first, halved with each generation.
    static int GetHitPoints(int id);

    // Whether node id exists at t, where it is and whether it flies; playSound asks for the
    // split sound on the tick the node splits.
    bool GetPos(Tick t, int id, Pointf* out, int* flying, bool playSound) const;

    ShmooInfo nodes[Shmoo_Total_Count];
    double range; // landing places lie within home.x +- range
    double scale; // of the blobs and of the spread of their landing places
};

// One blob of the tree: rests, flies to its landing place after its parent splits, hurts on
// contact, can be shot, and splits in turn when the player comes near or hits it.
class ShmooInst final : public Object, public Enemy, public Target
{
public:
    static constexpr double Shmoo_Width = 16.0;
    static constexpr double Shmoo_Height = 16.0;
    static constexpr double Shmoo_Hit_Dist = 12.0;
    static constexpr double Shmoo_AttackDist = 100.0; // the player this near makes it split
    static constexpr double Shmoo_FallAccell = 0.2;   // the arc uses half of it
    static constexpr Tick Shmoo_ResplitDelay = 50;    // rest after landing before it may split

    ShmooInst(ShmoosInfo* shmooTree, double blobScale, int nodeId);
    ShmooInst(ShmooInst const&) = delete;
    ShmooInst& operator=(ShmooInst const&) = delete;
    ~ShmooInst() override = default;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;

    bool CanSplit(Tick t) const;
    // Kills this blob and every blob that would come from it at t; the damage to give back.
    int NewDeathTime(Tick t);

    // The state of the last step.
    bool Shown() const { return shown; }
    bool Flying() const { return flying != 0; }
    Pointf GetPosition() const { return position; }
    int GetId() const { return id; }
    bool AliveAt(Tick t) const { return !IsDead(t); }

private:
    bool shown = false;
    Pointf position;
    int flying = 0;
    double scale;
    int id;
    ShmoosInfo* tree; // not owned

    static Image* downImg;
    static Image* upImg;
};

// Builds the tree and its blobs at a reference point and owns both. The world registers the blobs
// (GetShmoo), never this.
class SplitShmoo final : public Object
{
public:
    static constexpr int Shmoo_Split_Level = ShmoosInfo::Shmoo_Split_Level;
    static constexpr int Shmoo_Total_Count = ShmoosInfo::Shmoo_Total_Count;

    // Draws every landing place and flight time with rand(), node by node. A negative or NaN range,
    // or a scale that is not finite, throws Error_ParseFile: no landing place could be drawn.
    SplitShmoo(Map const* map, unsigned int ref, double range, double scale);
    SplitShmoo(SplitShmoo const&) = delete;
    SplitShmoo& operator=(SplitShmoo const&) = delete;
    ~SplitShmoo() override;

    ShmooInst* GetShmoo(int i) const;
    ShmoosInfo const* GetTree() const { return tree; }
    Pointf GetHome() const { return home; }

private:
    Pointf home;
    ShmoosInfo* tree = nullptr;
};

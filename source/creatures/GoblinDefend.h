// GoblinDefend: a goblin that stands its ground, faces the player, throws rocks and blocks hits.
#pragma once

#include "engine/EnemyTarget.h"
#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/PtrListSorted.h"

#include <cstdint>

class Image;
class TimeSet;

// One thrown rock: when it leaves the hand, how far away the player was when the throw was
// decided, and to which side it flies.
struct Goblin_Rock
{
    Goblin_Rock(Tick releaseTick, int throwDistance, bool toLeft)
        : release(releaseTick), distance(throwDistance), left(toLeft)
    {
    }
    bool Greater(Goblin_Rock const* other) const { return release > other->release; }

    Tick release;
    std::int32_t distance;
    bool left;
};

// Everything it does is decided while time runs forward and kept as tick records (facing, blocks,
// wind-ups, ticks lived near the player, rocks), so any tick is answered from the records alone and
// a travel back shows the same throws and blocks again. As an activator it is on once it is dead.
class GoblinDefend final : public Object, public EnemyTarget
{
public:
    static constexpr int Goblin_Frame_Count = 4;
    static constexpr double Goblin_Width = 32.0;
    static constexpr double Goblin_Height = 32.0;
    static constexpr double Goblin_Hit_Dist = 24.0;
    static constexpr Tick Goblin_ThrowTime = 24;       // from the decision to the release
    static constexpr double Goblin_NoticeDist = 500.0; // beyond it the player is ignored
    static constexpr double Goblin_ThrowDist = 300.0;  // throws only at a player nearer than this
    static constexpr double Goblin_RockHitDist = 12.0;
    static constexpr Tick Goblin_RockLife = 250; // a rock is forgotten this long after its release
    static constexpr Tick Goblin_BlockBefore = 10;
    static constexpr Tick Goblin_BlockAfter = 20;
    static constexpr int Goblin_ThrowChance = 127; // mask of the draw; a throw needs Goblin_ThrowDraw
    static constexpr int Goblin_ThrowDraw = 37;

    GoblinDefend(Pointf p, int startHitPoints);
    GoblinDefend(GoblinDefend const&) = delete;
    GoblinDefend& operator=(GoblinDefend const&) = delete;
    ~GoblinDefend() override;

    // Loads the frames "gfx/goblindefend/goblin00" to "03" and the rock.
    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    // Its decisions: facing, throwing and the ticks lived near the player.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    // A hit from the side it guards is blocked unless it winds up a throw near that tick.
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& p) const override;

    // A rock's position at t; false when it is not in flight (landed, or thrown too close for an arc).
    bool FindThrowPos(Tick t, Tick release, Pointf& p, int distance, bool left) const;

    // What is drawn at t: the frame (0 stand, 1 block, 2 and 3 wind-up) and the mirroring.
    int FrameAt(Tick t) const;
    bool FacingLeftAt(Tick t) const;
    // Whether its facing records hold t; elsewhere it faces the side of the player's last place.
    bool FacedAt(Tick t) const;
    // The rocks that fly (are drawn) at t, with their positions, in order of release.
    int RocksAt(Tick t, Pointf* out, int outSize) const;

    bool AliveAt(Tick t) const { return !IsDead(t); }
    Pointf GetPos() const { return pos; }
    int RockCount() const { return rocks.Count(); }
    Goblin_Rock const* GetRock(int i) const { return rocks[i]; }
    TimeSet const* BlockTimes() const { return blockTimes; }
    TimeSet const* ThrowTimes() const { return throwTimes; }

private:
    void RenderGoblin(Map const* map, Tick t) const;
    void RenderRocks(Map const* map, Tick t) const;
    // Calls use(position) for every rock that matters at t, in release order.
    template <class Use>
    void ForRocks(Tick t, Use use) const;

    PtrListSorted<Goblin_Rock> rocks{PtrList_Variable, 4};
    TimeSet* faceLeftTimes = nullptr;
    TimeSet* faceRightTimes = nullptr;
    TimeSet* blockTimes = nullptr;
    TimeSet* throwTimes = nullptr;
    TimeSet* seenTimes = nullptr; // lived with the player near, and each throw's cool-down
    Pointf pos;                   // where it stands: its centre
    bool playerLeft = false;      // at the last decisions

    static Image* frames[Goblin_Frame_Count];
    static Image* rockFrame;
};

// Walking_Creature: the shared body of the enemies that patrol between two x limits on foot.
#pragma once

#include "engine/CharStats.h"
#include "engine/Character.h"
#include "engine/Enemy.h"
#include "engine/KeyFrameCreature.h"
#include "engine/Map.h"
#include "engine/Step_Memo.h"
#include "engine/Target.h"
#include "util/Util.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <memory>

// A character that walks back and forth over the map with the ordinary physics, can be hit and
// dies when its hit points are used up. Its walk is simulated step by step and replayed through
// its key-frame log; hits and the death are records shared by every copy, so a creature killed at
// tick d walks on in the simulation but counts as gone from d, and lives again before it. T is
// the leaf: it gives Step(map, walk) (one step of its own walk, through Character::Move(map,
// walk)), TargetHeight (the share of its height at which it is aimed at) and its drawing and bite.
template <class T>
class Walking_Creature : public KeyFrameCreature<T>, public Target, public Character, public Enemy
{
public:
    ~Walking_Creature() override
    {
        if (stats != nullptr)
            stats->Destroy();
    }
    Walking_Creature(Walking_Creature const&) = delete;
    Walking_Creature& operator=(Walking_Creature const&) = delete;

    int Hit(Tick t, int damage, Target_Hit_Flags flags) override
    {
        Target::Hit(t, damage, flags);
        return ChangeDeathTime(GetDeathTime(hitPoints));
    }

    bool GetTargetPos(Map const* map, Tick t, Pointf& targetPos) const override
    {
        targetPos = this->CopyAt(map, t)->GetRelativePos(0.0, T::TargetHeight);
        return AliveAt(t);
    }

    // One step of the simulation; the step does not read the tick, so it depends only on the
    // state and the map. A step is learnt by the memo, which answers it whenever the creature
    // starts from that state again: one that met no cell a group can reach always, one that met
    // such cells while the groups that reach them stand as they stood (Map_GroupsMet). A creature
    // that does not loop has such steps of its recent ticks answered when the tick is stepped
    // again from the same state. The walk's animation, which the rest of the step never reads, is
    // played on from what the step did to it.
    void Move(Map const* map, Tick t)
    {
        Character_Walk walk;
        // Mostly the creature goes on from the state the memo gave back last.
        if (Walking_State const* const next = memo->NextFromLast([this](Walking_State const& s) { return Is(s); },
                                                                 walk, [map](Map_GroupsMet const& g) { return g.Hold(map); }))
        {
            Animate(walk);
            Load(*next);
            return;
        }
        MoveFromSearch(map, t);
    }

    // Takes the simulated state of another copy: the body and the patrol, not the records.
    void CopyState(T const& source)
    {
        Character::operator=(source);
        leftLimit = source.leftLimit;
        rightLimit = source.rightLimit;
    }

    // What a key frame of the log keeps: the state CopyState takes. A leaf whose steps change
    // more of itself keeps that in a Key of its own.
    struct Key
    {
        Character body;
        double leftLimit;
        double rightLimit;
    };
    void SaveKey(Key& key) const
    {
        key.body = static_cast<Character const&>(*this);
        key.leftLimit = leftLimit;
        key.rightLimit = rightLimit;
    }
    void LoadKey(Key const& key)
    {
        Character::operator=(key.body);
        leftLimit = key.leftLimit;
        rightLimit = key.rightLimit;
    }

    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }
    // States the memo of steps holds (0 until the creature walked a loop).
    int MemoStates() const { return memo->Size(); }
    // Whether the memo keeps the steps of the recent ticks (the creature not looping, or its loop
    // too long for the memo).
    bool MemoKeepsRecent() const { return memo->KeepsRecent(); }
    // Of those, the states whose step met cells a group can reach.
    int MemoGroupedStates() const { return memo->WithContext(); }
    bool WalkingLeft() const { return (keys & Character_Left) != 0; }
    double LeftLimit() const { return leftLimit; }
    double RightLimit() const { return rightLimit; }

protected:
    // Takes ownership of newStats' first reference.
    Walking_Creature(Sound_Id hitSound, CharStats* newStats, int startHitPoints, double left, double right)
        : Target(hitSound), hitPoints(startHitPoints), leftLimit(left), rightLimit(right),
          memo(std::make_shared<Memo>())
    {
        stats = newStats;
    }
    // The copy the log keeps: shares the records and the stats, has no log.
    explicit Walking_Creature(T const* source)
        : Target(source), Character(*source), Enemy(source), hitPoints(source->hitPoints), leftLimit(source->leftLimit),
          rightLimit(source->rightLimit), memo(source->memo)
    {
        assert(stats != nullptr && "stats != NULL");
        stats->TakeRef();
    }

    // Turns at the limits after the step that crossed one. Left is tested first, so a creature
    // beyond both (limits given in the wrong order) ends walking left.
    void TurnAtLimits()
    {
        if (!Util::Equal(pos.x, leftLimit) && pos.x < leftLimit)
            keys = Character_Right;
        if (!Util::Equal(pos.x, rightLimit) && pos.x > rightLimit)
            keys = Character_Left;
    }

    int hitPoints = 1;       // the damage that kills it
    double leftLimit = 0.0;  // map x below which it turns right
    double rightLimit = 0.0; // map x beyond which it turns left

private:
    // The step when the memo does not go on from its last state: searched for there, else taken
    // and learnt. Kept out of Move, whose usual case it would only slow.
    [[gnu::noinline]] void MoveFromSearch(Map const* map, Tick t)
    {
        Character_Walk walk;
        auto const hold = [map](Map_GroupsMet const& g) { return g.Hold(map); };
        // One that does not loop may be re-simulating a tick it stepped lately.
        if (Walking_State const* const kept = memo->Recently(t, [this](Walking_State const& s) { return Is(s); }, walk))
        {
            Animate(walk);
            Load(*kept);
            return;
        }
        Walking_State after;
        Walking_State const before = Save();
        std::uint32_t const h = Memo::Hash(before);
        if (memo->Next(before, h, after, walk, hold))
        {
            Animate(walk); // with the keys the step began with
            Load(after);
            return;
        }
        unsigned int const looks = map->groupedLooks;
        map->lookedGroups.Clear();
        static_cast<T*>(this)->Step(map, walk);
        if (map->groupedLooks == looks)
        {
            Walking_State const stepped = Save();
            if (!memo->Learning(h, t) || !memo->Learn(before, h, stepped, walk))
                memo->Keep(t, before, stepped, walk);
            return;
        }
        Map_GroupsMet met;
        if (met.Take(map) && memo->Learning(h, t))
            memo->Learn(before, h, Save(), walk, met);
    }

    // What Step reads and changes, as Step_Memo keeps it: the body and the patrol, but for the
    // walk's animation (frame, walkFrame, walkPhase), which the step's Character_Walk plays on.
    struct Walking_State
    {
        std::uint64_t bits[10]; // pos.x, pos.y, angle, speed (hashed), scale, fallSpeed, jumpAngle,
                                // jumpSpeed, leftLimit, rightLimit
        std::uint32_t keys;
        std::uint32_t groundPoly;
        std::uint32_t groundEdge;
        std::uint32_t flags; // airJumped, onGround, jumped
    };
    // Every field of the body is kept above or animated; one added to Character must be kept too.
    static_assert(sizeof(Character) == 128, "a field added to Character belongs in Walking_State");

    using Memo = Step_Memo<Walking_State, Character_Walk, Map_GroupsMet>;

    Walking_State Save() const
    {
        using std::bit_cast;
        using U = std::uint64_t;
        Walking_State s;
        s.bits[0] = bit_cast<U>(pos.x);
        s.bits[1] = bit_cast<U>(pos.y);
        s.bits[2] = bit_cast<U>(angle);
        s.bits[3] = bit_cast<U>(speed);
        s.bits[4] = bit_cast<U>(scale);
        s.bits[5] = bit_cast<U>(fallSpeed);
        s.bits[6] = bit_cast<U>(jumpAngle);
        s.bits[7] = bit_cast<U>(jumpSpeed);
        s.bits[8] = bit_cast<U>(leftLimit);
        s.bits[9] = bit_cast<U>(rightLimit);
        s.keys = keys;
        s.groundPoly = groundPoly;
        s.groundEdge = groundEdge;
        s.flags = (airJumped ? 1u : 0u) | (onGround ? 2u : 0u) | (jumped ? 4u : 0u);
        return s;
    }
    // Whether the creature is in state s, as Save would tell.
    bool Is(Walking_State const& s) const
    {
        using std::bit_cast;
        using U = std::uint64_t;
        return bit_cast<U>(pos.x) == s.bits[0] && bit_cast<U>(pos.y) == s.bits[1] && bit_cast<U>(angle) == s.bits[2]
               && bit_cast<U>(speed) == s.bits[3] && bit_cast<U>(scale) == s.bits[4]
               && bit_cast<U>(fallSpeed) == s.bits[5] && bit_cast<U>(jumpAngle) == s.bits[6]
               && bit_cast<U>(jumpSpeed) == s.bits[7] && bit_cast<U>(leftLimit) == s.bits[8]
               && bit_cast<U>(rightLimit) == s.bits[9] && keys == s.keys && groundPoly == s.groundPoly
               && groundEdge == s.groundEdge
               && s.flags == ((airJumped ? 1u : 0u) | (onGround ? 2u : 0u) | (jumped ? 4u : 0u));
    }
    void Load(Walking_State const& s)
    {
        using std::bit_cast;
        pos.x = bit_cast<double>(s.bits[0]);
        pos.y = bit_cast<double>(s.bits[1]);
        angle = bit_cast<double>(s.bits[2]);
        speed = bit_cast<double>(s.bits[3]);
        scale = bit_cast<double>(s.bits[4]);
        fallSpeed = bit_cast<double>(s.bits[5]);
        jumpAngle = bit_cast<double>(s.bits[6]);
        jumpSpeed = bit_cast<double>(s.bits[7]);
        leftLimit = bit_cast<double>(s.bits[8]);
        rightLimit = bit_cast<double>(s.bits[9]);
        keys = s.keys;
        groundPoly = s.groundPoly;
        groundEdge = s.groundEdge;
        airJumped = (s.flags & 1u) != 0;
        onGround = (s.flags & 2u) != 0;
        jumped = (s.flags & 4u) != 0;
    }

    // Shared by the live creature and every copy its log makes.
    std::shared_ptr<Memo> memo;
};

// The level's lists of placed things, by kind, with the per-step passes and the player's reach queries.
#pragma once

#include "engine/Object.h"
#include "util/PtrList.h"
#include "util/Tick.h"

#include <vector>

class Character;
class Chest;
class Collectable;
class Dude;
class Enemy;
class HangOn;
class Map;
class PickUp;
class Sign;
class Target;
class Teleport;
class Pointf;

constexpr double ReadSign_Distance = 24.0;
constexpr double PickUp_Distance = 24.0;
constexpr double HangOn_GrabDist = 20.0;

// Every scan runs in the order things were added. The lists refer to what the world
// placed and own nothing but the teleport records; the world deletes its objects.
class ObjectList
{
public:
    ObjectList();
    ~ObjectList();

    ObjectList(ObjectList const&) = delete;
    ObjectList& operator=(ObjectList const&) = delete;

    void AddObject(Object* object);
    void AddObject(Collectable* collectable);
    void AddObject(PickUp* pickUp);
    void AddObject(Chest* chest);
    void AddObject(Sign* sign);
    void AddObject(Dude* dude);
    void AddTarget(Target* target);
    void AddEnemy(Enemy* enemy);
    void AddTeleport(Teleport* teleport); // the list takes ownership
    void AddHangOn(HangOn* hangOn);

    // A step of live play.
    void MoveToTime(Map const* map, Tick t);
    // Culled objects are told to sleep instead of being moved.
    void MoveToTime(Map const* map, Tick t, Object_Step const& step);
    void Influence(Tick t, Pointf const* playerPos);
    void Render(Map const* map, Tick t);
    void RenderFore(Map const* map, Tick t);

    Collectable* FindCollectable(Tick t, Pointf const* pos);
    Chest* FindChest(Tick t, Pointf const* pos);
    char const* FindSign(Tick t, Pointf const* pos);
    // A new list the caller deletes, or null when no target is visible.
    PtrList<Target>* GetVisibleTargets(Map const* map, Tick t, Character const* viewer, Target** nearest,
                                       double scale) const;
    int IsPlayerHit(Map const* map, Tick t, Pointf const* pos) const;
    bool Interact(Character const* talker, Dude** dude) const;
    bool FindTeleport(Map const* map, Character const* traveller, unsigned int& destination) const;
    bool FindHangon(Map const* map, Character const* hanger, HangOn** found, HangOn* exclude) const;
    PickUp* FindPickUp(Pointf const* pos, PickUp const* after, Tick t) const;

    bool IsActive(Map const* map, Object const* object) const;
    bool IsActive(Map const* map, Enemy const* enemy) const;

    // For checks over a whole level: the objects and the enemies, in the order added.
    PtrList<Object> const& GetObjects() const { return objects; }
    PtrList<Enemy> const& GetEnemies() const { return enemies; }

    // Set when the player reached for a collectable that could not be taken then; never cleared.
    bool triedLockedCollectable;

private:
    // One object's run of re-simulation in a step: the ticks (from, to].
    struct Planned_Run
    {
        Object* object;
        Tick from;
        Tick to;
    };

    // Steps every planned run of the active objects tick by tick together, with the groups placed
    // once for each tick, then puts the groups back.
    void Resimulate(Map const* map, Tick t, Object_Step const& step);

    PtrList<Object> objects;
    std::vector<Planned_Run> runs; // of the step being made
    PtrList<Collectable> collectables;
    PtrList<Target> targets;
    PtrList<Dude> dudes;
    PtrList<Enemy> enemies;
    PtrList<PickUp> pickups;
    PtrList<Teleport> teleports;
    PtrList<HangOn> hangons;
    PtrList<Chest> chests;
    PtrList<Sign> signs;
};

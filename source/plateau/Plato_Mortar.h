// Plato_Mortar: the abandoned mortar whose shells blast the rocks out of the way.
#pragma once

#include "engine/MapMoveObject.h"
#include "engine/MoveObject.h"
#include "util/FlatList.h"
#include "util/Pointf.h"
#include "util/PtrListSorted.h"
#include "util/Tick.h"

class Image;
class Map;
class Message;
class Player;
class TimeSet;
class TimeSet2;
struct KeyData;

constexpr int Mortar_NumRocks = 26;
constexpr unsigned int Mortar_RockGroupOffset = 1;
constexpr int Mortar_MaxProjectTime = 200;
constexpr int Mortar_ExplodeTime = 16;
constexpr double Mortar_Gravity = 0.2;
constexpr double Mortar_Strength = 5.2;
constexpr double Mortar_Strength_Offset = 10.0;
constexpr int Mortar_UseGap = 200;         // ticks kept clear before a past self's use
constexpr int Mortar_MaxTraceSteps = 2000; // a shell that has not landed by then never will
constexpr double Mortar_Reach = 40.0;
constexpr double Mortar_RockLift = 1000.0;

// One shell fired, kept in launch order.
struct Mortar_Attack
{
    Mortar_Attack() = default;
    explicit Mortar_Attack(Tick t) : time(t) {}
    bool Greater(Mortar_Attack const* other) const { return time > other->time; }

    Tick time = 0;
    double angle = 0.0;
    double strength = 0.0;
    int length = 0; // flight ticks until the shell bursts
};

// Every shell, the ticks the mortar was used and the gun's angle per tick are recorded, so that
// shells, blasted rocks and the gun replay after travel, and a past self's use is respected: the
// mortar cannot be taken while a past self uses it or is about to, and is left as one comes near.
class Plato_Mortar final : public MapMoveObject
{
public:
    Plato_Mortar(Map const* map, Message* message, Player* player, unsigned int rp);
    ~Plato_Mortar() override;
    Plato_Mortar(Plato_Mortar const&) = delete;
    Plato_Mortar& operator=(Plato_Mortar const&) = delete;

    // One step at t; true while the mortar holds the player. The action key's release may be
    // consumed from keys. While the level travels in time nothing is taken, read or recorded.
    bool Poll(Map const* map, Tick t, KeyData* keys, bool travelling);
    void Plot(Map const* map, Tick t) const;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The gun's angle in force before the step at t.
    double FindAngle(Tick t) const;
    // Traces the shell from the gun, sets its length and the blast of the rock it lands on.
    void FindAttackLength(Map const* map, Mortar_Attack* attack);
    Pointf GetGunPos() const { return Pointf(pos.x + 0.8, pos.y + 8.0); }
    // Where a shell is m ticks after its launch.
    Pointf ShellPos(Mortar_Attack const* attack, int m) const;

    bool active = false;
    double strength = 0.5;
    double barX = -320.0;
    Tick rockFallTime[Mortar_NumRocks];

    TimeSet const* UseTimes() const { return useTimes; }
    TimeSet2 const* AngleLog() const { return angleLog; }
    PtrListSorted<Mortar_Attack> const& Attacks() const { return attacks; }
    int BurstsPlayed() const { return bursts; }

private:
    void PlotMortars(Map const* map, Tick t) const;
    // Plays the burst of each shell that bursts at the next tick.
    void BurstSounds(Tick t);

    Message* message;
    Player* player;
    Image* standImage = nullptr;
    Image* gunImage = nullptr;
    Image* explodeImage = nullptr;
    FlatList<MoveObject> moves;
    Pointf pos;
    TimeSet* useTimes;
    TimeSet2* angleLog;
    PtrListSorted<Mortar_Attack> attacks;
    int bursts = 0; // burst sounds asked for while sounds were heard
};

// Plato_CaveTurtle: a cave turtle whose shell is a map group the player can ride.
#pragma once

#include "engine/Enemy.h"
#include "engine/MapMoveObject.h"
#include "engine/MoveObject.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/FlatList.h"
#include "util/Pointf.h"
#include "util/Rectf.h"
#include "util/Tick.h"

class Image;
class Map;
class Player;
class TimeSet;

constexpr int Turtle_SpikeCount = 6;
constexpr double Turtle_HeadWidth = 32.0;
constexpr double Turtle_HeadHeight = 32.0;
constexpr double Turtle_LegWidth = 24.0;
constexpr double Turtle_LegHeight = 24.0;
constexpr double Turtle_SpikeWidth = 20.0;
constexpr double Turtle_SpikeHeight = 20.0;
constexpr double Turtle_Stride = 20.0;
constexpr double Turtle_Lift = 5.0;
constexpr double Turtle_HeightFromGround = 17.5;
constexpr double Turtle_Acceleration = 0.08;
constexpr double Turtle_RetreatSpeed = 2.0;
constexpr int Turtle_SpikeAttackShowLen = 80;
constexpr int Turtle_SpikeAttackPrimeLen = 40;
constexpr int Turtle_SpikeAttackAttackLen = 80;
constexpr int Turtle_SpikeAttackLen = 240;
constexpr double Turtle_ShellDropAcceleration = 0.2;
constexpr int Turtle_ShellDrop1Time = 13;

// Charges left when the player comes near or hits it, bites at the end of the charge and walks
// home; raises its spikes at a rider. Everything it shows follows from the ticks it was provoked,
// charged and raised its spikes, and from its hits, so it replays exactly after travel. Dead, it
// leaves only its shell, which drops to the ground and stays as a platform.
class Plato_CaveTurtle final : public Object, public MapMoveObject, public Target, public Enemy
{
public:
    Plato_CaveTurtle(Player const* player, Map* map, unsigned int rp, unsigned int group, double distance,
                     int hitPoints);
    ~Plato_CaveTurtle() override;
    Plato_CaveTurtle(Plato_CaveTurtle const&) = delete;
    Plato_CaveTurtle& operator=(Plato_CaveTurtle const&) = delete;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    // Called only while the clock runs forward: the wake zone and a rider provoke it then.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;
    using Object::ActivePoint;

    void TryAttack(Tick t);
    void TrySpikeAttack(Tick t);
    // The shell's offset from home at t, with the gait frame and head angle when asked for;
    // sounds plays the charge and the bite when t is their tick.
    double PositionAtTime(Tick t, int* frameOut, double* angleOut, bool sounds) const;
    double SpikesAtTime(Tick t) const;
    // The shell's drop below home at t: 0 while alive.
    double ShellDropAtTime(Tick t) const;
    bool Alive(Tick t) const { return GetHitPoints(t, hitPoints) >= 1; }

    int ChargeTime() const { return chargeTime; }
    int RetreatTime() const { return retreatTime; }
    Rectf WakeZone() const { return cover; }
    Pointf Pos() const { return pos; }
    double Spikes() const { return spikes; }
    TimeSet const* ChargeTimes() const { return chargeTimes; }
    TimeSet const* SpikeTimes() const { return spikeTimes; }

private:
    Player const* player;
    Map const* onMap; // whose groups tell what the player stands on
    Pointf home;
    Rectf cover;
    double distance;
    int chargeTime;
    int retreatTime;
    int totalTime;
    Pointf pos;
    int frame = 0;
    double headAngle = 0.0;
    double spikes = 0.0;
    int hitPoints;
    FlatList<MoveObject> moves;
    TimeSet* attackTimes;
    TimeSet* chargeTimes;
    TimeSet* spikeTimes;

    static inline Image* headImg = nullptr;
    static inline Image* frontFootImg = nullptr;
    static inline Image* backFootImg = nullptr;
    static inline Image* spikeImg = nullptr;
};

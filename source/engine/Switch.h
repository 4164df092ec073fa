// Switch: a floor plate, a map group that sinks while the player stands on it.
#pragma once

#include "engine/Activator.h"
#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "util/PtrList.h"

class Map;
class Player;
class Switch_Blocker;

constexpr double Switch_DropDist = 10.0; // how far a plate of scale 1 sinks
constexpr double Switch_MoveSpeed = 0.5; // units per tick at scale 1

// The plate remembers every tick at which it was pressed and only ever adds to that record,
// so past selves keep it pressed wherever they stood on it. As an activator it is on while
// pressed. A radio switch of a group of three stays down after the player steps off, until
// one of its partners goes down.
class Switch final : public Object, public MapMoveObject, public Activator
{
public:
    Switch(Player const* player, Map* map, unsigned int group, double scale);
    Switch(Switch const&) = delete;
    Switch& operator=(Switch const&) = delete;
    ~Switch() override;

    // Not owned; every blocker is asked, in the order added, at each press.
    void AddBlocker(Switch_Blocker* blocker);
    void RadioSwitch(Switch* a, Switch* b);

    // Records whether the plate is down at t.
    void MoveToTime(Map const* map, Tick t) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The plate's offset at t, from 0 (up) down to -Switch_DropDist * scale.
    double CalcSwitchPos(Tick t) const;

    bool ReportsChanges() const override;

private:
    bool Pressed(Tick t) const;
    void Press(Tick t);

    unsigned int group;
    FlatList<MoveObject> moves;
    PtrList<Switch_Blocker> blockers;
    Player const* player;     // whose feet press the plate; may be null
    double scale;             // the smallest player scale that presses, and the travel's scale
    Switch* radioA = nullptr; // radio partners, both or neither
    Switch* radioB = nullptr;
    // The plate's offsets at turning ticks of its walks back, dropped from each new press.
    mutable Activator_Checkpoints checkpoints;
    mutable Activator_Answers answers;
    mutable std::vector<Activator_Link> walk; // the links of a walk back, kept for the next
};

// Tower_Scaler: a scaling zone of the tower, which sets the size of a player standing in it.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

class Player;

constexpr double Scaler_Base_Width = 8.0; // half-width of the zone and of the drawn base, per unit of scale
constexpr double Scaler_Top_Width = 12.0; // half-width of the drawn top before its sway, per unit of scale
constexpr double Scaler_Height = 24.0;    // drawn height per unit of scale
constexpr double Scaler_Sway = 2.0;       // how far the top's half-width sways, per unit of scale
constexpr double Scaler_SwayTicks = 10.0; // ticks per radian of sway
constexpr Tick Scaler_SwayLead = 31;      // ticks by which the red top sways ahead of the dark one

// A flat rectangle on a floor, 16 by 2 units per unit of the zone's size, around the point it is
// built at. While the live player stands in it (edges included) his target size is the zone's
// scale for the player, at every step, so he grows or shrinks towards it; the player makes his
// sound only when the target changes. The zone keeps no record: time travel does not move it,
// and it acts only on steps that are lived. It is drawn in front of the map as a dark trapezoid
// of its own size and a red one of the size it gives, their tops swaying with the tick shown.
class Tower_Scaler final : public Object
{
public:
    Tower_Scaler(Pointf at, double sizeOfZone, double sizeGiven, Player* livePlayer);
    Tower_Scaler(Tower_Scaler const&) = delete;
    Tower_Scaler& operator=(Tower_Scaler const&) = delete;
    ~Tower_Scaler() override = default;

    void RenderFore(Map const* map, Tick t) const override;
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;

    // One trapezoid for tick t at scale s, in the current colour.
    void RenderPortal(Map const* map, Tick t, double s) const;
    // The corners of that trapezoid in map units: lower left, lower right, upper right, upper left.
    void PortalCorners(Tick t, double s, Pointf corners[4]) const;

    Pointf GetPos() const { return pos; }
    Rectf const& GetArea() const { return area; }
    double GetZoneScale() const { return zoneScale; }
    double GetPlayerScale() const { return playerScale; }

private:
    Pointf pos;         // centre of the zone's floor
    double zoneScale;   // size of the zone and of the dark trapezoid
    double playerScale; // size given to the player, and of the red trapezoid
    Rectf area;         // where the player is given it
    Player* player;     // the live player; not owned
};

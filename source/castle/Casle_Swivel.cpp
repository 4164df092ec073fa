// Casle_Swivel: the angle from the switches' runs, and keeping the switches up while the player is inside.
#include "castle/Casle_Swivel.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Switch.h"
#include "util/Rectf.h"
#include "util/Util.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr double Swivel_Inside = 0.75; // of the group's extent: the radius within which the player is inside
constexpr double Swivel_Cover = 1.3;   // of the group's extent: how far its polygons can turn out
} // namespace

Casle_Swivel::Casle_Swivel(Map* map, unsigned int swivelGroup, unsigned int centreRef, Switch* a, Switch* b)
    : moves(1), switchA(a), switchB(b)
{
    moves[0].kind = MoveObject_Rotate;
    moves[0].group = swivelGroup;
    moves[0].centre = map->GetRefPoint(centreRef);
    switchA->AddBlocker(this);
    switchB->AddBlocker(this);
    Rectf bound;
    map->FindGroupBound(swivelGroup, &bound);
    double const width = bound.x1 - bound.x0;
    double const height = bound.y1 - bound.y0;
    double const extent = height > width ? height : width;
    radius = Swivel_Inside * extent;
    double const c = Swivel_Cover * extent;
    Rectf const cover(-c, -c, c, c);
    map->SetGroupCover(swivelGroup, &cover);
}

void Casle_Swivel::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (blockTime != GameEvent_HasntHappened && blockTime > t)
        return;
    if (radius - playerPos->Distance(&moves[0].centre) >= Util::Eps)
        blockTime = t;
}

bool Casle_Swivel::IsBlocked(Map const*, Tick t)
{
    return blockTime != GameEvent_HasntHappened && blockTime >= t;
}

void Casle_Swivel::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    moves[0].newAngle = GetRotation(t);
    *orders = &moves;
}

double Casle_Swivel::GetRotation(Tick t) const
{
    return Rotation(switchA, switchB, t);
}

double Casle_Swivel::Rotation(Activator const* a, Activator const* b, Tick t)
{
    // Walk back over the runs to tick 0, or to a tick before either switch was held, noting each
    // run's turn; the turns are then added from the earliest, so that the sum is the one a walk
    // forward from rest would make.
    std::vector<double> turns;
    while (t > 0)
    {
        if (a->IsActive(t))
        {
            Tick const s = a->LastInactiveTime(t);
            turns.push_back(-((t - s) / Casle_Swivel_TurnRate));
            t = s;
        }
        else if (b->IsActive(t))
        {
            Tick const s = std::max(a->LastActiveTime(t), b->LastInactiveTime(t));
            turns.push_back((t - s) / Casle_Swivel_TurnRate);
            t = s;
        }
        else
        {
            Tick const lastA = a->LastActiveTime(t);
            Tick const lastB = b->LastActiveTime(t);
            if (lastA != -1 && lastA > lastB)
                t = lastA;
            else if (lastB == -1)
                break;
            else
                t = lastB;
        }
    }
    double angle = 0.0;
    for (auto turn = turns.rbegin(); turn != turns.rend(); ++turn)
        angle += *turn;
    return angle;
}

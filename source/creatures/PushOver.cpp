// PushOver: the push from the player and the bouncing fall.
#include "creatures/PushOver.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "util/Util.h"

namespace
{
bool Below(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}
} // namespace

PushOver::PushOver(Map* map, unsigned int groupId) : group(groupId), pushTime(GameEvent_HasntHappened), moves(1)
{
    // The bound is the standing group's own: once a cover is set it would be added in.
    map->FindGroupBound(group, &bound);
    double const w = bound.x1 - bound.x0;
    double const h = bound.y1 - bound.y0;
    // Whichever way it falls, the group sweeps this much round its place.
    Rectf const cover(-h, -w, h, w);
    map->SetGroupCover(group, &cover);
    moves[0].kind = MoveObject_Rotate;
    moves[0].group = group;
}

void PushOver::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (pushTime != GameEvent_HasntHappened)
        return;
    double const lowestPush = bound.y0 + (bound.y1 - bound.y0) / 3.0;
    if (!(Below(bound.x0, playerPos->x) && Below(playerPos->x, bound.x1) && Below(lowestPush, playerPos->y)
          && Below(playerPos->y, bound.y1)))
        return;
    double const w = bound.x1 - bound.x0;
    double const middle = bound.x0 + w / 2.0;
    // Pushed from the left half, it turns about its lower right corner and falls towards +x.
    if (playerPos->x <= middle || Util::Equal(playerPos->x, middle))
    {
        pivot = Pointf(bound.x1 - w / 10.0, bound.y0);
        fallsLeft = false;
    }
    else
    {
        pivot = Pointf(bound.x0 + w / 10.0, bound.y0);
        fallsLeft = true;
    }
    pushTime = t;
}

double PushOver::AngleAtTime(Tick t) const
{
    // At the push itself it still stands: the quarter turn and the fall's height differ in their
    // last digits, which would leave it turned by a hair.
    if (pushTime == GameEvent_HasntHappened || t <= pushTime)
        return 0.0;
    double const f = Util::BounceyFall(1.5707963267948966, PushOver_Accel, 0.5, t - pushTime, nullptr);
    double const angle = Util::QuarterTurn - f;
    return fallsLeft ? -angle : angle;
}

void PushOver::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    double const angle = AngleAtTime(t);
    moves[0].newAngle = angle;
    // Live play never applies the standing angle once the push has set a pivot, but time travel
    // back to it does. Subtracting a pivot and adding it back can miss a corner by a hair; a turn
    // by 0 about the origin puts every corner back exactly where the map file has it.
    moves[0].centre = angle == 0.0 ? Pointf(0.0, 0.0) : pivot;
    *orders = &moves;
}

// Kilig_Swivel: the platform's angle from its switch's presses, and guarding where the player stood.
#include "killig/Kilig_Swivel.h"

#include "engine/Map.h"
#include "engine/Switch.h"
#include "util/Rectf.h"
#include "util/Util.h"

#include <vector>

namespace
{

// The position after the one aimed at before, with its angle.
Direction NextPosition(bool fourWay, Direction previous, double& target)
{
    if (!fourWay)
    {
        if (previous == Direction_Up)
        {
            target = Util::HalfTurn;
            return Direction_Down;
        }
        target = 0.0;
        return Direction_Up;
    }
    switch (previous)
    {
    case Direction_Up:
        target = Util::QuarterTurn;
        return Direction_Right;
    case Direction_Right:
        target = Util::HalfTurn;
        return Direction_Down;
    case Direction_Down:
        target = -Util::QuarterTurn;
        return Direction_Left;
    default:
        target = 0.0;
        return Direction_Up;
    }
}

} // namespace

Kilig_Swivel::Kilig_Swivel(Map* map, unsigned int group, unsigned int refPoint, Switch* sw, bool turnsFourWay)
    : moves(1), turnSwitch(sw), fourWay(turnsFourWay)
{
    moves[0].kind = MoveObject_Rotate;
    moves[0].group = group;
    moves[0].newAngle = 0.0;
    moves[0].centre = map->GetRefPoint(refPoint);
    turnSwitch->AddBlocker(this);

    // The shape as loaded: no cover is set for the group yet.
    Rectf bound;
    map->FindGroupBound(group, &bound);
    double const w = bound.x1 - bound.x0;
    double const h = bound.y1 - bound.y0;
    double const side = h > w ? h : w;
    standRadius = Kilig_Swivel_StandShare * side;
    // Wide enough for every angle, so the collision grid files the polygons wherever they turn.
    double const c = Kilig_Swivel_CoverShare * side;
    Rectf const cover(-c, -c, c, c);
    map->SetGroupCover(group, &cover);
}

Kilig_Swivel::~Kilig_Swivel() = default;

void Kilig_Swivel::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (lastStoodTime != -1 && lastStoodTime > t)
        return;
    double const d = playerPos->Distance(&moves[0].centre);
    if (d < standRadius && !Util::Equal(d, standRadius))
        lastStoodTime = t;
}

bool Kilig_Swivel::IsBlocked(Map const*, Tick t)
{
    if (lastStoodTime == -1 || lastStoodTime < t)
        return false;
    blocked = true;
    return true;
}

void Kilig_Swivel::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** list)
{
    moves[0].newAngle = GetRotation(t, nullptr);
    *list = &moves;
}

double Kilig_Swivel::GetRotation(Tick t, Direction* dir) const
{
    // Each turn starts from the angle reached at its press, so the angle at t is worked forward
    // from the oldest press. The ticks just before each press, latest first:
    std::vector<Tick> presses;
    for (Tick at = t;;)
    {
        Tick const s = turnSwitch->LastSwitchOnTime(at);
        if (s == -1)
            break;
        presses.push_back(s);
        at = s;
    }

    double angle = 0.0;
    Direction aim = Direction_Up;
    for (std::size_t k = presses.size(); k-- > 0;)
    {
        Tick const s = presses[k];
        Tick const at = k == 0 ? t : presses[k - 1];
        double target = 0.0;
        aim = NextPosition(fourWay, aim, target);
        Tick const e = at - s;
        double a = target;
        if (e <= Kilig_Swivel_TurnTicks)
        {
            // Always clockwise: a target behind the angle lies a whole turn on.
            if (!Util::Equal(target, angle) && angle > target)
                target += Util::FullTurn;
            a = Util::FunkyMove(angle, target, int(e), Kilig_Swivel_Ease);
        }
        angle = Util::Angle(a);
    }
    if (dir != nullptr)
        *dir = aim;
    return angle;
}

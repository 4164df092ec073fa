// Lift: the lift's phase over the activators' runs, and the record of the player riding it.
#include "engine/Lift.h"

#include "engine/Map.h"

#include <cmath>
#include <vector>

Lift::Lift(Map* map, unsigned int group, double liftDistance, double liftStartAngle)
    : moves(1), distance(liftDistance), startAngle(liftStartAngle)
{
    map->RequireGroup(group);
    Rectf const cover(0.0, -distance, 0.0, distance);
    map->SetGroupCover(group, &cover);
    map->FindGroupBound(group, &bound);
    moves[0].kind = MoveObject_Translate;
    moves[0].group = group;
}

Lift::~Lift() = default;

void Lift::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (lastPlayerTick >= t)
        return;
    if (bound.Contains(playerPos))
        lastPlayerTick = t;
}

void Lift::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    moves[0].newY = CalcLiftPos(t);
    *orders = &moves;
}

bool Lift::IsBlocked(Map const*, Tick t)
{
    return lastPlayerTick >= t;
}

double Lift::CalcLiftPos(Tick t) const
{
    return std::sin(CalcLiftAngle(t)) * distance;
}

double Lift::CalcLiftAngle(Tick t) const
{
    bool const cached = KeepsCheckpoints();
    double angle = startAngle;
    if (cached && answers.Find(t, angle))
        return angle;
    // The phase gained in every active run back to rest or to a kept phase, added up from the
    // earliest run on.
    std::vector<Activator_Link>& links = walk;
    links.clear();
    bool active = false;
    Tick ref = 0;
    for (Tick at = t; StepBack(at, active, ref); at = ref)
    {
        links.push_back({at, at - ref, active});
        if (cached && checkpoints.Find(ref, angle))
            break;
    }
    int played = 0;
    for (auto link = links.rbegin(); link != links.rend(); ++link)
    {
        if (link->active)
            angle = link->n * Lift_Speed + angle;
        if (cached)
            checkpoints.Played(++played, link->at, t, angle);
    }
    if (cached)
        answers.Keep(t, angle);
    return angle;
}

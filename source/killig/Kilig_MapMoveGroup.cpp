// Kilig_MapMoveGroup: the motion table of the dungeon's moving groups and carrying the player.
#include "killig/Kilig_MapMoveGroup.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cmath>

namespace
{
// A change this large in one step is a group coming back into view, not a ride.
constexpr double Kilig_MaxCarry = 100.0;

// The motion of a run of groups: amplitude, axis and the sine's argument (a + b * g + t) / d,
// with the bracket in 32-bit integers.
struct Kilig_Motion
{
    Kilig_GroupId first;
    Kilig_GroupId last;
    bool vertical;
    double amplitude;
    std::int32_t a;
    std::int32_t b;
    double divisor;
};

constexpr Kilig_Motion Kilig_Motions[] = {
    {3, 3, false, 200.0, 0, 0, 50.0},     {4, 4, false, 200.0, 0, 0, -50.0},   {5, 5, true, 120.0, 0, 0, 42.0},
    {6, 15, false, 50.0, 0, -50, 62.0},   {25, 34, false, 50.0, 0, -50, 62.0}, {35, 44, false, 50.0, 100, -50, 62.0},
    {45, 50, false, 100.0, 0, 300, 74.0},
};

Kilig_Motion const* Find(Kilig_GroupId g)
{
    for (Kilig_Motion const& m : Kilig_Motions)
        if (g >= m.first && g <= m.last)
            return &m;
    return nullptr;
}
} // namespace

Kilig_MapMoveGroup::Kilig_MapMoveGroup(Kilig_GroupId id)
{
    group = id;
}

bool Kilig_MapMoveGroup::Offset(Kilig_GroupId g, Tick t, double& x, double& y)
{
    Kilig_Motion const* m = Find(g);
    if (m == nullptr)
        return false;
    // The bracket wraps as 32-bit integers would, which no tick of a level comes near.
    std::int32_t const bracket = std::int32_t(std::uint32_t(t) + std::uint32_t(m->a) + std::uint32_t(m->b) * g);
    double const offset = m->amplitude * std::sin(double(bracket) / m->divisor);
    x = m->vertical ? 0.0 : offset;
    y = m->vertical ? offset : 0.0;
    return true;
}

bool Kilig_MapMoveGroup::Cover(Kilig_GroupId g, Rectf& cover)
{
    Kilig_Motion const* m = Find(g);
    if (m == nullptr)
        return false;
    double const ax = m->vertical ? 0.0 : m->amplitude;
    double const ay = m->vertical ? m->amplitude : 0.0;
    cover = Rectf(-ax, -ay, ax, ay);
    return true;
}

void Kilig_MapMoveGroup::Move(Map* map, Tick t, Player* player)
{
    double nx = 0.0;
    double ny = 0.0;
    if (!Offset(group, t, nx, ny))
        return;
    // Placed absolutely at every call: a group brought back into view lands where it belongs.
    map->MoveGroup(group, nx, ny);
    double const dx = nx - x;
    double const dy = ny - y;
    double const change = std::fabs(dx) + std::fabs(dy);
    if (player != nullptr && change < Kilig_MaxCarry && !Util::Equal(change, Kilig_MaxCarry))
        player->GroupMoving(group, dx, dy);
    x = nx;
    y = ny;
}

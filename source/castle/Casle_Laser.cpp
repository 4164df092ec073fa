// Casle_Laser: tracing the beam leg by leg, recording targets it reaches and drawing it.
#include "castle/Casle_Laser.h"

#include "castle/Casle_Laser_Target.h"
#include "engine/Collectable.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "util/LineEq.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr int Laser_ListSize = 8;
constexpr double Mirror_HalfLength = 17.0;
constexpr double Mirror_Offset = 0.78539816339745; // the mirror's line lies this far round from its rotation

// How far a probe from p may go before it has passed everything the map's grid holds.
double FarthestReach(Map const* map, Pointf const& p)
{
    double const dx = std::max(std::fabs(p.x - map->minX), std::fabs(p.x - map->maxX));
    double const dy = std::max(std::fabs(p.y - map->minY), std::fabs(p.y - map->maxY));
    return std::sqrt(dx * dx + dy * dy);
}
} // namespace

Casle_Laser::Casle_Laser(Pointf emitterPos, double beamAngle, bool on)
    : mirrors(PtrList_Variable, Laser_ListSize), targets(PtrList_Variable, Laser_ListSize), pos(emitterPos),
      angle(beamAngle), alwaysOn(on)
{
    mirrors.owns = false;
    targets.owns = false;
    onTimes = new TimeSet();
}

Casle_Laser::~Casle_Laser()
{
    delete onTimes;
}

void Casle_Laser::AddMirror(Collectable* mirror)
{
    mirrors.AddItem(mirror);
}

void Casle_Laser::AddTarget(Casle_Laser_Target* target)
{
    targets.AddItem(target);
}

void Casle_Laser::Activate(Map const* map, Tick t)
{
    onTimes->Add(t);
    MoveToTime(map, t);
}

bool Casle_Laser::IsOn(Tick t) const
{
    return alwaysOn || onTimes->Check(t - 1);
}

Tick Casle_Laser::LastActiveTime(Tick t) const
{
    Tick when = -1;
    if (!onTimes->CheckDown(t, &when))
        return -1;
    return when;
}

Tick Casle_Laser::LastInactiveTime(Tick t) const
{
    return onTimes->LastFreeTime(t);
}

bool Casle_Laser::HitMirror(Collectable const* mirror, Tick t, Pointf const* from, Pointf* to, double inAngle,
                            double& outAngle) const
{
    if (*from == *to)
        return false;
    LineEq const beam(from, to);
    Pointf const centre = mirror->GetPosAtTime(t);
    double const line = mirror->GetRotationAtTime(t) + Mirror_Offset;
    Pointf const half(std::sin(line) * Mirror_HalfLength, std::cos(line) * Mirror_HalfLength);
    Pointf const end1 = centre + half;
    Pointf const end2 = centre - half;
    LineEq const face(&end1, &end2);
    Pointf cross;
    if (!beam.Intersect(&face, cross))
        return false;
    // A crossing at either end of the leg or of the mirror does not count: a leg that starts on
    // a mirror leaves it rather than meeting it again.
    if (cross.InLine(from, to) != 2 || cross.InLine(&end1, &end2) != 2)
        return false;
    *to = cross;
    double const m = Util::Angle(line);
    outAngle = Util::Angle(2.0 * m - inAngle);
    return true;
}

Casle_Laser_Leg Casle_Laser::AdvanceLaser(Map const* map, Tick t, Pointf* point, double& beamAngle, unsigned int& poly,
                                          bool lock) const
{
    Pointf const start = *point;
    double const inAngle = beamAngle;
    double outAngle = inAngle;
    poly = 0;

    // Probe ever further along the leg until the segment from its start meets a solid polygon,
    // or has passed every cell of the map's grid without meeting one.
    Pointf const step(std::sin(inAngle) * Laser_MaxTestDist, std::cos(inAngle) * Laser_MaxTestDist);
    double const reach = FarthestReach(map, start);
    Pointf end = start;
    Casle_Laser_Leg ended = Casle_Laser_Leg_Map;
    for (double length = Laser_MaxTestDist;; length += Laser_MaxTestDist)
    {
        end += step;
        if (map->TryMove(&start, &end, &poly, nullptr))
            break;
        if (length > reach)
        {
            ended = Casle_Laser_Leg_Nothing;
            break;
        }
    }
    *point = end;
    // A leg that starts on the very edge it meets has no length, and so no line to cross a mirror.
    if (start == end)
        return ended;

    int nearest = -1;
    for (int i = 0; i < mirrors.Count(); i++)
    {
        // Each hit shortens the leg, so the last mirror hit is the nearest.
        if (mirrors[i] != nullptr && HitMirror(mirrors[i], t, &start, point, inAngle, outAngle))
        {
            nearest = i;
            poly = 0;
        }
    }
    beamAngle = outAngle;
    if (nearest < 0)
        return ended;
    if (lock)
        mirrors[nearest]->Lock(t - 1);
    return Casle_Laser_Leg_Mirror;
}

bool Casle_Laser::Trace(Map const* map, Tick t, bool lock, unsigned int& group, Pointf* points, int* pointCount) const
{
    Pointf p = pos;
    double d = angle;
    unsigned int poly = 0;
    int count = 0;
    if (points != nullptr)
        points[count++] = p;
    Casle_Laser_Leg leg = Casle_Laser_Leg_Mirror;
    // Mirrors facing each other would turn the beam back and forth for ever.
    for (int legs = 0; legs < Laser_MaxLegs && leg == Casle_Laser_Leg_Mirror; legs++)
    {
        leg = AdvanceLaser(map, t, &p, d, poly, lock);
        if (points != nullptr)
            points[count++] = p;
    }
    if (pointCount != nullptr)
        *pointCount = count;
    if (leg != Casle_Laser_Leg_Map)
        return false;
    group = map->GetGroup(poly);
    return true;
}

void Casle_Laser::MoveToTime(Map const* map, Tick t)
{
    // Records only grow, and only while the clock goes forward. The beam at a tick is judged from
    // where the mirrors stood the tick before, as it is drawn: a mirror let go of during a step is
    // placed only after the objects have moved. A move may pass many ticks at once (a replay, or
    // play after a travel): it stands for the ticks since the previous call on which the beam
    // ended on the same group, or a target would be lit, and its door open, earlier each time
    // those ticks are shown again.
    unsigned int group = 0;
    if (IsOn(t) && t >= lastTime && Trace(map, t - 1, false, group))
    {
        Tick from = t;
        unsigned int earlier = 0;
        while (from - 1 > lastTime && IsOn(from - 1) && Trace(map, from - 2, false, earlier) && earlier == group)
            --from;
        bool reached = false;
        for (int i = 0; i < targets.Count(); i++)
            if (targets[i] != nullptr && targets[i]->HitGroup(from - 1, t, group))
                reached = true;
        if (reached)
            Trace(map, t, true, group);
    }
    lastTime = t;
}

void Casle_Laser::Render(Map const* map, Tick t) const
{
    if (!IsOn(t))
        return;
    Pointf points[Laser_MaxLegs + 1];
    int count = 0;
    unsigned int group = 0;
    Trace(map, t - 1, false, group, points, &count);

    glDisable(GL_TEXTURE_2D);
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < count; i++)
    {
        Pointf const s = points[i].WorldToScreen(&map->view);
        glVertex2f(static_cast<float>(s.x), static_cast<float>(s.y));
    }
    glEnd();
}

// Bat_Path: building the sections from waypoints, measuring them and the position along the path.
#include "creatures/Bat_Path.h"

#include "engine/Map.h"
#include "util/Bezier.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cstdlib>

Bat_Path::Bat_Path() : sections(PtrList_Variable, 32)
{
}

Bat_Path::~Bat_Path()
{
    std::free(sectionTicks);
}

void Bat_Path::AddSection(Map const* map, unsigned int a, unsigned int b)
{
    Pointf const pa = map->GetRefPoint(a);
    Pointf const pb = map->GetRefPoint(b);
    double const arrival = pb.Angle(&pa);
    if (first)
    {
        first = false;
        startAngle = arrival;
    }
    else
    {
        sections.AddItem(new Bezier(&lastPoint, lastAngle, &pa, arrival));
    }
    lastPoint = pa;
    lastAngle = pa.Angle(&pb);
}

void Bat_Path::AddSections(Map const* map, unsigned int r, int n)
{
    for (int i = 0; i < n; i++)
        AddSection(map, r + 2 * i, r + 2 * i + 1);
}

void Bat_Path::AddPath(Bat_Path const* other)
{
    assert(other != this && other->SectionCount() > 0);
    if (!first)
    {
        Pointf const p = other->sections[0]->Eval(0.0);
        sections.AddItem(new Bezier(&lastPoint, lastAngle, &p, other->startAngle));
    }
    for (int i = 0; i < other->SectionCount(); i++)
        sections.AddItem(new Bezier(other->sections[i]));
}

void Bat_Path::ClosePath()
{
    assert(sectionTicks == nullptr && "ClosePath is called once");
    int const n = SectionCount();
    sectionTicks = static_cast<int*>(std::malloc(sizeof(int) * static_cast<size_t>(n > 0 ? n : 1)));
    if (sectionTicks == nullptr)
        throw Error(Error_OutOfMemory);
    for (int i = 0; i < n; i++)
    {
        Bezier const* s = sections[i];
        double length = 0.0;
        // Ten samples: the tenth step's sum of 0.1s lands just short of 1 and counts as 1.
        for (double u = 0.0; u < 1.0 && !Util::Equal(u, 1.0); u += 0.1)
        {
            Pointf const next = s->Eval(u + 0.1);
            length += s->Eval(u).Distance(&next);
        }
        sectionTicks[i] = static_cast<int>(length / Bat_Speed);
    }
}

int Bat_Path::SectionTicks(int i) const
{
    assert(IsClosed() && i >= 0 && i < SectionCount());
    return sectionTicks[i];
}

Pointf Bat_Path::GetPos(Pointf const* roost, Tick k) const
{
    assert(Flyable());
    Pointf const p0 = sections[0]->Eval(0.0);
    Bezier const entry(roost, Bat_Drop_Angle, &p0, startAngle);
    // A roost nearer the start than one tick's flight still takes one tick to get there, so
    // that the curve has a value at every offset.
    Tick entryTicks = static_cast<Tick>(roost->Distance(&p0) / Bat_Start_Speed);
    if (entryTicks < 1)
        entryTicks = 1;
    if (k <= entryTicks)
        return entry.Eval(static_cast<double>(k) / entryTicks);

    k -= entryTicks;
    int const n = SectionCount();
    // A section of no ticks is always passed over, since k stays above 0 in the loop.
    for (int i = 0; i < n; i++)
    {
        if (sectionTicks[i] < k)
        {
            k -= sectionTicks[i];
            continue;
        }
        return sections[i]->Eval(static_cast<double>(k) / sectionTicks[i]);
    }
    return sections[n - 1]->Eval(1.0);
}

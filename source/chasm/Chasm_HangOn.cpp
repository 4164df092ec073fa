// Chasm_HangOn: the flower's place from its records, what it records, and drawing.
#include "chasm/Chasm_HangOn.h"

#include "engine/Map.h"
#include "media/Image.h"
#include "util/Util.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>

namespace
{
char const* const flowerfile = "gfx/chasm/flower.png";
constexpr int Phase_Steps = 1024;      // sway phases a flower may draw
constexpr double Active_Heights = 4.0; // the active radius in picture heights
} // namespace

Image* Chasm_HangOn::img = nullptr;

Chasm_HangOn::Chasm_HangOn(Pointf at, bool isFixed)
    : basePos(at), phase(Util::FullTurn * (std::rand() & (Phase_Steps - 1)) / Phase_Steps), fixed(isFixed)
{
    hangPos = at;
}

void Chasm_HangOn::Initialise()
{
    assert(img == nullptr && "img == NULL");
    img = new Image(flowerfile, Image_Mask, false);
}

void Chasm_HangOn::Finalise()
{
    delete img;
    img = nullptr;
}

Pointf Chasm_HangOn::PosAtTime(Tick t) const
{
    Tick const hung = hangTimes.Count(t);
    double const a = Util::HalfTurn * (hung % HangOn_CycleLength) / HangOn_CycleLength;
    Pointf p = basePos;
    p.x += HangOn_SwayDist * std::sin(t / HangOn_SwayTicks + phase);
    p.y -= 2.0 * HangOn_CycleDist * (hung / HangOn_CycleLength);
    // Down fast then slowing over the first half of a cycle, slow then fast over the second.
    if (Util::QuarterTurn - a >= Util::Eps)
        p.y -= HangOn_CycleDist * std::sin(a);
    else
        p.y -= HangOn_CycleDist * (2.0 - std::sin(a));
    p.y -= HangOn_PushDownDist * jumpTimes.Count(t - HangOn_PushDownLength);
    Tick last = 0;
    if (jumpTimes.CheckDown(t, &last) && t - last <= HangOn_PushDownLength)
        p.y -= HangOn_PushDownDist * std::sin((t - last) * (Util::QuarterTurn / HangOn_PushDownLength));
    p.x -= CalcDrift(t);
    return p;
}

double Chasm_HangOn::CalcAccellDrift(int n, double& speed)
{
    if (n < HangOn_Drift_AccellTime)
    {
        speed = HangOn_Drift_Accell * n;
        return HangOn_Drift_Accell / 2.0 * (n * n);
    }
    speed = HangOn_Drift_MaxSpeed;
    return (n - HangOn_Drift_AccellTime) * HangOn_Drift_MaxSpeed + HangOn_Drift_AccellDist;
}

double Chasm_HangOn::CalcDecelDrift(int n, double speed)
{
    // The ticks of the stopping distance, not of the stopping time: the coast is cut short.
    int const k = std::min(n, static_cast<int>(0.5 * speed * speed / HangOn_Drift_Decell));
    return k * speed - HangOn_Drift_Decell / 2.0 * (k * k);
}

double Chasm_HangOn::CalcDrift(Tick t) const
{
    Tick start = 0;
    if (!fanTimes.CheckUp(0, &start))
        return 0.0;
    // Whole units per run and per gap, so the flower moves in steps of a unit.
    int total = 0;
    double speed = 0.0;
    while (start < t)
    {
        Tick const end = std::min(fanTimes.NextFreeTime(start), t);
        total += static_cast<int>(CalcAccellDrift(end - start, speed));
        Tick next = t;
        if (end < t && fanTimes.CheckUp(end, &next))
            start = std::min(next, t);
        else
            start = t;
        total += static_cast<int>(CalcDecelDrift(start - end, speed));
    }
    return total;
}

void Chasm_HangOn::MoveToTime(Map const*, Tick t)
{
    hangPos = PosAtTime(t);
}

void Chasm_HangOn::Render(Map const* map, Tick) const
{
    assert(img != nullptr && "img != NULL");
    img->Render(hangPos, 0.0, 1.0, HangOn_HangXPoint, HangOn_HangYPoint, 0, &map->view);
}

bool Chasm_HangOn::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    assert(img != nullptr && "img != NULL");
    centre = hangPos;
    radius = Active_Heights * img->GetHeight();
    objScale = 1.0;
    return true;
}

bool Chasm_HangOn::MayRecord(Tick t) const
{
    return !hangTimes.CheckUp(t, nullptr) && !fanTimes.CheckUp(t, nullptr) && !jumpTimes.CheckUp(t, nullptr);
}

void Chasm_HangOn::PlayerHanging(Tick t)
{
    if (!fixed && MayRecord(t))
        hangTimes.Add(t);
}

void Chasm_HangOn::PlayerHangingWithFan(Tick t)
{
    if (MayRecord(t))
        fanTimes.Add(t);
}

void Chasm_HangOn::PlayerJumped(Tick t)
{
    if (fixed || !MayRecord(t))
        return;
    Tick last = 0;
    if (jumpTimes.CheckDown(t, &last) && t - last < HangOn_PushDownLength)
        return;
    jumpTimes.Add(t);
}

std::uint32_t Chasm_HangOn::GetInfo(Tick)
{
    return 1;
}

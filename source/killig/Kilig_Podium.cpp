// Kilig_Podium: writing the podium's record from where the balls lie.
#include "killig/Kilig_Podium.h"

#include "engine/Collectable.h"
#include "engine/TimeSet.h"
#include "util/Util.h"

#include <cassert>
#include <cstddef>

namespace
{
constexpr int Kilig_Podium_ListSize = 4;
}

Kilig_Podium::Kilig_Podium(Pointf podiumPos) : pos(podiumPos), balls(PtrList_Variable, Kilig_Podium_ListSize)
{
    balls.owns = false;
    activeTimes = new TimeSet();
}

Kilig_Podium::~Kilig_Podium()
{
    delete activeTimes;
}

void Kilig_Podium::AddBall(Collectable* ball)
{
    assert(ball != NULL && "ball != NULL");
    balls.AddItem(ball);
}

bool Kilig_Podium::BallCounts(Collectable const* ball, Tick t) const
{
    if (ball == nullptr || ball->GetPlayerHolding())
        return false;
    Pointf const at = ball->GetPosAtTime(t);
    double const d = pos.DistanceEst(&at);
    return d < Kilig_Podium_Reach || Util::Equal(d, Kilig_Podium_Reach);
}

void Kilig_Podium::MoveToTime(Map const* map, Tick t)
{
    MoveToTime(map, t, Object_Step{});
}

void Kilig_Podium::MoveToTime(Map const*, Tick t, Object_Step const& step)
{
    // Going back leaves the record alone: earlier ticks answer from it, later ones keep their
    // verdicts until play writes them again. Travel forward writes nothing either: the ticks it
    // passes were played already (a ball held over the podium then is on a past self's head
    // now) or never were, and play goes on writing from wherever the travel ends.
    if (lastTime > t || step.replaying)
    {
        lastTime = t;
        return;
    }
    TimeRange const range(lastTime + 1, t + 1);
    lastTime = t;
    if (range.start == range.end)
        return;
    bool lying = false;
    for (int i = 0; i < balls.Count() && !lying; i++)
        lying = BallCounts(balls[i], t);
    if (lying)
    {
        if (activeTimes->Check(range.start) && activeTimes->NextFreeTime(range.start) >= range.end)
            return;
        activeTimes->AddRange(range);
    }
    else
    {
        if (!activeTimes->CheckRange(range))
            return;
        activeTimes->Remove(range);
    }
    Changed(range.start);
}

bool Kilig_Podium::ReportsChanges() const
{
    return true;
}

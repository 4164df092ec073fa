// Casle_Machine_Switch: taking the cog, starting the machine and drawing its two trains of cogs.
#include "castle/Casle_Machine_Switch.h"

#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"
#include "util/Vectorf.h"

#include <cmath>

namespace
{
constexpr char const* cogImageFile = "gfx/castle/objects/cog.png";
constexpr double Machine_Reach = 64.0;       // |dx| + |dy| within which a let-go cog goes in
constexpr double Machine_CogParking = 800.0; // the taken item waits this far above the machine
constexpr double Machine_CogTurn = 50.0;     // ticks of switch activity per radian
constexpr double Machine_TrainDrop = 100.0;  // the trains start this far above the reference point

struct Machine_Cog
{
    double direction; // from the cog before, radians from +y
    double offset;    // added to the train's turn, or subtracted when reversed
    bool reversed;    // turns against the train
};

// Each cog sits one step from the last in its direction and turns against its neighbours.
constexpr Machine_Cog Machine_FirstTrain[] = {
    {2.6, 0.0, true}, {1.0, 0.0, false}, {1.6, 2.0, true}, {0.5, 1.0, false}, {-0.8, 0.08, true},
};
constexpr Machine_Cog Machine_SecondTrain[] = {
    {4.5, -0.12, true},
    {3.5, 0.4, false},
    {4.6, -0.2, true},
    {4.0, -0.06, false},
};

double CogRotation(Machine_Cog const& cog, double turn)
{
    return cog.reversed ? cog.offset - turn : turn + cog.offset;
}
} // namespace

Casle_Machine_Switch::Casle_Machine_Switch(Collectable* machineCog, unsigned int refPoint)
    : cog(machineCog), ref(refPoint)
{
    cogImg = new Image(cogImageFile, Image_Mask | Image_PadY, false);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Machine);
}

Casle_Machine_Switch::~Casle_Machine_Switch()
{
    delete cogImg;
}

bool Casle_Machine_Switch::HasCog(Tick t) const
{
    return cogTime != GameEvent_HasntHappened && cogTime <= t;
}

Tick Casle_Machine_Switch::ActiveTime() const
{
    if (cogTime == GameEvent_HasntHappened)
        return -1;
    return Activated::NextActiveTime(cogTime);
}

bool Casle_Machine_Switch::IsActive(Tick t) const
{
    Tick const started = ActiveTime();
    return started != -1 && t > started;
}

Tick Casle_Machine_Switch::LastActiveTime(Tick t) const
{
    return IsActive(t) ? t : -1;
}

Tick Casle_Machine_Switch::LastInactiveTime(Tick t) const
{
    Tick const started = ActiveTime();
    if (started == -1 || t < started)
        return t;
    return started;
}

void Casle_Machine_Switch::MoveToTime(Map const* map, Tick t)
{
    Pointf const at = map->GetRefPoint(ref);
    // A cog carried by any self, or riding on a head for the tick after, is not let go yet.
    if (cogTime == GameEvent_HasntHappened && !cog->GetPlayerHolding() && !cog->CarriedAtTime(t)
        && !cog->CarriedAtTime(t - 1))
    {
        Pointf const c = cog->GetPosAtTime(t);
        if (Machine_Reach - at.DistanceEst(&c) >= Util::Eps)
        {
            cogTime = t;
            cog->SetPosAtTime(t, at + Pointf(0.0, Machine_CogParking), Vectorf(0.0, 0.0), 0.0, true);
            // The machine keeps it: it never falls from where it is parked nor is taken again.
            cog->Lock();
        }
    }
    if (Activated::IsActive(t) && gameSounds != nullptr)
        gameSounds->Play(Sound_Machine, &at, true, 1.0);
}

void Casle_Machine_Switch::Render(Map const* map, Tick t) const
{
    double const step = 0.85 * cogImg->GetWidth();
    double const turned = Activated::ActiveCount(t) / Machine_CogTurn;
    double const first = HasCog(t) ? turned : 0.0;
    Pointf const start = map->GetRefPoint(ref) + Pointf(0.0, Machine_TrainDrop);
    auto draw = [&](Pointf const& p, double rotation) {
        cogImg->Render(p, rotation, 1.0, Image_Centre | Image_Middle, &map->view);
    };

    if (cogTime != GameEvent_HasntHappened && cogTime < t)
        draw(start, first + 0.1);
    Pointf p = start;
    for (Machine_Cog const& c : Machine_FirstTrain)
    {
        p += Pointf(std::sin(c.direction) * step, std::cos(c.direction) * step);
        draw(p, CogRotation(c, first));
    }
    p = start;
    for (Machine_Cog const& c : Machine_SecondTrain)
    {
        p += Pointf(std::sin(c.direction) * step, std::cos(c.direction) * step);
        draw(p, CogRotation(c, turned));
    }
}

// Tower_Scales: weighing, the places of the pan and the lift worked out from the weights, and the lights.
#include "tower/Tower_Scales.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <vector>

namespace
{

constexpr char const* lightonfile = "gfx/tower/scales/lighton.png";
constexpr char const* lightofffile = "gfx/tower/scales/lightoff.png";
constexpr char const* overweightonfile = "gfx/tower/scales/overon.png";
constexpr char const* overweightofffile = "gfx/tower/scales/overoff.png";

constexpr double Scales_HalfSize = 0.5;     // weighs 2
constexpr double Scales_QuarterSize = 0.25; // weighs 1
constexpr double Scales_LightGap = 8.0;     // between the weight lights' centres
constexpr double Scales_LightScale = 0.3;
constexpr double Scales_OverDrop = 6.0; // the overweight light below the weight lights
constexpr double Scales_OverScale = 0.37;
constexpr double Scales_SoundScale = 0.5;

// A run of n ticks ending at tick at, over which the pan sank (weighed) or rose, or the lift
// moved towards target.
struct Scales_Link
{
    Tick at;
    Tick n;
    bool weighed;
    double target;
};

double Sink(double p, Tick n)
{
    p -= Scales_Scales_MoveSpeed * double(n);
    return p < -Scales_Scales_DropDist || Util::Equal(p, -Scales_Scales_DropDist) ? -Scales_Scales_DropDist : p;
}

double Rise(double p, Tick n)
{
    p += Scales_Scales_MoveSpeed * double(n);
    return p > 0.0 || Util::Equal(p, 0.0) ? 0.0 : p;
}

double Approach(double p, double target, Tick n)
{
    if (target - p >= Util::Eps)
    {
        p += Scales_Lift_MoveSpeed * double(n);
        return p > target || Util::Equal(p, target) ? target : p;
    }
    p -= Scales_Lift_MoveSpeed * double(n);
    return p < target || Util::Equal(p, target) ? target : p;
}

} // namespace

Tower_Scales::Tower_Scales(Map* map, Player const* livePlayer)
    : moves(2), lightOn(std::make_unique<Image>(lightonfile, Image_Mask, false)),
      lightOff(std::make_unique<Image>(lightofffile, Image_Mask, false)),
      overOn(std::make_unique<Image>(overweightonfile, Image_Mask, false)),
      overOff(std::make_unique<Image>(overweightofffile, Image_Mask, false)), player(livePlayer)
{
    moves[0].kind = MoveObject_Translate;
    moves[0].group = Scales_Scales_Group;
    moves[1].kind = MoveObject_Translate;
    moves[1].group = Scales_Lift_Group;
    pos = map->GetRefPoint(Scales_Lights_Ref);
    // Taken before the covers widen it: the lift as it stands at rest.
    map->FindGroupBound(Scales_Lift_Group, &liftBound);
    Rectf const liftCover(0.0, 0.0, 0.0, Scales_Lift_Headroom);
    map->SetGroupCover(Scales_Lift_Group, &liftCover);
    Rectf const panCover(0.0, -Scales_Scales_DropDist, 0.0, 0.0);
    map->SetGroupCover(Scales_Scales_Group, &panCover);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_UiSelect);
}

Tower_Scales::~Tower_Scales() = default;

void Tower_Scales::MoveToTime(Map const* map, Tick t)
{
    if (overweight.Check(t - 1) && !overweight.Check(t - 2) && gameSounds != nullptr)
        gameSounds->Play(Sound_UiSelect, &pos, false, Scales_SoundScale);

    // While time travels the player stands on nothing, so nothing is weighed then.
    unsigned int poly = 0;
    if (!player->PolyOn(&poly) || map->GetGroup(poly) != Scales_Scales_Group)
        return;
    int value = WeightAt(t);
    double const s = player->GetScale();
    if (Util::Equal(s, Scales_HalfSize))
        value += 2;
    if (Util::Equal(s, Scales_QuarterSize))
        value += 1;
    if (value > Scales_MaxWeight)
    {
        overweight.Add(t);
        return;
    }
    assert(value >= 0 && value <= Scales_MaxWeight);
    if (liftUsed.CheckRange(TimeRange(t, t + Scales_Lift_MaxMoveTime)))
    {
        weightRefused = true;
        return;
    }
    weights.Add(t, value);
    // Places up to t - 1 follow from the weights before t alone, and stay.
    panPlaces.DropFrom(t);
    liftPlaces.DropFrom(t);
}

void Tower_Scales::MoveToTime(Map const* map, Tick t, Object_Step const& step)
{
    if (!step.replaying)
        MoveToTime(map, t);
}

void Tower_Scales::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (liftBound.Contains(playerPos))
        liftUsed.Add(t);
}

void Tower_Scales::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    moves[0].newY = CalcScalesPos(t);
    moves[1].newY = CalcLiftPos(t);
    *orders = &moves;
}

int Tower_Scales::WeightAt(Tick t) const
{
    int value = 0;
    weights.Find(t, &value);
    return value;
}

int Tower_Scales::LightsLit(Tick t) const
{
    int const n = WeightAt(t - 1);
    return n < Scales_LightCount ? n : Scales_LightCount;
}

bool Tower_Scales::OverweightLit(Tick t) const
{
    return overweight.Check(t - 1);
}

void Tower_Scales::Render(Map const* map, Tick t) const
{
    int const lit = LightsLit(t);
    for (int i = 0; i < Scales_LightCount; i++)
    {
        Image const* light = i < lit ? lightOn.get() : lightOff.get();
        Pointf const at(pos.x + Scales_LightGap * double(i - 1), pos.y);
        light->Render(at, 0.0, Scales_LightScale, Image_Centre | Image_Middle, &map->view);
    }
    Image const* over = OverweightLit(t) ? overOn.get() : overOff.get();
    over->Render(Pointf(pos.x, pos.y - Scales_OverDrop), 0.0, Scales_OverScale, Image_Centre | Image_Middle,
                 &map->view);
}

bool Tower_Scales::PanStepBack(Tick t, bool& weighed, Tick& from, double& rest) const
{
    weighed = weights.Find(t, nullptr);
    if (weighed)
    {
        // Sinking since the tick before the unbroken weighing that holds t.
        from = weights.LastFreeTime(t);
        rest = -Scales_Scales_DropDist;
        return t - from <= Scales_Scales_MaxMoveTime;
    }
    // Rising since the last weighed tick.
    rest = 0.0;
    return weights.CheckDown(t, nullptr, &from) && t - from < Scales_Scales_MaxMoveTime;
}

bool Tower_Scales::LiftStepBack(Tick t, double& target, Tick& from) const
{
    int const value = WeightAt(t);
    target = Scales_Lift_MoveDist * double(value);
    if (value > 0)
    {
        // The weight last changed where the run holding t began: touching runs carry different
        // weights, and an unweighed gap before it is a change to nothing. (An earlier run of
        // another weight lies before that gap, so it is never the later change.)
        from = weights.RunStart(t) - 1;
        return t - from < Scales_Lift_MaxMoveTime;
    }
    bool const found = weights.CheckDown(t, nullptr, &from);
    return found && t - from < Scales_Lift_MaxMoveTime;
}

double Tower_Scales::CalcScalesPos(Tick t) const
{
    std::vector<Scales_Link> links;
    double p = 0.0;
    for (Tick at = t;;)
    {
        bool weighed = false;
        Tick from = 0;
        if (!PanStepBack(at, weighed, from, p))
            break;
        links.push_back({at, at - from, weighed, 0.0});
        if (panPlaces.Find(from, p))
            break;
        at = from;
    }
    int played = 0;
    for (auto link = links.rbegin(); link != links.rend(); ++link)
    {
        p = link->weighed ? Sink(p, link->n) : Rise(p, link->n);
        panPlaces.Played(++played, link->at, t, p);
    }
    return p;
}

double Tower_Scales::CalcLiftPos(Tick t) const
{
    std::vector<Scales_Link> links;
    double p = 0.0;
    for (Tick at = t;;)
    {
        double target = 0.0;
        Tick from = 0;
        if (!LiftStepBack(at, target, from))
        {
            p = target;
            break;
        }
        links.push_back({at, at - from, false, target});
        if (liftPlaces.Find(from, p))
            break;
        at = from;
    }
    int played = 0;
    for (auto link = links.rbegin(); link != links.rend(); ++link)
    {
        p = Approach(p, link->target, link->n);
        liftPlaces.Played(++played, link->at, t, p);
    }
    return p;
}

// Plato_CaveTurtle: provocations, the charge, the spikes, the dropped shell and the drawing.
#include "plateau/Plato_CaveTurtle.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/TimeSet.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>

namespace
{

Pointf const Turtle_NeckPos(-52.0, 15.0);
Pointf const Turtle_FrontLegPos(-30.0, 5.0);
Pointf const Turtle_BackLegPos(30.0, 5.0);
Pointf const Turtle_SpikePos[Turtle_SpikeCount] = {{-32.0, 37.0}, {-26.0, 40.0}, {-10.0, 43.0},
                                                   {10.0, 42.0},  {25.0, 40.0},  {41.0, 34.0}};
constexpr double Turtle_SpikeAngles[Turtle_SpikeCount] = {-0.8, -0.2, 0.0, 0.05, 0.3, 0.5};
constexpr double Turtle_HeadTilt = 1.0471975511966;

// lo < v < hi, a bound within the tolerance counting as outside.
bool Between(double lo, double v, double hi)
{
    return lo < v && !Util::Equal(lo, v) && v < hi && !Util::Equal(v, hi);
}

Pointf Add(Pointf a, Pointf b)
{
    return Pointf(a.x + b.x, a.y + b.y);
}

} // namespace

Plato_CaveTurtle::Plato_CaveTurtle(Player const* hero, Map* map, unsigned int rp, unsigned int group, double dist,
                                   int startHits)
    : Target(Sound_MonsterHit), player(hero), onMap(map), home(map->GetRefPoint(rp)),
      cover(-80.0 - dist, -10.0 - Turtle_HeightFromGround, 80.0, 80.0), distance(dist), pos(home), hitPoints(startHits),
      moves(1), attackTimes(nullptr), chargeTimes(nullptr), spikeTimes(nullptr)
{
    // Refused before anything is built: a constructor that throws runs no destructor.
    map->RequireGroup(group);
    attackTimes = new TimeSet();
    chargeTimes = new TimeSet();
    spikeTimes = new TimeSet();
    map->SetGroupCover(group, &cover);
    cover = Rectf(cover.x0 + home.x, cover.y0 + home.y, cover.x1 + home.x, cover.y1 + home.y);
    rect = Rectf(-Turtle_HeadWidth / 2, -Turtle_HeadHeight / 2, 16.0, 16.0);
    moves[0].kind = MoveObject_Translate;
    moves[0].group = group;
    chargeTime = static_cast<int>(std::sqrt(2.0 * distance / Turtle_Acceleration));
    retreatTime = static_cast<int>(distance / Turtle_RetreatSpeed);
    totalTime = chargeTime + retreatTime;
}

Plato_CaveTurtle::~Plato_CaveTurtle()
{
    attackTimes->Destroy();
    chargeTimes->Destroy();
    spikeTimes->Destroy();
}

void Plato_CaveTurtle::Initialise()
{
    assert(headImg == nullptr && "headImg == NULL");
    try
    {
        headImg = new Image("gfx/plateau/caveturtle/head.png", 0, false);
        frontFootImg = new Image("gfx/plateau/caveturtle/frontfoot.png", 0, false);
        backFootImg = new Image("gfx/plateau/caveturtle/backfoot.png", 0, false);
        spikeImg = new Image("gfx/plateau/caveturtle/spike.png", 0, false);
    }
    catch (...)
    {
        Finalise();
        throw;
    }
    if (gameSounds != nullptr)
    {
        gameSounds->InitSound(Sound_TurtleCharge);
        gameSounds->InitSound(Sound_Explode);
    }
}

void Plato_CaveTurtle::Finalise()
{
    for (Image** image : {&headImg, &frontFootImg, &backFootImg, &spikeImg})
    {
        delete *image;
        *image = nullptr;
    }
}

void Plato_CaveTurtle::TryAttack(Tick t)
{
    if (attackTimes->Check(t))
        return;
    Tick s = 0;
    Tick u = 0;
    bool const free = !chargeTimes->CheckDown(t, &s) || s + totalTime < t;
    bool const clear = !attackTimes->CheckUp(t, &u) || t + totalTime < u;
    if (free && clear)
        chargeTimes->Add(t);
    attackTimes->Add(t);
}

void Plato_CaveTurtle::TrySpikeAttack(Tick t)
{
    if (attackTimes->Check(t))
        return;
    Tick s = 0;
    Tick u = 0;
    bool const free = !spikeTimes->CheckDown(t, &s) || s + Turtle_SpikeAttackLen < t;
    bool const clear = !attackTimes->CheckUp(t, &u) || t + Turtle_SpikeAttackLen < u;
    if (free && clear)
        spikeTimes->Add(t);
}

double Plato_CaveTurtle::PositionAtTime(Tick t, int* frameOut, double* angleOut, bool sounds) const
{
    Tick const dead = t;
    if (!Alive(t))
        t = GetDeathTime(hitPoints);
    if (frameOut != nullptr)
        *frameOut = -1;
    if (angleOut != nullptr)
        *angleOut = 0.0;
    Tick s = 0;
    if (!chargeTimes->CheckDown(t, &s) || s + totalTime < t)
        return 0.0;
    int const k = static_cast<int>(t - s);
    // A dead turtle is held at its death tick: its sounds there must not repeat every step.
    if (sounds && dead == t && gameSounds != nullptr)
    {
        if (k == 1)
            gameSounds->Play(Sound_TurtleCharge, &home, false, 1.0);
        if (k == chargeTime)
        {
            Pointf const bite(home.x - distance, home.y);
            gameSounds->Play(Sound_Explode, &bite, false, 1.0);
        }
    }
    double const x =
        k < chargeTime ? -Turtle_Acceleration / 2 * k * k : -distance + Turtle_RetreatSpeed * (k - chargeTime);
    if (frameOut != nullptr)
        *frameOut = (static_cast<int>(x * -512.0 / Turtle_Stride) + 256) & 0x3FF;
    if (angleOut != nullptr)
        *angleOut = (x >= -100.0 || Util::Equal(x, -100.0)) ? x * Turtle_HeadTilt / 100.0 : -Turtle_HeadTilt;
    return x;
}

double Plato_CaveTurtle::SpikesAtTime(Tick t) const
{
    Tick s = 0;
    if (!spikeTimes->CheckDown(t, &s) || t - s > Turtle_SpikeAttackLen)
        return 0.0;
    int const k = static_cast<int>(t - s);
    constexpr int prime = Turtle_SpikeAttackShowLen;
    constexpr int attack = prime + Turtle_SpikeAttackPrimeLen;
    constexpr int retract = attack + Turtle_SpikeAttackAttackLen;
    if (k < prime)
        return Util::FunkyMove(0.0, 0.4, k, 0.1);
    if (k < attack)
        return 0.4 - 0.4 * (k - prime) / Turtle_SpikeAttackPrimeLen;
    if (k < retract)
        return Util::FunkyMove(0.0, 1.0, k - attack, 0.2);
    return 1.0 - static_cast<double>(k - retract) / (Turtle_SpikeAttackLen - retract);
}

double Plato_CaveTurtle::ShellDropAtTime(Tick t) const
{
    if (Alive(t))
        return 0.0;
    int const k = static_cast<int>(t - GetDeathTime(hitPoints));
    constexpr double half = Turtle_ShellDropAcceleration / 2;
    if (k < Turtle_ShellDrop1Time)
        return -half * k * k;
    int const j = k - Turtle_ShellDrop1Time;
    double const y = -Turtle_HeightFromGround + 2.0 * j - half * j * j;
    return (y < -Turtle_HeightFromGround && !Util::Equal(y, -Turtle_HeightFromGround)) ? -Turtle_HeightFromGround : y;
}

void Plato_CaveTurtle::MoveToTime(Map const*, Tick t)
{
    pos = home;
    pos.x += PositionAtTime(t, &frame, &headAngle, true);
    spikes = SpikesAtTime(t);
}

void Plato_CaveTurtle::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    // A rider is tested here, not while the clock is travelled, so a frozen player standing on
    // the shell records nothing at travelled ticks. It comes before the wake zone, as the rider's
    // spikes were tested when the turtle was shown, before the player's influence.
    unsigned int poly = 0;
    if (player != nullptr && player->PolyOn(&poly) && onMap->GetGroup(poly) == moves[0].group)
        TrySpikeAttack(t);
    if (cover.Contains(playerPos))
        TryAttack(t);
}

int Plato_CaveTurtle::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    TryAttack(t);
    int const given = Target::Hit(t, damage, flags);
    ChangeDeathTime(GetDeathTime(hitPoints));
    return given;
}

int Plato_CaveTurtle::IsPlayerHit(Tick t, Pointf const* p)
{
    if (!Alive(t))
        return 0;
    if (spikes > 0.5 && !Util::Equal(spikes, 0.5) && Between(pos.x - 60.0, p->x, pos.x + 65.0)
        && Between(pos.y + 40.0, p->y, pos.y + 80.0))
        return 1;
    Tick s = 0;
    if (!chargeTimes->CheckDown(t, &s) || t != s + chargeTime)
        return 0;
    double const nx = home.x - distance + Turtle_NeckPos.x;
    return Between(nx - 40.0, p->x, nx + 10.0) && Between(home.y - Turtle_HeightFromGround - 10.0, p->y, home.y + 20.0)
               ? 1
               : 0;
}

bool Plato_CaveTurtle::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    double a = 0.0;
    double const x = PositionAtTime(t, nullptr, &a, false);
    out = Pointf(home.x + x + Turtle_NeckPos.x + 16.0 * std::sin(a) - 16.0 * std::cos(a),
                 home.y + Turtle_NeckPos.y + 16.0 * std::cos(a) + 16.0 * std::sin(a));
    return GetHitPoints(t, hitPoints) > 0;
}

void Plato_CaveTurtle::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    moves[0].newX = PositionAtTime(t, nullptr, nullptr, false);
    moves[0].newY = ShellDropAtTime(t);
    *orders = &moves;
}

void Plato_CaveTurtle::Render(Map const* map, Tick t) const
{
    if (GetHitPoints(t, hitPoints) <= 0)
        return;
    WorldTransform const* view = &map->view;
    headImg->Render(Add(pos, Turtle_NeckPos), headAngle, Turtle_HeadWidth, Turtle_HeadHeight,
                    Image_Right | Image_Bottom, view);

    Pointf a(0.0, -Turtle_HeightFromGround);
    Pointf b = a;
    double angleA = 0.0;
    double angleB = 0.0;
    if (frame >= 0 && frame < 512)
    {
        a.x = frame * Turtle_Stride / 512 - 10.0;
        angleA = std::atan2(-a.x, Turtle_HeightFromGround);
        double const h = Turtle_Lift * std::cos((frame - 256) * Util::QuarterTurn / 256);
        b = Pointf(-a.x, h - Turtle_HeightFromGround);
        angleB = std::atan2(-b.x, -b.y);
    }
    else if (frame >= 512)
    {
        b.x = (frame - 512) * Turtle_Stride / 512 - 10.0;
        angleB = std::atan2(-b.x, Turtle_HeightFromGround);
        double const h = Turtle_Lift * std::cos((frame - 768) * Util::QuarterTurn / 256);
        a = Pointf(-b.x, h - Turtle_HeightFromGround);
        angleA = std::atan2(-a.x, -a.y);
    }
    Pointf const front = Add(pos, Turtle_FrontLegPos);
    Pointf const back = Add(pos, Turtle_BackLegPos);
    Image_Render_Flags const flags = Image_Centre | Image_Bottom;
    backFootImg->Render(Add(front, a), angleA, Turtle_LegWidth, Turtle_LegHeight, flags, view);
    backFootImg->Render(Add(back, b), angleB, Turtle_LegWidth, Turtle_LegHeight, flags, view);
    frontFootImg->Render(Add(front, b), angleB, Turtle_LegWidth, Turtle_LegHeight, flags, view);
    frontFootImg->Render(Add(back, a), angleA, Turtle_LegWidth, Turtle_LegHeight, flags, view);

    if (Util::Equal(spikes, 0.0))
        return;
    for (int i = 0; i < Turtle_SpikeCount; i++)
    {
        double const th = Turtle_SpikeAngles[i];
        Pointf const at(pos.x + Turtle_SpikePos[i].x + Turtle_SpikeWidth * spikes * std::sin(th),
                        pos.y + Turtle_SpikePos[i].y + Turtle_SpikeHeight * spikes * std::cos(th));
        spikeImg->Render(at, th, Turtle_SpikeWidth, Turtle_SpikeHeight, flags, view);
    }
}

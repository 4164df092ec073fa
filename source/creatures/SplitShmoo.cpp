// SplitShmoo: the tree of blobs, its landing places and split times, and each blob's life.
#include "creatures/SplitShmoo.h"

#include "creatures/Shmoo.h"
#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr int Shmoo_FirstHitPoints = 32;
constexpr int Shmoo_FlightMask = 0x1F;
constexpr int Shmoo_FlightMin = 50;
constexpr double Shmoo_RiseFactor = 0.1;

// lo <= x <= hi, limits included within Eps.
bool Within(double x, double lo, double hi)
{
    return (lo <= x || Util::Equal(lo, x)) && (x <= hi || Util::Equal(x, hi));
}
} // namespace

Image* ShmooInst::downImg = nullptr;
Image* ShmooInst::upImg = nullptr;

ShmoosInfo::ShmoosInfo(double blobScale, double landRange) : range(landRange), scale(blobScale)
{
}

int ShmoosInfo::GetParent(int id)
{
    assert(id != 0 && "id != 0");
    return (id - 1) / 2;
}

int ShmoosInfo::GetHitPoints(int id)
{
    int generation = 0;
    for (int n = id + 1; n > 1; n >>= 1)
        ++generation;
    return Shmoo_FirstHitPoints >> generation;
}

bool ShmoosInfo::GetPos(Tick t, int id, Pointf* out, int* flying, bool playSound) const
{
    ShmooInfo const& node = nodes[id];
    *out = node.position;
    if (flying != nullptr)
        *flying = 0;
    if (node.splitTime == t && playSound && gameSounds != nullptr)
        gameSounds->Play(Sound_Boing, out, false, scale);
    if (node.splitTime != -1 && node.splitTime <= t)
        return false;
    for (int a = id; a != 0;)
    {
        a = GetParent(a);
        if (nodes[a].splitTime == -1 || nodes[a].splitTime > t)
            return false;
    }
    if (id == 0)
        return true;
    ShmooInfo const& parent = nodes[GetParent(id)];
    double const dt = t - parent.splitTime;
    if (dt < node.flightTime)
    {
        if (flying != nullptr)
            *flying = 1;
        out->x = parent.position.x + dt * (node.position.x - parent.position.x) / node.flightTime;
        double const fall = ShmooInst::Shmoo_FallAccell / 2.0;
        out->y = node.position.y + (dt * node.riseSpeed - dt * dt * fall) * scale;
    }
    return true;
}

ShmooInst::ShmooInst(ShmoosInfo* shmooTree, double blobScale, int nodeId)
    : Enemy(), Target(Sound_MonsterHit), scale(blobScale), id(nodeId), tree(shmooTree)
{
    double const halfW = Shmoo_Width / 2.0 * scale;
    double const halfH = Shmoo_Height / 2.0 * scale;
    rect = Rectf(-halfW, -halfH, halfW, halfH);
}

void ShmooInst::Initialise()
{
    Shmoo::LoadPictures(downImg, upImg);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Boing);
}

void ShmooInst::Finalise()
{
    Shmoo::FreePictures(downImg, upImg);
}

void ShmooInst::MoveToTime(Map const*, Tick t)
{
    // Only the step asks for the split sound: aiming reads the same positions at other times.
    shown = tree->GetPos(t, id, &position, &flying, true);
    if (IsDead(t))
        shown = false;
}

void ShmooInst::Render(Map const* map, Tick) const
{
    if (!shown)
        return;
    double const size = Shmoo_Width * scale;
    if (flying != 0)
        upImg->Render(position, 0.0, size, Shmoo_Height * scale, Image_Centre | Image_Middle, &map->view);
    else
        downImg->Render(position, 0.0, size, Shmoo_Height * scale, Image_Centre | Image_Bottom, &map->view);
}

void ShmooInst::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    double const d = playerPos->DistanceEst(&position);
    double const reach = Shmoo_AttackDist * scale;
    if (CanSplit(t) && d < reach && !Util::Equal(d, reach))
        tree->nodes[id].splitTime = t;
}

bool ShmooInst::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = tree->nodes[0].position;
    radius = 2.0 * tree->range * tree->scale;
    objScale = scale;
    return true;
}

int ShmooInst::IsPlayerHit(Tick, Pointf const* playerPos)
{
    if (!shown)
        return 0;
    return playerPos->DistanceEst(&position) < Shmoo_Hit_Dist * scale ? 1 : 0;
}

bool ShmooInst::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    return tree->GetPos(t, id, &out, nullptr, false) && !IsDead(t);
}

int ShmooInst::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    if (CanSplit(t))
        tree->nodes[id].splitTime = t;
    Tick const d = GetDeathTime(ShmoosInfo::GetHitPoints(id));
    return d != -1 ? NewDeathTime(d) : 0;
}

bool ShmooInst::CanSplit(Tick t) const
{
    if (!shown || id > ShmoosInfo::Shmoo_Last_Splitter || tree->nodes[id].splitTime != -1)
        return false;
    if (id > 0)
    {
        Tick const parentSplit = tree->nodes[ShmoosInfo::GetParent(id)].splitTime;
        assert(parentSplit != -1 && "parentSplit != GameEvent_HasntHappened");
        if (t < parentSplit + tree->nodes[id].flightTime + Shmoo_ResplitDelay)
            return false;
    }
    return true;
}

int ShmooInst::NewDeathTime(Tick t)
{
    int given = ChangeDeathTime(t);
    if (id <= ShmoosInfo::Shmoo_Last_Splitter)
        for (int which = 0; which < 2; ++which)
            given += tree->nodes[ShmoosInfo::GetChild(id, which)].blob->NewDeathTime(t);
    return given;
}

SplitShmoo::SplitShmoo(Map const* map, unsigned int ref, double range, double scale) : home(map->GetRefPoint(ref))
{
    // The landing-place draw repeats until it falls in range: with no range, or no finite spread,
    // it would never end.
    if (!(range >= 0.0) || !std::isfinite(scale))
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text, "%s: splitting shmoo at point %u: range %g and scale %g give no landing place",
                      map->GetFileName(), ref, range, scale);
        throw Error(Error_ParseFile, text);
    }
    tree = new ShmoosInfo(scale, range);
    // The draws stay in this order, node by node: the worlds' later draws follow them.
    for (int i = 0; i < Shmoo_Total_Count; ++i)
    {
        ShmooInfo& node = tree->nodes[i];
        node.blob = new ShmooInst(tree, scale, i);
        if (i == 0)
            node.position = home;
        else
        {
            Pointf const from = tree->nodes[ShmoosInfo::GetParent(i)].position;
            double x = 0.0;
            do
                x = from.x + ((std::rand() & 0xFF) - 128) * scale;
            while (!Within(x, home.x - range, home.x + range));
            node.position = Pointf(x, from.y);
        }
        node.flightTime = (std::rand() & Shmoo_FlightMask) + Shmoo_FlightMin;
        node.riseSpeed = node.flightTime * Shmoo_RiseFactor;
    }
}

SplitShmoo::~SplitShmoo()
{
    for (ShmooInfo& node : tree->nodes)
        delete node.blob;
    delete tree;
}

ShmooInst* SplitShmoo::GetShmoo(int i) const
{
    assert(i >= 0 && i < Shmoo_Total_Count && "i >= 0 && i < Shmoo_Total_Count");
    return tree->nodes[i].blob;
}

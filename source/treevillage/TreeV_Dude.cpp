// TreeV_Dude: villager sprites, the stroll step and replay through the key-frame log.
#include "treevillage/TreeV_Dude.h"

#include "engine/CharStats.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cstdio>

namespace
{
bool FacesRight(TreeV_Dude_Id id)
{
    return id == 5 || id == 9 || id == 11 || id == 12 || id == 16 || id == 17;
}

char const* const TreeV_Dude_SingleImages[] = {
    "gfx/treevillage/dudes/doctor.png",      "gfx/treevillage/dudes/king.png",
    "gfx/treevillage/dudes/wiseman.png",     "gfx/treevillage/dudes/dudesmall00.png",
    "gfx/treevillage/dudes/dudesmall01.png", "gfx/treevillage/dudes/dudesmall02.png",
    "gfx/treevillage/dudes/dudesmall03.png",
};

TreeV_Dude const* Checked(TreeV_Dude const* dude)
{
    assert(dude->stats != nullptr && "dude->stats != NULL");
    return dude;
}
} // namespace

bool TreeV_Dude_Roving(TreeV_Dude_Id id)
{
    return id == 2 || id == 3 || id == 14 || id == 25;
}

TreeV_Dude::TreeV_Dude(Map const* map, TreeV_Dude_Id id, int startRp) : Dude(map, id, startRp)
{
    assert(id >= 0 && id < TreeV_Dude_Count && "id >= 0 && id < TreeV_Dude_Count");
    type = TreeV_Dude_Types[id];
    keys = 0;
    startFacing = FacesRight(id) ? RightFrame : LeftFrame;
    frame = startFacing;
    stats->width = TreeV_Dude_Width;
    stats->height = TreeV_Dude_Height;
    stats->accel = 0.06;
    stats->decel = 0.2;
    stats->maxSpeed = 2.0;
    stats->gravity = 0.2;
    stats->jumpSpeed = 6.0;
    stats->jumpDecay = 0.1;
    stats->hearts = 1;
    stats->frameCount = (type >= 0 && type <= 3) ? TreeV_Dude_NumFrames : 1;
    stats->frameDist = TreeV_Dude_FrameRate;
    if (TreeV_Dude_Roving(id))
    {
        // The stroll's limits are read at every step: a map without them is refused now.
        map->GetRefPoint(static_cast<unsigned int>(TreeV_Dude_RoveLimits[id][0]));
        map->GetRefPoint(static_cast<unsigned int>(TreeV_Dude_RoveLimits[id][1]));
        dudeFlags = Dude_Busy;
    }
    // Marbles walks by his game's records: without re-simulation he would walk on from wherever
    // the clock was travelled to.
    if (TreeV_Dude_Roving(id) || id == TreeV_Dude_Marbles)
    {
        timeLog = new TimeLog<TreeV_Dude>();
        timeLog->Init(this);
    }
}

TreeV_Dude::TreeV_Dude(TreeV_Dude const* other) : Dude(Checked(other))
{
    roveState = other->roveState;
    type = other->type;
}

TreeV_Dude::~TreeV_Dude()
{
    delete timeLog;
}

TreeV_Dude& TreeV_Dude::operator=(TreeV_Dude const& other)
{
    if (this == &other)
        return *this;
    Dude::operator=(other);
    roveState = other.roveState;
    type = other.type;
    return *this;
}

void TreeV_Dude::Initialise()
{
    for (auto const& row : dudeImgs)
        for (Image const* image : row)
            assert(image == nullptr && "dudeImgs[type][frame] == NULL");
    // A missing picture leaves nothing loaded behind it.
    try
    {
        char name[64];
        for (int r = 0; r < 4; r++)
            for (int f = 0; f < TreeV_Dude_MaxFrames; f++)
            {
                std::snprintf(name, sizeof name, "gfx/treevillage/dudes/treedude%c0%c.png", 'A' + r, '0' + f);
                dudeImgs[r][f] = new Image(name, 0, false);
            }
        for (int r = 4; r < TreeV_Dude_TypeCount; r++)
            dudeImgs[r][0] = new Image(TreeV_Dude_SingleImages[r - 4], 0, false);
    }
    catch (...)
    {
        Finalise();
        throw;
    }
}

void TreeV_Dude::Finalise()
{
    for (auto& row : dudeImgs)
        for (Image*& image : row)
        {
            delete image;
            image = nullptr;
        }
}

void TreeV_Dude::MoveToTime(Map const* map, Tick t)
{
    MoveToTime(map, t, Object_Step{});
}

void TreeV_Dude::MoveToTime(Map const* map, Tick t, Object_Step const& step)
{
    if (timeLog == nullptr)
    {
        Move(map, t);
        if (type != TreeV_Dude_NoType)
            FaceFromTalk(t);
        return;
    }
    *this = *timeLog->GetPos(map, t, step);
}

void TreeV_Dude::Move(Map const* map, Tick t)
{
    if (type == TreeV_Dude_NoType)
        return;
    if (TreeV_Dude_Roving(talkId))
        Roving(map, t);
    else
        Character::Move(map);
    Dude::Move(map, t);
}

void TreeV_Dude::Roving(Map const* map, Tick t)
{
    std::int32_t const r = Util::Random(t);
    if (talkedFromLeft->Check(t - 1) || talkedFromRight->Check(t - 1))
    {
        keys = 0;
        return;
    }
    keys = 0;
    if (roveState == 1)
        keys = Character_Right;
    else if (roveState == 2)
        keys = Character_Left;
    Character::Move(map);
    Pointf const left = map->GetRefPoint(static_cast<unsigned int>(TreeV_Dude_RoveLimits[talkId][0]));
    Pointf const right = map->GetRefPoint(static_cast<unsigned int>(TreeV_Dude_RoveLimits[talkId][1]));
    switch (roveState)
    {
    case 1:
        if (right.x < pos.x - Util::Eps)
            roveState = 2;
        if ((r & 0xFF) == 86)
            roveState = 0;
        break;
    case 2:
        if (pos.x < left.x - Util::Eps)
            roveState = 1;
        if ((r & 0xFF) == 86)
            roveState = 0;
        break;
    default:
        if ((r & 0xFF) == 54)
            roveState = (r & 0x1FF) < 256 ? 1 : 2;
        break;
    }
}

void TreeV_Dude::Render(Map const* map, Tick) const
{
    if (type == TreeV_Dude_NoType)
        return;
    std::uint32_t const column = frame & FrameMask;
    Image const* image = column < TreeV_Dude_MaxFrames ? dudeImgs[type][column] : nullptr;
    if (image == nullptr)
        image = dudeImgs[type][0];
    RenderChar(map, image);
}

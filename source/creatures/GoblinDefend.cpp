// GoblinDefend: its decisions, blocks, rock flights and drawing, all read from its tick records.
#include "creatures/GoblinDefend.h"

#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "media/ImageFrames.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace
{
char const* const goblinbasefile = "gfx/goblindefend/goblin";
char const* const rockfile = "gfx/goblindefend/rock.png";

constexpr double Rock_Gravity = 0.05;      // half the fall per tick squared
constexpr double Rock_ShortBy = 20.0;      // a rock lands this much short of where the player was
constexpr double Rock_LandDepth = 64.0;    // it flies on until this far below the goblin
constexpr double Goblin_StandRaise = 16.0; // the given point is its feet
constexpr int Goblin_WindUpLate = 12;      // the last ticks of a wind-up show frame 3

// a < b, values within Eps of each other counting as equal.
bool Below(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}
} // namespace

Image* GoblinDefend::frames[Goblin_Frame_Count] = {};
Image* GoblinDefend::rockFrame = nullptr;

GoblinDefend::GoblinDefend(Pointf p, int startHitPoints)
    : EnemyTarget(startHitPoints, Sound_MonsterHit), faceLeftTimes(new TimeSet()), faceRightTimes(new TimeSet()),
      blockTimes(new TimeSet()), throwTimes(new TimeSet()), seenTimes(new TimeSet()), pos(p.x, p.y + Goblin_StandRaise)
{
    rect = Rectf(-Goblin_Width / 2.0, -Goblin_Height / 2.0, Goblin_Width / 2.0, Goblin_Height / 2.0);
}

GoblinDefend::~GoblinDefend()
{
    for (TimeSet* set : {faceLeftTimes, faceRightTimes, blockTimes, throwTimes, seenTimes})
        set->Destroy();
}

void GoblinDefend::Initialise()
{
    assert(rockFrame == nullptr && "rockFrame == NULL");
    LoadImageFrames(frames, Goblin_Frame_Count, goblinbasefile, Image_Mask);
    try
    {
        rockFrame = new Image(rockfile, Image_Mask, false);
    }
    catch (...)
    {
        Finalise();
        throw;
    }
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_MonsterHit);
}

void GoblinDefend::Finalise()
{
    FreeImageFrames(frames, Goblin_Frame_Count);
    delete rockFrame;
    rockFrame = nullptr;
}

void GoblinDefend::MoveToTime(Map const*, Tick)
{
}

void GoblinDefend::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    playerLeft = pos.x - playerPos->x >= Util::Eps;
    double const d = playerPos->DistanceEst(&pos);
    if (Below(Goblin_NoticeDist, d))
        return;
    // A tick already facing the other way keeps it: a block or an earlier pass put it there.
    if (playerLeft && !faceRightTimes->Check(t))
        faceLeftTimes->Add(t);
    if (!playerLeft && !faceLeftTimes->Check(t))
        faceRightTimes->Add(t);
    // Ticks lived near the player are in seenTimes, so a throw is only ever decided on ticks
    // whose wind-up no earlier pass has lived: after a travel back the recorded throws repeat
    // and no new ones come in between.
    TimeRange const windUp(t, t + Goblin_ThrowTime);
    if (Below(d, Goblin_ThrowDist) && (std::rand() & Goblin_ThrowChance) == Goblin_ThrowDraw
        && !blockTimes->CheckRange(windUp) && !seenTimes->CheckRange(windUp))
    {
        rocks.AddItem(new Goblin_Rock(t + Goblin_ThrowTime, static_cast<int>(d), faceLeftTimes->Check(t)));
        rocks.SortList();
        throwTimes->AddRange(windUp);
        seenTimes->AddRange(windUp);
    }
    seenTimes->Add(t);
}

bool GoblinDefend::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = 4.0 * (frames[0] != nullptr ? frames[0]->GetWidth() : Goblin_Width);
    objScale = 1.0;
    return true;
}

int GoblinDefend::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    TimeRange const block(t - Goblin_BlockBefore, t + Goblin_BlockAfter);
    bool const fromRight = (flags & Target_Hit_FromRight) != 0;
    bool guarded = false;
    if (!fromRight)
        guarded = faceLeftTimes->Check(t) || (!faceRightTimes->Check(t) && playerLeft);
    else
        guarded = faceRightTimes->Check(t) || (!faceLeftTimes->Check(t) && !playerLeft);
    if (guarded && !throwTimes->CheckRange(block))
    {
        blockTimes->AddRange(block);
        (fromRight ? faceRightTimes : faceLeftTimes)->AddRange(block);
        return 0;
    }
    return EnemyTarget::Hit(t, damage, flags);
}

int GoblinDefend::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    if (playerPos->DistanceEst(&pos) < Goblin_Hit_Dist)
        return 1;
    bool hit = false;
    ForRocks(t, [&](Pointf const& rock) { hit = hit || playerPos->DistanceEst(&rock) < Goblin_RockHitDist; });
    return hit ? 1 : 0;
}

bool GoblinDefend::GetTargetPos(Map const*, Tick t, Pointf& p) const
{
    p = pos;
    return AliveAt(t);
}

bool GoblinDefend::FindThrowPos(Tick t, Tick release, Pointf& p, int distance, bool left) const
{
    Tick const dTime = t - release;
    assert(dTime >= 0 && "dTime >= 0");
    // Thrown nearer than it falls short, a rock has no arc at all.
    if (distance < Rock_ShortBy)
        return false;
    // A 45 degree throw that comes back to the goblin's height distance - 20 away.
    double const v = std::sqrt((distance - Rock_ShortBy) * Rock_Gravity);
    double const dt = dTime;
    p.x = left ? pos.x - dt * v : pos.x + dt * v;
    p.y = pos.y + dt * v - Rock_Gravity * dt * dt;
    double const lowest = p.y + Rock_LandDepth;
    return lowest > pos.y || Util::Equal(lowest, pos.y);
}

template <class Use>
void GoblinDefend::ForRocks(Tick t, Use use) const
{
    Goblin_Rock const oldest(t - Goblin_RockLife, 0, false);
    Goblin_Rock const newest(t, 0, false);
    int first = rocks.FindItem(&oldest);
    if (first < 0)
        first = 0;
    int const last = rocks.FindItem(&newest);
    for (int i = first; i <= last; ++i)
    {
        Goblin_Rock const* rock = rocks[i];
        if (rock == nullptr || t > rock->release + Goblin_RockLife)
            continue;
        Pointf at;
        if (!FindThrowPos(t, rock->release, at, rock->distance, rock->left))
            continue;
        // Rocks let go before its death fly on; it throws none after.
        if (deathTime != -1 && rock->release > deathTime)
            return;
        use(at);
    }
}

int GoblinDefend::RocksAt(Tick t, Pointf* out, int outSize) const
{
    int n = 0;
    ForRocks(t, [&](Pointf const& rock) {
        if (n < outSize)
            out[n] = rock;
        ++n;
    });
    return n;
}

bool GoblinDefend::FacingLeftAt(Tick t) const
{
    return faceLeftTimes->Check(t) || (!faceRightTimes->Check(t) && playerLeft);
}

bool GoblinDefend::FacedAt(Tick t) const
{
    return faceLeftTimes->Check(t) || faceRightTimes->Check(t);
}

int GoblinDefend::FrameAt(Tick t) const
{
    if (blockTimes->Check(t))
        return 1;
    Goblin_Rock const now(t, 0, false);
    int const next = rocks.FindItem(&now) + 1;
    if (next >= rocks.Count() || rocks[next] == nullptr)
        return 0;
    Tick const toRelease = rocks[next]->release - t;
    if (toRelease < Goblin_WindUpLate)
        return 3;
    if (toRelease < Goblin_ThrowTime)
        return 2;
    return 0;
}

void GoblinDefend::Render(Map const* map, Tick t) const
{
    RenderGoblin(map, t);
    RenderRocks(map, t);
}

void GoblinDefend::RenderGoblin(Map const* map, Tick t) const
{
    if (!AliveAt(t))
        return;
    Image_Render_Flags const flags = Image_Centre | Image_Middle | (FacingLeftAt(t) ? Image_MirrorX : 0);
    Image const* image = frames[FrameAt(t)];
    assert(image != nullptr && "frames[frame] != NULL");
    image->Render(pos, 0.0, Goblin_Width, Goblin_Height, flags, &map->view);
}

void GoblinDefend::RenderRocks(Map const* map, Tick t) const
{
    ForRocks(t,
             [&](Pointf const& rock) { rockFrame->Render(rock, 0.0, 1.0, Image_Centre | Image_Middle, &map->view); });
}

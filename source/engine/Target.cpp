// Target: time-stamped hits and noises, and the frame drawn around a target being aimed at.
#include "engine/Target.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "util/Pointf.h"

#include <GL/gl.h>

#include <limits>

namespace
{
constexpr int Target_ListSize = 32;

PtrListSorted<HitInfo>* NewHitList()
{
    return new PtrListSorted<HitInfo>(PtrList_Variable, Target_ListSize);
}

void AddRecord(PtrListSorted<HitInfo>* list, Tick t, int damage, Target_Hit_Flags flags)
{
    list->AddItem(new HitInfo(t, damage, flags));
    list->SortList();
}

// The index of the latest record at or before t, or -1.
int Floor(PtrListSorted<HitInfo> const* list, Tick t)
{
    HitInfo const key(t, 0, 0);
    return list->FindItem(&key);
}
} // namespace

Target::Target(Sound_Id hitSound) : hits(NewHitList()), noises(NewHitList()), sound(hitSound)
{
    if (gameSounds != nullptr)
        gameSounds->InitSound(sound);
}

Target::Target(Target const* other) : hits(other->hits), noises(other->noises), rect(other->rect), sound(other->sound)
{
    hits->TakeRef();
    noises->TakeRef();
}

Target& Target::operator=(Target const& other)
{
    // Replay copies assign from states that already share these lists; taking the new
    // references before dropping the old keeps the counts right in every other case too.
    if (hits != other.hits)
    {
        other.hits->TakeRef();
        hits->Destroy();
        hits = other.hits;
    }
    if (noises != other.noises)
    {
        other.noises->TakeRef();
        noises->Destroy();
        noises = other.noises;
    }
    rect = other.rect;
    sound = other.sound;
    return *this;
}

Target::~Target()
{
    hits->Destroy();
    noises->Destroy();
}

int Target::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    AddRecord(hits, t, damage, flags);
    return 0;
}

bool Target::GetTargetPos(Map const*, Tick, Pointf&) const
{
    return false;
}

void Target::NoiseHit(Tick t)
{
    AddRecord(noises, t, 0, 0);
}

void Target::MakeNoiseFrom(Map const* map, Tick t)
{
    int const i = Floor(noises, t);
    if (i == -1 || (*noises)[i]->time != t)
        return;
    Pointf pos(0.0, 0.0);
    GetTargetPos(map, t, pos);
    if (gameSounds != nullptr)
        gameSounds->Play(sound, &pos, false, 1.0);
}

int Target::GetHitPoints(Tick t, int start) const
{
    int left = start;
    for (int i = 0; i < hits->Count(); i++)
    {
        HitInfo const* hit = (*hits)[i];
        if (hit == nullptr)
            continue;
        if (hit->time > t)
            break;
        left -= hit->damage;
    }
    return left < 0 ? 0 : left;
}

Tick Target::GetDeathTime(int hitPoints) const
{
    int left = hitPoints;
    for (int i = 0; i < hits->Count(); i++)
    {
        HitInfo const* hit = (*hits)[i];
        if (hit == nullptr)
            continue;
        left -= hit->damage;
        if (left <= 0 || hitPoints < 1)
            return hit->time;
    }
    return GameEvent_HasntHappened;
}

bool Target::BeenHit(Tick t, Tick* when) const
{
    int const i = Floor(hits, t);
    if (i == -1)
        return false;
    if (when != nullptr)
        *when = (*hits)[i]->time;
    return true;
}

bool Target::HitFrom(Tick t, Tick* when) const
{
    // The record after the latest one before t, past any empty slots at the end.
    int i = t == std::numeric_limits<Tick>::min() ? 0 : Floor(hits, t - 1) + 1;
    while (i < hits->Count() && (*hits)[i] == nullptr)
        i++;
    if (i >= hits->Count())
        return false;
    if (when != nullptr)
        *when = (*hits)[i]->time;
    return true;
}

bool Target::GotHit(Tick t) const
{
    int const i = Floor(hits, t);
    return i != -1 && (*hits)[i]->time == t;
}

bool Target::HitClash(Tick t, int gap) const
{
    // Widened so that ticks near the ends of the range cannot wrap.
    long long const before = static_cast<long long>(t) - gap;
    long long const after = static_cast<long long>(t) + gap;
    int const i = Floor(hits, t);
    if (i != -1 && (*hits)[i]->time > before)
        return true;
    for (int j = i + 1; j < hits->Count(); j++)
    {
        HitInfo const* next = (*hits)[j];
        if (next != nullptr)
            return next->time < after;
    }
    return false;
}

void Target::RemoveHits()
{
    // Replay copies may still hold the old list: drop only this holder's reference.
    hits->Destroy();
    hits = NewHitList();
}

void Target::RenderHighlight(Map const* map, Tick t, Character_Highlight h) const
{
    Pointf pos(0.0, 0.0);
    GetTargetPos(map, t, pos);

    glDisable(GL_TEXTURE_2D);
    switch (h)
    {
    case 1:
        glLineWidth(2.0f);
        glColor4f(0.5f, 0.0f, 0.0f, 1.0f);
        break;
    case 2:
        glLineWidth(3.0f);
        glColor4f(0.7f, 0.0f, 0.0f, 1.0f);
        break;
    case 3:
        glLineWidth(3.0f);
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        break;
    default:
        glLineWidth(1.0f);
        glColor4f(0.0f, 0.0f, 0.0f, 0.4f);
        break;
    }
    Pointf const low = map->WorldToScreen(pos + Pointf(rect.x0, rect.y0));
    Pointf const high = map->WorldToScreen(pos + Pointf(rect.x1, rect.y1));
    glBegin(GL_LINE_LOOP);
    glVertex2f(static_cast<float>(low.x), static_cast<float>(low.y));
    glVertex2f(static_cast<float>(high.x), static_cast<float>(low.y));
    glVertex2f(static_cast<float>(high.x), static_cast<float>(high.y));
    glVertex2f(static_cast<float>(low.x), static_cast<float>(high.y));
    glEnd();
}

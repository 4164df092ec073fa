// The level's object lists: culling, per-step passes and reach queries.
#include "engine/ObjectList.h"

#include "engine/Character.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Dude.h"
#include "engine/Enemy.h"
#include "engine/HangOn.h"
#include "engine/Map.h"
#include "engine/Object.h"
#include "engine/PickUp.h"
#include "engine/Sign.h"
#include "engine/Target.h"
#include "engine/Teleport.h"
#include "util/Util.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace
{

constexpr int ObjectList_InitialSize = 32;
constexpr double Collect_Distance = 24.0;
constexpr double Chest_Distance = 24.0;
constexpr double ObjectActive_Ratio = 0.0625;
constexpr double EnemyActive_Ratio = 0.125;
constexpr double Active_ScreenDistance = 640.0;
constexpr double Visible_TargetRange = 2500.0;
constexpr Tick Target_LookAhead = 60;
constexpr double Interact_StartBest = 10000.0;

// Strictly nearer than reach: a distance equal to reach within the tolerance is out.
bool Within(double distance, double reach)
{
    return distance < reach && std::fabs(distance - reach) >= Util::Eps;
}

bool Within(Pointf const& a, Pointf const& b, double reach)
{
    return Within(a.DistanceEst(&b), reach);
}

// The view as culling reads it: its scale and its centre (MapBase::GetPos), worked out as that
// does, once for a pass over every object.
struct Cull_View
{
    double scale;
    double x;
    double y;
};

Cull_View ViewOf(Map const* map)
{
    double const scale = map->view.scale;
    return Cull_View{scale, map->view.x + 320.0 / scale, map->view.y + 240.0 / scale};
}

// Whether a thing is near enough to the view, and large enough on screen, to be active. Objects
// and enemies answer alike, each kind with its own least ratio; one that does not cull itself
// is always active.
template <class Thing>
bool ActiveNearView(Cull_View const& view, Thing const* thing, double minRatio)
{
    Pointf centre;
    double radius = 0.0;
    double scale = 1.0;
    if (!thing->ActivePoint(centre, radius, scale))
        return true;
    // Most things are at scale 1, where the ratio is the view's scale exactly.
    double const ratio = scale == 1.0 ? view.scale : view.scale / scale;
    if (ratio < minRatio && std::fabs(ratio - minRatio) >= Util::Eps)
        return false;
    // The distance from the view's centre as Pointf::DistanceEst works it out.
    double const distance = std::fabs(view.x - centre.x) + std::fabs(view.y - centre.y);
    // The distance in whole screen units (truncated toward zero) is under a whole number of them
    // exactly when the distance itself is, so it is compared untruncated; kept in floating point
    // so that far things cannot overflow.
    static_assert(Active_ScreenDistance == double(int(Active_ScreenDistance)));
    return view.scale * (distance - radius) < Active_ScreenDistance;
}

template <class T>
void Append(PtrList<T>& list, T* item)
{
    if (item != nullptr)
        list.AddItem(item);
}

// Things of a kind are also objects, moved and drawn with all the others.
template <class T>
void AppendBoth(PtrList<Object>& all, PtrList<T>& kind, T* item)
{
    if (item == nullptr)
        return;
    all.AddItem(item);
    kind.AddItem(item);
}

} // namespace

ObjectList::ObjectList()
    : triedLockedCollectable(false), objects(PtrList_Variable, ObjectList_InitialSize),
      collectables(PtrList_Variable, ObjectList_InitialSize), targets(PtrList_Variable, ObjectList_InitialSize),
      dudes(PtrList_Variable, ObjectList_InitialSize), enemies(PtrList_Variable, ObjectList_InitialSize),
      pickups(PtrList_Variable, ObjectList_InitialSize), teleports(PtrList_Variable, ObjectList_InitialSize),
      hangons(PtrList_Variable, ObjectList_InitialSize), chests(PtrList_Variable, ObjectList_InitialSize),
      signs(PtrList_Variable, ObjectList_InitialSize)
{
    objects.owns = false;
    collectables.owns = false;
    targets.owns = false;
    dudes.owns = false;
    enemies.owns = false;
    pickups.owns = false;
    hangons.owns = false;
    chests.owns = false;
    signs.owns = false;
}

ObjectList::~ObjectList() = default;

void ObjectList::AddObject(Object* object)
{
    Append(objects, object);
}

void ObjectList::AddObject(Collectable* collectable)
{
    AppendBoth(objects, collectables, collectable);
}

void ObjectList::AddObject(PickUp* pickUp)
{
    AppendBoth(objects, pickups, pickUp);
}

void ObjectList::AddObject(Chest* chest)
{
    AppendBoth(objects, chests, chest);
}

void ObjectList::AddObject(Sign* sign)
{
    AppendBoth(objects, signs, sign);
}

void ObjectList::AddObject(Dude* dude)
{
    AppendBoth(objects, dudes, dude);
}

void ObjectList::AddTarget(Target* target)
{
    Append(targets, target);
}

void ObjectList::AddEnemy(Enemy* enemy)
{
    Append(enemies, enemy);
}

void ObjectList::AddTeleport(Teleport* teleport)
{
    Append(teleports, teleport);
}

void ObjectList::AddHangOn(HangOn* hangOn)
{
    Append(hangons, hangOn);
}

bool ObjectList::IsActive(Map const* map, Object const* object) const
{
    return ActiveNearView(ViewOf(map), object, ObjectActive_Ratio);
}

bool ObjectList::IsActive(Map const* map, Enemy const* enemy) const
{
    return ActiveNearView(ViewOf(map), enemy, EnemyActive_Ratio);
}

void ObjectList::MoveToTime(Map const* map, Tick t)
{
    MoveToTime(map, t, Object_Step{});
}

void ObjectList::MoveToTime(Map const* map, Tick t, Object_Step const& step)
{
    // Objects move against a map they cannot change, so the view stands through the pass.
    Cull_View const view = ViewOf(map);
    if (step.groups != nullptr)
    {
        step.groups->StartPass(t);
        Resimulate(map, t, step);
    }
    // Each object is culled or not as it comes to its turn: an object moved before it may change
    // whether it is in view.
    for (int i = 0; i < objects.Count(); i++)
    {
        Object* object = objects[i];
        if (object == nullptr)
            continue;
        if (ActiveNearView(view, object, ObjectActive_Ratio))
            object->MoveToTime(map, t, step);
        else
            object->Sleep(map, t, step);
    }
    // Targets make their noises even while culled.
    for (int i = 0; i < targets.Count(); i++)
    {
        if (targets[i] != nullptr)
            targets[i]->MakeNoise(map, t);
    }
}

void ObjectList::Resimulate(Map const* map, Tick t, Object_Step const& step)
{
    runs.clear();
    Tick first = 0;
    Tick last = -1;
    Cull_View const view = ViewOf(map);
    for (int i = 0; i < objects.Count(); i++)
    {
        Tick from = 0;
        Tick to = 0;
        if (objects[i] == nullptr || !objects[i]->PlansMoves() || !ActiveNearView(view, objects[i], ObjectActive_Ratio)
            || !objects[i]->PlanMove(map, t, step, from, to))
            continue;
        first = runs.empty() ? from : std::min(first, from);
        last = runs.empty() ? to : std::max(last, to);
        runs.push_back({objects[i], from, to});
    }
    bool const gridOnly = std::all_of(runs.begin(), runs.end(),
                                      [](Planned_Run const& run) { return run.object->PlannedStepsAskGrid(); });
    for (Tick k = first + 1; k <= last; k++)
    {
        bool placed = false;
        for (Planned_Run const& run : runs)
        {
            if (k <= run.from || k > run.to)
                continue;
            if (!placed)
            {
                if (gridOnly)
                    step.groups->PlaceGroupsForGrid(k - 1);
                else
                    step.groups->PlaceGroups(k - 1);
            }
            placed = true;
            run.object->StepPlanned(map, k);
        }
    }
    for (Planned_Run const& run : runs)
        run.object->FinishPlanned();
    if (!runs.empty())
        step.groups->RestoreGroups();
}

void ObjectList::Influence(Tick t, Pointf const* playerPos)
{
    for (int i = 0; i < objects.Count(); i++)
    {
        if (objects[i] != nullptr)
            objects[i]->PlayerAtPos(t, playerPos);
    }
}

void ObjectList::Render(Map const* map, Tick t)
{
    Cull_View const view = ViewOf(map);
    for (int i = 0; i < objects.Count(); i++)
    {
        Object const* object = objects[i];
        if (object != nullptr && ActiveNearView(view, object, ObjectActive_Ratio))
            object->Render(map, t);
    }
}

void ObjectList::RenderFore(Map const* map, Tick t)
{
    Cull_View const view = ViewOf(map);
    for (int i = 0; i < objects.Count(); i++)
    {
        Object const* object = objects[i];
        if (object != nullptr && ActiveNearView(view, object, ObjectActive_Ratio))
            object->RenderFore(map, t);
    }
}

Collectable* ObjectList::FindCollectable(Tick t, Pointf const* pos)
{
    for (int i = 0; i < collectables.Count(); i++)
    {
        Collectable* item = collectables[i];
        if (item == nullptr || !Within(item->GetPosAtTime(t), *pos, Collect_Distance))
            continue;
        if (item->CanCollectAtTime(t))
        {
            item->SetPlayerHolding(true);
            return item;
        }
        triedLockedCollectable = true;
    }
    return nullptr;
}

Chest* ObjectList::FindChest(Tick, Pointf const* pos)
{
    for (int i = 0; i < chests.Count(); i++)
    {
        Chest* chest = chests[i];
        if (chest == nullptr)
            continue;
        Pointf point;
        double scale = 1.0;
        if (chest->Openable(point, scale) && Within(point, *pos, Chest_Distance * scale))
            return chest;
    }
    return nullptr;
}

char const* ObjectList::FindSign(Tick t, Pointf const* pos)
{
    for (int i = 0; i < signs.Count(); i++)
    {
        Sign* sign = signs[i];
        if (sign != nullptr && Within(sign->GetPos(t), *pos, ReadSign_Distance))
            return sign->GetText();
    }
    return nullptr;
}

PtrList<Target>* ObjectList::GetVisibleTargets(Map const* map, Tick t, Character const* viewer, Target** nearest,
                                               double scale) const
{
    PtrList<Target>* visible = new PtrList<Target>(PtrList_Variable, ObjectList_InitialSize);
    visible->owns = false;
    double best = Visible_TargetRange * scale;
    for (int i = 0; i < targets.Count(); i++)
    {
        Target* target = targets[i];
        if (target == nullptr || !viewer->IsVisible(map, t, target, scale))
            continue;
        Pointf ahead;
        if (!target->GetTargetPos(map, t + Target_LookAhead, ahead))
            continue;
        visible->AddItem(target);
        double const distance = viewer->DistanceEst(map, t, target);
        if (distance < best)
        {
            best = distance;
            if (nearest != nullptr)
                *nearest = target;
        }
    }
    if (visible->Count() == 0)
    {
        delete visible;
        return nullptr;
    }
    return visible;
}

int ObjectList::IsPlayerHit(Map const* map, Tick t, Pointf const* pos) const
{
    int most = 0;
    Enemy* hitter = nullptr;
    Cull_View const view = ViewOf(map);
    for (int i = 0; i < enemies.Count(); i++)
    {
        Enemy* enemy = enemies[i];
        if (enemy == nullptr || !ActiveNearView(view, enemy, EnemyActive_Ratio))
            continue;
        int const damage = enemy->IsPlayerHit(t, pos);
        if (damage > most)
        {
            most = damage;
            hitter = enemy;
        }
    }
    if (hitter != nullptr)
        hitter->TakenHit(t, most);
    return most;
}

bool ObjectList::Interact(Character const* talker, Dude** dude) const
{
    *dude = nullptr;
    double best = Interact_StartBest;
    for (int i = 0; i < dudes.Count(); i++)
    {
        Dude* candidate = dudes[i];
        int talkerId = 0;
        if (candidate == nullptr || !candidate->Chat(talkerId))
            continue;
        double distance = DBL_MAX;
        if (!talker->CanChatTo(candidate, Character_ChatType(0), &distance))
            continue;
        if (Within(distance, best))
        {
            *dude = candidate;
            best = distance;
        }
    }
    return *dude != nullptr;
}

bool ObjectList::FindTeleport(Map const* map, Character const* traveller, unsigned int& destination) const
{
    Pointf const p = traveller->GetPos();
    for (int i = 0; i < teleports.Count(); i++)
    {
        Teleport const* teleport = teleports[i];
        if (teleport == nullptr)
            continue;
        if (Within(p, map->GetRefPoint(teleport->refIdA), teleport->distance))
        {
            destination = teleport->refIdB;
            return true;
        }
        if (Within(p, map->GetRefPoint(teleport->refIdB), teleport->distance))
        {
            destination = teleport->refIdA;
            return true;
        }
    }
    return false;
}

bool ObjectList::FindHangon(Map const* map, Character const* hanger, HangOn** found, HangOn* exclude) const
{
    Pointf const p = hanger->GetPos();
    HangOn* best = nullptr;
    double bestDistance = 0.0;
    for (int i = 0; i < hangons.Count(); i++)
    {
        HangOn* hangOn = hangons[i];
        if (hangOn == nullptr || hangOn == exclude)
            continue;
        double const distance = p.DistanceEst(&hangOn->hangPos);
        if (!Within(distance, HangOn_GrabDist) || (best != nullptr && distance >= bestDistance))
            continue;
        unsigned int poly = 0;
        if (map->CheckPoint(&hangOn->hangPos, poly, false, 0))
            continue;
        best = hangOn;
        bestDistance = distance;
    }
    if (best == nullptr)
        return false;
    *found = best;
    return true;
}

PickUp* ObjectList::FindPickUp(Pointf const* pos, PickUp const* after, Tick t) const
{
    int first = 0;
    if (after != nullptr)
    {
        first = pickups.GetPos(after);
        if (first < 0)
            return nullptr;
        first++;
    }
    for (int i = first; i < pickups.Count(); i++)
    {
        PickUp* pickUp = pickups[i];
        if (pickUp != nullptr && pickUp->CanCollect(t) && Within(pickUp->GetPos(), *pos, PickUp_Distance))
            return pickUp;
    }
    return nullptr;
}

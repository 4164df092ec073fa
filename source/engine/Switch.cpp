// Switch: pressing the plate and the plate's travel as a function of the tick.
#include "engine/Switch.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Switch_Blocker.h"
#include "engine/TimeSet.h"
#include "util/Util.h"

#include <cassert>
#include <vector>

namespace
{
constexpr int Switch_ListSize = 4;
// Ticks for a full stroke: Switch_DropDist at Switch_MoveSpeed.
constexpr Tick Switch_Stroke = 20;
} // namespace

Switch::Switch(Player const* presser, Map* map, unsigned int plateGroup, double plateScale)
    : group(plateGroup), moves(1), blockers(PtrList_Variable, Switch_ListSize), player(presser), scale(plateScale)
{
    activeTimes = new TimeSet();
    blockers.owns = false;
    moves[0].kind = MoveObject_Translate;
    moves[0].group = group;
    Rectf const cover(0.0, -Switch_DropDist * scale, 0.0, 0.0);
    map->SetGroupCover(group, &cover);
}

Switch::~Switch()
{
    delete activeTimes;
}

void Switch::AddBlocker(Switch_Blocker* blocker)
{
    blockers.AddItem(blocker);
}

void Switch::RadioSwitch(Switch* a, Switch* b)
{
    assert(a != nullptr && b != nullptr);
    radioA = a;
    radioB = b;
}

bool Switch::Pressed(Tick t) const
{
    return activeTimes->Check(t);
}

bool Switch::ReportsChanges() const
{
    return true;
}

void Switch::Press(Tick t)
{
    // A press at a tick already pressed changes nothing; one in the past of the latest presses
    // (a frozen player during a travel, or play after one) changes the travel from there on.
    if (Pressed(t))
        return;
    activeTimes->Add(t);
    checkpoints.DropFrom(t);
    answers.DropFrom(t);
    Changed(t);
}

void Switch::MoveToTime(Map const* map, Tick t)
{
    if (radioA != nullptr && Pressed(t - 1) && !radioA->Pressed(t - 1) && !radioB->Pressed(t - 1))
        Press(t);

    unsigned int poly = 0;
    if (player == nullptr || !player->PolyOn(&poly))
        return;
    double const playerScale = player->GetScale();
    if (playerScale < scale && !Util::Equal(playerScale, scale))
        return;
    if (map->GetGroup(poly) != group)
        return;
    // Every blocker hears the question, even after one has answered.
    bool blocked = false;
    for (int i = 0; i < blockers.Count(); i++)
        if (blockers[i] != nullptr && blockers[i]->IsBlocked(map, t))
            blocked = true;
    if (!blocked)
        Press(t);
}

void Switch::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    moves[0].newX = 0.0;
    moves[0].newY = CalcSwitchPos(t);
    *orders = &moves;
}

double Switch::CalcSwitchPos(Tick t) const
{
    double const bottom = -Switch_DropDist * scale;
    double const step = Switch_MoveSpeed * scale;
    double kept = 0.0;
    if (answers.Find(t, kept))
        return kept;

    // Walk back over the alternating pressed and free runs to one that began at rest, or to a
    // kept offset on the way, then play the plate's travel forward from there. Each link is
    // shorter than a full stroke.
    std::vector<Activator_Link>& links = walk;
    links.clear();
    double offset = 0.0;
    for (Tick at = t;;)
    {
        Tick ref = -1;
        if (Pressed(at))
        {
            ref = activeTimes->LastFreeTime(at);
            if (at - ref > Switch_Stroke)
            {
                offset = bottom;
                break;
            }
            links.push_back({at, at - ref, true});
        }
        else
        {
            if (!activeTimes->CheckDown(at, &ref) || at - ref >= Switch_Stroke)
                break;
            links.push_back({at, at - ref, false});
        }
        if (checkpoints.Find(ref, offset))
            break;
        at = ref;
    }
    int played = 0;
    for (auto link = links.rbegin(); link != links.rend(); ++link)
    {
        if (link->active)
        {
            offset -= link->n * step;
            if (offset < bottom || Util::Equal(offset, bottom))
                offset = bottom;
        }
        else
        {
            offset += link->n * step;
            if (offset > 0.0 || Util::Equal(offset, 0.0))
                offset = 0.0;
        }
        checkpoints.Played(++played, link->at, t, offset);
    }
    answers.Keep(t, offset);
    return offset;
}

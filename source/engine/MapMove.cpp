// MapMove: running the scripted movers on screen and applying the objects' move orders.
#include "engine/MapMove.h"

#include "engine/Map.h"
#include "engine/MapMoveGroup.h"
#include "engine/MapMoveObject.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "util/Util.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>

namespace
{
constexpr int MapMove_ListSize = 32;
// A jump this large in one step is a reset or a jump of the clock, not a ride.
constexpr double MapMove_MaxCarry = 100.0;
// Ticks whose orders one pass remembers: the windows that creatures re-simulate in one step.
constexpr Tick MapMove_Remembered = 256;

// Placing groups for a tick other than the present one must not play their sounds again.
class MapMove_Hush
{
public:
    MapMove_Hush() : mute(gameSounds != nullptr ? gameSounds->mute : 0)
    {
        if (gameSounds != nullptr)
            gameSounds->mute = 1;
    }
    ~MapMove_Hush()
    {
        if (gameSounds != nullptr)
            gameSounds->mute = mute;
    }
    MapMove_Hush(MapMove_Hush const&) = delete;
    MapMove_Hush& operator=(MapMove_Hush const&) = delete;

private:
    int mute;
};
} // namespace

MapMove::MapMove(ObjectList* objects) : objectList(objects), moveObjects(PtrList_Variable, MapMove_ListSize)
{
    moveObjects.owns = false;
}

MapMove::~MapMove() = default;

void MapMove::AddObject(MapMoveObject* object)
{
    moveObjects.AddItem(object);
}

void MapMove::Init(Map* map)
{
    for (int i = 0; i < moveGroupCount; i++)
        map->FindGroupBound(moveGroups[i]->group, &moveGroups[i]->bound);
}

void MapMove::Move(Map* map, Tick clock, Player* player)
{
    CancelDue();
    Tick const t = clock >> 8;
    Pointf const corner0 = map->ScreenToWorld(Pointf(0.0, 0.0));
    Pointf const corner1 = map->ScreenToWorld(Pointf(640.0, 480.0));
    Rectf const view(&corner0, &corner1);
    moverRan.assign(std::size_t(moveGroupCount), false);
    for (int i = 0; i < moveGroupCount; i++)
        if (moveGroups[i] != nullptr && moveGroups[i]->bound.Intersect(&view))
        {
            moveGroups[i]->Move(map, t, player);
            moverRan[std::size_t(i)] = true;
        }

    placed.clear();
    orderOf.clear();
    int const n = moveObjects.Count();
    for (int i = 0; i < n; i++)
    {
        if (moveObjects[i] == nullptr)
            continue;
        FlatList<MoveObject>* orders = nullptr;
        moveObjects[i]->MoveMapGroup(map, t, &orders);
        if (orders == nullptr)
            continue;
        for (int j = 0; j < orders->Count(); j++)
        {
            MoveObject* order = &(*orders)[j];
            ObjectMove(map, player, order);
            placed.push_back({order, moveObjects[i], order->newX, order->newY, order->newAngle});
        }
    }
    placedMap = map;
    placedTick = t;
    shownTick = t;
}

void MapMove::StartPass(Tick t)
{
    passTick = t;
    pass++;
}

void MapMove::PlaceGroupsForGrid(Tick t)
{
    if (placedMap == nullptr)
        return;
    if (t == shownTick)
    {
        CancelDue();
        return;
    }
    dueTick = t;
    placedMap->groupsDue = this;
}

void MapMove::PlaceDue()
{
    PlaceGroups(dueTick);
}

bool MapMove::DuePlacement(unsigned int group, MapBase_Placement& out)
{
    if (placedMap == nullptr)
        return false;
    for (int i = 0; i < moveGroupCount; i++)
        if (moverRan[std::size_t(i)] && moveGroups[i]->group == group)
            return false;
    // The order that moves the group: none, one or more than one (-1, its index, -2), kept by group.
    if (orderOf.empty() && !placed.empty())
    {
        for (std::size_t i = 0; i < placed.size(); i++)
        {
            MoveObject const* order = placed[i].order;
            if (order->kind == MoveObject_Translate || order->kind == MoveObject_Rotate)
                orderOf.push_back({order->group, int(i)});
        }
        std::sort(orderOf.begin(), orderOf.end());
        // Groups with more than one order are marked by their first.
        for (std::size_t i = 0; i + 1 < orderOf.size(); i++)
            if (orderOf[i].first == orderOf[i + 1].first)
                orderOf[i].second = -2;
    }
    auto const found = std::lower_bound(orderOf.begin(), orderOf.end(), std::make_pair(group, -2));
    int const index = found == orderOf.end() || found->first != group ? -1 : found->second;
    if (index == -2)
        return false;
    out = placedMap->GroupPlacement(group);
    if (index < 0)
        return true;
    Placed const* const only = &placed[std::size_t(index)];

    // The issuer's orders for the tick, worked out as PlaceGroups would and then put back as they
    // were (the issuer rewrites every order of its list): nothing is placed.
    std::size_t first = std::size_t(only - placed.data());
    while (first > 0 && placed[first - 1].issuer == only->issuer)
        first--;
    std::size_t last = first;
    while (last < placed.size() && placed[last].issuer == only->issuer)
        last++;
    dueKept.clear();
    for (std::size_t i = first; i < last; i++)
        dueKept.push_back(*placed[i].order);
    FlatList<MoveObject>* orders = nullptr;
    {
        MapMove_Hush const hush;
        only->issuer->MoveMapGroup(placedMap, dueTick, &orders);
    }
    MoveObject const want = *only->order;
    for (std::size_t i = first; i < last; i++)
        *placed[i].order = dueKept[i - first];
    // An issuer whose list is not the one of the last step is not told about.
    if (orders == nullptr || std::size_t(orders->Count()) != last - first || &(*orders)[0] != placed[first].order)
        return false;
    // ObjectMove leaves the group as it stands for a change within the tolerance.
    if (want.kind == MoveObject_Translate)
    {
        if (!(Util::Equal(want.oldX, want.newX) && Util::Equal(want.oldY, want.newY)))
            out = MapBase_Placement{MapBase_Placement::Offset,
                                    {std::bit_cast<std::uint64_t>(want.newX), std::bit_cast<std::uint64_t>(want.newY), 0}};
    }
    else if (want.kind == MoveObject_Rotate && !Util::Equal(want.newAngle, want.oldAngle))
        out = MapBase_Placement{MapBase_Placement::Turned,
                                {std::bit_cast<std::uint64_t>(want.centre.x), std::bit_cast<std::uint64_t>(want.centre.y),
                                 std::bit_cast<std::uint64_t>(want.newAngle)}};
    return true;
}

void MapMove::PlaceGroups(Tick t)
{
    CancelDue();
    if (placedMap == nullptr || t == shownTick)
        return;
    MapMove_Hush const hush;
    for (int i = 0; i < moveGroupCount; i++)
        if (moverRan[std::size_t(i)])
            moveGroups[i]->Move(placedMap, t, nullptr);
    shownTick = t;

    // Records before the pass's tick are fixed while it runs, so their orders can be kept.
    Remembered* memo = nullptr;
    if (t < passTick)
    {
        if (remembered.empty())
            remembered.resize(MapMove_Remembered);
        memo = &remembered[std::size_t(t % MapMove_Remembered)];
        if (memo->tick == t && memo->pass == pass && memo->values.size() == 3 * placed.size())
        {
            for (std::size_t i = 0; i < placed.size(); i++)
            {
                MoveObject* order = placed[i].order;
                order->newX = memo->values[3 * i];
                order->newY = memo->values[3 * i + 1];
                order->newAngle = memo->values[3 * i + 2];
                if (!Unmoved(order))
                    ObjectMove(placedMap, nullptr, order);
            }
            return;
        }
    }
    for (int i = 0; i < moveObjects.Count(); i++)
    {
        if (moveObjects[i] == nullptr)
            continue;
        FlatList<MoveObject>* orders = nullptr;
        moveObjects[i]->MoveMapGroup(placedMap, t, &orders);
        if (orders == nullptr)
            continue;
        for (int j = 0; j < orders->Count(); j++)
        {
            MoveObject* order = &(*orders)[j];
            // Most orders of a past tick leave their group where it stands.
            if (!Unmoved(order))
                ObjectMove(placedMap, nullptr, order);
        }
    }
    if (memo != nullptr)
    {
        memo->tick = t;
        memo->pass = pass;
        // Sized once: a pass places each tick once and keeps every order of it.
        memo->values.resize(3 * placed.size());
        double* value = memo->values.data();
        for (Placed const& p : placed)
        {
            value[0] = p.order->newX;
            value[1] = p.order->newY;
            value[2] = p.order->newAngle;
            value += 3;
        }
    }
}

void MapMove::RestoreGroups()
{
    CancelDue();
    if (placedMap == nullptr || shownTick == placedTick)
        return;
    MapMove_Hush const hush;
    for (int i = 0; i < moveGroupCount; i++)
        if (moverRan[std::size_t(i)])
            moveGroups[i]->Move(placedMap, placedTick, nullptr);
    for (Placed const& p : placed)
    {
        p.order->newX = p.x;
        p.order->newY = p.y;
        p.order->newAngle = p.angle;
        ObjectMove(placedMap, nullptr, p.order);
    }
    shownTick = placedTick;
}

bool MapMove::Unmoved(MoveObject const* order)
{
    // Exactly equal is within the tolerance, so ObjectMove would leave the order as it is.
    if (order->kind == MoveObject_Translate)
        return order->newX == order->oldX && order->newY == order->oldY;
    return order->kind == MoveObject_Rotate && order->newAngle == order->oldAngle;
}

void MapMove::ObjectMove(Map* map, Player* player, MoveObject* order)
{
    if (order->kind == MoveObject_Translate)
    {
        if (Util::Equal(order->oldX, order->newX) && Util::Equal(order->oldY, order->newY))
            return;
        map->MoveGroup(order->group, order->newX, order->newY);
        double const dx = order->newX - order->oldX;
        double const dy = order->newY - order->oldY;
        double const change = std::fabs(dx) + std::fabs(dy);
        if (player != nullptr && change < MapMove_MaxCarry && !Util::Equal(change, MapMove_MaxCarry))
            player->GroupMoving(order->group, dx, dy);
        order->oldX = order->newX;
        order->oldY = order->newY;
    }
    else if (order->kind == MoveObject_Rotate)
    {
        if (Util::Equal(order->newAngle, order->oldAngle))
            return;
        map->RotateGroup(order->group, &order->centre, order->newAngle);
        if (player != nullptr)
            player->GroupRotating(order->group, &order->centre, order->newAngle - order->oldAngle);
        order->oldAngle = order->newAngle;
    }
}

// MapMove: running the scripted movers on screen and applying the objects' move orders.
#include "engine/MapMove.h"

#include "engine/Map.h"
#include "engine/MapMoveGroup.h"
#include "engine/MapMoveObject.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cmath>

namespace
{
constexpr int MapMove_ListSize = 32;
// A jump this large in one step is a reset or a jump of the clock, not a ride.
constexpr double MapMove_MaxCarry = 100.0;
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
    Tick const t = clock >> 8;
    Pointf const corner0 = map->ScreenToWorld(Pointf(0.0, 0.0));
    Pointf const corner1 = map->ScreenToWorld(Pointf(640.0, 480.0));
    Rectf const view(&corner0, &corner1);
    for (int i = 0; i < moveGroupCount; i++)
        if (moveGroups[i] != nullptr && moveGroups[i]->bound.Intersect(&view))
            moveGroups[i]->Move(map, t, player);

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
            ObjectMove(map, player, &(*orders)[j]);
    }
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

// The tower built from the generated data.
#include "tower/TowerWorldSupport.h"

#include "engine/Door.h"
#include "engine/Hit_Target.h"
#include "engine/Switch.h"
#include "tower/Tower_MapMove.h"
#include "tower/Tower_MapMoveGroup.h"
#include "tower/Tower_Scales.h"
#include "tools/worlds/tower.h"

#include <cmath>
#include <cstdio>

using namespace TowerWriter;

TEST_F(TowerWorld, Explore)
{
    Tower& tower = MakeTower();
    Place(1395, WingB_LowerY, 1.0);
    WalkTo(WingB_BoardX0 + 3);
    printf("board: x %.2f y %.2f t %d\n", Pos().x, Pos().y, Now());
    // the next car at P
    auto carAtP = [&](Tick t) {
        for (unsigned g = 28; g <= 35; g++)
            if ((t + Tower_MapMoveGroup::CarPhase(g)) % Transport_TotalTime == 0)
                return true;
        return false;
    };
    StepUntil([&] { return carAtP(Now()); }, 2000);
    printf("car at P: t %d\n", Now());
    Steps(10);
    JumpTowards(Key_Left, [&] { return Pos().x < WingB_CarX + 10; });
    printf("on car: x %.2f y %.2f t %d\n", Pos().x, Pos().y, Now());
    unsigned int poly = 0;
    ASSERT_TRUE(Hero().PolyOn(&poly));
    unsigned int const car = tower.GetMap()->GetGroup(poly);
    auto routeTick = [&] { return (Now() + Tower_MapMoveGroup::CarPhase(car)) % Transport_TotalTime; };
    printf("car %u route tick %d\n", car, routeTick());
    StepUntil([&] { return routeTick() >= 7377 + 170; }, 8000);
    printf("leg 18: x %.1f y %.1f\n", Pos().x, Pos().y);
    JumpTowards(Key_Right);
    Steps(20);
    printf("exit floor: x %.1f y %.1f zone %d\n", Pos().x, Pos().y, tower.GetCameraZone());
    WalkTo(5420);
    GrowTo(4.0);
    WalkInto(Key_Right);
    Steps(100);
    printf("LX: x %.1f y %.1f s %.2f zone %d\n", Pos().x, Pos().y, Hero().GetScale(), tower.GetCameraZone());
    WalkTo(5750);
    GrowTo(8.0);
    WalkTo(WingB_Plate11X);
    Tick const T = Now();
    Steps(700);
    printf("plate11: x %.1f y %.1f pressed %d\n", Pos().x, Pos().y, tower.GetSwitch(11)->IsActive(Now() - 1));
    WalkInto(Key_Right);
    printf("door16: x %.1f\n", Pos().x);
    TravelBackTo(T + 100);
    WalkTo(6660);
    GrowTo(64.0);
    printf("giant: x %.1f s %.1f t %d door17 %d\n", Pos().x, Hero().GetScale(), Now(), tower.GetDoor(17)->IsActive(Now()));
    int n = 0;
    Level_Action r = Level_Continue;
    while (n < 2000 && (r = Step({Key_Right})) == Level_Continue)
        n++;
    printf("exit: %d steps result %d x %.1f y %.1f\n", n, r, Pos().x, Pos().y);
}

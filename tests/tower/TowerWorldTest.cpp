// The tower built from the generated data.
#include "tower/TowerWorldSupport.h"

#include "engine/Door.h"
#include "engine/Hit_Target.h"
#include "engine/Switch.h"
#include "tower/Tower_MapMove.h"
#include "tower/Tower_MapMoveGroup.h"
#include "tools/worlds/tower.h"

#include <cmath>
#include <cstdio>

using namespace TowerWriter;

TEST_F(TowerWorld, Explore)
{
    Tower& tower = MakeTower();
    Place(4150, WingA_LowY, 4.0);
    for (int round = 0; round < 2; round++)
    {
        int first = round == 0 ? 20 : 26, last = round == 0 ? 25 : 33;
        for (int k = first; k <= last; k++)
        {
            Hit_Target* t = tower.GetHitTarget(k);
            Pointf p;
            bool ok = StepUntil([&] { return t->TargetOn(Now() + 60) && t->GetTargetPos(world->GetMap(), Now(), p) && p.y < 1200; }, 400);
            bool thrown = Throw(t);
            printf("target %d at %.1f %.1f ok %d thrown %d\n", k, p.x, p.y, ok, thrown);
            Steps(30);
        }
        Steps(100);
        printf("door %d: %d\n", 14 + round, tower.GetDoor(14 + round)->IsActive(Now()));
        WalkTo(round == 0 ? 4530 : 5100);
        printf("x %.1f\n", Pos().x);
    }
    WalkTo(5140);
    printf("at pit: x %.1f y %.1f t %d\n", Pos().x, Pos().y, Now());
    // platform offset -1100 when sin(t/80) = -1
    StepUntil([&] { return std::sin((Now() + 5) / 80.0) < -0.999; }, 600);
    WalkTo(5190);
    printf("on: x %.1f y %.1f t %d\n", Pos().x, Pos().y, Now());
    StepUntil([&] { return std::sin(Now() / 80.0) > 0.999; }, 600);
    WalkTo(7480);
    printf("off: x %.1f y %.1f t %d hp\n", Pos().x, Pos().y, Now());
    WalkInto(Key_Right);
    printf("exit wall: x %.1f s %.2f\n", Pos().x, Hero().GetScale());
    WalkTo(WingA_ExitWallX + 250);
    GrowTo(64.0);
    printf("giant: x %.1f s %.2f zone %d\n", Pos().x, Hero().GetScale(), tower.GetCameraZone());
    int n = 0;
    Level_Action r = Level_Continue;
    while (n < 2000 && (r = Step({Key_Right})) == Level_Continue)
        n++;
    printf("exit: %d steps, result %d x %.1f y %.1f\n", n, r, Pos().x, Pos().y);
}

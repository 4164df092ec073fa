#include "CastleSupport.h"
#include "engine/Level.h"
#include <gtest/gtest.h>
#include <cmath>
namespace {
class Scratch_Level final : public Level {
public:
    Scratch_Level(GameEvents* e, MapWriter const& w, Pointf start) : Level(e) {
        map = built.Own(MapFiles::Load<Map>(w).release());
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        map->PreprocessCollision();
    }
    Player* P() { return player; }
};
using Scratch = CastleLevelTest;
}
TEST_F(Scratch, Physics) {
    // jump height
    {
        MapWriter w; w.SetView(-320,-240,1);
        w.AddBox(-2000,-100,2000,0,0,0,true,false,64);
        Scratch_Level lv(&events, w, Pointf(0, 1));
        for (int i=0;i<30;i++) lv.Poll(keyScript.Next({}));
        double top = 0;
        for (int i=0;i<200;i++) { lv.Poll(keyScript.Next({KeyIndex_GameJump})); top = std::max(top, lv.P()->GetPos().y); }
        printf("held jump top %f\n", top);
        for (int i=0;i<100;i++) lv.Poll(keyScript.Next({}));
        top=0;
        lv.Poll(keyScript.Next({KeyIndex_GameJump}));
        for (int i=0;i<200;i++) { lv.Poll(keyScript.Next({})); top = std::max(top, lv.P()->GetPos().y); }
        printf("tap jump top %f\n", top);
        // speed
        double x0 = lv.P()->GetPos().x;
        for (int i=0;i<200;i++) lv.Poll(keyScript.Next({KeyIndex_GameRight}));
        printf("200 steps right: %f\n", lv.P()->GetPos().x - x0);
        // jump while running
        top=0; double xs = lv.P()->GetPos().x; double xland=0;
        lv.Poll(keyScript.Next({KeyIndex_GameRight, KeyIndex_GameJump}));
        for (int i=0;i<200;i++) { lv.Poll(keyScript.Next({KeyIndex_GameRight,KeyIndex_GameJump})); top = std::max(top, lv.P()->GetPos().y); if (lv.P()->GetPos().y<0.5 && xland==0 && i>5) xland = lv.P()->GetPos().x;}
        printf("run jump top %f dist %f\n", top, xland-xs);
    }
    // slopes
    for (double slope : {0.3, 0.5, 0.7, 1.0, 1.3}) {
        MapWriter w; w.SetView(-320,-240,1);
        w.AddBox(-2000,-100,0,0,0,0,true,false,64);
        MapWriter_Poly p{0,0,true,false,{}};
        for (auto [x,y] : std::vector<std::pair<double,double>>{{0,-100},{0,0},{400,400*slope},{400,-100}}) p.points.push_back({x,y,0,0,true});
        w.AddPoly(p);
        w.AddBox(400,-100,2000,400*slope,0,0,true,false,64);
        Scratch_Level lv(&events, w, Pointf(-100, 1));
        for (int i=0;i<400;i++) lv.Poll(keyScript.Next({KeyIndex_GameRight}));
        printf("slope %f: x %f y %f\n", slope, lv.P()->GetPos().x, lv.P()->GetPos().y);
    }
    // steps
    for (double h : {5.0, 10.0, 15.0, 20.0, 30.0}) {
        MapWriter w; w.SetView(-320,-240,1);
        w.AddBox(-2000,-100,2000,0,0,0,true,false,64);
        w.AddBox(100,0,2000,h,0,0,true,false,64);
        Scratch_Level lv(&events, w, Pointf(-100, 1));
        for (int i=0;i<300;i++) lv.Poll(keyScript.Next({KeyIndex_GameRight}));
        printf("step %f: x %f y %f\n", h, lv.P()->GetPos().x, lv.P()->GetPos().y);
    }
    // gap heights
    for (double g : {20.0, 22.0, 25.0, 30.0, 50.0}) {
        MapWriter w; w.SetView(-320,-240,1);
        w.AddBox(-2000,-100,2000,0,0,0,true,false,64);
        w.AddBox(100,g,200,500,0,0,true,false,64);
        Scratch_Level lv(&events, w, Pointf(-100, 1));
        for (int i=0;i<300;i++) lv.Poll(keyScript.Next({KeyIndex_GameRight}));
        printf("gap %f: x %f y %f\n", g, lv.P()->GetPos().x, lv.P()->GetPos().y);
    }
}
TEST_F(Scratch, Ladder) {
    for (double step : {50.0, 55.0, 60.0}) for (double gap : {0.0, 10.0, 20.0}) {
    MapWriter w; w.SetView(-320,-240,1);
    w.AddBox(-2000,-100,2000,0,0,0,true,false,64);
    double const W = 60;
    auto col = [&](int i) { return i % 2 ? 100.0 : 100.0 + W + gap; };
    for (int i = 1; i <= 8; i++) w.AddBox(col(i), i*step-12, col(i)+W, i*step, 0,0,true,false,64);
    Scratch_Level lv(&events, w, Pointf(60, 1));
    int reached = 0;
    for (int i = 1; i <= 8; i++) {
        double x0 = col(i), x1 = x0 + W;
        bool right = i % 2 == 0 || i == 1;
        double edge = i == 1 ? x0 - 12 : (right ? col(i-1) + W - 6 : col(i-1) + 6);
        int key = right ? KeyIndex_GameRight : KeyIndex_GameLeft;
        for (int s = 0; s < 200 && std::fabs(lv.P()->GetPos().x - edge) > 2; s++) lv.Poll(keyScript.Next({lv.P()->GetPos().x < edge ? KeyIndex_GameRight : KeyIndex_GameLeft}));
        for (int s = 0; s < 40; s++) lv.Poll(keyScript.Next({}));
        lv.Poll(keyScript.Next({KeyIndex_GameJump}));
        for (int s = 0; s < 200; s++) {
            Pointf p = lv.P()->GetPos();
            if (lv.P()->onGround && s > 3) break;
            std::vector<int> k{KeyIndex_GameJump};
            if (p.y > i*step + 2) k.push_back(key);
            lv.Poll(keyScript.Next(k));
        }
        for (int s = 0; s < 20; s++) lv.Poll(keyScript.Next({}));
        if (lv.P()->GetPos().y >= i*step - 1) reached = i; else break;
    }
    printf("step %.0f gap %.0f: reached %d (%f %f)\n", step, gap, reached, lv.P()->GetPos().x, lv.P()->GetPos().y);
    }
}
TEST_F(Scratch, DownRamp) {
    for (int variant = 0; variant < 3; variant++) {
        MapWriter w; w.SetView(-320,-240,1);
        w.AddBox(-2000,-100,2000,0,0,0,true,false,64);
        MapWriter_Poly p{0,0,true,false,{}};
        std::vector<std::pair<double,double>> pts;
        if (variant == 0) pts = {{0,0},{0,130},{145,0}};
        else if (variant == 1) pts = {{0,-40},{0,130},{145,0},{145,-40}};
        else pts = {{0,0},{0,130},{145,0}};
        for (auto [x,y] : pts) p.points.push_back({x,y,0,0,true});
        w.AddPoly(p);
        if (variant == 2) w.AddBox(155, 0, 215, 12, 0, 7, true, false, 64);
        Scratch_Level lv(&events, w, Pointf(100, 60));
        for (int i=0;i<20;i++) lv.Poll(keyScript.Next({}));
        double x0 = lv.P()->GetPos().x;
        for (int i=0;i<100;i++) lv.Poll(keyScript.Next({KeyIndex_GameRight}));
        printf("variant %d: from %f to %f %f\n", variant, x0, lv.P()->GetPos().x, lv.P()->GetPos().y);
    }
}
#include "castle/Casle_MapMove.h"
#include "castle/Casle_MapMoveGroup.h"
namespace {
class Scratch_Lift final : public Level {
public:
    Scratch_Lift(GameEvents* e, MapWriter const& w, Pointf start) : Level(e) {
        map = built.Own(MapFiles::Load<Map>(w).release());
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        mapMove = built.Own(new Casle_MapMove(map, objects));
        map->PreprocessCollision();
        Pointf c(0, 100); player->SetCameraPos(&c, CameraMove_Jump, 0); player->SetCameraScale(0.5, CameraMove_Jump);
    }
    Player* P() { return player; }
};
}
TEST_F(Scratch, RideFromBelow) {
    for (double depth : {5.0, 20.0}) {
        MapWriter w; w.SetView(-320,-240,1);
        w.AddBox(-2000,-100,2000,0,0,0,true,false,64);
        // first lift: sin(t*0.02)*212: map top so lowest = -depth
        double T = -depth + 212;
        w.AddBox(-50, T - 15, 50, T, 0, Casle_Group_FirstLift, true, false, 64);
        for (unsigned g : {17u,18u,31u,32u,33u,34u,35u,36u,37u,55u}) w.AddBox(1500, 1000+g, 1510, 1005+g, 0, g, true, false, 64);
        Scratch_Lift lv(&events, w, Pointf(0, 1));
        double top = 0;
        for (int i = 0; i < 400; i++) { lv.Poll(keyScript.Next({})); top = std::max(top, lv.P()->GetPos().y); if (i % 20 == 0) printf("  depth %f i %d y %f\n", depth, i, lv.P()->GetPos().y); }
        printf("depth %f: highest %f\n", depth, top);
    }
}
#include "support/WorldFixture.h"
#include "support/RoadWalker.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
class ScratchW : public WorldFixture { protected: void SetUp() override { WorldFixture::SetUp(); sounds.mute = 1; } };
TEST_F(ScratchW, Owner) {
    GameEvents record; record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened; record.gems = 7;
    Build(Level_Casle, record);
    Player* p = world->GetPlayer();
    Road r("x"); r.Walk(1150.0, 3000.0).Press(1150.0, 3000.0, "owner", 50);
    RoadWalker walker(*world, r);
    for (int i = 0; i < 400 && !walker.Done(); i++) {
        std::vector<int> k = walker.NextKeys();
        Step(k);
        if (!k.empty() || i % 20 == 0) printf("i %d keys %zu pos %f frame %x introduced %d\n", i, k.size(), p->GetPos().x, p->frame, events[33]);
    }
}
TEST_F(ScratchW, Shaft) {
    GameEvents record; record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened; record[32] = -2; record[33] = -2;
    Build(Level_Casle, record);
    Player* p = world->GetPlayer();
    RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Casle, "exit"));
    int lastPoint = -1;
    for (int i = 0; i < 1800 && !walker.Done() && !walker.Stuck(); i++) {
        std::vector<int> k = walker.NextKeys();
        Step(k);
        if (walker.Point() >= 9 && (i % 5 == 0 || walker.Point() != lastPoint)) printf("t %d pt %d keys %zu pos %.1f %.1f ground %d\n", world->GetTick(), walker.Point(), k.size(), p->GetPos().x, p->GetPos().y, p->onGround);
        lastPoint = walker.Point();
    }
}

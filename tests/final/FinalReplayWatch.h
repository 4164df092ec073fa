// Den test support: what the replay harness records of the dragon at a tick (its action, head, hit points and
// death, and its live flames and rocks summed), so that a tick shown again is compared in full.
#pragma once

#include "final/Final_Dragon.h"
#include "support/ReplayHarness.h"

inline void ReplayWatch_Dragon(ReplayHarness& harness, Final_Dragon const* dragon)
{
    harness.Watch([dragon](Tick t, Replay_Digest& d) {
        double a = 0.0;
        Pointf const head = dragon->GetHeadPos(t, &a);
        ReplayHarness::Add(d, "dragon", "action", dragon->FindAction(t, nullptr));
        ReplayHarness::Add(d, "dragon", "head x", head.x);
        ReplayHarness::Add(d, "dragon", "head y", head.y);
        ReplayHarness::Add(d, "dragon", "head angle", a);
        ReplayHarness::Add(d, "dragon", "hit points", dragon->GetHitPoints(t));
        ReplayHarness::Add(d, "dragon", "dead", dragon->Dead(t));
        double sums[3] = {};
        int flames = 0;
        dragon->ForLiveFlames(t, [&](Tick s, int age) {
            double rotation = 0.0;
            Pointf const p = dragon->GetFlamePos(s, age, head, a, &rotation);
            sums[0] += p.x;
            sums[1] += p.y;
            sums[2] += rotation;
            ++flames;
            return false;
        });
        ReplayHarness::Add(d, "flames", "count", flames);
        ReplayHarness::Add(d, "flames", "x", sums[0]);
        ReplayHarness::Add(d, "flames", "y", sums[1]);
        ReplayHarness::Add(d, "flames", "rotation", sums[2]);
        double rocks[3] = {};
        int large = 0;
        dragon->ForLiveRocks(t, [&](Tick s, int age) {
            double rotation = 0.0;
            bool small = false;
            Pointf const p = dragon->GetRockPos(s, age, &rotation, &small);
            rocks[0] += p.x;
            rocks[1] += p.y;
            rocks[2] += rotation;
            large += small ? 0 : 1;
            return false;
        });
        ReplayHarness::Add(d, "rocks", "large", large);
        ReplayHarness::Add(d, "rocks", "x", rocks[0]);
        ReplayHarness::Add(d, "rocks", "y", rocks[1]);
        ReplayHarness::Add(d, "rocks", "rotation", rocks[2]);
    });
}

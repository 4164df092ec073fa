// The canyon as a player meets it: the map's drawing order hides nothing stood on, the deep zone's last
// view shows the player at the exit, neither holding a direction nor random keys reach the exit, and
// the double jump crosses the gap only by its flowers.
#include "chasm/ChasmWorldSupport.h"
#include "engine/CharStats.h"
#include "engine/Player_Sprites.h"
#include "support/DrawOrder.h"
#include "support/LevelFrame.h"
#include "support/RoadWalker.h"
#include "support/ShortcutRun.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

TEST_F(ChasmWorld, NoLaterPolygonHidesWhatAPlayerStandsOn)
{
    Chasm& chasm = Make();
    EXPECT_TRUE(DrawOrder::NothingHidden(*chasm.GetMap()));
}

TEST_F(ChasmWorld, TheExitsLastViewStillShowsThePlayer)
{
    Chasm& chasm = Make();
    RoadWalker walker(chasm, RoadWalker::WorldRoad(Level_Chasm, "exit"));
    Rectf last;
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) {
        Level_Action const a = Step(held);
        // Where the player stands in the view of the step just played, his sprite's width either side.
        Map const* map = chasm.GetMap();
        double const half = Hero()->GetStats()->width / 2.0;
        Pointf const p = Hero()->GetPos();
        Pointf const left = map->WorldToScreen(Pointf(p.x - half, p.y));
        Pointf const right = map->WorldToScreen(Pointf(p.x + half, p.y + Hero()->GetStats()->height));
        last = Rectf(left.x, left.y, right.x, right.y);
        return a;
    });
    ASSERT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_NEAR(chasm.GetMap()->view.scale, Chasm_ZoneScale, 1e-3) << "not in the deep zone's view";
    EXPECT_GE(last.x0, 0.0);
    // The view ends at the exit line, so the player leaves with his middle about at its right edge:
    // his back half still shows.
    EXPECT_LT(last.x0, 640.0 - (last.x1 - last.x0) / 4.0) << "the player is past the view's right edge";
    EXPECT_LE((last.x0 + last.x1) / 2.0, 640.0 + 4.0) << "the player is past the view's right edge";
    EXPECT_GE(last.y0, 0.0);
    EXPECT_LE(last.y1, 480.0);
    EXPECT_EQ(LevelFrame::Draw(chasm).Cleared(), 0) << "the deep zone's view shows past the canyon's scenery";
}

// Random keys may cross the flowers by luck, as a player can (3 of 30 seeds besides the fixed ones
// reached the exit): the fixed seeds alone, which do not.
TEST_F(ChasmWorld, HoldingADirectionOrRandomKeysDoNotReachTheExit)
{
    ShortcutRun::Each([this] { Make(); }, [this](std::vector<int> const& held) { return Step(held); },
                      [](ShortcutRun::Result const& r) { EXPECT_NE(r.action, Level_Completed) << r.how; }, false);
}

namespace
{

// How a player jumps in one try: off the ground at step ground (none when negative), held for
// groundHeld steps, and in the air at step air, held for airHeld.
struct Chasm_Jumps
{
    int ground, groundHeld, air, airHeld;
};

std::string JumpsText(Chasm_Jumps const& j)
{
    char text[120];
    std::snprintf(text, sizeof text, "jumping at step %d for %d steps, again at step %d for %d", j.ground, j.groundHeld,
                  j.air, j.airHeld);
    return text;
}

} // namespace

// With the double jump, a player who runs off the ledge before the gap at full speed (or off the one
// before it and over it), however he times and holds his jumps (on the ledge or off it, the air jump
// early or late), never stands beyond the
// overhang without the flowers: he comes against its face and slides down it onto the catch flower,
// never past it and never onto another flower; and there, holding right and jumping now and then as a
// player holding a direction does (twice, too), or with his air jump at any timing, he stays: no hop
// of his to the right gets under the overhang's foot.
TEST_F(ChasmWorld, TheDoubleJumpCrossesTheGapOnlyByItsFlowers)
{
    GameEvents record = events;
    record[Event_DoubleJump] = GameEvent_HasHappened;
    ChasmWriter::ChasmWriter_Room const overhang = ChasmWriter::Overhang();
    double const ledge = ChasmWriter::Columns()[ChasmWriter::Chasm_GapColumn].floor;
    double const pit = overhang.y0 - 600.0; // a try is over once he falls this low
    int const catchSlot = 298;              // the fixed flower
    // Steps with right held until he hangs from a flower other than the one he starts from (slot
    // from; -1 from the ledge), falls that low or steps have gone; what went wrong, or "". The catch
    // flower is the only flower he may come to, and he may not leave it.
    auto const run = [&](Chasm_Jumps const& j, int steps, int from) -> std::string {
        for (int i = 0; i < steps; ++i)
        {
            std::vector<int> held{KeyIndex_GameRight};
            if ((j.ground >= 0 && i >= j.ground && i < j.ground + j.groundHeld)
                || (i >= j.air && i < j.air + j.airHeld))
                held.push_back(KeyIndex_GameJump);
            if (Level_Action const a = Step(held); a != Level_Continue)
                return "the level ended (" + std::to_string(a) + ") at step " + std::to_string(i);
            Pointf const p = Hero()->GetPos();
            if (int const flower = HangingFrom(World()); flower >= 0 && flower != from)
                return flower == catchSlot ? "" : "hung from flower " + std::to_string(flower);
            if (Hero()->onGround && p.x > overhang.x0)
                return "stood beyond the overhang at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
            if (p.y < pit)
                return "fell past the catch flower";
        }
        return from >= 0 ? "" : "never came to the catch flower";
    };

    Build(Level_Chasm, record);
    Pointf const catchAt = World().GetHangOn(catchSlot)->GetBasePos();
    EXPECT_EQ(catchAt, ChasmWriter::CatchFlower());
    int const lead = 20; // steps on the ledge before its end, at full speed
    std::string faults;
    std::vector<Chasm_Jumps> tries;
    for (int air = 2; air <= 110; air += 6)
        for (int airHeld : {1, 10, 40})
        {
            tries.push_back({-1, 0, air + lead - 2, airHeld});
            for (int ground : {0, 10, lead - 1})
                for (int groundHeld : {1, 10, 40})
                    tries.push_back({ground, groundHeld, ground + air, airHeld});
        }
    // From the ledge, and from the one before, over the ledge (a long fall that comes to the
    // overhang steeply).
    ChasmWriter::ChasmWriter_Column const& before = ChasmWriter::Columns()[ChasmWriter::Chasm_GapColumn - 2];
    for (Pointf const end :
         {Pointf(ChasmWriter::GapLeftEdge(), ledge), Pointf(before.x1 + ChasmWriter::Chasm_Wall / 2.0, before.floor)})
        for (Chasm_Jumps const& j : tries)
        {
            // At full speed on the ledge, no key down, the air jump not yet used. A try that ends the
            // level in a world that has served many (whose clock ran out) is made again in a world built
            // afresh.
            std::string fault;
            for (int again = 0; again < 2; ++again)
            {
                if (again > 0)
                    Build(Level_Chasm, record);
                Hero()->pos = Pointf(end.x - 6.0 * lead, end.y);
                Hero()->fallSpeed = Hero()->jumpSpeed = 0.0;
                Hero()->airJumped = false;
                Step({KeyIndex_GameRight});
                Hero()->speed = Hero()->GetStats()->maxSpeed;
                fault = run(j, 400, -1);
                if (fault.rfind("the level ended", 0) != 0)
                    break;
            }
            if (!fault.empty())
                faults += (end.y == ledge ? "from the ledge, " : "from the ledge before, ") + JumpsText(j) + ": "
                          + fault + "\n";
            // A fall fast enough to hold the picture still runs its countdown on: the world goes.
            if (int const flower = HangingFrom(World());
                flower == catchSlot && World().GetFallCountdown() == 0 && Hero()->IsPlayerDead() == 0)
                ASSERT_EQ(Step({KeyIndex_GameJump}), Level_Continue); // off it; the fixed flower keeps no record
            else
                Build(Level_Chasm, record); // let go of the flower and its records, or a level that ended
        }

    // On the catch flower, holding right with a jump in every 40 steps (and again 20 or 22 steps after
    // it), at each timing of those jumps.
    for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
        for (int walk = 0; walk < 40; walk += 3)
        {
            Hero()->pos = catchAt;
            Hero()->fallSpeed = Hero()->jumpSpeed = Hero()->speed = 0.0;
            ASSERT_EQ(Steps(12), Level_Continue);
            ASSERT_EQ(HangingFrom(World()), catchSlot);
            for (int i = 0; i < 300; ++i)
            {
                ASSERT_EQ(Step(ShortcutRun::HeldKeys(KeyIndex_GameRight, i, jumps, walk)), Level_Continue);
                Pointf const p = Hero()->GetPos();
                int const flower = HangingFrom(World());
                if ((flower >= 0 && flower != catchSlot) || p.x > overhang.x0 || p.y < overhang.y0)
                {
                    faults += "on the catch flower, " + ShortcutRun::HoldName(KeyIndex_GameRight, jumps, walk)
                              + ": came away to (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")\n";
                    Build(Level_Chasm, record);
                    break;
                }
            }
        }

    // From the catch flower, jumping again in the air at each timing, holding right.
    for (int air = 4; air <= 90; air += 6)
    {
        Hero()->pos = catchAt;
        Hero()->fallSpeed = Hero()->jumpSpeed = Hero()->speed = 0.0;
        ASSERT_EQ(Steps(12), Level_Continue);
        ASSERT_EQ(HangingFrom(World()), catchSlot);
        Chasm_Jumps const j{0, 15, air, 10};
        if (std::string const fault = run(j, 300, catchSlot); !fault.empty())
            faults += "from the catch flower, " + JumpsText(j) + ": " + fault + "\n";
    }
    EXPECT_EQ(faults, "");
}

namespace
{

// The flower's picture about its hang point, and a standing player's room on the landing past its edge.
constexpr double Flower_HalfWidth = 16.0, Flower_Below = 10.0, Flower_Above = 39.0;

// Whether the world rectangle lies inside the view the game shows after the last step.
bool InView(Map const& map, Rectf const& r)
{
    Pointf const a = map.WorldToScreen(Pointf(r.x0, r.y0));
    Pointf const b = map.WorldToScreen(Pointf(r.x1, r.y1));
    return a.x >= 0.0 && a.y >= 0.0 && b.x <= LevelFrame::Width && b.y <= LevelFrame::Height;
}

} // namespace

// Crossing by the flowers as the road does (hanging a while, then jumping towards the next hold, jump
// held for the first part of the rise), the next hold, a flower or the landing, is in view while he
// hangs and all through the hop. A newcomer with the double jump who presses jump again at any time of
// a hop, or holds the first jump longer or shorter, mostly still comes to a hold: at three timings of
// four.
TEST_F(ChasmWorld, EachHoldOfTheCrossingShowsTheNextAndASecondPressMostlyLandsOnOne)
{
    GameEvents record = events;
    record[Event_DoubleJump] = GameEvent_HasHappened;
    double const pit = ChasmWriter::Overhang().y0 - 600.0;
    // The holds in the road's order (slots; the landing last), and the way each hop from one goes.
    int const catchSlot = 298;
    std::vector<int> const holds{catchSlot,
                                 Chasm_RoadFlowerSlot,
                                 Chasm_RoadFlowerSlot + 1,
                                 Chasm_RoadFlowerSlot + 2,
                                 Chasm_RoadFlowerSlot + 3,
                                 Chasm_RoadFlowerSlot + 4,
                                 Chasm_RoadFlowerSlot + 5,
                                 Chasm_Hangon_Count};
    auto const way = [&](std::size_t k) { return holds[k] == catchSlot ? KeyIndex_GameLeft : KeyIndex_GameRight; };
    // What the view must show of a hold: the flower, or the landing's floor under the player (it
    // reaches from under the overhang to the gap's far wall).
    auto const box = [&](int hold) {
        if (hold == Chasm_Hangon_Count)
        {
            double const x = std::clamp(Hero()->GetPos().x, ChasmWriter::GapRightEdge() + Flower_HalfWidth,
                                        ChasmWriter::RoadRoom(ChasmWriter::Chasm_GapColumn).x1 - Flower_HalfWidth);
            return Rectf(x - Flower_HalfWidth, ChasmWriter::FarFloor(), x + Flower_HalfWidth,
                         ChasmWriter::FarFloor() + Player_Height);
        }
        Pointf const p = World().GetHangOn(hold)->hangPos;
        return Rectf(p.x - Flower_HalfWidth, p.y - Flower_Below, p.x + Flower_HalfWidth, p.y + Flower_Above);
    };
    // From hold k, hanging 10 steps, a hop towards the next with jump held `held` steps, and again
    // from step `again` for 10 (none when negative): the hold he comes to (a flower's slot, or
    // Chasm_Hangon_Count for the landing), or -1 when he falls into the pit; the steps it took, and
    // where the next hold was out of view. In a world built afresh he starts hanging from hold k;
    // otherwise he hangs there already, having come to it by the hop before (a jump off a flower
    // dips it for good, so each world serves a flower's hop once).
    struct Hop
    {
        int hold = -1, steps = 0;
        std::string unseen;
    };
    auto const hop = [&](std::size_t k, int held, int again, bool fresh) {
        int const from = holds[k];
        if (fresh)
        {
            Build(Level_Chasm, record);
            Hero()->pos = World().GetHangOn(from)->hangPos;
            Hero()->SetCameraPos(true); // as the camera stands when he has come there
        }
        Hop h;
        for (int i = 0; i < 10; ++i)
        {
            EXPECT_EQ(Step(), Level_Continue);
            if (!InView(*World().GetMap(), box(holds[k + 1])) && h.unseen.empty())
                h.unseen = "hanging, at step " + std::to_string(i);
        }
        EXPECT_EQ(HangingFrom(World()), from);
        for (h.steps = 0; h.steps < 400; ++h.steps)
        {
            std::vector<int> keys{way(k)};
            if (h.steps < held || (again >= 0 && h.steps >= again && h.steps < again + 10))
                keys.push_back(KeyIndex_GameJump);
            if (Step(keys) != Level_Continue)
                break;
            Pointf const p = Hero()->GetPos();
            if (int const flower = HangingFrom(World()); flower >= 0 && flower != from)
            {
                h.hold = flower;
                break;
            }
            if (Hero()->onGround && p.x > ChasmWriter::GapRightEdge())
            {
                h.hold = Chasm_Hangon_Count;
                break;
            }
            if (p.y < pit)
                break;
            if (!InView(*World().GetMap(), box(holds[k + 1])) && h.unseen.empty())
                h.unseen = "in the hop, at step " + std::to_string(h.steps);
        }
        return h;
    };
    // Round after round, a try from each hold (the first from the first hold): one goes on in the
    // world that the try before left him hanging in, from that hold, while its try is still to make.
    auto const rounds = [&](std::size_t count, auto&& one) {
        for (std::size_t round = 0; round < count; ++round)
        {
            std::vector<bool> done(holds.size() - 1, false);
            for (std::size_t first = 0; first + 1 < holds.size(); ++first)
                for (std::size_t k = first, fresh = 1; k + 1 < holds.size() && !done[k]; fresh = 0)
                {
                    done[k] = true;
                    int const came = one(k, round, fresh != 0).hold;
                    std::size_t const next = std::find(holds.begin(), holds.end(), came) - holds.begin();
                    if (came < 0 || came == Chasm_Hangon_Count || next >= holds.size() || HangingFrom(World()) != came)
                        break;
                    k = next;
                }
        }
    };
    std::string faults;
    std::vector<Hop> road(holds.size());
    rounds(1, [&](std::size_t k, std::size_t, bool fresh) {
        return road[k] = hop(k, ChasmRoad::Held(holds[k]) + 1, -1, fresh);
    });
    std::vector<int> tries(holds.size()), held(holds.size()), lengths(holds.size()), longer(holds.size());
    std::vector<std::string> missedPresses(holds.size()), missedLengths(holds.size());
    std::size_t most = 0;
    for (std::size_t k = 0; k + 1 < holds.size(); ++k)
        most = std::max(most, static_cast<std::size_t>((road[k].steps + 3 - ChasmRoad::Held(holds[k]) - 2) / 4 + 1));
    // A second press every 4 steps of the hop, from the first step jump is up again.
    rounds(most, [&](std::size_t k, std::size_t round, bool fresh) {
        int const tap = ChasmRoad::Held(holds[k]) + 1;
        int const again = tap + 1 + 4 * static_cast<int>(round);
        if (again >= road[k].steps + 4)
            return hop(k, tap, -1, fresh); // past the hop: the road's hop, on to the next
        Hop const h = hop(k, tap, again, fresh);
        ++tries[k];
        if (h.hold >= 0)
            ++held[k];
        else
            missedPresses[k] += " " + std::to_string(again);
        return h;
    });
    // The first jump held 1 to 37 steps.
    rounds(7, [&](std::size_t k, std::size_t round, bool fresh) {
        int const length = 1 + 6 * static_cast<int>(round);
        Hop const h = hop(k, length, -1, fresh);
        ++lengths[k];
        if (h.hold >= 0)
            ++longer[k];
        else
            missedLengths[k] += " " + std::to_string(length);
        return h;
    });
    for (std::size_t k = 0; k + 1 < holds.size(); ++k)
    {
        std::string const at = "from hold " + std::to_string(k) + " (slot " + std::to_string(holds[k]) + ")";
        if (road[k].hold != holds[k + 1])
            faults += at + " the road's hop came to " + std::to_string(road[k].hold) + "\n";
        if (!road[k].unseen.empty())
            faults += at + " the next hold is out of view " + road[k].unseen + "\n";
        if (4 * held[k] < 3 * tries[k])
            faults += at + ", " + std::to_string(tries[k] - held[k]) + " of " + std::to_string(tries[k])
                      + " second presses fall into the pit, at steps" + missedPresses[k] + "\n";
        if (4 * longer[k] < 3 * lengths[k])
            faults += at + ", jumps held" + missedLengths[k] + " steps fall into the pit\n";
    }
    EXPECT_EQ(faults, "");
}

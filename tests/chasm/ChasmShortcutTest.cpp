// The canyon as a player meets it: the map's drawing order hides nothing stood on, the deep zone's last
// view shows the player at the exit, neither holding a direction nor random keys reach the exit, and
// the double jump crosses the gap only by its flowers.
#include "chasm/ChasmWorldSupport.h"
#include "engine/CharStats.h"
#include "support/DrawOrder.h"
#include "support/LevelFrame.h"
#include "support/RoadWalker.h"
#include "support/ShortcutRun.h"

#include <gtest/gtest.h>

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

// Random keys might yet cross the flowers by luck, as a player can (none of 300 seeds came past the
// second flower): the fixed seeds alone.
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

// With the double jump, a player who runs off the ledge before the gap at full speed, however he times
// and holds his jumps (on the ledge or off it, the air jump early or late), never stands beyond the
// overhang without the flowers: he comes against its face and falls past its point; and one whose
// air jump was spent when he met the face falls into the pit with no flower in reach, as a player
// holding a direction and jumping now and then does. From the first flower neither jump brings him
// onto the landing without the flowers beyond.
TEST_F(ChasmWorld, TheDoubleJumpCrossesTheGapOnlyByItsFlowers)
{
    GameEvents record = events;
    record[Event_DoubleJump] = GameEvent_HasHappened;
    ChasmWriter::ChasmWriter_Room const overhang = ChasmWriter::Overhang();
    double const ledge = ChasmWriter::Columns()[ChasmWriter::Chasm_GapColumn].floor;
    double const pit = overhang.y0 - 300.0; // a try is over once he falls this low
    // Steps with right held until he hangs from a flower other than the one he starts from (slot
    // from), falls that low or steps have gone; what went wrong, or "".
    auto const run = [&](Chasm_Jumps const& j, int steps, int from) -> std::string {
        bool met = false;   // he has come to the overhang's face
        bool spent = false; // ...with his air jump spent
        for (int i = 0; i < steps; ++i)
        {
            std::vector<int> held{KeyIndex_GameRight};
            if ((j.ground >= 0 && i >= j.ground && i < j.ground + j.groundHeld)
                || (i >= j.air && i < j.air + j.airHeld))
                held.push_back(KeyIndex_GameJump);
            if (Step(held) != Level_Continue)
                return "the level ended";
            Pointf const p = Hero()->GetPos();
            if (!met && p.x >= overhang.x0 - 0.5)
            {
                met = true;
                spent = Hero()->airJumped;
            }
            if (int const flower = HangingFrom(World()); flower >= 0 && flower != from)
                return spent ? "hung from flower " + std::to_string(flower) + " with his air jump spent" : "";
            if (Hero()->onGround && p.x > overhang.x0)
                return "stood beyond the overhang at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
            if (p.y < pit)
                return met ? "" : "fell short of the overhang";
        }
        return "still above the pit";
    };

    Build(Level_Chasm, record);
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
    for (Chasm_Jumps const& j : tries)
    {
        // At full speed on the ledge, no key down, the air jump not yet used.
        Hero()->pos = Pointf(ChasmWriter::GapLeftEdge() - 6.0 * lead, ledge);
        Hero()->fallSpeed = Hero()->jumpSpeed = 0.0;
        Hero()->airJumped = false;
        Step({KeyIndex_GameRight});
        Hero()->speed = Hero()->GetStats()->maxSpeed;
        if (std::string const fault = run(j, 300, -1); !fault.empty())
            faults += "from the ledge, " + JumpsText(j) + ": " + fault + "\n";
        if (HangingFrom(World()) >= 0)
            Build(Level_Chasm, record); // let go of the flower and its records
    }

    // From the first flower, in a world built afresh for each try (a jump off it dips it for good).
    for (int air = 4; air <= 90; air += 6)
    {
        Build(Level_Chasm, record);
        Hero()->pos = World().GetHangOn(Chasm_RoadFlowerSlot)->hangPos;
        ASSERT_EQ(Steps(10), Level_Continue);
        ASSERT_EQ(HangingFrom(World()), Chasm_RoadFlowerSlot);
        Chasm_Jumps const j{0, 15, air, 10};
        if (std::string const fault = run(j, 300, Chasm_RoadFlowerSlot); !fault.empty())
            faults += "from the first flower, " + JumpsText(j) + ": " + fault + "\n";
    }
    EXPECT_EQ(faults, "");
}

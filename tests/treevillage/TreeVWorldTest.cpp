// The village world: its build from the generated folder (failures free everything and name the
// file), its camera zones and exits, and the closing credits.
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/FrameLines.h"
#include "support/MediaTestSupport.h"
#include "support/WorldFixture.h"
#include "tools/MapWriter.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_Events.h"
#include "treevillage/TreeV_MarketSign.h"
#include "treevillage/TreeV_RangeTarget.h"
#include "treevillage/VillagerSupport.h"
#include "util/Error.h"
#include "util/Pointf.h"
#include "util/Util.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

class TreeVWorld : public WorldFixture
{
protected:
    static void SetUpTestSuite()
    {
        WorldFixture::SetUpTestSuite();
        if (!std::filesystem::exists(data->path / "gfx/treevillage/dudes/treedudeA00.png"))
            WriteVillagerImages(data->Path());
    }
    // A first visit: not even time travel has been learnt.
    void SetUp() override
    {
        WorldFixture::SetUp();
        events.eventTimes[Event_TimeTravel] = GameEvent_HasntHappened;
    }

    Error BuildFailure(bool ending) { return TryBuild(Level_TreeV, ending); }

    TreeV& Make(bool ending)
    {
        Build(Level_TreeV, ending);
        treeV = &As<TreeV>();
        return *treeV;
    }

    TreeV* treeV = nullptr;
};

} // namespace

TEST_F(TreeVWorld, MissingMapOrBackgroundFailsNamingItAndABuildFailingLaterCanBeRepeated)
{
    std::filesystem::path const map = "treevillage/map";
    std::filesystem::path const bgmap = "treevillage/bgmap";
    std::filesystem::path const kept = "treevillage/map.kept";
    std::filesystem::path const keptBg = "treevillage/bgmap.kept";
    bool const hadBg = std::filesystem::exists(bgmap);
    if (hadBg)
        std::filesystem::rename(bgmap, keptBg);

    std::filesystem::rename(map, kept);
    for (bool ending : {false, true})
    {
        Error const missing = BuildFailure(ending);
        EXPECT_EQ(missing.Code(), Error_OpenFile);
        EXPECT_STREQ(missing.Text(), "treevillage/map");
    }
    std::filesystem::rename(kept, map);

    // The map is read (and, in the ending, zoomed) before the background is opened.
    for (bool ending : {false, true})
    {
        Error const missing = BuildFailure(ending);
        EXPECT_EQ(missing.Code(), Error_OpenFile);
        EXPECT_STREQ(missing.Text(), "treevillage/bgmap");
    }

    // A missing picture fails once kinds of objects have loaded theirs: a second build must find
    // them finalised, and fail alike.
    if (hadBg)
        std::filesystem::rename(keptBg, bgmap);
    else
        std::filesystem::copy_file(map, bgmap);
    for (char const* picture : {"gfx/treevillage/arrow.png", "gfx/treevillage/marble3.png"})
    {
        std::filesystem::rename(picture, "gfx/treevillage/picture.kept");
        Error const first = BuildFailure(false);
        Error const second = BuildFailure(false);
        std::filesystem::rename("gfx/treevillage/picture.kept", picture);
        EXPECT_EQ(first.Code(), Error_OpenFile);
        EXPECT_STREQ(first.Text(), picture);
        EXPECT_EQ(second.Code(), first.Code());
        EXPECT_STREQ(second.Text(), first.Text());
    }
    if (!hadBg)
        std::filesystem::remove(bgmap);

    // And a normal build follows.
    EXPECT_EQ(BuildFailure(false).Code(), Error_None);
}

TEST_F(TreeVWorld, BothVillagesBuildAgainAndIdle)
{
    Make(false);
    Make(true);
    Make(false);
    EXPECT_NE(treeV->GetSprinkler(), nullptr);
    int stops = 0;
    for (int i = 0; i < 10000; i++)
        stops += Step() != Level_Continue;
    EXPECT_EQ(stops, 0);
    EXPECT_EQ(treeV->GetTick(), 10000);
    // The movement hints came at once and the view hint after 3600 ticks.
    EXPECT_EQ(events[26], GameEvent_HasHappened);
    EXPECT_EQ(events[27], GameEvent_HasHappened);

    TreeV& closing = Make(true);
    EXPECT_TRUE(closing.GetPlayer()->scripted);
    for (int i = 0; i < 6000; i++)
        stops += Step() != Level_Continue;
    EXPECT_EQ(stops, 0);
    EXPECT_EQ(closing.GetEndingTick(), 6000);
    EXPECT_EQ(closing.GetCreditPos().x, 320.0);
    EXPECT_NEAR(closing.GetCreditPos().y, 288.0, 1e-6);
}

TEST_F(TreeVWorld, ExitsNeedALivePlayerAndAMendedLiftLeavesNoLeak)
{
    Make(false);
    Pointf const main(7600.0, 4400.0);
    treeV->GetPlayer()->SetPos(&main);
    EXPECT_EQ(Step(), Level_Completed);

    Make(false);
    Pointf const up(5700.0, 500.0);
    treeV->GetPlayer()->SetPos(&up);
    EXPECT_EQ(Step(), Level_Restart);

    Make(false);
    treeV->GetPlayer()->Die();
    treeV->GetPlayer()->SetPos(&main);
    EXPECT_NE(Step(), Level_Completed);
    treeV->GetPlayer()->SetPos(&up);
    EXPECT_NE(Step(), Level_Restart);

    events[20] = GameEvent_HasHappened;
    Make(false);
    EXPECT_EQ(treeV->GetSprinkler(), nullptr);
    EXPECT_TRUE(treeV->GetMarketSign()->IsComplete(0));
    Pointf const leak(5088.0, 1830.0);
    treeV->GetPlayer()->SetPos(&leak);
    EXPECT_TRUE(treeV->NearTankLeak());
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(Step(), Level_Continue);
}

TEST_F(TreeVWorld, RangeTargetsStandOnceTheRangeIsBookedAndTheCreditBoxIsDrawn)
{
    TreeV& village = Make(false);
    Step();
    for (int i = 0; i < TreeV_RangeTarget_Count; i++)
        EXPECT_EQ(village.GetRangeTarget(i)->state, TreeV_RangeTarget_Hidden);
    village.GetEvents()->SetSlot(TreeV_Event_RangeStarted, village.GetTick());
    Step();
    for (int i = 0; i < TreeV_RangeTarget_Count; i++)
        EXPECT_EQ(village.GetRangeTarget(i)->state, TreeV_RangeTarget_Standing);
    village.SetProjection();
    village.Plot();

    TreeV& closing = Make(true);
    for (int i = 0; i < 2000; i++)
        Step();
    closing.SetProjection();
    closing.Plot();
    // Between the box's top and the heading below it: the white box, half see-through.
    for (int c : Pixel(320, 291))
        EXPECT_GE(c, 120);
}

// The hint panel won from the range master slides in with its key and tells the task of the
// place; before it is won the key brings nothing.
TEST_F(TreeVWorld, TheHintPanelOnceWonShowsWithItsKey)
{
    constexpr int HintKey = KeyIndex_A + 8;
    for (bool won : {false, true})
    {
        events.eventTimes[Event_Hint] = won ? GameEvent_HasHappened : GameEvent_HasntHappened;
        TreeV& village = Make(false);
        Pointf const byTheRange(1300.0, 1150.0);
        village.GetPlayer()->SetPos(&byTheRange);
        for (int i = 0; i < 80; i++)
            Step({HintKey});
        village.SetProjection();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        village.Plot(Level_Plot_Panel);
        // The panel's thumb, at the left of the bottom edge, clear of the message line.
        int lit = 0;
        for (int x = 0; x < 100; x += 3)
            for (int y = 0; y < 80; y += 3)
                lit += IsBlack(x, y) ? 0 : 1;
        EXPECT_EQ(lit > 0, won) << lit << " points lit";
    }
}

TEST_F(TreeVWorld, TheStreetAndItsSkyShowNoStrayOutline)
{
    // Along the street, by the houses and at the lift: sky, trees and roofs above the paving.
    TreeV& village = Make(false);
    for (double x : {150.0, 1300.0, 2750.0, 5150.0})
    {
        Pointf const at(x, x > 5000.0 ? 1545.0 : 1150.0);
        village.GetPlayer()->SetPos(&at);
        for (int i = 0; i < 60; i++)
            Step();
        village.SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        village.Plot();
        for (FrameLines_Stray const& line : FrameLines_StrayWhite())
            ADD_FAILURE() << "a white line " << (line.upright ? "upright" : "across") << " at (" << line.x << ", "
                          << line.y << ") with the player at x " << x;
    }
}

TEST_F(TreeVWorld, TheEldersWelcomeIsWhollyOnTheScreen)
{
    TreeV& closing = Make(true);
    for (int i = 0; i < 200; i++)
        Step();
    closing.SetProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    closing.Plot();
    std::vector<unsigned char> frame(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    // The bubble's pale inside, unlike the sky, trees and paving round it (and wider than an outline).
    auto pale = [&frame](int x, int y) {
        unsigned char const* c = &frame[(y * 640 + x) * 4];
        return std::min({c[0], c[1], c[2]}) >= 228 && std::max({c[0], c[1], c[2]}) - std::min({c[0], c[1], c[2]}) <= 30;
    };
    int inside = 0, atEdge = 0;
    for (int y = 48; y < 424; y++)
        for (int x = 0; x < 640; x++)
            if (pale(x, y - 2) && pale(x, y) && pale(x, y + 2))
            {
                ++inside;
                atEdge += x < 4 || x >= 636 ? 1 : 0;
            }
    EXPECT_GT(inside, 5000) << "the elder's bubble is open";
    EXPECT_EQ(atEdge, 0) << "the bubble runs off the screen";
}

TEST(TreeVRules, ZonesAndLeakAreStrictAndExitsNeedALivePlayer)
{
    double const eps = 1.0 / 8388608.0;
    EXPECT_EQ(TreeV::CameraZone(Pointf(7225.0, 4485.0)), 0);
    EXPECT_EQ(TreeV::CameraZone(Pointf(7226.0, 4485.0)), 8);
    EXPECT_EQ(TreeV::CameraZone(Pointf(1150.0 + eps / 2.0, 2700.0)), 0);
    EXPECT_EQ(TreeV::CameraZone(Pointf(1151.0, 2700.0)), 1);
    EXPECT_EQ(TreeV::CameraZone(Pointf(2300.0, 3100.0)), 5);
    EXPECT_EQ(TreeV::CameraZone(Pointf(2300.0, 3500.0)), 7);
    EXPECT_EQ(TreeV::CameraZone(Pointf(5300.0, 999.0)), 9);
    EXPECT_EQ(TreeV::CameraZone(Pointf(5300.0, 1000.0)), 0);
    // Zone 8 comes first: beyond x 7225 low down is not zone 9.
    EXPECT_EQ(TreeV::CameraZone(Pointf(7300.0, 500.0)), 8);

    EXPECT_TRUE(TreeV::InsideTankLeak(Pointf(5088.0, 1830.0)));
    EXPECT_FALSE(TreeV::InsideTankLeak(Pointf(4590.0, 1830.0)));
    EXPECT_FALSE(TreeV::InsideTankLeak(Pointf(5088.0, 1920.0 - eps / 2.0)));

    EXPECT_EQ(TreeV::ExitAt(Pointf(7511.0, 4300.0), 0), Level_Completed);
    EXPECT_EQ(TreeV::ExitAt(Pointf(7510.0, 4300.0), 0), Level_Continue);
    EXPECT_EQ(TreeV::ExitAt(Pointf(5651.0, 999.0), 0), Level_Restart);
    EXPECT_EQ(TreeV::ExitAt(Pointf(5651.0, 1000.0), 0), Level_Continue);
    EXPECT_EQ(TreeV::ExitAt(Pointf(5650.0, 500.0), 0), Level_Continue);
    for (int dead : {1, 2, 3})
    {
        EXPECT_EQ(TreeV::ExitAt(Pointf(7600.0, 4300.0), dead), Level_Continue);
        EXPECT_EQ(TreeV::ExitAt(Pointf(5700.0, 500.0), dead), Level_Continue);
    }
}

TEST(TreeVRules, CreditsRiseSlideOutAndTheClosingOneStays)
{
    Pointf pos(0.0, 0.0);
    for (int tick = 1; tick < 1500; tick++)
        TreeV::MoveCredit(tick, pos);
    EXPECT_EQ(pos.x, 0.0);
    TreeV::MoveCredit(1500, pos);
    EXPECT_EQ(pos.x, 320.0);
    EXPECT_EQ(pos.y, 0.0);
    TreeV::MoveCredit(1501, pos);
    EXPECT_DOUBLE_EQ(pos.y, 36.0);
    for (int tick = 1502; tick <= 1800; tick++)
        TreeV::MoveCredit(tick, pos);
    EXPECT_EQ(pos.x, 320.0);
    EXPECT_NEAR(pos.y, 288.0, 1e-6);
    for (int tick = 1801; tick < 1900; tick++)
        TreeV::MoveCredit(tick, pos);
    EXPECT_EQ(pos.x, 320.0 + 99 * 40.0);

    for (int tick = 1900; tick <= 20000; tick++)
        TreeV::MoveCredit(tick, pos);
    char const* heading = nullptr;
    char const* second = nullptr;
    TreeV::Credit(20000, &heading, &second);
    EXPECT_STREQ(second, "End");
    EXPECT_EQ(pos.x, 320.0);
    EXPECT_NEAR(pos.y, 288.0, 1e-6);
}

TEST_F(TreeVWorld, TheBackdropShowsWhatDrawingItsCopiesOneAfterAnotherShows)
{
    TreeV& village = Make(false);
    Step();
    village.SetProjection();
    Map* map = village.GetMap();
    MapBase* backdrop = village.GetBgMap();
    auto screen = [] {
        std::vector<unsigned char> frame(640 * 480 * 4);
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
        return frame;
    };
    // Views along the street, below it, zoomed in and far out, some between whole units.
    double const views[][3] = {{-170.0, 1050.0, 1.0},
                               {2480.25, 1117.5, 1.0},
                               {4700.0, 1450.0, 0.8},
                               {5000.0, 350.0, 1.3},
                               {900.0, 900.0, 0.45}};
    for (auto const& v : views)
    {
        map->view.x = v[0];
        map->view.y = v[1];
        map->view.scale = v[2];
        glClear(GL_COLOR_BUFFER_BIT);
        village.PlotBackground();
        std::vector<unsigned char> const drawn = screen();

        // Copy by copy, each placed by the parallax rule and drawn whole before the next.
        glClear(GL_COLOR_BUFFER_BIT);
        double const s = map->view.scale, b = backdrop->view.scale;
        double const cx = (640.0 / s / 2.0 + map->view.x) * 0.8 - 640.0 / b / 2.0;
        double const cy = (480.0 / s / 2.0 + map->view.y) * 0.8 - 480.0 / b / 2.0;
        int copies = 0;
        for (double y = Util::FltMod(cy, 401.0) + (Util::FltMod(cy, 401.0) < 40.0 ? 401.0 : 0.0);
             y + 401.0 > -480.0 / b; y -= 401.0)
            for (double x = Util::FltMod(cx, 360.0) + (Util::FltMod(cx, 360.0) < 40.0 ? 360.0 : 0.0);
                 x + 360.0 > -640.0 / b; x -= 360.0, ++copies)
            {
                backdrop->view.x = x;
                backdrop->view.y = y;
                backdrop->Render(village.GetTime());
            }
        EXPECT_GE(copies, 4) << v[0] << ", " << v[1];
        std::vector<unsigned char> const expected = screen();
        int differing = 0;
        for (std::size_t i = 0; i < drawn.size(); ++i)
            differing += drawn[i] != expected[i] ? 1 : 0;
        EXPECT_EQ(differing, 0) << "view at " << v[0] << ", " << v[1] << " scale " << v[2];
        std::set<std::uint32_t> colours;
        for (std::size_t i = 0; i < drawn.size(); i += 4)
            colours.insert(std::uint32_t(drawn[i]) << 16 | std::uint32_t(drawn[i + 1]) << 8 | drawn[i + 2]);
        EXPECT_GT(colours.size(), 200u) << "sky, hills, trunks and crowns";
    }
}

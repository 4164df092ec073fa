// Villagers: strolls through conversations, refusals, sprites, the patient and loading.
#include "engine/Event_ChatInfo.h"
#include "media/Image.h"
#include "support/MediaTestSupport.h"
#include "treevillage/TreeV_DoorSwitch.h"
#include "treevillage/TreeV_Dude.h"
#include "treevillage/TreeV_MarketSign.h"
#include "treevillage/VillagerSupport.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>

namespace
{

class TreeVDudeTest : public VillagerFixture
{
protected:
    TreeVDudeTest() : map(ReadVillageMap()) {}

    // One silent step of conversation from a talker at x.
    static void TalkFrom(Dude& dude, double x, Tick t)
    {
        Event_ChatInfo info;
        Pointf const at(x, 0.0);
        bool changed = false;
        dude.TalkTo(&at, &info, t, changed);
    }

    std::unique_ptr<Map> map;
};

TEST_F(TreeVDudeTest, AStrollerInConversationStandsAndWalksOnTheSameWay)
{
    TreeV_Dude::Initialise();
    TreeV_Dude dude(map.get(), 2, 23);
    Tick t = 1;
    for (; t < 5000 && dude.RoveState() == 0; t++)
        dude.MoveToTime(map.get(), t);
    ASSERT_NE(dude.RoveState(), 0) << "never set off";
    Tick const talk = t + 20;
    for (; t <= talk; t++)
        dude.MoveToTime(map.get(), t);
    int const state = dude.RoveState();
    ASSERT_NE(state, 0);
    Pointf const stood = dude.GetPos();

    for (; t <= talk + 50; t++)
    {
        TalkFrom(dude, dude.GetPos().x - 20.0, t - 1);
        dude.MoveToTime(map.get(), t);
        EXPECT_EQ(dude.GetPos(), stood) << t;
        EXPECT_EQ(dude.RoveState(), state) << t;
    }
    dude.MoveToTime(map.get(), t++); // the last talk was at t - 2
    dude.MoveToTime(map.get(), t);
    double const moved = dude.GetPos().x - stood.x;
    EXPECT_TRUE(state == 1 ? moved > 0.0 : moved < 0.0) << moved;

    // Travelled back before the conversation and forward again: the same stroll.
    Pointf const after = dude.GetPos();
    dude.MoveToTime(map.get(), talk - 100);
    for (Tick k = talk - 99; k <= t; k++)
        dude.MoveToTime(map.get(), k);
    EXPECT_EQ(dude.GetPos(), after);

    // Back before the talk, the stroller is busy however far ahead it is; the others clash only
    // within the length.
    EXPECT_EQ(dude.CheckChat(10, talk - 100), 3);
    TreeV_Dude other(map.get(), 9, 105);
    TalkFrom(other, 0.0, 1000);
    EXPECT_EQ(other.CheckChat(10, 500), 0);
    EXPECT_EQ(other.CheckChat(10, 995), 2);
    TreeV_Dude::Finalise();
}

TEST_F(TreeVDudeTest, MarblesReplaysHisWalksAndTheOthersFaceAsTheyDidThen)
{
    TreeV_Dude::Initialise();
    TreeV_Dude marbles(map.get(), TreeV_Dude_Marbles, 53);
    for (Tick t = 50; t < 110; t++)
        marbles.Walk(true, t);
    for (Tick t = 200; t < 230; t++)
        marbles.Walk(false, t);
    TreeV_Dude still(map.get(), 9, 105);
    TalkFrom(still, 0.0, 150);

    Pointf seen[300];
    std::uint32_t faced[300];
    for (Tick t = 1; t < 300; t++)
    {
        marbles.MoveToTime(map.get(), t);
        still.MoveToTime(map.get(), t);
        seen[t] = marbles.GetPos();
        faced[t] = still.frame;
    }
    EXPECT_GT(seen[150].x, seen[40].x + 20.0);
    EXPECT_LT(seen[299].x, seen[150].x - 10.0);
    EXPECT_EQ(faced[151], LeftFrame);
    for (Tick t : {80, 130, 10, 151, 299, 140})
    {
        marbles.MoveToTime(map.get(), t);
        still.MoveToTime(map.get(), t);
        EXPECT_EQ(marbles.GetPos(), seen[t]) << t;
        EXPECT_EQ(still.frame, faced[t]) << t;
    }
    TreeV_Dude::Finalise();
}

TEST_F(TreeVDudeTest, SingleSpriteTypesDrawTheirPictureForAnyFrameAndThePatientNeverShows)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    TreeV_Dude::Initialise();
    TreeV_Dude doctor(map.get(), 6, 105); // type 4, at x 40: screen x 360
    TreeV_Dude walker(map.get(), 0, 1);   // type 0, at x 100: screen x 420
    TreeV_Dude patient(map.get(), 8, 80); // no type, in the air at x -200
    doctor.frame = LeftFrame | 3;
    walker.frame = 2;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    doctor.Render(map.get(), 0);
    walker.Render(map.get(), 0);
    patient.Render(map.get(), 0);
    Rgba const doctorColour = VillagerColour(4, 0);
    Rgba const walkerColour = VillagerColour(0, 2);
    EXPECT_EQ(Pixel(360, 252), (std::array<int, 3>{doctorColour.r, doctorColour.g, doctorColour.b}));
    EXPECT_EQ(Pixel(420, 252), (std::array<int, 3>{walkerColour.r, walkerColour.g, walkerColour.b}));
    EXPECT_TRUE(IsBlack(120, 352));

    for (Tick t = 1; t < 50; t++)
        patient.MoveToTime(map.get(), t);
    EXPECT_EQ(patient.GetPos(), Pointf(-200.0, 100.0));
    int talker = -1;
    EXPECT_TRUE(patient.Chat(talker));
    EXPECT_EQ(talker, 8);
    TreeV_Dude::Finalise();
}

TEST_F(TreeVDudeTest, AWorldCanLoadThePicturesAgainAndAMissingOneLeavesNothingLoaded)
{
    std::filesystem::path const king = "gfx/treevillage/dudes/king.png";
    std::filesystem::rename(king, "king.png");
    EXPECT_THROW(TreeV_Dude::Initialise(), Error);
    std::filesystem::rename("king.png", king);
    // Each would fail its assertion with anything left loaded.
    for (int build = 0; build < 2; build++)
    {
        TreeV_Dude::Initialise();
        TreeV_DoorSwitch::Initialise(font);
        TreeV_MarketSign::Initialise();
        TreeV_MarketSign::Finalise();
        TreeV_DoorSwitch::Finalise();
        TreeV_Dude::Finalise();
    }
    std::filesystem::remove("gfx/treevillage/marketsign03.png");
    EXPECT_THROW(TreeV_MarketSign::Initialise(), Error);
    WriteVillagerImages(data->Path());
    TreeV_MarketSign::Initialise();
    TreeV_MarketSign::Finalise();
}

} // namespace

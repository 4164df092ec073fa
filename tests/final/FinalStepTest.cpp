// The den's step rules with the dragon's hits given directly: when its death is noticed, the closing sequence's
// 700 steps with the level standing still, the music's fade, the fade speed and volume put back however the den
// goes, the shaking screen, the arena's camera, the overlay over the level and a hero the socks do not save.
#include "engine/KillZone.h"
#include "final/FinalWorldSupport.h"
#include "media/Game_Music.h"
#include "media/Game_Sounds.h"
#include "support/MapFiles.h"
#include "support/TestAudio.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace
{

class FinalStepTest : public FinalWorldFixture
{
protected:
    void TearDown() override
    {
        FinalWorldFixture::TearDown();
        fadeSpeed = Level_FadeSpeed;
        Game_Music::SetSecondVolume(255);
    }

    // The whole screen as the world draws it now.
    std::vector<unsigned char> Frame(bool overlay = true)
    {
        world->SetProjection();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        if (overlay)
            world->Plot();
        else
            world->Level::Plot(Level_Plot_All);
        std::vector<unsigned char> rgba(640 * 480 * 4);
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    static int WhitePixels(std::vector<unsigned char> const& rgba)
    {
        int white = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4)
            white += rgba[i] == 255 && rgba[i + 1] == 255 && rgba[i + 2] == 255 ? 1 : 0;
        return white;
    }

    // Steps of the closing sequence until its counter reaches c.
    void StepTo(int c)
    {
        while (World().GetFinishCounter() < c)
            ASSERT_EQ(Step({KeyIndex_GameLeft}), Level_Continue);
    }
};

} // namespace

TEST_F(FinalStepTest, TheDeathIsNoticedInTheStepThatReachesItsTickAndTheLevelThenStandsStillFor700Steps)
{
    TestAudio::WriteWav(Game_Sounds::FileName(Sound_Dragon3));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Final& den = Den();
    sounds.mute = 0;
    Steps(50);
    KillAt(60);
    while (den.GetTick() < 59)
        Step();
    EXPECT_EQ(den.GetFinishCounter(), -1);
    EXPECT_EQ(fadeSpeed, Level_FadeSpeed);
    EXPECT_LT(TestAudio::ChannelOf(Game_Sounds::FileName(Sound_Dragon3)), 0);
    ASSERT_EQ(Step(), Level_Continue);
    ASSERT_EQ(den.GetTick(), 60);
    EXPECT_EQ(den.GetFinishCounter(), 0);
    EXPECT_EQ(fadeSpeed, Final_Finish_FadeSpeed);
    EXPECT_GE(TestAudio::ChannelOf(Game_Sounds::FileName(Sound_Dragon3)), 0) << "the death cry";

    // Nothing moves any more: no walk, no jump, no travel, no clock.
    Pointf const at = Hero()->GetPos();
    std::int32_t const real = den.GetRealSteps();
    std::vector<std::vector<int>> const tries = {
        {KeyIndex_GameLeft}, {KeyIndex_GameJump}, {KeyIndex_GameBackInTime}, {KeyIndex_GameForwardInTime}};
    for (int c = 1; c < Final_Finish_Steps; ++c)
    {
        ASSERT_EQ(Step(tries[c % tries.size()]), Level_Continue) << "closing step " << c;
        ASSERT_EQ(den.GetFinishCounter(), c);
        int const volume = Game_Music::GetSecondVolume();
        if (c <= Final_Finish_MusicFade)
            EXPECT_EQ(volume, 255) << "closing step " << c;
        else
            EXPECT_EQ(volume, Final_Finish_Steps - c) << "closing step " << c;
        EXPECT_EQ(Dragon()->IsHidden(), c >= Final_Finish_HideDragon) << "closing step " << c;
    }
    EXPECT_EQ(den.GetTick(), 60);
    EXPECT_EQ(den.GetRealSteps(), real);
    EXPECT_FALSE(den.IsTimeTravelling());
    MapFiles::ExpectPoint(Hero()->GetPos(), at.x, at.y);
    ASSERT_EQ(Step(), Level_Completed);
    EXPECT_EQ(Game_Music::GetSecondVolume(), 0);
    EXPECT_EQ(fadeSpeed, Final_Finish_FadeSpeed);

    Destroy();
    EXPECT_EQ(fadeSpeed, Level_FadeSpeed);
    EXPECT_EQ(Game_Music::GetSecondVolume(), 255);
}

TEST_F(FinalStepTest, ADeathShownByTravelStartsTheSequenceOnlyAtTheFirstOrdinaryStepThatFindsTheDragonDead)
{
    // Ended where the dragon is dead: the step that ends the travel starts it.
    Final& den = Den();
    Steps(400);
    TravelBackTo(330);
    KillAt(200);
    TravelBackTo(260);
    EXPECT_TRUE(Dragon()->Dead(den.GetTick()));
    EXPECT_EQ(den.GetFinishCounter(), -1) << "shown while travelling";
    Tick const ended = den.GetTick();
    Step({KeyIndex_GameJump});
    EXPECT_FALSE(den.IsTimeTravelling());
    EXPECT_EQ(den.GetTick(), ended + 1);
    EXPECT_EQ(den.GetFinishCounter(), 0);

    // Ended before it: it starts when the clock gets there again.
    Den();
    Steps(400);
    TravelBackTo(330);
    KillAt(200);
    TravelBackTo(120);
    Step({KeyIndex_GameJump});
    Step();
    EXPECT_EQ(World().GetFinishCounter(), -1);
    while (World().GetTick() < 199)
        Step();
    EXPECT_EQ(World().GetFinishCounter(), -1);
    Step();
    EXPECT_EQ(World().GetTick(), 200);
    EXPECT_EQ(World().GetFinishCounter(), 0);
}

TEST_F(FinalStepTest, HoweverTheDenGoesTheFadeSpeedAndTheMusicVolumeArePutBack)
{
    // Left mid-sequence (through the menu, say), the music half faded.
    Final& den = Den();
    KillAt(1);
    Step();
    ASSERT_EQ(den.GetFinishCounter(), 0);
    StepTo(460);
    EXPECT_EQ(Game_Music::GetSecondVolume(), 240);
    Destroy();
    EXPECT_EQ(fadeSpeed, Level_FadeSpeed);
    EXPECT_EQ(Game_Music::GetSecondVolume(), 255);

    // Ended by the hero's death, or left before the dragon died, whatever else set them.
    Den();
    fadeSpeed = 0.5;
    Game_Music::SetSecondVolume(17);
    Destroy();
    EXPECT_EQ(fadeSpeed, Level_FadeSpeed);
    EXPECT_EQ(Game_Music::GetSecondVolume(), 255);
}

TEST_F(FinalStepTest, TheScreenShakesWhileTheDragonScreamsNotWhileTravellingAndThroughASequenceBegunInAScream)
{
    Final& den = Den();
    auto shaken = [&](Tick t) {
        den.SetClock(t << 8, t);
        den.SetProjection();
        return den.GetShake();
    };
    for (Tick t : {0, 1199, 1350, 4350 + 1199})
    {
        Pointf const s = shaken(t);
        EXPECT_EQ(s.x, 0.0) << "tick " << t;
        EXPECT_EQ(s.y, 0.0) << "tick " << t;
    }
    std::vector<double> seen;
    for (Tick t : {1200, 1275, 1349, 2650, 4100})
    {
        Pointf const s = shaken(t);
        for (double v : {s.x, s.y})
        {
            EXPECT_GE(v, -4.0) << "tick " << t;
            EXPECT_LT(v, 4.0) << "tick " << t;
            seen.push_back(v);
        }
        // The projection itself is thrown by the shake.
        GLdouble m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        EXPECT_NEAR(-m[12] * 320.0 - 320.0, s.x, 1e-3);
        EXPECT_NEAR(-m[13] * 240.0 - 240.0, s.y, 1e-3);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_GT(std::unique(seen.begin(), seen.end()) - seen.begin(), 5) << "new every frame";

    // While travelling the screen wobbles instead.
    den.SetClock(1300 << 8, 1300);
    Step({KeyIndex_GameBackInTime});
    ASSERT_TRUE(den.IsTimeTravelling());
    ASSERT_TRUE(Dragon()->Screaming(den.GetTick()));
    den.SetProjection();
    EXPECT_EQ(den.GetShake().x, 0.0);
    EXPECT_EQ(den.GetShake().y, 0.0);

    // Dead in the scream: the clock stays there, and the screen shakes to the sequence's end.
    Den();
    World().SetClock(1240 << 8, 1240);
    KillAt(1250);
    while (World().GetFinishCounter() < 0)
        Step();
    int still = 0;
    for (int c = 0; c <= Final_Finish_Steps; ++c)
    {
        World().SetProjection();
        Pointf const s = World().GetShake();
        still += s.x == 0.0 && s.y == 0.0 ? 1 : 0;
        if (c < Final_Finish_Steps)
            Step();
    }
    EXPECT_EQ(still, 0);
    EXPECT_TRUE(Dragon()->IsHidden());
}

TEST_F(FinalStepTest, TheCameraHoldsTheArenaWhileTheHeroIsStrictlyInsideIt)
{
    double const eps = Util::Eps / 4.0;
    struct Row
    {
        double x, y;
        bool in;
    };
    Row const rows[] = {
        {3060.0, 700.0, false}, {3060.0 + eps, 700.0, false}, {3060.01, 700.0, true},
        {4230.0, 700.0, false}, {4230.0 - eps, 700.0, false}, {4229.99, 700.0, true},
        {3500.0, 600.0, false}, {3500.0, 600.0 + eps, false}, {3500.0, 600.01, true},
        {3500.0, 5000.0, true}, {2000.0, 700.0, false},       {5000.0, 700.0, false},
    };
    for (Row const& row : rows)
        EXPECT_EQ(Final::InArena(Pointf(row.x, row.y)), row.in) << row.x << ", " << row.y;

    Den();
    Map const* map = world->GetMap();
    Place(Pointf(FinalWriter::Dragon_X - 400.0, FinalWriter::Floor_Y + 1.0));
    Steps(300);
    Pointf const centre = map->GetCentrePoint();
    EXPECT_NEAR(centre.x, Final_Arena_CentreX, 1.0);
    EXPECT_NEAR(centre.y, Final_Arena_CentreY, 1.0);
    EXPECT_NEAR(map->view.scale, Final_Arena_Zoom, 1e-3);

    // Down in the pit, below the arena, the camera follows him again.
    Place(Pointf((FinalWriter::Pit_Left + FinalWriter::Pit_Right) / 2.0, FinalWriter::Pit_Floor + 1.0));
    Steps(100);
    EXPECT_GT(map->view.scale, Final_Arena_Zoom + 0.2);
    EXPECT_NEAR(map->GetCentrePoint().x, Hero()->GetPos().x, 100.0);
}

TEST_F(FinalStepTest, OverTheLevelNoRayAtTheDeathAWhiteDiscFrom301ThatCoversItAndThenTheDenWithoutItsDragon)
{
    Final& den = Den();
    Place(Pointf(FinalWriter::Dragon_X - 400.0, FinalWriter::Floor_Y + 1.0));
    Steps(300); // the camera over the arena, the dragon in sight
    KillAt(den.GetTick() + 1);
    Step();
    ASSERT_EQ(den.GetFinishCounter(), 0);
    std::vector<unsigned char> const plain = Frame(false);
    EXPECT_EQ(Frame(), plain) << "no ray at the step of the death";
    EXPECT_LT(WhitePixels(plain), 640 * 48);

    StepTo(300);
    EXPECT_NE(Frame(), Frame(false)) << "rays";
    StepTo(301);
    std::vector<unsigned char> const disc = Frame();
    EXPECT_GT(WhitePixels(disc), WhitePixels(Frame(false)));
    StepTo(480);
    EXPECT_EQ(WhitePixels(Frame()), 640 * 480) << "the disc covers the screen";
    StepTo(650);
    std::vector<unsigned char> const after = Frame();
    EXPECT_EQ(after, Frame(false));
    EXPECT_NE(after, plain) << "the dragon is gone";
}

TEST_F(FinalStepTest, TheSocksDoNotSaveTheHeroAndADeathBlowWhileHeIsDyingStillEndsTheFight)
{
    // In the pit the fire takes a heart, then another once the grace is over, until he dies.
    Den();
    Pointf const pit((FinalWriter::Pit_Left + FinalWriter::Pit_Right) / 2.0, FinalWriter::Pit_Floor + 1.0);
    Place(pit);
    int hearts = 0;
    int most = 0;
    Hero()->GetHitPoints(&hearts, &most);
    Step();
    int left = 0;
    Hero()->GetHitPoints(&left, &most);
    EXPECT_EQ(left, hearts - 1);
    Steps(Player_HitGrace);
    Hero()->GetHitPoints(&left, &most);
    EXPECT_EQ(left, hearts - 1) << "the grace";
    Step();
    Hero()->GetHitPoints(&left, &most);
    EXPECT_EQ(left, hearts - 2);
    Level_Action r = Level_Continue;
    int steps = 0;
    while (r == Level_Continue && steps++ < 20000)
        r = Step();
    EXPECT_EQ(r, Level_Left) << "dead, socks and all";

    // The dragon dies as he falls: its end is played, not his.
    Den();
    Place(pit);
    while (Hero()->IsPlayerDead() != 1)
        ASSERT_EQ(Step(), Level_Continue);
    KillAt(world->GetTick() + 1);
    Step();
    EXPECT_EQ(World().GetFinishCounter(), 0);
    EXPECT_EQ(Steps(Final_Finish_Steps), Level_Completed);
}

// The boulder: which moves of the player push it, the ogre's death it brings and the blows that
// death hands back, the rolling copies with their thuds, and its drawing.
#include "black/BlackTestSupport.h"
#include "black/Black_Ogre.h"
#include "black/Black_PushRock.h"
#include "engine/Level.h"
#include "engine/TimeSet.h"
#include "platform/Audio.h"
#include "support/TestAudio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace
{

constexpr double Left = -1.5707963267949;

// The boulder rests 20 above the floor at x -240 and rolls off to the left, against the wall.
class BlackPushRockTest : public BlackFixture
{
protected:
    void SetUp() override
    {
        BlackFixture::SetUp();
        ogre = std::make_unique<Black_Ogre>(Pointf(-1000.0, 5.0));
    }
    void TearDown() override
    {
        ogre.reset();
        BlackFixture::TearDown();
    }

    std::unique_ptr<Black_PushRock> Boulder()
    {
        return std::make_unique<Black_PushRock>(map.get(), BlackMap_Ledge, Left, 4.0, 241, ogre.get());
    }

    // Whether a fresh boulder is pushed by a player seen at from and then at to.
    bool Pushes(Pointf from, Pointf to)
    {
        std::unique_ptr<Black_PushRock> rock = Boulder();
        rock->PlayerAtPos(99, &from);
        rock->PlayerAtPos(100, &to);
        return rock->GetPushes().Check(100);
    }

    // A run into the boulder from its right at tick t.
    static void Push(Black_PushRock& rock, Tick t)
    {
        Pointf const from(-170.0, 0.0);
        Pointf const to(-200.0, 0.0);
        rock.PlayerAtPos(t - 1, &from);
        rock.PlayerAtPos(t, &to);
    }

    static Tick Pushes(Black_PushRock const& rock) { return rock.GetPushes().Count(Level_TotalTime); }

    std::unique_ptr<Map> map = ReadSmallMap(BlackWriter());
    std::unique_ptr<Black_Ogre> ogre;
};

} // namespace

TEST_F(BlackPushRockTest, OnlyARunToTheLeftFasterThanThreeAStepThroughItsAreaPushes)
{
    double const eps = 1e-9;
    EXPECT_FALSE(Pushes(Pointf(-197.0, 0.0), Pointf(-200.0, 0.0))) << "3 a step";
    EXPECT_FALSE(Pushes(Pointf(-197.0 + eps, 0.0), Pointf(-200.0, 0.0))) << "within the tolerance of 3";
    EXPECT_TRUE(Pushes(Pointf(-196.9, 0.0), Pointf(-200.0, 0.0)));
    EXPECT_FALSE(Pushes(Pointf(-200.0, 0.0), Pointf(-200.0, 0.0))) << "standing";
    EXPECT_FALSE(Pushes(Pointf(-210.0, 0.0), Pointf(-200.0, 0.0))) << "going right";

    // The area: from the resting centre, up to 60 right of it and 32 below it, edges outside.
    Pointf const edges[] = {{-180.0, 0.0}, {-240.0, 0.0}, {-200.0, -12.0}, {-200.0, 20.0}, {-180.0 - eps, 0.0}};
    for (Pointf const& p : edges)
        EXPECT_FALSE(Pushes(Pointf(p.x + 10.0, p.y), p)) << p.x << ", " << p.y;
    EXPECT_TRUE(Pushes(Pointf(-170.0, 20.0 - 1e-3), Pointf(-180.0 - 1e-3, 20.0 - 1e-3)));
    EXPECT_TRUE(Pushes(Pointf(-229.0, -12.0 + 1e-3), Pointf(-239.99, -12.0 + 1e-3)));

    // The first position seen is only kept, wherever the player stands.
    std::unique_ptr<Black_PushRock> rock = Boulder();
    Pointf const inside(-200.0, 0.0);
    rock->PlayerAtPos(100, &inside);
    EXPECT_EQ(Pushes(*rock), 0);
    Pointf const further(-204.0, 0.0);
    rock->PlayerAtPos(101, &further);
    EXPECT_TRUE(rock->GetPushes().Check(101));

    // Pushes less than 20 ticks apart count once, also when the later one came first.
    std::unique_ptr<Black_PushRock> twice = Boulder();
    Push(*twice, 1000);
    Push(*twice, 1019);
    Push(*twice, 981);
    EXPECT_EQ(Pushes(*twice), 1);
    Push(*twice, 1020);
    Push(*twice, 980);
    EXPECT_EQ(Pushes(*twice), 3);
}

TEST_F(BlackPushRockTest, APushKillsTheOgre215TicksLaterAndTheBlowsItUndoesAreGivenOnce)
{
    // Blows the ogre dealt at 1150 and 1300, before a travel back.
    ogre->TakenHit(1150, 10);
    ogre->TakenHit(1300, 10);
    std::unique_ptr<Black_PushRock> rock = Boulder();
    Push(*rock, 1000);
    EXPECT_EQ(ogre->GetDeathTime(), 1215);
    EXPECT_EQ(rock->GetHits(), 10);
    EXPECT_EQ(rock->GetHits(), 0) << "given once";

    // A later push only launches a copy.
    Push(*rock, 1100);
    EXPECT_EQ(ogre->GetDeathTime(), 1215);
    EXPECT_EQ(rock->GetHits(), 0);
    EXPECT_EQ(rock->CopiesAt(1150).size(), 2u);

    // An earlier one, after travelling back, moves the death and banks what it undoes.
    Push(*rock, 900);
    Push(*rock, 800);
    EXPECT_EQ(ogre->GetDeathTime(), 1015);
    EXPECT_EQ(rock->GetHits(), 10);
}

TEST_F(BlackPushRockTest, CopiesRollTheSamePathEachAndThudWhereTheyLandAndOffTheWall)
{
    std::unique_ptr<Black_PushRock> rock = Boulder();
    FlatList<Pointf> const& path = rock->GetPath();
    ASSERT_EQ(path.Count(), 241);
    EXPECT_EQ(path[0], map->GetRefPoint(BlackMap_Ledge));

    // One copy: where it thuds, from its push on.
    Push(*rock, 1000);
    std::vector<std::tuple<Tick, Sound_Id>> first;
    for (Tick t = 990; t < 1300; ++t)
        for (Black_Thud const& thud : rock->ThudsAt(t))
        {
            first.emplace_back(t - 1000, thud.sound);
            if (thud.sound == Sound_BoulderLand)
                EXPECT_NEAR(thud.at.y, 0.0, 1e-6) << "lands on the floor at " << t;
            else
                EXPECT_NEAR(thud.at.x, BlackMap_WallFace, 1e-6) << "bounces off the wall at " << t;
        }
    ASSERT_GE(first.size(), 2u);
    EXPECT_NE(std::find(first.begin(), first.end(), std::tuple<Tick, Sound_Id>(12, Sound_BoulderLand)), first.end())
        << "its fall from the ledge";
    EXPECT_NE(
        std::count_if(first.begin(), first.end(), [](auto const& e) { return std::get<1>(e) == Sound_BoulderLand2; }),
        0);

    // A second copy rolls and thuds alike; each is gone when its path is used up.
    Push(*rock, 1100);
    std::vector<std::tuple<Tick, Sound_Id>> both;
    for (Tick t = 990; t < 1400; ++t)
        for (Black_Thud const& thud : rock->ThudsAt(t))
            both.emplace_back(t - 1000, thud.sound);
    std::vector<std::tuple<Tick, Sound_Id>> expected = first;
    for (auto const& [i, sound] : first)
        expected.emplace_back(i + 100, sound);
    std::sort(expected.begin(), expected.end());
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, expected);

    EXPECT_TRUE(rock->CopiesAt(999).empty());
    EXPECT_EQ(rock->CopiesAt(1000), (std::vector<Pointf>{path[0]}));
    EXPECT_EQ(rock->CopiesAt(1240), (std::vector<Pointf>{path[140], path[240]}));
    EXPECT_EQ(rock->CopiesAt(1241), (std::vector<Pointf>{path[141]}));
    EXPECT_TRUE(rock->CopiesAt(1341).empty());

    // The fall from the ledge is heard when the clock reaches it.
    TestAudio::WriteWav(Game_Sounds::FileName(Sound_BoulderLand));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    sounds.SetCentrePoint(path[0], 1.0);
    auto heard = [&](Tick t) {
        rock->MoveToTime(map.get(), t);
        bool const playing = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_BoulderLand)) >= 0;
        sounds.Stop(Sound_BoulderLand);
        sounds.Stop(Sound_BoulderLand2);
        return playing;
    };
    EXPECT_FALSE(heard(1011));
    EXPECT_TRUE(heard(1012));
    EXPECT_FALSE(heard(1013));
}

TEST_F(BlackPushRockTest, TheRestingBoulderIsAlwaysDrawnAndEachCopyWhileItRolls)
{
    Black_PushRock::Initialise();
    std::unique_ptr<Black_PushRock> rock = Boulder();
    LookAt(*map, rock->GetPath()[0]);
    // Drawn 64 across, centred; the copy lies 54 left of the resting place once it has stopped.
    auto drawn = [&](Tick t, int x, int y) {
        ClearScreen();
        rock->Render(map.get(), t);
        return Pixel(x, y);
    };
    EXPECT_EQ(drawn(1000, 320, 240), Colour(BlackPicture_Rock));
    EXPECT_EQ(drawn(1000, 346, 240), Colour(BlackPicture_Rock));
    EXPECT_TRUE(IsBlack(355, 240));
    EXPECT_TRUE(IsBlack(240, 220));
    Push(*rock, 1000);
    EXPECT_EQ(drawn(1100, 240, 220), Colour(BlackPicture_Rock));
    EXPECT_EQ(drawn(1100, 320, 240), Colour(BlackPicture_Rock));
    drawn(999, 240, 220);
    EXPECT_TRUE(IsBlack(240, 220)) << "not yet pushed";
    drawn(1241, 240, 220);
    EXPECT_TRUE(IsBlack(240, 220)) << "its path used up";
    rock.reset();
    Black_PushRock::Finalise();

    EXPECT_EQ(ThrownError([&] { Black_PushRock(map.get(), BlackMap_Ledge, Left, 4.0, 0, ogre.get()); }).Code(),
              Error_ParseFile);
}

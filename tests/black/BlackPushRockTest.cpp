// The boulder: which moves of the player push it, the ogre's death it brings and the blows that
// death hands back, and the rolling copies with their thuds.
#include "black/BlackTestSupport.h"
#include "black/Black_Ogre.h"
#include "black/Black_PushRock.h"
#include "engine/Level.h"
#include "engine/TimeSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace
{

// The boulder rests 20 above the floor at x -240 and rolls off to the left, against the wall.
class BlackPushRockTest : public BlackFixture
{
protected:
    void SetUp() override
    {
        BlackFixture::SetUp();
        ogre = std::make_unique<Black_Ogre>(Pointf(-1000.0, 5.0));
        rock = Boulder();
    }
    void TearDown() override
    {
        rock.reset();
        ogre.reset();
        BlackFixture::TearDown();
    }

    std::unique_ptr<Black_PushRock> Boulder(int steps = 241)
    {
        return std::make_unique<Black_PushRock>(map.get(), BlackMap_Ledge, -1.5707963267949, 4.0, steps, ogre.get());
    }

    // Whether a fresh boulder is pushed by a player seen at from and then at to.
    bool Pushes(Pointf from, Pointf to)
    {
        std::unique_ptr<Black_PushRock> fresh = Boulder();
        fresh->PlayerAtPos(99, &from);
        fresh->PlayerAtPos(100, &to);
        return fresh->GetPushes().Check(100);
    }

    // A run into the boulder from its right at tick t.
    void Push(Tick t)
    {
        Pointf const from(-170.0, 0.0);
        Pointf const to(-200.0, 0.0);
        rock->PlayerAtPos(t - 1, &from);
        rock->PlayerAtPos(t, &to);
    }

    Tick PushCount() const { return rock->GetPushes().Count(Level_TotalTime); }

    std::unique_ptr<Map> map = ReadSmallMap(BlackWriter());
    std::unique_ptr<Black_Ogre> ogre;
    std::unique_ptr<Black_PushRock> rock;
};

} // namespace

TEST_F(BlackPushRockTest, OnlyARunToTheLeftFasterThanThreeAStepThroughItsAreaPushesAtMostOnceIn20Ticks)
{
    double const eps = 1e-9;
    EXPECT_FALSE(Pushes(Pointf(-197.0, 0.0), Pointf(-200.0, 0.0))) << "3 a step";
    EXPECT_FALSE(Pushes(Pointf(-197.0 + eps, 0.0), Pointf(-200.0, 0.0))) << "within the tolerance of 3";
    EXPECT_TRUE(Pushes(Pointf(-196.9, 0.0), Pointf(-200.0, 0.0)));
    EXPECT_FALSE(Pushes(Pointf(-200.0, 0.0), Pointf(-200.0, 0.0))) << "standing";
    EXPECT_FALSE(Pushes(Pointf(-210.0, 0.0), Pointf(-200.0, 0.0))) << "going right";
    // The area reaches 60 right of the resting centre and 32 below it, its edges outside.
    for (Pointf const& p : {Pointf(-180.0, 0.0), Pointf(-240.0, 0.0), Pointf(-200.0, -12.0), Pointf(-200.0, 20.0)})
        EXPECT_FALSE(Pushes(Pointf(p.x + 10.0, p.y), p)) << p.x << ", " << p.y;
    EXPECT_TRUE(Pushes(Pointf(-170.0, -11.99), Pointf(-180.01, -11.99)));

    // The first position seen is only kept, wherever the player stands.
    Pointf const inside(-200.0, 0.0);
    rock->PlayerAtPos(100, &inside);
    EXPECT_EQ(PushCount(), 0);

    // Pushes less than 20 ticks apart count once, also when the later one came first.
    Push(1000);
    Push(1019);
    Push(981);
    EXPECT_EQ(PushCount(), 1);
    Push(1020);
    Push(980);
    EXPECT_EQ(PushCount(), 3);
}

TEST_F(BlackPushRockTest, APushKillsTheOgre215TicksLaterAndTheBlowsItUndoesAreGivenOnce)
{
    // Blows the ogre dealt at 1150 and 1300, before a travel back.
    ogre->TakenHit(1150, 10);
    ogre->TakenHit(1300, 10);
    Push(1000);
    EXPECT_EQ(ogre->GetDeathTime(), 1215);
    EXPECT_EQ(rock->GetHits(), 10);
    EXPECT_EQ(rock->GetHits(), 0) << "given once";

    Push(1100);
    EXPECT_EQ(ogre->GetDeathTime(), 1215);
    EXPECT_EQ(rock->GetHits(), 0) << "a later push only launches a copy";
    EXPECT_EQ(rock->CopiesAt(1150).size(), 2u);

    Push(800);
    EXPECT_EQ(ogre->GetDeathTime(), 1015);
    EXPECT_EQ(rock->GetHits(), 10);
}

TEST_F(BlackPushRockTest, CopiesRollTheSamePathAndThudWhereTheyLandAndOffTheWallUntilItIsUsedUp)
{
    FlatList<Pointf> const& path = rock->GetPath();
    EXPECT_EQ(path[0], map->GetRefPoint(BlackMap_Ledge));
    auto thuds = [&](Tick from, Tick to) {
        std::vector<std::pair<Tick, Sound_Id>> heard;
        for (Tick t = from; t < to; ++t)
            for (Black_Thud const& thud : rock->ThudsAt(t))
            {
                heard.emplace_back(t, thud.sound);
                if (thud.sound == Sound_BoulderLand)
                    EXPECT_NEAR(thud.at.y, 0.0, 1e-6) << "lands on the floor at " << t;
                else
                    EXPECT_NEAR(thud.at.x, BlackMap_WallFace, 1e-6) << "bounces off the wall at " << t;
            }
        return heard;
    };
    Push(1000);
    std::vector<std::pair<Tick, Sound_Id>> const first = thuds(990, 1300);
    EXPECT_NE(std::find(first.begin(), first.end(), std::pair(Tick(1012), Sound_BoulderLand)), first.end())
        << "its fall from the ledge";
    EXPECT_TRUE(std::any_of(first.begin(), first.end(), [](auto const& e) { return e.second == Sound_BoulderLand2; }));

    // A second copy thuds alike, 100 ticks on.
    Push(1100);
    std::vector<std::pair<Tick, Sound_Id>> expected = first;
    for (auto const& [t, sound] : first)
        expected.emplace_back(t + 100, sound);
    std::sort(expected.begin(), expected.end());
    std::vector<std::pair<Tick, Sound_Id>> both = thuds(990, 1400);
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, expected);

    EXPECT_TRUE(rock->CopiesAt(999).empty());
    EXPECT_EQ(rock->CopiesAt(1000), (std::vector<Pointf>{path[0]}));
    EXPECT_EQ(rock->CopiesAt(1240), (std::vector<Pointf>{path[140], path[240]}));
    EXPECT_EQ(rock->CopiesAt(1241), (std::vector<Pointf>{path[141]}));
    EXPECT_TRUE(rock->CopiesAt(1341).empty());

    EXPECT_EQ(ThrownError([&] { Boulder(0); }).Code(), Error_ParseFile);
}

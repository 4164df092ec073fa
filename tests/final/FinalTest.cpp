// The den built from the generated data: what it holds and in what order, the hero it starts, building again,
// idling, failures part-way and a missing music file.
#include "engine/KillZone.h"
#include "engine/PickUp.h"
#include "final/FinalWorldSupport.h"
#include "support/MapFiles.h"
#include "support/MapIdSweep.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{

class FinalTest : public FinalWorldFixture
{
protected:
    // Building fails with the file missing; whatever the build had made must be gone, so that the
    // next build's initialisations find nothing loaded.
    void ExpectMissing(char const* file)
    {
        Error const e = WorldSweep::MissingFile(*this, Level_Final, file);
        EXPECT_EQ(e.Code(), Error_OpenFile) << file;
        EXPECT_NE(std::string(e.Text()).find(file), std::string::npos) << e.Text();
    }
};

} // namespace

TEST_F(FinalTest, HoldsTheDragonTheKillZoneAndTwoHeartsAndAHeroTheSocksDoNotSave)
{
    Final& den = Den();
    EXPECT_EQ(Objects(), (std::vector<Object*>{den.GetDragon(), den.GetHeart(0), den.GetHeart(1)}));
    EXPECT_EQ(Enemies(), (std::vector<Enemy*>{den.GetDragon(), den.GetKillZone()}));
    EXPECT_EQ(den.GetMapMove(), nullptr);

    MapFiles::ExpectPoint(Hero()->GetPos(), Rp(Final_Rp_Start).x, Rp(Final_Rp_Start).y);
    EXPECT_EQ(Hero()->levelEvents, nullptr);
    EXPECT_TRUE(Hero()->forceDeath);
    EXPECT_TRUE(Hero()->CanDie()) << "the socks were found, yet he can die here";
    EXPECT_EQ(den.GetDragon()->GetPos().x, Rp(Final_Rp_Dragon).x);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(den.GetHeart(i)->GetType(), PickUp_Heart);
        MapFiles::ExpectPoint(den.GetHeart(i)->GetPos(), Rp(Final_Rp_Hearts[i]).x, Rp(Final_Rp_Hearts[i]).y);
    }
    EXPECT_EQ(den.GetFinishCounter(), -1);
}

TEST_F(FinalTest, IsDestroyedAndBuiltAgainInOneProcessAndIdlesTenThousandSteps)
{
    Den();
    Destroy();
    Final& den = Den();
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(Hero()->IsPlayerDead(), 0);
    EXPECT_EQ(den.GetFinishCounter(), -1);
    EXPECT_EQ(den.GetTick(), 10000);
}

TEST_F(FinalTest, AFailurePartWayIsReportedFreesWhatWasBuiltAndANormalBuildFollows)
{
    // Each fails later in the build than the one before: a kind left loaded would trip the next
    // build's assertion that it is not.
    ExpectMissing("final/map");
    ExpectMissing("gfx/map/final/basalt.png");
    ExpectMissing("gfx/final/dragon/body.png");
    ExpectMissing("gfx/final/dragon/largerock.png");
    Den();
    EXPECT_EQ(Step(), Level_Continue);
}

TEST_F(FinalTest, WithoutItsMusicTheDenIsBuiltWholeAndPlaysSilent)
{
    std::filesystem::path const path = data->path / "music/final.mp3";
    ASSERT_TRUE(std::filesystem::exists(path));
    std::filesystem::rename(path, data->path / "aside");
    Final& den = Den();
    std::filesystem::rename(data->path / "aside", path);
    EXPECT_NE(den.GetHeart(1), nullptr);
    EXPECT_EQ(Steps(10), Level_Continue);
}

// The canyon built from the generated data: its content, building again in one process, idling, the
// chests by the saved flags, the music guard and failures part-way.
#include "chasm/ChasmWorldSupport.h"
#include "chasm/Chasm_FireBall.h"
#include "creatures/Bat.h"
#include "creatures/Bat_Group.h"
#include "creatures/Jet.h"
#include "creatures/Vine.h"
#include "engine/Chest.h"
#include "engine/HangOn.h"
#include "engine/KillZone.h"
#include "engine/PickUp.h"
#include "engine/Sign.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace
{

template <class T>
int CountOf(std::vector<Object*> const& objects)
{
    int n = 0;
    for (Object* o : objects)
        n += dynamic_cast<T*>(o) != nullptr ? 1 : 0;
    return n;
}

// Moves a file of the data folder aside for the scope.
class Aside
{
public:
    explicit Aside(std::filesystem::path file) : path(std::move(file)), kept(path.string() + ".kept")
    {
        std::filesystem::rename(path, kept);
    }
    ~Aside() { std::filesystem::rename(kept, path); }
    Aside(Aside const&) = delete;
    Aside& operator=(Aside const&) = delete;

private:
    std::filesystem::path path;
    std::filesystem::path kept;
};

} // namespace

TEST_F(ChasmWorld, BuildsEveryObjectFromTheGeneratedDataAndAgainInOneProcess)
{
    for (int build = 0; build < 2; ++build)
    {
        SCOPED_TRACE("build " + std::to_string(build));
        Chasm& chasm = Make();
        std::vector<Object*> const objects = Objects();
        EXPECT_EQ(CountOf<HangOn>(objects), Chasm_Hangon_Count + Chasm_Vine_Count);
        EXPECT_EQ(CountOf<Chasm_HangOn>(objects), Chasm_Hangon_Count);
        EXPECT_EQ(CountOf<Chasm_FireBall>(objects), 19);
        EXPECT_EQ(chasm.GetFireBall(12), nullptr);
        EXPECT_EQ(chasm.GetKillZone(5), nullptr);
        EXPECT_EQ(chasm.GetKillZone(6), nullptr);
        EXPECT_EQ(CountOf<Bat>(objects), Chasm_Bat_Count);
        EXPECT_EQ(CountOf<Bat_Group>(objects), Chasm_Bat_Group_Count);
        EXPECT_EQ(CountOf<Chest>(objects), Chasm_Chest_Count);
        EXPECT_EQ(CountOf<PickUp>(objects), Chasm_PickUp_Count);
        // Everything that hurts: the jets, kill zones, fireballs and the creatures.
        EXPECT_EQ(static_cast<int>(Enemies().size()), 32 + 47 + 7 + 19 + 31 + 27 + 7 + 68 + 27);
        // Moved and drawn in the order registered: the fan first, the fireballs last.
        EXPECT_EQ(objects.front(), static_cast<Object*>(chasm.GetFan()));
        EXPECT_EQ(objects.back(), static_cast<Object*>(chasm.GetFireBall(19)));

        // Only the flower at 653 stands fixed.
        for (int i = 0; i < Chasm_Hangon_Count; ++i)
            EXPECT_EQ(chasm.GetHangOn(i)->IsFixed(), i == 298) << "flower " << i;
        EXPECT_EQ(chasm.GetHangOn(298)->GetBasePos(), chasm.GetMap()->GetRefPoint(Chasm_Rp_FixedFlower));
        Collectable const* fan = chasm.GetFan();
        Pointf const fanRef = chasm.GetMap()->GetRefPoint(Chasm_Rp_Fan);
        EXPECT_EQ(fan->GetPosAtTime(0), Pointf(fanRef.x, fanRef.y + 12.0));
        EXPECT_EQ(fan->GetInfo(), Collectable_Animated | Collectable_Fan);
        // The jets fire 100 ticks of each period: 350, 450 for the timed row, 200 for the fast ones.
        EXPECT_EQ(chasm.GetJet(0)->GetPeriod(), 350);
        EXPECT_EQ(chasm.GetJet(22)->GetPeriod(), 450);
        EXPECT_EQ(chasm.GetJet(27)->GetPhase(), 400);
        EXPECT_EQ(chasm.GetJet(35)->GetPeriod(), 200);
        for (int k = 0; k < Chasm_Gem_Count; ++k)
        {
            PickUp const* gem = chasm.GetPickUp(Chasm_Heart_Count + k);
            EXPECT_EQ(gem->GetType(), PickUp_Gem);
            EXPECT_EQ(gem->level, 3);
            EXPECT_EQ(gem->slot, k);
            EXPECT_FALSE(gem->CanCollect(0)) << "gem " << k << " lies hidden in its chest";
        }
        EXPECT_STREQ(chasm.GetSign(0)->GetText(), "DANGER!        Long drop");
        Destroy();
    }
}

TEST_F(ChasmWorld, IdlesTenThousandSteps)
{
    Chasm& chasm = Make();
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(chasm.GetPlayer()->IsPlayerDead(), 0);
    EXPECT_EQ(chasm.GetFallCountdown(), 0);
}

TEST_F(ChasmWorld, AChestWhoseGemWasTakenBeforeIsNotBuilt)
{
    events.levelFlags[Level_Chasm - 1][0] = 1;
    Chasm& one = Make();
    EXPECT_EQ(one.GetChest(0), nullptr);
    EXPECT_NE(one.GetChest(1), nullptr);
    EXPECT_NE(one.GetChest(2), nullptr);
    // The gem is still built and registered, hidden for good: no chest reveals it.
    PickUp* gem = one.GetPickUp(Chasm_Heart_Count);
    std::vector<Object*> const objects = Objects();
    EXPECT_NE(std::find(objects.begin(), objects.end(), static_cast<Object*>(gem)), objects.end());
    for (Object* o : objects)
        if (Chest const* chest = dynamic_cast<Chest*>(o))
        {
            Pointf at;
            double radius = 0.0, scale = 0.0;
            chest->ActivePoint(at, radius, scale);
            EXPECT_NE(at, gem->GetPos()) << "a chest at reference point 777";
        }
    EXPECT_FALSE(gem->CanCollect(5000));

    events.levelFlags[Level_Chasm - 1][1] = events.levelFlags[Level_Chasm - 1][2] = 1;
    Chasm& none = Make();
    for (int k = 0; k < Chasm_Chest_Count; ++k)
        EXPECT_EQ(none.GetChest(k), nullptr) << "chest " << k;
    EXPECT_EQ(CountOf<Chest>(Objects()), 0);
    EXPECT_EQ(CountOf<PickUp>(Objects()), Chasm_PickUp_Count);
}

TEST_F(ChasmWorld, WithoutItsMusicTheCanyonPlaysSilent)
{
    EXPECT_TRUE(Make().HasMusic());
    Destroy();
    Aside const music(data->path / "music/chasm.mp3");
    Chasm& silent = Make();
    EXPECT_FALSE(silent.HasMusic());
    EXPECT_EQ(Steps(50), Level_Continue);
}

TEST_F(ChasmWorld, AFailurePartWayNamesTheFileFreesWhatWasBuiltAndANormalBuildFollows)
{
    // Twice each: a kind left readied by the first would trip the second's initialisation.
    for (char const* file :
         {"chasm/map", "gfx/chasm/background.png", "gfx/chasm/objects/fan2.png", "gfx/chasm/flower.png",
          "gfx/bat/bat03.png", "gfx/shmoo/shmooup.png", "gfx/chasm/fireball/fireball02.png"})
    {
        Aside const missing(data->path / file);
        for (int attempt = 0; attempt < 2; ++attempt)
        {
            Error const e = TryBuild(Level_Chasm);
            EXPECT_EQ(e.Code(), Error_OpenFile) << file;
            EXPECT_NE(std::string(e.Text()).find(file), std::string::npos) << e.Text();
        }
    }
    Make();
    EXPECT_EQ(Steps(10), Level_Continue);
}

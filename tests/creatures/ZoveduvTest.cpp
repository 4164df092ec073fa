// The grethyn: the face an attack shows tick by tick, closing after a stop, and the decisions it records.
#include "creatures/Zoveduv.h"

#include "engine/GameEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "platform/Audio.h"
#include "support/SmallMap.h"
#include "support/RandomSeed.h"
#include "support/SpeakingFixture.h"
#include "support/TestAudio.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <tuple>
#include <vector>

namespace
{

constexpr unsigned int Mouth = 1;
Pointf const mouthAt(0.0, 100.0);

using Face = std::tuple<int, int, bool>; // eye, mouth, chomping

class ZoveduvTest : public SpeakingFixture
{
protected:
    static void SetUpTestSuite()
    {
        SpeakingFixture::SetUpTestSuite();
        TestAudio::WriteSounds(data->path, {"zoveduv"});
    }

    ZoveduvTest()
    {
        Player::Initialise();
        sounds.SetCentrePoint(mouthAt, 1.0);
        MapWriter writer = FloorWriter();
        writer.AddRefPoint(Mouth, mouthAt.x, mouthAt.y);
        map = ReadSmallMap(writer);
        Pointf const start(0.0, 0.0);
        player = std::make_unique<Player>(map.get(), &objects, &events, &sounds, &start, 1.0);
        grethyn = std::make_unique<Zoveduv>(map.get(), player.get(), Mouth);
    }

    ~ZoveduvTest() override
    {
        grethyn.reset();
        player.reset();
        Player::Finalise();
    }

    // The player straight below the mouth, at the given distance.
    void PlaceAt(double distance)
    {
        Pointf const at(mouthAt.x, mouthAt.y - distance);
        player->SetPos(&at);
    }

    // Moves the grethyn over [from, to); the faces it showed.
    std::vector<Face> Run(Tick from, Tick to)
    {
        std::vector<Face> faces;
        for (Tick t = from; t < to; t++)
        {
            grethyn->MoveToTime(map.get(), t);
            faces.emplace_back(grethyn->GetEyeFrame(), grethyn->GetMouthFrame(), grethyn->IsChomping());
        }
        return faces;
    }

    Face FaceAt(Tick t)
    {
        grethyn->MoveToTime(map.get(), t);
        return Shown();
    }
    // The face the grethyn shows now.
    Face Shown() const { return {grethyn->GetEyeFrame(), grethyn->GetMouthFrame(), grethyn->IsChomping()}; }

    Game_Sounds sounds;
    GameEvents events;
    ObjectList objects;
    std::unique_ptr<Map> map;
    std::unique_ptr<Player> player;
    std::unique_ptr<Zoveduv> grethyn;
};

} // namespace

TEST_F(ZoveduvTest, AnAttackOpensTheEyesThenTheMouthAndChomps)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    gameSounds = &sounds;
    PlaceAt(50.0);
    Tick const a = 100;
    std::vector<Tick> chomps;
    std::vector<Face> faces;
    for (Tick t = a; t < a + 300; t++)
    {
        grethyn->MoveToTime(map.get(), t);
        faces.emplace_back(grethyn->GetEyeFrame(), grethyn->GetMouthFrame(), grethyn->IsChomping());
        if (TestAudio::ChannelOf("sounds/zoveduv.wav") >= 0)
            chomps.push_back(t);
        sounds.Stop(Sound_Zoveduv);
    }
    gameSounds = nullptr;
    Audio::Close();

    auto face = [&](Tick t) { return faces[t - a]; };
    EXPECT_EQ(face(a), Face(0, -1, false));
    EXPECT_EQ(face(a + 7), Face(0, -1, false));
    EXPECT_EQ(face(a + 8), Face(1, -1, false));
    EXPECT_EQ(face(a + 24), Face(3, -1, false));
    EXPECT_EQ(face(a + 63), Face(3, -1, false));
    EXPECT_EQ(face(a + 64), Face(3, 0, false));
    EXPECT_EQ(face(a + 166), Face(3, 3, false));
    for (Tick t = a + 167; t <= a + 192; t++)
        EXPECT_EQ(face(t), Face(3, 4, false)) << "tick a + " << t - a;
    EXPECT_EQ(face(a + 212), Face(3, 1, false));
    for (Tick t = a + 213; t <= a + 233; t++)
        EXPECT_EQ(face(t), Face(3, 0, true)) << "tick a + " << t - a;
    EXPECT_EQ(face(a + 234), Face(3, 0, false));
    EXPECT_EQ(chomps, (std::vector<Tick>{a + 192, a + 256}));

    // It bites only within its reach and only while chomping.
    Pointf const inMouth(mouthAt.x, mouthAt.y - 25.5);
    Pointf const aside(mouthAt.x + 25.6, mouthAt.y);
    grethyn->MoveToTime(map.get(), a + 220);
    EXPECT_EQ(grethyn->IsPlayerHit(a + 220, &inMouth), 1);
    EXPECT_EQ(grethyn->IsPlayerHit(a + 220, &aside), 0);
    grethyn->MoveToTime(map.get(), a + 240);
    EXPECT_EQ(grethyn->IsPlayerHit(a + 240, &inMouth), 0);
}

TEST_F(ZoveduvTest, AStopClosesTheMouthAndThenTheEyesBeforeItCanAttackAgain)
{
    PlaceAt(127.0);
    Tick const a = 10;
    Run(a, a + 117);
    PlaceAt(128.0);
    Tick const s = a + 117;
    std::vector<Face> const closing = Run(s, s + 90);
    auto face = [&](Tick t) { return closing[t - s]; };
    EXPECT_EQ(face(s), Face(3, 2, false));
    EXPECT_EQ(face(s + 15), Face(3, 2, false));
    EXPECT_EQ(face(s + 16), Face(3, 1, false));
    EXPECT_EQ(face(s + 32), Face(3, 0, false));
    EXPECT_EQ(face(s + 48), Face(2, -1, false));
    EXPECT_EQ(face(s + 80), Face(0, -1, false));

    // Near again before the face has closed, it waits until it has.
    PlaceAt(10.0);
    Run(s + 90, s + 97);
    EXPECT_FALSE(grethyn->IsAttacking(s + 95, nullptr));
    Tick age = -1;
    EXPECT_TRUE(grethyn->IsAttacking(s + 96, &age));
    EXPECT_EQ(age, 0);

    // 128 away the player is not near.
    auto far = std::make_unique<Zoveduv>(map.get(), player.get(), Mouth);
    PlaceAt(128.0);
    far->MoveToTime(map.get(), 0);
    far->MoveToTime(map.get(), 1);
    EXPECT_FALSE(far->IsAttacking(1, nullptr));
}

TEST_F(ZoveduvTest, RecordedAttacksAheadHoldBackNewOnesAndDecidedTicksStayDecided)
{
    PlaceAt(50.0);
    std::vector<Face> const first = Run(1000, 1100);
    EXPECT_TRUE(grethyn->IsAttacking(1000, nullptr));

    // Back in time: 256 ticks before the recorded attack none starts, 257 before one does and
    // stops early enough to have closed by then.
    FaceAt(744);
    EXPECT_FALSE(grethyn->IsAttacking(744, nullptr));
    FaceAt(743);
    EXPECT_TRUE(grethyn->IsAttacking(743, nullptr));
    Run(744, 1000);
    Tick age = 0;
    EXPECT_TRUE(grethyn->IsAttacking(871, &age));
    EXPECT_EQ(age, 128);
    EXPECT_FALSE(grethyn->IsAttacking(872, nullptr));
    EXPECT_EQ(FaceAt(999), Face(-1, -1, false));
    EXPECT_EQ(Run(1000, 1100), first);

    // Decided ticks are not decided again, whatever the player does now.
    std::vector<Face> const decided = Run(743, 1100);
    PlaceAt(500.0);
    player->travelling = true;
    EXPECT_EQ(Run(743, 1100), decided);
}

TEST_F(ZoveduvTest, APlayerFrozenForTimeTravelCountsAsGone)
{
    PlaceAt(20.0);
    Run(0, 100);
    EXPECT_TRUE(grethyn->IsAttacking(99, nullptr));
    player->travelling = true;
    EXPECT_EQ(FaceAt(100), Face(3, 1, false));
    EXPECT_FALSE(grethyn->IsAttacking(100, nullptr));
    player->travelling = false;
    EXPECT_EQ(FaceAt(101), Face(3, 1, false)) << "closing, it starts no new attack";
    EXPECT_FALSE(grethyn->IsAttacking(101, nullptr));
}

// Whatever the player does and wherever the clock goes, a tick shows the face its records give
// once it is decided: the face FindFrames works out from them afresh.
TEST_F(ZoveduvTest, EveryMoveShowsTheFaceOfTheRecordsAfterItsDecision)
{
    ForEachSeed(TestSeeds_Default, [&](unsigned seed) {
        std::mt19937 random(seed);
        grethyn = std::make_unique<Zoveduv>(map.get(), player.get(), Mouth);
        auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random) == 0; };
        Tick t = 500;
        for (int step = 0; step < 3000; step++)
        {
            if (chance(60))
                PlaceAt(std::uniform_real_distribution<double>(0.0, 200.0)(random));
            if (chance(80))
                player->travelling = !player->travelling;
            // Mostly on, now and then back or ahead, as play and travel go.
            if (chance(50))
                t = std::max<Tick>(1, t + std::uniform_int_distribution<Tick>(-400, 100)(random));
            else
                t += player->travelling ? -1 : 1;
            t = std::max<Tick>(t, 1);
            grethyn->MoveToTime(map.get(), t);
            Face const shown = Shown();
            grethyn->FindFrames(t);
            ASSERT_EQ(shown, Shown()) << "step " << step << ", tick " << t;
        }
    });
}

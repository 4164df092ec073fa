// The aerial game: its start, turning, target keys, static, tuning, travel and teardown.
#include "engine/KeyData.h"
#include "plateau/PlatoSupport.h"
#include "plateau/Plato_Aerial.h"
#include "support/TestAudio.h"

#include <gtest/gtest.h>

namespace
{

class PlatoAerialTest : public PlateauFixture
{
protected:
    PlatoAerialTest() { gameSounds = &sounds; }
    ~PlatoAerialTest() override { gameSounds = nullptr; }

    std::unique_ptr<Plato_Aerial> MakeAerial(double playerX, bool tuned = false)
    {
        MakePlayer(Pointf(playerX, 0.0));
        return std::make_unique<Plato_Aerial>(map.get(), &message, player.get(), 24, 25, tuned);
    }

    bool Poll(Plato_Aerial& aerial, std::initializer_list<int> keys, std::uint8_t state, bool travelling = false)
    {
        KeyData input;
        for (int k : keys)
            input.keys[k] = state;
        return aerial.Poll(map.get(), &input, travelling);
    }
};

TEST_F(PlatoAerialTest, StartsStrictlyWithinReachAndNotWhileTravelling)
{
    auto aerial = MakeAerial(260.0);
    EXPECT_FALSE(Poll(*aerial, {KeyIndex_GameAction}, KeyState_Released));
    EXPECT_FALSE(aerial->active);

    aerial = MakeAerial(260.1);
    EXPECT_FALSE(Poll(*aerial, {KeyIndex_GameAction}, KeyState_Released, true));
    EXPECT_FALSE(player->scripted);
    EXPECT_EQ(message.GetShownText(), nullptr);
    EXPECT_FALSE(Poll(*aerial, {KeyIndex_GameAction}, KeyState_Pressed));
    EXPECT_TRUE(Poll(*aerial, {KeyIndex_GameAction}, KeyState_Released));
    EXPECT_TRUE(player->scripted);
    EXPECT_LT(aerial->panelY, Aerial_PanelHidden);
    EXPECT_STREQ(message.GetShownText(), "Press left and right to adjust the aerial");
    // The wrong angles sum to 1.91: full static.
    EXPECT_EQ(sounds.GetSoundVolume(Sound_Static), 255);

    // While travelling the held game reads no key.
    EXPECT_TRUE(Poll(*aerial, {KeyIndex_GameLeft}, KeyState_Held, true));
    EXPECT_DOUBLE_EQ(aerial->angles[0], Aerial_Wrong_Angles[0]);
    EXPECT_TRUE(Poll(*aerial, {KeyIndex_GameJump}, KeyState_Pressed, true));

    EXPECT_FALSE(Poll(*aerial, {KeyIndex_GameJump}, KeyState_Pressed));
    EXPECT_FALSE(player->scripted);
    EXPECT_EQ(message.GetShownText(), nullptr);
}

TEST_F(PlatoAerialTest, TurnsWithinTheLimitsChangesAerialAndTunes)
{
    auto aerial = MakeAerial(290.0);
    Poll(*aerial, {KeyIndex_GameAction}, KeyState_Released);
    ASSERT_TRUE(aerial->active);
    aerial->angles[0] = -0.78;
    for (int i = 0; i < 3; i++)
        Poll(*aerial, {KeyIndex_GameLeft}, KeyState_Held);
    EXPECT_NEAR(aerial->angles[0], -0.79, 1e-12);
    aerial->angles[0] = 0.78;
    for (int i = 0; i < 3; i++)
        Poll(*aerial, {KeyIndex_GameRight}, KeyState_Held);
    EXPECT_NEAR(aerial->angles[0], 0.79, 1e-12);

    // 56 raises, then 57 lowers, in one step.
    Poll(*aerial, {KeyIndex_GamePrevTarget, KeyIndex_GameNextTarget}, KeyState_Pressed);
    EXPECT_EQ(aerial->current, 0);
    Poll(*aerial, {KeyIndex_GamePrevTarget}, KeyState_Pressed);
    Poll(*aerial, {KeyIndex_GamePrevTarget}, KeyState_Pressed);
    Poll(*aerial, {KeyIndex_GamePrevTarget}, KeyState_Pressed);
    EXPECT_EQ(aerial->current, 2);
    Poll(*aerial, {KeyIndex_GamePrevTarget, KeyIndex_GameNextTarget}, KeyState_Pressed);
    EXPECT_EQ(aerial->current, 1);

    for (int i = 0; i < 3; i++)
        aerial->angles[i] = Aerial_Correct_Angles[i];
    Poll(*aerial, {}, 0);
    EXPECT_EQ(sounds.GetSoundVolume(Sound_Static), 0);
    aerial->angles[0] += 0.11;
    EXPECT_TRUE(aerial->IsAerialTuned());
    aerial->angles[0] += 0.01;
    EXPECT_FALSE(aerial->IsAerialTuned()); // 0.12 is not below 0.12
    aerial->angles[0] -= 0.01;
    EXPECT_TRUE(Poll(*aerial, {}, 0)); // tuned, still held until jump
    Poll(*aerial, {KeyIndex_GameJump}, KeyState_Pressed);
    EXPECT_FALSE(Poll(*aerial, {KeyIndex_GameAction}, KeyState_Released));
    EXPECT_FALSE(aerial->active);

    for (Tick t : {0, 3, 5})
    {
        aerial->Plot(map.get(), t, true);
        aerial->Plot(map.get(), t, false);
    }
    EXPECT_TRUE(MakeAerial(0.0, true)->IsAerialTuned());
}

TEST_F(PlatoAerialTest, InstructionsIntoANearlyFullQueue)
{
    for (int i = 0; i < Message_Queue_Size - 1; i++)
        message.Display("earlier", 1000);
    auto aerial = MakeAerial(290.0);
    Poll(*aerial, {KeyIndex_GameAction}, KeyState_Released);
    EXPECT_TRUE(aerial->active);
    EXPECT_STREQ(message.GetShownText(), "earlier");
    for (int i = 0; i < 2000; i++)
        message.Poll();
}

TEST(PlatoAerialSound, TheStaticStopsWithTheGameAndWithTheLevel)
{
    TestFolder dir(true);
    DataGen::WriteImages(".");
    WritePlateauImages(".");
    TestAudio::WriteSounds(".", {"static", "aerialturn"});
    ASSERT_TRUE(GameWindow::Open(640, 480));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Player::Initialise();
    {
        Game_Sounds sounds;
        gameSounds = &sounds;
        GameEvents events;
        ObjectList objects;
        std::unique_ptr<Map> map = ReadSmallMap(PlateauWriter());
        Pointf const at(290.0, 0.0);
        Player player(map.get(), &objects, &events, &sounds, &at, 1.0);
        Message message(nullptr);
        KeyData keys;
        keys.keys[KeyIndex_GameAction] = KeyState_Released;
        {
            Plato_Aerial aerial(map.get(), &message, &player, 24, 25, false);
            aerial.Poll(map.get(), &keys, false);
            EXPECT_GE(TestAudio::ChannelOf("sounds/static.wav"), 0);
        }
        EXPECT_LT(TestAudio::ChannelOf("sounds/static.wav"), 0);
        gameSounds = nullptr;
    }
    Player::Finalise();
    Audio::Close();
    GameWindow::Close();
}

} // namespace

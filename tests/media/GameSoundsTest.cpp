// The sound table: fall-off around the listener, mute, and channels reused by other sounds.
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/TestAudio.h"
#include "support/TestFolder.h"
#include "util/Util.h"

#include <gtest/gtest.h>

namespace
{

using TestAudio::ChannelOf;

class GameSoundsTest : public testing::Test
{
protected:
    void SetUp() override { TestAudio::WriteSounds(".", {"jump", "pickup", "ticking", "boing"}); }

    void TearDown() override
    {
        Audio::Close();
        Game_Sounds::SetVolume(255);
    }

    void OpenAudio() { ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels)); }

    // The volume a jump heard at pos starts with, -1 when it does not start.
    int JumpVolume(Pointf pos, double scale)
    {
        sounds.Play(Sound_Jump, &pos, false, scale);
        int channel = ChannelOf("sounds/jump.wav");
        int volume = channel >= 0 ? Audio::Volume(channel) : -1;
        sounds.Stop(Sound_Jump);
        return volume;
    }

    TestFolder dir{true};
    Game_Sounds sounds;
};

} // namespace

TEST_F(GameSoundsTest, VolumeFallsOffWithDistance)
{
    OpenAudio();
    sounds.SetCentrePoint(Pointf(0.0, 0.0), 1.0);
    EXPECT_EQ(255, JumpVolume(Pointf(300.0 + Util::Eps / 2, 0.0), 1.0));
    EXPECT_EQ(255, JumpVolume(Pointf(301.0, 0.0), 1.0)) << "the fall-off is truncated to whole steps";
    EXPECT_EQ(254, JumpVolume(Pointf(302.0, 0.0), 1.0));
    EXPECT_EQ(128, JumpVolume(Pointf(500.0, 0.0), 1.0));
    EXPECT_EQ(128, JumpVolume(Pointf(-200.0, 300.0), 1.0)) << "distance is |dx| + |dy|";
    EXPECT_EQ(0, JumpVolume(Pointf(700.0, 0.0), 1.0)) << "the cut-off itself still starts";
    EXPECT_EQ(-1, JumpVolume(Pointf(700.001, 0.0), 1.0));

    // The smaller of the two scales divides the distance.
    sounds.SetCentrePoint(Pointf(0.0, 0.0), 2.0);
    EXPECT_EQ(64, JumpVolume(Pointf(600.0, 0.0), 1.0));
    EXPECT_EQ(255, JumpVolume(Pointf(600.0, 0.0), 2.0));
    EXPECT_EQ(64, JumpVolume(Pointf(600.0, 0.0), 0.0)) << "a zero scale counts as 1";
    EXPECT_EQ(64, JumpVolume(Pointf(600.0, 0.0), -3.0)) << "a negative scale counts as 1";

    Game_Sounds::SetVolume(128);
    EXPECT_EQ(12, sounds.GetTotalVolume(Sound_Boing));
    EXPECT_EQ(0, sounds.GetTotalVolume(Sound_None));
    sounds.SetCentrePoint(Pointf(0.0, 0.0), 1.0);
    EXPECT_EQ(64, JumpVolume(Pointf(500.0, 0.0), 1.0));
}

TEST_F(GameSoundsTest, MuteStopsPlaysButNotLoops)
{
    OpenAudio();
    sounds.mute = 1;
    sounds.Play(Sound_Jump, nullptr, false, 1.0);
    EXPECT_EQ(-1, ChannelOf("sounds/jump.wav"));
    sounds.Loop(Sound_Ticking);
    EXPECT_GE(ChannelOf("sounds/ticking.wav"), 0);
    sounds.Stop(Sound_Ticking);
    EXPECT_EQ(-1, ChannelOf("sounds/ticking.wav"));
}

TEST_F(GameSoundsTest, StaleChannelsAreLeftToTheirNewSound)
{
    OpenAudio();
    sounds.Stop(Sound_Pickup); // never played
    sounds.Stop(Sound_None);

    sounds.Play(Sound_Pickup, nullptr, false, 1.0);
    int channel = ChannelOf("sounds/pickup.wav");
    ASSERT_GE(channel, 0);
    Audio::Stop(channel); // the pickup ends; its channel is free for the next sound
    sounds.Play(Sound_Jump, nullptr, false, 1.0);
    ASSERT_EQ(channel, ChannelOf("sounds/jump.wav"));

    sounds.SetSoundVolume(Sound_Pickup, 0);
    EXPECT_EQ(255, Audio::Volume(channel));
    sounds.Stop(Sound_Pickup);
    EXPECT_TRUE(Audio::Plays(channel, "sounds/jump.wav"));

    // The pickup no longer plays, so skipping a pickup that plays does not skip it.
    sounds.Play(Sound_Pickup, nullptr, true, 1.0);
    int again = ChannelOf("sounds/pickup.wav");
    ASSERT_GE(again, 0);
    sounds.Play(Sound_Pickup, nullptr, true, 1.0);
    sounds.SetSoundVolume(Sound_Pickup, 100);
    EXPECT_EQ(100, Audio::Volume(again));
    sounds.Stop(Sound_Pickup);
    EXPECT_FALSE(Audio::IsPlaying(again));
    EXPECT_TRUE(Audio::Plays(channel, "sounds/jump.wav"));

    // A loop starts after an ended play of the same effect, and only once.
    sounds.Play(Sound_Ticking, nullptr, false, 1.0);
    Audio::Stop(ChannelOf("sounds/ticking.wav"));
    sounds.Loop(Sound_Ticking);
    int loop = ChannelOf("sounds/ticking.wav");
    ASSERT_GE(loop, 0);
    sounds.Loop(Sound_Ticking);
    for (int other = 0; other < Audio_Channels; other++)
        EXPECT_TRUE(other == loop || !Audio::Plays(other, "sounds/ticking.wav"));
}

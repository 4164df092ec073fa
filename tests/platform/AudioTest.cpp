// Effects and the music stream over the mixer, heard through a post-mix hook.
#include "platform/Audio.h"

#include "platform/TestAudio.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

using TestAudio::Hear;
using TestAudio::Listen;
using TestAudio::WriteWav;

class AudioTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/hm_audio_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir = pattern;
        first = dir + "/first.wav";
        second = dir + "/second.wav";
        WriteWav(first);
        WriteWav(second);
    }

    void TearDown() override
    {
        Audio::Close();
        std::filesystem::remove_all(dir);
    }

    void OpenHeard()
    {
        ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
        Audio::SetPostMix(Hear, nullptr);
    }

    std::string dir;
    std::string first;
    std::string second;
};

} // namespace

TEST_F(AudioTest, EffectIsHeardUntilStopped)
{
    OpenHeard();
    EXPECT_EQ(0, Listen());
    int channel = Audio::Play(first.c_str(), false);
    ASSERT_GE(channel, 0);
    ASSERT_LT(channel, Audio_Channels);
    EXPECT_TRUE(Audio::IsPlaying(channel));
    EXPECT_GT(Listen(), 5000);

    Audio::SetVolume(channel, 0);
    EXPECT_EQ(0, Listen()) << "volume 0 is silent";
    Audio::SetVolume(channel, 255);
    EXPECT_GT(Listen(), 5000);

    Audio::Stop(channel);
    EXPECT_FALSE(Audio::IsPlaying(channel));
    Listen();
    EXPECT_EQ(0, Listen());
}

TEST_F(AudioTest, ChannelKnowsWhichFileItPlaysAndSamplesAreKept)
{
    OpenHeard();
    int channel = Audio::Play(first.c_str(), false);
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(Audio::Plays(channel, first.c_str()));
    EXPECT_FALSE(Audio::Plays(channel, second.c_str()));
    Audio::Stop(channel);
    EXPECT_FALSE(Audio::Plays(channel, first.c_str()));

    // The freed channel is reused for the next sound, which the first no longer owns.
    int reused = Audio::Play(second.c_str(), true);
    ASSERT_EQ(channel, reused);
    EXPECT_FALSE(Audio::Plays(reused, first.c_str()));
    EXPECT_TRUE(Audio::Plays(reused, second.c_str()));

    // A file played once stays decoded: removing it does not silence the next play.
    std::filesystem::remove(first);
    int again = Audio::Play(first.c_str(), false);
    ASSERT_GE(again, 0);
    EXPECT_NE(reused, again);
    EXPECT_TRUE(Audio::Plays(again, first.c_str()));

    EXPECT_EQ(-1, Audio::Play((dir + "/missing.wav").c_str(), false));
}

TEST_F(AudioTest, StreamLoopsUntilStopped)
{
    OpenHeard();
    EXPECT_EQ(nullptr, Audio::OpenStream((dir + "/missing.mp3").c_str()));
    Audio_Stream* stream = Audio::OpenStream(first.c_str());
    ASSERT_NE(nullptr, stream);
    int channel = Audio::PlayStream(stream);
    EXPECT_EQ(Audio_StreamChannel, channel);
    EXPECT_TRUE(Audio::IsPlaying(channel));
    EXPECT_GT(Listen(), 5000);
    Audio::SetVolume(channel, 0);
    EXPECT_EQ(0, Listen());
    Audio::StopStream(stream);
    EXPECT_FALSE(Audio::IsPlaying(channel));
    Audio::CloseStream(stream);
}

TEST_F(AudioTest, WithoutADeviceEveryCallIsSilent)
{
    char const* old = std::getenv("SDL_AUDIODRIVER");
    std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    bool opened = Audio::Open(Audio_Rate, Audio_Channels);
    if (old)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    ASSERT_FALSE(opened);

    EXPECT_EQ(-1, Audio::Play(first.c_str(), false));
    Audio::SetVolume(-1, 100);
    Audio::SetVolume(0, 100);
    EXPECT_FALSE(Audio::IsPlaying(0));
    EXPECT_FALSE(Audio::Plays(0, first.c_str()));
    Audio::Stop(-1);
    Audio::SetPostMix(Hear, nullptr);

    // A missing file is still told apart from one that merely cannot be heard.
    EXPECT_EQ(nullptr, Audio::OpenStream((dir + "/missing.mp3").c_str()));
    Audio_Stream* stream = Audio::OpenStream(first.c_str());
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(-1, Audio::PlayStream(stream));
    Audio::CloseStream(stream);
}

// Effects and music streams over the mixer, heard through a post-mix hook.
#include "platform/Audio.h"

#include "support/TestAudio.h"
#include "support/TestFolder.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

using TestAudio::Listen;

class AudioTest : public testing::Test
{
protected:
    void SetUp() override
    {
        TestAudio::WriteWav(first);
        TestAudio::WriteWav(second);
    }

    void TearDown() override { Audio::Close(); }

    void OpenHeard()
    {
        ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
        Audio::SetPostMix(TestAudio::Hear, nullptr);
    }

    TestFolder dir{false};
    std::string first = dir / "first.wav";
    std::string second = dir / "second.wav";
};

} // namespace

TEST_F(AudioTest, EffectIsHeardAtItsVolumeUntilStopped)
{
    OpenHeard();
    EXPECT_EQ(0, Listen());
    int channel = Audio::Play(first.c_str(), false);
    ASSERT_GE(channel, 0);
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

    // The freed channel goes to the next sound, which the first no longer owns.
    int reused = Audio::Play(second.c_str(), true);
    ASSERT_EQ(channel, reused);
    EXPECT_FALSE(Audio::Plays(reused, first.c_str()));
    EXPECT_TRUE(Audio::Plays(reused, second.c_str()));

    // A file played once stays decoded: removing it does not silence the next play.
    std::filesystem::remove(first);
    int again = Audio::Play(first.c_str(), false);
    ASSERT_GE(again, 0);
    EXPECT_TRUE(Audio::Plays(again, first.c_str()));
    EXPECT_EQ(-1, Audio::Play((dir / "missing.wav").c_str(), false));

    // Zeros after a sound, past any sound's size: the mixer once asked for memory for the whole of a
    // sparse terabyte and crashed.
    std::string const large = dir / "large.wav";
    TestAudio::WriteWav(large);
    std::filesystem::resize_file(large, DataFile_SoundLimit + 1);
    EXPECT_EQ(-1, Audio::Play(large.c_str(), false));
}

// Music plays from memory, looping as long as it is played, whatever becomes of its file; one past
// any music's size is no music.
TEST_F(AudioTest, MusicLoopsFromMemoryAndNoneIsReadPastItsLimit)
{
    OpenHeard();
    Audio_Stream* stream = Audio::OpenStream(first.c_str());
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(Audio_StreamChannel, Audio::PlayStream(stream));
    EXPECT_GT(Listen(), 5000);
    // Emptied as it plays, the file was read on by the mixer and the music fell silent.
    std::filesystem::resize_file(first, 0);
    Listen();
    EXPECT_GT(Listen(), 5000);
    Audio::CloseStream(stream);
    EXPECT_EQ(0, Listen() + Listen());
    std::filesystem::resize_file(second, DataFile_MusicLimit + 1);
    EXPECT_EQ(nullptr, Audio::OpenStream(second.c_str()));
}

TEST_F(AudioTest, WithoutADeviceEveryCallIsSilent)
{
    char const* old = std::getenv("SDL_AUDIODRIVER");
    std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    bool opened = Audio::Open(Audio_Rate, Audio_Channels);
    old ? setenv("SDL_AUDIODRIVER", saved.c_str(), 1) : unsetenv("SDL_AUDIODRIVER");
    ASSERT_FALSE(opened);

    EXPECT_EQ(-1, Audio::Play(first.c_str(), false));
    Audio::SetVolume(-1, 100);
    Audio::Stop(-1);
    EXPECT_FALSE(Audio::IsPlaying(0));
    Audio::SetPostMix(TestAudio::Hear, nullptr);

    // A missing file is still told apart from one that merely cannot be heard; a FIFO is missing
    // even with a writer at its other end.
    EXPECT_EQ(nullptr, Audio::OpenStream((dir / "missing.mp3").c_str()));
    ASSERT_EQ(0, mkfifo((dir / "fifo.mp3").c_str(), 0600));
    int const writer = open((dir / "fifo.mp3").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(nullptr, Audio::OpenStream((dir / "fifo.mp3").c_str()));
    close(writer);
    Audio_Stream* stream = Audio::OpenStream(first.c_str());
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(-1, Audio::PlayStream(stream));
    Audio::CloseStream(stream);
}

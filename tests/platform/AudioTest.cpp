// Effects and music streams over the mixer, heard through a post-mix hook.
#include "platform/Audio.h"

#include "support/TestAudio.h"
#include "support/TestFolder.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{

using TestAudio::Listen;

// MPEG-2 layer III frames of silence at 8 kbit/s, 16 kHz mono: 36 bytes for 36 ms each, the most
// sound for the fewest bytes; after an ID3 tag when tagged.
void WriteSilentMp3(std::string const& path, double seconds, bool tagged)
{
    std::ofstream out(path, std::ios::binary);
    if (tagged)
        out.write("ID3\x04\0\0\0\0\0\x0A\0\0\0\0\0\0\0\0\0\0", 20);
    unsigned char frame[36] = {0xFF, 0xF3, 0x18, 0xC0};
    for (int i = 0; i < static_cast<int>(seconds / 0.036) + 1; ++i)
        out.write(reinterpret_cast<char const*>(frame), sizeof frame);
}

// A WAV of 8-bit mono samples at 8 kHz, made sparse: its header and then zeros.
void WriteLongWav(std::string const& path, double seconds)
{
    std::uint32_t const data = static_cast<std::uint32_t>(seconds * 8000);
    auto le = [](std::uint32_t v, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>(v >> (8 * i));
        return text;
    };
    std::ofstream(path, std::ios::binary)
        << "RIFF" << le(36 + data, 4) << "WAVEfmt " << le(16, 4) << le(1, 2) << le(1, 2) << le(8000, 4) << le(8000, 4)
        << le(1, 2) << le(8, 2) << "data" << le(data, 4);
    std::filesystem::resize_file(path, 44 + data);
}

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

// An effect is decoded whole, so one longer than any effect is not decoded at all: it is told from
// its file and plays as a missing one. An MP3 of a second of silence a kilobyte took the game to
// gigabytes, and a long WAV as far.
TEST_F(AudioTest, EffectsPastTheirLongestAreMissing)
{
    OpenHeard();
    struct
    {
        char const* name;
        double seconds;
        bool plays;
    } const sounds[] = {
        {"short.mp3", Audio_SampleSeconds - 2, true},
        {"long.mp3", Audio_SampleSeconds + 2, false},
        {"tagged.mp3", 2, true},
        {"taggedlong.mp3", Audio_SampleSeconds + 2, false},
        {"short.wav", Audio_SampleSeconds - 2, true},
        {"long.wav", Audio_SampleSeconds + 2, false},
    };
    for (auto const& sound : sounds)
    {
        std::string const path = dir / sound.name;
        if (std::string(sound.name).ends_with(".wav"))
            WriteLongWav(path, sound.seconds);
        else
            WriteSilentMp3(path, sound.seconds, std::string(sound.name).starts_with("tagged"));
        int const channel = Audio::Play(path.c_str(), false);
        EXPECT_EQ(channel >= 0, sound.plays) << sound.name;
        Audio::Stop(channel);
    }
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

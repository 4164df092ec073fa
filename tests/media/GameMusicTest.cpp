// A world's music: its volumes, a missing file, and what is left after it is deleted.
#include "media/Game_Music.h"
#include "platform/Audio.h"
#include "support/TestAudio.h"
#include "support/TestFolder.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class GameMusicTest : public testing::Test
{
protected:
    void SetUp() override { TestAudio::WriteWav(file); }

    void TearDown() override
    {
        Audio::Close();
        Game_Music::SetVolume(255);
        Game_Music::SetSecondVolume(255);
    }

    TestFolder dir{false};
    std::string file = dir / "tune.wav";
};

} // namespace

TEST_F(GameMusicTest, VolumesMultiplyAndDieWithTheMusic)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    auto* music = new Game_Music(file.c_str());
    EXPECT_TRUE(Audio::IsPlaying(Audio_StreamChannel));
    Game_Music::SetSecondVolume(128);
    EXPECT_EQ(128, Audio::Volume(Audio_StreamChannel));
    Game_Music::SetVolume(128);
    EXPECT_EQ(64, Audio::Volume(Audio_StreamChannel));
    delete music;
    EXPECT_FALSE(Audio::IsPlaying(Audio_StreamChannel));

    // Nothing plays now, so a volume change has nowhere to go.
    Game_Music::SetVolume(255);
    EXPECT_EQ(64, Audio::Volume(Audio_StreamChannel));
}

TEST_F(GameMusicTest, MissingFileThrowsTheOpenFileError)
{
    std::string missing = dir / "missing.mp3";
    for (bool withDevice : {false, true})
    {
        if (withDevice)
        {
            ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
        }
        try
        {
            Game_Music music(missing.c_str());
            ADD_FAILURE() << "no error for a missing file";
        }
        catch (Error const& err)
        {
            EXPECT_EQ(Error_OpenFile, err.Code());
            EXPECT_EQ(missing, err.Text());
        }
        // An existing file plays on silently without a device.
        Game_Music music(file.c_str());
    }
}

// SoundWriter: every file the sound table names, and every world's tune, decodes and plays.
#include "tools/SoundWriter.h"

#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

#include <string>

TEST(SoundWriter, EveryEffectAndTunePlays)
{
    TestFolder dir(true);
    SoundWriter::WriteAll(".");
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    for (int id = 0; id < Sound_Count; id++)
    {
        char const* file = Game_Sounds::FileName(Sound_Id(id));
        int channel = Audio::Play(file, false);
        EXPECT_GE(channel, 0) << file;
        Audio::Stop(channel);
    }
    for (char const* world : DataGen::worldDirs)
    {
        std::string file = std::string("music/") + world + ".mp3";
        Audio_Stream* stream = Audio::OpenStream(file.c_str());
        ASSERT_NE(stream, nullptr) << file;
        EXPECT_EQ(Audio::PlayStream(stream), Audio_StreamChannel) << file;
        Audio::StopStream(stream);
        Audio::CloseStream(stream);
    }
    Audio::Close();
}

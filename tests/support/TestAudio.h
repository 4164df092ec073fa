// Test support for sound: a loud WAV file and an ear on the mixer's output.
#pragma once

#include "platform/Audio.h"
#include "tools/WavWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace TestAudio
{

inline std::atomic<int> loudest{0}; // the largest sample magnitude mixed since the last Listen
inline std::atomic<int> blocks{0};  // mixed blocks since the last Listen

// The post-mix hook: Audio::SetPostMix(TestAudio::Hear, nullptr).
inline void Hear(void*, std::uint8_t* stream, int length)
{
    auto const* samples = reinterpret_cast<std::int16_t const*>(stream);
    for (int i = 0; i < length / 2; i++)
        loudest = std::max(loudest.load(), std::abs(static_cast<int>(samples[i])));
    blocks++;
}

// The largest magnitude over the next few blocks of output.
inline int Listen()
{
    loudest = 0;
    blocks = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (blocks < 4 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(blocks, 4) << "the mixer stopped mixing";
    return loudest;
}

// The first channel playing the file, -1 when none does.
inline int ChannelOf(char const* file)
{
    for (int channel = 0; channel < Audio_Channels; channel++)
        if (Audio::Plays(channel, file))
            return channel;
    return -1;
}

// Two seconds of a loud square wave, mono, 16-bit.
inline void WriteWav(std::string const& path)
{
    std::vector<std::int16_t> samples(2 * Audio_Rate);
    for (std::size_t i = 0; i < samples.size(); i++)
        samples[i] = (i / 50) % 2 ? 12000 : -12000;
    WavWriter::Write(path, Audio_Rate, samples);
}

// The named effects, as "sounds/NAME.wav" under the folder.
inline void WriteSounds(std::filesystem::path const& folder, std::initializer_list<char const*> names)
{
    std::filesystem::create_directories(folder / "sounds");
    for (char const* name : names)
        WriteWav((folder / "sounds" / (std::string(name) + ".wav")).string());
}

} // namespace TestAudio

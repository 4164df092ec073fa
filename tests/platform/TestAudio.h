// Test support for sound: a loud WAV file and an ear on the mixer's output.
#pragma once

#include "platform/Audio.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace TestAudio {

inline std::atomic<int> loudest{0}; // the largest sample magnitude mixed since the last Listen
inline std::atomic<int> blocks{0};  // mixed blocks since the last Listen

// The post-mix hook: Audio::SetPostMix(TestAudio::Hear, nullptr).
inline void Hear(void*, std::uint8_t* stream, int length)
{
    auto const* samples = reinterpret_cast<std::int16_t const*>(stream);
    int peak = 0;
    for (int i = 0; i < length / 2; i++)
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    if (peak > loudest)
        loudest = peak;
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

inline void Put16(std::ofstream& out, int value)
{
    out.put(static_cast<char>(value & 0xFF)).put(static_cast<char>((value >> 8) & 0xFF));
}

inline void Put32(std::ofstream& out, std::uint32_t value)
{
    Put16(out, static_cast<int>(value & 0xFFFF));
    Put16(out, static_cast<int>(value >> 16));
}

// Two seconds of a loud square wave, mono, 16-bit.
inline void WriteWav(std::string const& path)
{
    int const count = 2 * Audio_Rate;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    Put32(out, 36 + count * 2);
    out << "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, Audio_Rate);
    Put32(out, Audio_Rate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out << "data";
    Put32(out, count * 2);
    for (int i = 0; i < count; i++)
        Put16(out, (i / 50) % 2 ? 12000 : -12000);
}

} // namespace TestAudio

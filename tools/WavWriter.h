// WavWriter: writes mono 16-bit PCM sound files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class WavWriter final
{
public:
    // Throws std::runtime_error naming the path when it cannot be written.
    static void Write(std::string const& path, int rate, std::vector<std::int16_t> const& samples);
};

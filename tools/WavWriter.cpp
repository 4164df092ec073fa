// WavWriter: the RIFF header and the little-endian samples.
#include "tools/WavWriter.h"

#include <fstream>
#include <stdexcept>

void WavWriter::Write(std::string const& path, int rate, std::vector<std::int16_t> const& samples)
{
    std::ofstream out(path, std::ios::binary);
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; i++)
            out.put(static_cast<char>(value >> 8 * i));
    };
    auto const dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    auto const sampleRate = static_cast<std::uint32_t>(rate);
    out << "RIFF";
    put(36 + dataBytes, 4);
    out << "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(sampleRate, 4), put(sampleRate * 2, 4), put(2, 2), put(16, 2);
    out << "data";
    put(dataBytes, 4);
    for (std::int16_t sample : samples)
        put(static_cast<std::uint16_t>(sample), 2);
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// WavWriter: the length fields match the samples, and a file that cannot be made is an error.
#include "tools/WavWriter.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace
{

std::uint32_t Field(std::vector<unsigned char> const& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

} // namespace

TEST(WavWriter, LengthsMatchTheSamplesAndFailuresThrow)
{
    TestFolder dir(true);
    WavWriter::Write("tone.wav", 8000, {1, -2, 300});
    std::ifstream in("tone.wav", std::ios::binary);
    std::vector<unsigned char> const bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 44u + 6u);
    EXPECT_EQ(Field(bytes, 4), bytes.size() - 8) << "RIFF chunk size";
    EXPECT_EQ(Field(bytes, 24), 8000u) << "sample rate";
    EXPECT_EQ(Field(bytes, 40), 6u) << "data size";
    EXPECT_EQ(bytes[46], 0xFE) << "negative samples are two's complement";
    EXPECT_EQ(bytes[47], 0xFF);

    EXPECT_THROW(WavWriter::Write("no/such/folder/tone.wav", 8000, {0}), std::runtime_error);
}

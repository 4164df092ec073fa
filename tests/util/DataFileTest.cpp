// String copies and byte-order reversal of file fields.
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST(DataFile, FlipsTurnBigEndianFileBytesIntoValues)
{
    unsigned char const bytes[8] = {0x3F, 0xF0, 0, 0, 0, 0, 0x01, 0x02};
    std::uint32_t word;
    double d;
    std::memcpy(&word, bytes + 4, 4);
    std::memcpy(&d, bytes, 8);
    EXPECT_EQ(FlipWord(word), 258u);
    EXPECT_EQ(FlipDouble(d), 1.0 + 258 * 0x1p-52);
}

TEST(DataFile, StringCopiesClipToLength)
{
    struct
    {
        char const* source;
        int n;
        char const* expected;
    } const cases[] = {{"abcdef", 3, "abc"}, {"ab", 10, "ab"}, {"ab", -1, "ab"}, {"ab", 0, ""}};
    for (auto const& c : cases)
    {
        char* copy = HM_strndup(c.source, c.n);
        EXPECT_STREQ(copy, c.expected) << c.source << " " << c.n;
        std::free(copy);
    }
}

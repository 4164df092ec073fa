// Opening data files, string copies and byte-order reversal.
#include "util/DataFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

TEST(DataFile, FlipsTurnBigEndianFileBytesIntoValues)
{
    unsigned char const wordBytes[4] = {0x00, 0x00, 0x01, 0x02};
    std::uint32_t word;
    std::memcpy(&word, wordBytes, 4);
    EXPECT_EQ(FlipWord(word), 258u);
    EXPECT_EQ(FlipWord(FlipWord(0x12345678u)), 0x12345678u);

    unsigned char const doubleBytes[8] = {0x3F, 0xF0, 0, 0, 0, 0, 0, 0};
    double d;
    std::memcpy(&d, doubleBytes, 8);
    EXPECT_EQ(FlipDouble(d), 1.0);
    EXPECT_EQ(FlipDouble(FlipDouble(-2.5e17)), -2.5e17);

    unsigned char const floatBytes[4] = {0x3F, 0x80, 0x00, 0x00};
    float f;
    std::memcpy(&f, floatBytes, 4);
    EXPECT_EQ(FlipFloat(f), 1.0f);
}

TEST(DataFile, StringCopiesClipToLength)
{
    struct Case
    {
        char const* source;
        int n;
        char const* expected;
    } const cases[] = {{"abcdef", 3, "abc"}, {"ab", 10, "ab"}, {"ab", -1, "ab"}, {"ab", 0, ""}};
    for (Case const& c : cases)
    {
        char* copy = HM_strndup(c.source, c.n);
        ASSERT_NE(copy, nullptr);
        EXPECT_STREQ(copy, c.expected) << c.source << " " << c.n;
        std::free(copy);
    }
    char* whole = HM_strdup("treevillage/map");
    EXPECT_STREQ(whole, "treevillage/map");
    std::free(whole);
}

TEST(DataFile, OpenFileReportsMissingFileByNull)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "hm_datafile_test";
    fs::create_directories(dir);
    std::string path = (dir / "present").string();

    std::FILE* out = HM_OpenFile(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("x", out);
    std::fclose(out);

    std::FILE* in = HM_OpenFile(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(std::fgetc(in), 'x');
    std::fclose(in);

    EXPECT_EQ(HM_OpenFile((dir / "absent").string().c_str(), "rb"), nullptr);
    fs::remove_all(dir);
}

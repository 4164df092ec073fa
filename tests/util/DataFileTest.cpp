// Opening files, string copies and byte-order reversal of file fields.
#include "util/DataFile.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

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

// The key file and the save slots are opened here: a FIFO in the place of one held the start for
// good, and a link to a device read as a file of zeros.
TEST(DataFile, OpensOnlyRegularFilesAndNeverWaits)
{
    TestFolder dir(true);
    std::ofstream("plain") << "x";
    std::filesystem::create_symlink("plain", "link");
    for (char const* name : {"plain", "link"})
        for (char const* mode : {"rb", "r", "r+b", "ab", "wb"})
        {
            std::FILE* file = HM_OpenFile(name, mode);
            EXPECT_NE(nullptr, file) << name << " " << mode;
            if (file != nullptr)
                std::fclose(file);
        }

    std::filesystem::create_directory("folder");
    std::filesystem::create_symlink("/dev/zero", "device");
    ASSERT_EQ(0, mkfifo("fifo", 0600));
    // With its other end open, a FIFO opens at once, and reading it would wait for bytes.
    int const other = open("fifo", O_RDWR | O_NONBLOCK);
    ASSERT_GE(other, 0);
    for (char const* name : {"folder", "device", "fifo"})
        for (char const* mode : {"rb", "wb"})
            EXPECT_EQ(nullptr, HM_OpenFile(name, mode)) << name << " " << mode;
    close(other);
    // Alone, opening it waits for the other end.
    EXPECT_EQ(nullptr, HM_OpenFile("fifo", "rb"));
    EXPECT_EQ(nullptr, HM_OpenFile("fifo", "wb"));
    EXPECT_TRUE(std::filesystem::is_fifo("fifo"));
}

// Opening files, string copies and byte-order reversal of file fields.
#include "util/DataFile.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

namespace
{

std::string ReadAll(char const* name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// The key file and the save slots are opened here: a FIFO in the place of one held the start for
// good, and a link to a device read as a file of zeros. A write once went through a link planted in
// the data folder, emptying the file it named before anything was checked.
TEST(DataFile, OpensOnlyRegularFilesAndNeverWaits)
{
    TestFolder dir(true);
    std::ofstream("plain") << "x";
    std::filesystem::create_symlink("plain", "link");
    std::filesystem::create_symlink("elsewhere", "dangling");
    for (char const* name : {"link", "dangling", "plain"})
        for (char const* mode : {"rb", "r", "r+b", "ab", "wb"})
        {
            bool const writes = mode[0] != 'r' || mode[1] == '+';
            bool const link = std::strcmp(name, "plain") != 0;
            std::FILE* file = HM_OpenFile(name, mode);
            EXPECT_EQ(file == nullptr, link && (writes || std::strcmp(name, "dangling") == 0)) << name << " " << mode;
            if (file != nullptr)
                std::fclose(file);
            if (link)
            {
                EXPECT_EQ("x", ReadAll("plain")) << "written through " << name << " " << mode;
            }
        }
    EXPECT_FALSE(std::filesystem::exists("elsewhere")) << "made through a dangling link";
    // A second name of a file is as much a way out of the folder: no write, and nothing emptied.
    std::ofstream("plain") << "x";
    std::filesystem::create_hard_link("plain", "second");
    for (char const* name : {"plain", "second"})
        for (char const* mode : {"wb", "ab", "r+b"})
            EXPECT_EQ(nullptr, HM_OpenFile(name, mode)) << name << " " << mode;
    EXPECT_EQ("x", ReadAll("plain"));

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

// The save slots, their kept copies and the key file are written here. A link planted at a scratch
// name once carried the write to a file elsewhere, or made one there.
TEST(DataFile, WholeWriteGoesThroughNothingAtItsNames)
{
    TestFolder dir(true);
    std::ofstream("outside") << "outside";
    std::filesystem::create_symlink("outside", "linked.tmp");
    std::filesystem::create_symlink("made", "dangling.tmp");
    std::filesystem::create_hard_link("outside", "second.tmp");
    std::ofstream("stale.tmp") << "a write cut short";
    std::filesystem::create_symlink("outside", "link");
    std::filesystem::create_hard_link("outside", "hard");
    for (char const* name : {"linked", "dangling", "second", "stale", "link", "hard", "none"})
    {
        EXPECT_TRUE(HM_WriteWhole(name, "new", 3)) << name;
        EXPECT_EQ("new", ReadAll(name)) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(name))) << name;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(std::string(name) + ".tmp"))) << name;
    }
    EXPECT_EQ("outside", ReadAll("outside"));
    EXPECT_FALSE(std::filesystem::exists("made"));

    // Only a file or a link is replaced; without replacing, nothing is.
    std::filesystem::create_directory("folder");
    ASSERT_EQ(0, mkfifo("fifo", 0600));
    for (char const* name : {"folder", "fifo"})
    {
        std::string inTheWay;
        EXPECT_FALSE(HM_WriteWhole(name, "new", 3, true, &inTheWay)) << name;
        EXPECT_EQ("", inTheWay) << "nothing at " << name << ".tmp";
    }
    EXPECT_TRUE(std::filesystem::is_directory("folder"));
    EXPECT_TRUE(std::filesystem::is_fifo("fifo"));
    EXPECT_FALSE(HM_WriteWhole("none", "other", 5, false));
    EXPECT_EQ("new", ReadAll("none"));
    EXPECT_TRUE(HM_WriteWhole("fresh", "other", 5, false));
    EXPECT_EQ("other", ReadAll("fresh"));
    EXPECT_EQ(11, std::distance(std::filesystem::directory_iterator("."), {})) << "a scratch file left behind";

    // What cannot be removed at the scratch name is named, and the file stays as it was.
    std::filesystem::create_directories("fresh.tmp/inside");
    std::string inTheWay;
    EXPECT_FALSE(HM_WriteWhole("fresh", "newer", 5, true, &inTheWay));
    EXPECT_EQ("fresh.tmp", inTheWay);
    EXPECT_EQ("other", ReadAll("fresh"));
    EXPECT_TRUE(std::filesystem::is_directory("fresh.tmp/inside"));
}

// A sparse file of a terabyte at the registry file grew the game to gigabytes, read a line at a
// time, and one at a texture list was read on for ever.
TEST(DataFile, NoFileIsReadPastItsLimit)
{
    TestFolder dir(true);
    std::ofstream("edge").close();
    std::filesystem::resize_file("edge", 4096);
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(HM_ReadWhole("edge", 4096, &bytes));
    EXPECT_EQ(bytes, std::vector<unsigned char>(4096, 0));
    std::filesystem::resize_file("edge", 4097);
    for (char const* mode : {"rb", "r"})
    {
        errno = 0;
        EXPECT_EQ(nullptr, HM_OpenFile("edge", mode, 4096)) << mode;
        EXPECT_EQ(EFBIG, errno);
    }
    EXPECT_FALSE(HM_ReadWhole("edge", 4096, &bytes));
    EXPECT_EQ(EFBIG, errno);
    EXPECT_TRUE(bytes.empty());
    std::filesystem::resize_file("edge", std::uintmax_t(1) << 40);
    EXPECT_EQ(nullptr, HM_OpenFile("edge", "rb")) << "a file of no named kind is bounded too";
    std::FILE* appended = HM_OpenFile("edge", "ab");
    ASSERT_NE(nullptr, appended) << "a file is written whatever its size";
    std::fclose(appended);

    // One that grows past its limit once opened reads up to the limit and then fails, where a reader
    // of lines would have read on with it; a reader seeking its end finds it.
    std::ofstream("growing").close();
    std::FILE* file = HM_OpenFile("growing", "r", 8);
    ASSERT_NE(nullptr, file);
    std::ofstream("growing", std::ios::app) << std::string(1000, 'x');
    char line[2000] = {};
    EXPECT_EQ(nullptr, std::fgets(line, sizeof line, file));
    EXPECT_TRUE(std::ferror(file));
    EXPECT_EQ(std::string(8, 'x'), line);
    ASSERT_EQ(0, std::fseek(file, 0, SEEK_END));
    EXPECT_EQ(1000, std::ftell(file));
    std::fclose(file);
}

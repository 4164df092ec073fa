// The input script of a headless run: what it reads, what it refuses by line, and the keys it queues.
#include "shell/InputScript.h"

#include "platform/GameWindow.h"
#include "support/TestFolder.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace
{

std::vector<Window_Message> received;

// The keys and closes, not what the window itself says.
void Collect(Window_Message const& message)
{
    if (message.type == Window_KeyDown || message.type == Window_KeyUp || message.type == Window_Close)
        received.push_back(message);
}

class InputScriptTest : public testing::Test
{
protected:
    // The error reading a script of the text gives; Error_None when it reads.
    Error Read(std::string const& text) const
    {
        folder.WriteText("run.script", text);
        return Open(folder / "run.script");
    }

    static Error Open(std::string const& file)
    {
        try
        {
            InputScript const script(file.c_str());
        }
        catch (Error const& e)
        {
            return e;
        }
        return Error(Error_None);
    }

    TestFolder folder{false};
};

} // namespace

TEST_F(InputScriptTest, RefusesALineItCannotPlayByFileAndLine)
{
    struct Case
    {
        char const* line;
        char const* why;
    };
    // The table of keys runs from backspace (0x08) to the key left of '1' (0xDF).
    Case const cases[] = {
        {"800 key 0x07 down", "just below the table"},
        {"800 key 0xE0 down", "just above the table"},
        {"800 key 0x3A up", "a gap inside the table"},
        {"800 key 0x10041 down", "a known code beyond 16 bits"},
        {"800 key 4294967361 down", "a known code beyond 32 bits"},
        {"800 key W down", "a word for the code"},
        {"800 key 0x4G down", "a number with a word after it"},
        {"800 key -0x41 down", "a sign"},
        {"800 key", "no code"},
        {"800 key 0x41 pressed", "neither down nor up"},
        {"99999999999 key 0x41 down", "a step beyond an int"},
        {"-5 key 0x41 down", "a step before the first"},
        {"12x close", "a step with a word after it"},
        {"800 shot", "a shot without its file"},
        {"800 jump", "an unknown command"},
    };
    std::string const file = folder / "run.script";
    for (Case const& c : cases)
    {
        SCOPED_TRACE(c.why);
        Error const e = Read("# a comment\n\n10 key 0x41 down\n" + std::string(c.line) + "\n900 close\n");
        EXPECT_EQ(e.Code(), Error_ParseFile) << e.Text();
        EXPECT_EQ(std::string(e.Text()).rfind(file + ": line 4: ", 0), 0u) << e.Text();
    }

    EXPECT_EQ(Read("no such script\n5 close\n").Code(), Error_None) << "a line of words is a comment";
    EXPECT_EQ(Read("6 shot start.png\n").Code(), Error_None);
}

TEST_F(InputScriptTest, RefusesByNameAScriptWithoutACommandOrAFolder)
{
    std::string const file = folder / "run.script";
    char const noise[] = "\x01\xff\x00\x7f key\n\x9c\x00\n\xe2 close\n";
    std::string const bytes(noise, sizeof noise - 1);
    for (std::string const& text : {std::string(), std::string("# only a comment\n\n   \nkey 0x41 down\n"), bytes})
    {
        Error const e = Read(text);
        EXPECT_EQ(e.Code(), Error_ParseFile) << e.Text();
        EXPECT_EQ(std::string(e.Text()).rfind(file + ": ", 0), 0u) << e.Text();
    }

    std::filesystem::create_directory(folder.path / "scripts");
    Error const e = Open(folder / "scripts");
    EXPECT_EQ(e.Code(), Error_OpenFile);
    EXPECT_EQ(std::string(e.Text()).rfind(folder / "scripts", 0), 0u) << e.Text();

    // A close and then zeros past any script's size: not read at all, where it was once read a line
    // at a time until memory ran out.
    EXPECT_EQ(Read("0 close\n").Code(), Error_None);
    std::filesystem::resize_file(file, DataFile_ScriptLimit + 1);
    Error const large = Open(file);
    EXPECT_EQ(large.Code(), Error_OpenFile);
    EXPECT_EQ(file, large.Text());
}

TEST_F(InputScriptTest, QueuesItsKeysAndCloseAfterTheirStepAsTheWindowSystemWould)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    GameWindow::PumpMessages(Collect, nullptr);
    received.clear();
    // Each end of the table, hex and decimal, decimal with a leading zero too, and a close.
    folder.WriteText("run.script", "5 key 0x08 down\n5 key 65 down\n6 shot never.png\n7 key 0xDF up\n"
                                   "7 key 065 up\n011 close\n0 key 0x20 down\n");
    InputScript script((folder / "run.script").c_str());
    EXPECT_EQ(script.InputSteps(), (std::vector<int>{5, 5, 7, 7, 11, 0}));

    auto after = [&script](int step) {
        received.clear();
        script.AfterStep(step);
        GameWindow::PumpMessages(Collect, nullptr);
        return received;
    };
    // Start-up is step 0: its key is queued before the first step.
    std::vector<Window_Message> const start = after(0);
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].vk, 0x20u);
    EXPECT_TRUE(after(1).empty());
    std::vector<Window_Message> const five = after(5);
    ASSERT_EQ(five.size(), 2u);
    EXPECT_EQ(five[0].type, Window_KeyDown);
    EXPECT_EQ(five[0].vk, 0x08u);
    EXPECT_EQ(five[1].vk, 0x41u);
    EXPECT_TRUE(after(6).empty()) << "a shot is taken as a frame is drawn";
    std::vector<Window_Message> const seven = after(7);
    ASSERT_EQ(seven.size(), 2u);
    EXPECT_EQ(seven[0].type, Window_KeyUp);
    EXPECT_EQ(seven[0].vk, 0xDFu);
    EXPECT_EQ(seven[1].vk, 0x41u);
    EXPECT_TRUE(after(7).empty()) << "each line once";
    EXPECT_TRUE(after(9).empty()) << "011 read as octal";
    std::vector<Window_Message> const eleven = after(11);
    ASSERT_EQ(eleven.size(), 1u);
    EXPECT_EQ(eleven[0].type, Window_Close);
    GameWindow::Close();
}

// A shot once opened its name as it found it: a link planted there had the picture written over the
// file it led to, outside the data folder, and a dangling one made that file. The link is replaced by
// the picture, and what it led to stays as it was.
TEST_F(InputScriptTest, AShotReplacesALinkAtItsNameAndNeverWritesThroughIt)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    folder.WriteText("outside", "not a picture");
    std::filesystem::create_symlink(folder / "outside", folder / "shot.png");
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling.png");
    for (char const* name : {"shot.png", "dangling.png"})
    {
        std::string const shot = folder / name;
        EXPECT_TRUE(InputScript::WriteShot(shot.c_str())) << name;
        EXPECT_FALSE(std::filesystem::is_symlink(shot)) << name;
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(HM_ReadWhole(shot.c_str(), DataFile_PictureLimit, &bytes)) << name;
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG") << name;
    }
    std::vector<unsigned char> outside;
    ASSERT_TRUE(HM_ReadWhole((folder / "outside").c_str(), DataFile_AnyLimit, &outside));
    EXPECT_EQ(std::string(outside.begin(), outside.end()), "not a picture");
    EXPECT_FALSE(std::filesystem::exists(folder / "nowhere"));
    EXPECT_EQ(3, std::distance(std::filesystem::directory_iterator(folder.path), {})) << "a scratch file left";
    GameWindow::Close();
}

// Key states as key messages and steps age them, the game keys, and the key-assignment file.
#include "KeyData.h"

#include "Globals.h"
#include "WndProc.h"
#include "platform/GameWindow.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

void Key(unsigned vk, bool down)
{
    Window_Message message;
    message.type = down ? Window_KeyDown : Window_KeyUp;
    message.vk = vk;
    WndProc(message);
}

class KeyDataTest : public testing::Test
{
protected:
    void SetUp() override
    {
        keyData = KeyData();
        DefaultKeyAssign();
        std::string pattern = (fs::temp_directory_path() / "hm-keydata-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        oldDir = fs::current_path();
        fs::current_path(dir);
    }

    void TearDown() override
    {
        fs::current_path(oldDir);
        fs::remove_all(dir);
        DefaultKeyAssign();
    }

    static std::vector<unsigned char> ReadKeyAssign()
    {
        std::ifstream in("keyassign", std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
    fs::path oldDir;
};

} // namespace

TEST_F(KeyDataTest, StatesRunFromPressThroughHeldToRelease)
{
    Key('Q', true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_A + 'Q' - 'A']);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Held, keyData.keys[KeyIndex_GameLeft]);
    Key('Q', true); // the keyboard repeating
    EXPECT_EQ(KeyState_Held, keyData.keys[KeyIndex_GameLeft]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Held, keyData.keys[KeyIndex_GameLeft]);
    Key('Q', false);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_GameLeft]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameLeft]);
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_A + 'Q' - 'A']);
}

TEST_F(KeyDataTest, EdgesWithinOneStepKeepTheRelease)
{
    // Pressed and released between two steps: the step sees only the release.
    Key(0x20, true);
    Key(0x20, false);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_Space]);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_GameJump]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameJump]);

    // Released and pressed again: the new press is lost.
    Key(0x20, true);
    keyData.Clean();
    Key(0x20, false);
    Key(0x20, true);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_GameJump]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameJump]);

    // A key with neither a raw index nor a binding changes nothing.
    KeyData before = keyData;
    Key(0x7B, true);
    EXPECT_EQ(0, std::memcmp(before.keys, keyData.keys, sizeof keyData.keys));
}

TEST_F(KeyDataTest, GameKeysComeFromEitherAssignment)
{
    EXPECT_EQ(KeyIndex_GameJump, FindGameKey(0x20));
    EXPECT_EQ(KeyIndex_GameAction, FindGameKey(0x50));
    EXPECT_EQ(KeyIndex_GameAction, FindGameKey(0x0D));
    EXPECT_EQ(KeyIndex_GameForwardInTime, FindGameKey(0x53));
    EXPECT_EQ(-1, FindGameKey(0x1B));
    EXPECT_EQ(KeyIndex_Enter, FindKey(0x0D));
    EXPECT_EQ(KeyIndex_Delete, FindKey(0x2E));
    EXPECT_EQ(KeyIndex_Delete, FindKey(0x08));
    EXPECT_EQ(-1, FindKey(0x31));

    // One code on left (key 1) and right (key 2) acts only as left.
    keyAssign[0] = 0x45;
    keyAssign[HM_Keys_Used + 1] = 0x45;
    Key(0x45, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]);
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameRight]);
}

TEST_F(KeyDataTest, FileReplacesOnlyTheEntriesItHolds)
{
    LoadKeyAssign();
    EXPECT_EQ(0x51, keyAssign[0]) << "a missing file keeps the defaults";

    {
        std::ofstream out("keyassign", std::ios::binary);
        unsigned char const bytes[] = {0x41, 0x00, 0x42, 0x00, 0x34, 0x12, 0x44, 0x00, 0x45, 0x00, 0x46};
        out.write(reinterpret_cast<char const*>(bytes), sizeof bytes);
    }
    LoadKeyAssign();
    EXPECT_EQ(0x41, keyAssign[0]);
    EXPECT_EQ(0x1234, keyAssign[2]);
    EXPECT_EQ(0x45, keyAssign[4]);
    EXPECT_EQ(0x10, keyAssign[6]) << "entries beyond the file keep their values";
    EXPECT_EQ(0x53, keyAssign[17]);

    keyAssign[17] = 0xBEEF;
    SaveKeyAssign();
    std::vector<unsigned char> bytes = ReadKeyAssign();
    ASSERT_EQ(36u, bytes.size());
    EXPECT_EQ(0x34, bytes[4]);
    EXPECT_EQ(0x12, bytes[5]);
    EXPECT_EQ(0xEF, bytes[34]);
    EXPECT_EQ(0xBE, bytes[35]);

    DefaultKeyAssign();
    LoadKeyAssign();
    EXPECT_EQ(0xBEEF, keyAssign[17]);
    EXPECT_EQ(0x1234, keyAssign[2]);
}

TEST_F(KeyDataTest, UnwritableFileIsIgnored)
{
    fs::create_directory("keyassign");
    SaveKeyAssign();
    LoadKeyAssign();
    EXPECT_EQ(0x51, keyAssign[0]);
}

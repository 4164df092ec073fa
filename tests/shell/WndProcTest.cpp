// The window procedure: mouse scaling, clicks between steps, window state; and the whole
// layer driven as the game drives it.
#include "shell/WndProc.h"

#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/Globals.h"

#include <gtest/gtest.h>

namespace
{

Window_Message Mouse(Window_MessageType type, int x, int y)
{
    Window_Message message;
    message.type = type;
    message.x = x;
    message.y = y;
    return message;
}

Window_Message Size(int width, int height, bool minimized)
{
    Window_Message message;
    message.type = Window_Size;
    message.width = width;
    message.height = height;
    message.minimized = minimized;
    return message;
}

class WndProcTest : public testing::Test
{
protected:
    void SetUp() override
    {
        keyData = KeyData();
        DefaultKeyAssign();
        mooseLDown = false;
        mooseRDown = false;
        CheckMouse();
        MessageBox::SetRecordOnly(true);
    }
    void TearDown() override
    {
        GameWindow::Close();
        MessageBox::SetRecordOnly(false);
        keyData = KeyData();
    }
};

} // namespace

TEST_F(WndProcTest, MouseIsScaledAndClicksAreEdges)
{
    WndProc(Size(1440, 1080, false));
    EXPECT_EQ(1440, viewWidth);
    EXPECT_EQ(1080, viewHeight);
    WndProc(Mouse(Window_MouseMove, 720, 1079));
    EXPECT_EQ(320, mousex);
    EXPECT_EQ(479, mousey);

    // The right button leaves the position alone.
    WndProc(Mouse(Window_RButtonDown, 0, 0));
    EXPECT_EQ(320, mousex);
    WndProc(Mouse(Window_LButtonDown, 1439, 0));
    EXPECT_EQ(639, mousex);
    EXPECT_EQ(0, mousey);

    // Clicks are the edges between two steps.
    CheckMouse();
    EXPECT_EQ(1, keyData.leftClick);
    EXPECT_EQ(1, keyData.rightClick);
    EXPECT_DOUBLE_EQ(639.0, keyData.mouse.x);
    WndProc(Mouse(Window_RButtonUp, 0, 0));
    CheckMouse();
    EXPECT_EQ(0, keyData.leftClick) << "a held button clicks once";

    // A press and release that both fall between two steps make no click.
    WndProc(Mouse(Window_LButtonUp, 100, 50));
    CheckMouse();
    WndProc(Mouse(Window_RButtonDown, 0, 0));
    WndProc(Mouse(Window_RButtonUp, 0, 0));
    CheckMouse();
    EXPECT_EQ(0, keyData.rightClick);
    EXPECT_EQ(0, keyData.leftClick);
}

// Opens the window, takes keys and the mouse through it and closes it by a message, all through
// the platform layer.
TEST_F(WndProcTest, LayerRunsAStepOfTheGame)
{
    ASSERT_TRUE(GameWindow::Open(800, 600)) << GameWindow::FailureText();
    GameWindow::PushKey(0x20, true);
    GameWindow::PushKey(0x0D, true);
    GameWindow::PushMouse(Window_MouseMove, 400, 300);
    GameWindow::PushMouse(Window_LButtonDown, 400, 300);
    int code = -1;
    EXPECT_FALSE(GameWindow::PumpMessages(WndProc, &code));
    CheckMouse();
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_Space]);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameJump]);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_Enter]);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameAction]);
    EXPECT_DOUBLE_EQ(320.0, keyData.mouse.x);
    EXPECT_DOUBLE_EQ(240.0, keyData.mouse.y);
    EXPECT_EQ(1, keyData.leftClick);
    keyData.Clean();

    GameWindow::PushClose();
    EXPECT_TRUE(GameWindow::PumpMessages(WndProc, &code));
    EXPECT_EQ(0, code);
    GameWindow::Close();
}

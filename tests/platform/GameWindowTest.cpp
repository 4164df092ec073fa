// The window: its picture on the screen, its GL context and the messages it hands on.
#include "platform/GameWindow.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace
{

std::vector<Window_Message> received;

void Collect(Window_Message const& message)
{
    received.push_back(message);
}

// Every message of one pump of the given type.
std::vector<Window_Message> Pump(Window_MessageType type)
{
    received.clear();
    GameWindow::PumpMessages(Collect, nullptr);
    std::vector<Window_Message> found;
    for (Window_Message const& message : received)
        if (message.type == type)
            found.push_back(message);
    return found;
}

// Red, green and blue of a pixel as one number 0xRRGGBB.
int Colour(int x, int y)
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] << 16 | rgba[1] << 8 | rgba[2];
}

class GameWindowTest : public testing::Test
{
protected:
    void SetUp() override { MessageBox::SetRecordOnly(true); }
    void TearDown() override { GameWindow::Close(); }
};

} // namespace

TEST_F(GameWindowTest, ClearsToBlueBetweenBlackBarsAndScalesTheMouse)
{
    ASSERT_TRUE(GameWindow::Open(800, 480)) << GameWindow::FailureText();
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(0, Colour(40, 240)) << "the left bar takes the game's clear";
    EXPECT_EQ(0, Colour(760, 240)) << "the right bar takes the game's clear";
    EXPECT_EQ(204, Colour(400, 240));
    EXPECT_EQ(204, Colour(80, 0));
    EXPECT_EQ(204, Colour(719, 479));
    EXPECT_EQ(GL_NO_ERROR, glGetError());

    GameWindow_Rect const tall = GameWindow::Letterbox(800, 800);
    EXPECT_EQ(100, tall.y) << "a tall area gets its bars above and below";
    EXPECT_EQ(800, tall.width);
    EXPECT_EQ(600, tall.height);

    std::vector<Window_Message> sizes = Pump(Window_Size);
    ASSERT_FALSE(sizes.empty()) << "a new window reports its size";
    EXPECT_EQ(640, sizes.front().width);
    EXPECT_EQ(480, sizes.front().height);

    GameWindow::PushMouse(Window_MouseMove, 80 + 320, 120);
    GameWindow::PushMouse(Window_MouseMove, 10, 479);
    std::vector<Window_Message> moves = Pump(Window_MouseMove);
    ASSERT_EQ(2u, moves.size());
    EXPECT_EQ(320, moves[0].x);
    EXPECT_EQ(120, moves[0].y);
    EXPECT_EQ(0, moves[1].x) << "a point on the bar lands on the picture's edge";
}

TEST_F(GameWindowTest, OnePumpDrainsEveryPendingMessage)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    GameWindow::PushKey(0x51, true);
    for (int i = 0; i < 20; i++)
        GameWindow::PushMouse(Window_MouseMove, i, i);
    GameWindow::PushKey(0x51, false);
    GameWindow::PushClose();
    ASSERT_EQ(1u, Pump(Window_Close).size());
    auto first = std::find_if(received.begin(), received.end(),
                              [](Window_Message const& message) { return message.type == Window_KeyDown; });
    ASSERT_GE(received.end() - first, 23) << "the messages come in order, all in one pump";
    EXPECT_EQ(0x51u, first[0].vk);
    EXPECT_EQ(Window_MouseMove, first[20].type);
    EXPECT_EQ(19, first[20].x);
    EXPECT_EQ(Window_KeyUp, first[21].type);
    EXPECT_EQ(Window_Close, first[22].type);
    EXPECT_TRUE(Pump(Window_Close).empty());

    GameWindow::PostQuit(3);
    GameWindow::PostQuit(4);
    int code = 0;
    EXPECT_TRUE(GameWindow::PumpMessages(Collect, &code));
    EXPECT_EQ(3, code) << "the first quit posted gives the code";
}

TEST_F(GameWindowTest, CursorShowsWhileTheCounterIsNotNegative)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    EXPECT_EQ(-1, GameWindow::ShowCursor(false));
    EXPECT_EQ(0, GameWindow::ShowCursor(true));
    EXPECT_EQ(1, GameWindow::ShowCursor(true));
    EXPECT_EQ(-1, (GameWindow::ShowCursor(false), GameWindow::ShowCursor(false)));
}

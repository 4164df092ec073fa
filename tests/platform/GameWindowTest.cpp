// The window: its picture on the screen, its GL context and the messages it hands on.
#include "platform/GameWindow.h"

#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<Window_Message> received;

void Collect(Window_Message const& message)
{
    received.push_back(message);
}

std::vector<Window_Message> Pump()
{
    received.clear();
    int code = 0;
    GameWindow::PumpMessages(Collect, &code);
    return received;
}

std::vector<Window_Message> OfType(std::vector<Window_Message> const& messages, Window_MessageType type)
{
    std::vector<Window_Message> found;
    for (Window_Message const& message : messages)
        if (message.type == type)
            found.push_back(message);
    return found;
}

struct Pixel
{
    int r;
    int g;
    int b;
};

Pixel ReadPixel(int x, int y)
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

class GameWindowTest : public testing::Test
{
protected:
    void SetUp() override { MessageBox::SetRecordOnly(true); }
    void TearDown() override { GameWindow::Close(); }
};

} // namespace

TEST_F(GameWindowTest, LetterboxKeepsThePictureShapeCentred)
{
    GameWindow_Rect exact = GameWindow::Letterbox(640, 480);
    EXPECT_EQ(0, exact.x);
    EXPECT_EQ(0, exact.y);
    EXPECT_EQ(640, exact.width);
    EXPECT_EQ(480, exact.height);

    GameWindow_Rect wide = GameWindow::Letterbox(1920, 1080);
    EXPECT_EQ(240, wide.x);
    EXPECT_EQ(0, wide.y);
    EXPECT_EQ(1440, wide.width);
    EXPECT_EQ(1080, wide.height);

    GameWindow_Rect tall = GameWindow::Letterbox(800, 800);
    EXPECT_EQ(0, tall.x);
    EXPECT_EQ(100, tall.y);
    EXPECT_EQ(800, tall.width);
    EXPECT_EQ(600, tall.height);
}

TEST_F(GameWindowTest, ClearsToBlueAndReadsBack)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    glClear(GL_COLOR_BUFFER_BIT);
    Pixel corner = ReadPixel(0, 0);
    Pixel centre = ReadPixel(320, 240);
    EXPECT_EQ(0, corner.r);
    EXPECT_EQ(0, corner.g);
    EXPECT_EQ(204, corner.b);
    EXPECT_EQ(204, centre.b);
    EXPECT_EQ(GL_NO_ERROR, glGetError());
    GameWindow::SwapBuffers();
}

TEST_F(GameWindowTest, WideWindowKeepsBlackBarsAndScalesTheMouse)
{
    ASSERT_TRUE(GameWindow::Open(800, 480)) << GameWindow::FailureText();
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(0, ReadPixel(40, 240).b) << "the left bar takes the game's clear";
    EXPECT_EQ(0, ReadPixel(760, 240).b) << "the right bar takes the game's clear";
    EXPECT_EQ(204, ReadPixel(400, 240).b);

    GameWindow::PushMouse(Window_MouseMove, 80 + 320, 120);
    GameWindow::PushMouse(Window_LButtonDown, 10, 479);
    std::vector<Window_Message> messages = Pump();

    std::vector<Window_Message> sizes = OfType(messages, Window_Size);
    ASSERT_FALSE(sizes.empty()) << "a new window reports its size before any mouse message";
    EXPECT_EQ(640, sizes.front().width);
    EXPECT_EQ(480, sizes.front().height);
    EXPECT_FALSE(sizes.front().minimized);
    EXPECT_EQ(Window_Size, messages.front().type);

    std::vector<Window_Message> moves = OfType(messages, Window_MouseMove);
    ASSERT_EQ(1u, moves.size());
    EXPECT_EQ(320, moves[0].x);
    EXPECT_EQ(120, moves[0].y);
    std::vector<Window_Message> clicks = OfType(messages, Window_LButtonDown);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(0, clicks[0].x) << "a click on the bar lands on the picture's edge";
    EXPECT_EQ(479, clicks[0].y);
}

TEST_F(GameWindowTest, OnePumpDrainsEveryPendingMessage)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    Pump();
    GameWindow::PushKey(0x51, true);
    for (int i = 0; i < 20; i++)
        GameWindow::PushMouse(Window_MouseMove, i, i);
    GameWindow::PushKey(0x51, false);
    GameWindow::PushKey(0x0D, true);
    std::vector<Window_Message> messages = Pump();

    std::vector<Window_Message> downs = OfType(messages, Window_KeyDown);
    std::vector<Window_Message> ups = OfType(messages, Window_KeyUp);
    ASSERT_EQ(2u, downs.size());
    ASSERT_EQ(1u, ups.size());
    EXPECT_EQ(0x51u, downs[0].vk);
    EXPECT_EQ(0x51u, ups[0].vk);
    EXPECT_EQ(0x0Du, downs[1].vk);
    std::vector<Window_Message> moves = OfType(messages, Window_MouseMove);
    ASSERT_EQ(20u, moves.size());
    EXPECT_EQ(19, moves.back().x);
    EXPECT_TRUE(Pump().empty());
}

TEST_F(GameWindowTest, CloseBecomesAMessageAndPostedQuitEndsThePump)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    Pump();
    GameWindow::PushClose();
    received.clear();
    int code = -1;
    EXPECT_FALSE(GameWindow::PumpMessages(Collect, &code));
    ASSERT_EQ(1u, OfType(received, Window_Close).size());

    GameWindow::PostQuit(3);
    GameWindow::PostQuit(4);
    EXPECT_TRUE(GameWindow::PumpMessages(Collect, &code));
    EXPECT_EQ(3, code) << "the first quit posted gives the code";
}

TEST_F(GameWindowTest, CursorCountsShowsAndHides)
{
    ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
    EXPECT_EQ(-1, GameWindow::ShowCursor(false));
    EXPECT_EQ(0, GameWindow::ShowCursor(true));
    EXPECT_EQ(1, GameWindow::ShowCursor(true));
    EXPECT_EQ(0, GameWindow::ShowCursor(false));
    EXPECT_EQ(-1, GameWindow::ShowCursor(false));
}

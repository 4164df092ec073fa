// The window procedure and the mouse's passage into the input record.
#include "shell/WndProc.h"

#include "platform/GameWindow.h"
#include "shell/Globals.h"

namespace
{

bool lastLeftDown = false;
bool lastRightDown = false;

void Press(int index)
{
    if (index >= 0 && keyData.keys[index] == KeyState_Up)
        keyData.keys[index] = KeyState_Pressed;
}

void Release(int index)
{
    if (index >= 0)
        keyData.keys[index] = KeyState_Released;
}

void FollowMouse(Window_Message const& message)
{
    // The picture has its size before any mouse message; a zero size only comes with a
    // window too small to point into.
    if (viewWidth == 0 || viewHeight == 0)
        return;
    mousex = message.x * GameWindow_Width / viewWidth;
    mousey = message.y * GameWindow_Height / viewHeight;
}

} // namespace

void WndProc(Window_Message const& message)
{
    switch (message.type)
    {
    case Window_KeyDown:
        // A repeating key is already held and stays so.
        Press(FindKey(message.vk));
        Press(FindGameKey(message.vk));
        break;
    case Window_KeyUp:
        Release(FindKey(message.vk));
        Release(FindGameKey(message.vk));
        break;
    case Window_MouseMove:
        FollowMouse(message);
        break;
    case Window_LButtonDown:
        FollowMouse(message);
        mooseLDown = true;
        break;
    case Window_LButtonUp:
        FollowMouse(message);
        mooseLDown = false;
        break;
    case Window_RButtonDown:
        mooseRDown = true;
        break;
    case Window_RButtonUp:
        mooseRDown = false;
        break;
    case Window_Size:
        // The platform layer has fitted the viewport to the window already.
        viewWidth = static_cast<std::uint16_t>(message.width);
        viewHeight = static_cast<std::uint16_t>(message.height);
        windMinimized = message.minimized;
        break;
    case Window_Activate:
        windActive = message.active;
        break;
    case Window_Close:
        GameWindow::PostQuit(0);
        break;
    }
}

void CheckMouse()
{
    keyData.mouse = Pointf(mousex, mousey);
    keyData.leftClick = mooseLDown && !lastLeftDown ? 1 : 0;
    keyData.rightClick = mooseRDown && !lastRightDown ? 1 : 0;
    lastLeftDown = mooseLDown;
    lastRightDown = mooseRDown;
}

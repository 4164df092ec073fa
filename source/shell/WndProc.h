// The window procedure, which turns window messages into key and mouse state.
#pragma once

struct Window_Message;

// Handed to GameWindow::PumpMessages: raises key states in keyData, follows the mouse, the
// picture's size and the window's state, and posts the quit when the window is closed.
void WndProc(Window_Message const& message);

// Copies the mouse into keyData, with a click for each button that went down since the
// previous call. Called at the start of every step.
void CheckMouse();

// Cursor: the pointer through the platform's window.
#include "media/Cursor.h"

#include "platform/GameWindow.h"

void Cursor::Show(bool show)
{
    GameWindow::ShowCursor(show);
}

// Cursor: the mouse pointer over the game's picture, for screens that are played with the mouse.
#pragma once

class Cursor final
{
public:
    // Shows or hides the pointer; calls nest, so each Show(true) is undone by one Show(false).
    static void Show(bool show);
};

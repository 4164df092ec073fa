// The program-wide state that the main loop shares with the rest of the game.
#pragma once

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "media/Game_Sounds.h"

#include <cstdint>

class Image;
class Level;
class MainMenu;
class MapScreen;

// The window and its GL context are the platform layer's (GameWindow); the progress record
// and the save request are the engine's (GameEvents.h), as is the fade's speed (Level.h); the
// sound table is media's.

extern Level_Type curLevel;      // 0 while the title, logos or map screen run
extern Level_Action levelAction; // the result the current level ended with; 0 while it runs
extern MapScreen* mapScreen;     // only between levels
extern Level* level;             // only while a world is played
extern MainMenu* menu;
extern bool menuOn;      // the in-game menu is open over the level
extern bool quit;        // leave the main loop at the start of the next pass
extern KeyData keyData;  // filled by the window procedure
extern int fading;       // 0 none, 1 fading out to black, 2 fading in from black
extern double fadeVal;   // brightness: 0.0 black, 1.0 clear
extern Image* splashScr; // the splash image on screen, if any
extern int splashImg;    // splash screens ended so far
extern int splashTimer;  // steps before the current splash screen fades out
extern bool windActive;
extern bool windMinimized;

// The mouse as the window procedure last saw it, in logical units from the top-left corner,
// and the size of the game's picture on the window.
extern int mousex;
extern int mousey;
extern bool mooseLDown;
extern bool mooseRDown;
extern std::uint16_t viewWidth;
extern std::uint16_t viewHeight;

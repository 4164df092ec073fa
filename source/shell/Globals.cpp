// The program-wide state with its start values.
#include "shell/Globals.h"

Level_Type curLevel = Level_None;
Level_Action levelAction = Level_Continue;
MapScreen* mapScreen = nullptr;
Level* level = nullptr;
MainMenu* menu = nullptr;
bool menuOn = false;
bool quit = false;
KeyData keyData;
int fading = 2;
double fadeVal = 0.0;
Image* splashScr = nullptr;
int splashImg = 0;
int splashTimer = 200;
bool windActive = true;
bool windMinimized = false;

int mousex = 0;
int mousey = 0;
bool mooseLDown = false;
bool mooseRDown = false;
std::uint16_t viewWidth = 0;
std::uint16_t viewHeight = 0;

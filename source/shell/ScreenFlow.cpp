// Building worlds, the level's step with the menu over it, and what follows a level.
#include "shell/ScreenFlow.h"

#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "platform/StopSignal.h"
#include "puzzles/World_Base.h"
#include "shell/Globals.h"
#include "shell/MainMenu.h"
#include "shell/MapScreen.h"
#include "shell/World_Table.h"

World_Maker worldMaker = BuildWorld;
bool endingPlayed = false;

namespace
{

// The keys that were down as the current screen began: one press acts on one screen. A world
// sees each of them held, as any key held across a change of screens, but not its release: a key
// acts when let go, and the key that chose the world on the map must not act inside it. The map
// acts on a held key, so there a carried key reads as up until let go: the act key still down as
// a world ends must not enter a world again. Once up it is a key like any other, and its next
// press counts.
bool carried[KeyData_Count] = {};

// No message is read while a world is built, so a stop signal ends the program then.
Level* Build(Level_Type type, bool ending)
{
    StopSignal_Loading const loading;
    return worldMaker(gameEvents, type, ending);
}

void CarryKeys()
{
    for (int i = 0; i < KeyData_Count; i++)
        carried[i] = (keyData.keys[i] & (KeyState_Pressed | KeyState_Held)) != 0;
}

// Hides the release of each carried key and forgets it; with whole set, also its being down.
void HideCarried(KeyData* keys, bool whole)
{
    for (int i = 0; i < KeyData_Count; i++)
    {
        if (!carried[i])
            continue;
        if ((keys->keys[i] & (KeyState_Pressed | KeyState_Held)) == 0)
            carried[i] = false;
        else if (!whole)
            continue;
        keys->keys[i] = KeyState_Up;
    }
}

} // namespace

Level* BuildWorld(GameEvents* events, Level_Type type, bool ending)
{
    return MakeWorld(events, type, ending);
}

void InitMap(Level_Action action)
{
    mapScreen = new MapScreen(gameEvents, curLevel, action);
    curLevel = Level_None;
    CarryKeys();
}

void InitLevel()
{
    level = Build(curLevel, false);
    CarryKeys();
}

void FinishedLevel()
{
    delete level;
    level = nullptr;
    // Also after dying or leaving through the menu.
    gameEvents->LevelComplete();

    if (curLevel == Level_Final && levelAction == Level_Completed && !endingPlayed)
    {
        // The closing village keeps curLevel at 9.
        endingPlayed = true;
        level = Build(Level_TreeV, true);
        CarryKeys();
    }
    else if (curLevel == Level_Kilig && levelAction == Level_Restart)
    {
        InitLevel();
    }
    else
    {
        // After the closing village the map follows, as after any other level.
        endingPlayed = false;
        InitMap(levelAction);
    }
    levelAction = Level_Continue;
}

Level_Type MapPoll(KeyData const* keys)
{
    KeyData shown = *keys;
    HideCarried(&shown, true);
    return mapScreen->Poll(&shown);
}

bool LevelPoll(KeyData* keys)
{
    HideCarried(keys, false);
    bool const escape = keys->keys[KeyIndex_Escape] & KeyState_Pressed;
    if (menuOn)
    {
        switch (menu->Poll(keys))
        {
        case MainMenu_Close:
            menuOn = false;
            break;
        case MainMenu_LeaveLevel:
            levelAction = Level_Left;
            menuOn = false;
            break;
        case MainMenu_QuitGame:
            quit = true;
            break;
        case MainMenu_Nothing:
            break;
        }
        if (escape)
            menuOn = false;
        // The level takes no step while the menu is open, nor in the step that closes it.
        if (levelAction == Level_Continue)
            return false;
    }
    else if (escape)
    {
        menuOn = true;
    }

    if (levelAction == Level_Continue)
    {
        levelAction = level->Poll(*keys);
        if (levelAction == Level_Continue)
            return false;
    }
    return true;
}

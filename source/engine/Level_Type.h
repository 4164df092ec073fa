// The world numbers and the results with which a level's step ends it.
#pragma once

// 0 while the title, the logos or the map screen run.
enum Level_Type
{
    Level_None = 0,
    Level_TreeV = 1,
    Level_Plato = 2,
    Level_Kilig = 3,
    Level_Chasm = 4,
    Level_Petra = 5,
    Level_Casle = 6,
    Level_Tower = 7,
    Level_Black = 8,
    Level_Final = 9,
};

enum Level_Action
{
    Level_Continue = 0,
    Level_Left = 1,      // left through the menu, or the player died
    Level_Completed = 2, // by the main exit
    Level_Restart = 3,   // by a second exit; in the master's world the end of its introduction
};

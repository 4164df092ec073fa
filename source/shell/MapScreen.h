// The screen between levels: the title with its three save slots, then the world map.
#pragma once

#include "engine/Level_Type.h"
#include "engine/Player_Sprites.h" // Player_Frames: the map's figure walks in the player's frames
#include "media/Backdrop.h"
#include "util/DataFile.h"
#include "util/Pointf.h"

#include <cstddef>
#include <string>

class Bezier;
class GameEvents;
class GameFont;
class Image;
struct KeyData;

constexpr int Location_Count = 9; // location i is world i + 1
constexpr int Path_Count = 8;
constexpr int Total_Saves = 3;
constexpr double Plate_Height = 80.0;
constexpr double Plate_XPad = 80.0;
constexpr double Plate_XBorder = 20.0;
constexpr double Plate_YBorder = 10.0;

extern char const* const Location_Names[Location_Count];
// Normalised: x from the left, y from the bottom.
extern double const Location_Points[Location_Count][2];
// The neighbour reached by change target (prev), change target (next), left and right; -1 none.
extern int const Location_Joins[Location_Count][4];
extern int const Location_GemCount[Location_Count];
// The two locations a path joins; the second is its far end.
extern int const Path_Joins[Path_Count][2];
extern double const Path_Points[Path_Count][4][2];
extern int const Path_Dots[Path_Count];
constexpr int Path_FirstEvent = 12; // path p is open once story event 12 + p has happened
constexpr int Path_ToCanyon = 2;    // opening it opens Path_ToCastle too
constexpr int Path_ToCastle = 4;

// The slot the live progress is saved into; -1 until one is chosen.
extern int saveSlot;

// At start the screen is the title: the player picks (or erases) a save slot, whose record
// becomes the live progress. Then, and after every level, it is the world map: the figure
// walks between the locations along the open paths, and action (or Enter, whatever the key file
// holds) on a location plays its world. After a completed level the path it earned is stored as
// open and saved with the level's progress as the map opens, then drawn dot by dot before the
// figure walks along it.
class MapScreen final
{
public:
    // type is the world just played (0 at start, which shows the title) and action its result.
    MapScreen(GameEvents* liveEvents, Level_Type type, Level_Action action);
    ~MapScreen();
    MapScreen(MapScreen const&) = delete;
    MapScreen& operator=(MapScreen const&) = delete;

    // One step; the world to play, or 0 to stay.
    Level_Type Poll(KeyData const* input);
    void Plot();

    // Writes the record into the chosen slot, making the saves folder when needed. A failed
    // write leaves the slot as it was and tells the player in a message box; false then. A
    // damaged slot is not written over unless a copy of it is kept (the one the title made
    // serves); false too, told in a box of its own, which says so when every copy name is taken.
    static bool Save(GameEvents* record);
    // The names a damaged slot is copied to before a save can replace it: "saves/saveN.damaged"
    // for n 0, then "saves/saveN.damaged.1", ".2" and on. A copy takes the first name free.
    static std::string DamagedCopy(char const* slotFile, int n = 0);
    // How many copies of one slot may be kept; past that a damaged slot cannot be copied.
    static constexpr int DamagedCopies = 1000;
    // A damaged slot larger than this is not copied: no well-formed slot comes near it.
    static constexpr std::size_t SlotCopyLimit = DataFile_SlotLimit;
    // Whether a save slot could be written here, tried with a scratch file so that no slot
    // is touched.
    static bool CheckSave();
    // The file of a save slot, "saves/save0" to "saves/save2".
    static char const* SlotFile(int slot);

    bool IsLocationLive(GameEvents const* record, int loc) const;
    bool IsPathActive(GameEvents const* record, int p) const;
    // Where the figure stands when a slot is chosen: the furthest location its open paths reach.
    static int FindLatestLocation(GameEvents const* record);
    int FindPath(int a, int b) const;
    Pointf PathPos(int from, int to, double t) const;
    double PathStep(int a, int b) const;
    void MapToScr(Pointf* p) const;

    // State read by the tests and the drawing.
    bool InTitleMode() const { return titleMode; }
    // Whether the last Plot put its picture back from the screen it kept.
    bool PicturePutBack() const { return backdrop.PutBack(); }
    int Location() const { return location; }
    int Target() const { return target; }
    int Selected() const { return selected; }
    bool Erasing() const { return eraseMode; }
    int PathToOpen() const { return pathToOpen; }
    GameEvents const* Slot(int i) const { return slots[i]; }
    // The line under a damaged slot's plate on the title: where its copy is kept, or that none
    // could be made (or that it is too large to copy) and the slot is not saved over. Empty for a
    // sound slot.
    std::string SlotNote(int slot) const;

private:
    // Loads the font, the pictures and the curves; the title and the slots for the title screen.
    void Load(Level_Type type);
    void Free();
    void OpenMap(Level_Type type, Level_Action action);
    void PollTitle(KeyData const* keys);
    // Marks the confirming keys down, or let go, in this step as not answering the erase question.
    void StaleConfirmKeys(KeyData const* keys);
    void PlotTitle();
    void PlotMapScreen(GameEvents const* record);
    void RenderHUD(GameEvents const* record, double y, int loc, bool titleStyle, bool highlighted);
    void RenderOpening();
    void PlotMarker(Image const* img, Pointf pos, double scale);

    GameEvents* events = nullptr; // the live progress; not owned
    GameFont* font = nullptr;
    Image* title = nullptr; // title mode only
    Image* map = nullptr;
    Backdrop backdrop; // draws map, and keeps the screen it made while the window stands
    Image* marker = nullptr;
    Image* markerDone = nullptr;
    Image* walk[Player_Frames] = {};
    Image* gem = nullptr;
    Image* heart = nullptr;
    Image* sword = nullptr;
    Image* erase = nullptr;
    Image* yes = nullptr;
    Image* no = nullptr;
    bool titleMode = false;
    double titleY = 0.0; // top of the title image
    int location = 0;    // where the figure stands or walks from
    int target = 0;      // where it walks to; location while standing
    double progress = 0.0;
    bool facingRight = true;
    int walkFrame = 0;
    int walkTimer = 0;
    double hudOffset = 0.0;         // y of the plate
    Bezier* paths[Path_Count] = {}; // the curves of Path_Points
    GameEvents* slots[Total_Saves] = {};
    std::string damagedCopy[Total_Saves]; // the copy kept of a damaged slot as the title read it
    bool tooLarge[Total_Saves] = {};      // a damaged slot past SlotCopyLimit, as the title read it
    double slotY[Total_Saves] = {};
    int slotsShown = 0;
    int slotTimer = 0;
    int selected = 0;
    int chooseTimer = -1;          // -1 while choosing, else steps until the chosen slot is taken
    int pathToOpen = -1;           // the far end of the path being opened
    int pathsToDraw[2] = {-1, -1}; // stored as open, not yet drawn: the one being drawn first
    int openTimer = 0;             // steps since the opening began
    bool eraseMode = false;
    int eraseChoice = 2; // 1 yes, 2 no
    double eraseWobble = 0.0;
    bool staleConfirm[2] = {}; // Enter, action: down before the erase choice last moved
    bool warmedUp = false;     // the first Plot drew every picture once
};

// The title with its save slots and the world map between levels.
#include "shell/MapScreen.h"

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "media/FlatBox.h"
#include "media/GameFont.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "platform/MessageBox.h"
#include "shell/Globals.h"
#include "shell/MainMenu.h"
#include "shell/World_Table.h"
#include "util/Bezier.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Util.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

char const* const Location_Names[Location_Count] = {
    "Ridaduvor Tree Village", "Plateau",         "Dadodo's Castle",     "Zudevu Canyon", "Petra's House",
    "Zodezo's Castle",        "The Great Tower", "The Black Mountains", "Dragon Den",
};

double const Location_Points[Location_Count][2] = {
    {0.21, 0.22}, {0.59, 0.28}, {0.67, 0.51}, {0.8, 0.38},  {0.89, 0.31},
    {0.52, 0.62}, {0.34, 0.47}, {0.12, 0.6},  {0.28, 0.76},
};

int const Location_Joins[Location_Count][4] = {
    {6, -1, -1, 1},  {2, -1, 0, -1}, {-1, 1, 5, 3},  {-1, -1, 2, 4},  {-1, -1, 3, -1},
    {-1, 2, -1, -1}, {-1, 0, 7, -1}, {-1, -1, 6, 8}, {-1, 7, -1, -1},
};

int const Location_GemCount[Location_Count] = {2, 2, 4, 3, 3, 2, 2, 0, 0};

int const Path_Joins[Path_Count][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 5}, {0, 6}, {6, 7}, {7, 8}};

double const Path_Points[Path_Count][4][2] = {
    {{0.21, 0.22}, {0.32, 0.05}, {0.46, 0.28}, {0.59, 0.28}}, {{0.59, 0.28}, {0.59, 0.36}, {0.67, 0.43}, {0.67, 0.51}},
    {{0.67, 0.51}, {0.72, 0.51}, {0.75, 0.38}, {0.8, 0.38}},  {{0.8, 0.38}, {0.83, 0.38}, {0.86, 0.31}, {0.89, 0.31}},
    {{0.67, 0.51}, {0.6, 0.52}, {0.53, 0.55}, {0.52, 0.62}},  {{0.21, 0.22}, {0.21, 0.32}, {0.31, 0.4}, {0.34, 0.47}},
    {{0.34, 0.47}, {0.26, 0.51}, {-0.1, 0.6}, {0.12, 0.6}},   {{0.12, 0.6}, {0.2, 0.62}, {0.28, 0.66}, {0.28, 0.76}},
};

int const Path_Dots[Path_Count] = {11, 6, 6, 4, 6, 6, 12, 7};

int saveSlot = -1;

static_assert(Location_Count == World_Count, "a location for each world");

namespace
{

char const* const titleFile = "gfx/mapscreen/title.png";
char const* const mapFile = "gfx/mapscreen/map.png";
char const* const markerFile = "gfx/mapscreen/marker.png";
char const* const markerDoneFile = "gfx/mapscreen/markerdone.png";
char const* const gemFile = "gfx/general/gem.png";
char const* const heartFile = "gfx/general/heartfull.png";
char const* const swordFile = "gfx/player/sword.png";
char const* const eraseFile = "gfx/mapscreen/erase.png";
char const* const yesFile = "gfx/mapscreen/yes.png";
char const* const noFile = "gfx/mapscreen/no.png";
char const* const walkBase = "gfx/player/player";
char const* const savesFolder = "saves";
char const* const slotFiles[Total_Saves] = {"saves/save0", "saves/save1", "saves/save2"};

constexpr int MaxGemIcons = 8;

constexpr auto Pressed = MainMenu::Pressed;
constexpr auto Held = MainMenu::Held;
constexpr auto Released = MainMenu::Released;
constexpr auto PlaySound = MainMenu::PlayUiSound;
constexpr auto InTheWayLine = MainMenu::InTheWayLine;

// The keys that act only as themselves there, whatever game key a key file also puts on their
// codes: on the title those of the slots and the erase question, on the map Enter and Escape. The
// title does nothing with Left and Right, so a game key on either acts there as from any other key.
constexpr int titleKeys[] = {KeyIndex_Up, KeyIndex_Down, KeyIndex_Enter, KeyIndex_Escape, KeyIndex_Delete};
constexpr int mapKeys[] = {KeyIndex_Enter, KeyIndex_Escape};
// What answers the erase question, when let go.
constexpr int confirmKeys[2] = {KeyIndex_Enter, KeyIndex_GameAction};

// Why a damaged slot has no copy kept.
enum class NoCopy
{
    Unreadable, // no regular file the game can read
    TooLarge,   // past MapScreen::SlotCopyLimit
    NamesTaken, // something stands at every one of its copy names
    NotWritten, // the copy could not be written (a full disk)
};

// Reads what is left of the file into bytes, up to one byte past limit; false when it cannot be read.
bool ReadUpTo(std::FILE* file, std::size_t limit, std::string* bytes)
{
    bytes->clear();
    char buffer[65536];
    std::size_t got = 0;
    while (bytes->size() <= limit && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->append(buffer, std::min(got, limit + 1 - bytes->size()));
    return !std::ferror(file);
}

// A kept copy is a regular file of its own at its name: a link there (to the slot, say), a second
// name of another file, a folder or a FIFO is not one, and is never read as one.
bool IsKeptCopy(std::string const& name, std::string const& bytes)
{
    // Checked on the file opened, so that nothing put at the name between a look and the open is read.
    int const fd = open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat at = {};
    std::FILE* kept = fstat(fd, &at) == 0 && S_ISREG(at.st_mode) && at.st_nlink == 1 ? fdopen(fd, "rb") : nullptr;
    if (kept == nullptr)
    {
        close(fd);
        return false;
    }
    std::string held;
    bool const same = ReadUpTo(kept, bytes.size(), &held) && held == bytes;
    std::fclose(kept);
    return same;
}

// Copies a damaged slot aside, where no save replaces it, and gives the copy's name; empty when no
// copy could be made, and why. Each copy takes the first of the slot's copy names (DamagedCopy) that
// nothing stands at, so a kept copy is never replaced; a slot that a kept copy already holds byte
// for byte is not copied again, and that copy's name is given: the copy the title made serves every
// save after it, on a disk with no room for another. A copy is made whole under a scratch name and
// only then takes its own, so that one cut short (a full disk) takes no room and no later start
// counts it as kept. No well-formed slot comes near the size limit: what passes it (a sparse file of
// a terabyte, a link to a file of the system's that never ends) would fill the disk with copies.
// What cannot be removed at the scratch name of the copy (a folder) goes into inTheWay.
std::string CopyAside(char const* file, NoCopy* why, std::string* inTheWay)
{
    std::FILE* slot = HM_OpenFile(file, "rb", MapScreen::SlotCopyLimit);
    std::string bytes;
    bool const read = slot != nullptr && ReadUpTo(slot, MapScreen::SlotCopyLimit, &bytes);
    int const err = errno;
    if (slot != nullptr)
        std::fclose(slot);
    if ((!read && err == EFBIG) || bytes.size() > MapScreen::SlotCopyLimit)
    {
        std::fprintf(stderr, "cannot keep the damaged save slot %s: it is too large to copy\n", file);
        *why = NoCopy::TooLarge;
        return "";
    }
    if (!read)
    {
        std::fprintf(stderr, "cannot keep the damaged save slot %s: it cannot be read as a file\n", file);
        *why = NoCopy::Unreadable;
        return "";
    }
    std::string copy;
    for (int n = 0; n < MapScreen::DamagedCopies && copy.empty(); n++)
    {
        std::string const name = MapScreen::DamagedCopy(file, n);
        struct stat at = {};
        if (lstat(name.c_str(), &at) != 0 && errno == ENOENT)
            copy = name;
        else if (IsKeptCopy(name, bytes))
            return name;
    }
    if (copy.empty())
    {
        std::fprintf(stderr, "cannot keep the damaged save slot %s: every name for its copy is taken\n", file);
        *why = NoCopy::NamesTaken;
        return "";
    }
    if (!HM_WriteWhole(copy.c_str(), bytes.data(), bytes.size(), false, inTheWay))
    {
        std::fprintf(stderr, "cannot keep the damaged save slot %s: %s\n", file, std::strerror(errno));
        *why = NoCopy::NotWritten;
        return "";
    }
    return copy;
}

// A slot that was never written is a new game; its file appears at the first save. A damaged
// slot is copied aside first, as the next save into it replaces it with the record it reads as;
// copy gets the name of the copy that stands, empty when none could be made, and why then. Whatever
// is there but is no regular file the game can read (a folder, a FIFO, a device, one the player may
// not read) is a damaged slot whose copy cannot be made, not a reason for the game not to start.
GameEvents* ReadSlot(char const* file, std::string* copy, NoCopy* why)
{
    copy->clear();
    std::error_code ignored;
    if (!std::filesystem::exists(file, ignored))
        return new GameEvents();
    GameEvents* record = nullptr;
    try
    {
        record = new GameEvents(file);
    }
    catch (Error const&)
    {
        record = new GameEvents();
        record->damaged = true;
    }
    if (record->damaged)
        *copy = CopyAside(file, why, nullptr);
    return record;
}

// Whether a save may replace the slot's file: there is none yet, it holds a sound record, or a
// copy of the damaged one is kept; why not otherwise, and what stands in the copy's way. What cannot
// be read counts as damaged.
bool MayReplace(char const* file, NoCopy* why, std::string* inTheWay)
{
    std::error_code ignored;
    if (!std::filesystem::exists(file, ignored))
        return true;
    bool damaged = true;
    try
    {
        damaged = GameEvents(file).damaged;
    }
    catch (Error const&)
    {
    }
    return !damaged || !CopyAside(file, why, inTheWay).empty();
}

// Writes a slot, making the saves folder at the first save. A failed write leaves the old slot
// whole, or none where there was none, and is told to the player.
bool WriteSlot(GameEvents const* record, int slot)
{
    std::error_code ignored;
    std::filesystem::create_directories(savesFolder, ignored);
    bool const hadFile =
        std::filesystem::symlink_status(slotFiles[slot], ignored).type() != std::filesystem::file_type::not_found;
    std::string inTheWay;
    try
    {
        record->Save(slotFiles[slot], &inTheWay);
        return true;
    }
    catch (Error const&)
    {
        std::string const text =
            std::string("Your progress could not be saved.\n")
            + (hadFile ? "The saved game is as it was before." : "There is no saved game in this slot yet.")
            + InTheWayLine(inTheWay);
        MessageBox::Show(text.c_str(), "Error");
        return false;
    }
}

// The scale of a dot or marker popping up a steps ago: a wobble that settles on size.
double PopScale(double a, double size)
{
    double const swing = size - a / 100.0;
    if (swing < 0.0)
        return size;
    return size - std::cos(a / 4.0) * swing;
}

} // namespace

MapScreen::MapScreen(GameEvents* liveEvents, Level_Type type, Level_Action action) : events(liveEvents)
{
    pathToOpen = -1;
    OpenMap(type, action);
    // A missing picture or unreadable slot throws; what was loaded before is freed on the way out.
    try
    {
        Load(type);
    }
    catch (...)
    {
        Free();
        throw;
    }
    titleMode = type == Level_None;
    if (!titleMode)
    {
        // The progress is written every time the map opens after a level.
        Save(events);
    }
    else
    {
        titleY = 960.0;
        for (double& y : slotY)
            y = -480.0;
        slotsShown = 0;
        slotTimer = 0;
        selected = 0;
        chooseTimer = -1;
    }

    location = target = type - 1;
    if (location < 0)
        location = target = 0;
    progress = 0.0;
    facingRight = true;
    walkFrame = 0;
    walkTimer = 0;
    hudOffset = 0.0;
    eraseMode = false;
}

void MapScreen::Load(Level_Type type)
{
    font = new GameFont();
    map = new Image(mapFile, 0, false);
    marker = new Image(markerFile, Image_Mask, false);
    markerDone = new Image(markerDoneFile, Image_Mask, false);
    gem = new Image(gemFile, Image_Mask, false);
    heart = new Image(heartFile, Image_Mask, false);
    sword = new Image(swordFile, Image_Mask, false);
    erase = new Image(eraseFile, Image_Mask, false);
    yes = new Image(yesFile, Image_Mask, false);
    no = new Image(noFile, Image_Mask, false);
    for (int p = 0; p < Path_Count; p++)
    {
        Pointf cp[4];
        for (int i = 0; i < 4; i++)
            cp[i] = Pointf(Path_Points[p][i][0], Path_Points[p][i][1]);
        paths[p] = new Bezier(&cp[0], &cp[1], &cp[2], &cp[3]);
    }
    for (int i = 0; i < Player_Frames; i++)
    {
        char name[64];
        std::snprintf(name, sizeof name, "%s%.2d.png", walkBase, i);
        walk[i] = new Image(name, Image_Mask, false);
    }
    if (type == Level_None)
    {
        title = new Image(titleFile, 0, false);
        for (int i = 0; i < Total_Saves; i++)
        {
            NoCopy why = NoCopy::Unreadable;
            slots[i] = ReadSlot(slotFiles[i], &damagedCopy[i], &why);
            tooLarge[i] = slots[i]->damaged && damagedCopy[i].empty() && why == NoCopy::TooLarge;
        }
    }
}

MapScreen::~MapScreen()
{
    Free();
}

void MapScreen::Free()
{
    delete font;
    delete title;
    delete map;
    delete marker;
    delete markerDone;
    for (Image* frame : walk)
        delete frame;
    delete gem;
    delete heart;
    delete sword;
    delete erase;
    delete yes;
    delete no;
    for (GameEvents* slot : slots)
        delete slot;
    for (Bezier* path : paths)
        delete path;
}

char const* MapScreen::SlotFile(int slot)
{
    assert(slot >= 0 && slot < Total_Saves);
    return slotFiles[slot];
}

bool MapScreen::Save(GameEvents* record)
{
    if (saveSlot == -1)
        return true;
    // A damaged slot without its copy stays as it is. The title said so, and so does every save
    // it refuses, as a failed write does: the progress of the session is not kept anywhere.
    NoCopy why = NoCopy::Unreadable;
    std::string inTheWay;
    if (!MayReplace(slotFiles[saveSlot], &why, &inTheWay))
    {
        std::string const text =
            std::string(why == NoCopy::NamesTaken
                            ? "Your progress was not saved.\nThe slot holds a damaged file that could not be copied "
                              "aside, as every name for a copy of it is taken, so it is kept as it was."
                            : "Your progress was not saved.\nThe slot holds a damaged file that could not be copied "
                              "aside, so it is kept as it was.")
            + InTheWayLine(inTheWay);
        MessageBox::Show(text.c_str(), "Error");
        return false;
    }
    return WriteSlot(record, saveSlot);
}

std::string MapScreen::SlotNote(int slot) const
{
    assert(slot >= 0 && slot < Total_Saves && slots[slot]);
    if (!slots[slot]->damaged)
        return "";
    if (tooLarge[slot])
        return "Damaged file too large to keep a copy of: no game is saved here";
    if (damagedCopy[slot].empty())
        return "Damaged file could not be copied: no game is saved here";
    return "Damaged file kept as " + damagedCopy[slot];
}

std::string MapScreen::DamagedCopy(char const* slotFile, int n)
{
    assert(n >= 0);
    std::string name = std::string(slotFile) + ".damaged";
    if (n > 0)
        name += "." + std::to_string(n);
    return name;
}

bool MapScreen::CheckSave()
{
    // The slots go into the saves folder, or into the working directory where that folder
    // would be made at the first save.
    std::error_code ignored;
    std::string pattern = std::filesystem::is_directory(savesFolder, ignored) ? "saves/.check" : ".check";
    pattern += "XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        return false;
    bool const written = write(fd, "x", 1) == 1;
    close(fd);
    unlink(pattern.c_str());
    return written;
}

void MapScreen::OpenMap(Level_Type type, Level_Action action)
{
    openTimer = 0;
    int path = -1;
    if (type != Level_None && action == Level_Completed)
        path = WorldRow(type).completedPath;
    else if (type != Level_None && action == Level_Restart)
        path = WorldRow(type).restartPath;
    if (path < 0 || events->Happened(Path_FirstEvent + path, 0))
        return;
    // The paths are stored with the world's progress, before they are drawn: a player who quits
    // while they are drawn keeps them.
    pathsToDraw[0] = path;
    (*events)[Path_FirstEvent + path] = GameEvent_HasHappened;
    // The canyon's path leads on to Zodezo's castle.
    if (path == Path_ToCanyon && events->NotHappened(Path_FirstEvent + Path_ToCastle, 0))
    {
        pathsToDraw[1] = Path_ToCastle;
        (*events)[Path_FirstEvent + Path_ToCastle] = GameEvent_HasHappened;
    }
    pathToOpen = Path_Joins[path][1];
}

bool MapScreen::IsPathActive(GameEvents const* record, int p) const
{
    return record->Happened(Path_FirstEvent + p, 0);
}

bool MapScreen::IsLocationLive(GameEvents const* record, int loc) const
{
    auto closed = [record](int path) { return record->NotHappened(Path_FirstEvent + path, 0); };
    switch (loc)
    {
    case 0:
        return closed(0) || closed(5);
    case 1:
        return closed(1);
    case 2:
        return closed(2) || closed(4);
    case 3:
        return closed(3);
    case 6:
        return closed(6);
    case 7:
        return closed(7);
    default:
        return false;
    }
}

int MapScreen::FindLatestLocation(GameEvents const* record)
{
    static constexpr int order[][2] = {{12, 0}, {13, 1}, {14, 2}, {15, 3}, {17, 4}, {18, 6}, {19, 7}};
    for (auto const& step : order)
        if (record->NotHappened(step[0], 0))
            return step[1];
    return 8;
}

int MapScreen::FindPath(int a, int b) const
{
    for (int p = 0; p < Path_Count; p++)
        if ((Path_Joins[p][0] == a && Path_Joins[p][1] == b) || (Path_Joins[p][0] == b && Path_Joins[p][1] == a))
            return p;
    return -1;
}

Pointf MapScreen::PathPos(int from, int to, double t) const
{
    int const p = FindPath(from, to);
    assert(p >= 0 && "no path joins the locations");
    return paths[p]->Eval(Path_Joins[p][0] == from ? t : 1.0 - t);
}

double MapScreen::PathStep(int a, int b) const
{
    int const p = FindPath(a, b);
    assert(p >= 0 && "no path joins the locations");
    return 0.1 / Path_Dots[p];
}

void MapScreen::MapToScr(Pointf* p) const
{
    p->x *= 640.0;
    p->y *= 480.0;
}

Level_Type MapScreen::Poll(KeyData const* input)
{
    // A press, not a hold: Escape still held from a level's menu must not end the game.
    if (Pressed(input, KeyIndex_Escape))
        quit = true;
    KeyData const seen = ScreenKeysAlone(*input, titleMode ? std::span<int const>(titleKeys) : mapKeys);
    KeyData const* const keys = &seen;

    if (titleMode)
    {
        PollTitle(keys);
        return Level_None;
    }

    if (location == target)
    {
        // Enter too, as on the title: the act key comes from the key file, which may leave it on no
        // key at all, and a player must still be able to get into a world and its menu's options.
        if ((Held(keys, KeyIndex_GameAction) || Held(keys, KeyIndex_Enter)) && pathToOpen == -1)
            return static_cast<Level_Type>(location + 1);
        if (pathToOpen == -1)
        {
            static constexpr int keyOfJoin[4] = {KeyIndex_GamePrevTarget, KeyIndex_GameNextTarget, KeyIndex_GameLeft,
                                                 KeyIndex_GameRight};
            // Tested left, right, previous, next: a later key wins.
            static constexpr int order[4] = {2, 3, 0, 1};
            for (int join : order)
                if (Held(keys, keyOfJoin[join]))
                    target = Location_Joins[location][join];
        }
        if (target == -1)
        {
            target = location;
        }
        else if (target != location)
        {
            int const p = FindPath(location, target);
            if (p < 0 || !IsPathActive(events, p))
                target = location;
        }
    }

    if (location != target)
    {
        if (--walkTimer == -1)
        {
            walkTimer = 6;
            walkFrame = (walkFrame + 1) % Player_Frames;
        }
        progress += PathStep(location, target);
        if (progress > 1.0 || Util::Equal(progress, 1.0))
        {
            progress = 0.0;
            location = target;
            walkFrame = 0;
        }
    }

    if (pathToOpen != -1)
    {
        openTimer++;
        if (openTimer == Path_Dots[pathsToDraw[0]] * 20 + 100)
        {
            pathsToDraw[0] = pathsToDraw[1];
            pathsToDraw[1] = -1;
            if (pathsToDraw[0] != -1)
            {
                pathToOpen = Path_Joins[pathsToDraw[0]][1];
                openTimer = 0;
            }
            else
            {
                target = pathToOpen;
                pathToOpen = -1;
            }
        }
    }

    if (location == target)
        hudOffset += hudOffset / -4.0;
    else
        hudOffset += (-120.0 - hudOffset) / 4.0;
    return Level_None;
}

void MapScreen::PollTitle(KeyData const* keys)
{
    bool const up = Pressed(keys, KeyIndex_Up) || Pressed(keys, KeyIndex_GamePrevTarget);
    bool const down = Pressed(keys, KeyIndex_Down) || Pressed(keys, KeyIndex_GameNextTarget);
    bool const confirm = Released(keys, KeyIndex_Enter) || Released(keys, KeyIndex_GameAction);

    if (chooseTimer >= 0)
    {
        titleY += (960.0 - titleY) / 8.0;
        for (int i = 0; i < Total_Saves; i++)
            slotY[i] += ((i == selected ? 0.0 : -480.0) - slotY[i]) / 8.0;
        if (--chooseTimer == -1)
        {
            events->Copy(slots[selected]);
            saveSlot = selected;
            location = target = FindLatestLocation(events);
            titleMode = false;
        }
        return;
    }

    titleY += (470.0 - titleY) / 8.0;
    if (--slotTimer == -1)
    {
        if (slotsShown < Total_Saves)
            slotsShown++;
        slotTimer = 10;
    }
    for (int i = 0; i < slotsShown; i++)
        slotY[i] += (240.0 - 100.0 * i - slotY[i]) / 8.0;

    if (!eraseMode)
    {
        if (int const move = MainMenu::UpDown(keys))
        {
            PlaySound(Sound_UiMove);
            selected = (selected + Total_Saves + move) % Total_Saves;
        }
        if (confirm)
        {
            PlaySound(Sound_UiSelect2);
            chooseTimer = 50;
        }
        else if (Released(keys, KeyIndex_Delete))
        {
            PlaySound(Sound_UiSelect2);
            eraseMode = true;
            eraseChoice = 2;
            eraseWobble = 0.0;
            StaleConfirmKeys(keys);
        }
        return;
    }

    if (up || down)
    {
        PlaySound(Sound_UiMove);
        eraseChoice = 3 - eraseChoice;
        StaleConfirmKeys(keys);
    }
    // Only a press begun after the choice last moved answers: the press that moved it, or one
    // still down from before, would wipe a slot the player never saw "yes" under.
    bool answered = false;
    for (int i = 0; i < 2; i++)
    {
        answered = answered || (Released(keys, confirmKeys[i]) && !staleConfirm[i]);
        if (!Pressed(keys, confirmKeys[i]) && !Held(keys, confirmKeys[i]))
            staleConfirm[i] = false;
    }
    if (answered)
    {
        PlaySound(Sound_UiSelect2);
        if (eraseChoice == 1)
        {
            // A failed write leaves the file as it was, and the plate shows what the file holds.
            GameEvents const before = *slots[selected];
            slots[selected]->New();
            if (!WriteSlot(slots[selected], selected))
                *slots[selected] = before;
        }
        eraseMode = false;
    }
    eraseWobble += 0.16;
}

void MapScreen::StaleConfirmKeys(KeyData const* keys)
{
    for (int i = 0; i < 2; i++)
        staleConfirm[i] = keys->keys[confirmKeys[i]] != KeyState_Up;
}

void MapScreen::PlotMarker(Image const* img, Pointf pos, double scale)
{
    MapToScr(&pos);
    img->Render(pos, 0.0, scale, Image_Centre | Image_Middle, nullptr);
}

void MapScreen::Plot()
{
    // A software GL prepares its drawing of each picture the first time it meets it, tens of
    // milliseconds for some: the first frame pays for every picture, not the frame each first shows.
    if (!warmedUp)
    {
        warmedUp = true;
        Image::DrawEveryImage(Pointf(320.0, 240.0));
        glFinish();
        glClear(GL_COLOR_BUFFER_BIT);
    }
    backdrop.Render(map, Pointf(0.0, 0.0), 1.0, Image_Left | Image_Bottom);
    if (titleMode)
    {
        PlotMapScreen(slots[selected]);
        PlotTitle();
        return;
    }

    if (pathsToDraw[0] == -1)
    {
        PlotMapScreen(events);
    }
    else
    {
        // The paths still to be drawn show as closed until their dots have popped up.
        GameEvents shown;
        shown.Copy(events);
        for (int p : pathsToDraw)
            if (p != -1)
                shown[Path_FirstEvent + p] = GameEvent_HasntHappened;
        PlotMapScreen(&shown);
    }
    Pointf pos;
    if (location == target)
    {
        pos = Pointf(Location_Points[location][0], Location_Points[location][1]);
    }
    else
    {
        pos = PathPos(location, target, progress);
        Pointf const ahead = PathPos(location, target, progress + 0.01);
        facingRight = ahead.x - pos.x > Util::Eps;
    }
    MapToScr(&pos);
    Image_Render_Flags flags = Image_Centre | Image_Bottom;
    if (!facingRight)
        flags |= Image_MirrorX;
    walk[walkFrame]->Render(pos, 0.0, 0.5, flags, nullptr);
    RenderHUD(events, hudOffset, location, false, false);
}

void MapScreen::PlotMapScreen(GameEvents const* record)
{
    for (int i = 0; i < Location_Count; i++)
        if (i == 0 || IsPathActive(record, i - 1))
            PlotMarker(IsLocationLive(record, i) ? marker : markerDone,
                       Pointf(Location_Points[i][0], Location_Points[i][1]), 1.0);

    for (int p = 0; p < Path_Count; p++)
    {
        if (IsPathActive(record, p))
        {
            for (int k = 1; k < Path_Dots[p]; k++)
                PlotMarker(marker, paths[p]->Eval(static_cast<double>(k) / Path_Dots[p]), 0.5);
        }
        else if (p == 0 || p == 5 || IsPathActive(record, p - 1) || (p == 4 && IsPathActive(record, 1)))
        {
            // A closed path shows its first dot where the player can already reach it.
            PlotMarker(marker, paths[p]->Eval(1.0 / Path_Dots[p]), 0.5);
        }
    }

    if (pathToOpen != -1)
        RenderOpening();
}

void MapScreen::RenderOpening()
{
    int const p = pathsToDraw[0];
    int const n = Path_Dots[p];
    for (int k = 0; k + 1 < n; k++)
    {
        double const a = openTimer - 20.0 * k - 40.0;
        if (a >= 0.0)
            PlotMarker(marker, paths[p]->Eval(static_cast<double>(k + 1) / n), PopScale(a, 0.5));
    }
    double const a = openTimer - 20.0 * n - 20.0;
    if (a >= 0.0)
        PlotMarker(marker, Pointf(Location_Points[pathToOpen][0], Location_Points[pathToOpen][1]), PopScale(a, 1.0));
}

void MapScreen::RenderHUD(GameEvents const* record, double y, int loc, bool titleStyle, bool highlighted)
{
    double const left = Plate_XPad;
    double const right = 640.0 - Plate_XPad;
    if (highlighted)
        FlatBox::PlotBox(left, y, right, y + Plate_Height, 1.0f, 0.0f, 0.0f, 0.5f);
    else
        FlatBox::PlotBox(left, y, right, y + Plate_Height, 0.5f, 0.5f, 0.5f, 0.5f);

    double const textX = left + Plate_XBorder;
    double const top = y + Plate_Height - Plate_YBorder;
    if (titleStyle && record->IsNew())
    {
        Pointf const pos(textX, y + Plate_Height / 2.0);
        font->Render("New game", -1, Font_Left | Font_Middle, &pos, 1.0);
        return;
    }

    Pointf const namePos(textX, top);
    font->Render(Location_Names[loc], -1, Font_Left | Font_Top, &namePos, 0.75);
    double const gemTop = top - font->GetHeight();
    double x = textX;
    for (int i = 0; i < Location_GemCount[loc]; i++)
    {
        gem->Render(Pointf(x, gemTop), 0.0, 1.0, Image_Left | Image_Top, nullptr);
        double const w = gem->GetWidth();
        if (record->levelFlags[loc][i])
        {
            // A gem already taken is struck through.
            glDisable(GL_TEXTURE_2D);
            glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
            glLineWidth(3.0f);
            glBegin(GL_LINES);
            glVertex2d(x, gemTop);
            glVertex2d(x + w, gemTop - gem->GetHeight());
            glEnd();
            glLineWidth(1.0f);
        }
        x += w;
    }

    // Hearts, swords and held gems share the plate's height inside its borders, a third each,
    // the pictures scaled to fit: at their own size the gem row would hang below the plate.
    double const rowRight = right - Plate_XBorder;
    double const rowHeight = (Plate_Height - 2.0 * Plate_YBorder) / 3.0;
    double const heartScale = rowHeight / heart->GetHeight();
    x = rowRight;
    for (int i = 0; i < record->GetHeartCount(); i++)
    {
        heart->Render(Pointf(x, top), 0.0, heartScale, Image_Right | Image_Top, nullptr);
        x -= heart->GetWidth() * heartScale;
    }
    // Turned upright, the sword is as high as its picture is wide.
    double const swordScale = rowHeight / sword->GetWidth();
    double const swordY = top - rowHeight;
    x = rowRight;
    for (int i = 0; i < record->GetSwordStrength(); i++)
    {
        sword->Render(Pointf(x, swordY), -Util::QuarterTurn, swordScale, Image_Right | Image_Bottom, nullptr);
        x -= sword->GetHeight() * swordScale;
    }
    double const gemsY = swordY - rowHeight;
    double const gemScale = rowHeight / gem->GetHeight();
    x = rowRight;
    int const icons = std::min<int>(record->gems, MaxGemIcons);
    for (int i = 0; i < icons; i++)
    {
        gem->Render(Pointf(x, gemsY), 0.0, gemScale, Image_Right | Image_Top, nullptr);
        x -= gem->GetWidth() * gemScale;
    }
}

void MapScreen::PlotTitle()
{
    title->Render(Pointf(320.0, titleY), 0.0, 1.0, Image_Centre | Image_Top, nullptr);
    Pointf const prompt(320.0, titleY - 130.0);
    font->Render("Please select game file", -1, Font_Centre | Font_Middle, &prompt, 1.0);

    for (int i = 0; i < Total_Saves; i++)
    {
        RenderHUD(slots[i], slotY[i], FindLatestLocation(slots[i]), true, i == selected && chooseTimer == -1);
        std::string const note = SlotNote(i);
        if (!note.empty())
        {
            Pointf const pos(Plate_XPad + Plate_XBorder, slotY[i] + Plate_YBorder);
            font->Render(note.c_str(), -1, Font_Left | Font_Bottom, &pos, 0.5);
        }
    }

    if (!eraseMode)
        return;
    FlatBox::PlotPanel(213.0, 160.0, 427.0, 320.0);
    double const eraseH = erase->GetHeight();
    erase->Render(Pointf(320.0, 240.0 + eraseH), 0.0, 1.0, Image_Centre | Image_Middle, nullptr);
    yes->Render(Pointf(320.0, 240.0), 0.0, 1.0, Image_Centre | Image_Middle, nullptr);
    no->Render(Pointf(320.0, 240.0 - yes->GetHeight()), 0.0, 1.0, Image_Centre | Image_Middle, nullptr);
    double const arrowY = 240.0 + eraseH - eraseChoice * eraseH;
    double const bounce = Arrow_BounceDist * std::fabs(std::sin(eraseWobble));
    double const half = yes->GetWidth() / 2.0;
    MainMenu::PlotArrow(Pointf(320.0 - half - bounce, arrowY), -1.0);
    MainMenu::PlotArrow(Pointf(320.0 + half + bounce, arrowY), 1.0);
}

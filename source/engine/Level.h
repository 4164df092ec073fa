// The base of every world: the level clock, time travel, the order of one step and the drawing layers.
#pragma once

#include "engine/ChestPuzzle.h"
#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "util/BuildList.h"
#include "util/Tick.h"

#include <cstdint>
#include <memory>

class CanDoIndicator;
class Chest;
class GameEvents;
class GameFont;
class Game_Music;
class Game_Sounds;
class Map;
class MapMove;
class Message;
class ObjectList;
class Player;
class Textures;
class TimeFrames;

// The layers Plot draws; they are always drawn in the order listed whatever the order of the bits.
using Level_Plot_Flags = unsigned int;
constexpr Level_Plot_Flags Level_Plot_Back = 0x01;
constexpr Level_Plot_Flags Level_Plot_Fore = 0x02;
constexpr Level_Plot_Flags Level_Plot_Objects = 0x04;
constexpr Level_Plot_Flags Level_Plot_ObjectsFore = 0x08;
constexpr Level_Plot_Flags Level_Plot_Player = 0x10;
constexpr Level_Plot_Flags Level_Plot_Hud = 0x20;
constexpr Level_Plot_Flags Level_Plot_Panel = 0x40;
constexpr Level_Plot_Flags Level_Plot_Tint = 0x80;
constexpr Level_Plot_Flags Level_Plot_All = 0xFFFF;

constexpr std::int32_t MAX_TIME_CHANGE = 4096; // 16 ticks back per step; forward half of it
constexpr std::int32_t TIME_CHANGE_SPEED = 16; // net change of the speed per step while a key is held
constexpr std::int32_t TIME_CHANGE_DECEL = 32; // pull of the speed towards zero per step
constexpr Tick Level_TimeWarning = 118000;     // ticks; the ticking sound warns beyond
constexpr Tick Level_TotalTime = 120000;       // ticks (30 minutes); the player dies beyond
constexpr double SCREEN_WOBBLE = 6.0;
constexpr double Clock_Radius = 16.0;
constexpr double Clock_HandLength = 12.8;
constexpr double Clock_Tick1 = 11.2;
constexpr double Clock_Tick2 = 14.4;
constexpr double Level_FadeSpeed = 0.03; // the screen's usual fade per step

// The change of the screen's fade per step of the main loop, read by the shell. A world may slow
// the fade-out that follows its end; it puts Level_FadeSpeed back when it is destroyed.
extern double fadeSpeed;

// A world fills in its map, textures, player, moving-group driver, hint panel and music and
// places its objects; its Poll calls Level::Poll first and adds its own rules only when that
// returned 0. The clock counts steps in 24.8 fixed point and only moves forward outside time
// travel; while travelling, every object is asked for its state at the new tick and the player
// stands frozen.
class Level
{
public:
    explicit Level(GameEvents* events);
    virtual ~Level();
    Level(Level const&) = delete;
    Level& operator=(Level const&) = delete;

    virtual void SetProjection();
    virtual void Plot();
    virtual Level_Action Poll(KeyData keys);

    void Plot(Level_Plot_Flags flags);
    // Starts a frame drawn in depth order (Map::RenderOpaqueFirst): the map's opaque polygons
    // first, then what the world draws before the back layer (its backdrop) only where none of
    // them lies. A world that draws something before the back layer calls it first; Plot with
    // Level_Plot_Back calls it otherwise. Every pixel comes out as drawing in order leaves it.
    void PlotOpaqueFirst();
    // Whether frames are drawn in depth order where the GL allows (the default), or every layer
    // in order, for a comparison.
    void SetOpaqueFirst(bool on) { opaqueFirst = on; }
    // Draws every picture and every kind of shape that play draws, once, into the back buffer,
    // and clears it again: the GL prepares its drawing of each kind the first time it meets it,
    // and a software GL takes tens of milliseconds over that. The first SetProjection calls it,
    // so the level pays when it loads rather than in a frame of play.
    void WarmUp();
    void RenderClocks();
    void RenderClock(Tick t, int x, int y);

    Tick GetTick() const { return time >> 8; }
    std::int32_t GetTime() const { return time; }
    std::int32_t GetRealSteps() const { return realSteps; }
    std::int32_t GetTimeSpeed() const { return timeSpeed; }
    bool IsTimeTravelling() const { return timeTravelling; }
    ChestPuzzle const* GetChestPuzzle() const { return chestPuzzle.get(); }

    // The travel speed after one step from speed: pulled towards zero, then pushed by the
    // held key, back winning over forward, within -MAX_TIME_CHANGE and MAX_TIME_CHANGE / 2.
    static std::int32_t EaseTimeSpeed(std::int32_t speed, bool back, bool forward);

protected:
    // True when time travel was learnt before the level or stamped at its start.
    bool TimeTravelLearnt() const;
    // The kind of puzzle that locks this world's chests; without one a chest never opens.
    void SetChestPuzzleMaker(ChestPuzzleMaker maker) { makeChestPuzzle = std::move(maker); }

    // What the level and then its world build, undone in reverse when the level goes (also
    // when a world's constructor throws part-way). The pointers below marked owned or the
    // world's are on it.
    BuildList built;

    GameEvents* gameEvents = nullptr; // not owned
    Player* player = nullptr;         // the world's
    ObjectList* objects = nullptr;    // owned; refers to the world's objects
    Map* map = nullptr;               // the world's
    MapMove* mapMove = nullptr;       // the world's; null without moving groups
    Textures* textures = nullptr;     // the world's
    TimeFrames* timeFrames = nullptr; // owned
    GameFont* font = nullptr;         // owned
    CanDoIndicator* canDo = nullptr;  // the world's; null without a hint panel
    Message* message = nullptr;       // owned
    Chest* openingChest = nullptr;    // the chest whose puzzle is open
    std::unique_ptr<ChestPuzzle> chestPuzzle;
    ChestPuzzleMaker makeChestPuzzle;
    Game_Music* music = nullptr;   // the world's; null without music
    Game_Sounds* sounds = nullptr; // the program's table; not owned
    std::int32_t time = 0;         // 24.8 fixed point: tick = time >> 8
    std::int32_t realSteps = 0;    // steps played outside time travel
    bool timeTravelling = false;
    std::int32_t timeSpeed = 0; // 24.8 per step; -256 is one tick back per step
    double wobblePhase = 0.0;   // radians
    bool timeTravelAllowed = true;
    bool warmedUp = false; // WarmUp has run
    bool opaqueFirst = true;         // frames are drawn in depth order where the GL allows
    bool opaqueFirstPlotted = false; // PlotOpaqueFirst began the frame being drawn

private:
    void RenderTint();
    void StartTimeTravel(KeyData const& keys, int dead);
    void TimeTravelStep(KeyData const& keys);
    void WorldUpdate();
};

// The hero driven by the game keys: movement, camera, health, actions and conversations.
#pragma once

#include "engine/Character.h"
#include "engine/MapBase.h"
#include "engine/Player_Sprites.h"
#include "media/Game_Sounds.h"
#include "util/PtrList.h"
#include "util/Tick.h"

#include <cstdint>
#include <string>

class Axes;
class Chest;
class Collectable;
class Dude;
class GameEvents;
class HangOn;
class Image;
class LevelEvents;
class Map;
class ObjectList;
class PickUp;
class SpeechBubble;
class Target;
struct Event_ChatInfo;

// Bits of the world's camera flags: a coordinate whose bit is set keeps following the
// player; bits 2 and 4 also raise the camera centre by 120 / zoom.
using Player_Camera_Flags = unsigned int;
constexpr Player_Camera_Flags Player_Camera_FollowX = 1;
constexpr Player_Camera_Flags Player_Camera_FollowY = 2;

constexpr double Player_FrameRate = 30.0;
constexpr double NEAR_SCALE = 1.6;
constexpr double FAR_SCALE = 0.9;
constexpr double CHAT_SCALE = 2.85;
constexpr double TELEPORT_SCALE = 50.0;
constexpr double SPEED_SCALE_CHANGE = 5.0;
constexpr double MAX_ESCAPE = 5.0;

// Map groups the player may pass through while holding an item of two colours.
constexpr unsigned int Red_Group = 18;
constexpr unsigned int Blue_Group = 19;
constexpr unsigned int Green_Group = 20;
constexpr unsigned int Yellow_Group = 21;
constexpr unsigned int White_Group = 22;

constexpr int ChatLen = 250;           // steps one of the hero's own lines lasts
constexpr int Player_HitGrace = 200;   // steps of invulnerability after a survived hit
constexpr int Player_DyingSteps = 101; // steps from a fatal hit to the end of the level
constexpr int Player_HangAgainDelay = 10;
constexpr int Player_SkipLimit = 10000; // conversation steps one skip may run before giving up

// The player is a character that the level fills with input each step. Around the
// walking physics it grows and shrinks, hangs on things, carries one item, takes
// hits and dies, teleports, talks to villagers and throws axes at targets, and it
// drives the camera, which follows, leads, zooms with speed and obeys the world.
class Player : public Character, public Player_Sprites
{
public:
    using Player_Sprites::Render;

    Player(Map* map, ObjectList* objects, GameEvents* events, Game_Sounds* sounds, Pointf const* start,
           double startScale);
    ~Player() override;

    Player(Player const&) = delete;
    Player& operator=(Player const&) = delete;

    void SetUpStats();
    void Move(Tick time); // time is the level clock in 24.8 fixed point
    void Render(Map const* map, Tick time);
    void RenderHUD(Map const* map, Tick time);
    // The top left corner of the index-th gem icon of the HUD, icons of the given size drawn in
    // rows from top, left to right, as many to a row as fit the screen's width.
    static Pointf GemIconCorner(int index, double iconWidth, double iconHeight, double top);
    void TimeTravel(Tick t);

    void SetScale(double newScale);
    void CanDoubleJump();
    void TotalHPUp();
    void GiveEnergy(int energy);
    void GetHitPoints(int* current, int* maximum) const;
    int IsPlayerDead() const; // 0 alive, 1 dying, 2 dead, 3 a ghost that cannot die
    bool CanDie() const;
    void Die();
    void Pose(bool left);
    void ForceAction(std::uint32_t keyMove);

    void SetCameraPos(Pointf const* point, CameraMove move, Player_Camera_Flags flags);
    void SetCameraScale(double zoom, CameraMove move);
    void FixCamera();
    void SetCameraPos(bool jump);

    void GroupMoving(unsigned int group, double dx, double dy);
    void GroupRotating(unsigned int group, Pointf const* centre, double turn);
    void SquishHeadMove(Map const* onMap);

    void MoveAttack(Tick t);
    void Fire(Map const* onMap, Tick t);
    void MoveHolding(Tick t);
    void PickItUp(Tick t, PickUp* pickUp);
    void GetSafeGroups(unsigned int& a, unsigned int& b) const;
    void InfluenceObjects(Tick time, ObjectList* list);
    Chest* OpeningChest();
    Collectable* GetHeldObject() const { return held; }
    void ClearTargets();
    // The targets in sight while the player aims; null while he does not.
    PtrList<Target> const* GetTargets() const { return targets; }

    void StartChat(Dude* dude);
    void Think(char const* text);
    void Chatting(int tick, Event_ChatInfo* info) const;
    bool CheckChatting(Tick t);
    int SkipChat(Tick t);

    LevelEvents* levelEvents;
    bool scripted; // the world drives the player with forcedKeys; no time travel
    bool hidden;
    bool travelling;   // frozen for time travel until the next Move
    bool colourGroups; // coloured items let the player through their colours' groups
    bool forceDeath;   // dies even with the socks

private:
    // Lifts the feet out of a solid left around them by a time travel. Nothing is held then:
    // the travel let go of it.
    void LeaveSolid();
    void DrawBody(Map const* onMap) const;
    void EndChat();
    void Play(Sound_Id sound) const;
    // Frees what the player owns; the destructor's work, also done when construction fails.
    void FreeParts();

    Game_Sounds* sounds;
    Image* heartFull;
    Image* heartEmpty;
    Image* gem;
    Map* map;
    ObjectList* objects;
    GameEvents* gameEvents;
    Axes* axes;
    PtrList<Target>* targets;
    Target* target;
    int hitPoints;
    int dyingCount;
    int invulnerable;
    int farView;
    double targetScale;
    Player_Camera_Flags cameraFlags;
    CameraMove cameraPosMove;
    Pointf cameraPos;
    CameraMove cameraScaleMove;
    double cameraScale;
    Collectable* held;
    Chest* openingChest;
    int chatMode;    // 0 none, 1 with chatDude, 2 the hero's own line
    int chatRefusal; // which own line: the three refusals, or 3 the thought
    Dude* chatDude;
    int chatTick;
    SpeechBubble* bubble;
    std::string thought;
    bool teleporting;
    std::uint32_t teleportTo;
    std::uint32_t forcedKeys;
    HangOn* hangOn;
    HangOn* lastHangOn;
    int hangDelay;
    bool grantedAirJump; // double jump given during the level, kept when the stats are rebuilt
    int grantedHearts;   // hearts added during the level, kept likewise
};

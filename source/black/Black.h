// Black: the Black mountains, from the warning signs past the ogre's pass and down to the far end.
#pragma once

#include "black/Black_Ids.h"
#include "media/Backdrop.h"
#include "puzzles/World_Base.h"

class Black_CanDo;
class Black_MapMove;
class Black_Ogre;
class Black_PushRock;
class Black_Rock;
class Door;
class Goblin;
class GoblinDefend;
class Image;
class Imp;
class KillZone;
class Mozzy;
class PickUp;
class Shmoo;
class Sign;
class Spider;
class SplitShmoo;
class Vulture;
class Wasp;
class WavyBlob;

constexpr double Black_StripX0 = 14134.0;  // a dead but walking player crossing this strip is told
constexpr double Black_StripX1 = 14150.0;  // that he cannot go on
constexpr double Black_EndZoneX = 44720.0; // beyond it the view holds the end of the road
constexpr double Black_ExitX = 45050.0;    // beyond it a living player has crossed the mountains

// A long way past signs that warn of falling rocks, an ogre, a goblin den and a dragon: lifts that
// run round a looping track under the road, platforms that bob and swing over lava, streams of
// rolling rocks, doors that open once the creatures guarding them are dead, and an ogre that
// weapons cannot hurt, killed only by the boulder the player pushes off the ledge above its pass.
// The barrier beside the ogre lets by nobody while it lives, except a player dead but walking
// (beaten while he cannot die); such a player is stopped further on by a wall only the living pass,
// and told to win his health back, which the boulder does by killing the ogre before its blows.
// The world owns every object it places and frees them itself, in a fixed order, before the kinds'
// shared pictures.
class Black final : public World_Base
{
public:
    explicit Black(GameEvents* events);
    ~Black() override;

    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    Black_MapMove* GetDriver() const { return driver; }
    Black_Ogre* GetOgre() const { return ogre; }
    Black_PushRock* GetPushRock() const { return pushRock; }
    Black_Rock* GetRock(int i) const { return rocks[i]; }
    Door* GetDoor(int i) const { return doors[i]; }
    GoblinDefend* GetGoblinDefend(int i) const { return goblinDefenders[i]; }
    WavyBlob* GetWavyBlob(int i) const { return wavyBlobs[i]; }
    SplitShmoo* GetSplitShmoo(int i) const { return splitShmoos[i]; }
    PickUp* GetHeart(int i) const { return pickUps[i]; }
    bool OgreHintShown() const { return ogreHintShown; }
    bool DeadHintShown() const { return deadHintShown; }

private:
    void BuildCreatures();
    void BuildLater();
    // Frees every object made so far in the fixed order, then the kinds readied.
    void FreeObjects();

    // The kinds whose shared pictures are readied, in the order they are freed.
    enum Kind
    {
        Kind_PickUp,
        Kind_ShmooInst,
        Kind_Shmoo,
        Kind_Wasp,
        Kind_WavyBlob,
        Kind_Imp,
        Kind_GoblinDefend,
        Kind_Goblin,
        Kind_Mozzy,
        Kind_PushRock,
        Kind_Rock,
        Kind_Sign,
        Kind_Spider,
        Kind_Vulture,
        Kind_Count,
    };
    void Ready(Kind kind);

    // On the level's build list.
    Image* background = nullptr;
    Backdrop backdrop; // draws background, and keeps the screen it made while the view stands
    Black_MapMove* driver = nullptr; // the level's mapMove
    Black_CanDo* hints = nullptr;    // the level's canDo
    // The world's own, freed by FreeObjects.
    Shmoo* shmoos[Black_Shmoo_Count] = {};
    SplitShmoo* splitShmoos[Black_SplitShmoo_Count] = {};
    Vulture* vultures[Black_Vulture_Count] = {};
    PickUp* pickUps[Black_PickUp_Count] = {};
    Spider* spiders[Black_Spider_Count] = {};
    Sign* signs[Black_Sign_Count] = {};
    Black_Rock* rocks[Black_Rock_Count] = {};
    Black_PushRock* pushRock = nullptr;
    Black_Ogre* ogre = nullptr;
    Mozzy* mozzies[Black_Mozzy_Count] = {};
    Goblin* goblins[Black_Goblin_Count] = {};
    GoblinDefend* goblinDefenders[Black_GoblinDefend_Count] = {};
    KillZone* killZones[Black_KillZone_Count] = {};
    Imp* imps[Black_Imp_Count] = {};
    WavyBlob* wavyBlobs[Black_WavyBlob_Count] = {};
    Wasp* wasps[Black_Wasp_Count] = {};
    Door* doors[Black_Door_Count] = {};
    bool ready[Kind_Count] = {};
    // Each shown once in the level, whatever the clock does.
    bool ogreHintShown = false; // weapons do nothing to the ogre
    bool deadHintShown = false; // a dead but walking player cannot go on
};

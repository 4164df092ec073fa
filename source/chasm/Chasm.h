// Chasm: the canyon of floating flowers and fireballs, crossed down to its exit far below.
#pragma once

#include "chasm/Chasm_Ids.h"
#include "media/Backdrop.h"
#include "puzzles/World_Base.h"
#include "util/Pointf.h"

class Bat;
class Bat_Group;
class Bat_Path;
class Chasm_FireBall;
class Chasm_HangOn;
class Chest;
class Collectable;
class Image;
class Jet;
class KillZone;
class PickUp;
class Shmoo;
class Sign;
class Spider;
class Vine;
class Vulture;
class Wasp;
class Zoveduv;

constexpr double Chasm_FreezeSpeed = 24.0; // a fall faster than this freezes the picture
constexpr int Chasm_Countdown = 50;        // steps from the freeze to the level's end
constexpr int Chasm_CountdownCheck = 20;   // the count at which a player still in the picture is let off
constexpr double Chasm_ZoneScale = 0.8;
// The camera's centre in the deep zone; the view, 800 wide at its scale, ends at the exit line on
// its right.
Pointf const Chasm_ZoneView(5300.0, -6850.0);

// The player climbs down the canyon from ledge to ledge, crosses it hanging from floating flowers,
// and leaves at its bottom right. A fall that gets too fast freezes the picture: a player who has
// dropped out of it 30 steps later fails the level 20 steps after that, one still in it gets the
// camera back. Deep down in the lower right the camera holds a fixed wide view. The background
// moves up and down with the camera at a fraction of its speed and never sideways. A gem taken on
// an earlier visit leaves its chest unbuilt.
class Chasm final : public World_Base
{
public:
    // Throws Error_OpenFile naming a file that can't be opened; an error part-way frees whatever
    // was built and finalises each kind initialised.
    explicit Chasm(GameEvents* events);

    using Level::Plot;
    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    // Where the background's lower left corner is drawn on the screen with the view centred on
    // centre.
    static Pointf BackgroundPos(Pointf centre);

    int GetFallCountdown() const { return fallCountdown; }
    bool HasMusic() const { return music != nullptr; }
    Collectable* GetFan() const { return chasmObjects[0]; }
    Chasm_HangOn* GetHangOn(int i) const { return hangOns[i]; }
    Chasm_FireBall* GetFireBall(int i) const { return fireBalls[i]; }
    Vine* GetVine(int i) const { return vines[i]; }
    Vulture* GetVulture(int i) const { return vultures[i]; }
    Jet* GetJet(int i) const { return jets[i]; }
    KillZone* GetKillZone(int i) const { return killZones[i]; }
    PickUp* GetPickUp(int i) const { return pickUps[i]; }
    Chest* GetChest(int i) const { return chests[i]; } // null where the gem was taken before
    Spider* GetSpider(int i) const { return spiders[i]; }
    Wasp* GetWasp(int i) const { return wasps[i]; }
    Zoveduv* GetGrethyn(int i) const { return grethyns[i]; }
    Bat_Path* GetBatPath(int i) const { return batPaths[i]; }
    Bat* GetBat(int i) const { return bats[i]; }
    Bat_Group* GetBatGroup(int i) const { return batGroups[i]; }
    Sign* GetSign(int i) const { return signs[i]; }
    Shmoo* GetShmoo(int i) const { return shmoos[i]; }

private:
    void BuildFlyers();
    void BuildHazards();
    void BuildPickUps();
    void BuildCrawlers();
    void BuildBats();

    // All of these are on the level's build list; empty slots hold null.
    Image* background = nullptr;
    Backdrop backdrop; // draws background, and keeps the screen it made while the view stands
    Image* fanImages[3] = {};
    Collectable* chasmObjects[Chasm_Object_Count] = {};
    Chasm_HangOn* hangOns[Chasm_Hangon_Count] = {};
    Shmoo* shmoos[Chasm_Shmoo_Count] = {};
    Vulture* vultures[Chasm_Vulture_Count] = {};
    Jet* jets[Chasm_Jet_Count] = {};
    KillZone* killZones[Chasm_KillZone_Count] = {};
    PickUp* pickUps[Chasm_PickUp_Count] = {};
    Chasm_FireBall* fireBalls[Chasm_FireBall_Count] = {};
    Spider* spiders[Chasm_Spider_Count] = {};
    Wasp* wasps[Chasm_Wasp_Count] = {};
    Zoveduv* grethyns[Chasm_Grethyn_Count] = {};
    Vine* vines[Chasm_Vine_Count] = {};
    Bat_Path* batPaths[Chasm_Bat_Path_Count] = {};
    Bat* bats[Chasm_Bat_Count] = {};
    Bat_Group* batGroups[Chasm_Bat_Group_Count] = {};
    Chest* chests[Chasm_Chest_Count] = {};
    Sign* signs[Chasm_Sign_Count] = {};
    int fallCountdown = 0; // steps left before a frozen fall ends the level; 0 when none runs
};

// Plato: the plateau world, from the hermit's hut across the mine to the exit.
#pragma once

#include "media/Backdrop.h"
#include "plateau/Plato_Ids.h"
#include "puzzles/World_Base.h"

class Cactus;
class Chest;
class Goblin;
class Image;
class PickUp;
class Plato_Aerial;
class Plato_CaveTurtle;
class Plato_Dude;
class Plato_Events;
class Plato_Hermit;
class Plato_MapMove;
class Plato_MineCart;
class Plato_Mortar;
class Rat;
class Shmoo;
class Spider;
class TumbleWeed;
class Vulture;
class Zoveduv;

constexpr int Plato_Goblin_Count = 10;
constexpr int Plato_Rat_Count = 8;
constexpr int Plato_Vulture_Count = 20;
constexpr int Plato_TumbleWeed_Count = 3;
constexpr int Plato_Cactus_Count = 4;
constexpr int Plato_Grethyn_Count = 57;
constexpr int Plato_CaveTurtle_Count = 4;
constexpr int Plato_Spider_Count = 48;
constexpr int Plato_Shmoo_Count = 82;
constexpr int Plato_PickUp_Count = 2;
constexpr double Plato_CameraZoneX = 27700.0; // beyond it the view holds the mine's end
constexpr double Plato_ExitX = 28300.0;

// The long crossing of the plateau: the hermit and his aerial, the miners with their lift and
// carts, cave turtles, the mortar that blasts the rocks off the road and over two hundred
// creatures. Past the mine the camera stops following and holds the mine's end; walking on past
// it completes the level. A gem taken on an earlier visit leaves its chest unbuilt; boots earned
// on an earlier visit leave the aerial tuned.
class Plato final : public World_Base
{
public:
    explicit Plato(GameEvents* events);

    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    Plato_Events* GetEvents() const { return events; }
    Plato_MapMove* GetMapMove() const { return driver; }
    Goblin* GetGoblin(int i) const { return goblins[i]; }
    Rat* GetRat(int i) const { return rats[i]; }
    Vulture* GetVulture(int i) const { return vultures[i]; }
    TumbleWeed* GetTumbleWeed(int i) const { return tumbleweeds[i]; }
    Cactus* GetCactus(int i) const { return cacti[i]; }
    Zoveduv* GetGrethyn(int i) const { return grethyns[i]; }
    Plato_CaveTurtle* GetCaveTurtle(int i) const { return caveTurtles[i]; }
    Spider* GetSpider(int i) const { return spiders[i]; }
    Shmoo* GetShmoo(int i) const { return shmoos[i]; }
    PickUp* GetGem(int i) const { return gems[i]; }
    Chest* GetChest(int i) const { return chests[i]; } // null where the gem was taken before
    Plato_Hermit* GetHermit() const { return hermit; }
    Plato_Dude* GetMiner(int i) const { return miners[i]; }
    Plato_MineCart* GetMineCart() const { return mineCart; }
    Plato_Aerial* GetAerial() const { return aerial; }
    Plato_Mortar* GetMortar() const { return mortar; }

private:
    void BuildCreatures();
    void BuildMine();

    // All of these are on the level's build list.
    Image* background = nullptr;
    Backdrop backdrop; // draws background, and keeps the screen it made while the view stands
    Plato_Events* events = nullptr;
    Plato_MapMove* driver = nullptr; // the level's mapMove
    Goblin* goblins[Plato_Goblin_Count] = {};
    Rat* rats[Plato_Rat_Count] = {};
    Vulture* vultures[Plato_Vulture_Count] = {};
    TumbleWeed* tumbleweeds[Plato_TumbleWeed_Count] = {};
    Cactus* cacti[Plato_Cactus_Count] = {};
    Zoveduv* grethyns[Plato_Grethyn_Count] = {};
    Plato_CaveTurtle* caveTurtles[Plato_CaveTurtle_Count] = {};
    Spider* spiders[Plato_Spider_Count] = {};
    Shmoo* shmoos[Plato_Shmoo_Count] = {};
    PickUp* gems[Plato_PickUp_Count] = {};
    Chest* chests[Plato_Chest_Count] = {};
    Plato_Hermit* hermit = nullptr;
    Plato_Dude* miners[Plato_Miner_Count] = {};
    Plato_MineCart* mineCart = nullptr;
    Plato_Aerial* aerial = nullptr;
    Plato_Mortar* mortar = nullptr;
};

// World_Base: what every world does alike: its map and player, gems and chests, music, and access for tests.
#pragma once

#include "engine/Level.h"
#include "engine/Object.h"
#include "engine/ObjectList.h"
#include "util/Pointf.h"

#include <cstdint>

class Chest;
class MapBase;
class PickUp;
class Textures;

// The base of every world (it lives with the grid puzzle, which locks every world's chests, so
// that it can open that puzzle itself). A world's constructor, in this order:
//
//     LoadMap("killig/imagemap", "killig/map");   // Error_OpenFile naming a missing file
//     PlacePlayer(Killig_Rp_Start);
//     ... its objects, each on `built` ...
//     PickUp* gem = AddGem(map->GetRefPoint(Killig_Rp_Chest), 0, true);
//     AddChest(gem, Killig_ChestPuzzle);         // null when the gem was taken before
//     map->PreprocessCollision();
//     PlayMusic("music/killig.mp3");             // silent without the file
//
// Everything the helpers build goes on the level's build list, so a throw part-way frees it all.
// The world's gems take the row gemRow of the progress record's level flags, one column (slot)
// each: once a gem is taken it stays taken on every later visit.
class World_Base : public Level
{
public:
    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    ObjectList* GetObjects() const { return objects; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }
    MapMove* GetMapMove() const { return mapMove; }
    Message* GetMessage() const { return message; }
    int GetGemRow() const { return gemRow; }

    // Puts both clocks where a test wants them, such as next to the time limit.
    void SetClock(std::int32_t levelTime, std::int32_t steps)
    {
        time = levelTime;
        realSteps = steps;
    }

protected:
    World_Base(GameEvents* events, int gemRow);

    // Loads the world's texture list and its map; a file that can't be opened throws
    // Error_OpenFile naming it.
    void LoadMap(char const* imageMap, char const* mapFile);
    // A second map drawn with the same textures (scenery behind the level); it is not collided
    // with. Throws like LoadMap.
    MapBase* LoadSceneryMap(char const* file);
    // Builds the player standing at the map's reference point rp.
    Player* PlacePlayer(unsigned int rp);

    // A gem of this world in column slot of its row, hidden until found when it lies in a chest
    // (or waits for a puzzle). It joins the objects, except a gem in the open that was taken on
    // an earlier visit.
    PickUp* AddGem(Pointf at, int slot, bool hidden);
    // The chest over gem, opened by grid puzzle number puzzle; it joins the objects. Null, and
    // nothing built, when the gem was taken on an earlier visit.
    Chest* AddChest(PickUp* gem, int puzzle);
    // Readies the grid puzzle for the world's chests (AddChest does it); a world that opens a grid
    // puzzle of its own calls it even when no chest is built.
    void UseGridPuzzle();

    // A creature the player fights: it joins the objects, the enemies and the targets.
    template <class T>
    void AddFoe(T* creature)
    {
        objects->AddObject(static_cast<Object*>(creature));
        objects->AddEnemy(creature);
        objects->AddTarget(creature);
    }

    // Plays the world's music. Without its file the world plays silent and says so once on
    // stderr; any other failure is passed on.
    void PlayMusic(char const* file);

private:
    int gemRow;               // of the progress record's level flags
    bool gemsReady = false;   // the gem's pictures are loaded
    bool chestsReady = false; // the chest's pictures are loaded
    bool puzzleReady = false; // the grid puzzle is readied and opens the chests
};

// World_Base: the shared building steps of the worlds.
#include "puzzles/World_Base.h"

#include "engine/Chest.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/MapBase.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "media/Game_Music.h"
#include "media/Textures.h"
#include "puzzles/Grid_Puzzle.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <cstdio>

namespace
{

MapBase* OpenMap(Textures const* textures, char const* name, bool full)
{
    std::FILE* file = HM_OpenFile(name, "rb", DataFile_MapLimit);
    if (file == nullptr)
        throw Error(Error_OpenFile, name);
    struct Closer
    {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{file};
    if (full)
        return new Map(textures, file, name);
    return new MapBase(textures, file, name);
}

} // namespace

World_Base::World_Base(GameEvents* events, int row) : Level(events), gemRow(row)
{
}

void World_Base::LoadMap(char const* imageMap, char const* mapFile)
{
    textures = built.Own(new Textures(imageMap));
    map = built.Own(static_cast<Map*>(OpenMap(textures, mapFile, true)));
}

MapBase* World_Base::LoadSceneryMap(char const* file)
{
    return built.Own(OpenMap(textures, file, false));
}

Player* World_Base::PlacePlayer(unsigned int rp)
{
    Pointf const start = map->GetRefPoint(rp);
    player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
    return player;
}

PickUp* World_Base::AddGem(Pointf at, int slot, bool hidden)
{
    if (!gemsReady)
    {
        built.Initialise([] { PickUp::Initialise(PickUp_Gem); }, &PickUp::Finalise);
        gemsReady = true;
    }
    PickUp* gem = built.Own(new PickUp(at, PickUp_Gem, hidden, 1.0));
    gem->level = gemRow;
    gem->slot = slot;
    // A hidden gem whose chest is not built is never found again; one in the open would be.
    if (hidden || gameEvents->levelFlags[gemRow][slot] == 0)
        objects->AddObject(gem);
    return gem;
}

Chest* World_Base::AddChest(PickUp* gem, int puzzle)
{
    if (!chestsReady)
    {
        built.Initialise(&Chest::Initialise, &Chest::Finalise);
        chestsReady = true;
    }
    Chest* chest = nullptr;
    if (gameEvents->levelFlags[gemRow][gem->slot] == 0)
    {
        chest = built.Own(new Chest(gem->GetPos(), puzzle, gem, 1.0));
        objects->AddObject(chest);
    }
    UseGridPuzzle();
    return chest;
}

void World_Base::UseGridPuzzle()
{
    if (puzzleReady)
        return;
    built.Initialise(&Grid_Puzzle::Initialise, &Grid_Puzzle::Finalise);
    SetChestPuzzleMaker(Grid_Puzzle::Maker());
    puzzleReady = true;
}

void World_Base::PlayMusic(char const* file)
{
    try
    {
        music = built.Own(new Game_Music(file));
    }
    catch (Error const& err)
    {
        if (err.Code() != Error_OpenFile)
            throw;
        std::fprintf(stderr, "no music file %s: the level plays silent\n", file);
    }
}

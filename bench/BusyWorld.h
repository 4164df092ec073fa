// The engine test world made busy for the benchmarks: many walkers, a plate pressed over and
// over, a carried item and repeated time travel leaving past selves behind.
#pragma once

#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "support/KeyScript.h"
#include "util/Pointf.h"
#include "util/Tick.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

class Test_World;
class Test_Walker;

// Owns a generated data folder (the working directory while it lives), the window, the sound
// table and the world. Step follows a fixed script: take the item and press the plate with it
// in hand every 100 steps for the rest of the level, travelling back TravelBack ticks every
// TravelEvery ticks from FirstTravel on and fetching the item again after each travel. A caller
// that times travel drives it with StepWith and EndTravel.
class BusyWorld final
{
public:
    static constexpr int Walkers = 20;
    static constexpr Tick FirstTravel = 2500;
    static constexpr Tick TravelEvery = 5000;
    static constexpr Tick TravelBack = 1500;

    // With bobbingPlate the player, once on the plate, stays there for good, over its edge where
    // it bobs up and down every tick.
    explicit BusyWorld(bool bobbingPlate = false);
    ~BusyWorld();
    BusyWorld(BusyWorld const&) = delete;
    BusyWorld& operator=(BusyWorld const&) = delete;

    Test_World& World() { return *world; }
    Tick Now() const;
    // How long writing its data folder took, in milliseconds.
    double DataMs() const { return folder.GenerateMs(); }

    // One scripted step of play (or of the script's own travel).
    void Step();
    // Plays until the level clock reaches t.
    void PlayTo(Tick t);
    // One step with exactly these game keys held (pressed when they were up before).
    void StepWith(std::vector<int> const& held);
    // Ends a travel: jump, then the script's steps go on from the tick reached.
    void EndTravel();
    // Draws one frame and waits for the GL to finish it.
    void Draw();

    // Heap bytes in use now.
    static std::size_t HeapInUse();
    // Heap bytes in use once the world was built, before any step.
    std::size_t HeapAtStart() const { return heapAtStart; }

private:
    std::vector<int> ScriptKeys();
    void AddWalkers();

    WorldRun_Data folder; // first made, last gone
    GameEvents events;
    std::unique_ptr<Test_World> world;
    std::vector<Test_Walker*> walkers; // the ones added to the test world's own
    bool stays = false;                // the player stays on the plate
    Pointf abovePlate;                 // where the script puts the player to land on the plate
    KeyScript keyScript;               // the keys of scripted play
    std::size_t heapAtStart = 0;
    int stage = 0;      // of the script
    int inStage = 0;    // steps spent in the stage
    int fetchSteps = 0; // steps spent fetching the item since the last travel
    Tick nextTravel = FirstTravel;
    Tick travelTarget = -1; // while the script travels back: the tick to reach
};

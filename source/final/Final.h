// Final: the dragon's den, the last world, and the closing sequence that follows the dragon's death.
#pragma once

#include "final/Final_Ids.h"
#include "puzzles/World_Base.h"
#include "util/Pointf.h"

class Final_Dragon;
class KillZone;
class PickUp;

constexpr int Final_Finish_Steps = 700;          // of the closing sequence; the level is then completed
constexpr int Final_Finish_MusicFade = 445;      // the music fades out from this step to the last
constexpr int Final_Finish_HideDragon = 500;     // the disc covers the screen: the dragon goes
constexpr double Final_Finish_FadeSpeed = 0.003; // the slow fade-out to the closing village

// The dragon's den: the hero, the dragon in its arena, a pit that kills and two hearts. The fight
// runs under the ordinary clock, with time travel and past selves. Once the dragon's hit points
// are gone at a step that is not time travel, the level stops: the dragon cries out, white rays
// spin out over the screen, a white disc grows over them and fades to show the den without the
// dragon while the music fades, and 700 steps on the world is completed. The shell then fades out
// slowly and goes on to the closing village. While the dragon screams, the screen shakes.
class Final final : public World_Base
{
public:
    // Throws Error_OpenFile naming a file that can't be opened, and Error_ParseFile naming the map
    // and a reference point it lacks; whatever was built by then is freed.
    explicit Final(GameEvents* events);
    // Puts the fade's speed and the music's second volume back, however the level ended.
    ~Final() override;

    void SetProjection() override;
    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    // One step of the closing sequence: 2 at its last, else 0.
    Level_Action PollFinished();

    // The hero at p is in the arena, which the camera then holds whole: strictly inside its
    // bounds (a coordinate within the tolerance of a bound is outside).
    static bool InArena(Pointf p);

    Final_Dragon* GetDragon() const { return dragon; }
    KillZone* GetKillZone() const { return killZone; }
    PickUp* GetHeart(int i) const { return i == 0 ? heart1 : heart2; }
    // -1 while the fight goes on, 0 at the step of the dragon's death, then one more a step.
    int GetFinishCounter() const { return finishCounter; }
    // The screen's offset of the last shaken frame; (0, 0) for a frame that did not shake.
    Pointf GetShake() const { return shake; }

private:
    // All of these are on the level's build list.
    Final_Dragon* dragon = nullptr;
    KillZone* killZone = nullptr;
    PickUp* heart1 = nullptr;
    PickUp* heart2 = nullptr;
    int finishCounter = -1;
    Pointf shake{0.0, 0.0};
};

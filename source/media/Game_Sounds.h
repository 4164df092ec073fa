// The table of the game's sound effects, played with a fall-off around the listener.
#pragma once

#include "util/Pointf.h"

enum Sound_Id
{
    Sound_Jump = 0,
    Sound_Dragon1 = 1,
    Sound_Dragon2 = 2,
    Sound_Dragon3 = 3,
    Sound_Throw = 4,
    Sound_Pickup = 5,
    Sound_Vulture = 6,
    Sound_VultureHit = 7,
    Sound_Ticking = 8,
    Sound_Success = 9,
    Sound_DoorCreak = 10,
    Sound_DoorThud = 11,
    Sound_Hit = 12,
    Sound_Machine = 13,
    Sound_Zoveduv = 14,
    Sound_PlayerHit = 15,
    Sound_MonsterHit = 16,
    Sound_Jump2 = 17,
    Sound_MonsterHit2 = 18,
    Sound_TurtleCharge = 19,
    Sound_Explode = 20,
    Sound_Boing = 21,
    Sound_DoorOpen = 22,
    Sound_DoorOpen2 = 23,
    Sound_Imp = 24,
    Sound_WavyBlob = 25,
    Sound_MonsterHit3 = 26,
    Sound_Wasp = 27,
    Sound_Squish = 28,
    Sound_Pop = 29,
    Sound_ScaleDown = 30,
    Sound_ScaleUp = 31,
    Sound_Crisp = 32,
    Sound_Explode2 = 33,
    Sound_Recharge = 34,
    Sound_BoulderLand = 35,
    Sound_BoulderLand2 = 36,
    Sound_Mozzy = 37,
    Sound_UiSelect = 38,
    Sound_Spike = 39,
    Sound_ChestOpen = 40,
    Sound_SteamJet = 41,
    Sound_AerialTurn = 42,
    Sound_Static = 43,
    Sound_UiMove = 44,
    Sound_UiSelect2 = 45,
    Sound_Count = 46,
    Sound_None = 47, // accepted everywhere and ignored
};

constexpr double Sound_AttenuateDist = 300.0; // full volume up to here
constexpr double Sound_CutOffDist = 700.0;    // nothing plays beyond

// One instance, gameSounds, lives for the whole run. Effects are fire-and-forget; each entry
// remembers only the channel of its latest play, and acts on it only while that channel still
// plays the entry's own file (channels are reused by other sounds once free).
class Game_Sounds final
{
public:
    Game_Sounds();
    Game_Sounds(Game_Sounds const&) = delete;
    Game_Sounds& operator=(Game_Sounds const&) = delete;

    void InitSound(Sound_Id id);
    // The data file an entry plays.
    static char const* FileName(Sound_Id id);

    // The master effect volume, 0 to 255.
    static void SetVolume(int v);
    static int GetVolume();

    void SetSoundVolume(Sound_Id id, int v);
    int GetSoundVolume(Sound_Id id) const;
    // The entry's volume scaled by the master volume.
    int GetTotalVolume(Sound_Id id) const;

    // The point sounds are heard from, and the scale distances are divided by.
    void SetCentrePoint(Pointf p, double scale);

    // Plays the effect once; pos null plays it without fall-off. Nothing plays while muted.
    void Play(Sound_Id id, Pointf const* pos, bool skipIfPlaying, double scale);
    // Plays the effect once at the given volume (0 to 255) in place of the entry's own, which
    // stays as it is: for sounds whose loudness changes from one play to the next.
    void PlayAtVolume(Sound_Id id, Pointf const* pos, double scale, int entryVolume);
    // Starts the effect looping unless it plays already. Mute does not stop loops.
    void Loop(Sound_Id id);
    void Stop(Sound_Id id);

    int mute = 0; // 1 while the level travels in time

private:
    struct Entry
    {
        char const* file = nullptr;
        int initialised = 1;
        int channel = -1; // of the latest play, -1 when none
        int volume = 255;
    };

    void Start(Sound_Id id, Pointf const* pos, bool skipIfPlaying, double scale, int entryVolume);
    // The entry's channel while it still plays the entry's file, else -1.
    int LiveChannel(Sound_Id id) const;

    Entry entries[Sound_Count];
    Pointf listener;
    double listenerScale = 1.0;

    static int volume;
    static char const* const files[Sound_Count];
};

// The one sound table, made by the shell for the whole run; null while there is none.
extern Game_Sounds* gameSounds;

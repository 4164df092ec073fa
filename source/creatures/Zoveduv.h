// Zoveduv: a grethyn hidden in the scenery that opens its eyes and mouth and chomps at a near player.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "util/Pointf.h"

#include <cstdint>

class Image;
class Player;
class TimeSet;

// Only a pair of eyes and a mouth show. When the player comes near it opens its eyes, then its
// mouth, and chomps over and over; a player in its mouth while it bites is hurt. When he leaves
// (or stands frozen while time travels) the mouth and then the eyes close. Starts and stops are
// decided while the level runs, forward or in travel, once per tick, and recorded; what it shows
// follows from those records. It cannot be hurt.
class Zoveduv final : public Object, public Enemy
{
public:
    static constexpr int Grethyn_Eye_Frames = 4;   // 0 closed to 3 open
    static constexpr int Grethyn_Mouth_Frames = 5; // 0 shut to 4 wide open
    static constexpr int Grethyn_Eyes_Open = 32;   // ticks to open the eyes
    static constexpr int Grethyn_Hold_Eyes = 32;   // ticks the eyes stay open before the mouth opens
    static constexpr int Grethyn_Mouth_Open = 128; // ticks to open the mouth
    static constexpr int Grethyn_Chomping = 64;    // ticks of one chomp
    // An attack starts only when no recorded attack starts within this many ticks after now.
    static constexpr int Grethyn_Attack_Time = 256;
    static constexpr double Grethyn_Hit_Dist = 25.6;
    static constexpr double Grethyn_Near_Dist = 128.0; // the player nearer than this is attacked
    static constexpr int Grethyn_Close_Time = 16;      // ticks per frame while closing
    static constexpr double Grethyn_ActiveRadius = 256.0;

    // The player is watched, not owned.
    Zoveduv(Map const* map, Player const* watched, unsigned int ref);
    Zoveduv(Zoveduv const&) = delete;
    Zoveduv& operator=(Zoveduv const&) = delete;
    ~Zoveduv() override;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    // Whether an attack goes on at t, and its age (when not null).
    bool IsAttacking(Tick t, Tick* age) const;
    // Sets the frames and chomping for t, and asks for the chomp sound when one starts then.
    void FindFrames(Tick t);

    int GetEyeFrame() const { return eyeFrame; }
    int GetMouthFrame() const { return mouthFrame; }
    bool IsChomping() const { return chomping; }
    Pointf GetPos() const { return pos; }

private:
    struct Face
    {
        int eye = -1;
        int mouth = -1;
        bool chomping = false;
        bool chompStarts = false; // a chomp begins at this very tick
    };

    Face FaceAt(Tick t) const;
    // Starts or stops an attack at t from where the player is and the face shown before; true
    // when it recorded a start or a stop.
    bool Decide(Tick t, Face const& shown);
    // Sets the frames and chomping from the face, and asks for the chomp sound when one starts.
    void Show(Face const& face);

    Player const* player = nullptr;  // watched, not owned
    Pointf pos;                      // the mouth's centre
    TimeSet* decidedTimes = nullptr; // owned: ticks decided once and for all
    TimeSet* attackTimes = nullptr;  // owned: ticks at which an attack started
    TimeSet* stopTimes = nullptr;    // owned: ticks at which an attack was stopped
    std::int32_t eyeFrame = -1;      // shown at the last move, -1 for none
    std::int32_t mouthFrame = -1;    // shown at the last move, -1 for none
    bool chomping = false;           // biting at the last move

    static Image* eyeFrames[Grethyn_Eye_Frames];
    static Image* mouthFrames[Grethyn_Mouth_Frames];
};

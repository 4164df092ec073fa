// Casle_Eye: a watching eye on a castle wall that fires a laser when the player it sees treads on its switch.
#pragma once

#include "engine/Object.h"
#include "engine/Switch_Blocker.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Casle_Laser;
class Image;
class Map;
class Past_Follower;
class Player;
class TimeFrames;

// The eye notices the player within its radius and keeps its gaze on whoever it noticed. It can
// watch one self at a time: while it follows a past self it pays the present player no heed,
// which is how the player slips past it. As a blocker of the switch it guards it never holds
// the switch up, but fires its laser at each tick the player, seen by it, stands on the plate.
class Casle_Eye final : public Object, public Switch_Blocker
{
public:
    Casle_Eye(Player const* thePlayer, TimeFrames const* frames, Pointf centre, double sight, Casle_Laser* eyeLaser);
    ~Casle_Eye() override;
    Casle_Eye(Casle_Eye const&) = delete;
    Casle_Eye& operator=(Casle_Eye const&) = delete;

    static void Initialise();
    static void Finalise();

    // Whether the eye sees the present player at t, extending its record of whom it follows.
    void MoveToTime(Map const* map, Tick t) override;
    // The picture at clock tick t looks at whoever the eye followed at t - 1.
    void Render(Map const* map, Tick t) const override;
    // Fires the laser when the eye saw the player at its last move; never holds the switch.
    bool IsBlocked(Map const* map, Tick t) override;

    // Whether the eye follows a self, present or past, at t, and where that self stands.
    bool FollowsAt(Tick t, Pointf* selfPos = nullptr) const;
    bool IsAlert() const { return alert; }

private:
    static inline Image* eyeImg = nullptr;
    static inline Image* pupilImg = nullptr;

    Player const* player;
    TimeFrames const* timeFrames;
    Casle_Laser* laser;                // the world's; may be null
    bool alert = false;                // saw the present player at the last move
    Past_Follower* follower = nullptr; // whom it followed at which ticks; owned
    Pointf pos;                        // the eye's centre
    double radius;                     // how far it sees
};

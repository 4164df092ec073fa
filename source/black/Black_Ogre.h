// Black_Ogre: the ogre that guards the pass in the Black mountains, swinging its arm at a player
// on its left, deaf to weapons and killed only by the boulder.
#pragma once

#include "engine/EnemyTarget.h"
#include "engine/Object.h"
#include "util/Pointf.h"

#include <memory>

class Image;
class TimeSet;

// A player standing just left of it starts a swing of its arm, at most one every 70 ticks; the
// arm hurts a player close in front of it from 10 to 50 ticks into a swing. Weapon hits are only
// counted, so that the level can tell the player they do nothing. The boulder kills it with Die;
// its death is an ordinary death tick, so a travel back before it brings the ogre back, and a
// death moved earlier hands back the blows it dealt after it. The swings are recorded while it is
// dead too, but it neither shows nor deals them then.
class Black_Ogre final : public Object, public EnemyTarget
{
public:
    static constexpr Tick Ogre_SwingDownTime = 10; // the arm comes down
    static constexpr Tick Ogre_DownTime = 10;      // and stays down
    static constexpr Tick Ogre_SwingUpTime = 50;   // and goes back up
    static constexpr Tick Ogre_SwingTime = 70;     // a whole swing; the least gap between two
    static constexpr Tick Ogre_DeathFallTime = 50; // ticks of the fall after death
    static constexpr Tick Ogre_DeathTime = 80;     // ticks after death during which it is drawn
    static constexpr int Ogre_Damage = 10;
    static constexpr int Ogre_ImmuneHits = 30; // more weapon hits than this and the level says so

    // Stands with its feet at the point; loads its pictures.
    explicit Black_Ogre(Pointf feet);
    Black_Ogre(Black_Ogre const&) = delete;
    Black_Ogre& operator=(Black_Ogre const&) = delete;
    ~Black_Ogre() override;

    void Render(Map const* map, Tick t) const override;
    // Starts a swing when the player stands in its reach.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    // A weapon hit: counted, never recorded, never harmful.
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& p) const override;

    bool HitSeveralTimes() const { return hitCount > Ogre_ImmuneHits; }
    // Kills it at t; the damage it had dealt the player after t, to be given back.
    int Die(Tick t);

    // The arm's angle at t: 0 hanging, a quarter turn back while down.
    double ArmAngle(Tick t) const;
    // The start of the latest swing at or before t, -1 when none.
    Tick SwingAt(Tick t) const;
    Tick GetDeathTime() const { return deathTime; }
    Pointf GetPos() const { return pos; }
    int GetHitCount() const { return hitCount; }

private:
    std::unique_ptr<Image> body;
    std::unique_ptr<Image> arm;
    std::unique_ptr<Image> die1; // falling, first half
    std::unique_ptr<Image> die2; // falling, second half
    std::unique_ptr<Image> die3; // lying
    TimeSet* swings = nullptr;   // ticks at which a swing began; owned
    Pointf pos;                  // its feet: the lower centre of the body picture
    int hitCount = 0;            // weapon hits in all, whatever the clock
};

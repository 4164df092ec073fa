// Black_Ogre: the ogre's swings, its reach, its death by the boulder and its drawing.
#include "black/Black_Ogre.h"

#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "util/Util.h"

namespace
{
char const* const ogrebodyfile = "gfx/black/ogre/ogrebody.png";
char const* const ogrearmfile = "gfx/black/ogre/ogrearm.png";
char const* const ogredie1file = "gfx/black/ogre/ogredie1.png";
char const* const ogredie2file = "gfx/black/ogre/ogredie2.png";
char const* const ogredie3file = "gfx/black/ogre/ogredie3.png";

constexpr double Ogre_FrontReach = 5.0;  // both areas reach this far right of its feet
constexpr double Ogre_HalfHeight = 10.0; // and this far above and below them
constexpr double Ogre_ArmPivotX = 0.88;  // the shoulder, as fractions of the arm picture
constexpr double Ogre_ArmPivotY = 0.44;
constexpr Tick Ogre_FallFrame = 20; // the second falling picture from here
constexpr Tick Ogre_HurtFrom = 10;  // ticks into a swing from which the arm hurts
constexpr Tick Ogre_HurtTo = 50;    // and the last one at which it does

// lo < v < hi, a value within the tolerance of a bound counting as outside.
bool StrictlyWithin(double v, double lo, double hi)
{
    return v > lo && !Util::Equal(v, lo) && v < hi && !Util::Equal(v, hi);
}
} // namespace

Black_Ogre::Black_Ogre(Pointf feet)
    : EnemyTarget(1, Sound_MonsterHit), body(std::make_unique<Image>(ogrebodyfile, Image_Mask, false)),
      arm(std::make_unique<Image>(ogrearmfile, Image_Mask, false)),
      die1(std::make_unique<Image>(ogredie1file, Image_Mask, false)),
      die2(std::make_unique<Image>(ogredie2file, Image_Mask, false)),
      die3(std::make_unique<Image>(ogredie3file, Image_Mask, false)), swings(new TimeSet()), pos(feet)
{
    // Whole pixels, as the picture's size gives them.
    int const w = int(body->GetWidth());
    int const h = int(body->GetHeight());
    rect = Rectf(-(w / 2), -(7 * h / 8), w / 2, h / 8);
}

Black_Ogre::~Black_Ogre()
{
    swings->Destroy();
}

void Black_Ogre::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    double const w = body->GetWidth();
    if (StrictlyWithin(playerPos->x, pos.x - w, pos.x + Ogre_FrontReach)
        && StrictlyWithin(playerPos->y, pos.y - Ogre_HalfHeight, pos.y + Ogre_HalfHeight))
        swings->AddIfSafe(t, Ogre_SwingTime);
}

bool Black_Ogre::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = 4.0 * body->GetHeight();
    objScale = 1.0;
    return true;
}

int Black_Ogre::Hit(Tick, int, Target_Hit_Flags)
{
    hitCount++;
    return 0;
}

int Black_Ogre::Die(Tick t)
{
    return EnemyTarget::Hit(t, 1, Target_Hit_FromRight);
}

Tick Black_Ogre::SwingAt(Tick t) const
{
    Tick start = -1;
    return swings->CheckDown(t, &start) ? start : -1;
}

int Black_Ogre::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (IsDead(t))
        return 0;
    Tick const s = SwingAt(t);
    if (s < 0)
        return 0;
    Tick const e = t - s;
    if (e < Ogre_HurtFrom || e > Ogre_HurtTo)
        return 0;
    double const halfWidth = body->GetWidth() / 2.0;
    if (StrictlyWithin(playerPos->x, pos.x - halfWidth, pos.x + Ogre_FrontReach)
        && StrictlyWithin(playerPos->y, pos.y - Ogre_HalfHeight, pos.y + Ogre_HalfHeight))
        return Ogre_Damage;
    return 0;
}

bool Black_Ogre::GetTargetPos(Map const*, Tick t, Pointf& p) const
{
    p = Pointf(pos.x, pos.y + double(7u * body->GetHeight() / 8u));
    return !IsDead(t);
}

double Black_Ogre::ArmAngle(Tick t) const
{
    Tick const s = SwingAt(t);
    if (s < 0 || t - s >= Ogre_SwingTime)
        return 0.0;
    Tick const e = t - s;
    if (e < Ogre_SwingDownTime)
        return double(e) * -Util::QuarterTurn / double(Ogre_SwingDownTime);
    if (e < Ogre_SwingDownTime + Ogre_DownTime)
        return -Util::QuarterTurn;
    return -Util::QuarterTurn
           + double(e - Ogre_SwingDownTime - Ogre_DownTime) * Util::QuarterTurn / double(Ogre_SwingUpTime);
}

void Black_Ogre::Render(Map const* map, Tick t) const
{
    bool const died = deathTime != -1;
    if (died && deathTime + Ogre_DeathTime < t)
        return;
    if (died && deathTime < t)
    {
        Tick const e = t - deathTime;
        if (e < Ogre_DeathFallTime)
        {
            Image const* frame = e < Ogre_FallFrame ? die1.get() : die2.get();
            frame->Render(pos, double(e) * -Util::QuarterTurn / double(Ogre_DeathFallTime), 1.0,
                          Image_Centre | Image_Bottom, &map->view);
        }
        else
        {
            die3->Render(pos, -Util::QuarterTurn, 1.0, Image_Left | Image_Bottom, &map->view);
        }
        return;
    }
    body->Render(pos, 0.0, 1.0, Image_Centre | Image_Bottom, &map->view);
    Pointf const shoulder(pos.x, pos.y + double(3u * body->GetHeight() / 8u));
    arm->Render(shoulder, ArmAngle(t), 1.0, Ogre_ArmPivotX, Ogre_ArmPivotY, 0, &map->view);
}

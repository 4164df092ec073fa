// Casle_Eye: noticing and following the player, firing the laser and drawing the eye's gaze.
#include "castle/Casle_Eye.h"

#include "castle/Casle_Laser.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>

namespace
{
constexpr char const* eyefile = "gfx/castle/eye.png";
constexpr char const* pupilfile = "gfx/castle/pupil.png";
} // namespace

Casle_Eye::Casle_Eye(Player const* thePlayer, TimeFrames const* frames, Pointf centre, double sight,
                     Casle_Laser* eyeLaser)
    : player(thePlayer), timeFrames(frames), laser(eyeLaser), pos(centre), radius(sight)
{
    follower = new Past_Follower();
}

Casle_Eye::~Casle_Eye()
{
    delete follower;
}

void Casle_Eye::Initialise()
{
    assert(eyeImg == nullptr && pupilImg == nullptr && "eyeImg == NULL && pupilImg == NULL");
    // A missing picture leaves nothing loaded behind it.
    try
    {
        eyeImg = new Image(eyefile, Image_Mask, false);
        pupilImg = new Image(pupilfile, Image_Mask, false);
    }
    catch (...)
    {
        Finalise();
        throw;
    }
}

void Casle_Eye::Finalise()
{
    delete eyeImg;
    delete pupilImg;
    eyeImg = nullptr;
    pupilImg = nullptr;
}

bool Casle_Eye::FollowsAt(Tick t, Pointf* selfPos) const
{
    std::optional<Char_Base> const self = follower->FindAtTime(t);
    if (!self)
        return false;
    if (selfPos != nullptr)
        *selfPos = self->GetPos();
    return true;
}

void Casle_Eye::MoveToTime(Map const*, Tick t)
{
    Pointf const at = player->GetPos();
    bool const inside = radius - pos.Distance(&at) >= Util::Eps;
    alert = inside && !player->travelling && !FollowsAt(t);
    if (alert)
        follower->AddFollow(timeFrames, t);
}

bool Casle_Eye::IsBlocked(Map const* map, Tick t)
{
    if (alert && laser != nullptr)
        laser->Activate(map, t);
    return false;
}

void Casle_Eye::Render(Map const* map, Tick t) const
{
    eyeImg->Render(pos, 0.0, 1.0, Image_Centre | Image_Middle, &map->view);
    Pointf pupil = pos;
    Pointf self;
    if (FollowsAt(t - 1, &self))
    {
        double const a = pos.Angle(&self);
        pupil.x += std::sin(a) * eyeImg->GetWidth() / 4.0;
        pupil.y += std::cos(a) * eyeImg->GetHeight() / 6.0;
    }
    pupilImg->Render(pupil, 0.0, 1.0, Image_Centre | Image_Middle, &map->view);
}

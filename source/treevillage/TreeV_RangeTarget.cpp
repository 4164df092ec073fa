// TreeV_RangeTarget: where a range target stands at a tick, and drawing it while it stands.
#include "treevillage/TreeV_RangeTarget.h"

#include "engine/Map.h"
#include "media/Image.h"

#include <cassert>
#include <cmath>

Image* TreeV_RangeTarget::image = nullptr;

namespace
{
constexpr double Target_Size = 6.0;
constexpr unsigned int RangeTarget_RefPoints[TreeV_RangeTarget_Count] = {4, 5, 9, 10, 11, 12, 13, 14};
constexpr int RangeTarget_FirstBobbing = 6;
constexpr double RangeTarget_Bob = 40.0;
} // namespace

TreeV_RangeTarget::TreeV_RangeTarget(Map const* map, int id) : Object(), Target(Sound_Hit), targId(id)
{
    assert(targId >= 0 && targId < TreeV_RangeTarget_Count);
    home = map->GetRefPoint(RangeTarget_RefPoints[targId]);
    rect = Rectf(-Target_Size, -Target_Size, Target_Size, Target_Size);
}

TreeV_RangeTarget::~TreeV_RangeTarget() = default;

void TreeV_RangeTarget::Initialise()
{
    assert(image == NULL);
    image = new Image("gfx/general/target.png", 0, false);
}

void TreeV_RangeTarget::Finalise()
{
    delete image;
    image = nullptr;
}

Pointf TreeV_RangeTarget::GetPos(Map const*, Tick t) const
{
    Pointf at = home;
    if (targId >= RangeTarget_FirstBobbing)
        at.y += RangeTarget_Bob * std::sin(t / 34.0);
    return at;
}

bool TreeV_RangeTarget::GetTargetPos(Map const* map, Tick t, Pointf& at) const
{
    if (state != TreeV_RangeTarget_Standing)
        return false;
    at = GetPos(map, t);
    return true;
}

void TreeV_RangeTarget::Render(Map const* map, Tick t) const
{
    if (state != TreeV_RangeTarget_Standing)
        return;
    double const size = Target_Size * 2.0;
    image->Render(GetPos(map, t), 0.0, size, size, Image_Centre | Image_Middle, &map->view);
}

// TreeV_MarketSign and TreeV_SignSegment: the tiles' turns from their hits, easing and drawing.
#include "treevillage/TreeV_MarketSign.h"

#include "engine/Map.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cstdio>

namespace
{
constexpr double Sign_QuarterTurn = 1.5707963267949;
constexpr double Sign_HalfTurn = 3.1415926535898;
constexpr int Sign_EaseTime = 15;
constexpr double Sign_EaseFactor = 0.25;
constexpr int Sign_HelpDamage = 12;
constexpr double Sign_Spacing = 36.0;
constexpr int Sign_StartTurns[TreeV_MarketSign_Segments] = {1, 0, 3, 2, 2, 1};
} // namespace

TreeV_SignSegment::TreeV_SignSegment(Pointf const* at, Image const* image, int turn)
    : Target(Sound_Hit), position(*at), picture(image), startTurn(turn)
{
    rect = Rectf(-Sign_Size, -Sign_Size, Sign_Size, Sign_Size);
}

int TreeV_SignSegment::HitsUpTo(Tick t) const
{
    int count = 0;
    for (int i = 0; i < hits->Count(); i++)
    {
        HitInfo const* hit = (*hits)[i];
        if (hit == nullptr || hit->time > t)
            break;
        count++;
    }
    return count;
}

int TreeV_SignSegment::GetRotation(Tick t) const
{
    return (startTurn + HitsUpTo(t)) % 4;
}

double TreeV_SignSegment::DrawnAngle(Tick t) const
{
    double const target = GetRotation(t) * Sign_HalfTurn / 2.0;
    Tick last = 0;
    if (BeenHit(t, &last) && t - last <= Sign_EaseTime)
        return Util::FunkyMove(target - Sign_QuarterTurn, target, static_cast<int>(t - last), Sign_EaseFactor);
    return target;
}

void TreeV_SignSegment::Render(Map const* map, Tick t) const
{
    if (picture != nullptr)
        picture->Render(position, DrawnAngle(t), 2.0 * Sign_Size, 2.0 * Sign_Size, Image_Centre | Image_Middle,
                        &map->view);
}

bool TreeV_SignSegment::GetTargetPos(Map const*, Tick, Pointf& out) const
{
    out = position;
    return true;
}

TreeV_MarketSign::TreeV_MarketSign(Map const* map, unsigned int refPoint, bool solved)
{
    Pointf const origin = map->GetRefPoint(refPoint);
    for (int i = 0; i < TreeV_MarketSign_Segments; i++)
    {
        Pointf const at(origin.x + Sign_Spacing * (i % 3), origin.y - Sign_Spacing * (i / 3));
        segments[i] = new TreeV_SignSegment(&at, signImages[i], solved ? 0 : Sign_StartTurns[i]);
    }
}

TreeV_MarketSign::~TreeV_MarketSign()
{
    for (TreeV_SignSegment* segment : segments)
        delete segment;
}

void TreeV_MarketSign::Initialise()
{
    try
    {
        char name[64];
        for (int segment = 0; segment < TreeV_MarketSign_Segments; segment++)
        {
            assert(signImages[segment] == nullptr && "signImages[segment] == NULL");
            std::snprintf(name, sizeof name, "%s%.2d.png", "gfx/treevillage/marketsign", segment);
            signImages[segment] = new Image(name, 0, false);
        }
    }
    catch (...)
    {
        // A missing picture leaves nothing loaded behind it.
        Finalise();
        throw;
    }
}

void TreeV_MarketSign::Finalise()
{
    for (Image*& image : signImages)
    {
        delete image;
        image = nullptr;
    }
}

TreeV_SignSegment* TreeV_MarketSign::GetSwitch(int id) const
{
    assert(id >= 0 && id < TreeV_MarketSign_Segments && "id >= 0 && id < TreeV_MarketSign_Segments");
    return segments[id];
}

bool TreeV_MarketSign::IsComplete(Tick t) const
{
    for (TreeV_SignSegment const* segment : segments)
        if (segment->GetRotation(t) != 0)
            return false;
    return true;
}

bool TreeV_MarketSign::ShouldHelp(Tick t) const
{
    for (TreeV_SignSegment const* segment : segments)
        if (segment->GetHitPoints(t, Sign_HelpDamage) < 1)
            return true;
    return false;
}

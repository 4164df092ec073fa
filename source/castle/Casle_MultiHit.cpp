// Casle_MultiHit: the block's height from its hits and periods.
#include "castle/Casle_MultiHit.h"

#include "engine/HitInfo.h"
#include "engine/Hit_Target.h"
#include "engine/Map.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <limits>
#include <vector>

namespace
{
// Ticks in which a block at its highest falls back to rest: only a block that falls has them.
int FindLookBack(int period, double highest, double fall)
{
    if (period <= 0 || !(fall > 0.0))
        return 0;
    double const ticks = period * (highest / fall + 1.0);
    if (!(ticks < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(ticks);
}
} // namespace

Casle_MultiHit::Casle_MultiHit(Pointf mark, unsigned int blockGroup, double highest, int fallPeriod, double rise,
                               double fall)
    : Target(Sound_Hit), moves(1), pos(mark), maxDist(highest), period(fallPeriod), stepDist(rise), fallDist(fall),
      lookBack(FindLookBack(fallPeriod, highest, fall))
{
    moves[0].kind = MoveObject_Translate;
    moves[0].group = blockGroup;
    rect = Rectf(-Switch_Size, -Switch_Size, Switch_Size, Switch_Size);
}

void Casle_MultiHit::Initialise()
{
    assert(targetImg == nullptr && "targetImg == NULL");
    targetImg = new Image(switchimage, Image_Mask, false);
}

void Casle_MultiHit::Finalise()
{
    delete targetImg;
    targetImg = nullptr;
}

int Casle_MultiHit::HitsUpTo(Tick t) const
{
    HitInfo const key(t, 0, 0);
    return hits->FindItem(&key) + 1;
}

double Casle_MultiHit::PosAtTime(Tick t) const
{
    if (t <= 0)
        return 0.0;
    if (period == 0)
    {
        double const risen = HitsUpTo(t) * stepDist;
        return risen > maxDist ? maxDist : risen;
    }

    // Each period starts from where the block stood at the boundary before it, back to the
    // first boundary with no hit in the look-back before it, where the block rested at 0.
    std::vector<Tick> ends;
    for (Tick at = t; at > 0;)
    {
        ends.push_back(at);
        Tick const boundary = ((at - 1) / period) * period;
        if (HitsUpTo(boundary) == HitsUpTo(boundary - lookBack))
            break;
        at = boundary;
    }
    double offset = 0.0;
    for (auto end = ends.rbegin(); end != ends.rend(); ++end)
    {
        Tick const boundary = ((*end - 1) / period) * period;
        offset += (HitsUpTo(*end) - HitsUpTo(boundary)) * stepDist;
        if (offset > maxDist || Util::Equal(offset, maxDist))
            offset = maxDist;
        if (*end % period == 0)
            offset -= fallDist;
        if (offset < 0.0 || Util::Equal(offset, 0.0))
            offset = 0.0;
    }
    return offset;
}

void Casle_MultiHit::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    moves[0].newX = 0.0;
    moves[0].newY = PosAtTime(t);
    *orders = &moves;
}

bool Casle_MultiHit::GetTargetPos(Map const*, Tick, Pointf& aim) const
{
    aim = pos;
    return true;
}

void Casle_MultiHit::Render(Map const* map, Tick) const
{
    targetImg->Render(pos, 0.0, 2.0 * Switch_Size, 2.0 * Switch_Size, Image_Centre | Image_Middle, &map->view);
}

// RefPoints: reading and looking up a map's reference points.
#include "engine/RefPoints.h"

#include "engine/MapReader.h"

namespace
{
constexpr uint32_t RefPointRecordSize = 21;
}

RefPoints::RefPoints() : points()
{
}

void RefPoints::Read(MapReader& reader)
{
    uint32_t const n = reader.ReadCount(RefPointRecordSize);
    if (n == 0)
        return;
    points.Init(int(n));
    for (uint32_t i = 0; i < n; ++i)
    {
        RefPoint& point = points[int(i)];
        point.id = reader.ReadWord();
        double const x = reader.ReadCoordinate();
        double const y = reader.ReadCoordinate();
        point.position = Pointf(x, y);
        reader.SkipByte();
    }
}

bool RefPoints::GetPoint(unsigned int id, Pointf& out) const
{
    for (int i = 0; i < points.Count(); ++i)
    {
        if (points[i].id == id)
        {
            out = points[i].position;
            return true;
        }
    }
    return false;
}

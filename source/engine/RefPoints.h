// RefPoints: the numbered reference points of a map, at which a world places its player, creatures and objects.
#pragma once

#include "util/FlatList.h"
#include "util/Pointf.h"

class MapReader;

struct RefPoint
{
    Pointf position;
    unsigned int id;
};

class RefPoints final
{
public:
    RefPoints();
    RefPoints(RefPoints const&) = delete;
    RefPoints& operator=(RefPoints const&) = delete;

    // Reads the count and the records that follow the polygons of a map file.
    void Read(MapReader& reader);
    // The first point with the id, in file order; false when there is none.
    bool GetPoint(unsigned int id, Pointf& out) const;
    int Count() const { return points.Count(); }
    RefPoint const& operator[](int i) const { return points[i]; }

    FlatList<RefPoint> points;
};

// MapBase: a world's scenery read from its map file: polygons in groups, reference points and the camera view.
#pragma once

#include "engine/RefPoints.h"
#include "util/Pointf.h"
#include "util/PtrList.h"
#include "util/Rectf.h"
#include "util/Tick.h"
#include "util/WorldTransform.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

class LineEq;
class MapBase;
class Poly;
class Rectf;
class Textures;

// How the camera reaches a new centre or zoom.
enum CameraMove
{
    CameraMove_None = 0,
    CameraMove_Jump = 1,
    CameraMove_Ease8 = 2, // an eighth of the remaining way per step
    CameraMove_Ease4 = 3, // a quarter of the remaining way per step
};

// Told of every reference point and group asked of any map while it is set (MapBase::idWatch): the
// tests learn from a normal build which ids a world reads. The game never sets it.
class MapBase_IdWatch
{
public:
    virtual void Asked(MapBase const& map, bool group, unsigned int id) = 0;

protected:
    ~MapBase_IdWatch() = default;
};

// Where a group was put last, which its polygons follow from exactly: moved by an offset, turned
// about a centre, or as the map file put it. Values are kept as their bits.
struct MapBase_Placement
{
    enum Kind : std::uint64_t
    {
        AsRead = 0,
        Offset = 1, // values: x, y
        Turned = 2, // values: the centre's x and y, the angle
    };
    std::uint64_t kind = AsRead;
    std::uint64_t values[3] = {0, 0, 0};

    bool operator==(MapBase_Placement const&) const = default;
};

class MapBase
{
public:
    // Reads the map from the file's current position; fileName only names the file in errors.
    MapBase(Textures const* textureList, FILE* file, char const* name = nullptr);
    MapBase(MapBase const&) = delete;
    MapBase& operator=(MapBase const&) = delete;
    virtual ~MapBase();

    virtual bool CheckPoint(Pointf const* p, unsigned int& poly, bool anyPoly) const;
    // Both throw Error_ParseFile naming the map and the id when the map lacks it.
    Pointf GetRefPoint(unsigned int id) const;
    void RequireGroup(unsigned int groupId) const;
    // The name the map was read under, for errors about what a world placed on it.
    char const* GetFileName() const { return fileName; }
    unsigned int GetGroup(unsigned int poly) const;
    unsigned int NextGroupId() const;
    double GetSurfaceAngle(unsigned int poly, unsigned int edge) const;
    bool GetIntersect(unsigned int poly1, unsigned int edge1, unsigned int poly2, unsigned int edge2, Pointf& out);
    bool GetIntersectWith(unsigned int poly, unsigned int edge, LineEq const* line, Pointf& out);
    // Group placement is absolute: relative to where the file put the polygons.
    void MoveGroup(unsigned int groupId, double dx, double dy);
    void RotateGroup(unsigned int groupId, Pointf const* centre, double angle);
    // The last MoveGroup or RotateGroup of the group.
    MapBase_Placement GroupPlacement(unsigned int groupId) const
    {
        return groupId < placements.size() ? placements[groupId] : MapBase_Placement{};
    }
    void NoInternal(unsigned int groupId);
    // Marks every edge of a solid polygon that another solid polygon shares (Poly::Joins) as a
    // seam. Edges are filed by where their ends lie, so each is compared only with the edges
    // whose ends lie within a hair of its own; returns how many such comparisons it made.
    std::size_t FindInternalEdges();

    void MoveMap(Pointf const* centre, CameraMove mode);
    void ScaleMap(double s, CameraMove mode);
    Pointf GetPos() const;
    Pointf GetCentrePoint() const;
    Pointf WorldToScreen(Pointf p) const;
    Pointf ScreenToWorld(Pointf p) const;

    // time is the level clock in 24.8 fixed point; it only picks texture animation frames.
    void Render(Tick time);

    WorldTransform view;
    unsigned int passGroups[2]; // groups the movement clip lets through; 0 = none
    // The group carrying the player while his carry is clipped: a group placed before its rider is
    // carried may stand across the way he is carried to it. 0 = none.
    unsigned int carrier = 0;
    Textures const* textures;   // borrowed
    PtrList<Poly> polys;        // index = polygon identity everywhere
    unsigned int polyCount;
    RefPoints refPoints;

    // What a collision test asks of polygon i first, in one place: its group, whether it is
    // solid, and its bound as the polygon now stands.
    struct Poly_Filter
    {
        Rectf bound;
        unsigned int group;
        bool solid;
    };
    Poly_Filter const& GetFilter(unsigned int i) const
    {
        assert(i < polyCount);
        return filters[i];
    }

    static inline MapBase_IdWatch* idWatch = nullptr; // for tests only

protected:
    Poly const* GetPoly(unsigned int i) const
    {
        assert(i < polyCount);
        return polys[int(i)];
    }
    // Refuses a map whose reference points lie more than a set reach outside its polygons.
    void CheckRefPoints() const;
    // Rectangle of the world that the 640 x 480 screen shows.
    Rectf ScreenRect() const;

    char fileName[128];

private:
    void RefreshFilter(unsigned int i);
    MapBase_Placement& Placed(unsigned int groupId);

    std::vector<Poly_Filter> filters;                           // per polygon
    std::vector<std::pair<unsigned int, unsigned int>> byGroup; // (group, polygon), in order
    std::vector<MapBase_Placement> placements;                  // by group id, grown as groups move
};

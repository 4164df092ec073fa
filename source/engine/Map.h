// Map: a MapBase with the collision grid, the movement queries of characters and projectiles, and layered drawing.
#pragma once

#include "engine/MapBase.h"
#include "util/FlatList.h"
#include "util/Rectf.h"
#include "util/Util.h"
#include "util/Vectorf.h"

#include <cassert>
#include <vector>

// One 300 x 300 cell of the collision grid: the polygons that may reach into it, in ascending index order.
class MapGroup final
{
public:
    MapGroup();
    MapGroup(MapGroup const&) = delete;
    MapGroup& operator=(MapGroup const&) = delete;
    ~MapGroup();

    void AddPoly(unsigned int poly);

    FlatList<unsigned int>* polyList; // owned
    // A polygon of a group may reach into the cell (the group's cover counted): what the cell holds
    // can stand elsewhere at another tick. A cell without one holds the same polygons at every tick.
    bool grouped = false;
    // Those groups, ascending.
    std::vector<unsigned int> groupIds;
};

// Places the map groups for a tick other than the present one when a query first needs them (see
// Map::groupsDue).
class Map_GroupsDue
{
public:
    virtual void PlaceDue() = 0;
    // Where PlaceDue would put the group, without placing anything; false when that cannot be told
    // so (a mover that places it by itself, more than one order for it).
    virtual bool DuePlacement(unsigned int group, MapBase_Placement& out) = 0;

protected:
    ~Map_GroupsDue() = default;
};

// The state of one flying thing, owned by its caller.
struct Map_Projectile_Info
{
    Vectorf velocity; // per step
    int steps;        // still to run
    double gravity;   // taken from velocity.y each step
    double bounce;    // speed factor at each bounce
};

// Which way a character moves while asking for the surface under it.
enum LeanDirection
{
    LeanDirection_Left = 0, // also standing
    LeanDirection_Right = 1,
};

enum Map_Render_Flags
{
    Map_Render_Back = 1,
    Map_Render_Fore = 2,
};

class Image;

class Map final : public MapBase
{
public:
    Map(Textures const* textureList, FILE* file, char const* name = nullptr);
    ~Map() override;

    // Group covers widen a moving group's bounds to its whole sweep; set them before PreprocessCollision.
    void SetGroupCover(unsigned int groupId, Rectf const* cover);
    void FindGroupBound(unsigned int groupId, Rectf* out);
    void PolyBound(Poly const* poly, Rectf& out) const;
    void PreprocessCollision();

    // r.Intersect(&q) in one comparison per side, for the collision loops: v > limit ||
    // Util::Equal(v, limit) holds exactly when limit - v < Util::Eps.
    static bool BoundsTouch(Rectf const& r, Rectf const& q)
    {
        return r.x0 - q.x1 < Util::Eps && q.x0 - r.x1 < Util::Eps && r.y0 - q.y1 < Util::Eps
               && q.y0 - r.y1 < Util::Eps;
    }

    void GetGroupCell(Pointf const* p, int& column, int& row) const
    {
        column = CellIndex((p->x - minX) / cellWidth);
        row = CellIndex((p->y - minY) / cellHeight);
    }
    MapGroup const* GetCellGroup(int column, int row) const
    {
        assert(groups != nullptr);
        if (column < 0 || row < 0 || column >= cellsX || row >= cellsY)
            return nullptr;
        return groups[column][row];
    }
    MapGroup const* GetCellGroup(Pointf const* p) const
    {
        int column = 0;
        int row = 0;
        GetGroupCell(p, column, row);
        return GetCellGroup(column, row);
    }

    using MapBase::CheckPoint;
    bool CheckPoint(Pointf const* p, unsigned int& poly, bool anyPoly, unsigned int groupId) const;
    // Clips the move a -> b at the first surface met; b is changed in place. True when clipped.
    bool TryMove(Pointf const* a, Pointf* b, unsigned int* poly, unsigned int* edge) const;
    bool TryMove(Pointf const* a, Pointf* b, MapGroup const* cell, unsigned int* poly, unsigned int* edge) const;
    // Whether p lies inside a solid polygon that moves are not let through (pass groups are);
    // poly names it and edge the edge of its outline straight above p.
    bool Embedded(Pointf const* p, unsigned int* poly, unsigned int* edge) const;
    // The nearest point straight above p from which the way up is free of such polygons: p itself
    // when it is free, else a point on the top outline of the solid around or over it (poly and
    // edge name the last one climbed).
    Pointf FreeAbove(Pointf const* p, unsigned int* poly, unsigned int* edge) const;
    // The surface normal at p, or angle unchanged when p is on no surface.
    double Lean(Pointf const* p, double angle, LeanDirection d) const;
    // Lean in both directions, in one pass over the surfaces at p.
    void LeanBoth(Pointf const* p, double angle, double& right, double& left) const;
    // The ground up to 500 units below p, or p itself when there is none.
    Pointf Settle(Pointf const* p, double* angle) const;
    void ProjectileMove(Pointf* pos, Map_Projectile_Info* info) const;

    using MapBase::Render;
    // Draws the layers' polygons in their order. After RenderOpaqueFirst it draws only what that
    // left: the fills that let what lies beneath show, each tested against the depth buffer.
    void Render(Tick time, Map_Render_Flags flags);
    // Draws, front to back, the outlines and the opaque fills of both layers of the polygons on
    // screen, each at its own depth, into a cleared depth buffer, and leaves the depth test on
    // (GL_GREATER, depth writes off): a pixel holds what drawing every polygon in order leaves there
    // before the translucent fills, and later drawing at a lower depth does not reach it. False,
    // drawing nothing, when the GL cannot (a depth buffer under 24 bits, a transform that is not a
    // plain 2D projection, too many polygons); Render then draws in order as before.
    bool RenderOpaqueFirst(Tick time);
    // Ends drawing in depth order: the depth test off, depth writes on, the whole depth range.
    void EndDepthOrder();
    // Whether Render draws after RenderOpaqueFirst.
    bool DepthOrdered() const { return depthOrdered; }
    // The window depths, for glDepthRange, of what is drawn before the back layer (the backdrop)
    // and of what is drawn between the layers (objects and the player).
    double BackdropDepth() const;
    double ObjectsDepth() const;
    // After RenderOpaqueFirst, draws a scenery map behind the back layer as drawing each of its
    // polygons in turn at every one of the views' origins (the scenery's view moved there) would
    // leave it: its opaque fills front to back into the depth buffer first, then those that blend,
    // in order, each copy of each polygon at a depth of its own below BackdropDepth. Leaves the
    // state a PolyBatch leaves, the depth range at BackdropDepth and the scenery's view where it
    // was. False, drawing nothing, when the frame is not drawn in depth order or the scenery has
    // outlines or more copies of polygons than the backdrop has depths.
    bool RenderSceneryOpaqueFirst(MapBase& scenery, std::vector<Pointf> const& origins, Tick time);

    // Put groups where a query needs them first: a placement of the groups owed before the grid's
    // queries (TryMove, Embedded, Lean, LeanBoth, FreeAbove, the grid's CheckPoint) may look at a
    // cell that holds a group's polygon. It is made then, once; a query that meets only cells
    // without groups answers alike wherever the groups stand, so none is made for it. Set by the
    // groups' driver while a creature re-simulates a past tick whose step asks only those
    // queries; null otherwise.
    mutable Map_GroupsDue* groupsDue = nullptr;
    // Counts the grid queries' looks at cells a group can reach: a step during which it does not
    // change answered alike wherever the groups stood.
    mutable unsigned int groupedLooks = 0;
    // The groups that can reach the cells those looks met since it was last cleared: a step that
    // met them answers alike whenever each of them stands as it stood then (StandingFor).
    struct LookedGroups
    {
        static constexpr int Max = 4;
        unsigned int ids[Max];
        int count = 0;
        bool overflow = false; // more than Max
        void Clear()
        {
            count = 0;
            overflow = false;
        }
    };
    mutable LookedGroups lookedGroups;
    // Where a group stands for the queries asked now, and whether moves are let through it:
    // as placed, or as an owed placement would put it. False when that cannot be told without
    // placing it.
    static constexpr std::uint64_t Standing_LetThrough = 0x100; // or'd into the placement's kind
    bool StandingFor(unsigned int group, MapBase_Placement& out) const
    {
        if (groupsDue == nullptr)
            out = GroupPlacement(group);
        else if (!groupsDue->DuePlacement(group, out))
            return false;
        if (group == passGroups[0] || group == passGroups[1] || group == carrier)
            out.kind |= Standing_LetThrough;
        return true;
    }

    unsigned int hiddenGroup;     // not drawn; 0 = none
    FlatList<Rectf>* groupCovers; // margins per group; NULL once the grid is built
    unsigned char* polyVisible;   // scratch marks of Render
    double minX;
    double minY;
    double maxX;
    double maxY;
    double cellWidth;
    double cellHeight;
    MapGroup*** groups; // [cellsX][cellsY]; NULL until PreprocessCollision
    int cellsX;
    int cellsY;

private:
    // Marks the polygons on screen in polyVisible.
    void MarkVisible();
    // Depth slot of a polygon's fill; its outline's is the next one.
    int FillSlot(unsigned int index) const;
    // The width over the height of the first frame of the polygon's texture, as fills are mapped.
    double TextureRatio(Poly const* poly) const;
    // Draws the polygon's fill with the frame at its depth slot.
    void DrawFillAtDepth(unsigned int index, Image const* frame, double ratio) const;
    // The vertex z that the current transform puts at a window depth.
    float SlotZ(int slot) const;
    // Whether every pixel the polygon fills on screen with its frame has full alpha, seen
    // through polyView.
    bool FillsOpaque(Poly const* poly, Image const* frame, double ratio, WorldTransform const& polyView) const;

    static constexpr unsigned char DrawnFirst = 2; // polyVisible's mark of a fill RenderOpaqueFirst drew

    // The cell, with the groups placed first when they are owed and may stand in it.
    MapGroup const* Looked(MapGroup const* cell) const
    {
        if (cell == nullptr || !cell->grouped)
            return cell;
        groupedLooks++;
        for (unsigned int const id : cell->groupIds)
            NoteLooked(id);
        if (groupsDue != nullptr)
        {
            Map_GroupsDue* const due = groupsDue;
            groupsDue = nullptr;
            due->PlaceDue();
        }
        return cell;
    }

    void NoteLooked(unsigned int id) const
    {
        for (int i = 0; i < lookedGroups.count; i++)
            if (lookedGroups.ids[i] == id)
                return;
        if (lookedGroups.count == LookedGroups::Max)
            lookedGroups.overflow = true;
        else
            lookedGroups.ids[lookedGroups.count++] = id;
    }

    // The one pass both leans share, for the sides asked for.
    template <bool Left, bool Right>
    void LeanSides(Pointf const* p, double angle, double& right, double& left) const;

    // Truncates toward zero, keeping far-off and non-finite positions well outside any grid.
    static int CellIndex(double v)
    {
        if (!(v > -1.0e9))
            return -1000000000;
        if (v > 1.0e9)
            return 1000000000;
        return int(v);
    }

    // The groups a move is let through as they stand for one query.
    struct Blocking
    {
        unsigned int pass0;
        unsigned int pass1;
        unsigned int carried;

        // Whether a polygon can clip a move within the rectangle it spans.
        bool Blocks(Poly_Filter const& candidate, Rectf const& reach) const
        {
            unsigned int const g = candidate.group;
            if (g != 0 && (g == pass0 || g == pass1 || g == carried))
                return false;
            return candidate.solid && BoundsTouch(candidate.bound, reach);
        }
    };
    Blocking BlockingNow() const { return Blocking{passGroups[0], passGroups[1], carrier}; }

    void FreeGrid();
    // The cells of the grid that area overlaps, lower left to upper right; an empty range
    // (c0 > c1 or r0 > r1) when area lies off the grid.
    void CellsUnder(Rectf const& area, int& c0, int& r0, int& c1, int& r1) const;
    // The cells the grid files polygon poly in, its bound (with its group's cover) clamped to the grid.
    void FilingRange(unsigned int poly, int& c0, int& r0, int& c1, int& r1) const;
    // Whether polygon index can clip a move within the rectangle it spans.
    bool Blocks(unsigned int index, Rectf const& reach) const;
    // Two solid polygons whose outer edges lie on one line from opposite sides leave a crack of no
    // width. Each alone lets a point slide along its outline, so together they would let a point slip
    // into the crack (walk under a ramp's foot, fall beside a plate set into the floor); the stretch they
    // share stops a move running along it, as the seam of two joined polygons does.
    bool ClipAlongCracks(Pointf const* a, Pointf* b, MapGroup const* cell, unsigned int* poly,
                         unsigned int* edge) const;

    bool depthOrdered = false; // RenderOpaqueFirst drew the opaque polygons of this frame
    double zScale = 1.0;       // vertex z = (2 * window depth - 1 - zOffset) / zScale
    double zOffset = 0.0;
    Rectf screen;              // what is on screen, in the units drawn in, while depth ordered
};

// The groups whose polygons a step may have met (Map::lookedGroups, cleared before the step) and
// where each stood for it: the step answers alike whenever each of them stands so again.
struct Map_GroupsMet
{
    int count = 0;
    unsigned int ids[Map::LookedGroups::Max];
    MapBase_Placement standing[Map::LookedGroups::Max];

    // Of the step just taken; false when it met too many groups or one whose place is not known.
    bool Take(Map const* map)
    {
        count = 0;
        if (map->lookedGroups.overflow)
            return false;
        for (int i = 0; i < map->lookedGroups.count; i++)
        {
            ids[i] = map->lookedGroups.ids[i];
            if (!map->StandingFor(ids[i], standing[i]))
                return false;
        }
        count = map->lookedGroups.count;
        return true;
    }
    // Whether every one of them stands for the step about to be taken as it stood then.
    bool Hold(Map const* map) const
    {
        for (int i = 0; i < count; i++)
        {
            MapBase_Placement now;
            if (!map->StandingFor(ids[i], now) || !(now == standing[i]))
                return false;
        }
        return true;
    }
};


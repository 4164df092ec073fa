// MapWriter: builds a map file (big-endian, convex clockwise polygons, reference points) for the generator and tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct MapWriter_Point
{
    double x;
    double y;
    double u; // texture coordinates
    double v;
    bool drawEdge; // the outline from this point to the next is drawn
};

struct MapWriter_Poly
{
    uint32_t texture;
    uint32_t group;
    bool solid;
    bool foreground;
    std::vector<MapWriter_Point> points; // clockwise with y up
};

struct MapWriter_RefPoint
{
    uint32_t id;
    double x;
    double y;
};

class MapWriter final
{
public:
    MapWriter();

    void SetView(double x, double y, double scale);
    // Adds a convex polygon. Counter-clockwise input is turned round, keeping each edge's outline flag
    // with its edge; a polygon that is not convex or has coincident corners throws Error_PolygonInvalid.
    void AddPoly(MapWriter_Poly const& poly);
    // An axis-aligned box; texture coordinates are the world position divided by texScale.
    void AddBox(double x0, double y0, double x1, double y1, uint32_t texture, uint32_t group, bool solid,
                bool foreground, double texScale);
    void AddRefPoint(uint32_t id, double x, double y);

    // Throws Error_OpenFile naming the path when it cannot be written.
    void Write(char const* path) const;
    void Write(FILE* file) const;
    // The generator's way: a failure throws std::runtime_error "cannot write PATH", the whole path
    // however long.
    void WriteOrThrow(std::string const& path) const;

    // A small walkable scene (floor, steps, a wall, a moving platform as group 1, reference
    // points 0 to 3) written as dir/world/map for each world; failures throw std::runtime_error
    // like the rest of the generator.
    static void WritePlaceholders(std::string const& dir, char const* const* worlds, int count);

    double viewX;
    double viewY;
    double viewScale;
    std::vector<MapWriter_Poly> polys;
    std::vector<MapWriter_RefPoint> refPoints;
};

// MapWriter: the map file format written field by field in big-endian order.
#include "tools/MapWriter.h"

#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cmath>
#include <stdexcept>

namespace
{

void PutWord(FILE* file, uint32_t value)
{
    uint32_t const raw = FlipWord(value);
    fwrite(&raw, sizeof raw, 1, file);
}

void PutDouble(FILE* file, double value)
{
    double const raw = FlipDouble(value);
    fwrite(&raw, sizeof raw, 1, file);
}

bool Same(MapWriter_Point const& p, MapWriter_Point const& q)
{
    return std::fabs(p.x - q.x) < Util::Eps && std::fabs(p.y - q.y) < Util::Eps;
}

// Twice the signed area; negative for clockwise corners with y up.
double Area2(std::vector<MapWriter_Point> const& pts)
{
    double sum = 0.0;
    for (size_t i = 0; i < pts.size(); ++i)
    {
        MapWriter_Point const& p = pts[i];
        MapWriter_Point const& q = pts[(i + 1) % pts.size()];
        sum += p.x * q.y - q.x * p.y;
    }
    return sum;
}
} // namespace

MapWriter::MapWriter() : viewX(0.0), viewY(0.0), viewScale(1.0), polys(), refPoints()
{
}

void MapWriter::SetView(double x, double y, double scale)
{
    viewX = x;
    viewY = y;
    viewScale = scale;
}

void MapWriter::AddPoly(MapWriter_Poly const& poly)
{
    size_t const n = poly.points.size();
    if (n < 3)
        throw Error(Error_PolygonInvalid, "fewer than three corners");
    for (size_t i = 0; i < n; ++i)
    {
        if (Same(poly.points[i], poly.points[(i + 1) % n]))
            throw Error(Error_PolygonInvalid, "coincident corners");
    }
    MapWriter_Poly out = poly;
    if (Area2(poly.points) > 0.0)
    {
        // Reversed order: the edge leaving new point k is the old edge that left point n - 2 - k.
        for (size_t k = 0; k < n; ++k)
        {
            out.points[k] = poly.points[n - 1 - k];
            out.points[k].drawEdge = poly.points[(2 * n - 2 - k) % n].drawEdge;
        }
    }
    for (size_t i = 0; i < n; ++i)
    {
        MapWriter_Point const& p = out.points[i];
        MapWriter_Point const& q = out.points[(i + 1) % n];
        MapWriter_Point const& r = out.points[(i + 2) % n];
        // Clockwise corners turn right at every point.
        double const cross = (q.x - p.x) * (r.y - q.y) - (q.y - p.y) * (r.x - q.x);
        if (cross > Util::Eps)
            throw Error(Error_PolygonInvalid, "not convex");
    }
    polys.push_back(out);
}

void MapWriter::AddBox(double x0, double y0, double x1, double y1, uint32_t texture, uint32_t group, bool solid,
                       bool foreground, double texScale)
{
    MapWriter_Poly box{texture, group, solid, foreground, {}};
    double const xs[4] = {x0, x0, x1, x1};
    double const ys[4] = {y0, y1, y1, y0};
    for (int i = 0; i < 4; ++i)
        box.points.push_back({xs[i], ys[i], xs[i] / texScale, ys[i] / texScale, true});
    AddPoly(box);
}

void MapWriter::AddRefPoint(uint32_t id, double x, double y)
{
    refPoints.push_back({id, x, y});
}

void MapWriter::Write(char const* path) const
{
    FILE* file = HM_OpenFile(path, "wb");
    if (file == nullptr)
        throw Error(Error_OpenFile, path);
    Write(file);
    bool const failed = ferror(file) != 0;
    if (fclose(file) != 0 || failed)
        throw Error(Error_OpenFile, path);
}

void MapWriter::Write(FILE* file) const
{
    PutWord(file, uint32_t(polys.size()));
    PutDouble(file, viewX);
    PutDouble(file, viewY);
    PutDouble(file, viewScale);
    for (MapWriter_Poly const& poly : polys)
    {
        PutWord(file, uint32_t(poly.points.size()));
        PutWord(file, poly.texture);
        PutWord(file, poly.group);
        PutWord(file, poly.solid ? 1 : 0);
        PutWord(file, poly.foreground ? 1 : 0);
        for (MapWriter_Point const& p : poly.points)
        {
            PutDouble(file, p.x);
            PutDouble(file, p.y);
            PutDouble(file, p.u);
            PutDouble(file, p.v);
            PutWord(file, p.drawEdge ? 1 : 0);
        }
    }
    PutWord(file, uint32_t(refPoints.size()));
    for (MapWriter_RefPoint const& ref : refPoints)
    {
        PutWord(file, ref.id);
        PutDouble(file, ref.x);
        PutDouble(file, ref.y);
        fputc(0, file);
    }
}

void MapWriter::WriteOrThrow(std::string const& path) const
{
    try
    {
        Write(path.c_str());
    }
    catch (Error const&)
    {
        // The error's own text is the path cut to its fixed size.
        throw std::runtime_error("cannot write " + path);
    }
}

void MapWriter::WritePlaceholders(std::string const& dir, char const* const* worlds, int count)
{
    // Texture ids follow the generator's shared image map; brick (2) and stone (9) repeat both ways,
    // so any texture coordinate shows them.
    MapWriter scene;
    scene.SetView(-100, -100, 1);
    scene.AddBox(-200, -100, 1400, 0, 9, 0, true, false, 64);
    scene.AddBox(-200, 0, -100, 600, 2, 0, true, false, 64);
    scene.AddBox(1300, 0, 1400, 600, 2, 0, true, false, 64);
    scene.AddBox(300, 0, 400, 40, 9, 0, true, false, 64);
    scene.AddBox(400, 0, 500, 80, 9, 0, true, false, 64);
    scene.AddPoly(
        {9,
         0,
         true,
         false,
         {{700, 0, 700 / 64.0, 0, true}, {900, 120, 900 / 64.0, 120 / 64.0, true}, {900, 0, 900 / 64.0, 0, true}}});
    scene.AddBox(1000, 200, 1150, 215, 2, 1, true, false, 64);
    scene.AddBox(550, 150, 650, 165, 2, 0, true, true, 64);
    scene.AddRefPoint(0, 0, 0);
    scene.AddRefPoint(1, 1075, 215);
    scene.AddRefPoint(2, 600, 165);
    scene.AddRefPoint(3, 1250, 0);
    for (int i = 0; i < count; ++i)
        scene.WriteOrThrow(dir + "/" + worlds[i] + "/map");
}

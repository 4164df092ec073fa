#include "tools/worlds/castle.h"
#include "castle/Casle_Ids.h"
#include "tools/Canvas.h"
#include "tools/GlyphRasterizer.h"
#include <gtest/gtest.h>
#include "util/Error.h"
#include <cstdlib>
#include <string>
namespace {
void Render(MapWriter const& map, double x0, double y0, double x1, double y1, double scale, std::string const& file) {
    int w = int((x1 - x0) * scale), h = int((y1 - y0) * scale);
    Canvas c(w, h, Rgba{255, 255, 255, 255});
    GlyphRasterizer font(11, false);
    auto X = [&](double x) { return (x - x0) * scale; };
    auto Y = [&](double y) { return (y1 - y) * scale; };
    for (auto const& r : Casle_RoomRects) {
        c.FillRect(int(X(r.x0)), int(Y(r.y1)), int((r.x1 - r.x0) * scale), int((r.y1 - r.y0) * scale), Rgba{235, 240, 255, 255});
    }
    for (auto const& p : map.polys) {
        std::vector<double> xy;
        for (auto const& q : p.points) { xy.push_back(X(q.x)); xy.push_back(Y(q.y)); }
        Rgba col = p.solid ? Rgba{110, 110, 110, 255} : Rgba{225, 215, 200, 255};
        if (p.group != 0) {
            unsigned g = p.group;
            col = Rgba{uint8_t(60 + (g * 67) % 180), uint8_t(60 + (g * 131) % 180), uint8_t(60 + (g * 29) % 180), 255};
            if (!p.solid) col.a = 255, col = Rgba{uint8_t(col.r / 2 + 120), uint8_t(col.g / 2 + 120), uint8_t(col.b / 2 + 120), 255};
        }
        c.FillPolygon(xy, col);
        if (p.group != 0) {
            double cx = 0, cy = 0; for (size_t i = 0; i < xy.size(); i += 2) { cx += xy[i]; cy += xy[i + 1]; }
            cx /= xy.size() / 2; cy /= xy.size() / 2;
            font.DrawLabel(c, int(cx), int(cy) + 4, "g" + std::to_string(p.group), Rgba{255, 255, 0, 255});
        }
    }
    for (auto const& r : Casle_RoomRects) {
        c.FrameRect(int(X(r.x0)), int(Y(r.y1)), int((r.x1 - r.x0) * scale), int((r.y1 - r.y0) * scale), 1, Rgba{255, 0, 0, 255});
        font.DrawText(c, int(X(r.x0)) + 2, int(Y(r.y1)) + 12, "R" + std::to_string(r.room), Rgba{200, 0, 0, 255});
    }
    for (auto const& rp : map.refPoints) {
        c.FillCircle(X(rp.x), Y(rp.y), 3, Rgba{0, 0, 255, 255});
        font.DrawLabel(c, int(X(rp.x)), int(Y(rp.y)) - 4, std::to_string(rp.id), Rgba{80, 160, 255, 255});
    }
    c.WritePng(file);
}
}
TEST(ScratchRender, Map) {
    MapWriter m;
    try { m = CastleWriter::BuildMap(); } catch (std::exception const& e) { FAIL() << e.what(); }
    double s = std::getenv("S") ? atof(std::getenv("S")) : 0.25;
    if (auto* r = std::getenv("R")) {
        double x0, y0, x1, y1; sscanf(r, "%lf,%lf,%lf,%lf", &x0, &y0, &x1, &y1);
        Render(m, x0, y0, x1, y1, s, "/tmp/castle-dbg/crop.png");
    } else
        Render(m, -800, 2780, 7700, 7040, s, "/tmp/castle-dbg/all.png");
}

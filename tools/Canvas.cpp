// The data generator's pictures: an RGBA canvas painted through cairo and written out as a PNG file.
#include "tools/Canvas.h"

#include "tools/GlyphRasterizer.h"

#include <png.h>

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

namespace
{

struct PngLayout
{
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGBA;
    png_color const* palette = nullptr;
    int paletteSize = 0;
    png_byte const* trns = nullptr;
    int trnsSize = 0;
};

// Kept free of objects with destructors: libpng leaves it by longjmp on error.
bool WriteRows(FILE* file, int w, int h, PngLayout const& layout, png_bytep* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, layout.bitDepth, layout.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (layout.palette != nullptr)
        png_set_PLTE(png, info, layout.palette, layout.paletteSize);
    if (layout.trns != nullptr)
        png_set_tRNS(png, info, layout.trns, layout.trnsSize, nullptr);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::uint8_t Clamp8(double v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

constexpr double Pi = 3.14159265358979323846;

std::uint32_t Premultiplied(Rgba c)
{
    auto times = [a = c.a](std::uint8_t v) { return static_cast<std::uint32_t>((v * a + 127) / 255); };
    return std::uint32_t(c.a) << 24 | times(c.r) << 16 | times(c.g) << 8 | times(c.b);
}

Rgba Straight(std::uint32_t p)
{
    std::uint32_t const a = p >> 24;
    if (a == 0)
        return Rgba{};
    auto undo = [a](std::uint32_t v) { return static_cast<std::uint8_t>(std::min(255u, (v * 255 + a / 2) / a)); };
    return Rgba{undo((p >> 16) & 0xFF), undo((p >> 8) & 0xFF), undo(p & 0xFF), static_cast<std::uint8_t>(a)};
}

// A circular arc as cubic curves of at most a quarter turn each, from the path's current point
// (which must be the arc's start).
void ArcTo(Canvas_Shape& shape, double cx, double cy, double r, double from, double to)
{
    int const pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(to - from) / (Pi / 2) - 1e-9)));
    double const step = (to - from) / pieces;
    double const k = 4.0 / 3.0 * std::tan(step / 4.0) * r;
    for (int i = 0; i < pieces; ++i)
    {
        double const a0 = from + step * i;
        double const a1 = a0 + step;
        double const x0 = cx + r * std::cos(a0), y0 = cy + r * std::sin(a0);
        double const x3 = cx + r * std::cos(a1), y3 = cy + r * std::sin(a1);
        shape.CurveTo(x0 - k * std::sin(a0), y0 + k * std::cos(a0), x3 + k * std::sin(a1), y3 - k * std::cos(a1), x3,
                      y3);
    }
}

// Corners in the order that turns the same way as the other shapes (clockwise on the picture), so
// that shapes put together fill as one.
std::vector<double> Clockwise(std::vector<double> xy)
{
    std::size_t const n = xy.size() / 2;
    double area = 0.0;
    for (std::size_t i = 0; i < n; ++i)
    {
        std::size_t const j = (i + 1) % n;
        area += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
    }
    if (area < 0.0)
        for (std::size_t i = 0; i < n / 2; ++i)
        {
            std::swap(xy[2 * i], xy[2 * (n - 1 - i)]);
            std::swap(xy[2 * i + 1], xy[2 * (n - 1 - i) + 1]);
        }
    return xy;
}

void CheckStatus(cairo_status_t status)
{
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("cairo: ") + cairo_status_to_string(status));
}

} // namespace

// ---- Colours ----

Rgba Rgba::Shade(double f) const
{
    if (f <= 1.0)
        return Rgba{Clamp8(r * f), Clamp8(g * f), Clamp8(b * f), a};
    return Mix(Rgba{255, 255, 255, a}, std::min(1.0, f - 1.0));
}

Rgba Rgba::Mix(Rgba other, double f) const
{
    auto lerp = [f](std::uint8_t x, std::uint8_t y) { return Clamp8(x + (y - x) * f); };
    return Rgba{lerp(r, other.r), lerp(g, other.g), lerp(b, other.b), lerp(a, other.a)};
}

Rgba Rgba::WithAlpha(std::uint8_t alpha) const
{
    return Rgba{r, g, b, alpha};
}

// ---- Paints ----

Canvas_Paint::Canvas_Paint(Rgba colour) : stops{{0.0, colour}}
{
}

Canvas_Paint Canvas_Paint::Linear(double x0, double y0, double x1, double y1, Rgba from, Rgba to)
{
    Canvas_Paint p;
    p.kind = Kind::Linear;
    p.geometry[0] = x0;
    p.geometry[1] = y0;
    p.geometry[2] = x1;
    p.geometry[3] = y1;
    p.stops = {{0.0, from}, {1.0, to}};
    return p;
}

Canvas_Paint Canvas_Paint::Radial(double cx, double cy, double r, Rgba centre, Rgba edge)
{
    Canvas_Paint p;
    p.kind = Kind::Radial;
    p.geometry[0] = cx;
    p.geometry[1] = cy;
    p.geometry[2] = r;
    p.stops = {{0.0, centre}, {1.0, edge}};
    return p;
}

Canvas_Paint Canvas_Paint::Lit(Rgba colour, double top, double bottom)
{
    return Linear(0.0, top, 0.0, bottom, colour.Shade(1.18), colour.Shade(0.8));
}

Canvas_Paint& Canvas_Paint::Stop(double at, Rgba colour)
{
    stops.push_back({at, colour});
    return *this;
}

// ---- Shapes ----

Canvas_Shape Canvas_Shape::Rect(double x, double y, double w, double h)
{
    return Polygon({x, y, x + w, y, x + w, y + h, x, y + h});
}

Canvas_Shape Canvas_Shape::RoundRect(double x, double y, double w, double h, double radius)
{
    double const r = std::clamp(radius, 0.0, std::min(w, h) / 2.0);
    Canvas_Shape s;
    s.MoveTo(x + r, y).LineTo(x + w - r, y);
    ArcTo(s, x + w - r, y + r, r, -Pi / 2, 0.0);
    s.LineTo(x + w, y + h - r);
    ArcTo(s, x + w - r, y + h - r, r, 0.0, Pi / 2);
    s.LineTo(x + r, y + h);
    ArcTo(s, x + r, y + h - r, r, Pi / 2, Pi);
    s.LineTo(x, y + r);
    ArcTo(s, x + r, y + r, r, Pi, 1.5 * Pi);
    return s.Close();
}

Canvas_Shape Canvas_Shape::Ellipse(double cx, double cy, double rx, double ry)
{
    Canvas_Shape s;
    s.MoveTo(cx + 1.0, cy);
    ArcTo(s, cx, cy, 1.0, 0.0, 2.0 * Pi);
    s.Close();
    return s.Scaled(rx, ry, cx, cy);
}

Canvas_Shape Canvas_Shape::Polygon(std::vector<double> const& xy)
{
    Canvas_Shape s = Polyline(Clockwise(xy));
    if (!s.steps.empty())
        s.Close();
    return s;
}

Canvas_Shape Canvas_Shape::Polyline(std::vector<double> const& xy)
{
    Canvas_Shape s;
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
    {
        if (i == 0)
            s.MoveTo(xy[0], xy[1]);
        else
            s.LineTo(xy[i], xy[i + 1]);
    }
    return s;
}

Canvas_Shape Canvas_Shape::Blob(std::vector<double> const& points)
{
    std::vector<double> const xy = Clockwise(points);
    std::size_t const n = xy.size() / 2;
    Canvas_Shape s;
    if (n < 3)
        return Polygon(xy);
    auto x = [&](std::size_t i) { return xy[2 * (i % n)]; };
    auto y = [&](std::size_t i) { return xy[2 * (i % n) + 1]; };
    s.MoveTo(x(0), y(0));
    // Through each point with the tangent of its neighbours (a closed Catmull-Rom curve).
    for (std::size_t i = 0; i < n; ++i)
    {
        std::size_t const prev = i + n - 1, next = i + 1, after = i + 2;
        s.CurveTo(x(i) + (x(next) - x(prev)) / 6.0, y(i) + (y(next) - y(prev)) / 6.0, x(next) - (x(after) - x(i)) / 6.0,
                  y(next) - (y(after) - y(i)) / 6.0, x(next), y(next));
    }
    return s.Close();
}

Canvas_Shape Canvas_Shape::Capsule(double x0, double y0, double x1, double y1, double thickness)
{
    double const r = thickness / 2.0;
    if (std::hypot(x1 - x0, y1 - y0) < 1e-9)
        return Ellipse(x0, y0, r, r);
    double const a = std::atan2(y1 - y0, x1 - x0);
    double const nx = r * std::cos(a - Pi / 2), ny = r * std::sin(a - Pi / 2);
    Canvas_Shape s;
    s.MoveTo(x0 + nx, y0 + ny).LineTo(x1 + nx, y1 + ny);
    ArcTo(s, x1, y1, r, a - Pi / 2, a + Pi / 2);
    s.LineTo(x0 - nx, y0 - ny);
    ArcTo(s, x0, y0, r, a + Pi / 2, a + 1.5 * Pi);
    return s.Close();
}

Canvas_Shape& Canvas_Shape::MoveTo(double x, double y)
{
    steps.push_back({Step::Move, {x, y, 0, 0, 0, 0}});
    return *this;
}

Canvas_Shape& Canvas_Shape::LineTo(double x, double y)
{
    steps.push_back({Step::Line, {x, y, 0, 0, 0, 0}});
    return *this;
}

Canvas_Shape& Canvas_Shape::CurveTo(double x1, double y1, double x2, double y2, double x, double y)
{
    steps.push_back({Step::Curve, {x1, y1, x2, y2, x, y}});
    return *this;
}

Canvas_Shape& Canvas_Shape::Close()
{
    steps.push_back({Step::ClosePath, {}});
    return *this;
}

Canvas_Shape& Canvas_Shape::Add(Canvas_Shape const& other)
{
    steps.insert(steps.end(), other.steps.begin(), other.steps.end());
    return *this;
}

namespace
{

// Each point of the shape's steps through f.
template <typename F>
Canvas_Shape Mapped(Canvas_Shape const& shape, F const& f)
{
    Canvas_Shape out;
    for (Canvas_Shape::Step step : shape.Steps())
    {
        int const points = step.kind == Canvas_Shape::Step::Curve       ? 3
                           : step.kind == Canvas_Shape::Step::ClosePath ? 0
                                                                        : 1;
        for (int i = 0; i < points; ++i)
            f(step.p[2 * i], step.p[2 * i + 1]);
        switch (step.kind)
        {
        case Canvas_Shape::Step::Move:
            out.MoveTo(step.p[0], step.p[1]);
            break;
        case Canvas_Shape::Step::Line:
            out.LineTo(step.p[0], step.p[1]);
            break;
        case Canvas_Shape::Step::Curve:
            out.CurveTo(step.p[0], step.p[1], step.p[2], step.p[3], step.p[4], step.p[5]);
            break;
        case Canvas_Shape::Step::ClosePath:
            out.Close();
            break;
        }
    }
    return out;
}

} // namespace

Canvas_Shape Canvas_Shape::Moved(double dx, double dy) const
{
    return Mapped(*this, [=](double& x, double& y) {
        x += dx;
        y += dy;
    });
}

Canvas_Shape Canvas_Shape::Turned(double angle, double cx, double cy) const
{
    double const c = std::cos(angle), s = std::sin(angle);
    return Mapped(*this, [=](double& x, double& y) {
        double const dx = x - cx, dy = y - cy;
        x = cx + dx * c - dy * s;
        y = cy + dx * s + dy * c;
    });
}

Canvas_Shape Canvas_Shape::Scaled(double sx, double sy, double cx, double cy) const
{
    return Mapped(*this, [=](double& x, double& y) {
        x = cx + (x - cx) * sx;
        y = cy + (y - cy) * sy;
    });
}

// ---- The canvas ----

Canvas::Canvas(int w, int h, Rgba fill)
{
    if (w <= 0 || h <= 0)
        throw std::invalid_argument("canvas size must be positive");
    Create(w, h);
    Clear(fill);
}

Canvas::~Canvas()
{
    Release();
}

Canvas::Canvas(Canvas const& other)
{
    Create(other.width, other.height);
    CopyPixels(other);
}

Canvas& Canvas::operator=(Canvas const& other)
{
    if (this != &other)
    {
        Canvas copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Canvas::Canvas(Canvas&& other) noexcept
    : width(other.width), height(other.height), surface(other.surface), cr(other.cr), wrapped(other.wrapped)
{
    other.surface = nullptr;
    other.cr = nullptr;
    other.width = other.height = 0;
}

Canvas& Canvas::operator=(Canvas&& other) noexcept
{
    if (this != &other)
    {
        Release();
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
        surface = std::exchange(other.surface, nullptr);
        cr = std::exchange(other.cr, nullptr);
        wrapped = other.wrapped;
    }
    return *this;
}

void Canvas::Create(int w, int h)
{
    width = w;
    height = h;
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr = cairo_create(surface);
    cairo_status_t const status = cairo_status(cr);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        Release();
        CheckStatus(status);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

void Canvas::Release()
{
    if (cr != nullptr)
        cairo_destroy(cr);
    if (surface != nullptr)
        cairo_surface_destroy(surface);
    cr = nullptr;
    surface = nullptr;
}

void Canvas::CopyPixels(Canvas const& other)
{
    cairo_surface_flush(other.surface);
    int const stride = cairo_image_surface_get_stride(surface);
    std::memcpy(cairo_image_surface_get_data(surface), cairo_image_surface_get_data(other.surface),
                static_cast<std::size_t>(stride) * height);
    cairo_surface_mark_dirty(surface);
}

namespace
{

std::uint32_t* PixelAt(cairo_surface_t* surface, int x, int y)
{
    unsigned char* row =
        cairo_image_surface_get_data(surface) + static_cast<std::size_t>(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<std::uint32_t*>(row) + x;
}

} // namespace

Rgba Canvas::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Rgba{};
    cairo_surface_flush(surface);
    return Straight(*PixelAt(surface, x, y));
}

void Canvas::Set(int x, int y, Rgba c)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    cairo_surface_flush(surface);
    *PixelAt(surface, x, y) = Premultiplied(c);
    cairo_surface_mark_dirty(surface);
}

void Canvas::Blend(int x, int y, Rgba c, double cover)
{
    if (cover <= 0.0)
        return;
    if (cover >= 1.0)
    {
        Set(x, y, c);
        return;
    }
    Rgba const old = Get(x, y);
    Rgba mixed = old.Mix(c, cover);
    mixed.a = std::max(old.a, Clamp8(c.a * cover));
    Set(x, y, mixed);
}

void Canvas::Clear(Rgba c)
{
    FillRect(0, 0, width, height, c);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c)
{
    cairo_surface_flush(surface);
    std::uint32_t const p = Premultiplied(c);
    for (int j = std::max(0, y); j < std::min(height, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(width, x + w); ++i)
            *PixelAt(surface, i, j) = p;
    cairo_surface_mark_dirty(surface);
}

void Canvas::FrameRect(int x, int y, int w, int h, int thickness, Rgba c)
{
    FillRect(x, y, w, thickness, c);
    FillRect(x, y + h - thickness, w, thickness, c);
    FillRect(x, y, thickness, h, c);
    FillRect(x + w - thickness, y, thickness, h, c);
}

Canvas Canvas::OnKey(Rgba key) const
{
    Canvas out(width, height);
    cairo_surface_flush(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            Rgba const p = Straight(*PixelAt(surface, x, y));
            *PixelAt(out.surface, x, y) = Premultiplied(p.a < 128 ? key : p.WithAlpha(255));
        }
    cairo_surface_mark_dirty(out.surface);
    return out;
}

Canvas Canvas::Cut(int x, int y, int w, int h) const
{
    Canvas out(w, h);
    cairo_surface_flush(surface);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (x + i >= 0 && y + j >= 0 && x + i < width && y + j < height)
                *PixelAt(out.surface, i, j) = *PixelAt(surface, x + i, y + j);
    cairo_surface_mark_dirty(out.surface);
    return out;
}

template <typename F>
void Canvas::Paint_(F const& draw)
{
    cairo_surface_flush(surface);
    if (!wrapped)
        draw();
    else
    {
        cairo_matrix_t matrix;
        cairo_get_matrix(cr, &matrix);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
            {
                cairo_matrix_t shifted = matrix;
                shifted.x0 += dx * width;
                shifted.y0 += dy * height;
                cairo_set_matrix(cr, &shifted);
                draw();
            }
        cairo_set_matrix(cr, &matrix);
    }
    cairo_surface_flush(surface);
    CheckStatus(cairo_status(cr));
}

void Canvas::SetSource(Canvas_Paint const& paint)
{
    auto unit = [](std::uint8_t v) { return v / 255.0; };
    std::vector<Canvas_Paint::ColourStop> const& stops = paint.Stops();
    double const* g = paint.Geometry();
    cairo_pattern_t* pattern = nullptr;
    switch (paint.GetKind())
    {
    case Canvas_Paint::Kind::Solid:
    {
        Rgba const c = stops.front().colour;
        cairo_set_source_rgba(cr, unit(c.r), unit(c.g), unit(c.b), unit(c.a));
        return;
    }
    case Canvas_Paint::Kind::Linear:
        pattern = cairo_pattern_create_linear(g[0], g[1], g[2], g[3]);
        break;
    case Canvas_Paint::Kind::Radial:
        pattern = cairo_pattern_create_radial(g[0], g[1], 0.0, g[0], g[1], g[2]);
        break;
    }
    for (Canvas_Paint::ColourStop const& s : stops)
        cairo_pattern_add_color_stop_rgba(pattern, s.at, unit(s.colour.r), unit(s.colour.g), unit(s.colour.b),
                                          unit(s.colour.a));
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

void Canvas::SetPath(Canvas_Shape const& shape)
{
    cairo_new_path(cr);
    for (Canvas_Shape::Step const& s : shape.Steps())
        switch (s.kind)
        {
        case Canvas_Shape::Step::Move:
            cairo_move_to(cr, s.p[0], s.p[1]);
            break;
        case Canvas_Shape::Step::Line:
            cairo_line_to(cr, s.p[0], s.p[1]);
            break;
        case Canvas_Shape::Step::Curve:
            cairo_curve_to(cr, s.p[0], s.p[1], s.p[2], s.p[3], s.p[4], s.p[5]);
            break;
        case Canvas_Shape::Step::ClosePath:
            cairo_close_path(cr);
            break;
        }
}

void Canvas::Fill(Canvas_Shape const& shape, Canvas_Paint const& paint)
{
    Paint_([&] {
        SetPath(shape);
        SetSource(paint);
        cairo_fill(cr);
    });
}

void Canvas::Trace(Canvas_Shape const& shape, Canvas_Pen const& pen)
{
    Paint_([&] {
        SetPath(shape);
        SetSource(pen.colour);
        cairo_set_line_width(cr, pen.width);
        cairo_stroke(cr);
    });
}

void Canvas::Draw(Canvas_Shape const& shape, Canvas_Paint const& fill, Canvas_Pen const& outline)
{
    Fill(shape, fill);
    Trace(shape, outline);
}

void Canvas::Line(double x0, double y0, double x1, double y1, Canvas_Pen const& pen)
{
    Trace(Canvas_Shape().MoveTo(x0, y0).LineTo(x1, y1), pen);
}

void Canvas::Text(double x, double baseline, std::string const& text, Canvas_Text const& style)
{
    GlyphRasterizer const font(style.size, style.bold);
    std::vector<RasterGlyph> glyphs;
    int advance = 0;
    for (char c : text)
    {
        glyphs.push_back(font.Render(c));
        advance += glyphs.back().advance;
    }
    double const shift = style.align == Canvas_Align::Left     ? 0.0
                         : style.align == Canvas_Align::Centre ? advance / 2.0
                                                               : advance;
    // Whole pixels keep the letters as sharp as the rasteriser made them.
    double const left = std::round(x - shift);
    double const base = std::round(baseline);

    // Each glyph's coverage becomes a mask through which the colour is laid.
    std::vector<cairo_surface_t*> masks;
    for (RasterGlyph const& g : glyphs)
    {
        if (g.width == 0 || g.rows == 0)
        {
            masks.push_back(nullptr);
            continue;
        }
        cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, g.width, g.rows);
        cairo_surface_flush(mask);
        int const stride = cairo_image_surface_get_stride(mask);
        unsigned char* data = cairo_image_surface_get_data(mask);
        for (int row = 0; row < g.rows; ++row)
            std::memcpy(data + static_cast<std::size_t>(row) * stride,
                        &g.coverage[static_cast<std::size_t>(row) * g.width], g.width);
        cairo_surface_mark_dirty(mask);
        masks.push_back(mask);
    }
    auto lay = [&](Rgba colour, double dx, double dy) {
        Paint_([&] {
            SetSource(colour);
            double pen = left;
            for (std::size_t i = 0; i < glyphs.size(); ++i)
            {
                if (masks[i] != nullptr)
                    cairo_mask_surface(cr, masks[i], pen + glyphs[i].left + dx, base - glyphs[i].top + dy);
                pen += glyphs[i].advance;
            }
        });
    };
    if (style.rim.a != 0)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx != 0 || dy != 0)
                    lay(style.rim, dx, dy);
    lay(style.colour, 0.0, 0.0);
    for (cairo_surface_t* mask : masks)
        if (mask != nullptr)
            cairo_surface_destroy(mask);
}

int Canvas::TextWidth(std::string const& text, int size, bool bold)
{
    return GlyphRasterizer(size, bold).MeasureText(text);
}

// ---- Frames ----

Canvas::Frame::Frame(Canvas* owner, bool wrapBefore) : canvas(owner), wrap(wrapBefore)
{
}

Canvas::Frame::~Frame()
{
    cairo_restore(canvas->cr);
    canvas->wrapped = wrap;
}

Canvas::Frame Canvas::Moved(double dx, double dy)
{
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    return Frame(this, wrapped);
}

Canvas::Frame Canvas::Turned(double angle, double cx, double cy)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -cx, -cy);
    return Frame(this, wrapped);
}

Canvas::Frame Canvas::Scaled(double sx, double sy, double cx, double cy)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, sx, sy);
    cairo_translate(cr, -cx, -cy);
    return Frame(this, wrapped);
}

Canvas::Frame Canvas::Wrapped()
{
    bool const before = wrapped;
    cairo_save(cr);
    wrapped = true;
    return Frame(this, before);
}

double Canvas_Scatter::Next(double lo, double hi)
{
    if (state == 0)
        state = 1;
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return lo + (hi - lo) * (state / 4294967296.0);
}

void Canvas::WritePng(std::string const& path, PngFormat format) const
{
    PngLayout layout;
    std::vector<png_color> palette;
    std::vector<png_byte> trns;
    std::size_t bytesPerRow = 0;
    switch (format)
    {
    case PngFormat::Rgba:
        layout.colourType = PNG_COLOR_TYPE_RGBA;
        bytesPerRow = 4 * width;
        break;
    case PngFormat::Rgb:
        layout.colourType = PNG_COLOR_TYPE_RGB;
        bytesPerRow = 3 * width;
        break;
    case PngFormat::Palette:
    case PngFormat::PaletteTrns:
        layout.colourType = PNG_COLOR_TYPE_PALETTE;
        bytesPerRow = width;
        break;
    case PngFormat::Grey:
        layout.colourType = PNG_COLOR_TYPE_GRAY;
        bytesPerRow = width;
        break;
    case PngFormat::GreyAlpha:
        layout.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
        bytesPerRow = 2 * width;
        break;
    case PngFormat::Grey2:
        layout.colourType = PNG_COLOR_TYPE_GRAY;
        layout.bitDepth = 2;
        bytesPerRow = (width + 3) / 4;
        break;
    case PngFormat::Rgb16:
        layout.colourType = PNG_COLOR_TYPE_RGB;
        layout.bitDepth = 16;
        bytesPerRow = 6 * width;
        break;
    }

    std::map<std::uint32_t, int> paletteIndex;
    std::vector<png_byte> bytes(bytesPerRow * height, 0);
    cairo_surface_flush(surface);
    for (int y = 0; y < height; ++y)
    {
        png_byte* row = &bytes[y * bytesPerRow];
        for (int x = 0; x < width; ++x)
        {
            Rgba const p = Straight(*PixelAt(surface, x, y));
            switch (format)
            {
            case PngFormat::Rgba:
                row[4 * x] = p.r;
                row[4 * x + 1] = p.g;
                row[4 * x + 2] = p.b;
                row[4 * x + 3] = p.a;
                break;
            case PngFormat::Rgb:
                row[3 * x] = p.r;
                row[3 * x + 1] = p.g;
                row[3 * x + 2] = p.b;
                break;
            case PngFormat::Palette:
            case PngFormat::PaletteTrns:
            {
                bool withAlpha = format == PngFormat::PaletteTrns;
                std::uint32_t key = (std::uint32_t(p.r) << 24) | (p.g << 16) | (p.b << 8) | (withAlpha ? p.a : 255u);
                auto found = paletteIndex.find(key);
                if (found == paletteIndex.end())
                {
                    if (palette.size() == 256)
                        throw std::runtime_error("too many colours for a palette: " + path);
                    found = paletteIndex.emplace(key, static_cast<int>(palette.size())).first;
                    palette.push_back(png_color{p.r, p.g, p.b});
                    trns.push_back(withAlpha ? p.a : 255);
                }
                row[x] = static_cast<png_byte>(found->second);
                break;
            }
            case PngFormat::Grey:
                row[x] = p.r;
                break;
            case PngFormat::GreyAlpha:
                row[2 * x] = p.r;
                row[2 * x + 1] = p.a;
                break;
            case PngFormat::Grey2:
                row[x / 4] |= static_cast<png_byte>((p.r >> 6) << (6 - 2 * (x % 4)));
                break;
            case PngFormat::Rgb16:
                for (int k = 0; k < 3; ++k)
                {
                    std::uint8_t v = k == 0 ? p.r : k == 1 ? p.g : p.b;
                    row[6 * x + 2 * k] = v;
                    row[6 * x + 2 * k + 1] = v;
                }
                break;
            }
        }
    }
    if (!palette.empty())
    {
        layout.palette = palette.data();
        layout.paletteSize = static_cast<int>(palette.size());
        if (format == PngFormat::PaletteTrns)
        {
            layout.trns = trns.data();
            layout.trnsSize = static_cast<int>(trns.size());
        }
    }

    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y)
        rows[y] = &bytes[y * bytesPerRow];

    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    bool written = WriteRows(file, width, height, layout, rows.data());
    bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw std::runtime_error("failed writing PNG " + path);
}

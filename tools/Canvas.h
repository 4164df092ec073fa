// The data generator's pictures: an RGBA canvas painted through cairo (anti-aliased shapes in flat
// colours or gradients, outlines, text) and written out as a PNG file in any layout the loader reads.
//
// A picture reads as a description of what it shows:
//
//     Canvas c(32, 32);
//     Canvas_Pen const ink{Rgba{40, 30, 30, 255}, 1.0};
//     c.Draw(Canvas_Shape::Capsule(16, 12, 16, 22, 10), Canvas_Paint::Linear(0, 12, 0, 22, blue, blue.Shade(0.7)),
//     ink); c.Draw(Canvas_Shape::Circle(16, 8, 6), skin, ink); { Canvas::Frame tilted = c.Turned(0.3, 16, 31);
//     c.Fill(Canvas_Shape::Ellipse(16, 28, 8, 3), shadow); } c.Text(16, 30, "Hi", Canvas_Text{});
//
// Coordinates are picture pixels from the top-left corner, x to the right and y downwards, in file
// order; a pixel's centre is at (x + 0.5, y + 0.5), so a shape on whole numbers covers whole pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _cairo;
struct _cairo_surface;

// A colour with straight (not premultiplied) alpha.
struct Rgba final
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    bool operator==(Rgba const&) const = default;

    // Darker for f below 1 (scaled towards black), lighter for f above 1 (mixed towards white by f - 1).
    Rgba Shade(double f) const;
    // f of the way from this colour to other, alpha included.
    Rgba Mix(Rgba other, double f) const;
    Rgba WithAlpha(std::uint8_t alpha) const;
};

// Where the colour of a fill comes from: one colour, or a gradient between colour stops.
class Canvas_Paint final
{
public:
    // Implicit: a colour serves wherever a paint is asked for.
    Canvas_Paint(Rgba colour);

    // From `from` at (x0, y0) to `to` at (x1, y1), flat beyond both ends.
    static Canvas_Paint Linear(double x0, double y0, double x1, double y1, Rgba from, Rgba to);
    // From `centre` at (cx, cy) to `edge` at radius r and beyond.
    static Canvas_Paint Radial(double cx, double cy, double r, Rgba centre, Rgba edge);
    // The colour lit from above: lighter at row `top`, darker at row `bottom`, so that a body reads as round.
    static Canvas_Paint Lit(Rgba colour, double top, double bottom);
    // A further colour at a fraction of the way (0 the start, 1 the end) of a gradient.
    Canvas_Paint& Stop(double at, Rgba colour);

    struct ColourStop
    {
        double at;
        Rgba colour;
    };
    enum class Kind
    {
        Solid,
        Linear,
        Radial,
    };
    Kind GetKind() const { return kind; }
    double const* Geometry() const { return geometry; } // linear: x0 y0 x1 y1; radial: cx cy r
    std::vector<ColourStop> const& Stops() const { return stops; }

private:
    Canvas_Paint() = default;

    Kind kind = Kind::Solid;
    double geometry[4] = {};
    std::vector<ColourStop> stops; // one for a solid colour
};

// How an outline is drawn: its colour and its width in pixels, with round joins and ends.
struct Canvas_Pen final
{
    Rgba colour;
    double width = 1.0;
};

// An outline made of straight lines and curves, to fill or to trace. Closed shapes run clockwise and
// fill by the non-zero rule, so the parts of a shape put together with Add fill as one; a part
// mirrored (scaled by -1) runs the other way and cuts a hole instead.
class Canvas_Shape final
{
public:
    static Canvas_Shape Rect(double x, double y, double w, double h);
    static Canvas_Shape RoundRect(double x, double y, double w, double h, double radius);
    static Canvas_Shape Ellipse(double cx, double cy, double rx, double ry);
    static Canvas_Shape Circle(double cx, double cy, double r) { return Ellipse(cx, cy, r, r); }
    // Corners x0, y0, x1, y1, ...; closed.
    static Canvas_Shape Polygon(std::vector<double> const& xy);
    // The same points joined but left open: a path to trace, such as a tail or a rope.
    static Canvas_Shape Polyline(std::vector<double> const& xy);
    // A smooth closed outline through the points, for leaves, hills and bodies.
    static Canvas_Shape Blob(std::vector<double> const& xy);
    // A bar of the given thickness with round ends from (x0, y0) to (x1, y1): a limb, a branch.
    static Canvas_Shape Capsule(double x0, double y0, double x1, double y1, double thickness);

    // Building an outline step by step.
    Canvas_Shape& MoveTo(double x, double y);
    Canvas_Shape& LineTo(double x, double y);
    Canvas_Shape& CurveTo(double x1, double y1, double x2, double y2, double x, double y);
    Canvas_Shape& Close();
    // Puts another outline into this one.
    Canvas_Shape& Add(Canvas_Shape const& other);

    // Copies moved, turned by angle radians (clockwise on the picture) about (cx, cy), or scaled
    // about (cx, cy); a negative factor mirrors.
    Canvas_Shape Moved(double dx, double dy) const;
    Canvas_Shape Turned(double angle, double cx, double cy) const;
    Canvas_Shape Scaled(double sx, double sy, double cx, double cy) const;

    struct Step
    {
        enum Kind
        {
            Move,
            Line,
            Curve,
            ClosePath,
        } kind;
        double p[6]; // the points the step takes: one for Move and Line, three for Curve
    };
    std::vector<Step> const& Steps() const { return steps; }

private:
    std::vector<Step> steps;
};

enum class Canvas_Align
{
    Left,
    Centre,
    Right,
};

// Letters of the generator's TrueType font, with a dark rim one pixel wide so that they read on
// any ground (a rim with alpha 0 is left out).
struct Canvas_Text final
{
    int size = 20; // pixels
    bool bold = true;
    Rgba colour{255, 255, 255, 255};
    Rgba rim{20, 20, 30, 255};
    Canvas_Align align = Canvas_Align::Centre;
};

// How a canvas is stored in the file. The loader must accept every one of these, so the
// odd ones (palette, grey, sub-byte depths, 16-bit channels) exist for its tests.
enum class PngFormat
{
    Rgba,        // 8-bit RGBA
    Rgb,         // 8-bit RGB, alpha dropped
    Palette,     // 8-bit palette, alpha dropped
    PaletteTrns, // 8-bit palette with a tRNS chunk carrying the alpha
    Grey,        // 8-bit grey from the red channel
    GreyAlpha,   // 8-bit grey + alpha
    Grey2,       // 2-bit grey from the red channel
    Rgb16,       // 16-bit RGB
};

class Canvas final
{
public:
    Canvas(int w, int h, Rgba fill = Rgba{});
    ~Canvas();
    Canvas(Canvas const& other);
    Canvas& operator=(Canvas const& other);
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;

    int Width() const { return width; }
    int Height() const { return height; }

    // ---- Painting ----
    void Fill(Canvas_Shape const& shape, Canvas_Paint const& paint);
    void Trace(Canvas_Shape const& shape, Canvas_Pen const& pen);
    // Filled, then outlined over its edge.
    void Draw(Canvas_Shape const& shape, Canvas_Paint const& fill, Canvas_Pen const& outline);
    // A straight stroke with round ends.
    void Line(double x0, double y0, double x1, double y1, Canvas_Pen const& pen);
    // Text on the baseline; x is its left end, middle or right end as the style aligns it.
    void Text(double x, double baseline, std::string const& text, Canvas_Text const& style);
    // The width the text takes in pixels, rim excluded.
    static int TextWidth(std::string const& text, int size, bool bold);

    // Drawing in a moved, turned or scaled frame until the returned Frame goes out of scope;
    // frames nest, and text follows them as shapes do.
    class Frame final
    {
    public:
        ~Frame();
        Frame(Frame const&) = delete;
        Frame& operator=(Frame const&) = delete;

    private:
        friend class Canvas;
        Frame(Canvas* owner, bool wrapBefore);
        Canvas* canvas;
        bool wrap;
    };
    [[nodiscard]] Frame Moved(double dx, double dy);
    [[nodiscard]] Frame Turned(double angle, double cx, double cy);
    [[nodiscard]] Frame Scaled(double sx, double sy, double cx, double cy);
    // While it lives, whatever crosses an edge comes in again at the opposite one, so that a
    // texture repeats without a seam.
    [[nodiscard]] Frame Wrapped();

    // ---- Shortcuts for the commonest shapes, as the first generators wrote them ----
    void FillCircle(double cx, double cy, double r, Rgba c) { Fill(Canvas_Shape::Circle(cx, cy, r), c); }
    void FillEllipse(double cx, double cy, double rx, double ry, Rgba c)
    {
        Fill(Canvas_Shape::Ellipse(cx, cy, rx, ry), c);
    }
    void FillPolygon(std::vector<double> const& xy, Rgba c) { Fill(Canvas_Shape::Polygon(xy), c); }
    void Line(double x0, double y0, double x1, double y1, double thickness, Rgba c)
    {
        Line(x0, y0, x1, y1, Canvas_Pen{c, thickness});
    }
    // A frame of whole pixels, thickness wide, just inside the rectangle.
    void FrameRect(int x, int y, int w, int h, int thickness, Rgba c);

    // ---- Pixels, exact and unblended ----
    Rgba Get(int x, int y) const; // clear outside the picture
    void Set(int x, int y, Rgba c);
    // Lays c over the pixel with the given coverage (0..1), keeping the stronger alpha.
    void Blend(int x, int y, Rgba c, double cover);
    void Clear(Rgba c);
    void FillRect(int x, int y, int w, int h, Rgba c);

    // The picture laid on a key colour for a file without alpha: pixels less than half covered
    // become the key, the others opaque, so no half-keyed fringe is left round the shapes.
    Canvas OnKey(Rgba key) const;
    // The rectangle at (x, y) of size w x h; outside the picture it is clear.
    Canvas Cut(int x, int y, int w, int h) const;

    // Throws std::runtime_error when the file cannot be written or the format cannot hold
    // the picture (more than 256 colours for a palette).
    void WritePng(std::string const& path, PngFormat format = PngFormat::Rgba) const;

private:
    void Create(int w, int h);
    void Release();
    void CopyPixels(Canvas const& other);
    // Runs the drawing once, or at every wrapped offset.
    template <typename F>
    void Paint_(F const& draw);
    void SetSource(Canvas_Paint const& paint);
    void SetPath(Canvas_Shape const& shape);

    int width = 0;
    int height = 0;
    _cairo_surface* surface = nullptr;
    _cairo* cr = nullptr;
    bool wrapped = false;
};

// A repeatable scatter of numbers for the pictures (leaves, speckles, stones): the same seed gives
// the same picture on every run.
class Canvas_Scatter final
{
public:
    explicit Canvas_Scatter(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
    // A number in [lo, hi).
    double Next(double lo, double hi);

private:
    std::uint32_t state;
};

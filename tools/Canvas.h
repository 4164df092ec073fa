// An RGBA picture that the data generator draws into and writes out as a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba final
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    bool operator==(Rgba const&) const = default;
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

    int Width() const { return width; }
    int Height() const { return height; }

    // Coordinates count from the top-left corner, in file order.
    Rgba Get(int x, int y) const;
    void Set(int x, int y, Rgba c);
    // Lays c over the pixel with the given coverage (0..1), keeping the stronger alpha.
    void Blend(int x, int y, Rgba c, double cover);

    void Fill(Rgba c);
    void FillRect(int x, int y, int w, int h, Rgba c);
    void FrameRect(int x, int y, int w, int h, int thickness, Rgba c);
    void FillEllipse(double cx, double cy, double rx, double ry, Rgba c);
    void FillCircle(double cx, double cy, double r, Rgba c) { FillEllipse(cx, cy, r, r, c); }
    // A convex or concave polygon, filled by the even-odd rule at pixel centres.
    void FillPolygon(std::vector<double> const& xy, Rgba c);
    void Line(double x0, double y0, double x1, double y1, double thickness, Rgba c);

    // Throws std::runtime_error when the file cannot be written or the format cannot hold
    // the picture (more than 256 colours for a palette).
    void WritePng(std::string const& path, PngFormat format = PngFormat::Rgba) const;

private:
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
};

// An RGBA picture that the data generator draws into and writes out as a PNG file.
#include "tools/Canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <map>
#include <stdexcept>

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

} // namespace

Canvas::Canvas(int w, int h, Rgba fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
{
    if (w <= 0 || h <= 0)
        throw std::invalid_argument("canvas size must be positive");
}

Rgba Canvas::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Rgba{};
    return pixels[static_cast<std::size_t>(y) * width + x];
}

void Canvas::Set(int x, int y, Rgba c)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    pixels[static_cast<std::size_t>(y) * width + x] = c;
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
    Rgba old = Get(x, y);
    Rgba mixed;
    mixed.r = Clamp8(old.r + (c.r - old.r) * cover);
    mixed.g = Clamp8(old.g + (c.g - old.g) * cover);
    mixed.b = Clamp8(old.b + (c.b - old.b) * cover);
    mixed.a = std::max(old.a, Clamp8(c.a * cover));
    Set(x, y, mixed);
}

void Canvas::Fill(Rgba c)
{
    std::fill(pixels.begin(), pixels.end(), c);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, c);
}

void Canvas::FrameRect(int x, int y, int w, int h, int thickness, Rgba c)
{
    FillRect(x, y, w, thickness, c);
    FillRect(x, y + h - thickness, w, thickness, c);
    FillRect(x, y, thickness, h, c);
    FillRect(x + w - thickness, y, thickness, h, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgba c)
{
    if (rx <= 0.0 || ry <= 0.0)
        return;
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x)
        {
            double dx = (x + 0.5 - cx) / rx;
            double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                Set(x, y, c);
        }
}

void Canvas::FillPolygon(std::vector<double> const& xy, Rgba c)
{
    std::size_t n = xy.size() / 2;
    if (n < 3)
        return;
    for (int y = 0; y < height; ++y)
    {
        double py = y + 0.5;
        for (int x = 0; x < width; ++x)
        {
            double px = x + 0.5;
            bool inside = false;
            for (std::size_t i = 0, j = n - 1; i < n; j = i++)
            {
                double xi = xy[2 * i], yi = xy[2 * i + 1];
                double xj = xy[2 * j], yj = xy[2 * j + 1];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            if (inside)
                Set(x, y, c);
        }
    }
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, Rgba c)
{
    double length = std::hypot(x1 - x0, y1 - y0);
    int steps = std::max(1, static_cast<int>(length * 2.0));
    for (int i = 0; i <= steps; ++i)
    {
        double f = static_cast<double>(i) / steps;
        FillCircle(x0 + (x1 - x0) * f, y0 + (y1 - y0) * f, thickness / 2.0, c);
    }
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
    for (int y = 0; y < height; ++y)
    {
        png_byte* row = &bytes[y * bytesPerRow];
        for (int x = 0; x < width; ++x)
        {
            Rgba p = Get(x, y);
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

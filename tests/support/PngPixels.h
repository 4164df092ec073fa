// Test support: a PNG file read back as 8-bit RGBA, to check what a generated picture shows.
#pragma once

#include <png.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <vector>

// Reads file into pixels in libpng's format (PNG_FORMAT_RGBA, PNG_FORMAT_RGB, ...), top row first,
// and sets its size; leaves all three as they are when the file cannot be read.
inline void PngPixels_Read(std::filesystem::path const& file, png_uint_32 format, std::vector<unsigned char>& pixels,
                           int& width, int& height)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return;
    image.format = format;
    pixels.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
}

struct PngPixels
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;

    explicit PngPixels(std::filesystem::path const& file)
    {
        PngPixels_Read(file, PNG_FORMAT_RGBA, pixels, width, height);
    }
    unsigned char const* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
    int Alpha(int x, int y) const { return At(x, y)[3]; }
    // The middle between the first and the last column with an opaque pixel.
    double InkCentre() const
    {
        int first = width;
        int last = -1;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                if (Alpha(x, y) > 128)
                {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return (first + last) / 2.0;
    }
};

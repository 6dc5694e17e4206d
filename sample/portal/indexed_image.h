#pragma once

#include <cstdint>
#include <vector>

namespace sample {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A picture of palette indices, one byte a pixel, rows from top to bottom.
struct IndexedImage {
    IndexedImage(int width, int height, std::vector<Rgb> palette)
        : width(width), height(height), palette(std::move(palette)), pixels(width * height, 0) {}

    // Points outside the picture are ignored, so that shapes may run over its edges.
    void Set(int x, int y, std::uint8_t index) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            pixels[y * width + x] = index;
        }
    }
    std::uint8_t At(int x, int y) const { return pixels[y * width + x]; }

    int width;
    int height;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;
};

}  // namespace sample

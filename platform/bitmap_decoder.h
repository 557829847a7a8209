#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The pixels of a Windows bitmap file, decoded and checked without the window
// toolkit (so the decoder can be fuzzed on its own). Every byte the picture is
// built from is validated: a file that would show anything but its own pixels -
// a run past the end of a row, data that stops before the end-of-bitmap code, a
// colour index outside the palette, sizes that do not add up - gives nothing.
struct DecodedBitmap {
    int width = 0;
    int height = 0;
    // 0xFFRRGGBB, top row first. Alpha bytes in the file play no part: every
    // pixel is opaque.
    std::vector<std::uint32_t> pixels;
    // One bit a pixel: the two palette colours, for a picture that keeps its depth.
    bool monochrome = false;
    std::uint32_t monoColours[2] = {0, 0};
};

// Pictures larger than this many pixels are refused rather than allocated.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 26;

std::optional<DecodedBitmap> decodeBitmapPixels(const unsigned char *bytes, std::size_t size,
                                                std::int64_t maxPixels = kMaxBitmapPixels);

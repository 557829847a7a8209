// The bitmap decoder on any file contents: it either refuses the file or gives
// exactly width x height opaque pixels, and never reads outside the bytes.
#include "fuzz_check.h"
#include "platform/bitmap_decoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A smaller pixel budget than the program's keeps each run fast.
    constexpr std::int64_t kMaxPixels = std::int64_t(1) << 20;
    const std::optional<DecodedBitmap> decoded = decodeBitmapPixels(data, size, kMaxPixels);
    if (!decoded)
        return 0;
    FUZZ_CHECK(decoded->width > 0 && decoded->height > 0);
    FUZZ_CHECK(std::int64_t(decoded->width) * decoded->height <= kMaxPixels);
    FUZZ_CHECK(decoded->pixels.size() ==
               std::size_t(decoded->width) * std::size_t(decoded->height));
    for (const std::uint32_t pixel : decoded->pixels)
        FUZZ_CHECK((pixel >> 24) == 0xFF);
    if (decoded->monochrome)
        for (const std::uint32_t pixel : decoded->pixels)
            FUZZ_CHECK(pixel == decoded->monoColours[0] || pixel == decoded->monoColours[1]);
    return 0;
}

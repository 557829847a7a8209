#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace draw {

struct Utf16Decoding {
    std::string utf8;
    // Where in `utf8` the first code unit that is no character was met (an unpaired
    // surrogate or a last odd byte); nothing is decoded past it.
    std::optional<std::size_t> invalidAt;
};

// UTF-16 bytes (after their byte-order mark) as UTF-8.
Utf16Decoding utf16ToUtf8(std::string_view bytes, bool bigEndian);

} // namespace draw

#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Distinct three-character GBK names, as a real roster holds them: one family name
// and two given-name characters from the common hanzi rows (B0A1 onwards).
inline std::vector<std::string> benchNames(std::size_t count)
{
    constexpr std::size_t kCells = 40 * 94; // rows B0…D7, columns A1…FE
    const auto hanzi = [](std::size_t cell) {
        return std::string{static_cast<char>(0xB0 + cell / 94),
                           static_cast<char>(0xA1 + cell % 94)};
    };
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        names.push_back("\xD5\xC5" + hanzi(i / kCells % kCells) + hanzi(i % kCells)); // 张…
    return names;
}

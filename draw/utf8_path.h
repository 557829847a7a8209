#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A path from UTF-8 text. A plain narrow string is read in the system's own
// narrow encoding, which is UTF-8 on Linux but not on Windows, where the file
// names in this program's UTF-8 literals would come out garbled.
namespace draw {

inline std::filesystem::path utf8Path(std::string_view utf8)
{
    return std::filesystem::path(
        std::u8string_view(reinterpret_cast<const char8_t *>(utf8.data()), utf8.size()));
}

// A path as UTF-8 text, for messages; the inverse of utf8Path.
inline std::string pathText(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace draw

#pragma once

#include "draw/draw_error.h"

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

// The draw layer's failure texts, built in one place so every caller words them alike.
namespace draw::errors {

// "Cannot open file \"<path>\". <reason of errorNumber>"
DrawError cannotOpenFile(const std::filesystem::path &path, int errorNumber);

// "Cannot create file \"<path>\". <reason of errorNumber>"
DrawError cannotCreateFile(const std::filesystem::path &path, int errorNumber);

// "List index out of bounds (<index>)"
DrawError listIndexOutOfBounds(std::size_t index);

// A line of a UTF-8 file that has no GBK form: the characters GBK cannot hold, in
// text order, or none when the line is not valid UTF-8 at all.
struct UnconvertibleLine {
    std::size_t number; // counted from 1, as an editor shows it
    std::vector<char32_t> characters;
};

// "Cannot convert file \"<path>\" to GBK: line 3 holds \"😀\" (U+1F600); line 7 is not
// valid UTF-8" (the first five lines, then how many more).
UnconvertibleTextError cannotConvertToGbk(const std::filesystem::path &path,
                                          const std::vector<UnconvertibleLine> &lines);

// "Cannot read file \"<path>\": line <number> <what>", for a line whose encoding
// cannot be told: "is neither UTF-8 nor GBK", "is GBK in a UTF-8 file; ...".
UnconvertibleTextError unreadableLine(const std::filesystem::path &path, std::size_t number,
                                      std::string_view what);

} // namespace draw::errors

#pragma once

#include "draw/draw_error.h"

#include <cstddef>
#include <filesystem>

// The draw layer's failure texts, built in one place so every caller words them alike.
namespace draw::errors {

// "Cannot open file \"<path>\". <reason of errorNumber>"
DrawError cannotOpenFile(const std::filesystem::path &path, int errorNumber);

// "Cannot create file \"<path>\". <reason of errorNumber>"
DrawError cannotCreateFile(const std::filesystem::path &path, int errorNumber);

// "List index out of bounds (<index>)"
DrawError listIndexOutOfBounds(std::size_t index);

} // namespace draw::errors

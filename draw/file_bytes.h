#pragma once

#include <filesystem>
#include <string>

namespace draw {

// The whole file as bytes. Throws DrawError "Cannot open file \"<path>\". <reason>".
std::string readFileBytes(const std::filesystem::path &path);

} // namespace draw

#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace draw {

// The lines of a text file, GBK bytes without their line breaks.
using TextList = std::vector<std::string>;

// Line rules: reading stops at the first NUL; CR, LF and CR LF each end a line;
// blank lines are kept; text after the last break is a line only when not empty.
TextList parseTextList(std::string_view bytes);

// Every entry followed by CR LF, no byte-order mark.
std::string formatTextList(const TextList &lines);

// The file's lines as GBK: a UTF-8 file is converted (see utf8_text.h). Throws
// DrawError "Cannot open file \"<path>\". <reason>", or one naming the lines GBK
// cannot hold.
TextList loadTextList(const std::filesystem::path &path);

// Replaces the file atomically (temporary file in the same folder, flushed, then
// renamed over the old one). Throws DrawError "Cannot create file \"<path>\". <reason>"
// and leaves any old file untouched.
void saveTextList(const std::filesystem::path &path, const TextList &lines);

// Line `index` of `lines`; throws DrawError "List index out of bounds (<index>)".
const std::string &lineAt(const TextList &lines, std::size_t index);

// Folder of the running executable.
std::filesystem::path executableFolder();

} // namespace draw

#pragma once

#include "draw/text_file.h"

#include <string>
#include <string_view>

namespace draw {

// The full-width comma that separates names in the display and in winners texts.
inline constexpr std::string_view kNameSeparator = "\xA3\xAC"; // "，" in GBK

// a empty: b; otherwise a + "，" + b.
std::string Join(std::string_view a, std::string_view b);

// The pieces between occurrences of `separator`, found by a plain byte search
// from the left; the remainder (possibly empty) is the last piece.
TextList SplitString(std::string_view text, std::string_view separator);

// Number of pieces SplitString(text, "，") gives; "" gives 1.
int CharCount(std::string_view text);

} // namespace draw

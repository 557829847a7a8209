#include "draw/name_list.h"

namespace draw {

std::string Join(std::string_view a, std::string_view b)
{
    if (a.empty())
        return std::string(b);
    std::string joined;
    joined.reserve(a.size() + kNameSeparator.size() + b.size());
    joined.append(a).append(kNameSeparator).append(b);
    return joined;
}

TextList SplitString(std::string_view text, std::string_view separator)
{
    TextList pieces;
    // An empty separator would "occur" everywhere and never let the search move on.
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator)) {
        pieces.emplace_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    pieces.emplace_back(text);
    return pieces;
}

int CharCount(std::string_view text)
{
    int pieces = 1;
    for (std::size_t at = text.find(kNameSeparator); at != std::string_view::npos;
         at = text.find(kNameSeparator, at + kNameSeparator.size()))
        ++pieces;
    return pieces;
}

} // namespace draw

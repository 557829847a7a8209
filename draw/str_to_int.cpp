#include "draw/rolling_pick.h"

#include "draw/draw_error.h"

#include <string>

namespace draw {

std::int32_t StrToInt(std::string_view text)
{
    const auto invalid = [&] {
        std::string message = "'";
        message.append(text).append("' is not a valid integer value");
        return DrawError(message);
    };

    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw invalid();

    // One past the largest magnitude (that of the lowest value), so long digit runs stop early.
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw invalid();
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit)
            throw invalid();
    }
    if (!negative && magnitude == kLimit)
        throw invalid();
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace draw

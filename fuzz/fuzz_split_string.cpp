// SplitString and CharCount on any text and separator. Input: one byte giving the
// separator's length (0-3), the separator, then the text.
#include "draw/name_list.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string_view input(reinterpret_cast<const char *>(data) + 1, size - 1);
    const std::size_t separatorLength = std::min<std::size_t>(data[0] % 4, input.size());
    const std::string_view separator = input.substr(0, separatorLength);
    const std::string_view text = input.substr(separatorLength);

    const draw::TextList pieces = draw::SplitString(text, separator);
    FUZZ_CHECK(!pieces.empty());
    std::string joined = pieces.front();
    for (std::size_t i = 1; i < pieces.size(); ++i)
        joined.append(separator).append(pieces[i]);
    FUZZ_CHECK(joined == text);
    if (!separator.empty()) {
        // Found from the left, so no piece holds the separator.
        for (const std::string &piece : pieces)
            FUZZ_CHECK(piece.find(separator) == std::string::npos);
    } else {
        FUZZ_CHECK(pieces.size() == 1);
    }

    const draw::TextList names = draw::SplitString(text, draw::kNameSeparator);
    FUZZ_CHECK(draw::CharCount(text) == static_cast<int>(names.size()));
    return 0;
}

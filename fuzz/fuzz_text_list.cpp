// The text-list reader on any file contents: no line keeps a break or a NUL,
// and what the writer makes of the lines reads back as the same lines.
#include "draw/text_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const draw::TextList lines = draw::parseTextList(bytes);
    std::size_t total = 0;
    for (const std::string &line : lines) {
        FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        total += line.size();
    }
    FUZZ_CHECK(total <= size);
    FUZZ_CHECK(draw::parseTextList(draw::formatTextList(lines)) == lines);
    return 0;
}

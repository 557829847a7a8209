#include "draw/text_file.h"

#include "draw/atomic_file.h"
#include "draw/error_messages.h"
#include "draw/file_bytes.h"
#include "draw/utf8_text.h"

#include <system_error>

namespace draw {

TextList parseTextList(std::string_view bytes)
{
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);

    TextList lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string formatTextList(const TextList &lines)
{
    std::size_t total = 0;
    for (const std::string &line : lines)
        total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const std::string &line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

TextList loadTextList(const std::filesystem::path &path)
{
    return decodeTextList(readFileBytes(path), path);
}

void saveTextList(const std::filesystem::path &path, const TextList &lines)
{
    replaceFileAtomically(path, formatTextList(lines));
}

const std::string &lineAt(const TextList &lines, std::size_t index)
{
    if (index >= lines.size())
        throw errors::listIndexOutOfBounds(index);
    return lines[index];
}

} // namespace draw

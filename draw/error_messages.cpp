#include "draw/error_messages.h"

#include "draw/utf8_encode.h"
#include "draw/utf8_path.h"

#include <cstdio>
#include <string>
#include <system_error>

namespace draw::errors {

namespace {

// The platform's reason text (what strerror gives), without strerror's shared buffer.
std::string reasonText(int errorNumber)
{
    return std::generic_category().message(errorNumber);
}

// "😀" (U+1F600): the code point shows what an invisible or look-alike character is.
std::string describeCharacter(char32_t c)
{
    std::string text = "\"";
    appendUtf8(text, c);
    char code[16];
    std::snprintf(code, sizeof code, "\" (U+%04X)", unsigned(c));
    return text + code;
}

} // namespace

DrawError cannotOpenFile(const std::filesystem::path &path, int errorNumber)
{
    return DrawError("Cannot open file \"" + pathText(path) + "\". " + reasonText(errorNumber));
}

DrawError cannotCreateFile(const std::filesystem::path &path, int errorNumber)
{
    return DrawError("Cannot create file \"" + pathText(path) + "\". " + reasonText(errorNumber));
}

DrawError listIndexOutOfBounds(std::size_t index)
{
    return DrawError("List index out of bounds (" + std::to_string(index) + ")");
}

UnconvertibleTextError cannotConvertToGbk(const std::filesystem::path &path,
                                          const std::vector<UnconvertibleLine> &lines)
{
    constexpr std::size_t kLinesNamed = 5;
    std::string text = "Cannot convert file \"" + pathText(path) + "\" to GBK: ";
    for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i) {
        if (i > 0)
            text += "; ";
        text += "line " + std::to_string(lines[i].number);
        if (lines[i].characters.empty()) {
            text += " is not valid UTF-8";
            continue;
        }
        text += " holds ";
        for (std::size_t c = 0; c < lines[i].characters.size(); ++c)
            text += (c > 0 ? ", " : "") + describeCharacter(lines[i].characters[c]);
    }
    if (lines.size() > kLinesNamed)
        text += "; and " + std::to_string(lines.size() - kLinesNamed) + " more lines";
    return UnconvertibleTextError(text);
}

UnconvertibleTextError unreadableLine(const std::filesystem::path &path, std::size_t number,
                                      std::string_view what)
{
    return UnconvertibleTextError("Cannot read file \"" + pathText(path) + "\": line " +
                                  std::to_string(number) + " " + std::string(what));
}

} // namespace draw::errors

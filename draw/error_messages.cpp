#include "draw/error_messages.h"

#include <string>
#include <system_error>

namespace draw::errors {

namespace {

// The platform's reason text (what strerror gives), without strerror's shared buffer.
std::string reasonText(int errorNumber)
{
    return std::generic_category().message(errorNumber);
}

} // namespace

DrawError cannotOpenFile(const std::filesystem::path &path, int errorNumber)
{
    return DrawError("Cannot open file \"" + path.string() + "\". " + reasonText(errorNumber));
}

DrawError cannotCreateFile(const std::filesystem::path &path, int errorNumber)
{
    return DrawError("Cannot create file \"" + path.string() + "\". " + reasonText(errorNumber));
}

DrawError listIndexOutOfBounds(std::size_t index)
{
    return DrawError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace draw::errors

#include "draw/error_messages.h"
#include "draw/text_file.h"

#include <system_error>

namespace draw {

std::filesystem::path executableFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw errors::cannotOpenFile("/proc/self/exe", error.value());
    return self.parent_path();
}

} // namespace draw

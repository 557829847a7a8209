#include "draw/text_file.h"

#include <windows.h>

#include <string>

namespace draw {

std::filesystem::path executableFolder()
{
    // A path can be longer than MAX_PATH: grow until the whole name fits.
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, self.data(), DWORD(self.size()));
        if (length < self.size()) {
            self.resize(length);
            break;
        }
        self.resize(self.size() * 2);
    }
    return std::filesystem::path(self).parent_path();
}

} // namespace draw

#include "draw/save_temporary.h"

#include "draw/atomic_file.h"
#include "draw/utf8_path.h"

#include <functional>
#include <utility>

namespace draw {

namespace {

std::function<void(const std::filesystem::path &)> &temporaryCreatedHook()
{
    static std::function<void(const std::filesystem::path &)> hook;
    return hook;
}

bool isRandomCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

void setTemporaryCreatedHook(std::function<void(const std::filesystem::path &)> hook)
{
    temporaryCreatedHook() = std::move(hook);
}

namespace save_temporary {

std::string prefixFor(const std::filesystem::path &target)
{
    return "." + pathText(target.filename()) + ".";
}

bool isTemporaryName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kRandomLength + kSuffix.size() ||
        !name.starts_with(prefix) || !name.ends_with(kSuffix))
        return false;
    for (const char c : name.substr(prefix.size(), kRandomLength))
        if (!isRandomCharacter(c))
            return false;
    return true;
}

void runCreatedHook(const std::filesystem::path &temporary)
{
    if (temporaryCreatedHook())
        temporaryCreatedHook()(temporary);
}

} // namespace save_temporary

} // namespace draw

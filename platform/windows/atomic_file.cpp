#include "draw/atomic_file.h"

#include "draw/error_messages.h"
#include "system_error.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <string>
#include <sys/stat.h>

#include <windows.h>

namespace draw {

namespace {

constexpr std::size_t kRandomLength = 6;
constexpr wchar_t kRandomCharacters[] =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The temporary name for `target`, without its six random characters.
std::wstring temporaryPrefix(const std::filesystem::path &target)
{
    return L"." + target.filename().native() + L".";
}

bool isRandomCharacter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : unsigned(bytes.size());
        const int put = ::_write(fd, bytes.data(), chunk);
        if (put < 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Temporaries of `target` left by a save that was killed before its rename.
// Windows refuses to delete a file another save still holds open, which keeps
// a save running alongside safe. Best effort.
void removeStaleTemporaries(const std::filesystem::path &folder,
                            const std::filesystem::path &target)
{
    const std::wstring prefix = temporaryPrefix(target);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder / (prefix + L"*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name.size() != prefix.size() + kRandomLength || name.compare(0, prefix.size(), prefix))
            continue;
        bool ours = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        for (std::size_t i = prefix.size(); ours && i < name.size(); ++i)
            ours = isRandomCharacter(name[i]);
        if (ours)
            ::DeleteFileW((folder / name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

} // namespace

// Written to a temporary file in the same folder, flushed, and moved over the
// target in one step (MoveFileEx replaces an existing file, which a plain rename
// on Windows does not).
void replaceFileAtomically(const std::filesystem::path &target, std::string_view bytes)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kRandomCharacters) - 2);
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        std::wstring name = temporaryPrefix(target);
        for (std::size_t i = 0; i < kRandomLength; ++i)
            name += kRandomCharacters[pick(random)];
        temporary = folder / name;
        fd = ::_wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
        if (fd < 0 && errno != EEXIST)
            throw errors::cannotCreateFile(target, errno);
    }
    if (fd < 0)
        throw errors::cannotCreateFile(target, EEXIST);

    if (!writeAll(fd, bytes) || ::_commit(fd) != 0) {
        const int error = errno;
        ::_close(fd);
        ::_wunlink(temporary.c_str());
        throw errors::cannotCreateFile(target, error);
    }
    ::_close(fd);
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int error = errnoFromWindowsError(::GetLastError());
        ::_wunlink(temporary.c_str());
        throw errors::cannotCreateFile(target, error);
    }
    removeStaleTemporaries(folder, target);
}

} // namespace draw

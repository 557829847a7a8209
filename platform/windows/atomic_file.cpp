#include "draw/atomic_file.h"

#include "draw/error_messages.h"
#include "draw/save_temporary.h"
#include "draw/utf8_path.h"
#include "system_error.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <string>
#include <string_view>
#include <sys/stat.h>

#include <windows.h>

namespace draw {

namespace {

// The letters and digits a temporary's random part is made of.
constexpr char kRandomCharacters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A name Windows holds that is not valid UTF-16 is none of ours, and must not
// fail a save that has already replaced its target.
bool isStaleTemporaryName(const std::filesystem::path &name, std::string_view prefix)
{
    try {
        return save_temporary::isTemporaryName(pathText(name), prefix);
    } catch (const std::filesystem::filesystem_error &) {
        return false;
    }
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
    const std::string prefix = save_temporary::prefixFor(target);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder / utf8Path(prefix + "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::filesystem::path name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            isStaleTemporaryName(name, prefix))
            ::DeleteFileW((folder / name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// Where no new file may be made in the folder but the target may be written:
// the target is overwritten in place and flushed, as a plain write would.
bool overwriteInPlace(const std::filesystem::path &target, std::string_view bytes)
{
    const int fd = ::_wopen(target.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY | _O_NOINHERIT);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::_commit(fd) == 0;
    ::_close(fd);
    return written;
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
    // A record made read-only is the operator's word: it is not replaced.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw errors::cannotCreateFile(target, EACCES);

    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kRandomCharacters) - 2);
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        std::string name = save_temporary::prefixFor(target);
        for (std::size_t i = 0; i < save_temporary::kRandomLength; ++i)
            name += kRandomCharacters[pick(random)];
        name += save_temporary::kSuffix;
        temporary = folder / utf8Path(name);
        fd = ::_wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
        if (fd < 0 && errno == EACCES && overwriteInPlace(target, bytes))
            return;
        if (fd < 0 && errno != EEXIST)
            throw errors::cannotCreateFile(target, errno);
    }
    if (fd < 0)
        throw errors::cannotCreateFile(target, EEXIST);
    save_temporary::runCreatedHook(temporary);

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

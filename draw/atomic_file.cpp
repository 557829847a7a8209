#include "draw/atomic_file.h"

#include "draw/error_messages.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Hand-written with POSIX calls because the draw layer must stay free of the
// window toolkit, whose save-file class would otherwise do this.

namespace draw {

namespace {

// The process's file-creation mask, read without changing it: umask() can only be
// read by setting it, which would race with anything creating files meanwhile.
mode_t currentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Permission bits for the new file: those of the file it replaces, or what a plain
// create would give.
mode_t permissionsFor(const std::filesystem::path &target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    return 0666 & ~currentUmask();
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Makes the rename itself durable. Best effort: the new contents are already in
// place, so a folder that cannot be flushed is no reason to report the save failed.
void flushFolder(const std::filesystem::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

constexpr std::size_t kRandomLength = 6; // the XXXXXX that mkstemp fills in

// The hidden temporary name for `target`, without the six characters mkstemp adds.
std::string temporaryPrefix(const std::filesystem::path &target)
{
    return "." + target.filename().string() + ".";
}

bool isMkstempCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isTemporaryName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kRandomLength || name.substr(0, prefix.size()) != prefix)
        return false;
    for (const char c : name.substr(prefix.size()))
        if (!isMkstempCharacter(c))
            return false;
    return true;
}

// A save that was killed between writing its temporary file and renaming it
// leaves that file behind. Removes such leftovers for `target`: only regular
// files named exactly as this code names them, and only when no save holds
// them (every save keeps its temporary file locked while writing it). Best
// effort: a leftover that cannot be removed is no reason to fail the save.
void removeStaleTemporaries(const std::filesystem::path &folder,
                            const std::filesystem::path &target)
{
    const std::string prefix = temporaryPrefix(target);
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        if (!isTemporaryName(entry->d_name, prefix))
            continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat opened {};
        struct stat named {};
        const bool stale = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
        if (stale)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
}

} // namespace

void replaceFileAtomically(const std::filesystem::path &target, std::string_view bytes)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const mode_t mode = permissionsFor(target);

    // A hidden name, so the operator's file browser does not show it meanwhile.
    const std::string pattern =
        (folder / (temporaryPrefix(target) + std::string(kRandomLength, 'X'))).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw errors::cannotCreateFile(target, errno);

    // Held until the rename, so a save running alongside does not take this file
    // for a leftover. A lock that cannot be had only weakens that guard.
    ::flock(fd, LOCK_EX | LOCK_NB);

    const auto fail = [&](int errorNumber) {
        ::close(fd);
        ::unlink(temporary.data());
        return errors::cannotCreateFile(target, errorNumber);
    };

    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0)
        throw fail(errno);
    // Renamed while still open and locked; the contents are already flushed, so
    // closing afterwards cannot lose them.
    if (::rename(temporary.data(), target.c_str()) != 0)
        throw fail(errno);
    ::close(fd);

    flushFolder(folder);
    removeStaleTemporaries(folder, target);
}

} // namespace draw

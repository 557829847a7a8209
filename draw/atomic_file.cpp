#include "draw/atomic_file.h"

#include "draw/error_messages.h"
#include "draw/save_temporary.h"

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

// A save that was killed between writing its temporary file and renaming it
// leaves that file behind. Removes such leftovers for `target`: only regular
// files named exactly as this code names them, and only when no save holds
// them (every save keeps its temporary file locked while writing it). Best
// effort: a leftover that cannot be removed is no reason to fail the save.
void removeStaleTemporaries(const std::filesystem::path &folder,
                            const std::filesystem::path &target)
{
    const std::string prefix = save_temporary::prefixFor(target);
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        if (!save_temporary::isTemporaryName(entry->d_name, prefix))
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

// A save's temporary file, hidden beside its target and locked.
struct Temporary {
    int fd = -1;
    std::string path;
};

constexpr int kCreateAttempts = 100;

// Creates and locks the temporary file. A save running alongside may take a file
// created but not yet locked for a leftover and delete it; then another is made.
// Returns fd -1, with errno set, when none can be made.
Temporary createLockedTemporary(const std::filesystem::path &folder,
                                const std::filesystem::path &target)
{
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string path =
            (folder /
             (save_temporary::prefixFor(target) + std::string(save_temporary::kRandomLength, 'X') +
              std::string(save_temporary::kSuffix)))
                .string();
        const int fd = ::mkstemps(path.data(), int(save_temporary::kSuffix.size()));
        if (fd < 0)
            return {};
        save_temporary::runCreatedHook(path);
        // Held until the rename, so that no other save takes it for a leftover. A
        // lock that cannot be had (some network folders) only weakens that guard.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {}
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && opened.st_nlink > 0 &&
            ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino)
            return {fd, std::move(path)};
        ::close(fd); // removed before it was locked; the name is no longer ours
    }
    errno = EEXIST;
    return {};
}

// Overwrites the file itself: the new bytes from its start, cut to their length,
// flushed to disk. A crash meanwhile can leave a mix of old and new, so this is
// only for where no temporary file can be made.
void writeInPlace(const std::filesystem::path &target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        throw errors::cannotCreateFile(target, errno);
    const bool written = writeAll(fd, bytes) &&
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!written)
        throw errors::cannotCreateFile(target, error);
}

} // namespace

void replaceFileAtomically(const std::filesystem::path &target, std::string_view bytes)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    // A read-only record stays as it is, as a plain write would leave it; the
    // rename below would otherwise replace it (even for root, which a plain
    // write as root would not stop either, so only the marks decide then).
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw errors::cannotCreateFile(target, EACCES);
    const mode_t mode = exists ? existing.st_mode & 07777 : 0666 & ~currentUmask();

    const Temporary temporary = createLockedTemporary(folder, target);
    if (temporary.fd < 0) {
        const int error = errno;
        // A record the user may write in a folder the user may not: written in
        // place, as the plain write would, since no temporary can be made.
        if (exists && (error == EACCES || error == EPERM)) {
            writeInPlace(target, bytes);
            return;
        }
        throw errors::cannotCreateFile(target, error);
    }
    const auto fail = [&](int errorNumber) {
        ::close(temporary.fd);
        ::unlink(temporary.path.c_str());
        return errors::cannotCreateFile(target, errorNumber);
    };
    if (::fchmod(temporary.fd, mode) != 0 || !writeAll(temporary.fd, bytes) ||
        ::fsync(temporary.fd) != 0)
        throw fail(errno);
    // Renamed while still open and locked; the contents are already flushed, so
    // closing afterwards cannot lose them.
    if (::rename(temporary.path.c_str(), target.c_str()) != 0)
        throw fail(errno);
    ::close(temporary.fd);

    flushFolder(folder);
    removeStaleTemporaries(folder, target);
}

} // namespace draw

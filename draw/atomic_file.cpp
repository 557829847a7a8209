#include "draw/atomic_file.h"

#include "draw/error_messages.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
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

} // namespace

void replaceFileAtomically(const std::filesystem::path &target, std::string_view bytes)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const mode_t mode = permissionsFor(target);

    // A hidden name, so the operator's file browser does not show it meanwhile.
    std::string hiddenName = ".";
    hiddenName.append(target.filename().string()).append(".XXXXXX");
    const std::string pattern = (folder / hiddenName).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');

    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw errors::cannotCreateFile(target, errno);

    const auto fail = [&](int errorNumber) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.data());
        return errors::cannotCreateFile(target, errorNumber);
    };

    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0)
        throw fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        throw fail(errno);
    if (::rename(temporary.data(), target.c_str()) != 0)
        throw fail(errno);

    flushFolder(folder);
}

} // namespace draw

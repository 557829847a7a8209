#include "draw/file_reading.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace draw::file_reading {

int openForReading(const std::filesystem::path &path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

std::size_t sizeHint(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

long long readSome(int fd, char *buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

void close(int fd)
{
    ::close(fd);
}

} // namespace draw::file_reading

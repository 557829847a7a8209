#include "draw/file_reading.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

// The C run-time's wide calls: the path's own UTF-16, and errno for the reason text.
namespace draw::file_reading {

int openForReading(const std::filesystem::path &path)
{
    return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

std::size_t sizeHint(int fd)
{
    struct _stat64 info {};
    return ::_fstat64(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size)
                                                          : 0;
}

long long readSome(int fd, char *buffer, std::size_t size)
{
    // _read takes an unsigned count; the caller's buffer is far below its limit.
    return ::_read(fd, buffer, static_cast<unsigned>(size));
}

void close(int fd)
{
    ::_close(fd);
}

} // namespace draw::file_reading

#include "draw/file_bytes.h"

#include "draw/error_messages.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace draw {

namespace {

// Closes the descriptor on every way out, keeping errno for the message.
class ReadDescriptor {
public:
    explicit ReadDescriptor(int fd) : m_fd(fd) {}
    ~ReadDescriptor()
    {
        const int saved = errno;
        ::_close(m_fd);
        errno = saved;
    }
    ReadDescriptor(const ReadDescriptor &) = delete;
    ReadDescriptor &operator=(const ReadDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

// The C run-time's wide calls: the path's own UTF-16, and errno for the reason text.
std::string readFileBytes(const std::filesystem::path &path)
{
    const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0)
        throw errors::cannotOpenFile(path, errno);
    const ReadDescriptor file(fd);

    std::string bytes;
    struct _stat64 info {};
    if (::_fstat64(file.get(), &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));

    char buffer[64 * 1024];
    for (;;) {
        const int got = ::_read(file.get(), buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0)
            throw errors::cannotOpenFile(path, errno);
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace draw

#include "draw/file_bytes.h"

#include "draw/error_messages.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace draw {

namespace {

// Closes the descriptor on every way out, keeping errno for the message.
class ReadDescriptor {
public:
    explicit ReadDescriptor(int fd) : m_fd(fd) {}
    ~ReadDescriptor()
    {
        const int saved = errno;
        ::close(m_fd);
        errno = saved;
    }
    ReadDescriptor(const ReadDescriptor &) = delete;
    ReadDescriptor &operator=(const ReadDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

// POSIX rather than a toolkit's file class: the draw layer stays free of the window toolkit.
std::string readFileBytes(const std::filesystem::path &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw errors::cannotOpenFile(path, errno);
    const ReadDescriptor file(fd);

    std::string bytes;
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));

    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            // A folder opens but cannot be read: still a file that cannot be opened.
            throw errors::cannotOpenFile(path, errno);
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace draw

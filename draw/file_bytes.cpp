#include "draw/file_bytes.h"

#include "draw/error_messages.h"
#include "draw/file_reading.h"

#include <cerrno>

namespace draw {

namespace {

// Closes the descriptor on every way out, keeping errno for the message.
class ReadDescriptor {
public:
    explicit ReadDescriptor(int fd) : m_fd(fd) {}
    ~ReadDescriptor()
    {
        const int saved = errno;
        file_reading::close(m_fd);
        errno = saved;
    }
    ReadDescriptor(const ReadDescriptor &) = delete;
    ReadDescriptor &operator=(const ReadDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

// The system's own calls rather than a toolkit's file class: the draw layer stays
// free of the window toolkit.
std::string readFileBytes(const std::filesystem::path &path)
{
    const int fd = file_reading::openForReading(path);
    if (fd < 0)
        throw errors::cannotOpenFile(path, errno);
    const ReadDescriptor file(fd);

    std::string bytes;
    bytes.reserve(file_reading::sizeHint(file.get()));
    char buffer[64 * 1024];
    for (;;) {
        const long long got = file_reading::readSome(file.get(), buffer, sizeof buffer);
        if (got == 0)
            break;
        // A folder opens but cannot be read: still a file that cannot be opened.
        if (got < 0)
            throw errors::cannotOpenFile(path, errno);
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace draw

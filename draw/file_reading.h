#pragma once

#include <cstddef>
#include <filesystem>

// The system calls readFileBytes reads a file through; each system has its own
// (platform/posix/, platform/windows/). Failures return -1 with errno set, so the
// message reads the same reason text on every system.
namespace draw::file_reading {

// A descriptor for reading `path`, not passed on to child processes.
int openForReading(const std::filesystem::path &path);

// The file's size where the system knows it, else 0: only a hint for the buffer.
std::size_t sizeHint(int fd);

// Up to `size` bytes into `buffer`: how many, 0 at the end. Retries an interrupted read.
long long readSome(int fd, char *buffer, std::size_t size);

void close(int fd);

} // namespace draw::file_reading

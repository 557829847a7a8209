#include "platform/draw_folder_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DrawFolderLock::DrawFolderLock(const QString &folder)
    : m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()))
{
    if (!QFileInfo(m_folder).isDir())
        return;
    // The folder itself is locked, not a file in it: this works in a folder the
    // user may not write, leaves nothing behind, and the system drops the lock
    // whenever the program ends.
    m_fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    int result = 0;
    while ((result = ::flock(m_fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
    if (result != 0) {
        m_heldElsewhere = errno == EWOULDBLOCK;
        ::close(m_fd);
        m_fd = -1;
    }
}

DrawFolderLock::~DrawFolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

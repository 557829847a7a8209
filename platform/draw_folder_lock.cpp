#include "platform/draw_folder_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

DrawFolderLock::DrawFolderLock(const QString &folder)
    : m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()))
{
    if (!QFileInfo(m_folder).isDir())
        return;
#if defined(Q_OS_UNIX)
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
#else
    // A lock file that names its process; one whose process is gone is taken over.
    m_lockFile = std::make_unique<QLockFile>(m_folder + QStringLiteral("/.luckydraw.lock"));
    m_lockFile->setStaleLockTime(0);
    if (!m_lockFile->tryLock(0))
        m_heldElsewhere = m_lockFile->error() == QLockFile::LockFailedError;
#endif
}

DrawFolderLock::~DrawFolderLock()
{
#if defined(Q_OS_UNIX)
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

QString DrawFolderLock::refusal() const
{
    return QStringLiteral("Another window of the program is drawing from the folder \"%1\". "
                          "Only one window may draw from a folder at a time")
        .arg(QDir::toNativeSeparators(m_folder));
}

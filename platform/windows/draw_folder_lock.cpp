#include "platform/draw_folder_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

DrawFolderLock::DrawFolderLock(const QString &folder)
    : m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()))
{
    if (!QFileInfo(m_folder).isDir())
        return;
    // Windows locks no folders: a lock file that names its process; one whose
    // process is gone is taken over.
    m_lockFile = std::make_unique<QLockFile>(m_folder + QStringLiteral("/.luckydraw.lock"));
    m_lockFile->setStaleLockTime(0);
    if (!m_lockFile->tryLock(0))
        m_heldElsewhere = m_lockFile->error() == QLockFile::LockFailedError;
}

DrawFolderLock::~DrawFolderLock() = default;

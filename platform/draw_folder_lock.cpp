#include "platform/draw_folder_lock.h"

#include <QDir>

QString DrawFolderLock::refusal() const
{
    return QStringLiteral("Another window of the program is drawing from the folder \"%1\". "
                          "Only one window may draw from a folder at a time")
        .arg(QDir::toNativeSeparators(m_folder));
}

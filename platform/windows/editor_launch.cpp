#include "platform/editor_launch.h"

#include <QDir>
#include <QProcess>
#include <QStringList>

// Notepad, the system's plain-text editor, which reads the record's GBK bytes as
// the system's code page 936 text.
bool DesktopEditorLauncher::open(const QString &path)
{
    return QProcess::startDetached(QStringLiteral("notepad.exe"),
                                   QStringList{QDir::toNativeSeparators(path)});
}

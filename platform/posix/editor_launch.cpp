#include "platform/editor_launch.h"

#include <QProcess>
#include <QStringList>

bool DesktopEditorLauncher::open(const QString &path)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{path});
}

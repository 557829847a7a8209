#pragma once

#include <QString>

#include <functional>

// Where a failure goes that no handler of the program caught (a control's own
// click handler that throws): the application's error box, unless a reporter is
// set (a window with its own dialogs, or a test).
using ApplicationErrorReporter = std::function<void(const QString &message)>;

void setApplicationErrorReporter(ApplicationErrorReporter reporter);
void reportApplicationError(const QString &message);

#pragma once

#include <QString>

#include <functional>

// The one route of a failure that no handler of the program caught (a
// control's user callback that raised, an exception that left an event's
// handling): the application's error box, unless a reporter is set (the
// window's own dialogs, or a test).
using ApplicationErrorReporter = std::function<void(const QString &message)>;

void setApplicationErrorReporter(ApplicationErrorReporter reporter);
void reportApplicationError(const QString &message);

// Reports the exception being handled; call only inside a catch block. Never
// raises: when the error box itself fails, the message goes to Qt's warning
// output instead.
void reportCurrentException() noexcept;

#pragma once

#include "platform/application_error.h"

#include <QChar>
#include <QMetaType>
#include <QObject>
#include <QPoint>

#include <functional>
#include <utility>

// A control reaches its user two ways. A plain notification (clicked, entered,
// a mouse move) is a signal with value or const parameters. A callback that
// answers back through a reference parameter (Handled, AutoRepeat, a key to
// discard) or that may raise is a callback member of one of these types, set
// by name like any published property ("OnKeyPress"), and called with the
// control as sender.
using TNotifyEvent = std::function<void(QObject *sender)>;
// key set to 0 discards the key.
using TKeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
// key set to QChar() discards the character.
using TKeyPressEvent = std::function<void(QObject *sender, QChar &key)>;
// mousePos is in the control's coordinates, (-1, -1) for a keyboard request;
// setting handled keeps the control's own menu shut.
using TContextPopupEvent = std::function<void(QObject *sender, QPoint mousePos, bool &handled)>;
Q_DECLARE_METATYPE(TNotifyEvent)
Q_DECLARE_METATYPE(TKeyEvent)
Q_DECLARE_METATYPE(TKeyPressEvent)
Q_DECLARE_METATYPE(TContextPopupEvent)

// Calls a user's callback where a failure must not end the control's own
// handling: the failure goes to the application's error reporter and the
// control carries on. False when the callback raised.
template<class Callback, class... Args>
bool callReportingFailure(const Callback &callback, Args &&...args) noexcept
{
    if (!callback)
        return true;
    try {
        callback(std::forward<Args>(args)...);
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

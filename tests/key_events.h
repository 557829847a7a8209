#pragma once

#include <QKeyEvent>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

// One key held down, its events given to Qt as the platform plugin gives the display
// server's: each with the server's timestamp, none flagged as auto-repeat, and each
// press preceded by Qt's own ShortcutOverride event.
class HeldKey {
public:
    HeldKey(QWindow *window, Qt::Key key, quint32 scanCode)
        : m_window(window), m_key(key), m_scanCode(scanCode)
    {
    }

    void press() { send(QEvent::KeyPress); }
    // An X server without detectable auto-repeat: a release and a press at one moment.
    void repeatAsPair()
    {
        m_time += kRepeatMs;
        send(QEvent::KeyRelease);
        send(QEvent::KeyPress);
    }
    // An X server with detectable auto-repeat: another press.
    void repeatAsPress()
    {
        m_time += kRepeatMs;
        send(QEvent::KeyPress);
    }
    void release()
    {
        m_time += kRepeatMs;
        send(QEvent::KeyRelease);
    }
    // The time passes with nothing sent.
    void wait(ulong ms) { m_time += ms; }

private:
    static constexpr ulong kRepeatMs = 40;

    void send(QEvent::Type type)
    {
        const QString text = m_key == Qt::Key_Space ? QStringLiteral(" ")
            : m_key == Qt::Key_Return               ? QStringLiteral("\r")
                                                    : QString();
        QWindowSystemInterface::handleExtendedKeyEvent(m_window, m_time, type, m_key,
                                                       Qt::NoModifier, m_scanCode, 0, 0, text);
        QWindowSystemInterface::flushWindowSystemEvents();
    }

    QWindow *m_window;
    Qt::Key m_key;
    quint32 m_scanCode;
    ulong m_time = 100000;
};

// X11 scan codes of the keys the tests hold.
constexpr quint32 kScanSpace = 65;
constexpr quint32 kScanPageDown = 117;
constexpr quint32 kScanReturn = 36;
constexpr quint32 kScanA = 38;

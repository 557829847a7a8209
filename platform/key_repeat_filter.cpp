#include "platform/key_repeat_filter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

namespace {

// Long enough for the press sent with a release to be read, too short to be seen.
constexpr int kSettleMs = 10;

// The physical key: its scan code where the platform gives one.
quint64 keyIdentity(const QKeyEvent &event)
{
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode();
    return (quint64(1) << 32) | quint32(event.key());
}

bool isKeyEvent(const QEvent *event)
{
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

} // namespace

KeyRepeatFilter::KeyRepeatFilter(QObject *parent) : QObject(parent)
{
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setTimerType(Qt::PreciseTimer);
    m_settle->setInterval(kSettleMs);
    connect(m_settle, &QTimer::timeout, this, &KeyRepeatFilter::releaseHeld);
    QCoreApplication::instance()->installEventFilter(this);
}

KeyRepeatFilter::~KeyRepeatFilter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyRepeatFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event == m_delivering)
        return false;
    if (event->type() == QEvent::ApplicationStateChange &&
        static_cast<QApplicationStateChangeEvent *>(event)->applicationState() !=
            Qt::ApplicationActive) {
        // Keys released while another program has the keyboard are never seen.
        releaseHeld();
        m_down.clear();
        return false;
    }
    auto *window = qobject_cast<QWindow *>(watched);
    if (!window || !event->isInputEvent())
        return false;
    // Qt asks whether a shortcut takes each key press before it delivers the press:
    // part of that press, not other input, so a held release keeps waiting for it.
    if (event->type() == QEvent::ShortcutOverride)
        return false;
    if (!isKeyEvent(event)) {
        // Input keeps its order: a held release goes first.
        releaseHeld();
        return false;
    }
    const auto &key = *static_cast<QKeyEvent *>(event);
    const quint64 id = keyIdentity(key);
    if (event->type() == QEvent::KeyRelease) {
        releaseHeld();
        if (key.isAutoRepeat())
            return false;
        holdRelease(window, key);
        return true;
    }
    if (m_held && keyIdentity(*m_held) == id && m_held->timestamp() == key.timestamp()) {
        // The server's repeat: a release and a press of one key at one moment.
        m_settle->stop();
        const std::unique_ptr<QKeyEvent> release = std::move(m_held);
        deliver(m_heldWindow, *release, true);
        deliver(window, key, true);
        return true;
    }
    releaseHeld();
    if (m_down.contains(id) && !key.isAutoRepeat()) {
        deliver(window, key, true);
        return true;
    }
    m_down.insert(id);
    return false;
}

void KeyRepeatFilter::holdRelease(QWindow *window, const QKeyEvent &release)
{
    m_heldWindow = window;
    m_held.reset(static_cast<QKeyEvent *>(release.clone()));
    m_settle->start();
}

void KeyRepeatFilter::releaseHeld()
{
    m_settle->stop();
    if (!m_held)
        return;
    const std::unique_ptr<QKeyEvent> release = std::move(m_held);
    m_down.remove(keyIdentity(*release));
    if (m_heldWindow)
        deliver(m_heldWindow, *release, false);
}

void KeyRepeatFilter::deliver(QWindow *window, const QKeyEvent &event, bool autoRepeat)
{
    if (!window)
        return;
    QKeyEvent copy(event.type(), event.key(), event.modifiers(), event.nativeScanCode(),
                   event.nativeVirtualKey(), event.nativeModifiers(), event.text(), autoRepeat,
                   quint16(event.count()), event.device());
    copy.setTimestamp(event.timestamp());
    const QEvent *outer = m_delivering;
    m_delivering = &copy;
    QCoreApplication::sendEvent(window, &copy);
    m_delivering = outer;
}

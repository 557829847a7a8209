#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>

class QKeyEvent;
class QTimer;
class QWindow;

// Makes one physical key press read as one press, whatever the display server sends.
//
// An X server without detectable auto-repeat sends a held key as release/press pairs
// with one timestamp, and Qt flags them as auto-repeat only when the press is already
// waiting as the release is handled. With detectable auto-repeat the server sends
// repeated presses without releases, which Qt does not flag at all. Installed on the
// application, this filter sees key events as they reach a window, before any widget
// or key preview, and hands them on with auto-repeat flagged:
// - a release is held back until the press sent with it arrives (then both go on as
//   auto-repeat) or until nothing came with it (then it goes on as the real release);
// - a press of a key that is already down goes on as auto-repeat.
class KeyRepeatFilter : public QObject {
public:
    // Installs itself on the application.
    explicit KeyRepeatFilter(QObject *parent = nullptr);
    ~KeyRepeatFilter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void holdRelease(QWindow *window, const QKeyEvent &release);
    void releaseHeld();
    void deliver(QWindow *window, const QKeyEvent &event, bool autoRepeat);

    QSet<quint64> m_down; // keys pressed and not yet released
    QPointer<QWindow> m_heldWindow;
    std::unique_ptr<QKeyEvent> m_held; // a release that may be half of a repeat pair
    QTimer *m_settle = nullptr;
    const QEvent *m_delivering = nullptr; // the copy being handed on
};

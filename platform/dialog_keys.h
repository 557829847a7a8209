#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

// A key the focused control does not take, offered to the window's controls in
// turn: Enter (a dialog key) or a plain character (a dialog character). A
// control that acts on it accepts the event, and the offer stops there.
class DialogKeyEvent : public QEvent {
public:
    enum Kind { DialogKey, DialogChar };

    DialogKeyEvent(Kind kind, int key, Qt::KeyboardModifiers modifiers, const QString &text);

    static QEvent::Type eventType();

    Kind kind() const { return m_kind; }
    int key() const { return m_key; }
    Qt::KeyboardModifiers modifiers() const { return m_modifiers; }
    // The typed character for a dialog character; empty for a dialog key.
    QString text() const { return m_text; }

private:
    Kind m_kind;
    int m_key;
    Qt::KeyboardModifiers m_modifiers;
    QString m_text;
};

// Offers the key to every visible control of window, parents before their
// children and siblings in their stacking order; true when one took it.
bool offerDialogKey(QWidget *window, DialogKeyEvent &offer);

// Whether the focused control takes Enter itself (a multi-line editor, or a
// control marked with the property below), or typed characters (any editor).
// A control can claim either with the dynamic properties "takesEnter" and
// "takesCharacters".
bool takesEnter(const QWidget *control);
bool takesCharacters(const QWidget *control);

// Offers Enter and plain characters that reach window's focused control (or the
// window itself) and that control does not take to the window's controls first,
// before the focused control's own handling.
class DialogKeyOffer : public QObject {
    Q_OBJECT

public:
    explicit DialogKeyOffer(QWidget *window);
    ~DialogKeyOffer() override;

    // Whether a held Enter is offered again with each auto-repeat (it is by
    // default). When not, the repeats are swallowed: one press, one click. A
    // repeat is a press marked as one; the application's KeyRepeatFilter marks
    // the X server's release/press pairs so.
    bool repeatsEnter() const { return m_repeatsEnter; }
    void setRepeatsEnter(bool value) { m_repeatsEnter = value; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    bool m_repeatsEnter = true;
};

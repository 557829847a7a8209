#include "platform/dialog_keys.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

constexpr char16_t kFirstPrintable = 0x20; // space
constexpr char16_t kDelete = 0x7F;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// One typed character with neither Ctrl, Alt nor Meta held.
bool isPlainCharacter(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    const char16_t c = text.at(0).unicode();
    return c >= kFirstPrintable && c != kDelete;
}

bool offerTo(QWidget *control, DialogKeyEvent &offer)
{
    for (QObject *child : control->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow() || !widget->isVisible())
            continue;
        offer.ignore();
        QCoreApplication::sendEvent(widget, &offer);
        if (offer.isAccepted() || offerTo(widget, offer))
            return true;
    }
    return false;
}

} // namespace

DialogKeyEvent::DialogKeyEvent(Kind kind, int key, Qt::KeyboardModifiers modifiers,
                               const QString &text)
    : QEvent(eventType()), m_kind(kind), m_key(key), m_modifiers(modifiers), m_text(text)
{
    ignore();
}

QEvent::Type DialogKeyEvent::eventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

bool offerDialogKey(QWidget *window, DialogKeyEvent &offer)
{
    return window && offerTo(window, offer);
}

bool takesEnter(const QWidget *control)
{
    if (!control)
        return false;
    const QVariant claimed = control->property("takesEnter");
    if (claimed.isValid())
        return claimed.toBool();
    if (auto *edit = qobject_cast<const QTextEdit *>(control))
        return !edit->isReadOnly();
    if (auto *edit = qobject_cast<const QPlainTextEdit *>(control))
        return !edit->isReadOnly();
    return false;
}

bool takesCharacters(const QWidget *control)
{
    if (!control)
        return false;
    const QVariant claimed = control->property("takesCharacters");
    if (claimed.isValid())
        return claimed.toBool();
    // Editors type them; lists and text views search by them.
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QAbstractSpinBox *>(control))
        return true;
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->isEditable();
    return qobject_cast<const QAbstractScrollArea *>(control) != nullptr;
}

DialogKeyOffer::DialogKeyOffer(QWidget *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

DialogKeyOffer::~DialogKeyOffer()
{
    qApp->removeEventFilter(this);
}

bool DialogKeyOffer::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_window || event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    // A key event climbs from the focused control to its parents; offer it once,
    // at its first receiver, before that control handles it.
    QWidget *focus = QApplication::focusWidget();
    if (widget != (focus ? focus : m_window.data()))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (isEnterKey(key->key()) && !takesEnter(widget)) {
        if (!m_repeatsEnter && key->isAutoRepeat())
            return true;
        DialogKeyEvent offer(DialogKeyEvent::DialogKey, key->key(), key->modifiers(), QString());
        return offerDialogKey(m_window, offer);
    }
    if (isPlainCharacter(key) && !takesCharacters(widget)) {
        DialogKeyEvent offer(DialogKeyEvent::DialogChar, key->key(), key->modifiers(), key->text());
        return offerDialogKey(m_window, offer);
    }
    return false;
}

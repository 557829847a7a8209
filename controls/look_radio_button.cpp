#include "controls/look_radio_button.h"
#include "platform/enabled_look.h"

#include "platform/canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>

TLookRadioButton::TLookRadioButton(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setAutoExclusive(false); // exclusivity is ours: Qt's would refuse to uncheck
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    connect(this, &QAbstractButton::toggled, this, &TLookRadioButton::onToggled);
    resize(113, 17);
}

void TLookRadioButton::setCaption(const QString &caption)
{
    setText(caption);
}

void TLookRadioButton::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void TLookRadioButton::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    update();
}

void TLookRadioButton::setAlignment(TAlignment alignment)
{
    if (alignment == taCenter)
        alignment = taRightJustify;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TLookRadioButton::setFontColor(TColor color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(color));
    setPalette(pal);
}

QSize TLookRadioButton::sizeHint() const
{
    return QSize(113, 17);
}

void TLookRadioButton::onToggled(bool checked)
{
    // The tab stop follows the check; arrow keys still reach the others.
    setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    if (!checked)
        return;
    QPointer<TLookRadioButton> guard(this);
    if (QWidget *parent = parentWidget()) {
        for (QObject *child : parent->children()) {
            auto *sibling = qobject_cast<QAbstractButton *>(child);
            if (!sibling || sibling == this)
                continue;
            if (qobject_cast<TLookRadioButton *>(sibling) || qobject_cast<QRadioButton *>(sibling))
                sibling->setChecked(false);
        }
    }
    if (guard && !m_clicksDisabled)
        emit clicked(true);
}

QRect TLookRadioButton::glyphRect() const
{
    const QSize size = RadioGlyphSize();
    const int top = (height() - size.height()) / 2;
    const int left = m_alignment == taLeftJustify ? width() - size.width() : 1;
    return QRect(QPoint(left, top), size);
}

QRect TLookRadioButton::textRect() const
{
    const QRect glyph = glyphRect();
    QRect r = rect();
    int l = 0, t = -1, rr = 0;
    if (m_alignment == taRightJustify) {
        r.setLeft(glyph.left() + glyph.width());
        l = 5;
        rr = m_wordWrap ? 2 : 0;
    } else {
        r.setRight(glyph.left() - 1);
        l = 2;
        rr = m_wordWrap ? 6 : 1;
    }
    // The top margin of -1 puts the caption's centre half a pixel above the control's.
    return r.adjusted(l, t, -rr, 0);
}

void TLookRadioButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor color = palette().color(QPalette::Window);
    // See-through: nothing is filled, so the parent's face (painted under us) shows.
    if (!m_transparent)
        p.fillRect(rect(), color);
    const QRect glyph = glyphRect();
    DrawRadioGlyph(p, glyph.topLeft(), lfUltraFlat, m_state, isChecked(), hasFocus(),
                   m_transparent ? clDefault : rgbColor(color.red(), color.green(), color.blue()));

    const QString caption = text();
    if (caption.isEmpty())
        return;
    const QRect area = textRect();
    p.setFont(font());
    auto drawCaption = [&](const QRect &r, const QColor &ink) {
        if (m_wordWrap) {
            p.setPen(ink);
            p.drawText(r,
                       int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextWordWrap |
                           Qt::TextShowMnemonic | Qt::TextDontClip,
                       caption);
        } else {
            drawTextLine(p, r, caption, Qt::AlignLeft | Qt::AlignVCenter, ink);
        }
    };
    if (looksEnabled(this)) {
        drawCaption(area, palette().color(QPalette::WindowText));
    } else {
        drawCaption(area.translated(1, 1), toQColor(clBtnHighlight));
        drawCaption(area, toQColor(clBtnShadow));
    }

    if (hasFocus()) {
        QRect measured;
        if (m_wordWrap) {
            measured = p.fontMetrics().boundingRect(area,
                                                    int(Qt::AlignLeft | Qt::AlignVCenter) |
                                                        Qt::TextWordWrap | Qt::TextShowMnemonic,
                                                    caption);
        } else {
            const QSize size = measureTextLine(font(), caption);
            measured = QRect(area.left(), area.top() + (area.height() - size.height()) / 2,
                             size.width(), size.height());
        }
        drawFocusRect(p, measured.adjusted(-1, -1, 1, 2));
    }
}

bool TLookRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

bool TLookRadioButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        // The accelerator focuses the button, which checks it.
        if (isEnabled() && focusPolicy() != Qt::NoFocus) {
            if (hasFocus())
                setChecked(true);
            else
                setFocus(Qt::ShortcutFocusReason);
        }
        return true;
    }
    return QAbstractButton::event(event);
}

void TLookRadioButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The press focuses without checking (see focusInEvent); the release checks.
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        if (!hasFocus())
            return;
    }
    m_pressing = true;
    setDown(true);
    updatePointerState(event->position().toPoint(), true);
}

void TLookRadioButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TLookRadioButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_pressing)
        setDown(rect().contains(pos));
    updatePointerState(pos,
                       event->buttons() != Qt::NoButton || event->modifiers() != Qt::NoModifier);
}

void TLookRadioButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_pressing) {
        m_pressing = false;
        setDown(false);
        QPointer<TLookRadioButton> guard(this);
        if (rect().contains(pos))
            setChecked(true);
        if (!guard)
            return;
    }
    updatePointerState(pos,
                       event->buttons() != Qt::NoButton || event->modifiers() != Qt::NoModifier);
}

void TLookRadioButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            m_spacePressed = true;
            setDown(true);
        }
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveFocus(false);
        event->accept();
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveFocus(true);
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}

void TLookRadioButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spacePressed) {
        m_spacePressed = false;
        setDown(false);
        QPointer<TLookRadioButton> guard(this);
        setChecked(true);
        if (!guard)
            return;
    }
    // Releases go on to the window, which handles keys such as Space itself.
    event->ignore();
}

void TLookRadioButton::moveFocus(bool forward)
{
    // Next (or previous) child of the same parent in tab order that can take
    // the focus, wrapping; radio buttons without a tab stop count too.
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    QWidget *w = this;
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == this)
            return;
        if (w->parentWidget() == parent && w->isVisible() && w->isEnabled() &&
            w->focusPolicy() != Qt::NoFocus) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TLookRadioButton::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    // Reaching a radio button by keyboard (or from the program) checks it; a
    // mouse press only focuses it and leaves the check to the release.
    if (!isChecked() && !m_clicksDisabled && event->reason() != Qt::MouseFocusReason)
        setChecked(true);
    update();
}

void TLookRadioButton::focusOutEvent(QFocusEvent *event)
{
    QAbstractButton::focusOutEvent(event);
    m_spacePressed = false;
    update();
}

void TLookRadioButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    updatePointerState(event->position().toPoint(),
                       QApplication::mouseButtons() != Qt::NoButton ||
                           QApplication::keyboardModifiers() != Qt::NoModifier);
}

void TLookRadioButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    if (!m_pressing)
        setPointerState(looksEnabled(this) ? gsNormal : gsDisabled);
}

void TLookRadioButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            m_pressing = false;
        m_state = looksEnabled(this) ? gsNormal : gsDisabled;
        update();
    }
}

void TLookRadioButton::updatePointerState(const QPoint &pos, bool buttonsOrModifiersHeld)
{
    TGlyphState state = gsNormal;
    const bool inside = rect().contains(pos);
    if (!looksEnabled(this))
        state = gsDisabled;
    else if (m_pressing)
        state = inside ? gsPressed : gsHot;
    else if (inside && !buttonsOrModifiersHeld)
        state = gsHot;
    setPointerState(state);
}

void TLookRadioButton::setPointerState(TGlyphState state)
{
    if (state == m_state)
        return;
    m_state = state;
    update(glyphRect().adjusted(-1, -1, 1, 1));
}

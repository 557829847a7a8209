#include "controls/look_radio_button.h"

#include "controls/look_and_feel_painters.h"
#include "controls/look_radio_glyph.h"
#include "controls/look_visual_styles.h"
#include "platform/canvas.h"
#include "platform/enabled_look.h"
#include "platform/palette_colors.h"
#include "platform/tab_order.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

using namespace LookAndFeels;

namespace {

constexpr int kPointerWatchMs = 10;

struct Margins {
    int l, t, r, b;
};

// Caption margins by mode, word wrap and alignment.
Margins captionMargins(bool native, bool wordWrap, TLeftRight alignment)
{
    const bool left = alignment == FlatStyle::taLeftJustify;
    if (!native) {
        if (!wordWrap)
            return left ? Margins{2, -1, 1, 0} : Margins{5, -1, 0, 0};
        return left ? Margins{2, -1, 6, 0} : Margins{5, -1, 2, 0};
    }
    if (!wordWrap)
        return left ? Margins{0, -1, 1, 0} : Margins{3, -1, 0, 0};
    return left ? Margins{0, -1, 3, 0} : Margins{3, -1, 0, 0};
}

constexpr int kWrapFlags =
    int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextWordWrap | Qt::TextShowMnemonic;

bool isRadioButton(QObject *o)
{
    return qobject_cast<TLookRadioButton *>(o) || qobject_cast<QRadioButton *>(o);
}

} // namespace

QRect radioGlyphRect(const QRect &client, const TRadioButtonOption &option)
{
    const QSize size = option.painter ? option.painter->RadioGlyphSize() : radioGlyphSize();
    const int top = client.top() + (client.height() - size.height()) / 2;
    const int left = option.alignment == FlatStyle::taLeftJustify
        ? client.left() + client.width() - size.width()
        : client.left() + (option.native ? 0 : 1);
    return QRect(QPoint(left, top), size);
}

QRect radioTextRect(const QRect &client, const TRadioButtonOption &option)
{
    const QRect glyph = radioGlyphRect(client, option);
    int left = client.left(), top = client.top();
    int right = client.left() + client.width(), bottom = client.top() + client.height();
    if (option.alignment == FlatStyle::taRightJustify)
        left = glyph.left() + glyph.width();
    else
        right = glyph.left();
    const Margins m = captionMargins(option.native, option.wordWrap, option.alignment);
    // The top margin of -1 puts the caption's centre half a pixel above the control's.
    return QRect(QPoint(left + m.l, top + m.t), QPoint(right - m.r - 1, bottom - m.b - 1));
}

void drawRadioButton(QPainter &painter, const QRect &client, const TRadioButtonOption &option)
{
    const TCustomLookAndFeelPainter &glyphPainter =
        option.painter ? *option.painter : painterForKind(lfUltraFlat);
    painter.save();
    if (option.native && option.plain())
        painter.fillRect(client, option.color);
    const QRect glyph = radioGlyphRect(client, option);
    glyphPainter.DrawRadioGlyph(
        painter, glyph.left(), glyph.top(), option.glyphState, option.checked, option.focused,
        option.plain() ? toTColor(option.color) : clDefault, option.designing);
    painter.setClipRegion(QRegion(client) - QRegion(glyph), Qt::IntersectClip);
    if (!option.native && option.plain())
        painter.fillRect(client, option.color);

    if (!option.caption.isEmpty()) {
        const QRect area = radioTextRect(client, option);
        painter.setFont(option.font);
        QColor ink = option.enabled ? option.fontColor : toQColor(clBtnShadow);
        if (option.editorTextColor != clDefault)
            ink = toQColor(option.editorTextColor);
        auto drawCaption = [&](const QRect &r, const QColor &c) {
            if (option.wordWrap) {
                painter.setPen(c);
                painter.drawText(r, kWrapFlags | Qt::TextDontClip, option.caption);
            } else {
                drawTextLine(painter, r, option.caption, Qt::AlignLeft | Qt::AlignVCenter, c);
            }
        };
        if (option.native || option.enabled) {
            drawCaption(area, ink);
        } else {
            drawCaption(area.translated(1, 1), toQColor(clBtnHighlight));
            drawCaption(area, toQColor(clBtnShadow));
        }
        if (option.focused) {
            QRect measured;
            if (option.wordWrap) {
                measured = QFontMetrics(option.font).boundingRect(area, kWrapFlags, option.caption);
            } else {
                const QSize size = measureTextLine(option.font, option.caption);
                measured = QRect(area.left(), area.top() + (area.height() - size.height()) / 2,
                                 size.width(), size.height());
            }
            drawColoredFocusRect(painter, measured.adjusted(-1, -1, 1, 2), option.color,
                                 option.fontColor);
        }
    }
    painter.restore();
}

TLookRadioButton::TLookRadioButton(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setAutoExclusive(false); // exclusivity is ours: Qt's would refuse to uncheck
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    connect(this, &QAbstractButton::toggled, this, &TLookRadioButton::onToggled);
    m_lookAndFeel = new TLookAndFeel(this);
    connect(m_lookAndFeel, &TLookAndFeel::changed, this, [this] { update(); });
    m_watch.setInterval(kPointerWatchMs);
    connect(&m_watch, &QTimer::timeout, this, &TLookRadioButton::checkPointerWatch);
    TRadioGlyphImageList::instance();
    resize(113, 17);
}

TLookRadioButton::~TLookRadioButton()
{
    m_watch.stop();
}

void TLookRadioButton::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    emit captionChanged(caption);
}

void TLookRadioButton::setEnabledSetting(bool enabled)
{
    setEnabled(enabled);
    if (ownEnabledMoved(this, m_enabledNotified))
        emit enabledChanged(m_enabledNotified);
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

void TLookRadioButton::setAlignment(TLeftRight alignment)
{
    // taCenter is no place for a glyph: refused, the caption stays where it is.
    if (alignment == m_alignment || alignment == FlatStyle::taCenter)
        return;
    m_alignment = alignment;
    update();
}

void TLookRadioButton::setParentBackground(bool value)
{
    if (value == m_parentBackground)
        return;
    m_parentBackground = value;
    update();
}

void TLookRadioButton::setLookAndFeel(TLookAndFeel *source)
{
    if (source && source != m_lookAndFeel)
        m_lookAndFeel->assign(*source);
}

QObject *TLookRadioButton::popupMenuObject() const
{
    return m_popupMenu.data();
}

void TLookRadioButton::setPopupMenu(QObject *menu)
{
    m_popupMenu = qobject_cast<QMenu *>(menu);
}

TColor TLookRadioButton::color() const
{
    return m_parentColor ? toTColor(colorOfParent()) : m_color;
}

void TLookRadioButton::setColor(TColor color)
{
    if (!m_parentColor && color == m_color)
        return;
    m_color = color;
    m_parentColor = false;
    update();
}

void TLookRadioButton::setParentColor(bool value)
{
    if (value == m_parentColor)
        return;
    if (!value)
        m_color = toTColor(colorOfParent());
    m_parentColor = value;
    update();
}

void TLookRadioButton::setParentFont(bool value)
{
    if (value == parentFont())
        return;
    setFollowsParentFont(this, value);
    update();
}

QColor TLookRadioButton::colorOfParent() const
{
    // A palette a desktop theme handed this control whole does not hold the
    // parent's colour: read it from the parent then.
    const QWidget *parent = parentWidget();
    const bool fromParent = parent && paletteHandedWhole(palette());
    return (fromParent ? parent : this)->palette().color(QPalette::Window);
}

void TLookRadioButton::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::WindowText}, color);
}

TColor TLookRadioButton::fontColorSetting() const
{
    return controlFontColor(this, QPalette::WindowText);
}

void TLookRadioButton::setTabStop(bool value)
{
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

int TLookRadioButton::tabOrder() const
{
    return ::tabOrder(this);
}

void TLookRadioButton::setTabOrder(int order)
{
    ::setTabOrder(this, order);
}

QSize TLookRadioButton::sizeHint() const
{
    // The glyph, the caption's margin of 5 and the caption with the focus
    // rectangle's pixel around it; never below the platform's 113 x 17.
    return minimumSizeHint().expandedTo(QSize(113, 17));
}

QSize TLookRadioButton::minimumSizeHint() const
{
    const QSize glyph = glyphPainter().RadioGlyphSize();
    const QSize caption = text().isEmpty() ? QSize() : measureTextLine(font(), text());
    return QSize(1 + glyph.width() + 5 + caption.width() + 2,
                 std::max(glyph.height(), caption.height() + 3));
}

void TLookRadioButton::onToggled(bool checked)
{
    // The tab stop follows the check; arrow keys still reach the others.
    setTabStop(checked);
    update(glyphRect());
    QPointer<TLookRadioButton> guard(this);
    emit checkedChanged(checked);
    if (!guard || !checked)
        return;
    if (QWidget *parent = parentWidget()) {
        for (QObject *child : parent->children()) {
            auto *sibling = qobject_cast<QAbstractButton *>(child);
            if (sibling && sibling != this && isRadioButton(sibling))
                sibling->setChecked(false);
        }
    }
    if (guard && !m_clicksDisabled)
        emit clicked(true);
}

bool TLookRadioButton::nativeMode() const
{
    return m_lookAndFeel->nativeStyle() &&
        VisualStylesAvailable({visualStyleClassNames().constFirst()});
}

const TCustomLookAndFeelPainter &TLookRadioButton::glyphPainter() const
{
    return m_lookAndFeel->PainterFor({visualStyleClassNames().constFirst()});
}

TRadioButtonOption TLookRadioButton::styleOption() const
{
    TRadioButtonOption s;
    s.native = nativeMode();
    s.seeThrough = m_transparent;
    s.themedParentBackground = s.native && m_parentBackground && !m_transparent;
    s.glyphState = m_state;
    s.checked = isChecked();
    s.focused = hasFocus();
    s.enabled = looksEnabled(this);
    s.color = m_parentColor ? colorOfParent() : toQColor(m_color);
    s.fontColor = palette().color(QPalette::WindowText);
    s.font = font();
    s.caption = text();
    s.alignment = m_alignment;
    s.wordWrap = m_wordWrap;
    s.painter = &glyphPainter();
    if (s.fontColor == toQColor(clWindowText))
        s.editorTextColor = m_lookAndFeel->ActivePainter().EditorTextColor(!s.enabled);
    return s;
}

QRect TLookRadioButton::glyphRect() const
{
    return radioGlyphRect(rect(), styleOption());
}

void TLookRadioButton::paintEvent(QPaintEvent *)
{
    const TRadioButtonOption option = styleOption();
    QPainter p(this);
    // See-through: Qt has already painted the parent and the earlier siblings
    // beneath this control, which is the parent copy's picture.
    if (option.themedParentBackground)
        PaintThemedParentBackground(this, p, rect());
    drawRadioButton(p, rect(), option);
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
    const QPoint pos = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), pos);
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The press focuses without checking; the release inside checks.
    if (!hasFocus()) {
        m_clicksDisabled = true;
        setFocus(Qt::MouseFocusReason);
        m_clicksDisabled = false;
        if (!hasFocus()) {
            // In a window that is not active yet, the focus arrives with the
            // activation that this press causes: the press stands.
            if (isActiveWindow() || window()->focusWidget() != this)
                return;
            m_focusFromPress = true;
        }
    }
    m_pressing = true;
    setDown(true);
    updatePointerState(pos, true);
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
    emit mouseMoved(event->modifiers(), pos);
    if (m_pressing)
        setDown(rect().contains(pos));
    updatePointerState(pos,
                       event->buttons() != Qt::NoButton || event->modifiers() != Qt::NoModifier);
    startPointerWatch();
}

void TLookRadioButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    QPointer<TLookRadioButton> guard(this);
    emit mouseUp(event->button(), event->modifiers(), pos);
    if (!guard)
        return;
    if (event->button() == Qt::LeftButton && m_pressing) {
        m_pressing = false;
        m_focusFromPress = false;
        setDown(false);
        if (rect().contains(pos))
            setChecked(true);
        if (!guard)
            return;
    }
    updatePointerState(pos,
                       event->buttons() != Qt::NoButton || event->modifiers() != Qt::NoModifier);
}

bool TLookRadioButton::offerToPopupMenu(QKeyEvent *event)
{
    if (!m_popupMenu)
        return false;
    const QKeySequence pressed(event->keyCombination());
    QList<QAction *> actions = m_popupMenu->actions();
    while (!actions.isEmpty()) {
        QAction *a = actions.takeFirst();
        if (a->menu())
            actions += a->menu()->actions();
        if (a->isEnabled() && !a->shortcut().isEmpty() &&
            a->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            a->trigger();
            return true;
        }
    }
    return false;
}

void TLookRadioButton::keyPressEvent(QKeyEvent *event)
{
    QPointer<TLookRadioButton> guard(this);
    int key = event->key();
    if (m_onKeyDown)
        m_onKeyDown(this, key, event->modifiers());
    if (!guard)
        return;
    if (key == 0) {
        event->accept();
        return;
    }
    if (m_onKeyPress && !event->text().isEmpty()) {
        QChar c = event->text().at(0);
        m_onKeyPress(this, c);
        if (!guard)
            return;
    }
    if (offerToPopupMenu(event)) {
        event->accept();
        return;
    }
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
    QPointer<TLookRadioButton> guard(this);
    int key = event->key();
    if (m_onKeyUp)
        m_onKeyUp(this, key, event->modifiers());
    if (!guard)
        return;
    if (key == 0) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spacePressed) {
        m_spacePressed = false;
        setDown(false);
        setChecked(true);
        if (!guard)
            return;
    }
    // Releases go on to the window, which handles keys such as Space itself.
    event->ignore();
}

void TLookRadioButton::moveFocus(bool forward)
{
    moveFocusAmongSiblings(this, forward);
}

void TLookRadioButton::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    emit entered();
    // Reaching a radio button by keyboard (or from the program) checks it; a
    // mouse press only focuses it and leaves the check to the release, also
    // when the focus comes with the activation of the window.
    if (m_focusFromPress) {
        m_focusFromPress = false;
    } else if (!isChecked() && !m_clicksDisabled && event->reason() != Qt::MouseFocusReason) {
        m_clicksDisabled = true;
        setChecked(true);
        m_clicksDisabled = false;
        emit clicked(true);
    }
    update();
}

void TLookRadioButton::focusOutEvent(QFocusEvent *event)
{
    QAbstractButton::focusOutEvent(event);
    emit exited();
    m_spacePressed = false;
    update();
}

void TLookRadioButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    updatePointerState(mapFromGlobal(QCursor::pos()),
                       QApplication::mouseButtons() != Qt::NoButton ||
                           QApplication::keyboardModifiers() != Qt::NoModifier);
    startPointerWatch();
}

void TLookRadioButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    pointerLeft();
}

void TLookRadioButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_pressing = false;
            m_watch.stop();
        }
        m_state = looksEnabled(this) ? gsNormal : gsDisabled;
        update();
        if (ownEnabledMoved(this, m_enabledNotified))
            emit enabledChanged(m_enabledNotified);
    }
}

void TLookRadioButton::contextMenuEvent(QContextMenuEvent *event)
{
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    if (!keyboard && !rect().contains(event->pos())) {
        event->ignore();
        return;
    }
    QPointer<TLookRadioButton> guard(this);
    bool handled = false;
    if (m_onContextPopup)
        m_onContextPopup(this, keyboard ? QPoint(-1, -1) : event->pos(), handled);
    if (!guard)
        return;
    if (!handled && m_popupMenu)
        m_popupMenu->popup(keyboard ? mapToGlobal(QPoint(0, 0)) : event->globalPos());
    event->accept();
}

void TLookRadioButton::updatePointerState(const QPoint &pos, bool buttonsOrModifiersHeld)
{
    TGlyphState state = gsNormal;
    const bool inside = rect().contains(pos);
    if (!looksEnabled(this))
        state = gsDisabled;
    else if (!isEnabled())
        state = gsNormal; // inside a disabled container: no input, the normal look
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

void TLookRadioButton::startPointerWatch()
{
    // Some pointer moves end without a leave notice (a fast move onto another
    // window): a watch every few milliseconds notices the pointer is gone.
    if (!isEnabled())
        return;
    m_watched = QRect(mapToGlobal(QPoint(0, 0)), size());
    m_watch.start();
}

void TLookRadioButton::checkPointerWatch()
{
    const QPoint pointer = QCursor::pos();
    if (m_watched.contains(pointer))
        return;
    m_watch.stop();
    QPointer<TLookRadioButton> guard(this);
    if (!QRect(mapToGlobal(QPoint(0, 0)), size()).contains(pointer)) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(this, &leave);
    }
    if (guard)
        pointerLeft();
}

void TLookRadioButton::pointerLeft()
{
    m_watch.stop();
    updatePointerState(QPoint(-1, -1), false);
}

#include "controls/flat_button.h"
#include "platform/enabled_look.h"
#include "platform/palette_colors.h"

#include "platform/canvas.h"
#include "platform/dialog_keys.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

using namespace FlatStyle;

TDefineButton::TDefineButton(QWidget *parent) : TVersionControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(80, 25);
}

void TDefineButton::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    updateGeometry();
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    m_shortcutId = mnemonic.isEmpty() ? 0 : grabShortcut(mnemonic);
    update();
    emit captionChanged(m_caption);
}

void TDefineButton::setGlyph(const QImage &glyph)
{
    // Only the same image is skipped: an equal-looking one is taken afresh,
    // and NumGlyphs worked out again.
    if (glyph.cacheKey() == m_glyph.cacheKey())
        return;
    m_glyph = glyph;
    updateGeometry();
    if (!glyph.isNull() && glyph.height() > 0 && glyph.width() % glyph.height() == 0) {
        const int cells = glyph.width() / glyph.height();
        m_numGlyphs = cells > 4 ? 1 : cells;
    }
    update();
}

QSize TDefineButton::minimumSizeHint() const
{
    const QSize glyph = m_glyph.isNull()
        ? QSize()
        : QSize(m_glyph.width() / std::max(1, m_numGlyphs), m_glyph.height());
    const QSize caption = m_caption.isEmpty() ? QSize() : measureTextLine(font(), m_caption);
    // Between glyph and caption: the spacing as set; -1 spreads the free
    // space, of which the natural size keeps the default 4.
    const int gap = glyph.isEmpty() || caption.isEmpty() ? 0 : m_spacing < 0 ? 4 : m_spacing;
    const int edge = std::max(0, m_margin); // before the glyph, when set
    QSize content;
    if (m_layout == blGlyphLeft || m_layout == blGlyphRight)
        content = QSize(edge + glyph.width() + gap + caption.width(),
                        std::max(glyph.height(), caption.height()));
    else
        content = QSize(std::max(glyph.width(), caption.width()),
                        edge + glyph.height() + gap + caption.height());
    // Border (two pixels when Default), the dotted focus frame and a pixel of air.
    const int frame = 4;
    return content + QSize(2 * frame, 2 * frame);
}

QSize TDefineButton::sizeHint() const
{
    return minimumSizeHint() + QSize(16, 6);
}

void TDefineButton::setNumGlyphs(TNumGlyphs count)
{
    assignAndRepaint(m_numGlyphs, std::clamp(count, 1, 4));
}

void TDefineButton::setLayout(TButtonLayout layout)
{
    assignAndRepaint(m_layout, layout);
}

void TDefineButton::setMargin(int margin)
{
    if (margin >= -1) // values below -1 are ignored
        assignAndRepaint(m_margin, margin);
}

void TDefineButton::setSpacing(int spacing)
{
    assignAndRepaint(m_spacing, spacing);
}

void TDefineButton::setColorFocused(TColor color)
{
    assignAndRepaint(m_colorFocused, color);
}

void TDefineButton::setColorDown(TColor color)
{
    assignAndRepaint(m_colorDown, color);
}

void TDefineButton::setColorBorder(TColor color)
{
    assignAndRepaint(m_colorBorder, color);
}

void TDefineButton::setColorShadow(TColor color)
{
    assignAndRepaint(m_colorShadow, color);
}

void TDefineButton::setColorFlat(TColor color)
{
    assignAndRepaint(m_colorFlat, color);
}

QColor TDefineButton::fontColor() const
{
    return palette().color(QPalette::ButtonText);
}

TColor TDefineButton::fontColorSetting() const
{
    return controlFontColor(this, QPalette::ButtonText);
}

void TDefineButton::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::ButtonText, QPalette::WindowText}, color);
}

void TDefineButton::setTransparent(TTransparentMode mode)
{
    if (assignAndRepaint(m_transparent, mode))
        setAttribute(Qt::WA_OpaquePaintEvent, mode == tmNone);
}

void TDefineButton::setHasFocusFrame(bool value)
{
    assignAndRepaint(m_hasFocusFrame, value);
}

void TDefineButton::setDefault(bool value)
{
    assignAndRepaint(m_default, value);
}

void TDefineButton::setGroupIndex(int index)
{
    if (index == m_groupIndex)
        return;
    m_groupIndex = index;
    notifyGroup();
}

void TDefineButton::setAllowAllUp(bool value)
{
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    notifyGroup();
}

void TDefineButton::setDown(bool down)
{
    if (m_groupIndex == 0)
        down = false;
    // A latched button of a group that must keep one button down stays down.
    if (down == m_down || (m_down && !m_allowAllUp))
        return;
    m_down = down;
    if (down) {
        if (m_faceState == fcUp)
            update();
        m_faceState = fcExclusive;
        notifyGroup(); // the group's other down button goes up and says so first
    } else {
        m_faceState = fcUp;
        repaintNow();
    }
    emit downChanged(down);
}

void TDefineButton::setModalResult(int result)
{
    if (result == m_modalResult)
        return;
    m_modalResult = result;
}

bool TDefineButton::click()
{
    QPointer<TDefineButton> guard(this);
    // The form hears the result before the click's handler runs, which may change it.
    QPointer<QDialog> dialog = qobject_cast<QDialog *>(window());
    if (dialog)
        dialog->setResult(m_modalResult);
    setDown(false);
    if (m_popupMenu)
        m_popupMenu->popup(mapToGlobal(QPoint(0, height())));
    bool completed = true;
    if (m_action) {
        // The action's handlers are its own slots, which answer for their
        // failures themselves (as the window's menu handlers do).
        m_action->trigger();
    } else {
        // A copy: the handler may delete the button, and this member with it.
        const TNotifyEvent handler = m_onClick;
        emit clicked();
        if (guard)
            completed = callReportingFailure(handler, this);
    }
    // A failed handler ends the click here; what it changed before stays.
    if (!completed || !guard)
        return false;
    if (dialog && dialog->isVisible() && dialog->result() != 0)
        dialog->done(dialog->result());
    return !guard.isNull();
}

void TDefineButton::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
}

void TDefineButton::setAction(QAction *action)
{
    bindAction(*this, m_action, action);
}

void TDefineButton::notifyGroup()
{
    if (m_groupIndex == 0 || !parentWidget())
        return;
    for (QObject *sibling : parentWidget()->children()) {
        if (auto *button = qobject_cast<TDefineButton *>(sibling))
            button->groupChanged(m_groupIndex, this);
    }
}

void TDefineButton::groupChanged(int groupIndex, const TDefineButton *sender)
{
    if (sender == this || groupIndex != m_groupIndex)
        return;
    if (sender->m_down && m_down) {
        m_down = false;
        m_faceState = fcUp;
        update();
        emit downChanged(false);
    }
    m_allowAllUp = sender->m_allowAllUp;
}

void TDefineButton::repaintNow()
{
    if (isVisible())
        repaint();
    else
        update();
}

void TDefineButton::hoverOn()
{
    if (isEnabled() && !m_hot) {
        m_hot = true;
        update();
    }
}

void TDefineButton::hoverOff()
{
    if (isEnabled() && m_hot && !m_pressing) {
        m_hot = false;
        update();
    }
}

void TDefineButton::updateHot()
{
    if (!isEnabled())
        return;
    const bool hot = underMouse() || m_pressing;
    const bool onlyByPressing = hot && !underMouse() && m_hot;
    m_hot = hot;
    if (!onlyByPressing)
        update();
}

bool TDefineButton::isInside(const QPoint &pos) const
{
    // The row just below the button counts as inside, the column to its right does not.
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TDefineButton::reconcileEnabledState()
{
    if (!looksEnabled(this)) {
        m_faceState = fcDisabled;
        m_pressing = false;
    } else if (m_faceState == fcDisabled) {
        m_faceState = (m_down && m_groupIndex != 0) ? fcExclusive : fcUp;
    }
}

TFlatButtonOption TDefineButton::styleOption() const
{
    TFlatButtonOption option;
    // The offset follows the state from before the enabled state is settled.
    option.pressedOffset = m_faceState == fcPressed || m_faceState == fcExclusive;
    option.faceState = m_faceState;
    if (!looksEnabled(this))
        option.faceState = fcDisabled;
    else if (m_faceState == fcDisabled)
        option.faceState = (m_down && m_groupIndex != 0) ? fcExclusive : fcUp;
    option.hot = m_hot;
    option.isDefault = m_default;
    option.hasFocusFrame = m_hasFocusFrame;
    option.transparent = m_transparent;
    option.colorFocused = m_colorFocused;
    option.colorDown = m_colorDown;
    option.colorBorder = m_colorBorder;
    option.colorShadow = m_colorShadow;
    option.colorFlat = m_colorFlat;
    option.font = font();
    option.fontColor = fontColor();
    option.caption = m_caption;
    option.glyph = m_glyph;
    option.numGlyphs = m_numGlyphs;
    option.layout = m_layout;
    option.spacing = m_spacing;
    option.margin = m_margin;
    return option;
}

void TDefineButton::paintEvent(QPaintEvent *)
{
    const TFlatButtonOption option = styleOption();
    reconcileEnabledState();
    paintOffScreen(
        [this, &option](QPainter &painter) { drawFlatButton(painter, rect(), option, this); });
}

void drawFlatButton(QPainter &painter, const QRect &rect, const TFlatButtonOption &option,
                    const QWidget *control)
{
    using enum TDefineButton::TFaceState;
    const QPoint offset = option.pressedOffset ? QPoint(1, 1) : QPoint(0, 0);
    const TGlyphCaptionLayout placed =
        LayoutGlyphAndCaption(option.font, rect, offset, option.layout, option.spacing,
                              option.margin, option.glyph, option.numGlyphs, option.caption);

    TColor face = option.colorFlat;
    TColor border = option.colorBorder;
    int borderWidth = 1;
    switch (option.faceState) {
    case fcUp:
        if (option.hot) {
            face = option.colorFocused;
            border = option.colorShadow;
        } else if (option.isDefault) {
            borderWidth = 2;
        }
        break;
    case fcDisabled:
        break;
    case fcPressed:
        face = option.colorDown;
        border = option.colorShadow;
        break;
    case fcExclusive:
        face = option.hot ? option.colorFocused : option.colorDown;
        border = option.colorShadow;
        break;
    }

    const bool ownFace =
        option.transparent == tmNone || (option.transparent == tmNotFocused && option.hot);
    if (ownFace)
        painter.fillRect(rect, toQColor(face));
    else
        PaintParentBackground(control, painter);
    DrawFlatFrame(painter, rect, border, borderWidth);

    if (option.hot && option.hasFocusFrame)
        drawFocusRect(painter, rect.adjusted(2, 2, -2, -2));

    if (!option.glyph.isNull()) {
        const QImage &glyph = option.glyph;
        const int cellWidth = glyph.width() / option.numGlyphs;
        int cell = 0;
        if (option.numGlyphs >= 2 && option.faceState == fcDisabled)
            cell = 1;
        else if (option.numGlyphs >= 3 &&
                 (option.faceState == fcPressed || option.faceState == fcExclusive))
            // A strip of three shows its pressed image while latched down too.
            cell = option.faceState == fcExclusive && option.numGlyphs == 4 ? 3 : 2;
        // The last cell reaches to the strip's right edge.
        const int left = cell * cellWidth;
        const int right = cell == option.numGlyphs - 1 ? glyph.width() : left + cellWidth;
        QImage image = glyph.copy(left, 0, right - left, glyph.height());
        QRgb transparent = glyph.pixel(0, glyph.height() - 1);
        if (option.numGlyphs == 1 && option.faceState == fcDisabled) {
            image = MakeDisabledGlyph(image, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
            transparent = image.pixel(0, image.height() - 1);
        }
        drawTransparentImage(painter, placed.glyphOrigin, image, transparent);
    }

    painter.setFont(option.font);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    if (option.faceState == fcDisabled) {
        drawTextLine(painter, placed.captionRect.translated(1, 1), option.caption, centred,
                     toQColor(clBtnHighlight));
        drawTextLine(painter, placed.captionRect, option.caption, centred, toQColor(clBtnShadow));
    } else {
        drawTextLine(painter, placed.captionRect, option.caption, centred, option.fontColor);
    }
}

namespace {

bool isAltCombination(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Alt || (event->modifiers() & Qt::AltModifier);
}

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The character a caption marks with an ampersand in front of it ("&&" shows
// one ampersand and marks nothing), or QChar() when none.
QChar acceleratorOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1);
        ++i;
    }
    return QChar();
}

} // namespace

bool TDefineButton::event(QEvent *event)
{
    if (event->type() == DialogKeyEvent::eventType())
        return dialogKeyEvent(static_cast<DialogKeyEvent *>(event));
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // While the button has the focus its keys are its own: they must not
        // trigger the window's shortcuts either (Alt combinations aside).
        if (!isAltCombination(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::Shortcut: {
        auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->shortcutId() != m_shortcutId || m_shortcutId == 0)
            break;
        if (isEnabled()) {
            if (m_groupIndex != 0)
                setDown(true);
            click();
        }
        return true;
    }
    default:
        break;
    }
    return TVersionControl::event(event);
}

bool TDefineButton::dialogKeyEvent(DialogKeyEvent *event)
{
    if (!isEnabled())
        return false;
    if (event->kind() == DialogKeyEvent::DialogKey) {
        const Qt::KeyboardModifiers held =
            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
        if (!isEnterKey(event->key()) || !m_hot || (event->modifiers() & held))
            return false;
        event->accept();
        click();
        return true;
    }
    const QChar marked = acceleratorOf(m_caption);
    if (marked.isNull() || event->text().size() != 1 ||
        event->text().at(0).toCaseFolded() != marked.toCaseFolded())
        return false;
    event->accept();
    if (m_groupIndex != 0)
        setDown(true);
    click();
    return true;
}

void TDefineButton::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!m_down) {
        m_faceState = fcPressed;
        update();
    }
    m_pressing = true;
    setFocus(Qt::MouseFocusReason);
}

void TDefineButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is a press like any other.
    mousePressEvent(event);
    if (m_down && event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TDefineButton::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->modifiers(), event->position().toPoint());
    if (!m_pressing)
        return;
    const bool inside = isInside(event->position().toPoint());
    const TFaceState state = m_down ? fcExclusive : (inside ? fcPressed : fcUp);
    if (state != m_faceState) {
        m_faceState = state;
        update();
    }
}

void TDefineButton::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (!m_pressing)
        return;
    m_pressing = false;
    const bool inside = isInside(event->position().toPoint());
    if (m_groupIndex == 0) {
        m_faceState = fcUp;
        m_hot = false;
        if (inside)
            update();
    } else if (inside) {
        setDown(!m_down);
        if (m_down)
            repaintNow();
    } else {
        if (m_down)
            m_faceState = fcExclusive;
        repaintNow();
    }
    bool completed = true;
    if (inside)
        completed = click();
    else
        hoverOff();
    if (completed)
        updateHot();
}

void TDefineButton::keyPressEvent(QKeyEvent *event)
{
    if (isAltCombination(event)) {
        event->ignore();
        return;
    }
    event->accept();
    switch (event->key()) {
    case Qt::Key_Space:
        if (m_groupIndex == 0)
            m_faceState = fcPressed;
        else
            setDown(true);
        update();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Enter is the window's dialog key: the first hot button in the window's
        // order takes it, which need not be this one.
        DialogKeyEvent offer(DialogKeyEvent::DialogKey, event->key(), event->modifiers(),
                             QString());
        offerDialogKey(window(), offer);
        break;
    }
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        break;
    default:
        break;
    }
}

void TDefineButton::keyReleaseEvent(QKeyEvent *event)
{
    if (isAltCombination(event)) {
        event->ignore();
        return;
    }
    event->accept();
    if (event->key() != Qt::Key_Space || event->isAutoRepeat())
        return;
    if (m_groupIndex == 0)
        m_faceState = fcUp;
    else
        setDown(false);
    QPointer<TDefineButton> guard(this);
    click();
    if (guard)
        update();
}

void TDefineButton::enterEvent(QEnterEvent *event)
{
    TVersionControl::enterEvent(event);
    // A handler of its own replaces the hover look (focus still lights the button).
    if (!callInstead(&TDefineButton::m_onMouseEnter))
        hoverOn();
}

void TDefineButton::leaveEvent(QEvent *event)
{
    TVersionControl::leaveEvent(event);
    if (!callInstead(&TDefineButton::m_onMouseLeave))
        hoverOff();
}

bool TDefineButton::callInstead(TNotifyEvent TDefineButton::*handler)
{
    // A copy: the handler may delete the button, and this member with it.
    const TNotifyEvent call = this->*handler;
    if (!call)
        return false;
    callReportingFailure(call, this);
    return true;
}

void TDefineButton::focusInEvent(QFocusEvent *event)
{
    TVersionControl::focusInEvent(event);
    if (isEnabled()) {
        m_hot = true;
        update();
    }
}

void TDefineButton::focusOutEvent(QFocusEvent *event)
{
    TVersionControl::focusOutEvent(event);
    hoverOff();
}

void TDefineButton::changeEvent(QEvent *event)
{
    TVersionControl::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            m_hot = false;
            m_faceState = fcDisabled;
        }
        updateHot();
        update();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        // System colours are resolved at each paint: a new palette shows at once.
        update();
        break;
    default:
        break;
    }
}

void TDefineButton::moveEvent(QMoveEvent *event)
{
    TVersionControl::moveEvent(event);
    if (m_transparent != tmNone)
        update();
}

void TDefineButton::resizeEvent(QResizeEvent *event)
{
    TVersionControl::resizeEvent(event);
    if (m_transparent != tmNone)
        update();
}

TFlatButton::TFlatButton(QWidget *parent) : TDefineButton(parent) {}

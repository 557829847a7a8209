#include "controls/flat_button.h"
#include "platform/enabled_look.h"
#include "platform/palette_colors.h"

#include "platform/canvas.h"
#include "platform/dialog_keys.h"

#include "platform/application_error.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

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
    count = std::clamp(count, 1, 4);
    if (count == m_numGlyphs)
        return;
    m_numGlyphs = count;
    update();
}

void TDefineButton::setLayout(TButtonLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void TDefineButton::setMargin(int margin)
{
    if (margin == m_margin || margin < -1)
        return;
    m_margin = margin;
    update();
}

void TDefineButton::setSpacing(int spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    update();
}

void TDefineButton::setColorFocused(TColor color)
{
    if (color == m_colorFocused)
        return;
    m_colorFocused = color;
    update();
}

void TDefineButton::setColorDown(TColor color)
{
    if (color == m_colorDown)
        return;
    m_colorDown = color;
    update();
}

void TDefineButton::setColorBorder(TColor color)
{
    if (color == m_colorBorder)
        return;
    m_colorBorder = color;
    update();
}

void TDefineButton::setColorShadow(TColor color)
{
    if (color == m_colorShadow)
        return;
    m_colorShadow = color;
    update();
}

void TDefineButton::setColorFlat(TColor color)
{
    if (color == m_colorFlat)
        return;
    m_colorFlat = color;
    update();
}

QColor TDefineButton::fontColor() const
{
    return palette().color(QPalette::ButtonText);
}

TColor TDefineButton::fontColorSetting() const
{
    const TColor set = paletteColorSetting(this, QPalette::ButtonText);
    return set != clDefault ? set : toTColor(fontColor());
}

void TDefineButton::setFontColor(TColor color)
{
    if (paletteColorSetting(this, QPalette::ButtonText) == color)
        return;
    setPaletteColor(this, QPalette::ButtonText, color);
    setPaletteColor(this, QPalette::WindowText, color);
    update();
}

void TDefineButton::setTransparent(TTransparentMode mode)
{
    if (mode == m_transparent)
        return;
    m_transparent = mode;
    setAttribute(Qt::WA_OpaquePaintEvent, mode == tmNone);
    update();
}

void TDefineButton::setHasFocusFrame(bool value)
{
    if (value == m_hasFocusFrame)
        return;
    m_hasFocusFrame = value;
    update();
}

void TDefineButton::setDefault(bool value)
{
    if (value == m_default)
        return;
    m_default = value;
    update();
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
        notifyGroup();
    } else {
        m_faceState = fcUp;
        repaintNow();
    }
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
    try {
        if (m_action)
            m_action->trigger();
        else
            emit clicked();
    } catch (const std::exception &e) {
        // The click ends here; what it changed before stays.
        reportApplicationError(QString::fromUtf8(e.what()));
        return false;
    }
    if (!guard)
        return false;
    if (dialog && dialog->isVisible() && dialog->result() != 0)
        dialog->done(dialog->result());
    return guard;
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

TDefineButton::Look TDefineButton::look() const
{
    Look l;
    // The offset follows the state from before the enabled state is settled.
    l.pressedOffset = m_faceState == fcPressed || m_faceState == fcExclusive;
    l.faceState = m_faceState;
    if (!looksEnabled(this))
        l.faceState = fcDisabled;
    else if (m_faceState == fcDisabled)
        l.faceState = (m_down && m_groupIndex != 0) ? fcExclusive : fcUp;
    l.hot = m_hot;
    l.isDefault = m_default;
    l.hasFocusFrame = m_hasFocusFrame;
    l.transparent = m_transparent;
    l.colorFocused = m_colorFocused;
    l.colorDown = m_colorDown;
    l.colorBorder = m_colorBorder;
    l.colorShadow = m_colorShadow;
    l.colorFlat = m_colorFlat;
    l.font = font();
    l.fontColor = fontColor();
    l.caption = m_caption;
    l.glyph = m_glyph;
    l.numGlyphs = m_numGlyphs;
    l.layout = m_layout;
    l.spacing = m_spacing;
    l.margin = m_margin;
    return l;
}

void TDefineButton::paintEvent(QPaintEvent *)
{
    const Look state = look();
    reconcileEnabledState();
    // One off-screen image of the client size, copied once, so the face never
    // shows half drawn.
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter offscreen(&image);
        drawButton(offscreen, rect(), state, this);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

void TDefineButton::drawButton(QPainter &painter, const QRect &rect, const Look &l,
                               const QWidget *control)
{
    const QPoint offset = l.pressedOffset ? QPoint(1, 1) : QPoint(0, 0);
    const TGlyphCaptionLayout placed = LayoutGlyphAndCaption(
        l.font, rect, offset, l.layout, l.spacing, l.margin, l.glyph, l.numGlyphs, l.caption);

    TColor face = l.colorFlat;
    TColor border = l.colorBorder;
    int borderWidth = 1;
    switch (l.faceState) {
    case fcUp:
        if (l.hot) {
            face = l.colorFocused;
            border = l.colorShadow;
        } else if (l.isDefault) {
            borderWidth = 2;
        }
        break;
    case fcDisabled:
        break;
    case fcPressed:
        face = l.colorDown;
        border = l.colorShadow;
        break;
    case fcExclusive:
        face = l.hot ? l.colorFocused : l.colorDown;
        border = l.colorShadow;
        break;
    }

    const bool ownFace = l.transparent == tmNone || (l.transparent == tmNotFocused && l.hot);
    if (ownFace)
        painter.fillRect(rect, toQColor(face));
    else
        PaintParentBackground(const_cast<QWidget *>(control), painter);
    DrawFlatFrame(painter, rect, border, borderWidth);

    if (l.hot && l.hasFocusFrame)
        drawFocusRect(painter, rect.adjusted(2, 2, -2, -2));

    if (!l.glyph.isNull()) {
        const QImage &glyph = l.glyph;
        const int cellWidth = glyph.width() / l.numGlyphs;
        int cell = 0;
        if (l.numGlyphs >= 2 && l.faceState == fcDisabled)
            cell = 1;
        else if (l.numGlyphs >= 3 &&
                 (l.faceState == fcPressed || (l.numGlyphs == 3 && l.faceState == fcExclusive)))
            cell = 2;
        else if (l.numGlyphs == 4 && l.faceState == fcExclusive)
            cell = 3;
        // The last cell reaches to the strip's right edge.
        const int left = cell * cellWidth;
        const int right = cell == l.numGlyphs - 1 ? glyph.width() : left + cellWidth;
        QImage image = glyph.copy(left, 0, right - left, glyph.height());
        QRgb transparent = glyph.pixel(0, glyph.height() - 1);
        if (l.numGlyphs == 1 && l.faceState == fcDisabled) {
            image = MakeDisabledGlyph(image, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
            transparent = image.pixel(0, image.height() - 1);
        }
        drawTransparentImage(painter, placed.glyphOrigin, image, transparent);
    }

    painter.setFont(l.font);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    if (l.faceState == fcDisabled) {
        drawTextLine(painter, placed.captionRect.translated(1, 1), l.caption, centred,
                     toQColor(clBtnHighlight));
        drawTextLine(painter, placed.captionRect, l.caption, centred, toQColor(clBtnShadow));
    } else {
        drawTextLine(painter, placed.captionRect, l.caption, centred, l.fontColor);
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
    if (isSignalConnected(QMetaMethod::fromSignal(&TDefineButton::mouseEnter)))
        emit mouseEnter();
    else
        hoverOn();
}

void TDefineButton::leaveEvent(QEvent *event)
{
    TVersionControl::leaveEvent(event);
    if (isSignalConnected(QMetaMethod::fromSignal(&TDefineButton::mouseLeave)))
        emit mouseLeave();
    else
        hoverOff();
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

#include "controls/edit_button.h"
#include "platform/enabled_look.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

TEditButton::TEditButton(QObject *parent) : QObject(parent) {}

void TEditButton::setStyle(TEditButtonStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    emit changed();
}

void TEditButton::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    emit changed();
}

void TEditButton::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit changed();
}

void TEditButton::setWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    emit changed();
}

int FlatButtonWidth(int characterHeight, int scrollBarWidth)
{
    int width = int(std::nearbyint(characterHeight * 2.0 / 3.0));
    if (width % 2 == 0)
        ++width;
    return std::min(width, scrollBarWidth);
}

namespace {

enum class Symbol { Up, Down, Dots, Plus, Minus, None };

void fillSpan(QPainter &p, int x1, int x2, int y, const QColor &color)
{
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), color);
}

// A solid triangle centred in area, like the classic scroll arrows.
void drawArrow(QPainter &p, const QRect &area, bool up, const QPoint &shift, const QColor &color)
{
    int aw = area.width() - 4;
    if (aw % 2 == 0)
        --aw;
    aw = std::max(aw, 1);
    int ah = (aw + 1) / 2;
    const int maxHeight = std::max(area.height() - 2, 1);
    if (ah > maxHeight) {
        ah = maxHeight;
        aw = 2 * ah - 1;
    }
    const int cx = area.left() + (area.width() - aw) / 2 + aw / 2 + shift.x();
    const int y0 = area.top() + (area.height() - ah) / 2 + shift.y();
    for (int k = 0; k < ah; ++k) {
        const int half = up ? k : ah - 1 - k;
        fillSpan(p, cx - half, cx + half, y0 + k, color);
    }
}

void drawSymbolOnce(QPainter &p, const QRect &area, Symbol symbol, const QPoint &shift,
                    const QColor &color)
{
    switch (symbol) {
    case Symbol::Up:
    case Symbol::Down:
        drawArrow(p, area, symbol == Symbol::Up, shift, color);
        break;
    case Symbol::Dots: {
        const int dot = area.width() > 7 ? 2 : 1;
        const int gap = area.width() < 12 ? 1 : 2;
        const int total = 3 * dot + 2 * gap;
        const int x = area.left() + (area.width() - total) / 2 + shift.x();
        const int y = area.top() + (area.height() - dot) / 2 + shift.y();
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRect(x + i * (dot + gap), y, dot, dot), color);
        break;
    }
    case Symbol::Plus:
    case Symbol::Minus: {
        const int side = std::min(area.width(), area.height());
        const int length = std::max(side * 4 / 7, 1);
        const int thickness = std::max(length / 3, 1);
        const QPoint c = area.center() + shift;
        p.fillRect(QRect(c.x() - length / 2, c.y() - thickness / 2, length, thickness), color);
        if (symbol == Symbol::Plus)
            p.fillRect(QRect(c.x() - thickness / 2, c.y() - length / 2, thickness, length), color);
        break;
    }
    case Symbol::None:
        break;
    }
}

void drawSymbol(QPainter &p, const QRect &area, Symbol symbol, bool pressed, bool enabled)
{
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    if (enabled) {
        drawSymbolOnce(p, area, symbol, shift, toQColor(clBtnText));
    } else {
        drawSymbolOnce(p, area, symbol, shift + QPoint(1, 1), toQColor(clBtnHighlight));
        drawSymbolOnce(p, area, symbol, shift, toQColor(clBtnShadow));
    }
}

// One-pixel edge: light colour on the top and left, dark on the bottom and right.
void drawEdge(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void drawButtonFace(QPainter &p, const QRect &r, Symbol symbol, bool enabled, bool flat, bool lit,
                    bool pressed)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor face = toQColor(clBtnFace);
    p.fillRect(r, face);
    if (flat) {
        // The classic face's own 3-D edges fall outside the rectangle; a lit
        // button gets a one-pixel edge of its own instead.
        const QRect area = lit ? r.adjusted(1, 1, -1, -1) : r;
        drawSymbol(p, area, symbol, pressed, enabled);
        if (lit) {
            if (pressed)
                drawEdge(p, r, toQColor(clBtnShadow), toQColor(clBtnHighlight));
            else
                drawEdge(p, r, toQColor(clBtnHighlight), toQColor(clBtnShadow));
        }
        return;
    }
    if (pressed) {
        drawEdge(p, r, toQColor(clBtnShadow), toQColor(clBtnShadow));
    } else {
        drawEdge(p, r, toQColor(cl3DLight), toQColor(cl3DDkShadow));
        drawEdge(p, r.adjusted(1, 1, -1, -1), toQColor(clBtnHighlight), toQColor(clBtnShadow));
    }
    drawSymbol(p, r.adjusted(2, 2, -2, -2), symbol, pressed, enabled);
}

Symbol symbolFor(TEditButtonStyle style)
{
    switch (style) {
    case ebsDropDown:
        return Symbol::Down;
    case ebsEllipsis:
        return Symbol::Dots;
    case ebsPlus:
        return Symbol::Plus;
    case ebsMinus:
        return Symbol::Minus;
    case ebsUpDown:
        return Symbol::Up;
    case ebsGlyph:
        break;
    }
    return Symbol::None;
}

} // namespace

void PaintEditButton(QPainter &painter, QRect rect, const QColor &parentColor,
                     TEditButtonStyle style, int pressedPart, bool flat, bool lit, bool enabled)
{
    const bool flatInactive = flat && !lit;
    if (flatInactive)
        painter.fillRect(rect, parentColor);
    if (style == ebsUpDown) {
        const int h = rect.height();
        QRect upper(rect.left(), rect.top(), rect.width(), h / 2);
        QRect lower(rect.left(), rect.top() + h - h / 2, rect.width(), h / 2);
        if (flatInactive) {
            upper.adjust(1, 1, -1, -1);
            lower.adjust(1, 1, -1, -1);
        } else if (h % 2 == 1) {
            painter.fillRect(QRect(rect.left(), rect.top() + h / 2, rect.width(), 1), parentColor);
        }
        drawButtonFace(painter, upper, Symbol::Up, enabled, flat, lit, pressedPart == 1);
        drawButtonFace(painter, lower, Symbol::Down, enabled, flat, lit, pressedPart == 2);
        return;
    }
    const QRect face = flatInactive ? rect.adjusted(1, 1, -1, -1) : rect;
    drawButtonFace(painter, face, symbolFor(style), enabled, flat, lit, pressedPart != 0);
}

TEditButtonControl::TEditButtonControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(10, 17);
    connect(&m_repeat, &QTimer::timeout, this, &TEditButtonControl::repeatTick);
}

void TEditButtonControl::setStyle(TEditButtonStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    update();
}

void TEditButtonControl::setFlat(bool flat)
{
    if (flat == m_flat)
        return;
    m_flat = flat;
    update();
}

void TEditButtonControl::setDrawLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void TEditButtonControl::setParentColor(const QColor &color)
{
    if (color == m_parentColor)
        return;
    m_parentColor = color;
    update();
}

void TEditButtonControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int pressedPart = m_down ? m_pressedHalf : 0;
    PaintEditButton(painter, rect(), m_parentColor, m_style, pressedPart, m_flat, m_lit,
                    looksEnabled(this));
}

int TEditButtonControl::halfAt(int y) const
{
    if (!m_down)
        return 0;
    if (m_style != ebsUpDown)
        return 1;
    const int h = height();
    if (y < h / 2)
        return 1;
    if (y > h - h / 2)
        return 2;
    return 0; // the row between the halves presses neither
}

void TEditButtonControl::setDownState(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    update();
}

void TEditButtonControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    bool autoRepeat = m_style == ebsUpDown;
    m_tracking = true;
    setDownState(true);
    m_pressedHalf = halfAt(event->position().toPoint().y());
    update();
    if (m_pressedHalf < 1)
        return;
    emit buttonDown(m_pressedHalf == 1, autoRepeat);
    if (autoRepeat)
        m_repeat.start(400);
}

void TEditButtonControl::repeatTick()
{
    // While the pointer is off the pressed half the timer keeps running idle.
    if (!m_down)
        return;
    if (m_repeat.interval() == 400)
        m_repeat.start(100);
    bool autoRepeat = m_style == ebsUpDown;
    emit buttonDown(m_pressedHalf == 1, autoRepeat);
    if (!autoRepeat)
        m_repeat.stop();
}

void TEditButtonControl::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_tracking)
        return;
    const QPoint pos = event->position().toPoint();
    bool down = rect().contains(pos);
    if (down && m_style == ebsUpDown) {
        const int h = height();
        if ((m_pressedHalf == 2 && pos.y() < h / 2) || (m_pressedHalf == 1 && pos.y() > h - h / 2))
            down = false;
    }
    setDownState(down);
}

void TEditButtonControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_tracking)
        return;
    m_tracking = false;
    m_repeat.stop();
    const bool click = m_down && rect().contains(event->position().toPoint());
    setDownState(false);
    m_pressedHalf = 0;
    update();
    if (click)
        emit buttonClicked();
}

void TEditButtonControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_repeat.stop();
            m_tracking = false;
            m_down = false;
            m_pressedHalf = 0;
        }
        update();
    }
}

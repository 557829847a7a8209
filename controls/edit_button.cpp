#include "controls/edit_button.h"
#include "controls/edit_button_faces.h"
#include "platform/canvas.h"
#include "platform/enabled_look.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>

using enum EditTools::TButtonPaintStyle;
using enum EditTools::TEditButtonStyle;

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
                drawEdgeRing(p, r, toQColor(clBtnShadow), toQColor(clBtnHighlight));
            else
                drawEdgeRing(p, r, toQColor(clBtnHighlight), toQColor(clBtnShadow));
        }
        return;
    }
    if (pressed) {
        drawEdgeRing(p, r, toQColor(clBtnShadow), toQColor(clBtnShadow));
    } else {
        drawEdgeRing(p, r, toQColor(cl3DLight), toQColor(cl3DDkShadow));
        drawEdgeRing(p, r.adjusted(1, 1, -1, -1), toQColor(clBtnHighlight), toQColor(clBtnShadow));
    }
    drawSymbol(p, r.adjusted(2, 2, -2, -2), symbol, pressed, enabled);
}

Symbol symbolFor(TButtonPaintStyle style, bool lowerHalf)
{
    switch (style) {
    case bpsDropDown:
        return Symbol::Down;
    case bpsEllipsis:
        return Symbol::Dots;
    case bpsPlus:
        return Symbol::Plus;
    case bpsMinus:
        return Symbol::Minus;
    case bpsUpDown:
        return lowerHalf ? Symbol::Down : Symbol::Up;
    case bpsCheckBox:
        break;
    }
    return Symbol::None;
}

void drawFaceForKey(QPainter &p, QRect r, const ButtonBitmapKey &key)
{
    drawButtonFace(p, r, symbolFor(key.paintStyle, key.lowerHalf), key.enabled, key.flat, key.lit,
                   key.pressed);
}

// One face, through the program-wide cache.
void cachedFace(QPainter &p, const QRect &r, TButtonPaintStyle style, bool enabled, bool flat,
                bool lit, bool pressed, bool lowerHalf)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    ButtonBitmapKey key;
    key.width = r.width();
    key.height = r.height();
    key.paintStyle = style;
    key.flat = flat;
    key.pressed = pressed;
    key.lit = lit;
    key.enabled = enabled;
    key.lowerHalf = lowerHalf;
    key.devicePixelRatio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    p.drawImage(r.topLeft(), TButtonsBitmapCache::instance().face(key, drawFaceForKey));
}

// The repeat timer on a QTimer.
class QtRepeatTimer : public TRepeatTimer {
public:
    QtRepeatTimer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (timeout)
                timeout();
        });
    }
    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};

QKeySequence altDown()
{
    return QKeySequence(Qt::AltModifier | Qt::Key_Down);
}

} // namespace

TEditButton::TEditButton(QObject *parent) : QObject(parent) {}

void TEditButton::setAction(QAction *action)
{
    if (action == m_action)
        return;
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (action)
        connect(action, &QAction::changed, this, &TEditButton::actionChanged);
    emit changed();
    notifyEnabledChange();
}

void TEditButton::actionChanged()
{
    emit changed();
    notifyEnabledChange();
}

void TEditButton::notifyEnabledChange()
{
    const bool enabled = isEnabled();
    if (enabled == m_notifiedEnabled)
        return;
    m_notifiedEnabled = enabled;
    emit enabledChanged(enabled);
}

void TEditButton::setDropdownMenu(QMenu *menu)
{
    if (menu == m_dropdownMenu)
        return;
    m_dropdownMenu = menu;
    emit changed();
}

bool TEditButton::isEnabled() const
{
    return m_action ? m_action->isEnabled() : m_enabled;
}

void TEditButton::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit changed();
    notifyEnabledChange();
}

void TEditButton::setGlyph(const QPixmap &glyph)
{
    if (glyph.cacheKey() == m_glyph.cacheKey())
        return;
    m_glyph = glyph;
    emit changed();
}

QString TEditButton::hint() const
{
    return m_action ? m_action->toolTip() : m_hint;
}

void TEditButton::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit changed();
}

void TEditButton::setNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (count == m_numGlyphs)
        return;
    m_numGlyphs = count;
    emit changed();
}

QKeySequence TEditButton::shortCut() const
{
    return m_action ? m_action->shortcut() : m_shortCut;
}

void TEditButton::setShortCut(const QKeySequence &shortCut)
{
    if (shortCut == m_shortCut)
        return;
    m_shortCut = shortCut;
    emit changed();
}

void TEditButton::setStyle(TEditButtonStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    emit changed();
}

bool TEditButton::isVisible() const
{
    return m_action ? m_action->isVisible() : m_visible;
}

void TEditButton::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    emit changed();
}

void TEditButton::setWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    emit changed();
}

void TEditButton::performClick(QObject *target, bool &handled)
{
    if (m_onClick) {
        m_onClick(target, handled);
        return;
    }
    if (m_action) {
        // The edit is the action's target, as a menu's widget is.
        m_action->setData(QVariant::fromValue(target));
        m_action->trigger();
        handled = true;
    }
}

void TEditButton::assign(const TEditButton &other)
{
    setAction(other.m_action);
    setDropdownMenu(other.m_dropdownMenu);
    setEnabled(other.m_enabled);
    setGlyph(other.m_glyph);
    setHint(other.m_hint);
    setNumGlyphs(other.m_numGlyphs);
    setShortCut(other.m_shortCut);
    setStyle(other.m_style);
    setVisible(other.m_visible);
    setWidth(other.m_width);
    m_onClick = other.m_onClick;
    m_onDown = other.m_onDown;
}

TDropDownEditButton::TDropDownEditButton(QObject *parent) : TEditButton(parent)
{
    m_shortCut = altDown();
}

TVisibleEditButton::TVisibleEditButton(QObject *parent) : TEditButton(parent)
{
    m_visible = true;
    m_shortCut = altDown();
}

TVisibleEditButton *TEditButtonCollection::add()
{
    auto *button = new TVisibleEditButton(this);
    connect(button, &TEditButton::changed, this, &TEditButtonCollection::changed);
    m_items.append(button);
    emit changed();
    return button;
}

void TEditButtonCollection::remove(int index)
{
    delete m_items.takeAt(index);
    emit changed();
}

void TEditButtonCollection::clear()
{
    if (m_items.isEmpty())
        return;
    qDeleteAll(m_items);
    m_items.clear();
    emit changed();
}

int FlatButtonWidth(int characterHeight, int scrollBarWidth)
{
    // Rounding to nearest is ties to even in the default floating-point mode.
    int width = int(std::nearbyint(characterHeight * 2.0 / 3.0));
    if (width % 2 == 0)
        ++width;
    return std::min(width, scrollBarWidth);
}

int ScrollBarWidth()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int FlatButtonWidth()
{
    static const int width = [] {
        const QFont font = QApplication::font();
        const int height = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
        return FlatButtonWidth(height, ScrollBarWidth());
    }();
    return width;
}

TButtonPaintStyle paintStyleFor(TEditButtonStyle style)
{
    switch (style) {
    case ebsDropDown:
        return bpsDropDown;
    case ebsEllipsis:
        return bpsEllipsis;
    case ebsUpDown:
        return bpsUpDown;
    case ebsPlus:
        return bpsPlus;
    case ebsMinus:
        return bpsMinus;
    case ebsGlyph:
        break;
    }
    return bpsDropDown;
}

namespace {

// A glyph button: a speed button's face with the glyph centred on it.
void paintGlyphButton(QPainter &p, const QRect &rect, const TEditButtonOption &o)
{
    const bool pressed = o.down;
    if (o.flat && !o.lit) {
        p.fillRect(rect, toQColor(clBtnFace));
        drawEdgeRing(p, rect, o.parentColor, o.parentColor);
    } else {
        drawButtonFace(p, rect, Symbol::None, o.enabled, o.flat, o.lit, pressed);
        if (o.flat)
            drawEdgeRing(p, rect, toQColor(pressed ? clBtnShadow : clBtnHighlight),
                         toQColor(pressed ? clBtnHighlight : clBtnShadow));
    }
    if (o.glyph.isNull())
        return;
    const QSize size = o.glyph.deviceIndependentSize().toSize();
    QPoint at = rect.center() - QPoint(size.width() / 2, size.height() / 2) + QPoint(1, 1);
    if (pressed)
        at += QPoint(1, 1);
    p.drawPixmap(at, o.glyph);
}

} // namespace

void drawEditButton(QPainter &painter, const QRect &rect, const TEditButtonOption &o)
{
    if (o.style == ebsGlyph) {
        paintGlyphButton(painter, rect, o);
        return;
    }
    const TButtonPaintStyle style = paintStyleFor(o.style);
    const bool flatInactive = o.flat && !o.lit;
    if (flatInactive)
        painter.fillRect(rect, o.parentColor);
    if (style == bpsUpDown) {
        const int h = rect.height();
        QRect upper(rect.left(), rect.top(), rect.width(), h / 2);
        QRect lower(rect.left(), rect.top() + h - h / 2, rect.width(), h / 2);
        if (flatInactive) {
            upper.adjust(1, 1, -1, -1);
            lower.adjust(1, 1, -1, -1);
        } else if (h % 2 == 1) {
            painter.fillRect(QRect(rect.left(), rect.top() + h / 2, rect.width(), 1),
                             o.parentColor);
        }
        cachedFace(painter, upper, style, o.enabled, o.flat, o.lit, o.pressedPart == 1, false);
        cachedFace(painter, lower, style, o.enabled, o.flat, o.lit, o.pressedPart == 2, true);
        return;
    }
    const QRect face = flatInactive ? rect.adjusted(1, 1, -1, -1) : rect;
    cachedFace(painter, face, style, o.enabled, o.flat, o.lit, o.pressedPart != 0, false);
}

void PaintEditButton(QPainter &painter, const QRect &rect, const QColor &parentColor,
                     TEditButtonStyle style, int pressedPart, bool flat, bool lit, bool enabled)
{
    TEditButtonOption option;
    option.parentColor = parentColor;
    option.style = style;
    option.pressedPart = pressedPart;
    option.flat = flat;
    option.lit = lit;
    option.enabled = enabled;
    drawEditButton(painter, rect, option);
}

TEditButtonControl::TEditButtonControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(10, 17);
}

TEditButtonControl::~TEditButtonControl() = default;

TRepeatTimer &TEditButtonControl::repeatTimer()
{
    if (!m_repeat)
        setRepeatTimer(std::make_unique<QtRepeatTimer>());
    return *m_repeat;
}

void TEditButtonControl::setRepeatTimer(std::unique_ptr<TRepeatTimer> timer)
{
    m_repeat = std::move(timer);
    m_repeat->timeout = [this] { repeatTick(); };
}

int TEditButtonControl::repeatInterval() const
{
    return m_repeat && m_repeat->isActive() ? m_repeat->interval() : 0;
}

void TEditButtonControl::setButtonStyle(TEditButtonStyle style)
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

void TEditButtonControl::setHeldDown(bool held)
{
    if (held == m_heldDown)
        return;
    m_heldDown = held;
    m_pressedHalf = held ? 1 : 0;
    update();
}

void TEditButtonControl::setParentColor(const QColor &color)
{
    if (color == m_parentColor)
        return;
    m_parentColor = color;
    update();
}

void TEditButtonControl::setGlyph(const QPixmap &glyph, int numGlyphs)
{
    if (glyph.cacheKey() == m_glyph.cacheKey() && numGlyphs == m_numGlyphs)
        return;
    m_glyph = glyph;
    m_numGlyphs = std::clamp(numGlyphs, 1, 4);
    update();
}

TEditButtonOption TEditButtonControl::styleOption() const
{
    TEditButtonOption option;
    option.parentColor = m_parentColor;
    option.style = m_style;
    option.pressedPart = isDown() ? m_pressedHalf : 0;
    option.flat = m_flat;
    option.lit = m_lit;
    option.enabled = looksEnabled(this);
    option.down = isDown();
    if (!m_glyph.isNull()) {
        // The strip holds the up, disabled, down and held images, as many as it has.
        const int index = !option.enabled && m_numGlyphs > 1 ? 1
            : option.down && m_numGlyphs > 2                 ? 2
                                                             : 0;
        const int w = m_glyph.width() / m_numGlyphs;
        option.glyph = m_glyph.copy(index * w, 0, w, m_glyph.height());
    }
    return option;
}

void TEditButtonControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawEditButton(painter, rect(), styleOption());
}

int TEditButtonControl::halfAt(int y) const
{
    if (!isDown())
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

void TEditButtonControl::setPressedHalf(int half)
{
    if (half == m_pressedHalf)
        return;
    m_pressedHalf = half;
    update();
}

void TEditButtonControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    bool autoRepeat = m_style == ebsUpDown;
    m_tracking = true;
    setDownState(true);
    setPressedHalf(halfAt(event->position().toPoint().y()));
    if (m_pressedHalf < 1)
        return;
    reportDown(m_pressedHalf == 1, autoRepeat);
    if (autoRepeat && m_tracking)
        repeatTimer().start(400);
}

void TEditButtonControl::reportDown(bool topButton, bool &autoRepeat)
{
    bool handled = false;
    if (m_onDown)
        m_onDown(this, topButton, autoRepeat, handled);
}

void TEditButtonControl::pressByShortCut()
{
    bool autoRepeat = false;
    reportDown(false, autoRepeat);
    emit buttonClicked();
}

void TEditButtonControl::cancelPress()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    if (m_repeat)
        m_repeat->stop();
    setDownState(false);
    setPressedHalf(m_heldDown ? 1 : 0);
}

void TEditButtonControl::repeatTick()
{
    // While the pointer is off the pressed half the timer keeps running idle.
    if (!m_down)
        return;
    if (m_repeat->interval() == 400)
        m_repeat->start(100);
    bool autoRepeat = m_style == ebsUpDown;
    reportDown(m_pressedHalf == 1, autoRepeat);
    if (!autoRepeat)
        m_repeat->stop();
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
    if (!m_tracking || event->button() != Qt::LeftButton)
        return;
    m_tracking = false;
    const QPoint pos = event->position().toPoint();
    // An up/down press that slid off its half ends without a click.
    m_suppressClick = m_style == ebsUpDown && !m_down;
    const bool click = m_down && !m_suppressClick && rect().contains(pos);
    m_suppressClick = false;
    setDownState(false);
    setPressedHalf(m_heldDown ? 1 : 0);
    if (m_repeat)
        m_repeat->stop();
    emit buttonReleased(pos);
    if (click)
        emit buttonClicked();
}

void TEditButtonControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt delivers the second press of a double click only as this event
    // (press, release, double click, release): it is a press like the first.
    mousePressEvent(event);
}

void TEditButtonControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            if (m_repeat)
                m_repeat->stop();
            m_tracking = false;
            m_down = false;
            m_pressedHalf = m_heldDown ? 1 : 0;
        }
        update();
    }
}

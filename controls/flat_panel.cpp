#include "controls/flat_panel.h"
#include "platform/enabled_look.h"
#include "platform/palette_colors.h"

#include "platform/canvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

using namespace FlatStyle;

TDefinePanel::TDefinePanel(QWidget *parent) : TVersionControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // Children laid out inside the panel leave its border free.
    setContentsMargins(1, 1, 1, 1);
    resize(185, 41);
    connect(qApp, &QApplication::focusChanged, this, &TDefinePanel::focusChanged);
}

TDefinePanel::~TDefinePanel()
{
    // Deleting the children below may move the focus: the application's
    // signal must not reach this panel half destroyed.
    disconnect(qApp, &QApplication::focusChanged, this, &TDefinePanel::focusChanged);
}

void TDefinePanel::setAction(QAction *action)
{
    bindAction(*this, m_action, action);
}

bool TDefinePanel::holds(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void TDefinePanel::focusChanged(QWidget *old, QWidget *now)
{
    const bool was = holds(old), is = holds(now);
    if (!was && is)
        emit entered();
    else if (was && !is)
        emit exited();
}

void TDefinePanel::setChildAlign(QWidget *child, TAlign align)
{
    if (!child || childAlign(child) == align)
        return;
    child->setProperty("Align", QVariant::fromValue(align));
    if (auto *panel = qobject_cast<TDefinePanel *>(child->parentWidget()))
        panel->realign();
}

TAlign TDefinePanel::childAlign(const QWidget *child)
{
    const QVariant value = child ? child->property("Align") : QVariant();
    return value.isValid() ? value.value<TAlign>() : alNone;
}

void TDefinePanel::setAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    realign();
}

void TDefinePanel::realign()
{
    if (m_aligning)
        return;
    m_aligning = true;
    QList<QWidget *> children;
    for (QObject *object : this->children())
        if (auto *w = qobject_cast<QWidget *>(object); w && !w->isWindow() && !w->isHidden())
            children << w;
    if (m_autoSize) {
        QRect bounds;
        for (QWidget *w : children)
            if (childAlign(w) == alNone)
                bounds |= w->geometry();
        if (!bounds.isEmpty())
            resize(bounds.right() + 2, bounds.bottom() + 2);
    }
    QRect area = alignArea();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (QWidget *w : children) {
            if (childAlign(w) != pass)
                continue;
            switch (pass) {
            case alTop:
                w->setGeometry(area.left(), area.top(), area.width(), w->height());
                area.setTop(area.top() + w->height());
                break;
            case alBottom:
                w->setGeometry(area.left(), area.bottom() + 1 - w->height(), area.width(),
                               w->height());
                area.setBottom(area.bottom() - w->height());
                break;
            case alLeft:
                w->setGeometry(area.left(), area.top(), w->width(), area.height());
                area.setLeft(area.left() + w->width());
                break;
            case alRight:
                w->setGeometry(area.right() + 1 - w->width(), area.top(), w->width(),
                               area.height());
                area.setRight(area.right() - w->width());
                break;
            default:
                w->setGeometry(area.left(), area.top(), std::max(0, area.width()),
                               std::max(0, area.height()));
                break;
            }
        }
    }
    m_aligning = false;
}

bool TDefinePanel::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto *w = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            w->installEventFilter(this);
        break;
    case QEvent::ChildRemoved:
    case QEvent::ChildPolished:
        realign();
        break;
    default:
        break;
    }
    return TVersionControl::event(event);
}

bool TDefinePanel::eventFilter(QObject *watched, QEvent *event)
{
    // A child that moves, resizes, shows or hides may change the alignment or size.
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (watched->parent() == this)
            realign();
        break;
    default:
        break;
    }
    return TVersionControl::eventFilter(watched, event);
}

void TDefinePanel::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_popupMenu) {
        TVersionControl::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->globalPos());
    event->accept();
}

QSize TDefinePanel::minimumSizeHint() const
{
    const QSize caption = m_caption.isEmpty() ? QSize(0, 0) : measureTextLine(font(), m_caption);
    // The caption area leaves 3 pixels each side; the border takes one.
    QSize size(caption.width() + 2 * 3 + 2, caption.height() + 2);
    // Children placed by their coordinates keep the border free right and below.
    QRect held;
    for (QObject *object : children())
        if (auto *w = qobject_cast<QWidget *>(object);
            w && !w->isWindow() && !w->isHidden() && childAlign(w) == alNone)
            held |= w->geometry();
    if (!held.isEmpty())
        size = size.expandedTo(QSize(held.right() + 2, held.bottom() + 2));
    return size;
}

QSize TDefinePanel::sizeHint() const
{
    return minimumSizeHint() + QSize(8, 8);
}

void TDefinePanel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    keepContentsOnResize();
    updateGeometry();
    update();
    emit captionChanged(m_caption);
}

void TDefinePanel::setFullRepaint(bool value)
{
    m_fullRepaint = value;
    keepContentsOnResize();
}

void TDefinePanel::keepContentsOnResize()
{
    // Qt repaints a resized widget whole unless its contents are static; then
    // only what the resize uncovers is painted, and resizeEvent adds the
    // strips the border leaves and takes.
    setAttribute(Qt::WA_StaticContents, !m_fullRepaint && m_caption.isEmpty());
}

TColor TDefinePanel::color() const
{
    const QWidget *parent = parentWidget();
    if (!m_parentColor || !parent)
        return m_color;
    const QVariant own = parent->property("Color");
    return own.isValid() ? own.value<TColor>()
                         : toTColor(parent->palette().color(QPalette::Window));
}

void TDefinePanel::setColor(TColor color)
{
    if (color == m_color && !m_parentColor)
        return;
    m_color = color;
    m_parentColor = false;
    update();
}

void TDefinePanel::setParentColor(bool value)
{
    assignAndRepaint(m_parentColor, value);
}

void TDefinePanel::setColorBorder(TColor color)
{
    assignAndRepaint(m_colorBorder, color);
}

QColor TDefinePanel::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

TColor TDefinePanel::fontColorSetting() const
{
    return controlFontColor(this, QPalette::WindowText);
}

void TDefinePanel::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::WindowText}, color);
}

void TDefinePanel::setAlignment(TAlignment alignment)
{
    assignAndRepaint(m_alignment, alignment);
}

void TDefinePanel::setAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignLeft)
        setAlignment(taLeftJustify);
    else if (alignment & Qt::AlignRight)
        setAlignment(taRightJustify);
    else
        setAlignment(taCenter);
}

void TDefinePanel::setTransparent(bool transparent)
{
    if (assignAndRepaint(m_transparent, transparent))
        setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
}

void TDefinePanel::setStyleFace(TStyleFace face)
{
    assignAndRepaint(m_styleFace, face);
}

void TDefinePanel::setBackgropStartColor(TColor color)
{
    assignAndRepaint(m_startColor, color);
}

void TDefinePanel::setBackgropStopColor(TColor color)
{
    assignAndRepaint(m_stopColor, color);
}

void TDefinePanel::setBackgropOrien(TStyleOrien orientation)
{
    assignAndRepaint(m_orien, orientation);
}

TFlatPanelOption TDefinePanel::styleOption() const
{
    TFlatPanelOption option;
    option.transparent = m_transparent;
    option.styleFace = m_styleFace;
    option.color = color();
    option.colorBorder = m_colorBorder;
    option.startColor = m_startColor;
    option.stopColor = m_stopColor;
    option.orien = m_orien;
    option.alignment = m_alignment;
    option.enabled = looksEnabled(this);
    option.font = font();
    option.fontColor = fontColor();
    option.caption = m_caption;
    return option;
}

void TDefinePanel::paintEvent(QPaintEvent *)
{
    // Off-screen, so the caption never flickers when it is rewritten.
    const TFlatPanelOption option = styleOption();
    paintOffScreen(
        [this, &option](QPainter &painter) { drawFlatPanel(painter, rect(), option, this); });
}

void drawFlatPanel(QPainter &painter, const QRect &rect, const TFlatPanelOption &option,
                   const QWidget *control)
{
    if (option.transparent)
        PaintParentBackground(control, painter);
    else if (option.styleFace == fsDefault)
        painter.fillRect(rect, toQColor(option.color));
    else
        FillGradient(painter, option.startColor, option.stopColor, rect, option.orien);
    DrawFlatFrame(painter, rect, option.colorBorder, 1);

    const QRect captionArea = rect.adjusted(3, 0, -3, 0);
    Qt::Alignment placement = Qt::AlignVCenter;
    switch (option.alignment) {
    case taLeftJustify:
        placement |= Qt::AlignLeft;
        break;
    case taRightJustify:
        placement |= Qt::AlignRight;
        break;
    case taCenter:
        placement |= Qt::AlignHCenter;
        break;
    }
    painter.setFont(option.font);
    if (option.enabled) {
        drawTextLine(painter, captionArea, option.caption, placement, option.fontColor);
    } else {
        // The raised copy is cut at the same area as the caption itself.
        painter.save();
        painter.setClipRect(captionArea);
        drawTextLine(painter, captionArea.translated(1, 1), option.caption, placement,
                     toQColor(clBtnHighlight));
        painter.restore();
        drawTextLine(painter, captionArea, option.caption, placement, toQColor(clBtnShadow));
    }
}

void TDefinePanel::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
    }
}

void TDefinePanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The second press of a double-click reports the double-click instead of
    // starting another click.
    m_pressed = false;
    emit doubleClicked();
}

void TDefinePanel::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->modifiers(), event->position().toPoint());
}

void TDefinePanel::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() != Qt::LeftButton)
        return;
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || !rect().contains(event->position().toPoint()))
        return;
    if (m_action) {
        // The action's handlers are its own slots, which answer for their
        // failures themselves (as the window's menu handlers do).
        m_action->trigger();
        return;
    }
    QPointer<TDefinePanel> guard(this);
    // A copy: the handler may delete the panel, and this member with it.
    const TNotifyEvent handler = m_onClick;
    emit clicked();
    if (guard)
        callReportingFailure(handler, this);
}

void TDefinePanel::changeEvent(QEvent *event)
{
    TVersionControl::changeEvent(event);
    // System colours are resolved at each paint: a new palette shows at once.
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        update();
}

void TDefinePanel::resizeEvent(QResizeEvent *event)
{
    TVersionControl::resizeEvent(event);
    realign();
    emit resized();
    if (m_fullRepaint || !m_caption.isEmpty()) {
        update();
        return;
    }
    // Only the strips the old border stood on, and the new border's, need painting
    // again (a shrinking panel would otherwise lose its right or bottom border).
    const QSize old = event->oldSize();
    if (!old.isValid())
        return;
    if (old.width() != width()) {
        update(QRect(old.width() - 2, 0, 2, old.height()));
        update(QRect(width() - 2, 0, 2, height()));
    }
    if (old.height() != height()) {
        update(QRect(0, old.height() - 2, old.width(), 2));
        update(QRect(0, height() - 2, width(), 2));
    }
}

TFlatPanel::TFlatPanel(QWidget *parent) : TDefinePanel(parent) {}

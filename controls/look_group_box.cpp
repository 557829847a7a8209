#include "controls/look_group_box.h"
#include "platform/palette_colors.h"
#include "platform/tab_order.h"

#include "controls/look_and_feel_painters.h"
#include "platform/canvas.h"
#include "platform/enabled_look.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

using namespace LookAndFeels;
using namespace LookGroupBoxes;

namespace {

constexpr int kShadowWidth = 3;
constexpr int kCaptionIndent = 8;
constexpr int kTransparentBorderExtent = 2;
constexpr int kCaptionBandExtra = 3;

bool captionAtTop(TCaptionAlignment a)
{
    return a == alTopLeft || a == alTopCenter || a == alTopRight;
}
bool captionAtBottom(TCaptionAlignment a)
{
    return a == alBottomLeft || a == alBottomCenter || a == alBottomRight;
}
bool captionAtLeft(TCaptionAlignment a)
{
    return a == alLeftTop || a == alLeftCenter || a == alLeftBottom;
}
bool captionAtRight(TCaptionAlignment a)
{
    return a == alRightTop || a == alRightCenter || a == alRightBottom;
}

// 0 at the start of the side, 1 in the middle, 2 at its end.
int captionPlace(TCaptionAlignment a)
{
    switch (a) {
    case alTopCenter:
    case alBottomCenter:
    case alLeftCenter:
    case alRightCenter:
    case alCenterCenter:
        return 1;
    case alTopRight:
    case alBottomRight:
    case alLeftBottom:
    case alRightBottom:
        return 2;
    default:
        return 0;
    }
}

// Ultra-flat and office borders are drawn as a single line.
TEditBorderStyle drawnStyle(TEditBorderStyle style)
{
    return style == ebsUltraFlat || style == ebsOffice11 ? ebsSingle : style;
}

TEditBorderStyle styleForKind(TLookAndFeelKind kind)
{
    switch (kind) {
    case lfFlat:
        return ebsFlat;
    case lfStandard:
        return ebs3D;
    case lfOffice11:
        return ebsOffice11;
    case lfUltraFlat:
    default:
        return ebsUltraFlat;
    }
}

// The height of a line of text ("Qq") in the font, and a little air.
int captionBand(const QFont &font)
{
    return QFontMetrics(font).height() + kCaptionBandExtra;
}

// One ring of lines on the sides in edges, lighter on the top and left.
void frameRing(QPainter &painter, const QRect &r, TBorderEdges edges, const QColor &topLeft,
               const QColor &bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (edges.testFlag(bTop))
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    if (edges.testFlag(bLeft))
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    if (edges.testFlag(bBottom))
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    if (edges.testFlag(bRight))
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

QRect shrinkOnEdges(const QRect &r, TBorderEdges edges, int by)
{
    return r.adjusted(edges.testFlag(bLeft) ? by : 0, edges.testFlag(bTop) ? by : 0,
                      edges.testFlag(bRight) ? -by : 0, edges.testFlag(bBottom) ? -by : 0);
}

} // namespace

// ---- style objects

TLookGroupBoxStyle::TLookGroupBoxStyle(TLookGroupBox *box) : QObject(box), m_box(box) {}

void TLookGroupBoxStyle::changed(bool geometry)
{
    m_box->styleChanged(geometry);
}

void TLookGroupBoxStyle::setEdges(TBorderEdges edges)
{
    store(m_edges, edges, true);
}

void TLookGroupBoxStyle::setShadow(bool shadow)
{
    store(m_shadow, shadow, false);
}

void TLookGroupBoxStyle::setTransparentBorder(bool value)
{
    store(m_transparentBorder, value, true);
}

TEditBorderStyle TLookGroupBoxStyle::borderStyle() const
{
    return m_borderStyleAssigned ? m_borderStyle : styleForKind(m_box->lookAndFeel()->kind());
}

void TLookGroupBoxStyle::setBorderStyle(TEditBorderStyle style)
{
    if (m_borderStyleAssigned && style == m_borderStyle)
        return;
    m_borderStyle = style;
    m_borderStyleAssigned = true;
    changed(true);
}

void TLookGroupBoxStyle::restoreDefaultBorderStyle()
{
    if (!m_borderStyleAssigned)
        return;
    m_borderStyleAssigned = false;
    changed(true);
}

void TLookGroupBoxStyle::setHotTrack(bool value)
{
    store(m_hotTrack, value, false);
}

void TLookGroupBoxStyle::setBorderColor(TColor color)
{
    store(m_borderColor, color, false);
}

void TLookGroupBoxStyle::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    // Children that take their parent's colour take this one.
    QPalette pal = m_box->palette();
    if (color == clDefault) {
        pal.setResolveMask(pal.resolveMask() & ~(quint64(1) << QPalette::Window));
        m_box->setPalette(
            pal.resolve(m_box->parentWidget() ? m_box->parentWidget()->palette() : QPalette()));
    } else {
        pal.setColor(QPalette::Window, toQColor(color));
        m_box->setPalette(pal);
    }
    changed(false);
}

TLookGroupBoxPanelStyle::TLookGroupBoxPanelStyle(TLookGroupBox *box) : QObject(box), m_box(box) {}

void TLookGroupBoxPanelStyle::setActive(bool value)
{
    if (value == m_active)
        return;
    m_active = value;
    m_box->styleChanged(true);
}

void TLookGroupBoxPanelStyle::setOfficeBackgroundKind(TPanelOfficeBackgroundKind kind)
{
    if (kind == m_officeBackgroundKind)
        return;
    m_officeBackgroundKind = kind;
    m_box->styleChanged(false);
}

// ---- drawing

int groupBoxBorderWidth(TEditBorderStyle style)
{
    switch (style) {
    case ebsNone:
        return 0;
    case ebsThick:
    case ebsFlat:
    case ebs3D:
        return 2;
    default:
        return 1;
    }
}

int groupBoxBorderExtent(const TGroupBoxOption &option, TBorderEdge side)
{
    if (option.transparentBorder)
        return kTransparentBorderExtent;
    return option.edges.testFlag(side) ? groupBoxBorderWidth(option.borderStyle) : 0;
}

QRect groupBoxCaptionRect(const QRect &box, const TGroupBoxOption &option)
{
    if (option.caption.isEmpty())
        return QRect();
    const QSize text = measureTextLine(option.font, option.caption) + QSize(2, 0);
    const int place = captionPlace(option.alignment);
    auto along = [&](int start, int length, int size) {
        if (place == 0)
            return start + kCaptionIndent;
        if (place == 1)
            return start + (length - size) / 2;
        return start + length - kCaptionIndent - size;
    };
    if (captionAtTop(option.alignment))
        return QRect(along(box.left(), box.width(), text.width()), box.top(), text.width(),
                     text.height());
    if (captionAtBottom(option.alignment))
        return QRect(along(box.left(), box.width(), text.width()),
                     box.top() + box.height() - text.height(), text.width(), text.height());
    // Captions on the left or right side read along that side.
    if (captionAtLeft(option.alignment))
        return QRect(box.left(), along(box.top(), box.height(), text.width()), text.height(),
                     text.width());
    if (captionAtRight(option.alignment))
        return QRect(box.left() + box.width() - text.height(),
                     along(box.top(), box.height(), text.width()), text.height(), text.width());
    return QRect(box.left() + (box.width() - text.width()) / 2,
                 box.top() + (box.height() - text.height()) / 2, text.width(), text.height());
}

void drawGroupBox(QPainter &painter, const QRect &rect, const TGroupBoxOption &option,
                  const QWidget *control)
{
    painter.save();
    const bool shadowAllowed =
        option.panel || captionAtTop(option.alignment) || captionAtLeft(option.alignment);
    const bool withShadow = option.shadow && shadowAllowed;
    const QRect box = withShadow ? rect.adjusted(0, 0, -kShadowWidth, -kShadowWidth) : rect;
    if (withShadow) {
        const QColor shade = toQColor(clBtnShadow);
        painter.fillRect(QRect(rect.right() - kShadowWidth + 1, rect.top() + kShadowWidth,
                               kShadowWidth, rect.height() - kShadowWidth),
                         shade);
        painter.fillRect(QRect(rect.left() + kShadowWidth, rect.bottom() - kShadowWidth + 1,
                               rect.width() - kShadowWidth, kShadowWidth),
                         shade);
    }

    // Background. A transparent box draws nothing: Qt has already painted the
    // parent and the earlier siblings beneath it, which is the parent copy.
    if (!option.transparent) {
        painter.fillRect(box, option.color);
        if (option.panel && option.panelPainter)
            option.panelPainter->PaintPanelBackground(painter, control, box, option.panelColor,
                                                      option.panelColorTo);
    }

    const QRect captionRect = groupBoxCaptionRect(box, option);
    if (!captionRect.isEmpty()) {
        painter.save();
        painter.setClipRect(captionRect, Qt::IntersectClip);
        painter.setFont(option.font);
        const QColor ink = option.enabled ? option.fontColor : toQColor(clBtnShadow);
        if (captionAtLeft(option.alignment) || captionAtRight(option.alignment)) {
            const bool left = captionAtLeft(option.alignment);
            painter.translate(left ? captionRect.bottomLeft() + QPoint(0, 1)
                                   : captionRect.topRight() + QPoint(1, 0));
            painter.rotate(left ? -90 : 90);
            drawTextLine(painter, QRect(1, 0, captionRect.height() - 2, captionRect.width()),
                         option.caption, Qt::AlignLeft | Qt::AlignVCenter, ink, true, false);
        } else {
            drawTextLine(painter, captionRect.adjusted(1, 0, -1, 0), option.caption,
                         Qt::AlignLeft | Qt::AlignVCenter, ink);
        }
        painter.restore();
        // The border does not run through the caption.
        painter.setClipRegion(QRegion(rect) - QRegion(captionRect), Qt::IntersectClip);
    }

    const TEditBorderStyle style = drawnStyle(option.borderStyle);
    const int width = groupBoxBorderWidth(option.borderStyle);
    if (option.edges && style != ebsNone) {
        QRect border = box.adjusted(
            groupBoxBorderExtent(option, bLeft), groupBoxBorderExtent(option, bTop),
            -groupBoxBorderExtent(option, bRight), -groupBoxBorderExtent(option, bBottom));
        border = shrinkOnEdges(border, option.edges, -width);
        // A caption on a side sits on that side's line.
        if (!captionRect.isEmpty()) {
            const int half = captionRect.height() / 2;
            const int halfAcross = captionRect.width() / 2;
            if (captionAtTop(option.alignment) && option.edges.testFlag(bTop))
                border.setTop(std::max(border.top(), box.top() + half));
            if (captionAtBottom(option.alignment) && option.edges.testFlag(bBottom))
                border.setBottom(std::min(border.bottom(), box.bottom() - half));
            if (captionAtLeft(option.alignment) && option.edges.testFlag(bLeft))
                border.setLeft(std::max(border.left(), box.left() + halfAcross));
            if (captionAtRight(option.alignment) && option.edges.testFlag(bRight))
                border.setRight(std::min(border.right(), box.right() - halfAcross));
        }
        const QColor line = option.borderColor;
        switch (style) {
        case ebsSingle:
            frameRing(painter, border, option.edges, line, line);
            break;
        case ebsThick:
            frameRing(painter, border, option.edges, line, line);
            frameRing(painter, shrinkOnEdges(border, option.edges, 1), option.edges, line, line);
            break;
        case ebsFlat:
            frameRing(painter, border, option.edges, line, line);
            frameRing(painter, shrinkOnEdges(border, option.edges, 1), option.edges,
                      toQColor(clBtnFace), toQColor(clBtnFace));
            break;
        case ebs3D:
            if (option.ctl3D) {
                frameRing(painter, border, option.edges, toQColor(clBtnShadow),
                          toQColor(clBtnHighlight));
                frameRing(painter, shrinkOnEdges(border, option.edges, 1), option.edges,
                          toQColor(cl3DDkShadow), toQColor(cl3DLight));
            } else {
                frameRing(painter, border, option.edges, line, line);
                frameRing(painter, shrinkOnEdges(border, option.edges, 1), option.edges, line,
                          line);
            }
            break;
        default:
            break;
        }
    }
    painter.restore();
}

// ---- the control

TLookGroupBox::TLookGroupBox(QWidget *parent)
    : QWidget(parent),
      m_style(new TLookGroupBoxStyle(this)),
      m_panelStyle(new TLookGroupBoxPanelStyle(this)),
      m_lookAndFeel(new TLookAndFeel(this))
{
    // Not a tab stop and not focused by a click; the arrow keys of a radio
    // button may still move the focus here.
    setFocusPolicy(Qt::NoFocus);
    setArrowFocusTarget(this);
    connect(m_lookAndFeel, &TLookAndFeel::changed, this, [this] {
        updateMargins();
        update();
    });
    resize(185, 105);
    updateMargins();
}

void TLookGroupBox::styleChanged(bool geometry)
{
    if (geometry)
        updateMargins();
    update();
}

void TLookGroupBox::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void TLookGroupBox::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    emit captionChanged(caption);
}

void TLookGroupBox::setEnabledSetting(bool enabled)
{
    setEnabled(enabled);
    if (ownEnabledMoved(this, m_enabledNotified))
        emit enabledChanged(m_enabledNotified);
}

void TLookGroupBox::setAlignment(TCaptionAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    updateMargins();
    update();
}

bool TLookGroupBox::ctl3D() const
{
    if (!m_parentCtl3D)
        return m_ctl3D;
    if (auto *parentBox = qobject_cast<const TLookGroupBox *>(parentWidget()))
        return parentBox->ctl3D();
    return true;
}

void TLookGroupBox::setCtl3D(bool value)
{
    if (!m_parentCtl3D && value == m_ctl3D)
        return;
    m_ctl3D = value;
    m_parentCtl3D = false;
    update();
}

void TLookGroupBox::setParentCtl3D(bool value)
{
    if (value == m_parentCtl3D)
        return;
    m_parentCtl3D = value;
    update();
}

void TLookGroupBox::setTabStop(bool value)
{
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

void TLookGroupBox::setParentColor(bool value)
{
    if (value == parentColor())
        return;
    m_style->setColor(value ? clDefault : toTColor(palette().color(QPalette::Window)));
}

void TLookGroupBox::setLookAndFeel(TLookAndFeel *source)
{
    if (source && source != m_lookAndFeel)
        m_lookAndFeel->assign(*source);
}

TGroupBoxOption TLookGroupBox::styleOption() const
{
    TGroupBoxOption s;
    s.transparent = m_transparent;
    s.caption = m_caption;
    s.font = font();
    s.fontColor = palette().color(QPalette::WindowText);
    s.enabled = looksEnabled(this);
    s.alignment = m_alignment;
    s.edges = m_style->edges();
    s.shadow = m_style->shadow();
    s.transparentBorder = m_style->transparentBorder();
    s.borderStyle = m_style->borderStyle();
    const bool singleLine = s.borderStyle == ebsUltraFlat || s.borderStyle == ebsOffice11;
    TColor line = singleLine ? clBtnShadow : m_style->borderColor();
    if (singleLine && m_style->hotTrack() && m_hot)
        line = clHighlight;
    s.borderColor = toQColor(line);
    s.ctl3D = ctl3D();
    s.color = m_style->color() == clDefault ? palette().color(QPalette::Window)
                                            : toQColor(m_style->color());
    s.panel = m_panelStyle->active();
    if (s.panel) {
        const TCustomLookAndFeelPainter &painter = m_lookAndFeel->ActivePainter();
        s.panelPainter = &painter;
        s.panelColor = m_style->color() == clDefault ? toTColor(s.color) : m_style->color();
        if (painter.PainterStyle() == lfsOffice11) {
            switch (m_panelStyle->officeBackgroundKind()) {
            case pobkGradient:
                s.panelColor = clWindow;
                s.panelColorTo = clBtnFace;
                break;
            case pobkOffice11Color:
                s.panelColor = clBtnFace;
                break;
            case pobkStyleColor:
                break;
            }
        }
    }
    return s;
}

void TLookGroupBox::updateMargins()
{
    // Aligned children stay clear of the border and of the caption's band.
    const TGroupBoxOption s = styleOption();
    QMargins m(groupBoxBorderExtent(s, bLeft), groupBoxBorderExtent(s, bTop),
               groupBoxBorderExtent(s, bRight), groupBoxBorderExtent(s, bBottom));
    if (!s.panel && m_alignment != alCenterCenter) {
        const int band = captionBand(font());
        if (captionAtTop(m_alignment))
            m.setTop(m.top() + band);
        else if (captionAtBottom(m_alignment))
            m.setBottom(m.bottom() + band);
        else if (captionAtLeft(m_alignment))
            m.setLeft(m.left() + band);
        else
            m.setRight(m.right() + band);
    }
    setContentsMargins(m);
}

void TLookGroupBox::paintEvent(QPaintEvent *)
{
    const TGroupBoxOption option = styleOption();
    QPainter painter(this);
    drawGroupBox(painter, rect(), option, this);
}

void TLookGroupBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMargins();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::EnabledChange)
        update();
    if (event->type() == QEvent::EnabledChange && ownEnabledMoved(this, m_enabledNotified))
        emit enabledChanged(m_enabledNotified);
}

void TLookGroupBox::mousePressEvent(QMouseEvent *event)
{
    // Qt keeps the pointer with this box while the button is held.
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void TLookGroupBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_pressed &&
        rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    if (click)
        emit clicked();
}

void TLookGroupBox::keyPressEvent(QKeyEvent *event)
{
    // Focused by an arrow key, the box hands the focus on the same way: to the
    // next or previous control of its parent, not to the window's next tab stop.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveFocusAmongSiblings(this, false);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveFocusAmongSiblings(this, true);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TLookGroupBox::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    m_hot = true;
    if (m_style->hotTrack() && m_style->edges())
        update();
}

void TLookGroupBox::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_hot = false;
    if (m_style->hotTrack() && m_style->edges())
        update();
}

TColor TLookGroupBox::fontColorSetting() const
{
    return controlFontColor(this, QPalette::WindowText);
}

void TLookGroupBox::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::WindowText}, color);
}

QSize TLookGroupBox::minimumSizeHint() const
{
    const QMargins m = contentsMargins();
    QSize size(m.left() + m.right(), m.top() + m.bottom());
    QRect held;
    for (QObject *object : children())
        if (auto *w = qobject_cast<QWidget *>(object); w && !w->isWindow() && !w->isHidden())
            held |= w->geometry();
    if (!held.isEmpty())
        size = size.expandedTo(QSize(held.right() + 1 + m.right(), held.bottom() + 1 + m.bottom()));
    if (!m_caption.isEmpty()) {
        const QSize caption = measureTextLine(font(), m_caption);
        size = size.expandedTo(
            QSize(caption.width() + m.left() + m.right() + 2 * 8, caption.height() + m.bottom()));
    }
    return size;
}

QSize TLookGroupBox::sizeHint() const
{
    const QSize held = minimumSizeHint();
    const QMargins m = contentsMargins();
    const bool empty = held == QSize(m.left() + m.right(), m.top() + m.bottom());
    return empty ? QSize(185, 105) : held;
}

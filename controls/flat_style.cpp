#include "controls/flat_style.h"

#include "platform/canvas.h"

#include <QEvent>
#include <QFont>
#include <QPainter>

#include <algorithm>

using namespace FlatStyle;

void DrawFlatFrame(QPainter &painter, QRect rect, TColor color, int width)
{
    const QColor c = toQColor(color);
    // Work in exclusive right/bottom coordinates reduced by one, as the rings
    // are traced along the last row and column inside the rectangle.
    int l = rect.left(), t = rect.top(), r = rect.left() + rect.width() - 1,
        b = rect.top() + rect.height() - 1;
    for (int i = 0; i < width && l <= r && t <= b; ++i) {
        painter.fillRect(QRect(l, t, r - l + 1, 1), c);
        painter.fillRect(QRect(l, b, r - l + 1, 1), c);
        painter.fillRect(QRect(l, t, 1, b - t + 1), c);
        painter.fillRect(QRect(r, t, 1, b - t + 1), c);
        ++l;
        ++t;
        --r;
        --b;
    }
}

void FillGradient(QPainter &painter, TColor start, TColor stop, QRect rect, TStyleOrien orientation)
{
    const QColor c1 = toQColor(start), c2 = toQColor(stop);
    const double dr = (c2.red() - c1.red()) / 31.0;
    const double dg = (c2.green() - c1.green()) / 31.0;
    const double db = (c2.blue() - c1.blue()) / 31.0;
    double r = c1.red(), g = c1.green(), b = c1.blue();
    const int span = orientation == bsHorizontal ? rect.width() : rect.height();
    const int thickness = span / 31 + 1;
    for (int i = 0; i <= 31; ++i) {
        const QColor band = QColor(int(r), int(g), int(b));
        r += dr;
        g += dg;
        b += db;
        const int from = i * span / 31;
        const int to = std::min(from + thickness, span);
        if (to <= from)
            continue;
        if (orientation == bsHorizontal)
            painter.fillRect(QRect(rect.left() + from, rect.top(), to - from, rect.height()), band);
        else
            painter.fillRect(QRect(rect.left(), rect.top() + from, rect.width(), to - from), band);
    }
}

void PaintParentBackground(const QWidget *control, QPainter &painter)
{
    if (!control)
        return;
    BeneathLayers layers;
    layers.beneathParent = true;
    layers.earlierChildren = true;
    paintWhatLiesBeneath(painter, control, control->rect(), layers);
}

QImage MakeDisabledGlyph(const QImage &source, TColor ink, TColor face, TColor highlight,
                         TColor shadow, bool withHighlight)
{
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    QImage result(src.size(), QImage::Format_RGB32);
    result.fill(toQColor(face));
    const QRgb inkRgb = toQColor(ink).rgb() & 0x00FFFFFFu;
    const QRgb highlightRgb = toQColor(highlight).rgb();
    const QRgb shadowRgb = toQColor(shadow).rgb();
    auto isInk = [&](int x, int y) { return (src.pixel(x, y) & 0x00FFFFFFu) == inkRgb; };
    if (withHighlight) {
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                if (isInk(x, y) && x + 1 < result.width() && y + 1 < result.height())
                    result.setPixel(x + 1, y + 1, highlightRgb);
    }
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (isInk(x, y))
                result.setPixel(x, y, shadowRgb);
    return result;
}

TGlyphCaptionLayout LayoutGlyphAndCaption(const QFont &font, QRect client, QPoint offset,
                                          TButtonLayout layout, int spacing, int margin,
                                          const QImage &glyph, TNumGlyphs numGlyphs,
                                          const QString &caption)
{
    const QPoint cs(client.width(), client.height());
    const int cells = numGlyphs > 0 ? numGlyphs : 1;
    const QPoint gs = glyph.isNull() ? QPoint(0, 0) : QPoint(glyph.width() / cells, glyph.height());

    QRect captionRect(0, 0, 0, 0);
    QPoint ts(0, 0);
    if (!caption.isEmpty()) {
        const QSize size = measureTextLine(font, caption);
        captionRect = QRect(0, 0, size.width(), size.height());
        ts = QPoint(size.width(), size.height());
    }

    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    QPoint glyphPos, textPos;
    if (horizontal) {
        glyphPos.setY((cs.y() - gs.y() + 1) / 2);
        textPos.setY((cs.y() - ts.y() + 1) / 2);
    } else {
        glyphPos.setX((cs.x() - gs.x() + 1) / 2);
        textPos.setX((cs.x() - ts.x() + 1) / 2);
    }

    if (ts.x() == 0 || gs.x() == 0)
        spacing = 0;

    const int a = horizontal ? cs.x() : cs.y();
    const int g = horizontal ? gs.x() : gs.y();
    const int t = horizontal ? ts.x() : ts.y();
    if (margin == -1 && spacing == -1) {
        margin = (a - (g + t)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (a - (g + spacing + t) + 1) / 2;
    } else if (spacing == -1) {
        spacing = (a - (margin + g) - t) / 2;
    }

    int glyphAlong = 0, textAlong = 0;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAlong = margin;
        textAlong = glyphAlong + g + spacing;
    } else {
        glyphAlong = a - margin - g;
        textAlong = glyphAlong - spacing - t;
    }
    if (horizontal) {
        glyphPos.setX(glyphAlong);
        textPos.setX(textAlong);
    } else {
        glyphPos.setY(glyphAlong);
        textPos.setY(textAlong);
    }

    TGlyphCaptionLayout result;
    result.glyphOrigin = glyphPos + client.topLeft() + offset;
    result.captionRect = captionRect.translated(textPos + client.topLeft() + offset);
    return result;
}

TVersionControl::TVersionControl(QWidget *parent) : QWidget(parent) {}

void TVersionControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Qt says when the control's state changes, also when only its container's
    // did: only a change of its own setting is told.
    if (event->type() == QEvent::EnabledChange && ownEnabledMoved(this, m_enabledNotified))
        emit enabledChanged(m_enabledNotified);
}

void TVersionControl::setEnabledSetting(bool enabled)
{
    setEnabled(enabled);
    if (ownEnabledMoved(this, m_enabledNotified))
        emit enabledChanged(m_enabledNotified);
}

void TVersionControl::paintOffScreen(const std::function<void(QPainter &painter)> &draw)
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter offscreen(&image);
        draw(offscreen);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

QString TVersionControl::version() const
{
    return QStringLiteral("4.42.8.0");
}

void TVersionControl::setVersion(const QString &value)
{
    m_storedVersion = value;
}

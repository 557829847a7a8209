#include "platform/image.h"

#include "platform/canvas.h"

#include <QPainter>

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    resize(105, 105);
}

void TImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    rebuild();
}

void TImage::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    rebuild();
}

void TImage::setScaleFactor(qreal factor)
{
    if (factor <= 0 || qFuzzyCompare(factor, m_scaleFactor))
        return;
    m_scaleFactor = factor;
    rebuild();
}

QRgb TImage::transparentColor(const QImage &picture)
{
    if (picture.isNull())
        return qRgb(255, 255, 255);
    if (picture.depth() == 1)
        return qRgb(255, 255, 255);
    return picture.pixel(0, picture.height() - 1) | 0xFF000000u;
}

void TImage::rebuild()
{
    if (m_picture.isNull())
        m_shown = QImage();
    else if (m_transparent)
        m_shown = withTransparentColor(m_picture, transparentColor(m_picture))
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else
        // Drawn opaque even where the picture has an alpha channel.
        m_shown = m_picture.convertToFormat(QImage::Format_RGB32);
    if (!m_shown.isNull() && !qFuzzyCompare(m_scaleFactor, qreal(1))) {
        const QSize size(qMax(1, qRound(m_picture.width() * m_scaleFactor)),
                         qMax(1, qRound(m_picture.height() * m_scaleFactor)));
        m_shown = m_shown.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    update();
}

void TImage::drawImage(QPainter &painter, const QRect &rect) const
{
    if (m_shown.isNull())
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawImage(rect.topLeft(), m_shown);
    painter.restore();
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawImage(painter, rect());
}

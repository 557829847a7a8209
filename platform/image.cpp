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

#include "platform/image.h"

#include <algorithm>

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
    findVisibleTiles();
    update();
}

void TImage::findVisibleTiles()
{
    m_visibleTiles.clear();
    if (m_shown.isNull() || !m_shown.hasAlphaChannel()) {
        if (!m_shown.isNull())
            m_visibleTiles.append(m_shown.rect());
        return;
    }
    constexpr int kTile = 64;
    for (int top = 0; top < m_shown.height(); top += kTile) {
        const int bottom = std::min(top + kTile, m_shown.height());
        QRect run;
        for (int left = 0; left < m_shown.width(); left += kTile) {
            const int right = std::min(left + kTile, m_shown.width());
            bool visible = false;
            for (int y = top; y < bottom && !visible; ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(m_shown.constScanLine(y));
                for (int x = left; x < right; ++x) {
                    if (qAlpha(line[x]) != 0) {
                        visible = true;
                        break;
                    }
                }
            }
            const QRect tile(left, top, right - left, bottom - top);
            if (visible)
                run = run.isNull() ? tile : run.united(tile);
            else if (!run.isNull()) {
                m_visibleTiles.append(run);
                run = QRect();
            }
        }
        if (!run.isNull())
            m_visibleTiles.append(run);
    }
}

void TImage::drawImage(QPainter &painter, const QRect &rect) const
{
    if (m_shown.isNull())
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const QRect clip = painter.clipBoundingRect().toAlignedRect().translated(-rect.topLeft());
    for (const QRect &tile : m_visibleTiles) {
        if (tile.intersects(clip))
            painter.drawImage(rect.topLeft() + tile.topLeft(), m_shown, tile);
    }
    painter.restore();
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawImage(painter, rect());
}

#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

// A graphic control showing a picture from the top-left corner, at its own size
// (or at a scale factor, see setScaleFactor) and cut off at the control's bounds.
// When transparent, every pixel of the picture's transparent colour is left out
// and what lies beneath shows.
class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // The picture is drawn this many times its size (1 by default), smoothly. The
    // transparent colour is left out of the picture as it is, before scaling, so
    // the rule stays that of exact colour matches.
    qreal scaleFactor() const { return m_scaleFactor; }
    void setScaleFactor(qreal factor);

    // The colour left out when transparent: white for a one-bit picture, else
    // the colour of the bottom-left pixel (column 0, last row).
    static QRgb transparentColor(const QImage &picture);

    // Draws the picture as it shows now with its top-left corner at rect's,
    // cut off at rect.
    void drawImage(QPainter &painter, const QRect &rect) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void rebuild();
    void findVisibleTiles();

    QImage m_picture;
    QImage m_shown; // the picture ready to draw, masked once per picture
    // Where a see-through picture has any pixel left to draw, as runs of tiles;
    // the rest is left out when drawing (it would change no pixel). The display
    // text repaints over the picture at every frame of a rolling draw.
    QList<QRect> m_visibleTiles;
    bool m_transparent = false;
    qreal m_scaleFactor = 1;
};

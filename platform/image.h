#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

// A graphic control showing a picture at its own size from the top-left corner,
// unscaled and cut off at the control's bounds. When transparent, every pixel of
// the picture's transparent colour is left out and what lies beneath shows.
class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

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

    QImage m_picture;
    QImage m_shown; // the picture ready to draw, masked once per picture
    bool m_transparent = false;
};

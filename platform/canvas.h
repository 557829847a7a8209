#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QFont;
class QPainter;
class QWidget;

// Canvas helpers shared by the custom-drawn controls. Texts follow the
// ampersand-prefix rule: "&x" underlines x and hides the "&", "&&" shows one "&".

// Size of one line of text in the given font (prefix rule applied when asked).
QSize measureTextLine(const QFont &font, const QString &text, bool prefix = true);

// Draws one line of text in the painter's current font and the given colour,
// placed in rect by alignment (horizontal and vertical flags), with a
// transparent background. With clip set, nothing is drawn outside rect.
void drawTextLine(QPainter &painter, const QRect &rect, const QString &text,
                  Qt::Alignment alignment, const QColor &color, bool prefix = true,
                  bool clip = true);

// The dotted focus rectangle: every other pixel along the rectangle's edge is
// inverted, so drawing it twice leaves the picture as it was.
void drawFocusRect(QPainter &painter, const QRect &rect);

// The same dots in two colours: the dots in the foreground, the pixels between
// them in the background, whatever lay there before.
void drawColoredFocusRect(QPainter &painter, const QRect &rect, const QColor &background,
                          const QColor &foreground);

// Which layers make up what lies beneath a see-through control.
struct BeneathLayers {
    // Also what lies beneath the parent, up to the window, whose background is
    // drawn; otherwise the parent's own picture alone.
    bool beneathParent = false;
    // The parent's graphic children (labels, images), wherever they stand:
    // they are painted on the parent's own surface.
    bool graphicChildren = false;
    // The children created before the control, in order (the windowed ones
    // only, when the graphic children came already).
    bool earlierChildren = false;
};

// Draws into painter, at control's own coordinates, what lies beneath control
// over rect (inside its parent): composed apart and copied once, so layers
// that partly cover each other keep their order.
void paintWhatLiesBeneath(QPainter &painter, const QWidget *control, const QRect &rect,
                          const BeneathLayers &layers);

// A copy of image in which every pixel of exactly the colour transparent
// (alpha ignored) is made fully transparent.
QImage withTransparentColor(const QImage &image, QRgb transparent);

// Draws image at origin, leaving out every pixel whose colour is transparent.
void drawTransparentImage(QPainter &painter, const QPoint &origin, const QImage &image,
                          QRgb transparent);

// A one-pixel ring along the inside of rect: topLeft on the top row and the
// left column, bottomRight on the bottom row and the right column (the corners
// top-right and bottom-left take bottomRight). Raised with a light topLeft,
// sunken with a dark one. Four fills rather than Qt's shade drawing, which
// takes its colours from a palette and not the system colours asked for.
void drawEdgeRing(QPainter &painter, const QRect &rect, const QColor &topLeft,
                  const QColor &bottomRight);

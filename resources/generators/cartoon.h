// Cartoon pieces shared by the background picture and the icon: festive
// children, gold ingots, coins, lanterns and sparkles, all drawn with
// QPainter so they scale from 16-pixel icons to the projected picture.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>

namespace cartoon {

// Never pure white inside a figure: the program treats the picture's white
// as see-through, so eye highlights and the like would become holes.
inline const QColor kPaper(252, 250, 244);
inline const QColor kOutline(92, 44, 26);

// A round-capped, round-joined pen: every outline of the pictures and the icon.
QPen outlinePen(qreal width, const QColor &colour = kOutline);

enum class Hair { Cap, Buns, Tuft, Pigtails };
enum class Pose { Clasp, HoldIngot, RaiseIngot, Lantern, HoldCoin, Envelope, ArmsSpread };

struct Figure {
    Hair hair = Hair::Tuft;
    Pose pose = Pose::Clasp;
    QColor robe{214, 32, 38};
    QColor trim{250, 196, 40};
    QColor trousers{246, 190, 40};
    bool openEyes = true;
    bool foreheadDot = false;
    qreal line = 2.2; // outline width in figure units
};

// A figure is about 210 units tall, standing on `feet`; `scale` maps units
// to pixels.
void drawFigure(QPainter &p, const Figure &figure, QPointF feet, qreal scale);

// Gold ingot resting on `bottom` (centre of its base), `width` pixels wide.
void drawIngot(QPainter &p, QPointF bottom, qreal width, qreal line = 1.6);

// Round coin with a square hole; `squash` 1 stands it up, smaller lays it
// down (the vertical radius shrinks and a rim shows below).
void drawCoin(QPainter &p, QPointF centre, qreal radius, qreal squash = 1.0, qreal line = 1.4);

void drawSparkle(QPainter &p, QPointF centre, qreal radius, const QColor &colour);

// Red lantern hanging from `top` (where its string begins).
void drawLantern(QPainter &p, QPointF top, qreal height, qreal line = 1.6);

} // namespace cartoon

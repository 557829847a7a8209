#include "cartoon.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace cartoon {
namespace {

const QColor kSkin(255, 226, 196);
const QColor kSkinShade(240, 190, 150);
const QColor kHair(46, 34, 38);
const QColor kCheek(255, 120, 130, 150);
const QColor kMouth(196, 42, 48);
const QColor kTongue(255, 128, 128);
const QColor kEye(52, 30, 28);
const QColor kRed(218, 30, 36);

void fillOutlined(QPainter &p, const QPainterPath &path, const QBrush &brush, qreal line,
                  const QColor &outline = kOutline)
{
    p.setBrush(brush);
    p.setPen(line > 0 ? outlinePen(line, outline) : QPen(Qt::NoPen));
    p.drawPath(path);
}

QPainterPath ellipsePath(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QBrush goldBrush(qreal top, qreal bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0.0, QColor(255, 240, 150));
    g.setColorAt(0.45, QColor(252, 200, 40));
    g.setColorAt(1.0, QColor(200, 128, 12));
    return QBrush(g);
}

QBrush clothBrush(const QColor &colour, qreal left, qreal right)
{
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, colour.lighter(118));
    g.setColorAt(0.55, colour);
    g.setColorAt(1.0, colour.darker(125));
    return QBrush(g);
}

// Thick sleeve along `path` with an outline, a cuff in the trim colour at its
// end and a hand just beyond.
void drawArm(QPainter &p, const QPainterPath &path, const Figure &f, bool hand = true)
{
    const qreal width = 17;
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(width + 2 * f.line));
    p.drawPath(path);
    p.setPen(outlinePen(width, f.robe));
    p.drawPath(path);
    // Light fold along the sleeve.
    p.setPen(outlinePen(width * 0.35, f.robe.lighter(118)));
    p.drawPath(path.translated(-2, -2));

    const QPointF end = path.pointAtPercent(1.0);
    const qreal angle = path.angleAtPercent(1.0); // degrees, counter-clockwise
    p.save();
    p.translate(end);
    p.rotate(-angle);
    if (hand) {
        fillOutlined(p, ellipsePath(QPointF(8, 0), 7.5, 7.5), kSkin, f.line);
    }
    QPainterPath cuff;
    cuff.addRoundedRect(QRectF(-5, -width / 2 - 1.5, 7, width + 3), 2, 2);
    fillOutlined(p, cuff, f.trim, f.line);
    p.restore();
}

void drawEnvelope(QPainter &p, QPointF centre, qreal line)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(centre.x() - 13, centre.y() - 17, 26, 32), 2.5, 2.5);
    fillOutlined(p, body, QColor(226, 28, 40), line);
    QPainterPath flap;
    flap.moveTo(centre.x() - 13, centre.y() - 14);
    flap.quadTo(centre.x(), centre.y() - 2, centre.x() + 13, centre.y() - 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(line * 0.8, QColor(150, 16, 24)));
    p.drawPath(flap);
    fillOutlined(p, ellipsePath(centre + QPointF(0, -4), 5, 5),
                 goldBrush(centre.y() - 9, centre.y() + 1), line * 0.7);
}

void drawEyes(QPainter &p, const Figure &f)
{
    for (int side : {-1, 1}) {
        const QPointF c(12.5 * side, -145);
        if (f.openEyes) {
            p.setPen(Qt::NoPen);
            p.setBrush(kEye);
            p.drawEllipse(c, 4.4, 5.6);
            p.setBrush(kPaper);
            p.drawEllipse(c + QPointF(1.4, -2.0), 1.7, 1.7);
            // Eyebrows
            QPainterPath brow;
            brow.moveTo(c + QPointF(-4.5, -9.5));
            brow.quadTo(c + QPointF(0, -13), c + QPointF(4.5, -9.5));
            p.setBrush(Qt::NoBrush);
            p.setPen(outlinePen(1.6, kHair));
            p.drawPath(brow);
        } else {
            // Laughing eyes: upward arcs.
            QPainterPath arc;
            arc.moveTo(c + QPointF(-5.5, 1.5));
            arc.quadTo(c + QPointF(0, -7), c + QPointF(5.5, 1.5));
            p.setBrush(Qt::NoBrush);
            p.setPen(outlinePen(2.6, kEye));
            p.drawPath(arc);
        }
    }
}

void drawFace(QPainter &p, const Figure &f)
{
    const QPointF head(0, -146);
    // Ears first so the face overlaps them.
    for (int side : {-1, 1}) {
        fillOutlined(p, ellipsePath(head + QPointF(33.0 * side, 3), 7, 8), kSkinShade, f.line);
    }
    QRadialGradient skin(head + QPointF(-10, -12), 48);
    skin.setColorAt(0.0, kSkin.lighter(104));
    skin.setColorAt(0.7, kSkin);
    skin.setColorAt(1.0, kSkinShade);
    fillOutlined(p, ellipsePath(head, 34, 33), QBrush(skin), f.line);

    drawEyes(p, f);

    p.setPen(Qt::NoPen);
    p.setBrush(kCheek);
    p.drawEllipse(head + QPointF(-21, 10), 7, 4.5);
    p.drawEllipse(head + QPointF(21, 10), 7, 4.5);

    // Nose: a small dot of shade.
    p.setBrush(kSkinShade.darker(108));
    p.drawEllipse(head + QPointF(0, 4), 2.2, 1.6);

    // Wide open smile.
    QPainterPath mouth;
    mouth.moveTo(head + QPointF(-10, 11));
    mouth.quadTo(head + QPointF(0, 13.5), head + QPointF(10, 11));
    mouth.cubicTo(head + QPointF(8, 24), head + QPointF(-8, 24), head + QPointF(-10, 11));
    fillOutlined(p, mouth, kMouth, f.line * 0.8);
    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(kTongue);
    p.drawEllipse(head + QPointF(0, 21), 6.5, 4);
    p.restore();

    if (f.foreheadDot) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(head + QPointF(0, -14), 2.6, 2.6);
    }
}

QBrush hairBrush(QPointF centre)
{
    QRadialGradient g(centre + QPointF(-8, -10), 40);
    g.setColorAt(0.0, QColor(92, 74, 84));
    g.setColorAt(0.5, kHair);
    g.setColorAt(1.0, kHair.darker(130));
    return QBrush(g);
}

// Hair parts behind the head (buns, pigtails).
void drawHairBack(QPainter &p, const Figure &f)
{
    const QPointF head(0, -146);
    if (f.hair == Hair::Buns) {
        for (int side : {-1, 1}) {
            const QPointF bun = head + QPointF(24.0 * side, -27);
            fillOutlined(p, ellipsePath(bun, 13.5, 13), hairBrush(bun), f.line);
        }
    } else if (f.hair == Hair::Pigtails) {
        for (int side : {-1, 1}) {
            QPainterPath tail;
            const qreal s = side;
            tail.moveTo(head + QPointF(28 * s, -10));
            tail.cubicTo(head + QPointF(50 * s, -4), head + QPointF(50 * s, 22),
                         head + QPointF(40 * s, 34));
            tail.cubicTo(head + QPointF(36 * s, 22), head + QPointF(36 * s, 6),
                         head + QPointF(26 * s, 0));
            tail.closeSubpath();
            fillOutlined(p, tail, hairBrush(head + QPointF(40 * s, 10)), f.line);
        }
    }
}

void drawHairFront(QPainter &p, const Figure &f)
{
    const QPointF head(0, -146);
    QPainterPath skull = ellipsePath(head, 34, 33);
    switch (f.hair) {
    case Hair::Cap: {
        // Round skull cap in six panels with a red knot on top.
        QPainterPath side; // hair showing under the cap at the temples
        side.moveTo(head + QPointF(-34, -6));
        side.quadTo(head + QPointF(-30, -22), head + QPointF(-20, -24));
        side.lineTo(head + QPointF(-26, 2));
        side.closeSubpath();
        fillOutlined(p, side, kHair, f.line * 0.7);
        fillOutlined(p, side.toReversed() * QTransform(-1, 0, 0, 1, 0, 0), kHair, f.line * 0.7);
        QPainterPath cap;
        cap.moveTo(head + QPointF(-35, -12));
        cap.cubicTo(head + QPointF(-34, -46), head + QPointF(34, -46), head + QPointF(35, -12));
        cap.quadTo(head + QPointF(0, -20), head + QPointF(-35, -12));
        QLinearGradient g(-30, 0, 30, 0);
        g.setColorAt(0, QColor(70, 56, 64));
        g.setColorAt(1, QColor(28, 22, 26));
        fillOutlined(p, cap, QBrush(g), f.line);
        p.save();
        p.setClipPath(cap);
        p.setBrush(Qt::NoBrush);
        p.setPen(outlinePen(1.1, QColor(110, 90, 96)));
        for (qreal x : {-16.0, 0.0, 16.0}) {
            QPainterPath seam;
            seam.moveTo(head + QPointF(x * 0.4, -38));
            seam.quadTo(head + QPointF(x * 1.1, -30), head + QPointF(x * 1.25, -14));
            p.drawPath(seam);
        }
        p.restore();
        QPainterPath brim;
        brim.moveTo(head + QPointF(-35, -12));
        brim.quadTo(head + QPointF(0, -20), head + QPointF(35, -12));
        p.setPen(outlinePen(4.5, QColor(180, 24, 30)));
        p.drawPath(brim);
        fillOutlined(p, ellipsePath(head + QPointF(0, -39), 5.5, 5), QColor(226, 36, 40), f.line);
        break;
    }
    case Hair::Tuft: {
        // Shaved head with a forelock and a little topknot tied in red.
        QPainterPath forelock;
        forelock.moveTo(head + QPointF(-13, -30));
        forelock.cubicTo(head + QPointF(-12, -18), head + QPointF(-6, -14), head + QPointF(0, -16));
        forelock.cubicTo(head + QPointF(6, -14), head + QPointF(12, -18), head + QPointF(13, -30));
        forelock.quadTo(head + QPointF(0, -35), head + QPointF(-13, -30));
        p.save();
        p.setClipPath(skull);
        fillOutlined(p, forelock, hairBrush(head + QPointF(0, -24)), f.line * 0.8);
        p.restore();
        QPainterPath knot;
        knot.moveTo(head + QPointF(-6, -31));
        knot.cubicTo(head + QPointF(-12, -46), head + QPointF(-2, -52), head + QPointF(3, -56));
        knot.cubicTo(head + QPointF(4, -48), head + QPointF(12, -42), head + QPointF(6, -31));
        knot.closeSubpath();
        fillOutlined(p, knot, hairBrush(head + QPointF(0, -44)), f.line);
        QPainterPath tie;
        tie.addRoundedRect(QRectF(head.x() - 7, head.y() - 36, 14, 5), 2, 2);
        fillOutlined(p, tie, kRed, f.line * 0.7);
        break;
    }
    case Hair::Buns:
    case Hair::Pigtails: {
        // Hair over the crown with a fringe of soft scallops.
        QPainterPath hair;
        hair.moveTo(head + QPointF(-36, 4));
        hair.cubicTo(head + QPointF(-40, -44), head + QPointF(40, -44), head + QPointF(36, 4));
        hair.lineTo(head + QPointF(30, 4));
        const qreal fringeY = -12;
        hair.quadTo(head + QPointF(28, fringeY - 4), head + QPointF(20, fringeY));
        hair.quadTo(head + QPointF(14, fringeY - 6), head + QPointF(7, fringeY + 1));
        hair.quadTo(head + QPointF(0, fringeY - 6), head + QPointF(-7, fringeY + 1));
        hair.quadTo(head + QPointF(-14, fringeY - 6), head + QPointF(-20, fringeY));
        hair.quadTo(head + QPointF(-28, fringeY - 4), head + QPointF(-30, 4));
        hair.closeSubpath();
        fillOutlined(p, hair, hairBrush(head), f.line);
        // Shine
        QPainterPath shine;
        shine.moveTo(head + QPointF(-22, -24));
        shine.quadTo(head + QPointF(-12, -32), head + QPointF(0, -31));
        p.setBrush(Qt::NoBrush);
        p.setPen(outlinePen(2.2, QColor(120, 104, 116)));
        p.drawPath(shine);
        if (f.hair == Hair::Buns) {
            for (int side : {-1, 1}) {
                // A red bow where each bun meets the head.
                const QPointF at = head + QPointF(19.0 * side, -21);
                p.save();
                p.translate(at);
                p.rotate(side * 40.0);
                for (int loop : {-1, 1}) {
                    QPainterPath bow;
                    bow.moveTo(0, 0);
                    bow.cubicTo(7.0 * loop, -6, 9.0 * loop, 5, 0, 0);
                    fillOutlined(p, bow, kRed, f.line * 0.6);
                }
                fillOutlined(p, ellipsePath(QPointF(0, 0), 2.2, 2.2), kRed.darker(115),
                             f.line * 0.5);
                p.restore();
            }
        } else {
            for (int side : {-1, 1}) {
                const QPointF at = head + QPointF(32.0 * side, -4);
                fillOutlined(p, ellipsePath(at, 4.5, 4.5), kRed, f.line * 0.7);
            }
        }
        break;
    }
    }
}

void drawLegs(QPainter &p, const Figure &f)
{
    for (int side : {-1, 1}) {
        const qreal s = side;
        QPainterPath leg;
        leg.addRoundedRect(QRectF(s > 0 ? 2 : -17, -32, 15, 26), 4, 4);
        fillOutlined(p, leg, clothBrush(f.trousers, -17, 17), f.line);
        QPainterPath shoe;
        shoe.addEllipse(QPointF(11 * s, -5), 11.5, 6);
        QLinearGradient g(0, -11, 0, 1);
        g.setColorAt(0, QColor(96, 50, 44));
        g.setColorAt(1, QColor(44, 24, 22));
        fillOutlined(p, shoe, QBrush(g), f.line);
    }
}

QPainterPath robePath()
{
    QPainterPath robe;
    robe.moveTo(-14, -113);
    robe.quadTo(-28, -111, -31, -97);
    robe.lineTo(-42, -33);
    robe.quadTo(0, -22, 42, -33);
    robe.lineTo(31, -97);
    robe.quadTo(28, -111, 14, -113);
    robe.closeSubpath();
    return robe;
}

void drawRobe(QPainter &p, const Figure &f)
{
    const QPainterPath robe = robePath();
    fillOutlined(p, robe, clothBrush(f.robe, -42, 42), 0);
    p.save();
    p.setClipPath(robe);
    p.setPen(Qt::NoPen);
    // Hem band with a row of little cloud scallops.
    QPainterPath hem;
    hem.moveTo(-50, -45);
    hem.quadTo(0, -34, 50, -45);
    hem.lineTo(50, 0);
    hem.lineTo(-50, 0);
    hem.closeSubpath();
    p.setBrush(f.trim);
    p.drawPath(hem);
    p.setBrush(f.robe);
    for (qreal x = -36; x <= 36; x += 12) {
        const qreal y = -31 + 0.0055 * x * x;
        p.drawEllipse(QPointF(x, y), 3.2, 3.2);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(1.0, f.trim.darker(140)));
    p.drawPath(hem);
    // Sash
    p.setPen(Qt::NoPen);
    p.setBrush(f.trim);
    p.drawRect(QRectF(-50, -70, 100, 8));
    p.restore();
    // Coin medallion on the chest.
    fillOutlined(p, ellipsePath(QPointF(0, -88), 10, 10), goldBrush(-98, -78), f.line * 0.7);
    QPainterPath hole;
    hole.addRect(QRectF(-3, -91, 6, 6));
    fillOutlined(p, hole, f.robe, f.line * 0.6);
    // Collar
    QPainterPath collar;
    collar.moveTo(-15, -113);
    collar.quadTo(0, -98, 15, -113);
    collar.quadTo(0, -106, -15, -113);
    fillOutlined(p, collar, f.trim, f.line * 0.7);
    // Knot on the sash
    fillOutlined(p, ellipsePath(QPointF(0, -66), 5, 5), f.trim.darker(112), f.line * 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(f.line));
    p.drawPath(robe);
}

} // namespace

void drawFigure(QPainter &p, const Figure &f, QPointF feet, qreal scale)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(feet);
    p.scale(scale, scale);

    drawLegs(p, f);

    // Arms that go behind the body are drawn first.
    QPainterPath left;
    QPainterPath right;
    left.moveTo(-27, -100);
    right.moveTo(27, -100);
    switch (f.pose) {
    case Pose::RaiseIngot:
        left.cubicTo(-44, -120, -44, -160, -32, -188);
        right.cubicTo(44, -120, 44, -160, 32, -188);
        break;
    case Pose::ArmsSpread:
        left.cubicTo(-40, -104, -54, -114, -66, -126);
        right.cubicTo(40, -104, 54, -114, 66, -126);
        break;
    default:
        break;
    }
    if (f.pose == Pose::RaiseIngot || f.pose == Pose::ArmsSpread) {
        drawArm(p, left, f);
        drawArm(p, right, f);
    }
    drawRobe(p, f);

    drawHairBack(p, f);
    drawFace(p, f);
    drawHairFront(p, f);

    switch (f.pose) {
    case Pose::Clasp: {
        left.cubicTo(-40, -84, -28, -74, -12, -78);
        right.cubicTo(40, -84, 28, -74, 12, -78);
        drawArm(p, left, f, false);
        drawArm(p, right, f, false);
        // Hands clasped in greeting.
        fillOutlined(p, ellipsePath(QPointF(-2, -84), 9, 8.5), kSkin, f.line);
        fillOutlined(p, ellipsePath(QPointF(3, -81), 8, 7.5), kSkin.darker(104), f.line);
        break;
    }
    case Pose::HoldIngot:
    case Pose::HoldCoin:
    case Pose::Envelope: {
        left.cubicTo(-40, -86, -36, -72, -28, -68);
        right.cubicTo(40, -86, 36, -72, 28, -68);
        drawArm(p, left, f, false);
        drawArm(p, right, f, false);
        if (f.pose == Pose::HoldIngot) {
            drawIngot(p, QPointF(0, -56), 54, f.line * 0.8);
        } else if (f.pose == Pose::HoldCoin) {
            drawCoin(p, QPointF(0, -74), 22, 1.0, f.line * 0.8);
        } else {
            drawEnvelope(p, QPointF(0, -74), f.line * 0.8);
        }
        for (int side : {-1, 1}) {
            fillOutlined(p, ellipsePath(QPointF(24.0 * side, -70), 7.5, 7.5), kSkin, f.line);
        }
        break;
    }
    case Pose::Lantern: {
        // Left hand waves; the right holds a lantern high on a stick, so the
        // lantern floats in the gap above the shoulders of the neighbour.
        left.cubicTo(-40, -106, -46, -118, -50, -130);
        drawArm(p, left, f);
        right.cubicTo(40, -110, 42, -128, 40, -146);
        p.setPen(outlinePen(3.2, QColor(120, 70, 30)));
        p.drawLine(QPointF(41, -140), QPointF(50, -226));
        drawLantern(p, QPointF(50, -226), 40, f.line * 0.8);
        drawArm(p, right, f);
        break;
    }
    case Pose::RaiseIngot:
        drawIngot(p, QPointF(0, -194), 60, f.line * 0.8);
        for (int side : {-1, 1}) {
            fillOutlined(p, ellipsePath(QPointF(28.0 * side, -196), 7.5, 7.5), kSkin, f.line);
        }
        break;
    case Pose::ArmsSpread:
        break;
    }
    p.restore();
}

void drawIngot(QPainter &p, QPointF bottom, qreal w, qreal line)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(bottom);
    p.scale(w, w);
    const qreal l = line / w;

    // The opening of the bowl, seen from slightly above.
    QPainterPath opening;
    opening.moveTo(-0.50, -0.50);
    opening.cubicTo(-0.36, -0.47, -0.20, -0.45, 0, -0.45);
    opening.cubicTo(0.20, -0.45, 0.36, -0.47, 0.50, -0.50);
    opening.cubicTo(0.36, -0.30, 0.20, -0.26, 0, -0.26);
    opening.cubicTo(-0.20, -0.26, -0.36, -0.30, -0.50, -0.50);
    QLinearGradient inner(0, -0.5, 0, -0.26);
    inner.setColorAt(0, QColor(214, 140, 14));
    inner.setColorAt(1, QColor(250, 200, 60));
    fillOutlined(p, opening, QBrush(inner), l);

    // The dome rising out of it.
    QRadialGradient dome(QPointF(-0.08, -0.48), 0.3);
    dome.setColorAt(0, QColor(255, 250, 200));
    dome.setColorAt(0.5, QColor(252, 204, 50));
    dome.setColorAt(1, QColor(206, 134, 14));
    fillOutlined(p, ellipsePath(QPointF(0, -0.36), 0.235, 0.215), QBrush(dome), l);

    // Front of the boat with its upturned ends.
    QPainterPath base;
    base.moveTo(-0.50, -0.50);
    base.cubicTo(-0.46, -0.16, -0.30, 0, 0, 0);
    base.cubicTo(0.30, 0, 0.46, -0.16, 0.50, -0.50);
    base.cubicTo(0.36, -0.30, 0.20, -0.26, 0, -0.26);
    base.cubicTo(-0.20, -0.26, -0.36, -0.30, -0.50, -0.50);
    QLinearGradient front(-0.5, -0.4, 0.5, 0);
    front.setColorAt(0, QColor(255, 236, 130));
    front.setColorAt(0.45, QColor(250, 192, 36));
    front.setColorAt(1, QColor(190, 118, 10));
    fillOutlined(p, base, QBrush(front), l);
    // Highlight along the front.
    QPainterPath shine;
    shine.moveTo(-0.30, -0.16);
    shine.quadTo(-0.12, -0.08, 0.06, -0.09);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(0.035, QColor(255, 248, 200)));
    p.drawPath(shine);
    p.restore();
}

void drawCoin(QPainter &p, QPointF centre, qreal r, qreal squash, qreal line)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(centre);
    if (squash < 1.0) {
        // Rim of a coin lying flat.
        const qreal thickness = r * 0.18;
        QPainterPath rim;
        rim.addEllipse(QPointF(0, thickness), r, r * squash);
        rim.addRect(QRectF(-r, 0, 2 * r, thickness));
        rim = rim.simplified();
        fillOutlined(p, rim, QColor(196, 126, 14), line);
    }
    p.scale(1.0, squash);
    QPainterPath face;
    face.addEllipse(QPointF(0, 0), r, r);
    const qreal hole = r * 0.34;
    face.addRect(QRectF(-hole / 2, -hole / 2, hole, hole));
    face.setFillRule(Qt::OddEvenFill);
    QRadialGradient g(QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    g.setColorAt(0, QColor(255, 244, 170));
    g.setColorAt(0.45, QColor(252, 202, 44));
    g.setColorAt(1, QColor(200, 128, 12));
    p.setBrush(QBrush(g));
    p.setPen(outlinePen(line / std::sqrt(squash)));
    p.drawPath(face);
    // Raised inner rim around the hole and four marks between.
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(r * 0.07, QColor(206, 140, 20)));
    p.drawEllipse(QPointF(0, 0), r * 0.8, r * 0.8);
    p.drawRect(
        QRectF(-hole / 2 - r * 0.08, -hole / 2 - r * 0.08, hole + r * 0.16, hole + r * 0.16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(196, 124, 14));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.rotate(90.0 * i);
        p.drawRoundedRect(QRectF(-r * 0.1, -r * 0.66, r * 0.2, r * 0.2), r * 0.05, r * 0.05);
        p.restore();
    }
    p.restore();
}

void drawSparkle(QPainter &p, QPointF c, qreal r, const QColor &colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath star;
    const qreal k = r * 0.22;
    star.moveTo(c + QPointF(0, -r));
    star.quadTo(c + QPointF(k, -k), c + QPointF(r, 0));
    star.quadTo(c + QPointF(k, k), c + QPointF(0, r));
    star.quadTo(c + QPointF(-k, k), c + QPointF(-r, 0));
    star.quadTo(c + QPointF(-k, -k), c + QPointF(0, -r));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(star);
    p.restore();
}

void drawLantern(QPainter &p, QPointF top, qreal height, qreal line)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(top);
    const qreal s = height / 46.0;
    p.scale(s, s);
    const qreal l = line / s;
    p.setPen(outlinePen(l, kOutline));
    p.drawLine(QPointF(0, 0), QPointF(0, 6));
    QPainterPath cap;
    cap.addRoundedRect(QRectF(-6, 5, 12, 5), 1.5, 1.5);
    fillOutlined(p, cap, goldBrush(5, 10), l);
    QRadialGradient body(QPointF(-5, 16), 20);
    body.setColorAt(0, QColor(255, 110, 90));
    body.setColorAt(0.6, QColor(222, 30, 36));
    body.setColorAt(1, QColor(160, 14, 22));
    const QPainterPath shell = ellipsePath(QPointF(0, 22), 15, 13);
    fillOutlined(p, shell, QBrush(body), l);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(l * 0.7, QColor(150, 16, 24)));
    for (qreal k : {-0.55, 0.0, 0.55}) {
        QPainterPath rib;
        rib.moveTo(0, 9);
        rib.quadTo(k * 26, 22, 0, 35);
        p.drawPath(rib);
    }
    QPainterPath bottomCap;
    bottomCap.addRoundedRect(QRectF(-6, 33, 12, 5), 1.5, 1.5);
    fillOutlined(p, bottomCap, goldBrush(33, 38), l);
    p.setPen(outlinePen(1.6, QColor(230, 160, 20)));
    for (qreal x : {-3.0, 0.0, 3.0}) {
        p.drawLine(QPointF(x, 38), QPointF(x * 1.3, 46));
    }
    p.restore();
}

QPen outlinePen(qreal width, const QColor &colour)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace cartoon

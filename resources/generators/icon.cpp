#include "icon.h"

#include "cartoon.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>

namespace icon {
namespace {

const QColor kSkin(255, 222, 190);
const QColor kSkinShade(238, 186, 146);
const QColor kHair(50, 36, 40);
const QColor kRed(222, 34, 40);
const QColor kGold(252, 198, 40);

} // namespace

QImage drawChild(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 100.0, size / 100.0);

    // Outlines must stay about a pixel wide whatever the size, or the small
    // images dissolve.
    const qreal px = 100.0 / size;
    const qreal line = std::max(1.0 * px, 2.2);
    const bool tiny = size <= 24;

    // Arms, flung wide, behind the body.
    for (int side : {-1, 1}) {
        const qreal s = side;
        QPainterPath arm;
        arm.moveTo(50 + 8 * s, 68);
        arm.cubicTo(50 + 18 * s, 66, 50 + 30 * s, 60, 50 + 40 * s, 50);
        p.setBrush(Qt::NoBrush);
        p.setPen(cartoon::outlinePen(13 + 2 * line));
        p.drawPath(arm);
        p.setPen(cartoon::outlinePen(13, kRed));
        p.drawPath(arm);
        p.setBrush(kSkin);
        p.setPen(cartoon::outlinePen(line));
        p.drawEllipse(QPointF(50 + 43 * s, 46), 7, 7);
        if (!tiny) {
            // Gold cuff across the sleeve, just short of the hand.
            const QPointF end(50 + 37 * s, 53);
            const QPointF across(4.6, 4.6 * s);
            p.setPen(cartoon::outlinePen(5 + 2 * line));
            p.drawLine(end - across, end + across);
            p.setPen(cartoon::outlinePen(5, kGold));
            p.drawLine(end - across, end + across);
        }
    }

    // Legs and shoes.
    for (int side : {-1, 1}) {
        const qreal s = side;
        p.setBrush(kGold);
        p.setPen(cartoon::outlinePen(line));
        p.drawRoundedRect(QRectF(s < 0 ? 38 : 51, 82, 11, 12), 3, 3);
        p.setBrush(QColor(60, 34, 30));
        p.drawEllipse(QPointF(50 + 8 * s, 95), 8, 4.2);
    }

    // Body: a red jacket with a gold hem.
    QPainterPath body;
    body.moveTo(40, 62);
    body.lineTo(60, 62);
    body.lineTo(68, 88);
    body.quadTo(50, 92, 32, 88);
    body.closeSubpath();
    QLinearGradient cloth(32, 0, 68, 0);
    cloth.setColorAt(0, kRed.lighter(120));
    cloth.setColorAt(1, kRed.darker(120));
    p.setBrush(QBrush(cloth));
    p.setPen(Qt::NoPen);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setBrush(kGold);
    p.drawRect(QRectF(20, 82, 60, 20));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(cartoon::outlinePen(line));
    p.drawPath(body);
    if (!tiny) {
        p.setBrush(kGold);
        p.setPen(cartoon::outlinePen(line * 0.7));
        p.drawEllipse(QPointF(50, 72), 4.5, 4.5);
    }

    // Head
    const QPointF head(50, 38);
    QRadialGradient skin(head + QPointF(-8, -10), 36);
    skin.setColorAt(0, kSkin.lighter(104));
    skin.setColorAt(0.7, kSkin);
    skin.setColorAt(1, kSkinShade);
    p.setPen(cartoon::outlinePen(line));
    p.setBrush(kSkinShade);
    p.drawEllipse(head + QPointF(-27, 3), 5.5, 6.5);
    p.drawEllipse(head + QPointF(27, 3), 5.5, 6.5);
    p.setBrush(QBrush(skin));
    p.drawEllipse(head, 28, 27);

    // Peach-shaped forelock and a small topknot tied with red.
    QPainterPath forelock;
    forelock.moveTo(head + QPointF(0, -11));
    forelock.cubicTo(head + QPointF(-6, -14), head + QPointF(-12, -18), head + QPointF(-10, -25));
    forelock.quadTo(head + QPointF(0, -29), head + QPointF(10, -25));
    forelock.cubicTo(head + QPointF(12, -18), head + QPointF(6, -14), head + QPointF(0, -11));
    QPainterPath skull;
    skull.addEllipse(head, 28, 27);
    p.save();
    p.setClipPath(skull);
    QRadialGradient hair(head + QPointF(-3, -24), 14);
    hair.setColorAt(0, QColor(110, 90, 96));
    hair.setColorAt(1, kHair);
    p.setBrush(QBrush(hair));
    p.setPen(cartoon::outlinePen(line * 0.8));
    p.drawPath(forelock);
    p.restore();
    QPainterPath knot;
    knot.moveTo(head + QPointF(-5, -26));
    knot.cubicTo(head + QPointF(-10, -33), head + QPointF(-3, -37), head + QPointF(2, -35));
    knot.cubicTo(head + QPointF(6, -33), head + QPointF(9, -30), head + QPointF(5, -26));
    knot.closeSubpath();
    p.setBrush(kHair);
    p.setPen(cartoon::outlinePen(line));
    p.drawPath(knot);
    p.setBrush(kRed);
    p.setPen(cartoon::outlinePen(line * 0.7));
    p.drawRoundedRect(QRectF(head.x() - 6, head.y() - 29, 12, 4.5), 2, 2);

    // Face: laughing eyes, rosy cheeks, wide open smile.
    for (int side : {-1, 1}) {
        const QPointF eye = head + QPointF(10.0 * side, -1);
        if (tiny) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(52, 30, 28));
            p.drawEllipse(eye, 3.2 * std::max(1.0, px / 4), 3.8 * std::max(1.0, px / 4));
        } else {
            QPainterPath arc;
            arc.moveTo(eye + QPointF(-5, 1.5));
            arc.quadTo(eye + QPointF(0, -6.5), eye + QPointF(5, 1.5));
            p.setBrush(Qt::NoBrush);
            p.setPen(cartoon::outlinePen(std::max(2.6, 1.2 * px), QColor(52, 30, 28)));
            p.drawPath(arc);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 120, 130, 160));
            p.drawEllipse(head + QPointF(17.0 * side, 8), 5.5, 3.6);
        }
    }
    QPainterPath mouth;
    mouth.moveTo(head + QPointF(-9, 7));
    mouth.quadTo(head + QPointF(0, 9.5), head + QPointF(9, 7));
    mouth.cubicTo(head + QPointF(7, 20), head + QPointF(-7, 20), head + QPointF(-9, 7));
    p.setBrush(QColor(196, 42, 48));
    p.setPen(cartoon::outlinePen(line * 0.7));
    p.drawPath(mouth);
    if (!tiny) {
        p.save();
        p.setClipPath(mouth);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 128, 128));
        p.drawEllipse(head + QPointF(0, 17), 5.5, 3.5);
        p.restore();
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage drawButtonGlyph()
{
    // One character per pixel. Deliberately no pure black anywhere: the
    // button's disabled look is derived from the dark pixels.
    static const std::array<const char *, 16> rows{{
        "................",
        ".....OOOOOO.....",
        "....OhHHhhhO....",
        "...OhHhhhhhhO...",
        "...OhhhhhhhhO...",
        "...OhsssssshO...",
        "...OssessessO...",
        "...OscsssscsO...",
        "...OssmssmssO...",
        "....OssmmssO....",
        ".....OOssOO.....",
        "...dgggssgggd...",
        "..dggggvvggggd..",
        ".dGggggvvgggggd.",
        ".dGgggggggggggd.",
        ".dddddddddddddd.",
    }};
    const QHash<char, QRgb> colours{
        {'.', qRgb(255, 255, 255)}, {'O', qRgb(96, 56, 28)},    {'h', qRgb(150, 92, 42)},
        {'H', qRgb(200, 140, 76)},  {'s', qRgb(252, 214, 178)}, {'e', qRgb(72, 42, 30)},
        {'c', qRgb(248, 168, 160)}, {'m', qRgb(196, 62, 60)},   {'d', qRgb(28, 100, 40)},
        {'g', qRgb(64, 168, 72)},   {'G', qRgb(132, 212, 124)}, {'v', qRgb(38, 128, 52)},
    };
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            image.setPixel(x, y, colours.value(rows[static_cast<size_t>(y)][x]));
        }
    }
    return image;
}

} // namespace icon

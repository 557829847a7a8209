#include "scene.h"

#include "cartoon.h"

#include <QPainter>

#include <array>
#include <utility>

namespace scene {
namespace {

constexpr int kWidth = 650;
constexpr int kHeight = 500;
// The program shows only the left 593 columns and top 489 rows, so
// everything that matters stays inside them.
constexpr qreal kGround = 446;
constexpr qreal kScale = 0.95;

const QColor kRed(214, 32, 38);
const QColor kDeepRed(190, 24, 36);
const QColor kGold(250, 196, 40);
const QColor kYellow(255, 204, 64);
const QColor kGreen(60, 150, 80);
const QColor kPink(236, 70, 110);

std::array<cartoon::Figure, 6> cast()
{
    using cartoon::Figure;
    using cartoon::Hair;
    using cartoon::Pose;
    std::array<Figure, 6> figures{};
    figures[0] = {Hair::Cap, Pose::Clasp, kRed, kGold, kGold, false, false, 2.2};
    figures[1] = {Hair::Buns, Pose::HoldIngot, kPink, kGold, kGreen, true, true, 2.2};
    figures[2] = {Hair::Tuft, Pose::RaiseIngot, kYellow, kRed, kRed, false, false, 2.2};
    figures[3] = {Hair::Pigtails, Pose::HoldCoin, kRed, kGold, kGold, true, true, 2.2};
    figures[4] = {Hair::Tuft, Pose::Lantern, kDeepRed, kGold, kGreen, true, false, 2.2};
    figures[5] = {Hair::Buns, Pose::Envelope, kYellow, kRed, kRed, false, true, 2.2};
    return figures;
}

qreal figureX(int i)
{
    return 52 + 98.0 * i;
}

void groundShadow(QPainter &p, qreal x, qreal y, qreal rx)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(244, 236, 222));
    p.drawEllipse(QPointF(x, y), rx, rx * 0.16);
    p.restore();
}

} // namespace

QImage drawBackground(Variant variant)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

    const auto figures = cast();
    for (int i = 0; i < 6; ++i) {
        groundShadow(p, figureX(i), kGround - 2, 44);
    }

    // Treasure behind the row, peeking out between the children.
    for (int i = 0; i < 5; ++i) {
        const qreal x = (figureX(i) + figureX(i + 1)) / 2;
        cartoon::drawIngot(p, QPointF(x, kGround - 18), 40);
    }

    if (variant == Variant::Lanterns) {
        // Lanterns hung from above at the two sides, clear of the heads.
        for (const auto &[x, top] :
             {std::pair<qreal, qreal>{26, 168}, std::pair<qreal, qreal>{564, 176}}) {
            p.setPen(QPen(QColor(150, 90, 40), 1.6));
            p.drawLine(QPointF(x, 0), QPointF(x, top));
            cartoon::drawLantern(p, QPointF(x, top), 62, 1.8);
        }
    }

    for (int i = 0; i < 6; ++i) {
        cartoon::drawFigure(p, figures[static_cast<size_t>(i)], QPointF(figureX(i), kGround),
                            kScale);
    }

    // A carpet of treasure in front of their feet: upright coins at the
    // back, then ingots and little stacks of coins lying flat.
    for (const QPointF c :
         {QPointF(94, 473), QPointF(238, 472), QPointF(386, 473), QPointF(536, 472)}) {
        cartoon::drawCoin(p, c, 10.5, 1.0);
    }
    const auto stack = [&p](qreal x, qreal bottom, int coins) {
        for (int k = 0; k < coins; ++k) {
            cartoon::drawCoin(p, QPointF(x + (k % 2 == 0 ? 0 : 1.5), bottom - 6 - 4.2 * k), 11,
                              0.42);
        }
    };
    stack(62, 486, 3);
    stack(170, 487, 2);
    stack(312, 486, 3);
    stack(464, 487, 2);
    const std::array<std::pair<QPointF, qreal>, 7> ingots{{{{20, 487}, 34},
                                                           {{122, 488}, 48},
                                                           {{206, 487}, 40},
                                                           {{270, 488}, 50},
                                                           {{354, 488}, 44},
                                                           {{422, 487}, 46},
                                                           {{506, 488}, 42}}};
    for (const auto &[at, width] : ingots) {
        cartoon::drawIngot(p, at, width);
    }
    cartoon::drawIngot(p, QPointF(568, 488), 36);

    // Sparkles only in the gaps, never on top of a child.
    const std::array<QPointF, 12> sparkles{{{10, 296},
                                            {101, 262},
                                            {150, 244},
                                            {198, 232},
                                            {318, 236},
                                            {395, 262},
                                            {584, 300},
                                            {42, 462},
                                            {146, 464},
                                            {296, 461},
                                            {444, 462},
                                            {556, 458}}};
    for (size_t i = 0; i < sparkles.size(); ++i) {
        cartoon::drawSparkle(p, sparkles[i], i % 3 == 0 ? 7.5 : 5.5, QColor(255, 188, 28));
    }
    p.end();
    return image;
}

} // namespace scene

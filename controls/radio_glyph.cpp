#include "controls/radio_glyph.h"

#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSize = 13;
// The dot is a disc five pixels across, centred on the glyph.
constexpr double kDotRadius = 2.5;

bool insideDisc(int x, int y, double radius)
{
    const double c = kSize / 2.0;
    const double dx = x + 0.5 - c, dy = y + 0.5 - c;
    return dx * dx + dy * dy <= radius * radius;
}

bool insideGlyph(int x, int y)
{
    return x >= 0 && y >= 0 && x < kSize && y < kSize && insideDisc(x, y, kSize / 2.0);
}

QList<int> buildPattern()
{
    const int w = kSize, h = kSize;
    QList<int> p(w * h, 0);
    auto at = [&](int x, int y) -> int & { return p[y * w + x]; };

    // Outer ring: the outline pixels of the disc, split by the line from the
    // bottom-left to the top-right corner (pixels on it belong to the upper side).
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!insideGlyph(x, y))
                continue;
            const bool outline = !insideGlyph(x - 1, y) || !insideGlyph(x + 1, y) ||
                !insideGlyph(x, y - 1) || !insideGlyph(x, y + 1);
            if (outline)
                at(x, y) = (h - 1) * (w - 1 - x) < (w - 1) * y ? 2 : 1;
        }

    // Body: fill outward from the middle of every row until the ring.
    for (int y = 1; y <= h - 2; ++y) {
        for (int x = w / 2 - 1; x >= 0 && at(x, y) == 0; --x)
            at(x, y) = 5;
        for (int x = w / 2; x < w && at(x, y) == 0; ++x)
            at(x, y) = 5;
    }

    auto mark = [&](int x, int y) {
        const int d = (h - 1) * (w - 1 - x) - (w - 1) * y;
        if (d < 0)
            at(x, y) = 4;
        else if (d > 0)
            at(x, y) = 3;
        else
            at(x, y) = x > w / 2 - 1 ? 4 : 3;
    };
    auto isRing = [&](int x, int y) { return at(x, y) == 1 || at(x, y) == 2; };

    // Inner ring, along the rows and then along the columns.
    for (int y = 1; y <= h - 2; ++y) {
        int x = w / 2 - 1;
        for (; x - 1 >= 0 && !isRing(x - 1, y); --x)
            if (y == 1 || y == h - 2)
                mark(x, y);
        if (!isRing(x, y))
            mark(x, y);
        x = w / 2;
        for (; x + 1 < w && !isRing(x + 1, y); ++x)
            if (y == 1 || y == h - 2)
                mark(x, y);
        if (!isRing(x, y))
            mark(x, y);
    }
    for (int x = 1; x <= w - 2; ++x) {
        int y = h / 2 - 1;
        for (; y - 1 >= 0 && !isRing(x, y - 1); --y)
            if (x == 1 || x == w - 2)
                mark(x, y);
        if (!isRing(x, y))
            mark(x, y);
        y = h / 2;
        for (; y + 1 < h && !isRing(x, y + 1); ++y)
            if (x == 1 || x == w - 2)
                mark(x, y);
        if (!isRing(x, y))
            mark(x, y);
    }

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (insideDisc(x, y, kDotRadius))
                at(x, y) = 6;
    return p;
}

QColor blend(int a, int b, int c)
{
    const QColor face = toQColor(clBtnFace), highlight = toQColor(clHighlight),
                 window = toQColor(clWindow);
    if (face == QColor(0, 0, 0) || face == QColor(255, 255, 255))
        return highlight;
    auto channel = [&](int f, int hi, int wi) {
        const long sum =
            std::lround(f * a / 100.0) + std::lround(hi * b / 100.0) + std::lround(wi * c / 100.0);
        return int(std::clamp(sum, 0L, 255L));
    };
    return QColor(channel(face.red(), highlight.red(), window.red()),
                  channel(face.green(), highlight.green(), window.green()),
                  channel(face.blue(), highlight.blue(), window.blue()));
}

QColor bodyColor(TLookAndFeelKind kind, TGlyphState state)
{
    const bool blended = kind == lfUltraFlat || kind == lfOffice11;
    switch (state) {
    case gsHot:
        return blended ? blend(-2, 30, 72) : toQColor(clWindow);
    case gsPressed:
        return blended ? blend(14, 44, 40) : toQColor(clBtnFace);
    case gsDisabled:
        return toQColor(clBtnFace);
    default:
        return toQColor(clWindow);
    }
}

QImage render(TLookAndFeelKind kind, TGlyphState state, bool checked, bool focused, bool designing)
{
    const bool lit =
        focused || state == gsHot || state == gsPressed || (designing && state != gsDisabled);
    QColor map[7];
    map[0] = QColor(0, 0, 0);
    map[5] = bodyColor(kind, state);
    switch (kind) {
    case lfFlat:
    case lfStandard:
        map[1] = toQColor(clBtnShadow);
        map[2] = toQColor(clBtnHighlight);
        map[3] = toQColor(kind == lfFlat ? cl3DLight : cl3DDkShadow);
        map[4] = toQColor(cl3DLight);
        break;
    case lfUltraFlat:
        map[1] = toQColor(lit ? clHighlight : clBtnShadow);
        map[2] = map[1];
        map[3] = map[4] = map[5];
        break;
    case lfOffice11:
        map[1] = toQColor(state == gsDisabled ? clBtnShadow : lit ? clHighlight : clBtnText);
        map[2] = map[1];
        map[3] = map[4] = map[5];
        break;
    }
    if (!checked)
        map[6] = map[5];
    else
        map[6] = toQColor(state == gsDisabled ? clBtnShadow : clWindowText);

    const QList<int> &pattern = RadioGlyphPattern();
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            image.setPixel(x, y, insideGlyph(x, y) ? map[pattern[y * kSize + x]].rgb() : 0u);
    return image;
}

} // namespace

QSize RadioGlyphSize()
{
    return QSize(kSize, kSize);
}

const QList<int> &RadioGlyphPattern()
{
    static const QList<int> pattern = buildPattern();
    return pattern;
}

QImage RadioGlyphImage(TLookAndFeelKind kind, TGlyphState state, bool checked, bool focused,
                       bool designing)
{
    if (state == gsDefault)
        state = gsNormal;
    const int variant = (int(state) - 1) + 4 * int(checked) + 8 * int(kind) + 32 * int(designing) +
        64 * int(focused);
    // System colours are fixed in this program, so rendered images stay valid.
    static QHash<int, QImage> cache;
    auto it = cache.find(variant);
    if (it == cache.end())
        it = cache.insert(variant, render(kind, state, checked, focused, designing));
    return *it;
}

void DrawRadioGlyph(QPainter &painter, QPoint origin, TLookAndFeelKind kind, TGlyphState state,
                    bool checked, bool focused, TColor brush, bool designing)
{
    const QImage image = RadioGlyphImage(kind, state, checked, focused, designing);
    if (brush != clDefault)
        painter.fillRect(QRect(origin, image.size()), toQColor(brush));
    painter.drawImage(origin, image);
}

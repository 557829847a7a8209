#include "controls/look_radio_glyph.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace LookAndFeels;

namespace {

// This platform has no check-box bitmap to measure: the classic 13-pixel cell
// with the glyph filling it and a 5-pixel dot in its middle, centred on each
// other as the measured metrics would be.
constexpr int kCell = 13;
constexpr QPoint kGlyphOffset(0, 0);
constexpr int kDotLeft = 4, kDotTop = 4, kDotSize = 5;

// The rounded-rectangle primitive: whether pixel (x, y) lies inside the
// rectangle [left, right) × [top, bottom) with corner ellipses of ew × eh
// (a pixel counts by its centre).
bool insideRoundRect(int x, int y, int left, int top, int right, int bottom, int ew, int eh)
{
    if (x < left || y < top || x >= right || y >= bottom)
        return false;
    const double rx = (ew + 1) / 2.0, ry = (eh + 1) / 2.0;
    const double px = x + 0.5, py = y + 0.5;
    const double cx = std::clamp(px, left + rx, right - rx);
    const double cy = std::clamp(py, top + ry, bottom - ry);
    const double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
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
    // A 24-bit screen shows every colour, so the blend is its own nearest colour.
    return QColor(channel(face.red(), highlight.red(), window.red()),
                  channel(face.green(), highlight.green(), window.green()),
                  channel(face.blue(), highlight.blue(), window.blue()));
}

TColor hotBlend()
{
    return toTColor(blend(-2, 30, 72));
}

TColor pressedBlend()
{
    return toTColor(blend(14, 44, 40));
}

// The office colour scheme, taken from the desktop's colours: this platform
// names no colour scheme of its style.
constexpr TColor kOfficeDisabled = clBtnShadow;
constexpr TColor kOfficeHotFrame = clHighlight;

TColor bodyColor(TLookAndFeelKind kind, TGlyphState state)
{
    switch (state) {
    case gsHot:
        return kind == lfFlat || kind == lfStandard ? clWindow : hotBlend();
    case gsPressed:
        return kind == lfFlat || kind == lfStandard ? clBtnFace : pressedBlend();
    case gsDisabled:
        return clBtnFace;
    default:
        return clWindow;
    }
}

} // namespace

TRadioGlyphColorMap radioGlyphColorMap(TLookAndFeelKind kind, TGlyphState state, bool checked,
                                       bool designing, bool focused)
{
    const bool lit =
        focused || state == gsHot || state == gsPressed || (designing && state != gsDisabled);
    TRadioGlyphColorMap map{};
    map[0] = clBlack;
    map[5] = bodyColor(kind, state);
    switch (kind) {
    case lfFlat:
    case lfStandard:
        map[1] = clBtnShadow;
        map[2] = clBtnHighlight;
        map[3] = kind == lfFlat ? cl3DLight : cl3DDkShadow;
        map[4] = cl3DLight;
        break;
    case lfUltraFlat:
        map[1] = map[2] = lit ? clHighlight : clBtnShadow;
        map[3] = map[4] = map[5];
        break;
    case lfOffice11:
        map[1] = map[2] = state == gsDisabled ? kOfficeDisabled : lit ? kOfficeHotFrame : clBtnText;
        map[3] = map[4] = map[5];
        break;
    }
    if (!checked)
        map[6] = map[5];
    else if (state != gsDisabled)
        map[6] = clWindowText;
    else
        map[6] = kind == lfOffice11 ? kOfficeDisabled : clBtnShadow;
    return map;
}

TRadioGlyphImageList &TRadioGlyphImageList::instance()
{
    static TRadioGlyphImageList list;
    return list;
}

int TRadioGlyphImageList::variantNumber(TLookAndFeelKind kind, TGlyphState state, bool checked,
                                        bool designing, bool focused)
{
    return (int(state) - 1) + 4 * int(checked) + 8 * int(kind) + 32 * int(designing) +
        64 * int(focused);
}

TRadioGlyphImageList::TRadioGlyphImageList()
{
    m_cell = QSize(kCell, kCell);
    m_glyphOffset = kGlyphOffset;
    m_width = kCell;
    m_height = kCell;
    m_dot = QRect(kDotLeft, kDotTop, kDotSize, kDotSize);

    const int w = m_width, h = m_height;
    m_pattern = QList<int>(qsizetype(w) * h, 0);
    m_mask = QList<bool>(qsizetype(w) * h, false);
    auto at = [&](int x, int y) -> int & { return m_pattern[y * w + x]; };
    auto inGlyph = [&](int x, int y) { return insideRoundRect(x, y, 0, 0, w, h, w - 1, h - 1); };

    // Mask and outer ring: the rounded outline drawn with a one-pixel pen is
    // the shape's border pixels, split by the line from the bottom-left to the
    // top-right corner (pixels on the line go to the upper-left side).
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inGlyph(x, y))
                continue;
            m_mask[y * w + x] = true;
            const bool outline = !inGlyph(x - 1, y) || !inGlyph(x + 1, y) || !inGlyph(x, y - 1) ||
                !inGlyph(x, y + 1);
            if (outline)
                at(x, y) = (h - 1) * (w - 1 - x) < (w - 1) * y ? 2 : 1;
        }

    // Body: outward from the middle of every row until the ring.
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
            at(x, y) = x > w / 2 - 1 ? 4 : 3; // unlike the outer ring's tie rule
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

    // The dot, filled, over whatever the pixels held.
    const QRect dot = m_dot.translated(-m_glyphOffset);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (insideRoundRect(x, y, dot.left(), dot.top(), dot.left() + dot.width(),
                                dot.top() + dot.height(), dot.width() - 1, dot.height() - 1))
                at(x, y) = 6;

    m_paletteSubscription.OnSystemPaletteChanged = [this] { rebuild(); };
    render();
}

bool TRadioGlyphImageList::opaque(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    return m_mask[y * m_width + x];
}

void TRadioGlyphImageList::render()
{
    m_images.clear();
    for (int focused = 0; focused <= 1; ++focused)
        for (int designing = 0; designing <= 1; ++designing)
            for (int kind = lfFlat; kind <= lfOffice11; ++kind)
                for (int checked = 0; checked <= 1; ++checked)
                    for (int state = gsNormal; state <= gsDisabled; ++state) {
                        const TRadioGlyphColorMap map =
                            radioGlyphColorMap(TLookAndFeelKind(kind), TGlyphState(state), checked,
                                               designing, focused);
                        QRgb rgb[7];
                        for (int i = 0; i < 7; ++i)
                            rgb[i] = toQColor(map[i]).rgb();
                        QImage image(m_width, m_height, QImage::Format_ARGB32);
                        for (int y = 0; y < m_height; ++y)
                            for (int x = 0; x < m_width; ++x)
                                image.setPixel(x, y,
                                               opaque(x, y) ? rgb[m_pattern[y * m_width + x]] : 0u);
                        m_index[variantNumber(TLookAndFeelKind(kind), TGlyphState(state), checked,
                                              designing, focused)] = int(m_images.size());
                        m_images.append(image);
                    }
}

void TRadioGlyphImageList::rebuild()
{
    ++m_rebuilds;
    render();
}

QImage TRadioGlyphImageList::image(TLookAndFeelKind kind, TGlyphState state, bool checked,
                                   bool focused, bool designing) const
{
    if (state == gsDefault)
        state = gsNormal;
    return m_images.at(m_index[variantNumber(kind, state, checked, designing, focused)]);
}

void TRadioGlyphImageList::draw(QPainter &painter, QPoint origin, TLookAndFeelKind kind,
                                TGlyphState state, bool checked, bool focused, TColor brush,
                                bool designing) const
{
    const QImage glyph = image(kind, state, checked, focused, designing);
    if (brush != clDefault)
        painter.fillRect(QRect(origin, glyph.size()), toQColor(brush));
    painter.drawImage(origin, glyph);
}

QSize radioGlyphSize()
{
    return TRadioGlyphImageList::instance().glyphSize();
}

const QList<int> &radioGlyphPattern()
{
    return TRadioGlyphImageList::instance().pattern();
}

QImage radioGlyphImage(TLookAndFeelKind kind, TGlyphState state, bool checked, bool focused,
                       bool designing)
{
    return TRadioGlyphImageList::instance().image(kind, state, checked, focused, designing);
}

void drawRadioGlyph(QPainter &painter, QPoint origin, TLookAndFeelKind kind, TGlyphState state,
                    bool checked, bool focused, TColor brush, bool designing)
{
    TRadioGlyphImageList::instance().draw(painter, origin, kind, state, checked, focused, brush,
                                          designing);
}

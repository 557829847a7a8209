#include "controls/look_and_feel_painters.h"

#include "controls/look_radio_glyph.h"
#include "controls/look_visual_styles.h"

#include <QPainter>

#include <cmath>

using namespace LookAndFeels;

namespace {

// One channel of a line of the gradient, rounded as the controls round: ties
// to even (the default floating-point mode).
int gradientChannel(int top, int bottom, double t)
{
    return int(std::nearbyint(top + (bottom - top) * t));
}

// A vertical gradient from top to bottom, one colour per line.
void verticalGradient(QPainter &painter, const QRect &bounds, const QColor &top,
                      const QColor &bottom)
{
    const int h = bounds.height();
    for (int i = 0; i < h; ++i) {
        const double t = h > 1 ? double(i) / (h - 1) : 0.0;
        const QColor c(gradientChannel(top.red(), bottom.red(), t),
                       gradientChannel(top.green(), bottom.green(), t),
                       gradientChannel(top.blue(), bottom.blue(), t));
        painter.fillRect(QRect(bounds.left(), bounds.top() + i, bounds.width(), 1), c);
    }
}

} // namespace

const TCustomLookAndFeelPainter &TCustomLookAndFeelPainter::instance()
{
    static const TCustomLookAndFeelPainter instance;
    return instance;
}

const TStandardLookAndFeelPainter &TStandardLookAndFeelPainter::instance()
{
    static const TStandardLookAndFeelPainter instance;
    return instance;
}

const TNativeLookAndFeelPainter &TNativeLookAndFeelPainter::instance()
{
    static const TNativeLookAndFeelPainter instance;
    return instance;
}

const TFlatLookAndFeelPainter &TFlatLookAndFeelPainter::instance()
{
    static const TFlatLookAndFeelPainter instance;
    return instance;
}

const TUltraFlatLookAndFeelPainter &TUltraFlatLookAndFeelPainter::instance()
{
    static const TUltraFlatLookAndFeelPainter instance;
    return instance;
}

const TOffice11LookAndFeelPainter &TOffice11LookAndFeelPainter::instance()
{
    static const TOffice11LookAndFeelPainter instance;
    return instance;
}

TLookAndFeelKind glyphKindForStyle(TLookAndFeelStyle style)
{
    switch (style) {
    case lfsFlat:
        return lfFlat;
    case lfsUltraFlat:
        return lfUltraFlat;
    case lfsOffice11:
        return lfOffice11;
    default:
        return lfStandard;
    }
}

const TCustomLookAndFeelPainter &painterForKind(TLookAndFeelKind kind)
{
    switch (kind) {
    case lfFlat:
        return TFlatLookAndFeelPainter::instance();
    case lfStandard:
        return TStandardLookAndFeelPainter::instance();
    case lfOffice11:
        return TOffice11LookAndFeelPainter::instance();
    case lfUltraFlat:
    default:
        return TUltraFlatLookAndFeelPainter::instance();
    }
}

void TCustomLookAndFeelPainter::DrawRadioGlyph(QPainter &painter, int x, int y, TGlyphState state,
                                               bool checked, bool focused, TColor brush,
                                               bool designing) const
{
    TRadioGlyphImageList::instance().draw(painter, QPoint(x, y), glyphKindForStyle(PainterStyle()),
                                          state, checked, focused, brush, designing);
}

QSize TCustomLookAndFeelPainter::RadioGlyphSize() const
{
    return TRadioGlyphImageList::instance().glyphSize();
}

void TCustomLookAndFeelPainter::PaintPanelBackground(QPainter &painter, const QWidget *,
                                                     const QRect &bounds, TColor, TColor) const
{
    drawGroupBoxBackground(painter, bounds);
}

void TNativeLookAndFeelPainter::DrawRadioGlyph(QPainter &painter, int x, int y, TGlyphState state,
                                               bool checked, bool, TColor brush, bool) const
{
    const QRect r(QPoint(x, y), RadioGlyphSize());
    if (brush != clDefault)
        painter.fillRect(r, toQColor(brush));
    drawNativeRadioGlyph(painter, r, state, checked);
}

QSize TNativeLookAndFeelPainter::RadioGlyphSize() const
{
    return nativeRadioGlyphSize();
}

void TNativeLookAndFeelPainter::PaintPanelBackground(QPainter &painter, const QWidget *control,
                                                     const QRect &bounds, TColor color,
                                                     TColor) const
{
    if (color == clDefault)
        PaintParentCopy(control, painter, bounds, true);
    else
        painter.fillRect(bounds, toQColor(color));
}

void TOffice11LookAndFeelPainter::PaintPanelBackground(QPainter &painter, const QWidget *control,
                                                       const QRect &bounds, TColor color,
                                                       TColor colorTo) const
{
    if (color == clDefault) {
        PaintParentCopy(control, painter, bounds, true);
        return;
    }
    const QColor top = toQColor(color);
    if (colorTo == clDefault || toQColor(colorTo) == top) {
        painter.fillRect(bounds, top);
        return;
    }
    verticalGradient(painter, bounds, top, toQColor(colorTo));
}

#include "controls/look_and_feel_painters.h"

#include "controls/radio_glyph.h"
#include "controls/visual_styles.h"

#include <QPainter>

#include <cmath>

namespace {

// A vertical gradient from top to bottom, one colour per line.
void verticalGradient(QPainter &painter, const QRect &bounds, const QColor &top,
                      const QColor &bottom)
{
    const int h = bounds.height();
    for (int i = 0; i < h; ++i) {
        const double t = h > 1 ? double(i) / (h - 1) : 0.0;
        const QColor c(int(std::nearbyint(top.red() + (bottom.red() - top.red()) * t)),
                       int(std::nearbyint(top.green() + (bottom.green() - top.green()) * t)),
                       int(std::nearbyint(top.blue() + (bottom.blue() - top.blue()) * t)));
        painter.fillRect(QRect(bounds.left(), bounds.top() + i, bounds.width(), 1), c);
    }
}

} // namespace

const TCustomLookAndFeelPainter &TCustomLookAndFeelPainter::Instance()
{
    static const TCustomLookAndFeelPainter instance;
    return instance;
}

const TStandardLookAndFeelPainter &TStandardLookAndFeelPainter::Instance()
{
    static const TStandardLookAndFeelPainter instance;
    return instance;
}

const TNativeLookAndFeelPainter &TNativeLookAndFeelPainter::Instance()
{
    static const TNativeLookAndFeelPainter instance;
    return instance;
}

const TFlatLookAndFeelPainter &TFlatLookAndFeelPainter::Instance()
{
    static const TFlatLookAndFeelPainter instance;
    return instance;
}

const TUltraFlatLookAndFeelPainter &TUltraFlatLookAndFeelPainter::Instance()
{
    static const TUltraFlatLookAndFeelPainter instance;
    return instance;
}

const TOffice11LookAndFeelPainter &TOffice11LookAndFeelPainter::Instance()
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
        return TFlatLookAndFeelPainter::Instance();
    case lfStandard:
        return TStandardLookAndFeelPainter::Instance();
    case lfOffice11:
        return TOffice11LookAndFeelPainter::Instance();
    case lfUltraFlat:
    default:
        return TUltraFlatLookAndFeelPainter::Instance();
    }
}

void TCustomLookAndFeelPainter::DrawRadioGlyph(QPainter &painter, int x, int y, TGlyphState state,
                                               bool checked, bool focused, TColor brush,
                                               bool designing) const
{
    TRadioGlyphImageList::Instance().Draw(painter, QPoint(x, y), glyphKindForStyle(PainterStyle()),
                                          state, checked, focused, brush, designing);
}

QSize TCustomLookAndFeelPainter::RadioGlyphSize() const
{
    return TRadioGlyphImageList::Instance().GlyphSize();
}

void TCustomLookAndFeelPainter::PaintPanelBackground(QPainter &painter, QWidget *,
                                                     const QRect &bounds, TColor, TColor) const
{
    DrawGroupBoxBackground(painter, bounds);
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

void TNativeLookAndFeelPainter::PaintPanelBackground(QPainter &painter, QWidget *control,
                                                     const QRect &bounds, TColor color,
                                                     TColor) const
{
    if (color == clDefault)
        PaintParentCopy(control, painter, bounds, true);
    else
        painter.fillRect(bounds, toQColor(color));
}

void TOffice11LookAndFeelPainter::PaintPanelBackground(QPainter &painter, QWidget *control,
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

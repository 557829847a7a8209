#pragma once

#include "controls/look_and_feel.h"
#include "controls/look_glyph_state.h"
#include "platform/colors.h"
#include "platform/colors_changed.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

class QPainter;

// The seven colours of one glyph image, by pattern index: 0 outside, 1 and 2
// the outer ring's upper-left and lower-right sides, 3 and 4 the inner ring's,
// 5 the body, 6 the check dot. System colours are left unresolved.
using TRadioGlyphColorMap = std::array<TColor, 7>;

// The colour map of one combination (the frame lights up when focused, hot,
// pressed, or drawn for designing unless disabled).
TRadioGlyphColorMap radioGlyphColorMap(TLookAndFeelKind kind, TGlyphState state, bool checked,
                                       bool designing, bool focused);

// The program's one cache of radio glyph images: 128 masked images, one per
// kind, state (gsNormal … gsDisabled), checked, designing and focused, all
// rendered from one glyph pattern. Created on first use; the images are
// rendered again whenever the desktop's colours change, before any control
// is told to repaint.
class TRadioGlyphImageList {
public:
    static TRadioGlyphImageList &instance();

    // The variant number an image is kept under (0 … 127).
    static int variantNumber(TLookAndFeelKind kind, TGlyphState state, bool checked, bool designing,
                             bool focused);

    QSize glyphSize() const { return QSize(m_width, m_height); }
    // The platform's check-box cell, and where the glyph's box starts in it.
    QSize cellSize() const { return m_cell; }
    QPoint glyphOffset() const { return m_glyphOffset; }
    // The check dot, in cell coordinates.
    QRect dotRect() const { return m_dot; }
    // H rows of W pattern indices 0 … 6.
    const QList<int> &pattern() const { return m_pattern; }
    // Whether (x, y) is opaque in the shared mask.
    bool opaque(int x, int y) const;

    // Pixels outside the outline are fully transparent.
    QImage image(TLookAndFeelKind kind, TGlyphState state, bool checked, bool focused,
                 bool designing) const;
    // brush clDefault: the masked image at origin, nothing outside the outline
    // changes; otherwise the W × H square is filled with brush first.
    void draw(QPainter &painter, QPoint origin, TLookAndFeelKind kind, TGlyphState state,
              bool checked, bool focused, TColor brush, bool designing) const;

    // Renders every image again with the current desktop colours.
    void rebuild();
    int rebuildCount() const { return m_rebuilds; }

private:
    TRadioGlyphImageList();
    void render();

    QSize m_cell;
    QPoint m_glyphOffset;
    int m_width = 0;
    int m_height = 0;
    QRect m_dot;
    QList<int> m_pattern;
    QList<bool> m_mask;
    std::array<int, 128> m_index{};
    QList<QImage> m_images;
    int m_rebuilds = 0;
    TSystemPaletteChangedNotifier m_paletteSubscription{true};
};

// Shorthands on the shared cache.
QSize radioGlyphSize();
const QList<int> &radioGlyphPattern();
QImage radioGlyphImage(TLookAndFeelKind kind, TGlyphState state, bool checked, bool focused,
                       bool designing = false);
void drawRadioGlyph(QPainter &painter, QPoint origin, TLookAndFeelKind kind, TGlyphState state,
                    bool checked, bool focused, TColor brush, bool designing = false);

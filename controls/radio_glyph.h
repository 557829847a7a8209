#pragma once

#include "platform/colors.h"

#include <QImage>
#include <QPoint>
#include <QSize>

class QPainter;

// Visual kinds of the look-and-feel family; the window's controls use lfUltraFlat.
enum TLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

// Pointer state of a glyph.
enum TGlyphState { gsDefault, gsNormal, gsHot, gsPressed, gsDisabled };

// Glyph width and height (the classic 13-pixel radio glyph box).
QSize RadioGlyphSize();

// The glyph pattern: for each pixel, row by row, an index 0 (outside), 1/2
// (outer ring, upper-left / lower-right side), 3/4 (inner ring), 5 (body)
// or 6 (check dot).
const QList<int> &RadioGlyphPattern();

// The rendered glyph; pixels outside the round outline are transparent.
// Images are shared program-wide, one per combination.
QImage RadioGlyphImage(TLookAndFeelKind kind, TGlyphState state, bool checked, bool focused,
                       bool designing = false);

// Draws the glyph at (x, y). With brush clDefault only the round glyph is
// drawn; otherwise the whole glyph square is filled with brush first.
void DrawRadioGlyph(QPainter &painter, QPoint origin, TLookAndFeelKind kind, TGlyphState state,
                    bool checked, bool focused, TColor brush, bool designing = false);

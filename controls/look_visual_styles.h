#pragma once

#include "controls/look_glyph_state.h"

#include <QRect>
#include <QSize>
#include <QStringList>

class QPainter;
class QWidget;

// The desktop's visual style on this platform is the application's Qt style:
// the native look draws through it. It counts as on while the program takes
// its look from the desktop (QGuiApplication::desktopSettingsAware) and a
// style is installed; of the desktop's theme classes, only "Button" (the
// radio-button indicator) can be drawn through it.

// The 25 theme class names, in their fixed order.
const QStringList &visualStyleClassNames();

// Whether the desktop's style is on now.
bool visualStylesActive();

// True when the desktop's style is on and every class in the list (compared
// without case) can be drawn through it; the empty list tests only the first.
bool VisualStylesAvailable(const QStringList &themeClasses);

// The style's radio indicator: its own size, and drawn into rect in a glyph state.
QSize nativeRadioGlyphSize();
void drawNativeRadioGlyph(QPainter &painter, const QRect &rect, TGlyphState state, bool checked);

// Draws into painter, at control's own coordinates, what control's parent
// paints over rect: the parent's own picture with its graphic children
// (labels, images) and, with withEarlierSiblings, every visible windowed
// sibling created before control, with its children. A sibling created after
// control is never part of it.
void PaintParentCopy(const QWidget *control, QPainter &painter, const QRect &rect,
                     bool withEarlierSiblings);

// The parent's background as the style draws it behind a child. Every Qt
// window is double-buffered, so this is the parent copy without siblings.
void PaintThemedParentBackground(const QWidget *control, QPainter &painter, const QRect &rect);

#pragma once

#include "controls/look_and_feel.h"
#include "controls/look_glyph_state.h"
#include "platform/colors.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

// Style numbers the painters answer with.
enum TLookAndFeelStyle {
    lfsFlat = 0,
    lfsStandard = 1,
    lfsUltraFlat = 2,
    lfsNative = 3,
    lfsOffice11 = 4,
};

// Stateless drawers of the elements, one shared immutable instance per class:
// a look and feel hands out a reference to one of them.
class TCustomLookAndFeelPainter {
public:
    virtual ~TCustomLookAndFeelPainter() = default;
    static const TCustomLookAndFeelPainter &instance();

    virtual TLookAndFeelStyle PainterStyle() const { return lfsStandard; }
    virtual TColor EditorTextColor(bool /*disabled*/) const { return clDefault; }

    // The radio glyph at (x, y); state is gsNormal … gsDisabled. With brush
    // clDefault only the round glyph is drawn, otherwise its square is
    // filled with brush first.
    virtual void DrawRadioGlyph(QPainter &painter, int x, int y, TGlyphState state, bool checked,
                                bool focused, TColor brush, bool designing) const;
    virtual QSize RadioGlyphSize() const;

    // Group-box elements: no painter of this program draws them.
    virtual void drawGroupBoxBackground(QPainter &, const QRect &) const {}
    virtual void drawGroupBoxCaption(QPainter &, const QRect &) const {}
    virtual void drawGroupBoxContent(QPainter &, const QRect &) const {}
    virtual QMargins groupBoxBorderSize() const { return QMargins(); }
    virtual TColor groupBoxTextColor() const { return clDefault; }
    virtual bool isGroupBoxTransparent() const { return false; }

    // A panel's background over bounds, in color (down to colorTo where a
    // painter draws gradients); clDefault colours leave the decision to it.
    virtual void PaintPanelBackground(QPainter &painter, const QWidget *control,
                                      const QRect &bounds, TColor color, TColor colorTo) const;

protected:
    TCustomLookAndFeelPainter() = default;
};

class TStandardLookAndFeelPainter : public TCustomLookAndFeelPainter {
public:
    static const TStandardLookAndFeelPainter &instance();
};

// Draws through the desktop's style (the application's Qt style).
class TNativeLookAndFeelPainter : public TStandardLookAndFeelPainter {
public:
    static const TNativeLookAndFeelPainter &instance();
    TLookAndFeelStyle PainterStyle() const override { return lfsNative; }
    void DrawRadioGlyph(QPainter &painter, int x, int y, TGlyphState state, bool checked,
                        bool focused, TColor brush, bool designing) const override;
    QSize RadioGlyphSize() const override;
    void PaintPanelBackground(QPainter &painter, const QWidget *control, const QRect &bounds,
                              TColor color, TColor colorTo) const override;
};

class TFlatLookAndFeelPainter : public TCustomLookAndFeelPainter {
public:
    static const TFlatLookAndFeelPainter &instance();
    TLookAndFeelStyle PainterStyle() const override { return lfsFlat; }
};

class TUltraFlatLookAndFeelPainter : public TCustomLookAndFeelPainter {
public:
    static const TUltraFlatLookAndFeelPainter &instance();
    TLookAndFeelStyle PainterStyle() const override { return lfsUltraFlat; }
};

class TOffice11LookAndFeelPainter : public TUltraFlatLookAndFeelPainter {
public:
    static const TOffice11LookAndFeelPainter &instance();
    TLookAndFeelStyle PainterStyle() const override { return lfsOffice11; }
    void PaintPanelBackground(QPainter &painter, const QWidget *control, const QRect &bounds,
                              TColor color, TColor colorTo) const override;
};

// The painter of a kind when neither the desktop's style nor a skin applies.
const TCustomLookAndFeelPainter &painterForKind(TLookAndFeelKind kind);

// The kind whose glyph images a painter style uses (anything unknown: lfStandard).
TLookAndFeelKind glyphKindForStyle(TLookAndFeelStyle style);

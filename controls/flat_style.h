#pragma once

#include "platform/colors.h"
#include "platform/published_settings.h"
#include "platform/tab_order.h"

#include <QAction>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;

// The flat controls' enumerations, registered so published properties read and
// write them by name (property("Layout") gives "blGlyphTop").
namespace FlatStyle {
Q_NAMESPACE

// Where a flat button's face comes from.
enum TTransparentMode { tmAlways, tmNotFocused, tmNone };
Q_ENUM_NS(TTransparentMode)

// Where the glyph stands relative to the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

// Gradient direction: colours run left to right, or top to bottom.
enum TStyleOrien { bsHorizontal, bsVertical };
Q_ENUM_NS(TStyleOrien)

// Solid face or gradient face.
enum TStyleFace { fsDefault, fsCustom };
Q_ENUM_NS(TStyleFace)

// Where a child control stands inside its container: along an edge, filling
// what is left, or where it was put.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

// Horizontal placement of a caption.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)
} // namespace FlatStyle

using FlatStyle::TAlign;
using FlatStyle::TAlignment;
using FlatStyle::TButtonLayout;
using FlatStyle::TStyleFace;
using FlatStyle::TStyleOrien;
using FlatStyle::TTransparentMode;

// Number of images in a glyph strip, 1 to 4.
using TNumGlyphs = int;

// Draws width nested one-pixel rings of color along the inside of rect.
void DrawFlatFrame(QPainter &painter, QRect rect, TColor color, int width);

// Fills rect with 32 bands running from start toward stop. The stop colour
// itself is never painted: the last band starts at the far edge.
void FillGradient(QPainter &painter, TColor start, TColor stop, QRect rect,
                  TStyleOrien orientation);

// Paints what lies behind control at the painter's origin: its parent's
// background and own face over what lies behind the parent, and the sibling
// controls stacked below it (a picture it stands on). Controls above it are left
// out, and so is everything outside the parent.
void PaintParentBackground(const QWidget *control, QPainter &painter);

// A new image of source's size: face everywhere, and for every pixel of exactly
// ink colour a shadow pixel at its place (with a highlight one to the lower
// right first, when asked).
QImage MakeDisabledGlyph(const QImage &source, TColor ink, TColor face, TColor highlight,
                         TColor shadow, bool withHighlight);

struct TGlyphCaptionLayout {
    QPoint glyphOrigin;
    QRect captionRect;
};

// Places a glyph (one cell of a strip of numGlyphs images) and a one-line
// caption on a face. margin -1 centres them together; spacing -1 spreads the
// free space evenly.
TGlyphCaptionLayout LayoutGlyphAndCaption(const QFont &font, QRect client, QPoint offset,
                                          TButtonLayout layout, int spacing, int margin,
                                          const QImage &glyph, TNumGlyphs numGlyphs,
                                          const QString &caption);

// Base of the flat controls. Version is fixed; assigning it is accepted and
// changes nothing (layout data stores it for every flat control).
// Binds a flat control to action (or to none): from then on it shows the
// action's text as its caption, its enabled state, its hint and its visibility.
template<class Control> void bindAction(Control &control, QPointer<QAction> &bound, QAction *action)
{
    if (action == bound)
        return;
    if (bound)
        QObject::disconnect(bound, nullptr, &control, nullptr);
    bound = action;
    if (!action)
        return;
    const auto show = [&control, action] {
        control.setCaption(action->text());
        control.setEnabled(action->isEnabled());
        control.setToolTip(action->toolTip());
        control.setVisible(action->isVisible());
    };
    QObject::connect(action, &QAction::changed, &control, show);
    show();
}

class TVersionControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Version READ version WRITE setVersion)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(int TabOrder READ tabOrder WRITE setTabOrder)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)
    Q_PROPERTY(bool ParentShowHint READ parentShowHint WRITE setParentShowHint)
    // Published here with its change signal (moc checks a NOTIFY signal's
    // arguments only in its own class).
    Q_PROPERTY(bool Enabled READ enabledSetting WRITE setEnabledSetting NOTIFY enabledChanged)

public:
    explicit TVersionControl(QWidget *parent = nullptr);

    QString version() const;
    void setVersion(const QString &value);

    // A number the program keeps on the control; the control never reads it.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // Place among the parent's windowed children.
    int tabOrder() const { return ::tabOrder(this); }
    void setTabOrder(int order) { ::setTabOrder(this, order); }

    bool showHint() const { return m_hint.shows(this); }
    void setShowHint(bool value) { m_hint.setShows(value); }
    bool parentShowHint() const { return m_hint.parentShowHint; }
    void setParentShowHint(bool value) { m_hint.parentShowHint = value; }

    // The control's own Enabled and Visible settings (published Enabled and
    // Visible read these).
    bool enabledSetting() const { return ownEnabled(this); }
    void setEnabledSetting(bool enabled);
    bool visibleSetting() const { return ownVisible(this); }

signals:
    // The control's own Enabled setting changed (a container's does not count).
    void enabledChanged(bool enabled);

protected:
    // The setters' common rule: store a different value and repaint. False
    // when the value was already there.
    template<class T> bool assignAndRepaint(T &field, const T &value)
    {
        if (field == value)
            return false;
        field = value;
        update();
        return true;
    }

    void changeEvent(QEvent *event) override;
    // Paints through draw into one off-screen image of the client size and
    // copies that to the screen once, so a paint never shows half drawn.
    void paintOffScreen(const std::function<void(QPainter &painter)> &draw);

private:
    QString m_storedVersion;
    bool m_enabledNotified = true;
    int m_tag = 0;
    HintSetting m_hint;
};

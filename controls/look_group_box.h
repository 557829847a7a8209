#pragma once

#include "controls/look_and_feel.h"
#include "platform/colors.h"
#include "platform/published_settings.h"
#include "platform/tab_order.h"

#include <QFlags>
#include <QFont>
#include <QObject>
#include <QString>
#include <QWidget>

class TLookGroupBox;

namespace LookGroupBoxes {
Q_NAMESPACE

// Sides of a group box that carry a border line.
enum TBorderEdge { bLeft = 0x1, bTop = 0x2, bRight = 0x4, bBottom = 0x8 };
Q_DECLARE_FLAGS(TBorderEdges, TBorderEdge)
Q_FLAG_NS(TBorderEdges)

// How the border is drawn.
enum TEditBorderStyle { ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11 };
Q_ENUM_NS(TEditBorderStyle)

// Where the caption stands.
enum TCaptionAlignment {
    alTopLeft,
    alTopCenter,
    alTopRight,
    alBottomLeft,
    alBottomCenter,
    alBottomRight,
    alLeftTop,
    alLeftCenter,
    alLeftBottom,
    alRightTop,
    alRightCenter,
    alRightBottom,
    alCenterCenter,
};
Q_ENUM_NS(TCaptionAlignment)

// The background of a box in panel mode under the office kind.
enum TPanelOfficeBackgroundKind { pobkGradient, pobkOffice11Color, pobkStyleColor };
Q_ENUM_NS(TPanelOfficeBackgroundKind)

} // namespace LookGroupBoxes

Q_DECLARE_OPERATORS_FOR_FLAGS(LookGroupBoxes::TBorderEdges)

using LookGroupBoxes::TBorderEdge;
using LookGroupBoxes::TBorderEdges;
using LookGroupBoxes::TCaptionAlignment;
using LookGroupBoxes::TEditBorderStyle;
using LookGroupBoxes::TPanelOfficeBackgroundKind;

// The border settings of a group box. BorderStyle follows the look-and-feel
// kind until it is set.
class TLookGroupBoxStyle : public QObject {
    Q_OBJECT
    Q_PROPERTY(LookGroupBoxes::TBorderEdges Edges READ edges WRITE setEdges)
    Q_PROPERTY(bool Shadow READ shadow WRITE setShadow)
    Q_PROPERTY(bool TransparentBorder READ transparentBorder WRITE setTransparentBorder)
    Q_PROPERTY(LookGroupBoxes::TEditBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool HotTrack READ hotTrack WRITE setHotTrack)
    Q_PROPERTY(TColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(TColor Color READ color WRITE setColor)

public:
    explicit TLookGroupBoxStyle(TLookGroupBox *box);

    TBorderEdges edges() const { return m_edges; }
    void setEdges(TBorderEdges edges);
    bool shadow() const { return m_shadow; }
    void setShadow(bool shadow);
    // With a transparent border the frame keeps a 2-pixel band on every side.
    bool transparentBorder() const { return m_transparentBorder; }
    void setTransparentBorder(bool value);
    // The effective style: the assigned one, else the kind's.
    TEditBorderStyle borderStyle() const;
    void setBorderStyle(TEditBorderStyle style);
    bool isBorderStyleAssigned() const { return m_borderStyleAssigned; }
    void restoreDefaultBorderStyle();
    bool hotTrack() const { return m_hotTrack; }
    void setHotTrack(bool value);
    // The line colour of the styles other than ultra-flat and office.
    TColor borderColor() const { return m_borderColor; }
    void setBorderColor(TColor color);
    // The box's own colour; clDefault takes the parent's.
    TColor color() const { return m_color; }
    void setColor(TColor color);

private:
    void changed(bool geometry);
    // Stores a changed value and tells the box (geometry: the client area moves).
    template<class T> void store(T &field, T value, bool geometry)
    {
        if (field == value)
            return;
        field = value;
        changed(geometry);
    }

    TLookGroupBox *m_box;
    TBorderEdges m_edges = TBorderEdges(LookGroupBoxes::bLeft | LookGroupBoxes::bTop |
                                        LookGroupBoxes::bRight | LookGroupBoxes::bBottom);
    bool m_shadow = false;
    bool m_transparentBorder = true;
    TEditBorderStyle m_borderStyle = LookGroupBoxes::ebsUltraFlat;
    bool m_borderStyleAssigned = false;
    bool m_hotTrack = true;
    TColor m_borderColor = clWindowText;
    TColor m_color = clDefault;
};

// Panel mode: no caption band, and the background from the painter.
class TLookGroupBoxPanelStyle : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(LookGroupBoxes::TPanelOfficeBackgroundKind OfficeBackgroundKind READ
                   officeBackgroundKind WRITE setOfficeBackgroundKind)

public:
    explicit TLookGroupBoxPanelStyle(TLookGroupBox *box);

    bool active() const { return m_active; }
    void setActive(bool value);
    TPanelOfficeBackgroundKind officeBackgroundKind() const { return m_officeBackgroundKind; }
    void setOfficeBackgroundKind(TPanelOfficeBackgroundKind kind);

private:
    TLookGroupBox *m_box;
    bool m_active = false;
    TPanelOfficeBackgroundKind m_officeBackgroundKind = LookGroupBoxes::pobkOffice11Color;
};

// Everything one paint of a group box depends on, gathered once.
struct TGroupBoxOption {
    bool transparent = false;
    QString caption;
    QFont font;
    QColor fontColor;
    bool enabled = true;
    TCaptionAlignment alignment = LookGroupBoxes::alTopLeft;
    TBorderEdges edges;
    bool shadow = false;
    bool transparentBorder = true;
    TEditBorderStyle borderStyle = LookGroupBoxes::ebsUltraFlat;
    QColor borderColor;
    bool ctl3D = true;
    QColor color; // the box's background
    bool panel = false;
    // Panel mode's background, from the look and feel's painter.
    const class TCustomLookAndFeelPainter *panelPainter = nullptr;
    TColor panelColor = clDefault;
    TColor panelColorTo = clDefault;
};

// The border line width of a style.
int groupBoxBorderWidth(TEditBorderStyle style);
// The band the border occupies on one side.
int groupBoxBorderExtent(const TGroupBoxOption &option, TBorderEdge side);
// The caption's rectangle in the box's rectangle (empty without caption).
QRect groupBoxCaptionRect(const QRect &box, const TGroupBoxOption &option);
// Draws the box (shadow, background, caption, border) into rect; control is
// the box, for a panel painter that shows what lies beneath it.
void drawGroupBox(QPainter &painter, const QRect &rect, const TGroupBoxOption &option,
                  const QWidget *control);

// A container that can draw a frame with a caption and a shadow over a
// background of its own. Transparent, without edges, shadow or caption (as the
// main window uses it) it draws nothing at all, so whatever lies beneath shows
// and its children appear directly on it. It takes the focus only when moved
// to with the arrow keys, unless TabStop is set.
class TLookGroupBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(LookGroupBoxes::TCaptionAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(TLookGroupBoxStyle *Style READ boxStyle CONSTANT)
    Q_PROPERTY(TLookGroupBoxPanelStyle *PanelStyle READ panelStyle CONSTANT)
    Q_PROPERTY(bool Ctl3D READ ctl3D WRITE setCtl3D)
    Q_PROPERTY(bool ParentCtl3D READ parentCtl3D WRITE setParentCtl3D)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(TLookAndFeel *LookAndFeel READ lookAndFeel WRITE setLookAndFeel)
    Q_PROPERTY(bool Enabled READ enabledSetting WRITE setEnabledSetting NOTIFY enabledChanged)
    Q_PROPERTY(TColor FontColor READ fontColorSetting WRITE setFontColor)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    Q_PROPERTY(int TabOrder READ tabOrder WRITE setTabOrder)

public:
    explicit TLookGroupBox(QWidget *parent = nullptr);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    TCaptionAlignment alignment() const { return m_alignment; }
    void setAlignment(TCaptionAlignment alignment);

    // What the box holds (its children where they are placed, its caption)
    // inside its borders; a box holding nothing keeps the size of a new one.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Caption colour; the same as the palette's WindowText.
    TColor fontColorSetting() const;
    void setFontColor(TColor color);
    // The control's own Enabled setting, also inside a disabled container.
    bool enabledSetting() const { return ownEnabled(this); }
    void setEnabledSetting(bool enabled);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // Place among the parent's windowed children.
    int tabOrder() const { return ::tabOrder(this); }
    void setTabOrder(int order) { ::setTabOrder(this, order); }

    // Named apart from QWidget::style(), which it must not hide.
    TLookGroupBoxStyle *boxStyle() const { return m_style; }
    TLookGroupBoxPanelStyle *panelStyle() const { return m_panelStyle; }
    // Shorthands for the style's settings.
    TBorderEdges edges() const { return m_style->edges(); }
    void setEdges(TBorderEdges edges) { m_style->setEdges(edges); }
    bool shadow() const { return m_style->shadow(); }
    void setShadow(bool shadow) { m_style->setShadow(shadow); }
    bool transparentBorder() const { return m_style->transparentBorder(); }
    void setTransparentBorder(bool value) { m_style->setTransparentBorder(value); }

    // Changes only the ebs3D border; the parent's unless set.
    bool ctl3D() const;
    void setCtl3D(bool value);
    bool parentCtl3D() const { return m_parentCtl3D; }
    void setParentCtl3D(bool value);
    bool tabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool value);
    bool parentColor() const { return m_style->color() == clDefault; }
    void setParentColor(bool value);
    bool parentFont() const { return followsParentFont(this); }
    void setParentFont(bool value) { setFollowsParentFont(this, value); }

    // Owned; assigning copies the source's values.
    TLookAndFeel *lookAndFeel() const { return m_lookAndFeel; }
    void setLookAndFeel(TLookAndFeel *source);

    // Whether the pointer is over the box (border lines light up with HotTrack).
    bool hot() const { return m_hot; }

    // What the next paint draws.
    TGroupBoxOption styleOption() const;

    // Called by the style objects.
    void styleChanged(bool geometry);

signals:
    void clicked();
    void captionChanged(const QString &caption);
    // The own Enabled setting.
    void enabledChanged(bool enabled);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int m_tag = 0;
    void updateMargins();

    bool m_transparent = false;
    QString m_caption;
    TCaptionAlignment m_alignment = LookGroupBoxes::alTopLeft;
    TLookGroupBoxStyle *m_style;
    TLookGroupBoxPanelStyle *m_panelStyle;
    bool m_ctl3D = true;
    bool m_parentCtl3D = true;
    TLookAndFeel *m_lookAndFeel;
    bool m_pressed = false;
    bool m_hot = false;
    bool m_enabledNotified = true;
};

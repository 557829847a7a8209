#pragma once

#include <QRect>
#include <QSize>

// The window's alignment, anchoring and resize rules, kept apart from the widgets
// so the figures can be checked directly. Rectangles are in design pixels relative
// to each control's parent; sizes may go negative on a tiny window and are clamped
// only when applied to widgets.
class FormGeometry {
public:
    // One factor for the whole design, as a fraction applied with MulDiv. A
    // rectangle is scaled by its edges, so controls that meet at design still meet.
    struct Scale {
        int numerator = 1;
        int denominator = 1;

        int length(int designLength) const;
        QRect bounds(const QRect &design) const;
        QSize size(QSize design) const;
        qreal factor() const { return qreal(numerator) / denominator; }
        bool operator==(const Scale &) const = default;
    };

    // The factor that fills `screen` with the design's client area keeping its
    // proportions: the smaller of width and height ratios.
    static Scale fitting(QSize screen);

    struct Layout {
        QRect panel8, statusBar1, panel18;
        QRect groupBox2, groupBox3, image1, groupBox1;
        QRect staticText1, panel4, listBox1;
    };

    // The design as laid out at `scale`: every bound, the anchoring references and
    // the lengths of the resize rules scaled alike.
    explicit FormGeometry(Scale scale);
    FormGeometry(); // at design size

    Scale scale() const { return m_scale; }

    // Applies alignment, anchoring and the resize rules for a new client size.
    // `screenWidth` is the primary screen's width, read at each resize.
    const Layout &resize(QSize client, int screenWidth);
    const Layout &layout() const { return m_layout; }

    // Rounded a * b / c with halves away from zero (the platform's MulDiv).
    static int mulDiv(int a, int b, int c);

private:
    // Where a control was last placed, and its parent's size at that moment.
    struct AnchorReference {
        QRect bounds;
        QSize parent;
    };

    static QRect anchorCentred(const AnchorReference &ref, QSize parent);
    static QRect anchorRight(const AnchorReference &ref, QSize parent);
    static void place(AnchorReference &ref, QRect &bounds, const QRect &newBounds, QSize parent);

    Scale m_scale;
    int m_topBarHeight, m_statusBarHeight, m_rosterColumnWidth;
    Layout m_layout;
    AnchorReference m_groupBox3Ref, m_image1Ref, m_groupBox1Ref;
    QSize m_panel8Size, m_panel18Size;
};

#include "window/form_geometry.h"

#include "window/form1_layout.h"

#include <cstdint>

namespace {
// Lengths of the resize rules, in design pixels.
constexpr int kListBelowGroupBox2 = 35; // Panel4 height = GroupBox2 height - 35
constexpr int kDisplayWidthMargin = 210;
constexpr int kDisplayHeightMargin = 160;
constexpr int kButtonsAboveBottom = 150; // GroupBox1 top = Panel18 height - 150
constexpr int kImageAboveBottom = 50;
constexpr int kNarrowScreenGroupBox3Left = 490;
constexpr int kNarrowScreenWidth = 800; // a screen width, never scaled
constexpr int kBevel = 1; // the client panel's bevel is drawn one pixel wide at any scale
} // namespace

int FormGeometry::Scale::length(int designLength) const
{
    return mulDiv(designLength, numerator, denominator);
}

QRect FormGeometry::Scale::bounds(const QRect &design) const
{
    const int left = length(design.left());
    const int top = length(design.top());
    return QRect(left, top, length(design.left() + design.width()) - left,
                 length(design.top() + design.height()) - top);
}

QSize FormGeometry::Scale::size(QSize design) const
{
    return QSize(length(design.width()), length(design.height()));
}

FormGeometry::Scale FormGeometry::fitting(QSize screen)
{
    const QSize design = layout::kDesignClientSize;
    // Compared as products so the choice is exact.
    if (std::int64_t(screen.width()) * design.height() <=
        std::int64_t(screen.height()) * design.width())
        return {screen.width(), design.width()};
    return {screen.height(), design.height()};
}

FormGeometry::FormGeometry() : FormGeometry(Scale{}) {}

FormGeometry::FormGeometry(Scale scale) : m_scale(scale)
{
    using namespace layout;
    auto scaled = [&](const char *name) { return m_scale.bounds(designBounds(name)); };
    m_layout.panel8 = scaled("Panel8");
    m_layout.statusBar1 = scaled("StatusBar1");
    m_layout.panel18 = scaled("Panel18");
    m_layout.groupBox2 = scaled("GroupBox2");
    m_layout.groupBox3 = scaled("GroupBox3");
    m_layout.image1 = scaled("Image1");
    m_layout.groupBox1 = scaled("GroupBox1");
    m_layout.staticText1 = scaled("StaticText1");
    m_layout.panel4 = scaled("Panel4");
    m_layout.listBox1 = scaled("ListBox1");
    m_topBarHeight = m_layout.panel8.height();
    m_statusBarHeight = m_layout.statusBar1.height();
    m_rosterColumnWidth = m_layout.groupBox2.width();
    m_panel8Size = m_layout.panel8.size();
    m_panel18Size = m_layout.panel18.size();
    m_groupBox3Ref = {m_layout.groupBox3, m_panel8Size};
    m_image1Ref = {m_layout.image1, m_panel18Size};
    m_groupBox1Ref = {m_layout.groupBox1, m_panel18Size};
}

int FormGeometry::mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t p = std::int64_t(a) * b;
    std::int64_t d = c;
    if (d < 0) {
        p = -p;
        d = -d;
    }
    std::int64_t q = p >= 0 ? (p + d / 2) / d : (p - d / 2) / d;
    return int(q);
}

QRect FormGeometry::anchorCentred(const AnchorReference &ref, QSize parent)
{
    QRect r = ref.bounds;
    // A reference taken while the parent had no size cannot be scaled from.
    if (ref.parent.width() > 0)
        r.moveLeft(
            mulDiv(ref.bounds.left() + ref.bounds.width() / 2, parent.width(), ref.parent.width()) -
            ref.bounds.width() / 2);
    if (ref.parent.height() > 0)
        r.moveTop(mulDiv(ref.bounds.top() + ref.bounds.height() / 2, parent.height(),
                         ref.parent.height()) -
                  ref.bounds.height() / 2);
    return r;
}

QRect FormGeometry::anchorRight(const AnchorReference &ref, QSize parent)
{
    QRect r = anchorCentred(ref, parent); // vertical centre keeps its fraction
    r.moveLeft(parent.width() - (ref.parent.width() - ref.bounds.left()));
    return r;
}

void FormGeometry::place(AnchorReference &ref, QRect &bounds, const QRect &newBounds, QSize parent)
{
    bounds = newBounds;
    ref = {newBounds, parent};
}

const FormGeometry::Layout &FormGeometry::resize(QSize client, int screenWidth)
{
    Layout &l = m_layout;
    const int w = client.width();
    const int h = client.height();
    auto s = [this](int designLength) { return m_scale.length(designLength); };

    // Alignment: top bar, status bar, then the client panel takes the rest.
    l.panel8 = QRect(0, 0, w, m_topBarHeight);
    l.statusBar1 = QRect(0, h - m_statusBarHeight, w, m_statusBarHeight);
    l.panel18 = QRect(0, m_topBarHeight, w, h - m_topBarHeight - m_statusBarHeight);
    const QSize p18 = l.panel18.size();
    l.groupBox2 = QRect(p18.width() - kBevel - m_rosterColumnWidth, kBevel, m_rosterColumnWidth,
                        p18.height() - 2 * kBevel);

    // Anchoring, for the children of a parent whose size changed.
    if (l.panel8.size() != m_panel8Size) {
        m_panel8Size = l.panel8.size();
        l.groupBox3 = anchorRight(m_groupBox3Ref, m_panel8Size);
    }
    if (p18 != m_panel18Size) {
        m_panel18Size = p18;
        l.image1 = anchorCentred(m_image1Ref, p18);
        l.groupBox1 = anchorCentred(m_groupBox1Ref, p18);
    }

    // The window's own resize rules; a position they set becomes the new anchor reference.
    l.panel4.setHeight(l.groupBox2.height() - s(kListBelowGroupBox2));
    l.listBox1.setHeight(l.panel4.height());
    l.staticText1.setWidth(p18.width() - s(kDisplayWidthMargin));
    l.staticText1.setHeight(p18.height() - s(kDisplayHeightMargin));
    QRect g1 = l.groupBox1;
    g1.moveTop(p18.height() - s(kButtonsAboveBottom));
    place(m_groupBox1Ref, l.groupBox1, g1, p18);
    QRect im = l.image1;
    im.moveTop(p18.height() - l.image1.height() - s(kImageAboveBottom));
    place(m_image1Ref, l.image1, im, p18);
    if (screenWidth == kNarrowScreenWidth) {
        QRect im800 = l.image1;
        im800.moveLeft(0);
        place(m_image1Ref, l.image1, im800, p18);
        QRect g3 = l.groupBox3;
        g3.moveLeft(s(kNarrowScreenGroupBox3Left));
        place(m_groupBox3Ref, l.groupBox3, g3, l.panel8.size());
    }
    return l;
}

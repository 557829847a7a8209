#include "window/form_geometry.h"

#include "window/form1_layout.h"

#include <cstdint>

namespace {
constexpr int kTopBarHeight = 46;
constexpr int kStatusBarHeight = 22;
constexpr int kRosterColumnWidth = 193;
} // namespace

FormGeometry::FormGeometry()
{
    using namespace layout;
    m_layout.panel8 = designBounds("Panel8");
    m_layout.statusBar1 = designBounds("StatusBar1");
    m_layout.panel18 = designBounds("Panel18");
    m_layout.groupBox2 = designBounds("GroupBox2");
    m_layout.groupBox3 = designBounds("GroupBox3");
    m_layout.image1 = designBounds("Image1");
    m_layout.groupBox1 = designBounds("GroupBox1");
    m_layout.staticText1 = designBounds("StaticText1");
    m_layout.panel4 = designBounds("Panel4");
    m_layout.listBox1 = designBounds("ListBox1");
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

    // Alignment: top bar, status bar, then the client panel takes the rest.
    l.panel8 = QRect(0, 0, w, kTopBarHeight);
    l.statusBar1 = QRect(0, h - kStatusBarHeight, w, kStatusBarHeight);
    l.panel18 = QRect(0, kTopBarHeight, w, h - kTopBarHeight - kStatusBarHeight);
    const QSize p18 = l.panel18.size();
    l.groupBox2 =
        QRect(p18.width() - 1 - kRosterColumnWidth, 1, kRosterColumnWidth, p18.height() - 2);

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
    l.panel4.setHeight(l.groupBox2.height() - 35);
    l.listBox1.setHeight(l.panel4.height());
    l.staticText1.setWidth(p18.width() - 210);
    l.staticText1.setHeight(p18.height() - 160);
    QRect g1 = l.groupBox1;
    g1.moveTop(p18.height() - 150);
    place(m_groupBox1Ref, l.groupBox1, g1, p18);
    QRect im = l.image1;
    im.moveTop(p18.height() - l.image1.height() - 50);
    place(m_image1Ref, l.image1, im, p18);
    if (screenWidth == 800) {
        QRect im800 = l.image1;
        im800.moveLeft(0);
        place(m_image1Ref, l.image1, im800, p18);
        QRect g3 = l.groupBox3;
        g3.moveLeft(490);
        place(m_groupBox3Ref, l.groupBox3, g3, l.panel8.size());
    }
    return l;
}

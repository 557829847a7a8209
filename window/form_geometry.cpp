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
    layout_.panel8 = designBounds("Panel8");
    layout_.statusBar1 = designBounds("StatusBar1");
    layout_.panel18 = designBounds("Panel18");
    layout_.groupBox2 = designBounds("GroupBox2");
    layout_.groupBox3 = designBounds("GroupBox3");
    layout_.image1 = designBounds("Image1");
    layout_.groupBox1 = designBounds("GroupBox1");
    layout_.staticText1 = designBounds("StaticText1");
    layout_.panel4 = designBounds("Panel4");
    layout_.listBox1 = designBounds("ListBox1");
    panel8Size_ = layout_.panel8.size();
    panel18Size_ = layout_.panel18.size();
    groupBox3Ref_ = {layout_.groupBox3, panel8Size_};
    image1Ref_ = {layout_.image1, panel18Size_};
    groupBox1Ref_ = {layout_.groupBox1, panel18Size_};
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
        r.moveLeft(mulDiv(ref.bounds.left() + ref.bounds.width() / 2, parent.width(),
                          ref.parent.width()) - ref.bounds.width() / 2);
    if (ref.parent.height() > 0)
        r.moveTop(mulDiv(ref.bounds.top() + ref.bounds.height() / 2, parent.height(),
                         ref.parent.height()) - ref.bounds.height() / 2);
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
    Layout &l = layout_;
    const int w = client.width();
    const int h = client.height();

    // Alignment: top bar, status bar, then the client panel takes the rest.
    l.panel8 = QRect(0, 0, w, kTopBarHeight);
    l.statusBar1 = QRect(0, h - kStatusBarHeight, w, kStatusBarHeight);
    l.panel18 = QRect(0, kTopBarHeight, w, h - kTopBarHeight - kStatusBarHeight);
    const QSize p18 = l.panel18.size();
    l.groupBox2 = QRect(p18.width() - 1 - kRosterColumnWidth, 1, kRosterColumnWidth, p18.height() - 2);

    // Anchoring, for the children of a parent whose size changed.
    if (l.panel8.size() != panel8Size_) {
        panel8Size_ = l.panel8.size();
        l.groupBox3 = anchorRight(groupBox3Ref_, panel8Size_);
    }
    if (p18 != panel18Size_) {
        panel18Size_ = p18;
        l.image1 = anchorCentred(image1Ref_, p18);
        l.groupBox1 = anchorCentred(groupBox1Ref_, p18);
    }

    // The window's own resize rules; a position they set becomes the new anchor reference.
    l.panel4.setHeight(l.groupBox2.height() - 35);
    l.listBox1.setHeight(l.panel4.height());
    l.staticText1.setWidth(p18.width() - 210);
    l.staticText1.setHeight(p18.height() - 160);
    QRect g1 = l.groupBox1;
    g1.moveTop(p18.height() - 150);
    place(groupBox1Ref_, l.groupBox1, g1, p18);
    QRect im = l.image1;
    im.moveTop(p18.height() - l.image1.height() - 50);
    place(image1Ref_, l.image1, im, p18);
    if (screenWidth == 800) {
        QRect im800 = l.image1;
        im800.moveLeft(0);
        place(image1Ref_, l.image1, im800, p18);
        QRect g3 = l.groupBox3;
        g3.moveLeft(490);
        place(groupBox3Ref_, l.groupBox3, g3, l.panel8.size());
    }
    return l;
}

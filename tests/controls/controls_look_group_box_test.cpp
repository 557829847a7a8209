#include "controls/look_and_feel_painters.h"
#include "controls/look_group_box.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "property_rows.h"

#include <QSignalSpy>
#include <QtTest>

using namespace LookAndFeels;
using namespace LookGroupBoxes;

namespace {

const QColor kPanel(239, 239, 239);
const QColor kShadow(160, 160, 160);

// A panel with a picture under the box (created before it) and a button-like child in the box.
struct PanelWithBox {
    QWidget panel;
    QWidget *picture = nullptr;
    TLookGroupBox *box = nullptr;
    QWidget *child = nullptr;

    PanelWithBox()
    {
        panel.resize(300, 200);
        panel.setAutoFillBackground(true);
        panel.setPalette(QPalette(kPanel));
        picture = new QWidget(&panel);
        picture->setAutoFillBackground(true);
        picture->setPalette(QPalette(QColor(200, 30, 30)));
        picture->setGeometry(0, 0, 100, 200);
        box = new TLookGroupBox(&panel);
        box->setGeometry(50, 50, 200, 100);
        child = new QWidget(box);
        child->setAutoFillBackground(true);
        child->setPalette(QPalette(QColor(20, 20, 200)));
        child->setGeometry(100, 40, 30, 20);
        panel.show();
    }

    // See-through, without the transparent border, captioned "Prizes" in a
    // 14-pixel font, which it gives back.
    QFont captioned()
    {
        box->setTransparent(true);
        box->setTransparentBorder(false);
        QFont font;
        font.setPixelSize(14);
        font.setStyleStrategy(QFont::NoAntialias);
        box->setFont(font);
        box->setCaption(QStringLiteral("Prizes"));
        return font;
    }

    QImage grabBox()
    {
        return panel.grab(box->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }
};

} // namespace

class GroupBoxTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { TLookAndFeel::root()->setAssignedValues({}); }
    void windowConfigurationPaintsNothing();
    void frameWithAndWithoutTransparentBorder();
    void captionInterruptsTopLine();
    void edgesBackOnShowOneShadowLine();
    void captionPositions_data();
    void captionPositions();
    void borderStyleFollowsKind();
    void panelModeTakesPainterBackground();
    void clickAndFocus();
    void changeSignals();
    void propertiesByName_data();
    void propertiesByName();
};

void GroupBoxTest::windowConfigurationPaintsNothing()
{
    PanelWithBox f;
    f.box->setTransparent(true);
    f.box->setEdges({});
    f.box->setShadow(false);
    f.box->setTransparentBorder(false);
    f.box->setCaption(QString());
    const QImage image = f.grabBox();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            QColor expected =
                x < 50 ? QColor(200, 30, 30) : kPanel; // the picture to the left shows through
            if (QRect(100, 40, 30, 20).contains(x, y))
                expected = QColor(20, 20, 200);
            QCOMPARE(pixelAt(image, x, y), expected);
        }
    // Aligned children would only leave a caption band at the top.
    const int band = QFontMetrics(f.box->font()).height() + 3;
    QCOMPARE(f.box->contentsMargins(), QMargins(0, band, 0, 0));
    QCOMPARE(f.box->focusPolicy(), Qt::NoFocus);
}

void GroupBoxTest::frameWithAndWithoutTransparentBorder()
{
    PanelWithBox f;
    QPalette own = f.box->palette();
    own.setColor(QPalette::Window, QColor(250, 250, 200));
    f.box->setPalette(own);
    f.box->setTransparentBorder(false);
    QImage image = f.grabBox();
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QCOMPARE(pixelAt(image, 199, 99), kShadow);
    QCOMPARE(pixelAt(image, 100, 99), kShadow);
    QCOMPARE(pixelAt(image, 1, 1), QColor(250, 250, 200));

    f.box->setTransparentBorder(true); // the line moves one pixel in, inside a 2-pixel band
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 0, 0), QColor(250, 250, 200));
    QCOMPARE(pixelAt(image, 1, 50), kShadow);
    QCOMPARE(pixelAt(image, 198, 50), kShadow);
    QCOMPARE(f.box->contentsMargins().left(), 2);

    f.box->setEdges(bLeft);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 1, 50), kShadow);
    QCOMPARE(pixelAt(image, 198, 50), QColor(250, 250, 200));

    f.box->setShadow(true);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 198, 50), kShadow);
    QCOMPARE(pixelAt(image, 100, 98), kShadow);
}

void GroupBoxTest::captionInterruptsTopLine()
{
    PanelWithBox f;
    const QFont font = f.captioned();
    const QImage image = f.grabBox();
    const int lineY = QFontMetrics(font).height() / 2;
    const int textWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("Prizes"));
    QCOMPARE(pixelAt(image, 190, lineY), kShadow);
    QCOMPARE(pixelAt(image, 60, 0), kPanel); // the top line runs at the caption's middle
    QVERIFY(countColor(image, QRect(8, 0, textWidth + 2, QFontMetrics(font).height()),
                       QColor(0, 0, 0)) > 10);
    QVERIFY(countColor(image, QRect(8, lineY, textWidth + 2, 1), kShadow) == 0);
}

void GroupBoxTest::edgesBackOnShowOneShadowLine()
{
    // The window's settings, then the edges set back to all four sides.
    PanelWithBox f;
    f.box->setTransparent(true);
    f.box->setEdges({});
    f.box->setShadow(false);
    f.box->setTransparentBorder(false);
    f.box->setEdges(TBorderEdges(bLeft | bTop | bRight | bBottom));
    QImage image = f.grabBox();
    QCOMPARE(pixelAt(image, 0, 50), kShadow);
    QCOMPARE(pixelAt(image, 199, 50), kShadow);
    QCOMPARE(pixelAt(image, 120, 0), kShadow);
    QCOMPARE(pixelAt(image, 120, 99), kShadow);
    QCOMPARE(pixelAt(image, 120, 1), kPanel); // one pixel wide
    QCOMPARE(pixelAt(image, 1, 50), QColor(200, 30, 30));
    // The transparent border back on: aligned children lose 2 pixels on every side.
    const QMargins before = f.box->contentsMargins();
    f.box->setTransparentBorder(true);
    const QMargins after = f.box->contentsMargins();
    QCOMPARE(after.left() - before.left(), 1);
    QCOMPARE(after, QMargins(2, before.top() + 1, 2, 2));
    f.box->setEdges({});
    QCOMPARE(f.box->contentsMargins(), QMargins(2, before.top() + 1, 2, 2));
}

void GroupBoxTest::captionPositions_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("side"); // where the caption's band goes
    QTest::addColumn<int>("place"); // 0 start, 1 middle, 2 end of that side
    QTest::newRow("top left") << int(alTopLeft) << "top" << 0;
    QTest::newRow("top centre") << int(alTopCenter) << "top" << 1;
    QTest::newRow("top right") << int(alTopRight) << "top" << 2;
    QTest::newRow("bottom left") << int(alBottomLeft) << "bottom" << 0;
    QTest::newRow("bottom centre") << int(alBottomCenter) << "bottom" << 1;
    QTest::newRow("bottom right") << int(alBottomRight) << "bottom" << 2;
    QTest::newRow("left top") << int(alLeftTop) << "left" << 0;
    QTest::newRow("left centre") << int(alLeftCenter) << "left" << 1;
    QTest::newRow("left bottom") << int(alLeftBottom) << "left" << 2;
    QTest::newRow("right top") << int(alRightTop) << "right" << 0;
    QTest::newRow("right centre") << int(alRightCenter) << "right" << 1;
    QTest::newRow("right bottom") << int(alRightBottom) << "right" << 2;
    QTest::newRow("centre") << int(alCenterCenter) << "none" << 1;
}

void GroupBoxTest::captionPositions()
{
    QFETCH(int, alignment);
    QFETCH(QString, side);
    QFETCH(int, place);
    PanelWithBox f;
    f.child->hide(); // nothing over the caption
    const QFont font = f.captioned();
    f.box->setAlignment(TCaptionAlignment(alignment));
    const int band = QFontMetrics(font).height() + 3;
    const QMargins m = f.box->contentsMargins();
    QCOMPARE(m.top(), 1 + (side == QLatin1String("top") ? band : 0));
    QCOMPARE(m.bottom(), 1 + (side == QLatin1String("bottom") ? band : 0));
    QCOMPARE(m.left(), 1 + (side == QLatin1String("left") ? band : 0));
    QCOMPARE(m.right(), 1 + (side == QLatin1String("right") ? band : 0));

    // The caption's ink lies on its side, at its place along it.
    const QImage image = f.grabBox();
    QRect ink; // where the black caption text lies
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (pixelAt(image, x, y) == QColor(0, 0, 0))
                ink |= QRect(x, y, 1, 1);
    QVERIFY(countColor(image, ink, QColor(0, 0, 0)) > 10);
    const QPoint c = ink.center();
    const bool horizontalSide = side == QLatin1String("top") || side == QLatin1String("bottom");
    if (side == QLatin1String("top"))
        QVERIFY(c.y() < band);
    if (side == QLatin1String("bottom"))
        QVERIFY(c.y() > 100 - band);
    if (side == QLatin1String("left"))
        QVERIFY(c.x() < band);
    if (side == QLatin1String("right"))
        QVERIFY(c.x() > 200 - band);
    const int along = horizontalSide || side == QLatin1String("none") ? c.x() : c.y();
    const int length = horizontalSide || side == QLatin1String("none") ? 200 : 100;
    if (place == 0)
        QVERIFY(along < length / 3);
    if (place == 1)
        QVERIFY(qAbs(along - length / 2) < 8);
    if (place == 2)
        QVERIFY(along > 2 * length / 3);
    // Left and right captions read along their side: taller than wide.
    if (!horizontalSide && side != QLatin1String("none"))
        QVERIFY(ink.height() > ink.width());
}

void GroupBoxTest::borderStyleFollowsKind()
{
    PanelWithBox f;
    f.box->setTransparent(true);
    f.box->setTransparentBorder(false);
    QCOMPARE(f.box->boxStyle()->borderStyle(), ebsUltraFlat);
    QCOMPARE(f.box->contentsMargins().left(), 1);
    TLookAndFeel::root()->setKind(lfFlat);
    QCOMPARE(f.box->boxStyle()->borderStyle(), ebsFlat);
    QCOMPARE(f.box->contentsMargins().left(), 2); // flat lines are 2 pixels wide
    f.box->lookAndFeel()->setKind(lfStandard);
    QCOMPARE(f.box->boxStyle()->borderStyle(), ebs3D);
    f.box->lookAndFeel()->setKind(lfOffice11);
    QCOMPARE(f.box->boxStyle()->borderStyle(), ebsOffice11);
    QImage image = f.grabBox();
    QCOMPARE(pixelAt(image, 0, 50), kShadow); // a single clBtnShadow line, like ultra-flat
    QCOMPARE(pixelAt(image, 1, 50), QColor(200, 30, 30));
    f.box->boxStyle()->setBorderStyle(ebsThick);
    f.box->boxStyle()->setBorderColor(0x00C000); // RGB 0,192,0
    TLookAndFeel::root()->setAssignedValues({});
    QCOMPARE(f.box->boxStyle()->borderStyle(), ebsThick); // assigned: kept
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 120, 0), QColor(0, 192, 0));
    QCOMPARE(pixelAt(image, 120, 1), QColor(0, 192, 0));
    QCOMPARE(pixelAt(image, 120, 2), kPanel);
    // ebs3D: sunken with Ctl3D, lines of the border colour without.
    f.box->boxStyle()->setBorderStyle(ebs3D);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 120, 0), kShadow);
    QCOMPARE(pixelAt(image, 120, 1), QColor(105, 105, 105));
    QCOMPARE(pixelAt(image, 120, 99), QColor(250, 250, 250));
    f.box->setCtl3D(false);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 120, 0), QColor(0, 192, 0));
    f.box->boxStyle()->setBorderStyle(ebsNone);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 120, 0), kPanel);
    QCOMPARE(f.box->contentsMargins().left(), 0);
}

void GroupBoxTest::panelModeTakesPainterBackground()
{
    PanelWithBox f;
    f.box->setTransparentBorder(false);
    f.box->setEdges({});
    f.box->setCaption(QStringLiteral("Panel"));
    f.box->panelStyle()->setActive(true);
    QCOMPARE(f.box->contentsMargins(), QMargins()); // no caption band in panel mode
    f.box->lookAndFeel()->setKind(lfOffice11);
    f.box->boxStyle()->setColor(0x0000FF); // RGB 255,0,0
    f.box->panelStyle()->setOfficeBackgroundKind(pobkGradient);
    QImage image = f.grabBox();
    QCOMPARE(pixelAt(image, 150, 0), QColor(255, 255, 255)); // clWindow at the top …
    QCOMPARE(pixelAt(image, 150, 99), QColor(240, 240, 240)); // … to clBtnFace at the bottom
    f.box->panelStyle()->setOfficeBackgroundKind(pobkStyleColor);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 150, 50), QColor(255, 0, 0));
    // Under a kind whose painter draws no panel background, the box's own colour.
    f.box->lookAndFeel()->setKind(lfUltraFlat);
    f.box->panelStyle()->setOfficeBackgroundKind(pobkGradient);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 150, 0), QColor(255, 0, 0));
    // A child that takes its parent's colour takes the box's.
    QCOMPARE(f.child->parentWidget()->palette().color(QPalette::Window), QColor(255, 0, 0));
}

void GroupBoxTest::clickAndFocus()
{
    PanelWithBox f;
    QSignalSpy clicks(f.box, &TLookGroupBox::clicked);
    QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
    QTest::mousePress(f.box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(f.box, Qt::LeftButton, {}, QPoint(250, 10)); // released outside
    QCOMPARE(clicks.count(), 1);
    // Not a tab stop, not focused by a click.
    QCOMPARE(f.box->tabStop(), false);
    QVERIFY(!f.box->hasFocus());
    f.box->setTabStop(true);
    QCOMPARE(f.box->focusPolicy(), Qt::StrongFocus);
}

void GroupBoxTest::changeSignals()
{
    PanelWithBox f;
    QSignalSpy caption(f.box, &TLookGroupBox::captionChanged);
    f.box->setCaption(QStringLiteral("x"));
    f.box->setCaption(QStringLiteral("x"));
    QVERIFY(f.box->setProperty("Caption", QString()));
    QCOMPARE(caption, (QList<QList<QVariant>>{{QStringLiteral("x")}, {QString()}}));

    // Enabled is the own setting: disabling the panel tells nothing.
    QSignalSpy enabled(f.box, &TLookGroupBox::enabledChanged);
    f.panel.setEnabled(false);
    QVERIFY(f.box->setProperty("Enabled", false)); // inside the disabled panel
    f.panel.setEnabled(true);
    f.box->setEnabled(true);
    f.box->setEnabled(true);
    QCOMPARE(enabled, (QList<QList<QVariant>>{{false}, {true}}));
}

void GroupBoxTest::propertiesByName_data()
{
    addPropertyColumns();
    const auto row = addPropertyRow;
    row("box", "Transparent", true, true);
    row("box", "Caption", QStringLiteral("Prizes"), QStringLiteral("Prizes"));
    row("box", "Alignment", QStringLiteral("alBottomRight"), int(alBottomRight));
    row("box", "Ctl3D", false, false);
    row("box", "ParentCtl3D", false, false);
    row("box", "TabStop", true, true);
    row("box", "ParentColor", false, false);
    row("box", "ParentFont", false, false);
    row("box", "Enabled", false, false);
    row("box", "Visible", false, false);
    row("Style", "Edges", QStringLiteral("bLeft|bBottom"), int(bLeft | bBottom));
    row("Style", "Shadow", true, true);
    row("Style", "TransparentBorder", false, false);
    row("Style", "BorderStyle", QStringLiteral("ebsThick"), int(ebsThick));
    row("Style", "HotTrack", false, false);
    row("Style", "BorderColor", uint(0x808080), uint(0x808080));
    row("Style", "Color", uint(0xFEEFE7), uint(0xFEEFE7));
    row("PanelStyle", "Active", true, true);
    row("PanelStyle", "OfficeBackgroundKind", QStringLiteral("pobkStyleColor"),
        int(pobkStyleColor));
}

void GroupBoxTest::propertiesByName()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, name);
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);
    QWidget parent;
    auto *box = new TLookGroupBox(&parent);
    parent.show();
    QObject *target = box;
    if (object == QLatin1String("Style"))
        target = box->property("Style").value<TLookGroupBoxStyle *>();
    else if (object == QLatin1String("PanelStyle"))
        target = box->property("PanelStyle").value<TLookGroupBoxPanelStyle *>();
    QVERIFY(target);
    comparePropertyRoundTrip(target, name, written, read);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(box->property("LookAndFeel").value<TLookAndFeel *>(), box->lookAndFeel());
}

QTEST_MAIN(GroupBoxTest)
#include "controls_look_group_box_test.moc"

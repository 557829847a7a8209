// The tier selector and the invisible group boxes in the running window.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "controls/look_radio_glyph.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "platform/label.h"
#include "platform/panel.h"
#include "test_palette.h"

#include <QtTest>

namespace {

const QColor kShadow(160, 160, 160);
const QColor kLight(250, 250, 250); // clBtnHighlight
const QColor kTopBar(208, 225, 253);

QImage grab(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TierSelectorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { installClassicDesktopPalette(); }
    void groupBox3KeepsTheBevelUnbroken();
    void groupBox1ShowsWhatLiesBeneath();
    void countLabelShowsThroughGroupBox3();
    void colourChangeRepaintsInNewColours();
    void arrowsOnGroupBox3StayInTheTopBar_data();
    void arrowsOnGroupBox3StayInTheTopBar();
    void tabOrderCountsWindowedControlsOnly();
};

void TierSelectorTest::groupBox3KeepsTheBevelUnbroken()
{
    WindowFixture f;
    f.writeDrawFolder();
    TForm1 &form = f.create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage bar = grab(form.Panel8);
    const int right = bar.width() - 1, bottom = bar.height() - 1;
    QCOMPARE(form.GroupBox3->geometry().top(), 0);
    QCOMPARE(form.GroupBox3->geometry().bottom(), bottom);
    // Outer bevel lowered, inner raised, under the box as everywhere else.
    for (int x = form.GroupBox3->x(); x < right - 1; ++x) {
        QCOMPARE(pixelAt(bar, x, 0), kShadow);
        QCOMPARE(pixelAt(bar, x, 1), kLight);
        QCOMPARE(pixelAt(bar, x, bottom - 1), kShadow);
        QCOMPARE(pixelAt(bar, x, bottom), kLight);
    }
    QCOMPARE(pixelAt(bar, right, 20), kLight);
    QCOMPARE(pixelAt(bar, right - 1, 20), kShadow);
}

void TierSelectorTest::groupBox1ShowsWhatLiesBeneath()
{
    WindowFixture f;
    f.writeDrawFolder();
    // A picture with something to show under the buttons.
    QImage picture(593, 489, QImage::Format_RGB32);
    picture.fill(QColor(0x30, 0x90, 0x30)); // RGB 48,144,48
    for (int y = 0; y < 489; y += 8)
        for (int x = 0; x < 593; ++x)
            picture.setPixelColor(x, y, QColor(0xF0, 0xC0, 0x20)); // RGB 240,192,32
    picture.setPixelColor(0, 488, Qt::white); // the transparent colour
    picture.save(QString::fromUtf8("抽奖名单/bg.bmp"), "BMP");
    TForm1 &form = f.create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Enough drawn names that the display text reaches down behind the box.
    QStringList names;
    for (int i = 0; i < 200; ++i)
        names << QString::fromUtf8("员工%1").arg(i);
    form.StaticText1->setCaption(names.join(QString::fromUtf8("，")));

    const QImage with = grab(form.Panel18);
    form.GroupBox1->hide();
    const QImage without = grab(form.Panel18);
    form.GroupBox1->show();
    const QRect box = form.GroupBox1->geometry();
    const QRect start = form.Button1->geometry().translated(box.topLeft());
    const QRect cancel = form.FlatButton1->geometry().translated(box.topLeft());
    int picturePixels = 0, textPixels = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            if (start.contains(x, y) || cancel.contains(x, y))
                continue;
            QCOMPARE(pixelAt(with, x, y), pixelAt(without, x, y));
            const QColor c = pixelAt(with, x, y);
            picturePixels += c == QColor(48, 144, 48) ? 1 : 0;
            textPixels += c == QColor(255, 0, 0) ? 1 : 0;
        }
    QVERIFY(picturePixels > 1000);
    QVERIFY(textPixels > 20);
}

void TierSelectorTest::countLabelShowsThroughGroupBox3()
{
    WindowFixture f;
    f.writeDrawFolder(12, "6");
    TForm1 &form = f.create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!form.Label8->isHidden());
    // A count long enough to reach out past Label3 and the group size field.
    form.Label8->setCaption(QStringLiteral("88888888888888888888"));
    const QImage bar = grab(form.Panel8);
    const QRect label3 = form.Label3->geometry().translated(form.GroupBox3->pos());
    const QRect label8 = form.Label8->geometry();
    QVERIFY(label8.intersects(form.GroupBox3->geometry()));
    QVERIFY(label8.right() > label3.right());
    const QColor blue(0, 0, 255);
    QCOMPARE(countColor(bar, label8 & label3, blue), 0); // Label3 hides it
    // Elsewhere only the box's opaque controls cover it, not the box.
    QRegion uncovered = QRegion(label8) - label3;
    for (QWidget *opaque :
         {static_cast<QWidget *>(form.SpinEdit1), static_cast<QWidget *>(form.Button3)})
        uncovered -= opaque->geometry().translated(form.GroupBox3->pos());
    int shown = 0;
    for (const QRect &r : uncovered)
        shown += countColor(bar, r, blue);
    QVERIFY(shown > 10);
}

void TierSelectorTest::colourChangeRepaintsInNewColours()
{
    WindowFixture f;
    f.writeDrawFolder();
    TForm1 &form = f.create();
    // A flat button whose border is a desktop colour.
    auto *button = new TFlatButton(form.Panel18);
    button->setGeometry(20, 20, 60, 30);
    button->setColorBorder(clBtnShadow);
    button->show();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TLookRadioButton *radio = form.RadioButton2; // unchecked, not focused
    const QPoint ring = radio->mapTo(form.Panel8, radio->glyphRect().topLeft() + QPoint(6, 0));
    const QPoint body = radio->mapTo(form.Panel8, radio->glyphRect().topLeft() + QPoint(6, 6));
    QCOMPARE(pixelAt(grab(form.Panel8), ring), kShadow);
    QCOMPARE(pixelAt(grab(form.Panel8), body), QColor(255, 255, 255));
    QCOMPARE(pixelAt(grab(button), 0, 15), kShadow);

    const int rebuilds = TRadioGlyphImageList::instance().rebuildCount();
    QPalette changed = classicDesktopPalette();
    changed.setColor(QPalette::Dark, QColor(0x20, 0x60, 0x20)); // RGB 32,96,32
    changed.setColor(QPalette::Base, QColor(0xFF, 0xF0, 0xD0)); // RGB 255,240,208
    QGuiApplication::setPalette(changed);
    QCOMPARE(TRadioGlyphImageList::instance().rebuildCount(), rebuilds + 1);
    // The tier selector asked to repaint; what it paints now has the new colours.
    QTRY_COMPARE(pixelAt(grab(form.Panel8), ring), QColor(32, 96, 32));
    QCOMPARE(pixelAt(grab(form.Panel8), body), QColor(255, 240, 208));
    QCOMPARE(pixelAt(grab(button), 0, 15), QColor(32, 96, 32));
    // The layout's own colours stay as they are.
    QCOMPARE(pixelAt(grab(form.Panel8), QPoint(300, 5)), kTopBar);
}

WINDOW_TEST_MAIN(TierSelectorTest)
#include "tier_selector_test.moc"

void TierSelectorTest::arrowsOnGroupBox3StayInTheTopBar_data()
{
    QTest::addColumn<QByteArray>("tiers");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("reached"); // tier whose radio takes the focus and the check
    QTest::newRow("six tiers, Right") << QByteArray("6") << int(Qt::Key_Right) << 5;
    QTest::newRow("six tiers, Down") << QByteArray("6") << int(Qt::Key_Down) << 5;
    QTest::newRow("six tiers, Left") << QByteArray("6") << int(Qt::Key_Left) << 4;
    QTest::newRow("six tiers, Up") << QByteArray("6") << int(Qt::Key_Up) << 4;
    // The hidden fifth and sixth are passed over, and the order wraps.
    QTest::newRow("three tiers, Right wraps") << QByteArray("3") << int(Qt::Key_Right) << 1;
    QTest::newRow("three tiers, Left") << QByteArray("3") << int(Qt::Key_Left) << 3;
}

void TierSelectorTest::arrowsOnGroupBox3StayInTheTopBar()
{
    QFETCH(QByteArray, tiers);
    QFETCH(int, key);
    QFETCH(int, reached);
    WindowFixture f;
    f.writeDrawFolder(12, tiers.constData());
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.GroupBox3->setFocus(Qt::OtherFocusReason);
    QVERIFY(form.GroupBox3->hasFocus());
    QTest::keyClick(form.windowHandle(), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), form.tierButton(reached));
    QVERIFY(form.tierButton(reached)->isChecked());
    for (int k = 1; k <= 6; ++k)
        if (k != reached)
            QVERIFY(!form.tierButton(k)->isChecked());
}

void TierSelectorTest::tabOrderCountsWindowedControlsOnly()
{
    WindowFixture f;
    f.writeDrawFolder(12, "6");
    TForm1 &form = f.create();
    // The count labels come first among the top bar's children, but only
    // windowed controls have a place in the order.
    const QWidget *tabbed[] = {form.RadioButton1, form.RadioButton2, form.RadioButton3,
                               form.RadioButton4, form.GroupBox3,    form.RadioButton5,
                               form.RadioButton6};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(tabbed[i]->property("TabOrder").toInt(), i);
    form.RadioButton6->setProperty("TabOrder", 0);
    QCOMPARE(form.RadioButton6->property("TabOrder").toInt(), 0);
    QCOMPARE(form.RadioButton1->property("TabOrder").toInt(), 1);
}

// A see-through flat button on the real window shows the picture beneath it.
#include "window_fixture.h"

#include "controls/flat_button.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "platform/image.h"

#include <QPainter>
#include <QtTest>

namespace {

// A picture whose every pixel tells where it came from; its bottom-left pixel
// (the colour an image leaves out) is one no other pixel has.
QImage positionPicture()
{
    QImage picture(650, 600, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 250, y % 250, 90));
    picture.setPixel(0, picture.height() - 1, qRgb(255, 255, 255));
    return picture;
}

} // namespace

class TransparentButtonTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void seeThroughStartShowsTheBackgroundPicture_data();
    void seeThroughStartShowsTheBackgroundPicture();
};

void TransparentButtonTest::seeThroughStartShowsTheBackgroundPicture_data()
{
    QTest::addColumn<TTransparentMode>("mode");
    QTest::newRow("tmAlways") << FlatStyle::tmAlways;
    QTest::newRow("tmNotFocused") << FlatStyle::tmNotFocused;
}

void TransparentButtonTest::seeThroughStartShowsTheBackgroundPicture()
{
    QFETCH(TTransparentMode, mode);
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    const QImage picture = positionPicture();
    picture.save(QStringLiteral("抽奖名单/bg.bmp"), "BMP");
    TForm1 &form = f.create(false);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(f.dialogs.questions.size(), 1);
    form.setFocus(); // nothing hot: the button's face comes from what lies beneath
    form.Button1->setTransparent(mode);
    QVERIFY(!form.Button1->isHot());

    const QImage shown = grabImage(form.Button1);
    QImage drawn(form.Button1->size(), QImage::Format_RGB32);
    drawn.fill(Qt::black);
    {
        QPainter painter(&drawn);
        drawFlatButton(painter, drawn.rect(), form.Button1->styleOption(), form.Button1);
    }
    // Points of the button that lie over the picture (Image1 ends a little below
    // Start's top edge).
    for (const QPoint at : {QPoint(5, 5), QPoint(120, 20), QPoint(200, 12)}) {
        const QPoint inPicture = form.Image1->mapFrom(&form, form.Button1->mapTo(&form, at));
        QVERIFY(form.Image1->rect().contains(inPicture));
        const QColor expected(picture.pixel(inPicture));
        QCOMPARE(pixelAt(shown, at), expected);
        QCOMPARE(pixelAt(drawn, at), expected);
    }
    // The border is the button's own.
    QCOMPARE(pixelAt(shown, 0, 0), QColor(128, 128, 128));
}

WINDOW_TEST_MAIN(TransparentButtonTest)
#include "transparent_button_test.moc"

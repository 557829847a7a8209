#include "pixel_helpers.h"
#include "platform/bitmap_file.h"
#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/panel.h"

#include <QBuffer>
#include <QPainter>
#include <QtTest>

#include <functional>

namespace {

const QColor kClient(239, 239, 239);

void put16(QByteArray &bytes, int at, int value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

void put32(QByteArray &bytes, int at, qint64 value)
{
    put16(bytes, at, int(value & 0xFFFF));
    put16(bytes, at + 2, int((value >> 16) & 0xFFFF));
}

// A Windows bitmap file built byte by byte: BITMAPFILEHEADER, BITMAPINFOHEADER,
// an optional colour table, then rows bottom-up, each padded to four bytes.
QByteArray bmpFile(int width, int height, int bitCount,
                   const std::function<QByteArray(int row)> &rowBytes,
                   const QList<QRgb> &colourTable = {})
{
    const int stride = (width * bitCount + 31) / 32 * 4;
    const int pixelsAt = 14 + 40 + 4 * int(colourTable.size());
    QByteArray bytes(pixelsAt + stride * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, bytes.size());
    put32(bytes, 10, pixelsAt);
    put32(bytes, 14, 40);
    put32(bytes, 18, width);
    put32(bytes, 22, height);
    put16(bytes, 26, 1);
    put16(bytes, 28, bitCount);
    put32(bytes, 34, stride * height);
    put32(bytes, 38, 2834); // pixels per metre
    put32(bytes, 42, 2834);
    put32(bytes, 46, colourTable.size());
    for (int i = 0; i < colourTable.size(); ++i) {
        bytes[54 + 4 * i] = char(qBlue(colourTable[i]));
        bytes[54 + 4 * i + 1] = char(qGreen(colourTable[i]));
        bytes[54 + 4 * i + 2] = char(qRed(colourTable[i]));
    }
    for (int y = 0; y < height; ++y) {
        const QByteArray row = rowBytes(height - 1 - y); // first stored row is the bottom one
        bytes.replace(pixelsAt + y * stride, row.size(), row);
    }
    return bytes;
}

// 3 x 2, 24 bits: top row red, green, blue; bottom row white, black, grey.
QByteArray smallBmp24()
{
    return bmpFile(3, 2, 24, [](int row) {
        return row == 0 ? QByteArray("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9)
                        : QByteArray("\xFF\xFF\xFF\x00\x00\x00\x80\x80\x80", 9);
    });
}

QByteArray pngBytes()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A grey client panel holding one transparent image at (10, 10), 60 x 50.
struct ImageFixture {
    TPanel panel;
    TImage *image;

    ImageFixture()
    {
        panel.resize(100, 80);
        panel.setBevelOuter(bvNone);
        panel.setColor(rgbColor(239, 239, 239));
        image = new TImage(&panel);
        image->setGeometry(10, 10, 60, 50);
        image->setTransparent(true);
    }
    QColor at(int x, int y) { return pixelAt(grabImage(&panel), 10 + x, 10 + y); }
};

} // namespace

class ImageTest : public QObject {
    Q_OBJECT

private slots:
    void whiteBottomLeftShowsThePanelWhereWhite();
    void blackBottomLeftLosesExactlyBlack();
    void monochromeLeavesOutWhite();
    void opaqueImageDrawsEveryPixel();
    void drawnUnscaledAndCutOff();
    void scaledSmoothlyWithTheSameTransparentColour();
    void repaintsWhenThePictureChanges();
    void partialRepaintsDrawTheSamePixels_data();
    void partialRepaintsDrawTheSamePixels();
    void decodesA24BitBitmap();
    void decodesAMonochromeBitmap();
    void rejectsWhatIsNotABitmap_data();
    void rejectsWhatIsNotABitmap();
};

void ImageTest::whiteBottomLeftShowsThePanelWhereWhite()
{
    ImageFixture f;
    QImage p = solidImage(40, 30, Qt::white);
    p.setPixelColor(5, 5, QColor(200, 0, 0));
    p.setPixelColor(6, 5, QColor(254, 255, 255)); // near white is kept
    f.image->setPicture(p);
    QCOMPARE(f.at(5, 5), QColor(200, 0, 0));
    QCOMPARE(f.at(6, 5), QColor(254, 255, 255));
    QCOMPARE(f.at(20, 20), kClient);
    QCOMPARE(f.at(0, 29), kClient);
    QCOMPARE(f.at(50, 40), kClient); // beyond the picture
}

void ImageTest::blackBottomLeftLosesExactlyBlack()
{
    ImageFixture f;
    QImage p = solidImage(40, 30, Qt::white);
    for (int y = 20; y < 30; ++y)
        for (int x = 0; x < 10; ++x)
            p.setPixelColor(x, y, Qt::black);
    p.setPixelColor(30, 5, Qt::black);
    p.setPixelColor(31, 5, QColor(1, 0, 0));
    f.image->setPicture(p);
    QCOMPARE(f.at(0, 29), kClient);
    QCOMPARE(f.at(30, 5), kClient);
    QCOMPARE(f.at(31, 5), QColor(1, 0, 0));
    QCOMPARE(f.at(20, 10), QColor(255, 255, 255));

    // The rule is taken afresh from each picture.
    f.image->setPicture(solidImage(40, 30, Qt::black));
    QCOMPARE(f.at(20, 10), kClient);
}

void ImageTest::monochromeLeavesOutWhite()
{
    ImageFixture f;
    QImage p(16, 8, QImage::Format_Mono);
    p.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    p.fill(1); // black, bottom-left included
    for (int x = 8; x < 16; ++x)
        p.setPixel(x, 0, 0);
    f.image->setPicture(p);
    QCOMPARE(f.at(0, 7), QColor(0, 0, 0));
    QCOMPARE(f.at(3, 3), QColor(0, 0, 0));
    QCOMPARE(f.at(10, 0), kClient);
}

void ImageTest::opaqueImageDrawsEveryPixel()
{
    ImageFixture f;
    f.image->setTransparent(false);
    QImage p = solidImage(40, 30, Qt::white);
    p.setPixelColor(5, 5, QColor(200, 0, 0));
    f.image->setPicture(p);
    QCOMPARE(f.at(20, 20), QColor(255, 255, 255));
    QCOMPARE(f.at(5, 5), QColor(200, 0, 0));
    QCOMPARE(f.at(50, 40), kClient); // a picture smaller than the image leaves the rest
    f.image->setTransparent(true);
    QCOMPARE(f.at(20, 20), kClient);
}

void ImageTest::drawnUnscaledAndCutOff()
{
    // The design's 650 x 500 picture in a 593 x 489 image: every pixel shown is
    // the picture's own at the same place; the right and bottom are cut off.
    QImage p(650, 500, QImage::Format_RGB32);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            p.setPixel(x, y, qRgb(x % 256, y % 256, 64 * (x / 256) + 16 * (y / 256) + 1));
    TPanel panel;
    panel.resize(700, 560);
    panel.setBevelOuter(bvNone);
    panel.setColor(rgbColor(239, 239, 239));
    auto *image = new TImage(&panel);
    image->setGeometry(56, 66, 593, 489);
    image->setTransparent(true);
    image->setPicture(p);
    const QImage shot = grabImage(&panel);
    for (const QPoint at :
         {QPoint(0, 0), QPoint(300, 200), QPoint(592, 488), QPoint(0, 488), QPoint(592, 0)})
        QCOMPARE(pixelAt(shot, at + QPoint(56, 66)), QColor(p.pixel(at)));
    QCOMPARE(pixelAt(shot, 56 + 593, 66 + 100), kClient);
    QCOMPARE(pixelAt(shot, 56 + 100, 66 + 489), kClient);
}

void ImageTest::scaledSmoothlyWithTheSameTransparentColour()
{
    // White background (left out), a blue block at 2..7 and a near-white one at
    // 13..15, which is no exact match and stays.
    QImage p = solidImage(20, 12, Qt::white);
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 8; ++x)
            p.setPixelColor(x, y, Qt::blue);
    for (int y = 4; y < 7; ++y)
        for (int x = 13; x < 16; ++x)
            p.setPixelColor(x, y, QColor(254, 255, 255));
    TPanel panel;
    panel.resize(100, 80);
    panel.setBevelOuter(bvNone);
    panel.setColor(rgbColor(239, 239, 239));
    auto *image = new TImage(&panel);
    image->setGeometry(10, 10, 35, 60);
    image->setTransparent(true);
    image->setPicture(p);
    image->setScaleFactor(2);
    const QImage shot = grabImage(&panel);
    auto at = [&](int x, int y) { return pixelAt(shot, 10 + x, 10 + y); };
    QCOMPARE(at(9, 9), QColor(Qt::blue)); // inside the block, now 4..15
    QCOMPARE(at(1, 1), kClient);
    QCOMPARE(at(18, 20), kClient);
    QCOMPARE(at(29, 11), QColor(254, 255, 255)); // the near-white block, now 26..31
    QCOMPARE(at(34, 2), kClient); // cut off at the bounds: the picture is 40 wide
    QCOMPARE(at(30, 40), kClient); // below the 24 rows it takes
    // Smooth: the block's edge blends into the panel instead of stepping.
    bool blended = false;
    for (int x = 0; x < 8; ++x)
        blended = blended || (at(x, 9) != kClient && at(x, 9) != QColor(Qt::blue));
    QVERIFY(blended);
    // Back to its own size.
    image->setScaleFactor(1);
    const QImage unscaled = grabImage(&panel);
    QCOMPARE(pixelAt(unscaled, 10 + 9, 10 + 9), kClient);
    QCOMPARE(pixelAt(unscaled, 10 + 5, 10 + 5), QColor(Qt::blue));
}

void ImageTest::repaintsWhenThePictureChanges()
{
    ImageFixture f;
    f.panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.panel));
    int paints = 0;
    struct Counter : QObject {
        int *paints;
        explicit Counter(int *p) : paints(p) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++*paints;
            return false;
        }
    } counter(&paints);
    f.image->installEventFilter(&counter);
    QCoreApplication::processEvents();
    paints = 0;
    f.image->setPicture(solidImage(20, 20, Qt::red));
    QTRY_VERIFY(paints > 0);
}

void ImageTest::partialRepaintsDrawTheSamePixels_data()
{
    QTest::addColumn<qreal>("factor");
    QTest::newRow("own size") << qreal(1);
    QTest::newRow("full screen, 1.6") << qreal(1.6);
}

// A see-through picture mostly of its transparent colour (like the display's
// background, plain white above the figures): drawing it whole, or only where a
// repaint asks, gives the pixels of the masked picture blended over the backdrop.
void ImageTest::partialRepaintsDrawTheSamePixels()
{
    QFETCH(qreal, factor);
    QImage picture(300, 220, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter paint(&picture);
    paint.fillRect(QRect(5, 150, 290, 60), QColor(200, 40, 40)); // the figures
    paint.fillRect(QRect(130, 0, 2, 90), QColor(120, 80, 40)); // a lantern's string
    paint.fillRect(QRect(64, 64, 1, 1), QColor(0, 0, 255)); // one pixel on a tile corner
    paint.end();
    TImage image;
    image.setTransparent(true);
    image.setPicture(picture);
    image.setScaleFactor(factor);
    const QRect bounds(0, 0, 520, 380);

    QImage masked = withTransparentColor(picture, TImage::transparentColor(picture))
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (factor != 1)
        masked = masked.scaled(qRound(300 * factor), qRound(220 * factor), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    const QRect clips[] = {bounds, QRect(9, 17, 400, 120), QRect(100, 60, 90, 90),
                           QRect(0, 200, 520, 180), QRect(450, 0, 70, 70)};
    for (const QRect &clip : clips) {
        QImage expected(bounds.size(), QImage::Format_RGB32);
        expected.fill(kClient);
        QPainter e(&expected);
        e.setClipRect(clip);
        e.drawImage(QPoint(0, 0), masked);
        e.end();
        QImage drawn(bounds.size(), QImage::Format_RGB32);
        drawn.fill(kClient);
        QPainter d(&drawn);
        d.setClipRect(clip);
        image.drawImage(d, bounds);
        d.end();
        QCOMPARE(drawn, expected);
    }
}

void ImageTest::decodesA24BitBitmap()
{
    const QImage image = decodeWindowsBitmap(smallBmp24());
    QCOMPARE(image.size(), QSize(3, 2));
    QCOMPARE(image.pixelColor(0, 0), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(1, 0), QColor(0, 255, 0));
    QCOMPARE(image.pixelColor(2, 0), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(0, 1), QColor(255, 255, 255));
    QCOMPARE(image.pixelColor(1, 1), QColor(0, 0, 0));
    QCOMPARE(image.pixelColor(2, 1), QColor(128, 128, 128));
    QCOMPARE(TImage::transparentColor(image), qRgb(255, 255, 255));
}

void ImageTest::decodesAMonochromeBitmap()
{
    // 8 x 2, one bit a pixel, colour 0 black and 1 white; bottom row all black.
    const QByteArray bytes =
        bmpFile(8, 2, 1, [](int row) { return QByteArray(1, row == 0 ? '\x0F' : '\x00'); },
                {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const QImage image = decodeWindowsBitmap(bytes);
    QCOMPARE(image.size(), QSize(8, 2));
    QCOMPARE(image.depth(), 1);
    QCOMPARE(image.pixelColor(0, 0), QColor(0, 0, 0));
    QCOMPARE(image.pixelColor(7, 0), QColor(255, 255, 255));
    // White, although the bottom-left pixel is black.
    QCOMPARE(TImage::transparentColor(image), qRgb(255, 255, 255));
}

void ImageTest::rejectsWhatIsNotABitmap_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = smallBmp24();
    QByteArray badInfoSize = good;
    put32(badInfoSize, 14, 41);
    QByteArray zeroWidth = good;
    put32(zeroWidth, 18, 0);
    QByteArray oddBits = good;
    put16(oddBits, 28, 7);
    QByteArray pixelsPastTheEnd = good;
    put32(pixelsPastTheEnd, 10, good.size() + 4);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("not a picture");
    QTest::newRow("PNG renamed .bmp") << pngBytes();
    QTest::newRow("header cut short") << good.left(20);
    QTest::newRow("pixels cut short") << good.left(good.size() - 3);
    QTest::newRow("BM and nothing sane") << QByteArray("BM").append(60, '\x01');
    QTest::newRow("unknown info header size") << badInfoSize;
    QTest::newRow("zero width") << zeroWidth;
    QTest::newRow("seven bits a pixel") << oddBits;
    QTest::newRow("pixels past the end") << pixelsPastTheEnd;
}

void ImageTest::rejectsWhatIsNotABitmap()
{
    QFETCH(QByteArray, bytes);
    try {
        decodeWindowsBitmap(bytes);
        QFAIL("decoded");
    } catch (const std::runtime_error &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Bitmap image is not valid"));
    }
}

QTEST_MAIN(ImageTest)
#include "platform_image_test.moc"

#include "platform/bitmap_file.h"
#include "platform/image.h"

#include <QFile>
#include <QPainter>
#include <QtTest>

#include <limits>

namespace {

void put16(QByteArray &bytes, int at, quint32 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

void put32(QByteArray &bytes, int at, quint32 value)
{
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
}

// A small crafted bitmap file: headers, masks, palette, then the pixel data as
// stored (rows bottom-up for a positive height, run-length codes when compressed).
struct Bmp {
    int infoSize = 40;
    qint32 width = 1;
    qint32 height = 1;
    int bitCount = 24;
    quint32 compression = 0;
    QList<QRgb> palette;
    int colourCount = -1; // the header's count; -1: the palette's size
    QList<quint32> masks; // after a 40-byte header, inside a longer one
    QByteArray pixels;
    int planes = 1;

    QByteArray bytes() const
    {
        const bool core = infoSize == 12;
        const int masksAfter = infoSize == 40 ? 4 * int(masks.size()) : 0;
        const int paletteAt = 14 + infoSize + masksAfter;
        const int pixelsAt = paletteAt + (core ? 3 : 4) * int(palette.size());
        QByteArray b(pixelsAt, '\0');
        b[0] = 'B';
        b[1] = 'M';
        put32(b, 2, quint32(pixelsAt + pixels.size()));
        put32(b, 10, quint32(pixelsAt));
        put32(b, 14, quint32(infoSize));
        if (core) {
            put16(b, 18, quint32(width));
            put16(b, 20, quint32(height));
            put16(b, 22, quint32(planes));
            put16(b, 24, quint32(bitCount));
        } else {
            put32(b, 18, quint32(width));
            put32(b, 22, quint32(height));
            put16(b, 26, quint32(planes));
            put16(b, 28, quint32(bitCount));
            put32(b, 30, compression);
            put32(b, 34, quint32(pixels.size()));
            put32(b, 46, quint32(colourCount < 0 ? palette.size() : colourCount));
            for (int i = 0; i < masks.size(); ++i)
                put32(b, 54 + 4 * i, masks[i]);
        }
        for (int i = 0; i < palette.size(); ++i) {
            const int at = paletteAt + (core ? 3 : 4) * i;
            b[at] = char(qBlue(palette[i]));
            b[at + 1] = char(qGreen(palette[i]));
            b[at + 2] = char(qRed(palette[i]));
        }
        return b + pixels;
    }
};

QByteArray data(std::initializer_list<int> bytes)
{
    QByteArray b;
    for (const int v : bytes)
        b.append(char(v));
    return b;
}

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255),
           kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);
const QList<QRgb> kPalette = {kWhite, kRed, kGreen, kBlue}; // indices 0..3: W R G B

// Rows top-down, one letter a pixel: W R G B K, or 1…3 for the colours given.
QList<QRgb> expected(std::initializer_list<const char *> rows, const QList<QRgb> &extra = {})
{
    QList<QRgb> out;
    for (const char *row : rows) {
        for (const char *c = row; *c; ++c) {
            switch (*c) {
            case 'W':
                out << kWhite;
                break;
            case 'R':
                out << kRed;
                break;
            case 'G':
                out << kGreen;
                break;
            case 'B':
                out << kBlue;
                break;
            case 'K':
                out << kBlack;
                break;
            default:
                out << extra.at(*c - '1');
                break;
            }
        }
    }
    return out;
}

Bmp rle8(int width, int height, const QByteArray &codes, const QList<QRgb> &palette = kPalette)
{
    Bmp b;
    b.width = width;
    b.height = height;
    b.bitCount = 8;
    b.compression = 1;
    b.palette = palette;
    b.pixels = codes;
    return b;
}

Bmp rle4(int width, int height, const QByteArray &codes, const QList<QRgb> &palette = kPalette)
{
    Bmp b = rle8(width, height, codes, palette);
    b.bitCount = 4;
    b.compression = 2;
    return b;
}

Bmp plain(int width, int height, int bitCount, const QByteArray &rows,
          const QList<QRgb> &palette = {})
{
    Bmp b;
    b.width = width;
    b.height = height;
    b.bitCount = bitCount;
    b.palette = palette;
    b.pixels = rows;
    return b;
}

Bmp withMasks(Bmp b, QList<quint32> masks, int infoSize = 40)
{
    b.compression = 3;
    b.masks = std::move(masks);
    b.infoSize = infoSize;
    return b;
}

QList<QRgb> pixelsOf(const QImage &image)
{
    QList<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out << (image.pixel(x, y) | 0xFF000000u);
    return out;
}

} // namespace

class BitmapDecodeTest : public QObject {
    Q_OBJECT

private slots:
    void decodesAsStored_data();
    void decodesAsStored();
    void rejectsWhatWouldShowAsGarbage_data();
    void rejectsWhatWouldShowAsGarbage();
    void zeroAlphaIsStillSeenThroughTheTransparentColourRule();
    void theProgramsOwnPicturesDecodeAsTheToolkitReadsThem();
};

void BitmapDecodeTest::decodesAsStored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<QRgb>>("pixels");

    QTest::newRow("RLE8 runs and end of line")
        << rle8(2, 2, data({2, 1, 0, 0, 1, 2, 1, 3, 0, 1})).bytes() << QSize(2, 2)
        << expected({"GB", "RR"});
    QTest::newRow("RLE8 literal stretch, padded to a word")
        << rle8(3, 1, data({0, 3, 1, 2, 3, 0, 0, 1})).bytes() << QSize(3, 1) << expected({"RGB"});
    QTest::newRow("RLE8 move and early end of line leave colour 0")
        << rle8(3, 2, data({1, 3, 0, 0, 0, 2, 1, 0, 1, 1, 0, 1})).bytes() << QSize(3, 2)
        << expected({"WRW", "BWW"});
    QTest::newRow("RLE8 end of bitmap before the last row")
        << rle8(2, 2, data({2, 2, 0, 1})).bytes() << QSize(2, 2) << expected({"WW", "GG"});
    QTest::newRow("RLE8 end of line on the last row, then end of bitmap")
        << rle8(1, 1, data({1, 1, 0, 0, 0, 1})).bytes() << QSize(1, 1) << expected({"R"});
    QTest::newRow("RLE4 run of two alternating indices")
        << rle4(3, 1, data({3, 0x12, 0, 1})).bytes() << QSize(3, 1) << expected({"RGR"});
    QTest::newRow("RLE4 literal stretch")
        << rle4(4, 1, data({0, 4, 0x12, 0x30, 0, 1})).bytes() << QSize(4, 1) << expected({"RGBW"});
    QTest::newRow("RLE4 odd literal stretch, padded to a word")
        << rle4(3, 1, data({0, 3, 0x31, 0x20, 0, 1})).bytes() << QSize(3, 1) << expected({"BRG"});

    QTest::newRow("8 bits, palette shorter than 256")
        << plain(2, 1, 8, data({1, 3, 0, 0}), {kBlack, kRed, kGreen, kBlue}).bytes() << QSize(2, 1)
        << expected({"RB"});
    QTest::newRow("4 bits") << plain(3, 1, 4, data({0x12, 0x30, 0, 0}), kPalette).bytes()
                            << QSize(3, 1) << expected({"RGB"});
    QTest::newRow("24 bits top-down") << [] {
        Bmp b = plain(1, -2, 24, data({0, 0, 255, 0, 0, 255, 0, 0}));
        return b.bytes();
    }() << QSize(1, 2) << expected({"R", "G"});
    QTest::newRow("core header, three-byte palette") << [] {
        Bmp b = plain(2, 1, 8, data({2, 1, 0, 0}), kPalette);
        b.infoSize = 12;
        return b.bytes();
    }() << QSize(2, 1) << expected({"GR"});

    const QList<QRgb> odd = {qRgb(0x11, 0x22, 0x33)};
    QTest::newRow("16 bits default 5-5-5")
        << plain(3, 1, 16, data({0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0})).bytes() << QSize(3, 1)
        << expected({"RGB"});
    QTest::newRow("16 bits 5-6-5 masks")
        << withMasks(plain(3, 1, 16, data({0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0})),
                     {0xF800, 0x07E0, 0x001F})
               .bytes()
        << QSize(3, 1) << expected({"RGB"});
    QTest::newRow("32 bits, masks in the top three bytes")
        << withMasks(plain(1, 1, 32, data({0x00, 0x11, 0x22, 0x33})),
                     {0x0000FF00, 0x00FF0000, 0xFF000000})
               .bytes()
        << QSize(1, 1) << expected({"1"}, odd);
    QTest::newRow("32 bits, masks inside a version 5 header")
        << withMasks(plain(1, 1, 32, data({0x33, 0x22, 0x11, 0x00})),
                     {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 124)
               .bytes()
        << QSize(1, 1) << expected({"1"}, odd);
    QTest::newRow("32 bits, 10-bit channels")
        << withMasks(plain(1, 1, 32, data({0xFF, 0x03, 0x00, 0x00})),
                     {0x3FF00000, 0x000FFC00, 0x000003FF})
               .bytes()
        << QSize(1, 1) << expected({"B"});
    QTest::newRow("32 bits, alpha bytes 0")
        << plain(2, 1, 32, data({0, 0, 255, 0, 255, 255, 255, 0})).bytes() << QSize(2, 1)
        << expected({"RW"});
}

void BitmapDecodeTest::decodesAsStored()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QList<QRgb>, pixels);
    QImage image;
    try {
        image = decodeWindowsBitmap(bytes);
    } catch (const InvalidBitmapError &) {
        QFAIL("rejected");
    }
    QCOMPARE(image.size(), size);
    QCOMPARE(pixelsOf(image), pixels);
}

void BitmapDecodeTest::rejectsWhatWouldShowAsGarbage_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("RLE8 run past the end of its row") << rle8(2, 1, data({3, 1, 0, 1})).bytes();
    QTest::newRow("RLE8 literal stretch past the end of its row")
        << rle8(2, 1, data({0, 3, 1, 1, 1, 0, 0, 1})).bytes();
    QTest::newRow("RLE8 rows past the top of the picture")
        << rle8(1, 1, data({1, 1, 0, 0, 1, 1, 0, 1})).bytes();
    QTest::newRow("RLE8 second end of line past the top")
        << rle8(1, 1, data({0, 0, 0, 0, 0, 1})).bytes();
    QTest::newRow("RLE8 move past the right edge") << rle8(2, 1, data({0, 2, 3, 0, 0, 1})).bytes();
    QTest::newRow("RLE8 move past the top") << rle8(2, 2, data({0, 2, 0, 2, 0, 1})).bytes();
    QTest::newRow("RLE8 move cut short") << rle8(2, 2, data({0, 2, 1})).bytes();
    QTest::newRow("RLE8 without end of bitmap") << rle8(2, 1, data({2, 1, 0, 0})).bytes();
    QTest::newRow("RLE8 ends inside a literal stretch") << rle8(4, 1, data({0, 4, 1, 2})).bytes();
    QTest::newRow("RLE8 ends before its padding byte") << rle8(3, 1, data({0, 3, 1, 2, 3})).bytes();
    QTest::newRow("RLE8 one odd byte") << rle8(2, 1, data({2})).bytes();
    QTest::newRow("RLE8 no data at all") << rle8(2, 1, {}).bytes();
    QTest::newRow("RLE8 run index past the palette") << rle8(2, 1, data({2, 4, 0, 1})).bytes();
    QTest::newRow("RLE8 literal index past the palette")
        << rle8(3, 1, data({0, 3, 1, 9, 1, 0, 0, 1})).bytes();
    QTest::newRow("RLE8 without a palette") << rle8(1, 1, data({1, 0, 0, 1}), {}).bytes();
    QTest::newRow("RLE4 second index of a run past the palette")
        << rle4(2, 1, data({2, 0x15, 0, 1}), {kWhite, kRed}).bytes();
    QTest::newRow("RLE4 literal stretch past the row")
        << rle4(3, 1, data({0, 4, 0x11, 0x11, 0, 1})).bytes();
    QTest::newRow("RLE8 stored top-down") << [] {
        Bmp b = rle8(1, -1, data({1, 1, 0, 1}));
        return b.bytes();
    }();
    QTest::newRow("RLE8 on a 4-bit picture") << [] {
        Bmp b = rle8(1, 1, data({1, 1, 0, 1}));
        b.bitCount = 4;
        return b.bytes();
    }();

    QTest::newRow("8 bits, index past a short palette")
        << plain(2, 1, 8, data({1, 2, 0, 0}), {kBlack, kRed}).bytes();
    QTest::newRow("8 bits, palette cut off by the pixel data") << [] {
        // The header promises 256 colours, only two lie before the pixels.
        Bmp b = plain(1, 1, 8, data({3, 0, 0, 0}), {kBlack, kRed});
        b.colourCount = 256;
        return b.bytes();
    }();
    QTest::newRow("1 bit, second colour missing")
        << plain(8, 1, 1, data({0x80, 0, 0, 0}), {kBlack}).bytes();
    QTest::newRow("32 bits, a zero mask")
        << withMasks(plain(1, 1, 32, data({1, 2, 3, 4})), {0xFF0000, 0, 0xFF}).bytes();
    QTest::newRow("32 bits, overlapping masks")
        << withMasks(plain(1, 1, 32, data({1, 2, 3, 4})), {0xFF0000, 0xFFFF00, 0xFF}).bytes();
    QTest::newRow("32 bits, a mask with a hole")
        << withMasks(plain(1, 1, 32, data({1, 2, 3, 4})), {0xFF00F0, 0xFF00, 0x0F}).bytes();
    QTest::newRow("16 bits, a mask beyond 16 bits")
        << withMasks(plain(1, 1, 16, data({1, 2, 0, 0})), {0x1F0000, 0x7E0, 0x1F}).bytes();
    QTest::newRow("masks cut off by the pixel data") << [] {
        QByteArray b =
            withMasks(plain(1, 1, 32, data({1, 2, 3, 4})), {0xFF0000, 0xFF00, 0xFF}).bytes();
        put32(b, 10, 14 + 40 + 4); // pixels begin inside the masks
        return b;
    }();
    QTest::newRow("two planes") << [] {
        Bmp b = plain(1, 1, 24, data({0, 0, 0, 0}));
        b.planes = 2;
        return b.bytes();
    }();
    QTest::newRow("row size times height overflows") << [] {
        Bmp b = plain(std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::max(), 32,
                      data({0, 0, 0, 0}));
        return b.bytes();
    }();
    QTest::newRow("height of -2^31")
        << plain(1, std::numeric_limits<qint32>::min(), 24, data({0, 0, 0, 0})).bytes();
    QTest::newRow("too many pixels to hold, few bytes of run-length data")
        << rle8(1 << 16, 1 << 16, data({0, 1})).bytes();
}

void BitmapDecodeTest::rejectsWhatWouldShowAsGarbage()
{
    QFETCH(QByteArray, bytes);
    try {
        const QImage image = decodeWindowsBitmap(bytes);
        QFAIL(qPrintable(
            QStringLiteral("decoded as %1 x %2").arg(image.width()).arg(image.height())));
    } catch (const InvalidBitmapError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Bitmap image is not valid"));
    }
}

void BitmapDecodeTest::zeroAlphaIsStillSeenThroughTheTransparentColourRule()
{
    // 2 x 2, 32 bits, every alpha byte 0: top row red, blue; bottom row white, red.
    const QByteArray bytes =
        withMasks(
            plain(2, 2, 32, data({255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 255, 0, 0, 0})),
            {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 124)
            .bytes();
    TImage image;
    image.setTransparent(true);
    image.setPicture(decodeWindowsBitmap(bytes));
    QCOMPARE(TImage::transparentColor(image.picture()), kWhite);
    QImage canvas(2, 2, QImage::Format_RGB32);
    canvas.fill(kGreen);
    QPainter painter(&canvas);
    image.drawImage(painter, QRect(0, 0, 2, 2));
    painter.end();
    QCOMPARE(pixelsOf(canvas), expected({"RB", "GR"}));
}

void BitmapDecodeTest::theProgramsOwnPicturesDecodeAsTheToolkitReadsThem()
{
    for (const char *name : {"background.bmp", "button3_glyph.bmp", "demo/抽奖名单/背景.bmp"}) {
        QFile file(QStringLiteral(LUCKYDRAW_RESOURCES "/") + QString::fromUtf8(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), name);
        const QByteArray bytes = file.readAll();
        const QImage ours = decodeWindowsBitmap(bytes);
        const QImage theirs = QImage::fromData(bytes, "BMP");
        QCOMPARE(ours.size(), theirs.size());
        QVERIFY2(pixelsOf(ours) == pixelsOf(theirs), name);
    }
}

QTEST_MAIN(BitmapDecodeTest)
#include "platform_bitmap_decode_test.moc"

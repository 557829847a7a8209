#include "controls/flat_style.h"
#include "pixel_helpers.h"
#include "platform/canvas.h"
#include "platform/fonts.h"

#include <QPainter>
#include <QtTest>

using namespace FlatStyle;

namespace {

QImage blank(int w, int h, const QColor &color = Qt::white)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A parent that paints a pattern depending on the position, so a copy that is
// shifted or taken from the wrong place shows it.
class PatternWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                p.fillRect(QRect(x, y, 1, 1), QColor(x % 256, y % 256, 77));
    }
};

} // namespace

class FlatStyleTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void drawFlatFrame_data();
    void drawFlatFrame();
    void fillGradientBands();
    void fillGradientVertical();
    void makeDisabledGlyph();
    void layoutGlyphAndCaption_data();
    void layoutGlyphAndCaption();
    void paintParentBackgroundCopiesParentFace();
    void prefixTextRule();
    void focusRectIsDottedAndReversible();
    void transparentBlitLeavesOutKeyColour();
    void versionIsFixed();
};

void FlatStyleTest::drawFlatFrame_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("one ring") << 1;
    QTest::newRow("two rings") << 2;
}

void FlatStyleTest::drawFlatFrame()
{
    QFETCH(int, width);
    QImage image = blank(12, 12);
    {
        QPainter p(&image);
        DrawFlatFrame(p, QRect(0, 0, 10, 10), clRed, width);
    }
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inRect = x < 10 && y < 10;
            const bool onRing = inRect && std::min({x, y, 9 - x, 9 - y}) < width;
            QCOMPARE(pixelAt(image, x, y), onRing ? QColor(255, 0, 0) : QColor(255, 255, 255));
        }
    }
}

void FlatStyleTest::fillGradientBands()
{
    QImage image = blank(174, 4, Qt::black);
    {
        QPainter p(&image);
        FillGradient(p, clGray, clWhite, QRect(0, 0, 174, 4), bsHorizontal);
    }
    // Bands six pixels thick start at 0, 5, 11, 16, ... 168; a later band paints
    // over the overlap of the one before.
    for (int x = 0; x <= 4; ++x)
        QCOMPARE(pixelAt(image, x, 2), QColor(128, 128, 128));
    QCOMPARE(pixelAt(image, 5, 0), QColor(132, 132, 132));
    QCOMPARE(pixelAt(image, 10, 3), QColor(132, 132, 132));
    QCOMPARE(pixelAt(image, 11, 0), QColor(136, 136, 136));
    QCOMPARE(pixelAt(image, 16, 0), QColor(140, 140, 140));
    QCOMPARE(pixelAt(image, 167, 0), QColor(246, 246, 246));
    QCOMPARE(pixelAt(image, 168, 0), QColor(250, 250, 250));
    QCOMPARE(pixelAt(image, 173, 3), QColor(250, 250, 250));
    QCOMPARE(countColor(image, image.rect(), Qt::white), 0);
    QCOMPARE(countColor(image, image.rect(), Qt::black), 0);
}

void FlatStyleTest::fillGradientVertical()
{
    QImage image = blank(6, 62, Qt::black);
    {
        QPainter p(&image);
        FillGradient(p, clBlack, clBlue, QRect(1, 0, 4, 62), bsVertical);
    }
    // Outside the rectangle nothing is touched; across it each row is one colour.
    QCOMPARE(pixelAt(image, 0, 61), QColor(0, 0, 0));
    QCOMPARE(pixelAt(image, 5, 61), QColor(0, 0, 0));
    QCOMPARE(pixelAt(image, 1, 0), QColor(0, 0, 0));
    QCOMPARE(pixelAt(image, 4, 2), QColor(0, 0, 8));
    QCOMPARE(pixelAt(image, 1, 2), QColor(0, 0, 8));
    QCOMPARE(pixelAt(image, 2, 61), QColor(0, 0, 246));
}

void FlatStyleTest::makeDisabledGlyph()
{
    QImage source = blank(4, 4, QColor(0, 200, 0));
    source.setPixel(1, 1, qRgb(0, 0, 0));
    source.setPixel(2, 2, qRgb(0, 0, 0));
    source.setPixel(0, 3, qRgb(1, 0, 0)); // nearly black is not ink

    const QImage withHighlight =
        MakeDisabledGlyph(source, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
    QCOMPARE(withHighlight.size(), source.size());
    const QColor face(240, 240, 240), highlight(250, 250, 250), shadow(160, 160, 160);
    QCOMPARE(pixelAt(withHighlight, 0, 0), face);
    QCOMPARE(pixelAt(withHighlight, 1, 1), shadow);
    QCOMPARE(pixelAt(withHighlight, 2, 2), shadow); // ink wins over the highlight of its neighbour
    QCOMPARE(pixelAt(withHighlight, 3, 3), highlight);
    QCOMPARE(pixelAt(withHighlight, 0, 3), face);

    const QImage plain =
        MakeDisabledGlyph(source, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, false);
    QCOMPARE(pixelAt(plain, 3, 3), face);
    QCOMPARE(pixelAt(plain, 2, 2), shadow);

    const QImage noInk = MakeDisabledGlyph(blank(3, 3, Qt::white), clBlack, clBtnFace,
                                           clBtnHighlight, clBtnShadow, true);
    QCOMPARE(countColor(noInk, noInk.rect(), face), 9);
    QCOMPARE(pixelAt(source, 1, 1), QColor(0, 0, 0)); // the source stays as it was
}

void FlatStyleTest::layoutGlyphAndCaption_data()
{
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("margin");
    QTest::addColumn<QSize>("glyphSize");
    QTest::addColumn<int>("numGlyphs");
    QTest::addColumn<QString>("caption");
    // Which expectation applies; they depend on the caption's measured size.
    QTest::addColumn<QString>("rule");

    const QString button3 = QString::fromUtf8("查看获奖名单");
    QTest::newRow("button3 glyph left")
        << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphLeft) << 4 << -1 << QSize(16, 16) << 1
        << button3 << QStringLiteral("button3");
    QTest::newRow("no glyph centred")
        << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphLeft) << 4 << -1 << QSize() << 1
        << QStringLiteral("Abc") << QStringLiteral("centred");
    QTest::newRow("glyph alone") << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphLeft) << 4 << -1
                                 << QSize(16, 16) << 1 << QString() << QStringLiteral("glyphAlone");
    QTest::newRow("strip of four")
        << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphLeft) << 4 << -1 << QSize(64, 16) << 4
        << QString() << QStringLiteral("glyphAlone");
    QTest::newRow("spread evenly")
        << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphLeft) << -1 << -1 << QSize(16, 16) << 1
        << QStringLiteral("Abc") << QStringLiteral("even");
    QTest::newRow("margin 5, caption halfway")
        << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphLeft) << -1 << 5 << QSize(16, 16) << 1
        << QStringLiteral("Abc") << QStringLiteral("halfway");
    QTest::newRow("glyph right") << QRect(0, 0, 112, 28) << QPoint() << int(blGlyphRight) << 4 << 3
                                 << QSize(16, 16) << 1 << QStringLiteral("Abc")
                                 << QStringLiteral("right");
    QTest::newRow("glyph top, pressed, moved client")
        << QRect(10, 20, 80, 60) << QPoint(1, 1) << int(blGlyphTop) << 4 << -1 << QSize(16, 16) << 1
        << QStringLiteral("Abc") << QStringLiteral("top");
}

void FlatStyleTest::layoutGlyphAndCaption()
{
    QFETCH(QRect, client);
    QFETCH(QPoint, offset);
    QFETCH(int, layout);
    QFETCH(int, spacing);
    QFETCH(int, margin);
    QFETCH(QSize, glyphSize);
    QFETCH(int, numGlyphs);
    QFETCH(QString, caption);
    QFETCH(QString, rule);

    QFont font;
    font.setPixelSize(12);
    QImage glyph;
    if (glyphSize.isValid()) {
        glyph = QImage(glyphSize, QImage::Format_RGB32);
        glyph.fill(Qt::white);
    }
    const QSize text = measureTextLine(font, caption);
    const int t = text.width(), h = text.height();
    const TGlyphCaptionLayout r = LayoutGlyphAndCaption(font, client, offset, TButtonLayout(layout),
                                                        spacing, margin, glyph, numGlyphs, caption);
    QCOMPARE(r.captionRect.size(), text);

    if (rule == QLatin1String("button3")) {
        QCOMPARE(r.glyphOrigin, QPoint((112 - (16 + 4 + t) + 1) / 2, 6));
        QCOMPARE(r.captionRect.left(), r.glyphOrigin.x() + 20);
        QCOMPARE(r.captionRect.top(), (28 - h + 1) / 2);
    } else if (rule == QLatin1String("centred")) {
        QCOMPARE(r.captionRect.left(), (112 - t + 1) / 2);
        QCOMPARE(r.captionRect.top(), (28 - h + 1) / 2);
    } else if (rule == QLatin1String("glyphAlone")) {
        QCOMPARE(r.glyphOrigin, QPoint(48, 6));
    } else if (rule == QLatin1String("even")) {
        const int gap = (112 - 16 - t) / 3;
        QCOMPARE(r.glyphOrigin.x(), gap);
        QCOMPARE(r.captionRect.left(), gap + 16 + gap);
    } else if (rule == QLatin1String("halfway")) {
        QCOMPARE(r.glyphOrigin.x(), 5);
        QCOMPARE(r.captionRect.left(), 5 + 16 + (112 - 21 - t) / 2);
    } else if (rule == QLatin1String("right")) {
        QCOMPARE(r.glyphOrigin.x(), 112 - 3 - 16);
        QCOMPARE(r.captionRect.left(), 112 - 3 - 16 - 4 - t);
    } else if (rule == QLatin1String("top")) {
        const int along = (60 - (16 + 4 + h) + 1) / 2;
        QCOMPARE(r.glyphOrigin, QPoint(10 + (80 - 16 + 1) / 2 + 1, 20 + along + 1));
        QCOMPARE(r.captionRect.topLeft(), QPoint(10 + (80 - t + 1) / 2 + 1, 20 + along + 20 + 1));
    } else {
        QFAIL("unknown rule");
    }
}

void FlatStyleTest::paintParentBackgroundCopiesParentFace()
{
    PatternWidget parent;
    parent.resize(100, 80);
    QWidget child(&parent);
    child.setGeometry(30, 20, 40, 30);
    QWidget sibling(&parent); // children of the parent are not part of the copy
    sibling.setAutoFillBackground(true);
    sibling.setPalette(QPalette(Qt::green));
    sibling.setGeometry(30, 20, 40, 30);

    QImage image = blank(40, 30, Qt::black);
    {
        QPainter p(&image);
        PaintParentBackground(&child, p);
    }
    QCOMPARE(pixelAt(image, 0, 0), QColor(30, 20, 77));
    QCOMPARE(pixelAt(image, 39, 29), QColor(69, 49, 77));
    QCOMPARE(pixelAt(image, 5, 7), QColor(35, 27, 77));

    // A control that reaches past the parent's edge gets the part that exists.
    child.setGeometry(-5, 70, 20, 20);
    QImage edge = blank(20, 20, Qt::black);
    {
        QPainter p(&edge);
        PaintParentBackground(&child, p);
    }
    QCOMPARE(pixelAt(edge, 5, 0), QColor(0, 70, 77));
    QCOMPARE(pixelAt(edge, 6, 9), QColor(1, 79, 77));
    QCOMPARE(pixelAt(edge, 2, 2), QColor(0, 0, 0));
    QCOMPARE(pixelAt(edge, 8, 12), QColor(0, 0, 0));

    QWidget orphan;
    QImage untouched = blank(5, 5, Qt::black);
    QPainter p(&untouched);
    PaintParentBackground(&orphan, p);
    p.end();
    QCOMPARE(countColor(untouched, untouched.rect(), Qt::black), 25);
}

void FlatStyleTest::prefixTextRule()
{
    QFont font;
    font.setPixelSize(14);
    QCOMPARE(measureTextLine(font, QStringLiteral("&Start")),
             measureTextLine(font, QStringLiteral("Start"), false));
    QCOMPARE(measureTextLine(font, QStringLiteral("A&&B")),
             measureTextLine(font, QStringLiteral("A&B"), false));
    QVERIFY(measureTextLine(font, QStringLiteral("A&B"), false).width() >
            measureTextLine(font, QStringLiteral("AB"), false).width());
    QCOMPARE(measureTextLine(font, QString()), QSize(0, 0));

    auto render = [&](const QString &text, bool prefix) {
        QImage image = blank(80, 20);
        QPainter p(&image);
        p.setFont(font);
        drawTextLine(p, QRect(0, 0, 80, 20), text, Qt::AlignLeft | Qt::AlignVCenter, Qt::black,
                     prefix);
        return image;
    };
    QCOMPARE(render(QStringLiteral("A&&B"), true), render(QStringLiteral("A&B"), false));
    // "&S" underlines the S: more ink than the plain text, none of it an ampersand.
    const QImage underlined = render(QStringLiteral("&Start"), true);
    const QImage plain = render(QStringLiteral("Start"), false);
    QVERIFY(underlined != plain);
    QCOMPARE(inkBounds(underlined, underlined.rect(), Qt::white).left(),
             inkBounds(plain, plain.rect(), Qt::white).left());

    // Clipping keeps the text inside its rectangle.
    QImage clipped = blank(80, 20);
    {
        QPainter p(&clipped);
        p.setFont(font);
        drawTextLine(p, QRect(10, 0, 10, 20), QStringLiteral("WWWWWW"),
                     Qt::AlignLeft | Qt::AlignVCenter, Qt::black);
    }
    const QRect ink = inkBounds(clipped, clipped.rect(), Qt::white);
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.left() >= 10 && ink.right() <= 19);
}

void FlatStyleTest::focusRectIsDottedAndReversible()
{
    QImage image = blank(10, 8, QColor(153, 190, 251));
    const QImage before = image;
    {
        QPainter p(&image);
        drawFocusRect(p, QRect(2, 2, 6, 4));
    }
    const QColor inverted(102, 65, 4), face(153, 190, 251);
    QCOMPARE(pixelAt(image, 2, 2), inverted);
    QCOMPARE(pixelAt(image, 3, 2), face);
    QCOMPARE(pixelAt(image, 4, 2), inverted);
    QCOMPARE(pixelAt(image, 2, 3), face);
    QCOMPARE(pixelAt(image, 2, 4), inverted);
    QCOMPARE(pixelAt(image, 7, 5), inverted);
    QCOMPARE(pixelAt(image, 4, 4), face); // inside stays
    QCOMPARE(pixelAt(image, 1, 1), face); // outside stays
    {
        QPainter p(&image);
        drawFocusRect(p, QRect(2, 2, 6, 4));
    }
    QCOMPARE(image, before);
}

void FlatStyleTest::transparentBlitLeavesOutKeyColour()
{
    QImage sprite = blank(3, 2, Qt::white);
    sprite.setPixel(1, 0, qRgb(10, 20, 30));
    sprite.setPixel(2, 1, qRgb(254, 255, 255));
    QImage target = blank(5, 4, Qt::red);
    {
        QPainter p(&target);
        drawTransparentImage(p, QPoint(1, 1), sprite, qRgb(255, 255, 255));
    }
    QCOMPARE(pixelAt(target, 1, 1), QColor(255, 0, 0));
    QCOMPARE(pixelAt(target, 2, 1), QColor(10, 20, 30));
    QCOMPARE(pixelAt(target, 3, 2), QColor(254, 255, 255)); // only exact matches are left out
    QCOMPARE(pixelAt(target, 0, 0), QColor(255, 0, 0));
}

void FlatStyleTest::versionIsFixed()
{
    TVersionControl control;
    control.setVersion(QStringLiteral("1.0"));
    QCOMPARE(control.version(), QStringLiteral("4.42.8.0"));
    QCOMPARE(control.property("Version").toString(), QStringLiteral("4.42.8.0"));
}

QTEST_MAIN(FlatStyleTest)
#include "controls_flat_style_test.moc"

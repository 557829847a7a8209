#include "controls/look_radio_glyph.h"
#include "pixel_helpers.h"
#include "radio_glyph_checks.h"

#include <QPainter>
#include <QtTest>

using namespace LookAndFeels;

namespace {

using Map = std::array<QColor, 7>;

// Colours of the classic desktop palette the tests run with.
const QColor kBlack(0, 0, 0);
const QColor kWindow(255, 255, 255);
const QColor kHighlight(51, 153, 255);
const QColor kFace(240, 240, 240);
const QColor kShadow(160, 160, 160);
const QColor kBtnHighlight(250, 250, 250);
const QColor kBtnText(16, 16, 16);
const QColor kDkShadow(105, 105, 105);
const QColor k3DLight(227, 227, 227);
const QColor kHotBlend(194, 225, 255);
const QColor kPressedBlend(158, 203, 248);

} // namespace

Q_DECLARE_METATYPE(Map)

class RadioGlyphTest : public QObject {
    Q_OBJECT

private slots:
    void storedPattern();
    void colourMaps_data();
    void colourMaps();
    void variantNumbers();
    void everyImageFollowsItsMap();
};

void RadioGlyphTest::storedPattern()
{
    // The glyph as the pattern rules give it for the 13-pixel glyph: outer ring
    // 1/2 split on the rising diagonal, inner ring 3/4, body 5, dot 6.
    const char *rows[13] = {
        "0000111110000", "0011333331100", "0133555553420", "0135555555420", "1355566655542",
        "1355666665542", "1355666665542", "1355666665542", "1355566655542", "0135555555420",
        "0134555554420", "0022444442200", "0000222220000",
    };
    const TRadioGlyphImageList &list = TRadioGlyphImageList::instance();
    QCOMPARE(list.glyphSize(), QSize(13, 13));
    QCOMPARE(list.cellSize(), QSize(13, 13));
    QCOMPARE(list.glyphOffset(), QPoint(0, 0));
    QCOMPARE(list.dotRect(), QRect(4, 4, 5, 5));
    for (int y = 0; y < 13; ++y) {
        QString row;
        for (int x = 0; x < 13; ++x) {
            row += QChar(u'0' + list.pattern()[y * 13 + x]);
            // The mask is opaque exactly where the pattern is not outside.
            QCOMPARE(list.opaque(x, y), list.pattern()[y * 13 + x] != 0);
        }
        QCOMPARE(row, QString::fromLatin1(rows[y]));
    }
}

void RadioGlyphTest::colourMaps_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("designing");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<Map>("map");
    const QColor W = kWindow, F = kFace, S = kShadow, H = kHighlight;
    auto row = [](const char *name, TLookAndFeelKind k, TGlyphState s, bool c, bool d, bool f,
                  Map m) { QTest::newRow(name) << int(k) << int(s) << c << d << f << m; };
    row("ultra-flat normal", lfUltraFlat, gsNormal, false, false, false,
        {kBlack, S, S, W, W, W, W});
    row("ultra-flat focused", lfUltraFlat, gsNormal, false, false, true,
        {kBlack, H, H, W, W, W, W});
    row("ultra-flat checked", lfUltraFlat, gsNormal, true, false, false,
        {kBlack, S, S, W, W, W, kBlack});
    row("ultra-flat hot checked", lfUltraFlat, gsHot, true, false, false,
        {kBlack, H, H, kHotBlend, kHotBlend, kHotBlend, kBlack});
    row("ultra-flat pressed", lfUltraFlat, gsPressed, false, false, false,
        {kBlack, H, H, kPressedBlend, kPressedBlend, kPressedBlend, kPressedBlend});
    row("ultra-flat disabled checked", lfUltraFlat, gsDisabled, true, false, false,
        {kBlack, S, S, F, F, F, S});
    row("ultra-flat designing lights the frame", lfUltraFlat, gsNormal, false, true, false,
        {kBlack, H, H, W, W, W, W});
    row("ultra-flat designing disabled", lfUltraFlat, gsDisabled, false, true, false,
        {kBlack, S, S, F, F, F, F});
    row("flat checked", lfFlat, gsNormal, true, false, false,
        {kBlack, S, kBtnHighlight, k3DLight, k3DLight, W, kBlack});
    row("flat hot focused", lfFlat, gsHot, false, false, true,
        {kBlack, S, kBtnHighlight, k3DLight, k3DLight, W, W});
    row("standard pressed", lfStandard, gsPressed, false, false, false,
        {kBlack, S, kBtnHighlight, kDkShadow, k3DLight, F, F});
    row("standard disabled checked", lfStandard, gsDisabled, true, false, false,
        {kBlack, S, kBtnHighlight, kDkShadow, k3DLight, F, S});
    row("office normal", lfOffice11, gsNormal, false, false, false,
        {kBlack, kBtnText, kBtnText, W, W, W, W});
    row("office hot checked", lfOffice11, gsHot, true, false, false,
        {kBlack, H, H, kHotBlend, kHotBlend, kHotBlend, kBlack});
    row("office disabled checked", lfOffice11, gsDisabled, true, false, false,
        {kBlack, S, S, F, F, F, S});
}

void RadioGlyphTest::colourMaps()
{
    QFETCH(int, kind);
    QFETCH(int, state);
    QFETCH(bool, checked);
    QFETCH(bool, designing);
    QFETCH(bool, focused);
    QFETCH(Map, map);
    const TRadioGlyphColorMap colours =
        radioGlyphColorMap(TLookAndFeelKind(kind), TGlyphState(state), checked, designing, focused);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(toQColor(colours[i]), map[i]);
    // Every pixel of the image shows its index's colour; index 0 is left out.
    const QImage image = TRadioGlyphImageList::instance().image(
        TLookAndFeelKind(kind), TGlyphState(state), checked, focused, designing);
    compareGlyphPixels(image, radioGlyphPattern(),
                       [&](int index) -> std::optional<QColor> { return map[index]; });
}

void RadioGlyphTest::variantNumbers()
{
    QCOMPARE(TRadioGlyphImageList::variantNumber(lfFlat, gsNormal, false, false, false), 0);
    QCOMPARE(TRadioGlyphImageList::variantNumber(lfUltraFlat, gsHot, true, true, true),
             1 + 4 + 16 + 32 + 64);
    QCOMPARE(TRadioGlyphImageList::variantNumber(lfOffice11, gsDisabled, true, true, true), 127);
}

void RadioGlyphTest::everyImageFollowsItsMap()
{
    // All 128 images exist and each is its own combination's.
    QSet<int> seen;
    for (int focused = 0; focused <= 1; ++focused)
        for (int designing = 0; designing <= 1; ++designing)
            for (int kind = lfFlat; kind <= lfOffice11; ++kind)
                for (int checked = 0; checked <= 1; ++checked)
                    for (int state = gsNormal; state <= gsDisabled; ++state) {
                        seen << TRadioGlyphImageList::variantNumber(TLookAndFeelKind(kind),
                                                                    TGlyphState(state), checked,
                                                                    designing, focused);
                        const QImage image =
                            radioGlyphImage(TLookAndFeelKind(kind), TGlyphState(state), checked,
                                            focused, designing);
                        const TRadioGlyphColorMap map =
                            radioGlyphColorMap(TLookAndFeelKind(kind), TGlyphState(state), checked,
                                               designing, focused);
                        QCOMPARE(QColor(image.pixel(6, 0)).toRgb(), toQColor(map[1]));
                        QCOMPARE(QColor(image.pixel(11, 2)).toRgb(), toQColor(map[2]));
                        QCOMPARE(QColor(image.pixel(6, 6)).toRgb(), toQColor(map[6]));
                        // No dot on an unchecked glyph.
                        if (!checked)
                            QCOMPARE(map[6], map[5]);
                    }
    QCOMPARE(seen.size(), 128);
}

QTEST_MAIN(RadioGlyphTest)
#include "controls_look_radio_glyph_test.moc"

#include "controls/look_radio_button.h"
#include "controls/radio_glyph.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QColor kBar(208, 225, 253);
const QColor kWindow(255, 255, 255);
const QColor kShadow(160, 160, 160);
const QColor kFace(240, 240, 240);
const QColor kHighlight(51, 153, 255);
const QColor kBlack(0, 0, 0);

// The top bar with its six tier radio buttons, see-through as the window sets them.
struct TierBar {
    QWidget bar;
    QList<TLookRadioButton *> radios;
    bool active = false;

    TierBar()
    {
        bar.resize(640, 46);
        bar.setAutoFillBackground(true);
        QPalette pal = bar.palette();
        pal.setColor(QPalette::Window, kBar);
        bar.setPalette(pal);
        const char *names[] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖"};
        for (int i = 0; i < 6; ++i) {
            auto *radio = new TLookRadioButton(&bar);
            radio->setGeometry(2 + 100 * i, 10, 94, 25);
            radio->setCaption(QString::fromUtf8(names[i]));
            QFont font;
            font.setPixelSize(24);
            font.setStyleStrategy(QFont::NoAntialias);
            radio->setFont(font);
            radio->setTransparent(true);
            radios << radio;
        }
        radios[0]->setChecked(true);
        bar.show();
        bar.activateWindow();
        active = QTest::qWaitForWindowActive(&bar);
    }

    QImage grabRadio(int i)
    {
        return bar.grab(radios[i]->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    int checkedCount() const
    {
        return int(
            std::count_if(radios.begin(), radios.end(), [](auto *r) { return r->isChecked(); }));
    }
};

} // namespace

class RadioButtonTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void glyphColours_data();
    void glyphColours();
    void glyphBrushFillsSquareOnly();
    void exclusiveAmongSiblings();
    void pressReleasedOutsideDoesNotCheck();
    void arrowKeysMoveFocusAndCheck();
    void accelerator();
    void transparentShowsParentColour();
    void faceGlyphAndFocusRectangle();
    void disabledLook();
};

void RadioButtonTest::glyphColours_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QColor>("ring");
    QTest::addColumn<QColor>("body");
    QTest::addColumn<QColor>("dot");
    QTest::newRow("ultra-flat normal")
        << int(lfUltraFlat) << int(gsNormal) << false << false << kShadow << kWindow << kWindow;
    QTest::newRow("ultra-flat focused")
        << int(lfUltraFlat) << int(gsNormal) << false << true << kHighlight << kWindow << kWindow;
    QTest::newRow("ultra-flat checked")
        << int(lfUltraFlat) << int(gsNormal) << true << false << kShadow << kWindow << kBlack;
    QTest::newRow("ultra-flat hot blend") << int(lfUltraFlat) << int(gsHot) << true << false
                                          << kHighlight << QColor(194, 225, 255) << kBlack;
    QTest::newRow("ultra-flat pressed blend")
        << int(lfUltraFlat) << int(gsPressed) << false << false << kHighlight
        << QColor(158, 203, 248) << QColor(158, 203, 248);
    QTest::newRow("ultra-flat disabled checked")
        << int(lfUltraFlat) << int(gsDisabled) << true << false << kShadow << kFace << kShadow;
    QTest::newRow("standard pressed")
        << int(lfStandard) << int(gsPressed) << false << false << kShadow << kFace << kFace;
}

void RadioButtonTest::glyphColours()
{
    QFETCH(int, kind);
    QFETCH(int, state);
    QFETCH(bool, checked);
    QFETCH(bool, focused);
    QFETCH(QColor, ring);
    QFETCH(QColor, body);
    QFETCH(QColor, dot);
    QCOMPARE(RadioGlyphSize(), QSize(13, 13));
    const QImage image =
        RadioGlyphImage(TLookAndFeelKind(kind), TGlyphState(state), checked, focused);
    const QList<int> &pattern = RadioGlyphPattern();
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            const int index = pattern[y * 13 + x];
            const QRgb pixel = image.pixel(x, y);
            if (index == 0) {
                QCOMPARE(qAlpha(pixel), 0);
                continue;
            }
            QCOMPARE(qAlpha(pixel), 255);
            const QColor c = QColor(pixel).toRgb();
            if (index == 1)
                QCOMPARE(c, ring);
            else if (index == 5)
                QCOMPARE(c, body);
            else if (index == 6)
                QCOMPARE(c, dot);
        }
    }
    // The outline, the body and the dot are all present and centred.
    QCOMPARE(pattern[6 * 13 + 6], 6);
    QCOMPARE(pattern[0 * 13 + 6], 1);
    QCOMPARE(pattern[12 * 13 + 6], 2);
    QCOMPARE(pattern[0], 0);
    QCOMPARE(pattern[2 * 13 + 6], 5);
}

void RadioButtonTest::glyphBrushFillsSquareOnly()
{
    QImage target(15, 15, QImage::Format_RGB32);
    target.fill(Qt::red);
    {
        QPainter p(&target);
        DrawRadioGlyph(p, QPoint(1, 1), lfUltraFlat, gsNormal, false, false, clDefault);
    }
    QCOMPARE(pixelAt(target, 1, 1), QColor(255, 0, 0)); // outside the round outline: untouched
    QCOMPARE(pixelAt(target, 7, 7), kWindow);
    {
        QPainter p(&target);
        DrawRadioGlyph(p, QPoint(1, 1), lfUltraFlat, gsNormal, false, false, clBlue);
    }
    QCOMPARE(pixelAt(target, 1, 1), QColor(0, 0, 255));
    QCOMPARE(pixelAt(target, 13, 13), QColor(0, 0, 255));
    QCOMPARE(pixelAt(target, 0, 0), QColor(255, 0, 0));
    QCOMPARE(pixelAt(target, 14, 14), QColor(255, 0, 0));
}

void RadioButtonTest::exclusiveAmongSiblings()
{
    TierBar f;
    QVERIFY(f.active);
    QWidget elsewhere;
    TLookRadioButton stranger(&elsewhere);
    stranger.setChecked(true);
    f.radios[5]->hide(); // hidden ones are unchecked too

    QSignalSpy clicks3(f.radios[3], &QAbstractButton::clicked);
    QTest::mouseClick(f.radios[3], Qt::LeftButton, {}, QPoint(40, 12));
    QVERIFY(f.radios[3]->isChecked());
    QCOMPARE(f.checkedCount(), 1);
    QCOMPARE(clicks3.count(), 1);
    QTest::mouseClick(f.radios[3], Qt::LeftButton, {}, QPoint(40, 12));
    QCOMPARE(clicks3.count(), 1); // the checked one raises no click

    f.radios[5]->setChecked(true);
    QVERIFY(!f.radios[3]->isChecked());
    QCOMPARE(f.checkedCount(), 1);
    QVERIFY(stranger.isChecked());

    // Only the checked one is a tab stop.
    QCOMPARE(f.radios[5]->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(f.radios[3]->focusPolicy(), Qt::ClickFocus);

    // Unchecking by the program is allowed and raises nothing.
    QSignalSpy clicks5(f.radios[5], &QAbstractButton::clicked);
    f.radios[5]->setChecked(false);
    QCOMPARE(f.checkedCount(), 0);
    QCOMPARE(clicks5.count(), 0);
}

void RadioButtonTest::pressReleasedOutsideDoesNotCheck()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[2];
    QTest::mousePress(radio, Qt::LeftButton, {}, QPoint(40, 12));
    QVERIFY(radio->hasFocus());
    QVERIFY(!radio->isChecked()); // a press only focuses
    QCOMPARE(radio->pointerState(), gsPressed);
    QTest::mouseMove(radio, QPoint(200, 12));
    QCOMPARE(radio->pointerState(), gsHot);
    QTest::mouseRelease(radio, Qt::LeftButton, {}, QPoint(200, 12));
    QVERIFY(!radio->isChecked());
    QVERIFY(f.radios[0]->isChecked());
    QCOMPARE(radio->pointerState(), gsNormal);
}

void RadioButtonTest::arrowKeysMoveFocusAndCheck()
{
    TierBar f;
    QVERIFY(f.active);
    f.radios[2]->hide();
    f.radios[0]->setFocus(Qt::TabFocusReason);
    QSignalSpy clicks1(f.radios[1], &QAbstractButton::clicked);
    QTest::keyClick(f.radios[0], Qt::Key_Right);
    QVERIFY(f.radios[1]->hasFocus());
    QVERIFY(f.radios[1]->isChecked());
    QCOMPARE(clicks1.count(), 1);
    QTest::keyClick(f.radios[1], Qt::Key_Down);
    QVERIFY(f.radios[3]->hasFocus()); // the hidden one is skipped
    QTest::keyClick(f.radios[3], Qt::Key_Left);
    QVERIFY(f.radios[1]->hasFocus());
    QTest::keyClick(f.radios[1], Qt::Key_Up);
    QTest::keyClick(f.radios[0], Qt::Key_Up); // wraps to the last
    QVERIFY(f.radios[5]->hasFocus());
    QVERIFY(f.radios[5]->isChecked());
    QCOMPARE(f.checkedCount(), 1);

    // Space checks on release, and the release still reaches the window.
    f.radios[5]->setChecked(false);
    QTest::keyPress(f.radios[5], Qt::Key_Space);
    QVERIFY(!f.radios[5]->isChecked());
    QTest::keyRelease(f.radios[5], Qt::Key_Space);
    QVERIFY(f.radios[5]->isChecked());
}

void RadioButtonTest::accelerator()
{
    TierBar f;
    QVERIFY(f.active);
    f.radios[4]->setCaption(QStringLiteral("&Fourth"));
    f.radios[0]->setFocus();
    QTest::keyClick(&f.bar, Qt::Key_F, Qt::AltModifier);
    QVERIFY(f.radios[4]->hasFocus());
    QVERIFY(f.radios[4]->isChecked());
}

void RadioButtonTest::transparentShowsParentColour()
{
    TierBar f;
    // A colour of its own, which a see-through radio does not use.
    QPalette pal = f.radios[1]->palette();
    pal.setColor(QPalette::Window, QColor(200, 0, 0));
    f.radios[1]->setPalette(pal);
    QImage image = f.grabRadio(1);
    const QRect glyph = f.radios[1]->glyphRect();
    QCOMPARE(pixelAt(image, 0, 0), kBar);
    QCOMPARE(pixelAt(image, 93, 24), kBar);
    QCOMPARE(pixelAt(image, glyph.left(), glyph.top()), kBar); // the glyph's corners show the bar
    QCOMPARE(pixelAt(image, glyph.left() + 6, glyph.top() + 6), kWindow);
    QCOMPARE(countColor(image, image.rect(), QColor(200, 0, 0)), 0);

    f.radios[1]->setTransparent(false);
    image = f.grabRadio(1);
    QCOMPARE(pixelAt(image, 0, 0), QColor(200, 0, 0));
    QCOMPARE(pixelAt(image, glyph.left(), glyph.top()), QColor(200, 0, 0));
}

void RadioButtonTest::faceGlyphAndFocusRectangle()
{
    TierBar f;
    QVERIFY(f.active);
    auto *other = new QWidget(&f.bar);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(610, 10, 20, 20);
    other->show();
    other->setFocus();
    TLookRadioButton *radio = f.radios[0];
    const QRect glyph = radio->glyphRect();
    QCOMPARE(glyph, QRect(1, 6, 13, 13)); // left 1, centred vertically

    const QImage unfocused = f.grabRadio(0);
    QCOMPARE(pixelAt(unfocused, glyph.left() + 6, glyph.top() + 6), kBlack); // checked: the dot
    QCOMPARE(pixelAt(unfocused, glyph.left() + 6, glyph.top()), kShadow);
    QCOMPARE(pixelAt(unfocused, glyph.left() + 6, glyph.top() + 2), kWindow);
    const QRect textArea(glyph.right() + 1, 0, 94 - glyph.right() - 1, 25);
    const QRect ink = inkBounds(unfocused, textArea, kBar);
    QVERIFY(countColor(unfocused, textArea, kBlack) > 20);
    QVERIFY(ink.left() >= glyph.right() + 5); // caption starts 5 pixels right of the glyph

    radio->setFocus(Qt::OtherFocusReason);
    const QImage focused = f.grabRadio(0);
    QCOMPARE(pixelAt(focused, glyph.left() + 6, glyph.top()), kHighlight);
    // A dotted rectangle round the caption: changed pixels lie just outside the caption's ink.
    int changed = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = textArea.left(); x < 94; ++x)
            if (pixelAt(focused, x, y) != pixelAt(unfocused, x, y)) {
                ++changed;
                QVERIFY(!ink.contains(x, y));
                QVERIFY(ink.adjusted(-6, -6, 6, 6).contains(x, y));
            }
    QVERIFY(changed > 10);

    radio->setCaption(QString());
    const QImage empty = f.grabRadio(0);
    QCOMPARE(countColor(empty, textArea, kBar), textArea.width() * textArea.height());
}

void RadioButtonTest::disabledLook()
{
    TierBar f;
    TLookRadioButton *radio = f.radios[1];
    radio->setEnabled(false);
    QCOMPARE(radio->pointerState(), gsDisabled);
    const QImage image = f.grabRadio(1);
    const QRect glyph = radio->glyphRect();
    QCOMPARE(pixelAt(image, glyph.left() + 6, glyph.top() + 2), kFace);
    QCOMPARE(pixelAt(image, glyph.left() + 6, glyph.top()), kShadow);
    const QRect textArea(glyph.right() + 1, 0, 94 - glyph.right() - 1, 25);
    QCOMPARE(countColor(image, textArea, kBlack), 0);
    QVERIFY(countColor(image, textArea, kShadow) > 20);
    QVERIFY(countColor(image, textArea, kWindow) > 20);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(40, 12));
    QVERIFY(!radio->isChecked());
}

QTEST_MAIN(RadioButtonTest)
#include "controls_radio_button_test.moc"

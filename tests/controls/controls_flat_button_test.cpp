#include "controls/flat_button.h"
#include "pixel_helpers.h"
#include "platform/dialog_keys.h"
#include "platform/fonts.h"
#include "reported_errors.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QSignalSpy>
#include <QtTest>

using namespace FlatStyle;

namespace {

const QColor kIdleFace(231, 239, 254);
const QColor kGrey(128, 128, 128);
const QColor kHotFace(153, 190, 251);
const QColor kShadow(0, 198, 198);
const QColor kDownFace(217, 214, 197);
const QColor kMaroon(128, 0, 0);

// Counts the key events that reach it, as the window's key handling would see them.
class KeyCountingParent : public QWidget {
public:
    int presses = 0;
    int releases = 0;

protected:
    void keyPressEvent(QKeyEvent *) override { ++presses; }
    void keyReleaseEvent(QKeyEvent *) override { ++releases; }
};

// Button1 as the window sets it up.
struct StartButton {
    KeyCountingParent parent;
    TFlatButton *button = nullptr;
    QWidget *other = nullptr;

    StartButton()
    {
        parent.resize(400, 200);
        other = new QWidget(&parent);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(300, 150, 20, 20);
        button = new TFlatButton(&parent);
        button->setGeometry(20, 20, 241, 75);
        QFont font;
        font.setPixelSize(56);
        font.setBold(true);
        button->setFont(font);
        button->setFontColor(clMaroon);
        button->setCaption(QString::fromUtf8("开始"));
        button->setColorBorder(clGray);
        button->setColorFlat(0xFEEFE7); // RGB 231,239,254
        button->setToolTip(QString::fromUtf8("点这里开始抽奖"));
        parent.show();
        parent.activateWindow();
        active = QTest::qWaitForWindowActive(&parent);
        other->setFocus();
    }
    bool active = false;
};

} // namespace

class FlatButtonTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void idleFace();
    void hotFaceByFocusAndByPointer();
    void pressedFaceShiftsCaption();
    void disabledFaceEmbossesCaption();
    void defaultDrawsTwoPixelBorder();
    void clickRules();
    void doubleClickGivesTwoClicks();
    void spaceClicksOnRelease();
    void enterClicksWhenHot();
    void keysDoNotReachTheWindow();
    void numGlyphsFromGlyphSize_data();
    void numGlyphsFromGlyphSize();
    void onlyTheSameGlyphIsSkipped();
    void glyphLeftOfCaptionWithTransparentWhite();
    void disabledGlyphKeepsOnlyBlackPixels();
    void glyphStripCellFollowsState();
    void groupLatching();
    void transparentFaceShowsParent();
    void drawingTakesItsStateFromTheButtonAsItIs();
    void latchedAndHotFace();
    void captionWiderThanButtonIsCentredAndCut();
    void acceleratorCharacters();
    void doubleClickOnLatchedButton();
    void mouseEnterHandlerReplacesHoverLook();
    void popupMenuBelowOnEveryClick();
    void actionBinding();
    void modalResultReachesTheDialogBeforeTheClick();
    void failingClickHandlerGoesToErrorBox();
    void changeSignals();
};

void FlatButtonTest::idleFace()
{
    StartButton f;
    QVERIFY(f.active);
    QVERIFY(!f.button->isHot());
    const QImage image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 0, 0), kGrey);
    QCOMPARE(pixelAt(image, 240, 74), kGrey);
    QCOMPARE(pixelAt(image, 120, 0), kGrey);
    QCOMPARE(pixelAt(image, 1, 1), kIdleFace);
    QCOMPARE(pixelAt(image, 2, 2), kIdleFace); // no focus rectangle
    QCOMPARE(pixelAt(image, 239, 73), kIdleFace);
    // The caption is drawn in the font colour, centred.
    const QRect ink = inkBounds(image, image.rect().adjusted(3, 3, -3, -3), kIdleFace);
    QVERIFY(!ink.isEmpty());
    QVERIFY(countColor(image, ink, kMaroon) > 20);
    QVERIFY(qAbs((ink.left() + ink.right()) - 240) <= 6);
}

void FlatButtonTest::hotFaceByFocusAndByPointer()
{
    StartButton f;
    QVERIFY(f.active);
    f.button->setFocus();
    QVERIFY(f.button->hasFocus());
    QVERIFY(f.button->isHot());
    QImage image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QCOMPARE(pixelAt(image, 240, 40), kShadow);
    QCOMPARE(pixelAt(image, 1, 1), kHotFace);
    QCOMPARE(pixelAt(image, 5, 5), kHotFace);
    // Dotted rectangle two pixels inside the edge.
    QVERIFY(pixelAt(image, 2, 2) != kHotFace);
    QCOMPARE(pixelAt(image, 3, 2), kHotFace);
    QVERIFY(pixelAt(image, 2, 4) != kHotFace);
    QVERIFY(pixelAt(image, 238, 72) != kHotFace);
    QCOMPARE(pixelAt(image, 3, 3), kHotFace);

    f.other->setFocus();
    QVERIFY(!f.button->isHot());
    QCOMPARE(pixelAt(grabImage(f.button), 1, 1), kIdleFace);

    QTest::mouseMove(f.button, QPoint(30, 30));
    QTRY_VERIFY(f.button->isHot());
    image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 1, 1), kHotFace);
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QTest::mouseMove(&f.parent, QPoint(350, 10));
    QTRY_VERIFY(!f.button->isHot());
    QCOMPARE(pixelAt(grabImage(f.button), 1, 1), kIdleFace);
}

void FlatButtonTest::pressedFaceShiftsCaption()
{
    StartButton f;
    QVERIFY(f.active);
    const QRect inner = QRect(0, 0, 241, 75).adjusted(4, 4, -4, -4);
    const QRect idleInk = inkBounds(grabImage(f.button), inner, kIdleFace);

    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(f.button->faceState(), TDefineButton::fcPressed);
    const QImage image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 1, 1), kDownFace);
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QCOMPARE(pixelAt(image, 240, 74), kShadow);
    QCOMPARE(inkBounds(image, inner, kDownFace), idleInk.translated(1, 1));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);
}

void FlatButtonTest::disabledFaceEmbossesCaption()
{
    StartButton f;
    QVERIFY(f.active);
    f.button->setFocus();
    f.button->setEnabled(false);
    QVERIFY(!f.button->isHot());
    const QImage image = grabImage(f.button);
    QCOMPARE(f.button->faceState(), TDefineButton::fcDisabled);
    QCOMPARE(pixelAt(image, 0, 0), kGrey);
    QCOMPARE(pixelAt(image, 240, 74), kGrey);
    QCOMPARE(pixelAt(image, 1, 1), kIdleFace);
    QCOMPARE(pixelAt(image, 2, 2), kIdleFace);
    const QRect inner = image.rect().adjusted(3, 3, -3, -3);
    QCOMPARE(countColor(image, inner, kMaroon), 0);
    QVERIFY(countColor(image, inner, QColor(160, 160, 160)) > 20); // clBtnShadow copy
    // The clBtnHighlight copy lies one pixel right of and below the shadow copy.
    const QColor highlight(250, 250, 250);
    QVERIFY(countColor(image, inner, highlight) > 20);
    QCOMPARE(strayCopyPixels(image, inner, kIdleFace, highlight, QPoint(1, 1)), 0);

    f.button->setEnabled(true);
    QCOMPARE(pixelAt(grabImage(f.button), 0, 0), kGrey);
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);
}

void FlatButtonTest::defaultDrawsTwoPixelBorder()
{
    StartButton f;
    QVERIFY(f.active);
    f.button->setDefault(true);
    QImage image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 1, 1), kGrey);
    QCOMPARE(pixelAt(image, 239, 73), kGrey);
    QCOMPARE(pixelAt(image, 2, 2), kIdleFace);
    f.button->setFocus(); // hot: back to one pixel
    image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 1, 1), kHotFace);
}

void FlatButtonTest::clickRules()
{
    StartButton f;
    QVERIFY(f.active);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);

    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(100, 40));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(f.button->hasFocus()); // a press takes the focus

    // Press, move off, release: no click, face back up.
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseMove(f.button, QPoint(300, 40));
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);
    QTest::mouseMove(f.button, QPoint(100, 40));
    QCOMPARE(f.button->faceState(), TDefineButton::fcPressed);
    QTest::mouseMove(f.button, QPoint(241, 40)); // the column right of the button is outside
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(241, 40));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);

    // The row just below the button still counts as inside.
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(100, 75));
    QCOMPARE(clicks.count(), 2);

    // A disabled button ignores the mouse.
    f.button->setEnabled(false);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(100, 40));
    QCOMPARE(clicks.count(), 2);
}

void FlatButtonTest::doubleClickGivesTwoClicks()
{
    StartButton f;
    QVERIFY(f.active);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);
    QSignalSpy doubles(f.button, &TDefineButton::doubleClicked);
    // What the platform delivers: press, release, double-click press, release.
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseDClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(doubles.count(), 0); // only a latched button reports the double-click
}

void FlatButtonTest::spaceClicksOnRelease()
{
    StartButton f;
    QVERIFY(f.active);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);
    f.button->setFocus(Qt::TabFocusReason);
    QTest::keyPress(f.button, Qt::Key_Space);
    QCOMPARE(f.button->faceState(), TDefineButton::fcPressed);
    QCOMPARE(pixelAt(grabImage(f.button), 1, 1), kDownFace);
    QCOMPARE(clicks.count(), 0);
    // Auto-repeat sends release/press pairs while the key is held: no click yet.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                            true);
    QApplication::sendEvent(f.button, &repeatRelease);
    QCOMPARE(clicks.count(), 0);
    QTest::keyRelease(f.button, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);
}

void FlatButtonTest::enterClicksWhenHot()
{
    StartButton f;
    QVERIFY(f.active);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);
    f.button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.button, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(f.button, Qt::Key_Enter, Qt::ShiftModifier);
    QCOMPARE(clicks.count(), 1);
}

void FlatButtonTest::keysDoNotReachTheWindow()
{
    StartButton f;
    QVERIFY(f.active);
    QShortcut shortcut(QKeySequence(Qt::Key_PageDown), &f.parent);
    QSignalSpy shortcutSpy(&shortcut, &QShortcut::activated);
    f.button->setFocus(Qt::TabFocusReason);
    for (const auto key : {Qt::Key_Space, Qt::Key_PageDown, Qt::Key_A, Qt::Key_F5})
        QTest::keyClick(f.button, key);
    QCOMPARE(f.parent.presses, 0);
    QCOMPARE(f.parent.releases, 0);
    QCOMPARE(shortcutSpy.count(), 0);
    // Alt combinations are passed on (the Alt key itself and Alt+X).
    QTest::keyClick(f.button, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(f.parent.presses, 2);
    QCOMPARE(f.parent.releases, 2);
    // With the focus elsewhere the same keys do reach the window.
    f.other->setFocus();
    QTest::keyClick(f.other, Qt::Key_PageDown);
    QCOMPARE(shortcutSpy.count(), 1);
}

void FlatButtonTest::numGlyphsFromGlyphSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("expected");
    QTest::newRow("64x16 strip of four") << QSize(64, 16) << 4;
    QTest::newRow("32x16 strip of two") << QSize(32, 16) << 2;
    QTest::newRow("80x16 more than four") << QSize(80, 16) << 1;
    QTest::newRow("50x16 not a multiple keeps 3") << QSize(50, 16) << 3;
    QTest::newRow("16x16 single") << QSize(16, 16) << 1;
}

void FlatButtonTest::numGlyphsFromGlyphSize()
{
    QFETCH(QSize, size);
    QFETCH(int, expected);
    TFlatButton button;
    button.setNumGlyphs(3);
    button.setGlyph(solidImage(size.width(), size.height(), Qt::red));
    QCOMPARE(button.numGlyphs(), expected);
}

void FlatButtonTest::onlyTheSameGlyphIsSkipped()
{
    TFlatButton button;
    const QImage strip = solidImage(32, 16, Qt::red);
    button.setGlyph(strip);
    QCOMPARE(button.numGlyphs(), 2);
    button.setNumGlyphs(1);
    // The button's own image again: nothing happens.
    button.setGlyph(button.glyph());
    QCOMPARE(button.numGlyphs(), 1);
    // An equal-looking image that is another one is taken, and counted again.
    button.setGlyph(strip.copy());
    QCOMPARE(button.numGlyphs(), 2);
}

void FlatButtonTest::glyphLeftOfCaptionWithTransparentWhite()
{
    QWidget parent;
    auto *button = new TFlatButton(&parent);
    button->setGeometry(0, 0, 112, 28);
    QFont font;
    font.setPixelSize(12);
    button->setFont(font);
    button->setColorBorder(clGray);
    button->setColorFlat(0xFEEFE7); // RGB 231,239,254
    button->setCaption(QString::fromUtf8("查看获奖名单"));
    QImage glyph = solidImage(16, 16, Qt::white);
    glyph.fill(Qt::white);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            glyph.setPixel(x, y, qRgb(0, 128, 0));
    button->setGlyph(glyph);
    button->setLayout(blGlyphLeft);
    parent.show();

    const TGlyphCaptionLayout expected = LayoutGlyphAndCaption(
        font, QRect(0, 0, 112, 28), QPoint(), blGlyphLeft, 4, -1, glyph, 1, button->caption());
    const QPoint origin = expected.glyphOrigin;
    QCOMPARE(origin.y(), 6);
    const QImage image = grabImage(button);
    QCOMPARE(pixelAt(image, origin.x() + 4, origin.y() + 4), QColor(0, 128, 0));
    QCOMPARE(pixelAt(image, origin.x() + 11, origin.y() + 11), QColor(0, 128, 0));
    QCOMPARE(pixelAt(image, origin.x() + 1, origin.y() + 1), kIdleFace); // white left out
    QCOMPARE(pixelAt(image, origin.x() + 15, origin.y() + 15), kIdleFace);
    // The caption starts 20 pixels right of the glyph.
    const QRect ink =
        inkBounds(image, QRect(origin.x() + 16, 3, 112 - origin.x() - 19, 22), kIdleFace);
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.left() >= origin.x() + 20 && ink.left() <= origin.x() + 22);
}

void FlatButtonTest::disabledGlyphKeepsOnlyBlackPixels()
{
    QWidget parent;
    auto *button = new TFlatButton(&parent);
    button->setGeometry(0, 0, 40, 40);
    button->setColorFlat(0xFEEFE7); // RGB 231,239,254
    QImage glyph = solidImage(16, 16, Qt::white);
    glyph.setPixel(5, 5, qRgb(0, 0, 0));
    glyph.setPixel(9, 9, qRgb(200, 0, 0));
    button->setGlyph(glyph);
    button->setEnabled(false);
    parent.show();
    const QPoint origin(12, 12); // a lone glyph is centred: (40 - 16) / 2
    const QImage image = grabImage(button);
    QCOMPARE(pixelAt(image, origin.x() + 5, origin.y() + 5), QColor(160, 160, 160));
    QCOMPARE(pixelAt(image, origin.x() + 6, origin.y() + 6), QColor(250, 250, 250));
    QCOMPARE(pixelAt(image, origin.x() + 9, origin.y() + 9), kIdleFace);
    QCOMPARE(pixelAt(image, origin.x() + 1, origin.y() + 1), kIdleFace);

    // Enabled again, the glyph shows as it is.
    button->setEnabled(true);
    const QImage enabled = grabImage(button);
    QCOMPARE(pixelAt(enabled, origin.x() + 5, origin.y() + 5), QColor(0, 0, 0));
    QCOMPARE(pixelAt(enabled, origin.x() + 9, origin.y() + 9), QColor(200, 0, 0));
}

void FlatButtonTest::glyphStripCellFollowsState()
{
    QWidget parent;
    auto *button = new TFlatButton(&parent);
    button->setGeometry(0, 0, 40, 40);
    QImage strip(64, 16, QImage::Format_RGB32);
    const QRgb cells[4] = {qRgb(10, 0, 0), qRgb(20, 0, 0), qRgb(30, 0, 0), qRgb(40, 0, 0)};
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                strip.setPixel(i * 16 + x, y, (y == 15 && x == 0) ? qRgb(255, 255, 255) : cells[i]);
    button->setGlyph(strip);
    parent.show();
    QCOMPARE(pixelAt(grabImage(button), 20, 20), QColor(cells[0]));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(pixelAt(grabImage(button), 21, 21), QColor(cells[2])); // pressed cell, shifted by one
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    button->setEnabled(false);
    QCOMPARE(pixelAt(grabImage(button), 20, 20), QColor(cells[1]));
    button->setEnabled(true);
    button->setGroupIndex(1);
    button->setDown(true);
    QCOMPARE(pixelAt(grabImage(button), 21, 21), QColor(cells[3]));
}

void FlatButtonTest::groupLatching()
{
    QWidget parent;
    auto *a = new TFlatButton(&parent);
    auto *b = new TFlatButton(&parent);
    auto *loose = new TFlatButton(&parent);
    b->move(100, 0);
    loose->move(200, 0);
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    parent.show();

    loose->setDown(true); // a button outside any group never latches
    QVERIFY(!loose->isDown());

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(a->isDown());
    QCOMPARE(a->faceState(), TDefineButton::fcExclusive);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(b->isDown());
    QVERIFY(!a->isDown());
    QCOMPARE(a->faceState(), TDefineButton::fcUp);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(b->isDown()); // a down button stays down while AllowAllUp is off

    // AllowAllUp is shared by the group: after any click the button is up.
    a->setAllowAllUp(true);
    QVERIFY(b->allowAllUp());
    QSignalSpy clicks(b, &TDefineButton::clicked);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!b->isDown());
    b->setDown(true);
    QVERIFY(b->isDown());
}

void FlatButtonTest::transparentFaceShowsParent()
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(10, 100, 200));
    parent.setPalette(pal);
    parent.resize(200, 100);
    auto *button = new TFlatButton(&parent);
    button->setGeometry(10, 10, 80, 25);
    button->setColorBorder(clGray);
    button->setTransparent(tmNotFocused);
    parent.show();
    QImage image = grabImage(button);
    QCOMPARE(pixelAt(image, 5, 5), QColor(10, 100, 200));
    QCOMPARE(pixelAt(image, 0, 0), kGrey);
    parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&parent));
    button->setFocus(); // hot: its own face again
    QVERIFY(button->isHot());
    image = grabImage(button);
    QCOMPARE(pixelAt(image, 5, 5), kHotFace);
    button->setTransparent(tmAlways);
    image = grabImage(button);
    QCOMPARE(pixelAt(image, 5, 5), QColor(10, 100, 200));
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
}

// The same drawing call gives the same pixels before the first paint, after it, and
// on screen.
void FlatButtonTest::drawingTakesItsStateFromTheButtonAsItIs()
{
    QWidget parent;
    parent.resize(200, 100);
    auto *focused = new QWidget(&parent); // takes the focus, so the button is not hot
    focused->setFocusPolicy(Qt::StrongFocus);
    focused->setGeometry(150, 50, 20, 20);
    auto *button = new TFlatButton(&parent);
    button->setGeometry(10, 10, 112, 32);
    button->setCaption(QString::fromUtf8("开始"));
    button->setGroupIndex(1);
    button->setDown(true);
    auto draw = [button] {
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        drawFlatButton(painter, image.rect(), button->styleOption(), button);
        return image;
    };
    const QImage beforePaint = draw();
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    const QImage onScreen = grabImage(button);
    const QImage afterPaint = draw();
    QCOMPARE(beforePaint, afterPaint);
    QCOMPARE(onScreen, afterPaint);
    // Latched: the caption sits one pixel right and down of where it sits up.
    const QRect latchedInk =
        inkBounds(afterPaint, afterPaint.rect().adjusted(3, 3, -3, -3), kDownFace);
    button->setAllowAllUp(true);
    button->setDown(false);
    const QImage up = draw();
    QCOMPARE(inkBounds(up, up.rect().adjusted(3, 3, -3, -3), QColor(235, 234, 225)),
             latchedInk.translated(-1, -1));
}

void FlatButtonTest::latchedAndHotFace()
{
    StartButton f;
    QVERIFY(f.active);
    const QRect inner = QRect(0, 0, 241, 75).adjusted(4, 4, -4, -4);
    const QRect upInk = inkBounds(grabImage(f.button), inner, kIdleFace);
    f.button->setGroupIndex(1);
    f.button->setDown(true);
    QImage image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 1, 1), kDownFace);
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QCOMPARE(inkBounds(image, inner, kDownFace), upInk.translated(1, 1));

    f.button->setFocus(); // latched and hot
    QVERIFY(f.button->isHot());
    image = grabImage(f.button);
    QCOMPARE(pixelAt(image, 1, 1), kHotFace);
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QVERIFY(pixelAt(image, 2, 2) != kHotFace); // focus rectangle
    QCOMPARE(inkBounds(image, inner, kHotFace), upInk.translated(1, 1));
}

void FlatButtonTest::captionWiderThanButtonIsCentredAndCut()
{
    StartButton f;
    QVERIFY(f.active);
    f.button->setCaption(QString::fromUtf8("开始开始开始开始"));
    const QImage image = grabImage(f.button);
    // The caption is drawn last and cut off only by the button's edges, so its ink
    // runs over the border on both sides.
    auto inkInColumn = [&image](int x) {
        return countColor(image, QRect(x, 1, 1, image.height() - 2), kMaroon);
    };
    QVERIFY(inkInColumn(0) > 0);
    QVERIFY(inkInColumn(240) > 0);
    // It runs off both edges (the placement itself is the layout test's concern).
    const QRect ink = inkBounds(image, image.rect().adjusted(0, 2, 0, -2), kIdleFace);
    QCOMPARE(ink.left(), 0);
    QCOMPARE(ink.right(), 240);
}

void FlatButtonTest::acceleratorCharacters()
{
    QWidget window;
    window.resize(300, 100);
    auto *edit = new QLineEdit(&window);
    edit->setGeometry(200, 10, 80, 20);
    auto *other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(200, 50, 20, 20);
    auto *button = new TFlatButton(&window);
    button->setCaption(QStringLiteral("&Go"));
    auto *grouped = new TFlatButton(&window);
    grouped->move(0, 40);
    // "&&" before the marked letter: read as a prefix it would mark the "m".
    grouped->setCaption(QStringLiteral("&&mend Fi&x"));
    grouped->setGroupIndex(1);
    new DialogKeyOffer(&window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicks(button, &TDefineButton::clicked);
    QSignalSpy groupedClicks(grouped, &TDefineButton::clicked);

    other->setFocus();
    QTest::keyClick(other, Qt::Key_G, Qt::AltModifier); // Alt with the character
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(other, Qt::Key_G); // plain, upper or lower case
    QTest::keyClick(other, Qt::Key_G, Qt::ShiftModifier);
    QCOMPARE(clicks.count(), 3);
    QTest::keyClick(other, Qt::Key_X); // a grouped button goes down
    QCOMPARE(groupedClicks.count(), 1);
    QVERIFY(grouped->isDown());
    QTest::keyClick(other, Qt::Key_M); // "&&" marks nothing
    QTest::keyClick(other, Qt::Key_O);
    QCOMPARE(groupedClicks.count(), 1);
    QCOMPARE(clicks.count(), 3);

    // A control that takes characters keeps them.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_G);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(edit->text(), QStringLiteral("g"));
    button->setEnabled(false);
    other->setFocus();
    QTest::keyClick(other, Qt::Key_G);
    QCOMPARE(clicks.count(), 3);
}

void FlatButtonTest::doubleClickOnLatchedButton()
{
    StartButton f;
    QVERIFY(f.active);
    f.button->setGroupIndex(1);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);
    QSignalSpy doubles(f.button, &TDefineButton::doubleClicked);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QVERIFY(f.button->isDown());
    QTest::mouseDClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(doubles.count(), 1);
    QVERIFY(f.button->isDown()); // AllowAllUp is off: it stays latched
}

void FlatButtonTest::mouseEnterHandlerReplacesHoverLook()
{
    StartButton f;
    QVERIFY(f.active);
    QList<QObject *> entered, left;
    f.button->setOnMouseEnter([&entered](QObject *sender) { entered << sender; });
    f.button->setOnMouseLeave([&left](QObject *sender) { left << sender; });
    QTest::mouseMove(f.button, QPoint(30, 30));
    QTRY_COMPARE(entered.count(), 1);
    QCOMPARE(entered.at(0), f.button);
    QVERIFY(!f.button->isHot());
    QCOMPARE(pixelAt(grabImage(f.button), 1, 1), kIdleFace);
    f.button->setFocus(); // focus still lights it
    QVERIFY(f.button->isHot());
    f.other->setFocus();
    QTest::mouseMove(&f.parent, QPoint(350, 10));
    QTRY_COMPARE(left.count(), 1);
    QVERIFY(!f.button->isHot());
}

void FlatButtonTest::popupMenuBelowOnEveryClick()
{
    StartButton f;
    QVERIFY(f.active);
    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    f.button->setPopupMenu(&menu);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QTRY_VERIFY(menu.isVisible());
    QCOMPARE(menu.pos(), f.button->mapToGlobal(QPoint(0, f.button->height())));
    QCOMPARE(clicks.count(), 1);
    menu.close();
}

void FlatButtonTest::actionBinding()
{
    StartButton f;
    QVERIFY(f.active);
    QAction action(QStringLiteral("&Run"));
    action.setToolTip(QStringLiteral("runs it"));
    f.button->setAction(&action);
    QCOMPARE(f.button->caption(), QStringLiteral("&Run"));
    QCOMPARE(f.button->toolTip(), QStringLiteral("runs it"));
    action.setText(QStringLiteral("Stop"));
    QCOMPARE(f.button->caption(), QStringLiteral("Stop"));
    action.setEnabled(false);
    QVERIFY(!f.button->isEnabled());
    action.setEnabled(true);
    action.setVisible(false);
    QVERIFY(f.button->isHidden());
    action.setVisible(true);

    QSignalSpy triggered(&action, &QAction::triggered);
    QSignalSpy clicks(f.button, &TDefineButton::clicked);
    int handled = 0;
    f.button->setOnClick([&handled](QObject *) { ++handled; });
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(clicks.count(), 0); // the action runs in its place
    QCOMPARE(handled, 0);
}

void FlatButtonTest::modalResultReachesTheDialogBeforeTheClick()
{
    QDialog dialog;
    dialog.resize(200, 100);
    auto *button = new TFlatButton(&dialog);
    button->setModalResult(QDialog::Accepted);
    int seen = -1;
    bool keepOpen = false;
    button->setOnClick([&](QObject *) {
        seen = dialog.result();
        if (keepOpen)
            dialog.setResult(0);
    });
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    keepOpen = true;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(seen, int(QDialog::Accepted));
    QVERIFY(dialog.isVisible()); // the handler took the result back

    keepOpen = false;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void FlatButtonTest::failingClickHandlerGoesToErrorBox()
{
    ReportedErrors errors;
    StartButton f;
    QVERIFY(f.active);
    f.button->setOnClick(
        [](QObject *) { throw std::runtime_error("List index out of bounds (3)"); });
    QTest::mouseMove(f.button, QPoint(50, 30));
    QTRY_VERIFY(f.button->isHot());
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(50, 30));
    QCOMPARE(errors.messages(), QStringList{QStringLiteral("List index out of bounds (3)")});
    // The face is up again; the hover look waits for the pointer's next move.
    QCOMPARE(f.button->faceState(), TDefineButton::fcUp);
    QVERIFY(!f.button->isHot());
}

// Down, Caption and Enabled tell each real change once, with the new value
// already in place, also when a click or the group makes it.
void FlatButtonTest::changeSignals()
{
    QWidget parent;
    auto *a = new TFlatButton(&parent);
    auto *b = new TFlatButton(&parent);
    b->move(100, 0);
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    parent.show();
    QSignalSpy aDown(a, &TDefineButton::downChanged);
    QSignalSpy bDown(b, &TDefineButton::downChanged);
    bool seenDown = false;
    connect(a, &TDefineButton::downChanged, a, [&] { seenDown = a->isDown(); });

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(aDown.count(), 1);
    QCOMPARE(aDown.at(0).at(0).toBool(), true);
    QVERIFY(seenDown);
    a->setDown(true); // already down: no change
    QCOMPARE(aDown.count(), 1);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(bDown.count(), 1);
    QCOMPARE(bDown.at(0).at(0).toBool(), true);
    QCOMPARE(aDown.count(), 2); // the group let go of it
    QCOMPARE(aDown.at(1).at(0).toBool(), false);

    QSignalSpy captions(a, &TDefineButton::captionChanged);
    a->setProperty("Caption", QString::fromUtf8("停止"));
    a->setCaption(QString::fromUtf8("停止"));
    QCOMPARE(captions.count(), 1);
    QCOMPARE(captions.at(0).at(0).toString(), QString::fromUtf8("停止"));

    QSignalSpy enabled(a, &TVersionControl::enabledChanged);
    a->setProperty("Enabled", false);
    a->setEnabled(false);
    QCOMPARE(enabled.count(), 1);
    QCOMPARE(enabled.at(0).at(0).toBool(), false);
    parent.setEnabled(false); // the container's state is not the button's setting
    parent.setEnabled(true);
    a->setEnabled(true);
    QCOMPARE(enabled.count(), 2);
    QCOMPARE(enabled.at(1).at(0).toBool(), true);
    QSignalSpy bEnabled(b, &TVersionControl::enabledChanged);
    parent.setEnabled(false);
    QCOMPARE(bEnabled.count(), 0);
}

QTEST_MAIN(FlatButtonTest)
#include "controls_flat_button_test.moc"

#include "controls/look_and_feel_painters.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "controls/look_radio_glyph.h"
#include "controls/look_visual_styles.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "property_rows.h"
#include "radio_glyph_checks.h"

#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace LookAndFeels;

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

    // Gives the focus to a widget of the bar that is no radio button.
    void focusElsewhere()
    {
        auto *other = new QWidget(&bar);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(610, 10, 20, 20);
        other->show();
        other->setFocus();
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
    void changeSignals();
    void pressReleasedOutsideDoesNotCheck();
    void arrowKeysMoveFocusAndCheck();
    void keyCallbacksRunFirst();
    void accelerator();
    void transparentShowsParentColour();
    void faceGlyphAndFocusRectangle();
    void disabledLook();
    void paintIsAFunctionOfState();
    void pressInInactiveWindowOnlyFocuses();
    void noHotLookWhileParentDisabled();
    void pointerWatchNoticesLeaving();
    void popupMenuAndContextPopup();
    void focusRectangleInFontAndBackgroundColours();
    void nativeModeAndLeftJustify();
    void lookAndFeelChangeRepaints();
    void arrowKeysReachAGroupBox();
    void propertiesByName_data();
    void propertiesByName();
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
    QCOMPARE(radioGlyphSize(), QSize(13, 13));
    const QImage image =
        radioGlyphImage(TLookAndFeelKind(kind), TGlyphState(state), checked, focused);
    const QList<int> &pattern = radioGlyphPattern();
    compareGlyphPixels(image, pattern, [&](int index) -> std::optional<QColor> {
        if (index == 1)
            return ring;
        if (index == 5)
            return body;
        if (index == 6)
            return dot;
        return std::nullopt;
    });
    if (QTest::currentTestFailed())
        return;
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
        drawRadioGlyph(p, QPoint(1, 1), lfUltraFlat, gsNormal, false, false, clDefault);
    }
    QCOMPARE(pixelAt(target, 1, 1), QColor(255, 0, 0)); // outside the round outline: untouched
    QCOMPARE(pixelAt(target, 7, 7), kWindow);
    {
        QPainter p(&target);
        drawRadioGlyph(p, QPoint(1, 1), lfUltraFlat, gsNormal, false, false, clBlue);
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

void RadioButtonTest::changeSignals()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[3];
    QSignalSpy checked(radio, &TLookRadioButton::checkedChanged);
    QSignalSpy firstChecked(f.radios[0], &TLookRadioButton::checkedChanged);
    QList<bool> storedWhenTold;
    connect(radio, &TLookRadioButton::checkedChanged, this,
            [&](bool) { storedWhenTold << radio->isChecked(); });
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(40, 12)); // by the user
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(40, 12)); // no change
    radio->setChecked(true);
    f.radios[5]->setChecked(true); // unchecks it
    QCOMPARE(checked, (QList<QList<QVariant>>{{true}, {false}}));
    QCOMPARE(storedWhenTold, (QList<bool>{true, false}));
    QCOMPARE(firstChecked, (QList<QList<QVariant>>{{false}}));

    QSignalSpy caption(radio, &TLookRadioButton::captionChanged);
    radio->setCaption(QStringLiteral("x"));
    radio->setCaption(QStringLiteral("x"));
    QVERIFY(radio->setProperty("Caption", QStringLiteral("y")));
    QCOMPARE(caption, (QList<QList<QVariant>>{{QStringLiteral("x")}, {QStringLiteral("y")}}));

    // Enabled is the own setting: disabling the bar tells nothing.
    QSignalSpy enabled(radio, &TLookRadioButton::enabledChanged);
    f.bar.setEnabled(false);
    QVERIFY(radio->setProperty("Enabled", false)); // inside the disabled bar
    f.bar.setEnabled(true);
    radio->setEnabled(true);
    radio->setEnabled(true);
    QCOMPARE(enabled, (QList<QList<QVariant>>{{false}, {true}}));
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

void RadioButtonTest::keyCallbacksRunFirst()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[0];
    radio->setFocus(Qt::TabFocusReason);
    QStringList heard;
    radio->setOnKeyDown([&](QObject *sender, int &key, Qt::KeyboardModifiers) {
        QCOMPARE(sender, radio);
        heard << QStringLiteral("down %1").arg(key);
        if (key == Qt::Key_Right)
            key = 0; // discarded: the focus stays
    });
    radio->setOnKeyPress([&](QObject *, QChar &key) { heard << QStringLiteral("press ") + key; });
    radio->setOnKeyUp([&](QObject *, int &key, Qt::KeyboardModifiers) {
        heard << QStringLiteral("up %1").arg(key);
    });
    QTest::keyClick(radio, Qt::Key_Right);
    QVERIFY(radio->hasFocus());
    QTest::keyClick(radio, Qt::Key_A);
    QCOMPARE(heard,
             (QStringList{QStringLiteral("down %1").arg(Qt::Key_Right),
                          QStringLiteral("up %1").arg(Qt::Key_Right),
                          QStringLiteral("down %1").arg(Qt::Key_A), QStringLiteral("press a"),
                          QStringLiteral("up %1").arg(Qt::Key_A)}));
    radio->setOnKeyDown(nullptr);
    QTest::keyClick(radio, Qt::Key_Right);
    QVERIFY(f.radios[1]->hasFocus());
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
    f.focusElsewhere();
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
    // The clBtnHighlight copy lies one pixel right of and below the clBtnShadow one.
    const QColor highlight(250, 250, 250);
    QVERIFY(countColor(image, textArea, highlight) > 20);
    QCOMPARE(strayCopyPixels(image, textArea, kBar, highlight, QPoint(1, 1)), 0);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(40, 12));
    QVERIFY(!radio->isChecked());
}

void RadioButtonTest::paintIsAFunctionOfState()
{
    // What the control's state says, drawn over the bar's colour.
    auto render = [](const TLookRadioButton *radio) {
        QImage image(radio->size(), QImage::Format_RGB32);
        image.fill(kBar);
        QPainter p(&image);
        drawRadioButton(p, QRect(QPoint(0, 0), radio->size()), radio->styleOption());
        return image;
    };
    QWidget bar;
    bar.resize(300, 46);
    bar.setAutoFillBackground(true);
    QPalette pal = bar.palette();
    pal.setColor(QPalette::Window, kBar);
    bar.setPalette(pal);
    auto *first = new QWidget(&bar); // takes the window's first focus
    first->setFocusPolicy(Qt::StrongFocus);
    first->setGeometry(200, 10, 20, 20);
    auto *radio = new TLookRadioButton(&bar);
    radio->setGeometry(10, 10, 94, 25);
    radio->setCaption(QString::fromUtf8("一等奖"));
    QFont font;
    font.setPixelSize(24);
    font.setStyleStrategy(QFont::NoAntialias);
    radio->setFont(font);
    radio->setTransparent(true);
    radio->setChecked(true);
    const QImage beforeFirstPaint = render(radio);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QImage onScreen =
        bar.grab(radio->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(onScreen, beforeFirstPaint);
    QCOMPARE(render(radio), onScreen);
    // The same holds for the plain mode, which fills its own colour.
    radio->setTransparent(false);
    radio->setColor(0xC0FFC0); // RGB 192,255,192
    const QImage plain =
        bar.grab(radio->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(render(radio), plain);
    QCOMPARE(pixelAt(plain, 0, 0), QColor(192, 255, 192));
}

void RadioButtonTest::pressInInactiveWindowOnlyFocuses()
{
    TierBar f;
    QVERIFY(f.active);
    QWidget other;
    other.resize(50, 50);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!f.bar.isActiveWindow());
    TLookRadioButton *radio = f.radios[2];
    QSignalSpy clicks(radio, &QAbstractButton::clicked);
    QTest::mousePress(radio, Qt::LeftButton, {}, QPoint(40, 12));
    // The press activates the window; the focus it brings does not check.
    f.bar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.bar));
    QVERIFY(radio->hasFocus());
    QVERIFY(!radio->isChecked());
    QCOMPARE(clicks.count(), 0);
    QTest::mouseMove(radio, QPoint(200, 12));
    QTest::mouseRelease(radio, Qt::LeftButton, {}, QPoint(200, 12));
    QVERIFY(!radio->isChecked()); // released outside
    QVERIFY(f.radios[0]->isChecked());

    // Again, released inside: checked with one click.
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    TLookRadioButton *fourth = f.radios[3];
    QSignalSpy fourthClicks(fourth, &QAbstractButton::clicked);
    QTest::mousePress(fourth, Qt::LeftButton, {}, QPoint(40, 12));
    f.bar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.bar));
    QVERIFY(!fourth->isChecked());
    QTest::mouseRelease(fourth, Qt::LeftButton, {}, QPoint(40, 12));
    QVERIFY(fourth->isChecked());
    QCOMPARE(fourthClicks.count(), 1);
}

void RadioButtonTest::noHotLookWhileParentDisabled()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[1];
    QTest::mouseMove(radio, QPoint(40, 12));
    QCOMPARE(radio->pointerState(), gsHot);
    f.bar.setEnabled(false); // as the window does while a draw rolls
    QCOMPARE(radio->pointerState(), gsNormal);
    QEnterEvent enter(QPointF(40, 12), QPointF(40, 12), radio->mapToGlobal(QPointF(40, 12)));
    QCoreApplication::sendEvent(radio, &enter);
    QCOMPARE(radio->pointerState(), gsNormal);
    QVERIFY(!radio->pointerWatchActive());
    const QImage image = f.grabRadio(1);
    QCOMPARE(pixelAt(image, radio->glyphRect().left() + 6, radio->glyphRect().top()), kShadow);
}

void RadioButtonTest::pointerWatchNoticesLeaving()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[1];
    QCursor::setPos(radio->mapToGlobal(QPoint(40, 12)));
    QTest::mouseMove(radio, QPoint(40, 12));
    QCOMPARE(radio->pointerState(), gsHot);
    QVERIFY(radio->pointerWatchActive());
    // The pointer goes away without a leave notice; the watch notices.
    QCursor::setPos(radio->mapToGlobal(QPoint(40, 200)));
    QTRY_COMPARE(radio->pointerState(), gsNormal);
    QVERIFY(!radio->pointerWatchActive());
}

void RadioButtonTest::popupMenuAndContextPopup()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[0];
    QObject notAMenu;
    radio->setPopupMenu(&notAMenu);
    QCOMPARE(radio->popupMenu(), nullptr);
    auto *menu = new QMenu;
    QAction *action = menu->addAction(QStringLiteral("Reset"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    QSignalSpy triggered(action, &QAction::triggered);
    QVERIFY(radio->setProperty("PopupMenu", QVariant::fromValue<QObject *>(menu)));
    QCOMPARE(radio->popupMenu(), menu);

    // A key is offered to the menu first.
    radio->setFocus();
    QTest::keyClick(radio, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);

    // The context request goes to the handler first; handled keeps the menu shut.
    QList<QPoint> asked;
    QVERIFY(radio->setProperty(
        "OnContextPopup",
        QVariant::fromValue<TContextPopupEvent>([&](QObject *sender, QPoint pos, bool &handled) {
            QCOMPARE(sender, radio);
            asked << pos;
            handled = true;
        })));
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(5, 5),
                               radio->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(radio, &keyboard);
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(30, 10),
                            radio->mapToGlobal(QPoint(30, 10)));
    QCoreApplication::sendEvent(radio, &mouse);
    QCOMPARE(asked, (QList<QPoint>{QPoint(-1, -1), QPoint(30, 10)}));
    QVERIFY(!menu->isVisible());

    delete menu; // the reference is cleared with the menu
    QCOMPARE(radio->popupMenu(), nullptr);
}

void RadioButtonTest::focusRectangleInFontAndBackgroundColours()
{
    TierBar f;
    QVERIFY(f.active);
    f.focusElsewhere();
    TLookRadioButton *radio = f.radios[0];
    const QImage unfocused = f.grabRadio(0);
    radio->setFocus(Qt::OtherFocusReason);
    const QImage focused = f.grabRadio(0);
    // Every pixel the focus rectangle changes is black (the font colour); the
    // ones between the dots are the background colour, the bar's.
    int dots = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = radio->glyphRect().right() + 1; x < 94; ++x)
            if (pixelAt(focused, x, y) != pixelAt(unfocused, x, y)) {
                QCOMPARE(pixelAt(focused, x, y), kBlack);
                ++dots;
            }
    QVERIFY(dots > 20);
}

void RadioButtonTest::nativeModeAndLeftJustify()
{
    TierBar f;
    TLookRadioButton *radio = f.radios[0];
    QCOMPARE(radio->glyphRect().left(), 1);
    radio->lookAndFeel()->setNativeStyle(true);
    QVERIFY(VisualStylesAvailable({QStringLiteral("Button")}));
    const QSize size = nativeRadioGlyphSize();
    QCOMPARE(radio->glyphRect(), QRect(0, (25 - size.height()) / 2, size.width(), size.height()));
    const TRadioButtonOption native = radio->styleOption();
    QVERIFY(native.native);
    QCOMPARE(native.painter, &TNativeLookAndFeelPainter::instance());
    QCOMPARE(radioTextRect(radio->rect(), native).left(), size.width() + 3);

    radio->lookAndFeel()->setNativeStyle(false);
    radio->setAlignment(FlatStyle::taLeftJustify);
    QCOMPARE(radio->glyphRect(), QRect(94 - 13, 6, 13, 13));
    // taCenter has no place for the glyph: refused, the caption stays left of it.
    QVERIFY(radio->setProperty("Alignment", QStringLiteral("taCenter")));
    QCOMPARE(radio->alignment(), FlatStyle::taLeftJustify);
    QCOMPARE(radio->glyphRect(), QRect(94 - 13, 6, 13, 13));
    const TRadioButtonOption left = radio->styleOption();
    QCOMPARE(radioTextRect(radio->rect(), left), QRect(2, -1, 94 - 13 - 2 - 1, 26));
    radio->setWordWrap(true);
    QCOMPARE(radioTextRect(radio->rect(), radio->styleOption()).right(), 94 - 13 - 6 - 1);
}

void RadioButtonTest::lookAndFeelChangeRepaints()
{
    TierBar f;
    QVERIFY(f.active);
    TLookRadioButton *radio = f.radios[0];
    const QRect glyph = radio->glyphRect();
    radio->lookAndFeel()->setKind(lfStandard);
    QImage image = f.grabRadio(0);
    QCOMPARE(pixelAt(image, glyph.left() + 10, glyph.top() + 2), QColor(227, 227, 227));
    // Through the root: a radio that set no kind follows it, this one keeps its own.
    TLookAndFeel::root()->setKind(lfFlat);
    QCOMPARE(f.radios[1]->styleOption().painter, &TFlatLookAndFeelPainter::instance());
    QCOMPARE(radio->styleOption().painter, &TStandardLookAndFeelPainter::instance());
    TLookAndFeel::root()->setAssignedValues({});
    QCOMPARE(f.radios[1]->styleOption().painter, &TUltraFlatLookAndFeelPainter::instance());
}

void RadioButtonTest::arrowKeysReachAGroupBox()
{
    // A group box takes the focus without being a tab stop: the arrows stop at it.
    TierBar f;
    QVERIFY(f.active);
    auto *box = new TLookGroupBox(&f.bar); // after the six radios in the focus order
    box->setGeometry(600, 0, 40, 46);
    box->show();
    f.radios[5]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.radios[5], Qt::Key_Right);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->tabStop(), false);
    QVERIFY(f.radios[5]->isChecked());
    box->hide(); // one that cannot take the focus is skipped
    f.radios[5]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.radios[5], Qt::Key_Right);
    QVERIFY(f.radios[0]->hasFocus());
}

void RadioButtonTest::propertiesByName_data()
{
    addPropertyColumns();
    auto row = [](const char *name, const QVariant &w, const QVariant &r) {
        addPropertyRow("radio", name, w, r);
    };
    row("Caption", QStringLiteral("&Gold"), QStringLiteral("&Gold"));
    row("Checked", true, true);
    row("Alignment", QStringLiteral("taLeftJustify"), int(FlatStyle::taLeftJustify));
    row("WordWrap", true, true);
    row("Transparent", true, true);
    row("ParentBackground", false, false);
    row("Color", uint(0x00FF00), uint(0x00FF00));
    row("ParentColor", false, false);
    row("ParentFont", false, false);
    row("Enabled", false, false);
    row("Visible", false, false);
    row("TabStop", true, true);
    row("TabOrder", 1, 1); // its place after the first radio
}

void RadioButtonTest::propertiesByName()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);
    QWidget parent;
    auto *first = new TLookRadioButton(&parent);
    auto *radio = new TLookRadioButton(&parent);
    Q_UNUSED(first);
    parent.show();
    comparePropertyRoundTrip(radio, name, written, read);
    if (QTest::currentTestFailed())
        return;
    // The look and feel and the font are objects of their own, also by name.
    auto *lf = radio->property("LookAndFeel").value<TLookAndFeel *>();
    QCOMPARE(lf, radio->lookAndFeel());
    TLookAndFeel source;
    source.setKind(lfOffice11);
    QVERIFY(radio->setProperty("LookAndFeel", QVariant::fromValue(&source)));
    QCOMPARE(radio->lookAndFeel(), lf); // its own, with the source's values
    QCOMPARE(lf->kind(), lfOffice11);
    QCOMPARE(lf->assignedValues(), TLookAndFeelValues(lfvKind));
    QFont font;
    font.setPixelSize(17);
    QVERIFY(radio->setProperty("Font", font));
    QCOMPARE(radio->property("Font").value<QFont>().pixelSize(), 17);
}

QTEST_MAIN(RadioButtonTest)
#include "controls_look_radio_button_test.moc"

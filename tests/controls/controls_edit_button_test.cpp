#include "controls/edit_button.h"
#include "controls/edit_button_faces.h"
#include "controls/edit_number.h"
#include "edit_fixtures.h"
#include "manual_repeat_timer.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The group-size field with its up/down button, on a clock of the test's.
struct Field {
    QWidget parent;
    TDBNumberEdit *edit = nullptr;
    TEditButtonControl *button = nullptr;
    ManualTimer *timer = nullptr;
    int now = 0;
    QList<int> stepTimes;
    bool active = false;

    Field()
    {
        parent.resize(200, 60);
        edit = new TDBNumberEdit(&parent);
        edit->setGeometry(10, 10, 44, 22);
        setUpAsGroupSize(edit);
        edit->setValue(500);
        button = edit->editButtonControl();
        auto owned = std::make_unique<ManualTimer>(now);
        timer = owned.get();
        button->setRepeatTimer(std::move(owned));
        QObject::connect(edit, &TDBNumberEdit::changed, edit, [this] { stepTimes << now; });
        parent.show();
        // Active, as under the operator's pointer: the press's focus entry comes at once.
        parent.activateWindow();
        active = QTest::qWaitForWindowActive(&parent);
    }

    // "press U|M|L", "move U|M|L|out", "release", "dblclick L" (a whole double click) at a time.
    void run(const QString &script)
    {
        const int h = button->height();
        auto at = [h](const QString &where) {
            if (where == QLatin1String("U"))
                return QPoint(5, 2);
            if (where == QLatin1String("M"))
                return QPoint(5, h / 2);
            if (where == QLatin1String("L"))
                return QPoint(5, h - 3);
            return QPoint(5, h + 10);
        };
        QPoint last;
        for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList words = step.simplified().split(QLatin1Char(' '));
            timer->advanceTo(words.at(0).toInt());
            const QString action = words.at(1);
            if (action == QLatin1String("press")) {
                last = at(words.at(2));
                QTest::mousePress(button, Qt::LeftButton, {}, last);
            } else if (action == QLatin1String("dblclick")) {
                // Two clicks in quick succession through the window, so Qt
                // itself decides what the button receives of the second press.
                last = at(words.at(2));
                QWindow *window = parent.windowHandle();
                const QPoint inWindow = button->mapTo(&parent, last);
                QTest::mouseDClick(window, Qt::LeftButton, {}, inWindow);
                QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow);
            } else if (action == QLatin1String("move")) {
                last = at(words.at(2));
                QMouseEvent move(QEvent::MouseMove, last, button->mapToGlobal(last), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(button, &move);
            } else if (action == QLatin1String("release")) {
                QTest::mouseRelease(button, Qt::LeftButton, {}, last);
            }
        }
    }
};

// Counts OnButtonClick (a callback that answers back, not a signal).
struct ClickCounter {
    int clicks = 0;
    explicit ClickCounter(TDBNumberEdit *edit)
    {
        edit->setOnButtonClick([this](QObject *, bool &) { ++clicks; });
    }
    int count() const { return clicks; }
};

} // namespace

class EditButtonTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void pressAndHold_data();
    void pressAndHold();
    void buttonDownHandlerAnswers_data();
    void buttonDownHandlerAnswers();
    void disabledEditIgnoresPresses();
    void shortCutIsAProperty();
    void propertiesByName();
    void flatButtonWidth_data();
    void flatButtonWidth();
    void furtherButtonsAndHeights();
    void clickRunsHandlerOrAction();
    void enabledTellsItsChanges();
    void copyCarriesTheHandlers();
    void drawingIsAFunctionOfState_data();
    void drawingIsAFunctionOfState();
    void facesAreCachedProgramWide();
};

void EditButtonTest::pressAndHold_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("text");
    QTest::newRow("upper half, once") << "0 press U; 50 release" << QList<int>{0} << 1 << "501";
    QTest::newRow("lower half held one second")
        << "0 press L; 1000 release" << QList<int>{0, 400, 500, 600, 700, 800, 900, 1000} << 1
        << "492";
    QTest::newRow("slid onto the other half")
        << "0 press U; 200 move L; 600 release" << QList<int>{0} << 0 << "501";
    QTest::newRow("middle row presses neither")
        << "0 press M; 600 release" << QList<int>{} << 1 << "500";
    QTest::newRow("repeat pauses off the pressed half")
        << "0 press L; 450 move out; 750 move L; 1000 release" << QList<int>{0, 400, 800, 900, 1000}
        << 1 << "495";
    QTest::newRow("double click steps twice") << "0 dblclick U" << QList<int>{0, 0} << 2 << "502";
    QTest::newRow("two double clicks step four times")
        << "0 dblclick L; 300 dblclick L" << QList<int>{0, 0, 300, 300} << 4 << "496";
}

void EditButtonTest::pressAndHold()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, steps);
    QFETCH(int, clicks);
    QFETCH(QString, text);
    Field f;
    QVERIFY(f.active);
    ClickCounter clickSpy(f.edit);
    f.run(script);
    QCOMPARE(f.stepTimes, steps);
    QCOMPARE(clickSpy.count(), clicks);
    QCOMPARE(f.edit->text(), text);
    QCOMPARE(f.button->repeatInterval(), 0); // the release stops the timer
    QVERIFY(!f.button->isDown());
}

void EditButtonTest::buttonDownHandlerAnswers_data()
{
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("AutoRepeat cleared: one step per press") << false << false << QList<int>{0};
    QTest::newRow("Handled: no step") << true << true << QList<int>{};
}

void EditButtonTest::buttonDownHandlerAnswers()
{
    QFETCH(bool, autoRepeat);
    QFETCH(bool, handled);
    QFETCH(QList<int>, steps);
    Field f;
    int downs = 0;
    f.edit->setOnButtonDown([&](QObject *sender, bool top, bool &repeat, bool &isHandled) {
        QCOMPARE(sender, f.button);
        QVERIFY(!top);
        ++downs;
        repeat = autoRepeat;
        isHandled = handled;
    });
    f.run(QStringLiteral("0 press L; 1000 release"));
    QCOMPARE(f.stepTimes, steps);
    // A handler that keeps the repeat on hears every repeat.
    QCOMPARE(downs, autoRepeat ? 8 : 1);
}

void EditButtonTest::disabledEditIgnoresPresses()
{
    Field f;
    f.edit->setEnabled(false);
    QVERIFY(!f.button->isEnabled());
    f.run(QStringLiteral("0 press U; 500 release"));
    QCOMPARE(f.stepTimes, QList<int>{});
    QCOMPARE(f.edit->text(), QStringLiteral("500"));
    // Both halves drawn inactive: the arrows in the disabled shadow colour.
    const QImage image = grabImage(f.button);
    QCOMPARE(countColor(image, image.rect(), QColor(0, 0, 0)), 0);
}

void EditButtonTest::shortCutIsAProperty()
{
    Field f;
    f.edit->setFocus();
    ClickCounter clickSpy(f.edit);
    QCOMPARE(f.edit->editButton()->shortCut(), QKeySequence(Qt::AltModifier | Qt::Key_Down));
    QTest::keyClick(f.edit->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("499")); // the lower half, then a click
    QCOMPARE(clickSpy.count(), 1);
    f.edit->editButton()->setShortCut(QKeySequence(Qt::Key_F4));
    QTest::keyClick(f.edit->lineEdit(), Qt::Key_F4);
    QCOMPARE(f.edit->text(), QStringLiteral("498"));
    QCOMPARE(clickSpy.count(), 2);
    // No longer the shortcut: Alt+Down is the Down key's step again.
    QTest::keyClick(f.edit->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("497"));
    QCOMPARE(clickSpy.count(), 2);
}

void EditButtonTest::propertiesByName()
{
    TEditButton button;
    QSignalSpy changes(&button, &TEditButton::changed);
    struct Row {
        const char *name;
        QVariant written;
        QVariant read;
    };
    const QPixmap glyph(8, 8);
    const Row rows[] = {
        {"Style", QStringLiteral("ebsUpDown"), QVariant::fromValue(EditTools::ebsUpDown)},
        {"Visible", true, true},
        {"Enabled", false, false},
        {"Hint", QStringLiteral("步进"), QStringLiteral("步进")},
        {"NumGlyphs", 9, 4}, // clamped to 1 ... 4
        {"Width", 20, 20},
        {"ShortCut", QKeySequence(Qt::Key_F4), QKeySequence(Qt::Key_F4)},
    };
    for (const Row &row : rows) {
        QVERIFY2(button.setProperty(row.name, row.written), row.name);
        QCOMPARE(button.property(row.name), row.read);
    }
    QCOMPARE(button.style(), EditTools::ebsUpDown);
    QCOMPARE(button.property("Style").value<TEditButtonStyle>(), EditTools::ebsUpDown);
    QCOMPARE(changes.count(), int(std::size(rows)));
    // Writing the same values again changes nothing.
    for (const Row &row : rows)
        button.setProperty(row.name, row.read);
    QCOMPARE(changes.count(), int(std::size(rows)));

    TEditButtonControl control;
    QVERIFY(control.setProperty("HeldDown", true));
    QCOMPARE(control.pressedHalf(), 1);
    QVERIFY(control.isDown());
    QVERIFY(control.setProperty("Style", QStringLiteral("ebsEllipsis")));
    QCOMPARE(control.buttonStyle(), EditTools::ebsEllipsis);
}

void EditButtonTest::flatButtonWidth_data()
{
    QTest::addColumn<int>("characterHeight");
    QTest::addColumn<int>("scrollBar");
    QTest::addColumn<int>("width");
    QTest::newRow("16-pixel system font") << 16 << 17 << 11;
    QTest::newRow("even is made odd") << 12 << 17 << 9;
    QTest::newRow("ties to even, then odd") << 15 << 17 << 11;
    QTest::newRow("never wider than a scroll bar") << 24 << 14 << 14;
}

void EditButtonTest::flatButtonWidth()
{
    QFETCH(int, characterHeight);
    QFETCH(int, scrollBar);
    QFETCH(int, width);
    QCOMPARE(FlatButtonWidth(characterHeight, scrollBar), width);
    // From this desktop's metrics: odd and no wider than its scroll bars.
    QVERIFY(FlatButtonWidth() % 2 == 1 || FlatButtonWidth() == ScrollBarWidth());
    QVERIFY(FlatButtonWidth() <= ScrollBarWidth());
}

void EditButtonTest::furtherButtonsAndHeights()
{
    QWidget parent;
    auto *edit = new TDBNumberEdit(&parent);
    QFont font;
    font.setPixelSize(16);
    edit->setFont(font);
    edit->setGeometry(0, 0, 80, 22);
    edit->setFlat(true);
    QCOMPARE(edit->height(), 22); // AutoSize: 16 pixels, 3D and flat
    edit->editButton()->setVisible(true);
    edit->editButton()->setWidth(11);
    TVisibleEditButton *extra = edit->editButtons()->add();
    extra->setStyle(EditTools::ebsEllipsis);
    extra->setWidth(20);
    parent.show();
    // Main button right of its separator, the further one right of the main.
    QCOMPARE(edit->editButtonControl(1)->geometry(), QRect(58, 2, 20, 16));
    QCOMPARE(edit->editButtonControl(0)->geometry(), QRect(46, 2, 11, 16));
    QCOMPARE(edit->buttonAreaWidth(), 33); // two buttons, each with its separator
    QCOMPARE(edit->lineEdit()->width(), 76 - 33);

    // Width 20 alone on an 18-pixel-high client: R = 30 is not below 18.
    edit->editButtons()->clear();
    edit->editButton()->setWidth(20);
    QCOMPARE(edit->editButtonControl(0)->height(), 18);

    // A further button's own OnDown and shortcut.
    TVisibleEditButton *plus = edit->editButtons()->add();
    plus->setStyle(EditTools::ebsPlus);
    plus->setShortCut(QKeySequence(Qt::Key_F2));
    int downs = 0;
    plus->setOnDown([&](QObject *, bool, bool &, bool &) { ++downs; });
    edit->setFocus();
    QTest::keyClick(edit->lineEdit(), Qt::Key_F2);
    QCOMPARE(downs, 1);
    QTest::mouseClick(edit->editButtonControl(1), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(downs, 2);
}

void EditButtonTest::clickRunsHandlerOrAction()
{
    Field f;
    QAction action;
    QSignalSpy triggered(&action, &QAction::triggered);
    ClickCounter clickSpy(f.edit);
    f.edit->editButton()->setAction(&action);
    // With an action the press does not step; the click runs the action and
    // counts as handled, so OnButtonClick does not fire.
    f.run(QStringLiteral("0 press U; 10 release"));
    QCOMPARE(f.edit->text(), QStringLiteral("500"));
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(clickSpy.count(), 0);
    // An OnClick handler comes before the action.
    int handlerCalls = 0;
    f.edit->editButton()->setOnClick([&](QObject *, bool &) { ++handlerCalls; });
    f.run(QStringLiteral("20 press U; 30 release"));
    QCOMPARE(handlerCalls, 1);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(clickSpy.count(), 1); // not handled: OnButtonClick follows
    // The action's state shows on the button.
    action.setEnabled(false);
    QVERIFY(!f.edit->editButton()->isEnabled());
    QVERIFY(!f.button->isEnabled());
}

// Enabled tells each change once, its own or its action's.
void EditButtonTest::enabledTellsItsChanges()
{
    TEditButton button;
    const QMetaObject *meta = button.metaObject();
    QCOMPARE(meta->property(meta->indexOfProperty("Enabled")).notifySignal(),
             QMetaMethod::fromSignal(&TEditButton::enabledChanged));
    QSignalSpy spy(&button, &TEditButton::enabledChanged);
    const auto told = [&spy] {
        QList<bool> values;
        for (const QList<QVariant> &arguments : std::as_const(spy))
            values << arguments.at(0).toBool();
        return values;
    };
    button.setEnabled(false);
    button.setEnabled(false);
    QCOMPARE(told(), QList<bool>{false});
    QAction action; // enabled: the button follows it
    button.setAction(&action);
    QCOMPARE(told(), (QList<bool>{false, true}));
    action.setText(QStringLiteral("步进")); // a change that leaves Enabled as it is
    action.setEnabled(false);
    QCOMPARE(told(), (QList<bool>{false, true, false}));
    button.setEnabled(true); // the action's state still counts
    QCOMPARE(told(), (QList<bool>{false, true, false}));
}

// Copying a button description copies what a layout sets, its handlers too:
// the copy's click runs the handler, not the copy's action.
void EditButtonTest::copyCarriesTheHandlers()
{
    TEditButton source;
    source.setStyle(EditTools::ebsPlus);
    source.setWidth(20);
    source.setVisible(true);
    int clicks = 0;
    int downs = 0;
    source.setOnClick([&](QObject *, bool &) { ++clicks; });
    source.setOnDown([&](QObject *, bool, bool &, bool &) { ++downs; });
    TEditButton copy;
    QAction action;
    QSignalSpy triggered(&action, &QAction::triggered);
    copy.setAction(&action);
    copy.assign(source);
    QCOMPARE(copy.style(), EditTools::ebsPlus);
    QCOMPARE(copy.width(), 20);
    QVERIFY(copy.isVisible());
    QCOMPARE(copy.action(), nullptr); // the source's action: none
    copy.setAction(&action);
    bool handled = false;
    copy.performClick(&copy, handled);
    QCOMPARE(clicks, 1);
    QCOMPARE(triggered.count(), 0);
    bool autoRepeat = true;
    copy.onDown()(&copy, true, autoRepeat, handled);
    QCOMPARE(downs, 1);
}

namespace {

// A region of a picture that must be all one colour.
struct Area {
    QRect rect;
    QColor color;
};

// What the state says the window's 11 x 16 flat up/down button shows.
QList<Area> expectedFaces(bool held, bool lit, const QColor &parent)
{
    const QColor face = toQColor(clBtnFace), text = toQColor(clBtnText);
    const QColor light = toQColor(clBtnHighlight), shadow = toQColor(clBtnShadow);
    // The up arrow's tip: shifted one pixel right and down while pressed.
    const QPoint tip = held ? QPoint(6, 3) : QPoint(5, 2);
    QList<Area> areas{{QRect(tip, QSize(1, 1)), text},
                      {QRect(tip - QPoint(1, 0), QSize(1, 1)), face}};
    if (!lit) {
        // Inset faces: the frame and the rows between the halves in the edit's colour.
        for (const QRect &r : {QRect(0, 0, 11, 1), QRect(0, 15, 11, 1), QRect(0, 7, 11, 2),
                               QRect(0, 0, 1, 16), QRect(10, 0, 1, 16)})
            areas.append({r, parent});
        areas.append({QRect(1, 1, 1, 6), face});
        areas.append({QRect(1, 9, 1, 6), face});
        return areas;
    }
    // Lit: each half has a one-pixel edge, sunken for the pressed upper half.
    const QColor upperTopLeft = held ? shadow : light, upperBottomRight = held ? light : shadow;
    areas.append({QRect(0, 0, 10, 1), upperTopLeft});
    areas.append({QRect(0, 0, 1, 7), upperTopLeft});
    areas.append({QRect(0, 7, 11, 1), upperBottomRight});
    areas.append({QRect(10, 1, 1, 7), upperBottomRight});
    areas.append({QRect(0, 8, 10, 1), light});
    areas.append({QRect(0, 8, 1, 7), light});
    areas.append({QRect(0, 15, 11, 1), shadow});
    areas.append({QRect(10, 9, 1, 7), shadow});
    return areas;
}

} // namespace

void EditButtonTest::drawingIsAFunctionOfState_data()
{
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("lit");
    QTest::newRow("dim") << false << false;
    QTest::newRow("dim, upper half held") << true << false;
    QTest::newRow("lit") << false << true;
    QTest::newRow("lit, upper half held") << true << true;
}

// The button on screen shows what its state says, whatever states it showed before.
void EditButtonTest::drawingIsAFunctionOfState()
{
    QFETCH(bool, held);
    QFETCH(bool, lit);
    const QColor parent(0x12, 0x34, 0x56);
    TEditButtonControl control;
    control.resize(11, 16);
    control.setButtonStyle(EditTools::ebsUpDown);
    control.setFlat(true);
    control.setParentColor(parent);
    auto check = [&](const QImage &image) {
        for (const Area &a : expectedFaces(held, lit, parent))
            QCOMPARE(countColor(image, a.rect, a.color), a.rect.width() * a.rect.height());
    };
    control.setHeldDown(held);
    control.setDrawLit(lit);
    const QImage first = grabImage(&control);
    check(first);
    // Every other state shown in between leaves no trace.
    control.setHeldDown(!held);
    grabImage(&control);
    control.setDrawLit(!lit);
    grabImage(&control);
    control.setHeldDown(held);
    control.setDrawLit(lit);
    QCOMPARE(grabImage(&control), first);
}

void EditButtonTest::facesAreCachedProgramWide()
{
    TButtonsBitmapCache &cache = TButtonsBitmapCache::instance();
    cache.clear();
    TEditButtonControl a, b;
    for (TEditButtonControl *c : {&a, &b}) {
        c->resize(11, 16);
        c->setButtonStyle(EditTools::ebsUpDown);
        grabImage(c);
    }
    QCOMPARE(cache.size(), 2); // an up face and a down face, shared by both
    a.setHeldDown(true);
    grabImage(&a);
    QCOMPARE(cache.size(), 3);
    // New system colours: the faces are drawn again.
    QApplication::setPalette(QPalette(QColor(0x808080))); // RGB 128,128,128
    QCOMPARE(cache.size(), 0);
}

QTEST_MAIN(EditButtonTest)
#include "controls_edit_button_test.moc"

// Enter offered to the window's flat buttons, and Start's hot face, on the real window.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "platform/label.h"
#include "platform/list_box.h"

#include <QTimer>
#include <QtTest>

namespace {

const QColor kIdleFace(231, 239, 254);
const QColor kHotFace(153, 190, 251);
const QColor kShadow(0, 198, 198);
const QColor kGrey(128, 128, 128);

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The window as the operator finds it after answering the resume question.
void openWindow(WindowFixture &f)
{
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTRY_COMPARE(f.dialogs.questions.size(), 1);
    // The pointer starts on no button. The window appears under the last test's
    // pointer and a move to where the pointer already is gets dropped, so move it
    // onto Start and off again.
    QTest::mouseMove(form.Button1, QPoint(5, 5));
    QTest::mouseMove(form.Label13, QPoint(5, 5));
    QTRY_VERIFY(!form.Button1->underMouse());
}

void pointAt(QWidget *control)
{
    QTest::mouseMove(control, control->rect().center());
}

void pressEnter(TForm1 &form, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QTest::keyClick(target, Qt::Key_Return, modifiers);
}

enum class Focus { GroupSize, Roster, Window };

void focusOn(TForm1 &form, Focus focus)
{
    switch (focus) {
    case Focus::GroupSize:
        form.SpinEdit1->setFocus();
        break;
    case Focus::Roster:
        form.ListBox1->setFocus();
        break;
    case Focus::Window:
        form.setFocus();
        break;
    }
}

} // namespace

class EnterOfferTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void enterClicksStartUnderThePointer_data();
    void enterClicksStartUnderThePointer();
    void enterWithoutHotButtonOrWithModifierDoesNothing();
    void firstHotButtonInWindowOrderTakesEnter();
    void startShowsHotFaceWhenReenabledUnderThePointer();
    void heldEnterOnStartActsOnce();
};

void EnterOfferTest::enterClicksStartUnderThePointer_data()
{
    QTest::addColumn<Focus>("focus");
    QTest::newRow("group-size field") << Focus::GroupSize;
    QTest::newRow("roster list") << Focus::Roster;
    QTest::newRow("window itself") << Focus::Window;
}

void EnterOfferTest::enterClicksStartUnderThePointer()
{
    QFETCH(Focus, focus);
    WindowFixture f;
    openWindow(f);
    TForm1 &form = *f.form;
    focusOn(form, focus);
    pointAt(form.Button1);
    QTRY_VERIFY(form.Button1->isHot());
    QVERIFY(!form.Button1->hasFocus());
    const QString groupSize = form.SpinEdit1->text();

    pressEnter(form);
    QCOMPARE(form.rolling(), true);
    QCOMPARE(form.Button1->caption(), u("停止"));
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});
    // The key went to the button, not into the field.
    QCOMPARE(form.SpinEdit1->text(), groupSize);
}

void EnterOfferTest::enterWithoutHotButtonOrWithModifierDoesNothing()
{
    WindowFixture f;
    openWindow(f);
    TForm1 &form = *f.form;
    form.SpinEdit1->setFocus();
    pointAt(form.Label13);
    QTRY_VERIFY(!form.Button1->isHot());
    pressEnter(form);
    QCOMPARE(form.rolling(), false);

    pointAt(form.Button1);
    QTRY_VERIFY(form.Button1->isHot());
    for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        pressEnter(form, held);
        QCOMPARE(form.rolling(), false);
    }
    QVERIFY(f.sound.played.isEmpty());
}

void EnterOfferTest::firstHotButtonInWindowOrderTakesEnter()
{
    WindowFixture f;
    openWindow(f);
    TForm1 &form = *f.form;
    // Start is hot by the focus, the view-winners button (in the top bar, earlier in
    // the window's order) by the pointer: both show it, the earlier one clicks.
    form.Button1->setFocus();
    pointAt(form.Button3);
    QTRY_VERIFY(form.Button3->isHot());
    QVERIFY(form.Button1->isHot());
    QCOMPARE(pixelAt(grabImage(form.Button1), 1, 1), kHotFace);
    QCOMPARE(pixelAt(grabImage(form.Button3), 1, 1), kHotFace);

    pressEnter(form);
    QCOMPARE(f.editor.opened.size(), 1);
    QCOMPARE(form.rolling(), false);

    // With the pointer on Cancel, which comes after Start, Start takes it.
    form.Button1->setFocus();
    pointAt(form.FlatButton1);
    QTRY_VERIFY(form.FlatButton1->isHot());
    pressEnter(form);
    QCOMPARE(form.rolling(), true);
    QCOMPARE(f.editor.opened.size(), 1);
}

void EnterOfferTest::startShowsHotFaceWhenReenabledUnderThePointer()
{
    WindowFixture f;
    openWindow(f);
    TForm1 &form = *f.form;
    pointAt(form.Button1);
    QTRY_VERIFY(form.Button1->isHot());
    QTest::mouseClick(form.Button1, Qt::LeftButton, {}, form.Button1->rect().center());
    QCOMPARE(form.rolling(), true);
    QVERIFY(!form.Button1->isEnabled());
    QImage face = grabImage(form.Button1);
    QCOMPARE(pixelAt(face, 1, 1), kIdleFace);
    QCOMPARE(pixelAt(face, 0, 0), kGrey);

    // The arming ends by the window's own timer, with the pointer still resting on Start.
    QCOMPARE(form.Timer2->interval(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(form.Button1->isEnabled(), 5000);
    QVERIFY(form.Button1->isHot());
    face = grabImage(form.Button1);
    QCOMPARE(pixelAt(face, 1, 1), kHotFace);
    QCOMPARE(pixelAt(face, 0, 0), kShadow);
}

// What a held key sends under X11 without detectable auto-repeat: a press, then
// release/press pairs sharing a time stamp, then the real release.
void EnterOfferTest::heldEnterOnStartActsOnce()
{
    WindowFixture f;
    openWindow(f);
    TForm1 &form = *f.form;
    form.SpinEdit1->setFocus();
    pointAt(form.Button1);
    QTRY_VERIFY(form.Button1->isHot());
    // Keys arrive at the window, as the server sends them, and go on to where the
    // focus is now (Start moves it to the window while rolling).
    auto send = [&form](QEvent::Type type, quint64 at) {
        QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        key.setTimestamp(at);
        QApplication::sendEvent(form.windowHandle(), &key);
    };
    send(QEvent::KeyPress, 1000);
    QCOMPARE(form.rolling(), true);
    quint64 at = 1500;
    for (int i = 0; i < 3; ++i, at += 33) {
        send(QEvent::KeyRelease, at);
        send(QEvent::KeyPress, at);
    }
    form.handle(&TForm1::Timer2Timer); // the arming ends while the key is still held
    QVERIFY(form.Button1->isEnabled());
    for (int i = 0; i < 3; ++i, at += 33) {
        send(QEvent::KeyRelease, at);
        send(QEvent::KeyPress, at);
    }
    send(QEvent::KeyRelease, at + 20);
    QCOMPARE(form.rolling(), true);
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});

    // The next press is a press of its own: it stops the draw.
    send(QEvent::KeyPress, at + 400);
    QCOMPARE(form.rolling(), false);
}

WINDOW_TEST_MAIN(EnterOfferTest)
#include "enter_offer_test.moc"

// Keys held down on the real window, sent as the X server sends them: one press acts once.
#include "window_fixture.h"

#include "key_events.h"

#include "controls/flat_button.h"
#include "draw/file_bytes.h"
#include "platform/fonts.h"
#include "platform/label.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class HeldKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void heldKeyStartsOnceOnRelease_data();
    void heldKeyStartsOnceOnRelease();
    void heldSpaceClicksFocusedFlatButtonOnce();
    void heldEnterRepeatsOnFocusedFlatButton();
};

void HeldKeysTest::heldKeyStartsOnceOnRelease_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<bool>("pairs");
    QTest::newRow("Space, release/press pairs") << int(Qt::Key_Space) << kScanSpace << true;
    QTest::newRow("PageDown, release/press pairs")
        << int(Qt::Key_PageDown) << kScanPageDown << true;
    QTest::newRow("Space, repeated presses") << int(Qt::Key_Space) << kScanSpace << false;
}

void HeldKeysTest::heldKeyStartsOnceOnRelease()
{
    QFETCH(int, key);
    QFETCH(quint32, scanCode);
    QFETCH(bool, pairs);
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.setFocus();
    const std::string record = draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt"));

    // Held for about three seconds: the first repeat after 0.5 s, then one every 40 ms;
    // the 2-second arming would be over half-way.
    HeldKey held(form.windowHandle(), Qt::Key(key), scanCode);
    held.press();
    held.wait(500);
    for (int i = 0; i < 60; ++i) {
        if (pairs)
            held.repeatAsPair();
        else
            held.repeatAsPress();
        if (i == 30)
            form.handle(&TForm1::Timer2Timer);
    }
    QCOMPARE(form.rolling(), false);
    QCOMPARE(f.sound.played, QStringList());

    held.release();
    QTRY_COMPARE(form.rolling(), true);
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});
    QCOMPARE(form.Button1->isEnabled(), false); // arming, as after any Start
    QCOMPARE(form.Label1->caption(), u("00"));
    QCOMPARE(draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt")), record);
}

void HeldKeysTest::heldSpaceClicksFocusedFlatButtonOnce()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.Button1->setFocus();
    QTRY_VERIFY(form.Button1->hasFocus());
    QSignalSpy clicks(form.Button1, &TFlatButton::clicked);

    HeldKey held(form.windowHandle(), Qt::Key_Space, kScanSpace);
    held.press();
    held.wait(500);
    for (int i = 0; i < 60; ++i) {
        held.repeatAsPair();
        if (i == 30)
            form.handle(&TForm1::Timer2Timer);
    }
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(f.sound.played, QStringList());

    held.release();
    QTRY_COMPARE(clicks.size(), 1);
    QCOMPARE(form.rolling(), true);
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});
}

void HeldKeysTest::heldEnterRepeatsOnFocusedFlatButton()
{
    // Enter clicks a focused flat button on every press, auto-repeat included.
    KeyRepeatFilter keyRepeat;
    QWidget window;
    auto *button = new TFlatButton(&window);
    button->setGeometry(10, 10, 80, 30);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QTRY_VERIFY(button->isHot());
    QSignalSpy clicks(button, &TFlatButton::clicked);

    HeldKey held(window.windowHandle(), Qt::Key_Return, kScanReturn);
    held.press();
    held.wait(500);
    for (int i = 0; i < 5; ++i)
        held.repeatAsPair();
    held.release();
    QTRY_COMPARE(clicks.size(), 6);
}

WINDOW_TEST_MAIN(HeldKeysTest)
#include "held_keys_test.moc"

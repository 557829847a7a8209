// F11: the scaled design on a 1920 x 1080 and a 1280 x 1024 screen, and the exact way back.
#include "window_fixture.h"

#include "controls/flat_button.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "platform/fonts.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/panel.h"
#include "platform/status_bar.h"

#include <QScreen>
#include <QWindow>
#include <QtTest>

#include <algorithm>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The screens from left to right.
QScreen *screenAt(int index)
{
    QList<QScreen *> screens = QGuiApplication::screens();
    std::sort(screens.begin(), screens.end(),
              [](QScreen *a, QScreen *b) { return a->geometry().x() < b->geometry().x(); });
    return screens.at(index);
}

// Shows the window on screen `index`, offset from its corner, once FormShow has asked.
void showOn(WindowFixture &f, TForm1 &form, int index, QSize size = QSize(932, 673))
{
    form.show();
    QTRY_COMPARE(f.dialogs.questions.size(), 1);
    form.windowHandle()->setScreen(screenAt(index));
    form.setGeometry(QRect(screenAt(index)->geometry().topLeft() + QPoint(150, 90), size));
    QTRY_COMPARE(form.screen(), screenAt(index));
}

void pressF11(QWidget *target)
{
    QTest::keyClick(target, Qt::Key_F11);
}

// Everything leaving full screen must give back: the window's place and size, and
// every control's bounds and font.
struct Snapshot {
    QRect window;
    QList<QRect> bounds;
    QStringList fonts;
    int itemHeight = 0;
    qreal pictureScale = 0;
};

Snapshot snapshot(TForm1 &form)
{
    QCoreApplication::processEvents(); // the scroll areas settle their bars on posted events
    Snapshot s;
    s.window = form.QWidget::geometry();
    s.fonts << form.font().toString();
    for (QWidget *w : form.findChildren<QWidget *>()) {
        if (w->isWindow())
            continue;
        s.bounds << w->geometry();
        s.fonts << w->objectName() + u(": ") + w->font().toString();
    }
    s.itemHeight = form.ListBox1->itemHeight();
    s.pictureScale = form.Image1->scaleFactor();
    return s;
}

#define QCOMPARE_SNAPSHOT(actual, expected) \
    do { \
        const Snapshot a = (actual); \
        const Snapshot e = (expected); \
        QCOMPARE(a.window, e.window); \
        QCOMPARE(a.bounds, e.bounds); \
        QCOMPARE(a.fonts, e.fonts); \
        QCOMPARE(a.itemHeight, e.itemHeight); \
        QCOMPARE(a.pictureScale, e.pictureScale); \
    } while (0)

} // namespace

class FullScreenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void scaledDesignFillsTheScreen_data();
    void scaledDesignFillsTheScreen();
    void leavingRestoresTheWindowExactly();
    void drawCarriesOnAcrossTheSwitch();
};

void FullScreenTest::initTestCase()
{
    installFontSubstitutions();
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(screenAt(0)->geometry(), QRect(0, 0, 1920, 1080));
    QCOMPARE(screenAt(1)->geometry(), QRect(1920, 0, 1280, 1024));
}

void FullScreenTest::scaledDesignFillsTheScreen_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<int>("topBar");
    QTest::addColumn<QRect>("statusBar1");
    QTest::addColumn<QRect>("groupBox2");
    QTest::addColumn<int>("panel4Height");
    QTest::addColumn<QRect>("groupBox3");
    QTest::addColumn<QRect>("image1");
    QTest::addColumn<QRect>("groupBox1");
    QTest::addColumn<QRect>("staticText1");
    QTest::addColumn<QRect>("button1");
    QTest::addColumn<QPoint>("label1");
    QTest::addColumn<QList<int>>("fonts"); // Form1, RadioButton1, StaticText1, Button1 pixels
    QTest::addColumn<int>("itemHeight");

    // 1080 / 673: the height limits. The design is 1496 wide at this scale, and the
    // 424 pixels left over go to the anchored and centred controls.
    // Panel8 is MulDiv(46) = 74 high, StatusBar1 MulDiv(673) - MulDiv(651) = 35, so
    // Panel18 is 971 high, exactly the scaled design's: only the width changed.
    QTest::newRow("1920x1080") << 0 << 1080 << 673 << 74 << QRect(0, 1045, 1920, 35)
                               << QRect(1920 - 1 - 310, 1, 310,
                                        971 - 2) // 310 = MulDiv(931) - MulDiv(738)
                               << 969 - 56 // - MulDiv(35)
                               << QRect(1920 - (1496 - 992), 0, 502, 74) // right distance kept
                               << QRect(250, 971 - 784 - 80, 951, 784) // top: - MulDiv(50)
                               << QRect(273, 971 - 241, 939, 220) // top: - MulDiv(150)
                               << QRect(14, 27, 1920 - 337, 971 - 257) << QRect(257, 99, 387, 121)
                               << QPoint(168, 26) << QList<int>{18, 39, 47, 90} << 21;
    // 1280 / 932: the width limits; the 100 rows left over go to the rules' heights.
    QTest::newRow("1280x1024") << 1 << 1280 << 932 << 63 << QRect(0, 994, 1280, 30)
                               << QRect(1280 - 1 - 265, 1, 265, 931 - 2) << 929 - 48
                               << QRect(849, 0, 430, 63) // the design's, scaled
                               << QRect(77, 931 - 671 - 69, 814, 671)
                               << QRect(93, 931 - 206, 804, 188)
                               << QRect(12, 23, 1280 - 288, 931 - 220) << QRect(220, 85, 331, 103)
                               << QPoint(144, 22) << QList<int>{15, 33, 40, 77} << 18;
}

void FullScreenTest::scaledDesignFillsTheScreen()
{
    QFETCH(int, screen);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(int, topBar);
    QFETCH(QRect, statusBar1);
    QFETCH(QRect, groupBox2);
    QFETCH(int, panel4Height);
    QFETCH(QRect, groupBox3);
    QFETCH(QRect, image1);
    QFETCH(QRect, groupBox1);
    QFETCH(QRect, staticText1);
    QFETCH(QRect, button1);
    QFETCH(QPoint, label1);
    QFETCH(QList<int>, fonts);
    QFETCH(int, itemHeight);

    WindowFixture f;
    f.writeDrawFolder();
    TForm1 &form = f.create(false);
    showOn(f, form, screen);
    pressF11(&form);
    QTRY_VERIFY(form.isFullScreen());
    QTRY_COMPARE(form.QWidget::geometry(), screenAt(screen)->geometry());

    QCOMPARE(form.geometry().scale(), (FormGeometry::Scale{numerator, denominator}));
    QCOMPARE(form.Panel8->geometry(), QRect(0, 0, form.width(), topBar));
    QCOMPARE(form.Panel18->geometry(), QRect(0, topBar, form.width(), statusBar1.top() - topBar));
    QCOMPARE(form.StatusBar1->geometry(), statusBar1);
    QCOMPARE(form.GroupBox2->geometry(), groupBox2);
    QCOMPARE(form.Panel4->height(), panel4Height);
    QCOMPARE(form.ListBox1->height(), form.Panel4->height());
    QCOMPARE(form.GroupBox3->geometry(), groupBox3);
    QCOMPARE(form.Image1->geometry(), image1);
    QCOMPARE(form.GroupBox1->geometry(), groupBox1);
    QCOMPARE(form.StaticText1->geometry(), staticText1);
    QCOMPARE(form.Button1->geometry(), button1);
    QCOMPARE(form.Label1->pos(), label1);
    QCOMPARE(form.Label1->size(), form.Label1->textSize()); // still follows its text

    QCOMPARE(form.font().pixelSize(), fonts[0]);
    QCOMPARE(form.ListBox1->font().pixelSize(), fonts[0]); // follows the window's font
    QCOMPARE(form.RadioButton1->font().pixelSize(), fonts[1]);
    QCOMPARE(form.StaticText1->font().pixelSize(), fonts[2]);
    QCOMPARE(form.Button1->font().pixelSize(), fonts[3]);
    QCOMPARE(form.Button1->font().family(), u("隶书"));
    QVERIFY(form.Button1->font().bold());
    QCOMPARE(form.ListBox1->itemHeight(), itemHeight);
    QCOMPARE(form.Image1->scaleFactor(), qreal(numerator) / denominator);
}

void FullScreenTest::leavingRestoresTheWindowExactly()
{
    // A window that went tiny and back keeps its centred controls off their design
    // places (the rounding shows); the way back must keep that too.
    auto prepare = [](WindowFixture &f) -> TForm1 & {
        f.writeDrawFolder();
        TForm1 &form = f.create(false);
        showOn(f, form, 1, QSize(1016, 700));
        form.resize(60, 40);
        form.resize(1016, 700);
        return form;
    };
    WindowFixture f;
    TForm1 &form = prepare(f);
    const Snapshot before = snapshot(form);

    pressF11(&form);
    QTRY_VERIFY(form.isFullScreen());
    QTRY_COMPARE(form.size(), QSize(1280, 1024));
    QVERIFY(form.Button1->font().pixelSize() > 56);
    pressF11(&form);
    QTRY_VERIFY(!form.isFullScreen());
    QTRY_COMPARE(form.QWidget::geometry(), before.window);
    QCOMPARE_SNAPSHOT(snapshot(form), before);

    // The resize rules carry on from the same references as a window that never left.
    WindowFixture g;
    TForm1 &never = prepare(g);
    form.resize(700, 600);
    never.resize(700, 600);
    QCOMPARE(snapshot(form).bounds, snapshot(never).bounds);
}

void FullScreenTest::drawCarriesOnAcrossTheSwitch()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    showOn(f, form, 0);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // A focused flat button keeps its keys, but not F11.
    form.Button3->setFocus();
    QCOMPARE(QApplication::focusWidget(), form.Button3);
    pressF11(form.Button3);
    QTRY_VERIFY(form.isFullScreen());

    form.setFocus();
    QTest::keyClick(&form, Qt::Key_Space);
    QVERIFY(form.rolling());
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);

    pressF11(QApplication::focusWidget() ? QApplication::focusWidget() : &form);
    QTRY_VERIFY(!form.isFullScreen());
    QVERIFY(form.rolling());
    QVERIFY(form.Timer1->isActive());

    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form,
                    Qt::Key_Space);
    QVERIFY(!form.rolling());
    QCOMPARE(f.sound.played, (QStringList{u("drum.wav"), u("gong.wav")}));
    QCOMPARE(form.Label1->caption(), u("5"));
    // The count label grew with its text at the window's own font.
    QCOMPARE(form.Label1->size(), form.Label1->textSize());
    QCOMPARE(form.Label1->pos(), QPoint(105, 16));
    QCOMPARE(draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt")).size(), std::size_t(6));
}

int main(int argc, char *argv[])
{
    // Two screens side by side, so each size is a screen the window can be on.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LUCKYDRAW_TWO_SCREENS);
    ErrorReportingApplication app(argc, argv);
    FullScreenTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "full_screen_test.moc"

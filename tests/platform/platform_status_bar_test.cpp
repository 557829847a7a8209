#include "pixel_helpers.h"
#include "platform/colors.h"
#include "platform/status_bar.h"

#include <QSizeGrip>
#include <QtTest>

class StatusBarTest : public QObject {
    Q_OBJECT

private slots:
    void loweredPanelRunsToTheRightEnd();
    void sizeGripAtTheRightEnd();
    void textIsLeftAlignedInTheDesktopFont();
};

void StatusBarTest::loweredPanelRunsToTheRightEnd()
{
    TStatusBar bar;
    bar.resize(300, 22);
    bar.setSizeGripEnabled(false);
    const QImage shot = grabImage(&bar);
    const QColor face = toQColor(clBtnFace);
    const QColor dark = toQColor(clBtnShadow);
    const QColor light = toQColor(clBtnHighlight);
    QCOMPARE(pixelAt(shot, 150, 0), face); // above the panel
    QCOMPARE(pixelAt(shot, 0, 2), dark); // top-left corner
    QCOMPARE(pixelAt(shot, 150, 2), dark); // top edge
    QCOMPARE(pixelAt(shot, 0, 15), dark); // left edge
    QCOMPARE(pixelAt(shot, 299, 2), light); // the right edge is the bar's
    QCOMPARE(pixelAt(shot, 299, 15), light);
    QCOMPARE(pixelAt(shot, 150, 21), light); // bottom edge
    QCOMPARE(pixelAt(shot, 150, 10), face); // inside
}

void StatusBarTest::sizeGripAtTheRightEnd()
{
    TStatusBar bar;
    bar.resize(300, 22);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    auto *grip = bar.findChild<QSizeGrip *>();
    QVERIFY(grip);
    QCOMPARE(grip->geometry().right(), 299);
    QCOMPARE(grip->geometry().bottom(), 21);
    QVERIFY(grip->isVisible());

    // A ridge of the grip crosses the panel's inside near the corner.
    const QPoint onRidge(297, 18);
    QCOMPARE(pixelAt(grabImage(&bar), onRidge), toQColor(clBtnShadow));
    bar.setSizeGripEnabled(false);
    QVERIFY(grip->isHidden());
    QCOMPARE(pixelAt(grabImage(&bar), onRidge), toQColor(clBtnFace));
}

void StatusBarTest::textIsLeftAlignedInTheDesktopFont()
{
    QWidget window;
    window.setFont(testFont(40)); // the window's own font is not the bar's
    auto *bar = new TStatusBar(&window);
    bar->setGeometry(0, 0, 300, 22);
    bar->setPanelText(QStringLiteral("Credit & thanks"));
    const QImage shot = grabImage(bar);
    const QRect ink = inkBounds(shot, QRect(1, 3, 280, 18), toQColor(clBtnFace));
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() >= 2 && ink.left() <= 8, qPrintable(QString::number(ink.left())));
    QVERIFY(ink.height() < 20);
    QVERIFY(countColor(shot, ink, toQColor(clBtnText)) > 0);
    QCOMPARE(bar->font(), QApplication::font("QStatusBar"));
}

QTEST_MAIN(StatusBarTest)
#include "platform_status_bar_test.moc"

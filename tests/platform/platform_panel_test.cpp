#include "pixel_helpers.h"
#include "platform/label.h"
#include "platform/panel.h"

#include <QtTest>

namespace {

// What one pixel of a panel should show.
enum Expect { Light, Shadow, Fill };

struct Sample {
    QPoint at;
    Expect expect;
};

const QColor kPanel8Colour(208, 225, 253);

QColor expected(Expect e)
{
    switch (e) {
    case Light:
        return toQColor(clBtnHighlight);
    case Shadow:
        return toQColor(clBtnShadow);
    case Fill:
        break;
    }
    return kPanel8Colour;
}

} // namespace

Q_DECLARE_METATYPE(QList<Sample>)

class PanelTest : public QObject {
    Q_OBJECT

private slots:
    void bevels_data();
    void bevels();
    void captionIsCentred();
    void disabledPanelKeepsItsLookAndItsChildrens();
};

void PanelTest::bevels_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("inside");
    QTest::addColumn<QList<Sample>>("samples");

    // A 20 x 10 panel: right column x = 19, bottom row y = 9. The top-right and
    // bottom-left corners belong to the bottom/right edges.
    QTest::newRow("top bar: outer lowered, inner raised")
        << int(bvLowered) << int(bvRaised) << 1 << 2
        << QList<Sample>{{{0, 0}, Shadow}, {{18, 0}, Shadow}, {{0, 8}, Shadow}, {{19, 0}, Light},
                         {{0, 9}, Light},  {{19, 9}, Light},  {{1, 1}, Light},  {{17, 1}, Light},
                         {{1, 7}, Light},  {{18, 1}, Shadow}, {{1, 8}, Shadow}, {{18, 8}, Shadow},
                         {{2, 2}, Fill},   {{17, 7}, Fill}};
    QTest::newRow("client panel: inner lowered only")
        << int(bvNone) << int(bvLowered) << 1 << 1
        << QList<Sample>{{{0, 0}, Shadow}, {{19, 0}, Light}, {{0, 9}, Light},
                         {{19, 9}, Light}, {{1, 1}, Fill},   {{18, 8}, Fill}};
    QTest::newRow("outer raised, width 2")
        << int(bvRaised) << int(bvNone) << 2 << 2
        << QList<Sample>{{{0, 0}, Light},   {{1, 1}, Light}, {{19, 9}, Shadow}, {{18, 8}, Shadow},
                         {{18, 1}, Shadow}, {{2, 2}, Fill},  {{17, 7}, Fill}};
    QTest::newRow("both raised, width 2") << int(bvRaised) << int(bvRaised) << 2 << 4
                                          << QList<Sample>{{{0, 0}, Light},
                                                           {{3, 3}, Light},
                                                           {{16, 6}, Shadow},
                                                           {{4, 4}, Fill},
                                                           {{15, 5}, Fill}};
    QTest::newRow("no bevels") << int(bvNone) << int(bvNone) << 1 << 0
                               << QList<Sample>{{{0, 0}, Fill}, {{19, 9}, Fill}};
}

void PanelTest::bevels()
{
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, width);
    QFETCH(int, inside);
    QFETCH(QList<Sample>, samples);

    TPanel panel;
    panel.resize(20, 10);
    panel.setColor(rgbColor(208, 225, 253));
    panel.setBevelOuter(TBevelCut(outer));
    panel.setBevelInner(TBevelCut(inner));
    panel.setBevelWidth(width);
    QCOMPARE(panel.borderWidthInside(), inside);
    QCOMPARE(panel.contentsRect(), QRect(inside, inside, 20 - 2 * inside, 10 - 2 * inside));

    const QImage shot = grabImage(&panel);
    for (const Sample &s : samples) {
        if (pixelAt(shot, s.at) != expected(s.expect))
            QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                 .arg(s.at.x())
                                 .arg(s.at.y())
                                 .arg(pixelAt(shot, s.at).name(), expected(s.expect).name())));
    }
}

void PanelTest::captionIsCentred()
{
    TPanel panel;
    panel.resize(120, 40);
    panel.setBevelOuter(bvNone);
    panel.setColor(clWhite);
    panel.setFont(testFont(13));
    panel.setCaption(QStringLiteral("Mmm"));
    const QImage shot = grabImage(&panel);
    const QRect ink = inkBounds(shot, shot.rect(), Qt::white);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(qAbs(ink.left() - (119 - ink.right())) <= 1, "caption not centred across");
    QVERIFY2(qAbs(ink.top() - (39 - ink.bottom())) <= 3, "caption not centred down");
    QCOMPARE(countColor(shot, ink, toQColor(clWindowText)) > 0, true);
}

void PanelTest::disabledPanelKeepsItsLookAndItsChildrens()
{
    // The top bar is disabled while a draw rolls: it must still look the same,
    // count labels included.
    TPanel panel;
    panel.resize(120, 40);
    panel.setColor(rgbColor(208, 225, 253));
    panel.setBevelOuter(bvLowered);
    panel.setBevelInner(bvRaised);
    panel.setFont(testFont(13));
    panel.setCaption(QStringLiteral("Bar"));
    auto *label = new TLabel(&panel);
    label->setGeometry(4, 4, 30, 16);
    label->setTransparent(true);
    label->setFontColor(clBlue);
    label->setCaption(QStringLiteral("12"));

    const QImage enabled = grabImage(&panel);
    QVERIFY(countColor(enabled, label->geometry(), QColor(0, 0, 255)) > 0);
    panel.setEnabled(false);
    QVERIFY(!label->isEnabled());
    QCOMPARE(grabImage(&panel), enabled);
}

QTEST_MAIN(PanelTest)
#include "platform_panel_test.moc"

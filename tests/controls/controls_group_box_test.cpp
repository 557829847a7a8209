#include "controls/look_group_box.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"

#include <QtTest>

namespace {

const QColor kPanel(239, 239, 239);
const QColor kShadow(160, 160, 160);

// A panel with a picture under the box (created before it) and a button-like child in the box.
struct PanelWithBox {
    QWidget panel;
    QWidget *picture = nullptr;
    TLookGroupBox *box = nullptr;
    QWidget *child = nullptr;

    PanelWithBox()
    {
        panel.resize(300, 200);
        panel.setAutoFillBackground(true);
        panel.setPalette(QPalette(kPanel));
        picture = new QWidget(&panel);
        picture->setAutoFillBackground(true);
        picture->setPalette(QPalette(QColor(200, 30, 30)));
        picture->setGeometry(0, 0, 100, 200);
        box = new TLookGroupBox(&panel);
        box->setGeometry(50, 50, 200, 100);
        child = new QWidget(box);
        child->setAutoFillBackground(true);
        child->setPalette(QPalette(QColor(20, 20, 200)));
        child->setGeometry(100, 40, 30, 20);
        panel.show();
    }

    QImage grabBox()
    {
        return panel.grab(box->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }
};

} // namespace

class GroupBoxTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void windowConfigurationPaintsNothing();
    void frameWithAndWithoutTransparentBorder();
    void captionInterruptsTopLine();
};

void GroupBoxTest::windowConfigurationPaintsNothing()
{
    PanelWithBox f;
    f.box->setTransparent(true);
    f.box->setEdges({});
    f.box->setShadow(false);
    f.box->setTransparentBorder(false);
    f.box->setCaption(QString());
    const QImage image = f.grabBox();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            QColor expected =
                x < 50 ? QColor(200, 30, 30) : kPanel; // the picture to the left shows through
            if (QRect(100, 40, 30, 20).contains(x, y))
                expected = QColor(20, 20, 200);
            QCOMPARE(pixelAt(image, x, y), expected);
        }
    // Aligned children would only leave a caption band at the top.
    const int band = QFontMetrics(f.box->font()).height() + 3;
    QCOMPARE(f.box->contentsMargins(), QMargins(0, band, 0, 0));
    QCOMPARE(f.box->focusPolicy(), Qt::NoFocus);
}

void GroupBoxTest::frameWithAndWithoutTransparentBorder()
{
    PanelWithBox f;
    QPalette own = f.box->palette();
    own.setColor(QPalette::Window, QColor(250, 250, 200));
    f.box->setPalette(own);
    f.box->setTransparentBorder(false);
    QImage image = f.grabBox();
    QCOMPARE(pixelAt(image, 0, 0), kShadow);
    QCOMPARE(pixelAt(image, 199, 99), kShadow);
    QCOMPARE(pixelAt(image, 100, 99), kShadow);
    QCOMPARE(pixelAt(image, 1, 1), QColor(250, 250, 200));

    f.box->setTransparentBorder(true); // the line moves one pixel in, inside a 2-pixel band
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 0, 0), QColor(250, 250, 200));
    QCOMPARE(pixelAt(image, 1, 50), kShadow);
    QCOMPARE(pixelAt(image, 198, 50), kShadow);
    QCOMPARE(f.box->contentsMargins().left(), 2);

    f.box->setEdges(bLeft);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 1, 50), kShadow);
    QCOMPARE(pixelAt(image, 198, 50), QColor(250, 250, 200));

    f.box->setShadow(true);
    image = f.grabBox();
    QCOMPARE(pixelAt(image, 198, 50), kShadow);
    QCOMPARE(pixelAt(image, 100, 98), kShadow);
}

void GroupBoxTest::captionInterruptsTopLine()
{
    PanelWithBox f;
    f.box->setTransparent(true);
    f.box->setTransparentBorder(false);
    QFont font;
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    f.box->setFont(font);
    f.box->setCaption(QStringLiteral("Prizes"));
    const QImage image = f.grabBox();
    const int lineY = QFontMetrics(font).height() / 2;
    const int textWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("Prizes"));
    QCOMPARE(pixelAt(image, 190, lineY), kShadow);
    QCOMPARE(pixelAt(image, 60, 0), kPanel); // the top line runs at the caption's middle
    QVERIFY(countColor(image, QRect(8, 0, textWidth + 2, QFontMetrics(font).height()),
                       QColor(0, 0, 0)) > 10);
    QVERIFY(countColor(image, QRect(8, lineY, textWidth + 2, 1), kShadow) == 0);
}

QTEST_MAIN(GroupBoxTest)
#include "controls_group_box_test.moc"

#include "pixel_helpers.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/palette_colors.h"
#include "platform/panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtTest>

namespace {

const QColor kTopBar(208, 225, 253);

// A transparent label's text, drawn in black on white, for measuring ink.
QImage render(const QString &caption, const QSize &size, bool accel = true, bool wrap = false)
{
    TLabel label;
    label.setFont(testFont(13));
    label.setTransparent(true);
    label.setFontColor(clBlack);
    label.setShowAccelChar(accel);
    label.setWordWrap(wrap);
    label.resize(size);
    label.setCaption(caption);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    label.drawLabel(painter, image.rect());
    return image;
}

} // namespace

class LabelTest : public QObject {
    Q_OBJECT

private slots:
    void fill_data();
    void fill();
    void autoSizeGrowsToTheRight();
    void accelPrefix_data();
    void accelPrefix();
    void underlineMarksTheShortcutOnly();
    void tabsAreExpanded();
    void wordWrapBreaksAtTheWidth();
    void wrappedTextIsCutOffAtTheBottom();
    void shortLabelDrawsTheTopOfTheWholeLayout_data();
    void shortLabelDrawsTheTopOfTheWholeLayout();
    void fontColorKeepsASystemColour();
};

void LabelTest::fill_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("opaque in its own colour") << false << rgbColor(0, 128, 0) << QColor(0, 128, 0);
    QTest::newRow("opaque in the parent's colour") << false << clDefault << kTopBar;
    QTest::newRow("transparent shows what lies beneath")
        << true << rgbColor(0, 128, 0) << QColor(255, 0, 0);
}

void LabelTest::fill()
{
    QFETCH(bool, transparent);
    QFETCH(TColor, color);
    QFETCH(QColor, shown);

    // Top bar > see-through holder (like a group box) > label, over a red image
    // that lies below it.
    TPanel bar;
    bar.resize(100, 40);
    bar.setBevelOuter(bvNone);
    bar.setColor(rgbColor(208, 225, 253));
    auto *holder = new QWidget(&bar);
    holder->setGeometry(0, 0, 100, 40);
    auto *image = new TImage(holder);
    image->setGeometry(0, 0, 100, 40);
    QImage red(100, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    image->setPicture(red);
    auto *label = new TLabel(holder);
    label->setFont(testFont(13));
    label->setGeometry(10, 10, 60, 20);
    label->setTransparent(transparent);
    label->setColor(color);
    label->setCaption(QStringLiteral("ab"));
    image->lower();

    const QImage shot = grabImage(&bar);
    QCOMPARE(pixelAt(shot, 65, 27), shown); // inside the label, away from its text
    QCOMPARE(pixelAt(shot, 75, 27), QColor(255, 0, 0)); // beside it
}

void LabelTest::autoSizeGrowsToTheRight()
{
    TPanel bar;
    bar.resize(200, 40);
    auto *label = new TLabel(&bar);
    label->setFont(testFont(13));
    label->setGeometry(105, 16, 14, 14);
    label->setAutoSize(true);
    const int lineHeight = QFontMetrics(testFont(13)).height();

    label->setCaption(QStringLiteral("00"));
    const QRect two = label->geometry();
    label->setCaption(QStringLiteral("1000"));
    const QRect four = label->geometry();
    QCOMPARE(four.topLeft(), QPoint(105, 16));
    QCOMPARE(two.topLeft(), QPoint(105, 16));
    QVERIFY(four.width() > two.width());
    QCOMPARE(four.height(), lineHeight);
    QCOMPARE(four.width(), QFontMetrics(testFont(13)).horizontalAdvance(QStringLiteral("1000")));

    // An empty caption still takes one line, the width of a space.
    label->setCaption(QString());
    QCOMPARE(label->size(), QSize(QFontMetrics(testFont(13)).horizontalAdvance(u' '), lineHeight));

    // A fixed-size label keeps its bounds.
    label->setAutoSize(false);
    label->resize(30, 30);
    label->setCaption(QStringLiteral("a much longer caption"));
    QCOMPARE(label->geometry(), QRect(105, 16, 30, 30));
}

void LabelTest::accelPrefix_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("accel");
    QTest::addColumn<QString>("sameWidthAs");
    QTest::newRow("& hidden") << QStringLiteral("A&B") << true << QStringLiteral("AB");
    QTest::newRow("&& shows one &") << QStringLiteral("A&&B") << true << QStringLiteral("A&B");
    QTest::newRow("trailing & hidden") << QStringLiteral("AB&") << true << QStringLiteral("AB");
    QTest::newRow("prefix off shows &") << QStringLiteral("A&B") << false << QStringLiteral("A&B");
}

void LabelTest::accelPrefix()
{
    QFETCH(QString, caption);
    QFETCH(bool, accel);
    QFETCH(QString, sameWidthAs);

    TLabel label;
    label.setFont(testFont(13));
    label.setAutoSize(true);
    label.setShowAccelChar(accel);
    label.setCaption(caption);
    QCOMPARE(label.width(), QFontMetrics(testFont(13)).horizontalAdvance(sameWidthAs));

    // The glyphs drawn agree (an underline below the baseline aside).
    const QRect glyphs(0, 0, 80, QFontMetrics(testFont(13)).ascent());
    const QImage shot = render(caption, QSize(80, 20), accel);
    const QImage plain = render(sameWidthAs, QSize(80, 20), false);
    QCOMPARE(shot.copy(glyphs), plain.copy(glyphs));
}

void LabelTest::underlineMarksTheShortcutOnly()
{
    // A drawn name holding "&" shows the next character underlined, the "&" hidden.
    const QImage marked = render(QStringLiteral("A&B"), QSize(60, 20));
    const QImage plain = render(QStringLiteral("AB"), QSize(60, 20));
    const int ascent = QFontMetrics(testFont(13)).ascent();
    const QRect glyphs(0, 0, 60, ascent);
    QCOMPARE(marked.copy(glyphs), plain.copy(glyphs));

    const QRect below(0, ascent, 60, 20 - ascent);
    QVERIFY(inkBounds(plain, below, Qt::white).isEmpty());
    const QRect underline = inkBounds(marked, below, Qt::white);
    QVERIFY(!underline.isEmpty());
    // Under "B" only, not under "A".
    const int bStarts = QFontMetrics(testFont(13)).horizontalAdvance(QStringLiteral("A"));
    QVERIFY2(underline.left() >= bStarts - 1, qPrintable(QString::number(underline.left())));
}

void LabelTest::tabsAreExpanded()
{
    const QFontMetrics metrics(testFont(13));
    const QImage shot = render(QStringLiteral("A\tB"), QSize(200, 20));
    // "B" starts at the first tab stop, eight average characters in.
    const QRect b =
        inkBounds(shot, QRect(metrics.horizontalAdvance(u'A') + 1, 0, 199, 20), Qt::white);
    const int tabStop = 8 * metrics.averageCharWidth();
    QVERIFY2(qAbs(b.left() - tabStop) <= 2,
             qPrintable(QStringLiteral("B at %1, tab stop %2").arg(b.left()).arg(tabStop)));
}

void LabelTest::wordWrapBreaksAtTheWidth()
{
    const int lineHeight = QFontMetrics(testFont(13)).height();
    // Chinese text has no spaces: lines break between characters.
    const QString names = QString::fromUtf8("张三，李四，王五，赵六，钱七，孙八，周九，吴十");
    TLabel label;
    label.setFont(testFont(13));
    label.resize(60, 200);
    label.setCaption(names);
    QCOMPARE(label.textSize().height(), lineHeight);
    label.setWordWrap(true);
    const QSize wrapped = label.textSize();
    QVERIFY2(wrapped.height() >= 3 * lineHeight, qPrintable(QString::number(wrapped.height())));
    QCOMPARE(wrapped.height() % lineHeight, 0);
    QVERIFY(wrapped.width() <= 60);

    // Ink stays within the width and fills the lines laid out.
    const QImage shot = render(names, QSize(60, 200), true, true);
    const QRect ink = inkBounds(shot, shot.rect(), Qt::white);
    QVERIFY(ink.right() < 60);
    QVERIFY(ink.bottom() >= wrapped.height() - lineHeight);
    QVERIFY(ink.bottom() < wrapped.height());
}

void LabelTest::wrappedTextIsCutOffAtTheBottom()
{
    const QFontMetrics metrics(testFont(13));
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QStringLiteral("name%1").arg(i);
    const QString text = many.join(QString::fromUtf8("，"));

    TLabel label;
    label.setFont(testFont(13));
    label.setTransparent(true);
    label.setFontColor(clBlack);
    label.setWordWrap(true);
    label.resize(120, metrics.height() * 2 + metrics.height() / 2);
    label.setCaption(text);

    // Drawn into a taller picture: nothing below the label's bottom edge, and the
    // half line above it is drawn as far as it fits.
    QImage image(120, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        label.drawLabel(painter, label.rect());
    }
    QVERIFY(
        inkBounds(image, QRect(0, label.height(), 120, 200 - label.height()), Qt::white).isEmpty());
    QVERIFY(!inkBounds(image,
                       QRect(0, 2 * metrics.height(), 120, label.height() - 2 * metrics.height()),
                       Qt::white)
                 .isEmpty());
}

// A label lays out only as much of a long text as it shows; what it draws must be
// the top of what the whole text laid out draws.
void LabelTest::shortLabelDrawsTheTopOfTheWholeLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QStringList names;
    for (int i = 0; i < 999; ++i)
        names << QString::fromUtf8("员工") + QString::number(i);
    QTest::newRow("a draw of 999 names") << names.join(QString::fromUtf8("，")) << 29;
    QStringList words;
    for (int i = 0; i < 300; ++i)
        words << (i % 37 == 5 ? QStringLiteral("averyveryverylongunbreakablewordthatoverflows")
                              : QStringLiteral("w%1").arg(i));
    QTest::newRow("words, some longer than a line") << words.join(QLatin1Char(' ')) << 13;
    QTest::newRow("shortcuts, tabs and line ends")
        << QStringLiteral("&a&&b\tc\r\nd&e ").repeated(300) << 13;
    QTest::newRow("right-to-left names")
        << (QString::fromUtf8("שלום עולם，") + names.join(QString::fromUtf8("，"))) << 20;
}

void LabelTest::shortLabelDrawsTheTopOfTheWholeLayout()
{
    QFETCH(QString, text);
    QFETCH(int, pixels);
    const auto draw = [&](const QSize &size) {
        TLabel label;
        QFont font = testFont(pixels);
        font.setBold(true);
        label.setFont(font);
        label.setTransparent(true);
        label.setFontColor(clBlack);
        label.setWordWrap(true);
        label.resize(size);
        label.setCaption(text);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        label.drawLabel(painter, image.rect());
        return image;
    };
    const QSize shown(400, 300);
    // Tall enough for every line of the text.
    const QImage whole = draw(QSize(shown.width(), 12000));
    QVERIFY(!inkBounds(whole, QRect(0, shown.height(), shown.width(), 400), Qt::white).isEmpty());
    const QImage part = draw(shown);
    QVERIFY(
        !inkBounds(part, QRect(0, shown.height() / 2, shown.width(), shown.height() / 2), Qt::white)
             .isEmpty());
    QCOMPARE(part, whole.copy(QRect(QPoint(0, 0), shown)));
}

// The platform's font colour: set on the caption's palette role, read back as
// set, so a system colour stays one while the label shows its value.
void LabelTest::fontColorKeepsASystemColour()
{
    TLabel label;
    label.setFontColor(clWindowText);
    QCOMPARE(controlFontColor(&label, QPalette::WindowText), clWindowText);
    QCOMPARE(label.fontColor(), toQColor(clWindowText));
    label.setFontColor(0x000080);
    QCOMPARE(controlFontColor(&label, QPalette::WindowText), TColor(0x000080));
    QCOMPARE(label.fontColor(), QColor(128, 0, 0));
}

QTEST_MAIN(LabelTest)
#include "platform_label_test.moc"

// The controls' natural and smallest sizes, as a Qt layout asks for them: at
// its smallest size a control still shows all it holds.
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "pixel_helpers.h"

#include <QHBoxLayout>
#include <QtTest>

namespace {

QFont crispFont()
{
    QFont font = testFont(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A glyph that shows whole: red with a white (transparent) bottom-left pixel.
QImage redGlyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    glyph.setPixel(0, 15, qRgb(255, 255, 255));
    return glyph;
}

// Pixels inside the control's border that are not its face: what it shows.
int shownPixels(QWidget *control)
{
    const QImage image = grabImage(control);
    // The flat controls' border and a button's focus frame (2 pixels in) are
    // no part of what they show.
    const int border = qobject_cast<TVersionControl *>(control) ? 3 : 0;
    const QRect inside = image.rect().adjusted(border, border, -border, -border);
    const QColor face = pixelAt(image, inside.topLeft()); // a corner shows the face
    return inside.width() * inside.height() - countColor(image, inside, face);
}

QWidget *makeControl(const QString &kind, QWidget *parent)
{
    if (kind.startsWith(QLatin1String("button"))) {
        auto *b = new TFlatButton(parent);
        b->setFont(crispFont());
        b->setFontColor(clBlack);
        b->setCaption(QStringLiteral("Start the draw"));
        b->setGlyph(redGlyph());
        b->setLayout(kind.endsWith(QLatin1String("top")) ? FlatStyle::blGlyphTop
                                                         : FlatStyle::blGlyphLeft);
        return b;
    }
    if (kind == QLatin1String("panel")) {
        auto *p = new TFlatPanel(parent);
        p->setFont(crispFont());
        p->setFontColor(clBlack);
        p->setCaption(QStringLiteral("Roster of 120"));
        return p;
    }
    if (kind == QLatin1String("radio")) {
        auto *r = new TLookRadioButton(parent);
        r->setFont(crispFont());
        r->setFontColor(clBlack);
        r->setCaption(QStringLiteral("First prize"));
        return r;
    }
    auto *box = new TLookGroupBox(parent);
    box->setEdges({});
    box->setTransparentBorder(false);
    auto *held = new QWidget(box);
    held->setAutoFillBackground(true);
    QPalette red = held->palette();
    red.setColor(QPalette::Window, Qt::red);
    held->setPalette(red);
    held->setGeometry(10, 12, 50, 20);
    return box;
}

} // namespace

class SizeHintsTest : public QObject {
    Q_OBJECT

private slots:
    void smallestSizeShowsEverything_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind :
             {"button, glyph left", "button, glyph top", "panel", "radio", "group box"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    void smallestSizeShowsEverything()
    {
        QFETCH(QString, kind);
        QWidget window;
        QWidget *control = makeControl(kind, &window);
        window.resize(400, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize smallest = control->minimumSizeHint();
        QVERIFY(smallest.isValid());
        QVERIFY(control->sizeHint().width() >= smallest.width());
        QVERIFY(control->sizeHint().height() >= smallest.height());

        control->setGeometry(0, 0, 360, 120);
        const int roomy = shownPixels(control);
        QVERIFY(roomy > 0);
        control->resize(smallest);
        QCOMPARE(shownPixels(control), roomy); // nothing cut off
        control->resize(smallest - QSize(6, 0));
        QVERIFY(shownPixels(control) < roomy); // and no larger than it needs
    }

    // In a Qt layout each control takes at least that size.
    void layoutGivesTheNaturalSize()
    {
        QWidget window;
        auto *row = new QHBoxLayout(&window);
        QList<QWidget *> controls;
        for (const char *kind : {"button, glyph left", "panel", "radio", "group box"})
            row->addWidget(controls.emplace_back(makeControl(QString::fromLatin1(kind), &window)));
        row->addStretch();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QWidget *control : controls) {
            QVERIFY2(control->width() >= control->minimumSizeHint().width(),
                     control->metaObject()->className());
            QVERIFY2(control->height() >= control->minimumSizeHint().height(),
                     control->metaObject()->className());
        }
    }
};

QTEST_MAIN(SizeHintsTest)
#include "controls_size_hints_test.moc"

// The window on desktops of other colour schemes: every text stays legible
// against what is drawn behind it, and a colour change while the window is open
// leaves it exactly as a window opened under the new colours.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_radio_button.h"
#include "pixel_helpers.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/panel.h"
#include "platform/status_bar.h"
#include "test_palette.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

#include <cmath>
#include <map>

namespace {

// A dark scheme as a desktop's "darker" colour scheme gives it, every role its
// own value.
QPalette darkDesktopPalette()
{
    QPalette p;
    auto all = [&](QPalette::ColorRole role, QRgb rgb) {
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(g, role, QColor(rgb));
    };
    all(QPalette::WindowText, 0xFFFFFF);
    all(QPalette::Button, 0x424245);
    all(QPalette::Light, 0x979797);
    all(QPalette::Midlight, 0x5E5C5B);
    all(QPalette::Dark, 0x302F2E);
    all(QPalette::Mid, 0x4A4947);
    all(QPalette::Text, 0xF4F4F4);
    all(QPalette::BrightText, 0xFFFFF0);
    all(QPalette::ButtonText, 0xFAFAFA);
    all(QPalette::Base, 0x3D3D3D);
    all(QPalette::Window, 0x222020);
    all(QPalette::Shadow, 0xE7E4E0);
    all(QPalette::Highlight, 0x12608A);
    all(QPalette::HighlightedText, 0xF9F9F9);
    all(QPalette::Link, 0x0986D3);
    all(QPalette::LinkVisited, 0xA70B06);
    all(QPalette::AlternateBase, 0x5C5B5A);
    all(QPalette::ToolTipBase, 0x3F3F36);
    all(QPalette::ToolTipText, 0xEFEFEF);
    all(QPalette::PlaceholderText, 0xB0B0B0);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x808080));
    return p;
}

double luminance(QColor c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text's contrast inside area: the background is the area's commonest
// colour, the ink the colour that stands out most from it among those of at
// least a few pixels (the solid inside of the strokes; edge pixels blend
// towards the background). Zero when nothing is drawn.
double textContrast(const QImage &image, const QRect &area, QString *detail)
{
    std::map<QRgb, int> counts;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFFu];
    QRgb background = 0;
    int most = 0;
    for (const auto &[rgb, n] : counts)
        if (n > most)
            most = n, background = rgb;
    QRgb ink = background;
    double best = 0.0;
    for (const auto &[rgb, n] : counts) {
        const double c = contrast(QColor(background), QColor(rgb));
        if (rgb != background && n >= 3 && c > best)
            best = c, ink = rgb;
    }
    *detail = QStringLiteral("background %1, ink %2 (%3 pixels)")
                  .arg(QColor(background).name(), QColor(ink).name())
                  .arg(counts[ink]);
    return best;
}

// Where a control lies in the window.
QRect inWindow(QWidget *w, const QRect &r)
{
    return QRect(w->mapTo(w->window(), r.topLeft()), r.size());
}

} // namespace

class DesktopColoursTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // The caret shows steadily, so two pictures of the window compare.
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    void cleanup() { installClassicDesktopPalette(); }

    void textIsLegible_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("classic desktop") << false;
        QTest::newRow("dark desktop") << true;
    }

    // Each text of the window against what lies behind it. The headline's red
    // (29-pixel bold, large text) is the design's own on its own grey on every
    // desktop, and is held to the large-text level of 3:1.
    void textIsLegible()
    {
        QFETCH(bool, dark);
        if (dark)
            QGuiApplication::setPalette(darkDesktopPalette());
        WindowFixture fx;
        fx.writeDrawFolder(12, "3");
        QVERIFY(fx.open(false));
        TForm1 &form = *fx.form;
        form.ListBox1->setTopIndex(0);
        QCoreApplication::processEvents();
        const QImage shot = grabImage(&form);

        struct Text {
            const char *what;
            QRect area;
            double least;
        };
        TListBox *list = form.ListBox1;
        const QRect rows(0, 0, list->viewport()->width(), 3 * list->itemHeight());
        const Text texts[] = {
            {"roster names", inWindow(list->viewport(), rows), 4.5},
            {"tier caption",
             inWindow(form.RadioButton1, form.RadioButton1->rect().adjusted(20, 0, 0, 0)), 4.5},
            {"tier count", inWindow(form.Label1, form.Label1->rect()), 4.5},
            {"headline", inWindow(form.StaticText1, QRect(0, 0, form.StaticText1->width(), 40)),
             3.0},
            {"roster header", inWindow(form.Label13, form.Label13->rect().adjusted(3, 2, -3, -2)),
             4.5},
            {"status bar",
             inWindow(form.StatusBar1, form.StatusBar1->rect().adjusted(5, 4, -20, -2)), 4.5},
            {"group size caption", inWindow(form.Label3, form.Label3->rect()), 4.5},
            {"group size unit", inWindow(form.Label2, form.Label2->rect()), 4.5},
            {"view winners button",
             inWindow(form.Button3, form.Button3->rect().adjusted(24, 3, -3, -3)), 4.5},
            {"start button", inWindow(form.Button1, form.Button1->rect().adjusted(2, 2, -2, -2)),
             4.5},
            {"cancel button",
             inWindow(form.FlatButton1, form.FlatButton1->rect().adjusted(2, 2, -2, -2)), 4.5},
            {"group size", inWindow(form.SpinEdit1, form.SpinEdit1->rect().adjusted(3, 3, -20, -3)),
             4.5},
        };
        for (const Text &t : texts) {
            QString detail;
            const double ratio = textContrast(shot, t.area, &detail);
            QVERIFY2(ratio >= t.least,
                     qPrintable(QStringLiteral("%1: contrast %2, %3")
                                    .arg(QString::fromUtf8(t.what))
                                    .arg(ratio, 0, 'f', 2)
                                    .arg(detail)));
        }
    }

    // A colour change while the window is open leaves no part in the old
    // colours: the window then looks exactly as one opened under the new ones.
    void liveColourChangeLooksLikeAFreshWindow_data()
    {
        QTest::addColumn<bool>("toDark");
        QTest::addColumn<bool>("everyWidget");
        QTest::newRow("classic to dark") << true << false;
        QTest::newRow("dark to classic") << false << false;
        // Some desktop themes also hand the new palette to every widget.
        QTest::newRow("classic to dark, every widget told") << true << true;
    }

    void liveColourChangeLooksLikeAFreshWindow()
    {
        QFETCH(bool, toDark);
        QFETCH(bool, everyWidget);
        const QPalette before = toDark ? classicDesktopPalette() : darkDesktopPalette();
        const QPalette after = toDark ? darkDesktopPalette() : classicDesktopPalette();

        QImage fresh;
        {
            QGuiApplication::setPalette(after);
            WindowFixture fx;
            fx.writeDrawFolder(12, "3");
            QVERIFY(fx.open(false));
            QCoreApplication::processEvents();
            fresh = grabImage(fx.form.get());
        }
        QGuiApplication::setPalette(before);
        WindowFixture fx;
        fx.writeDrawFolder(12, "3");
        QVERIFY(fx.open(false));
        QCoreApplication::processEvents();
        QGuiApplication::setPalette(after);
        if (everyWidget)
            for (QWidget *w : QApplication::allWidgets())
                w->setPalette(after);
        QCoreApplication::processEvents();
        const QImage changed = grabImage(fx.form.get());

        QCOMPARE(changed.size(), fresh.size());
        QRect differing;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x)
                if (changed.pixel(x, y) != fresh.pixel(x, y))
                    differing |= QRect(x, y, 1, 1);
        QVERIFY2(differing.isEmpty(),
                 qPrintable(QStringLiteral("pixels differ within %1,%2 %3x%4")
                                .arg(differing.x())
                                .arg(differing.y())
                                .arg(differing.width())
                                .arg(differing.height())));
    }
};

WINDOW_TEST_MAIN(DesktopColoursTest)
#include "desktop_colours_test.moc"

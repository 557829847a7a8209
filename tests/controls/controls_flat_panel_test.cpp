#include "controls/flat_panel.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "reported_errors.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace FlatStyle;

namespace {

const QColor kFace(231, 239, 254);
const QColor kGrey(128, 128, 128);

// Label13 as the window sets it up, beside a control that holds the focus.
struct RosterHeader {
    QWidget parent;
    TFlatPanel *panel = nullptr;
    QWidget *focused = nullptr;

    RosterHeader()
    {
        parent.resize(300, 100);
        focused = new QWidget(&parent);
        focused->setFocusPolicy(Qt::StrongFocus);
        focused->setGeometry(250, 50, 20, 20);
        panel = new TFlatPanel(&parent);
        panel->setGeometry(11, 5, 174, 27);
        panel->setColor(0xFEEFE7); // RGB 231,239,254
        panel->setColorBorder(clGray);
        panel->setFontColor(clBlack);
        QFont crisp; // plain pixels, so the caption's colours can be counted
        crisp.setPixelSize(13);
        crisp.setStyleStrategy(QFont::NoAntialias);
        panel->setFont(crisp);
        panel->setCaption(QString::fromUtf8("抽奖名单"));
        panel->setToolTip(QString::fromUtf8("点这里可以屏蔽翻页键"));
        parent.show();
    }
};

} // namespace

class FlatPanelTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void faceBorderAndCentredCaption();
    void captionIsCutAtCaptionArea_data();
    void captionIsCutAtCaptionArea();
    void gradientFace();
    void disabledEmbossesCaptionOnly();
    void transparentShowsParent();
    void clickAndDoubleClickRule();
    void failingClickHandlerGoesToErrorBox();
    void changeSignals();
    void defaults();
    void drawingTakesItsStateFromThePanelAsItIs();
    void alignedChildrenKeepOnePixelFree();
    void autoSizeFitsChildren();
    void enterAndExitFollowTheFocus();
    void deletedWhileAChildHasTheFocus();
    void popupMenuAndAction();
    void resizeWithoutFullRepaintKeepsBorder_data();
    void resizeWithoutFullRepaintKeepsBorder();
};

void FlatPanelTest::faceBorderAndCentredCaption()
{
    RosterHeader f;
    QImage image = grabImage(f.panel);
    QCOMPARE(pixelAt(image, 0, 0), kGrey);
    QCOMPARE(pixelAt(image, 173, 26), kGrey);
    QCOMPARE(pixelAt(image, 0, 13), kGrey);
    QCOMPARE(pixelAt(image, 1, 1), kFace);
    QCOMPARE(pixelAt(image, 172, 25), kFace);
    const QRect ink = inkBounds(image, image.rect().adjusted(1, 1, -1, -1), kFace);
    QVERIFY(!ink.isEmpty());
    QVERIFY(countColor(image, ink, QColor(0, 0, 0)) > 5);
    QVERIFY(qAbs((ink.left() + ink.right()) - 173) <= 4);
    QVERIFY(qAbs((ink.top() + ink.bottom()) - 26) <= 6);

    // A new caption is shown, again centred.
    f.panel->setCaption(QString::fromUtf8("抽奖名单 共[12]人"));
    const QImage wider = grabImage(f.panel);
    const QRect widerInk = inkBounds(wider, wider.rect().adjusted(1, 1, -1, -1), kFace);
    QVERIFY(widerInk.width() > ink.width());
    QVERIFY(qAbs((widerInk.left() + widerInk.right()) - 173) <= 4);
}

void FlatPanelTest::captionIsCutAtCaptionArea_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(taLeftJustify);
    QTest::newRow("centre") << int(taCenter);
    QTest::newRow("right") << int(taRightJustify);
}

void FlatPanelTest::captionIsCutAtCaptionArea()
{
    QFETCH(int, alignment);
    RosterHeader f;
    f.panel->setAlignment(TAlignment(alignment));
    f.panel->setCaption(QStringLiteral("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"));
    const QImage image = grabImage(f.panel);
    // Outside x = 3 ... 170 only the face and the border show.
    const QRect inner = image.rect().adjusted(1, 1, -1, -1);
    QVERIFY(inkBounds(image, QRect(1, 1, 2, 25), kFace).isEmpty());
    QVERIFY(inkBounds(image, QRect(171, 1, 2, 25), kFace).isEmpty());
    // The long text reaches the area's edge where it is aligned (both for centre).
    const QRect ink = inkBounds(image, inner, kFace);
    if (alignment != taRightJustify)
        QVERIFY2(ink.left() <= 5, qPrintable(QString::number(ink.left())));
    if (alignment != taLeftJustify)
        QVERIFY2(ink.right() >= 168, qPrintable(QString::number(ink.right())));
}

void FlatPanelTest::gradientFace()
{
    RosterHeader f;
    f.panel->setCaption(QString());
    f.panel->setStyleFace(fsCustom);
    const QImage image = grabImage(f.panel);
    QCOMPARE(pixelAt(image, 0, 0), kGrey); // border over the gradient
    QCOMPARE(pixelAt(image, 1, 10), QColor(128, 128, 128));
    QCOMPARE(pixelAt(image, 5, 10), QColor(132, 132, 132));
    QCOMPARE(pixelAt(image, 172, 10), QColor(250, 250, 250));
    QCOMPARE(countColor(image, image.rect(), Qt::white), 0);
    f.panel->setBackgropOrien(bsVertical);
    const QImage vertical = grabImage(f.panel);
    // 27 rows: bands one pixel thick, several starting on the same row, the later winning.
    QCOMPARE(pixelAt(vertical, 100, 1), QColor(136, 136, 136));
    QCOMPARE(pixelAt(vertical, 100, 25), QColor(246, 246, 246));
}

void FlatPanelTest::disabledEmbossesCaptionOnly()
{
    RosterHeader f;
    f.panel->setEnabled(false);
    const QImage image = grabImage(f.panel);
    QCOMPARE(pixelAt(image, 0, 0), kGrey);
    QCOMPARE(pixelAt(image, 1, 1), kFace);
    const QRect inner = image.rect().adjusted(1, 1, -1, -1);
    QCOMPARE(countColor(image, inner, QColor(0, 0, 0)), 0);
    QVERIFY(countColor(image, inner, QColor(160, 160, 160)) > 5);
    // The clBtnHighlight copy lies one pixel right of and below the clBtnShadow one.
    const QColor highlight(250, 250, 250);
    QVERIFY(countColor(image, inner, highlight) > 5);
    QCOMPARE(strayCopyPixels(image, inner, kFace, highlight, QPoint(1, 1)), 0);
}

void FlatPanelTest::transparentShowsParent()
{
    RosterHeader f;
    f.parent.setAutoFillBackground(true);
    QPalette pal = f.parent.palette();
    pal.setColor(QPalette::Window, QColor(239, 239, 239));
    f.parent.setPalette(pal);
    f.panel->setTransparent(true);
    const QImage image = grabImage(f.panel);
    QCOMPARE(pixelAt(image, 2, 2), QColor(239, 239, 239));
    QCOMPARE(pixelAt(image, 0, 0), kGrey);
}

void FlatPanelTest::clickAndDoubleClickRule()
{
    RosterHeader f;
    f.parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.parent));
    f.focused->setFocus();
    QSignalSpy clicks(f.panel, &TDefinePanel::clicked);
    QSignalSpy doubles(f.panel, &TDefinePanel::doubleClicked);

    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(f.focused->hasFocus()); // a click never takes the focus

    // Released outside: nothing. The right column is outside.
    QTest::mousePress(f.panel, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(f.panel, Qt::LeftButton, {}, QPoint(174, 10));
    QCOMPARE(clicks.count(), 1);

    // A double-click: one click for the first press, then the double-click,
    // and no click for the second release.
    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseDClick(f.panel, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(f.panel, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(doubles.count(), 1);

    // Other buttons do not click.
    QTest::mouseClick(f.panel, Qt::RightButton, {}, QPoint(20, 10));
    QCOMPARE(clicks.count(), 2);
}

void FlatPanelTest::failingClickHandlerGoesToErrorBox()
{
    ReportedErrors errors;
    RosterHeader f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
    QObject *sender = nullptr;
    f.panel->setOnClick([&sender](QObject *from) {
        sender = from;
        throw std::runtime_error("Cannot create file");
    });
    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(sender, f.panel);
    // The panel carries on: the next click reaches the handler again.
    QCOMPARE(errors.messages(), QStringList(2, QStringLiteral("Cannot create file")));
}

// Caption and Enabled tell each real change once (the window rewrites the
// roster count after every roster change).
void FlatPanelTest::changeSignals()
{
    RosterHeader f;
    QSignalSpy captions(f.panel, &TDefinePanel::captionChanged);
    QSignalSpy enabled(f.panel, &TVersionControl::enabledChanged);
    const QString count = QString::fromUtf8("抽奖名单 共[12]人");
    f.panel->setCaption(count);
    f.panel->setProperty("Caption", count);
    QCOMPARE(captions.count(), 1);
    QCOMPARE(captions.at(0).at(0).toString(), count);
    f.panel->setEnabled(false);
    f.panel->setProperty("Enabled", false);
    QCOMPARE(enabled.count(), 1);
    QCOMPARE(enabled.at(0).at(0).toBool(), false);
    f.panel->setEnabled(true);
    QCOMPARE(enabled.count(), 2);
    f.parent.setEnabled(false); // the container's state is not the panel's setting
    f.parent.setEnabled(true);
    QCOMPARE(enabled.count(), 2);
}

void FlatPanelTest::defaults()
{
    TFlatPanel panel;
    QCOMPARE(panel.size(), QSize(185, 41));
    QCOMPARE(panel.color(), clBtnFace);
    QCOMPARE(panel.colorBorder(), TColor(0xFF8000)); // RGB 0,128,255
    QCOMPARE(panel.alignment(), taCenter);
    QCOMPARE(panel.focusPolicy(), Qt::NoFocus);
    QCOMPARE(panel.tag(), 0);
    panel.setTag(1);
    QCOMPARE(panel.tag(), 1);
    panel.setAlignment(Qt::AlignRight);
    QCOMPARE(panel.alignment(), taRightJustify);
}

void FlatPanelTest::drawingTakesItsStateFromThePanelAsItIs()
{
    RosterHeader f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
    f.panel->setStyleFace(fsCustom);
    f.panel->setBackgropOrien(bsVertical);
    f.panel->setEnabled(false);
    auto draw = [&f] {
        QImage image(f.panel->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        drawFlatPanel(painter, image.rect(), f.panel->styleOption(), f.panel);
        return image;
    };
    const QImage beforePaint = draw();
    const QImage onScreen = grabImage(f.panel);
    QCOMPARE(onScreen, beforePaint);
    QCOMPARE(draw(), beforePaint);
}

void FlatPanelTest::alignedChildrenKeepOnePixelFree()
{
    TFlatPanel panel;
    panel.resize(100, 60);
    auto *top = new QWidget(&panel);
    top->resize(10, 8);
    auto *left = new QWidget(&panel);
    left->resize(12, 10);
    auto *rest = new QWidget(&panel);
    panel.show(); // a hidden control hears of its resizes only when shown
    TDefinePanel::setChildAlign(rest, alClient);
    TDefinePanel::setChildAlign(left, alLeft);
    TDefinePanel::setChildAlign(top, alTop);
    QCOMPARE(top->geometry(), QRect(1, 1, 98, 8));
    QCOMPARE(left->geometry(), QRect(1, 9, 12, 50));
    QCOMPARE(rest->geometry(), QRect(13, 9, 86, 50));
    panel.resize(60, 40); // followed on resize
    QCOMPARE(top->geometry(), QRect(1, 1, 58, 8));
    QCOMPARE(rest->geometry(), QRect(13, 9, 46, 30));
    TDefinePanel::setChildAlign(left, alNone);
    TDefinePanel::setChildAlign(top, alNone);
    top->hide();
    QCOMPARE(rest->geometry(), QRect(1, 1, 58, 38));
}

void FlatPanelTest::autoSizeFitsChildren()
{
    TFlatPanel panel;
    auto *child = new QWidget(&panel);
    child->setGeometry(5, 6, 30, 20);
    panel.show();
    panel.setAutoSize(true);
    QCOMPARE(panel.size(), QSize(36, 27));
    child->resize(40, 30);
    QCOMPARE(panel.size(), QSize(46, 37));
}

void FlatPanelTest::enterAndExitFollowTheFocus()
{
    RosterHeader f;
    auto *inside = new QLineEdit(f.panel);
    inside->setGeometry(20, 4, 40, 18);
    inside->show();
    f.parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.parent));
    f.focused->setFocus();
    QSignalSpy entered(f.panel, &TDefinePanel::entered);
    QSignalSpy exited(f.panel, &TDefinePanel::exited);
    inside->setFocus();
    QCOMPARE(entered.count(), 1);
    QCOMPARE(exited.count(), 0);
    f.focused->setFocus();
    QCOMPARE(exited.count(), 1);
    QVERIFY(!f.panel->hasFocus()); // the panel itself never takes it
}

void FlatPanelTest::deletedWhileAChildHasTheFocus()
{
    RosterHeader f;
    auto *inside = new QLineEdit(f.panel);
    inside->show();
    f.parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.parent));
    inside->setFocus();
    QVERIFY(inside->hasFocus());
    // Deleting the focused child moves the focus while the panel is being
    // destroyed: the panel must not answer the application's signal then.
    int exitsDuringDeletion = 0;
    connect(f.panel, &TDefinePanel::exited, &f.parent, [&] { ++exitsDuringDeletion; });
    delete f.panel;
    QCOMPARE(exitsDuringDeletion, 0);
}

void FlatPanelTest::popupMenuAndAction()
{
    RosterHeader f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    f.panel->setPopupMenu(&menu);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(10, 10),
                                 f.panel->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(f.panel, &rightClick);
    QTRY_VERIFY(menu.isVisible());
    menu.close();

    QAction action(QStringLiteral("Names"));
    f.panel->setAction(&action);
    QCOMPARE(f.panel->caption(), QStringLiteral("Names"));
    QSignalSpy triggered(&action, &QAction::triggered);
    QSignalSpy clicks(f.panel, &TDefinePanel::clicked);
    QSignalSpy downs(f.panel, &TDefinePanel::mouseDown);
    QSignalSpy ups(f.panel, &TDefinePanel::mouseUp);
    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(ups.count(), 1);
    QCOMPARE(downs.at(0).at(2).toPoint(), QPoint(10, 10));
}

namespace {

// Records what each paint was asked to cover.
class RecordingPanel : public TFlatPanel {
public:
    using TFlatPanel::TFlatPanel;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted += event->region();
        TFlatPanel::paintEvent(event);
    }
};

} // namespace

void FlatPanelTest::resizeWithoutFullRepaintKeepsBorder_data()
{
    QTest::addColumn<bool>("fullRepaint");
    QTest::newRow("full repaint") << true;
    QTest::newRow("strips only") << false;
}

void FlatPanelTest::resizeWithoutFullRepaintKeepsBorder()
{
    QFETCH(bool, fullRepaint);
    QWidget parent;
    parent.resize(300, 100);
    auto *panel = new RecordingPanel(&parent);
    panel->setGeometry(10, 10, 174, 27);
    panel->setColor(0xFEEFE7); // RGB 231,239,254
    panel->setColorBorder(clGray);
    panel->setFullRepaint(fullRepaint);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    // What the screen shows, not a fresh paint of the panel.
    auto onScreen = [&](int x, int y) {
        const QImage shown = parent.screen()->grabWindow(parent.winId()).toImage();
        return pixelAt(shown, panel->x() + x, panel->y() + y);
    };

    for (const QSize size : {QSize(194, 31), QSize(120, 20)}) {
        const QSize old = panel->size();
        QTRY_VERIFY(!panel->painted.isEmpty());
        panel->painted = QRegion();
        panel->resize(size);
        QTRY_VERIFY(!panel->painted.isEmpty());
        QCoreApplication::processEvents();
        if (fullRepaint) {
            QCOMPARE(panel->painted, QRegion(panel->rect()));
        } else {
            // The middle keeps what it showed; the border moved all the same.
            QVERIFY(!panel->painted.contains(QPoint(60, 8)));
        }
        const int right = size.width() - 1, bottom = size.height() - 1;
        QCOMPARE(onScreen(right, 8), kGrey);
        QCOMPARE(onScreen(60, bottom), kGrey);
        QCOMPARE(onScreen(right - 1, 8), kFace);
        QCOMPARE(onScreen(60, bottom - 1), kFace);
        if (size.width() > old.width()) {
            // Where the old border stood is face now.
            QCOMPARE(onScreen(old.width() - 1, 8), kFace);
            QCOMPARE(onScreen(60, old.height() - 1), kFace);
        }
    }
}

QTEST_MAIN(FlatPanelTest)
#include "controls_flat_panel_test.moc"

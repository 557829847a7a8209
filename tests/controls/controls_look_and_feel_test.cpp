#include "controls/look_and_feel.h"
#include "controls/look_and_feel_painters.h"
#include "controls/look_radio_glyph.h"
#include "controls/look_visual_styles.h"
#include "pixel_helpers.h"
#include "platform/label.h"
#include "property_rows.h"
#include "test_palette.h"

#include <QPainter>
#include <QtTest>

using namespace LookAndFeels;

Q_DECLARE_METATYPE(const TCustomLookAndFeelPainter *)

namespace {

// Counts the owner's change notifications and what they carried.
struct ChangeLog {
    QList<TLookAndFeelValues> changes;
    void watch(TLookAndFeel &lf)
    {
        QObject::connect(&lf, &TLookAndFeel::changed,
                         [this](TLookAndFeelValues v) { changes << v; });
    }
};

// A listener that records its name into a shared list and may act during its call.
struct RecordingListener : QObject {
    QString name;
    QStringList *log = nullptr;
    std::function<void()> during;
    bool sawDestroying = false;
    void listenTo(TLookAndFeel *lf)
    {
        connect(lf, &TLookAndFeel::masterChanged, this, [this] {
            *log << name;
            if (during)
                during();
        });
        connect(lf, &TLookAndFeel::masterDestroying, this,
                [this](TLookAndFeel *master) { sawDestroying = master->destroying(); });
    }
};

// Visual styles off for one test: the program stops taking its look from the desktop.
struct VisualStylesOff {
    bool was = QGuiApplication::desktopSettingsAware();
    VisualStylesOff() { QGuiApplication::setDesktopSettingsAware(false); }
    ~VisualStylesOff() { QGuiApplication::setDesktopSettingsAware(was); }
};

// The root goes back to its defaults after each test.
void resetRoot()
{
    TLookAndFeel::root()->setAssignedValues({});
}

} // namespace

class LookAndFeelTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { resetRoot(); }
    void rootExistsWithDefaults();
    void defaultPainterIsUltraFlat();
    void nativeStyleNeedsVisualStyles();
    void inheritsFromRootUnlessAssigned();
    void settingInheritedValueMarksAssignedSilently();
    void assignedValuesAndAssign();
    void explicitMasterAndItsEnd();
    void listenersToldInOrderNoneSkipped();
    void controllerWritesTheRoot();
    void colourChangeRebuildsGlyphsBeforeOwnersHear();
    void painterTable_data();
    void painterTable();
    void office11PanelBackground();
    void parentCopyShowsEarlierSiblingsOnly();
    void propertiesByName_data();
    void propertiesByName();
};

void LookAndFeelTest::rootExistsWithDefaults()
{
    TLookAndFeel *root = TLookAndFeel::root();
    QVERIFY(root);
    QVERIFY(root->isRoot());
    QCOMPARE(root->kind(), lfUltraFlat);
    QCOMPARE(root->nativeStyle(), false);
    QCOMPARE(root->skinName(), QString());
    // The root takes no master.
    TLookAndFeel other;
    root->setMaster(&other);
    QCOMPARE(root->master(), nullptr);
}

void LookAndFeelTest::defaultPainterIsUltraFlat()
{
    TLookAndFeel lf;
    QCOMPARE(&lf.ActivePainter(), &TUltraFlatLookAndFeelPainter::instance());
    QCOMPARE(&lf.PainterFor({QStringLiteral("Button")}), &TUltraFlatLookAndFeelPainter::instance());
    VisualStylesOff off;
    QVERIFY(!VisualStylesAvailable({}));
    TLookAndFeel lf2;
    QCOMPARE(&lf2.ActivePainter(), &TUltraFlatLookAndFeelPainter::instance());
}

void LookAndFeelTest::nativeStyleNeedsVisualStyles()
{
    TLookAndFeel lf;
    lf.setKind(lfFlat);
    lf.setNativeStyle(true);
    QVERIFY(VisualStylesAvailable({QStringLiteral("button")}));
    QCOMPARE(&lf.PainterFor({QStringLiteral("Button")}), &TNativeLookAndFeelPainter::instance());
    // A theme class the desktop's style cannot draw keeps the kind's painter.
    QCOMPARE(&lf.PainterFor({QStringLiteral("Edit")}), &TFlatLookAndFeelPainter::instance());
    {
        VisualStylesOff off;
        QCOMPARE(&lf.PainterFor({QStringLiteral("Button")}), &TFlatLookAndFeelPainter::instance());
        TLookAndFeel fresh;
        fresh.setNativeStyle(true);
        QCOMPARE(&fresh.ActivePainter(), &TUltraFlatLookAndFeelPainter::instance());
    }
    QCOMPARE(visualStyleClassNames().size(), 25);
    QCOMPARE(visualStyleClassNames().first(), QStringLiteral("Button"));
    QCOMPARE(visualStyleClassNames().last(), QStringLiteral("Window"));
}

void LookAndFeelTest::inheritsFromRootUnlessAssigned()
{
    TLookAndFeel plain, own;
    own.setKind(lfStandard);
    ChangeLog plainLog, ownLog;
    plainLog.watch(plain);
    ownLog.watch(own);

    TLookAndFeel::root()->setKind(lfFlat);
    QCOMPARE(plain.kind(), lfFlat);
    QCOMPARE(&plain.ActivePainter(), &TFlatLookAndFeelPainter::instance());
    QCOMPARE(plainLog.changes, QList<TLookAndFeelValues>{lfvKind});
    QCOMPARE(plain.previousValues().kind, lfUltraFlat);
    QCOMPARE(own.kind(), lfStandard);
    QVERIFY(ownLog.changes.isEmpty());

    TLookAndFeel::root()->setKind(lfOffice11);
    QCOMPARE(&plain.ActivePainter(), &TOffice11LookAndFeelPainter::instance());
    QCOMPARE(own.kind(), lfStandard);
}

void LookAndFeelTest::settingInheritedValueMarksAssignedSilently()
{
    TLookAndFeel lf;
    ChangeLog log;
    log.watch(lf);
    lf.setKind(lfUltraFlat); // what it inherits already
    QVERIFY(log.changes.isEmpty());
    QCOMPARE(lf.assignedValues(), TLookAndFeelValues(lfvKind));
    QVERIFY(lf.isStored(lfvKind));
    QVERIFY(!lf.isStored(lfvNativeStyle));
    TLookAndFeel::root()->setKind(lfFlat);
    QCOMPARE(lf.kind(), lfUltraFlat); // the master's change no longer reaches it
    QVERIFY(log.changes.isEmpty());
}

void LookAndFeelTest::assignedValuesAndAssign()
{
    TLookAndFeel lf;
    ChangeLog log;
    log.watch(lf);
    lf.setKind(lfStandard);
    lf.setSkinName(QStringLiteral("Blue"));
    QCOMPARE(log.changes, (QList<TLookAndFeelValues>{lfvKind, lfvSkinName}));
    log.changes.clear();
    // Unassigning brings back the root's values; only the values that moved are told.
    lf.setAssignedValues(lfvSkinName);
    QCOMPARE(lf.kind(), lfUltraFlat);
    QCOMPARE(log.changes, QList<TLookAndFeelValues>{lfvKind});
    QCOMPARE(&lf.ActivePainter(), &TUltraFlatLookAndFeelPainter::instance()); // no skins

    TLookAndFeel source;
    source.setKind(lfFlat);
    source.setNativeStyle(true);
    log.changes.clear();
    lf.assign(source);
    QCOMPARE(lf.assignedValues(), TLookAndFeelValues(lfvKind | lfvNativeStyle));
    QCOMPARE(lf.kind(), lfFlat);
    QCOMPARE(lf.skinName(), QString());
    QCOMPARE(log.changes, QList<TLookAndFeelValues>{lfvKind | lfvNativeStyle | lfvSkinName});
}

void LookAndFeelTest::explicitMasterAndItsEnd()
{
    TLookAndFeel child;
    auto master = std::make_unique<TLookAndFeel>();
    master->setKind(lfStandard);
    child.setMaster(master.get());
    QCOMPARE(child.kind(), lfStandard);
    master->setKind(lfFlat);
    QCOMPARE(child.kind(), lfFlat);
    // A master whose chain leads back is refused.
    master->setMaster(&child);
    QCOMPARE(master->master(), nullptr);
    // When the master goes, the root is master again.
    master.reset();
    QCOMPARE(child.master(), nullptr);
    QCOMPARE(child.kind(), lfUltraFlat);
    TLookAndFeel::root()->setKind(lfOffice11);
    QCOMPARE(child.kind(), lfOffice11);
}

void LookAndFeelTest::listenersToldInOrderNoneSkipped()
{
    auto lf = std::make_unique<TLookAndFeel>();
    QStringList log;
    RecordingListener a, b, c;
    a.name = QStringLiteral("a");
    b.name = QStringLiteral("b");
    c.name = QStringLiteral("c");
    a.log = b.log = c.log = &log;
    // The owner hears last, though it connected first.
    QObject::connect(lf.get(), &TLookAndFeel::changed, [&] { log << QStringLiteral("owner"); });
    a.during = [&] {
        QObject::disconnect(lf.get(), nullptr, &a, nullptr);
    }; // leaves during its call
    a.listenTo(lf.get());
    b.listenTo(lf.get());
    c.listenTo(lf.get());
    lf->setKind(lfFlat);
    QCOMPARE(log,
             (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                          QStringLiteral("owner")}));
    QCOMPARE(lf->changeListenerCount(), 2);
    lf.reset();
    QVERIFY(b.sawDestroying); // told with the destroying flag set
}

void LookAndFeelTest::controllerWritesTheRoot()
{
    TLookAndFeel lf;
    TLookAndFeel plain;
    {
        TLookAndFeelController controller;
        QCOMPARE(controller.kind(), lfUltraFlat);
        controller.setKind(lfStandard);
        QCOMPARE(TLookAndFeel::root()->kind(), lfStandard);
        QCOMPARE(lf.kind(), lfStandard);
        QCOMPARE(controller.kind(), lfStandard);
        // Only the root takes controllers as listeners.
        const int before = plain.changeListenerCount();
        QVERIFY(!plain.addController(&controller));
        QCOMPARE(plain.changeListenerCount(), before);
        {
            TLookAndFeelController second;
            QCOMPARE(TLookAndFeelController::count(), 2);
        }
        QCOMPARE(TLookAndFeel::root()->kind(), lfStandard); // one controller is left
    }
    // The last controller is gone: the defaults return.
    QCOMPARE(TLookAndFeel::root()->assignedValues(), TLookAndFeelValues());
    QCOMPARE(lf.kind(), lfUltraFlat);
}

void LookAndFeelTest::colourChangeRebuildsGlyphsBeforeOwnersHear()
{
    TRadioGlyphImageList &glyphs = TRadioGlyphImageList::instance();
    TLookAndFeel lf;
    int rebuildsSeen = -1;
    TLookAndFeelValues told;
    QObject::connect(&lf, &TLookAndFeel::changed, [&](TLookAndFeelValues v) {
        rebuildsSeen = glyphs.rebuildCount();
        told = v;
    });
    const int before = glyphs.rebuildCount();
    QPalette changed = classicDesktopPalette();
    changed.setColor(QPalette::Highlight, QColor(0xC0, 0x20, 0x20)); // RGB 192,32,32
    QGuiApplication::setPalette(changed);
    QCOMPARE(rebuildsSeen, before + 1);
    QCOMPARE(told, TLookAndFeelValues(lfvNativeStyle));
    QCOMPARE(pixelAt(radioGlyphImage(lfUltraFlat, gsNormal, false, true), 6, 0),
             QColor(192, 32, 32));
    installClassicDesktopPalette();
    QCOMPARE(pixelAt(radioGlyphImage(lfUltraFlat, gsNormal, false, true), 6, 0),
             QColor(51, 153, 255));
}

void LookAndFeelTest::painterTable_data()
{
    QTest::addColumn<const TCustomLookAndFeelPainter *>("painter");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("glyphKind");
    QTest::newRow("custom") << &TCustomLookAndFeelPainter::instance() << 1 << int(lfStandard);
    QTest::newRow("standard") << static_cast<const TCustomLookAndFeelPainter *>(
                                     &TStandardLookAndFeelPainter::instance())
                              << 1 << int(lfStandard);
    QTest::newRow("flat") << static_cast<const TCustomLookAndFeelPainter *>(
                                 &TFlatLookAndFeelPainter::instance())
                          << 0 << int(lfFlat);
    QTest::newRow("ultra-flat") << static_cast<const TCustomLookAndFeelPainter *>(
                                       &TUltraFlatLookAndFeelPainter::instance())
                                << 2 << int(lfUltraFlat);
    QTest::newRow("office") << static_cast<const TCustomLookAndFeelPainter *>(
                                   &TOffice11LookAndFeelPainter::instance())
                            << 4 << int(lfOffice11);
    QTest::newRow("native") << static_cast<const TCustomLookAndFeelPainter *>(
                                   &TNativeLookAndFeelPainter::instance())
                            << 3 << -1;
}

void LookAndFeelTest::painterTable()
{
    QFETCH(const TCustomLookAndFeelPainter *, painter);
    QFETCH(int, style);
    QFETCH(int, glyphKind);
    QCOMPARE(int(painter->PainterStyle()), style);
    QCOMPARE(painter->EditorTextColor(false), clDefault);
    QCOMPARE(painter->EditorTextColor(true), clDefault);
    QCOMPARE(painter->groupBoxBorderSize(), QMargins());
    QCOMPARE(painter->groupBoxTextColor(), clDefault);
    QCOMPARE(painter->isGroupBoxTransparent(), false);
    if (glyphKind < 0) {
        QCOMPARE(painter->RadioGlyphSize(), nativeRadioGlyphSize());
        return;
    }
    // The glyph comes from the images of the painter's kind, checked and hot.
    QCOMPARE(painter->RadioGlyphSize(), QSize(13, 13));
    QImage drawn(13, 13, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        painter->DrawRadioGlyph(p, 0, 0, gsHot, true, false, clDefault, false);
    }
    QCOMPARE(drawn, radioGlyphImage(TLookAndFeelKind(glyphKind), gsHot, true, false));
}

void LookAndFeelTest::office11PanelBackground()
{
    const TOffice11LookAndFeelPainter &office = TOffice11LookAndFeelPainter::instance();
    QImage image(20, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    office.PaintPanelBackground(p, nullptr, QRect(0, 0, 20, 30), 0x0000FF,
                                clDefault); // RGB 255,0,0
    QCOMPARE(pixelAt(image, 10, 29), QColor(255, 0, 0));
    office.PaintPanelBackground(p, nullptr, QRect(0, 0, 20, 30), 0xFFFFFF, 0x000000);
    QCOMPARE(pixelAt(image, 5, 0), QColor(255, 255, 255));
    QCOMPARE(pixelAt(image, 5, 29), QColor(0, 0, 0));
    const int middle = pixelAt(image, 5, 15).red();
    QVERIFY(middle > 100 && middle < 155);
    // A line halfway between 0 and 5 rounds its tie to even: 2, not 3.
    office.PaintPanelBackground(p, nullptr, QRect(0, 0, 1, 3), 0x000000, 0x050505);
    QCOMPARE(pixelAt(image, 0, 1), QColor(2, 2, 2));
    office.PaintPanelBackground(p, nullptr, QRect(0, 0, 20, 30), clWhite, 0xFFFFFF);
    QCOMPARE(countColor(image, image.rect(), QColor(255, 255, 255)), 600);
    // The other painters draw no panel background of their own.
    TUltraFlatLookAndFeelPainter::instance().PaintPanelBackground(p, nullptr, image.rect(), clBlack,
                                                                  clDefault);
    QCOMPARE(countColor(image, image.rect(), QColor(255, 255, 255)), 600);
}

void LookAndFeelTest::parentCopyShowsEarlierSiblingsOnly()
{
    QWidget parent;
    parent.resize(200, 100);
    parent.setAutoFillBackground(true);
    parent.setPalette(QPalette(QColor(0x10, 0x80, 0x10))); // RGB 16,128,16
    auto *earlier = new QWidget(&parent); // a windowed sibling holding a label
    earlier->setGeometry(0, 0, 100, 100);
    auto *label = new TLabel(earlier);
    label->setGeometry(10, 10, 30, 20);
    label->setTransparent(false);
    label->setColor(0x0000C0); // RGB 192,0,0
    auto *control = new QWidget(&parent);
    control->setGeometry(0, 0, 200, 100);
    auto *later = new QWidget(&parent);
    later->setAutoFillBackground(true);
    later->setPalette(QPalette(QColor(0x00, 0x00, 0xC0))); // RGB 0,0,192
    later->setGeometry(150, 0, 50, 100);
    parent.show();

    QImage copy(200, 100, QImage::Format_RGB32);
    copy.fill(Qt::black);
    {
        QPainter p(&copy);
        PaintParentCopy(control, p, copy.rect(), true);
    }
    QCOMPARE(pixelAt(copy, 20, 20), QColor(192, 0, 0)); // the earlier sibling's label
    QCOMPARE(pixelAt(copy, 120, 50), QColor(16, 128, 16)); // the parent's own picture
    QCOMPARE(pixelAt(copy, 170, 50), QColor(16, 128, 16)); // never the later sibling

    copy.fill(Qt::black);
    {
        QPainter p(&copy);
        PaintParentCopy(control, p, QRect(5, 5, 50, 50), false); // the parent alone
    }
    QCOMPARE(pixelAt(copy, 20, 20), QColor(16, 128, 16));
    QCOMPARE(pixelAt(copy, 60, 60), QColor(0, 0, 0)); // outside the rect: untouched
}

void LookAndFeelTest::propertiesByName_data()
{
    addPropertyColumns();
    const auto row = addPropertyRow;
    row("lookAndFeel", "Kind", QStringLiteral("lfOffice11"), int(lfOffice11));
    row("lookAndFeel", "NativeStyle", true, true);
    row("lookAndFeel", "SkinName", QStringLiteral("Caramel"), QStringLiteral("Caramel"));
    row("lookAndFeel", "AssignedValues", QStringLiteral("lfvKind|lfvSkinName"),
        int(lfvKind | lfvSkinName));
    row("controller", "Kind", QStringLiteral("lfFlat"), int(lfFlat));
    row("controller", "NativeStyle", true, true);
    row("controller", "SkinName", QStringLiteral("Lilian"), QStringLiteral("Lilian"));
}

void LookAndFeelTest::propertiesByName()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, name);
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);
    TLookAndFeel lf;
    TLookAndFeelController controller;
    QObject *target =
        object == QLatin1String("controller") ? static_cast<QObject *>(&controller) : &lf;
    comparePropertyRoundTrip(target, name, written, read);
}

QTEST_MAIN(LookAndFeelTest)
#include "controls_look_and_feel_test.moc"

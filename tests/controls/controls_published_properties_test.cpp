// Every published property of the flat controls reads and writes by name, as
// layout data and tools address them.
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {

// A control placed on a form, as layout data places it.
struct Placed {
    explicit Placed(const QString &kind)
    {
        if (kind == QLatin1String("button"))
            control = new TFlatButton(&form);
        else if (kind == QLatin1String("radio"))
            control = new TLookRadioButton(&form);
        else if (kind == QLatin1String("group box"))
            control = new TLookGroupBox(&form);
        else
            control = new TFlatPanel(&form);
    }
    QWidget form;
    QWidget *control = nullptr;
};

} // namespace

class PublishedPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void readAndWriteByName_data();
    void readAndWriteByName();
    void objectPropertiesByName_data();
    void objectPropertiesByName();
    void enabledReadsTheControlsOwnSetting_data();
    void enabledReadsTheControlsOwnSetting();
    void tabOrderByName_data();
    void tabOrderByName();
};

void PublishedPropertiesTest::readAndWriteByName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QString>("after");

    auto row = [](const char *kind, const char *name, const char *initial, QVariant written,
                  const char *after) {
        QTest::addRow("%s %s", kind, name)
            << QString::fromLatin1(kind) << QString::fromLatin1(name)
            << QString::fromLatin1(initial) << written << QString::fromLatin1(after);
    };
    // Enumerations by their names.
    row("button", "Transparent", "tmNone", QStringLiteral("tmAlways"), "tmAlways");
    row("button", "Layout", "blGlyphTop", QStringLiteral("blGlyphLeft"), "blGlyphLeft");
    row("panel", "Alignment", "taCenter", QStringLiteral("taLeftJustify"), "taLeftJustify");
    row("panel", "BackgropOrien", "bsHorizontal", QStringLiteral("bsVertical"), "bsVertical");
    row("panel", "StyleFace", "fsDefault", QStringLiteral("fsCustom"), "fsCustom");
    // Colours as TColor numbers.
    row("button", "ColorFocused", "16498329", 0x123456u, "1193046");
    row("button", "ColorDown", "12965593", 0x123456u, "1193046");
    row("button", "ColorBorder", "16744448", 0x808080u, "8421504");
    row("button", "ColorShadow", "13026816", 0x123456u, "1193046");
    row("button", "ColorFlat", "14805739", 0xFEEFE7u, "16707559");
    row("panel", "ColorBorder", "16744448", 0x808080u, "8421504");
    row("panel", "BackgropStartColor", "8421504", 0x000000u, "0");
    row("panel", "BackgropStopColor", "16777215", 0x0000FFu, "255");
    row("panel", "Color", QString::number(clBtnFace).toLatin1().constData(), 0xFEEFE7u, "16707559");
    // Numbers, flags and texts.
    row("button", "HasFocusFrame", "true", false, "false");
    row("button", "Default", "false", true, "true");
    row("button", "AllowAllUp", "false", true, "true");
    row("button", "GroupIndex", "0", 3, "3");
    row("button", "Caption", "", QStringLiteral("&Go"), "&Go");
    row("button", "Margin", "-1", 5, "5");
    row("button", "NumGlyphs", "1", 2, "2");
    row("button", "Spacing", "4", -1, "-1");
    row("button", "ModalResult", "0", 2, "2");
    row("button", "Enabled", "true", false, "false");
    row("button", "Visible", "true", false, "false");
    row("button", "Hint", "", QStringLiteral("tip"), "tip");
    row("button", "TabStop", "true", false, "false");
    row("panel", "Transparent", "false", true, "true");
    row("panel", "Locked", "false", true, "true");
    row("panel", "FullRepaint", "true", false, "false");
    row("panel", "Caption", "", QStringLiteral("x"), "x");
    row("panel", "Tag", "0", 1, "1");
    row("panel", "AutoSize", "false", true, "true");
    row("panel", "Enabled", "true", false, "false");
    row("panel", "Visible", "true", false, "false");
    row("panel", "Hint", "", QStringLiteral("tip"), "tip");
    // Shared with the platform's controls.
    row("button", "ParentFont", "true", false, "false");
    row("button", "ParentColor", "true", false, "false");
    row("button", "ShowHint", "false", true, "true");
    row("button", "ParentShowHint", "true", false, "false");
    row("button", "Tag", "0", 7, "7");
    row("panel", "ParentColor", "false", true, "true");
    row("panel", "ShowHint", "false", true, "true");
    row("panel", "ParentShowHint", "true", false, "false");
    row("radio", "Tag", "0", 7, "7");
    row("group box", "Tag", "0", 7, "7");
    // The font colour by its TColor number; a system colour stays one.
    const QByteArray windowText = QByteArray::number(clWindowText);
    row("button", "FontColor", "1052688", 0x000080u, "128"); // clBtnText of the test desktop
    row("panel", "FontColor", "0", 0x000080u, "128");
    row("radio", "FontColor", "0", clWindowText, windowText.constData());
    row("group box", "FontColor", "0", 0x000080u, "128");
    // Version is fixed; assigning it is accepted and changes nothing.
    row("button", "Version", "4.42.8.0", QStringLiteral("1.0"), "4.42.8.0");
    row("panel", "Version", "4.42.8.0", QStringLiteral("1.0"), "4.42.8.0");
}

void PublishedPropertiesTest::readAndWriteByName()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, initial);
    QFETCH(QVariant, written);
    QFETCH(QString, after);
    Placed placed(kind);
    QWidget *control = placed.control;
    const QByteArray property = name.toLatin1();
    QVERIFY(control->property(property.constData()).isValid());
    QCOMPARE(control->property(property.constData()).toString(), initial);
    QVERIFY(control->setProperty(property.constData(), written));
    QCOMPARE(control->property(property.constData()).toString(), after);
}

void PublishedPropertiesTest::objectPropertiesByName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("button") << QStringLiteral("button");
    QTest::newRow("panel") << QStringLiteral("panel");
}

void PublishedPropertiesTest::objectPropertiesByName()
{
    QFETCH(QString, kind);
    Placed placed(kind);
    QWidget *control = placed.control;
    QAction action(QStringLiteral("Run"));
    QMenu menu;
    QVERIFY(control->setProperty("Action", QVariant::fromValue(&action)));
    QVERIFY(control->setProperty("PopupMenu", QVariant::fromValue(&menu)));
    QCOMPARE(control->property("Action").value<QAction *>(), &action);
    QCOMPARE(control->property("PopupMenu").value<QMenu *>(), &menu);
    QCOMPARE(control->property("Caption").toString(), QStringLiteral("Run"));

    QFont font;
    font.setPixelSize(21);
    QVERIFY(control->setProperty("Font", font));
    QCOMPARE(control->property("Font").value<QFont>().pixelSize(), 21);
}

void PublishedPropertiesTest::enabledReadsTheControlsOwnSetting_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"button", "panel", "radio", "group box"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void PublishedPropertiesTest::enabledReadsTheControlsOwnSetting()
{
    QFETCH(QString, kind);
    Placed placed(kind);
    QWidget *control = placed.control;
    // Inside a disabled container the control takes no input, but its own
    // setting is still True.
    placed.form.setEnabled(false);
    QVERIFY(!control->isEnabled());
    QCOMPARE(control->property("Enabled").toBool(), true);
    QVERIFY(control->setProperty("Enabled", false));
    placed.form.setEnabled(true);
    QCOMPARE(control->property("Enabled").toBool(), false);
    QVERIFY(!control->isEnabled());
}

void PublishedPropertiesTest::tabOrderByName_data()
{
    enabledReadsTheControlsOwnSetting_data();
}

void PublishedPropertiesTest::tabOrderByName()
{
    QFETCH(QString, kind);
    Placed first(kind);
    QWidget *second = nullptr;
    if (kind == QLatin1String("button"))
        second = new TFlatButton(&first.form);
    else if (kind == QLatin1String("radio"))
        second = new TLookRadioButton(&first.form);
    else if (kind == QLatin1String("group box"))
        second = new TLookGroupBox(&first.form);
    else
        second = new TFlatPanel(&first.form);
    QCOMPARE(first.control->property("TabOrder").toInt(), 0);
    QCOMPARE(second->property("TabOrder").toInt(), 1);
    QVERIFY(second->setProperty("TabOrder", 0));
    QCOMPARE(second->property("TabOrder").toInt(), 0);
    QCOMPARE(first.control->property("TabOrder").toInt(), 1);
}

QTEST_MAIN(PublishedPropertiesTest)
#include "controls_published_properties_test.moc"

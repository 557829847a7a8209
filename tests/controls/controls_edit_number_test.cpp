#include "controls/edit_number.h"
#include "edit_fixtures.h"
#include "manual_repeat_timer.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "reported_errors.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

QString valueText(const std::optional<double> &value)
{
    return value ? QString::number(*value) : QStringLiteral("Null");
}

// The window's OnKeyPress: anything but a digit is discarded. Records what it saw.
void discardAllButDigits(TDBNumberEdit *edit, QString &seen)
{
    edit->setOnKeyPress([&seen](QObject *, QChar &key) {
        seen += key;
        if (!key.isDigit())
            key = QChar();
    });
}

// A text dropped at the right end of the edit, as a drag from another program ends.
void dropText(QLineEdit *line, const QString &text)
{
    QMimeData mime;
    mime.setText(text);
    const QPoint at(line->width() - 1, line->height() / 2);
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(line, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(line, &drop);
}

// Text an input method commits (a Chinese desktop's usual way of typing).
void commitText(QLineEdit *line, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(line, &event);
}

} // namespace

class NumberEditTest : public QObject {
    Q_OBJECT

private slots:
    // The layout's font names map to the same installed fonts as in the window.
    void initTestCase() { installFontSubstitutions(); }
    void loadsWithValueFive();
    void typingThenLeaving_data();
    void typingThenLeaving();
    void stepping();
    void invalidCharactersAreRejected();
    void keyPressHandlerSeesAndDiscardsCharacters();
    void escapeRestoresStoredValue();
    void mouseDownAfterTheEditsOwnHandling();
    void pasteKeepsOnlyNumbers();
    void textByOtherPaths_data();
    void textByOtherPaths();
    void undoKeysAreEdits();
    void textAndValueAssignment();
    void textAndValueTellTheirChanges();
    void limitValue_data();
    void limitValue();
    void upDownButtonLayoutAndFaces();
    void upDownButtonSteps();
    void upDownButtonAutoRepeat();
    void wheelStepWhileNotFocusedIsKept();
    void reactivationIsNotFocusEntry();
    void threeDigitsFitTheTextArea_data();
    void threeDigitsFitTheTextArea();
    void textStaysPutWhenTheFocusComes_data();
    void textStaysPutWhenTheFocusComes();
};

void NumberEditTest::loadsWithValueFive()
{
    GroupSizeField f;
    QVERIFY(f.active);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("5"));
    QVERIFY(f.line()->alignment() & Qt::AlignRight);
    f.enter();
    QVERIFY(f.edit->hasFocus());
    QCOMPARE(f.line()->selectedText(), QStringLiteral("5")); // entering by Tab selects all

    // A text colour given through the control's palette reaches the text.
    QPalette pal = f.edit->palette();
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    f.edit->setPalette(pal);
    QCOMPARE(f.line()->palette().color(QPalette::Text), QColor(0, 0, 128));
    f.edit->setFontColor(clRed);
    QCOMPARE(f.line()->palette().color(QPalette::Text), QColor(255, 0, 0));
}

void NumberEditTest::typingThenLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("textWhileFocused");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("textAfterLeaving");
    QTest::newRow("0 gives 1") << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("1")
                               << QStringLiteral("1");
    QTest::newRow("1500 gives 999") << QStringLiteral("1500") << QStringLiteral("1500")
                                    << QStringLiteral("999") << QStringLiteral("999");
    QTest::newRow("0005 gives 5") << QStringLiteral("0005") << QStringLiteral("0005")
                                  << QStringLiteral("5") << QStringLiteral("5");
    QTest::newRow("Delete empties")
        << QStringLiteral("<del>") << QString() << QStringLiteral("Null") << QString();
    QTest::newRow("decimals kept") << QStringLiteral("2.5") << QStringLiteral("2.5")
                                   << QStringLiteral("2.5") << QStringLiteral("2.5");
    QTest::newRow("comma types the decimal point")
        << QStringLiteral("7,5") << QStringLiteral("7.5") << QStringLiteral("7.5")
        << QStringLiteral("7.5");
}

void NumberEditTest::typingThenLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, textWhileFocused);
    QFETCH(QString, value);
    QFETCH(QString, textAfterLeaving);
    GroupSizeField f;
    QVERIFY(f.active);
    QSignalSpy changes(f.edit, &TDBNumberEdit::changed);
    f.enter();
    if (typed == QLatin1String("<del>"))
        QTest::keyClick(f.line(), Qt::Key_Delete);
    else
        QTest::keyClicks(f.line(), typed);
    QCOMPARE(f.edit->text(), textWhileFocused);
    QCOMPARE(valueText(f.edit->value()), value);
    QVERIFY(changes.count() >= 1);
    f.leave();
    QVERIFY(!f.edit->hasFocus());
    QCOMPARE(f.edit->text(), textAfterLeaving);
    QCOMPARE(valueText(f.edit->value()), value);
}

void NumberEditTest::stepping()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.enter();
    QTest::keyClick(f.line(), Qt::Key_Delete);
    QVERIFY(!f.edit->value());
    QTest::keyClick(f.line(), Qt::Key_Up); // Null steps to Increment
    QCOMPARE(f.edit->text(), QStringLiteral("1"));
    QCOMPARE(f.line()->selectedText(), QStringLiteral("1"));

    QSignalSpy changes(f.edit, &TDBNumberEdit::changed);
    QTest::keyClick(f.line(), Qt::Key_Down); // already at the minimum
    QCOMPARE(f.edit->text(), QStringLiteral("1"));
    QCOMPARE(changes.count(), 0);

    f.edit->selectAll();
    QTest::keyClicks(f.line(), QStringLiteral("1500"));
    QTest::keyClick(f.line(), Qt::Key_Up);
    QCOMPARE(f.edit->text(), QStringLiteral("999"));
    QCOMPARE(f.line()->selectedText(), QStringLiteral("999"));
    changes.clear();
    QTest::keyClick(f.line(), Qt::Key_Up);
    QCOMPARE(changes.count(), 0);

    // Wheel notches step; with a modifier held they do nothing.
    auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        const QPoint at(10, 8);
        QWheelEvent event(at, f.line()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.line(), &event);
    };
    wheel(-120, Qt::NoModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("998"));
    wheel(-120, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("998"));
    wheel(240, Qt::NoModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("999"));

    // Alt+Down presses the button's lower half once.
    QTest::keyClick(f.line(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("998"));

    f.edit->setReadOnly(true);
    QTest::keyClick(f.line(), Qt::Key_Up);
    QCOMPARE(f.edit->text(), QStringLiteral("998"));
}

void NumberEditTest::invalidCharactersAreRejected()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("1a2b"));
    QCOMPARE(f.edit->text(), QStringLiteral("12"));
    QTest::keyClicks(f.line(), QStringLiteral(".255"));
    QCOMPARE(f.edit->text(), QStringLiteral("12.25")); // a third decimal is refused
    QTest::keyClick(f.line(), Qt::Key_Home);
    QTest::keyClicks(f.line(), QStringLiteral("-"));
    QCOMPARE(f.edit->text(), QStringLiteral("12.25")); // no minus sign while the range is positive
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("12.25"));
}

void NumberEditTest::keyPressHandlerSeesAndDiscardsCharacters()
{
    GroupSizeField f;
    QVERIFY(f.active);
    QList<int> seen;
    // The window's rule: anything but a digit is discarded.
    f.edit->setOnKeyPress([&](QObject *, QChar &key) {
        seen << key.unicode();
        if (key == QLatin1Char('x'))
            key = QLatin1Char('7');
        else if (!key.isDigit())
            key = QChar();
    });
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("1.5"));
    QCOMPARE(f.edit->text(), QStringLiteral("15"));
    QTest::keyClick(f.line(), Qt::Key_Backspace);
    QTest::keyClick(f.line(), Qt::Key_Return);
    QTest::keyClick(f.line(), Qt::Key_Escape);
    QCOMPARE(f.edit->text(), QStringLiteral("15"));
    QTest::keyClicks(f.line(), QStringLiteral("x"));
    QCOMPARE(f.edit->text(), QStringLiteral("157"));
    QTest::keyClick(f.line(), Qt::Key_Left); // not a character: never offered
    QCOMPARE(seen, (QList<int>{'1', '.', '5', 8, 13, 27, 'x'}));

    // The handler runs before the control's own checks: a letter it lets
    // through is still refused by the number filter.
    f.edit->setOnKeyPress({});
    QTest::keyClicks(f.line(), QStringLiteral("q"));
    QCOMPARE(f.edit->text(), QStringLiteral("157"));
}

void NumberEditTest::escapeRestoresStoredValue()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("12"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("12"));
    QTest::keyClick(f.line(), Qt::Key_Escape);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    QCOMPARE(f.line()->selectedText(), QStringLiteral("5"));
}

void NumberEditTest::mouseDownAfterTheEditsOwnHandling()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.edit->setValue(123);
    bool focusedAtSignal = false;
    bool selectionAtSignal = true;
    QList<QPoint> positions;
    connect(f.edit, &TDBNumberEdit::mouseDown, f.edit, [&](Qt::MouseButton button, QPoint pos) {
        QCOMPARE(button, Qt::LeftButton);
        focusedAtSignal = f.edit->hasFocus();
        selectionAtSignal = f.line()->hasSelectedText();
        positions << pos;
    });
    QTest::mouseClick(f.line(), Qt::LeftButton, {}, QPoint(3, 9));
    QCOMPARE(positions.size(), 1);
    QVERIFY(focusedAtSignal);
    QVERIFY(!selectionAtSignal); // entering by a click selects nothing
    QCOMPARE(positions.first(), f.line()->mapTo(f.edit, QPoint(3, 9)));
}

void NumberEditTest::pasteKeepsOnlyNumbers()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.enter();
    const ReportedErrors errors;
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(f.line(), Qt::Key_V, Qt::ControlModifier);
    // One error box, then the old text, all selected.
    QCOMPARE(errors.messages(),
             QStringList{QStringLiteral("'abc' is not a valid floating point value")});
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    QCOMPARE(f.line()->selectedText(), QStringLiteral("5"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("5"));

    QApplication::clipboard()->setText(QStringLiteral(" 12 "));
    QTest::keyClick(f.line(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("12"));

    f.edit->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("2.5"));
    QTest::keyClick(f.line(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("2.5"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("2.5"));
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("2.5"));
    f.enter();
    QTest::keyClick(f.line(), Qt::Key_Up);
    QCOMPARE(f.edit->text(), QStringLiteral("3.5"));

    // A lone minus sign reads as 0 and is not limited.
    f.edit->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("-"));
    QTest::keyClick(f.line(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("-"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("0"));
}

void NumberEditTest::textByOtherPaths_data()
{
    QTest::addColumn<bool>("dropped"); // else committed by an input method
    QTest::addColumn<QString>("payload");
    QTest::addColumn<bool>("windowFilter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("seen");
    const QStringList none;
    QTest::newRow("drop a number") << true << "12" << false << "512" << none << "512"
                                   << "12";
    QTest::newRow("drop no number")
        << true << "abc" << false << "5"
        << QStringList{QStringLiteral("'5abc' is not a valid floating point value")} << "5"
        << "abc";
    QTest::newRow("drop, window refuses a letter") << true << "1a" << true << "5" << none << "5"
                                                   << "1a";
    QTest::newRow("drop, window lets digits in") << true << "12" << true << "512" << none << "512"
                                                 << "12";
    QTest::newRow("input method digits") << false << "72" << false << "72" << none << "72"
                                         << "72";
    QTest::newRow("input method letter refused") << false << "x" << false << "5" << none << "5"
                                                 << "x";
    QTest::newRow("input method, window filter") << false << "1.5" << true << "15" << none << "15"
                                                 << "1.5";
}

// Text that comes by drag and drop or from an input method passes what typed
// text passes (OnKeyPress, the number check) and enters edit state, so leaving
// the field posts it.
void NumberEditTest::textByOtherPaths()
{
    QFETCH(bool, dropped);
    QFETCH(QString, payload);
    QFETCH(bool, windowFilter);
    QFETCH(QString, text);
    QFETCH(QStringList, errors);
    QFETCH(QString, left);
    QFETCH(QString, seen);
    GroupSizeField f;
    QVERIFY(f.active);
    QString offered;
    if (windowFilter)
        discardAllButDigits(f.edit, offered);
    else
        f.edit->setOnKeyPress([&offered](QObject *, QChar &key) { offered += key; });
    const ReportedErrors raised;
    f.enter(); // all of "5" selected
    if (dropped)
        dropText(f.line(), payload);
    else
        commitText(f.line(), payload);
    QCOMPARE(f.edit->text(), text);
    QCOMPARE(raised.messages(), errors);
    QCOMPARE(offered, seen);
    if (!errors.isEmpty())
        QCOMPARE(f.line()->selectedText(), text); // as after a paste that is no number
    f.leave();
    QCOMPARE(f.edit->text(), left);
    QCOMPARE(valueText(f.edit->value()), left);
}

void NumberEditTest::undoKeysAreEdits()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.enter();
    f.line()->setCursorPosition(1);
    QTest::keyClicks(f.line(), QStringLiteral("2"));
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("52"));
    // Undo is an edit: leaving posts what it gave back.
    f.edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.line(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("5"));

    // Undo never brings back a text typing could not give: three decimals.
    f.enter();
    QApplication::clipboard()->setText(QStringLiteral("1.257"));
    QTest::keyClick(f.line(), Qt::Key_Insert, Qt::ShiftModifier);
    f.line()->setCursorPosition(5);
    QTest::keyClick(f.line(), Qt::Key_Backspace);
    QCOMPARE(f.edit->text(), QStringLiteral("1.25"));
    QTest::keyClick(f.line(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("1.25"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("1.25"));

    // The window's OnKeyPress sees undo and redo as Ctrl+Z and Ctrl+Y, and may refuse them.
    QString seen;
    discardAllButDigits(f.edit, seen);
    QTest::keyClick(f.line(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(f.line(), Qt::Key_Backspace, Qt::AltModifier); // the other undo key
    QTest::keyClick(f.line(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(seen, QString(QChar(26)) + QChar(26) + QChar(25));
    QCOMPARE(f.edit->text(), QStringLiteral("1.25"));
    // Backspace with Meta (or with Alt, where Alt+Backspace is no undo) is a Backspace.
    seen.clear();
    QTest::keyClick(f.line(), Qt::Key_Backspace, Qt::MetaModifier);
    QCOMPARE(seen, QString(QChar(8)));
    QCOMPARE(f.edit->text(), QStringLiteral("1.25"));
}

void NumberEditTest::textAndValueAssignment()
{
    GroupSizeField f;
    QCOMPARE(raisedMessage<EConvertError>([&] { f.edit->setText(QStringLiteral("abc")); }),
             QStringLiteral("'abc' is not a valid floating point value"));
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    f.edit->setText(QStringLiteral("1,234.5"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("1234.5")); // not limited
    f.edit->setText(QString());
    QVERIFY(!f.edit->value());
    f.edit->setValue(0);
    QCOMPARE(f.edit->text(), QStringLiteral("0"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("0"));
    f.edit->setValue(std::nullopt);
    QCOMPARE(f.edit->text(), QString());
    f.edit->setValue(1e20);
    QCOMPARE(f.edit->text(), QStringLiteral("1E20"));
}

// Text and Value tell each change once, after storing it, whoever makes it;
// a typed number the control regroups is told as its settled text only.
void NumberEditTest::textAndValueTellTheirChanges()
{
    GroupSizeFieldLayout layout;
    layout.locale = QLocale::c();
    GroupSizeField f(layout);
    QVERIFY(f.active);
    const QMetaObject *meta = f.edit->metaObject();
    QCOMPARE(meta->property(meta->indexOfProperty("Text")).notifySignal(),
             QMetaMethod::fromSignal(&TDBNumberEdit::textChanged));
    QCOMPARE(meta->property(meta->indexOfProperty("Value")).notifySignal(),
             QMetaMethod::fromSignal(&TDBNumberEdit::valueChanged));
    QSignalSpy texts(f.edit, &TDBNumberEdit::textChanged);
    QStringList values;
    QStringList stale; // what a handler would have read that was not yet stored
    connect(f.edit, &TDBNumberEdit::textChanged, f.edit, [&](const QString &text) {
        if (f.edit->text() != text)
            stale << text;
    });
    connect(f.edit, &TDBNumberEdit::valueChanged, f.edit, [&](const QVariant &value) {
        const QString told = value.isNull() ? QStringLiteral("Null") : value.toString();
        if (valueText(f.edit->value()) != told)
            stale << told;
        values << told;
    });
    f.enter(); // the stored 5 rendered again: no change
    QTest::keyClicks(f.line(), QStringLiteral("12"));
    QTest::keyClick(f.line(), Qt::Key_Up);
    f.edit->setValue(999);
    QTest::keyClick(f.line(), Qt::Key_Up); // at the limit: no change
    f.edit->setDisplayFormat(QStringLiteral("#,##0"));
    f.line()->selectAll();
    QTest::keyClicks(f.line(), QStringLiteral("1234"));
    f.edit->setValue(std::nullopt);

    QStringList told;
    for (const QList<QVariant> &arguments : std::as_const(texts))
        told << arguments.at(0).toString();
    const auto list = [](const char *items) {
        return QString::fromLatin1(items).split(QLatin1Char('|'));
    };
    QCOMPARE(told, list("1|12|13|999|1|12|123|1,234|"));
    QCOMPARE(values, list("1|12|13|999|1|12|123|999|Null"));
    QCOMPARE(stale, QStringList());
}

void NumberEditTest::limitValue_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("places");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("below") << 1.0 << 999.0 << 2 << 0.0 << 1.0;
    QTest::newRow("above") << 1.0 << 999.0 << 2 << 1500.0 << 999.0;
    QTest::newRow("no limits") << 0.0 << 0.0 << 2 << -7.0 << -7.0;
    QTest::newRow("only minimum") << 5.0 << 0.0 << 2 << 1.0 << 5.0;
    QTest::newRow("only minimum, above") << 5.0 << 0.0 << 2 << 100.0 << 100.0;
    QTest::newRow("only maximum") << 0.0 << -5.0 << 2 << 1.0 << -5.0;
    QTest::newRow("reversed, neither zero") << 10.0 << 5.0 << 2 << 7.0 << 7.0;
    QTest::newRow("two places, tie to even") << 0.0 << 0.0 << 2 << 0.125 << 0.12;
    QTest::newRow("whole, 2.5 to 2") << 0.0 << 0.0 << 0 << 2.5 << 2.0;
    QTest::newRow("whole, 3.5 to 4") << 0.0 << 0.0 << 0 << 3.5 << 4.0;
}

void NumberEditTest::limitValue()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, places);
    QFETCH(double, x);
    QFETCH(double, expected);
    TDBNumberEdit edit;
    edit.setMinValue(minimum);
    edit.setMaxValue(maximum);
    edit.setDecimalPlaces(places);
    QCOMPARE(edit.limitValue(x), expected);
}

void NumberEditTest::upDownButtonLayoutAndFaces()
{
    GroupSizeField f;
    QVERIFY(f.active);
    TEditButtonControl *button = f.edit->editButtonControl();
    QVERIFY(button->isVisible());
    QCOMPARE(button->geometry(), QRect(31, 2, 11, 16));
    QCOMPARE(f.line()->geometry(), QRect(2, 2, 28, 18));

    const QColor face(240, 240, 240), white(255, 255, 255), shadow(160, 160, 160);
    QImage image = grabImage(f.edit);
    QCOMPARE(pixelAt(image, 0, 0), face); // border dim while neither focused nor hovered
    QCOMPARE(pixelAt(image, 1, 1), face);
    QCOMPARE(pixelAt(image, 43, 21), face);
    QCOMPARE(pixelAt(image, 30, 5), white); // separator in the edit's colour
    QCOMPARE(pixelAt(image, 31, 2), white); // inset faces framed in the edit's colour
    QCOMPARE(pixelAt(image, 31 + 1, 2 + 1), face);
    QCOMPARE(pixelAt(image, 31 + 5, 2 + 7), white); // middle band
    QCOMPARE(pixelAt(image, 31 + 1, 2 + 9), face);
    QVERIFY(countColor(image, QRect(32, 3, 9, 6), QColor(16, 16, 16)) > 0); // up arrow in clBtnText

    f.enter();
    QVERIFY(f.edit->borderLit());
    image = grabImage(f.edit);
    QCOMPARE(pixelAt(image, 0, 0), shadow);
    QCOMPARE(pixelAt(image, 43, 21), QColor(250, 250, 250)); // clBtnHighlight
    QCOMPARE(pixelAt(image, 1, 1), face);
    QCOMPARE(pixelAt(image, 30, 5), face); // separator lit
    QCOMPARE(pixelAt(image, 31 + 10, 2 + 7), shadow); // upper face edge, bottom right
    QCOMPARE(pixelAt(image, 31 + 10, 2 + 15), shadow); // lower face edge, bottom right
    QCOMPARE(pixelAt(image, 31 + 5, 2 + 7), shadow); // the faces meet: no band when lit
}

void NumberEditTest::upDownButtonSteps()
{
    GroupSizeField f;
    QVERIFY(f.active);
    TEditButtonControl *button = f.edit->editButtonControl();
    QSignalSpy clicks(button, &TEditButtonControl::buttonClicked);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 3));
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
    QVERIFY(f.edit->hasFocus()); // a press on the button focuses the field
    QCOMPARE(f.line()->selectedText(), QStringLiteral("6"));
    QCOMPARE(button->pressedHalf(), 1);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 3));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(button->repeatInterval(), 0);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(f.edit->text(), QStringLiteral("5"));

    // Upper half pressed, slid onto the lower half and released: one step, no click.
    clicks.clear();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 3));
    QTest::mouseMove(button, QPoint(5, 12));
    QVERIFY(!button->isDown());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(button->repeatInterval(), 0);

    // The row between the halves presses neither: no step, no timer, but a click.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(button->repeatInterval(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
    QCOMPARE(clicks.count(), 1);

    // Null steps to 1 from either half.
    f.edit->setValue(std::nullopt);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(f.edit->text(), QStringLiteral("1"));
}

void NumberEditTest::upDownButtonAutoRepeat()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.edit->setValue(500);
    TEditButtonControl *button = f.edit->editButtonControl();
    int now = 0;
    auto timer = std::make_unique<ManualTimer>(now);
    ManualTimer *clock = timer.get();
    button->setRepeatTimer(std::move(timer));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(f.edit->text(), QStringLiteral("499"));
    QCOMPARE(button->repeatInterval(), 400);
    clock->advanceTo(399);
    QCOMPARE(f.edit->text(), QStringLiteral("499"));
    clock->advanceTo(400);
    QCOMPARE(f.edit->text(), QStringLiteral("498"));
    QCOMPARE(button->repeatInterval(), 100);
    clock->advanceTo(600);
    QCOMPARE(f.edit->text(), QStringLiteral("496"));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(button->repeatInterval(), 0);
}

void NumberEditTest::wheelStepWhileNotFocusedIsKept()
{
    GroupSizeField f;
    QVERIFY(f.active);
    QVERIFY(!f.edit->hasFocus());
    const QPoint at(10, 8);
    QWheelEvent event(at, f.line()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.line(), &event);
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
    // The next focus entry (the window's Start focus rule) shows the stepped
    // number, and that is the number drawn.
    f.enter();
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("6"));
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
}

void NumberEditTest::reactivationIsNotFocusEntry()
{
    GroupSizeField f;
    QVERIFY(f.active);
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("12"));
    f.line()->setSelection(0, 1);

    // Another window (the winners record in the editor) and back again.
    QWidget editor;
    editor.resize(100, 100);
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    f.parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.parent));
    QTRY_VERIFY(f.edit->hasFocus());

    QCOMPARE(f.edit->text(), QStringLiteral("12"));
    QCOMPARE(valueText(f.edit->value()), QStringLiteral("12"));
    QCOMPARE(f.line()->selectedText(), QStringLiteral("1"));
    // Leaving for real still posts what was typed.
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("12"));
    f.enter();
    QCOMPARE(f.edit->text(), QStringLiteral("12"));
}

void NumberEditTest::threeDigitsFitTheTextArea_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("focused");
    for (const char *number : {"888", "999", "500"}) {
        QTest::addRow("%s, not focused", number) << QString::fromLatin1(number) << false;
        QTest::addRow("%s, focused", number) << QString::fromLatin1(number) << true;
    }
}

void NumberEditTest::threeDigitsFitTheTextArea()
{
    QFETCH(QString, number);
    QFETCH(bool, focused);
    GroupSizeField f;
    QVERIFY(f.active);
    const QFont font = layoutFont(QStringLiteral("新宋体"), -16, true);
    f.edit->setFont(font);
    f.edit->setValue(number.toDouble());
    if (focused) {
        f.enter();
        f.line()->setCursorPosition(0);
    }
    QCOMPARE(f.edit->hasFocus(), focused);

    // The ink of the number drawn on its own, without any clipping.
    QImage free(100, 40, QImage::Format_RGB32);
    free.fill(Qt::white);
    {
        QPainter p(&free);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(20, 28, number);
    }
    const QRect freeInk = inkBounds(free, free.rect(), Qt::white);
    QVERIFY(!freeInk.isEmpty());

    // The text area: the client area (inside the 2-pixel border) without the
    // 12-pixel button area.
    const QRect textArea(2, 2, 28, 18);
    const QImage image = grabImage(f.edit);
    const QRect ink = inkBounds(image, textArea, Qt::white);
    QVERIFY2(textArea.contains(ink),
             qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())));
    // Nothing cut off: at least as wide and as tall as the free drawing (the
    // caret may add a column).
    QVERIFY2(ink.width() >= freeInk.width() && ink.height() >= freeInk.height(),
             qPrintable(QStringLiteral("ink %1x%2, free %3x%4")
                            .arg(ink.width())
                            .arg(ink.height())
                            .arg(freeInk.width())
                            .arg(freeInk.height())));
}

void NumberEditTest::textStaysPutWhenTheFocusComes_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("one digit") << QStringLiteral("5");
    QTest::newRow("three digits") << QStringLiteral("888");
}

void NumberEditTest::textStaysPutWhenTheFocusComes()
{
    QFETCH(QString, number);
    GroupSizeField f;
    QVERIFY(f.active);
    f.edit->setFont(layoutFont(QStringLiteral("新宋体"), -16, true));
    f.edit->setValue(number.toDouble());
    const QRect textArea(2, 2, 28, 18);
    const QImage drawnByControl = grabImage(f.edit);
    // Read-only so that no caret shows; the text stays where it is.
    f.edit->setReadOnly(true);
    f.enter();
    f.line()->deselect();
    QVERIFY(!f.edit->drawsOwnText());
    const QImage drawnByEdit = grabImage(f.edit);
    QCOMPARE(inkBounds(drawnByEdit, textArea, Qt::white),
             inkBounds(drawnByControl, textArea, Qt::white));
    QCOMPARE(drawnByEdit.copy(textArea), drawnByControl.copy(textArea));
}

QTEST_MAIN(NumberEditTest)
#include "controls_edit_number_test.moc"

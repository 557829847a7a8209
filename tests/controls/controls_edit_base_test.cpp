#include "controls/edit_number.h"
#include "edit_fixtures.h"
#include "pixel_helpers.h"
#include "platform/fonts.h"
#include "reported_errors.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The group-size field wider and in a regular font, so longer texts and
// display formats fit, in the C locale unless told otherwise.
struct Field : GroupSizeField {
    explicit Field(const QLocale &locale = QLocale::c())
        : GroupSizeField(
              {QSize(240, 80), QRect(120, 40, 80, 20), QRect(10, 10, 90, 22), false, locale})
    {
    }
};

} // namespace

class EditBaseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void standardEventsByName();
    void changeFiresExactly_data();
    void changeFiresExactly();
    void exitBeforeThePost();
    void keysThroughTheSameFilter();
    void focusEntryByClick_data();
    void focusEntryByClick();
    void contextMenuPasteEntersEditState();
    void displayFormats_data();
    void displayFormats();
    void backspaceOverSeparator();
    void valueThatIsNoNumber();
    void settersReturnWhenUnchanged();
    void propertiesByName();
    void drawingIsAFunctionOfState();
    void borderLightsWithThePointer();
    void imageAtTheLeftEdge();
    void recentEntries();
    void failingPosts();
    void tooltipShowsTheWholeText();
};

void EditBaseTest::changeFiresExactly_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("changes");
    QTest::newRow("one digit, one change") << ""
                                           << ""
                                           << "7"
                                           << "7" << 1;
    QTest::newRow("every digit its change") << ""
                                            << ""
                                            << "123"
                                            << "123" << 3;
    // The fourth digit makes the field group its own text: a nested change.
    QTest::newRow("regrouping adds one") << "#,##0"
                                         << ""
                                         << "1234"
                                         << "1,234" << 5;
    QTest::newRow("refused character, none") << ""
                                             << ""
                                             << "a"
                                             << "" << 0;
    QTest::newRow("Up at the maximum, none") << ""
                                             << "999"
                                             << "<up>"
                                             << "999" << 0;
    QTest::newRow("Up steps once") << ""
                                   << "5"
                                   << "<up>"
                                   << "6" << 1;
}

void EditBaseTest::changeFiresExactly()
{
    QFETCH(QString, format);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, changes);
    Field f;
    QVERIFY(f.active);
    f.edit->setMaxValue(99999);
    f.edit->setDisplayFormat(format);
    f.edit->setText(start);
    f.edit->setMaxValue(start == QLatin1String("999") ? 999 : 99999);
    f.enter();
    f.line()->selectAll();
    if (!start.isEmpty() && typed != QLatin1String("<up>"))
        QTest::keyClick(f.line(), Qt::Key_Delete);
    QSignalSpy spy(f.edit, &TDBNumberEdit::changed);
    if (typed == QLatin1String("<up>"))
        QTest::keyClick(f.line(), Qt::Key_Up);
    else
        QTest::keyClicks(f.line(), typed);
    QCOMPARE(f.edit->text(), text);
    QCOMPARE(spy.count(), changes);
}

void EditBaseTest::exitBeforeThePost()
{
    Field f;
    QVERIFY(f.active);
    QStringList order;
    connect(f.edit, &TDBNumberEdit::entered, f.edit, [&] { order << QStringLiteral("enter"); });
    connect(f.edit, &TDBNumberEdit::exited, f.edit, [&] { order << QStringLiteral("exit"); });
    f.edit->setOnUpdateData(
        [&](QObject *, bool &) { order << QStringLiteral("update %1").arg(f.edit->text()); });
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("12"));
    f.leave();
    QCOMPARE(order,
             (QStringList{QStringLiteral("enter"), QStringLiteral("exit"),
                          QStringLiteral("update 12")}));
    // Leaving without a change posts nothing.
    order.clear();
    f.enter();
    f.leave();
    QCOMPARE(order, (QStringList{QStringLiteral("enter"), QStringLiteral("exit")}));

    // A handler that takes the post keeps the value out of the stored value.
    f.edit->setOnUpdateData([](QObject *, bool &handled) { handled = true; });
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("7"));
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("12"));
}

void EditBaseTest::keysThroughTheSameFilter()
{
    Field f;
    QVERIFY(f.active);
    QList<int> seen;
    // Set by name, as layout data sets it.
    QVERIFY(f.edit->setProperty("OnKeyPress",
                                QVariant::fromValue(TKeyPressEvent([&](QObject *, QChar &key) {
                                    seen << key.unicode();
                                    if (!key.isDigit())
                                        key = QChar();
                                }))));
    f.enter();
    f.line()->setCursorPosition(1);
    // Ctrl+Backspace is a character like any other: the filter discards it.
    QTest::keyClick(f.line(), Qt::Key_Backspace, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    QCOMPARE(seen, QList<int>{127});
    // Even let through it is no number character.
    f.edit->setOnKeyPress({});
    QTest::keyClick(f.line(), Qt::Key_Backspace, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));

    // Alt+Up steps like Up; Alt+Down is the button's shortcut (one step down).
    QTest::keyClick(f.line(), Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("6"));
    QTest::keyClick(f.line(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));

    // Ctrl+A selects all; OnKeyDown can discard a key before the step.
    f.line()->deselect();
    QTest::keyClick(f.line(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.line()->selectedText(), QStringLiteral("5"));
    f.edit->setOnKeyDown([](QObject *, int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Up)
            key = 0;
    });
    QTest::keyClick(f.line(), Qt::Key_Up);
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
}

void EditBaseTest::focusEntryByClick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("selected");
    QTest::newRow("left click keeps the caret") << int(Qt::LeftButton) << QString();
    QTest::newRow("right click selects all") << int(Qt::RightButton) << QStringLiteral("123");
}

void EditBaseTest::focusEntryByClick()
{
    QFETCH(int, button);
    QFETCH(QString, selected);
    Field f;
    QVERIFY(f.active);
    f.edit->setValue(123);
    QTest::mousePress(f.line(), Qt::MouseButton(button), {}, QPoint(5, 9));
    QVERIFY(f.edit->hasFocus());
    QCOMPARE(f.line()->selectedText(), selected);
    QTest::mouseRelease(f.line(), Qt::MouseButton(button), {}, QPoint(5, 9));
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

void EditBaseTest::contextMenuPasteEntersEditState()
{
    Field f;
    QVERIFY(f.active);
    const ReportedErrors errors;
    f.enter();
    QVERIFY(!f.edit->valueLink().isEditing());
    auto pasteFromMenu = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                f.line()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(f.line(), &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
        QVERIFY(paste);
        QVERIFY(paste->isEnabled());
        paste->trigger();
        menu->close();
    };
    QApplication::clipboard()->setText(QStringLiteral("42"));
    pasteFromMenu();
    QVERIFY(f.edit->valueLink().isEditing());
    QCOMPARE(f.edit->text(), QStringLiteral("42"));
    QCOMPARE(f.edit->value(), std::optional<double>(42));
    // The menu's paste of a text that is no number: one error, the old text back.
    f.line()->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("x1"));
    pasteFromMenu();
    QCOMPARE(errors.messages().size(), 1);
    QCOMPARE(f.edit->text(), QStringLiteral("42"));
    QCOMPARE(f.line()->selectedText(), QStringLiteral("42"));
}

void EditBaseTest::displayFormats_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("currency");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("focusFormat");
    QTest::addColumn<QString>("whileFocused");
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("general") << QLocale::c() << "" << false << "1234.5"
                             << ""
                             << "1234.5";
    QTest::newRow("general, comma decimal") << german << "" << false << "1234,5"
                                            << ""
                                            << "1234,5";
    QTest::newRow("grouped") << QLocale::c() << "#,##0.00 'kg'" << false << "1,234.50 kg"
                             << "#,##0.00"
                             << "1,234.50";
    QTest::newRow("grouped, comma decimal") << german << "#,##0.00" << false << "1.234,50"
                                            << "#,##0.00"
                                            << "1.234,50";
    QTest::newRow("no whole-number placeholder") << QLocale::c() << ".00" << false << "1234.50"
                                                 << ".00"
                                                 << "1234.50";
    // The C locale has no money symbol.
    QTest::newRow("money") << QLocale::c() << "" << true << "1,234.50"
                           << ",#.00"
                           << "1,234.50";
    QTest::newRow("money, comma decimal") << german << "" << true << "€1.234,50"
                                          << ",#.00"
                                          << "1.234,50";
}

void EditBaseTest::displayFormats()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QFETCH(bool, currency);
    QFETCH(QString, shown);
    QFETCH(QString, focusFormat);
    QFETCH(QString, whileFocused);
    Field f(locale);
    QVERIFY(f.active);
    f.edit->setMaxValue(0);
    f.edit->setMinValue(0);
    f.edit->setDisplayFormat(format);
    f.edit->setCurrency(currency);
    f.edit->setValue(1234.5);
    QCOMPARE(f.edit->text(), shown);
    QCOMPARE(f.edit->focusFormat(), focusFormat);
    f.enter();
    QCOMPARE(f.edit->text(), whileFocused);
    f.leave();
    QCOMPARE(f.edit->text(), shown);
}

void EditBaseTest::backspaceOverSeparator()
{
    Field f;
    QVERIFY(f.active);
    f.edit->setMaxValue(0);
    f.edit->setMinValue(0);
    f.edit->setDisplayFormat(QStringLiteral("#,##0"));
    f.edit->setValue(1234);
    f.enter();
    QCOMPARE(f.edit->text(), QStringLiteral("1,234"));
    f.line()->setCursorPosition(2); // after "1,"
    QTest::keyClick(f.line(), Qt::Key_Backspace);
    QCOMPARE(f.edit->text(), QStringLiteral("1,234")); // only steps over it
    QCOMPARE(f.line()->cursorPosition(), 1);
    QTest::keyClick(f.line(), Qt::Key_Backspace);
    QCOMPARE(f.edit->text(), QStringLiteral("234"));
}

void EditBaseTest::valueThatIsNoNumber()
{
    Field f;
    QCOMPARE(raisedMessage<EVariantTypeCastError>(
                 [&] { f.edit->setValueVariant(QStringLiteral("abc")); }),
             QStringLiteral("Could not convert variant of type (QString) into type (double)"));
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    f.edit->setValueVariant(QVariant());
    QCOMPARE(f.edit->text(), QString());
    f.edit->setValueVariant(7);
    QCOMPARE(f.edit->text(), QStringLiteral("7"));
}

void EditBaseTest::settersReturnWhenUnchanged()
{
    Field f;
    int posts = 0;
    f.edit->setOnUpdateData([&](QObject *, bool &) { ++posts; });
    f.edit->setMinValue(1);
    f.edit->setMaxValue(999);
    QCOMPARE(posts, 0);
    f.edit->setMinValue(2);
    QCOMPARE(posts, 1);
    // The first setting of a limit counts even at its default.
    TDBNumberEdit fresh;
    int freshPosts = 0;
    fresh.setOnUpdateData([&](QObject *, bool &) { ++freshPosts; });
    fresh.setMinValue(0);
    fresh.setMinValue(0);
    QCOMPARE(freshPosts, 1);
}

void EditBaseTest::propertiesByName()
{
    TDBNumberEdit edit;
    struct Row {
        const char *name;
        QVariant written;
    };
    const Row rows[] = {
        {"MinValue", 1.0},
        {"MaxValue", 999.0},
        {"Increment", 2.0},
        {"DecimalPlaces", 0},
        {"DisplayFormat", QStringLiteral("0.0")},
        {"currency", true},
        {"Value", 5.0},
        {"AlwaysShowBorder", true},
        {"AutoSelect", false},
        {"AutoSize", false},
        {"Ctl3D", false},
        {"Flat", true},
        {"HighlightRequired", true},
        {"PasswordChar", QStringLiteral("*")},
        {"ReadOnly", true},
        {"Tooltips", true},
    };
    for (const Row &row : rows) {
        QVERIFY2(edit.setProperty(row.name, row.written), row.name);
        QCOMPARE(edit.property(row.name), row.written);
    }
    QVERIFY(edit.setProperty("BorderStyle", QStringLiteral("bsNone")));
    QCOMPARE(edit.borderStyle(), DataEdits::bsNone);
    QCOMPARE(QString::fromLatin1(edit.property("BorderStyle").toByteArray()),
             QStringLiteral("bsNone"));
    QVERIFY(edit.setProperty("Alignment", QStringLiteral("taCenter")));
    QCOMPARE(edit.alignment(), FlatStyle::taCenter);
    QCOMPARE(QString::fromLatin1(edit.property("Alignment").toByteArray()),
             QStringLiteral("taCenter"));
    QCOMPARE(edit.property("Text").toString(), QStringLiteral("5.0"));
}

// The edit on screen shows what its state says: the flat border dim or lit,
// the right-aligned number ending the margin short of the button area, the
// required mark; and a state shown before leaves no trace.
void EditBaseTest::drawingIsAFunctionOfState()
{
    Field f;
    QVERIFY(f.active);
    f.edit->setValue(42);
    const QColor face = toQColor(clBtnFace), light = toQColor(clBtnHighlight);
    const QColor shadow = toQColor(clBtnShadow);
    const int w = f.edit->width(), h = f.edit->height();
    auto all = [](const QImage &image, const QRect &r, const QColor &color) {
        return countColor(image, r, color) == r.width() * r.height();
    };
    const QImage dim = grabImage(f.edit);
    for (const QRect &ring : {QRect(0, 0, w, h), QRect(1, 1, w - 2, h - 2)}) {
        QVERIFY(all(dim, QRect(ring.left(), ring.top(), ring.width(), 1), face));
        QVERIFY(all(dim, QRect(ring.left(), ring.bottom(), ring.width(), 1), face));
        QVERIFY(all(dim, QRect(ring.left(), ring.top(), 1, ring.height()), face));
        QVERIFY(all(dim, QRect(ring.right(), ring.top(), 1, ring.height()), face));
    }
    const QRect area = f.edit->textArea();
    const QRect ink = inkBounds(dim, area, toQColor(clWindow));
    QVERIFY(!ink.isEmpty());
    QCOMPARE(countColor(dim, ink, toQColor(clWindowText)) > 0, true);
    // Border (1) plus the edit's margin (2) short of the text area's end.
    QVERIFY2(
        ink.right() <= area.right() - 3 && ink.right() >= area.right() - 6,
        qPrintable(
            QStringLiteral("ink ends at %1, text area at %2").arg(ink.right()).arg(area.right())));

    f.edit->setAlwaysShowBorder(true);
    const QImage lit = grabImage(f.edit);
    QVERIFY(all(lit, QRect(0, 0, w - 1, 1), shadow));
    QVERIFY(all(lit, QRect(0, 0, 1, h - 1), shadow));
    QVERIFY(all(lit, QRect(0, h - 1, w, 1), light));
    QVERIFY(all(lit, QRect(w - 1, 0, 1, h), light));
    QVERIFY(all(lit, QRect(1, 1, w - 2, 1), face));
    f.edit->setAlwaysShowBorder(false);

    f.edit->setHighlightRequired(true);
    f.edit->setValue(std::nullopt);
    const QImage required = grabImage(f.edit);
    // Red dots on every other pixel of the text area's bottom row, from 2 in to 3 short of its end.
    const QColor red(255, 0, 0);
    const QRect bottom(area.left(), area.bottom(), area.width(), 1);
    QCOMPARE(pixelAt(required, area.left() + 2, area.bottom()), red);
    QVERIFY(pixelAt(required, area.left() + 3, area.bottom()) != red);
    QVERIFY(pixelAt(required, area.left() + 1, area.bottom()) != red);
    QCOMPARE(countColor(required, bottom, red), (area.width() - 5 + 1) / 2);

    // Back to the first state after focus, pointer and value have come and gone.
    f.enter();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), f.edit->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(f.edit, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.edit, &leave);
    f.leave();
    f.edit->setHighlightRequired(false);
    f.edit->setValue(42);
    QCOMPARE(grabImage(f.edit), dim);
}

void EditBaseTest::borderLightsWithThePointer()
{
    Field f;
    QVERIFY(f.active);
    QVERIFY(!f.edit->borderLit());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), f.edit->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(f.edit, &enter);
    QVERIFY(f.edit->borderLit());
    QVERIFY(f.edit->editButtonControl()->drawLit());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.edit, &leave);
    QVERIFY(!f.edit->borderLit());
    f.edit->setAlwaysShowBorder(true);
    QVERIFY(f.edit->borderLit());
}

void EditBaseTest::imageAtTheLeftEdge()
{
    Field f;
    QVERIFY(f.active);
    const QRect before = f.edit->textArea();
    QPixmap red(10, 10), blue(10, 10);
    red.fill(QColor(0xFF0000)); // RGB 255,0,0
    blue.fill(QColor(0x0000FF)); // RGB 0,0,255
    f.edit->setImages({red, blue});
    // The image's width plus 4, taken from the text area's left.
    QCOMPARE(f.edit->imageAreaWidth(), 14);
    QCOMPARE(f.edit->textArea(), before.adjusted(14, 0, 0, 0));
    QCOMPARE(countColor(grabImage(f.edit), QRect(0, 0, 16, 22), QColor(0, 0, 255)), 0);
    f.edit->setOnGetImageIndex([](QObject *, int &index) { index = 1; });
    f.edit->update();
    const QImage image = grabImage(f.edit);
    // Centred in the area inset by 2 and 1: columns 4..13, rows 6..15.
    QCOMPARE(inkBounds(image, QRect(2, 2, 14, 18), Qt::white), QRect(4, 6, 10, 10));
    QCOMPARE(pixelAt(image, 8, 10), QColor(0, 0, 255));
}

void EditBaseTest::recentEntries()
{
    Field f;
    QVERIFY(f.active);
    TMRUList &mru = f.edit->mruList();
    QCOMPARE(mru.limit, 100);
    QCOMPARE(mru.rows, 7);
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("12"));
    f.leave();
    QVERIFY(mru.items().isEmpty()); // inactive by default
    mru.active = true;
    mru.limit = 2;
    for (const char *typed : {"12", "30", "12", "45"}) {
        f.enter();
        QTest::keyClicks(f.line(), QString::fromLatin1(typed));
        f.leave();
    }
    QCOMPARE(mru.items(), (QStringList{QStringLiteral("45"), QStringLiteral("12")}));
    QCOMPARE(mru.matching(QStringLiteral("1")), QStringList{QStringLiteral("12")});
}

void EditBaseTest::failingPosts()
{
    Field f;
    QVERIFY(f.active);
    const ReportedErrors errors;
    bool fail = true;
    f.edit->setOnUpdateData([&](QObject *, bool &) {
        if (fail)
            throw std::runtime_error("refused");
    });
    // An assigned value whose post raises: the stored value comes back and
    // the exception reaches the caller.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, f.edit->setValue(9));
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    // Leaving after a change whose post raises: all selected, the focus
    // stays, and the error goes to the application's error box.
    f.enter();
    QTest::keyClicks(f.line(), QStringLiteral("7"));
    f.leave();
    QTRY_COMPARE(errors.messages(), QStringList{QStringLiteral("refused")});
    QVERIFY(f.edit->hasFocus());
    QCOMPARE(f.line()->selectedText(), QStringLiteral("7"));
    // The handler's failure left no post half done: the next one goes through.
    fail = false;
    f.leave();
    QCOMPARE(f.edit->text(), QStringLiteral("7"));
    f.edit->setValue(8);
    QCOMPARE(f.edit->text(), QStringLiteral("8"));
}

void EditBaseTest::tooltipShowsTheWholeText()
{
    Field f;
    QVERIFY(f.active);
    f.edit->setMaxValue(0);
    f.edit->setMinValue(0);
    f.edit->setTooltips(true);
    f.edit->setValue(5);
    QCOMPARE(f.line()->toolTip(), QString()); // fits
    f.edit->setValue(123456789012.0);
    QCOMPARE(f.line()->toolTip(), QStringLiteral("123456789012"));
    f.edit->setTooltips(false);
    QCOMPARE(f.line()->toolTip(), QString());
}

// OnClick, OnDblClick and OnContextPopup are set by name, as layout data sets
// them, and fire for the text area.
void EditBaseTest::standardEventsByName()
{
    Field f;
    QVERIFY(f.active);
    QStringList heard;
    QObject *clickSender = nullptr;
    bool keepMenuShut = true;
    QVERIFY(f.edit->setProperty("OnClick", QVariant::fromValue(TNotifyEvent([&](QObject *sender) {
                                    heard << QStringLiteral("click");
                                    clickSender = sender;
                                }))));
    QVERIFY(f.edit->setProperty("OnDblClick", QVariant::fromValue(TNotifyEvent([&](QObject *) {
                                    heard << QStringLiteral("dblclick");
                                }))));
    QVERIFY(f.edit->setProperty(
        "OnContextPopup",
        QVariant::fromValue(TContextPopupEvent([&](QObject *, QPoint pos, bool &handled) {
            heard << QStringLiteral("popup %1,%2").arg(pos.x()).arg(pos.y());
            handled = keepMenuShut;
        }))));
    QVERIFY(f.edit->property("OnClick").value<TNotifyEvent>());

    const QPoint at(5, 9);
    const QPoint inEdit = f.line()->mapTo(f.edit, at);
    QTest::mouseClick(f.line(), Qt::LeftButton, {}, at);
    QCOMPARE(clickSender, f.edit);
    // The second click of a double click comes as a double-click event and its release.
    QTest::mouseDClick(f.line(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(f.line(), Qt::LeftButton, {}, at);
    QCOMPARE(heard, (QStringList{QStringLiteral("click"), QStringLiteral("dblclick")}));

    QContextMenuEvent request(QContextMenuEvent::Mouse, at, f.line()->mapToGlobal(at));
    QApplication::sendEvent(f.line(), &request);
    QCOMPARE(heard.last(), QStringLiteral("popup %1,%2").arg(inEdit.x()).arg(inEdit.y()));
    QVERIFY(!QApplication::activePopupWidget()); // handled: no menu of the edit's own
    keepMenuShut = false;
    QApplication::sendEvent(f.line(), &request);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QApplication::activePopupWidget()->close();
}

QTEST_MAIN(EditBaseTest)
#include "controls_edit_base_test.moc"

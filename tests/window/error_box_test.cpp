// What is raised while any event is handled shows in the error box, and the
// program carries on: a control's own key handler, a timer, a paste that is no
// number into the group-size field.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Pastes the clipboard into the field by Shift+Insert or by the context menu's Paste.
void pasteInto(QLineEdit *line, bool byMenu)
{
    if (!byMenu) {
        QTest::keyClick(line, Qt::Key_Insert, Qt::ShiftModifier);
        return;
    }
    const QPoint at = line->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, line->mapToGlobal(at));
    QApplication::sendEvent(line, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
    if (!paste)
        for (QAction *action : menu->actions())
            if (action->objectName() == QLatin1String("edit-paste"))
                paste = action;
    QVERIFY(paste && paste->isEnabled());
    // Clicked as the operator does, so the command runs inside the click's event.
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    QTRY_VERIFY(!menu->isVisible());
}

} // namespace

class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void raisedInAControlsKeyHandler();
    void raisedInATimer();
    void pasteThatIsNoNumber_data();
    void pasteThatIsNoNumber();
};

void ErrorBoxTest::raisedInAControlsKeyHandler()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    // OnKeyDown of the field: no handler of the window, nothing of its own catches.
    int raised = 0;
    form.SpinEdit1->setOnKeyDown([&raised](QObject *, int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_F2) {
            ++raised;
            throw std::runtime_error("Key handler failed");
        }
    });
    form.SpinEdit1->setFocus();
    QTRY_VERIFY(form.SpinEdit1->hasFocus());
    QLineEdit *line = form.SpinEdit1->lineEdit();
    line->setCursorPosition(int(line->text().size()));
    QTest::keyClick(line, Qt::Key_F2);
    QCOMPARE(raised, 1);
    QCOMPARE(f.dialogs.errors, QStringList{u("Key handler failed.")});
    // The program carries on: the field still types, and a draw still starts.
    QTest::keyClicks(line, u("2"));
    QCOMPARE(form.SpinEdit1->text(), u("52"));
    form.handle(&TForm1::Button1Click);
    QVERIFY(form.rolling());
    QCOMPARE(f.dialogs.errors.size(), 1);
}

void ErrorBoxTest::raisedInATimer()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    QTimer failing;
    failing.setSingleShot(true);
    QObject::connect(&failing, &QTimer::timeout, &form,
                     [] { throw std::runtime_error("Timer failed"); });
    int laterTicks = 0;
    QTimer later;
    later.setSingleShot(true);
    QObject::connect(&later, &QTimer::timeout, &form, [&laterTicks] { ++laterTicks; });
    failing.start(1);
    later.start(20);
    QVERIFY(QTest::qWaitFor([&laterTicks] { return laterTicks == 1; }));
    // "." appended after a last character that sorts after it.
    QCOMPARE(f.dialogs.errors, QStringList{u("Timer failed.")});
    form.handle(&TForm1::Button1Click);
    QVERIFY(form.rolling());
}

void ErrorBoxTest::pasteThatIsNoNumber_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("value");
    QTest::newRow("1e5, Shift+Insert") << u("1e5") << false << u("1e") << u("999");
    QTest::newRow("1e5, context menu") << u("1e5") << true << u("1e") << u("999");
    QTest::newRow(".5, Shift+Insert") << u(".5") << false << u(".") << u("1");
    QTest::newRow(".5, context menu") << u(".5") << true << u(".") << u("1");
}

// Paste a number, cut it down to a text that is no number with End, Left,
// Delete, then paste something that is no number either: each failure shows
// once, the text before the paste comes back all selected, and the program runs on.
void ErrorBoxTest::pasteThatIsNoNumber()
{
    QFETCH(QString, clipboard);
    QFETCH(bool, byMenu);
    QFETCH(QString, left);
    QFETCH(QString, value);
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    QLineEdit *line = form.SpinEdit1->lineEdit();
    QTest::mouseClick(line, Qt::LeftButton, {}, line->rect().center());
    QTRY_VERIFY(form.SpinEdit1->hasFocus());
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);

    QApplication::clipboard()->setText(clipboard);
    pasteInto(line, byMenu);
    QCOMPARE(form.SpinEdit1->text(), clipboard);
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Left);
    QTest::keyClick(line, Qt::Key_Delete);
    QCOMPARE(form.SpinEdit1->text(), left);
    const QString firstError = u("'%1' is not a valid floating point value.").arg(left);
    QCOMPARE(f.dialogs.errors, QStringList{firstError});

    QApplication::clipboard()->setText(u("abc"));
    pasteInto(line, byMenu);
    QCOMPARE(
        f.dialogs.errors,
        (QStringList{firstError, u("'%1abc' is not a valid floating point value.").arg(left)}));
    QCOMPARE(form.SpinEdit1->text(), left);
    QCOMPARE(line->selectedText(), left);
    QVERIFY(form.SpinEdit1->hasFocus());
    // The value is the pasted number's, limited; leaving shows it.
    QCOMPARE(form.SpinEdit1->value(), std::optional<double>(value.toDouble()));
    form.setFocus();
    QTRY_VERIFY(!form.SpinEdit1->hasFocus());
    QCOMPARE(form.SpinEdit1->text(), value);
    QCOMPARE(f.dialogs.errors.size(), 2);
}

WINDOW_TEST_MAIN(ErrorBoxTest)

#include "error_box_test.moc"

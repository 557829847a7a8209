// Whole draws on the real window, headless, with the timers driven by the test.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_radio_button.h"
#include "draw/gbk_codec.h"
#include "draw/name_list.h"
#include "platform/fonts.h"
#include "platform/label.h"
#include "platform/panel.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <algorithm>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct CycleState {
    QString caption;
    bool button1Enabled;
    bool topBarEnabled;
    bool timer1;
    bool timer2;
};

CycleState cycleState(TForm1 &form)
{
    return {form.Button1->caption(), form.Button1->isEnabled(), form.Panel8->isEnabled(),
            form.Timer1->isActive(), form.Timer2->isActive()};
}

#define QCOMPARE_STATE(form, cap, b1, top, t1, t2) \
    do { \
        const CycleState s = cycleState(form); \
        QCOMPARE(s.caption, u(cap)); \
        QCOMPARE(s.button1Enabled, b1); \
        QCOMPARE(s.topBarEnabled, top); \
        QCOMPARE(s.timer1, t1); \
        QCOMPARE(s.timer2, t2); \
    } while (0)

// Releases a key where the operator's keyboard would deliver it.
void releaseKey(TForm1 &form, Qt::Key key)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QTest::keyClick(target, key);
}

} // namespace

class DrawCycleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void startArmStopCommitsToChosenTier();
    void secondDrawAppendsToTier();
    void pageDownFollowsPageKeyFlag();
    void groupSizeAboveRosterDrawsEveryone();
    void cancelWhileIdleAndWhileRolling();
    void groupSizeGuardKeepsText();
    void wheelStepOverUnfocusedGroupSizeIsDrawn();
    void emptyDisplayCommitsNoName();
    void badGroupSizeStopsRollingOnce();
    void failedWriteKeepsCommitForNextWrite();
    void topBarKeepsItsLookWhileRolling();
    void missingSoundFilesRaiseNoErrorBox();
    void focusedFlatButtonKeepsSpaceAndPageDown_data();
    void focusedFlatButtonKeepsSpaceAndPageDown();
    void deleteWhileRollingKeepsTheLastPickShown();
};

void DrawCycleTest::startArmStopCommitsToChosenTier()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.RadioButton2->setChecked(true);

    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE_STATE(form, "停止", false, false, true, true);
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});
    // The focus is on the window itself, so the keys keep working.
    QVERIFY(!qobject_cast<TFlatButton *>(QApplication::focusWidget()));

    // Space while arming does nothing.
    releaseKey(form, Qt::Key_Space);
    QCOMPARE_STATE(form, "停止", false, false, true, true);

    form.handle(&TForm1::Timer1Timer);
    QCOMPARE(form.StaticText1->caption().split(u("，")).size(), 5);
    form.handle(&TForm1::Timer1Timer);
    QCOMPARE(form.state().roster.selectedCount(), std::size_t(5));

    form.handle(&TForm1::Timer2Timer);
    QCOMPARE_STATE(form, "停止", true, false, true, false);

    releaseKey(form, Qt::Key_Space);
    QCOMPARE_STATE(form, "开始", false, true, false, true);
    // The display shows the last tick's pick, which is what is committed.
    const QString shown = form.StaticText1->caption();
    QCOMPARE(shown.split(u("，")).size(), 5);
    QCOMPARE(f.sound.played, (QStringList{u("drum.wav"), u("gong.wav")}));
    QCOMPARE(form.Label4->caption(), u("5"));
    QCOMPARE(form.Label1->caption(), u("00"));
    QCOMPARE(u(draw::gbkToUtf8(form.state().TierWinners[1]).c_str()), shown);
    QCOMPARE(form.state().roster.size(), std::size_t(7));
    QCOMPARE(form.state().roster.selectedCount(), std::size_t(0));
    QCOMPARE(form.Label13->caption(), u("抽奖名单 共[7]人"));
    const draw::TextList record = draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt"));
    QCOMPARE(record.size(), std::size_t(6));
    QCOMPARE(u(draw::gbkToUtf8(record[3]).c_str()), shown);
    QCOMPARE(u(draw::gbkToUtf8(record[2]).c_str()), u("[二号奖]"));
    for (const QString &name : shown.split(u("，")))
        QVERIFY(!form.state().roster.find(draw::utf8ToGbk(name.toStdString()).bytes));

    form.handle(&TForm1::Timer2Timer);
    QCOMPARE_STATE(form, "开始", true, true, false, false);
}

void DrawCycleTest::secondDrawAppendsToTier()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    for (int draw = 0; draw < 2; ++draw) {
        form.handle(&TForm1::Button1Click);
        form.handle(&TForm1::Timer1Timer);
        form.handle(&TForm1::Timer2Timer);
        form.handle(&TForm1::Button1Click);
        form.handle(&TForm1::Timer2Timer);
    }
    QCOMPARE(form.Label1->caption(), u("10"));
    const QStringList winners =
        u(draw::gbkToUtf8(form.state().TierWinners[0]).c_str()).split(u("，"));
    QCOMPARE(winners.size(), 10);
    QCOMPARE(QSet<QString>(winners.begin(), winners.end()).size(), 10);
    QCOMPARE(form.state().roster.size(), std::size_t(2));
}

void DrawCycleTest::pageDownFollowsPageKeyFlag()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.setFocus();

    releaseKey(form, Qt::Key_PageDown);
    QCOMPARE(form.rolling(), true);
    form.handle(&TForm1::Timer2Timer);
    releaseKey(form, Qt::Key_PageDown);
    QCOMPARE(form.rolling(), false);
    form.handle(&TForm1::Timer2Timer);

    QCOMPARE(form.Label13->toolTip(), u("点这里可以屏蔽翻页键"));
    form.handle(&TForm1::Label13Click);
    QCOMPARE(form.Label13->tag(), 1);
    QCOMPARE(form.Label13->toolTip(), u("禁止用翻页键抽奖！"));
    releaseKey(form, Qt::Key_PageDown);
    QCOMPARE(form.rolling(), false);
    releaseKey(form, Qt::Key_Space);
    QCOMPARE(form.rolling(), true);

    form.handle(&TForm1::Label13Click);
    QCOMPARE(form.Label13->tag(), 0);
    QCOMPARE(form.Label13->toolTip(), u("可以用翻页键抽奖！"));
}

void DrawCycleTest::groupSizeAboveRosterDrawsEveryone()
{
    WindowFixture f;
    f.writeDrawFolder(3, "3");
    TForm1 &form = f.create(false);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    QCOMPARE(form.StaticText1->caption(), u("员工1，员工2，员工3"));
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    QCOMPARE(form.Label1->caption(), u("3"));
    QCOMPARE(form.state().roster.size(), std::size_t(0));
    QCOMPARE(form.Label13->caption(), u("抽奖名单 共[0]人"));
}

void DrawCycleTest::cancelWhileIdleAndWhileRolling()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    QCOMPARE(form.StaticText1->caption(), u("新年快乐"));
    form.handle(&TForm1::FlatButton1Click);
    QCOMPARE(form.StaticText1->caption(), QString());
    QCOMPARE_STATE(form, "开始", true, true, false, false);

    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::FlatButton1Click);
    QCOMPARE_STATE(form, "开始", true, true, false, false);
    QCOMPARE(form.StaticText1->caption(), QString());
    QCOMPARE(form.state().roster.size(), std::size_t(12));
    QCOMPARE(form.Label1->caption(), u("00"));
    // The last tick's marks stay, so "删除所选" would delete exactly them.
    QCOMPARE(form.state().roster.selectedCount(), std::size_t(5));
    QCOMPARE(f.sound.played, QStringList{u("drum.wav")});
}

void DrawCycleTest::groupSizeGuardKeepsText()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.SpinEdit1->setFocus();
    QTRY_VERIFY(form.SpinEdit1->hasFocus());
    QLineEdit *line = form.SpinEdit1->lineEdit();
    line->setCursorPosition(int(line->text().size()));
    QTest::keyClicks(line, u("a"));
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(form.SpinEdit1->text(), u("5"));
    QTest::keyClicks(line, u("2"));
    QCOMPARE(form.SpinEdit1->text(), u("52"));
}

void DrawCycleTest::wheelStepOverUnfocusedGroupSizeIsDrawn()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    form.setFocus(); // the field loses the focus to the window
    QTRY_VERIFY(!form.SpinEdit1->hasFocus());
    QLineEdit *line = form.SpinEdit1->lineEdit();
    const QPoint at(5, 5);
    QWheelEvent wheel(at, line->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(line, &wheel);
    QCOMPARE(form.SpinEdit1->text(), u("6"));
    // Start's focus rule enters the field: the number shown is the number drawn.
    form.handle(&TForm1::Button1Click);
    QVERIFY(form.SpinEdit1->hasFocus() || !form.Panel8->isEnabled());
    QCOMPARE(form.SpinEdit1->text(), u("6"));
    form.handle(&TForm1::Timer1Timer);
    QCOMPARE(form.StaticText1->caption().split(u("，")).size(), 6);
}

void DrawCycleTest::emptyDisplayCommitsNoName()
{
    WindowFixture f;
    f.writeDrawFolder(0, "3");
    f.write("获奖记录.txt", {"[一号奖]", "张三", "[二号奖]", "", "[三号奖]", ""});
    QVERIFY(f.open(true));
    TForm1 &form = *f.form;
    QCOMPARE(form.Label1->caption(), u("1"));

    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    QCOMPARE(form.Label1->caption(), u("1"));
    QCOMPARE(form.state().TierWinners[0], gbk("张三"));
    // The record is still written.
    const draw::TextList record = draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt"));
    QCOMPARE(record[1], gbk("张三"));
    QVERIFY(f.dialogs.errors.isEmpty());
}

void DrawCycleTest::badGroupSizeStopsRollingOnce()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    form.SpinEdit1->setText(u("2.5")); // what a paste can leave
    form.handle(&TForm1::Button1Click);
    QVERIFY(form.Timer1->isActive());
    form.handle(&TForm1::Timer1Timer);
    QCOMPARE(f.dialogs.errors, QStringList{u("'2.5' is not a valid integer value.")});
    QCOMPARE_STATE(form, "开始", true, true, false, false);
    // Rolling has stopped, so no later tick repeats the error.
    QCOMPARE(form.state().roster.size(), std::size_t(12));
}

void DrawCycleTest::failedWriteKeepsCommitForNextWrite()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    const QString first = form.StaticText1->caption();

    QVERIFY(QDir().rename(u("抽奖名单"), u("moved")));
    form.handle(&TForm1::Button1Click);
    QCOMPARE(f.dialogs.errors.size(), 1);
    QVERIFY2(
        f.dialogs.errors.front().startsWith(u("Cannot create file \"抽奖名单/获奖记录.txt\". ")),
        qPrintable(f.dialogs.errors.front()));
    QCOMPARE(form.Label1->caption(), u("5"));
    QCOMPARE(form.state().roster.size(), std::size_t(7));
    QCOMPARE(form.Panel8->isEnabled(), false); // until Cancel
    QVERIFY(QDir().rename(u("moved"), u("抽奖名单")));

    form.handle(&TForm1::FlatButton1Click);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    const QString second = form.StaticText1->caption();
    form.handle(&TForm1::Button1Click);
    const draw::TextList record = draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt"));
    QCOMPARE(u(draw::gbkToUtf8(record[1]).c_str()), first + u("，") + second);
    QCOMPARE(form.Label1->caption(), u("10"));
}

void DrawCycleTest::topBarKeepsItsLookWhileRolling()
{
    WindowFixture f;
    f.writeDrawFolder(12, "6");
    TForm1 &form = f.create(false);
    const QImage idle = form.Panel8->grab().toImage();
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    QVERIFY(!form.Panel8->isEnabled());
    // Its input is blocked, but tiers, counts, group size and view button look as before.
    QCOMPARE(form.Panel8->grab().toImage(), idle);
}

void DrawCycleTest::missingSoundFilesRaiseNoErrorBox()
{
    // The desktop's player, with no sound files beside the test program.
    QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + u("/drum.wav")));
    WavSoundPlayer player;
    WindowFixture f;
    f.player = &player;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    QCOMPARE(form.Label1->caption(), u("5"));
    QCOMPARE(f.dialogs.errors, QStringList());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<QMessageBox *>(w) || !w->isVisible(), qPrintable(w->windowTitle()));
}

void DrawCycleTest::focusedFlatButtonKeepsSpaceAndPageDown_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("display"); // Cancel's own click clears it
    QTest::addColumn<int>("editorOpened"); // the view-winners button's own click
    QTest::newRow("Cancel, Space") << u("FlatButton1") << int(Qt::Key_Space) << QString() << 0;
    QTest::newRow("Cancel, PageDown")
        << u("FlatButton1") << int(Qt::Key_PageDown) << u("新年快乐") << 0;
    QTest::newRow("view winners, Space")
        << u("Button3") << int(Qt::Key_Space) << u("新年快乐") << 1;
    QTest::newRow("view winners, PageDown")
        << u("Button3") << int(Qt::Key_PageDown) << u("新年快乐") << 0;
}

void DrawCycleTest::focusedFlatButtonKeepsSpaceAndPageDown()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QString, display);
    QFETCH(int, editorOpened);
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false, WindowFixture::Shown::Active));
    TForm1 &form = *f.form;
    TFlatButton *focused = button == u("Button3") ? form.Button3 : form.FlatButton1;
    focused->setFocus();
    QTRY_VERIFY(focused->hasFocus());

    releaseKey(form, Qt::Key(key));
    // The window's key handler never saw the key: no draw started.
    QCOMPARE(f.sound.played, QStringList());
    QCOMPARE_STATE(form, "开始", true, true, false, false);
    QCOMPARE(form.StaticText1->caption(), display);
    QCOMPARE(f.editor.opened.size(), editorOpened);
}

// A tick's names are joined when a frame shows them; deleting the selected names
// while the draw rolls must not lose the pick the screen is about to show.
void DrawCycleTest::deleteWhileRollingKeepsTheLastPickShown()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer1Timer); // within one frame of the first: not shown yet
    std::vector<std::string> picked;
    for (std::size_t i = 0; i < form.state().roster.size(); ++i)
        if (form.state().roster.selected(i))
            picked.push_back(form.state().roster.name(i));
    QCOMPARE(picked.size(), std::size_t(5));
    form.handle(&TForm1::N2Click);
    QCOMPARE(form.state().roster.size(), std::size_t(7));
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    // The display and the commit are the last tick's five names, now out of the roster.
    const QStringList shown = form.StaticText1->caption().split(u("，"));
    QCOMPARE(shown.size(), 5);
    for (const QString &name : shown) {
        const std::string gbk = draw::utf8ToGbk(name.toStdString()).bytes;
        QVERIFY(std::find(picked.begin(), picked.end(), gbk) != picked.end());
        QVERIFY(!form.state().roster.find(gbk));
    }
    QCOMPARE(u(draw::gbkToUtf8(form.state().TierWinners[0]).c_str()), form.StaticText1->caption());
    QCOMPARE(form.state().roster.size(), std::size_t(7));
}

WINDOW_TEST_MAIN(DrawCycleTest)
#include "draw_cycle_test.moc"

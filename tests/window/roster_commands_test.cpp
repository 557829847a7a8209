// The roster's pop-up menu commands and the view-winners button.
#include "window_fixture.h"

#include "draw/file_bytes.h"

#include "controls/flat_panel.h"
#include "platform/fonts.h"
#include "platform/list_box.h"

#include <QFile>
#include <QtTest>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class RosterCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void addNameTrimsAndAppends();
    void addNameGbkCannotHoldIsRefused();
    void exportWritesRosterAndSaysSo();
    void deleteSelected();
    void viewWinnersOpensTheRecord();
};

void RosterCommandsTest::addNameTrimsAndAppends()
{
    WindowFixture f;
    f.writeDrawFolder(2, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    f.dialogs.inputAnswers = {u("  王小明 \t"), u("员工1"), std::nullopt, u("   "),
                              u("\u3000李雷\u3000")};
    for (int i = 0; i < 5; ++i)
        form.handle(&TForm1::N1Click);
    QCOMPARE(f.dialogs.inputs.front(), u("提示|请输入加入名单的名字"));
    QCOMPARE(f.dialogs.lastInputMaxLength, 255);
    QCOMPARE(form.state().roster.names(),
             (std::vector<std::string>{gbk("员工1"), gbk("员工2"), gbk("王小明"), gbk("员工1"),
                                       gbk("\u3000李雷\u3000")}));
    // The count text catches up only at the next Start or Stop.
    QCOMPARE(form.Label13->caption(), u("抽奖名单 共[2]人"));
    QVERIFY(f.dialogs.errors.isEmpty());
}

void RosterCommandsTest::addNameGbkCannotHoldIsRefused()
{
    WindowFixture f;
    f.writeDrawFolder(2, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    f.dialogs.inputAnswers = {u("张\U0001F600三")};
    form.handle(&TForm1::N1Click);
    QCOMPARE(form.state().roster.size(), std::size_t(2));
    QCOMPARE(f.dialogs.errors.size(), 1);
    QVERIFY2(f.dialogs.errors.front().contains(u("\U0001F600")),
             qPrintable(f.dialogs.errors.front()));
}

void RosterCommandsTest::exportWritesRosterAndSaysSo()
{
    WindowFixture f;
    f.writeDrawFolder(0, "3");
    f.write("抽奖名单.txt", {"甲", "", "乙"});
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    form.handle(&TForm1::N6Click);
    QCOMPARE(f.dialogs.informations, QStringList{u("导出完毕!")});
    QCOMPARE(draw::readFileBytes(draw::utf8Path("导出的名单.txt")), gbk("甲\r\n\r\n乙\r\n"));

    form.state().roster.clear();
    form.handle(&TForm1::N6Click);
    QCOMPARE(draw::readFileBytes(draw::utf8Path("导出的名单.txt")), std::string());
    QCOMPARE(f.dialogs.informations.size(), 2);
}

void RosterCommandsTest::deleteSelected()
{
    WindowFixture f;
    f.writeDrawFolder(6, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    form.handle(&TForm1::N2Click);
    QCOMPARE(form.state().roster.size(), std::size_t(6));
    form.state().roster.setSelected(1, true);
    form.state().roster.setSelected(4, true);
    form.handle(&TForm1::N2Click);
    QCOMPARE(form.state().roster.names(),
             (std::vector<std::string>{gbk("员工1"), gbk("员工3"), gbk("员工4"), gbk("员工6")}));
}

void RosterCommandsTest::viewWinnersOpensTheRecord()
{
    WindowFixture f;
    f.writeDrawFolder(6, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    form.handle(&TForm1::Button3Click);
    QCOMPARE(f.editor.opened.size(), 1);
    // The record in the working folder, by its full path, whatever folder the
    // program was started from.
    QCOMPARE(f.editor.opened.front(),
             QDir(f.dirPath()).absoluteFilePath(u("抽奖名单/获奖记录.txt")));
}

WINDOW_TEST_MAIN(RosterCommandsTest)
#include "roster_commands_test.moc"

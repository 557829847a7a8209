// A draw folder saved as UTF-8 by an editor or a spreadsheet: read as GBK, written GBK.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "draw/file_bytes.h"
#include "platform/fonts.h"
#include "platform/label.h"

#include <QtTest>

#include <fstream>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Writes a draw-folder file as UTF-8, with or without the byte-order mark.
void writeUtf8(const char *file, std::initializer_list<const char *> lines, bool mark = false)
{
    std::string bytes = mark ? "\xEF\xBB\xBF" : "";
    for (const char *l : lines)
        bytes += std::string(l) + "\r\n";
    std::ofstream(draw::utf8Path(std::string("抽奖名单/") + file), std::ios::binary) << bytes;
}

QStringList rosterNames(TForm1 &form)
{
    QStringList names;
    for (const std::string &n : form.state().roster.names())
        names << u(draw::gbkToUtf8(n).c_str());
    return names;
}

// GBK file bytes of UTF-8 lines, as the program writes them.
std::string gbkFile(std::initializer_list<std::string> lines)
{
    std::string bytes;
    for (const std::string &l : lines)
        bytes += gbk(l.c_str()) + "\r\n";
    return bytes;
}

} // namespace

class Utf8DrawFolderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void readsUtf8AndWritesGbk();
    void nameGbkCannotHoldStopsTheStart_data();
    void nameGbkCannotHoldStopsTheStart();
};

void Utf8DrawFolderTest::readsUtf8AndWritesGbk()
{
    WindowFixture f;
    f.writeDrawFolder(0, "2");
    writeUtf8("抽奖名单.txt", {"张三", "李四", "王五", "赵六", "谢伟"}, true);
    writeUtf8("基础配置.ini", {"[配置]", "bg.bmp", "标题", "新年快乐", "奖项数", "2"});
    writeUtf8("奖项设置.ini", {"一号奖", "二号奖"}, true);
    // The record as the desktop editor saves it after the view-winners button.
    writeUtf8("获奖记录.txt", {"[一号奖]", "张三", "[二号奖]", "李四，王五"});
    TForm1 &form = f.create(true);
    form.show();
    QTRY_COMPARE(f.dialogs.questions.size(), 1);
    QVERIFY2(f.dialogs.errors.isEmpty(), qPrintable(f.dialogs.errors.join(u(";"))));
    QCOMPARE(form.StaticText1->caption(), u("新年快乐"));
    QCOMPARE(form.RadioButton1->caption(), u("一号奖"));
    QCOMPARE(form.RadioButton2->caption(), u("二号奖"));
    QCOMPARE(form.Label1->caption(), u("1"));
    QCOMPARE(form.Label4->caption(), u("2"));
    QCOMPARE(rosterNames(form), (QStringList{u("赵六"), u("谢伟")}));
    QCOMPARE(form.state().roster.name(1), gbk("谢伟"));

    // One draw for tier 1: the record is written whole in GBK, no byte-order mark.
    form.SpinEdit1->setValue(1.0);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    const QString drawn = form.StaticText1->caption();
    QVERIFY(drawn == u("赵六") || drawn == u("谢伟"));
    QCOMPARE(draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt")),
             gbkFile({"[一号奖]", "张三，" + drawn.toStdString(), "[二号奖]", "李四，王五"}));
    form.handle(&TForm1::N6Click);
    const QString left = drawn == u("赵六") ? u("谢伟") : u("赵六");
    QCOMPARE(draw::readFileBytes(draw::utf8Path("导出的名单.txt")), gbkFile({left.toStdString()}));
}

void Utf8DrawFolderTest::nameGbkCannotHoldStopsTheStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("rosterSize");
    QTest::newRow("roster") << u("抽奖名单.txt")
                            << u("Cannot convert file \"抽奖名单/抽奖名单.txt\" to GBK: line 3 "
                                 "holds \"😀\" (U+1F600)")
                            << 0;
    QTest::newRow("configuration")
        << u("基础配置.ini")
        << u("Cannot convert file \"抽奖名单/基础配置.ini\" to GBK: line 4 holds \"🎉\" "
             "(U+1F389)")
        << 4;
    QTest::newRow("prize names") << u("奖项设置.ini")
                                 << u("Cannot convert file \"抽奖名单/奖项设置.ini\" to GBK: line "
                                      "2 holds \"한\" (U+D55C)")
                                 << 4;
    QTest::newRow("winners record")
        << u("获奖记录.txt")
        << u("Cannot convert file \"抽奖名单/获奖记录.txt\" to GBK: line 2 holds \"✓\" "
             "(U+2713)")
        << 4;
}

void Utf8DrawFolderTest::nameGbkCannotHoldStopsTheStart()
{
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(int, rosterSize);
    WindowFixture f;
    f.writeDrawFolder(0, "2");
    f.write("获奖记录.txt", {"[一号奖]", "员工9", "[二号奖]", ""});
    writeUtf8("抽奖名单.txt",
              {"张三", "李四", file == u("抽奖名单.txt") ? "😀王五" : "王五", "赵六"});
    if (file == u("基础配置.ini"))
        writeUtf8("基础配置.ini", {"[配置]", "bg.bmp", "标题", "新年快乐🎉", "奖项数", "2"});
    if (file == u("奖项设置.ini"))
        writeUtf8("奖项设置.ini", {"一号奖", "二号奖한"});
    if (file == u("获奖记录.txt"))
        writeUtf8("获奖记录.txt", {"[一号奖]", "张三✓", "[二号奖]", ""});
    const std::string record = draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt"));

    TForm1 &form = f.create(true);
    form.handle(&TForm1::FormShow); // as on first showing
    QCOMPARE(f.dialogs.errors, QStringList{error});
    QCOMPARE(int(form.state().roster.size()), rosterSize);
    // The resume question is asked only when the record itself fails.
    QCOMPARE(f.dialogs.questions.size(), file == u("获奖记录.txt") ? 1 : 0);

    // No draw can start, Cancel does not re-arm it, and nothing was written.
    QVERIFY(!form.Button1->isEnabled());
    QVERIFY(!form.FlatButton1->isEnabled());
    form.handle(&TForm1::FlatButton1Click);
    form.handle(&TForm1::Button1Click);
    form.FormKeyUp(Qt::Key_Space);
    QVERIFY(!form.rolling());
    QVERIFY(!form.Timer1->isActive());
    QCOMPARE(draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt")), record);
    QCOMPARE(form.Label1->caption(), u("00"));
}

WINDOW_TEST_MAIN(Utf8DrawFolderTest)
#include "utf8_draw_folder_test.moc"

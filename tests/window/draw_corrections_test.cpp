// Undo, void and the draw log on the real window, headless.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_panel.h"
#include "controls/look_radio_button.h"
#include "draw/draw_log.h"
#include "draw/file_bytes.h"
#include "draw/gbk_codec.h"
#include "platform/fonts.h"
#include "platform/label.h"
#include "platform/sha256.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include <filesystem>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

const char *kRecord = "抽奖名单/获奖记录.txt";
const char *kLog = "抽奖名单/抽奖日志.txt";

// Start, one tick, arming over, Stop, arming over.
void drawOnce(TForm1 &form)
{
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer2Timer);
}

// Whether each correction item is enabled as the menu opens.
std::pair<bool, bool> correctionsEnabled(TForm1 &form)
{
    emit form.PopupMenu1->aboutToShow();
    return {form.N9->isEnabled(), form.N10->isEnabled()};
}

} // namespace

class DrawCorrectionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void menuKeepsItsItemsAndAddsCorrectionsLast();
    void undoRestoresRosterOrderAndRecordBytes();
    void voidSetsGroupSizeForTheReplacements();
    void logChainsEveryEventAndTheToolNamesAnEditedLine();
    void logThatCannotBeWrittenIsReportedOnceAndTheDrawGoesOn();
};

void DrawCorrectionsTest::menuKeepsItsItemsAndAddsCorrectionsLast()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    TForm1 &form = f.create(false);
    QStringList captions;
    for (const QAction *action : form.PopupMenu1->actions())
        captions << (action->isSeparator() ? u("-") : action->text());
    QCOMPARE(captions,
             (QStringList{u("临时添加名单"), u("-"), u("名单导出"), u("-"), u("删除所选"), u("-"),
                          u("取消"), u("-"), u("撤销上次抽奖"), u("作废中奖者…")}));
    QCOMPARE(form.PopupMenu1->actions().indexOf(form.N9), 8);
}

void DrawCorrectionsTest::undoRestoresRosterOrderAndRecordBytes()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    QCOMPARE(correctionsEnabled(form), std::make_pair(false, true));

    form.handle(&TForm1::N6Click);
    const std::string exportBefore = draw::readFileBytes(draw::utf8Path("导出的名单.txt"));
    const std::string recordBefore = draw::readFileBytes(draw::utf8Path(kRecord));
    form.RadioButton2->setChecked(true);
    drawOnce(form);
    const std::string recordAfterFirst = draw::readFileBytes(draw::utf8Path(kRecord));
    const std::vector<std::string> rosterAfterFirst = form.state().roster.names();
    form.SpinEdit1->setValue(3);
    drawOnce(form);
    QCOMPARE(form.Label4->caption(), u("8"));
    const QString secondDraw = form.StaticText1->caption();

    form.handle(&TForm1::Button1Click); // rolling: no undo
    QCOMPARE(correctionsEnabled(form), std::make_pair(false, false));
    form.handle(&TForm1::FlatButton1Click);
    QCOMPARE(correctionsEnabled(form), std::make_pair(true, true));

    // No keeps the draw; the question names the tier and the names.
    f.dialogs.yesNoAnswers = {DialogAnswer::No, DialogAnswer::Yes, DialogAnswer::Yes};
    form.handle(&TForm1::N9Click);
    QCOMPARE(f.dialogs.questions.last(),
             u("提示|撤销【二号奖】的 3 名中奖者：") + secondDraw + u("？"));
    QCOMPARE(form.state().roster.size(), std::size_t(4));

    form.handle(&TForm1::N9Click);
    QCOMPARE(form.state().roster.names(), rosterAfterFirst);
    QCOMPARE(draw::readFileBytes(draw::utf8Path(kRecord)), recordAfterFirst);
    QCOMPARE(form.Label4->caption(), u("5"));
    QCOMPARE(form.Label13->caption(), u("抽奖名单 共[7]人"));

    form.handle(&TForm1::N9Click);
    QCOMPARE(draw::readFileBytes(draw::utf8Path(kRecord)), recordBefore);
    QCOMPARE(form.Label4->caption(), u("00"));
    form.handle(&TForm1::N6Click);
    QCOMPARE(draw::readFileBytes(draw::utf8Path("导出的名单.txt")), exportBefore);
    QCOMPARE(correctionsEnabled(form).first, false);
    QVERIFY(f.dialogs.errors.isEmpty());
    // A folder without the log never gets one.
    QVERIFY(!QFile::exists(u(kLog)));
}

void DrawCorrectionsTest::voidSetsGroupSizeForTheReplacements()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    f.dialogs.choiceAnswers = {std::nullopt, QList<int>{1, 3}};
    form.handle(&TForm1::N10Click); // nobody has won yet
    QCOMPARE(f.dialogs.informations, QStringList{u("【一号奖】还没有中奖者")});
    drawOnce(form);
    const QStringList drawn = form.StaticText1->caption().split(u("，"));
    QCOMPARE(drawn.size(), 5);

    form.handle(&TForm1::N10Click); // Cancel
    QCOMPARE(f.dialogs.lastChoiceItems, drawn);
    QCOMPARE(form.Label1->caption(), u("5"));
    form.handle(&TForm1::N10Click); // voids the second and fourth
    QCOMPARE(f.dialogs.choices.last(), u("作废中奖者|【一号奖】中不在场的中奖者："));
    const QStringList kept{drawn[0], drawn[2], drawn[4]};
    QCOMPARE(form.Label1->caption(), u("3"));
    QCOMPARE(form.SpinEdit1->value(), std::optional<double>(2.0));
    QCOMPARE(form.SpinEdit1->text(), u("2"));
    const draw::TextList record = draw::loadTextList(draw::utf8Path(kRecord));
    QCOMPARE(u(draw::gbkToUtf8(record[1]).c_str()), kept.join(u("，")));
    // The voided do not go back into the draw.
    QCOMPARE(form.state().roster.size(), std::size_t(7));

    drawOnce(form);
    QCOMPARE(form.Label1->caption(), u("5"));
    QCOMPARE(form.state().roster.size(), std::size_t(5));
    QVERIFY(f.dialogs.errors.isEmpty());
}

void DrawCorrectionsTest::logChainsEveryEventAndTheToolNamesAnEditedLine()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QFile(u(kLog)).open(QIODevice::WriteOnly); // an empty log: the program keeps it
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    const std::string recordBefore = draw::readFileBytes(draw::utf8Path(kRecord));
    drawOnce(form);
    f.dialogs.inputAnswers = {u("王小明")};
    form.handle(&TForm1::N1Click);
    form.state().roster.setSelected(0, true);
    form.handle(&TForm1::N2Click);
    form.handle(&TForm1::N6Click);
    f.dialogs.choiceAnswers = {QList<int>{0}};
    form.handle(&TForm1::N10Click);
    f.dialogs.yesNoAnswers = {DialogAnswer::Yes};
    form.handle(&TForm1::N9Click);
    QVERIFY(f.dialogs.errors.isEmpty());

    const std::string bytes = draw::readFileBytes(draw::utf8Path(kLog));
    QVERIFY(bytes.starts_with(draw::kUtf8Mark));
    const QStringList lines = QString::fromUtf8(bytes.substr(3)).split(u("\r\n"));
    QCOMPARE(lines.size(), 8); // seven events and the empty text after the last break
    const QStringList events{u("开始运行"), u("抽奖"),       u("添加名单"), u("删除名单"),
                             u("导出名单"), u("作废中奖者"), u("撤销抽奖")};
    for (int i = 0; i < events.size(); ++i)
        QCOMPARE(lines[i].section(QLatin1Char('\t'), 1, 1), events[i]);
    const std::string rosterHash =
        sha256Hex(draw::readFileBytes(draw::utf8Path("抽奖名单/抽奖名单.txt")));
    QVERIFY(lines[0].endsWith(u("\t名单人数=12\t名单文件SHA-256=") +
                              QString::fromStdString(rosterHash) + lines[0].right(65)));
    QVERIFY2(lines[1].contains(u("\t奖项=一号奖\t本次选出=5\t抽前名单人数=12\t中奖者=")),
             qPrintable(lines[1]));
    QVERIFY(lines[2].contains(u("\t名字=王小明\t")));
    // Undoing the draw after one winner was voided returns the other four.
    QCOMPARE(lines[6].section(QLatin1Char('\t'), 3, 3).split(u("，")).size(), 4);
    QCOMPARE(draw::readFileBytes(draw::utf8Path(kRecord)), recordBefore);

    QProcess tool;
    tool.start(QStringLiteral(LUCKYDRAW_LOG_CHECK), {u(kLog)});
    QVERIFY(tool.waitForFinished());
    const draw::LogCheck check = draw::checkLog(bytes, sha256Hex);
    QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
             u("OK, 7 entries, last hash ") + QString::fromStdString(check.lastHash) + u("\n"));
    QCOMPARE(tool.exitCode(), 0);

    // An edited name on line 3 breaks the chain there.
    std::string edited = bytes;
    const std::string name = "王小明";
    edited.replace(edited.find(name), name.size(), "王小亮");
    QFile file(u(kLog));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(edited.data(), qint64(edited.size()));
    file.close();
    tool.start(QStringLiteral(LUCKYDRAW_LOG_CHECK), {u(kLog)});
    QVERIFY(tool.waitForFinished());
    QVERIFY2(tool.readAllStandardOutput().startsWith("Line 3 does not match"), "line 3");
    QCOMPARE(tool.exitCode(), 1);
}

void DrawCorrectionsTest::logThatCannotBeWrittenIsReportedOnceAndTheDrawGoesOn()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QFile(u(kLog)).open(QIODevice::WriteOnly);
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    // The log becomes something no line can be appended to.
    QVERIFY(QFile::remove(u(kLog)));
    QVERIFY(QDir().mkdir(u(kLog)));
    for (int draw = 0; draw < 2; ++draw) {
        drawOnce(form);
        // The record holds the draw before any box is shown.
        const draw::TextList record = draw::loadTextList(draw::utf8Path(kRecord));
        QCOMPARE(u(draw::gbkToUtf8(record[1]).c_str()).split(u("，")).size(), 5 * (draw + 1));
        // The box comes once the handler is done, and only for the first failure.
        QCOMPARE(f.dialogs.errors.size(), draw == 0 ? 0 : 1);
        QCoreApplication::processEvents();
        QCOMPARE(f.dialogs.errors.size(), 1);
    }
    QVERIFY2(f.dialogs.errors.front().contains(u("抽奖日志.txt")),
             qPrintable(f.dialogs.errors.front()));
    QCOMPARE(form.Label1->caption(), u("10"));
}

WINDOW_TEST_MAIN(DrawCorrectionsTest)
#include "draw_corrections_test.moc"

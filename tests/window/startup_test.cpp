// The window built on a draw folder: startup failures, tiers, resume, layout figures.
#include "window_fixture.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "draw/file_bytes.h"
#include "draw/name_list.h"
#include "platform/fonts.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/panel.h"
#include "platform/status_bar.h"

#include <QTimer>
#include <QToolTip>
#include <QtTest>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList visibleTierNames(TForm1 &form)
{
    QStringList names;
    for (int k = 1; k <= 6; ++k)
        if (!form.tierButton(k)->isHidden()) {
            names << form.tierButton(k)->caption();
            if (form.tierLabel(k)->isHidden())
                names << QStringLiteral("(label hidden)");
        }
    return names;
}

// Whether any pixel of the control shows the given colour (a caption's colour).
bool shows(QWidget *control, QColor colour)
{
    const QImage shot = control->grab().toImage();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y) == colour)
                return true;
    return false;
}

QStringList rosterNames(TForm1 &form)
{
    QStringList names;
    for (const std::string &n : form.state().roster.names())
        names << u(draw::gbkToUtf8(n).c_str());
    return names;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void failuresLeaveWhatWasDone_data();
    void failuresLeaveWhatWasDone();
    void pictureFailureKeepsEveryWinner();
    void incompleteStateStopsTheDraw_data();
    void incompleteStateStopsTheDraw();
    void tierCountShowsAndNamesTiers_data();
    void tierCountShowsAndNamesTiers();
    void resumeRestoresCountsAndPrunesRoster();
    void resumeReadsOnlyLinesPresent();
    void resumeEmptyPiecesRemoveBlankEntries();
    void declineResetsRecordOnDisk();
    void dismissedQuestionIsAskedAgain_data();
    void dismissedQuestionIsAskedAgain();
    void resumeWithoutRecordChangesNothing();
    void layoutAtDesignSize();
    void layoutFollowsWidth();
    void tinyWindowGrowsBack();
    void narrowScreenRule();
    void imageLeavesOutBottomLeftColour();
    void hintsOnlyOnTheirControls();
    void timersAtStart();
};

enum class Setup {
    NoFiles,
    NoConfig,
    ShortConfig,
    NoBackground,
    BadBackground,
    BadTierCount,
    ShortPrizes
};

void StartupTest::failuresLeaveWhatWasDone_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("rosterHeader");
    QTest::addColumn<QStringList>("tiers");
    QTest::addColumn<bool>("startEnabled");

    const QString design = u("澄岚幸运星 天天拿奖金");
    const QString header12 = u("抽奖名单 共[12]人");
    const QStringList threeTiers{u("一号奖"), u("二号奖"), u("三号奖")};
    // Without the roster or the tier count no draw may start: its record would drop
    // the tiers it does not know.
    QTest::newRow("roster missing")
        << int(Setup::NoFiles)
        << u("Cannot open file \"抽奖名单/抽奖名单.txt\". No such file or directory.") << design
        << u("抽奖名单") << QStringList{u("特等奖")} << false;
    QTest::newRow("configuration missing")
        << int(Setup::NoConfig)
        << u("Cannot open file \"抽奖名单/基础配置.ini\". No such file or directory.") << design
        << header12 << QStringList{u("特等奖")} << false;
    QTest::newRow("configuration short")
        << int(Setup::ShortConfig) << u("List index out of bounds (5)") << u("短标题") << header12
        << QStringList{u("特等奖")} << false;
    QTest::newRow("tier count not a number")
        << int(Setup::BadTierCount) << u("'三' is not a valid integer value.") << u("新年快乐")
        << header12 << QStringList{u("特等奖")} << false;
    // The picture is decoration: the rest loads as if it were there.
    QTest::newRow("background missing")
        << int(Setup::NoBackground)
        << u("Cannot open file \"抽奖名单/无此图.bmp\". No such file or directory.")
        << u("新年快乐") << header12 << threeTiers << true;
    QTest::newRow("background not a bitmap")
        << int(Setup::BadBackground) << u("Bitmap image is not valid.") << u("新年快乐") << header12
        << threeTiers << true;
    // A missing prize name only leaves the design name; the record loses nothing.
    QTest::newRow("prize names short")
        << int(Setup::ShortPrizes) << u("List index out of bounds (2)") << u("新年快乐") << header12
        << QStringList{u("一号奖"), u("二号奖"), u("二等奖")} << true;
}

void StartupTest::failuresLeaveWhatWasDone()
{
    QFETCH(int, setup);
    QFETCH(QString, error);
    QFETCH(QString, display);
    QFETCH(QString, rosterHeader);
    QFETCH(QStringList, tiers);
    QFETCH(bool, startEnabled);

    WindowFixture f;
    switch (Setup(setup)) {
    case Setup::NoFiles:
        break;
    case Setup::NoConfig:
        f.writeRoster(12);
        break;
    case Setup::ShortConfig:
        f.writeRoster(12);
        f.writeBitmap("bg.bmp", Qt::white);
        f.write("基础配置.ini", {"[配置]", "bg.bmp", "标题", "短标题"});
        break;
    case Setup::NoBackground:
        f.writeDrawFolder();
        f.write("基础配置.ini", {"[配置]", "无此图.bmp", "标题", "新年快乐", "奖项数", "3"});
        break;
    case Setup::BadBackground:
        f.writeDrawFolder();
        f.write("bg.bmp", {"not a picture"});
        break;
    case Setup::BadTierCount:
        f.writeDrawFolder(12, "三");
        break;
    case Setup::ShortPrizes:
        f.writeDrawFolder(12, "3");
        f.write("奖项设置.ini", {"一号奖", "二号奖"});
        break;
    }
    TForm1 &form = f.create();

    QCOMPARE(f.dialogs.errors, QStringList{error});
    QCOMPARE(form.StaticText1->caption(), display);
    QCOMPARE(form.Label13->caption(), rosterHeader);
    QCOMPARE(visibleTierNames(form), tiers);
    QCOMPARE(form.rolling(), false);
    QCOMPARE(form.Button1->isEnabled(), startEnabled);
    // The status bar says why no draw can start.
    QCOMPARE(form.StatusBar1->panelText().contains(error.chopped(1)), !startEnabled);
}

void StartupTest::pictureFailureKeepsEveryWinner()
{
    WindowFixture f;
    f.writeDrawFolder(0, "3");
    f.write("抽奖名单.txt", {"张一", "李一", "李二", "王一", "王二", "王三", "赵一", "赵二"});
    f.write("获奖记录.txt",
            {"[一号奖]", "张一", "[二号奖]", "李一，李二", "[三号奖]", "王一，王二，王三"});
    QFile::remove(u("抽奖名单/bg.bmp"));
    QVERIFY(f.open(true));
    TForm1 &form = *f.form;
    QCOMPARE(f.dialogs.errors,
             QStringList{u("Cannot open file \"抽奖名单/bg.bmp\". No such file or directory.")});
    // The earlier winners of every tier stay out of the draw.
    QCOMPARE(rosterNames(form), (QStringList{u("赵一"), u("赵二")}));

    form.SpinEdit1->setValue(2.0);
    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer1Timer);
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    QCOMPARE(draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt")),
             (draw::TextList{gbk("[一号奖]"), gbk("张一，赵一，赵二"), gbk("[二号奖]"),
                             gbk("李一，李二"), gbk("[三号奖]"), gbk("王一，王二，王三")}));
}

void StartupTest::incompleteStateStopsTheDraw_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("asked");
    QTest::newRow("configuration short")
        << u("基础配置.ini") << u("List index out of bounds (5)") << false;
    QTest::newRow("tier count not a number")
        << u("奖项数") << u("'三个' is not a valid integer value") << false;
    QTest::newRow("record of one line")
        << u("获奖记录.txt") << u("List index out of bounds (1)") << true;
}

void StartupTest::incompleteStateStopsTheDraw()
{
    QFETCH(QString, broken);
    QFETCH(QString, reason);
    QFETCH(bool, asked);
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    f.write("获奖记录.txt", {"[一号奖]", "员工1", "[二号奖]", "员工2", "[三号奖]", "员工3"});
    if (broken == u("基础配置.ini"))
        f.write("基础配置.ini", {"[配置]", "bg.bmp", "标题", "新年快乐"});
    if (broken == u("奖项数"))
        f.writeDrawFolder(12, "三个");
    if (broken == u("获奖记录.txt"))
        f.write("获奖记录.txt", {"[一号奖]"});
    const std::string record = draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt"));
    TForm1 &form = f.create(false);
    form.show();
    const QColor maroon(128, 0, 0); // the captions of Start and Cancel
    if (asked) {
        f.dialogs.answerYes = true;
        QTRY_COMPARE(f.dialogs.questions.size(), 1);
    }
    QTRY_VERIFY(!form.Button1->isEnabled());
    QCOMPARE(f.dialogs.questions.size(), asked ? 1 : 0);
    QVERIFY2(form.StatusBar1->panelText().contains(reason),
             qPrintable(form.StatusBar1->panelText()));
    // Start and Cancel look disabled, not only act so.
    QVERIFY(!shows(form.Button1, maroon));
    QVERIFY(!shows(form.FlatButton1, maroon));

    // No key, click or Cancel starts a draw; nothing is written.
    form.handle(&TForm1::FlatButton1Click);
    form.handle(&TForm1::Timer2Timer);
    form.handle(&TForm1::Button1Click);
    form.FormKeyUp(Qt::Key_Space);
    QVERIFY(!form.rolling());
    QVERIFY(!form.Button1->isEnabled());
    QCOMPARE(draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt")), record);
}

void StartupTest::tierCountShowsAndNamesTiers_data()
{
    QTest::addColumn<QString>("tierCount");
    QTest::addColumn<QStringList>("tiers");
    QTest::newRow("0") << u("0") << QStringList{u("特等奖")};
    QTest::newRow("1") << u("1") << QStringList{u("一号奖")};
    QTest::newRow("3") << u("3") << QStringList{u("一号奖"), u("二号奖"), u("三号奖")};
    QTest::newRow("8") << u("8") << QStringList{u("一号奖"), u("二号奖"), u("三号奖"),
                                                u("四号奖"), u("五号奖"), u("六号奖")};
}

void StartupTest::tierCountShowsAndNamesTiers()
{
    QFETCH(QString, tierCount);
    QFETCH(QStringList, tiers);
    WindowFixture f;
    const QByteArray count = tierCount.toUtf8();
    f.writeDrawFolder(12, count.constData());
    TForm1 &form = f.create();
    QVERIFY2(f.dialogs.errors.isEmpty(), qPrintable(f.dialogs.errors.join(u(";"))));
    QCOMPARE(visibleTierNames(form), tiers);
    QCOMPARE(form.state().TierCount, tierCount.toInt());
    QCOMPARE(form.StaticText1->caption(), u("新年快乐"));
    QCOMPARE(form.Label13->caption(), u("抽奖名单 共[12]人"));
}

void StartupTest::resumeRestoresCountsAndPrunesRoster()
{
    WindowFixture f;
    f.writeDrawFolder(0, "2");
    f.write("抽奖名单.txt", {"张三", "李四", "王五", "赵六", "张三"});
    f.write("获奖记录.txt", {"[特等奖]", "张三", "[一等奖]", "李四，王五"});
    QVERIFY(f.open(true));
    TForm1 &form = *f.form;
    QCOMPARE(f.dialogs.questions.front(), u("提示|是否继续上次的获奖记录？"));
    QVERIFY2(f.dialogs.errors.isEmpty(), qPrintable(f.dialogs.errors.join(u(";"))));
    QCOMPARE(form.Label1->caption(), u("1"));
    QCOMPARE(form.Label4->caption(), u("2"));
    // A name twice in the roster and once among the winners keeps one copy.
    QCOMPARE(rosterNames(form), (QStringList{u("赵六"), u("张三")}));
    QCOMPARE(form.Label13->caption(), u("抽奖名单 共[2]人"));
}

void StartupTest::resumeReadsOnlyLinesPresent()
{
    {
        // Tier 2's winners line is empty: its count reads "0", not "00".
        WindowFixture f;
        f.writeDrawFolder(3, "3");
        f.write("获奖记录.txt", {"[一号奖]", "员工1", "[二号奖]", "", "[三号奖]", "员工2，员工3"});
        QVERIFY(f.open(true));
        TForm1 &form = *f.form;
        QCOMPARE(form.Label1->caption(), u("1"));
        QCOMPARE(form.Label4->caption(), u("0"));
        QCOMPARE(form.Label5->caption(), u("2"));
        QCOMPARE(form.state().roster.size(), std::size_t(0));
    }
    {
        // Three lines: tier 2 has a header but no winners line and is not read.
        WindowFixture f;
        f.writeDrawFolder(3, "2");
        f.write("获奖记录.txt", {"[一号奖]", "员工2", "[二号奖]"});
        QVERIFY(f.open(true));
        TForm1 &form = *f.form;
        QVERIFY2(f.dialogs.errors.isEmpty(), qPrintable(f.dialogs.errors.join(u(";"))));
        QCOMPARE(form.Label1->caption(), u("1"));
        QCOMPARE(form.Label4->caption(), u("00"));
        QCOMPARE(rosterNames(form), (QStringList{u("员工1"), u("员工3")}));
    }
    {
        // Fewer than two lines: nothing is restored.
        WindowFixture f;
        f.writeDrawFolder(3, "2");
        f.write("获奖记录.txt", {"[一号奖]"});
        QVERIFY(f.open(true));
        TForm1 &form = *f.form;
        QTRY_COMPARE(f.dialogs.errors, QStringList{u("List index out of bounds (1)")});
        QCOMPARE(form.Label1->caption(), u("00"));
        QCOMPARE(form.state().roster.size(), std::size_t(3));
    }
}

void StartupTest::resumeEmptyPiecesRemoveBlankEntries()
{
    WindowFixture f;
    f.writeDrawFolder(0, "2");
    f.write("抽奖名单.txt", {"甲", "", "乙", "", "丙", ""});
    f.write("获奖记录.txt", {"[特等奖]", "甲", "[一等奖]", ""});
    QVERIFY(f.open(true));
    TForm1 &form = *f.form;
    // "甲" and five empty pieces: 甲 and all three blank entries leave.
    QCOMPARE(rosterNames(form), (QStringList{u("乙"), u("丙")}));
}

void StartupTest::declineResetsRecordOnDisk()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    f.write("获奖记录.txt", {"[一号奖]", "员工1，员工2", "[二号奖]", "员工3", "[三号奖]", ""});
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    const draw::TextList record = draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt"));
    QCOMPARE(record,
             (draw::TextList{gbk("[一号奖]"), "", gbk("[二号奖]"), "", gbk("[三号奖]"), ""}));
    QCOMPARE(form.Label1->caption(), u("00"));
    QCOMPARE(form.state().roster.size(), std::size_t(12));
}

void StartupTest::dismissedQuestionIsAskedAgain_data()
{
    QTest::addColumn<QList<DialogAnswer>>("answers");
    QTest::addColumn<bool>("resumed");
    QTest::newRow("dismissed twice, then Yes")
        << QList<DialogAnswer>{DialogAnswer::Dismissed, DialogAnswer::Dismissed, DialogAnswer::Yes}
        << true;
    QTest::newRow("dismissed, then No")
        << QList<DialogAnswer>{DialogAnswer::Dismissed, DialogAnswer::No} << false;
}

void StartupTest::dismissedQuestionIsAskedAgain()
{
    QFETCH(QList<DialogAnswer>, answers);
    QFETCH(bool, resumed);
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    f.write("获奖记录.txt", {"[一号奖]", "员工1，员工2", "[二号奖]", "员工3", "[三号奖]", ""});
    const std::string record = draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt"));
    f.dialogs.yesNoAnswers.assign(answers.begin(), answers.end());
    // What the record and the draw state are each time the question is asked.
    QStringList seen;
    f.dialogs.onQuestion = [&] {
        const TForm1 &form = *f.form;
        const bool recordKept =
            draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt")) == record;
        seen << QStringLiteral("record %1, roster %2, counts %3 %4, winners '%5'")
                    .arg(recordKept ? u("kept") : u("changed"))
                    .arg(form.state().roster.size())
                    .arg(form.Label1->caption(), form.Label4->caption(),
                         u(draw::gbkToUtf8(form.state().TierWinners[0]).c_str()));
    };
    TForm1 &form = f.create();
    form.show();
    QTRY_COMPARE(f.dialogs.questions.size(), answers.size());
    QCOMPARE(seen,
             QStringList(answers.size(), u("record kept, roster 12, counts 00 00, winners ''")));
    if (resumed) {
        QCOMPARE(draw::readFileBytes(draw::utf8Path("抽奖名单/获奖记录.txt")), record);
        QCOMPARE(form.Label1->caption(), u("2"));
        QCOMPARE(form.Label4->caption(), u("1"));
        QCOMPARE(form.state().roster.size(), std::size_t(9));
    } else {
        QCOMPARE(draw::loadTextList(draw::utf8Path("抽奖名单/获奖记录.txt")),
                 (draw::TextList{gbk("[一号奖]"), "", gbk("[二号奖]"), "", gbk("[三号奖]"), ""}));
        QCOMPARE(form.state().roster.size(), std::size_t(12));
    }
}

void StartupTest::resumeWithoutRecordChangesNothing()
{
    WindowFixture f;
    f.writeDrawFolder(12, "3");
    QVERIFY(f.open(true));
    TForm1 &form = *f.form;
    QTRY_COMPARE(
        f.dialogs.errors,
        QStringList{u("Cannot open file \"抽奖名单/获奖记录.txt\". No such file or directory.")});
    QCOMPARE(form.state().roster.size(), std::size_t(12));
    QCOMPARE(form.Label1->caption(), u("00"));
}

void StartupTest::layoutAtDesignSize()
{
    WindowFixture f;
    f.writeDrawFolder();
    TForm1 &form = f.create();
    QCOMPARE(form.size(), QSize(932, 673));
    QCOMPARE(form.Panel4->height(), 568);
    QCOMPARE(form.ListBox1->height(), 568);
    QCOMPARE(form.StaticText1->size(), QSize(722, 445));
    QCOMPARE(form.GroupBox1->pos(), QPoint(68, 455));
    QCOMPARE(form.Image1->pos(), QPoint(56, 66));
    QCOMPARE(form.GroupBox3->pos(), QPoint(618, 0));
    QCOMPARE(form.GroupBox2->geometry(), QRect(738, 1, 193, 603));
    QCOMPARE(form.Panel8->geometry(), QRect(0, 0, 932, 46));
    QCOMPARE(form.Panel18->geometry(), QRect(0, 46, 932, 605));
}

void StartupTest::layoutFollowsWidth()
{
    WindowFixture f;
    f.writeDrawFolder();
    TForm1 &form = f.create();
    form.show(); // a hidden window gets its resize events only when shown
    form.resize(1016, 673);
    QCOMPARE(form.GroupBox3->x(), 702);
    QCOMPARE(form.GroupBox2->x(), 822);
    QCOMPARE(form.Image1->x(), 88);
    QCOMPARE(form.GroupBox1->x(), 100);
    QCOMPARE(form.StaticText1->width(), 806);
    // And back.
    form.resize(932, 673);
    QCOMPARE(form.Image1->pos(), QPoint(56, 66));
    QCOMPARE(form.GroupBox1->pos(), QPoint(68, 455));
    QCOMPARE(form.GroupBox3->x(), 618);
}

void StartupTest::tinyWindowGrowsBack()
{
    WindowFixture f;
    f.writeDrawFolder();
    TForm1 &form = f.create();
    form.show();
    form.resize(60, 40); // rules give negative sizes here
    QCOMPARE(form.StaticText1->size(), QSize(0, 0));
    QCOMPARE(form.Panel18->height(), 0);
    form.resize(932, 673);
    QCOMPARE(form.Panel4->height(), 568);
    QCOMPARE(form.StaticText1->size(), QSize(722, 445));
    QCOMPARE(form.GroupBox1->y(), 455);
    QCOMPARE(form.Image1->y(), 66);
    QCOMPARE(form.GroupBox3->x(), 618);
    QCOMPARE(form.GroupBox2->x(), 738);
    // Centred controls scale back from where the tiny window left them, so the
    // rounding at 60 pixels shows: 352 -> MulDiv(352, 60, 932) = 23 -> MulDiv(23, 932, 60) = 357.
    QCOMPARE(form.Image1->x(), 357 - 593 / 2);
    QCOMPARE(form.GroupBox1->x(), 357 - 585 / 2);
}

void StartupTest::narrowScreenRule()
{
    WindowFixture f;
    f.writeDrawFolder();
    f.screenWidth = 800;
    TForm1 &form = f.create();
    QCOMPARE(form.Image1->x(), 0);
    QCOMPARE(form.GroupBox3->x(), 490);
    form.show();
    form.resize(700, 500);
    QCOMPARE(form.Image1->x(), 0);
    QCOMPARE(form.GroupBox3->x(), 490);
}

void StartupTest::imageLeavesOutBottomLeftColour()
{
    WindowFixture f;
    f.writeDrawFolder();
    // White background with a red block; bottom-left pixel white.
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            picture.setPixelColor(x, y, QColor(200, 0, 0));
    picture.save(u("抽奖名单/bg.bmp"), "BMP");
    TForm1 &form = f.create();
    // Nothing else drawn over the checked pixels.
    form.StaticText1->setCaption(QString());
    const QImage shot = form.Panel18->grab().toImage();
    const QPoint origin = form.Image1->pos();
    QCOMPARE(shot.pixelColor(origin + QPoint(20, 20)), QColor(200, 0, 0));
    QCOMPARE(shot.pixelColor(origin + QPoint(50, 50)), QColor(239, 239, 239));

    // A black bottom-left pixel: black is left out, white is drawn.
    picture.fill(Qt::white);
    for (int y = 40; y < 80; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixelColor(x, y, Qt::black);
    form.Image1->setPicture(picture);
    const QImage shot2 = form.Panel18->grab().toImage();
    QCOMPARE(shot2.pixelColor(origin + QPoint(5, 75)), QColor(239, 239, 239));
    QCOMPARE(shot2.pixelColor(origin + QPoint(60, 10)), QColor(255, 255, 255));
}

void StartupTest::hintsOnlyOnTheirControls()
{
    WindowFixture f;
    f.writeDrawFolder();
    QVERIFY(f.open(false));
    TForm1 &form = *f.form;
    auto showsHint = [](QWidget *w, const QString &expected) {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w, &help);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), expected);
    };
    showsHint(form.Button1, u("点这里开始抽奖"));
    showsHint(form.FlatButton1, u("取消正在进行的抽奖"));
    showsHint(form.Label13, u("点这里可以屏蔽翻页键"));
    showsHint(form.Button3, QString());
    showsHint(form.StaticText1, QString());
    // A changed hint is used the next time it shows.
    form.handle(&TForm1::Label13Click);
    showsHint(form.Label13, u("禁止用翻页键抽奖！"));
}

void StartupTest::timersAtStart()
{
    WindowFixture f;
    f.writeDrawFolder();
    QVERIFY(f.open(false));
    const TForm1 &form = *f.form;
    // Rolling ticks every millisecond, on time; arming ends once, 2 seconds on.
    QCOMPARE(form.Timer1->interval(), 1);
    QCOMPARE(form.Timer1->timerType(), Qt::PreciseTimer);
    QCOMPARE(form.Timer1->isSingleShot(), false);
    QCOMPARE(form.Timer1->isActive(), false);
    QCOMPARE(form.Timer2->interval(), 2000);
    QCOMPARE(form.Timer2->isSingleShot(), true);
    QCOMPARE(form.Timer2->isActive(), false);
}

WINDOW_TEST_MAIN(StartupTest)
#include "startup_test.moc"

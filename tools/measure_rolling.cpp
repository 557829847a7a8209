// Measures a rolling draw headlessly: a 100,000-name roster, group size 999, the
// rolling timer at 1 ms. Prints ticks and paints per second, the process's CPU use
// while rolling, and how long a Space release takes to stop the draw.
//   measure_rolling [--seconds N] [--names N] [--group N]
#include "controls/flat_button.h"
#include "controls/number_edit.h"
#include "draw/gbk_codec.h"
#include "draw/text_file.h"
#include "headless_services.h"
#include "platform/fonts.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/scripted_dialogs.h"
#include "window/unit1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Rolling time."),
                      QStringLiteral("s"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("names"), QStringLiteral("Roster size."), QStringLiteral("n"),
                      QStringLiteral("100000")});
    parser.addOption({QStringLiteral("group"), QStringLiteral("Group size."), QStringLiteral("n"),
                      QStringLiteral("999")});
    parser.process(app);
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    const int names = parser.value(QStringLiteral("names")).toInt();

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkdir(QStringLiteral("抽奖名单"));
    draw::TextList roster;
    for (int i = 0; i < names; ++i)
        roster.push_back(draw::utf8ToGbk("员工").bytes + std::to_string(i));
    draw::saveTextList("抽奖名单/抽奖名单.txt", roster);
    draw::saveTextList("抽奖名单/基础配置.ini", {"", "bg.bmp", "", "title", "", "6"});
    draw::saveTextList("抽奖名单/奖项设置.ini", {"a", "b", "c", "d", "e", "f"});
    QImage(650, 500, QImage::Format_RGB32).save(QStringLiteral("抽奖名单/bg.bmp"), "BMP");

    ScriptedDialogs dialogs;
    dialogs.answerYes = false;
    SilentSound sound;
    NoEditor editor;
    FormServices services{&dialogs, &sound, &editor, [] { return 1920; }, {}};
    TForm1 form(services);
    form.show();
    QCoreApplication::processEvents();
    form.SpinEdit1->setValue(parser.value(QStringLiteral("group")).toDouble());

    PaintCounter displayPaints, listPaints;
    form.StaticText1->installEventFilter(&displayPaints);
    form.ListBox1->viewport()->installEventFilter(&listPaints);
    int ticks = 0;
    QObject::connect(form.Timer1, &QTimer::timeout, [&ticks] { ++ticks; });

    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer2Timer); // armed: Stop is allowed
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double rolled = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;

    // Stop by a Space release, as the keyboard delivers it, and time it.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QElapsedTimer latency;
    latency.start();
    QCoreApplication::postEvent(
        target,
        new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    while (form.rolling())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double stopMs = double(latency.nsecsElapsed()) / 1e6;

    std::printf("roster %d, group %s, rolled %.2f s\n", names,
                qPrintable(parser.value(QStringLiteral("group"))), rolled);
    std::printf("ticks per second        %.0f\n", ticks / rolled);
    std::printf("display paints/second   %.1f\n", displayPaints.paints / rolled);
    std::printf("roster list paints/s    %.1f\n", listPaints.paints / rolled);
    std::printf("CPU while rolling       %.0f %% of one core\n", 100.0 * cpu / rolled);
    std::printf("Space release to Stop   %.2f ms\n", stopMs);
    std::printf("errors shown            %d\n", int(dialogs.errors.size()));
    return 0;
}

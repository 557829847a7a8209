// Measures a rolling draw on the real window's classes, headless by default: a
// roster of N names, group size G, the rolling timer at 1 ms. Prints how long the
// start takes (with a winners record to resume), the process's CPU use while
// rolling, ticks and paints per second, and how long a Space release takes to stop
// the draw and commit it to disk. Every figure says what it includes.
//   measure_rolling [--seconds S] [--names N] [--group G] [--size WxH]
//                   [--winners W] [--screen-width PX] [--full-screen]
//   --size 1920x1080 measures a window of full-screen size at the design's scale;
//   --full-screen projects (F11) on a 1920 x 1080 screen, the design scaled to fill it.
//   --names 1000000 --winners 100000 measures the large start with its resume.
#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "draw/gbk_codec.h"
#include "draw/name_list.h"
#include "draw/text_file.h"
#include "headless_services.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "window/unit1.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

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

// When the Space release reaches the window (it may wait behind a tick or a paint).
class KeyArrival : public QObject {
public:
    QElapsedTimer *clock = nullptr;
    qint64 arrivedNs = -1;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease && arrivedNs < 0)
            arrivedNs = clock->nsecsElapsed();
        return false;
    }
};

struct CpuTime {
    double user = 0;
    double system = 0;
};

// The process's own CPU time, all threads, as the kernel accounts it.
CpuTime cpuTime()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

} // namespace

// --full-screen needs a 1920 x 1080 screen to fill: the offscreen platform takes
// its screens from a file named before the application starts.
void offerProjectorScreen(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (std::none_of(argv + 1, argv + argc,
                     [](const char *a) { return std::strcmp(a, "--full-screen") == 0; }))
        return;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "measure_rolling_screen.json";
    std::ofstream(file) << R"({"windowFrameMargins": false, "screens": [{"name": "Projector",)"
                           R"( "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96,)"
                           R"( "logicalBaseDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + file.string().c_str());
}

int main(int argc, char *argv[])
{
    offerProjectorScreen(argc, argv);
    ToolApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Rolling time."),
                      QStringLiteral("s"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("names"), QStringLiteral("Roster size."), QStringLiteral("n"),
                      QStringLiteral("100000")});
    parser.addOption({QStringLiteral("group"), QStringLiteral("Group size."), QStringLiteral("n"),
                      QStringLiteral("999")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Window client size WxH."),
                      QStringLiteral("size"), QStringLiteral("932x673")});
    parser.addOption({QStringLiteral("winners"),
                      QStringLiteral("Names in the winners record resumed at start."),
                      QStringLiteral("n"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("full-screen"),
                      QStringLiteral("Project full screen (F11) on a 1920 x 1080 screen.")});
    parser.addOption({QStringLiteral("screen-width"), QStringLiteral("Primary screen width."),
                      QStringLiteral("pixels"), QStringLiteral("1920")});
    parser.process(app);
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    const int names = parser.value(QStringLiteral("names")).toInt();
    const int winners = std::min(parser.value(QStringLiteral("winners")).toInt(), names);
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (size.size() != 2) {
        std::fprintf(stderr, "measure_rolling: --size takes WxH\n");
        return 2;
    }

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkdir(QStringLiteral("抽奖名单"));
    draw::TextList roster;
    roster.reserve(std::size_t(names));
    const std::string staff = draw::utf8ToGbk("员工").bytes;
    for (int i = 0; i < names; ++i)
        roster.push_back(staff + std::to_string(i));
    draw::saveTextList("抽奖名单/抽奖名单.txt", roster);
    draw::saveTextList("抽奖名单/基础配置.ini", {"", "bg.bmp", "", "title", "", "6"});
    draw::saveTextList("抽奖名单/奖项设置.ini", {"a", "b", "c", "d", "e", "f"});
    QImage(650, 500, QImage::Format_RGB32).save(QStringLiteral("抽奖名单/bg.bmp"), "BMP");
    if (winners > 0) {
        // Tier 1's earlier winners, spread over the roster.
        std::string text;
        for (int i = 0; i < winners; ++i) {
            if (i > 0)
                text += draw::kNameSeparator;
            text += roster[std::size_t(i) * std::size_t(names / winners)];
        }
        draw::saveTextList("抽奖名单/获奖记录.txt",
                           {"[a]", text, "[b]", "", "[c]", "", "[d]", "", "[e]", "", "[f]", ""});
    }
    roster = {};

    HeadlessDesktop desktop;
    desktop.dialogs.answerYes = winners > 0;

    // Start: the window built (the files read), shown and painted once, and the
    // resume question answered with the record restored.
    const CpuTime startCpu0 = cpuTime();
    QElapsedTimer start;
    start.start();
    TForm1 form(desktop.services(parser.value(QStringLiteral("screen-width")).toInt()));
    form.resize(size[0].toInt(), size[1].toInt());
    PaintCounter firstPaint;
    form.StaticText1->installEventFilter(&firstPaint);
    form.show();
    while (desktop.dialogs.questions.isEmpty() || firstPaint.paints == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double startMs = ms(start.nsecsElapsed());
    const CpuTime startCpu1 = cpuTime();
    form.StaticText1->removeEventFilter(&firstPaint);
    QCoreApplication::processEvents();
    if (parser.isSet(QStringLiteral("full-screen"))) {
        form.toggleFullScreen();
        QElapsedTimer waited;
        waited.start();
        while (!form.isFullScreen() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
    }
    form.SpinEdit1->setValue(parser.value(QStringLiteral("group")).toDouble());

    PaintCounter displayPaints, listPaints;
    form.StaticText1->installEventFilter(&displayPaints);
    form.ListBox1->viewport()->installEventFilter(&listPaints);
    int ticks = 0;
    QObject::connect(form.Timer1, &QTimer::timeout, [&ticks] { ++ticks; });

    form.handle(&TForm1::Button1Click);
    form.handle(&TForm1::Timer2Timer); // armed: Stop is allowed
    const CpuTime cpu0 = cpuTime();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double rolled = double(wall.nsecsElapsed()) / 1e9;
    const CpuTime cpu1 = cpuTime();

    // Stop by a Space release, as the keyboard delivers it.
    const QString record =
        QDir::current().absoluteFilePath(QStringLiteral("抽奖名单/获奖记录.txt"));
    const qint64 recordBefore = QFileInfo(record).size();
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QElapsedTimer latency;
    KeyArrival arrival;
    arrival.clock = &latency;
    app.installEventFilter(&arrival);
    const CpuTime stopCpu0 = cpuTime();
    latency.start();
    QCoreApplication::postEvent(
        target,
        new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    while (form.rolling())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const qint64 committedNs = latency.nsecsElapsed();
    const CpuTime stopCpu1 = cpuTime();
    app.removeEventFilter(&arrival);
    // The repaints the commit asked for (display, roster list, counts) are posted.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const qint64 paintedNs = latency.nsecsElapsed();
    const qint64 recordAfter = QFileInfo(record).size();
    // The same record written durably once more, alone: what the disk's flush costs.
    QElapsedTimer rewrite;
    rewrite.start();
    draw::saveTextList("抽奖名单/获奖记录.txt", draw::loadTextList("抽奖名单/获奖记录.txt"));
    const qint64 rewriteNs = rewrite.nsecsElapsed();

    const double cpu = (cpu1.user - cpu0.user) + (cpu1.system - cpu0.system);
    std::printf("window %dx%d%s, roster %d, group %s, rolled %.2f s\n", form.width(), form.height(),
                form.isFullScreen() ? " (full screen, design scaled)" : "", names,
                qPrintable(parser.value(QStringLiteral("group"))), rolled);
    std::printf("start, %d winners resumed      %7.1f ms  (window built from the files, shown,"
                " painted, question answered, record restored; CPU %.1f ms)\n",
                winners, startMs,
                1000.0 *
                    ((startCpu1.user - startCpu0.user) + (startCpu1.system - startCpu0.system)));
    std::printf("ticks per second             %7.0f\n", ticks / rolled);
    std::printf("display paints per second    %7.1f\n", displayPaints.paints / rolled);
    std::printf("roster list paints per second%7.1f  (paint events; a few rows each while"
                " rolling)\n",
                listPaints.paints / rolled);
    std::printf("CPU while rolling            %7.1f %% of one core  (process CPU time, all"
                " threads, user %.1f + system %.1f %%, over wall time)\n",
                100.0 * cpu / rolled, 100.0 * (cpu1.user - cpu0.user) / rolled,
                100.0 * (cpu1.system - cpu0.system) / rolled);
    std::printf("Space release to committed   %7.2f ms  (key posted, waiting %.2f ms behind"
                " queued ticks and paints, then Stop: commit, roster delete, record written"
                " and flushed to disk)\n",
                ms(committedNs), arrival.arrivedNs < 0 ? 0.0 : ms(arrival.arrivedNs));
    std::printf("  of which the Stop handler  %7.2f ms\n",
                arrival.arrivedNs < 0 ? 0.0 : ms(committedNs - arrival.arrivedNs));
    std::printf("  CPU time of those          %7.2f ms  (the rest is waiting, mostly for the"
                " disk to flush the record)\n",
                1000.0 * ((stopCpu1.user - stopCpu0.user) + (stopCpu1.system - stopCpu0.system)));
    std::printf("  the record's durable write %7.2f ms  (the same record read and written"
                " again alone, as Stop writes it)\n",
                ms(rewriteNs));
    std::printf("Space release to painted     %7.2f ms  (and the repaints the commit asked"
                " for are done)\n",
                ms(paintedNs));
    std::printf("record on disk               %7lld -> %lld bytes\n", (long long)recordBefore,
                (long long)recordAfter);
    std::printf("errors shown                 %7d\n", int(desktop.dialogs.errors.size()));
    return desktop.dialogs.errors.isEmpty() && recordAfter > recordBefore ? 0 : 1;
}

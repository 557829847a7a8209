// Builds the main window headlessly on a working folder and saves it as a PNG.
//   screenshot --workdir DIR [--resume yes|no] [--out FILE] [--size WxH] [--screen-width N]
//              [--rolling]   (picture taken while a draw rolls)
#include "headless_services.h"
#include "window/unit1.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    ToolApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("workdir"),
                      QStringLiteral("Working folder holding the draw folder."),
                      QStringLiteral("dir"), QStringLiteral(".")});
    parser.addOption({QStringLiteral("resume"),
                      QStringLiteral("Answer to the resume question: yes or no."),
                      QStringLiteral("answer"), QStringLiteral("yes")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("PNG file to write."),
                      QStringLiteral("file"), QStringLiteral("window.png")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Client size WxH."),
                      QStringLiteral("size"), QStringLiteral("932x673")});
    parser.addOption({QStringLiteral("screen-width"), QStringLiteral("Primary screen width."),
                      QStringLiteral("pixels"), QStringLiteral("1920")});
    parser.addOption({QStringLiteral("rolling"),
                      QStringLiteral("Start a draw and take the picture while it rolls.")});
    parser.process(app);

    const QString out = QDir::current().absoluteFilePath(parser.value(QStringLiteral("out")));
    if (!QDir::setCurrent(parser.value(QStringLiteral("workdir")))) {
        std::fprintf(stderr, "screenshot: no such folder\n");
        return 2;
    }
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    const int screenWidth = parser.value(QStringLiteral("screen-width")).toInt();

    HeadlessDesktop desktop;
    ScriptedDialogs &dialogs = desktop.dialogs;
    dialogs.answerYes =
        parser.value(QStringLiteral("resume")).compare(QStringLiteral("no"), Qt::CaseInsensitive) !=
        0;
    TForm1 form(desktop.services(screenWidth));
    if (size.size() == 2)
        form.resize(size[0].toInt(), size[1].toInt());
    form.show();
    // Let the first showing (and its resume question) run before the picture is taken.
    QTimer::singleShot(50, &app, &QApplication::quit);
    app.exec();
    if (parser.isSet(QStringLiteral("rolling"))) {
        form.handle(&TForm1::Button1Click);
        form.handle(&TForm1::Timer1Timer);
        form.Timer1->stop();
        QCoreApplication::processEvents();
    }

    for (const QString &e : dialogs.errors)
        std::fprintf(stderr, "error box: %s\n", e.toUtf8().constData());
    if (!form.grab().save(out, "PNG")) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", out.toUtf8().constData());
        return 1;
    }
    std::printf("%s\n", out.toUtf8().constData());
    return 0;
}

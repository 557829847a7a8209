// Regenerates the program's pictures. Run by hand after changing the art:
//
//   generate_pictures <resources folder> [preview folder]
//
// writes background.bmp, button3_glyph.bmp, app.ico, app_icon.png and the
// demo draw folder's 背景.bmp; with a preview folder it also writes PNG
// copies (the icon's palette images included) for looking at.

#include "icon.h"
#include "picture_files.h"
#include "scene.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

int failures = 0;

void save(const QString &path, const QByteArray &bytes)
{
    if (!pictures::writeFile(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: generate_pictures <resources folder> [preview folder]\n");
        return 2;
    }
    const QDir out(args.at(1));
    const QString preview = args.size() > 2 ? args.at(2) : QString();

    const QImage background = scene::drawBackground(scene::Variant::Plain);
    save(out.filePath(QStringLiteral("background.bmp")), pictures::encodeBmp24(background));

    const QImage demoBackground = scene::drawBackground(scene::Variant::Lanterns);
    out.mkpath(QStringLiteral("demo/抽奖名单"));
    save(out.filePath(QStringLiteral("demo/抽奖名单/背景.bmp")),
         pictures::encodeBmp24(demoBackground));

    const QImage glyph = icon::drawButtonGlyph();
    save(out.filePath(QStringLiteral("button3_glyph.bmp")), pictures::encodeBmp24(glyph));

    // 16 and 256 colours at the four classic sizes, then true colour with
    // alpha at those sizes and 128.
    QVector<pictures::IconImage> images;
    for (int bits : {4, 8}) {
        for (int size : {16, 24, 32, 48}) {
            images.append({icon::drawChild(size), bits});
        }
    }
    for (int size : {16, 24, 32, 48, 128}) {
        images.append({icon::drawChild(size), 32});
    }
    save(out.filePath(QStringLiteral("app.ico")), pictures::encodeIco(images));
    if (!images.last().image.save(out.filePath(QStringLiteral("app_icon.png")), "PNG")) {
        ++failures;
    }

    if (!preview.isEmpty()) {
        const QDir dir(preview);
        dir.mkpath(QStringLiteral("."));
        background.save(dir.filePath(QStringLiteral("background.png")));
        demoBackground.save(dir.filePath(QStringLiteral("demo_background.png")));
        glyph.scaled(128, 128).save(dir.filePath(QStringLiteral("glyph_x8.png")));
        // The icon images side by side, each blown up 4× (128 px at 1×),
        // on a grey board so the transparency shows.
        QImage board(4 * (16 + 24 + 32 + 48) + 5 * 8 + 128 + 8, 3 * (4 * 48 + 8) + 8,
                     QImage::Format_ARGB32);
        board.fill(QColor(200, 200, 210));
        QPainter p(&board);
        int row = 0;
        for (int bits : {4, 8, 32}) {
            int x = 8;
            for (int size : {16, 24, 32, 48}) {
                QImage image = icon::drawChild(size);
                if (bits < 32) {
                    image = pictures::quantized(image, 1 << bits);
                }
                p.drawImage(QRect(x, 8 + row * (4 * 48 + 8), 4 * size, 4 * size), image);
                x += 4 * size + 8;
            }
            if (bits == 32) {
                p.drawImage(QPoint(x, 8 + row * (4 * 48 + 8)), icon::drawChild(128));
            }
            ++row;
        }
        p.end();
        board.save(dir.filePath(QStringLiteral("icon_board.png")));
    }
    return failures == 0 ? 0 : 1;
}

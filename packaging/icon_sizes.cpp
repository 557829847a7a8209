// Writes the application icon's images as the hicolor theme wants them: one PNG
// per size the icon holds, <out>/<N>x<N>/apps/luckydraw.png, taking at each size
// the image with the most bits per pixel (the 32-bit one with alpha).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QtEndian>

#include <cstdio>

namespace {

// Bits per pixel of each image, from the icon's directory (6-byte header, then a
// 16-byte entry per image with the bit count at offset 6). Qt's reader gives the
// images in the same order but not their depth in the file.
QList<int> bitCounts(const QByteArray &ico)
{
    QList<int> counts;
    if (ico.size() < 6)
        return counts;
    const int images = qFromLittleEndian<quint16>(ico.constData() + 4);
    for (int i = 0; i < images && 6 + 16 * (i + 1) <= ico.size(); ++i)
        counts << qFromLittleEndian<quint16>(ico.constData() + 6 + 16 * i + 6);
    return counts;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: icon_sizes app.ico output-folder\n");
        return 2;
    }
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "icon_sizes: cannot open %s\n", qPrintable(args[1]));
        return 1;
    }
    const QByteArray ico = file.readAll();
    const QList<int> bits = bitCounts(ico);

    QImageReader reader(args[1], "ico");
    QMap<int, QPair<int, QImage>> best; // size -> (bits, image)
    for (int i = 0; i < reader.imageCount() && i < bits.size(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull() || image.width() != image.height())
            continue;
        const int size = image.width();
        if (!best.contains(size) || bits[i] > best[size].first)
            best[size] = {bits[i], image};
    }
    if (best.isEmpty()) {
        std::fprintf(stderr, "icon_sizes: no images in %s\n", qPrintable(args[1]));
        return 1;
    }
    for (auto it = best.cbegin(); it != best.cend(); ++it) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(it.key());
        if (!QDir().mkpath(folder) ||
            !it.value().second.save(folder + QStringLiteral("/luckydraw.png"), "PNG")) {
            std::fprintf(stderr, "icon_sizes: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}

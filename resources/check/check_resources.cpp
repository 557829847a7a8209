// Looks at the compiled-in pictures the way the program will: reachable under
// their resource paths, decodable by Qt, with the sizes and the see-through
// white corner they must have. Built on request only:
//   cmake --build <build> --target check_resources && <build>/resources/check/check_resources

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>

#include <cstdio>

namespace {

int failures = 0;

void expect(bool ok, const char *what)
{
    std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) {
        ++failures;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    for (const QString &path :
         {QStringLiteral(":/pictures/background.bmp"),
          QStringLiteral(":/pictures/button3_glyph.bmp"), QStringLiteral(":/icons/app.ico"),
          QStringLiteral(":/icons/app_icon.png")}) {
        QFile file(path);
        std::printf("%-32s %s, %lld bytes\n", qPrintable(path),
                    file.exists() ? "present" : "MISSING", static_cast<long long>(file.size()));
        expect(file.exists(), "resource present");
    }

    const QImage background(QStringLiteral(":/pictures/background.bmp"));
    expect(background.size() == QSize(650, 500), "background is 650 x 500");
    expect(!background.isNull() && background.pixel(0, 499) == qRgb(255, 255, 255),
           "background bottom-left pixel is white");

    const QImage glyph(QStringLiteral(":/pictures/button3_glyph.bmp"));
    expect(glyph.size() == QSize(16, 16), "glyph is 16 x 16");
    expect(!glyph.isNull() && glyph.pixel(0, 15) == qRgb(255, 255, 255),
           "glyph bottom-left pixel is white");
    bool black = false;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            black = black || (glyph.pixel(x, y) & 0xFFFFFF) == 0;
        }
    }
    expect(!black, "glyph has no pure black pixel");

    QImageReader reader(QStringLiteral(":/icons/app.ico"));
    const int count = reader.imageCount();
    std::printf("app.ico holds %d images:", count);
    for (int i = 0; i < count; ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        std::printf(" %dx%d", image.width(), image.height());
    }
    std::printf("\n");
    expect(count == 13, "icon holds 13 images");

    const QIcon icon(QStringLiteral(":/icons/app.ico"));
    expect(!icon.isNull(), "icon loads as a QIcon");

    const QImage png(QStringLiteral(":/icons/app_icon.png"));
    expect(png.size() == QSize(128, 128) && png.hasAlphaChannel(),
           "app_icon.png is 128 x 128 with alpha");

    std::printf("%s\n", failures == 0 ? "all resource checks passed" : "resource checks FAILED");
    return failures == 0 ? 0 : 1;
}

#include "platform/fonts.h"

#include <QStringList>

namespace {

struct Substitution {
    const char *name;
    const char *families[3]; // best first; what is missing is skipped by Qt
};

// Song/serif, hei/sans, kai, and a brush face standing in for clerical script.
constexpr Substitution kSubstitutions[] = {
    {"新宋体", {"Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Zen Hei"}},
    {"宋体", {"Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Zen Hei"}},
    {"黑体", {"Noto Sans CJK SC", "WenQuanYi Zen Hei", "AR PL UMing CN"}},
    {"楷体_GB2312", {"AR PL UKai CN", "LXGW WenKai", "Noto Serif CJK SC"}},
    {"隶书", {"LXGW WenKai", "AR PL UKai CN", "Noto Serif CJK SC"}},
    {"MS Sans Serif", {"DejaVu Sans", "Noto Sans CJK SC", "WenQuanYi Zen Hei"}},
};

} // namespace

void installFontSubstitutions()
{
    for (const auto &s : kSubstitutions) {
        QStringList families;
        for (const char *f : s.families)
            families << QString::fromUtf8(f);
        // CJK text in a Latin face falls back to the hei face.
        families << QStringLiteral("Noto Sans CJK SC");
        QFont::insertSubstitutions(QString::fromUtf8(s.name), families);
    }
}

QFont layoutFont(const QString &name, int height, bool bold)
{
    QFont font(name);
    font.setPixelSize(height < 0 ? -height : height);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

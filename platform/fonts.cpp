#include "platform/fonts.h"

#include <QStringList>

namespace {

struct Substitution {
    const char *name;
    const char *families[6]; // best first; what is missing is skipped by Qt
};

// Used only where the layout's family is missing: Qt tries the named family
// first, so on Windows, where the layout's names are real families, they are
// used as they stand. Windows' own names come first (Windows 10 calls KaiTi
// "楷体", not "楷体_GB2312"), then song/serif, hei/sans, kai, and a brush face
// standing in for clerical script on Linux (and under Wine, which shows Linux's
// fonts).
constexpr Substitution kSubstitutions[] = {
    {"新宋体",
     {"NSimSun", "宋体", "SimSun", "Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Zen Hei"}},
    {"宋体", {"SimSun", "新宋体", "Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Zen Hei"}},
    {"黑体", {"SimHei", "Noto Sans CJK SC", "WenQuanYi Zen Hei", "AR PL UMing CN"}},
    {"楷体_GB2312", {"楷体", "KaiTi", "AR PL UKai CN", "LXGW WenKai", "Noto Serif CJK SC"}},
    {"隶书", {"LiSu", "LXGW WenKai", "AR PL UKai CN", "Noto Serif CJK SC"}},
    {"MS Sans Serif",
     {"Microsoft Sans Serif", "DejaVu Sans", "Noto Sans CJK SC", "WenQuanYi Zen Hei"}},
};

} // namespace

void installFontSubstitutions()
{
    for (const auto &s : kSubstitutions) {
        QStringList families;
        for (const char *f : s.families)
            if (f)
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

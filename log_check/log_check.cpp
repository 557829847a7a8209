// luckydraw-log-check: checks the hash chain of a draw log and says where it breaks.
#include "draw/draw_error.h"
#include "draw/draw_log.h"
#include "draw/file_bytes.h"
#include "draw/utf8_path.h"
#include "platform/sha256.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <string>

namespace {

constexpr const char *kUsage = "Usage: luckydraw-log-check LOG\n"
                               "Checks the hash chain of a draw log (抽奖名单/抽奖日志.txt).\n"
                               "Exit status: 0 the chain is whole, 1 a line does not match,\n"
                               "2 the log cannot be read or the arguments are wrong.\n";

} // namespace

int main(int argc, char *argv[])
{
    // Qt hands over the arguments as Unicode on every system; Windows' narrow
    // argv would garble a Chinese folder name.
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2 &&
        (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string bytes;
    try {
        bytes = draw::readFileBytes(draw::utf8Path(arguments[1].toStdString()));
    } catch (const draw::DrawError &e) {
        std::fprintf(stderr, "luckydraw-log-check: %s\n", e.what());
        return 2;
    }
    const draw::LogCheck check = draw::checkLog(bytes, sha256Hex);
    if (!check.ok) {
        std::printf("Line %zu does not match: %s (%zu entries before it are whole)\n",
                    check.badLine, check.problem.c_str(), check.entries);
        return 1;
    }
    std::printf("OK, %zu entries, last hash %s\n", check.entries, check.lastHash.c_str());
    return 0;
}

// Startup and resume: filling the window from the draw folder.
#include "window/unit1.h"

#include "controls/flat_button.h"
#include "controls/look_group_box.h"
#include "draw/draw_error.h"
#include "draw/draw_folder.h"
#include "draw/file_bytes.h"
#include "draw/gbk_codec.h"
#include "draw/utf8_path.h"
#include "platform/application_error.h"
#include "platform/bitmap_file.h"
#include "platform/dialogs.h"
#include "platform/image.h"
#include "platform/status_bar.h"

#include <QByteArray>

#include <exception>
#include <filesystem>
#include <functional>
#include <system_error>
#include <utility>

using namespace draw;

namespace {

// Shows the tiers as the handler leaves them, also when it ends at a failing step.
class ShowTiersOnExit {
public:
    explicit ShowTiersOnExit(std::function<void()> show) : m_show(std::move(show)) {}
    ~ShowTiersOnExit() { m_show(); }
    ShowTiersOnExit(const ShowTiersOnExit &) = delete;
    ShowTiersOnExit &operator=(const ShowTiersOnExit &) = delete;

private:
    std::function<void()> m_show;
};

} // namespace

void TForm1::FormCreate()
{
    openDrawLog();
    try {
        fillFromDrawFolder();
    } catch (...) {
        // The run's start is logged however far the loading gets.
        logRunStart();
        throw;
    }
    logRunStart();
}

void TForm1::fillFromDrawFolder()
{
    const ShowTiersOnExit showTiersAtEnd([this] { showTiers(); });
    // Without the roster or the tier count the next record written would drop the
    // winners of the tiers it does not know: no draw until the files are mended.
    try {
        loadRosterAndConfiguration();
    } catch (const std::exception &e) {
        stopStart(e.what());
        throw;
    }
    // A prize name that cannot be read only leaves a tier its design name.
    try {
        nameTiers();
    } catch (const UnconvertibleTextError &e) {
        stopStart(e.what());
        throw;
    }
}

void TForm1::stopStart(const char *reason)
{
    // No question, no draw, nothing written until the files are mended; Start and
    // Cancel show it by their disabled face, the status bar says why.
    m_startStopped = true;
    disableKeepingKeys(Button1);
    disableKeepingKeys(FlatButton1);
    StatusBar1->setPanelText(QStringLiteral("不能抽奖，请修改文件后重新启动程序：") +
                             QString::fromUtf8(reason));
}

void TForm1::loadRosterAndConfiguration()
{
    ReadMan(m_state.roster, utf8Path(files::kRoster));
    refreshRosterCountText();
    const TextList config = loadTextList(utf8Path(files::kBasicConfiguration));
    const std::string &background = lineAt(config, files::kBackgroundLine);
    // The picture is decoration: the error box says it failed, the draw goes on.
    try {
        loadBackground(background);
    } catch (const std::exception &e) {
        reportApplicationError(QString::fromUtf8(e.what()));
    }
    m_display = lineAt(config, files::kHeadlineLine);
    showDisplayText();
    // The digits of a whole number read the same in GBK and UTF-8; converting keeps
    // the error message readable for anything else.
    m_state.TierCount = StrToInt(gbkToUtf8(lineAt(config, files::kTierCountLine)));
    for (int k = 2; k <= kTierSlots; ++k)
        if (m_state.TierCount > k - 1)
            m_state.tier(k).shown = true;
}

void TForm1::nameTiers()
{
    const TextList prizes = loadTextList(utf8Path(files::kPrizeNames));
    for (int k = 1; k <= kTierSlots; ++k)
        if (m_state.TierCount > k - 1)
            m_state.tier(k).name = lineAt(prizes, std::size_t(k - 1));
}

void TForm1::loadBackground(const std::string &fileName)
{
    // The configuration holds GBK; file names are Unicode.
    const std::string path = std::string(files::kDrawFolder) + "/" + gbkToUtf8(fileName);
    const std::string bytes = readFileBytes(utf8Path(path));
    Image1->setPicture(decodeWindowsBitmap(QByteArray(bytes.data(), qsizetype(bytes.size()))));
}

void TForm1::FormShow()
{
    if (m_startStopped)
        return;
    const ShowTiersOnExit showTiersAtEnd([this] { showTiers(); });
    // Only an explicit answer decides: going on without one would overwrite the old
    // winners at the next Stop just as a No would.
    DialogAnswer answer;
    do
        answer = m_services.dialogs->askYesNo(QStringLiteral("提示"),
                                              QStringLiteral("是否继续上次的获奖记录？"));
    while (answer == DialogAnswer::Dismissed);
    if (answer == DialogAnswer::No) {
        saveWinners();
        return;
    }
    try {
        restoreWinners(m_state, loadTextList(utf8Path(files::kWinnersRecord)));
    } catch (const std::exception &e) {
        // A record that is there but cannot be read holds winners the next write
        // would drop; with no record at all there is nothing to lose.
        std::error_code ignored;
        if (std::filesystem::symlink_status(utf8Path(files::kWinnersRecord), ignored).type() !=
            std::filesystem::file_type::not_found)
            stopStart(e.what());
        throw;
    }
    refreshRosterCountText();
}

void TForm1::saveWinners()
{
    SaveHuman(m_state, utf8Path(files::kWinnersRecord));
}

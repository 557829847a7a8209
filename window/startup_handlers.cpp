// Startup and resume: filling the window from the draw folder.
#include "window/unit1.h"

#include "controls/look_group_box.h"
#include "draw/draw_error.h"
#include "draw/draw_folder.h"
#include "draw/file_bytes.h"
#include "draw/gbk_codec.h"
#include "draw/utf8_path.h"
#include "platform/bitmap_file.h"
#include "platform/dialogs.h"
#include "platform/image.h"

#include <QByteArray>

#include <functional>
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
    try {
        fillFromDrawFolder();
    } catch (const UnconvertibleTextError &) {
        stopStart();
        throw;
    }
}

void TForm1::stopStart()
{
    // A name GBK cannot hold would be lost from every record written from here on:
    // no question, no draw, nothing written until the file is mended.
    // Start and Cancel both live in GroupBox1; Cancel re-enables Start, not its box.
    m_startStopped = true;
    GroupBox1->setEnabled(false);
}

void TForm1::fillFromDrawFolder()
{
    const ShowTiersOnExit showTiersAtEnd([this] { showTiers(); });
    ReadMan(m_state.roster, utf8Path(files::kRoster));
    refreshRosterCountText();
    const TextList config = loadTextList(utf8Path(files::kBasicConfiguration));
    loadBackground(lineAt(config, files::kBackgroundLine));
    m_display = lineAt(config, files::kHeadlineLine);
    showDisplayText();
    // The digits of a whole number read the same in GBK and UTF-8; converting keeps
    // the error message readable for anything else.
    m_state.TierCount = StrToInt(gbkToUtf8(lineAt(config, files::kTierCountLine)));
    for (int k = 2; k <= kTierSlots; ++k)
        if (m_state.TierCount > k - 1)
            m_state.tier(k).shown = true;
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
    TextList record;
    try {
        record = loadTextList(utf8Path(files::kWinnersRecord));
    } catch (const UnconvertibleTextError &) {
        stopStart();
        throw;
    }
    restoreWinners(m_state, record);
    refreshRosterCountText();
}

void TForm1::saveWinners()
{
    SaveHuman(m_state, utf8Path(files::kWinnersRecord));
}

// Corrections after a draw: undo the last draw, void winners who are not there.
#include "window/unit1.h"

#include "controls/edit_number.h"
#include "controls/look_radio_button.h"
#include "draw/draw_log.h"
#include "draw/name_list.h"
#include "platform/dialogs.h"
#include "platform/gbk_text.h"

#include <QAction>

#include <algorithm>

namespace {

// A question box stays readable with a few hundred winners.
constexpr std::size_t kNamesInQuestion = 20;

} // namespace

int TForm1::checkedTier() const
{
    for (int k = 1; k <= draw::kTierSlots; ++k)
        if (tierButton(k)->isChecked())
            return k;
    return 1;
}

void TForm1::PopupMenu1Popup()
{
    N9->setEnabled(!rolling() && m_history.canUndo());
    // With the draw state read only in part, a written record would drop winners.
    N10->setEnabled(!rolling() && !m_startStopped);
}

void TForm1::N9Click()
{
    if (rolling() || !m_history.canUndo())
        return;
    const draw::CommittedDraw &newest = m_history.newest();
    QStringList names;
    for (const draw::DrawnWinner &winner : newest.winners) {
        if (std::size_t(names.size()) == kNamesInQuestion) {
            names << QStringLiteral("…");
            break;
        }
        names << fromGbk(winner.name);
    }
    const QString question = QStringLiteral("撤销【%1】的 %2 名中奖者：%3？")
                                 .arg(fromGbk(m_state.tier(newest.tier).name))
                                 .arg(newest.winners.size())
                                 .arg(names.join(QStringLiteral("，")));
    if (m_services.dialogs->askYesNo(QStringLiteral("提示"), question) != DialogAnswer::Yes)
        return;
    const draw::CommittedDraw undone = m_history.undo(m_state);
    // The screen no longer shows winners who are back in the draw.
    m_pick.dropDisplay();
    m_display.clear();
    showDisplayText();
    showTiers();
    refreshRosterCountText();
    std::string returned;
    for (const draw::DrawnWinner &winner : undone.winners)
        returned = draw::Join(returned, winner.name);
    logEvent([&](std::string_view time) {
        return draw::log_text::undo(time, m_state.tier(undone.tier).name, returned);
    });
    saveWinners();
}

void TForm1::N10Click()
{
    if (rolling() || m_startStopped)
        return;
    const int k = checkedTier();
    const QString tierName = fromGbk(m_state.tier(k).name);
    QStringList items;
    for (const std::string &name : draw::winnerNames(m_state.winners(k)))
        items << fromGbk(name);
    if (items.isEmpty()) {
        m_services.dialogs->showInformation(QStringLiteral("【%1】还没有中奖者").arg(tierName));
        return;
    }
    const std::optional<QList<int>> rows = m_services.dialogs->chooseItems(
        QStringLiteral("作废中奖者"), QStringLiteral("【%1】中不在场的中奖者：").arg(tierName),
        items);
    if (!rows || rows->isEmpty())
        return;
    const std::vector<std::string> voided =
        m_history.voidWinners(m_state, k, std::vector<std::size_t>(rows->begin(), rows->end()));
    showTiers();
    std::string names;
    for (const std::string &name : voided)
        names = draw::Join(names, name);
    logEvent([&](std::string_view time) {
        return draw::log_text::voided(time, m_state.tier(k).name, names);
    });
    // The next Start draws exactly the replacements.
    SpinEdit1->setValue(double(std::min<std::size_t>(voided.size(), 999)));
    saveWinners();
}

#include "draw/draw_history.h"

#include "draw/draw_error.h"
#include "draw/name_list.h"
#include "draw/rolling_pick.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace draw {

namespace {

// The pieces joined by the name separator; no pieces give the empty text.
std::string joinPieces(const std::vector<std::string> &pieces, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += kNameSeparator;
        text += pieces[i];
    }
    return text;
}

void lowerCount(Tier &tier, std::size_t by, const std::string *textAtTarget = nullptr)
{
    const std::int64_t count = std::int64_t{StrToInt(tier.countText)} - std::int64_t(by);
    // Back to where a draw started: its own caption ("00" before the first draw).
    if (textAtTarget && std::int64_t{StrToInt(*textAtTarget)} == count)
        tier.countText = *textAtTarget;
    else
        tier.countText = std::to_string(count);
}

} // namespace

std::vector<std::string> winnerNames(std::string_view winnersText)
{
    if (winnersText.empty())
        return {};
    return SplitString(winnersText, kNameSeparator);
}

int DrawHistory::commit(DrawState &state, int k, std::string_view display)
{
    CommittedDraw draw;
    draw.tier = k;
    draw.countTextBefore = state.tier(k).countText;
    std::vector<Roster::TakenEntry> taken;
    const int committed = commitDrawTaking(state, k, display, taken);
    // The display lists the taken entries in the order picked; each listed name is
    // matched with a taken entry of that name.
    for (std::string &name : winnerNames(committed > 0 ? display : std::string_view())) {
        const auto entry =
            std::find_if(taken.begin(), taken.end(), [&](const auto &e) { return e.name == name; });
        DrawnWinner winner{std::move(name), std::nullopt};
        if (entry != taken.end()) {
            winner.slot = entry->slot;
            taken.erase(entry);
        }
        draw.winners.push_back(std::move(winner));
    }
    draw.unlisted = std::move(taken);
    if (!draw.winners.empty() || !draw.unlisted.empty())
        m_draws.push_back(std::move(draw));
    return committed;
}

CommittedDraw DrawHistory::undo(DrawState &state)
{
    CommittedDraw draw = m_draws.back();
    std::string &text = state.winners(draw.tier);
    std::vector<std::string> pieces = winnerNames(text);
    const std::size_t n = draw.winners.size();
    bool endsWithDraw = pieces.size() >= n;
    for (std::size_t i = 0; endsWithDraw && i < n; ++i)
        endsWithDraw = pieces[pieces.size() - n + i] == draw.winners[i].name;
    if (!endsWithDraw)
        throw DrawError("The winners of the draw to undo are no longer the last of its prize tier");
    if (n > 0) {
        text = joinPieces(pieces, pieces.size() - n);
        lowerCount(state.tier(draw.tier), n, &draw.countTextBefore);
    }
    std::vector<Roster::TakenEntry> back = draw.unlisted;
    for (const DrawnWinner &winner : draw.winners)
        if (winner.slot)
            back.push_back({*winner.slot, winner.name});
    state.roster.putBack(std::move(back));
    m_draws.pop_back();
    return draw;
}

std::vector<std::string> DrawHistory::voidWinners(DrawState &state, int k,
                                                  std::vector<std::size_t> positions)
{
    std::string &text = state.winners(k);
    std::vector<std::string> pieces = winnerNames(text);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (!positions.empty() && positions.back() >= pieces.size())
        throw DrawError("No winner to void at position " + std::to_string(positions.back()));
    if (positions.empty())
        return {};
    // Read before anything changes: a count caption that is no number throws here.
    lowerCount(state.tier(k), 0);

    // The tier's draws of this run sit at the end of its text, newest last.
    std::size_t end = pieces.size();
    for (auto draw = m_draws.rbegin(); draw != m_draws.rend(); ++draw) {
        if (draw->tier != k)
            continue;
        if (draw->winners.size() > end)
            break; // the text was changed behind the history's back
        const std::size_t start = end - draw->winners.size();
        for (auto p = positions.rbegin(); p != positions.rend(); ++p)
            if (*p >= start && *p < end)
                draw->winners.erase(draw->winners.begin() + std::ptrdiff_t(*p - start));
        end = start;
    }
    std::erase_if(m_draws,
                  [](const CommittedDraw &d) { return d.winners.empty() && d.unlisted.empty(); });

    std::vector<std::string> voided;
    std::vector<std::string> kept;
    for (std::size_t i = 0, next = 0; i < pieces.size(); ++i) {
        if (next < positions.size() && positions[next] == i) {
            voided.push_back(std::move(pieces[i]));
            ++next;
        } else {
            kept.push_back(std::move(pieces[i]));
        }
    }
    text = joinPieces(kept, kept.size());
    lowerCount(state.tier(k), voided.size());
    return voided;
}

} // namespace draw

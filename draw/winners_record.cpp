#include "draw/draw_state.h"

#include "draw/name_list.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace draw {

namespace {

// A count label shows how many names a winners text holds; an empty text holds none,
// though CharCount would say 1.
std::string countLabelFor(const std::string &winners)
{
    return winners.empty() ? std::string("0") : std::to_string(CharCount(winners));
}

// Each piece takes its first equal roster entry that an earlier piece has not taken
// and that entry is deleted. Done in one pass over the roster rather than one search
// and one delete per piece; the outcome is that of deleting them one by one.
void removeEarlierWinners(Roster &roster, const TextList &pieces)
{
    const std::vector<std::string> &names = roster.names();
    // Positions of each name, in roster order, and how far each list is used up.
    struct Positions {
        std::vector<std::size_t> at;
        std::size_t next = 0;
    };
    std::unordered_map<std::string_view, Positions> byName;
    for (std::size_t i = 0; i < names.size(); ++i)
        byName[names[i]].at.push_back(i);

    std::vector<unsigned char> gone(names.size(), 0);
    bool anyGone = false;
    for (const std::string &piece : pieces) {
        const auto found = byName.find(piece);
        if (found == byName.end())
            continue;
        Positions &positions = found->second;
        while (positions.next < positions.at.size() && gone[positions.at[positions.next]])
            ++positions.next;
        if (positions.next == positions.at.size())
            continue;
        gone[positions.at[positions.next]] = 1;
        if (!anyGone) {
            // The first delete also takes whatever was already marked.
            anyGone = true;
            for (std::size_t i = 0; i < names.size(); ++i)
                if (roster.selected(i))
                    gone[i] = 1;
        }
    }
    if (!anyGone)
        return;
    for (std::size_t i = 0; i < gone.size(); ++i)
        if (gone[i] && !roster.selected(i))
            roster.setSelected(i, true);
    roster.deleteSelected();
}

} // namespace

TextList winnersRecord(const DrawState &state)
{
    TextList record;
    for (int k = 1; k <= kTierSlots; ++k) {
        if (!state.tierInUse(k))
            continue;
        record.push_back("[" + state.tier(k).name + "]");
        record.push_back(state.winners(k));
    }
    return record;
}

void SaveHuman(const DrawState &state, const std::filesystem::path &path)
{
    saveTextList(path, winnersRecord(state));
}

void restoreWinners(DrawState &state, const TextList &record)
{
    // Looked up first: a record without tier 1's winners restores nothing.
    const std::string &firstWinners = lineAt(record, 1);
    state.winners(1) = firstWinners;
    state.tier(1).countText = countLabelFor(firstWinners);

    for (int k = 2; k <= kTierSlots; ++k) {
        const auto line = static_cast<std::size_t>(2 * k - 1);
        if (!state.tierInUse(k) || line >= record.size())
            continue;
        state.winners(k) = record[line];
        state.tier(k).countText = countLabelFor(record[line]);
    }

    // Always five separators, even around empty texts: each empty piece takes a blank entry.
    std::string joined = state.winners(1);
    for (int k = 2; k <= kTierSlots; ++k)
        joined.append(kNameSeparator).append(state.winners(k));
    removeEarlierWinners(state.roster, SplitString(joined, kNameSeparator));
}

} // namespace draw

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

// Each piece takes its first equal roster entry and every marked entry is deleted,
// piece after piece. Done in two passes over the roster rather than one search and
// one delete per piece, with the same outcome: the first piece that finds an entry
// takes it, marked or not, and that delete takes every marked entry with it; each
// later piece takes the first entry of its name still there.
void removeEarlierWinners(Roster &roster, const TextList &pieces)
{
    const auto names = [&roster](std::size_t i) -> const std::string & { return roster.name(i); };
    // Keyed by the pieces, not the roster: a record is usually far shorter than the
    // roster it came from.
    struct Wanted {
        std::size_t count = 0; // entries of this name the pieces still take
        bool inRoster = false;
    };
    std::unordered_map<std::string_view, Wanted> wanted;
    wanted.reserve(pieces.size());
    for (const std::string &piece : pieces)
        ++wanted[piece].count;

    std::vector<std::size_t> candidates; // entries some piece names, in roster order
    for (std::size_t i = 0; i < roster.size(); ++i) {
        const auto found = wanted.find(names(i));
        if (found == wanted.end())
            continue;
        found->second.inRoster = true;
        candidates.push_back(i);
    }
    const std::string *firstFound = nullptr;
    for (const std::string &piece : pieces) {
        if (wanted[piece].inRoster) {
            firstFound = &piece;
            break;
        }
    }
    if (firstFound == nullptr)
        return;

    std::vector<std::size_t> taken;
    bool firstTaken = false;
    for (const std::size_t i : candidates) {
        Wanted &want = wanted.find(names(i))->second;
        if (want.count == 0)
            continue;
        if (!firstTaken && names(i) == *firstFound) {
            firstTaken = true;
        } else if (roster.selected(i)) {
            continue; // gone with the first delete
        }
        --want.count;
        taken.push_back(i);
    }
    for (const std::size_t i : taken)
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

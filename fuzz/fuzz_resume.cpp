// Resuming from a winners record: the roster and tiers after restoreWinners must
// be those of the plain step-by-step rule - join the six winners texts with five
// separators, split them, and for each piece select the first equal roster entry
// and delete the selected entries.
// Input: a byte for TierCount (as a signed number), a byte whose bits mark
// roster entries as already selected (entry i takes bit i % 8), then the roster
// file, a NUL, and the winners record file.
#include "draw/draw_error.h"
#include "draw/draw_state.h"
#include "draw/name_list.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct Outcome {
    std::vector<std::string> roster;
    std::vector<bool> marks;
    std::array<std::string, draw::kTierSlots> winners;
    std::array<std::string, draw::kTierSlots> counts;
    bool failed = false;
    bool operator==(const Outcome &) const = default;
};

std::string countLabel(const std::string &winners)
{
    return winners.empty() ? "0" : std::to_string(draw::CharCount(winners));
}

Outcome stepByStep(const draw::TextList &roster, const std::vector<bool> &marks,
                   std::int32_t tierCount, const draw::TextList &record)
{
    Outcome out;
    out.roster = roster;
    out.marks = marks;
    out.counts.fill("00");
    if (record.size() < 2) {
        out.failed = true;
        return out;
    }
    out.winners[0] = record[1];
    out.counts[0] = countLabel(record[1]);
    for (int k = 2; k <= draw::kTierSlots; ++k) {
        const std::size_t line = std::size_t(2 * k - 1);
        if (tierCount > k - 1 && line < record.size()) {
            out.winners[k - 1] = record[line];
            out.counts[k - 1] = countLabel(record[line]);
        }
    }
    std::string joined = out.winners[0];
    for (int k = 2; k <= draw::kTierSlots; ++k)
        joined += std::string(draw::kNameSeparator) + out.winners[k - 1];
    for (const std::string &piece : draw::SplitString(joined, draw::kNameSeparator)) {
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < out.roster.size() && !found; ++i)
            if (out.roster[i] == piece)
                found = i;
        if (!found)
            continue;
        out.marks[*found] = true;
        std::vector<std::string> names;
        for (std::size_t i = 0; i < out.roster.size(); ++i)
            if (!out.marks[i])
                names.push_back(out.roster[i]);
        out.roster = names;
        out.marks.assign(names.size(), false);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::int32_t tierCount = static_cast<std::int8_t>(data[0]);
    const std::uint8_t markBits = data[1];
    const std::string_view rest(reinterpret_cast<const char *>(data) + 2, size - 2);
    const std::size_t nul = rest.find('\0');
    const std::string_view rosterText = rest.substr(0, nul);
    const std::string_view recordText =
        nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    const draw::TextList rosterLines = draw::parseTextList(rosterText);
    const draw::TextList record = draw::parseTextList(recordText);

    std::vector<bool> marks(rosterLines.size());
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i] = (markBits >> (i % 8) & 1) != 0;

    draw::DrawState state;
    state.TierCount = tierCount;
    state.roster.assign(rosterLines);
    for (std::size_t i = 0; i < marks.size(); ++i)
        state.roster.setSelected(i, marks[i]);
    Outcome got;
    try {
        draw::restoreWinners(state, record);
    } catch (const draw::DrawError &) {
        got.failed = true;
    }
    got.roster = state.roster.names();
    for (std::size_t i = 0; i < state.roster.size(); ++i)
        got.marks.push_back(state.roster.selected(i));
    for (int k = 1; k <= draw::kTierSlots; ++k) {
        got.winners[k - 1] = state.winners(k);
        got.counts[k - 1] = state.tier(k).countText;
    }
    FUZZ_CHECK(got == stepByStep(rosterLines, marks, tierCount, record));
    return 0;
}

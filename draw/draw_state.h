#pragma once

#include "draw/roster.h"
#include "draw/text_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace draw {

inline constexpr int kTierSlots = 6;

struct Tier {
    std::string name; // GBK; the tier's radio button caption
    bool shown = false; // radio button and count label visible
    std::string countText; // the count label's caption, "00" at first
};

// The whole state of the draw. Tier numbers k are 1-based (1…6).
class DrawState {
public:
    DrawState(); // design defaults: "特等奖" … "五等奖", tier 1 shown, counts "00"

    Roster roster;
    std::array<Tier, kTierSlots> tiers;
    std::array<std::string, kTierSlots> TierWinners; // GBK winners texts
    std::int32_t TierCount = 0;

    Tier &tier(int k) { return tiers.at(k - 1); }
    const Tier &tier(int k) const { return tiers.at(k - 1); }
    std::string &winners(int k) { return TierWinners.at(k - 1); }
    const std::string &winners(int k) const { return TierWinners.at(k - 1); }

    // Tier 1 always; tier k >= 2 when TierCount > k - 1.
    bool tierInUse(int k) const;

    // GBK "抽奖名单 共[<size>]人".
    std::string rosterCountText() const;
};

// Clears the roster and appends every line of the file at `path`.
void ReadMan(Roster &roster, const std::filesystem::path &path);

// The winners record: "[" name "]" / winners for tier 1, then for every tier in use.
TextList winnersRecord(const DrawState &state);

// Writes winnersRecord(state) to `path` (the winners record file by default).
void SaveHuman(const DrawState &state, const std::filesystem::path &path);

// Resume from a winners record: tier 1 from line 1 (throws "List index out of
// bounds (1)" when missing, before changing anything), tiers 2…6 in use from line
// 2k-1 when present; count labels from CharCount ("0" for an empty text); then each
// earlier winner removes its first equal roster entry.
void restoreWinners(DrawState &state, const TextList &record);

// Stop's commit to tier k of the names in `display`: the count label rises by the
// number of names, the names are appended to the tier's winners text and every
// selected roster entry is deleted. An empty display commits no name (no empty
// name enters the winners text and the count stays). Returns the names committed.
int commitDraw(DrawState &state, int k, std::string_view display);
// commitDraw that hands the roster entries it deleted to `taken`, in roster order.
int commitDrawTaking(DrawState &state, int k, std::string_view display,
                     std::vector<Roster::TakenEntry> &taken);

} // namespace draw

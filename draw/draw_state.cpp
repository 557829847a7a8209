#include "draw/draw_state.h"

#include <utility>

namespace draw {

namespace {

// The design-time tier names, in GBK.
constexpr const char *kDefaultTierNames[kTierSlots] = {
    "\xCC\xD8\xB5\xC8\xBD\xB1", // 特等奖
    "\xD2\xBB\xB5\xC8\xBD\xB1", // 一等奖
    "\xB6\xFE\xB5\xC8\xBD\xB1", // 二等奖
    "\xC8\xFD\xB5\xC8\xBD\xB1", // 三等奖
    "\xCB\xC4\xB5\xC8\xBD\xB1", // 四等奖
    "\xCE\xE5\xB5\xC8\xBD\xB1", // 五等奖
};

constexpr const char *kRosterCountPrefix =
    "\xB3\xE9\xBD\xB1\xC3\xFB\xB5\xA5 \xB9\xB2["; // 抽奖名单 共[
constexpr const char *kRosterCountSuffix = "]\xC8\xCB"; // ]人

} // namespace

DrawState::DrawState()
{
    for (int k = 1; k <= kTierSlots; ++k) {
        Tier &t = tier(k);
        t.name = kDefaultTierNames[k - 1];
        t.shown = k == 1;
        t.countText = "00";
    }
}

bool DrawState::tierInUse(int k) const
{
    if (k == 1)
        return true;
    return k >= 2 && k <= kTierSlots && TierCount > k - 1;
}

std::string DrawState::rosterCountText() const
{
    return kRosterCountPrefix + std::to_string(roster.size()) + kRosterCountSuffix;
}

void ReadMan(Roster &roster, const std::filesystem::path &path)
{
    // Cleared first: a file that cannot be opened leaves an empty roster.
    roster.clear();
    roster.assign(loadTextList(path));
}

} // namespace draw

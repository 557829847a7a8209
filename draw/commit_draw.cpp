#include "draw/draw_state.h"

#include "draw/name_list.h"
#include "draw/rolling_pick.h"

#include <cstdint>
#include <string>

namespace draw {

int commitDraw(DrawState &state, int k, std::string_view display)
{
    std::vector<Roster::TakenEntry> taken;
    return commitDrawTaking(state, k, display, taken);
}

int commitDrawTaking(DrawState &state, int k, std::string_view display,
                     std::vector<Roster::TakenEntry> &taken)
{
    Tier &tier = state.tier(k);
    std::string &winners = state.winners(k);
    int committed = 0;
    // An empty display (empty roster or a group size of 0) names nobody: joining it
    // would put an empty name, a bare "，", into the winners text.
    if (!display.empty()) {
        committed = CharCount(display);
        // Read before anything changes: "00" reads 0, a bad caption throws here.
        const std::int64_t count = std::int64_t{StrToInt(tier.countText)} + committed;
        tier.countText = std::to_string(count);
        winners = Join(winners, display);
    }
    taken = state.roster.takeSelected();
    return committed;
}

} // namespace draw

#pragma once

#include "draw/draw_state.h"
#include "draw/roster.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace draw {

// One winner of a committed draw.
struct DrawnWinner {
    std::string name; // GBK
    // Where the winner was taken from the roster; empty when the draw took no entry
    // for the name (it was deleted by hand while the draw rolled).
    std::optional<std::uint32_t> slot;
};

// A committed draw as the undo history keeps it.
struct CommittedDraw {
    int tier = 1;
    // The winners still credited to the tier, in the order drawn: the tier's winners
    // text ends with them.
    std::vector<DrawnWinner> winners;
    // Entries the draw took from the roster without listing them (an empty name
    // joins to nothing in the display).
    std::vector<Roster::TakenEntry> unlisted;
    std::string countTextBefore; // the tier's count caption before the draw
};

// This run's committed draws, newest last, so they can be undone newest first and
// voided winners can be told from the draws they came from. The draws of one tier
// stay at the end of its winners text, in order: undo takes the newest one off
// the end, and a void only removes names.
class DrawHistory {
public:
    // Stop's commit to tier k (commitDraw), remembered. Returns the names committed.
    int commit(DrawState &state, int k, std::string_view display);

    bool canUndo() const { return !m_draws.empty(); }
    // The draw the next undo takes back; only when canUndo().
    const CommittedDraw &newest() const { return m_draws.back(); }

    // Takes back the newest draw: its winners leave the tier's winners text and its
    // count, and go back into the roster, with any unlisted entries, each where it
    // was drawn from. Returns the draw taken back. Throws DrawError when the tier's
    // winners text no longer ends with the draw's names.
    CommittedDraw undo(DrawState &state);

    // Voids winners of tier k given by their positions among the pieces of its
    // winners text (SplitString): they leave the text and the count and do not go
    // back into the roster; a draw they came from no longer returns them on undo.
    // Returns their names in text order. Throws DrawError for a position past the
    // text; nothing changes then.
    std::vector<std::string> voidWinners(DrawState &state, int k,
                                         std::vector<std::size_t> positions);

private:
    std::vector<CommittedDraw> m_draws;
};

// The names of a tier's winners text, one per piece; none for an empty text.
std::vector<std::string> winnerNames(std::string_view winnersText);

} // namespace draw

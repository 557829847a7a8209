#pragma once

#include "draw/roster.h"

#include <cstddef>
#include <vector>

// The positions of the roster's marked (selected) names, in order.
inline std::vector<std::size_t> markedPositions(const draw::Roster &roster)
{
    std::vector<std::size_t> marked;
    for (std::size_t i = 0; i < roster.size(); ++i)
        if (roster.selected(i))
            marked.push_back(i);
    return marked;
}

#include "mapper/view/view_state.h"

#include <algorithm>

bool CSelectionFlags::Empty() const
{
    auto none = [](const std::vector<std::int32_t>& f) { return std::all_of(f.begin(), f.end(), [](int v) { return v == 0; }); };
    return none(m_roomFlags) && none(m_linkFlags);
}

Direction CViewState::RoseDirectionAt(CPoint p) const
{
    for (Direction d = DIR_D; d >= DIR_N; --d)
        if (m_roseRegions[d] && m_roseRegions[d]->Contains(p))
            return d;
    return DIR_NONE;
}

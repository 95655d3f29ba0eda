#include "mapper/view/view_state.h"

#include <algorithm>

Direction CViewState::RoseDirectionAt(CPoint p) const
{
    for (Direction d = DIR_D; d >= DIR_N; --d)
        if (m_roseRegions[d] && m_roseRegions[d]->Contains(p))
            return d;
    return DIR_NONE;
}

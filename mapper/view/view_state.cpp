#include "mapper/view/view_state.h"

#include <algorithm>

#include "mapper/view/spatial_index.h"

Direction CViewState::RoseDirectionAt(CPoint p) const
{
    for (Direction d = DIR_D; d >= DIR_N; --d)
        if (m_roseRegions[d] && m_roseRegions[d]->Contains(p))
            return d;
    return DIR_NONE;
}

CSpatialIndex* CViewState::IndexOf(const CVorMapperDoc& doc) const
{
    return m_pIndex && &m_pIndex->Document() == &doc ? m_pIndex.get() : nullptr;
}
